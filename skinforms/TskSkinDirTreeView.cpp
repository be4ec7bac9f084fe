#include "skinforms/TskSkinDirTreeView.h"

#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/controls/StateDescription.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/ViewPainting.h"

namespace tsm {

namespace {

constexpr int32_t kExpander = 16;  // the expander's column
constexpr int32_t kIcon = 16;
constexpr int32_t kGap = 4;

}  // namespace

TskSkinDirTreeView::TskSkinDirTreeView(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 200, 200);
  m_images = new TImageList(this);
  FillShellImageList(*m_images);
  const int32_t root = AddNode(TskShellFolder::Desktop(), -1);
  m_nodes[static_cast<size_t>(root)].HasChildren = true;
  Expand(root, true);
}

void TskSkinDirTreeView::BeforeDestruction() {
  m_links.SetScrollBars(*this, nullptr, nullptr, {});
  TCustomControl::BeforeDestruction();
}

void TskSkinDirTreeView::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::Remove) m_links.Removed(component);
}

void TskSkinDirTreeView::SetSkinData(TskSkinData* skin) { m_links.SetSkinData(*this, skin); }

void TskSkinDirTreeView::ApplySkinChange() {
  UpdateScrollBars();
  Invalidate();
}

void TskSkinDirTreeView::SetScrollBars(TskSkinScrollBar* horizontal, TskSkinScrollBar* vertical) {
  m_links.SetScrollBars(*this, horizontal, vertical, [this] {
    const TPoint p = m_links.Positions({m_left, m_top});
    SetTop(p.Y, p.X);
  });
  UpdateScrollBars();
}

// --- Nodes -------------------------------------------------------------------

int32_t TskSkinDirTreeView::AddNode(const TskShellFolder& item, int32_t parent) {
  const int32_t level = parent < 0 ? 0 : m_nodes[static_cast<size_t>(parent)].Level + 1;
  TNode node{item, parent, level, {}, false, false, item.HasSubFolders()};
  m_nodes.push_back(std::move(node));
  return static_cast<int32_t>(m_nodes.size()) - 1;
}

void TskSkinDirTreeView::ReadChildren(int32_t index) {
  if (m_nodes[static_cast<size_t>(index)].Read) return;
  const TCursor oldCursor = Screen().Cursor();
  Screen().SetCursor(crHourGlass);
  const std::vector<TskShellFolder> children = m_nodes[static_cast<size_t>(index)].Item.Children(false);
  Screen().SetCursor(oldCursor);
  std::vector<int32_t> ids;
  for (const TskShellFolder& child : children) ids.push_back(AddNode(child, index));
  TNode& node = m_nodes[static_cast<size_t>(index)];
  node.Children = std::move(ids);
  node.Read = true;
  node.HasChildren = !node.Children.empty();
}

void TskSkinDirTreeView::Expand(int32_t index, bool expanded) {
  if (expanded) ReadChildren(index);
  TNode& node = m_nodes[static_cast<size_t>(index)];
  if (expanded && node.Children.empty()) expanded = false;
  if (node.Expanded == expanded) return;
  node.Expanded = expanded;
  // Collapsing a node that holds the selection selects the node.
  if (!expanded) {
    for (int32_t n = m_selected; n >= 0; n = m_nodes[static_cast<size_t>(n)].Parent)
      if (n == index && m_selected != index) {
        m_selected = index;
        RebuildRows();
        if (OnChange) OnChange(this);
        return;
      }
  }
  RebuildRows();
}

void TskSkinDirTreeView::RebuildRows() {
  m_rows.clear();
  std::vector<int32_t> stack{0};
  while (!stack.empty()) {
    const int32_t n = stack.back();
    stack.pop_back();
    m_rows.push_back(n);
    const TNode& node = m_nodes[static_cast<size_t>(n)];
    if (node.Expanded)
      for (auto it = node.Children.rbegin(); it != node.Children.rend(); ++it) stack.push_back(*it);
  }
  SetTop(m_top, m_left);
  UpdateScrollBars();
  Invalidate();
}

const TskShellFolder& TskSkinDirTreeView::Selected() const { return m_nodes[static_cast<size_t>(m_selected)].Item; }

