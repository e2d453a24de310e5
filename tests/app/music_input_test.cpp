// Score input in the score window: clicks place the palette's tool (the
// block tool while Shift is held), moves drag and show the position, the
// release ends the edit, a right click with the left button held deletes
// the held symbol, keys copy, cut and paste blocks or go to the score, and
// the right-click popup "ObjectRBtn" with its staff and brace items.  What
// the clicks make is read back as the CSV export lists it.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document/block_mark.h"
#include "document/undo_list.h"
#include "notation/palette.h"
#include "notation/symbol_classes.h"
#include "tests/app/music_window_fixture.h"
#include "ui/menu_item.h"

namespace {

using test::S;

constexpr int16_t kQuarterId = Note14::kClassId;
constexpr int16_t kBlockId = 185;
constexpr uint32_t kCmdPaste = 202;
constexpr uint32_t kCmdUndo = 204;
constexpr uint32_t kCmdDeselect = 205;
constexpr uint32_t kWindowBit = 0x4000;

// The frame keeps the popup's place instead of showing it: a shown popup
// would wait for the user.
class cPopupFrame : public test::cTestFrame {
public:
    tStatus TrackPopupMenu(int32_t x, int32_t y, cDispDvcBase *window) override {
        ++shown;
        shownX = x;
        shownY = y;
        shownOver = window;
        return cViewPortBase::TrackPopupMenu(x, y, window);
    }
    int32_t shown = 0, shownX = 0, shownY = 0;
    cDispDvcBase *shownOver = nullptr;
};

// The palette as far as the window asks it: the one current tool.
class cOneToolHost : public cPaletteHost {
public:
    cMusicToolBarItem *GetCurrentTool() override { return tool.get(); }
    bool IsPopupPaletteActive() override { return false; }
    void SelectPalettePage(uint32_t) override {}
    std::unique_ptr<cMusicToolBarItem> tool;
};

// The status part of a position: "Pos", x in 4 places, y in 5.
std::u16string PosText(int32_t x, int32_t y) {
    auto pad = [](int32_t v, size_t width) {
        std::u16string text = FormatInt(v);
        return text.size() >= width ? text : std::u16string(width - text.size(), u' ') + text;
    };
    return u"Pos " + pad(x, 4) + u"," + pad(y, 5);
}

struct sItem {
    std::u16string label;
    uint32_t id;
    std::u16string hint;
    bool operator==(const sItem &o) const { return label == o.label && id == o.id && hint == o.hint; }
};
std::ostream &operator<<(std::ostream &out, const sItem &item) {
    return out << "{" << std::string(item.label.begin(), item.label.end()) << ", " << item.id << ", "
               << std::string(item.hint.begin(), item.hint.end()) << "}";
}

// One note line of the CSV export: pitch (0 is middle C, 5 a step), the
// equal-tempered semitone, the start tick and the length.
struct sNote {
    int32_t pitch, semitone, start, duration;
    bool operator==(const sNote &o) const {
        return pitch == o.pitch && semitone == o.semitone && start == o.start && duration == o.duration;
    }
};
std::ostream &operator<<(std::ostream &out, const sNote &n) {
    return out << "{" << n.pitch << ", " << n.semitone << ", " << n.start << ", " << n.duration << "}";
}

class MusicInputTest : public test::MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        // The window is made again over a frame that keeps its popup.
        // The old frame takes the main menu with it, so it goes first.
        win.reset();
        frame.reset();
        frame = std::make_unique<cPopupFrame>();
        popupFrame = static_cast<cPopupFrame *>(frame.get());
        win = std::make_unique<MusicWin>(frame.get());
        ASSERT_EQ(win->Open(), RC_OK);
        score = win->GetScore();
        staff = dynamic_cast<StaffObject *>(FirstStaff());
        ASSERT_NE(staff, nullptr);
        win->SetPaletteHost(&host);
        folder = test::MakeTempFolder("music_input");
    }
    void TearDown() override {
        gOpSys->SetTestModifiers(0);
        gOpSys->SetScriptedFileAnswers({});
        win->SetPaletteHost(nullptr);
        host.tool.reset();
        test::RemoveTree(folder);
        MusicWinTest::TearDown();
    }

    void UseTool(int16_t classId) { host.tool = std::make_unique<cMusicToolBarItem>(0, 0, classId, win.get()); }

    // The messages as the router hands them over: points in document units,
    // the client position in the record's lParam.
    void LeftDown(int32_t x, int32_t y) {
        sWinMessage record(kMsgLeftDown, kMouseLeftButtonBit, 0);
        win->OnLeftDown(x, y, record);
    }
    void MoveTo(int32_t x, int32_t y, bool leftHeld = true) {
        sWinMessage record(kMsgMouseMove, leftHeld ? kMouseLeftButtonBit : 0, 0);
        win->OnMouseMove(x, y, record);
    }
    void LeftUp(int32_t x, int32_t y) {
        sWinMessage record(kMsgLeftUp, 0, 0);
        win->OnLeftUp(x, y, record);
    }
    void Click(int32_t x, int32_t y) {
        LeftDown(x, y);
        LeftUp(x, y);
    }
    void Drag(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        LeftDown(x0, y0);
        MoveTo((x0 + x1) / 2, (y0 + y1) / 2);
        MoveTo(x1, y1);
        LeftUp(x1, y1);
    }
    // MK_RBUTTON (2), with MK_LBUTTON (1) while the left button is held.
    void RightDown(int32_t x, int32_t y, bool leftHeld, int32_t clientX = 0, int32_t clientY = 0) {
        const uint32_t buttons = leftHeld ? 0x3 : 0x2;
        sWinMessage record(kMsgRightDown, buttons, tLParam((uint32_t(clientY) << 16) | (uint32_t(clientX) & 0xFFFF)));
        win->OnRightDown(x, y, record);
    }
    void Key(uint16_t key, uint32_t flags = 0) {
        sWinMessage record(kMsgChar, key, 0);
        record.flags = flags;
        win->OnKey(key, record);
    }
    void Undo() { win->OnKey(26, nullptr); }

    // The point `halfLines` half line spacings below the staff's top line,
    // `x` right of its start.
    int32_t StaffY(int32_t halfLines) { return staff->GetY() + halfLines * staff->LineSpacing() / 2; }
    int32_t StaffX(int32_t x) { return staff->GetX() + x; }

    // The score's notes as the CSV export lists them, by a scripted dialog.
    // The export plays from the selected symbol on: for the whole score the
    // selection is put aside while it runs.
    std::vector<sNote> Notes() {
        const std::u16string path = folder + u"notes" + FormatInt(++exports) + u".csv";
        gOpSys->SetScriptedFileAnswers({path});
        cPObjPoint *selected = gSelectedObject;
        gSelectedObject = nullptr;
        win->OnExportCsv();
        gSelectedObject = selected;
        std::vector<sNote> notes;
        const std::vector<std::string> lines = test::SplitLines(test::ReadFileBytes(path));
        EXPECT_GE(lines.size(), 2u) << "the two heading lines";
        for (size_t i = 2; i < lines.size(); ++i) {
            std::vector<std::string> fields;
            size_t from = 0;
            for (size_t comma; (comma = lines[i].find(',', from)) != std::string::npos; from = comma + 1)
                fields.push_back(lines[i].substr(from, comma - from));
            fields.push_back(lines[i].substr(from));
            EXPECT_EQ(fields.size(), 9u) << lines[i];
            if (fields.size() != 9u) continue;
            notes.push_back({std::stoi(fields[2]), std::stoi(fields[3]), std::stoi(fields[4]), std::stoi(fields[5])});
        }
        return notes;
    }
    // The score as File > Export > ASCII writes it.
    std::string TextExport() {
        const std::u16string path = folder + u"score" + FormatInt(++exports) + u".txt";
        gOpSys->SetScriptedFileAnswers({path});
        win->OnExportText();
        return test::ReadFileBytes(path);
    }
    std::vector<cPObjPoint *> StaffOrder() {
        std::vector<cPObjPoint *> order;
        for (uint16_t i = 0; i < staff->GetChildCount(); ++i) order.push_back(staff->GetChild(i));
        return order;
    }
    int32_t UndoRecords() { return gPointUndo ? gPointUndo->GetRecordCount() : 0; }
    // Three quarter notes C4, D4, E4 placed by clicks left to right.
    void ClickThreeNotes() {
        UseTool(kQuarterId);
        Click(StaffX(100), StaffY(10));
        Click(StaffX(140), StaffY(9));
        Click(StaffX(180), StaffY(8));
    }
    std::vector<sItem> PopupItems() {
        std::vector<sItem> items;
        cSubMenuBase *popup = frame->GetPopupMenu();
        if (!popup) return items;
        for (int32_t i = 0; i < popup->GetItemCount(); ++i) {
            cMenuItemBase *item = popup->GetItem(i);
            items.push_back({S(item->GetPlainLabel()), item->GetId(), S(item->GetHint())});
        }
        return items;
    }

    cOneToolHost host;
    cPopupFrame *popupFrame = nullptr;
    ScoreObject *score = nullptr;
    StaffObject *staff = nullptr;
    std::u16string folder;
    int32_t exports = 0;
};

