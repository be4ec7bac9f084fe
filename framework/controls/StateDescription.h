#pragma once
// What a control or a window tells the window tree of the UI scripting (the
// `dump` command, `click-text`, the `expect-*` checks) about its state.
//
// The tree fills in what every node has (class name, name, text or caption,
// screen bounds, visible, enabled, focused; window state and the like for
// top-level windows), then asks the node for the rest with CM_DESCRIBESTATE
// (lParam: the TStateDescription*). A control answers through the virtual
// TControl::DescribeState, which its class overrides:
//
//   void TskSkinCheckBox::DescribeState(TStateDescription& state) {
//     TskSkinControl::DescribeState(state);
//     state.Set("checked", Checked());
//   }
//
// Because it is a message, whatever sits in a window's message path can add
// to it too: a component that hooks a form's WindowProc (the skinned frame:
// "windowState": "rolledUp"), or a pop-up window with a procedure of its own
// (a popup menu, a drop-down list), which is not a control at all:
//
//   case CM_DESCRIBESTATE: {
//     auto& state = *reinterpret_cast<TStateDescription*>(lParam);
//     state.Set("className", "TskSkinPopupWindow");
//     for (each shown item) {
//       TStateItem item{caption, screenRect, enabled};
//       item.Fields.Set("shortCut", ShortCutToText(shortCut));
//       item.Fields.Set("highlighted", index == m_highlighted);
//       state.AddItem(std::move(item));
//     }
//     return 1;
//   }
//
// Field names, so that scripts and tools read every control the same way:
//   checked (bool), down (bool), state ("unchecked" | "checked" | "grayed")
//   itemIndex (int, -1 for none), itemCount (int)
//   position, min, max (int)
//   columns (array of strings), rows (array of arrays of strings: the rows
//   shown, top first), topRow, selectedRow (int, record number, -1 for none)
//   readOnly, maxLength, default, cancel, modal ...
// Sub-items (AddItem, the node's "items") are what a user can click inside
// the node: list and drop-down items, grid cells, menu items; a list or a
// combo box lists all its items, those not on screen with an empty
// rectangle. Their fields: shortCut (text),
// checked, highlighted, selected (bool), row, column (int), subMenu (bool).
// click-text and the text checks look at the nodes' texts and these items;
// fields are only reported.

#include <string>
#include <string_view>
#include <vector>

#include "framework/base/Json.h"
#include "platform/core/Geometry.h"

namespace tsm {

// A plain text (a list item) written as captions are, "&&" for each "&",
// so that the tree reads it as it is shown.
inline std::string PlainTextAsCaption(std::string_view text) {
  std::string out;
  for (const char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

struct TStateItem {
  std::string Text;         // as shown; '&' accelerators as in the caption
  TRect Bounds;             // screen coordinates; empty while not on screen
  bool Enabled = true;
  TJsonValue Fields = TJsonValue::Object();   // written after text, bounds, enabled
};

class TStateDescription {
 public:
  TStateDescription() = default;
  // Starts from the fields the tree has filled in.
  explicit TStateDescription(TJsonValue fields) : m_fields(std::move(fields)) {}

  // Sets a field. One that is already there (the tree's own ones included)
  // keeps its place and takes the new value.
  void Set(std::string_view key, TJsonValue value) { m_fields.Set(key, std::move(value)); }
  // The field, or nullptr.
  const TJsonValue* Get(std::string_view key) const { return m_fields.Find(key); }
  const TJsonValue& Fields() const { return m_fields; }

  // A clickable sub-item, in the order they are shown.
  void AddItem(TStateItem item) { m_items.push_back(std::move(item)); }
  const std::vector<TStateItem>& Items() const { return m_items; }

 private:
  TJsonValue m_fields = TJsonValue::Object();
  std::vector<TStateItem> m_items;
};

}  // namespace tsm
