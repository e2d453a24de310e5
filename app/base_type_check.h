// The start-up self-check of the widths of the basic types, reported under
// the module "BaseDefs".
#pragma once

#include <cstdint>

#include "foundation/error_msg.h"

extern const sErrorTable kBaseDefsErrors;

// Raises row index of the table with ERR_REPORT.
void BaseDefsError(uint32_t index);

// The widths the program's files and structures rely on, in table order.
struct sBaseTypeSizes {
    uint32_t intSize = sizeof(int);
    uint32_t floatSize = sizeof(float);
    uint32_t charSize = sizeof(char16_t);
    uint32_t i8Size = sizeof(int8_t);
    uint32_t i16Size = sizeof(int16_t);
    uint32_t i32Size = sizeof(int32_t);
    uint32_t f32Size = sizeof(float);
};

// Compares the widths with 4, 4, 2, 1, 2, 4, 4 and reports each mismatch.
// Answers the number of mismatches.
int32_t CheckBaseTypeSizes(const sBaseTypeSizes &sizes = sBaseTypeSizes());
