#include "skinforms/TskSkinPopupWindow.h"

#include <algorithm>
#include <optional>

#include "framework/controls/Label.h"
#include "framework/controls/MenuItem.h"
#include "framework/controls/ControlTypes.h"
#include "framework/controls/ShortCut.h"
#include "framework/controls/StateDescription.h"
#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "platform/gfx/TextLayout.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinPlatform.h"
#include "skin/SkinWindowData.h"
#include "skin/TskDataSkinObject.h"
#include "skin/ui/SkinWindowServices.h"
#include "skincontrols/SkinControlFont.h"
#include "skinforms/TskSkinMenu.h"
#include "skinforms/TskSkinMenuLook.h"
#include "skinforms/TskSkinPopupMenu.h"

namespace tsm {

namespace {

constexpr uint32_t kMouseTimer = 1;   // 50 ms: the cursor outside any message
constexpr uint32_t kMorphTimer = 2;   // 20 ms: highlight morphs
constexpr uint32_t kScrollTimer = 3;  // 100 ms: one item per tick on a scroll band
constexpr uint32_t kWaitTimer = 4;    // 500 ms: hover before a sub-menu opens

constexpr uint32_t kMouseInterval = 50;
constexpr uint32_t kMorphInterval = 20;
constexpr uint32_t kScrollInterval = 100;
constexpr uint32_t kWaitInterval = 500;
// Opacity steps of the fade-in.
constexpr int32_t kFadeStep = 3;

bool IsAcceleratorKey(uint16_t vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'); }

}  // namespace

TskSkinPopupWindow::TskSkinPopupWindow(TskSkinMenu& menu, size_t level, TMenuItem* items, int32_t startIndex)
    : m_menu(menu), m_level(level), m_parentItem(items), m_startIndex(startIndex) {}

TskSkinPopupWindow::~TskSkinPopupWindow() {
  for (const TskSkinMenuItem& item : m_items) m_menu.UnregisterItem(item.MenuItem());
  const HWND hwnd = m_hwnd;
  m_hwnd = HWND();
  if (hwnd) DestroyWindow(hwnd);
}

bool TskSkinPopupWindow::Build() {
  m_items.clear();
  if (!m_parentItem || m_startIndex < 0) return false;
  for (size_t i = size_t(m_startIndex); i < m_parentItem->Count(); ++i) {
    TMenuItem* item = m_parentItem->Items(i);
    item->InitiateAction();
    if (!item->Visible()) continue;
    m_items.emplace_back(this, item);
    m_menu.RegisterItem(item);
  }
  return !m_items.empty();
}

// --- Measuring and placing ----------------------------------------------------

void TskSkinPopupWindow::Layout(const TskMenuSkin& skin) {
  m_skinned = skin.SkinnedWindow();
  m_morphing = skin.SkinnedItems() && skin.Item->Morphing;
  // The item font of the skin, or the default item font; the charset of
  // the skin's resource strings when it has them.
  std::optional<TskSkinFont> skinFont;
  if (skin.SkinnedItems() && m_menu.UseSkinFont())
    skinFont.emplace(TskSkinFont{skin.Item->FontName, skin.Item->FontHeight, skin.Item->FontStyle});
  SelectControlFont(m_font, m_menu.DefaultItemFont(), skinFont ? &*skinFont : nullptr,
                    m_menu.SkinData());

  const TImageList* images = MenuImagesOf(m_parentItem);
  TskMenuSizeInput in;
  if (images) in.GlyphColumn = images->Width() + 5;
  in.MaxItems = m_menu.MaxMenuItemsInWindow();
  in.WorkAreaHeight = m_menu.WorkArea().Height();
  in.OrdinaryItemHeight = m_menu.DefaultItemHeight();
  int32_t dividerHeight = 4;
  if (skin.SkinnedItems()) {
    if (skin.Item->SkinRect.Height() > 0) in.OrdinaryItemHeight = skin.Item->SkinRect.Height();
    dividerHeight = std::max(skin.Item->DividerRect.Height(), 0);
  }
  TBitmap scratch(1, 1);
  TDeviceContext dc(scratch);
  dc.SetFont(m_font.Handle());
  for (TskSkinMenuItem& item : m_items) {
    TMenuItem* mi = item.MenuItem();
    item.Height = mi->IsLine() ? dividerHeight : in.OrdinaryItemHeight;
    in.ItemHeights.push_back(item.Height);
    std::string text = StripAccelerator(mi->Caption(), nullptr);
    if (mi->ShortCut() != scNone) text += "  " + ShortCutToText(mi->ShortCut());
    in.WidestText = std::max(in.WidestText, dc.TextWidth(text) + 2);
  }
  if (skin.SkinnedWindow()) {
    const TskDataSkinPopupWindow& p = *skin.Popup;
    in.FrameWidth = skin.WindowPicture->Width() - p.ItemsRect.Width();
    if (skin.SkinnedItems())
      in.FrameWidth += skin.Item->TextRect.Left + skin.Item->SkinRect.Width() - skin.Item->TextRect.Right;
    in.FrameHeight = skin.WindowPicture->Height() - p.ItemsRect.Height();
  }
  m_size = ComputeMenuSize(in);

  const int32_t w = m_size.Width, h = m_size.Height;
  if (skin.SkinnedWindow()) {
    m_layout = LayoutForSize(MenuSourceLayout(*skin.Popup), skin.WindowPicture->Size(), {w, h});
  } else {
    m_layout = TskFrameLayout{};
    m_layout.Client = {2, 2, w - 2, h - 2};
  }
  m_background.SetSize(w, h);
  TDeviceContext bg(m_background);
  PaintMenuBackground(bg, skin, w, h, m_layout, images ? images->Width() : 0);

  m_first = std::clamp(m_first, 0, std::max(0, int32_t(m_items.size()) - 1));
  PlaceItems();
}

void TskSkinPopupWindow::PlaceItems() {
  const std::vector<int32_t> heights = ItemHeights();
  std::vector<TRect> rects;
  m_visibleCount = PlaceMenuItems(heights, m_first, m_layout.Client, m_size.Scrolling, rects);
  for (size_t i = 0; i < m_items.size(); ++i) {
    m_items[i].Rect = rects[i];
    m_items[i].Visible = int32_t(i) >= m_first && int32_t(i) < m_first + m_visibleCount;
  }
}

void TskSkinPopupWindow::PlaceOnScreen() {
  TskMenuPlacementInput in;
  in.WorkArea = m_menu.WorkArea();
  in.Anchor = m_anchor;
  in.Size = Size();
  in.ItemsTop = m_layout.Client.Top;
  in.Opening = m_opening;
  in.Tall = m_size.Scrolling && !m_size.ScrollByLimit;
  m_position = PlaceMenuWindow(in).Position;
}

bool TskSkinPopupWindow::Open(const TRect& anchor, TskMenuOpening opening) {
  m_anchor = anchor;
  m_opening = opening;
  Layout(ResolveMenuSkin(m_menu.SkinData()));
  PlaceOnScreen();
  const int32_t first = NextSelectable(SelectableFlags(), -1);
  if (first >= 0) {
    m_active = first;
    m_items[size_t(first)].Active = true;
    m_items[size_t(first)].SelectedByKeyboard = true;
    m_items[size_t(first)].MorphFactor = 1;
    EnsureVisible(first);
  }
  CreateHandle();
  const std::weak_ptr<int> alive = m_alive;
  Show();
  if (alive.expired()) return false;
  m_lastCursor = GetCursorPos();
  SetTimer(m_hwnd, kMouseTimer, kMouseInterval);
  return true;
}

void TskSkinPopupWindow::CreateHandle() {
  TWindowCreateParams p;
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  p.ClassStyle = CS_SAVEBITS | (OsIsVersion51() ? CS_DROPSHADOW : 0);
  if (TCustomForm* form = m_menu.Form(); form && form->HandleAllocated()) p.Parent = form->Handle();
  p.Bounds = TRect::FromSize(m_position.X, m_position.Y, m_size.Width, m_size.Height);
  p.Background = clNone;
  p.Proc = [this](HWND h, uint32_t msg, WPARAM w, LPARAM l) { return WndProc(h, msg, w, l); };
  m_hwnd = CreateWindowEx(p);
  if (auto region = MenuWindowRegion(PaintSkin(), m_size.Width, m_size.Height, m_layout))
    SetWindowRgn(m_hwnd, std::move(region), false);
}

void TskSkinPopupWindow::Show() {
  const bool layered = m_menu.AlphaBlend() && OsSupportsLayering();
  const bool fade = layered && m_menu.AlphaBlendAnimation() && m_menu.FirstPopup() && m_level == 0;
  const uint8_t value = m_menu.AlphaBlendValue();
  if (fade) {
    // Lets what is waiting (the press that opened the menu) finish before
    // the fade blocks the thread; anything may close the menu meanwhile.
    const std::weak_ptr<int> alive = m_alive;
    Application().ProcessMessages();
    if (alive.expired()) return;
  }
  if (layered) {
    SetWindowExStyle(m_hwnd, GetWindowExStyle(m_hwnd) | WS_EX_LAYERED);
    ApplyWindowAlpha(m_hwnd, fade ? 0 : value);
  }
  SetWindowPos(m_hwnd, HWND_TOPMOST, m_position.X, m_position.Y, m_size.Width, m_size.Height,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (fade) {
    UpdateWindow(m_hwnd);
    for (int32_t a = kFadeStep; a < value; a += kFadeStep) ApplyWindowAlpha(m_hwnd, uint8_t(a));
    ApplyWindowAlpha(m_hwnd, value);
  }
}

void TskSkinPopupWindow::Relayout() {
  StopScroll();
  StopWait();
  Layout(ResolveMenuSkin(m_menu.SkinData()));
  PlaceOnScreen();
  if (m_active >= 0) EnsureVisible(m_active);
  SetWindowRgn(m_hwnd, MenuWindowRegion(PaintSkin(), m_size.Width, m_size.Height, m_layout), false);
  SetWindowPos(m_hwnd, HWND_TOPMOST, m_position.X, m_position.Y, m_size.Width, m_size.Height, SWP_NOACTIVATE);
  Repaint();
}

TRect TskSkinPopupWindow::ScreenRect() const {
  return TRect::FromSize(m_position.X, m_position.Y, m_size.Width, m_size.Height);
}

TRect TskSkinPopupWindow::ItemScreenRect(size_t index) const {
  const TRect& r = m_items.at(index).Rect;
  return r.IsEmpty() ? TRect{} : r.Offsetted(m_position);
}

std::vector<bool> TskSkinPopupWindow::SelectableFlags() const {
  std::vector<bool> flags;
  for (const TskSkinMenuItem& item : m_items) flags.push_back(item.Selectable());
  return flags;
}

std::vector<int32_t> TskSkinPopupWindow::ItemHeights() const {
  std::vector<int32_t> heights;
  for (const TskSkinMenuItem& item : m_items) heights.push_back(item.Height);
  return heights;
}

// --- Scrolling -----------------------------------------------------------------

void TskSkinPopupWindow::ScrollTo(int32_t first) {
  const std::vector<int32_t> heights = ItemHeights();
  first = std::clamp(first, 0, LastRunFirst(heights, m_layout.Client, m_size.Scrolling));
  if (first == m_first) return;
  m_first = first;
  PlaceItems();
  Repaint();
}

void TskSkinPopupWindow::EnsureVisible(int32_t index) {
  if (!m_size.Scrolling || index < 0) return;
  int32_t first = m_first;
  if (index < first) first = index;
  const std::vector<int32_t> heights = ItemHeights();
  std::vector<TRect> rects;
  while (first < index && index >= first + PlaceMenuItems(heights, first, m_layout.Client, true, rects)) ++first;
  ScrollTo(first);
}

void TskSkinPopupWindow::ScrollBy(int32_t delta) {
  if (m_size.Scrolling) ScrollTo(m_first + delta);
}

void TskSkinPopupWindow::StartScroll(int32_t direction) {
  if (m_scrollDirection == direction) return;
  m_scrollDirection = direction;
  const std::weak_ptr<int> alive = m_alive;
  m_menu.CloseWindowsFrom(m_level + 1);
  if (alive.expired()) return;
  SetTimer(m_hwnd, kScrollTimer, kScrollInterval);
  Repaint();
}

void TskSkinPopupWindow::StopScroll() {
  if (m_scrollDirection == 0) return;
  m_scrollDirection = 0;
  KillTimer(m_hwnd, kScrollTimer);
  Repaint();
}

void TskSkinPopupWindow::ScrollTick() {
  if (m_scrollDirection == 1 && m_first > 0) {
    ScrollTo(m_first - 1);
  } else if (m_scrollDirection == 2 && HiddenBelow()) {
    ScrollTo(m_first + 1);
  }
  if ((m_scrollDirection == 1 && m_first == 0) || (m_scrollDirection == 2 && !HiddenBelow())) StopScroll();
}

// --- Mouse ---------------------------------------------------------------------

int32_t TskSkinPopupWindow::ItemAt(TPoint client) const {
  for (int32_t i = m_first; i < m_first + m_visibleCount && i < int32_t(m_items.size()); ++i)
    if (m_items[size_t(i)].Rect.Contains(client)) return i;
  return -1;
}

void TskSkinPopupWindow::MouseMove(TPoint screen) {
  if (screen == m_lastCursor) return;
  m_lastCursor = screen;
  const std::weak_ptr<int> alive = m_alive;
  if (GetTopLevel(WindowFromPoint(screen)) != m_hwnd) {
    StopScroll();
    return;
  }
  const TPoint client = ScreenToClient(m_hwnd, screen);
  if (m_size.Scrolling) {
    const TRect& items = m_layout.Client;
    const TRect top{items.Left, items.Top, items.Right, items.Top + kMenuScrollBand};
    const TRect bottom{items.Left, items.Bottom - kMenuScrollBand, items.Right, items.Bottom};
    if (top.Contains(client) && m_first > 0) StartScroll(1);
    else if (bottom.Contains(client) && HiddenBelow()) StartScroll(2);
    else if (!top.Contains(client) && !bottom.Contains(client)) StopScroll();
    if (alive.expired()) return;
  }
  const int32_t index = ItemAt(client);
  if (index == m_active) {
    if (index < 0) return;
    TskSkinMenuItem& item = m_items[size_t(index)];
    if (item.SelectedByKeyboard) {
      item.SelectedByKeyboard = false;
      if (item.HasSubItems()) SelectItem(index, true);
    }
    return;
  }
  if (m_active >= 0) Deselect(m_active);
  if (index >= 0 && m_items[size_t(index)].Selectable()) SelectItem(index, true);
}

void TskSkinPopupWindow::Deselect(int32_t index) {
  TskSkinMenuItem& item = m_items.at(size_t(index));
  item.Active = false;
  item.SelectedByKeyboard = false;
  if (m_waitIndex == index) StopWait();
  if (m_active == index) m_active = -1;
  ItemChanged(index);
}

void TskSkinPopupWindow::SelectItem(int32_t index, bool byMouse) {
  if (index < 0 || index >= int32_t(m_items.size()) || !m_items[size_t(index)].Selectable()) return;
  if (m_active >= 0 && m_active != index) Deselect(m_active);
  TskSkinMenuItem& item = m_items[size_t(index)];
  item.Active = true;
  item.SelectedByKeyboard = !byMouse;
  m_active = index;
  ItemChanged(index);
  for (size_t i = 0; i < m_items.size(); ++i)
    if (int32_t(i) != index && m_items[i].Down) {
      m_items[i].Down = false;
      ItemChanged(int32_t(i));
    }
  const bool down = item.Down;
  const bool subItems = item.HasSubItems();
  const std::weak_ptr<int> alive = m_alive;
  m_menu.CloseWindowsFrom(m_level + (down ? 2 : 1));
  if (alive.expired()) return;
  if (byMouse && !down && subItems) StartWait(index);
}

void TskSkinPopupWindow::StartWait(int32_t index) {
  m_waitIndex = index;
  SetTimer(m_hwnd, kWaitTimer, kWaitInterval);
}

void TskSkinPopupWindow::StopWait() {
  if (m_waitIndex < 0) return;
  m_waitIndex = -1;
  KillTimer(m_hwnd, kWaitTimer);
}

void TskSkinPopupWindow::WaitElapsed() {
  const int32_t index = m_waitIndex;
  StopWait();
  if (index >= 0 && index == m_active) ClickItem(index);
}

void TskSkinPopupWindow::ClickItem(int32_t index) {
  if (index < 0 || index >= int32_t(m_items.size())) return;
  TskSkinMenuItem& item = m_items[size_t(index)];
  if (!item.Selectable() || item.Down) return;
  TMenuItem* mi = item.MenuItem();
  StopWait();
  if (!item.HasSubItems()) {
    m_menu.ExecuteItem(mi);
    return;
  }
  // The command of an item with sub-items runs first, so that its handler
  // may fill the sub-menu.
  const std::weak_ptr<int> alive = m_alive;
  const std::weak_ptr<void> itemAlive = mi->AliveToken();
  mi->Click();
  if (alive.expired() || itemAlive.expired()) return;
  if (!m_items[size_t(index)].Selectable() || !m_items[size_t(index)].HasSubItems()) return;
  if (m_active != index) SelectItem(index, false);
  if (alive.expired()) return;
  m_menu.OpenSubMenu(*this, index);
}

void TskSkinPopupWindow::ClearDown() {
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].Down) {
      m_items[i].Down = false;
      ItemChanged(int32_t(i));
    }
}

void TskSkinPopupWindow::MarkDown(int32_t index) {
  ClearDown();
  if (index < 0 || index >= int32_t(m_items.size())) return;
  m_items[size_t(index)].Down = true;
  ItemChanged(index);
}

// --- Keyboard ------------------------------------------------------------------

void TskSkinPopupWindow::KeyDown(uint16_t vk) {
  if (IsAcceleratorKey(vk)) {
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (!m_items[i].Selectable() || !IsAccel(char32_t(vk), m_items[i].MenuItem()->Caption())) continue;
      const std::weak_ptr<int> alive = m_alive;
      SelectItem(int32_t(i), false);
      EnsureVisible(int32_t(i));
      if (alive.expired()) return;
      ClickItem(int32_t(i));
      return;
    }
  }
  switch (vk) {
    case VK_RETURN:
      if (m_active >= 0) ClickItem(m_active);
      return;
    case VK_ESCAPE:
      m_menu.CloseWindowsFrom(m_level);
      return;
    case VK_LEFT:
      if (m_level >= 1) m_menu.CloseWindowsFrom(m_level);
      return;
    case VK_RIGHT:
      if (m_active >= 0 && m_items[size_t(m_active)].HasSubItems()) ClickItem(m_active);
      return;
    case VK_DOWN:
    case VK_UP: {
      const int32_t next =
          vk == VK_DOWN ? NextSelectable(SelectableFlags(), m_active) : PreviousSelectable(SelectableFlags(), m_active);
      if (next < 0 || next == m_active) return;
      const std::weak_ptr<int> alive = m_alive;
      SelectItem(next, false);
      if (alive.expired()) return;
      EnsureVisible(next);
      return;
    }
    default: return;
  }
}

