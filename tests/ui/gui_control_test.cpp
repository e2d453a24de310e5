// Controls without their windows: translation keys, buddies, the event
// handler, access by id, the check-box bit allocator, the default value
// conversions and the texts of list selections that name no entry.
#include <gtest/gtest.h>

#include <string>

#include "foundation/string_array.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"
#include "ui/text_controls.h"

namespace {

std::u16string S(const char16_t *text) { return text ? text : u"<null>"; }

TEST(TranslationKeys, DialogAndControlKeysUseTheMaskedIdAndShareOkCancelHelp) {
    struct sCase {
        uint32_t templateId;
        uint32_t controlId;
        const char16_t *textKey;
        const char16_t *hintKey;
    };
    const sCase cases[] = {
        {1005, 0x686D, u"Dialog_1005/109_text", u"Dialog_1005/109_hint"},
        {1010, 0x6868, u"Dialog_1010/104_text", u"Dialog_1010/104_hint"},
        {1010, 104, u"Dialog_1010/104_text", u"Dialog_1010/104_hint"},
        {1005, 1, u"Dialog_ALL/OK_text", u"Dialog_ALL/OK_hint"},
        {1018, 2, u"Dialog_ALL/CANCEL_text", u"Dialog_ALL/CANCEL_hint"},
        {28621, 9, u"Dialog_ALL/HELP_text", u"Dialog_ALL/HELP_hint"},
        // Only the low eleven bits count: a label 0x6801 shares OK's key.
        {1005, 0x6801, u"Dialog_ALL/OK_text", u"Dialog_ALL/OK_hint"},
        {28621, 101, u"Dialog_28621/101_text", u"Dialog_28621/101_hint"},
        {7, 0x7FF, u"Dialog_7/2047_text", u"Dialog_7/2047_hint"},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.controlId);
        cDialogBox dialog(nullptr, c.templateId, 0);
        cStaticText *label = dialog.NewStaticText(c.controlId, nullptr, 1);
        EXPECT_EQ(S(label->GetTextKey()), c.textKey);
        EXPECT_EQ(S(label->GetHintKey()), c.hintKey);
    }
    cDialogBox dialog(nullptr, 1005, 0);
    EXPECT_EQ(S(dialog.GetTextKey()), u"Dialog_1005_text");
    EXPECT_EQ(S(dialog.GetHintKey()), u"Dialog_1005_hint");
}

TEST(Controls, BuddiesGoFromTheControlToItsBuddyAndNullKeepsTheBuddy) {
    cDialogBox dialog(nullptr, 1005, 0);
    int32_t value = 0;
    cStaticText *label = dialog.NewStaticText(101, nullptr, 1);
    cHorzScroll *bar = dialog.NewHorzScroll(102, &value, -12, 12);
    EXPECT_EQ(dialog.SetControlBuddy(101, 102), RC_OK);
    EXPECT_EQ(bar->GetBuddy(), label);
    EXPECT_EQ(label->GetBuddy(), nullptr);
    EXPECT_EQ(bar->SetBuddy(nullptr), label);
    EXPECT_EQ(bar->GetBuddy(), label);
    // An absent control answers 0 and changes nothing.
    EXPECT_EQ(dialog.SetControlBuddy(102, 999), RC_OK);
    EXPECT_EQ(label->GetBuddy(), nullptr);
    // The buddy takes the value as its own (a label shows the number).
    label->OnBuddyValue(-7);
    EXPECT_EQ(label->GetText(), u"-7");
}

TEST(Controls, AccessByIdFindsTheFirstAndAnswersNeutrallyForAnAbsentId) {
    cDialogBox dialog(nullptr, 1005, 0);
    int32_t a = 3, b = 4;
    cRadioButton *first = dialog.NewRadioButton(103, &a, 1);
    dialog.NewRadioButton(103, &b, 2);
    EXPECT_EQ(dialog.FindControl(103), first);
    EXPECT_EQ(dialog.GetControlInt(103), 3);
    EXPECT_EQ(dialog.SetControlInt(103, 9), 3);
    EXPECT_EQ(a, 9);
    EXPECT_EQ(b, 4);

    EXPECT_EQ(dialog.FindControl(500), nullptr);
    EXPECT_EQ(dialog.GetControlInt(500), 0);
    EXPECT_EQ(dialog.GetControlText(500), nullptr);
    EXPECT_EQ(dialog.SetControlInt(500, 1), 0);
    EXPECT_EQ(dialog.SetControlText(500, u"x"), nullptr);
    EXPECT_EQ(dialog.DisableControl(500), RC_FAIL);
    EXPECT_EQ(dialog.EnableControl(500), RC_FAIL);
    EXPECT_EQ(dialog.DisableControl(103), RC_OK);
    EXPECT_EQ(first->IsEnabled(), 0);
    EXPECT_EQ(dialog.EnableControl(103), RC_OK);
    EXPECT_EQ(first->IsEnabled(), 1);
}

TEST(Controls, TheEventHandlerGetsTheDeviceAndTheUserData) {
    cDialogBox dialog(nullptr, 1005, 0);
    EXPECT_EQ(dialog.CallEventHandler(101, kDialogEventClick), RC_FAIL);
    static cMessageDvcBase *seenDevice;
    static uint32_t seenData;
    dialog.SetEventHandler(
        [](uint32_t id, int32_t code, cMessageDvcBase *device, uint32_t data) -> int32_t {
            seenDevice = device;
            seenData = data;
            return int32_t(id) + code;
        },
        77);
    EXPECT_EQ(dialog.CallEventHandler(101, kDialogEventSelect), 102);
    EXPECT_EQ(seenDevice, &dialog);
    EXPECT_EQ(seenData, 77u);
}

