// The root class's defaults: geometry of a point, hit testing, names and
// references, the default set-up, and the relocate option.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "document/commands.h"
#include "platform/version_word.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/log_capture.h"

namespace {

using test::RaisedErrors;
using test::SymbolTest;

class RootTest : public SymbolTest {};

TEST_F(RootTest, APointIsOneUnitWideAndHitOnItsEdgesOnly) {
    std::unique_ptr<cPObjPoint> p(new cPObjPoint);
    p->SetPosition(4, -6);
    EXPECT_EQ(p->GetWidth(), 1);
    EXPECT_EQ(p->GetHeight(), 1);
    cRectangl bounds = *p->GetBounds();
    EXPECT_EQ(bounds.Left(), 4);
    EXPECT_EQ(bounds.Bottom(), -6);
    EXPECT_EQ(p->HitTest(4, -6), 1);
    EXPECT_EQ(p->HitTest(5, -6), 0);
    EXPECT_EQ(p->HitTest(4, -5), 0);

    std::unique_ptr<ScaledObject> s(new ScaledObject);
    s->SetSize(3, 2);
    for (auto [x, y, hit] : {std::tuple{0, 0, 1}, {2, 1, 1}, {2, 0, 1}, {0, 1, 1}, {3, 0, 0}, {0, 2, 0}, {-1, 0, 0}})
        EXPECT_EQ(s->HitTest(x, y), hit) << x << "," << y;
}

TEST_F(RootTest, APrototypeStandsAlone) {
    test::BuildTestRegistry();
    for (int16_t id : {1, 8, 12, 99}) {
        cPObjPoint *prototype = cPObjBase::PrototypeById(id);
        EXPECT_EQ(prototype->FindOwner(0, 0), nullptr);
        EXPECT_EQ(prototype->GetRoot(), prototype);
        EXPECT_EQ(prototype->CheckTypeId(0), kFailed);
        EXPECT_EQ(prototype->CheckTypeId(id), 0);
    }
}

TEST_F(RootTest, LoadingWithoutAFileStillNamesTheObject) {
    std::unique_ptr<cLineObject> line(new cLineObject);
    EXPECT_EQ(std::u16string(line->GetClassName()), u"cPObjBase");
    RaisedErrors errors;
    EXPECT_EQ(line->LoadBinary(nullptr, 0), kFailed);
    EXPECT_EQ(std::u16string(line->GetClassName()), u"Line");
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid stream");
    cPObjBase::sCmdFileSave noFile;
    EXPECT_EQ(line->SaveBinary(&noFile), kFailed);
}

TEST_F(RootTest, ReferencesNameTheObjectAndInDebugModeItsAddress) {
    std::unique_ptr<cPObjPoint> p(new cPObjPoint);
    std::ostringstream plain;
    cPObjBase::WriteObjectRef(plain, p.get());
    plain << " ";
    cPObjBase::WriteObjectRef(plain, nullptr);
    EXPECT_EQ(plain.str(), "Point none");

    const sProgramStatus saved = gProgramStatus;
    gProgramStatus.SetDebugMode(true);
    std::ostringstream debug, line;
    cPObjBase::WriteObjectRef(debug, p.get());
    cPObjBase::sCmdExpAsc record(&line);
    p->ExportText(&record);
    gProgramStatus = saved;
    std::ostringstream address;
    address << "(" << std::hex << reinterpret_cast<uintptr_t>(p.get()) << ")";
    EXPECT_EQ(debug.str(), address.str() + "Point");
    EXPECT_EQ(line.str(), address.str() + "Point           @   0,    0");
}

TEST_F(RootTest, ASymbolWithoutSetUpSaysSo) {
    test::cTestScoreWindow window;
    test::LogCapture log("no_setup");
    std::unique_ptr<cPObjPoint> p(new cPObjPoint);
    EXPECT_EQ(p->HasClassSetup(), kFailed);
    EXPECT_EQ(p->HasObjectSetup(), kFailed);
    EXPECT_EQ(p->RunClassSetup(nullptr), kFailed);
    EXPECT_NE(log.Text().find("Box: Drawing Setup: No setup for this item."), std::string::npos);
}

TEST_F(RootTest, TheRelocateOptionAnswersItsPreviousValue) {
    gRelocate = 0;
    EXPECT_EQ(cPObjBase::SetRelocate(1), 0);
    EXPECT_EQ(cPObjBase::SetRelocate(0), 1);
    EXPECT_EQ(gRelocate, 0);
}

TEST_F(RootTest, TheMusicLayerDefaultsAreThoseOfAnUntimedSymbol) {
    std::unique_ptr<cPObjPoint> p(new cPObjPoint);
    p->SetPosition(50, 100);
    EXPECT_EQ(p->GetMidiPitch().value, kNoPitch);
    EXPECT_EQ(p->GetDurationTicks(), 0);
    EXPECT_EQ(p->GetTimeStep(), 0);
    EXPECT_EQ(p->GetTimeX(), 50);
    EXPECT_EQ(p->GetHeadY(), 100);
    EXPECT_EQ(p->GetHeadTypeId(), 43);
    EXPECT_EQ(p->GetStemFlipY(), 80);
    EXPECT_TRUE(p->IsStemUp());
    EXPECT_EQ(p->GetMainNote(), p.get());
    // No registry: the head is 8 wide, the tolerance 5/4 of it.
    EXPECT_EQ(p->GetHeadWidth(), 8);
    EXPECT_EQ(p->GetSpacingToleranceX(), 10);
    EXPECT_EQ(p->GetStemX(120), 43);  // stem up, target below
    EXPECT_EQ(p->GetStemX(90), 50);
    EXPECT_EQ(p->SetSoundOutput(nullptr), nullptr);
}

#if !defined(_WIN32)
TEST_F(RootTest, StemsStartBesideTheHeadTowardsTheirEnd) {
    test::cTestScoreWindow window;
    std::unique_ptr<cPObjPoint> p(new cPObjPoint);  // stem up, head 8 wide
    p->SetPosition(50, 100);
    window.SetLineWidth(3);
    window.ClearRecords();
    struct sCase {
        int32_t toY, direction, x;
    };
    for (const sCase &c : {sCase{60, 0, 50}, sCase{140, 0, 43}, sCase{60, -1, 43}, sCase{140, 1, 50}}) {
        p->DrawStem(c.toY, c.direction);
        ASSERT_EQ(window.Records().size(), 1u);
        EXPECT_EQ(window.Records()[0].args, (std::vector<int32_t>{c.x, 100, c.x, c.toY})) << c.toY << c.direction;
        EXPECT_EQ(window.Records()[0].lineWidth, 1);
        EXPECT_EQ(window.GetLineWidth(), 3);
        window.ClearRecords();
    }
    p->DrawStem(kFailed, 0);
    EXPECT_TRUE(window.Records().empty());
}
#endif

}  // namespace
