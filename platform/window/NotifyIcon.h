#pragma once
// Icons in the desktop's notification area, and registered window messages.
//
//   TNotifyIconData d;
//   d.Wnd = hidden;  d.Id = 1;  d.Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
//   d.CallbackMessage = WM_USER + 1024;  d.Icon = picture;  d.Tip = "Tesmaro";
//   const bool shown = Shell_NotifyIcon(NIM_ADD, d);
//   ... hidden's procedure gets (WM_USER + 1024, 1, WM_LBUTTONDOWN) ...
//   Shell_NotifyIcon(NIM_DELETE, d);
//
// Where no host shows icons (no notification area on the desktop), NIM_ADD
// answers false and nothing is kept: add the icon again when the registered
// message "TaskbarCreated" arrives (sent to every top-level window when a
// host starts). "TaskbarLost" is sent when the host goes away; its icons are
// gone with it. The tip is cut to kNotifyTipChars characters, never inside a
// character. An icon leaves the area when its window is destroyed.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gfx/Bitmap.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

enum : uint32_t { NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2 };
enum : uint32_t { NIF_MESSAGE = 1, NIF_ICON = 2, NIF_TIP = 4 };

inline constexpr size_t kNotifyTipChars = 127;
inline constexpr const char* kTaskbarCreatedMessage = "TaskbarCreated";
inline constexpr const char* kTaskbarLostMessage = "TaskbarLost";

struct TNotifyIconData {
  HWND Wnd;
  uint32_t Id = 0;
  uint32_t Flags = 0;            // NIF_*: which of the fields below count
  uint32_t CallbackMessage = 0;  // NIF_MESSAGE
  TBitmap Icon;                  // NIF_ICON: any format; alpha 0 is outside the shape
  std::string Tip;               // NIF_TIP: UTF-8
};

// NIM_ADD: true when the icon is shown (false: no host, refused, or already
// there). NIM_MODIFY: true when the icon is there. NIM_DELETE: true when it
// was there.
bool Shell_NotifyIcon(uint32_t message, const TNotifyIconData& data);
// A host runs that can show icons.
bool NotifyAreaPresent();
// The icon is in the notification area.
bool NotifyIconShown(HWND wnd, uint32_t id);

// The message number for a name, the same for every caller of the process
// (0xC000 and up; names compare exactly).
uint32_t RegisterWindowMessage(const std::string& name);

}  // namespace tsm
