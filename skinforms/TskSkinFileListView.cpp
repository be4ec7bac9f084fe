#include "skinforms/TskSkinFileListView.h"

#include <algorithm>
#include <ctime>

#include "framework/controls/StateDescription.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "platform/os/FileMask.h"
#include "platform/window/WindowApi.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"
#include "skincontrols/SkinControlFont.h"
#include "skincontrols/SkinControlGeometry.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/DialogTexts.h"
#include "skinforms/ViewPainting.h"

namespace tsm {

namespace {

constexpr int32_t kDefaultHeaderHeight = 20;

std::string SizeText(int64_t bytes) {
  const std::string digits = std::to_string((std::max<int64_t>(bytes, 0) + 1023) / 1024);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out + " KB";
}

std::string TimeText(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (!localtime_r(&t, &local)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min);
  return text;
}

}  // namespace

TskSkinFileListView::TskSkinFileListView(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 200, 150);
  m_small = new TImageList(this);
  FillShellImageList(*m_small);
  m_large = new TImageList(this);
  m_large->SetSize(32, 32);
  FillShellImageList(*m_large);
}

void TskSkinFileListView::BeforeDestruction() {
  m_links.SetScrollBars(*this, nullptr, nullptr, {});
  TCustomControl::BeforeDestruction();
}

void TskSkinFileListView::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::Remove) m_links.Removed(component);
}

void TskSkinFileListView::SetSkinData(TskSkinData* skin) {
  if (m_links.SetSkinData(*this, skin)) ApplySkinChange();
}

void TskSkinFileListView::SetHeaderSkinDataName(const std::string& name) {
  m_headerSkinDataName = name;
  ApplySkinChange();
}

void TskSkinFileListView::ApplySkinChange() {
  Relayout();
  Invalidate();
}

void TskSkinFileListView::SetScrollBars(TskSkinScrollBar* horizontal, TskSkinScrollBar* vertical) {
  m_links.SetScrollBars(*this, horizontal, vertical, [this] { ScrollBarChanged(); });
  UpdateScrollBars();
}

// --- Folder and items -------------------------------------------------------

void TskSkinFileListView::SetFolder(const TskShellFolder& folder) {
  m_folder = folder;
  Fill();
  m_offset = {};
  m_current = -1;
  m_anchor = -1;
  Relayout();
  if (!m_items.empty()) SetItemIndex(0);
  Invalidate();
  const auto alive = AliveToken();
  if (OnFolderChange) OnFolderChange(this);
  if (!alive.expired()) UpdateScrollBars();
}

void TskSkinFileListView::RefreshFolder() {
  const std::string keep = m_current >= 0 ? Item(m_current).Path() : std::string();
  Fill();
  m_current = -1;
  Relayout();
  int32_t index = 0;
  for (int32_t i = 0; i < Count(); ++i)
    if (!keep.empty() && Item(i).Path() == keep) index = i;
  if (!m_items.empty()) SetItemIndex(index);
  Invalidate();
}

bool TskSkinFileListView::GoUp() {
  const std::optional<TskShellFolder> parent = m_folder.Parent();
  if (!parent) return false;
  const TskShellFolder from = m_folder;
  SetFolder(*parent);
  // The folder we came from becomes current, as people expect.
  for (int32_t i = 0; i < Count(); ++i)
    if (Item(i).Path() == from.Path() && !from.Path().empty()) {
      SetItemIndex(i);
      break;
    }
  return true;
}

void TskSkinFileListView::SetMask(const std::string& mask) {
  const TFileMaskList check(mask);  // raises for a malformed pattern
  (void)check;
  if (mask == m_mask) return;
  m_mask = mask;
  RefreshFolder();
}

