#include "skincontrols/TskListBox.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinGlyphs.h"

namespace tsm {

namespace {

constexpr int32_t kWheelRows = 3;

}  // namespace

TskListBox::TskListBox(TComponent* owner) : TCustomControl(owner) {
  // Clicks are selections (OnSelect); OnClick belongs to the owner.
  SetControlStyle(ControlStyle().Exclude(TControlStyleFlag::ClickEvents).Include(TControlStyleFlag::Opaque));
  SetTabStop(true);
  m_items.OnChange = [this] { ItemsChanged(); };
  SetBounds(0, 0, 100, 80);
}

// --- Items, selection, scrolling ----------------------------------------------

void TskListBox::ItemsChanged() {
  if (m_itemIndex >= ItemCount()) m_itemIndex = -1;
  m_topIndex = ClampTopIndex(m_topIndex, ItemCount(), VisibleRows());
  Invalidate();
  CallEvent(OnItemsChange, this);
  Scrolled();
}

void TskListBox::SetItemIndex(int32_t index) {
  if (index < -1 || index >= ItemCount()) index = -1;
  const int32_t top = TopIndexShowing(index, m_topIndex, VisibleRows(), ItemCount());
  if (index == m_itemIndex && top == m_topIndex) return;
  m_itemIndex = index;
  Invalidate();
  if (top != m_topIndex) {
    m_topIndex = top;
    Scrolled();
  }
}

void TskListBox::SetTopIndex(int32_t index) {
  index = ClampTopIndex(index, ItemCount(), VisibleRows());
  if (index == m_topIndex) return;
  m_topIndex = index;
  Invalidate();
  Scrolled();
}

void TskListBox::SetItemHeight(int32_t height) {
  height = std::max(height, 1);
  if (height == m_itemHeight) return;
  m_itemHeight = height;
  m_topIndex = ClampTopIndex(m_topIndex, ItemCount(), VisibleRows());
  Invalidate();
  Scrolled();
}

int32_t TskListBox::VisibleRows() const { return tsm::VisibleRows(ClientHeight(), m_itemHeight); }

void TskListBox::SetScrollWidth(int32_t width) {
  width = std::max(width, 0);
  if (width == m_scrollWidth) return;
  m_scrollWidth = width;
  SetHorizontalOffset(m_horizontalOffset);
  Invalidate();
}

void TskListBox::SetHorizontalOffset(int32_t offset) {
  offset = std::clamp(offset, 0, std::max(0, m_scrollWidth - ClientWidth()));
  if (offset == m_horizontalOffset) return;
  m_horizontalOffset = offset;
  Invalidate();
  Scrolled();
}

void TskListBox::Scrolled() { CallEvent(OnScroll, this); }

void TskListBox::Resized() {
  const int32_t top = ClampTopIndex(m_topIndex, ItemCount(), VisibleRows());
  m_topIndex = top;
  m_horizontalOffset = std::clamp(m_horizontalOffset, 0, std::max(0, m_scrollWidth - ClientWidth()));
  Scrolled();
}

TRect TskListBox::ItemRect(int32_t index) const {
  if (index < m_topIndex || index >= ItemCount()) return {};
  const int32_t top = (index - m_topIndex) * m_itemHeight;
  if (top >= ClientHeight()) return {};
  return {0, top, ClientWidth(), top + m_itemHeight};
}

int32_t TskListBox::ItemAtPos(TPoint p) const {
  if (p.X < 0 || p.X >= ClientWidth()) return -1;
  return ItemAtY(p.Y, m_topIndex, m_itemHeight, ItemCount(), ClientHeight());
}

void TskListBox::SelectByUser(int32_t index) {
  if (index < 0 || index >= ItemCount()) return;
  const auto alive = AliveToken();
  SetItemIndex(index);
  if (!alive.expired()) CallEvent(OnSelect, this);
}

// --- Painting -----------------------------------------------------------------

void TskListBox::WMEraseBkgnd(TMessage& m) { m.Result = 1; }

void TskListBox::Paint() {
  const TRect client = ClientRect();
  if (client.IsEmpty()) return;
  ui::TBitmap image;
  image.SetSize(client.Width(), client.Height());
  const int32_t itemWidth = std::max(client.Width(), m_scrollWidth);
  const bool focused = Focused();
  int32_t y = 0;
  for (int32_t i = m_topIndex; i < ItemCount() && y < client.Height(); ++i, y += m_itemHeight) {
    ui::TBitmap item;
    item.SetSize(itemWidth, m_itemHeight);
    TOwnerDrawState state;
    state.Set(TOwnerDrawStateFlag::odSelected, i == m_itemIndex);
    state.Set(TOwnerDrawStateFlag::odFocused, focused && i == m_itemIndex);
    state.Set(TOwnerDrawStateFlag::odDisabled, !Enabled());
    const TRect rect{0, 0, itemWidth, m_itemHeight};
    if (OnDrawItem)
      OnDrawItem(item.Canvas(), i, rect, state);
    else
      DrawDefaultItem(item.Canvas(), i, rect, state);
    image.Canvas().Draw(-m_horizontalOffset, y, item);
  }
  if (y < client.Height()) {
    const TRect rest{0, y, client.Width(), client.Height()};
    if (OnDrawBackground) {
      OnDrawBackground(image.Canvas(), rest);
    } else {
      image.Canvas().Brush() = TBrush{clWindow, TBrushStyle::Solid};
      image.Canvas().FillRect(rest);
    }
  }
  Canvas().Draw(0, 0, image);
}

void TskListBox::DrawDefaultItem(TCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) {
  const bool selected = state.Contains(TOwnerDrawStateFlag::odSelected);
  canvas.SetFont(Font());
  canvas.Brush() = TBrush{selected ? clHighlight : clWindow, TBrushStyle::Solid};
  canvas.FillRect(rect);
  canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
  canvas.Brush().Style = TBrushStyle::Clear;
  if (TDeviceContext* dc = canvas.Handle()) DrawTextLeftCentered(*dc, m_items[index], rect);
  if (state.Contains(TOwnerDrawStateFlag::odFocused)) canvas.DrawFocusRect(rect);
}

// --- Input --------------------------------------------------------------------

void TskListBox::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TskListBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left) {
    if (m_focusOnPress && !Focused() && CanFocus()) {
      SetFocus();
      if (alive.expired()) return;
    }
    SelectByUser(ItemAtPos({x, y}));
    if (alive.expired()) return;
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TskListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (ControlState().Contains(TControlStateFlag::LButtonDown) && ItemCount() > 0) {
    int32_t index = -1;
    if (y < 0)
      index = std::max(0, m_topIndex - 1);
    else if (y >= ClientHeight())
      index = std::min(ItemCount() - 1, m_topIndex + std::max(VisibleRows(), 1));
    else
      index = ItemAtY(y, m_topIndex, m_itemHeight, ItemCount(), ClientHeight());
    if (index >= 0 && index != m_itemIndex) {
      const auto alive = AliveToken();
      SelectByUser(index);
      if (alive.expired()) return;
    }
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TskListBox::KeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TCustomControl::KeyDown(key, shift);
  if (alive.expired() || key == 0 || ItemCount() == 0) return;
  const int32_t page = std::max(VisibleRows() - 1, 1);
  const int32_t last = ItemCount() - 1;
  int32_t target = -2;
  switch (key) {
    case VK_UP: case VK_LEFT: target = std::max(0, m_itemIndex - 1); break;
    case VK_DOWN: case VK_RIGHT: target = std::min(last, m_itemIndex + 1); break;
    case VK_PRIOR: target = std::max(0, m_itemIndex - page); break;
    case VK_NEXT: target = std::min(last, std::max(m_itemIndex, 0) + page); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = last; break;
    default: return;
  }
  key = 0;
  SelectByUser(target);
}

void TskListBox::KeyPress(char32_t& key) {
  const auto alive = AliveToken();
  TCustomControl::KeyPress(key);
  if (alive.expired() || key == 0) return;
  const std::string search = m_typed.Type(key, GetTickCount64(), true);
  const int32_t found = FindItemByPrefix(m_items.Strings(), search, PrefixSearchStart(search, m_itemIndex));
  if (found >= 0) SelectByUser(found);
}

bool TskListBox::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  if (TCustomControl::DoMouseWheel(shift, delta, pos)) return true;
  const int32_t notches = delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1);
  SetTopIndex(m_topIndex - notches * kWheelRows);
  return true;
}

void TskListBox::FocusGained() {
  TCustomControl::FocusGained();
  Invalidate();
}

void TskListBox::FocusLost() {
  TCustomControl::FocusLost();
  Invalidate();
}

}  // namespace tsm