const std::vector<sNote> kThreeNotes = {{0, 0, 0, 480}, {5, 2, 480, 480}, {10, 4, 960, 480}};

TEST_F(MusicInputTest, ClicksWithTheQuarterNoteToolPlaceNotesAtThePointsPitches) {
    ASSERT_TRUE(Notes().empty());
    const int32_t undoBefore = UndoRecords();
    ClickThreeNotes();
    EXPECT_EQ(Notes(), kThreeNotes);
    EXPECT_GT(UndoRecords(), undoBefore) << "the placing can be undone";
    ASSERT_NE(gSelectedObject, nullptr) << "the last note placed is selected";
    EXPECT_EQ(gSelectedObject->GetTypeId(), kQuarterId);
    EXPECT_EQ(gHoverObject, nullptr) << "the release ends the edit";
    EXPECT_EQ(frame->Part(0).substr(0, 5), u"Edit:") << "the release writes the status";
}

TEST_F(MusicInputTest, WithoutAToolAClickPicksAndADragMovesTheNote) {
    ClickThreeNotes();
    host.tool.reset();
    const uint32_t symbols = score->CountDescendants();
    // On empty paper nothing is placed.
    Click(StaffX(100), StaffY(-12));
    EXPECT_EQ(score->CountDescendants(), symbols);
    EXPECT_EQ(Notes(), kThreeNotes);

    // The D, grabbed by its left half, is dragged past the E: it now
    // comes last, and the status shows where the mouse is.
    Drag(StaffX(140), StaffY(9), StaffX(210), StaffY(9));
    EXPECT_EQ(score->CountDescendants(), symbols);
    const std::vector<sNote> moved = {{0, 0, 0, 480}, {10, 4, 480, 480}, {5, 2, 960, 480}};
    EXPECT_EQ(Notes(), moved);
    EXPECT_EQ(frame->Part(1), PosText(StaffX(210), StaffY(9)));
    // Ctrl+Z puts it back where it was, and back between the C and the E.
    cPObjPoint *d = gSelectedObject;
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetX(), StaffX(210));
    Undo();
    EXPECT_EQ(d->GetX(), StaffX(140));
    EXPECT_EQ(d->GetY(), StaffY(9));
    EXPECT_EQ(Notes(), kThreeNotes);
}

