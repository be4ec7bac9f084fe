#include "skinforms/TskDialogForm.h"

#include <algorithm>

#include <cerrno>
#include <cstring>

#include "framework/base/Exception.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "platform/os/FileSystem.h"
#include "platform/os/FolderListing.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

TskDialogForm::TskDialogForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetPosition(TPosition::poScreenCenter);
  m_frame = new TskFormFrame(this);
  m_frame->SetBorderIcons({});
}

void TskDialogForm::ApplyLook(const TskDialogLook& look) {
  m_ctrlSkin = look.CtrlSkinData;
  m_frame->MinWidth = look.MinWidth;
  m_frame->MinHeight = look.MinHeight;
  m_frame->SetSkinData(look.SkinData);
  m_frame->SetMenusSkinData(look.CtrlSkinData);
  m_frame->SetAlphaBlend(look.AlphaBlend);
  m_frame->AlphaBlendAnimation = look.AlphaBlendAnimation;
  m_frame->SetAlphaBlendValue(look.AlphaBlendValue);
}

void TskDialogForm::SetDialogSize(int32_t width, int32_t height, int32_t defaultWidth, int32_t defaultHeight) {
  HandleNeeded();
  SetClientSize(width > 0 ? width : defaultWidth, height > 0 ? height : defaultHeight);
  if (m_frame->SkinData() && !m_frame->SkinData()->Empty())
    SetBounds(Left(), Top(), std::max(Width(), m_frame->GetMinWidth()), std::max(Height(), m_frame->GetMinHeight()));
}

TModalResult TskDialogForm::RunModal() {
  TCustomForm* active = Screen().ActiveForm();
  if (active && active != this && active->Visible()) SetPopupParent(active);
  return ShowModal();
}

bool TskDialogForm::MakeNewFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder[0] != '/') return false;
  const std::string path = JoinPath(folder, name);
  if (PathExists(path)) return false;
  const int error = CreateOneFolder(path);
  if (error == 0) return true;
  if (error == EEXIST) return false;
  throw EInOutError("Unable to create folder '" + DisplayFileName(path) + "': " + std::strerror(error));
}

TskSkinPanel* TskDialogForm::AddPanel(TWinControl* parent, const std::string& skinDataName, TAlign align,
                                      int32_t size, bool framed) {
  auto* panel = new TskSkinPanel(this);
  panel->SetSkinDataName(skinDataName);
  panel->SetBorderStyle(framed ? TskSkinBorderStyle::bvFrame : TskSkinBorderStyle::bvNone);
  panel->SetParent(parent);
  if (align == TAlign::alTop || align == TAlign::alBottom) panel->SetHeight(size);
  if (align == TAlign::alBottom) panel->SetTop(parent->ClientHeight());
  panel->SetAlign(align);
  panel->SetSkinData(m_ctrlSkin);
  return panel;
}

TskSkinButton* TskDialogForm::AddToolButton(TWinControl* parent, const std::string& skinDataName, TskToolGlyph glyph,
                                            int32_t width, const std::string& hint) {
  auto* button = new TskSkinButton(this);
  button->SetSkinDataName(skinDataName);
  button->SetCanFocused(false);
  ui::TBitmap picture;
  MakeToolGlyph(glyph, picture);
  button->SetGlyph(picture);
  button->SetBounds(0, 0, width, 25);
  button->SetHint(hint);
  button->SetShowHint(true);
  button->SetParent(parent);
  button->SetSkinData(m_ctrlSkin);
  return button;
}

TskSkinButton* TskDialogForm::AddButton(TWinControl* parent, const std::string& caption, const TRect& bounds,
                                        TModalResult result) {
  auto* button = new TskSkinButton(this);
  button->SetCaption(caption);
  button->SetModalResult(result);
  button->SetDefaultHeight(bounds.Height());
  button->SetBoundsRect(bounds);
  button->SetParent(parent);
  button->SetSkinData(m_ctrlSkin);
  return button;
}

TskSkinPanel* TskDialogForm::AddViewPanel(TWinControl* parent, TskSkinScrollBar*& horizontal,
                                          TskSkinScrollBar*& vertical) {
  TskSkinPanel* panel = AddPanel(parent, "panel", TAlign::alClient, 0, true);
  horizontal = new TskSkinScrollBar(this);
  horizontal->SetKind(TScrollBarKind::sbHorizontal);
  horizontal->SetSkinDataName("hscrollbar");
  horizontal->SetBoth(true);
  horizontal->SetBothSkinDataName("bothhscrollbar");
  horizontal->SetBothMarkerWidth(19);
  horizontal->SetParent(panel);
  horizontal->SetHeight(19);
  horizontal->SetAlign(TAlign::alBottom);
  horizontal->SetEnabled(false);
  horizontal->SetSkinData(m_ctrlSkin);
  vertical = new TskSkinScrollBar(this);
  vertical->SetKind(TScrollBarKind::sbVertical);
  vertical->SetSkinDataName("vscrollbar");
  vertical->SetParent(panel);
  vertical->SetWidth(19);
  vertical->SetAlign(TAlign::alRight);
  vertical->SetEnabled(false);
  vertical->SetSkinData(m_ctrlSkin);
  return panel;
}

}  // namespace tsm
