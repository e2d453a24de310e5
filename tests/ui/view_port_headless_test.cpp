// Viewports of the native build open without a window: the class name is
// still made, the window registers and counts, and everything that needs a
// window answers that there is none.  A paint message still goes through
// the router to the window's painter, on the recording device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/message_ids.h"
#include "ui/view_port_top.h"

namespace {

TEST(ViewPortHeadless, OpeningNamesTheClassAndRegisters) {
    cViewPortTop top(5, u"Frame");
    cViewPort unnamed(&top, 0x12CF0000, u"");
    EXPECT_EQ(unnamed.Open(), RC_OK);
    EXPECT_EQ(std::u16string(unnamed.GetClassName()), u"VPClass315555840");
    EXPECT_EQ(std::u16string(unnamed.GetName()), u"VPClass315555840");
    EXPECT_EQ(top.FindRegisteredWindow(&unnamed), &unnamed);
    EXPECT_EQ(unnamed.OpenCount(), 1);
    EXPECT_EQ(unnamed.GetWindowHandle(), nullptr);

    cViewPort named(&top, 0x50000000, u"MusicWin");
    named.Open();
    EXPECT_EQ(std::u16string(named.GetClassName()), u"VPClassMusicWin1342177280");
    EXPECT_EQ(std::u16string(named.GetName()), u"MusicWin");
}

TEST(ViewPortHeadless, WithoutWindowsNothingLoadsOrAsks) {
    cViewPort view(nullptr, 0, u"View");
    EXPECT_EQ(view.LoadMenuResource(1000, nullptr, 0, nullptr, 0), RC_FAIL);
    EXPECT_EQ(view.LoadMenuResource(0, nullptr, 0, nullptr, 0), RC_FAIL);
    EXPECT_EQ(view.GetMenuHandle(), nullptr);
    EXPECT_EQ(view.AskOpenFileName(u"Scores|*.pmr", u"pmr"), nullptr);
    EXPECT_EQ(view.AskSaveFileName(u"Scores|*.pmr", u"pmr"), nullptr);
    EXPECT_EQ(view.GetFocusObject(), nullptr);
    EXPECT_EQ(view.GetWindowTitle(), nullptr);
}

// A window that notes the area it is asked to paint and draws one line; a
// paint message sent while it paints must be dropped.
class cPaintedView : public cViewPort {
public:
    using cViewPort::cViewPort;
    tStatus OnPaint(sWinMessage &record) override {
        painted.push_back(*reinterpret_cast<const sDeviceBox *>(record.lParam));
        DrawLine(0, 0, 30, 20);
        if (invalidateWhilePainting) {
            invalidateWhilePainting = false;
            InvalidateArea(1, 1, 4, 4);
        }
        sWinMessage nested(kMsgPaint, 0, 0);
        OnMessage(kMsgPaint, nested);
        return RC_OK;
    }
    std::vector<sDeviceBox> painted;
    bool invalidateWhilePainting = false;
};

std::vector<std::string> Ops(const cGraphDvc &device) {
    std::vector<std::string> ops;
    for (const sDrawRecord &r : device.Records()) ops.push_back(r.op);
    return ops;
}

TEST(ViewPortHeadless, ThePaintMessageGoesThroughTheRouterToThePainter) {
    cPaintedView view(nullptr, 0, u"Painted");
    view.Open();
    // The window procedure's road: the handle's object gets the message.
    auto *handle = reinterpret_cast<tWindowHandle>(uintptr_t(0x7A10));
    MapWindow(handle, &view);

    // Nothing invalid: the paint begins nothing.
    view.ClearRecords();
    EXPECT_EQ(DeliverWindowMessage(handle, kMsgPaint, 0, 0), RC_OK);
    EXPECT_TRUE(view.painted.empty());
    EXPECT_TRUE(view.Records().empty());

    // Two invalid areas are painted as one, between the two ends of the paint.
    view.InvalidateArea(10, 5, 40, 20);
    view.InvalidateArea(30, 15, 40, 20);
    view.ClearRecords();
    EXPECT_EQ(DeliverWindowMessage(handle, kMsgPaint, 0, 0), RC_OK);
    ASSERT_EQ(view.painted.size(), 1u);
    EXPECT_EQ(view.painted[0], (sDeviceBox{10, 5, 70, 35}));
    EXPECT_EQ(Ops(view), (std::vector<std::string>{"BeginPaint", "DrawLine", "EndPaint"}));
    EXPECT_EQ(view.Records()[0].args, (std::vector<int32_t>{10, 5, 70, 35}));
    EXPECT_EQ(view.Records()[1].args, (std::vector<int32_t>{0, 0, 30, 20}));

    // The paint left the window valid: the next message paints nothing.
    view.ClearRecords();
    DeliverWindowMessage(handle, kMsgPaint, 0, 0);
    EXPECT_EQ(view.painted.size(), 1u);
    EXPECT_TRUE(view.Records().empty());

    // A paint message sent while painting is dropped: what the painter
    // invalidated meanwhile waits for the next paint.
    view.invalidateWhilePainting = true;
    view.InvalidateArea(10, 5, 40, 20);
    view.ClearRecords();
    DeliverWindowMessage(handle, kMsgPaint, 0, 0);
    EXPECT_EQ(Ops(view), (std::vector<std::string>{"BeginPaint", "DrawLine", "InvalidateArea", "EndPaint"}));
    DeliverWindowMessage(handle, kMsgPaint, 0, 0);
    ASSERT_EQ(view.painted.size(), 3u);
    EXPECT_EQ(view.painted[2], (sDeviceBox{1, 1, 5, 5}));

    // The area is in device pixels: at zoom 2 the logical area doubles.
    view.SetZoomX(2.0f);
    view.SetZoomY(2.0f);
    view.InvalidateArea(10, 5, 40, 20);
    DeliverWindowMessage(handle, kMsgPaint, 0, 0);
    ASSERT_EQ(view.painted.size(), 4u);
    EXPECT_EQ(view.painted[3], (sDeviceBox{20, 10, 100, 50}));
    UnmapWindow(handle);
}

}  // namespace