TEST(Controls, CheckBoxesWithoutVariableShareOneWordBitByBit) {
    {
        cDialogBox dialog(nullptr, 1005, 0);
        gNextCheckBit = 1;
        cCheckBox *first = dialog.NewCheckBox(101, nullptr, 0);
        cCheckBox *second = dialog.NewCheckBox(102, nullptr, 0);
        EXPECT_EQ(first->GetMask(), 1);
        EXPECT_EQ(second->GetMask(), 2);
        EXPECT_EQ(gNextCheckBit, 4u);
        gNextCheckBit = 0x80000000u;
        cCheckBox *last = dialog.NewCheckBox(103, nullptr, 0);
        EXPECT_EQ(uint32_t(last->GetMask()), 0x80000000u);
        EXPECT_EQ(gNextCheckBit, 1u);  // after bit 31 it starts again
        gNextCheckBit = 8;
    }
    EXPECT_EQ(gNextCheckBit, 1u);  // destroying any check box restarts the bits
}

TEST(Controls, ValuesOfTheKindsWithoutWindows) {
    cDialogBox dialog(nullptr, 1005, 0);
    int32_t radio = 101, flags = 5, scroll = 0;
    cRadioButton *button = dialog.NewRadioButton(103, &radio, 102);
    EXPECT_EQ(button->SetValueInt(102), 101);
    EXPECT_EQ(radio, 102);

    cCheckBox *check = dialog.NewCheckBox(104, &flags, 4);
    EXPECT_EQ(check->GetValueInt(), 1);
    EXPECT_EQ(check->SetValueInt(0), 5);
    EXPECT_EQ(flags, 1);
    EXPECT_EQ(check->SetValueInt(7), 1);
    EXPECT_EQ(flags, 5);
    EXPECT_EQ(S(check->GetValueText()), u"1");

    cHorzScroll *bar = dialog.NewHorzScroll(105, &scroll, -12, 12);
    EXPECT_EQ(bar->GetPosition(), 12);
    EXPECT_EQ(bar->GetValueInt(), 0);

    std::u16string labelText = u"Tempo";
    cStaticText *label = dialog.NewStaticText(106, &labelText, 0);
    EXPECT_EQ(S(label->SetValueText(u"120")), u"Tempo");
    EXPECT_EQ(labelText, u"120");
    EXPECT_EQ(label->GetValueInt(), 120);
    EXPECT_TRUE(label->IsStaticText());
    EXPECT_FALSE(button->IsStaticText());
    EXPECT_EQ(label->IsLogEnabled(), 0);
    EXPECT_EQ(button->IsLogEnabled(), 1);
}

TEST(Controls, AControlWithoutAKindAnswersItsDefaultsWithoutCallingRound) {
    cDialogBox dialog(nullptr, 1005, 0);
    auto *bare = new cGuiControl(&dialog, 120);
    dialog.AddControl(bare);
    EXPECT_EQ(bare->GetValueInt(), 0);
    EXPECT_EQ(S(bare->GetValueText()), u"0");
    EXPECT_EQ(bare->SetValueInt(5), 0);
    EXPECT_EQ(S(bare->SetValueText(u"6")), u"0");
}

TEST(ListControls, TheTextOfASelectionThatNamesNoEntryIsEmpty) {
    static const char16_t *const kEntries[] = {u"Piano", u"Organ", u"Flute", nullptr};
    const char16_t *const *indirect = kEntries;
    cStringArray list(kEntries);
    struct sCase {
        int32_t selection;
        const char16_t *text;
    };
    const sCase cases[] = {
        {0, u"Piano"}, {2, u"Flute"}, {-1, u""}, {3, u""}, {8, u""}, {kNoSelection, u""}, {-9, u""},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.selection);
        cDialogBox dialog(nullptr, 1005, 0);
        int32_t s1 = c.selection, s2 = c.selection, s3 = c.selection, s4 = c.selection;
        EXPECT_EQ(S(dialog.NewListBox(101, kEntries, &s1, 0)->GetValueText()), c.text);
        EXPECT_EQ(S(dialog.NewListBoxIndirect(102, &indirect, &s2, 2)->GetValueText()), c.text);
        EXPECT_EQ(S(dialog.NewListBoxFromList(103, &list, &s3, 0)->GetValueText()), c.text);
        EXPECT_EQ(S(dialog.NewComboBox(104, kEntries, &s4, 0)->GetValueText()), c.text);
    }
}

TEST(ListControls, SetValueTextSelectsTheEntryIgnoringCase) {
    static const char16_t *const kEntries[] = {u"Piano", u"Organ", u"Flute", nullptr};
    cStringArray list(kEntries);
    cDialogBox dialog(nullptr, 1005, 0);
    int32_t a = 0, b = 0;
    cListBox *fromArray = dialog.NewListBox(101, kEntries, &a, 0);
    cComboBox *fromList = dialog.NewComboBoxFromList(102, &list, &b, 0);
    EXPECT_EQ(S(fromArray->SetValueText(u"FLUTE")), u"Flute");
    EXPECT_EQ(a, 2);
    EXPECT_EQ(S(fromList->SetValueText(u"organ")), u"Organ");
    EXPECT_EQ(b, 1);
    EXPECT_EQ(S(fromArray->SetValueText(u"Harp")), u"Flute");
    EXPECT_EQ(a, 2);
}

}  // namespace
