#include "skinforms/TskSkinHintWindow.h"

#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinPlatform.h"
#include "skin/SkinWindowData.h"
#include "skin/TskSkinData.h"
#include "skin/ui/SkinWindowServices.h"
#include "skincontrols/SkinControlFont.h"
#include "skinforms/TskSkinHint.h"

namespace tsm {

TskSkinHintWindow::TskSkinHintWindow(TComponent* owner) : THintWindow(owner) {}

void TskSkinHintWindow::CreateParams(TCreateParams& params) {
  THintWindow::CreateParams(params);
  if (OsIsVersion51()) params.ClassStyle |= CS_DROPSHADOW;
}

TskSkinHint* TskSkinHintWindow::ActiveHintComponent() {
  TCustomForm* main = Application().MainForm();
  if (!main) return nullptr;
  for (size_t i = 0; i < main->ComponentCount(); ++i)
    if (auto* hint = dynamic_cast<TskSkinHint*>(main->Components(i)); hint && hint->Active()) return hint;
  return nullptr;
}

void TskSkinHintWindow::SetComponent(TskSkinHint* component) {
  if (component == m_component) return;
  if (m_component) m_component->RemoveFreeNotification(this);
  m_component = component;
  if (component) component->FreeNotification(this);
}

void TskSkinHintWindow::Notification(TComponent* component, TOperation operation) {
  THintWindow::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_component) {
    m_component = nullptr;
    m_skin = {};
    ReleaseHint();
  }
}

bool TskSkinHintWindow::Prepare(const std::string& hint, int32_t maxWidth) {
  SetComponent(ActiveHintComponent());
  if (!m_component) {
    m_skin = {};
    return false;
  }
  const TskSkinData* skinData = m_component->SkinData();
  m_skin = HintSkinOf(skinData);
  if (m_skin.Skinned() && m_component->UseSkinFont) {
    const TskDataSkinHintWindow& d = *m_skin.Data;
    const TskSkinFont skinFont{d.FontName, d.FontHeight, d.FontStyle};
    SelectControlFont(m_font, m_component->DefaultFont(), &skinFont, skinData);
  } else {
    SelectControlFont(m_font, m_component->DefaultFont(), nullptr, skinData);
  }
  m_geometry = HintGeometry(m_skin, MeasureHint(hint, m_font, maxWidth));
  return true;
}

TRect TskSkinHintWindow::CalcHintRect(int32_t maxWidth, const std::string& hint) {
  m_maxWidth = maxWidth;
  if (!Prepare(hint, maxWidth)) return {};
  return {0, 0, m_geometry.Window.cx, m_geometry.Window.cy};
}

void TskSkinHintWindow::ShowHintAt(const TRect& rect, const std::string& hint) {
  if (!Prepare(hint, m_maxWidth)) {
    ReleaseHint();
    return;
  }
  SetText(hint);
  const TSize size = m_geometry.Window;
  TRect r = TRect::FromSize(rect.Left, rect.Top, size.cx, size.cy);
  r = KeepOnScreen(r);
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  ApplyTranslucency();
  ApplyRegion();
  ShowAt(r);
}

void TskSkinHintWindow::ApplyTranslucency() {
  if (!OsSupportsLayering() || !m_component) return;
  const HWND wnd = Handle();
  const uint32_t ex = GetWindowExStyle(wnd);
  const bool layered = (ex & WS_EX_LAYERED) != 0;
  const bool want = m_component->AlphaBlend;
  if (want != layered) {
    SetWindowExStyle(wnd, want ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED));
    m_appliedAlpha = -1;
  }
  if (!want) return;
  // A value that was never set (0) would hide the hint altogether.
  const uint8_t value = m_component->AlphaBlendValue ? m_component->AlphaBlendValue : 255;
  if (m_appliedAlpha != value) {
    ApplyWindowAlpha(wnd, value);
    m_appliedAlpha = value;
  }
}

void TskSkinHintWindow::ApplyRegion() {
  std::optional<TRegion> region = HintRegion(m_skin, m_geometry);
  if (!region && !m_hasRegion) return;
  m_hasRegion = region.has_value();
  SetWindowRgn(Handle(), std::move(region), false);
}

void TskSkinHintWindow::Paint() {
  // References into the skin are taken anew: the skin may have changed since
  // the hint was placed.
  if (m_component) m_skin = HintSkinOf(m_component->SkinData());
  Canvas().Draw(0, 0, PaintHintImage(m_skin, HintGeometry(m_skin, m_geometry.Text), m_font, Text()));
}

}  // namespace tsm