// --- Painting ------------------------------------------------------------------

TskMenuSkin TskSkinPopupWindow::PaintSkin() const {
  return m_skinned ? ResolveMenuSkin(m_menu.SkinData()) : TskMenuSkin{};
}

void TskSkinPopupWindow::ItemChanged(int32_t index) {
  if (m_morphing) {
    SetTimer(m_hwnd, kMorphTimer, kMorphInterval);
    return;
  }
  m_items[size_t(index)].MorphFactor = m_items[size_t(index)].Highlighted() ? 1 : 0;
  RedrawItem(size_t(index));
}

void TskSkinPopupWindow::MorphTick() {
  bool moved = false;
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].StepMorph()) {
      moved = true;
      RedrawItem(i);
    }
  if (!moved) KillTimer(m_hwnd, kMorphTimer);
}

void TskSkinPopupWindow::PaintItemInto(TDeviceContext& dc, const TskMenuSkin& skin, size_t index) {
  const TskSkinMenuItem& item = m_items[index];
  TMenuItem* mi = item.MenuItem();
  TskMenuItemLook look;
  look.Width = item.Rect.Width();
  look.Height = item.Rect.Height();
  look.Caption = mi->Caption();
  look.ShortCut = mi->ShortCut() != scNone ? ShortCutToText(mi->ShortCut()) : std::string();
  look.Divider = mi->IsLine();
  look.Enabled = mi->Enabled();
  look.Highlighted = item.Highlighted();
  look.Checked = mi->Checked();
  look.Radio = mi->RadioItem();
  look.HasSubItems = item.HasSubItems();
  look.Glyph = MenuItemGlyphOf(mi->Name());
  look.MorphFactor = item.MorphFactor;
  look.Images = MenuImagesOf(mi);
  look.ImageIndex = mi->ImageIndex();
  TskMenuOwnerDraw ownerDraw;
  if (mi->OnDrawItem) {
    ownerDraw = [this, mi, &item](TDeviceContext& target, const TRect& text, TColor color) {
      TCanvas canvas;
      canvas.SetFont(m_font);
      canvas.Font().SetColor(color);
      canvas.Brush().Style = TBrushStyle::Clear;
      canvas.SetHandle(&target);
      const TMenuDrawItemEvent handler = mi->OnDrawItem;
      handler(mi, canvas, text, item.Highlighted());
      canvas.SetHandle(nullptr);
      return true;
    };
  }
  TDCStateGuard guard(dc);
  dc.MoveOrigin(item.Rect.Left, item.Rect.Top);
  PaintMenuItem(dc, skin, look, ownerDraw);
}

