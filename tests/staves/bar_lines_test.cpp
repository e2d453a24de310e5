// Bar lines on real staffs: the measure step of the time layout, signs given
// to the nearer bar line, each class's edges and lines, numbering, the
// export and transposition steps, and the records of old and new files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/music_commands.h"
#include "foundation/memory_binary_file.h"
#include "midi/music_track.h"
#include "notation/symbol_classes.h"
#include "platform/version_word.h"
#include "staves/score_object.h"
#include "tests/staves/staff_fixture.h"
#include "tests/test_support.h"
#include "ui/graph_dvc.h"

namespace {

constexpr uint32_t kOlderVersion = 0x02090000;

bool Cleared(const sKeyAccidentals &accidentals) {
    for (int8_t entry : accidentals.entries)
        if (entry != sKeyAccidentals::kUnset) return false;
    return true;
}

class BarLineTest : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
        staff = AddStaffAt(100);
    }

    template <class T>
    T *Put(int32_t px, int32_t py = 110) {
        T *obj = new T;
        obj->SetPosition(px, py);
        EXPECT_TRUE(staff->InsertChild(obj));
        return obj;
    }

    // A measure of n quarters from x on, spaced 30 apart; answers the x
    // after it.
    int32_t Quarters(int32_t px, int32_t n) {
        for (int32_t i = 0; i < n; ++i, px += 30) Put<Note14>(px);
        return px;
    }

    // The measure start once the time layout has passed the symbol.
    int32_t MeasureStartAfter(cPObjPoint *symbol) {
        cMusicBase::sCmdBarNum walk;  // any record: the layout advances time
        staff->RunContext(symbol->GetX() + 1, -1, &walk);
        return gMusicState.measureStart;
    }

    StaffObject *staff = nullptr;
};

// ---- The measure step ------------------------------------------------------------------