// The exports walk the staff's symbols in their order, which the end of a
// drag re-sorts: Ctrl+Z gives back the order the staff had, and so the same
// CSV and ASCII exports as before the drag.
TEST_F(MusicInputTest, UndoingADragGivesBackTheStaffsOrderAndTheSameExports) {
    struct sCase {
        const char *name;
        int32_t fromX, toX, halfLines;
        std::vector<int32_t> pitchesAfterDrag;
    };
    const sCase cases[] = {
        {"the D past the E", 140, 210, 9, {0, 10, 5}},
        {"the E before the C", 180, 70, 8, {10, 0, 5}},
        {"the C past both", 100, 230, 10, {5, 10, 0}},
    };
    ClickThreeNotes();
    host.tool.reset();
    const std::vector<cPObjPoint *> order = StaffOrder();
    const std::string text = TextExport();
    ASSERT_NE(text.find("[file]"), std::string::npos) << text;
    ASSERT_EQ(Notes(), kThreeNotes);
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        Drag(StaffX(c.fromX), StaffY(c.halfLines), StaffX(c.toX), StaffY(c.halfLines));
        std::vector<int32_t> pitches;
        for (const sNote &n : Notes()) pitches.push_back(n.pitch);
        ASSERT_EQ(pitches, c.pitchesAfterDrag) << "the drag reorders the staff";
        EXPECT_NE(TextExport(), text) << "the text shows the drag";
        Undo();
        EXPECT_EQ(StaffOrder(), order);
        EXPECT_EQ(Notes(), kThreeNotes);
        EXPECT_EQ(TextExport(), text);
    }
}

