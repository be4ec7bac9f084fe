#pragma once
// Forward declarations and the basic value types of the window system.
//
// A window is named by an HWND: a number that stays bound to one window for
// the window's whole life and is never given to another window afterwards, so
// a stale handle simply names no window (IsWindow is false and every call on it
// does nothing). Message parameters are pointer-sized integers, as in the
// message protocol the rest of the system is written against: a parameter may
// carry a number, two packed 16-bit values, a handle or the address of a
// structure that lives for the duration of a sent message.

#include <cstdint>
#include <functional>

namespace tsm {

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct HWND {
  uint32_t Id = 0;

  constexpr HWND() = default;
  constexpr explicit HWND(uint32_t id) : Id(id) {}

  constexpr explicit operator bool() const { return Id != 0; }
  friend constexpr bool operator==(HWND, HWND) = default;

  // Handles travel in message parameters (WM_ACTIVATE, WM_SETFOCUS ...).
  constexpr WPARAM ToWParam() const { return Id; }
  constexpr LPARAM ToLParam() const { return static_cast<LPARAM>(Id); }
  static constexpr HWND FromParam(uintptr_t v) { return HWND(static_cast<uint32_t>(v)); }
  static constexpr HWND FromParam(intptr_t v) { return HWND(static_cast<uint32_t>(v)); }
};

// Pseudo handles accepted as the insert-after argument of SetWindowPos. Real
// windows are numbered from 16 up, so these never name a window.
inline constexpr HWND HWND_TOP{};
inline constexpr HWND HWND_BOTTOM{1};
inline constexpr HWND HWND_TOPMOST{0xFFFFFFFFu};
inline constexpr HWND HWND_NOTOPMOST{0xFFFFFFFEu};

// A window procedure. It may be replaced at any time (SetWindowProc) and the
// replacement may chain to the previous one with CallWindowProc; the window
// system keeps its own copy of the procedure for the duration of every call,
// so a procedure may replace itself while it runs.
using TWndProc = std::function<LRESULT(HWND, uint32_t, WPARAM, LPARAM)>;

// A one-shot or repeating timer callback (SetTimer without a window).
using TTimerProc = std::function<void(uint32_t timerId)>;

class TWindow;
class TWindowSystem;
class TBackend;
class THeadlessBackend;
class TWindowDC;
struct TMsg;
struct TPaintStruct;

}  // namespace tsm

template <>
struct std::hash<tsm::HWND> {
  size_t operator()(tsm::HWND h) const noexcept { return std::hash<uint32_t>()(h.Id); }
};