TEST_F(BarLineTest, MeasureStartsFollowTheMeasures) {
    struct sCase {
        const char *name;
        uint16_t timeWord;
        std::vector<int32_t> quarters;  // per measure, a bar line after each
        std::vector<int32_t> starts;    // the measure start after each bar line
    };
    const sCase cases[] = {
        // A short first measure (an upbeat) gives the next its true start;
        // from then on each bar line moves on by one measure.
        {"upbeat 4/4", 0x402, {1, 4}, {480, 2400}},
        {"short middle 3/4", 0x302, {3, 2, 3}, {1440, 2880, 4320}},
        // Two bar lines in a row: two measures, with nothing between them.
        {"empty measure", 0x402, {4, 0}, {1920, 3840}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        staff->Clear(0);
        staff->SetStartTimeWord(c.timeWord);
        std::vector<cPObjPoint *> bars;
        int32_t px = 60;
        for (int32_t n : c.quarters) {
            px = Quarters(px, n);
            bars.push_back(Put<Bar>(px));
            px += 20;
        }
        for (size_t i = 0; i < bars.size(); ++i) EXPECT_EQ(MeasureStartAfter(bars[i]), c.starts[i]) << i;
    }
}

TEST_F(BarLineTest, LayoutClearsTheMeasuresAccidentals) {
    Bar *bar = Put<Bar>(100);
    gMusicState.accidentals.Set(66);
    ASSERT_FALSE(Cleared(gMusicState.accidentals));
    bar->LayoutTime(staff, kFailed, 0);
    EXPECT_TRUE(Cleared(gMusicState.accidentals));
    EXPECT_EQ(gMusicState.measureStart, 0);  // without advance the measure stays
}

// ---- Signs go to their measure ------------------------------------------------------

TEST_F(BarLineTest, SignGoesToTheNearerBarLine) {
    Bar *first = Put<Bar>(100);    // edges 100 .. 101
    Bar *second = Put<Bar>(200);   // edges 200 .. 201; the split lies at 150
    const struct {
        int32_t px;
        BaseBar *owner;
    } cases[] = {
        {20, first},     // before the first bar line
        {102, first},    // on the first (its hit area reaches 2 beyond)
        {149, first},
        {150, second},
        {198, second},
        {400, second},   // after the last
    };
    for (const auto &c : cases) {
        auto *sign = new Sign1;
        sign->SetPosition(c.px, 90);
        gDocumentFlags = 0;
        ASSERT_TRUE(BaseBar::AddToMeasureAt(sign, staff)) << c.px;
        EXPECT_EQ(sign->FindOwner(0, 0), c.owner) << c.px;
        EXPECT_EQ(gDocumentFlags & 0x40, 0x40u);
    }
    EXPECT_EQ(first->GetChildCount(), 3);
    EXPECT_EQ(second->GetChildCount(), 3);
}

TEST_F(BarLineTest, SignRefusedWithoutBarLines) {
    Put<Note14>(100);
    auto sign = std::make_unique<Sign1>();
    sign->SetPosition(120, 90);
    EXPECT_FALSE(BaseBar::AddToMeasureAt(sign.get(), staff));
    EXPECT_EQ(sign->FindOwner(0, 0), nullptr);
    EXPECT_EQ(staff->CountOfKind(0, kTypeSign), 0);
}

TEST_F(BarLineTest, StaffHandsSignsToTheirMeasure) {
    Bar *bar = Put<Bar>(100);
    auto *sign = new Sign1;
    sign->SetPosition(130, 90);
    EXPECT_TRUE(staff->InsertChild(sign));
    EXPECT_EQ(sign->FindOwner(0, 0), bar);
}

// A staff walk of a system keeps the next bar line of the brace to pass;
// a bar line that goes takes that reference with it.
TEST_F(BarLineTest, ABarLineThatGoesIsNoLongerPending) {
    Bar *bar = Put<Bar>(100);
    gPendingBar = bar;
    bar->Detach(0);
    EXPECT_EQ(gPendingBar, bar);
    delete bar;
    EXPECT_EQ(gPendingBar, nullptr);
}

// ---- Classes: edges and lines ----------------------------------------------------------

TEST_F(BarLineTest, ClassesHaveTheirEdgesAndRepeatKinds) {
    const struct {
        int16_t id;
        int32_t left, right;
        bool start, end;
    } cases[] = {
        {166, 0, 1, false, false}, {167, 0, 3, false, false}, {168, 0, 5, false, false},
        {169, 0, 5, false, false}, {170, 0, 9, true, false},  {171, -4, 5, false, true},
        {172, -10, 9, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        auto *bar = dynamic_cast<BaseBar *>(cPObjPoint::NewSameClassNamed(cPObjBase::PrototypeById(c.id)));
        ASSERT_NE(bar, nullptr);
        bar->SetPosition(200, 0);
        ASSERT_TRUE(staff->InsertChild(bar));
        EXPECT_EQ(bar->GetWidth() > 0, true);
        EXPECT_EQ(bar->GetLeft(), 200 + c.left);
        EXPECT_EQ(bar->GetRight(), 200 + c.right);
        EXPECT_EQ(bar->IsRepeatStart(), c.start);
        EXPECT_EQ(bar->IsRepeatEnd(), c.end);
        EXPECT_EQ(bar->GetY(), staff->GetTopLineY());
        EXPECT_EQ(bar->GetTop(), staff->GetTopLineY());
        EXPECT_EQ(bar->GetBottom(), staff->GetBottomLineY());
        EXPECT_EQ(bar->GetSpacingToleranceX(), 0);
        EXPECT_EQ(bar->HitTest(200 + c.left - 2, 110), 1);
        EXPECT_EQ(bar->HitTest(200 + c.left - 3, 110), 0);
        EXPECT_EQ(bar->HitTest(200 + c.right + 3, 110), 0);
        EXPECT_EQ(bar->SupportsControl(26730), 0);
        EXPECT_EQ(bar->SupportsControl(26731), 0);
        EXPECT_EQ(bar->SupportsControl(102), tStatus(0x80000000u));
        EXPECT_EQ(bar->GetHelpTopic(), 1018);
        EXPECT_NE(bar->GetTypeFlags(0) & kTypeBar, 0u);
        staff->Clear(0);
    }
}

TEST_F(BarLineTest, BarLineOutsideAStaffIsRefused) {
    auto group = std::make_unique<cPObjGroup>();
    auto bar = std::make_unique<Bar>();
    EXPECT_FALSE(group->InsertChild(bar.get()));
    group->Clear(2);
    bar->SetOwner(nullptr);
}

#if !defined(_WIN32)
TEST_F(BarLineTest, ClassesDrawTheirLines) {
    struct sLine {
        int32_t dx, width;
    };
    const struct {
        int16_t id;
        std::vector<sLine> lines;
    } cases[] = {
        {166, {{0, 1}}},          {167, {{0, 1}, {3, 1}}},  {168, {{1, 3}, {5, 1}}}, {169, {{0, 1}, {4, 3}}},
        {170, {{1, 3}, {5, 1}}},  {171, {{0, 1}, {4, 3}}},  {172, {{-3, 3}, {2, 3}}},
    };
    cPObjBase::SetCurrentWindow(window.get());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        auto *bar = dynamic_cast<BaseBar *>(cPObjPoint::NewSameClassNamed(cPObjBase::PrototypeById(c.id)));
        bar->SetPosition(200, 0);
        ASSERT_TRUE(staff->InsertChild(bar));
        window->SetLineWidth(1);
        window->ClearRecords();
        gDrawBudget = 5;
        bar->Draw();
        EXPECT_EQ(gDrawBudget, 4u);
        std::vector<sDrawRecord> drawn;
        for (const sDrawRecord &r : window->Records())
            if (r.op == "DrawLine") drawn.push_back(r);
        ASSERT_EQ(drawn.size(), c.lines.size());
        for (size_t i = 0; i < drawn.size(); ++i) {
            const int32_t lx = 200 + c.lines[i].dx;
            EXPECT_EQ(drawn[i].args, (std::vector<int32_t>{lx, staff->GetTopLineY(), lx, staff->GetBottomLineY()})) << i;
            EXPECT_EQ(drawn[i].lineWidth, c.lines[i].width) << i;
        }
        // A thick line gives the width back.
        EXPECT_EQ(window->GetLineWidth(), 1);
        staff->Clear(0);
    }
    gDrawBudget = 0;
    staff->Clear(0);
    Bar *bar = Put<Bar>(100);
    window->ClearRecords();
    bar->Draw();
    EXPECT_TRUE(window->Records().empty());  // the draw countdown has run out
}
#endif

// ---- Numbering, export and transposition ------------------------------------------------

TEST_F(BarLineTest, OnlyTheFirstCountedBarLineShowsItsNumber) {
    // A left repeat straight after the header does not count.
    BaseBar *opening = Put<BarLeftRepeat>(staff->GetContentLeft() + 2);
    Quarters(60 + staff->GetContentLeft(), 4);
    BaseBar *second = Put<Bar>(200);
    Quarters(220, 4);
    BaseBar *third = Put<Bar>(360);
    cMusicBase::sCmdBarNum record;
    EXPECT_EQ(cPObjBase::SendCommand(staff, kCmdBarNumbers, nullptr, &record, nullptr) >= kFailed, true);
    EXPECT_EQ(opening->GetBarNumber(), kNoBarNumber);
    EXPECT_EQ(second->GetBarNumber(), 2);
    EXPECT_EQ(third->GetBarNumber(), kNoBarNumber);
    EXPECT_EQ(record.first, 3);
    EXPECT_EQ(record.staffShown, 2);
}

TEST_F(BarLineTest, ExportClearsAccidentalsAndMarksTheFirstEnding) {
    Bar *bar = Put<Bar>(100);
    cMusicBase::sCmdExport record;
    gMusicState.accidentals.Set(66);
    EXPECT_EQ(bar->OnExport(&record), 0);
    EXPECT_TRUE(Cleared(gMusicState.accidentals));
    EXPECT_EQ(record.stopObject, nullptr);

    auto *mark = new RepeatEnding12;
    mark->SetPosition(100, 80);
    ASSERT_TRUE(bar->InsertChild(mark));
    const struct {
        int32_t time, length, end;
    } cases[] = {
        {2000, 1920, 3840},
        {3840, 1920, 5760},  // on a boundary: a whole measure on
        {700, 0, 700},       // a measure of no length has no end
    };
    for (const auto &c : cases) {
        gMusicState.currentTime = c.time;
        gMusicState.measureLength = c.length;
        record.stopObject = nullptr;
        EXPECT_EQ(bar->OnExport(&record), 0);
        EXPECT_EQ(record.stopObject, bar);
        EXPECT_EQ(record.states[4].currentTime, c.end) << c.time << "/" << c.length;
        EXPECT_EQ(gMusicState.currentTime, c.time);
    }
}

TEST_F(BarLineTest, TranspositionForgetsItsAccidentals) {
    Bar *bar = Put<Bar>(100);
    cMusicBase::sCmdTranspose record(2);
    record.accidentals.Set(66);
    ASSERT_FALSE(Cleared(record.accidentals));
    EXPECT_EQ(bar->OnTranspose(&record), 0);
    EXPECT_TRUE(Cleared(record.accidentals));
}

// ---- Storage ----------------------------------------------------------------------------

TEST_F(BarLineTest, OlderFilesHoldThePlainRecord) {
    gFileVersion = kOlderVersion;
    // The record of a sized symbol, and one byte the reader passes over.
    cMemoryBinaryFile out(u"old", "", cMemoryBinaryFile::kWrite);
    for (int32_t v : {300, 100, 2, 40}) ASSERT_EQ(cPObjBase::WriteVarInt(&out, v), 0);
    ASSERT_GE(out.Write("\xEE", 1), 0);
    const std::string bytes = out.Bytes();

    cMemoryBinaryFile file(u"old", bytes);
    Bar bar;
    EXPECT_EQ(bar.LoadBinary(&file, uint16_t(bytes.size())), 0);
    EXPECT_EQ(bar.GetX(), 300);
    EXPECT_EQ(bar.GetY(), 100);
    EXPECT_EQ(bar.GetChildCount(), 0);
    EXPECT_EQ(file.GetPosition(), bytes.size());

    // A record that claims less than its fields is refused.
    cMemoryBinaryFile shortFile(u"short", bytes);
    Bar other;
    EXPECT_LT(other.LoadBinary(&shortFile, 2), 0);

    // Saved, the bar line takes the owner's form: its fields, the unit flag
    // and the member count.
    gFileVersion = 0x020C0500;
    EXPECT_EQ(bar.DataSize(), uint16_t(bytes.size() - 1 + 3));
}

TEST_F(BarLineTest, ClassWordFromVersion212) {
    const std::string word("\x34\x12", 2);
    gFileVersion = 0x02010100;
    cMemoryBinaryFile old(u"old", word);
    gBarClassWord = int16_t(0x8000);
    EXPECT_EQ(cPObjBase::PrototypeById(166)->LoadClassData(&old, 2), 0);
    EXPECT_EQ(gBarClassWord, int16_t(0x8000));
    gFileVersion = 0x02010200;
    cMemoryBinaryFile newer(u"newer", word);
    EXPECT_EQ(cPObjBase::PrototypeById(166)->LoadClassData(&newer, 2), 0);
    EXPECT_EQ(gBarClassWord, 0x1234);
    EXPECT_EQ(cPObjBase::PrototypeById(166)->GetClassDataSize(), 2);
    gBarClassWord = int16_t(0x8000);
}

}  // namespace
