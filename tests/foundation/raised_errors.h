// Watches the error reporter across a few statements of a test: how many
// errors were raised, and the text of the last one.
#pragma once

#include <string>

#include "foundation/error_msg.h"

namespace test {

class RaisedErrors {
public:
    RaisedErrors() : start(gErrorMsg ? gErrorMsg->ErrorCount() : 0) {}

    int32_t Count() const { return gErrorMsg ? gErrorMsg->ErrorCount() - start : 0; }
    // "Error in Module: message" of the last report.
    std::u16string LastText() const {
        auto *reporter = dynamic_cast<cErrorMsg *>(gErrorMsg);
        return reporter ? std::u16string(reporter->LastText()) : std::u16string();
    }

private:
    int32_t start;
};

}  // namespace test
