// The numbers of the window messages that the portable window code routes.
// Named here (not by the system's macros) so that the same code builds
// without the Windows headers; the values are the system's.
#pragma once

#include <cstdint>

enum : uint32_t {
    kMsgCreate = 0x001,
    kMsgDestroy = 0x002,
    kMsgMove = 0x003,
    kMsgSize = 0x005,
    kMsgSetFocus = 0x007,
    kMsgKillFocus = 0x008,
    kMsgPaint = 0x00F,
    kMsgClose = 0x010,
    kMsgDrawItem = 0x02B,
    kMsgNcLeftDown = 0x0A1,
    kMsgNcLeftUp = 0x0A2,
    kMsgNcRightDown = 0x0A4,
    kMsgNcRightUp = 0x0A5,
    kMsgKeyDown = 0x100,
    kMsgKeyUp = 0x101,
    kMsgChar = 0x102,
    kMsgSysKeyDown = 0x104,
    kMsgSysKeyUp = 0x105,
    kMsgInitDialog = 0x110,
    kMsgCommand = 0x111,
    kMsgHScroll = 0x114,
    kMsgVScroll = 0x115,
    kMsgMenuSelect = 0x11F,
    kMsgMouseMove = 0x200,
    kMsgLeftDown = 0x201,
    kMsgLeftUp = 0x202,
    kMsgLeftDoubleClick = 0x203,
    kMsgRightDown = 0x204,
    kMsgRightUp = 0x205,
    kMsgMouseWheel = 0x20A,
};

// wParam bit of a mouse message: the left button is down.
constexpr uint32_t kMouseLeftButtonBit = 0x0001;

// Window style bits the framework sets itself.
enum : uint32_t {
    kStyleHorzScroll = 0x00100000,
    kStyleVertScroll = 0x00200000,
    kStyleChildVisible = 0x50000000,  // WS_CHILD | WS_VISIBLE
    kStyleTopWindow = 0x12CF0000,     // WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN
};

// Scroll-bar identifiers of the window system (SB_HORZ, SB_VERT).
enum : int32_t { kScrollBarHorz = 0, kScrollBarVert = 1 };
