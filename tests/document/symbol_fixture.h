// What the symbol tests share: a registry over the whole id range (trivial
// classes stand for the notation catalogue from id 17 on), an owner with a
// plain list of children, and a fixture that resets the module state of the
// symbol model and checks that every symbol a test made is gone at its end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/base_classes.h"
#include "document/registry.h"
#include "document/undo_list.h"
#include "tests/foundation/raised_errors.h"
#include "ui/view_port.h"

namespace test {

// A class of the catalogue's range: its id is chosen at construction and its
// name is "Music<id>".
class cRangeSymbol : public cPObjPoint {
public:
    explicit cRangeSymbol(int16_t id) : id(id) {}
    const char16_t *GetTypeName() const override;
    int16_t GetTypeId() const override { return id; }
    cPObjPoint *NewSameClass() const override { return new cRangeSymbol(id); }

private:
    int16_t id;
};

// An owner holding its children in a list in the order they come; its id,
// family bits and unit flag are chosen at construction.
class cListOwner : public cPointOwner {
public:
    explicit cListOwner(int16_t id = 184, uint32_t family = kTypeStaff, uint8_t unitFlag = 0)
        : id(id), family(family) {
        unit = unitFlag;
    }
    ~cListOwner() override;

    const char16_t *GetTypeName() const override { return u"ListOwner"; }
    int16_t GetTypeId() const override { return id; }
    uint32_t GetTypeFlags(int16_t typeId) const override { return cPObjBase::GetTypeFlags(typeId) | family; }
    cPObjPoint *NewSameClass() const override { return new cListOwner(id, family, unit); }

    bool AddChild(cPObjPoint *child) override;
    uint16_t GetChildCount() override { return uint16_t(children.size()); }
    cPObjPoint *GetChild(uint16_t index) override { return index < children.size() ? children[index] : nullptr; }
    cPObjPoint *RemoveChild(cPObjPoint *child) override;

    // Makes a child of the class at (x, y) and inserts it.
    template <class T = cPObjPoint>
    T *Add(int32_t px, int32_t py) {
        T *child = new T;
        child->SetPosition(px, py);
        InsertChild(child);
        return child;
    }

    std::vector<cPObjPoint *> children;  // owned

private:
    int16_t id;
    uint32_t family;
};

// A score window without a window system: it draws into its records and
// makes dialogs that a script answers.  It is the current score window
// while it lives.
class cTestScoreWindow : public cViewPort {
public:
    cTestScoreWindow();
    ~cTestScoreWindow() override;
#if !defined(_WIN32)
    // The names of the primitives recorded since the last call.
    std::vector<std::string> TakeOps();
#endif
};

// The storing and sizing passes of a prototype builder.
void BuildRangePrototypes();
// Builds the registry with BuildRangePrototypes; answers VerifyRegistry.
int32_t BuildTestRegistry();

// Resets the module state before and after each test, and checks that the
// live-symbol count ends where it started.
class SymbolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    uint32_t liveAtStart = 0;
};

void ResetSymbolState();

}  // namespace test
