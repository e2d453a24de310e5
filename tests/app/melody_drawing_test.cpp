// The melody score file opened in the score window and painted on the
// recording device, looked at as a musician reads it: each head sits on its
// line or in its space, so middle C's ledger line runs through the head's
// middle and D4 hangs from the bottom line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/music_window.h"
#include "staves/score_object.h"
#include "staves/staff.h"
#include "tests/app/music_window_fixture.h"

#if !defined(_WIN32)
namespace {

class MelodyDrawing : public test::MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        win->Open();
        const std::u16string path = test::SourcePath("tests/app/data/melody.pmr");
        ASSERT_EQ(win->OnFileOpen(path.c_str()), 0);
    }
};

TEST_F(MelodyDrawing, EachHeadSitsOnItsLineOrInItsSpace) {
    auto *staff = dynamic_cast<StaffObject *>(FirstStaff());
    ASSERT_NE(staff, nullptr);
    const int32_t s = staff->LineSpacing();
    const int32_t bottomLine = staff->GetY() + 4 * s;
    std::vector<MusicBitMapNote *> notes;
    for (int32_t i = 0; i < staff->GetChildCount(); ++i)
        if (auto *note = dynamic_cast<MusicBitMapNote *>(staff->GetChild(uint16_t(i)))) notes.push_back(note);
    ASSERT_EQ(notes.size(), 3u);
    // C4, D4 and E4: two steps below the bottom line, one below it, on it.
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(notes[i]->GetY(), bottomLine + (2 - i) * s / 2) << i;

    win->ClearRecords();
    Paint();
    const std::vector<sDrawRecord> drawn = win->Records();
    // The heads in drawing order, which is the notes' order, each as its
    // ink lies on the page.
    std::vector<cRectangl> heads;
    for (const sDrawRecord &r : drawn) {
        if (r.op != "DrawChars" || r.text.size() != 1) continue;
        for (MusicBitMapNote *note : notes) {
            auto *picture = dynamic_cast<cShapeBmpFont *>(cShapeImg::ForClass(note->GetHeadGlyph()));
            if (!picture || picture->GetGlyph() != r.text[0]) continue;
            const cRectangl ink = *picture->GetImageRect();
            heads.emplace_back(r.args[0] + ink.x, r.args[1] + ink.y, ink.width, ink.height);
            break;
        }
    }
    ASSERT_EQ(heads.size(), 3u);

    // Middle C: its one ledger line crosses the head at its middle.
    int32_t ledgers = 0;
    for (const sDrawRecord &r : drawn) {
        if (r.op != "DrawLine" || r.args[1] != r.args[3] || r.args[1] != bottomLine + s) continue;
        ++ledgers;
        EXPECT_EQ(2 * r.args[1], 2 * heads[0].Top() + heads[0].height) << "the ledger line runs through C4";
        EXPECT_LE(r.args[0], heads[0].Left());
        EXPECT_GE(r.args[2], heads[0].Right());
    }
    EXPECT_EQ(ledgers, 1);
    // D4 hangs from the bottom line: the head's top touches it.
    EXPECT_LE(std::abs(heads[1].Top() - bottomLine), 1) << "D4 hangs from the bottom line";
    EXPECT_GT(heads[1].Bottom(), bottomLine + s / 2);
    // E4: the bottom line runs through the half note's middle.
    EXPECT_EQ(2 * bottomLine, 2 * heads[2].Top() + heads[2].height);
}

}  // namespace
#endif