void TskSkinFileListView::Fill() {
  const TCursor oldCursor = Screen().Cursor();
  Screen().SetCursor(crHourGlass);
  const TFileMaskList masks(m_mask);
  bool readable = true;
  std::vector<TskShellFolder> all = m_folder.Children(true, &readable);
  Screen().SetCursor(oldCursor);
  m_readable = readable;
  m_items.clear();
  m_items.reserve(all.size());
  for (TskShellFolder& item : all)
    if (item.IsFolder() || masks.Matches(FileNamePart(item.Path()))) m_items.push_back(std::move(item));
  m_selected.assign(m_items.size(), false);
  // Widths of the captions, for the list and small-icon cells.
  Canvas().Font().Assign(Font());
  m_textWidths.resize(m_items.size());
  m_widestText = 0;
  for (size_t i = 0; i < m_items.size(); ++i) {
    m_textWidths[i] = Canvas().TextWidth(m_items[i].DisplayName());
    m_widestText = std::max(m_widestText, m_textWidths[i]);
  }
}

void TskSkinFileListView::SetViewStyle(TskViewStyle style) {
  if (style == m_style) return;
  m_style = style;
  m_offset = {};
  Relayout();
  if (m_current >= 0) SetScrollOffset(Layout().ScrollToShow(m_current, m_offset));
  Invalidate();
}

void TskSkinFileListView::SetMultiSelect(bool on) {
  m_multiSelect = on;
  if (!on && m_current >= 0) SetItemIndex(m_current);
}

void TskSkinFileListView::SetItemIndex(int32_t index) {
  if (index >= Count()) index = Count() - 1;
  const bool changed = index != m_current;
  std::fill(m_selected.begin(), m_selected.end(), false);
  m_current = index < 0 ? -1 : index;
  m_anchor = m_current;
  if (m_current >= 0) {
    m_selected[static_cast<size_t>(m_current)] = true;
    SetScrollOffset(Layout().ScrollToShow(m_current, m_offset));
  }
  Invalidate();
  if (changed && OnItemChange) OnItemChange(this);
}

bool TskSkinFileListView::Selected(int32_t index) const {
  return index >= 0 && index < Count() && m_selected[static_cast<size_t>(index)];
}

std::vector<int32_t> TskSkinFileListView::SelectedIndices() const {
  std::vector<int32_t> out;
  for (int32_t i = 0; i < Count(); ++i)
    if (m_selected[static_cast<size_t>(i)]) out.push_back(i);
  return out;
}

std::string TskSkinFileListView::SelectedPath() const {
  if (m_current < 0 || Item(m_current).IsFolder()) return {};
  return Item(m_current).Path();
}

int32_t TskSkinFileListView::IndexOfName(const std::string& displayName) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (Item(i).DisplayName() == displayName) return i;
  return -1;
}

void TskSkinFileListView::MoveTo(int32_t index, bool extend, bool toggle) {
  if (index < 0 || index >= Count()) return;
  if (!m_multiSelect || (!extend && !toggle)) {
    SetItemIndex(index);
    return;
  }
  const bool changed = index != m_current;
  if (toggle) {
    m_selected[static_cast<size_t>(index)] = !m_selected[static_cast<size_t>(index)];
    m_anchor = index;
  } else {
    if (m_anchor < 0) m_anchor = index;
    std::fill(m_selected.begin(), m_selected.end(), false);
    for (int32_t i = std::min(m_anchor, index); i <= std::max(m_anchor, index); ++i)
      m_selected[static_cast<size_t>(i)] = true;
  }
  m_current = index;
  SetScrollOffset(Layout().ScrollToShow(index, m_offset));
  Invalidate();
  if (changed && OnItemChange) OnItemChange(this);
}

void TskSkinFileListView::Activate(int32_t index) {
  if (index < 0 || index >= Count()) return;
  const TskShellFolder item = Item(index);
  if (item.IsFolder()) {
    SetFolder(item);
    return;
  }
  if (OnFileActivate) OnFileActivate(this, item);
}

// --- Geometry ----------------------------------------------------------------

