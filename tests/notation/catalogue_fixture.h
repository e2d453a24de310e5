// What the notation tests share: a fixture that builds the real catalogue on
// a test score window (every class 1 to 186 with its prototype, the pictures
// and hints) and checks, through the symbol tests' fixture, that no symbol
// outlives a test.
#pragma once

#include <memory>

#include "notation/symbol_catalogue.h"
#include "notation/symbol_classes.h"
#include "tests/document/symbol_fixture.h"

namespace test {

// The staff family (181, 183, 184) and the score (186) stand a layer above
// the catalogue and plug their classes in; the notation tests give those ids
// plain groups that answer the catalogue's naming, so that the registry they
// build is whole.
template <int16_t Id>
class cStaffStandIn : public lcSymbolClass<cStaffStandIn<Id>, Id, cPObjGroup> {};

template <int16_t Id>
cPObjPoint *MakeStaffStandIn() {
    return new cStaffStandIn<Id>;
}

inline void PlugInStaffStandIns() {
    SetSymbolMaker(181, MakeStaffStandIn<181>);
    SetSymbolMaker(183, MakeStaffStandIn<183>);
    SetSymbolMaker(184, MakeStaffStandIn<184>);
    SetSymbolMaker(186, MakeStaffStandIn<186>);
}

class CatalogueTest : public SymbolTest {
protected:
    void SetUp() override { SymbolTest::SetUp(); }
    void TearDown() override {
        SymbolTest::TearDown();
        window.reset();
    }

    // Builds the registry on the window (a plain test score window when
    // null), which stays the current score window for the test.
    void Build(std::unique_ptr<cTestScoreWindow> on = nullptr) {
        window = on ? std::move(on) : std::make_unique<cTestScoreWindow>();
        PlugInStaffStandIns();
        CreateSymbolRegistry();
    }

    std::unique_ptr<cTestScoreWindow> window;
};

}  // namespace test
