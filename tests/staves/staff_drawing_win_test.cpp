// A staff drawn through the system's graphics on a white canvas: its lines,
// header clef, note grid and repeat dots land where the recording device's
// tests put them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/staves/staff_fixture.h"
#include "tests/support/canvas_device_win.h"
#include "ui/graph_dvc.h"

namespace {

constexpr int16_t kBar = 166;
constexpr int16_t kKeyTwoSharps = 105;

// The same staff drawn by the system's graphics on a white canvas.  With
// PELMORA_STAFF_PICTURE set the canvas is also written there as a PPM file,
// to be looked at.
class StaffOnCanvas : public test::StaffTest, public test::cCanvasDevice {
protected:
    StaffOnCanvas() : cCanvasDevice(640, 200) {}
    void SetUp() override {
        StaffTest::SetUp();
        Build();
        ASSERT_TRUE(OpenDevice());
        cPObjBase::SetCurrentWindow(device.get());
    }
    void TearDown() override {
        cPObjBase::SetCurrentWindow(window.get());
        CloseDevice();
        StaffTest::TearDown();
    }
    StaffObject *NewStaff(int32_t py) {
        auto *staff = new StaffObject;
        staff->SetPosition(staff->GetX(), py);
        return staff;
    }
    void Put(StaffObject *staff, int16_t id, int32_t px) {
        cPObjPoint *symbol = cPObjBase::NewById(id);
        symbol->SetPosition(px, staff->GetY());
        EXPECT_TRUE(staff->InsertChild(symbol)) << id;
    }
    void Keep(const char *path) {
        std::FILE *file = std::fopen(path, "wb");
        if (!file) return;
        std::fprintf(file, "P6 %d %d 255\n", canvas.Width(), canvas.Height());
        for (int py = 0; py < canvas.Height(); ++py)
            for (int px = 0; px < canvas.Width(); ++px) {
                const uint32_t c = canvas.At(px, py);
                const unsigned char rgb[3] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
                std::fwrite(rgb, 1, 3, file);
            }
        std::fclose(file);
    }
};

TEST_F(StaffOnCanvas, AStaffDrawsItsLinesHeaderGridAndDots) {
    std::unique_ptr<StaffObject> staff(NewStaff(60));
    staff->SetStartKey(kKeyTwoSharps);
    staff->SetPartName(u"Flute");
    const int32_t left = staff->GetContentLeft();
    Put(staff.get(), kBar, left + 400);
    gNoteGrid = 3;
    gBarNumberMode = 2;
    const tColour pen = device->GetPenColour();
    EXPECT_EQ(staff->Draw(), staff.get());
    staff->DrawRepeatDotsBefore(left + 400);
    staff->DrawBarNumber(2, left + 400);
    EXPECT_EQ(staff->DrawPartName(), 0);
    EXPECT_EQ(device->GetPenColour(), pen);
    if (const char *path = std::getenv("PELMORA_STAFF_PICTURE")) Keep(path);

    // Lines 6 apart from the top line; white between them.
    const int32_t inLine = left + 3;  // left of the first grid tick
    for (int32_t ly = 60; ly <= 84; ly += 6) EXPECT_NE(canvas.At(inLine, ly), 0xFFFFFFu) << ly;
    EXPECT_EQ(canvas.At(inLine, 63), 0xFFFFFFu);
    // The first grid tick crosses the space between two lines, neither white
    // nor black.
    const int32_t tick = left + (400 - 50 * 7) / 2;
    const uint32_t between = canvas.At(tick, 63);
    EXPECT_NE(between, 0xFFFFFFu);
    EXPECT_NE(between, 0u);
    // Something of the header clef left of the content.
    bool header = false;
    for (int32_t px = staff->GetX(); px < left && !header; ++px)
        for (int32_t py = 40; py < 110 && !header; ++py)
            header = (py - 60) % 6 != 0 && canvas.At(px, py) != 0xFFFFFFu;
    EXPECT_TRUE(header);
}

}  // namespace
