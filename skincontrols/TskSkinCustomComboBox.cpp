#include "skincontrols/TskSkinCustomComboBox.h"

#include <algorithm>

#include "framework/controls/StateDescription.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "platform/core/Utf8.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"
#include "skin/ui/SkinWindowServices.h"
#include "skincontrols/ComboBoxLook.h"
#include "skincontrols/ListBoxLook.h"
#include "skincontrols/TskCustomEdit.h"
#include "skincontrols/TskSkinScrollBar.h"

namespace tsm {

namespace {

constexpr TFontCharset kShiftJisCharset = 128;
constexpr TFontCharset kBig5Charset = 136;

bool IsFixed(TskSkinCustomComboBoxStyle style) { return style == TskSkinCustomComboBoxStyle::bscbFixedStyle; }

}  // namespace

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* owner) : TskSkinCustomControl(owner) {
  SetSkinDataName("combobox");
  // OnClick means "an item was selected", never a plain click.
  SetControlStyle(ControlStyle().Exclude(TControlStyleFlag::ClickEvents));
  SetTabStop(true);
  Font().SetName("Arial");
  Font().SetHeight(14);
  Font().SetColor(clWindowText);

  m_list = new TskPopupListBox(this);
  TskListBox* inner = m_list->ListBox();
  m_listProc = inner->WindowProc();
  inner->SetWindowProc([this](TMessage& m) { ListWndProc(m); });
  inner->OnMouseMove = [this](TObject*, TShiftState, int32_t x, int32_t y) { HotTrack(x, y); };
  m_list->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
  SetBounds(0, 0, 120, 20);
}

void TskSkinCustomComboBox::BeforeDestruction() {
  StopAutoScroll();
  // The list goes first, with the hook on its inner list still pointing here.
  if (m_list) {
    TskListBox* inner = m_list->ListBox();
    inner->SetWindowProc(m_listProc);
    TskPopupListBox* list = m_list;
    m_list = nullptr;
    list->Free();
  }
  TskSkinCustomControl::BeforeDestruction();
}

void TskSkinCustomComboBox::Notification(TComponent* component, TOperation operation) {
  TskSkinCustomControl::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_images) {
    m_images = nullptr;
    if (!IsDestroying()) Invalidate();
  }
  if (component == m_edit) m_edit = nullptr;
}

// --- Properties ---------------------------------------------------------------------

void TskSkinCustomComboBox::SetItemIndex(int32_t index) {
  const auto alive = AliveToken();
  m_list->SetItemIndex(index);
  const int32_t selected = m_list->ItemIndex();
  if (ItemCount() > 0 && selected != -1) {
    SetText(Items()[selected]);
    if (alive.expired()) return;
  }
  m_rememberedIndex = selected;
  if (IsFixed(m_style)) Invalidate();
  if (!IsLoading() && !IsDesigning()) CallEvent(OnClick, this);
}

void TskSkinCustomComboBox::SetStyle(TskSkinCustomComboBoxStyle style) {
  if (style == m_style) return;
  m_style = style;
  if (IsFixed(style))
    FreeEdit();
  else
    CreateEdit();
  Invalidate();
}

void TskSkinCustomComboBox::SetDropDownCount(int32_t count) {
  if (count > 0) m_dropDownCount = count;
}

void TskSkinCustomComboBox::SetHideSelection(bool on) {
  m_hideSelection = on;
  if (m_edit) m_edit->SetHideSelection(on);
}

void TskSkinCustomComboBox::SetUseSkinSize(bool on) {
  if (on == m_useSkinSize) return;
  m_useSkinSize = on;
  ApplySkinChange();
}

void TskSkinCustomComboBox::SetImages(TImageList* images) {
  if (images == m_images) return;
  if (m_images) m_images->RemoveFreeNotification(this);
  m_images = images;
  if (m_images) m_images->FreeNotification(this);
  m_list->SetImages(images);
  Invalidate();
}

void TskSkinCustomComboBox::SetImageIndex(int32_t index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  m_list->SetImageIndex(index);
  Invalidate();
}

void TskSkinCustomComboBox::TextChanged() {
  const auto alive = AliveToken();
  if (m_edit && !m_editTextSync && m_edit->Text() != Text()) {
    m_editTextSync = true;
    m_edit->SetText(Text());
    if (alive.expired()) return;
    m_editTextSync = false;
  }
  Invalidate();
  CallEvent(OnChange, this);
}