void TskSkinDirTreeView::SelectNode(int32_t node) {
  // Every ancestor is expanded, so the node is shown.
  for (int32_t n = m_nodes[static_cast<size_t>(node)].Parent; n >= 0; n = m_nodes[static_cast<size_t>(n)].Parent)
    if (!m_nodes[static_cast<size_t>(n)].Expanded) Expand(n, true);
  const bool changed = node != m_selected;
  m_selected = node;
  ScrollToRow(RowOfNode(node));
  Invalidate();
  if (changed && OnChange) OnChange(this);
}

void TskSkinDirTreeView::SetSelectedPath(const std::string& path) {
  const std::vector<TskShellFolder> chain = TskShellFolder::ChainTo(path);
  if (chain.empty()) throw Exception("Error setting path: \"" + path + "\"");
  int32_t node = 0;
  for (size_t i = 1; i < chain.size(); ++i) {
    ReadChildren(node);
    int32_t found = -1;
    for (int32_t child : m_nodes[static_cast<size_t>(node)].Children)
      if (m_nodes[static_cast<size_t>(child)].Item.SameAs(chain[i])) found = child;
    if (found < 0) {  // created since the node was read
      found = AddNode(chain[i], node);
      m_nodes[static_cast<size_t>(node)].Children.push_back(found);
      m_nodes[static_cast<size_t>(node)].HasChildren = true;
    }
    Expand(node, true);
    node = found;
  }
  SelectNode(node);
}

void TskSkinDirTreeView::SelectComputer() {
  ReadChildren(0);
  for (int32_t child : m_nodes[0].Children)
    if (m_nodes[static_cast<size_t>(child)].Item.Kind() == TskShellItemKind::Computer) {
      Expand(child, true);
      SelectNode(child);
      return;
    }
}

void TskSkinDirTreeView::RefreshSelected() {
  TNode& node = m_nodes[static_cast<size_t>(m_selected)];
  // The old children stay in the node table, unreachable.
  node.Children.clear();
  node.Read = false;
  node.Expanded = false;
  Expand(m_selected, true);
  if (!m_nodes[static_cast<size_t>(m_selected)].Expanded) RebuildRows();
}

// --- Rows --------------------------------------------------------------------

const TskShellFolder& TskSkinDirTreeView::RowItem(int32_t row) const {
  return m_nodes[static_cast<size_t>(m_rows.at(static_cast<size_t>(row)))].Item;
}

int32_t TskSkinDirTreeView::RowLevel(int32_t row) const {
  return m_nodes[static_cast<size_t>(m_rows.at(static_cast<size_t>(row)))].Level;
}

bool TskSkinDirTreeView::RowExpanded(int32_t row) const {
  return m_nodes[static_cast<size_t>(m_rows.at(static_cast<size_t>(row)))].Expanded;
}

bool TskSkinDirTreeView::RowHasExpander(int32_t row) const {
  return m_nodes[static_cast<size_t>(m_rows.at(static_cast<size_t>(row)))].HasChildren;
}

int32_t TskSkinDirTreeView::RowOfNode(int32_t node) const {
  const auto it = std::find(m_rows.begin(), m_rows.end(), node);
  return it == m_rows.end() ? -1 : static_cast<int32_t>(it - m_rows.begin());
}

int32_t TskSkinDirTreeView::SelectedRow() const { return RowOfNode(m_selected); }

void TskSkinDirTreeView::SelectRow(int32_t row) {
  if (row < 0 || row >= RowCount()) return;
  SelectNode(m_rows[static_cast<size_t>(row)]);
}

void TskSkinDirTreeView::SetRowExpanded(int32_t row, bool expanded) {
  if (row < 0 || row >= RowCount()) return;
  Expand(m_rows[static_cast<size_t>(row)], expanded);
}

int32_t TskSkinDirTreeView::RowHeight() const {
  auto& canvas = const_cast<TskSkinDirTreeView*>(this)->Canvas();
  canvas.Font().Assign(Font());
  return std::max(kIcon, canvas.TextHeight("Xg视")) + 2;
}

