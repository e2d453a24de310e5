// Score input in the running program, on the melody of tests/app/data:
// clicks with the quarter-note tool place notes at the pitches of the
// points, Delete and a right click while the left button holds a note
// remove it, Ctrl+Z brings it back and greys Edit > Undo once the list is
// empty, Shift + drag makes a block that Ctrl+C and Ctrl+V copy, and a
// right click opens "ObjectRBtn", whose Staff item selects the note's staff.
// Positions come from the ASCII export, the result from the CSV export.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdOpen = 101;
constexpr uint32_t kCmdExportText = 106;
constexpr uint32_t kCmdExportCsv = 107;
constexpr uint32_t kCmdUndo = 204;
constexpr uint32_t kCmdDeselect = 205;
constexpr uint32_t kWindowBit = 0x4000;
constexpr uint32_t kCmdSelectStaff = 40;

// One symbol line of the ASCII export: "\t\tNote14   @ 230,  106 = ...".
struct sPlaced {
    std::string name;
    int32_t x = 0, y = 0;
};

// One row of the CSV export.
struct sRow {
    int32_t pitch, start, duration;
    bool operator==(const sRow &o) const { return pitch == o.pitch && start == o.start && duration == o.duration; }
    bool operator<(const sRow &o) const {
        return std::tie(start, pitch, duration) < std::tie(o.start, o.pitch, o.duration);
    }
};

// The notes the export lists inside a staff (two tabs deep), in the
// staff's order.
std::vector<sPlaced> Notes(const std::string &ascii) {
    std::vector<sPlaced> symbols;
    for (const std::string &line : test::SplitLines(ascii)) {
        if (line.size() < 3 || line[0] != '\t' || line[1] != '\t' || line[2] == '\t') continue;
        const size_t at = line.find('@');
        if (at == std::string::npos) continue;
        sPlaced placed;
        placed.name = line.substr(2, line.find(' ', 2) - 2);
        if (placed.name.compare(0, 4, "Note") != 0) continue;
        if (std::sscanf(line.c_str() + at + 1, "%d , %d", &placed.x, &placed.y) != 2) continue;
        symbols.push_back(placed);
    }
    return symbols;
}

// The first staff the export lists: "\tStaff   @  25,   40 size 700,  25".
struct sStaffBox {
    int32_t x = 0, y = 0, width = 0, height = 0;
    // Its five lines are four spaces apart.
    int32_t Line(int32_t i) const { return y + i * (height - 1) / 4; }
};
sStaffBox FirstStaff(const std::string &ascii) {
    sStaffBox staff;
    for (const std::string &line : test::SplitLines(ascii))
        if (line.compare(0, 7, "\tStaff ") == 0 &&
            std::sscanf(line.c_str() + line.find('@') + 1, "%d , %d size %d , %d", &staff.x, &staff.y, &staff.width,
                        &staff.height) == 4)
            break;
    return staff;
}

// The CSV's note rows (after its two header lines).
std::vector<sRow> Rows(const std::string &csv) {
    std::vector<sRow> rows;
    const std::vector<std::string> lines = test::SplitLines(csv);
    for (size_t i = 2; i < lines.size(); ++i) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t comma; (comma = lines[i].find(',', start)) != std::string::npos; start = comma + 1)
            fields.push_back(lines[i].substr(start, comma - start));
        fields.push_back(lines[i].substr(start));
        if (fields.size() < 6) continue;
        rows.push_back({std::stoi(fields[2]), std::stoi(fields[4]), std::stoi(fields[5])});
    }
    return rows;
}