TEST_F(MusicInputTest, ARightClickWhileTheLeftButtonHoldsANoteDeletesItUndoably) {
    ClickThreeNotes();
    host.tool.reset();
    LeftDown(StaffX(140), StaffY(9));
    ASSERT_NE(gHoverObject, nullptr);
    RightDown(StaffX(140), StaffY(9), true);
    EXPECT_EQ(popupFrame->shown, 0) << "no popup";
    // The rest of the drag and the release leave the deleted note alone.
    MoveTo(StaffX(150), StaffY(6));
    LeftUp(StaffX(150), StaffY(6));
    const std::vector<sNote> twoNotes = {{0, 0, 0, 480}, {10, 4, 480, 480}};
    EXPECT_EQ(Notes(), twoNotes);
    Undo();
    EXPECT_EQ(Notes(), kThreeNotes);

    // A note just placed and still held goes the same way.
    UseTool(kQuarterId);
    LeftDown(StaffX(220), StaffY(7));
    RightDown(StaffX(220), StaffY(7), true);
    LeftUp(StaffX(220), StaffY(7));
    EXPECT_EQ(Notes(), kThreeNotes);
}

// The CSV list plays from the selected symbol: with the last placed note
// selected it lists that note alone, after Edit > Deselect the whole score.
TEST_F(MusicInputTest, DeselectLeavesNothingSelectedSoTheListCoversTheScore) {
    auto listedNotes = [this] {
        const std::u16string path = folder + u"as_is" + FormatInt(++exports) + u".csv";
        gOpSys->SetScriptedFileAnswers({path});
        win->OnExportCsv();
        return test::SplitLines(test::ReadFileBytes(path)).size() - 2;
    };
    ClickThreeNotes();
    ASSERT_NE(gSelectedObject, nullptr);
    EXPECT_EQ(listedNotes(), 1u);
    win->SetRightClicked(staff);
    Paint();
    EXPECT_TRUE(Enabled(kCmdDeselect));

    EXPECT_EQ(Command(kCmdDeselect), RC_OK);
    EXPECT_EQ(gSelectedObject, nullptr);
    EXPECT_EQ(gFocusObject, nullptr);
    EXPECT_EQ(gHoverObject, nullptr);
    EXPECT_EQ(win->GetRightClicked(), nullptr);
    EXPECT_EQ(listedNotes(), 3u);
    EXPECT_EQ(Notes(), kThreeNotes) << "the notes stay";
    Paint();
    EXPECT_FALSE(Enabled(kCmdDeselect));
    // With nothing selected, and as the popup's copy of the item, it only
    // forgets the right click.
    win->SetRightClicked(staff);
    EXPECT_EQ(Command(kCmdDeselect | kWindowBit), RC_OK);
    EXPECT_EQ(gSelectedObject, nullptr);
    EXPECT_EQ(win->GetRightClicked(), nullptr);
}

TEST_F(MusicInputTest, UndoThatEmptiesTheListGreysEditUndoAtOnce) {
    ClickThreeNotes();
    Paint();
    EXPECT_TRUE(Enabled(kCmdUndo));
    for (int32_t guard = 0; UndoRecords() > 1 && guard < 50; ++guard) {
        Undo();
        EXPECT_TRUE(Enabled(kCmdUndo)) << "records are left";
    }
    ASSERT_EQ(UndoRecords(), 1);
    Undo();
    EXPECT_FALSE(Enabled(kCmdUndo));
    EXPECT_TRUE(Notes().empty());
    // With the special-key flag the code is the same and the path too.
    Paint();
    Key(26, KEY_SPECIAL);
    EXPECT_FALSE(Enabled(kCmdUndo));
}

