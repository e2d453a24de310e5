// The default controls a dialog gives the items of its template that the
// caller bound to nothing: push buttons for OK and Cancel, a help button
// with the dialog's topic for Help, a centred label for anything else; an
// item that already has a control keeps it.
#include <gtest/gtest.h>

#include <string>

#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/text_controls.h"

namespace {

TEST(AdoptDialogItem, TemplateItemsGetTheirDefaultControlOnce) {
    cDialogBox dialog(nullptr, 1005, 1053);
    cPushButton *bound = dialog.NewPushButton(1);
    EXPECT_EQ(dialog.AdoptDialogItem(1, 0x50010001), bound);
    EXPECT_EQ(dialog.Controls().size(), 1u);

    struct sCase {
        uint32_t id;
        uint32_t style;
        const char16_t *kind;
    };
    const sCase cases[] = {
        {2, 0x50010000, u"PUSHBUTTON"},
        {9, 0x50010000, u"PUSHBUTTON"},
        {0x686D, 0x50000001, u"CENTERTEXT"},
        {104, 0x50000000, u"CENTERTEXT"},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.id);
        cGuiControl *made = dialog.AdoptDialogItem(c.id, c.style);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(dialog.FindControl(c.id), made);
        EXPECT_EQ(std::u16string(made->GetName()), c.kind);
        EXPECT_EQ(made->GetWindowStyle(), c.style);  // the item's own style
        EXPECT_EQ(made->GetOwner(), &dialog);
        EXPECT_GT(made->IsOpen(), 0);
        // Asked again, the item keeps the control it got.
        EXPECT_EQ(dialog.AdoptDialogItem(c.id, 0), made);
    }
    EXPECT_EQ(dialog.Controls().size(), 5u);
    EXPECT_NE(dynamic_cast<cPushButton *>(dialog.FindControl(2)), nullptr);
    auto *help = dynamic_cast<cHelpButton *>(dialog.FindControl(9));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->GetTopic(), 1053u);
    EXPECT_TRUE(dialog.FindControl(0x686D)->IsStaticText());
}

}  // namespace