// --- Skin and size -------------------------------------------------------------------

void TskSkinCustomComboBox::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinComboBox>();
  if (!data || !SkinPicture()) {
    Unskin();
    return;
  }
  m_data = *data;
}

void TskSkinCustomComboBox::FitSizeToSkin(int32_t& width, int32_t& height) {
  if (m_useSkinSize) {
    TskSkinCustomControl::FitSizeToSkin(width, height);
    return;
  }
  // The requested size stays; only the fitted points follow the width.
  int32_t ignored = height;
  TskSkinCustomControl::FitSizeToSkin(width, ignored);
}

void TskSkinCustomComboBox::UpdateWindowRegion() {
  if (!m_useSkinSize) DropMaskPicture();
  TskSkinCustomControl::UpdateWindowRegion();
}

void TskSkinCustomComboBox::PrepareSkinChange() {
  TskSkinCustomControl::PrepareSkinChange();
  // The list is no control of the form: the frame's walk does not reach it.
  m_list->PrepareSkinChange();
}

void TskSkinCustomComboBox::ApplySkinChange() {
  const auto alive = AliveToken();
  TskSkinCustomControl::ApplySkinChange();
  if (alive.expired()) return;
  ApplyEditFont();
  PlaceEdit();
  Invalidate();
  m_list->SetSkinDataName(Skinned() ? m_data.ListBoxName : "");
  m_list->SetSkinData(SkinData());
  if (alive.expired()) return;
  m_list->ApplySkinChange();
  m_list->UpdateScrollBars();
  PlaceEdit();
}

TskComboLayout TskSkinCustomComboBox::Layout() {
  ReadSkinData();
  if (!Skinned()) return LayoutComboBox(nullptr, Width(), Height(), m_useSkinSize);
  TskComboSkinMetrics m;
  m.SkinSize = SkinRectangle().Size();
  m.RightTopX = SkinGeometry().RightTopPoint.X;
  m.ClientRect = SkinClientRect();
  m.ButtonRect = m_data.ButtonRect;
  return LayoutComboBox(&m, Width(), Height(), m_useSkinSize);
}

void TskSkinCustomComboBox::Resized() {
  TskSkinCustomControl::Resized();
  PlaceEdit();
}

void TskSkinCustomComboBox::FontChanged() {
  TskSkinCustomControl::FontChanged();
  ApplyEditFont();
  PlaceEdit();
}

void TskSkinCustomComboBox::VisibleChanged() {
  TskSkinCustomControl::VisibleChanged();
  if (!Visible()) CloseUp(false);
}

void TskSkinCustomComboBox::EnabledChanged() {
  TskSkinCustomControl::EnabledChanged();
  if (!Enabled()) CloseUp(false);
  if (m_edit) m_edit->SetEnabled(Enabled());
}

// --- Opening and closing ----------------------------------------------------------------

void TskSkinCustomComboBox::DropDown() {
  if (ItemCount() == 0 || DroppedDown()) return;
  const auto alive = AliveToken();
  m_enteredList = false;
  StopAutoScroll();
  CallEvent(OnDropDown, this);
  if (alive.expired() || ItemCount() == 0 || !HandleAllocated()) return;

  m_list->SetSkinData(SkinData());
  if (alive.expired()) return;
  m_list->OnDrawItem = OnListBoxDrawItem;
  const int32_t width = m_listBoxWidth > 0 ? m_listBoxWidth : Width();
  m_list->SetBounds(m_list->Left(), m_list->Top(), width, m_list->Height());
  m_list->SetRowCount(std::min(m_dropDownCount, ItemCount()));

  TRect work = GetWorkArea();
  MonitorAreaOfWindow(Handle(), true, work);
  const TPoint at = DropDownPosition(GetWindowRect(Handle()), {m_list->Width(), m_list->Height()}, work);

  if (m_edit && m_edit->CanFocus() && !m_edit->Focused()) {
    m_edit->SetFocus();
    if (alive.expired()) return;
  }
  m_rememberedIndex = m_list->ItemIndex();
  m_list->SetTopIndex(std::max(m_rememberedIndex, 0));
  if (!m_list->ShowAt(at) || alive.expired()) return;
  Invalidate();
}