std::vector<sRow> Sorted(std::vector<sRow> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string Show(const std::vector<sRow> &rows) {
    std::string text;
    for (const sRow &row : rows)
        text += "(" + std::to_string(row.pitch) + "," + std::to_string(row.start) + "," +
                std::to_string(row.duration) + ")";
    return text;
}

// The melody: C, D and E, a quarter, a quarter and a half.
const std::vector<sRow> kMelody = {{0, 0, 480}, {5, 480, 480}, {10, 960, 960}};

class ScoreInput : public cRunningProgram {
protected:
    // The melody opened, the quarter-note tool pressed and the melody's
    // notes read from the ASCII export.
    void OpenMelody(const char *name) {
        Use(name);
        sStart how;
        how.fileAnswers.push_back(CopyIn("tests/app/data/melody.pmr", u"melody.pmr"));
        for (int i = 0; i < kExports; ++i) how.fileAnswers.push_back(folder + u"export" + FormatInt(i) + u".out");
        Launch(how);
        score = ScoreWindow();
        ASSERT_NE(score, nullptr);
        PostCommand(frame, kCmdOpen);
        Settled();
        ASSERT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(folder + u"melody.pmr"));
        PressQuarterNoteTool();
        const std::string ascii = Export(kCmdExportText);
        melody = Notes(ascii);
        ASSERT_EQ(melody.size(), 3u) << "the melody's three notes";
        staff = FirstStaff(ascii);
        ASSERT_GT(staff.height, 4) << ascii;
    }

    // The palette starts on the Notes page: its buttons are walked from the
    // left until the quarter note is pressed (the log names each tool).
    void PressQuarterNoteTool() {
        HWND palette = FindWindowExW(frame, nullptr, L"Tool_Bar_Window", nullptr);
        ASSERT_NE(palette, nullptr);
        RECT box{};
        GetClientRect(palette, &box);
        const int32_t y = (box.bottom - box.top) / 2;
        for (int32_t x = 4; x < box.right; x += 9) {
            const size_t from = Log().size();
            PostClick(palette, x, y);
            Settled();
            const std::string log = Log().substr(from);
            if (log.find("(Tool=Note14)") != std::string::npos) return;
        }
        FAIL() << "no quarter-note button on the palette";
    }

    // The export of the command into the next answered file, read back.
    std::string Export(uint32_t command) {
        EXPECT_LT(exports, kExports);
        const std::u16string path = folder + u"export" + FormatInt(exports++) + u".out";
        PostCommand(frame, command);
        Settled();
        return ReadFile(path);
    }
    // The CSV export of what is selected and what follows it.
    std::vector<sRow> CsvFromSelection() { return Rows(Export(kCmdExportCsv)); }
    // The CSV export of the whole score: the export starts at the selected
    // symbol, so Edit > Deselect goes first.
    std::vector<sRow> CsvRows() {
        PostCommand(frame, kCmdDeselect);
        return CsvFromSelection();
    }

    // A control key as the user types it: the character that Ctrl and the
    // letter give, with Ctrl held.
    void Ctrl(char letter) {
        program.SetModifiers(frame, cProgram::kCtrl);
        PostMessageW(score, WM_CHAR, WPARAM(letter & 0x1F), 1);
        program.SetModifiers(frame, 0);
    }

    bool UndoEnabled() {
        const tStateDump dump = Settled();
        const sStateLine *undo = MenuItem(dump, kCmdUndo);
        EXPECT_NE(undo, nullptr);
        return undo && undo->fields[3] == "1";
    }

    // The popup's items as the state dump lists them: (id, label).
    std::vector<std::pair<uint32_t, std::string>> Popup() {
        std::vector<std::pair<uint32_t, std::string>> items;
        for (const sStateLine &line : LinesOf(Settled(), "popup"))
            if (line.fields.size() >= 3 && line.fields[0] == "ObjectRBtn")
                items.emplace_back(uint32_t(std::stoul(line.fields[1])), line.fields[2]);
        return items;
    }
    // A right click opens the popup, which runs its own loop: the state
    // channel is not answered until the keys have closed it.
    HWND RightClickMenu(int32_t x, int32_t y) {
        PostRightClick(score, x, y);
        return program.WaitForWindowOf(u"#32768", nullptr, 10000);
    }
    void CloseMenu(HWND menu, const std::vector<uint32_t> &keys) {
        for (uint32_t key : keys) PostKey(menu, key);
        EXPECT_TRUE(WaitUntil([menu] { return !IsWindowVisible(menu); }, 10000)) << "the popup stayed open";
    }

    void Screenshot(const char16_t *name) { SaveScreenshot(frame, folder + name); }

    static constexpr int kExports = 12;
    HWND score = nullptr;
    std::vector<sPlaced> melody;
    sStaffBox staff;
    int exports = 0;
};

