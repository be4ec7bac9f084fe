#include "skinforms/TskSkinStdLabel.h"

#include "skin/TskDataSkinControl.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"
#include "skincontrols/SkinControlFont.h"

namespace tsm {

TskSkinStdLabel::TskSkinStdLabel(TComponent* owner) : TLabel(owner) {
  SetTransparent(true);
  m_defaultFont.OnChange = [this](TObject*) { SkinChanged(); };
}

void TskSkinStdLabel::SetSkinData(TskSkinData* skin) {
  if (skin == m_skinData) return;
  if (m_skinData) m_skinData->RemoveFreeNotification(this);
  m_skinData = skin;
  if (skin) skin->FreeNotification(this);
  SkinChanged();
}

void TskSkinStdLabel::SetSkinDataName(const std::string& name) {
  if (name == m_skinDataName) return;
  m_skinDataName = name;
  SkinChanged();
}

void TskSkinStdLabel::SetUseSkinFont(bool on) {
  if (on == m_useSkinFont) return;
  m_useSkinFont = on;
  SkinChanged();
}

void TskSkinStdLabel::Notification(TComponent* component, TOperation operation) {
  TLabel::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_skinData) {
    m_skinData = nullptr;
    SkinChanged();
  }
}

void TskSkinStdLabel::SkinChanged() {
  if (IsDestroying()) return;
  AdjustBounds();
  Invalidate();
}

const TskDataSkinStdLabelControl* TskSkinStdLabel::Section() const {
  if (!m_skinData || m_skinData->Empty()) return nullptr;
  return m_skinData->FindControl<TskDataSkinStdLabelControl>(m_skinDataName);
}

void TskSkinStdLabel::SelectFont(ui::TFont& font) const {
  const TskDataSkinStdLabelControl* section = Section();
  font.Assign(!section && m_useSkinFont ? m_defaultFont : Font());
  if (section && m_useSkinFont) {
    font.SetName(section->FontName);
    font.SetHeight(section->FontHeight);
    font.SetStyle(ToFontStyles(section->FontStyle));
  }
  const TskResourceStrData* strings = m_skinData ? m_skinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : m_defaultFont.Charset());
  if (section) font.SetColor(section->FontColor);
}

}  // namespace tsm
