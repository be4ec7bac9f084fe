#include "skinforms/TskFormFrame.h"

#include <algorithm>

#include "framework/controls/PopupMenu.h"
#include "framework/controls/StateDescription.h"
#include "framework/controls/Timer.h"
#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/Screen.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinPlatform.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"
#include "skin/ui/SkinFormList.h"
#include "skin/ui/SkinWindowServices.h"
#include "skincontrols/SkinnedControl.h"
#include "skinforms/FrameHitTest.h"
#include "skinforms/FrameSystemMenu.h"
#include "skinforms/SkinFrameLook.h"
#include "skinforms/TskSkinAnimateObject.h"
#include "skinforms/TskSkinCaptionObject.h"
#include "skinforms/TskSkinMenu.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "framework/controls/MenuItem.h"
#include "framework/controls/ShortCut.h"
#include "skinforms/TskSkinStdButtonObject.h"
#include "skinforms/TskSkinHint.h"
#include "skinforms/TskTrayIcon.h"

namespace tsm {

namespace {

bool IconOfCommand(TskCommand command, TskBorderIcon& icon) {
  switch (command) {
    case TskCommand::cmminimizetotray: icon = TskBorderIcon::biMinimizeToTray; return true;
    case TskCommand::cmrollup: icon = TskBorderIcon::biRollUp; return true;
    case TskCommand::cmmaximize: icon = TskBorderIcon::biMaximize; return true;
    case TskCommand::cmminimize: icon = TskBorderIcon::biMinimize; return true;
    case TskCommand::cmsysmenu: icon = TskBorderIcon::biSystemMenu; return true;
    default: return false;
  }
}

// Posted to the form when its skin is about to change: a load that fails
// after the before-change notice sends no changed notice, and the frame
// then applies the empty skin (the default look) itself.
constexpr uint32_t kFrameAfterSkinChange = WM_APP + 0x3F1;

TTimer* MakeTimer(TComponent* owner, uint32_t interval, TNotifyEvent tick) {
  auto* t = new TTimer(owner);
  t->SetEnabled(false);
  t->SetInterval(interval);
  t->OnTimer = std::move(tick);
  return t;
}

}  // namespace

TskFormFrame::TskFormFrame(TComponent* owner)
    : TComponent(owner),
      m_form(As<TCustomForm>(owner)),
      m_defCaptionFont("Arial", 14, {TFontStyle::Bold}, clBtnText),
      m_defInActiveCaptionFont("Arial", 14, {TFontStyle::Bold}, clBtnShadow),
      m_defMenuItemFont("Arial", 14),
      m_objects(*this),
      m_states(*this),
      m_mouse(*this),
      m_menuState(*this),
      m_translucency(*this) {
  if (!m_form) throw EInvalidCast("Invalid class typecast");
  m_defCaptionFont.OnChange = [this](TObject*) {
    if (!m_skinSupport) RepaintFrame();
  };
  m_defInActiveCaptionFont.OnChange = m_defCaptionFont.OnChange;
  m_mouseTimer = MakeTimer(this, kMouseTimerInterval, [this](TObject*) { MouseTimerTick(); });
  m_morphTimer = MakeTimer(this, kMorphTimerInterval, [this](TObject*) { MorphTimerTick(); });
  m_animationTimer = MakeTimer(this, kAnimationTimerInterval, [this](TObject*) { AnimationTimerTick(); });
  m_defaultSystemMenu = new TPopupMenu(this);
  m_menu = new TskSkinMenu(this, m_form);
  CreateTrayMenu();
  if (!IsDesigning()) HookForm();
}

void TskFormFrame::CreateTrayMenu() {
  m_trayMenu = new TskSkinPopupMenu(this);
  m_trayMenu->SetPopupForm(m_form);
  const auto add = [this](const char* name, const std::string& caption, TNotifyEvent click) {
    auto* item = new TMenuItem(m_trayMenu);
    if (*name) item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    m_trayMenu->Items()->Add(item);
    return item;
  };
  add("TRAY_BSF_RESTORE", FrameText(nullptr, TskFrameText::RestoreCaption), [this](TObject*) { RestoreFromTray(); });
  add("", "-", nullptr);
  add("TRAY_BSF_CLOSE", FrameText(nullptr, TskFrameText::CloseCaption), [this](TObject*) { m_form->Close(); })
      ->SetShortCut(TextToShortCut("Alt+F4"));
}

void TskFormFrame::HookForm() {
  m_form->SetBorderIcons({});
  m_form->SetAutoScroll(false);
  m_form->SetAutoSize(false);
  // The window system draws no caption of its own.
  m_form->SetCreateParamsHook([](TCreateParams& p) { p.Style &= ~WS_CAPTION; });
  m_oldProc = m_form->WindowProc();
  m_form->SetWindowProc([this](TMessage& m) { FrameProc(m); });
  if (m_form->HandleAllocated()) m_form->RecreateWnd();
  m_formActive = m_form->Active();
  CreateDefaultButtons();
}

void TskFormFrame::BeforeDestruction() {
  // No events while going: only the loop hook is put back.
  m_menuState.Detach();
  m_objects.Clear();
  if (m_form && !m_form->IsDestroying()) {
    m_form->SetWindowProc(m_oldProc);
    m_form->SetCreateParamsHook(nullptr);
    ClearRegion();
  } else if (m_form) {
    m_form->SetWindowProc(m_oldProc);
  }
  if (m_skinData) m_skinData->RemoveFreeNotification(this);
  if (m_menusSkinData) m_menusSkinData->RemoveFreeNotification(this);
  if (m_systemMenu) m_systemMenu->RemoveFreeNotification(this);
  if (m_trayIcon) m_trayIcon->RemoveFreeNotification(this);
  if (m_skinHint) m_skinHint->RemoveFreeNotification(this);
  m_trayIcon = nullptr;
  m_skinHint = nullptr;
  m_skinData = m_menusSkinData = nullptr;
  m_systemMenu = nullptr;
  TComponent::BeforeDestruction();
}

void TskFormFrame::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_menusSkinData) m_menusSkinData = nullptr;
  if (component == m_systemMenu) m_systemMenu = nullptr;
  if (component == m_defaultSystemMenu) m_defaultSystemMenu = nullptr;
  if (component == m_menu) m_menu = nullptr;
  if (component == m_trayMenu) m_trayMenu = nullptr;
  if (component == m_trayIcon) m_trayIcon = nullptr;
  if (component == m_skinHint) m_skinHint = nullptr;
  if (component == m_mouseTimer) m_mouseTimer = nullptr;
  if (component == m_morphTimer) m_morphTimer = nullptr;
  if (component == m_animationTimer) m_animationTimer = nullptr;
  if (component == m_skinData) {
    // A skin that goes while in use leaves the default look; nothing is
    // drawn from its pictures any more.
    m_skinData = nullptr;
    m_skinSupport = false;
    m_objects.Clear();
    if (InMenu()) EndMenuState();
    if (!IsDestroying() && m_form && !m_form->IsDestroying()) ApplySkin();
  }
}