void TskSkinPopupWindow::Paint(TDeviceContext& dc) {
  if (m_background.IsEmpty()) return;
  TBitmap image = m_background;
  TDeviceContext bdc(image);
  bdc.SetFont(m_font.Handle());
  const TskMenuSkin skin = PaintSkin();
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].Visible && !m_items[i].Rect.IsEmpty()) PaintItemInto(bdc, skin, i);
  if (m_size.Scrolling)
    PaintMenuScrollMarkers(bdc, skin, m_size.Width, m_size.Height, m_layout.Client, m_scrollDirection);
  dc.Draw(0, 0, image);
}

void TskSkinPopupWindow::RedrawItem(size_t index) {
  const TRect r = m_items[index].Rect;
  if (!m_hwnd || r.IsEmpty() || !IsWindowVisible(m_hwnd)) return;
  TBitmap image = m_background.Cropped(r);
  TDeviceContext bdc(image);
  bdc.SetFont(m_font.Handle());
  bdc.SetOrigin({-r.Left, -r.Top});
  PaintItemInto(bdc, PaintSkin(), index);
  TDeviceContext* dc = GetDC(m_hwnd);
  if (!dc) return;
  dc->Draw(r.Left, r.Top, image);
  ReleaseDC(m_hwnd, dc);
}

