#include "tests/document/score_file_support.h"

#include <sstream>

#include "document/base_classes.h"
#include "document/commands.h"
#include "document/line_symbol.h"
#include "foundation/text_util.h"
#include "platform/version_word.h"
#include "tests/test_support.h"

namespace test {

namespace {

constexpr uint32_t kPositions32 = 0x1050000;
constexpr uint32_t kVarInts = 0x1060000;
constexpr uint32_t kPlainNames = 0x2000000;
constexpr uint32_t kWideStrings = 0x20A0200;
constexpr uint32_t kProgramWord = 0x020C0500;

uint32_t Masked(uint32_t v) { return v & ~0xFFu; }

}  // namespace

cPObjGroup *AddBasicClasses(PointWindowObject *doc) {
    Add<cPObjPoint>(doc, 5, 6);
    Add<ShapeObject>(doc, -70, 10);
    AddScaled<ScaledObject>(doc, 9000, -9000, 40, 20);
    AddScaled<cLineObject>(doc, 0x100000, 3, -50, 0)->SetLineWidth(5);
    doc->InsertChild(cPObjBase::NewById(17));
    auto *single = AddScaled<SingleOwnerObject>(doc, 100, 100, 10, 10);
    Add<cPObjPoint>(single, 101, 102);
    auto *pair = AddScaled<PointPairObject>(doc, 200, 200, 30, 30);
    Add<cPObjPoint>(pair, 201, 201);
    AddScaled<ScaledObject>(pair, 205, 206, 2, 3);
    auto *group = AddScaled<cPObjGroup>(doc, 300, 300, 50, 50);
    Add<cPObjPoint>(group, 310, 320);
    auto *inner = AddScaled<cPObjGroup>(group, 330, 330, 5, 5);
    AddScaled<cLineObject>(inner, 331, 332, 1, 1);
    AddScaled<cPObjGroup>(group, 340, 340, 1, 1);
    return group;
}

cScoreBytes &cScoreBytes::U8(uint8_t v) {
    bytes.push_back(char(v));
    return *this;
}

cScoreBytes &cScoreBytes::U16(uint16_t v) { return U8(uint8_t(v)).U8(uint8_t(v >> 8)); }

cScoreBytes &cScoreBytes::U32(uint32_t v) { return U16(uint16_t(v)).U16(uint16_t(v >> 16)); }

cScoreBytes &cScoreBytes::Raw(const std::string &more) {
    bytes += more;
    return *this;
}

uint16_t cScoreBytes::PosSize(int32_t v) const {
    if (Masked(version) < kPositions32) return 2;
    if (Masked(version) < kVarInts) return 4;
    if (v >= -0x40 && v < 0x40) return 1;
    if (v >= -0x2000 && v < 0x2000) return 2;
    if (v >= -0x100000 && v < 0x100000) return 3;
    return 4;
}

cScoreBytes &cScoreBytes::Pos(int32_t v, bool fourBytes) {
    if (Masked(version) < kPositions32) return U16(uint16_t(v));
    if (Masked(version) < kVarInts) return U32(uint32_t(v));
    const int n = fourBytes ? 4 : PosSize(v);
    // Groups of 7 bits, most significant first; bit 7 on all but the last.
    for (int i = n - 1; i >= 0; --i) U8(uint8_t(((uint32_t(v) >> (7 * i)) & 0x7F) | (i ? 0x80 : 0)));
    return *this;
}

cScoreBytes &cScoreBytes::Str(const std::string &ascii) {
    if (Masked(version) < kWideStrings) return U16(uint16_t(ascii.size())).Raw(ascii);
    U16(uint16_t(2 * ascii.size()));
    for (char c : ascii) U8(uint8_t(c)).U8(0);
    return *this;
}

cScoreBytes &cScoreBytes::Header(bool ansi) {
    const std::string text = "Pelmora Music File Oct 12 2013";
    if (ansi) {
        Raw(text).U8(0x1A).U8(0);
    } else {
        for (char c : text) U8(uint8_t(c)).U8(0);
        U16(0x1A).U16(0);
    }
    return U32(version);
}

cScoreBytes &cScoreBytes::Entry(int16_t id, const std::string &name, uint16_t recordSize) {
    return U16(uint16_t(id)).Str(name).U16(recordSize).U16(0);
}

cScoreBytes &cScoreBytes::Dictionary(const std::vector<std::string> &more) {
    const bool old = Masked(version) < kPlainNames;
    auto name = [old](const std::string &n) { return old ? "Rhythm" + n + "Object" : n; };
    U16(1).U16(uint16_t(17 + more.size()));
    Entry(1, name("Point"), PointSize(0, 0)).Entry(2, name("Shape"), PointSize(0, 0));
    for (int id = 3; id <= 6; ++id) U16(0);
    Entry(7, name("Scaled"), ScaledSize(0, 0, 1, 1)).Entry(8, name("Line"), uint16_t(ScaledSize(0, 0, 1, 1) + 1));
    Entry(9, name("Owner"), OwnerSize(0, 0, 1, 1)).Entry(10, name("Pair"), OwnerSize(0, 0, 1, 1));
    Entry(11, name("Group"), OwnerSize(0, 0, 1, 1)).Entry(12, name("Window"), OwnerSize(0, 0, 0, 0));
    for (int id = 13; id <= 16; ++id) U16(0);
    Entry(17, "Music17", PointSize(0, 0));
    for (size_t i = 0; i < more.size(); ++i) Entry(int16_t(18 + i), more[i], PointSize(0, 0));
    return *this;
}

cScoreBytes &cScoreBytes::Child(int16_t id, uint16_t size) {
    U16(uint16_t(id));
    return Masked(version) >= kPositions32 ? U16(size) : *this;
}

cScoreBytes &cScoreBytes::OwnerRecord(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t count) {
    return ScaledRecord(x, y, w, h).U8(0).U16(count);
}

cScoreBytes &cScoreBytes::Root(uint16_t size) { return Child(12, size); }

void BuildStoredClasses() {
    if (!cPObjBase::RegistryAllocated()) {
        cPObjBase::ReserveRegistryIds(1, 16);
        return;
    }
    (new cPObjPoint)->Register(nullptr);
    (new ShapeObject)->Register(nullptr);
    (new ScaledObject)->Register(nullptr);
    (new cLineObject)->Register(nullptr);
    (new SingleOwnerObject)->Register(nullptr);
    (new PointPairObject)->Register(nullptr);
    (new cPObjGroup)->Register(nullptr);
    (new PointWindowObject)->Register(nullptr);
}

std::string DescribeTree(cPObjBase *obj) {
    if (!obj) return "null";
    std::ostringstream out;
    out << Narrow(obj->GetTypeName()) << "@" << obj->x << "," << obj->y;
    if (auto *scaled = dynamic_cast<ScaledObject *>(obj))
        out << " " << scaled->GetSizeWidth() << "x" << scaled->GetSizeHeight();
    if (auto *line = dynamic_cast<cLineObject *>(obj)) out << " lw" << int(line->GetLineWidth());
    if (obj->IsOwner()) {
        auto *owner = static_cast<cPObjOwnBase *>(obj);
        out << "[";
        for (uint16_t i = 0; i < owner->GetChildSlots(); ++i) {
            cPObjPoint *child = owner->GetChild(i);
            if (!child) continue;
            if (out.str().back() != '[') out << " ";
            out << DescribeTree(child);
        }
        out << "]";
    }
    return out.str();
}

void ScoreFileTest::SetUp() {
    SymbolTest::SetUp();
    gProgramStatus.word = kProgramWord;
    ASSERT_EQ(BuildTestRegistry(), 0);
    window = std::make_unique<cTestScoreWindow>();
    const std::string name = std::string("score_file_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder = MakeTempFolder(name.c_str());
    log = std::make_unique<LogCapture>((name + "_log").c_str());
    doc = new PointWindowObject(window.get());
}

void ScoreFileTest::TearDown() {
    delete doc;
    doc = nullptr;
    log.reset();
    window.reset();
    gProgramStatus = InitProgramStatus();
    SymbolTest::TearDown();
}

std::string ScoreFileTest::SaveBytes(const char *name) {
    const std::u16string path = folder + WidenAscii(name);
    EXPECT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
    return ReadFileBytes(path);
}

tStatus ScoreFileTest::LoadBytes(const std::string &bytes, const char *name) {
    const std::u16string path = folder + WidenAscii(name);
    WriteFileBytes(path, bytes);
    return doc->LoadFile(path.c_str());
}

}  // namespace test
