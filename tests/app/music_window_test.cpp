// The score window on the headless device chain: what opening makes, the
// paint and the Edit and Setup menu states it keeps, the status texts, the
// zoom log text, the scroll extent, the save question on closing (a failed
// save keeps the window) and the command dispatch.
#include "app/music_window.h"

#include <gtest/gtest.h>

#include "tests/app/music_window_fixture.h"
#include "tests/support/log_capture.h"

namespace {

using test::MusicWinTest;
using test::S;
using test::kNo;
using test::kYes;

TEST_F(MusicWinTest, OpeningMakesAScoreOfOneStaffNamedNoName) {
    // Before opening there is neither window nor score, and painting,
    // sizing and the extent do nothing.
    EXPECT_EQ(win->GetScore(), nullptr);
    EXPECT_NE(win->GetPlayer(), nullptr) << "the player is asked for at construction";
    Paint();
    win->UpdateScrollExtent();
#if !defined(_WIN32)
    EXPECT_TRUE(win->Records().empty());
#endif

    ASSERT_EQ(win->Open(), RC_OK);
    ScoreObject *score = win->GetScore();
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(S(score->GetFileName()), u"NoName.pmr");
    // One staff; the pagination adds its page marks beside it.
    int32_t staffs = 0;
    for (int32_t i = 0; i < score->GetChildCount(); ++i) staffs += score->GetChild(i)->GetTypeId() == ScoreObject::kStaffId;
    EXPECT_EQ(staffs, 1);
    EXPECT_NE(FirstStaff(), nullptr);
    EXPECT_EQ(gCurrentScoreWindow, win.get());
    ASSERT_NE(win->GetPrinter(), nullptr);
    EXPECT_EQ(gOutputWindow, win->GetPrinter());
    EXPECT_EQ(S(win->GetName()), u"MusicWin");

    // The sliders sit in parts 2 and 3: the zoom slider starts at the line
    // spacing, between half and three times it.
    ASSERT_NE(win->GetVolumeSlider(), nullptr);
    ASSERT_NE(win->GetZoomSlider(), nullptr);
    const int32_t spacing = cStaffBase::CurrentLineSpacing();
    EXPECT_EQ(win->GetVolumeSlider()->GetVolume(), 50);
    EXPECT_EQ(win->GetZoomSlider()->GetZoom(), spacing);
    EXPECT_EQ(win->GetZoomSlider()->GetMinimum(), spacing / 2);
    EXPECT_EQ(win->GetZoomSlider()->GetMaximum(), 3 * spacing);
    // Moved, each shows its value in its own part.
    win->GetZoomSlider()->SetValueInt(2 * spacing);
    EXPECT_EQ(frame->Part(3), u"Zoom 400%");
    win->GetVolumeSlider()->SetValueInt(70);
    EXPECT_EQ(frame->Part(2), u"Vol 70%");
}

TEST_F(MusicWinTest, DestroyingTheWindowTakesTheSymbolLayerAlong) {
    win->Open();
    EXPECT_TRUE(cPObjBase::RegistryAllocated());
    win.reset();
    EXPECT_FALSE(cPObjBase::RegistryAllocated());
    EXPECT_EQ(gCurrentScoreWindow, nullptr);
    EXPECT_EQ(gOutputWindow, nullptr);
}

TEST_F(MusicWinTest, PaintDrawsTheScoreAndGreysWhatCannotBeDone) {
    win->Open();
    win->PrepareDraw();
#if !defined(_WIN32)
    win->ClearRecords();
    Paint();
    EXPECT_FALSE(win->Records().empty()) << "the staff draws";
#else
    Paint();
#endif
    // A fresh score: nothing selected, nothing to undo, nothing copied.
    for (uint32_t id : {601u, 203u, 205u, 204u, 202u, 200u, 201u, 208u}) EXPECT_FALSE(Enabled(id)) << id;

    // A selected staff can be deleted and deselected; Properties follows
    // whether it has a set-up of its own.
    cPObjPoint *staff = FirstStaff();
    gSelectedObject = staff;
    Paint();
    EXPECT_TRUE(Enabled(203));
    EXPECT_TRUE(Enabled(205));
    EXPECT_EQ(Enabled(601), staff->HasObjectSetup() == 0);
    EXPECT_FALSE(Enabled(204));

    // Translate mode keeps every state as it was.
    gOpSys->SetTranslateMode(true);
    gSelectedObject = nullptr;
    Paint();
    EXPECT_TRUE(Enabled(203));
    EXPECT_TRUE(Enabled(205));
}

TEST_F(MusicWinTest, StatusTextsShowModePositionAndCounts) {
    win->Open();
    ScoreObject *score = win->GetScore();
    struct Case {
        bool insert;
        uint32_t mode, flags;
        const char16_t *text;
    } cases[] = {
        {false, 3, 0, u"Edit: Resize"},
        {false, 2, 0, u"Edit: Move"},
        {true, 3, 0x10, u"INS, Edit: Resize-Move All"},
        {true, 2, 0, u"INS, Edit: Move"},
        {false, 0, 0, u"Edit: "},
    };
    for (const Case &c : cases) {
        if (bool(score->GetInsertMode()) != c.insert) score->ToggleFlag();
        gEditMode = c.mode;
        gEditFlags = c.flags;
        win->UpdateStatusText();
        EXPECT_EQ(frame->Part(0), c.text) << c.mode;
    }
    win->SetMousePosition(12, 345);
    win->UpdateStatusText();
    EXPECT_EQ(frame->Part(1), u"Pos   12,  345");
    win->SetMousePosition(-7, 123456);
    win->UpdateStatusText();
    EXPECT_EQ(frame->Part(1), u"Pos   -7,123456");
    dynamic_cast<cStatusBarBase *>(frame->GetStatusBar())->SetPartText(4, u"kept");
    win->UpdateStatusText();
    EXPECT_EQ(frame->Part(4), u"kept") << "the counts only in diagnostic mode";

    gProgramStatus.SetDebugMode(true);
    win->UpdateStatusText();
    EXPECT_EQ(frame->Part(4), u"Obj " + FormatUnsigned(uint16_t(score->CountDescendants())) + u", " +
                                  FormatUnsigned(gLiveSymbolCount));
    EXPECT_NE(score->CountDescendants(), 0u);
}

TEST(MusicWinTexts, ZoomIsLoggedAsTheSquareOfTheRatio) {
    struct Case {
        int32_t value, spacing;
        const char16_t *text;
    } cases[] = {
        {12, 6, u"Status: Zoom=400%"}, {6, 6, u"Status: Zoom=100%"}, {3, 6, u"Status: Zoom=25%"},
        {18, 6, u"Status: Zoom=900%"}, {7, 6, u"Status: Zoom=136%"}, {5, 0, u"Status: Zoom=2500%"},
    };
    for (const Case &c : cases) EXPECT_EQ(ZoomLogText(c.value, c.spacing), c.text) << c.value;
    struct ModeCase {
        uint32_t mode, id;
    } modes[] = {{0, 0}, {1, 0}, {2, 209}, {3, 210}, {4, 0}};
    for (const ModeCase &m : modes) EXPECT_EQ(EditModeMenuId(m.mode), m.id) << m.mode;
}

TEST_F(MusicWinTest, ScrollExtentCoversTheScoreAndThePage) {
    win->Open();
    win->UpdateScrollExtent();
    const cRectangl &bounds = *win->GetScore()->GetBounds();
    EXPECT_GE(win->GetScrollExtentX(), bounds.Right() + 25);
    EXPECT_EQ(win->GetScrollExtentY(), bounds.Bottom() + 3 * win->GetHeight() / 4);
    cWinPrint *printer = win->GetPrinter();
    if (printer->GetZoomX() != 0) {
        EXPECT_GE(win->GetScrollExtentX(), int32_t(float(printer->GetWidth()) / printer->GetZoomX()) + 25);
    }
}

class MusicWinClosing : public MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        log = std::make_unique<test::LogCapture>("music_win_close");
        folder = test::MakeTempFolder("music_win_close");
        win->Open();
    }
    void TearDown() override {
        log.reset();
        MusicWinTest::TearDown();
    }
    // A changed score named after the path.
    void Change(const std::u16string &path) {
        win->GetScore()->SetFileName(path.c_str());
        gDocumentFlags = 1;
    }
    size_t Count(const std::string &line) {
        std::string text = log->Text();
        size_t n = 0;
        for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
        return n;
    }
    size_t Boxes() { return Count("Box: Score has changed: Do you want to save?"); }

    std::unique_ptr<test::LogCapture> log;
    std::u16string folder;
};