TEST_F(ScoreInput, ClicksPlaceNotesThatDeleteAndBothButtonsRemoveAndCtrlZRestores) {
    OpenMelody("input_clicks");
    EXPECT_EQ(CsvRows(), kMelody);
    // Three clicks right of the melody, at the heights of its C, D and E.
    const int32_t x0 = melody.back().x + 40;
    for (int32_t i = 0; i < 3; ++i) PostClick(score, x0 + 30 * i, melody[size_t(i)].y);
    Settled();
    Screenshot(u"three_notes.bmp");
    const std::vector<sPlaced> placed = Notes(Export(kCmdExportText));
    ASSERT_EQ(placed.size(), 6u);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(placed[size_t(3 + i)].name, "Note14") << i;
        EXPECT_EQ(placed[size_t(3 + i)].x, x0 + 30 * i) << i;
        EXPECT_EQ(placed[size_t(3 + i)].y, melody[size_t(i)].y) << i;
    }
    std::vector<sRow> six = kMelody;
    six.insert(six.end(), {{0, 1920, 480}, {5, 2400, 480}, {10, 2880, 480}});
    const std::vector<sRow> rows = CsvRows();
    ASSERT_EQ(rows, six) << Show(rows);

    // A click on the middle one takes it; Delete removes it, Ctrl+Z brings
    // it back.
    const sPlaced &d = placed[4];
    PostClick(score, d.x + 2, d.y);
    PostKey(score, VK_DELETE);
    // The notes follow one another: the E now starts where the D did.
    const std::vector<sRow> five = {{0, 0, 480}, {5, 480, 480}, {10, 960, 960}, {0, 1920, 480}, {10, 2400, 480}};
    EXPECT_EQ(CsvRows(), five) << "Delete";
    Ctrl('Z');
    EXPECT_EQ(CsvRows(), six) << "Delete, Ctrl+Z";

    // A right click while the left button holds the last note deletes it;
    // the rest of the drag leaves it alone.  Ctrl+Z brings it back.
    const sPlaced &e = placed[5];
    PostMessageW(score, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(e.x + 2, e.y));
    PostMessageW(score, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(e.x + 2, e.y));
    PostMessageW(score, WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(e.x + 2, e.y));
    PostMessageW(score, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(e.x + 12, e.y - 6));
    PostMessageW(score, WM_LBUTTONUP, 0, MAKELPARAM(e.x + 12, e.y - 6));
    Settled();
    EXPECT_EQ(program.WaitForWindowOf(u"#32768", nullptr, 0), nullptr) << "no popup while the left button is held";
    std::vector<sRow> withoutE = six;
    withoutE.pop_back();
    EXPECT_EQ(CsvRows(), withoutE) << "both buttons";
    Ctrl('Z');
    EXPECT_EQ(CsvRows(), six) << "both buttons, Ctrl+Z";
}

// Each click is a record of the undo list; the Ctrl+Z that takes the last
// one greys Edit > Undo.  (A click enables it with the next paint, which
// comes once the program has nothing else to do.)
TEST_F(ScoreInput, CtrlZThatEmptiesTheUndoListGreysEditUndo) {
    OpenMelody("input_undo");
    EXPECT_FALSE(UndoEnabled()) << "a score just opened has nothing to undo";
    const int32_t x = melody.back().x + 40;
    PostClick(score, x, melody[0].y);
    PostClick(score, x + 30, melody[1].y);
    EXPECT_TRUE(WaitUntil([this] { return UndoEnabled(); }, 10000));
    Ctrl('Z');
    EXPECT_TRUE(UndoEnabled()) << "one record is left";
    Ctrl('Z');
    EXPECT_FALSE(UndoEnabled());
    EXPECT_EQ(CsvRows(), kMelody);
}