int32_t TskSkinDirTreeView::VisibleRows() const { return std::max(1, ClientHeight() / RowHeight()); }

TRect TskSkinDirTreeView::RowRect(int32_t row) const {
  const int32_t h = RowHeight();
  return TRect::FromSize(0, (row - m_top) * h, ClientWidth(), h);
}

int32_t TskSkinDirTreeView::TextLeft(int32_t row) const {
  return 2 + RowLevel(row) * kIndent + kExpander + kIcon + kGap - m_left;
}

int32_t TskSkinDirTreeView::ContentWidth() {
  Canvas().Font().Assign(Font());
  int32_t widest = 0;
  for (int32_t r = 0; r < RowCount(); ++r)
    widest = std::max(widest, 2 + RowLevel(r) * kIndent + kExpander + kIcon + kGap +
                                  Canvas().TextWidth(RowItem(r).DisplayName()) + 6);
  return widest;
}

void TskSkinDirTreeView::SetTop(int32_t top, int32_t left) {
  top = std::clamp(top, 0, std::max(0, RowCount() - VisibleRows()));
  left = std::clamp(left, 0, std::max(0, ContentWidth() - ClientWidth()));
  if (top == m_top && left == m_left) return;
  m_top = top;
  m_left = left;
  UpdateScrollBars();
  Invalidate();
}

void TskSkinDirTreeView::ScrollToRow(int32_t row) {
  if (row < 0) return;
  if (row < m_top) SetTop(row, m_left);
  else if (row >= m_top + VisibleRows()) SetTop(row - VisibleRows() + 1, m_left);
}

void TskSkinDirTreeView::UpdateScrollBars() {
  if (m_links.Updating()) return;
  m_links.Update(m_links.Vertical(), RowCount(), VisibleRows(), m_top, 1);
  m_links.Update(m_links.Horizontal(), ContentWidth(), ClientWidth(), m_left, kIndent);
}

void TskSkinDirTreeView::Resized() {
  TCustomControl::Resized();
  SetTop(m_top, m_left);
  UpdateScrollBars();
}

// --- Input -------------------------------------------------------------------

void TskSkinDirTreeView::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TskSkinDirTreeView::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (CanFocus() && !Focused()) SetFocus();
  const int32_t row = m_top + y / RowHeight();
  if (button == TMouseButton::Left && row >= 0 && row < RowCount()) {
    const int32_t expander = 2 + RowLevel(row) * kIndent - m_left;
    if (x >= expander && x < expander + kExpander && RowHasExpander(row))
      SetRowExpanded(row, !RowExpanded(row));
    else if (x >= expander)
      SelectRow(row);
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinDirTreeView::DblClick() {
  const TPoint p = ScreenToClient(GetCursorPos());
  const int32_t row = m_top + p.Y / RowHeight();
  TCustomControl::DblClick();
  if (row >= 0 && row < RowCount() && row == SelectedRow()) SetRowExpanded(row, !RowExpanded(row));
}

void TskSkinDirTreeView::KeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TCustomControl::KeyDown(key, shift);
  if (alive.expired() || key == 0) return;
  const int32_t row = SelectedRow();
  const TNode& node = m_nodes[static_cast<size_t>(m_selected)];
  switch (key) {
    case VK_UP: SelectRow(std::max(0, row - 1)); break;
    case VK_DOWN: SelectRow(std::min(RowCount() - 1, row + 1)); break;
    case VK_HOME: SelectRow(0); break;
    case VK_END: SelectRow(RowCount() - 1); break;
    case VK_PRIOR: SelectRow(std::max(0, row - VisibleRows() + 1)); break;
    case VK_NEXT: SelectRow(std::min(RowCount() - 1, row + VisibleRows() - 1)); break;
    case VK_RIGHT:
      if (!node.Expanded && node.HasChildren) Expand(m_selected, true);
      else if (node.Expanded && !node.Children.empty()) SelectNode(node.Children.front());
      break;
    case VK_LEFT:
      if (node.Expanded) Expand(m_selected, false);
      else if (node.Parent >= 0) SelectNode(node.Parent);
      break;
    case VK_ADD: Expand(m_selected, true); break;
    case VK_SUBTRACT: Expand(m_selected, false); break;
    default: return;
  }
  key = 0;
}