TEST_F(MusicWinClosing, AnUnchangedScoreClosesWithoutAQuestion) {
    gOpSys->SetScriptedBoxAnswer(kYes);
    gDocumentFlags = 0;
    EXPECT_EQ(win->CanClose(), RC_OK);
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(MusicWinClosing, NoForgetsTheChangesAndWritesNothing) {
    const std::u16string path = folder + u"no.pmr";
    Change(path);
    gOpSys->SetScriptedBoxAnswer(kNo);
    EXPECT_EQ(win->CanClose(), RC_OK);
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_EQ(win->GetScore()->GetChangeFlags(), 0u);
    EXPECT_NE(gOpSys->FileExists(path.c_str()), RC_OK);
}

TEST_F(MusicWinClosing, YesSavesKeepingThePreviousFileAsBackup) {
    const std::u16string path = folder + u"yes.pmr";
    Change(path);
    gOpSys->SetScriptedBoxAnswer(kYes);
    // A first save has no previous file to keep.
    EXPECT_EQ(win->CanClose(), RC_OK);
    const std::string first = test::ReadFileBytes(path);
    EXPECT_FALSE(first.empty());
    EXPECT_NE(gOpSys->FileExists((folder + u"yes.bak").c_str()), RC_OK);
    EXPECT_EQ(win->GetScore()->GetChangeFlags(), 0u);

    test::WriteFileBytes(path, "previous state");
    Change(path);
    EXPECT_EQ(win->CanClose(), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(folder + u"yes.bak"), "previous state");
    EXPECT_EQ(test::ReadFileBytes(path), first);
}

TEST_F(MusicWinClosing, AFailedSaveIsShownAndRefusesTheClose) {
    // The score's folder is gone: the write cannot succeed.
    const std::u16string path = folder + u"gone/score.pmr";
    Change(path);
    gOpSys->SetScriptedBoxAnswer(kYes);
    EXPECT_LT(win->CanClose(), 0);
    EXPECT_EQ(Count("Box: Error"), 1u) << "the failure is shown";
    EXPECT_NE(win->GetScore()->GetChangeFlags(), 0u) << "closing again still asks";

    // Over an existing file that cannot be replaced (its name is a folder's),
    // the previous content stays.
    const std::u16string kept = folder + u"kept.pmr";
    gOpSys->CreateFolder(kept);
    Change(kept);
    EXPECT_LT(win->CanClose(), 0);
    EXPECT_GT(Count("Box: Error"), 1u);
    EXPECT_EQ(gOpSys->IsFolder(kept.c_str()), RC_OK);
}

TEST_F(MusicWinTest, CommandsOfTheScoreWindowAndTheRest) {
    win->Open();
    EXPECT_EQ(Command(209), RC_OK);
    EXPECT_EQ(gEditMode, 2u);
    EXPECT_EQ(frame->Part(0), u"Edit: Move");
    // A popup's copy of a command does what the command does.
    EXPECT_EQ(Command(210 | kWindowCommandBit), RC_OK);
    EXPECT_EQ(gEditMode, 3u);
    EXPECT_EQ(frame->Part(0), u"Edit: Resize");
    EXPECT_EQ(Command(401), RC_OK);
    // Not the score window's (yet, or ever): the frame gets them.
    for (uint32_t id : {111u, 200u, 300u, 609u, 9999u}) EXPECT_EQ(Command(id), RC_FAIL) << id;
}

TEST_F(MusicWinTest, TheCurrentSymbolIsTheSelectionElseTheRightClick) {
    win->Open();
    cPObjPoint *staff = FirstStaff();
    win->SetRightClicked(staff);
    EXPECT_EQ(win->TakeCurrentSymbol(), staff);
    EXPECT_EQ(win->TakeCurrentSymbol(), nullptr) << "the right click is taken once";
    gSelectedObject = staff;
    win->SetRightClicked(win->GetScore());
    EXPECT_EQ(win->TakeCurrentSymbol(), staff);
    gSelectedObject = nullptr;
    EXPECT_EQ(win->TakeCurrentSymbol(), nullptr);
}

}  // namespace
