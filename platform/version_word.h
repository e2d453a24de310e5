// The program version word: major << 24 | minor << 16 | release << 8 | mode
// flags, bit 0 being the debug-mode flag.  Score files carry the word of the
// program that wrote them (4 bytes, least significant first); words below
// 0x01000000 are the older layout major << 16 | minor << 8 | flags.  Two
// words are compared with their low byte (the mode flags) masked off.
#pragma once

#include <cstdint>

class cBinaryFileBase;

constexpr uint32_t kVersionFlagsMask = 0xFF;
constexpr uint32_t kDebugModeFlag = 0x01;

// The version part of a word: the mode flags masked off.
constexpr uint32_t MaskVersion(uint32_t word) { return word & ~kVersionFlagsMask; }
// <0, 0 or >0 as version a is older than, the same as or newer than b.
constexpr int CompareVersion(uint32_t a, uint32_t b) {
    return MaskVersion(a) < MaskVersion(b) ? -1 : MaskVersion(a) > MaskVersion(b) ? 1 : 0;
}

struct sProgramStatus {
    uint32_t word;

    uint32_t GetVersion() const { return word; }
    uint32_t IsDebugMode() const { return word & kDebugModeFlag; }
    void SetDebugMode(bool on) { word = on ? (word | kDebugModeFlag) : (word & ~kDebugModeFlag); }
    const char16_t *GetVersionText() const;
    uint32_t WriteVersion(cBinaryFileBase &file) const;
};

// The start value: version 2.12.5, every mode flag clear.
constexpr sProgramStatus InitProgramStatus() { return sProgramStatus{0x020C0500}; }

extern sProgramStatus gProgramStatus;

// "major.minor.release.0" as a temporary text; ParseVersionText reads it back.
const char16_t *FormatVersion(const uint32_t *word);
// Writes the 4 bytes of the word; answers the word.
uint32_t WriteVersionWord(const uint32_t *word, cBinaryFileBase &file);
// Reads 4 bytes into the destination, converting the older layout; answers it.
uint32_t ReadVersionWord(uint32_t *destination, cBinaryFileBase &file);
// Builds a word from dotted decimal groups, each shifted in by one byte;
// stores it in the destination and answers it.
uint32_t ParseVersionText(uint32_t *destination, const char16_t *text);
