#pragma once
// The vocabulary shared by the framework's controls: the message record that
// travels through a control's WindowProc chain, the framework's own
// notification messages (CM_*), the control notifications re-sent to the
// focused control before dispatch (CN_*), shift states, alignments, cursors
// and the dialog codes of WM_GETDLGCODE.

#include <cstdint>
#include <functional>

#include "framework/base/Alignment.h"
#include "framework/base/EnumSet.h"
#include "platform/window/Cursor.h"
#include "platform/window/Messages.h"

namespace tsm {

// One message as a control's WindowProc chain sees it. Handlers set Result.
struct TMessage {
  uint32_t Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A control's message handler (its WindowProc). Replacing it subclasses the
// control at the framework level: keep the previous one and call it for
// everything not handled (see TControl::SetWindowProc).
using TWndMethod = std::function<void(TMessage&)>;

// ---------------------------------------------------------------------------
// Framework notifications, sent with Perform. The comment gives the
// parameters; "control" parameters carry a TControl* in lParam.

inline constexpr uint32_t CM_BASE = 0xB000;
inline constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;          // form became the active form
inline constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
inline constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr uint32_t CM_COLORCHANGED = CM_BASE + 4;
inline constexpr uint32_t CM_FONTCHANGED = CM_BASE + 5;
inline constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 6;
inline constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr uint32_t CM_HITTEST = CM_BASE + 10;          // lParam: client point; Result: 0 = not hit
inline constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr uint32_t CM_DIALOGKEY = CM_BASE + 21;        // wParam: VK; lParam: key data; Result 1 = handled
inline constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 22;       // wParam: character; Result 1 = handled
inline constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 23;     // lParam: control that has the focus now
inline constexpr uint32_t CM_PARENTSHOWHINTCHANGED = CM_BASE + 24;
inline constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 25;   // wParam: VK; Result 1 = the control wants it
inline constexpr uint32_t CM_ENTER = CM_BASE + 27;
inline constexpr uint32_t CM_EXIT = CM_BASE + 28;
inline constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 31;
inline constexpr uint32_t CM_CANCELMODE = CM_BASE + 32;       // lParam: control that caused it
inline constexpr uint32_t CM_RELEASE = CM_BASE + 33;          // posted to a form: free it now
inline constexpr uint32_t CM_BORDERCHANGED = CM_BASE + 35;
inline constexpr uint32_t CM_SHOWHINTCHANGED = CM_BASE + 38;
// lParam: THintInfo* (framework/forms/ApplicationHints.h); Result 1 = no hint.
inline constexpr uint32_t CM_HINTSHOW = CM_BASE + 48;
inline constexpr uint32_t CM_ACTIONUPDATE = CM_BASE + 63;
// lParam: TStateDescription* to add to (StateDescription.h); also sent to
// windows that are not controls. Result 1 = answered.
inline constexpr uint32_t CM_DESCRIBESTATE = CM_BASE + 100;

// Key messages re-sent to the focused control before they are dispatched, so
// that short cuts and dialog keys are handled first (Result 1 = consumed).
inline constexpr uint32_t CN_BASE = 0xBC00;
inline constexpr uint32_t CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr uint32_t CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr uint32_t CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;

// Answers of WM_GETDLGCODE: which keys a control handles itself instead of
// leaving them to the form (Tab, arrows, Enter/Escape, characters).
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// ---------------------------------------------------------------------------

enum class TShiftKey : uint8_t { Shift, Alt, Ctrl, Left, Right, Middle, Double };
using TShiftState = TEnumSet<TShiftKey>;

// The state of the modifier keys now (GetKeyState).
TShiftState KeyboardShiftState();
// Modifier keys and buttons of a mouse message's wParam (MK_*), Alt from the
// keyboard.
TShiftState MouseShiftState(WPARAM keys);

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum class TBorderStyle : uint8_t { bsNone, bsSingle };

// Cursors by the classic numbers; crDefault leaves the choice to the window
// (its class cursor, or the sizing cursors over borders).
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crNo = -12;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// The window system's shape for a cursor (crDefault: the arrow).
TCursorShape CursorShapeOf(TCursor cursor);

// Modal results (the values of the classic dialog buttons).
using TModalResult = int32_t;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

}  // namespace tsm
