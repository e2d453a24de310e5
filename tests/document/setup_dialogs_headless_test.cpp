// The symbols' set-up dialogs without a window system: a script plays the
// user while a dialog is "open", through the controls' item states.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/line_symbol.h"
#include "tests/document/symbol_fixture.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "tests/support/dialog_script.h"

namespace {

using test::RaisedErrors;

class SetupDialogTest : public test::SymbolTest {};

TEST_F(SetupDialogTest, TheEditDialogChoosesMoveOrResize) {
    std::unique_ptr<ScaledObject> s(new ScaledObject);
    ScaledObject::sCmdSetupScaled record;
    {
        RaisedErrors errors;
        EXPECT_EQ(s->Setup(&record), 0);
        EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    }
    test::cTestScoreWindow window;
    struct sCase {
        int32_t start;
        uint32_t click;  // 0: none
        uint32_t end;    // 1 OK, 2 Cancel
        int32_t answer;
        int32_t mode;
    };
    const sCase cases[] = {
        {2, 26725, 1, 1, 3}, {3, 26726, 1, 1, 2}, {7, 0, 1, 1, 3},  // another mode starts as resize
        {2, 0, 1, 1, 2},     {2, 26725, 2, 0, 2},                     // Cancel keeps the record
    };
    for (const sCase &c : cases) {
        uint32_t templateId = 0, radios = 0;
        test::ScriptScope scope([&](cDialogBox &d) {
            templateId = d.GetTemplateId();
            radios = (d.FindControl(26725) ? 1 : 0) + (d.FindControl(26726) ? 1 : 0);
            if (c.click) d.Command(c.click);
            d.Command(c.end);
        });
        record.editMode = c.start;
        EXPECT_EQ(s->Setup(&record), c.answer) << c.start << "/" << c.click;
        EXPECT_EQ(record.editMode, c.mode) << c.start << "/" << c.click;
        EXPECT_EQ(templateId, 1018u);
        EXPECT_EQ(radios, 2u);
    }
    // Without a script the dialog answers Cancel; records of another family
    // never open it.
    record.editMode = 2;
    EXPECT_EQ(s->RunObjectSetup(&record), kFailed);
    cLineObject::sCmdSetupLine line;
    EXPECT_EQ(s->Setup(&line), 0);
    EXPECT_EQ(s->Setup(nullptr), 0);
}

TEST_F(SetupDialogTest, AnAcceptedClassSetUpSetsTheEditMode) {
    test::cTestScoreWindow window;
    std::unique_ptr<ScaledObject> s(new ScaledObject);
    test::ScriptScope scope([](cDialogBox &d) {
        d.Command(26726);
        d.Command(1);
    });
    gEditMode = 3;
    ScaledObject::sCmdSetupScaled record;
    s->GetClassSetup(&record);
    EXPECT_EQ(s->RunClassSetup(&record), 0);
    EXPECT_EQ(gEditMode, 2u);
}

TEST_F(SetupDialogTest, TheLineDialogStoresTheChosenWidthAndMode) {
    std::unique_ptr<cLineObject> line(new cLineObject);
    cLineObject::sCmdSetupLine record;
    {
        RaisedErrors errors;
        EXPECT_EQ(line->Setup(&record), 0);
        EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    }
    test::cTestScoreWindow window;
    struct sCase {
        const char *name;
        int32_t startMode;
        uint8_t startWidth;
        int32_t pick;    // entry index chosen, -1 none
        uint32_t click;  // radio button, 0 none
        uint32_t end;
        int32_t answer, mode;
        uint8_t width;
    };
    const sCase cases[] = {
        {"12", 3, 1, 11, 0, 1, 1, 3, 12},
        {"1", 3, 5, 0, 0, 1, 1, 3, 1},
        {"move", 3, 2, -1, 26727, 1, 1, 2, 2},
        {"resize", 2, 2, -1, 26726, 1, 1, 3, 2},
        {"other mode kept", 0x23, 4, -1, 0, 1, 1, 0x23, 4},
        {"cancel", 3, 4, 6, 26727, 2, 0, 3, 4},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::u16string> entries;
        uint32_t checkedResize = 9, checkedMove = 9;
        test::ScriptScope scope([&](cDialogBox &d) {
            auto *combo = dynamic_cast<cComboBox *>(d.FindControl(101));
            ASSERT_NE(combo, nullptr);
            entries = combo->Item().entries;
            checkedResize = d.FindControl(26726)->Item().checked;
            checkedMove = d.FindControl(26727)->Item().checked;
            if (c.pick >= 0) {
                combo->Item().selection = c.pick;
                d.Command(101, 1);
            }
            if (c.click) d.Command(c.click);
            d.Command(c.end);
        });
        record.editMode = c.startMode;
        record.lineWidth = c.startWidth;
        EXPECT_EQ(line->Setup(&record), c.answer);
        EXPECT_EQ(record.editMode, c.mode);
        EXPECT_EQ(record.lineWidth, c.width);
        ASSERT_EQ(entries.size(), 12u);
        EXPECT_EQ(entries.front(), u"1");
        EXPECT_EQ(entries.back(), u"12");
        // The buttons show the record's whole mode word: other modes check neither.
        EXPECT_EQ(checkedResize, c.startMode == 3 ? 1u : 0u);
        EXPECT_EQ(checkedMove, c.startMode == 2 ? 1u : 0u);
    }
}

TEST_F(SetupDialogTest, AnAcceptedObjectSetUpRedrawsTheWholeWindow) {
    test::cTestScoreWindow window;
    window.SetSize(200, 100);
    std::unique_ptr<cLineObject> line(new cLineObject);
    line->SetSize(5, 5);
    test::ScriptScope scope([](cDialogBox &d) {
        auto *combo = dynamic_cast<cComboBox *>(d.FindControl(101));
        combo->Item().selection = 3;
        d.Command(101, 1);
        d.Command(1);
    });
    cPObjBase::ClearOwnerRedrawArea();
    EXPECT_EQ(line->RunObjectSetup(nullptr), 0);
    EXPECT_EQ(line->GetLineWidth(), 4);
    EXPECT_EQ(cLineObject::GetDefaultLineWidth(), 4);
    EXPECT_EQ(gOwnerRedrawArea.width, window.GetWidth());
}

}  // namespace
