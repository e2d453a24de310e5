#include "app/base_type_check.h"

PELMORA_ERROR_TABLE(kBaseDefsErrors, u"BaseDefs",
    u"Int size", u"Float size", u"Char size", u"i8 size", u"i16 size", u"i32 size", u"f32 size");

void BaseDefsError(uint32_t index) { RaiseError(&kBaseDefsErrors, index | ERR_REPORT); }

int32_t CheckBaseTypeSizes(const sBaseTypeSizes &sizes) {
    const uint32_t actual[] = {sizes.intSize, sizes.floatSize, sizes.charSize, sizes.i8Size,
                               sizes.i16Size, sizes.i32Size, sizes.f32Size};
    static const uint32_t kExpected[] = {4, 4, 2, 1, 2, 4, 4};
    int32_t mismatches = 0;
    for (uint32_t i = 0; i < 7; ++i)
        if (actual[i] != kExpected[i]) {
            BaseDefsError(i);
            ++mismatches;
        }
    return mismatches;
}