std::vector<TskSkinFileListView::TColumn> TskSkinFileListView::Columns() const {
  // Widths in characters of "X" in the list's font.
  auto& canvas = const_cast<TskSkinFileListView*>(this)->Canvas();
  canvas.Font().Assign(Font());
  const int32_t x = std::max(1, canvas.TextWidth("X"));
  const TskSkinData* strings = SkinData();
  std::vector<TColumn> columns{{DialogText(strings, "FLV_NAME", "名称"), 25 * x, false}};
  if (m_folder.Kind() == TskShellItemKind::Folder || m_folder.Kind() == TskShellItemKind::Place ||
      m_folder.Kind() == TskShellItemKind::Desktop) {
    columns.push_back({DialogText(strings, "FLV_SIZE", "大小"), 10 * x, true});
    columns.push_back({DialogText(strings, "FLV_TYPE", "类型"), 14 * x, false});
    columns.push_back({DialogText(strings, "FLV_MODIFIED", "修改日期"), 19 * x, false});
  }
  return columns;
}

std::vector<std::string> TskSkinFileListView::ColumnTitles() const {
  std::vector<std::string> titles;
  for (const TColumn& c : Columns()) titles.push_back(c.Title);
  return titles;
}

std::string TskSkinFileListView::CellText(int32_t index, size_t column) const {
  const TskShellFolder& item = Item(index);
  switch (column) {
    case 0: return item.DisplayName();
    case 1: return item.IsFolder() ? std::string() : SizeText(item.Size());
    case 2: return item.Kind() == TskShellItemKind::Folder || !item.IsFolder() ? item.TypeName() : std::string();
    case 3: return item.Modified() > 0 ? TimeText(item.Modified()) : std::string();
    default: return {};
  }
}

const TskDataSkinButtonControl* TskSkinFileListView::HeaderData() const {
  const TskSkinData* skin = SkinData();
  return skin && !skin->Empty() ? skin->FindControl<TskDataSkinButtonControl>(m_headerSkinDataName) : nullptr;
}

int32_t TskSkinFileListView::HeaderHeight() const {
  if (m_style != TskViewStyle::vsReport) return 0;
  if (const auto* data = HeaderData()) {
    TskControlSkinGeometry g;
    g.Read(*data, *SkinData());
    if (g.StretchMode != TskStretchMode::NoRect) return g.FittedSize(100, kDefaultHeaderHeight).cy;
  }
  return kDefaultHeaderHeight;
}

TskFileListLayout TskSkinFileListView::Layout() const {
  auto& canvas = const_cast<TskSkinFileListView*>(this)->Canvas();
  canvas.Font().Assign(Font());
  TskListMetrics m;
  m.Style = m_style;
  const TRect client = ClientRect();
  m.View = {client.Width(), std::max(0, client.Height() - HeaderHeight())};
  m.Count = Count();
  m.LineHeight = canvas.TextHeight("Xg视");
  m.WidestText = m_widestText;
  if (m_style == TskViewStyle::vsReport) {
    const std::vector<TColumn> columns = Columns();
    m.NameColumnWidth = columns[0].Width;
    for (const TColumn& c : columns) m.ReportWidth += c.Width;
  }
  return TskFileListLayout(m);
}

TRect TskSkinFileListView::ItemClientRect(int32_t index) const {
  const TRect r = Layout().ItemRect(index);
  if (r.IsEmpty()) return r;
  return r.Offsetted(-m_offset.X, -m_offset.Y + HeaderHeight());
}

int32_t TskSkinFileListView::ItemAt(TPoint client) const {
  const int32_t header = HeaderHeight();
  if (client.Y < header) return -1;
  return Layout().HitTest({client.X + m_offset.X, client.Y - header + m_offset.Y});
}

TPoint TskSkinFileListView::ClampOffset(TPoint offset) const {
  const TskFileListLayout layout = Layout();
  const TSize content = layout.ContentSize();
  const TSize view = layout.Metrics().View;
  offset.X = std::clamp(offset.X, 0, std::max(0, content.cx - view.cx));
  offset.Y = std::clamp(offset.Y, 0, std::max(0, content.cy - view.cy));
  return offset;
}