void TskSkinDirTreeView::KeyPress(char32_t& key) {
  const auto alive = AliveToken();
  TCustomControl::KeyPress(key);
  if (alive.expired() || key == 0) return;
  if (key == '+' || key == '-') {
    Expand(m_selected, key == '+');
    key = 0;
    return;
  }
  if (key < 0x20 || key == 0x7F) return;
  const int32_t found = m_typeAhead.Type(key, GetTickCount64(), RowCount(), SelectedRow(),
                                         [this](int32_t r) { return RowItem(r).DisplayName(); });
  if (found >= 0) SelectRow(found);
  key = 0;
}

bool TskSkinDirTreeView::DoMouseWheel(TShiftState, int32_t delta, TPoint) {
  SetTop(m_top - delta / 120 * 3, m_left);
  return true;
}

// --- Painting ----------------------------------------------------------------

void TskSkinDirTreeView::Paint() {
  PaintOffScreen(*this, [this](TCanvas& c, const TRect& client) {
    const int32_t h = RowHeight();
    const bool focused = Focused();
    for (int32_t row = m_top; row < RowCount() && (row - m_top) * h < client.Height(); ++row) {
      const TRect r = RowRect(row);
      const int32_t x = 2 + RowLevel(row) * kIndent - m_left;
      if (RowHasExpander(row)) {
        // A 9 x 9 box with a minus, and a plus stroke while collapsed.
        const TRect box = TRect::FromSize(x + 3, r.Top + (h - 9) / 2, 9, 9);
        c.Brush() = TBrush{clWindow, TBrushStyle::Solid};
        c.FillRect(box);
        c.Brush() = TBrush{clBtnShadow, TBrushStyle::Solid};
        c.FrameRect(box);
        c.Brush() = TBrush{clWindowText, TBrushStyle::Solid};
        c.FillRect(TRect::FromSize(box.Left + 2, box.Top + 4, 5, 1));
        if (!RowExpanded(row)) c.FillRect(TRect::FromSize(box.Left + 4, box.Top + 2, 1, 5));
      }
      const bool selected = m_rows[static_cast<size_t>(row)] == m_selected;
      const TskShellFolder& item = RowItem(row);
      m_images->Draw(c, x + kExpander, r.Top + (h - kIcon) / 2,
                     static_cast<int32_t>(selected ? item.OpenIcon() : item.Icon()));
      const int32_t textLeft = TextLeft(row);
      const TRect mark = TRect::FromSize(textLeft - 2, r.Top + 1, c.TextWidth(item.DisplayName()) + 4, h - 2);
      PaintSelectionMark(c, mark, selected, focused);
      TRect text{textLeft, r.Top, client.Width() + 10000, r.Bottom};
      c.DrawText(item.DisplayName(), text, TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::NoPrefix);
      if (selected && focused)
        if (TDeviceContext* dc = c.Handle()) dc->DrawFocusRect(mark);
    }
  });
}

void TskSkinDirTreeView::DescribeState(TStateDescription& state) {
  TCustomControl::DescribeState(state);
  state.Set("selected", Selected().HasPath() ? DisplayFileName(Selected().Path()) : Selected().DisplayName());
  state.Set("selectedRow", SelectedRow());
  state.Set("topRow", m_top);
  const int32_t h = RowHeight();
  for (int32_t row = m_top; row < RowCount() && (row - m_top) * h < ClientHeight(); ++row) {
    const TRect r = RowRect(row);
    const int32_t left = std::max(0, TextLeft(row) - 2);
    const TRect shown = TRect{left, r.Top, r.Right, std::min(r.Bottom, ClientHeight())};
    const TRect screen = shown.IsEmpty() ? TRect{} : shown.Offsetted(ClientOrigin());
    TStateItem item{RowItem(row).DisplayName(), screen, true};
    item.Fields.Set("selected", m_rows[static_cast<size_t>(row)] == m_selected);
    item.Fields.Set("expanded", RowExpanded(row));
    item.Fields.Set("level", RowLevel(row));
    state.AddItem(std::move(item));
  }
}

}  // namespace tsm