void TskSkinCustomComboBox::CloseUp(bool accept) {
  StopAutoScroll();
  if (!m_list || !DroppedDown()) return;
  const auto alive = AliveToken();
  if (m_dragSelection) EndDragSelection();
  m_list->HideList();
  const int32_t index = m_list->ItemIndex();
  if (index < 0) {
    m_list->SetItemIndex(m_rememberedIndex);
  } else if (accept && index < ItemCount()) {
    if (m_edit) {
      m_edit->SetText(Items()[index]);
      if (alive.expired()) return;
      m_edit->SelectAll();
    } else {
      SetText(Items()[index]);
      if (alive.expired()) return;
      Invalidate();
    }
    CallEvent(OnClick, this);
    if (alive.expired()) return;
  } else {
    m_list->SetItemIndex(m_rememberedIndex);
  }
  Invalidate();
  if (accept) CallEvent(OnCloseUp, this);
}

// --- The list's mouse ----------------------------------------------------------------------

void TskSkinCustomComboBox::ListWndProc(TMessage& m) {
  switch (m.Msg) {
    // A double click is a press too: the list never keeps the capture
    // (its releases never reach it).
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: ListPress(PointFromLParam(m.LParam)); return;
    case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP: return;
    case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
    default: m_listProc(m); return;
  }
}

void TskSkinCustomComboBox::ListPress(TPoint p) {
  m_dragSelection = true;
  m_enteredList = true;
  HotTrack(p.X, p.Y);
  SetMouseCapture(true);
}

void TskSkinCustomComboBox::HotTrack(int32_t x, int32_t y) {
  const int32_t index = m_list->ListBox()->ItemAtPos({x, y});
  if (index >= 0 && index < ItemCount()) m_list->SetItemIndex(index);
}

void TskSkinCustomComboBox::DragMove(TPoint p) {
  TskListBox* inner = m_list->ListBox();
  const TPoint at = inner->ScreenToClient(ClientToScreen(p));
  if (at.Y >= 0 && at.Y <= inner->ClientHeight()) {
    StopAutoScroll();
    // Only the row matters, not where the pointer is across the list.
    inner->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(1, at.Y));
    m_enteredList = true;
  } else if (m_list->HasVScrollBar() && m_enteredList) {
    SetAutoScroll(at.Y < 0 ? TskComboAutoScroll::Up : TskComboAutoScroll::Down);
  }
}

void TskSkinCustomComboBox::EndDragSelection() {
  m_dragSelection = false;
  StopAutoScroll();
  if (MouseCapture()) SetMouseCapture(false);
}

void TskSkinCustomComboBox::SetAutoScroll(TskComboAutoScroll mode) {
  if (mode == m_autoScroll) return;
  m_autoScroll = mode;
  if (HandleAllocated()) SetTimer(Handle(), kAutoScrollTimer, kAutoScrollInterval);
}

void TskSkinCustomComboBox::StopAutoScroll() {
  if (m_autoScroll == TskComboAutoScroll::None) return;
  m_autoScroll = TskComboAutoScroll::None;
  if (HandleAllocated()) KillTimer(Handle(), kAutoScrollTimer);
}

void TskSkinCustomComboBox::AutoScrollTick() {
  if (!m_list) return;
  const int32_t index = m_list->ItemIndex();
  if (m_autoScroll == TskComboAutoScroll::Up && index > 0) m_list->SetItemIndex(index - 1);
  if (m_autoScroll == TskComboAutoScroll::Down && index < ItemCount() - 1) m_list->SetItemIndex(index + 1);
}

// --- The combo box's own mouse -------------------------------------------------------------

void TskSkinCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (IsFixed(m_style)) {
    if (!FocusForPress()) return;
  } else if (m_edit && !m_edit->Focused() && m_edit->CanFocus()) {
    m_edit->SetFocus();
    if (alive.expired()) return;
  }
  if (button == TMouseButton::Left) {
    const TskComboLayout l = Layout();
    const TPoint p{x, y};
    if (l.Button.Contains(p) || (IsFixed(m_style) && l.TextArea.Contains(p))) {
      m_buttonHot = l.Button.Contains(p);
      m_buttonPressed = true;
      Invalidate();
      if (!DroppedDown()) {
        m_enteredList = false;
        m_dragSelection = true;
        DropDown();
      } else {
        CloseUp(false);
      }
    } else if (DroppedDown()) {
      CloseUp(false);
    }
    if (alive.expired()) return;
  }
  TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinCustomComboBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (m_dragSelection && DroppedDown()) {
    DragMove({x, y});
  } else if (!MouseCapture()) {
    const bool hot = Layout().Button.Contains({x, y});
    if (hot != m_buttonHot) {
      m_buttonHot = hot;
      Invalidate();
    }
  }
  TskSkinCustomControl::MouseMove(shift, x, y);
}

void TskSkinCustomComboBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left) {
    if (m_dragSelection && m_enteredList) {
      EndDragSelection();
      const HWND under = WindowFromPoint(ClientToScreen({x, y}));
      const TskListBox* inner = m_list->ListBox();
      CloseUp(inner->HandleAllocated() && under == const_cast<TskListBox*>(inner)->Handle());
      if (alive.expired()) return;
    } else if (m_dragSelection) {
      // The click that opened the list: it stays open.
      EndDragSelection();
    }
    if (m_buttonPressed) {
      m_buttonPressed = false;
      Invalidate();
    }
  }
  TskSkinCustomControl::MouseUp(button, shift, x, y);
}

void TskSkinCustomComboBox::MouseLeave() {
  if (m_buttonHot) {
    m_buttonHot = false;
    Invalidate();
  }
  TskSkinCustomControl::MouseLeave();
}

// --- Messages ------------------------------------------------------------------------------

void TskSkinCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam == kAutoScrollTimer) {
        AutoScrollTick();
        return;
      }
      break;
    case WM_CANCELMODE:
      // The capture was taken away: the drag selection ends, the list stays.
      m_dragSelection = false;
      StopAutoScroll();
      if (m_buttonPressed) {
        m_buttonPressed = false;
        Invalidate();
      }
      break;
    case CM_CANCELMODE: CMCancelMode(m); return;
    case CM_WANTSPECIALKEY:
      if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && DroppedDown()) {
        m.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TskSkinCustomControl::WndProc(m);
}

void TskSkinCustomComboBox::CMCancelMode(TMessage& m) {
  const auto* sender = reinterpret_cast<const TControl*>(m.LParam);
  if (sender == this || (m_edit && sender == m_edit)) return;
  if (sender && m_list && (sender == m_list || m_list->ContainsControl(sender))) return;
  CloseUp(false);
}

void TskSkinCustomComboBox::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TskSkinCustomComboBox::FocusGained() {
  TskSkinCustomControl::FocusGained();
  if (m_edit && m_edit->CanFocus()) {
    m_edit->SetFocus();
    return;
  }
  Invalidate();
}

void TskSkinCustomComboBox::FocusLost() {
  TskSkinCustomControl::FocusLost();
  Invalidate();
  if (IsFixed(m_style)) CloseUp(false);
}

// --- Keys and wheel --------------------------------------------------------------------------

void TskSkinCustomComboBox::StepItem(int32_t delta, bool highlightOnly) {
  const int32_t index = m_list->ItemIndex();
  const int32_t target = index + delta;
  if (delta < 0 ? index <= 0 : index >= ItemCount() - 1) return;
  if (highlightOnly)
    m_list->SetItemIndex(target);
  else
    SetItemIndex(target);
}

void TskSkinCustomComboBox::KeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TskSkinCustomControl::KeyDown(key, shift);
  if (alive.expired() || key == 0 || !IsFixed(m_style)) return;
  const bool alt = shift.Contains(TShiftKey::Alt);
  const int32_t index = m_list->ItemIndex();
  switch (key) {
    case VK_RETURN:
      if (!DroppedDown()) return;
      key = 0;
      CloseUp(true);
      return;
    case VK_ESCAPE:
      if (!DroppedDown()) return;
      key = 0;
      CloseUp(false);
      return;
    case VK_PRIOR:
      key = 0;
      if (ItemCount() > 0) SetItemIndex(ComboPageUpIndex(index, m_dropDownCount));
      return;
    case VK_NEXT:
      key = 0;
      if (ItemCount() > 0) SetItemIndex(ComboPageDownIndex(index, m_dropDownCount, ItemCount()));
      return;
    case VK_LEFT: case VK_UP:
      key = 0;
      if (alt) {
        if (DroppedDown()) CloseUp(false);
      } else {
        StepItem(-1, false);
      }
      return;
    case VK_RIGHT: case VK_DOWN:
      key = 0;
      if (alt) {
        if (!DroppedDown()) DropDown();
      } else {
        StepItem(1, false);
      }
      return;
    default: return;
  }
}

