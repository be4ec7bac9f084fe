#pragma once
// TskCustomEdit: the native single-line edit as the skinned controls use it
// (the skinned edits and the spin edit's editor stand on it). The native
// edit keeps the caret, the selection, typing (input method text included),
// the clipboard and ReadOnly; Enter and Escape only reach OnKeyPress (13,
// 27) and never change the text.
//
// Context menu: when no PopupMenu is assigned, a context menu request
// (right click, Shift+F10, the menu key) opens the system context menu
// through the skinned popup menu engine of the form's frame, at the pointer,
// or at the edit's centre when the request comes from the keyboard. The
// menu is built anew for each request:
//
//   撤消      undo is possible, not ReadOnly
//   -
//   剪切      a selection, not ReadOnly
//   复制      a selection
//   粘贴      the clipboard holds text, not ReadOnly
//   删除      a selection, not ReadOnly
//   -
//   选择所有  unless the whole text is selected
//
// The texts come from the resource strings of the frame's skin when it has
// such a component (keys EDIT_UNDO, EDIT_CUT, EDIT_COPY, EDIT_PASTE,
// EDIT_DELETE, EDIT_SELECTALL), else these built-in ones. The menu is owned
// by the edit; it is freed when the engine reports that one of its items
// ran (SkinMessageMenuCommand), or with the edit.

#include "framework/controls/Edit.h"
#include "platform/core/Geometry.h"

namespace tsm {

class TskSkinPopupMenu;

class TskCustomEdit : public TCustomMaskEdit {
 public:
  explicit TskCustomEdit(TComponent* owner);

  // Opens the context menu for a request at a screen point; fromKeyboard:
  // at the edit's centre instead. An assigned PopupMenu is opened instead
  // of the system menu.
  void ContextMenuRequest(TPoint screen, bool fromKeyboard);
  // The system context menu while it exists (from a request until one of
  // its items ran), else null.
  TskSkinPopupMenu* SystemMenu() const { return m_systemMenu; }

 protected:
  void WndProc(TMessage& message) override;
  // Right click, Shift+F10, the menu key: OnContextPopup, then the menu.
  void WMContextMenu(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Builds the system menu's items for the edit's current state.
  void RebuildSystemMenu();
  void FreeSystemMenu();
  // Screen point of the middle of the whole window.
  TPoint WindowCentre();

  TskSkinPopupMenu* m_systemMenu = nullptr;
};

}  // namespace tsm