void TskSkinFileListView::SetScrollOffset(TPoint offset) {
  offset = ClampOffset(offset);
  if (offset == m_offset) return;
  m_offset = offset;
  UpdateScrollBars();
  Invalidate();
}

void TskSkinFileListView::Relayout() {
  m_offset = ClampOffset(m_offset);
  UpdateScrollBars();
}

void TskSkinFileListView::Resized() {
  TCustomControl::Resized();
  Relayout();
  if (m_current >= 0) SetScrollOffset(Layout().ScrollToShow(m_current, m_offset));
  Invalidate();
}

void TskSkinFileListView::FontChanged() {
  TCustomControl::FontChanged();
  if (!m_items.empty()) RefreshFolder();
}

void TskSkinFileListView::UpdateScrollBars() {
  if (m_links.Updating()) return;
  const TskFileListLayout layout = Layout();
  const TSize content = layout.ContentSize();
  const TSize view = layout.Metrics().View;
  m_links.Update(m_links.Horizontal(), content.cx, view.cx, m_offset.X,
                layout.ScrollsHorizontally() ? layout.CellSize().cx : 16);
  m_links.Update(m_links.Vertical(), content.cy, view.cy, m_offset.Y, layout.CellSize().cy);
}

void TskSkinFileListView::ScrollBarChanged() {
  m_offset = ClampOffset(m_links.Positions(m_offset));
  Invalidate();
}

// --- Input -------------------------------------------------------------------

void TskSkinFileListView::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TskSkinFileListView::WndProc(TMessage& m) {
  if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_RETURN) {
    m.Result = m_current >= 0 ? 1 : 0;
    return;
  }
  TCustomControl::WndProc(m);
}

void TskSkinFileListView::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (CanFocus() && !Focused()) SetFocus();
  if (button == TMouseButton::Left || button == TMouseButton::Right) {
    const int32_t index = ItemAt({x, y});
    if (index >= 0)
      MoveTo(index, shift.Contains(TShiftKey::Shift), shift.Contains(TShiftKey::Ctrl));
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinFileListView::DblClick() {
  const TPoint p = ScreenToClient(GetCursorPos());
  const int32_t index = ItemAt(p);
  TCustomControl::DblClick();
  if (index >= 0) Activate(index);
}

void TskSkinFileListView::KeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TCustomControl::KeyDown(key, shift);
  if (alive.expired() || key == 0) return;
  const TskFileListLayout layout = Layout();
  std::optional<TskListKey> move;
  switch (key) {
    case VK_LEFT: move = TskListKey::Left; break;
    case VK_RIGHT: move = TskListKey::Right; break;
    case VK_UP: move = TskListKey::Up; break;
    case VK_DOWN: move = TskListKey::Down; break;
    case VK_HOME: move = TskListKey::Home; break;
    case VK_END: move = TskListKey::End; break;
    case VK_PRIOR: move = TskListKey::PageUp; break;
    case VK_NEXT: move = TskListKey::PageDown; break;
    case VK_RETURN:
      Activate(m_current);
      key = 0;
      return;
    case VK_BACK:
      GoUp();
      key = 0;
      return;
    case VK_F5:
      RefreshFolder();
      key = 0;
      return;
    default: return;
  }
  key = 0;
  if (m_style == TskViewStyle::vsReport && (*move == TskListKey::Left || *move == TskListKey::Right)) {
    SetScrollOffset({m_offset.X + (*move == TskListKey::Left ? -16 : 16), m_offset.Y});
    return;
  }
  const int32_t next = layout.Navigate(m_current, *move);
  if (next >= 0) MoveTo(next, shift.Contains(TShiftKey::Shift), false);
}

void TskSkinFileListView::KeyPress(char32_t& key) {
  const auto alive = AliveToken();
  TCustomControl::KeyPress(key);
  if (alive.expired() || key == 0) return;
  if (key >= 0x20 && key != 0x7F) {
    TypeAhead(key);
    key = 0;
  }
}

