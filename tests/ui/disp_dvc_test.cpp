// The device roots and the geometry of the graphics device, on a device
// without a window: open counting, the device rectangle, resource names,
// origin, zoom, clip tests, caret and the font selection.
#include <gtest/gtest.h>

#include "tests/foundation/raised_errors.h"
#include "ui/graph_dvc.h"

namespace {

// The graphics device of the build, with the rectangle set as a window would.
class cTestDevice : public cGraphDvc {
public:
    cTestDevice() : cGraphDvc(u"test") {}
    int32_t caretPlacements = 0;
    int32_t originsSet = 0;
    tStatus SetCaretPos(int32_t x, int32_t y) override {
        caretPlacements++;
        return cGraphDvc::SetCaretPos(x, y);
    }
    tStatus SetOrigin(int32_t x, int32_t y) override {
        originsSet++;
        return cGraphDvc::SetOrigin(x, y);
    }
};

TEST(DispDevice, OpenIsCountedAndNeverBelowZero) {
    cTestDevice d;
    EXPECT_EQ(d.IsOpen(), DVC_NOT_OPEN);
    EXPECT_EQ(d.Open(), RC_OK);
    EXPECT_EQ(d.IsOpen(), 1);
    d.Open();
    d.Close();
    d.Close();
    d.Close();
    EXPECT_EQ(d.IsOpen(), DVC_NOT_OPEN);
    EXPECT_EQ(d.OpenCount(), 0);
}

TEST(DispDevice, RectangleNameAndDescription) {
    cTestDevice d;
    EXPECT_EQ(std::u16string(d.GetName()), u"test");
    EXPECT_EQ(std::u16string(d.Describe()), u"base");
    EXPECT_EQ(d.GetWidth(), 640);
    EXPECT_EQ(d.GetHeight(), 480);
    d.DeviceRect() = cRectangl(5, 6, -30, -20);
    EXPECT_EQ(d.GetWidth(), 30);
    EXPECT_EQ(d.GetHeight(), 20);
    EXPECT_EQ(d.GetScreenX(), 5);
    EXPECT_EQ(d.GetScreenY(), 6);
    EXPECT_EQ(std::u16string(d.GetRectText()), u"5,6,-30,-20");
    EXPECT_EQ(d.SetRectFromText(u"1, 2, 300, 200"), 14u);
    EXPECT_EQ(d.GetWidth(), 300);
    // The device rectangle's own point test.
    EXPECT_EQ(d.HitTest(1, 2), RC_OK);
    EXPECT_EQ(d.HitTest(0, 2), kPointLeft);
    EXPECT_EQ(d.HitTest(1, 202), kPointBelow);
    // A device without a status bar makes none.
    EXPECT_EQ(d.CreateStatusBar(0), nullptr);
    EXPECT_EQ(d.GetStatusBar(), nullptr);
}

TEST(DispDevice, CurrentMessageIsNormalised) {
    cTestDevice d;
    EXPECT_EQ(d.GetCurrentMessage().message, 0u);
    d.SetCurrentMessage(0x100, 0x74, 0);
    EXPECT_EQ(d.GetCurrentMessage().key, 5u);
    EXPECT_EQ(d.GetCurrentMessage().flags, kKeyFlagSpecial);
}

TEST(DispDevice, ResourceNamesHoldIdsOrOwnCopies) {
    cDispDvc::sWinResource r;
    EXPECT_EQ(r.IsSet(), RC_FAIL);
    r.SetId(5);
    EXPECT_EQ(r.IsSet(), 0);
    EXPECT_TRUE(r.IsId());
    char16_t text[] = u"Abc";
    EXPECT_EQ(r.Assign(text), reinterpret_cast<const char16_t *>(uintptr_t(5)));
    text[0] = u'X';  // the holder keeps its own copy
    EXPECT_EQ(r.IsSet(), 65);
    EXPECT_EQ(std::u16string(r.Get()), u"Abc");
    r.Set(u"");
    EXPECT_EQ(r.IsSet(), 0);
    r.AssignId(7);
    EXPECT_EQ(r.Get(), reinterpret_cast<const char16_t *>(uintptr_t(7)));
    r.Set(nullptr);
    EXPECT_EQ(r.IsSet(), RC_FAIL);
}

TEST(GraphDevice, NewDeviceDefaultsAndAttachResets) {
    cTestDevice d;
    EXPECT_EQ(d.GetDpi(), 96u);
    EXPECT_EQ(d.GetZoomX(), 1.0f);
    EXPECT_EQ(d.GetOriginX(), 0);
    EXPECT_EQ(d.GetCurrentFont(), 0);
    EXPECT_EQ(d.GetLineWidth(), 1);
    EXPECT_TRUE(d.IsCaretHidden());
    EXPECT_TRUE(gStockFont != nullptr);
    EXPECT_EQ(cFontTable::GetFont(0), gStockFont);

    d.SetZoomX(2.0f);
    d.SetZoomY(3.0f);
    d.SetOrigin(10, 20);
    d.SetBitmapMode(3);
    d.SetLineWidth(4);
    d.SelectFontScaled(kFontNone, 1.0f);
    d.Attach();  // without a window the GDI part reports; the reset still happens
    EXPECT_EQ(d.GetZoomX(), 1.0f);
    EXPECT_EQ(d.GetZoomY(), 1.0f);
    EXPECT_EQ(d.GetOriginX(), 0);
    EXPECT_EQ(d.GetOriginY(), 0);
    EXPECT_EQ(d.GetBitmapMode(), 1);
    EXPECT_EQ(d.GetLineWidth(), 1);
    EXPECT_EQ(d.GetCurrentFont(), 0);
    EXPECT_EQ(d.GetDefaultFont(), 0);
    EXPECT_TRUE(d.IsCaretHidden());
}

TEST(GraphDevice, OriginGoesThroughTheVirtualSetOrigin) {
    cTestDevice d;
    d.SetOrigin(3, 4);
    EXPECT_EQ(d.originsSet, 1);
    d.ApplyOrigin();
    EXPECT_EQ(d.originsSet, 2);
    EXPECT_EQ(d.GetOriginX(), 3);
    EXPECT_EQ(d.GetOriginY(), 4);
    // A hidden caret is not placed again; a shown one is.
    EXPECT_EQ(d.caretPlacements, 0);
    d.CreateCaret(1, 2, 3, 4);
    EXPECT_FALSE(d.IsCaretHidden());
    EXPECT_EQ(d.GetCaretWidth(), 3);
    EXPECT_EQ(d.GetCaretHeight(), 4);
    int32_t before = d.caretPlacements;
    d.SetOrigin(0, 0);
    EXPECT_EQ(d.caretPlacements, before + 1);
    EXPECT_EQ(d.GetCaretX(), 1);
    EXPECT_EQ(d.GetCaretY(), 2);
}

TEST(GraphDevice, ClipTestsUseTheDeviceSize) {
    cTestDevice d;
    d.SetSize(100, 50);
    EXPECT_EQ(d.ClipPoint(99, 49), 0);
    EXPECT_EQ(d.ClipPoint(100, 10), kClipRight);
    EXPECT_EQ(d.ClipPoint(-1, 60), kClipBelow);
    d.SetOrigin(-10, 0);
    EXPECT_EQ(d.ClipPoint(109, 0), 0);
    EXPECT_EQ(d.ClipPoint(9, 0), kClipLeft);
    d.SetOrigin(0, 0);
    EXPECT_EQ(d.ClipRect(cRectangl(0, 0, 101, 50)), kClipRight);
    EXPECT_EQ(d.ClipRect(cRectangl(-1, 0, 100, 50)), kClipLeft);
    EXPECT_EQ(d.ClipRect(cRectangl(10, 10, 5, 5)), 0);
    d.SetZoomX(2.0f);
    EXPECT_EQ(d.ClipPoint(50, 0), kClipRight);
    EXPECT_EQ(d.ClipPoint(49, 0), 0);
}

TEST(GraphDevice, SettingsAnswerTheirOldValues) {
    cTestDevice d;
    EXPECT_EQ(d.SetColour(0x0337CF), 0u);
    EXPECT_EQ(d.SetColour(0), 0x0337CFu);
    EXPECT_EQ(d.SetTextColour(5), 0u);
    EXPECT_EQ(d.SetTextColour(0), 5u);
    EXPECT_EQ(d.SetBitmapColour(9), 0u);
    EXPECT_EQ(d.SetBitmapColour(0), 9u);
    EXPECT_EQ(d.SetBitmapMode(0), 1);
    EXPECT_EQ(d.GetRasterOp(), 0x00CC0020u);
    EXPECT_EQ(d.SetBitmapMode(3), 0);
    EXPECT_EQ(d.GetRasterOp(), 0x00660046u);
    EXPECT_EQ(d.SetZoomX(2.5f), 1.0f);
    EXPECT_EQ(d.SetZoomX(1.0f), 2.5f);
    EXPECT_EQ(d.SetLineWidth(1), 1);  // unchanged
    EXPECT_EQ(d.SetLineWidth(3), 1);
    EXPECT_EQ(d.SetLineWidth(1), 3);
}

TEST(GraphDevice, FontSelection) {
    cFontTable::ResetToStockFont();
    cTestDevice d;
    auto *extra = new cGraphDvcFont();
    extra->SetFace(u"Extra", -20, 0);
    uint16_t e = d.AddFont(extra);
    ASSERT_EQ(e, 1);
    int32_t count = cFontTable::GetCount();
    // -3 keeps the current font and answers it; so does the current index.
    EXPECT_EQ(d.SelectFontScaled(kFontKeep, 2.0f), 0);
    EXPECT_EQ(d.GetCurrentFont(), 0);
    EXPECT_EQ(d.SelectFontScaled(e, 1.0f), 0);
    EXPECT_EQ(d.GetCurrentFont(), e);
    // -2 is the default font.
    EXPECT_EQ(d.SelectFontScaled(kFontDefault, 1.0f), e);
    EXPECT_EQ(d.GetCurrentFont(), 0);
    // An index beyond the table leaves the current one.
    d.SelectFontScaled(e, 1.0f);
    EXPECT_EQ(d.SelectFontScaled(static_cast<uint16_t>(count), 1.0f), e);
    EXPECT_EQ(d.GetCurrentFont(), e);
    // SetDefaultFont sets both indexes.
    EXPECT_EQ(d.SetDefaultFont(e), 0);
    EXPECT_EQ(d.GetDefaultFont(), e);
    // A zoom change selects the current font again and keeps its index.
    d.SetZoomY(2.0f);
    EXPECT_EQ(d.GetCurrentFont(), e);
    // Scaling: the same index at 1.0 without a lookup; a bad index gives none.
    EXPECT_EQ(d.GetScaledFont(e, 1.0f), e);
    test::RaisedErrors errors;
    EXPECT_EQ(d.GetScaledFont(0xFFFE, 2.0f), kFontNone);
    EXPECT_EQ(errors.Count(), 1);
    cFontTable::ResetToStockFont();
}

}  // namespace
