// Time signatures: the measures they give.
#include "notation/symbol_classes.h"

namespace {

struct sTimeNumbers {
    int16_t id;
    int8_t numerator, log2Denominator;
};

// Cut time counts as 2/4; an id not listed answers common time.
constexpr sTimeNumbers kCommonTime = {125, 4, 2};
constexpr sTimeNumbers kTimeNumbers[] = {
    {118, 2, 3},  // Time28
    {119, 3, 3},  // Time38
    {120, 4, 3},  // Time48
    {121, 2, 2},  // Time24
    {122, 3, 2},  // Time34
    {123, 4, 2},  // Time44
    {124, 6, 3},  // Time68
    {125, 4, 2},  // TimeC
    {126, 2, 2},  // TimeC2
};

const sTimeNumbers &NumbersOf(int16_t id) {
    for (const sTimeNumbers &t : kTimeNumbers)
        if (t.id == id) return t;
    return kCommonTime;
}

}  // namespace

int32_t TimeC::GetNumerator() { return NumbersOf(GetTypeId()).numerator; }
int32_t TimeC::GetLog2Denominator() { return NumbersOf(GetTypeId()).log2Denominator; }
