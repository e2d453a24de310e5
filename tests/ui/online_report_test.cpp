// The on-line report offer of the first reported error: the warning box and
// the address of the error-report page, whose opening the tests record
// instead of performing.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "foundation/text_util.h"
#include "tests/ui/local_program.h"

namespace {

PELMORA_ERROR_TABLE(kStaffErrors, u"StaffObj", u"No staff", u"Bad clef");
PELMORA_ERROR_TABLE(kMidiErrors, u"MidiFile", u"Bad header");

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Splits "scheme://host/page?k=v&k=v" and decodes each value as a standard
// query decoder would (percent escapes are UTF-8 bytes).
struct sAddress {
    std::string start;  // everything before "?"
    std::vector<std::string> keys;
    std::map<std::string, std::u16string> values;
};

sAddress ParseAddress(const std::u16string &address) {
    sAddress result;
    std::string text = ToUtf8(address);
    size_t query = text.find('?');
    result.start = text.substr(0, query);
    if (query == std::string::npos) return result;
    size_t at = query + 1;
    while (at <= text.size()) {
        size_t end = text.find('&', at);
        if (end == std::string::npos) end = text.size();
        std::string pair = text.substr(at, end - at);
        size_t eq = pair.find('=');
        std::string key = pair.substr(0, eq), bytes;
        std::string raw = eq == std::string::npos ? "" : pair.substr(eq + 1);
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '%' && i + 2 < raw.size() && HexValue(raw[i + 1]) >= 0 && HexValue(raw[i + 2]) >= 0) {
                bytes.push_back(char(HexValue(raw[i + 1]) * 16 + HexValue(raw[i + 2])));
                i += 2;
            } else {
                bytes.push_back(raw[i]);
            }
        }
        result.keys.push_back(key);
        result.values[key] = FromUtf8(bytes);
        at = end + 1;
    }
    return result;
}

TEST(OnlineReport, OkOpensTheReportPageWithMessageFileAndLog) {
    test::LocalProgram os("online_ok", u"");
    os.MakeMainWindow();
    os->SetScriptedBoxAnswer(1);
    os->SetCurrentFile(u"C:\\Scores\\F\u00fcr Elise & more.pmr");
    RaiseError(&kStaffErrors, 1 | ERR_REPORT);

    std::string log = os.LogText();
    std::u16string report = os->GetErrorReportPath();
    std::string box = "Box: Warning: Error in StaffObj: Bad clef\r\n\r\n"
                      "Please report the error online to help fix the problem.\r\n"
                      "There's more information in:\r\n" + test::Narrow(report) + "\r\n";
    EXPECT_EQ(log, "Error in StaffObj: Bad clef\r\n" + box);

    sAddress address = ParseAddress(os->LastShellOpen());
    EXPECT_EQ(address.start, "http://www.pelmora.org/crashreport.php");
    EXPECT_EQ(address.keys, (std::vector<std::string>{"msg", "file", "log"}));
    EXPECT_EQ(address.values["msg"], u"Error in StaffObj: Bad clef\r\n\r\n" + std::u16string(os->GetSystemInfo()));
    EXPECT_EQ(address.values["file"], u"C:\\Scores\\F\u00fcr Elise & more.pmr");
    EXPECT_EQ(address.values["log"], report);
}

TEST(OnlineReport, LocalNetNamesTheHostOfThePage) {
    test::LocalProgram os("online_local_net", u"");
    os.MakeMainWindow();
    os->SetScriptedBoxAnswer(1);
    os->Settings().SetValue(u"LocalNet", u"192.168.1.20:8080");
    RaiseError(&kStaffErrors, 0 | ERR_REPORT);
    sAddress address = ParseAddress(os->LastShellOpen());
    EXPECT_EQ(address.start, "http://192.168.1.20:8080/crashreport.php");
    EXPECT_EQ(address.keys, (std::vector<std::string>{"msg", "file", "log"}));
}

TEST(OnlineReport, CancelOpensNothing) {
    test::LocalProgram os("online_cancel", u"");
    os.MakeMainWindow();
    os->SetScriptedBoxAnswer(2);
    RaiseError(&kStaffErrors, 0 | ERR_REPORT);
    EXPECT_EQ(test::Occurrences(os.LogText(), "Box: Warning: Error in StaffObj: No staff"), 1);
    EXPECT_TRUE(os->LastShellOpen().empty());
}

TEST(OnlineReport, OnlyTheFirstReportedErrorIsOfferedButEveryOneIsCopied) {
    test::LocalProgram os("online_twice", u"");
    os.MakeMainWindow();
    RaiseError(&kStaffErrors, 0 | ERR_REPORT);
    RaiseError(&kStaffErrors, 1 | ERR_REPORT);
    std::string log = os.LogText();
    EXPECT_EQ(test::Occurrences(log, "Box: "), 1);
    EXPECT_EQ(test::Occurrences(log, "Box: Warning: Error in StaffObj: No staff"), 1);
    // The second copy holds the whole log, the first box included.
    EXPECT_EQ(os.ReportText(), log);
    EXPECT_NE(log.find("Error in StaffObj: Bad clef\r\n"), std::string::npos);
}

TEST(OnlineReport, FirstErrorWithoutReportFlagRulesTheOfferOut) {
    test::LocalProgram os("online_ruled_out", u"");
    os.MakeMainWindow();
    RaiseError(&kMidiErrors, 0);
    RaiseError(&kStaffErrors, 0 | ERR_REPORT);
    std::string log = os.LogText();
    EXPECT_EQ(log, "Error in MidiFile: Bad header\r\nError in StaffObj: No staff\r\n");
    EXPECT_EQ(os.ReportText(), log);
}

TEST(OnlineReport, WithoutMainWindowThereIsNoBox) {
    test::LocalProgram os("online_no_window", u"");
    RaiseError(&kStaffErrors, 0 | ERR_REPORT);
    EXPECT_EQ(os.LogText(), "Error in StaffObj: No staff\r\n");
    EXPECT_EQ(os.ReportText(), os.LogText());
    EXPECT_TRUE(os->LastShellOpen().empty());
}

}  // namespace