void TskSkinCustomComboBox::KeyPress(char32_t& key) {
  const auto alive = AliveToken();
  TskSkinCustomControl::KeyPress(key);
  if (alive.expired() || key == 0 || !IsFixed(m_style)) return;
  const std::string search = m_typed.Type(key, GetTickCount64(), m_autoComplete);
  const int32_t found = FindItemByPrefix(Items().Strings(), search, PrefixSearchStart(search, ItemIndex()));
  if (found >= 0) SetItemIndex(found);
}

bool TskSkinCustomComboBox::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  if (TskSkinCustomControl::DoMouseWheel(shift, delta, pos)) return true;
  if (!IsFixed(m_style)) return false;
  StepItem(delta <= 0 ? 1 : -1, DroppedDown());
  return true;
}

// --- Painting ----------------------------------------------------------------------------------

int32_t TskSkinCustomComboBox::ShownIndex() const {
  const int32_t index = DroppedDown() ? m_rememberedIndex : m_list->ItemIndex();
  return index >= 0 && index < ItemCount() ? index : -1;
}

void TskSkinCustomComboBox::DrawItemText(TCanvas& canvas, int32_t index, const TRect& textRect, int32_t width,
                                         int32_t height, bool focused) {
  if (index < 0) return;
  if (OnComboBoxDrawItem) {
    const TskDrawSkinItemEvent handler = OnComboBoxDrawItem;
    TOwnerDrawState state;
    if (focused) state.Include(TOwnerDrawStateFlag::odFocused);
    handler(this, canvas, index, width, height, textRect, state);
    return;
  }
  DrawItemImageAndText(canvas, textRect, Items()[index], m_images, m_imageIndex >= 0 ? m_imageIndex : index,
                       Enabled());
}

TskComboLookState TskSkinCustomComboBox::LookState() const {
  TskComboLookState state;
  state.Enabled = Enabled();
  state.Focused = Focused();
  state.ButtonHot = m_buttonHot;
  state.ButtonPressed = m_buttonPressed;
  state.UseSkinSize = m_useSkinSize;
  return state;
}

void TskSkinCustomComboBox::DrawFallbackImage(ui::TBitmap& image) {
  TDeviceContext* dc = image.Canvas().Handle();
  if (!dc) return;
  const TskComboLayout l = Layout();
  const TskComboLookState state = LookState();
  DrawComboFallback(*dc, {image.Width(), image.Height()}, l.Button, state);
  if (!IsFixed(m_style) || l.TextArea.IsEmpty()) return;
  ui::TBitmap area;
  area.SetSize(l.TextArea.Width(), l.TextArea.Height());
  TCanvas& c = area.Canvas();
  SelectControlFont(c.Font(), Font(), nullptr, SkinData());
  c.Font().SetColor(!state.Enabled ? clGrayText : state.Focused ? clHighlightText : clWindowText);
  c.Brush() = TBrush{state.Focused ? clHighlight : clWindow, TBrushStyle::Solid};
  const TRect all{0, 0, area.Width(), area.Height()};
  c.FillRect(all);
  c.Brush().Style = TBrushStyle::Clear;
  DrawItemText(c, ShownIndex(), all.Inflated(-2, 0), area.Width(), area.Height(), state.Focused);
  if (state.Focused) c.DrawFocusRect(all);
  image.Canvas().Draw(l.TextArea.Left, l.TextArea.Top, area);
}

