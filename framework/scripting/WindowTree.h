#pragma once
// TWindowTree: the windows on the screen as the UI scripting sees them, as one
// JSON document (the `dump` command) and as the list of texts that the script
// commands search (`click-text`, `expect-text`, `expect-window` ...).
//
// Document (keys in this order; "items" and "controls" only when not empty):
//   { "screen": RECT, "workArea": RECT, "windows": [WINDOW, ...] }   z-order, topmost first
//   WINDOW   { "caption", "className", "name", "bounds": RECT, "clientRect": RECT,
//              "windowState": "normal" | "maximized" | "minimized" | "rolledUp",
//              "visible", "enabled", "active", "opacity": 0..255, "hasRegion",
//              ...fields of the window, "items": [ITEM], "controls": [CONTROL] }
//   CONTROL  { "className", "name", "text", "bounds": RECT, "visible", "enabled",
//              "focused", ...fields of the control, "items": [ITEM], "controls": [CONTROL] }
//              controls bottom to top (windowless ones first, as the parent
//              paints them)
//   ITEM     { "text", "bounds": RECT, "enabled", ...fields of the item }
//   RECT     { "left", "top", "right", "bottom" } screen coordinates; right and
//            bottom are exclusive
// "visible" of a control means shown: visible itself and every parent up to a
// visible window. The fields a control or window adds come from
// CM_DESCRIBESTATE (framework/controls/StateDescription.h). Windows that are
// not controls of this framework have the class name "window" and their child
// windows as controls.
//
// Texts are compared as people read them: accelerator marks removed ("&&"
// stands for "&") and blanks trimmed at both ends.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/Json.h"
#include "platform/core/Geometry.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

class TControl;
class TObject;

class TWindowTree {
 public:
  // What the searches find: a window, a control or a sub-item.
  struct TEntry {
    enum class TKind : uint8_t { Window, Control, Item };
    TKind Kind = TKind::Control;
    std::string Text;       // comparable form (ComparableText)
    std::string Name;       // component name ("" for items and plain windows)
    TRect Bounds;           // the part on the screen (clipped by its parents)
    bool Shown = false;     // visible, with its parents; items: on screen
    bool Enabled = true;
    HWND InputWindow;       // the window that a click on it reaches
    HWND TopLevel;
  };

  // The screen as it is now.
  static TWindowTree Capture();

  const TJsonValue& Document() const { return m_document; }
  // Every window, control and item, the topmost first.
  const std::vector<TEntry>& Entries() const { return m_entries; }

  // The topmost shown control or item whose text is text, and whose centre a
  // click reaches (no other window covers it). Windows themselves do not
  // count.
  const TEntry* FindClickable(std::string_view text) const;
  // The topmost shown control whose text or name is textOrName, or item whose
  // text is it.
  const TEntry* FindControl(std::string_view textOrName) const;
  // Some shown window caption, control text, item text, or one line of a
  // multi-line one, is text.
  bool ShowsText(std::string_view text) const;
  // The topmost visible top-level window with the caption; null when none.
  HWND FindWindow(std::string_view caption) const;

 private:
  TJsonValue m_document;
  std::vector<TEntry> m_entries;
};

// A top-level window with its controls, or one control with its controls, as
// the document describes them (for tests of what a control reports).
TJsonValue DescribeWindow(HWND wnd);
TJsonValue DescribeControl(TControl* control);

// Text as the searches compare it.
std::string ComparableText(std::string_view text);
// A shown text (in its comparable form) is the text a script names: written
// as it is shown, or as it stands in a caption, accelerator marks included.
bool TextIs(std::string_view comparable, std::string_view wanted);
// The class name of an object without its namespaces ("TButton").
std::string ClassNameOf(const TObject& object);

}  // namespace tsm
