// The Windows headers, for _win files only: every other file names the
// window system through platform/os_handles.h and the program's own types.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <cwchar>
#include <mmsystem.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

// A few operations of the program's classes are named like Win32 functions
// whose names are macros for the A/W pair; a _win file sees both.  Win32
// code here calls the W function by its full name, so these macros go.
#undef CopyFile
#undef CreateDC
#undef DeleteFile
#undef DrawState
#undef EnumPrinters
#undef GetClassName
#undef GetCommandLine
#undef GetDefaultPrinter
#undef GetFileAttributes
#undef GetUserName
#undef LoadAccelerators
#undef LoadString
#undef MessageBox
#undef StartDoc
#undef WinHelp

// Hands UTF-16 text to a Win32 call.  wchar_t is 16 bits on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16 on Windows");
inline const wchar_t *W(const char16_t *text) { return reinterpret_cast<const wchar_t *>(text); }
inline wchar_t *W(char16_t *text) { return reinterpret_cast<wchar_t *>(text); }
inline const char16_t *U(const wchar_t *text) { return reinterpret_cast<const char16_t *>(text); }
inline char16_t *U(wchar_t *text) { return reinterpret_cast<char16_t *>(text); }
