#include "skincontrols/TskCustomEdit.h"

#include "framework/controls/MenuItem.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinTypes.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"
#include "skinforms/SkinMenuFrame.h"
#include "skinforms/TskSkinPopupMenu.h"

namespace tsm {

namespace {

struct TEditMenuEntry {
  const char* Key;
  const char* BuiltIn;
};
constexpr TEditMenuEntry kUndo{"EDIT_UNDO", "撤消"};
constexpr TEditMenuEntry kCut{"EDIT_CUT", "剪切"};
constexpr TEditMenuEntry kCopy{"EDIT_COPY", "复制"};
constexpr TEditMenuEntry kPaste{"EDIT_PASTE", "粘贴"};
constexpr TEditMenuEntry kDelete{"EDIT_DELETE", "删除"};
constexpr TEditMenuEntry kSelectAll{"EDIT_SELECTALL", "选择所有"};

const TskResourceStrData* FrameStrings(const TControl* control) {
  const ISkinMenuFrame* frame = FindSkinMenuFrame(GetParentForm(control));
  const TskSkinData* skin = frame ? frame->MenuSkin() : nullptr;
  return skin ? skin->ResourceStrData() : nullptr;
}

}  // namespace

TskCustomEdit::TskCustomEdit(TComponent* owner) : TCustomMaskEdit(owner) {}

void TskCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == SkinMessageMenuCommand) {
    // An item of the system menu ran: the menu has served.
    FreeSystemMenu();
    return;
  }
  TCustomMaskEdit::WndProc(m);
}

void TskCustomEdit::WMContextMenu(TMessage& m) {
  if (m.Result) return;
  if (PopupMenu()) {
    TCustomMaskEdit::WMContextMenu(m);
    return;
  }
  TPoint screen = PointFromLParam(m.LParam);
  const bool fromKeyboard = screen == TPoint{-1, -1};
  if (fromKeyboard) screen = WindowCentre();
  const auto alive = AliveToken();
  bool handled = false;
  DoContextPopup(ScreenToClient(screen), handled);   // OnContextPopup
  if (alive.expired()) return;
  m.Result = 1;
  if (!handled) ContextMenuRequest(screen, false);
}

TPoint TskCustomEdit::WindowCentre() {
  const TRect r = GetWindowRect(Handle());
  return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void TskCustomEdit::ContextMenuRequest(TPoint screen, bool fromKeyboard) {
  if (fromKeyboard) screen = WindowCentre();
  if (TPopupMenu* menu = PopupMenu()) {
    menu->SetPopupComponent(this);
    menu->Popup(screen.X, screen.Y);
    return;
  }
  RebuildSystemMenu();
  m_systemMenu->SetPopupForm(GetParentForm(this));
  m_systemMenu->PopupForEdit(this, screen.X, screen.Y);
}

void TskCustomEdit::RebuildSystemMenu() {
  if (!m_systemMenu) {
    m_systemMenu = new TskSkinPopupMenu(this);
    m_systemMenu->FreeNotification(this);
  }
  TMenuItem* root = m_systemMenu->Items();
  root->Clear();
  const TskResourceStrData* strings = FrameStrings(this);
  const bool selection = SelLength() > 0;
  const auto add = [&](const TEditMenuEntry* entry, bool enabled, std::function<void()> run) {
    auto* item = new TMenuItem(m_systemMenu);
    if (!entry) {
      item->SetCaption("-");
    } else {
      const std::string text = strings ? strings->GetResStr(entry->Key) : std::string();
      item->SetCaption(text.empty() ? entry->BuiltIn : text);
      item->SetEnabled(enabled);
      item->OnClick = [run = std::move(run)](TObject*) { run(); };
    }
    root->Add(item);
  };
  add(&kUndo, CanUndo() && !ReadOnly(), [this] { Perform(WM_UNDO); });
  add(nullptr, true, {});
  add(&kCut, selection && !ReadOnly(), [this] { Perform(WM_CUT); });
  add(&kCopy, selection, [this] { Perform(WM_COPY); });
  add(&kPaste, IsClipboardTextAvailable() && !ReadOnly(), [this] { Perform(WM_PASTE); });
  add(&kDelete, selection && !ReadOnly(), [this] { Perform(WM_CLEAR); });
  add(nullptr, true, {});
  add(&kSelectAll, !(SelStart() == 0 && size_t(SelLength()) == Text().size()), [this] { SelectAll(); });
}

void TskCustomEdit::FreeSystemMenu() {
  if (!m_systemMenu) return;
  TskSkinPopupMenu* menu = m_systemMenu;
  m_systemMenu = nullptr;
  menu->Free();
}

void TskCustomEdit::Notification(TComponent* component, TOperation operation) {
  TCustomMaskEdit::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_systemMenu) m_systemMenu = nullptr;
}

}  // namespace tsm