TEST_F(MusicInputTest, ShiftDragMakesABlockThatTheKeysCopyPasteAndCut) {
    // C5, B4 and A4: a block spans the staff's height, so these lie in it.
    UseTool(kQuarterId);
    Click(StaffX(100), StaffY(3));
    Click(StaffX(140), StaffY(4));
    Click(StaffX(180), StaffY(5));
    const std::vector<sNote> placed = {{35, 12, 0, 480}, {30, 11, 480, 480}, {25, 9, 960, 480}};
    ASSERT_EQ(Notes(), placed);

    // Shift: the block tool whatever tool is current; nothing is placed.
    gOpSys->SetTestModifiers(cOpSysBase::kTestShift);
    LeftDown(StaffX(80), StaffY(-2));
    ASSERT_NE(gHoverObject, nullptr);
    EXPECT_EQ(gHoverObject->GetTypeId(), kBlockId);
    MoveTo(StaffX(120), StaffY(4));
    MoveTo(StaffX(160), StaffY(12));
    LeftUp(StaffX(160), StaffY(12));
    gOpSys->SetTestModifiers(0);
    ASSERT_NE(gCurrentBlockMark, nullptr);
    EXPECT_EQ(Notes(), placed);

    // With the special-key flag, 3 and 22 are cursor keys for the score.
    Key(3, KEY_SPECIAL);
    EXPECT_EQ(gBlockClipboard, nullptr);
    Key(22, KEY_SPECIAL);
    EXPECT_EQ(Notes(), placed);

    // Ctrl+C copies the C and the B, and Edit > Paste is offered at once;
    // Ctrl+V adds copies at the mark.
    EXPECT_FALSE(Enabled(kCmdPaste));
    Key(3);
    ASSERT_NE(gBlockClipboard, nullptr);
    EXPECT_TRUE(Enabled(kCmdPaste));
    EXPECT_EQ(gBlockClipboard->GetChildCount(), 2);
    Key(22);
    const std::vector<sNote> pasted = {
        {35, 12, 0, 480}, {35, 12, 0, 480}, {30, 11, 480, 480}, {30, 11, 480, 480}, {25, 9, 960, 480}};
    EXPECT_EQ(Notes(), pasted);

    // Ctrl+X takes everything the mark covers out; the A is left.
    Key(24);
    const std::vector<sNote> left = {{25, 9, 0, 480}};
    EXPECT_EQ(Notes(), left);
}

TEST_F(MusicInputTest, TheBlockKeysWithoutABlockChangeNothing) {
    ClickThreeNotes();
    ASSERT_EQ(gCurrentBlockMark, nullptr);
    for (uint16_t key : {3, 22, 24}) Key(key);
    EXPECT_EQ(gBlockClipboard, nullptr);
    EXPECT_EQ(Notes(), kThreeNotes);
}

TEST_F(MusicInputTest, WhileBusyTheMouseOnlyMovesThePosition) {
    UseTool(kQuarterId);
    const uint32_t before = score->CountDescendants();
    const int32_t undoBefore = UndoRecords();
    win->SetBusy(true);
    LeftDown(StaffX(100), StaffY(10));
    MoveTo(StaffX(105), StaffY(8));
    RightDown(StaffX(105), StaffY(8), true);
    LeftUp(StaffX(105), StaffY(8));
    RightDown(StaffX(105), StaffY(8), false);
    EXPECT_EQ(score->CountDescendants(), before);
    EXPECT_EQ(UndoRecords(), undoBefore);
    EXPECT_EQ(gHoverObject, nullptr);
    EXPECT_EQ(popupFrame->shown, 0);
    EXPECT_EQ(win->GetRightClicked(), nullptr);
    // The position is kept, and shown once the window is free again.
    win->SetBusy(false);
    MoveTo(StaffX(105), StaffY(8), false);
    EXPECT_EQ(frame->Part(1), PosText(StaffX(105), StaffY(8)));
    Click(StaffX(100), StaffY(10));
    EXPECT_EQ(Notes().size(), 1u);
}

