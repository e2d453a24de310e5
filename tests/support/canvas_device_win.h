// The program's GDI device drawing on a white memory canvas of the same
// size, for tests that draw through the device and read the pixels back.
// While it lives, pictures the device loads come from the resources of the
// test program, which are linked in as they are into the program.
//
// A fixture derives from it beside its test base, opens the device in SetUp
// and closes it in TearDown where its order matters (before the symbol
// state is reset, say); what is still open is closed at the end.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "foundation/win32_win.h"
#include "tests/ui/white_canvas_win.h"
#include "ui/disp_dvc.h"
#include "ui/graph_dvc.h"

namespace test {

class cCanvasDevice {
protected:
    cCanvasDevice(int width, int height, const char16_t *name = u"canvas")
        : canvas(width, height),
          device(std::make_unique<cGraphDvc>(name)),
          // A new device takes the instance of the operating-system object,
          // which has no pictures here, so this comes after it.
          moduleBefore(std::exchange(gModuleInstance, GetModuleHandleW(nullptr))) {}
    ~cCanvasDevice() { CloseDevice(); }
    cCanvasDevice(const cCanvasDevice &) = delete;
    cCanvasDevice &operator=(const cCanvasDevice &) = delete;

    // Attaches the device to the canvas at its size, ready to draw.
    ::testing::AssertionResult OpenDevice() {
        if (!canvas.Ok()) return ::testing::AssertionFailure() << "no canvas";
        device->SetDeviceContext(canvas.Dc());
        device->Open();
        if (device->Attach() != RC_OK) return ::testing::AssertionFailure() << "the device does not attach";
        device->SetSize(canvas.Width(), canvas.Height());
        if (device->PrepareDraw() != RC_OK) return ::testing::AssertionFailure() << "the device cannot draw";
        return ::testing::AssertionSuccess();
    }
    // Ends the drawing, closes and deletes the device and gives the pictures
    // back to whoever had them; once closed, again does nothing.
    void CloseDevice() {
        if (!device) return;
        device->ReleaseDraw();
        device->Close();
        device.reset();
        gModuleInstance = moduleBefore;
    }

    cWhiteCanvas canvas;
    std::unique_ptr<cGraphDvc> device;

private:
    tInstanceHandle moduleBefore;
};

}  // namespace test
