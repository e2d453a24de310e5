// What the score-file tests share: a fixture with a registry, a score window
// and a document; score files built byte by byte as each version stored them,
// independently of the writer; and a one-line description of a loaded tree.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/document_root.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/log_capture.h"

namespace test {

// Bytes of a score file as the writer of a given version laid them out.
class cScoreBytes {
public:
    explicit cScoreBytes(uint32_t version) : version(version) {}

    cScoreBytes &U8(uint8_t v);
    cScoreBytes &U16(uint16_t v);
    cScoreBytes &U32(uint32_t v);
    cScoreBytes &Raw(const std::string &bytes);
    // A position integer: i16, i32 or the variable-length form of the
    // version (the fewest bytes, or always 4 with fourBytes).
    cScoreBytes &Pos(int32_t v, bool fourBytes = false);
    // A string record: UTF-16, or 8-bit text before 2.10.2.
    cScoreBytes &Str(const std::string &ascii);
    // The header: UTF-16 text, or with ansi the 8-bit form; then the version.
    cScoreBytes &Header(bool ansi = false);
    // One dictionary entry of a class with no class defaults.
    cScoreBytes &Entry(int16_t id, const std::string &name, uint16_t recordSize);
    // The dictionary of the classes that the tests store: ids 1, 2, 7 to 12
    // under their names and 17 as "Music17" (names as the version wrote them),
    // then the further names from id 18 on.
    cScoreBytes &Dictionary(const std::vector<std::string> &more = {});
    // A child header: class id and, from 1.5.0, the record size.
    cScoreBytes &Child(int16_t id, uint16_t size);
    cScoreBytes &PointRecord(int32_t x, int32_t y) { return Pos(x).Pos(y); }
    cScoreBytes &ScaledRecord(int32_t x, int32_t y, int32_t w, int32_t h) { return Pos(x).Pos(y).Pos(w).Pos(h); }
    // The owner's own fields: scaled fields, unit flag, child count.
    cScoreBytes &OwnerRecord(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t count);
    // The root entry: class id 12 and, from 1.5.0, its size.
    cScoreBytes &Root(uint16_t size);
    // The font block without fonts.
    cScoreBytes &NoFonts() { return U16(0).U16(0); }

    // Record sizes as this version counts them.
    uint16_t PosSize(int32_t v) const;
    uint16_t PointSize(int32_t x, int32_t y) const { return uint16_t(PosSize(x) + PosSize(y)); }
    uint16_t ScaledSize(int32_t x, int32_t y, int32_t w, int32_t h) const {
        return uint16_t(PointSize(x, y) + PosSize(w) + PosSize(h));
    }
    uint16_t OwnerSize(int32_t x, int32_t y, int32_t w, int32_t h) const { return uint16_t(ScaledSize(x, y, w, h) + 3); }

    const std::string &Bytes() const { return bytes; }
    size_t Size() const { return bytes.size(); }

private:
    uint32_t version;
    std::string bytes;
};

// A new object of the class at (x, y), inserted into the owner; a scaled
// one also with its size.
template <class T>
T *Add(cPObjOwnBase *owner, int32_t x, int32_t y) {
    T *obj = new T;
    obj->SetPosition(x, y);
    EXPECT_TRUE(owner->InsertChild(obj));
    return obj;
}

template <class T>
T *AddScaled(cPObjOwnBase *owner, int32_t x, int32_t y, int32_t w, int32_t h) {
    T *obj = new T;
    obj->SetPosition(x, y);
    obj->SetSize(w, h);
    EXPECT_TRUE(owner->InsertChild(obj));
    return obj;
}

// Points, shapes, scaled symbols, lines, a class of the catalogue's range,
// single owners, pairs (one with only its second place held) and nested
// groups, at positions of every var-int width, inserted into the document;
// answers the outer group.
cPObjGroup *AddBasicClasses(PointWindowObject *doc);

// A registry builder of the classes whose records are complete, and nothing
// else: Point, Shape and ids 7 to 12; the other ids have no class.
void BuildStoredClasses();

// "Name@x,y" for a symbol, " WxH" for scaled ones, " lw" for lines, and an
// owner's children in brackets: "Window@0,0 0x0[Point@5,6 Group@1,2 3x4[]]".
std::string DescribeTree(cPObjBase *obj);

class ScoreFileTest : public SymbolTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Saves the document into a file of the test's folder; its bytes.
    std::string SaveBytes(const char *name);
    // Writes the bytes into a file of the test's folder and loads it.
    tStatus LoadBytes(const std::string &bytes, const char *name = "in.pmr");

    std::unique_ptr<cTestScoreWindow> window;
    std::unique_ptr<LogCapture> log;
    std::u16string folder;
    PointWindowObject *doc = nullptr;  // owned; deleted in TearDown
};

}  // namespace test
