// What the tests of the character and text symbols share: a fixture that
// puts every class value of these symbols back at its start before and after
// each test, and forgets the fonts that class data written outside a save
// collected for a file.
#pragma once

#include "document/text_symbols.h"
#include "tests/document/symbol_fixture.h"
#include "ui/font_table.h"

namespace test {

inline void ResetTextClassValues() {
    CharObject::SetClassFont(-1);
    CharObject::SetDefaultFrameStyle(0);
    TextObject::SetClassFont(-1);
    TextObject::SetClassDefaultCapacity(TextObject::kInitialCapacity);
    TextFontObject::SetDefaultFont(-1);
    TextFontObject::SetFontClassDefaultCapacity(TextObject::kInitialCapacity);
    delete gFileFontTable;
    gFileFontTable = nullptr;
}

class TextSymbolTest : public SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        ResetTextClassValues();
    }
    void TearDown() override {
        SymbolTest::TearDown();
        ResetTextClassValues();
    }
};

}  // namespace test
