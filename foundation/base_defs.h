// Program-wide result codes, flag words and the text type.
#pragma once

#include <cstdint>
#include <string>

// Every operation answers a signed 32-bit status: 0 for success, a value with
// the top bit set for failure, so callers test for a negative value.
using tStatus = int32_t;

constexpr tStatus RC_OK = 0;
constexpr tStatus RC_FAIL = static_cast<tStatus>(0x80000000u);
constexpr tStatus kFailed = RC_FAIL;
constexpr tStatus RC_KEYWORD_MISMATCH = static_cast<tStatus>(0xF8000002u);
constexpr tStatus RC_STREAM_FAILED = static_cast<tStatus>(0xF0000002u);
constexpr tStatus RC_INI_OPEN_FAILED = static_cast<tStatus>(0xF0000005u);
constexpr tStatus RC_NO_MAIN_MENU = static_cast<tStatus>(0xC0000001u);
constexpr tStatus MSG_NOT_HANDLED = static_cast<tStatus>(0xF8000006u);
constexpr tStatus DVC_NOT_OPEN = static_cast<tStatus>(0xE0000001u);
constexpr tStatus DVC_GDI_FAILED = static_cast<tStatus>(0xE0000002u);
constexpr tStatus DVC_NO_DC = static_cast<tStatus>(0xE0000006u);

inline bool Failed(tStatus s) { return s < 0; }

// Flags that ride on an error-table index.
constexpr uint32_t ERR_REPORT = 0x20;
constexpr uint32_t ERR_FATAL = 0x40;
constexpr uint32_t ERR_ABORT = 0x80;

// Text in memory is UTF-16.
using tChar = char16_t;
