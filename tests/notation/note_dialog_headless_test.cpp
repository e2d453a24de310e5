// The note-head dialog without a window system: a script plays the user
// while the dialog is "open".
#include <gtest/gtest.h>

#include <memory>

#include "document/music_commands.h"
#include "notation/symbol_classes.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/dialog_script.h"
#include "ui/dialog_box.h"

namespace {

class NoteDialogTest : public test::SymbolTest {};

TEST_F(NoteDialogTest, TheChosenKindGivesTheRecordTheHeadForItsClass) {
    test::cTestScoreWindow window;
    std::unique_ptr<Note14> note(new Note14);
    struct sCase {
        int16_t head, classId;
        uint32_t click;  // 0: none
        uint32_t end;    // 1 OK, 2 Cancel
        int32_t answer;
        uint32_t preselected;
        int16_t result;
    };
    const sCase cases[] = {
        {43, 25, 102, 1, 1, 101, 56},  // diamond for a stem-down quarter
        {44, 26, 102, 1, 1, 101, 57},  {45, 27, 103, 1, 1, 101, 50}, {46, 28, 104, 1, 1, 101, 46},
        {29, 29, 105, 1, 1, 101, 58},  {56, 25, 101, 1, 1, 102, 43}, {53, 26, 0, 1, 1, 103, 53},
        {49, 24, 105, 1, 1, 104, 59},  {59, 23, 102, 1, 1, 105, 56},
        {43, 68, 102, 1, 1, 101, 43},  // a class outside the notes keeps its head
        {43, 25, 102, 2, 0, 101, 43},  // Cancel keeps the record
    };
    for (const sCase &c : cases) {
        uint32_t templateId = 0, preselected = 0, radios = 0;
        test::ScriptScope scope([&](cDialogBox &d) {
            templateId = d.GetTemplateId();
            for (uint32_t id = 101; id <= 105; ++id) {
                cGuiControl *control = d.FindControl(id);
                if (!control) continue;
                ++radios;
                if (control->Item().checked == 1) preselected = id;
            }
            if (c.click) d.Command(c.click);
            d.Command(c.end);
        });
        cMusicBase::sCmdSetNoteHead record(c.head, c.classId);
        EXPECT_EQ(note->Setup(&record), c.answer) << c.head << "/" << c.click;
        EXPECT_EQ(templateId, 1026u);
        EXPECT_EQ(radios, 5u);
        EXPECT_EQ(preselected, c.preselected) << c.head;
        EXPECT_EQ(record.headGlyph, c.result) << c.head << "/" << c.click;
    }
    // Records of another family never open it.
    cMusicBase::sCmdStem stem;
    EXPECT_EQ(note->Setup(&stem), 0);
}

}  // namespace
