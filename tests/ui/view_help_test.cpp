// The help viewer against a fake help engine.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/path_names.h"
#include "platform/op_sys_base.h"
#include "tests/foundation/raised_errors.h"
#include "tests/support/fake_help_engine.h"
#include "tests/test_support.h"
#include "ui/help_engine.h"
#include "ui/help_recorder.h"
#include "ui/view_help.h"

namespace {


// A window object that can ask for help.
class cAsker : public cMessageDvc {
public:
    cAsker() : cMessageDvc(nullptr, 0, 0, u"asker", 0) {}
};

class ViewHelp : public testing::Test {
protected:
    void SetUp() override {
        previous = SetHelpEngine(&engine);
        folder = test::MakeTempFolder("help");
        chm = folder + u"pelmora.chm";
        hlp = folder + u"OLD.HLP";
        test::WriteFileBytes(chm, "chm");
        test::WriteFileBytes(hlp, "hlp");
    }
    void TearDown() override { SetHelpEngine(previous); }

    test::cFakeHelp engine;
    cHelpEngine *previous = nullptr;
    std::u16string folder, chm, hlp;
    cAsker first, second;
};

TEST_F(ViewHelp, HelpFileStartsBesideTheProgram) {
    cViewHelp viewer;
    std::u16string expected = gOpSys->GetProgramPath();
    SetExtension(expected, u"hlp");
    EXPECT_EQ(viewer.GetHelpFile(), expected);
    EXPECT_EQ(std::u16string(viewer.GetHelpExtension()), u"chm");
    // A bare name goes into the program's folder; the old path comes back.
    EXPECT_EQ(std::u16string(viewer.SetHelpFile(u"pelmora.chm")), expected);
    EXPECT_EQ(viewer.GetHelpFile(), std::u16string(GetDirectory(gOpSys->GetProgramPath())) + u"pelmora.chm");
    viewer.SetHelpFile(chm.c_str());
    EXPECT_EQ(viewer.GetHelpFile(), chm);
    viewer.SetHelpFile(u"c:help.chm");
    EXPECT_EQ(viewer.GetHelpFile(), u"c:help.chm");
}

TEST_F(ViewHelp, CompiledHelpGoesToHtmlHelpAndRecordsTheFirstWindow) {
    cViewHelp viewer;
    viewer.SetHelpFile(chm.c_str());
    EXPECT_EQ(viewer.ShowTopic(&first, 42), RC_OK);
    EXPECT_EQ(viewer.ShowTopicId(&second), RC_OK);
    EXPECT_EQ(viewer.GetRecordedWindow(), &first);
    std::string file = gOpSys->ToAnsiText(chm.c_str());
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"Load", "HtmlHelp " + file + " 15 42", "HtmlHelp " + file + " 0 0"}));
    engine.calls.clear();
    EXPECT_EQ(viewer.CloseHelp(), RC_OK);
    EXPECT_EQ(viewer.GetRecordedWindow(), nullptr);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"HtmlHelp - 18 0"}));
    engine.calls.clear();
    UnloadHtmlHelp();
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"Unload"}));
}

TEST_F(ViewHelp, HlpFilesGoToWinHelp) {
    cViewHelp viewer;
    EXPECT_EQ(viewer.ShowHelp(&first, 0, hlp.c_str()), RC_OK);
    EXPECT_EQ(viewer.ShowHelp(&first, 7, hlp.c_str()), RC_OK);
    std::string file = test::Narrow(hlp);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"WinHelp " + file + " 11 0", "WinHelp " + file + " 1 7"}));
    // Closing before any HTML help was shown quits WinHelp.
    engine.calls.clear();
    viewer.CloseHelp();
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"WinHelp - 2 0"}));
}

TEST_F(ViewHelp, FailuresReportAndKeepTheRecordedWindow) {
    cViewHelp viewer;
    viewer.ShowHelp(&first, 0, hlp.c_str());
    test::RaisedErrors errors;
    // A missing file is found out before any engine is loaded.
    EXPECT_EQ(viewer.ShowHelp(&second, 1, (folder + u"missing.chm").c_str()), RC_FAIL);
    EXPECT_EQ(errors.LastText(), u"Error in ViewPortWin: No help file");
    EXPECT_EQ(engine.calls.size(), 1u);
    engine.loadable = false;
    EXPECT_EQ(viewer.ShowHelp(&second, 1, chm.c_str()), RC_FAIL);
    EXPECT_EQ(errors.LastText(), u"Error in ViewPortWin: LoadLibrary");
    engine.loadable = true;
    engine.hasFunction = false;
    EXPECT_EQ(viewer.ShowHelp(&second, 1, chm.c_str()), RC_FAIL);
    EXPECT_EQ(errors.LastText(), u"Error in ViewPortWin: Can't run help");
    EXPECT_EQ(errors.Count(), 3);
    EXPECT_EQ(viewer.GetRecordedWindow(), &first);
}

TEST_F(ViewHelp, DestroyingTheViewerClosesItsHelp) {
    {
        cViewHelp viewer;
        engine.loaded = true;
    }
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"HtmlHelp - 18 0"}));
}

// The recorder that PELMORA_TEST_HELP puts in place takes every request,
// also for a help file that does not exist, and shows nothing.
TEST_F(ViewHelp, TheRecorderWritesEveryRequestWithoutAHelpFile) {
    std::u16string record = folder + u"help.txt";
    cRecordingHelpEngine recorder(record);
    SetHelpEngine(&recorder);
    std::u16string missing = folder + u"missing.chm";
    {
        cViewHelp viewer;
        test::RaisedErrors errors;
        EXPECT_EQ(viewer.ShowHelp(&first, 0, missing.c_str()), RC_OK);
        EXPECT_EQ(viewer.ShowHelp(&first, 1052, missing.c_str()), RC_OK);
        EXPECT_EQ(viewer.ShowHelp(&first, 3, (folder + u"old.hlp").c_str()), RC_OK);
        EXPECT_EQ(errors.Count(), 0);
    }
    std::string chmName = test::Narrow(missing), hlpName = test::Narrow(folder + u"old.hlp");
    EXPECT_EQ(test::ReadFileBytes(record), "HtmlHelp 0 0 " + chmName + "\nHtmlHelp 15 1052 " + chmName +
                                               "\nWinHelp 1 3 " + hlpName + "\nHtmlHelp 18 0 -\n");
    SetHelpEngine(&engine);
}

}  // namespace