void TskSkinPopupWindow::Repaint() {
  if (m_hwnd) InvalidateRect(m_hwnd, nullptr, false);
}

// --- Description for the window tree ------------------------------------------

void TskSkinPopupWindow::DescribeState(TStateDescription& state) const {
  state.Set("className", "TskSkinPopupWindow");
  state.Set("level", int64_t(m_level));
  if (m_size.Scrolling) state.Set("firstVisible", m_first);
  for (size_t i = 0; i < m_items.size(); ++i) {
    const TskSkinMenuItem& item = m_items[i];
    const TMenuItem* mi = item.MenuItem();
    if (mi->IsLine()) continue;
    TStateItem described{mi->Caption(), ItemScreenRect(i), mi->Enabled()};
    if (mi->ShortCut() != scNone) described.Fields.Set("shortCut", ShortCutToText(mi->ShortCut()));
    described.Fields.Set("checked", mi->Checked());
    described.Fields.Set("highlighted", item.Highlighted());
    described.Fields.Set("subMenu", item.HasSubItems());
    state.AddItem(std::move(described));
  }
}

// --- Messages ------------------------------------------------------------------

LRESULT TskSkinPopupWindow::WndProc(HWND hwnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case CM_DESCRIBESTATE:
      DescribeState(*reinterpret_cast<TStateDescription*>(lParam));
      return 1;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      if (wParam) {
        Paint(*reinterpret_cast<TDeviceContext*>(wParam));
        return 0;
      }
      TPaintStruct ps;
      if (TDeviceContext* dc = BeginPaint(hwnd, ps)) Paint(*dc);
      EndPaint(hwnd, ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      MouseMove(ClientToScreen(hwnd, PointFromLParam(lParam)));
      return 0;
    case WM_LBUTTONUP: {
      const std::weak_ptr<int> alive = m_alive;
      MouseMove(ClientToScreen(hwnd, PointFromLParam(lParam)));
      if (alive.expired()) return 0;
      const int32_t index = ItemAt(PointFromLParam(lParam));
      if (index >= 0) ClickItem(index);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return 0;
    case WM_ACTIVATEAPP:
      // Another program was activated: an open menu has no place any more.
      if (!wParam) m_menu.CloseMenu();
      return 0;
    case WM_TIMER:
      switch (uint32_t(wParam)) {
        case kMouseTimer: MouseMove(GetCursorPos()); break;
        case kMorphTimer: MorphTick(); break;
        case kScrollTimer: ScrollTick(); break;
        case kWaitTimer: WaitElapsed(); break;
        default: break;
      }
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace tsm
