#include "foundation/url_query.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "foundation/text_util.h"

namespace {

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// A decoder as web servers apply it to a query value: "%hh" is a byte,
// "+" a space, every other character itself; the bytes are UTF-8.
std::u16string Decode(const std::u16string &value) {
    std::string bytes;
    for (size_t i = 0; i < value.size(); ++i) {
        char16_t c = value[i];
        if (c == u'%' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 && HexValue(value[i + 2]) >= 0) {
            bytes.push_back(char(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2])));
            i += 2;
        } else if (c == u'+') {
            bytes.push_back(' ');
        } else {
            EXPECT_LT(c, 0x80) << "a raw non-ASCII character in a URL";
            bytes.push_back(char(c));
        }
    }
    return FromUtf8(bytes);
}

// The query of an address split at "&" and "=" into decoded values.
std::map<std::u16string, std::u16string> QueryOf(const std::u16string &address) {
    std::map<std::u16string, std::u16string> values;
    size_t start = address.find(u'?');
    EXPECT_NE(start, std::u16string::npos);
    std::u16string query = address.substr(start + 1);
    size_t pos = 0;
    while (pos <= query.size()) {
        size_t end = query.find(u'&', pos);
        if (end == std::u16string::npos) end = query.size();
        std::u16string pair = query.substr(pos, end - pos);
        size_t eq = pair.find(u'=');
        values[pair.substr(0, eq)] = eq == std::u16string::npos ? u"" : Decode(pair.substr(eq + 1));
        pos = end + 1;
    }
    return values;
}

}  // namespace

TEST(UrlQuery, LettersAndDigitsStayEverythingElseIsEscaped) {
    struct Case {
        const char16_t *text;
        std::u16string encoded;
    } cases[] = {
        {u"Error in OpSys: Access Violation", u"Error%20in%20OpSys%3a%20Access%20Violation"},
        {u"abcXYZ0189", u"abcXYZ0189"},
        {u"\r\n", u"%0d%0a"},
        {u"\\", u"%5c"},
        {u"a.b", u"a%2eb"},
        {u"\u00e9", u"%c3%a9"},
        {u"\u263a", u"%e2%98%ba"},
        {u"\u4e2d\u6587", u"%e4%b8%ad%e6%96%87"},
        {u"\U0001F3B5", u"%f0%9f%8e%b5"},
        {u"", u""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(std::u16string(EncodeUrlQuery(c.text)), c.encoded);
    }
    EXPECT_EQ(std::u16string(EncodeUrlQuery(nullptr)), u"");
}

TEST(UrlQuery, StandardDecoderGivesTheTextBack) {
    const char16_t *texts[] = {
        u"Error in OpSys: Access Violation",
        u"c:\\Users\\Ann\\Pelmora\\ErrorReport.txt",
        u"a&b=c%d+e#f?g/h;i",
        u"tab\tline\nreturn\r end",
        u"Caf\u00e9 cr\u00e8me \u00fc\u00df \u00ff\u00a0",
        u"\u697d\u8b5c\u3068\u6b4c\u8a5e \ud55c\uad6d\uc5b4",
        u"\u20ac \u263a%263a",
        u"\U0001D11E clef",
    };
    for (const char16_t *text : texts) {
        std::u16string encoded = EncodeUrlQuery(text);
        for (char16_t c : encoded)
            EXPECT_TRUE(IsAsciiAlpha(c) || IsAsciiDigit(c) || c == u'%') << int(c);
        EXPECT_EQ(Decode(encoded), std::u16string(text));
    }
}

TEST(UrlQuery, ReportAddressCarriesThreeValuesInOrder) {
    std::u16string address = BuildErrorReportAddress(
        u"intranet.local:8080", u"Error in ArrayBuf: Null buffer", u"Windows 10\r\nDefault language = 0x0407",
        u"c:\\Scores\\Lied & Chor.pmr", u"c:\\Users\\\u5f20\\Pelmora\\ErrorReport.txt");
    EXPECT_EQ(address.rfind(u"http://intranet.local:8080/crashreport.php?msg=", 0), 0u);
    size_t msg = address.find(u"?msg="), file = address.find(u"&file="), log = address.find(u"&log=");
    EXPECT_LT(msg, file);
    EXPECT_LT(file, log);
    auto values = QueryOf(address);
    EXPECT_EQ(values.size(), 3u);
    EXPECT_EQ(values[u"msg"], u"Error in ArrayBuf: Null buffer\r\n\r\nWindows 10\r\nDefault language = 0x0407");
    EXPECT_EQ(values[u"file"], u"c:\\Scores\\Lied & Chor.pmr");
    EXPECT_EQ(values[u"log"], u"c:\\Users\\\u5f20\\Pelmora\\ErrorReport.txt");
}

TEST(UrlQuery, ReportAddressWithoutHostOrFile) {
    for (const char16_t *host : {static_cast<const char16_t *>(nullptr), u""}) {
        std::u16string address = BuildErrorReportAddress(host, u"E", nullptr, u"", u"r");
        EXPECT_EQ(address, u"http://" + std::u16string(kErrorReportHost) +
                               u"/crashreport.php?msg=E%0d%0a%0d%0a&file=&log=r");
    }
}