// --- Properties -----------------------------------------------------------------

void TskFormFrame::SetSkinData(TskSkinData* skin) {
  if (skin == m_skinData) return;
  if (m_skinData) m_skinData->RemoveFreeNotification(this);
  m_skinData = skin;
  if (skin) skin->FreeNotification(this);
  if (m_trayMenu) m_trayMenu->SetSkinData(skin);
  if (!IsDesigning()) ApplySkin();
}

void TskFormFrame::SetMenusSkinData(TskSkinData* skin) {
  if (skin == m_menusSkinData) return;
  if (m_menusSkinData) m_menusSkinData->RemoveFreeNotification(this);
  m_menusSkinData = skin;
  if (skin) skin->FreeNotification(this);
}

void TskFormFrame::SetSystemMenu(TPopupMenu* menu) {
  if (menu == m_systemMenu) return;
  if (m_systemMenu) m_systemMenu->RemoveFreeNotification(this);
  m_systemMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TskFormFrame::SetBorderIcons(TskBorderIcons icons) {
  if (icons == m_borderIcons) return;
  m_borderIcons = icons;
  if (!m_skinSupport) {
    m_objects.Clear();
    CreateDefaultButtons();
  } else {
    ApplyButtonVisibility();
  }
  Relayout();
}

void TskFormFrame::SetHideCaptionButtons(bool on) {
  if (on == m_hideCaptionButtons) return;
  m_hideCaptionButtons = on;
  ApplyButtonVisibility();
  Relayout();
}

void TskFormFrame::SetShowIcon(bool on) {
  if (on == m_showIcon) return;
  m_showIcon = on;
  Relayout();
}

void TskFormFrame::SetAlphaBlend(bool on) {
  if (on == m_alphaBlend) return;
  m_alphaBlend = on;
  m_translucency.Apply(on, m_alphaBlendValue);
}

void TskFormFrame::SetAlphaBlendValue(uint8_t value) {
  if (value == m_alphaBlendValue) return;
  m_alphaBlendValue = value;
  if (m_alphaBlend) m_translucency.Apply(true, value);
}

// --- Queries --------------------------------------------------------------------

bool TskFormFrame::Sizeable() const {
  const TFormBorderStyle s = m_form->BorderStyle();
  return s == TFormBorderStyle::bsSizeable || s == TFormBorderStyle::bsSizeToolWin;
}

bool TskFormFrame::ToolWindow() const {
  const TFormBorderStyle s = m_form->BorderStyle();
  return s == TFormBorderStyle::bsToolWindow || s == TFormBorderStyle::bsSizeToolWin;
}

bool TskFormFrame::BorderNone() const { return m_form->BorderStyle() == TFormBorderStyle::bsNone; }

TskDefaultFrameMetrics TskFormFrame::DefaultMetrics() const { return TskDefaultFrameMetrics::For(ToolWindow()); }

TRect TskFormFrame::WindowBounds() const {
  return m_form->HandleAllocated() ? GetWindowRect(m_form->Handle()) : m_form->BoundsRect();
}

TRect TskFormFrame::ClientRectInWindow() const {
  if (m_form->HandleAllocated()) return GetClientRectInWindow(m_form->Handle());
  return m_skinSupport ? m_geometry.Client : DefaultMetrics().ClientRect(m_frameSize.cx, m_frameSize.cy);
}

std::string TskFormFrame::CaptionText() const { return m_form->Caption(); }

TFontCharset TskFormFrame::CaptionCharset() const {
  if (m_skinData && m_skinData->ResourceStrData()) return m_skinData->ResourceStrData()->CharSet();
  return m_defCaptionFont.Charset();
}

const TBitmap& TskFormFrame::SmallIcon() {
  if (!m_smallIcon) {
    const int32_t w = std::max(1, GetSystemMetrics(SM_CXSMICON)), h = std::max(1, GetSystemMetrics(SM_CYSMICON));
    const TBitmap& source = m_form->Icon().Empty() ? GetSystemIcon(TSystemIcon::Application) : m_form->Icon().Image();
    TBitmap icon(w, h);
    icon.Fill(clBtnFace);
    TDeviceContext dc(icon);
    dc.StretchBlt({0, 0, w, h}, source.Surface(), source.Bounds());
    m_smallIcon = std::move(icon);
  }
  return *m_smallIcon;
}

int32_t TskFormFrame::GetMinWidth() const {
  const bool minimized = m_states.State() == TskFrameState::wsMinimized;
  if (m_skinSupport) {
    const int32_t pw = m_skinData->Picture().Width();
    return MinWidth > pw && !minimized ? MinWidth : pw;
  }
  return MinWidth > 0 ? MinWidth : 120;
}

int32_t TskFormFrame::GetMinHeight() const {
  const bool captionOnly = m_states.State() == TskFrameState::wsMinimized || m_states.RolledUp();
  // A client rectangle taller than the picture leaves no frame height; the
  // window still keeps one row.
  const int32_t frame =
      m_skinSupport
          ? std::max(1, m_skinData->Picture().Height() - m_skinData->FormInfo().ClientRect.Height())
          : DefaultMetrics().CaptionHeight + 6;
  return MinHeight > frame && !captionOnly ? MinHeight : frame;
}

int32_t TskFormFrame::GetMaxWidth() const {
  TRect area = Screen().WorkAreaRect();
  if (m_form->HandleAllocated()) MonitorAreaOfWindow(m_form->Handle(), !MaximizeOnFullScreen, area);
  return MaxWidth != 0 ? std::min(MaxWidth, area.Width()) : area.Width();
}

int32_t TskFormFrame::GetMaxHeight() const {
  TRect area = Screen().WorkAreaRect();
  if (m_form->HandleAllocated()) MonitorAreaOfWindow(m_form->Handle(), !MaximizeOnFullScreen, area);
  return MaxHeight != 0 ? std::min(MaxHeight, area.Height()) : area.Height();
}

TPoint TskFormFrame::ScreenToWindow(TPoint screen) const { return screen - WindowBounds().TopLeft(); }

TPoint TskFormFrame::CursorInWindow() const { return ScreenToWindow(GetCursorPos()); }

// --- Skin application -----------------------------------------------------------

void TskFormFrame::CreateSkinObjects() {
  const TskSkinData& skin = *m_skinData;
  for (size_t i = 0; i < skin.ObjectCount(); ++i) {
    const TskDataSkinObject* data = skin.Object(i);
    std::unique_ptr<TskActiveSkinObject> object;
    if (dynamic_cast<const TskDataSkinMainMenuBarButton*>(data)) continue;
    if (auto* d = dynamic_cast<const TskDataSkinStdButton*>(data)) object = std::make_unique<TskSkinStdButtonObject>(*this, d);
    else if (auto* b = dynamic_cast<const TskDataSkinButton*>(data)) object = std::make_unique<TskSkinButtonObject>(*this, b);
    else if (auto* c = dynamic_cast<const TskDataSkinCaption*>(data)) object = std::make_unique<TskSkinCaptionObject>(*this, c);
    else if (auto* a = dynamic_cast<const TskDataSkinAnimate*>(data)) object = std::make_unique<TskSkinAnimateObject>(*this, a);
    else if (dynamic_cast<const TskDataUserObject*>(data)) object = std::make_unique<TskUserObject>(*this, data);
    if (object) m_objects.Add(std::move(object));
  }
}

void TskFormFrame::CreateDefaultButtons() {
  if (m_skinSupport || !m_objects.Empty()) return;
  static constexpr struct {
    const char* Name;
    TskCommand Command;
  } kButtons[] = {{"closebutton", TskCommand::cmclose},     {"maxbutton", TskCommand::cmmaximize},
                  {"minbutton", TskCommand::cmminimize},    {"rollupbutton", TskCommand::cmrollup},
                  {"sysmenubutton", TskCommand::cmsysmenu}, {"traybutton", TskCommand::cmminimizetotray}};
  for (const auto& b : kButtons) m_objects.Add(std::make_unique<TskSkinStdButtonObject>(*this, b.Name, b.Command));
  ApplyButtonVisibility();
}

void TskFormFrame::ApplyButtonVisibility() {
  for (size_t i = 0; i < m_objects.Count(); ++i) {
    TskActiveSkinObject& o = m_objects.At(i);
    const bool std = dynamic_cast<TskSkinStdButtonObject*>(&o) != nullptr;
    auto* animate = dynamic_cast<TskSkinAnimateObject*>(&o);
    if (!std && !animate) continue;
    if (m_hideCaptionButtons) {
      o.Enabled = false;
      o.Visible = !o.SkinRectInAPicture;
    } else if (std || animate->ButtonStyle) {
      TskCommand command = TskCommand::cmdefault;
      o.HasCommand(command);
      TskBorderIcon icon;
      if (command == TskCommand::cmdefault) {
        bool visible = false;
        CallEvent(OnActivateCustomObject, this, o.IDName, visible);
        o.Visible = visible;
      } else if (IconOfCommand(command, icon)) {
        const bool offered = m_borderIcons.Contains(icon);
        o.Enabled = offered;
        o.Visible = offered || !o.SkinRectInAPicture;
      } else {
        o.Enabled = o.Visible = true;
      }
    }
    TskFrameText key;
    if (UseDefaultObjectHint && m_skinData) {
      TskCommand command = TskCommand::cmdefault;
      if (o.HasCommand(command) && CommandHintKey(command, key)) o.Hint = FrameText(m_skinData, key);
    }
  }
}

void TskFormFrame::TakeFrameSize(TSize size) {
  m_frameSize = size;
  m_frameSizeKnown = true;
}

void TskFormFrame::NudgeWidth() {
  if (!m_form->HandleAllocated()) return;
  const int32_t w = m_form->Width();
  if (w <= GetMinWidth()) {
    m_form->SetWidth(w + 1);
    m_form->SetWidth(w);
  } else {
    m_form->SetWidth(w - 1);
    m_form->SetWidth(w);
  }
}

void TskFormFrame::ApplySkin() {
  m_appliedSinceNotice = true;
  m_objects.ClearIndices();
  // A skin without a frame picture draws no frame: the default look.
  m_skinSupport = m_skinData && !m_skinData->Empty() && !m_skinData->Picture().IsEmpty();
  m_objects.Clear();
  if (m_skinSupport) {
    CreateSkinObjects();
    ApplyButtonVisibility();
  } else {
    CreateDefaultButtons();
    ClearRegion();
    m_maskStrips = {};
  }
  const auto alive = AliveToken();
  // At least the minimum size; a recalculated frame in every case.
  const int32_t minW = GetMinWidth(), minH = GetMinHeight();
  const int32_t w = m_form->Width(), h = m_form->Height();
  if (w < minW && h < minH) m_form->SetBounds(m_form->Left(), m_form->Top(), minW, minH);
  else if (h < minH) m_form->SetHeight(minH);
  else if (w < minW) m_form->SetWidth(minW);
  else NudgeWidth();
  if (alive.expired()) return;
  if (m_states.RolledUp() || m_states.State() == TskFrameState::wsMinimized) m_form->SetHeight(minH);
  if (m_states.State() == TskFrameState::wsMinimized) m_form->SetWidth(minW);
  TakeFrameSize(WindowBounds().Size());
  CalcFrameRects();
  PlaceSkinObjects();
  UpdateFrameRegion();
  if (m_form->HandleAllocated()) {
    RedrawWindow(m_form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    RepaintFrame();
  }
  ActivationRefresh();
  if (alive.expired()) return;
  StartMouseTimer();
  CallEvent(OnChangeSkinData, this);
  if (alive.expired()) return;
  if (ClientWidth > 0) m_form->SetClientWidth(ClientWidth);
  if (ClientHeight > 0) m_form->SetClientHeight(ClientHeight);
}

// --- Geometry and placement -----------------------------------------------------

void TskFormFrame::Relayout() {
  CalcFrameRects();
  PlaceSkinObjects();
  RepaintFrame();
}

void TskFormFrame::RefreshGeometry() {
  TakeFrameSize(WindowBounds().Size());
  CalcFrameRects();
  PlaceSkinObjects();
}

void TskFormFrame::CalcFrameRects() {
  if (!m_frameSizeKnown) TakeFrameSize(WindowBounds().Size());
  if (!m_skinSupport) {
    LayoutDefaultButtons();
    return;
  }
  m_geometry = TskFrameGeometry::Calc(m_skinData->FormInfo(), m_skinData->Picture().Size(), m_frameSize);
}

void TskFormFrame::LayoutDefaultButtons() {
  m_defaultCaption = tsm::LayoutDefaultButtons(m_objects, DefaultMetrics(), m_frameSize.cx, SysMenuIcon());
}

void TskFormFrame::PlaceSkinObjects() {
  if (m_skinSupport) tsm::PlaceSkinObjects(m_objects, m_skinData->FormInfo(), m_geometry, SysMenuIcon());
}

TskSysMenuIcon TskFormFrame::SysMenuIcon() {
  return m_showIcon ? TskSysMenuIcon{true, SmallIcon().Size()} : TskSysMenuIcon{};
}

void TskFormFrame::ClearRegion() {
  if (m_form && m_form->HandleAllocated() && GetWindowRgn(m_form->Handle())) SetWindowRgn(m_form->Handle(), std::nullopt, true);
}

void TskFormFrame::UpdateFrameRegion() {
  if (BorderNone() || !m_form->HandleAllocated()) return;
  const bool hadRegion = GetWindowRgn(m_form->Handle()).has_value();
  if (!m_skinSupport || m_skinData->MaskPicture().IsEmpty()) {
    m_maskStrips = {};
    ClearRegion();
    if (hadRegion) RepaintFrame();
    return;
  }
  const TskSkinFormInfo& info = m_skinData->FormInfo();
  const TBitmap& mask = m_skinData->MaskPicture();
  const TskFrameLayout s{info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint,
                         info.ClientRect};
  const TskFrameLayout d = LayoutForSize(s, mask.Size(), m_frameSize);
  m_maskStrips = BuildFrameMaskStrips(mask, s, info.MaskRectArea, m_frameSize.cx, m_frameSize.cy, d, m_geometry.MaskRect);
  std::optional<TRegion> region =
      BuildFrameRegion(mask, s, info.MaskRectArea, m_frameSize.cx, m_frameSize.cy, d, m_geometry.MaskRect);
  SetWindowRgn(m_form->Handle(), std::move(region), true);
  if (!GetWindowRgn(m_form->Handle())) RepaintFrame();
}

// --- Painting -------------------------------------------------------------------

void TskFormFrame::RepaintFrame() {
  if (m_form && m_form->HandleAllocated()) SendMessage(m_form->Handle(), WM_NCPAINT, 1, 0);
}

void TskFormFrame::RedrawObject(TskActiveSkinObject& object) {
  if (BorderNone() || !m_form->HandleAllocated() || !IsWindowVisible(m_form->Handle())) return;
  if (m_frameSize.cx < GetMinWidth() || m_frameSize.cy < GetMinHeight()) return;
  const HWND h = m_form->Handle();
  TDeviceContext* dc = GetWindowDC(h);
  if (!dc) return;
  {
    TDCStateGuard guard(*dc);
    dc->ExcludeClipRect(ClientRectInWindow());
    dc->IntersectClipRect(object.ObjectRect);
    object.Draw(*dc, true);
  }
  ReleaseDC(h, dc);
}

void TskFormFrame::WMNCPaint(TMessage& m) {
  m.Result = 0;
  if (BorderNone() || !m_form->HandleAllocated()) return;
  const HWND h = m_form->Handle();
  TakeFrameSize(GetWindowRect(h).Size());
  if (!m_skinSupport) {
    CreateDefaultButtons();
    CalcFrameRects();
  }
  TDeviceContext* dc = GetWindowDC(h);
  if (!dc) return;
  {
    TDCStateGuard guard(*dc);
    if (m_skinSupport) PaintSkinFrame(*this, *dc);
    else PaintDefaultFrame(*this, *dc);
  }
  ReleaseDC(h, dc);
}

void TskFormFrame::WMEraseBkgnd(TMessage& m) {
  auto* dc = reinterpret_cast<TDeviceContext*>(m.WParam);
  if (dc) PaintFrameBackground(*this, *dc);
  m.Result = 1;
}

// --- Message router -------------------------------------------------------------

bool TskFormFrame::CloseOnUserActivity(uint32_t msg) const {
  switch (msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE: case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
      return true;
    default:
      return false;
  }
}

void TskFormFrame::FrameProc(TMessage& m) {
  if (InMenu() && CloseOnUserActivity(m.Msg)) EndMenuState();
  if (CloseOnUserActivity(m.Msg)) ObjectHintLeave();
  switch (m.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(m); return;
    case WM_NCPAINT: WMNCPaint(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case WM_NCACTIVATE: WMNCActivate(m); return;
    case WM_ACTIVATE: WMActivate(m); return;
    case WM_SIZE: WMSize(m); return;
    case WM_SIZING: WMSizing(m); return;
    case WM_MOVING: WMMoving(m); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(m); return;
    case WM_ENTERSIZEMOVE: WMEnterSizeMove(m); return;
    case WM_EXITSIZEMOVE: WMExitSizeMove(m); return;
    case WM_NCLBUTTONDOWN: WMNCButtonDown(m, TMouseButton::Left); return;
    case WM_NCRBUTTONDOWN: WMNCButtonDown(m, TMouseButton::Right); return;
    case WM_NCLBUTTONDBLCLK: WMNCButtonDblClk(m, TMouseButton::Left); return;
    case WM_NCRBUTTONDBLCLK: WMNCButtonDblClk(m, TMouseButton::Right); return;
    case WM_NCLBUTTONUP: WMNCButtonUp(m, TMouseButton::Left); return;
    case WM_NCRBUTTONUP: WMNCButtonUp(m, TMouseButton::Right); return;
    case WM_NCMOUSEMOVE: WMNCMouseMove(m); return;
    case WM_MOUSEMOVE: case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_CAPTURECHANGED: WMClientMouse(m); return;
    case WM_SETCURSOR: WMSetCursor(m); return;
    case WM_SHOWWINDOW: WMShowWindow(m); return;
    case WM_SYSCOMMAND: WMSysCommand(m); return;
    case WM_SETTEXT:
      m_oldProc(m);
      RepaintFrame();
      return;
    case WM_DESTROY:
      for (TTimer* t : {m_mouseTimer, m_morphTimer, m_animationTimer})
        if (t) t->SetEnabled(false);
      m_oldProc(m);
      return;
    case CM_DESCRIBESTATE: {
      const auto alive = AliveToken();
      m_oldProc(m);
      if (!alive.expired() && m.LParam) DescribeState(*reinterpret_cast<TStateDescription*>(m.LParam));
      return;
    }
    case kFrameAfterSkinChange:
      if (!m_appliedSinceNotice) ApplySkin();
      return;
    case SkinMessageMenuClosed:
      EndMenuState();
      m_oldProc(m);
      return;
    default:
      if (IsSkinNotice(m.Msg)) {
        SkinNotice(m);
        return;
      }
      m_oldProc(m);
  }
}

void TskFormFrame::SkinNotice(TMessage& m) {
  const TskSkinData* sender = SkinNoticeSender(m);
  const auto alive = AliveToken();
  switch (m.Msg) {
    case SkinMessageBeforeChange:
      if (sender == m_skinData && m_skinData) {
        if (InMenu()) EndMenuState();
        m_skinSupport = false;
        for (TTimer* t : {m_mouseTimer, m_morphTimer, m_animationTimer})
          if (t) t->SetEnabled(false);
        m_objects.Clear();
        m_appliedSinceNotice = false;
        if (m_form->HandleAllocated()) PostMessage(m_form->Handle(), kFrameAfterSkinChange);
      }
      if (m_menu) m_menu->SkinNotice(m.Msg, sender);
      if (alive.expired()) return;
      NotifySkinChange(m_form, sender, true);
      break;
    case SkinMessageChanged:
      if (m_menu) m_menu->SkinNotice(m.Msg, sender);
      if (alive.expired()) return;
      if (sender == m_skinData && m_skinData) ApplySkin();
      if (alive.expired()) return;
      NotifySkinChange(m_form, sender, false);
      break;
    case SkinMessageStringsChanged:
      ApplyButtonVisibility();
      if (m_menu) m_menu->SkinNotice(m.Msg, sender);
      break;
    default:
      if (m_menu) m_menu->SkinNotice(m.Msg, sender);
      break;
  }
  if (!alive.expired()) m_oldProc(m);
}

void TskFormFrame::DescribeState(TStateDescription& state) const {
  // The frame's own states; a form minimized with the application keeps the
  // window system's answer.
  if (m_states.State() == TskFrameState::wsMaximized) state.Set("windowState", "maximized");
  else if (m_states.State() == TskFrameState::wsMinimized) state.Set("windowState", "minimized");
  else if (m_states.RolledUp()) state.Set("windowState", "rolledUp");
  state.Set("rolledUp", m_states.RolledUp());
  state.Set("skinned", m_skinSupport);
  // The caption buttons, clickable by their hint texts.
  static constexpr const char* kCommands[] = {"close",  "maximize", "minimize",      "sysmenu",
                                              "custom", "rollup",   "minimizetotray"};
  const TPoint origin = WindowBounds().TopLeft();
  for (size_t i = 0; i < m_objects.Count(); ++i) {
    const auto* button = dynamic_cast<const TskSkinStdButtonObject*>(&m_objects.At(i));
    if (!button || !button->Visible) continue;
    TskFrameText key;
    std::string text = button->Hint;
    if (text.empty() && CommandHintKey(button->Command, key)) text = FrameText(m_skinData, key);
    TStateItem item{text, button->ObjectRect.Offsetted(origin), button->Enabled};
    item.Fields.Set("command", kCommands[static_cast<size_t>(button->Command)]);
    item.Fields.Set("down", button->Down);
    state.AddItem(std::move(item));
  }
}

// --- Non-client protocol --------------------------------------------------------

void TskFormFrame::WMNCCalcSize(TMessage& m) {
  m.Result = 0;
  auto* r = reinterpret_cast<TRect*>(m.LParam);
  if (!r || BorderNone()) return;
  TskFrameMargins margins = DefaultMetrics().Margins();
  if (m_skinSupport) {
    CalcFrameRects();
    margins = SkinFrameMargins(m_skinData->FormInfo(), m_skinData->Picture().Size());
  }
  *r = ShrinkByMargins(*r, margins);
}

void TskFormFrame::WMNCHitTest(TMessage& m) {
  if (!m_form->HandleAllocated()) {
    m_oldProc(m);
    return;
  }
  m.Result = m_mouse.HitTest(ScreenToWindow(PointFromLParam(m.LParam)));
}

void TskFormFrame::WMNCActivate(TMessage& m) {
  m_formActive = m.WParam != 0;
  m.Result = 1;
  const auto alive = AliveToken();
  if (!BorderNone()) RepaintFrame();
  if (alive.expired()) return;
  ActivationRefresh();
}

void TskFormFrame::WMActivate(TMessage& m) {
  const auto alive = AliveToken();
  m_oldProc(m);
  if (alive.expired()) return;
  RepaintFrame();
  m_objects.ResetAll(true);
  ActivationRefresh();
}

void TskFormFrame::ActivationRefresh() {
  const auto alive = AliveToken();
  if (TskSkinCaptionObject* caption = m_objects.Caption(); caption && caption->Active != m_formActive) {
    caption->Active = m_formActive;
    RepaintFrame();
    if (caption->Morphing) StartMorphTimer();
  }
  if (alive.expired()) return;
  if (m_formActive) CallEvent(OnActivate, this);
  else CallEvent(OnDeActivate, this);
}

void TskFormFrame::WMSize(TMessage& m) {
  const auto alive = AliveToken();
  if (m_loopRunning && m_fullDrag) {
    m_oldProc(m);
    if (alive.expired()) return;
    TakeFrameSize(WindowBounds().Size());
    if (!m_logo.Empty()) m_form->Invalidate();
    return;
  }
  m_oldProc(m);
  if (alive.expired() || !m_form->HandleAllocated()) return;
  TakeFrameSize(WindowBounds().Size());
  if (!m_skinSupport) {
    CalcFrameRects();
    RepaintFrame();
  } else if (m_frameSize.cx >= GetMinWidth() && m_frameSize.cy >= GetMinHeight()) {
    CalcFrameRects();
    PlaceSkinObjects();
    UpdateFrameRegion();
    RepaintFrame();
  }
  if (m_alphaBlend && m_alphaBlendValue != 255)
    RedrawWindow(m_form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  if (!m_logo.Empty()) m_form->Invalidate();
}

void TskFormFrame::WMSizing(TMessage& m) {
  m_oldProc(m);
  if (!m_loopRunning || !m_fullDrag) return;
  const auto* r = reinterpret_cast<const TRect*>(m.LParam);
  if (!r) return;
  TakeFrameSize(r->Size());
  if (m_skinSupport && m_frameSize.cx >= GetMinWidth() && m_frameSize.cy >= GetMinHeight()) {
    CalcFrameRects();
    PlaceSkinObjects();
    UpdateFrameRegion();
  }
}

void TskFormFrame::WMMoving(TMessage& m) {
  auto* r = reinterpret_cast<TRect*>(m.LParam);
  if (r && m_states.State() == TskFrameState::wsMaximized) {
    *r = WindowBounds();
  } else if (r && Magnetic) {
    TRect work = Screen().WorkAreaRect();
    MonitorAreaOfWindow(m_form->Handle(), true, work);
    *r = MagneticSnap(*r, work, MagneticSize);
  }
  m_oldProc(m);
}

void TskFormFrame::WMGetMinMaxInfo(TMessage& m) {
  m_oldProc(m);
  auto* info = reinterpret_cast<TMinMaxInfo*>(m.LParam);
  if (!info) return;
  info->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
  info->ptMaxTrackSize = {GetMaxWidth(), GetMaxHeight()};
}

void TskFormFrame::WMEnterSizeMove(TMessage& m) {
  m_oldProc(m);
  m_objects.ResetAll(false);
  for (size_t i = 0; i < m_objects.Count(); ++i)
    if (auto* a = dynamic_cast<TskSkinAnimateObject*>(&m_objects.At(i))) a->FrameNumber = 1;
  if (m_mouseTimer) m_mouseTimer->SetEnabled(false);
  m_objects.ClearIndices();
  m_mouse.LoopStarted();
  m_loopRunning = true;
  m_fullDrag = GetDragFullWindows();
}

void TskFormFrame::WMExitSizeMove(TMessage& m) {
  m_oldProc(m);
  m_loopRunning = false;
  if (m_mouseTimer) m_mouseTimer->SetEnabled(false);
  m_objects.ClearIndices();
  if (m_skinSupport) RepaintFrame();
}

// --- Mouse on the frame ---------------------------------------------------------

void TskFormFrame::WMNCButtonDown(TMessage& m, TMouseButton button) {
  const auto alive = AliveToken();
  m_oldProc(m);
  if (alive.expired()) return;
  m_mouse.ButtonDown(ScreenToWindow(PointFromLParam(m.LParam)), static_cast<int32_t>(m.WParam), button);
}

void TskFormFrame::WMNCButtonDblClk(TMessage& m, TMouseButton button) {
  const auto alive = AliveToken();
  m_oldProc(m);
  if (alive.expired()) return;
  m_mouse.ButtonDblClk(ScreenToWindow(PointFromLParam(m.LParam)), static_cast<int32_t>(m.WParam), button);
}

void TskFormFrame::WMNCButtonUp(TMessage& m, TMouseButton button) {
  const auto alive = AliveToken();
  m_oldProc(m);
  if (alive.expired()) return;
  m_mouse.ButtonUp(ScreenToWindow(PointFromLParam(m.LParam)), button);
}

void TskFormFrame::WMNCMouseMove(TMessage& m) {
  const auto alive = AliveToken();
  m_oldProc(m);
  if (alive.expired()) return;
  m_mouse.Move(ScreenToWindow(PointFromLParam(m.LParam)));
}

void TskFormFrame::WMClientMouse(TMessage& m) {
  if (!m_objects.CapturedObject()) {
    m_oldProc(m);
    return;
  }
  if (m.Msg == WM_CAPTURECHANGED) {
    const auto alive = AliveToken();
    m_oldProc(m);
    if (alive.expired()) return;
  }
  m_mouse.CapturedMouse(m);
}

void TskFormFrame::WMSetCursor(TMessage& m) {
  if (UseFormCursorInNCArea) {
    const int32_t code = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(m.LParam)));
    m.LParam = MAKELPARAM(FormCursorHitCode(code), HIWORD(static_cast<uintptr_t>(m.LParam)));
  }
  m_oldProc(m);
}

void TskFormFrame::WMShowWindow(TMessage& m) {
  const auto alive = AliveToken();
  m_oldProc(m);
  if (alive.expired() || !m_form->HandleAllocated()) return;
  if (m.WParam) {
    TakeFrameSize(WindowBounds().Size());
    CalcFrameRects();
    PlaceSkinObjects();
    UpdateFrameRegion();
  }
  m_translucency.Shown(m.WParam != 0);
}

void TskFormFrame::WMSysCommand(TMessage& m) {
  const uint32_t command = static_cast<uint32_t>(m.WParam) & SC_COMMAND_MASK;
  switch (command) {
    case SC_KEYMENU: m.Result = 0; return;  // no system menu bar is ever entered
    case SC_MAXIMIZE:
      SetFormWindowState(TskFrameState::wsMaximized);
      return;
    case SC_MINIMIZE:
      SetFormWindowState(TskFrameState::wsMinimized);
      return;
    case SC_RESTORE:
      if (m_states.State() != TskFrameState::wsNormal) {
        SetFormWindowState(TskFrameState::wsNormal);
        return;
      }
      break;
    default: break;
  }
  m_oldProc(m);
}

// --- Timers ---------------------------------------------------------------------

void TskFormFrame::StartMouseTimer() {
  if (m_mouseTimer && !m_mouseTimer->Enabled()) m_mouseTimer->SetEnabled(true);
}

void TskFormFrame::StartMorphTimer() {
  if (m_morphTimer && !m_morphTimer->Enabled()) m_morphTimer->SetEnabled(true);
}

void TskFormFrame::StartAnimationTimer() {
  if (m_animationTimer && !m_animationTimer->Enabled()) m_animationTimer->SetEnabled(true);
}

void TskFormFrame::MouseTimerTick() {
  const auto alive = AliveToken();
  const bool keep = m_mouse.TimerTick();
  if (!alive.expired() && !keep && m_mouseTimer) m_mouseTimer->SetEnabled(false);
}

void TskFormFrame::MorphTimerTick() {
  if (!m_objects.MorphStep() && m_morphTimer) m_morphTimer->SetEnabled(false);
}

void TskFormFrame::AnimationTimerTick() {
  if (!m_objects.AnimationStep() && m_animationTimer) m_animationTimer->SetEnabled(false);
}

// --- Window states --------------------------------------------------------------

void TskFormFrame::SetFormWindowState(TskFrameState state) { m_states.SetState(state); }

void TskFormFrame::SetRollUpState(bool value) { m_states.SetRollUp(value); }

void TskFormFrame::MinimizeToTray() {
  if (!m_trayIcon) return;
  m_trayIcon->MinimizeToTray = true;
  const auto alive = AliveToken();
  Application().Minimize();
  if (!alive.expired()) CallEvent(OnMinimizeToTray, this);
}

void TskFormFrame::RestoreFromTray() {
  if (!m_trayIcon) return;
  m_trayIcon->MinimizeToTray = false;
  const auto alive = AliveToken();
  m_trayIcon->RestoreMainWindow();
  if (alive.expired()) return;
  Application().Restore();
  if (alive.expired()) return;
  if (m_trayIcon && !AlwaysShowInTray) m_trayIcon->SetIconVisible(false);
  CallEvent(OnRestoreFromTray, this);
}

void TskFormFrame::SetTrayIcon(TskTrayIcon* icon) {
  if (icon == m_trayIcon) return;
  if (m_trayIcon) m_trayIcon->RemoveFreeNotification(this);
  m_trayIcon = icon;
  if (!icon) return;
  icon->FreeNotification(this);
  if (!AlwaysShowInTray) icon->SetIconVisible(false);
  icon->MinimizeToTray = false;
  if (!icon->PopupMenu()) icon->SetPopupMenu(m_trayMenu);
  if (!icon->OnDblClick)
    icon->OnDblClick = [this, alive = AliveToken()](TObject*) {
      if (!alive.expired()) RestoreFromTray();
    };
}

void TskFormFrame::SetSkinHint(TskSkinHint* hint) {
  if (hint == m_skinHint) return;
  if (m_skinHint) m_skinHint->RemoveFreeNotification(this);
  m_skinHint = hint;
  if (hint) hint->FreeNotification(this);
}

void TskFormFrame::ObjectHintEnter(const TskActiveSkinObject& object) {
  if (ShowObjectHint && m_skinHint && !object.Hint.empty()) m_skinHint->ShowHintText(object.Hint);
}

void TskFormFrame::ObjectHintLeave() {
  if (ShowObjectHint && m_skinHint) m_skinHint->HideHintText();
}

void TskFormFrame::RunCommand(TskCommand command) {
  const TskFrameState state = m_states.State();
  switch (command) {
    case TskCommand::cmclose: m_form->Close(); break;
    case TskCommand::cmmaximize:
      SetFormWindowState(state == TskFrameState::wsMaximized ? TskFrameState::wsNormal : TskFrameState::wsMaximized);
      break;
    case TskCommand::cmminimize:
      if (AlwaysMinimizeToTray) MinimizeToTray();
      else SetFormWindowState(state == TskFrameState::wsMinimized ? TskFrameState::wsNormal : TskFrameState::wsMinimized);
      break;
    case TskCommand::cmrollup: SetRollUpState(!m_states.RolledUp()); break;
    case TskCommand::cmminimizetotray: MinimizeToTray(); break;
    case TskCommand::cmsysmenu: case TskCommand::cmdefault: break;
  }
}

// --- System menu ----------------------------------------------------------------

TMenuItem& TskFormFrame::GetSystemMenuItems() {
  const TskSystemMenuState state{m_states.State(), m_states.RolledUp(), m_borderIcons};
  const auto alive = AliveToken();
  const TskSystemCommandHandler run = [this, alive](TskSystemCommand command) {
    if (alive.expired()) return;
    switch (command) {
      case TskSystemCommand::Minimize:
        if (AlwaysMinimizeToTray) MinimizeToTray();
        else SetFormWindowState(TskFrameState::wsMinimized);
        break;
      case TskSystemCommand::Maximize: SetFormWindowState(TskFrameState::wsMaximized); break;
      case TskSystemCommand::Restore:
        if (m_states.RolledUpWhileMaximized() || (m_states.RolledUp() && m_states.State() == TskFrameState::wsNormal))
          SetRollUpState(false);
        else
          SetFormWindowState(TskFrameState::wsNormal);
        break;
      case TskSystemCommand::RollUp: SetRollUpState(true); break;
      case TskSystemCommand::MinimizeToTray: MinimizeToTray(); break;
      case TskSystemCommand::Close: m_form->Close(); break;
    }
  };
  const TskSkinData* skin = MenuSkin();
  if (m_systemMenu) {
    if (UseDefaultSysMenu) MergeSystemMenu(*m_systemMenu->Items(), state, skin, run);
    return *m_systemMenu->Items();
  }
  if (!m_defaultSystemMenu) m_defaultSystemMenu = new TPopupMenu(this);
  BuildDefaultSystemMenu(*m_defaultSystemMenu->Items(), state, skin, run);
  return *m_defaultSystemMenu->Items();
}

TskSkinData* TskFormFrame::MenuSkin() const { return m_menusSkinData ? m_menusSkinData : m_skinData; }

void TskFormFrame::ShowButtonSystemMenu(TskSkinButtonObject& button) {
  m_menuState.Popup(GetSystemMenuItems(), button.ObjectRect.Offsetted(WindowBounds().TopLeft()), false, &button);
}

void TskFormFrame::OpenObjectMenu(TskActiveSkinObject& object, TMenuItem* item, bool popupUp) {
  if (item) m_menuState.Popup(*item, object.ObjectRect.Offsetted(WindowBounds().TopLeft()), popupUp, nullptr);
}

void TskFormFrame::ShowSystemMenu(const TRect& anchor) { m_menuState.Popup(GetSystemMenuItems(), anchor, false, nullptr); }

void TskFormFrame::BeginMenuState() { m_menuState.Begin(); }

void TskFormFrame::EndMenuState() { m_menuState.End(); }

TskSkinMenu& TskFormFrame::SkinMenu() {
  if (!m_menu) m_menu = new TskSkinMenu(this, m_form);
  m_menu->SetMaxMenuItemsInWindow(MaxMenuItemsInWindow);
  m_menu->SetUseSkinFont(UseSkinFontInMenu);
  m_menu->SetDefaultItemHeight(DefMenuItemHeight);
  m_menu->DefaultItemFont().Assign(m_defMenuItemFont);
  m_menu->SetAlphaBlend(MenusAlphaBlend);
  m_menu->SetAlphaBlendAnimation(MenusAlphaBlendAnimation);
  m_menu->SetAlphaBlendValue(MenusAlphaBlendValue);
  return *m_menu;
}

}  // namespace tsm