// A block spans the staff's height: three notes are placed on its lines
// right of the melody (D, B and G), and Shift + drag across the first two
// marks them.  Ctrl+C copies them and Ctrl+V adds the copies at the mark,
// each beside its original.
TEST_F(ScoreInput, ShiftDragMakesABlockThatCtrlCAndCtrlVCopy) {
    OpenMelody("input_block");
    const int32_t x0 = melody.back().x + 40;
    for (int32_t i = 0; i < 3; ++i) PostClick(score, x0 + 30 * i, staff.Line(i + 1));
    std::vector<sRow> placed = kMelody;
    placed.insert(placed.end(), {{40, 1920, 480}, {30, 2400, 480}, {20, 2880, 480}});
    ASSERT_EQ(CsvRows(), placed);

    program.SetModifiers(frame, cProgram::kShift);
    PostDrag(score, x0 - 10, staff.Line(0) - 4, x0 + 45, staff.Line(4) + 4);
    program.SetModifiers(frame, 0);
    Settled();
    Screenshot(u"block.bmp");
    Ctrl('C');
    Ctrl('V');
    Settled();
    Screenshot(u"pasted.bmp");
    const std::vector<sRow> rows = CsvRows();
    std::vector<sRow> want = placed;
    want.insert(want.end(), {placed[3], placed[4]});
    EXPECT_EQ(Sorted(rows), Sorted(want)) << Show(rows);
}

// On the selected note the popup offers Deselect; elsewhere (where the
// right click ends the selection) it does not.  Its Staff item selects the
// note's staff.
TEST_F(ScoreInput, TheRightClickPopupOffersDeselectOnTheSelectedNoteAndSelectsItsStaff) {
    OpenMelody("input_popup");
    const sPlaced &e = melody[2];
    const std::pair<uint32_t, std::string> deselect{kWindowBit | kCmdDeselect, "Deselect"};
    const std::pair<uint32_t, std::string> staff{kWindowBit | kCmdSelectStaff, "Staff"};

    PostClick(score, e.x + 2, e.y);  // takes the E, which stays selected
    EXPECT_EQ(CsvFromSelection(), std::vector<sRow>({{10, 0, 960}})) << "the export starts at the E";
    HWND menu = RightClickMenu(e.x + 2, e.y);
    ASSERT_NE(menu, nullptr);
    Screenshot(u"popup.bmp");
    CloseMenu(menu, {VK_ESCAPE});
    const auto onSelected = Popup();
    ASSERT_FALSE(onSelected.empty());
    EXPECT_EQ(onSelected.front(), deselect);
    const auto staffItem = std::find(onSelected.begin(), onSelected.end(), staff);
    ASSERT_NE(staffItem, onSelected.end());

    // On the C, which is not selected: no Deselect, the Staff item still.
    menu = RightClickMenu(melody[0].x + 2, melody[0].y);
    ASSERT_NE(menu, nullptr);
    CloseMenu(menu, {VK_ESCAPE});
    const auto elsewhere = Popup();
    EXPECT_EQ(std::count(elsewhere.begin(), elsewhere.end(), deselect), 0);
    EXPECT_EQ(std::count(elsewhere.begin(), elsewhere.end(), staff), 1);

    // The E again, and its Staff item chosen by the keys: the staff is
    // selected, and the export starts at it.
    PostClick(score, e.x + 2, e.y);
    menu = RightClickMenu(e.x + 2, e.y);
    ASSERT_NE(menu, nullptr);
    const size_t from = Log().size();
    std::vector<uint32_t> keys(size_t(staffItem - onSelected.begin() + 1), VK_DOWN);
    keys.push_back(VK_RETURN);
    CloseMenu(menu, keys);
    EXPECT_NE(WaitForLogAfter("Select Staff", from), std::string::npos) << Log().substr(from);
    Screenshot(u"staff_selected.bmp");
    EXPECT_EQ(CsvFromSelection(), kMelody);
}

}  // namespace
