// General MIDI names: the instrument families, the 128 programmes and the
// percussion keys 35..81, in the program's own spellings.
#pragma once

#include <cstdint>

// The one table: entries 0-15 family names, 16 empty, 17-144 programme
// names (programme 0 first), 145 empty, 146 "  --  ", 147-193 percussion
// names of keys 35 to 81.
constexpr uint32_t kGmNameCount = 194;
constexpr uint32_t kGmFamilyFirst = 0;
constexpr uint32_t kGmProgramFirst = 17;
constexpr uint32_t kGmNoName = 146;
constexpr uint32_t kGmPercussionFirst = 147;
constexpr int32_t kGmPercussionLowKey = 35;
constexpr int32_t kGmPercussionHighKey = 81;

extern const char16_t *const kGmNames[kGmNameCount];

// The programme name of 0..127; 128 and above raise "Bad data" and give null.
const char16_t *GetGmName(uint32_t programme);