void TskSkinCustomComboBox::DrawSkinImage(ui::TBitmap& image) {
  if (m_useSkinSize) {
    TskSkinCustomControl::DrawSkinImage(image);
  } else {
    // Composed at the skin's height, stretched to the control's.
    const TskControlSkinGeometry& g = SkinGeometry();
    TBitmap look;
    ComposeHorizontalImage(*SkinPicture(), SkinRectangle(), g.LeftTopPoint.X, g.SkinWidth() - g.RightTopPoint.X, look,
                           Width());
    image.SetSize(Width(), Height());
    if (TDeviceContext* dc = image.Canvas().Handle())
      dc->StretchBlt({0, 0, Width(), Height()}, look.Surface(), look.Bounds());
  }
  TDeviceContext* dc = image.Canvas().Handle();
  if (!dc) return;
  const TskComboLayout l = Layout();
  const TskComboLookState state = LookState();
  if (m_useSkinSize) {
    DrawComboSkinButton(*dc, *SkinPicture(), m_data, l.Button, state);
  } else if (const auto* button = SkinData()->FindControl<TskDataSkinButtonControl>("resizebutton")) {
    if (const TBitmap* picture = SkinData()->ActivePicture(button->PictureIndex))
      DrawComboResizeButton(*dc, *picture, *button, l.Button, state);
  }
  if (!IsFixed(m_style) || l.TextArea.IsEmpty()) return;
  ui::TBitmap area;
  area.SetSize(l.TextArea.Width(), l.TextArea.Height());
  TDeviceContext(area.Image()).BitBlt(0, 0, area.Width(), area.Height(), image.Image().Surface(), l.TextArea.Left,
                                      l.TextArea.Top);
  const int32_t dh = m_useSkinSize ? 0 : Height() - SkinRectangle().Height();
  const TRect text = DrawComboSkinTextArea(area.Image(), *SkinPicture(), m_data, SkinClientRect().Width(), dh, state);
  TCanvas& c = area.Canvas();
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  c.Font().SetColor(!state.Enabled ? clGrayText : state.Focused ? m_data.FocusFontColor : m_data.FontColor);
  c.Brush().Style = TBrushStyle::Clear;
  DrawItemText(c, ShownIndex(), text, area.Width(), area.Height(), state.Focused);
  image.Canvas().Draw(l.TextArea.Left, l.TextArea.Top, area);
}

// --- Edit style --------------------------------------------------------------------------------

void TskSkinCustomComboBox::CreateEdit() {
  if (m_edit) return;
  const bool hadFocus = Focused();
  m_edit = new TskCustomEdit(this);
  m_edit->SetBorderStyle(TBorderStyle::bsNone);
  m_edit->SetHideSelection(m_hideSelection);
  m_edit->SetParent(this);
  m_editTextSync = true;
  m_edit->SetText(Text());
  m_editTextSync = false;
  m_edit->OnChange = [this](TObject*) { EditChanged(); };
  m_edit->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) { EditKeyDown(key, shift); };
  m_edit->OnKeyUp = [this](TObject*, uint16_t& key, TShiftState shift) { EditKeyUp(key, shift); };
  m_edit->OnKeyPress = [this](TObject*, char32_t& key) { CallEvent(OnKeyPress, this, key); };
  m_edit->OnMouseWheel = [this](TObject*, TShiftState, int32_t delta, TPoint, bool& handled) {
    handled = true;
    if (DroppedDown()) {
      StepItem(delta <= 0 ? 1 : -1, true);
    } else {
      StepItem(delta <= 0 ? 1 : -1, false);
      if (m_edit) m_edit->SelectAll();
    }
  };
  const TWndMethod editProc = m_edit->WindowProc();
  m_edit->SetWindowProc([this, editProc](TMessage& m) {
    switch (m.Msg) {
      case CM_WANTSPECIALKEY:
        if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && DroppedDown()) {
          m.Result = 1;
          return;
        }
        break;
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: CloseUp(false); break;
      case WM_KILLFOCUS: {
        const auto alive = AliveToken();
        editProc(m);
        if (!alive.expired()) CloseUp(false);
        return;
      }
      default: break;
    }
    editProc(m);
  });
  ApplyEditFont();
  PlaceEdit();
  SetTabStop(false);
  if (hadFocus && m_edit->CanFocus()) m_edit->SetFocus();
}

void TskSkinCustomComboBox::FreeEdit() {
  if (!m_edit) return;
  const bool hadFocus = m_edit->Focused();
  TskCustomEdit* edit = m_edit;
  m_edit = nullptr;
  edit->Free();
  SetTabStop(true);
  if (hadFocus && CanFocus()) SetFocus();
}

void TskSkinCustomComboBox::ApplyEditFont() {
  if (!m_edit) return;
  ReadSkinData();
  const bool skinned = Skinned();
  m_edit->SetTransparentDrawing(skinned);
  if (skinned) {
    ui::TFont font;
    font.SetName(m_data.FontName);
    font.SetHeight(m_data.FontHeight);
    font.SetStyle(ToFontStyles(m_data.FontStyle));
    font.SetColor(m_data.FontColor);
    m_edit->SetFont(font);
  } else {
    m_edit->SetFont(Font());
  }
}