void TskSkinFileListView::TypeAhead(char32_t ch) {
  const int32_t found = m_typeAhead.Type(ch, GetTickCount64(), Count(), m_current,
                                         [this](int32_t i) { return Item(i).DisplayName(); });
  if (found >= 0) SetItemIndex(found);
}

bool TskSkinFileListView::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  const TskFileListLayout layout = Layout();
  const int32_t notches = -delta / 120;
  if (layout.ScrollsHorizontally())
    SetScrollOffset({m_offset.X + notches * layout.CellSize().cx, m_offset.Y});
  else
    SetScrollOffset({m_offset.X, m_offset.Y + notches * 3 * layout.CellSize().cy});
  (void)shift;
  (void)pos;
  return true;
}

// --- Painting ----------------------------------------------------------------

void TskSkinFileListView::DrawHeader(TCanvas& canvas, int32_t width) {
  const int32_t height = HeaderHeight();
  const TskDataSkinButtonControl* data = HeaderData();
  TskControlSkinGeometry geometry;
  if (data) geometry.Read(*data, *SkinData());
  if (geometry.StretchMode == TskStretchMode::NoRect || !geometry.SkinPicture) data = nullptr;
  int32_t x = -m_offset.X;
  std::vector<TColumn> columns = Columns();
  // The last header reaches the right edge.
  int32_t total = 0;
  for (const TColumn& c : columns) total += c.Width;
  if (total - m_offset.X < width) columns.push_back({"", width - (total - m_offset.X), false});
  for (const TColumn& c : columns) {
    const TRect cell = TRect::FromSize(x, 0, c.Width, height);
    if (data) {
      TBitmap look;
      geometry.DrawRect(data->SkinRect, cell.Width(), cell.Height(), look);
      canvas.Draw(cell.Left, cell.Top, look);
      ui::TFont& f = canvas.Font();
      f.Assign(Font());
      f.SetColor(data->FontColor);
    } else {
      canvas.Brush() = TBrush{clBtnFace, TBrushStyle::Solid};
      canvas.FillRect(cell);
      if (TDeviceContext* dc = canvas.Handle()) {
        TRect edge = cell;
        dc->DrawEdge(edge, TEdgeStyle::Raised);
      }
      canvas.Font().Assign(Font());
      canvas.Font().SetColor(clBtnText);
    }
    TRect text{cell.Left + 6, cell.Top, cell.Right - 6, cell.Bottom};
    canvas.Brush().Style = TBrushStyle::Clear;
    canvas.DrawText(c.Title, text,
                    TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::NoPrefix | TTextFormat::EndEllipsis |
                        (c.RightAligned ? TTextFormat::Right : TTextFormat::Left));
    x += c.Width;
  }
}

