#pragma once
// Window messages: numbers, the message record and the records of the
// messages whose parameters carry more than two numbers.
#include <cstdint>

using HWND = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
  unsigned Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

enum : unsigned {
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_ENABLE = 0x000A,
  WM_SETTEXT = 0x000C,
  WM_GETTEXT = 0x000D,
  WM_GETTEXTLENGTH = 0x000E,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_SHOWWINDOW = 0x0018,
  WM_SETCURSOR = 0x0020,
  WM_NEXTDLGCTL = 0x0028,
  WM_SETFONT = 0x0030,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_SYSCHAR = 0x0106,
  WM_COMMAND = 0x0111,
  WM_SYSCOMMAND = 0x0112,
  WM_TIMER = 0x0113,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_USER = 0x0400,
};

// The platform's own control messages, above every window message.
enum : unsigned {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0,
  CM_DEACTIVATE = CM_BASE + 1,
  CM_DIALOGKEY = CM_BASE + 5,
  CM_DIALOGCHAR = CM_BASE + 6,
  CM_FOCUSCHANGED = CM_BASE + 7,  // LParam: the control that received the focus
  CM_ENABLEDCHANGED = CM_BASE + 11,
  CM_FONTCHANGED = CM_BASE + 17,
  CM_TEXTCHANGED = CM_BASE + 18,
  CM_MOUSEENTER = CM_BASE + 19,
  CM_MOUSELEAVE = CM_BASE + 20,
  CM_VISIBLECHANGED = CM_BASE + 22,
  CM_ENTER = CM_BASE + 23,
  CM_EXIT = CM_BASE + 24,
  CM_DIALOGCHARS = CM_BASE + 25,
  CM_RELEASE = CM_BASE + 33,  // the form frees itself
  CM_SHOWINGCHANGED = CM_BASE + 34,
};

// WM_SYSCOMMAND commands.
enum : unsigned {
  SC_MINIMIZE = 0xF020,
  SC_MAXIMIZE = 0xF030,
  SC_CLOSE = 0xF060,
  SC_RESTORE = 0xF120,
};

// Packs two 16-bit halves into an LPARAM, as mouse messages carry X and Y.
inline LPARAM MakeLParam(int low, int high) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                             ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}
inline int LoWordSigned(LPARAM l) { return static_cast<std::int16_t>(l & 0xFFFF); }
inline int HiWordSigned(LPARAM l) { return static_cast<std::int16_t>((l >> 16) & 0xFFFF); }