void TskSkinCustomComboBox::PlaceEdit() {
  if (!m_edit) return;
  ui::TBitmap probe;
  probe.SetSize(1, 1);
  probe.Canvas().SetFont(m_edit->Font());
  const int32_t height = probe.Canvas().TextHeight("Wg");
  m_edit->SetBoundsRect(PlaceComboEdit(Layout().TextArea, height));
}

void TskSkinCustomComboBox::EditChanged() {
  if (!m_edit || m_editTextSync) return;
  const std::string text = m_edit->Text();
  m_editTextSync = true;
  const auto alive = AliveToken();
  SetText(text);
  if (alive.expired()) return;
  m_editTextSync = false;
  const int32_t found = FindItemByPrefix(Items().Strings(), text, 0);
  if (found < 0 || text.empty()) return;
  if (m_autoComplete)
    m_list->SetItemIndex(found);
  else
    m_list->SetTopIndex(found);
}

void TskSkinCustomComboBox::EditKeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  CallEvent(OnKeyDown, this, key, shift);
  if (alive.expired() || key == 0) return;
  const bool alt = shift.Contains(TShiftKey::Alt);
  const int32_t index = m_list->ItemIndex();
  switch (key) {
    case VK_UP: case VK_DOWN: {
      const bool down = key == VK_DOWN;
      key = 0;
      if (alt) {
        if (down && !DroppedDown())
          DropDown();
        else if (!down && DroppedDown())
          CloseUp(false);
        return;
      }
      StepItem(down ? 1 : -1, false);
      if (!alive.expired() && m_edit) m_edit->SelectAll();
      return;
    }
    case VK_RETURN:
      if (DroppedDown()) {
        key = 0;
        CloseUp(true);
      }
      return;
    case VK_ESCAPE:
      if (DroppedDown()) {
        key = 0;
        CloseUp(false);
      }
      return;
    case VK_PRIOR:
      if (DroppedDown()) {
        key = 0;
        m_list->SetItemIndex(ComboPageUpIndex(index, m_dropDownCount));
      }
      return;
    case VK_NEXT:
      if (DroppedDown()) {
        key = 0;
        m_list->SetItemIndex(ComboPageDownIndex(index, m_dropDownCount, ItemCount()));
      }
      return;
    default: return;
  }
}

void TskSkinCustomComboBox::EditKeyUp(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  CallEvent(OnKeyUp, this, key, shift);
  if (alive.expired() || key == 0 || !m_autoComplete || !m_edit) return;
  const uint64_t now = GetTickCount64();
  if (now - m_lastEditSearch < kEditSearchInterval) return;
  const TFontCharset charset =
      SkinData() && SkinData()->ResourceStrData() ? SkinData()->ResourceStrData()->CharSet() : DefaultFont().Charset();
  const bool wideCharset = charset == kShiftJisCharset || charset == GB2312_CHARSET || charset == kBig5Charset;
  if (!(key >= '0' || (wideCharset && key != VK_DELETE && key != VK_BACK))) return;
  m_lastEditSearch = now;
  if (wideCharset) m_edit->SetSelLength(0);
  const std::string typed = m_edit->Text();
  if (typed.empty()) return;
  const int32_t start = Utf8Length(typed) == 1 ? std::max(ItemIndex(), 0) : 0;
  const int32_t found = FindItemByPrefix(Items().Strings(), typed, start);
  if (found < 0) return;
  SetItemIndex(found);
  if (alive.expired() || !m_edit) return;
  const std::string& item = Items()[found];
  m_edit->SetSelStart(int32_t(typed.size()));
  m_edit->SetSelLength(int32_t(item.size() - std::min(item.size(), typed.size())));
}

// --- State -------------------------------------------------------------------------------------

void TskSkinCustomComboBox::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  state.Set("itemIndex", ItemIndex());
  state.Set("droppedDown", DroppedDown());
  // The items as node items that are not on screen here (the open list
  // shows and describes its own rows).
  const std::vector<std::string>& items = Items().Strings();
  for (size_t i = 0; i < items.size(); ++i) {
    TStateItem item{PlainTextAsCaption(items[i]), TRect{}, Enabled()};
    item.Fields.Set("selected", static_cast<int32_t>(i) == ItemIndex());
    state.AddItem(std::move(item));
  }
}

}  // namespace tsm
