// The one header of Win32 types.  Under MinGW it includes the Windows
// headers; natively it declares the opaque handles and the few constants that
// portable files name, so the same declarations compile in both builds.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <cwchar>
#include <mmsystem.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

// The program's own classes have operations named like Win32 functions whose
// names are macros for the A/W pair.  Win32 code here always calls the W
// function by its full name, so the macros go.
#undef CopyFile
#undef DeleteFile
#undef GetFileAttributes
#undef LoadString
#undef MessageBox
#undef GetUserName
#undef GetCommandLine
#undef CreateFont
#undef DrawText
#undef TextOut
#undef GetObject
#undef LoadBitmap
#undef LoadMenu
#undef LoadIcon
#undef LoadCursor
#undef CreateWindow
#undef SendMessage
#undef PostMessage
#undef GetMessage
#undef DispatchMessage
#undef DefWindowProc
#undef RegisterClass
#undef SetWindowText
#undef GetWindowText
#undef GetWindowTextLength
#undef FindWindow
#undef ChooseFont
#undef PrintDlg
#undef StartDoc
#undef AppendMenu
#undef InsertMenu
#undef ModifyMenu
#undef SetMenuItemInfo
#undef GetMenuItemInfo
#undef GetMenuString
#undef CreateDialog
#undef DialogBox
#undef DialogBoxParam
#undef SetDlgItemText
#undef GetDlgItemText
#undef GetTextMetrics
#undef GetTextExtentPoint32
#undef AddFontResource
#undef RemoveFontResource
#undef EnumFontFamilies
#undef CreateDC
#undef GetCurrentDirectory
#undef SetCurrentDirectory
#undef CreateDirectory
#undef GetModuleFileName
#undef FormatMessage
#undef ShellExecute
#undef GetVersionEx
#undef LoadAccelerators
#undef TranslateAccelerator
#undef CreateStatusWindow
#undef GetOpenFileName
#undef GetSaveFileName
#undef EnumPrinters
#undef GetDefaultPrinter
#undef OpenPrinter
#undef DocumentProperties
#undef WinHelp
#undef GetClassName
#undef SetWindowLong
#undef GetWindowLong
#undef FindFirstFile
#undef FindNextFile
#undef GetTempPath
#undef GetTempFileName
#undef MoveFile
#undef CreateFile
#undef GetFileAttributesEx
#undef midiOutGetDevCaps
#undef RegisterClipboardFormat
#undef GetClipboardFormatName
#undef IsDialogMessage
#undef CharUpper
#undef CharLower

// Hands UTF-16 text to a Win32 call.  wchar_t is 16 bits on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16 on Windows");
inline const wchar_t *W(const char16_t *text) { return reinterpret_cast<const wchar_t *>(text); }
inline wchar_t *W(char16_t *text) { return reinterpret_cast<wchar_t *>(text); }
inline const char16_t *U(const wchar_t *text) { return reinterpret_cast<const char16_t *>(text); }
inline char16_t *U(wchar_t *text) { return reinterpret_cast<char16_t *>(text); }

#else

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__ *;
struct HWND__;
using HWND = HWND__ *;
struct HDC__;
using HDC = HDC__ *;
struct HMENU__;
using HMENU = HMENU__ *;
struct HACCEL__;
using HACCEL = HACCEL__ *;
struct HFONT__;
using HFONT = HFONT__ *;
struct HBITMAP__;
using HBITMAP = HBITMAP__ *;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT = uint32_t;
using DWORD = uint32_t;

// Drawing-device handles and records named by the portable device classes.
struct HPEN__;
using HPEN = HPEN__ *;
struct HBRUSH__;
using HBRUSH = HBRUSH__ *;
struct HICON__;
using HICON = HICON__ *;
using HCURSOR = HICON;
struct HRGN__;
using HRGN = HRGN__ *;
using HGDIOBJ = void *;
using LONG = int32_t;
using BYTE = uint8_t;
using WCHAR = char16_t;
using COLORREF = uint32_t;

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

constexpr int LF_FACESIZE = 32;
struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};

// Messages and virtual keys that the message record normalises.
constexpr UINT WM_KEYDOWN = 0x100;
constexpr UINT WM_KEYUP = 0x101;
constexpr UINT WM_CHAR = 0x102;
constexpr UINT WM_SYSKEYDOWN = 0x104;
constexpr UINT WM_MENUSELECT = 0x11F;
constexpr UINT MF_POPUP = 0x10;

// WCHAR is char16_t here, so a LOGFONTW face reads as program text directly.
inline const char16_t *U(const WCHAR *text) { return text; }
inline char16_t *U(WCHAR *text) { return text; }

#endif