TEST_F(MusicInputTest, ThePopupOffersWhatThePickedSymbolAllows) {
    ClickThreeNotes();
    cPObjPoint *e = gSelectedObject;
    ASSERT_NE(e, nullptr);
    const bool classSetup = e->HasClassSetup() == 0;
    const bool objectSetup = e->HasObjectSetup() == 0;
    // Items of main-menu commands take the command's hint; the popup's own
    // commands have their own.
    gMainMenu->FindById(205)->SetHint(u"Deselect (unhighlight) everything");
    gMainMenu->FindById(701)->SetHint(u"Display help for the selected symbol");
    const sItem deselect{u"Deselect", 205 | kWindowBit, u"Deselect (unhighlight) everything"};
    const sItem setupDraw{u"Setup Draw", 600 | kWindowBit, S(gMainMenu->FindById(600)->GetHint())};
    const sItem properties{u"Properties", 601 | kWindowBit, S(gMainMenu->FindById(601)->GetHint())};
    const sItem staffItem{u"Staff", 40 | kWindowBit, u"Select the staff"};
    const sItem brace{u"Brace", 41 | kWindowBit, u"Select the brace"};
    const sItem help{u"Help", 701 | kWindowBit, u"Display help for the selected symbol"};

    // On the selected note: Deselect, and Properties when it has them.
    RightDown(StaffX(180), StaffY(8), false, 300, 40);
    std::vector<sItem> want = {deselect};
    if (classSetup) want.push_back(setupDraw);
    if (objectSetup) want.push_back(properties);
    want.insert(want.end(), {staffItem, help});
    EXPECT_EQ(PopupItems(), want);
    EXPECT_EQ(S(frame->GetPopupMenu()->GetPlainLabel()), u"ObjectRBtn");
    EXPECT_EQ(win->GetRightClicked(), e);
    EXPECT_EQ(gSelectedObject, e) << "the selection stays";
    EXPECT_EQ(popupFrame->shown, 1);
    EXPECT_EQ(popupFrame->shownX, 310);
    EXPECT_EQ(popupFrame->shownY, 50);
    EXPECT_EQ(popupFrame->shownOver, win.get());

    // On another note: the selection goes first, so no Deselect and no
    // Properties; in a score with a brace the Brace item comes too.
    gScoreStaffFlags = 1;
    RightDown(StaffX(100), StaffY(10), false);
    EXPECT_EQ(gSelectedObject, nullptr);
    ASSERT_NE(win->GetRightClicked(), nullptr);
    EXPECT_EQ(win->GetRightClicked()->GetTypeId(), kQuarterId);
    want.clear();
    if (classSetup) want.push_back(setupDraw);
    want.insert(want.end(), {staffItem, brace, help});
    EXPECT_EQ(PopupItems(), want);
    gScoreStaffFlags = 0;

    // On empty paper: an empty popup, still shown.
    RightDown(StaffX(100), StaffY(-30), false);
    EXPECT_TRUE(PopupItems().empty());
    EXPECT_EQ(win->GetRightClicked(), nullptr);
    EXPECT_EQ(popupFrame->shown, 3);
}

TEST_F(MusicInputTest, ThePopupsStaffItemSelectsTheStaffOfTheNoteOrTheStaffItself) {
    ClickThreeNotes();
    // From the popup of a note: the note's staff.
    RightDown(StaffX(140), StaffY(9), false);
    ASSERT_NE(win->GetRightClicked(), nullptr);
    EXPECT_EQ(win->OnInputCommand(MusicWin::kCmdSelectStaff | kWindowBit), RC_OK);
    EXPECT_EQ(gSelectedObject, staff);
    EXPECT_EQ(win->GetRightClicked(), nullptr) << "the right click serves one command";

    // From the popup of the staff (a click on its lines, off the notes):
    // the staff itself.
    RightDown(StaffX(400), StaffY(4), false);
    ASSERT_EQ(win->GetRightClicked(), staff);
    EXPECT_EQ(win->OnInputCommand(MusicWin::kCmdSelectStaff), RC_OK);
    EXPECT_EQ(gSelectedObject, staff);

    // Brace on a note without one: the selection is cleared, nothing taken.
    RightDown(StaffX(140), StaffY(9), false);
    EXPECT_EQ(win->OnInputCommand(MusicWin::kCmdSelectBrace | kWindowBit), RC_OK);
    EXPECT_EQ(gSelectedObject, nullptr);

    // Other ids are not the popup's; a key forgets the right click.
    EXPECT_EQ(win->OnInputCommand(42), RC_FAIL);
    EXPECT_EQ(win->OnInputCommand(205 | kWindowBit), RC_FAIL);
    RightDown(StaffX(140), StaffY(9), false);
    Key(u'a');
    EXPECT_EQ(win->GetRightClicked(), nullptr);
    // And so does a left click.
    RightDown(StaffX(140), StaffY(9), false);
    host.tool.reset();
    Click(StaffX(140), StaffY(9));
    EXPECT_EQ(win->GetRightClicked(), nullptr);
}

}  // namespace
