// The C clefs drawn by GDI in the music font: their ink lies inside the
// clef's bounds, where the hit area is.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "foundation/win32_win.h"
#include "tests/notation/catalogue_fixture.h"
#include "tests/support/canvas_device_win.h"
#include "ui/graph_dvc.h"

namespace {

constexpr int kSize = 200;

class ClefsGdi : public test::SymbolTest, protected test::cCanvasDevice {
protected:
    ClefsGdi() : cCanvasDevice(kSize, kSize) {}
    void SetUp() override {
        SymbolTest::SetUp();
        ASSERT_TRUE(OpenDevice());
        cPObjBase::SetCurrentWindow(device.get());
    }
};

TEST_F(ClefsGdi, TheInkOfTheCClefsLiesInsideTheirBounds) {
    test::PlugInStaffStandIns();
    CreateSymbolRegistry();
    for (int16_t id : {ClefAlto::kClassId, ClefTenor::kClassId, ClefG::kClassId}) {
        SCOPED_TRACE(id);
        device->FillRect(0, 0, kSize, kSize, 0xFFFFFF);
        std::unique_ptr<cPObjPoint> clef(cPObjBase::NewById(id));
        clef->SetPosition(80, 110);
        clef->Draw();

        int left = kSize, top = kSize, right = -1, bottom = -1;
        for (int py = 0; py < canvas.Height(); ++py)
            for (int px = 0; px < canvas.Width(); ++px)
                if (canvas.Dark(px, py)) {
                    left = std::min(left, px);
                    right = std::max(right, px);
                    top = std::min(top, py);
                    bottom = std::max(bottom, py);
                }
        ASSERT_GE(right, 0) << "nothing drawn";
        EXPECT_LT(clef->GetLeft(), left);
        EXPECT_LT(clef->GetTop(), top);
        EXPECT_GT(clef->GetRight(), right);
        EXPECT_GT(clef->GetBottom(), bottom);
        // Tight: the edges lie within two units of the ink.
        EXPECT_GE(clef->GetTop(), top - 2);
        EXPECT_LE(clef->GetBottom(), bottom + 2);
        EXPECT_EQ(clef->HitTest((left + right) / 2, bottom), 1);
    }
}

}  // namespace