void TskSkinFileListView::DrawItem(TCanvas& canvas, const TskFileListLayout& layout, int32_t index, TPoint origin) {
  const TskShellFolder& item = Item(index);
  const bool selected = Selected(index);
  const bool focused = Focused();
  const TRect icon = layout.IconRect(index).Offsetted(origin.X, origin.Y);
  TImageList& images = m_style == TskViewStyle::vsIcon ? *m_large : *m_small;
  images.Draw(canvas, icon.Left, icon.Top, static_cast<int32_t>(item.Icon()));

  TRect text = layout.TextRect(index).Offsetted(origin.X, origin.Y);
  const TTextFormat base = TTextFormat::NoPrefix | TTextFormat::EndEllipsis;
  TTextFormat format = m_style == TskViewStyle::vsIcon ? base | TTextFormat::Center | TTextFormat::WordBreak
                                                       : base | TTextFormat::SingleLine | TTextFormat::VCenter;
  // The selection covers the caption's ink, not the whole cell.
  TRect mark = text;
  if (m_style == TskViewStyle::vsIcon) {
    TRect measure{0, 0, text.Width() - 4, 0};
    canvas.DrawText(item.DisplayName(), measure, format | TTextFormat::CalcRect);
    const int32_t w = std::min(text.Width(), measure.Width() + 4);
    mark = TRect::FromSize(text.Left + (text.Width() - w) / 2, text.Top, w, std::min(text.Height(), measure.Height() + 2));
  } else {
    const int32_t w = std::min(text.Width(), m_textWidths[static_cast<size_t>(index)] + 4);
    mark = TRect::FromSize(text.Left - 2, text.Top + 1, w, text.Height() - 2);
  }
  PaintSelectionMark(canvas, mark, selected, focused);
  TRect textArea = m_style == TskViewStyle::vsIcon ? TRect{mark.Left + 2, mark.Top + 1, mark.Right - 2, mark.Bottom}
                                                   : TRect{mark.Left + 2, text.Top, text.Right, text.Bottom};
  canvas.DrawText(item.DisplayName(), textArea, format);
  if (index == m_current && focused)
    if (TDeviceContext* dc = canvas.Handle()) dc->DrawFocusRect(mark);

  if (m_style == TskViewStyle::vsReport) {
    const std::vector<TColumn> columns = Columns();
    int32_t x = origin.X + layout.ItemRect(index).Left + columns[0].Width;
    const int32_t top = origin.Y + layout.ItemRect(index).Top;
    canvas.Font().SetColor(clWindowText);
    for (size_t c = 1; c < columns.size(); ++c) {
      TRect cell{x + 6, top, x + columns[c].Width - 6, top + layout.CellSize().cy};
      canvas.DrawText(CellText(index, c), cell,
                      TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::NoPrefix |
                          TTextFormat::EndEllipsis | (columns[c].RightAligned ? TTextFormat::Right : TTextFormat::Left));
      x += columns[c].Width;
    }
  }
}

void TskSkinFileListView::Paint() {
  PaintOffScreen(*this, [this](TCanvas& c, const TRect& client) {
    const TskFileListLayout layout = Layout();
    const int32_t header = HeaderHeight();
    const TRect view{m_offset.X, m_offset.Y, m_offset.X + client.Width(), m_offset.Y + client.Height() - header};
    const auto [first, last] = layout.VisibleRange(view);
    const TPoint origin{-m_offset.X, header - m_offset.Y};
    for (int32_t i = first; i <= last; ++i) {
      c.Font().Assign(Font());
      DrawItem(c, layout, i, origin);
    }
    if (header > 0) DrawHeader(c, client.Width());
  });
}

// --- Window tree --------------------------------------------------------------

void TskSkinFileListView::DescribeState(TStateDescription& state) {
  TCustomControl::DescribeState(state);
  static const char* const kStyles[] = {"icon", "smallIcon", "list", "report"};
  state.Set("folder", m_folder.HasPath() ? DisplayFileName(m_folder.Path()) : m_folder.DisplayName());
  state.Set("viewStyle", kStyles[static_cast<int>(m_style)]);
  state.Set("count", Count());
  state.Set("itemIndex", m_current);
  state.Set("mask", m_mask);
  if (m_style == TskViewStyle::vsReport) state.Set("columns", TJsonValue::Strings(ColumnTitles()));
  const TRect client = ClientRect();
  const int32_t header = HeaderHeight();
  const TskFileListLayout layout = Layout();
  const auto [first, last] = layout.VisibleRange(
      {m_offset.X, m_offset.Y, m_offset.X + client.Width(), m_offset.Y + client.Height() - header});
  const TRect area{0, header, client.Width(), client.Height()};
  for (int32_t i = first; i <= last; ++i) {
    TRect r = ItemClientRect(i).Intersected(area);
    const TRect screen = r.IsEmpty() ? TRect{} : r.Offsetted(ClientOrigin());
    TStateItem item{Item(i).DisplayName(), screen, true};
    item.Fields.Set("selected", Selected(i));
    item.Fields.Set("folder", Item(i).IsFolder());
    state.AddItem(std::move(item));
  }
}

}  // namespace tsm
