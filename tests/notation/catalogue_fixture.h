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
        CreateSymbolRegistry();
    }

    std::unique_ptr<cTestScoreWindow> window;
};

}  // namespace test
