#include "skincontrols/TskSkinCustomGrid.h"

#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/controls/ScrollRequest.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinPlatform.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinScrollBar.h"

namespace tsm {

namespace {

constexpr int kCols = 0;
constexpr int kRows = 1;

// The visible cells of an axis in screen order: the fixed ones, then the
// scrolled ones from the first scrolled cell while they start inside the
// client. Hidden cells are left out.
struct TSpan {
  int32_t Index, Start, Extent;
};

std::vector<TSpan> VisibleSpans(const TskGridAxis& a) {
  std::vector<TSpan> out;
  int32_t pos = 0;
  for (int32_t i = 0; i < std::min(a.FixedCount, a.Count); ++i) {
    if (a.Extent(i) > 0) out.push_back({i, pos, a.Extent(i)});
    pos += a.Step(i);
  }
  for (int32_t i = a.FirstScrolled; i < a.Count && pos < a.ClientExtent; ++i) {
    if (a.Extent(i) <= 0) continue;
    out.push_back({i, pos, a.Extent(i)});
    pos += a.Step(i);
  }
  return out;
}

bool Intersects(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

TskSkinCustomGrid::TskSkinCustomGrid(TComponent* owner) : TskSkinControl(owner) {
  m_axis[kCols] = {5, 1, 64, {}};
  m_axis[kRows] = {5, 1, 20, {}};
  ResetExtents(kCols);
  ResetExtents(kRows);
  m_tabStops.assign(5, true);
  m_options = {TskGridOption::goFixedVertLine, TskGridOption::goFixedHorzLine, TskGridOption::goVertLine,
               TskGridOption::goHorzLine, TskGridOption::goRangeSelect};
  m_fixedColor = clBtnFace;
  m_gridLineColor = clWindowText;
  SetSkinDataName("grid");
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  SetBounds(0, 0, 5 * 64, 5 * 20);
}

// --- cells ---------------------------------------------------------------------

void TskSkinCustomGrid::ResetExtents(int axis) {
  TAxisData& a = m_axis[axis];
  a.Extents.assign(static_cast<size_t>(a.Count), a.Default);
}

void TskSkinCustomGrid::ResizeExtents(int axis, int32_t count) {
  TAxisData& a = m_axis[axis];
  a.Count = std::max(1, count);
  a.Extents.resize(static_cast<size_t>(a.Count), a.Default);
  if (a.Fixed >= a.Count) a.Fixed = a.Count - 1;
}

void TskSkinCustomGrid::SetColCount(int32_t count) {
  if (count == ColCount()) return;
  ResizeExtents(kCols, count);
  m_tabStops.resize(static_cast<size_t>(ColCount()), true);
  m_current.X = std::clamp(m_current.X, FixedCols(), ColCount() - 1);
  m_anchor.X = std::clamp(m_anchor.X, FixedCols(), ColCount() - 1);
  m_leftCol = std::clamp(m_leftCol, FixedCols(), std::max(FixedCols(), ColCount() - 1));
  if (m_options.Contains(TskGridOption::goRowSelect)) m_anchor.X = ColCount() - 1;
  UpdateScrollRange(false);
  Invalidate();
}

void TskSkinCustomGrid::SetRowCount(int32_t count) {
  if (count == RowCount()) return;
  ResizeExtents(kRows, count);
  m_current.Y = std::clamp(m_current.Y, FixedRows(), RowCount() - 1);
  m_anchor.Y = std::clamp(m_anchor.Y, FixedRows(), RowCount() - 1);
  m_topRow = std::clamp(m_topRow, FixedRows(), std::max(FixedRows(), RowCount() - 1));
  Invalidate();
}

void TskSkinCustomGrid::SetFixedCols(int32_t count) {
  count = std::clamp(count, 0, ColCount() - 1);
  if (count == FixedCols()) return;
  m_axis[kCols].Fixed = count;
  m_leftCol = std::max(m_leftCol, count);
  m_current.X = std::max(m_current.X, count);
  m_anchor.X = std::max(m_anchor.X, count);
  if (m_options.Contains(TskGridOption::goRowSelect)) m_current.X = count;
  UpdateScrollRange(false);
  Invalidate();
}

void TskSkinCustomGrid::SetFixedRows(int32_t count) {
  count = std::clamp(count, 0, RowCount() - 1);
  if (count == FixedRows()) return;
  m_axis[kRows].Fixed = count;
  m_topRow = std::max(m_topRow, count);
  m_current.Y = std::max(m_current.Y, count);
  m_anchor.Y = std::max(m_anchor.Y, count);
  Invalidate();
}

void TskSkinCustomGrid::SetDefaultColWidth(int32_t width) {
  if (width == DefaultColWidth()) return;
  m_axis[kCols].Default = width;
  ResetExtents(kCols);
  UpdateScrollRange(false);
  Invalidate();
}

void TskSkinCustomGrid::SetDefaultRowHeight(int32_t height) {
  if (height == DefaultRowHeight()) return;
  m_axis[kRows].Default = height;
  ResetExtents(kRows);
  Invalidate();
}

int32_t TskSkinCustomGrid::ColWidths(int32_t col) const {
  const auto& e = m_axis[kCols].Extents;
  return col >= 0 && col < static_cast<int32_t>(e.size()) ? e[static_cast<size_t>(col)] : DefaultColWidth();
}

void TskSkinCustomGrid::SetColWidths(int32_t col, int32_t width) {
  auto& e = m_axis[kCols].Extents;
  if (col < 0 || col >= static_cast<int32_t>(e.size()) || e[static_cast<size_t>(col)] == width) return;
  e[static_cast<size_t>(col)] = width;
  UpdateScrollRange(false);
  Invalidate();
}

int32_t TskSkinCustomGrid::RowHeights(int32_t row) const {
  const auto& e = m_axis[kRows].Extents;
  return row >= 0 && row < static_cast<int32_t>(e.size()) ? e[static_cast<size_t>(row)] : DefaultRowHeight();
}

void TskSkinCustomGrid::SetRowHeights(int32_t row, int32_t height) {
  auto& e = m_axis[kRows].Extents;
  if (row < 0 || row >= static_cast<int32_t>(e.size()) || e[static_cast<size_t>(row)] == height) return;
  e[static_cast<size_t>(row)] = height;
  Invalidate();
}

bool TskSkinCustomGrid::TabStops(int32_t col) const {
  return col >= 0 && col < static_cast<int32_t>(m_tabStops.size()) ? m_tabStops[static_cast<size_t>(col)] : true;
}

void TskSkinCustomGrid::SetTabStops(int32_t col, bool on) {
  if (col >= 0 && col < static_cast<int32_t>(m_tabStops.size())) m_tabStops[static_cast<size_t>(col)] = on;
}

void TskSkinCustomGrid::SetGridLineWidth(int32_t width) {
  if (width == m_lineWidth || width < 0) return;
  m_lineWidth = width;
  UpdateScrollRange(false);
  Invalidate();
}

void TskSkinCustomGrid::SetOptions(TskGridOptions options) {
  if (options == m_options) return;
  m_options = options;
  if (m_options.Contains(TskGridOption::goRowSelect)) {
    m_current.X = FixedCols();
    m_anchor.X = ColCount() - 1;
    m_anchor.Y = m_current.Y;
  }
  UpdateScrollRange(false);
  Invalidate();
}

TskGridAxis TskSkinCustomGrid::Axis(int index) {
  const TAxisData& d = m_axis[index];
  TskGridAxis a;
  a.Count = d.Count;
  a.FixedCount = d.Fixed;
  const bool lines = m_options.Contains(index == kCols ? TskGridOption::goVertLine : TskGridOption::goHorzLine);
  a.LineWidth = lines ? m_lineWidth : 0;
  a.FirstScrolled = index == kCols ? m_leftCol : m_topRow;
  a.ClientExtent = index == kCols ? ClientWidth() : ClientHeight();
  a.Extents = d.Extents;
  return a;
}

int32_t TskSkinCustomGrid::VisibleColCount() { return AxisVisibility(Axis(kCols)).FullyVisibleCount; }

int32_t TskSkinCustomGrid::VisibleRowCount() { return AxisVisibility(Axis(kRows)).FullyVisibleCount; }

TRect TskSkinCustomGrid::CellRect(int32_t col, int32_t row) {
  int32_t x = 0, y = 0;
  if (!AxisCellStart(Axis(kCols), col, x) || !AxisCellStart(Axis(kRows), row, y)) return {};
  return TRect::FromSize(x, y, ColWidths(col), RowHeights(row));
}

TskGridCoord TskSkinCustomGrid::MouseCoord(int32_t x, int32_t y) {
  return {AxisCellAt(Axis(kCols), x), AxisCellAt(Axis(kRows), y)};
}

TskGridRect TskSkinCustomGrid::Selection() const {
  return {std::min(m_current.X, m_anchor.X), std::min(m_current.Y, m_anchor.Y), std::max(m_current.X, m_anchor.X),
          std::max(m_current.Y, m_anchor.Y)};
}

// --- current cell and view --------------------------------------------------------

void TskSkinCustomGrid::MoveCurrent(int32_t col, int32_t row, bool moveAnchor, bool show) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) throw EInvalidOperation("Grid index out of range");
  if (!SelectCell(col, row)) return;
  const TskGridRect old = Selection();
  const TskGridCoord oldCurrent = m_current;
  m_current = {col, row};
  if (moveAnchor || !m_options.Contains(TskGridOption::goRangeSelect)) m_anchor = m_current;
  if (m_options.Contains(TskGridOption::goRowSelect)) {
    m_current.X = FixedCols();
    m_anchor.X = ColCount() - 1;
  }
  if (show) {
    // The smallest move that shows the cell fully.
    int32_t left = m_leftCol, top = m_topRow;
    auto firstToShow = [this](int axis, int32_t index, int32_t first) {
      TskGridAxis a = Axis(axis);
      if (index < a.FixedCount) return first;
      if (index < first) return index;
      if (index <= AxisVisibility(a).LastFullyVisible) return first;
      a.Count = index + 1;
      return std::max(first, AxisLargestFirst(a));
    };
    if (!m_options.Contains(TskGridOption::goRowSelect)) left = firstToShow(kCols, col, m_leftCol);
    top = firstToShow(kRows, row, m_topRow);
    MoveTopLeft(left, top);
  }
  if (!(old == Selection())) {
    InvalidateSelection(old);
    InvalidateSelection(Selection());
  }
  InvalidateCell(oldCurrent.X, oldCurrent.Y);
  InvalidateCell(m_current.X, m_current.Y);
}

void TskSkinCustomGrid::MoveTopLeft(int32_t col, int32_t row) {
  const TskGridAxis cols = Axis(kCols);
  const TskGridAxis rows = Axis(kRows);
  col = std::clamp(col, FixedCols(), std::max(FixedCols(), AxisLargestFirst(cols)));
  row = std::clamp(row, FixedRows(), std::max(FixedRows(), AxisLargestFirst(rows)));
  if (col == m_leftCol && row == m_topRow) return;
  // Pixels between the old and the new first cell of each axis.
  auto distance = [](const TskGridAxis& a, int32_t from, int32_t to) {
    int32_t d = 0;
    for (int32_t i = std::min(from, to); i < std::max(from, to); ++i) d += a.Step(i);
    return from < to ? d : -d;
  };
  const int32_t dx = distance(cols, m_leftCol, col);
  const int32_t dy = distance(rows, m_topRow, row);
  const TskAxisVisibility vc = AxisVisibility(cols);
  const TskAxisVisibility vr = AxisVisibility(rows);
  m_leftCol = col;
  m_topRow = row;
  if (HandleAllocated() && Showing()) {
    const int32_t areaW = ClientWidth() - vc.FixedBoundary;
    const int32_t areaH = ClientHeight() - vr.FixedBoundary;
    if ((dx != 0 && dy != 0) || std::abs(dx) >= areaW || std::abs(dy) >= areaH) {
      Invalidate();
    } else if (dx != 0) {
      const TRect area{vc.FixedBoundary, 0, ClientWidth(), ClientHeight()};
      ScrollWindowEx(Handle(), -dx, 0, &area, &area, nullptr, SW_INVALIDATE);
    } else {
      ScrollDataRows(-dy);
    }
  }
  UpdateScrollPos(dy != 0);
  TopLeftChanged();
}

void TskSkinCustomGrid::ScrollDataRows(int32_t dy) {
  if (!HandleAllocated() || dy == 0) return;
  // Only the rows move: below the last row the grid shows its background.
  const TskAxisVisibility rows = AxisVisibility(Axis(kRows));
  const TRect area{0, rows.FixedBoundary, ClientWidth(), std::min(ClientHeight(), rows.GridEnd)};
  if (std::abs(dy) >= area.Height()) {
    Invalidate();
    return;
  }
  ScrollWindowEx(Handle(), 0, dy, &area, &area, nullptr, SW_INVALIDATE);
}

// --- invalidation ---------------------------------------------------------------

void TskSkinCustomGrid::InvalidateCell(int32_t col, int32_t row) {
  const TRect r = CellRect(col, row);
  if (!RectIsEmpty(r)) InvalidateRect(TRect{r.Left, r.Top, r.Right + m_lineWidth, r.Bottom + m_lineWidth});
}

void TskSkinCustomGrid::InvalidateRow(int32_t row) {
  int32_t y = 0;
  if (!AxisCellStart(Axis(kRows), row, y)) return;
  InvalidateRect(TRect{0, y, ClientWidth(), y + RowHeights(row) + m_lineWidth});
}

void TskSkinCustomGrid::InvalidateCol(int32_t col) {
  int32_t x = 0;
  if (!AxisCellStart(Axis(kCols), col, x)) return;
  InvalidateRect(TRect{x, 0, x + ColWidths(col) + m_lineWidth, ClientHeight()});
}

void TskSkinCustomGrid::InvalidateSelection(const TskGridRect& s) {
  if (m_options.Contains(TskGridOption::goRowSelect)) {
    for (int32_t r = s.Top; r <= s.Bottom; ++r) InvalidateRow(r);
    return;
  }
  for (int32_t r = s.Top; r <= s.Bottom; ++r)
    for (int32_t c = s.Left; c <= s.Right; ++c) InvalidateCell(c, r);
}

// --- looks ------------------------------------------------------------------------

void TskSkinCustomGrid::SetFixedColor(TColor color) {
  m_fixedColor = color;
  Invalidate();
}

void TskSkinCustomGrid::SetGridLineColor(TColor color) {
  m_gridLineColor = color;
  ReadSkinData();
  if (!Skinned()) Invalidate();
}

void TskSkinCustomGrid::SetDefaultCellHeight(int32_t height) {
  m_defaultCellHeight = height;
  ReadSkinData();
  if (!Skinned()) SetDefaultRowHeight(height);
}

void TskSkinCustomGrid::SetBorderStyle(TBorderStyle style) {
  if (style == m_borderStyle) return;
  m_borderStyle = style;
  if (HandleAllocated()) RecreateWnd();
}

void TskSkinCustomGrid::CreateParams(TCreateParams& params) {
  TskSkinControl::CreateParams(params);
  if (m_borderStyle == TBorderStyle::bsSingle) params.Style |= WS_BORDER;
}

bool TskSkinCustomGrid::GridFocused() const {
  if (const TCustomForm* form = GetParentForm(this)) return form->ActiveControl() == this;
  return Focused();
}

void TskSkinCustomGrid::ReadSkinData() {
  TskSkinControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinGridControl>();
  // An empty fixed-cell look makes the grid unskinned.
  const TBitmap* picture = data && SkinData() ? SkinData()->ActivePicture(data->PictureIndex) : nullptr;
  if (!data || RectIsEmpty(data->FixedCellRect) || !picture) {
    Unskin();
    m_picture = nullptr;
    return;
  }
  m_skinData = *data;
  if (RectIsEmpty(m_skinData.SelectCellRect)) m_skinData.SelectCellRect = m_skinData.FocusCellRect;
  if (RectIsEmpty(m_skinData.FocusCellRect)) m_skinData.FocusCellRect = m_skinData.SelectCellRect;
  m_picture = picture;
  m_looks.Fixed = m_skinData.FixedCellRect;
  m_looks.Select = m_skinData.SelectCellRect;
  m_looks.Focus = m_skinData.FocusCellRect;
  m_looks.FixedLeft = m_skinData.FixedCellLeftOffset;
  m_looks.FixedRight = m_skinData.FixedCellRightOffset;
  m_looks.CellLeft = m_skinData.CellLeftOffset;
  m_looks.CellRight = m_skinData.CellRightOffset;
  m_looks.FixedText = m_skinData.FixedCellTextRect;
  m_looks.CellText = m_skinData.CellTextRect;
}

void TskSkinCustomGrid::ApplySkinChange() {
  ReadSkinData();
  if (!Skinned()) {
    SetDefaultRowHeight(m_defaultCellHeight);
    Invalidate();
  } else if (m_useSkinCellHeight && DefaultRowHeight() != m_skinData.SelectCellRect.Height()) {
    SetDefaultRowHeight(m_skinData.SelectCellRect.Height());
  } else {
    Invalidate();
  }
  UpdateScrollRange(false);
  for (TskSkinScrollBar* bar : m_bars)
    if (bar && bar->Parent()) bar->Parent()->Realign();
}

void TskSkinCustomGrid::SetVisible(bool visible) {
  TskSkinControl::SetVisible(visible);
  for (TskSkinScrollBar* bar : m_bars)
    if (bar) bar->SetVisible(visible);
}

void TskSkinCustomGrid::Resized() {
  TskSkinControl::Resized();
  Invalidate();
  if (!m_updatingBars) UpdateScrollRange(false);
}

// --- scroll bars ------------------------------------------------------------------

void TskSkinCustomGrid::SendScroll(bool vertical, uint32_t code, int32_t position) {
  if (HandleAllocated())
    SendMessage(Handle(), vertical ? WM_VSCROLL : WM_HSCROLL, ScrollCodeWParam(code), ScrollPositionLParam(position));
}

void TskSkinCustomGrid::TakeOverBar(TskSkinScrollBar* bar, bool vertical) {
  bar->FreeNotification(this);
  bar->SetEnabled(true);
  bar->SetVisible(false);
  bar->OnChange = [this, bar, vertical](TObject*) {
    if (m_options.Contains(TskGridOption::goThumbTracking)) SendScroll(vertical, SB_THUMBTRACK, bar->Position());
  };
  bar->OnLastChange = [this, bar, vertical](TObject*) {
    if (!m_options.Contains(TskGridOption::goThumbTracking)) SendScroll(vertical, SB_THUMBPOSITION, bar->Position());
  };
  bar->OnUpButtonClick = [this, bar, vertical](TObject*) {
    if (vertical) {
      SendScroll(true, SB_LINEDOWN, 0);
    } else {
      bar->SetPosition(bar->Position() + bar->SmallChange());
      SendScroll(false, SB_THUMBPOSITION, bar->Position());
    }
  };
  bar->OnDownButtonClick = [this, bar, vertical](TObject*) {
    if (vertical) {
      SendScroll(true, SB_LINEUP, 0);
    } else {
      bar->SetPosition(bar->Position() - bar->SmallChange());
      SendScroll(false, SB_THUMBPOSITION, bar->Position());
    }
  };
  bar->OnPageUp = [this, vertical](TObject*) { SendScroll(vertical, SB_PAGEUP, 0); };
  bar->OnPageDown = [this, vertical](TObject*) { SendScroll(vertical, SB_PAGEDOWN, 0); };
}

void TskSkinCustomGrid::ReleaseBar(TskSkinScrollBar* bar) {
  bar->OnChange = nullptr;
  bar->OnLastChange = nullptr;
  bar->OnUpButtonClick = nullptr;
  bar->OnDownButtonClick = nullptr;
  bar->OnPageUp = nullptr;
  bar->OnPageDown = nullptr;
  bar->RemoveFreeNotification(this);
}

void TskSkinCustomGrid::SetHScrollBar(TskSkinScrollBar* bar) {
  if (bar == m_bars[0]) return;
  if (m_bars[0]) ReleaseBar(m_bars[0]);
  m_bars[0] = bar;
  if (bar) {
    TakeOverBar(bar, false);
    UpdateScrollRange(false);
  }
}

void TskSkinCustomGrid::SetVScrollBar(TskSkinScrollBar* bar) {
  if (bar == m_bars[1]) return;
  if (m_bars[1]) ReleaseBar(m_bars[1]);
  m_bars[1] = bar;
  if (bar) {
    TakeOverBar(bar, true);
    UpdateScrollRange(true);
  }
}

void TskSkinCustomGrid::Notification(TComponent* component, TOperation operation) {
  TskSkinControl::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  for (TskSkinScrollBar*& bar : m_bars)
    if (component == bar) bar = nullptr;
}

void TskSkinCustomGrid::ApplyBarVisibility(TskSkinScrollBar* bar, bool visible, bool& changed) {
  if (!bar || bar->Visible() == visible) return;
  bar->SetVisible(visible);
  changed = true;
}

void TskSkinCustomGrid::SyncBothCorner() {
  if (m_bars[0] && m_bars[1]) m_bars[0]->SetBoth(m_bars[1]->Visible());
}

void TskSkinCustomGrid::UpdateScrollRange(bool vertical) {
  // Also while a parent hides the grid (a page not shown yet): the bars must
  // be right when it shows.
  if (!HandleAllocated() || m_updatingBars) return;
  bool show[2] = {false, false};
  for (int axis : {kCols, kRows}) {
    if (axis == kRows && !vertical) continue;
    TskSkinScrollBar* bar = m_bars[axis];
    const TskGridAxis a = Axis(axis);
    const int32_t largest = AxisLargestFirst(a);
    if (bar) {
      if (largest > a.FixedCount) {
        bar->SetParams(0, kGridScrollMax, 0, bar->Position());
        const int32_t step = GridScrollStep(a.Count, AxisVisibility(a).FullyVisibleCount, a.FixedCount);
        bar->SetSmallChange(step);
        bar->SetLargeChange(step);
        show[axis] = true;
      } else {
        bar->SetParams(0, 0, 0, 0);
      }
    }
    const int32_t first = axis == kCols ? m_leftCol : m_topRow;
    if (largest < first) axis == kCols ? MoveTopLeft(largest, m_topRow) : MoveTopLeft(m_leftCol, largest);
  }
  UpdateScrollPos(vertical);
  bool changed = false;
  m_updatingBars = true;
  ApplyBarVisibility(m_bars[0], show[0], changed);
  if (vertical) ApplyBarVisibility(m_bars[1], show[1], changed);
  SyncBothCorner();
  m_updatingBars = false;
  if (changed && Align() != TAlign::alNone && Parent()) {
    Parent()->Realign();
    Invalidate();
  }
}

void TskSkinCustomGrid::UpdateScrollPos(bool vertical) {
  if (TskSkinScrollBar* h = m_bars[0])
    h->SetPositionSilent(GridScrollPosition(m_leftCol, FixedCols(), AxisLargestFirst(Axis(kCols))));
  if (TskSkinScrollBar* v = m_bars[1]; v && vertical)
    v->SetPositionSilent(GridScrollPosition(m_topRow, FixedRows(), AxisLargestFirst(Axis(kRows))));
}

void TskSkinCustomGrid::WMHScroll(TMessage& m) {
  const TScrollRequest r = ScrollRequestOf(m.WParam, m.LParam);
  const auto alive = AliveToken();
  if (!IsDesigning() && TabStop()) FocusForPress();  // a scroll by the user: the grid takes the focus
  if (!alive.expired()) ScrollRequest(false, r.Code, r.Position);
}

void TskSkinCustomGrid::WMVScroll(TMessage& m) {
  const TScrollRequest r = ScrollRequestOf(m.WParam, m.LParam);
  const auto alive = AliveToken();
  if (!IsDesigning() && TabStop()) FocusForPress();
  if (!alive.expired()) ScrollRequest(true, r.Code, r.Position);
}

void TskSkinCustomGrid::ScrollRequest(bool vertical, uint32_t code, int32_t position) {
  if (code == SB_THUMBTRACK && !m_options.Contains(TskGridOption::goThumbTracking)) return;
  const int32_t first = GridFirstForRequest(Axis(vertical ? kRows : kCols), code, position);
  if (vertical)
    MoveTopLeft(m_leftCol, first);
  else
    MoveTopLeft(first, m_topRow);
}

// --- painting -------------------------------------------------------------------------

void TskSkinCustomGrid::Paint() {
  if (Width() < 1 || Height() < 1) return;
  ReadSkinData();
  TRect area = Canvas().ClipRect();
  const TRect client = ClientRect();
  area = {std::max(area.Left, client.Left), std::max(area.Top, client.Top), std::min(area.Right, client.Right),
          std::min(area.Bottom, client.Bottom)};
  if (RectIsEmpty(area)) return;
  PreparePaint();
  ui::TBitmap image(area.Width(), area.Height());
  TCanvas& canvas = image.Canvas();
  canvas.Handle()->SetOrigin({-area.Left, -area.Top});
  PaintGrid(canvas, area);
  canvas.Handle()->SetOrigin({0, 0});
  Canvas().Draw(area.Left, area.Top, image);
}

void TskSkinCustomGrid::DrawLines(TDeviceContext& dc, const TskGridAxis& cols, const TskGridAxis& rows,
                                  const TRect& area) {
  const int32_t lw = m_lineWidth;
  if (lw <= 0) return;
  TColor color = Skinned() ? m_skinData.LinesColor : m_gridLineColor;
  if (Color() == clSilver) color = clGray;
  const std::vector<TSpan> cs = VisibleSpans(cols);
  const std::vector<TSpan> rs = VisibleSpans(rows);
  const TskAxisVisibility vc = AxisVisibility(cols);
  const TskAxisVisibility vr = AxisVisibility(rows);
  // The four areas: columns fixed / scrolled by rows fixed / scrolled.
  for (int fixedCols = 1; fixedCols >= 0; --fixedCols) {
    for (int fixedRows = 1; fixedRows >= 0; --fixedRows) {
      const int32_t x0 = fixedCols ? 0 : vc.FixedBoundary;
      const int32_t x1 = fixedCols ? vc.FixedBoundary : vc.GridEnd;
      const int32_t y0 = fixedRows ? 0 : vr.FixedBoundary;
      const int32_t y1 = fixedRows ? vr.FixedBoundary : vr.GridEnd;
      if (x1 <= x0 || y1 <= y0) continue;
      const bool vertical = m_options.Contains(fixedCols || fixedRows ? TskGridOption::goFixedVertLine
                                                                      : TskGridOption::goVertLine);
      const bool horizontal = m_options.Contains(fixedCols || fixedRows ? TskGridOption::goFixedHorzLine
                                                                        : TskGridOption::goHorzLine);
      if (vertical && cols.LineWidth > 0)
        for (const TSpan& c : cs) {
          if ((c.Index < cols.FixedCount) != (fixedCols == 1)) continue;
          const TRect line{c.Start + c.Extent, y0, c.Start + c.Extent + lw, y1};
          if (Intersects(line, area)) dc.FillRect(line, color);
        }
      if (horizontal && rows.LineWidth > 0)
        for (const TSpan& r : rs) {
          if ((r.Index < rows.FixedCount) != (fixedRows == 1)) continue;
          const TRect line{x0, r.Start + r.Extent, x1, r.Start + r.Extent + lw};
          if (Intersects(line, area)) dc.FillRect(line, color);
        }
    }
  }
}

void TskSkinCustomGrid::DrawBackground(TCanvas& canvas, const TRect& rect, TskGridDrawState state) {
  TDeviceContext& dc = *canvas.Handle();
  const bool rowSelect = m_options.Contains(TskGridOption::goRowSelect);
  if (Skinned()) {
    const TskCellLook look = CellLookOf(state, rowSelect, GridFocused());
    dc.FillRect(rect, m_skinData.BGColor);
    if (look != TskCellLook::Plain) DrawCellImage(dc, *m_picture, m_looks, look, rect, m_useSkinCellHeight);
    return;
  }
  if (state.Contains(TskGridDrawStateFlag::gdFixed)) {
    dc.FillRect(rect, m_fixedColor);
    if (m_options.Contains(TskGridOption::goFixedVertLine) && m_options.Contains(TskGridOption::goFixedHorzLine)) {
      TRect edge = rect;
      dc.Frame3D(edge, clBtnHighlight, clBtnShadow);
    }
    return;
  }
  const bool focused = state.Contains(TskGridDrawStateFlag::gdFocused);
  const bool highlight = state.Contains(TskGridDrawStateFlag::gdSelected) && HighlightsSelection() &&
                         !(focused && !m_options.Contains(TskGridOption::goDrawFocusSelected) && !rowSelect);
  dc.FillRect(rect, highlight ? clHighlight : Color());
}

void TskSkinCustomGrid::DrawCell(TCanvas&, int32_t, int32_t, const TRect&, TskGridDrawState) {}

void TskSkinCustomGrid::PaintGrid(TCanvas& canvas, const TRect& area) {
  TDeviceContext& dc = *canvas.Handle();
  const TskGridAxis cols = Axis(kCols);
  const TskGridAxis rows = Axis(kRows);
  dc.FillRect(area, Skinned() ? m_skinData.BGColor : Color());
  DrawLines(dc, cols, rows, area);

  const bool focused = GridFocused();
  const TskGridRect sel = Selection();
  const std::vector<TSpan> cs = VisibleSpans(cols);
  const std::vector<TSpan> rs = VisibleSpans(rows);
  for (const TSpan& r : rs) {
    if (r.Start >= area.Bottom || r.Start + r.Extent <= area.Top) continue;
    for (const TSpan& c : cs) {
      const TRect cell = TRect::FromSize(c.Start, r.Start, c.Extent, r.Extent);
      if (!Intersects(cell, area)) continue;
      TskGridDrawState state;
      if (c.Index < cols.FixedCount || r.Index < rows.FixedCount) {
        state.Include(TskGridDrawStateFlag::gdFixed);
      } else if (RowHasContent(r.Index)) {
        if (focused && c.Index == m_current.X && r.Index == m_current.Y) state.Include(TskGridDrawStateFlag::gdFocused);
        if (sel.Contains(c.Index, r.Index)) state.Include(TskGridDrawStateFlag::gdSelected);
      }
      TDCStateGuard guard(dc);
      dc.IntersectClipRect(cell);
      if (m_defaultDrawing) DrawBackground(canvas, cell, state);
      DrawCell(canvas, c.Index, r.Index, cell, state);
    }
  }

  if (!Skinned() && focused && m_defaultDrawing && RowHasContent(m_current.Y)) {
    if (m_options.Contains(TskGridOption::goRowSelect)) {
      int32_t y = 0;
      if (AxisCellStart(rows, m_current.Y, y) && !cs.empty()) {
        const TskAxisVisibility vc = AxisVisibility(cols);
        dc.DrawFocusRect(TRect{vc.FixedBoundary, y, vc.GridEnd - cols.LineWidth, y + RowHeights(m_current.Y)});
      }
    } else {
      const TRect r = CellRect(m_current.X, m_current.Y);
      if (!RectIsEmpty(r)) dc.DrawFocusRect(r);
    }
  }
}

// --- mouse ----------------------------------------------------------------------------

bool TskSkinCustomGrid::SizingZoneAt(int32_t x, int32_t y, int32_t* col) {
  if (!m_options.Contains(TskGridOption::goColSizing)) return false;
  const TskGridAxis rows = Axis(kRows);
  if (y < 0 || y >= AxisVisibility(rows).FixedBoundary) return false;  // the fixed rows only
  int32_t line = 0;
  const int32_t c = AxisSizingCell(Axis(kCols), x, &line);
  if (c < 0) return false;
  if (col) *col = c;
  return true;
}

void TskSkinCustomGrid::DrawSizingLine(int32_t x) {
  if (!HandleAllocated()) return;
  TDeviceContext* dc = GetDC(Handle());
  if (!dc) return;
  // A dotted line five pixels wide, drawn by inversion (a second call
  // removes it).
  for (int32_t y = 0; y < ClientHeight(); y += 2) dc->InvertRect(TRect{x - 2, y, x + 3, y + 1});
  ReleaseDC(Handle(), dc);
}

int32_t TskSkinCustomGrid::MovingTarget(int32_t x) {
  const int32_t col = AxisCellAt(Axis(kCols), x);
  return col >= FixedCols() ? col : -1;
}

bool TskSkinCustomGrid::EndMoving(int32_t x, bool apply) {
  if (m_movingMark >= 0) DrawSizingLine(m_movingMark);
  m_movingMark = -1;
  m_state = TskGridState::gsNormal;
  const int32_t from = m_movingCol;
  m_movingCol = -1;
  const int32_t to = apply ? MovingTarget(x) : -1;
  if (from < 0 || to < 0 || to == from) return false;
  MoveColumn(from, to);
  return true;
}

void TskSkinCustomGrid::MoveColumn(int32_t from, int32_t to) {
  auto move = [from, to](auto& v) {
    auto item = v[static_cast<size_t>(from)];
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, item);
  };
  move(m_axis[kCols].Extents);
  move(m_tabStops);
  // The current column travels with its column.
  if (m_current.X == from)
    m_current.X = to;
  else if (from < m_current.X && to >= m_current.X)
    --m_current.X;
  else if (from > m_current.X && to <= m_current.X)
    ++m_current.X;
  if (!m_options.Contains(TskGridOption::goRowSelect)) m_anchor.X = m_current.X;
  ColumnMoved(from, to);
  UpdateScrollRange(false);
  Invalidate();
}

int32_t TskSkinCustomGrid::SizingBorder(int32_t pointerX) const {
  // The border keeps its distance from the pointer; a column keeps at
  // least one pixel.
  return std::max(pointerX - m_sizingOffset, m_sizingStart + 1);
}

void TskSkinCustomGrid::EndSizing(int32_t pointerX, bool apply) {
  if (m_sizingLine >= 0) DrawSizingLine(m_sizingLine);
  m_sizingLine = -1;
  m_state = TskGridState::gsNormal;
  const int32_t col = m_sizingCol;
  m_sizingCol = -1;
  if (!apply || col < 0) return;
  const int32_t width = SizingBorder(pointerX) - m_sizingStart;
  if (width == ColWidths(col)) return;
  SetColWidths(col, width);
  ColWidthsChanged();
}

void TskSkinCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (!FocusForPress()) return;
  TskSkinControl::MouseDown(button, shift, x, y);
  if (alive.expired() || button != TMouseButton::Left || shift.Contains(TShiftKey::Double)) return;
  int32_t col = -1;
  if (SizingZoneAt(x, y, &col)) {
    m_state = TskGridState::gsColSizing;
    m_sizingCol = col;
    int32_t start = 0;
    AxisCellStart(Axis(kCols), col, start);
    m_sizingStart = start;
    m_sizingOffset = x - (start + ColWidths(col));
    m_sizingLine = SizingBorder(x);
    DrawSizingLine(m_sizingLine);
    return;
  }
  const TskGridCoord cell = MouseCoord(x, y);
  if (cell.Y >= 0 && cell.Y < FixedRows() && cell.X >= FixedCols() && m_options.Contains(TskGridOption::goColMoving)) {
    m_state = TskGridState::gsColMoving;
    m_movingCol = cell.X;
    m_movingMark = -1;
    return;
  }
  if (cell.X < FixedCols() || cell.Y < FixedRows()) return;
  const bool extend = shift.Contains(TShiftKey::Shift) && m_options.Contains(TskGridOption::goRangeSelect);
  MoveCurrent(cell.X, cell.Y, !extend, true);
  if (alive.expired()) return;
  m_state = TskGridState::gsSelecting;
  CellClicked();
}

void TskSkinCustomGrid::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  TskSkinControl::MouseMove(shift, x, y);
  if (alive.expired()) return;
  if (m_state == TskGridState::gsColSizing) {
    const int32_t lineX = SizingBorder(x);
    if (lineX != m_sizingLine) {
      if (m_sizingLine >= 0) DrawSizingLine(m_sizingLine);
      m_sizingLine = lineX;
      DrawSizingLine(lineX);
    }
    return;
  }
  if (m_state == TskGridState::gsColMoving) {
    // The border where the column would go, marked by an inverted line.
    const int32_t target = MovingTarget(x);
    int32_t mark = -1;
    if (target >= 0 && target != m_movingCol) {
      const TRect r = CellRect(target, 0);
      mark = target > m_movingCol ? r.Right : r.Left;
    }
    if (mark != m_movingMark) {
      if (m_movingMark >= 0) DrawSizingLine(m_movingMark);
      m_movingMark = mark;
      if (mark >= 0) DrawSizingLine(mark);
    }
    return;
  }
  if (m_state == TskGridState::gsSelecting) {
    m_selectPointer = {x, y};
    const TskGridCoord cell = MouseCoord(x, y);
    if (cell.X >= FixedCols() && cell.Y >= FixedRows() && !(cell == m_current))
      MoveCurrent(cell.X, cell.Y, !m_options.Contains(TskGridOption::goRangeSelect), true);
    // Held outside the scrolled area: the view follows the pointer.
    const bool outside = SelectScrollDirection().X != 0 || SelectScrollDirection().Y != 0;
    if (outside && !m_selectTimer && HandleAllocated()) {
      ::tsm::SetTimer(Handle(), kSelectTimerId, kSelectInterval);
      m_selectTimer = true;
    } else if (!outside) {
      StopSelecting(false);
    }
  }
}

TPoint TskSkinCustomGrid::SelectScrollDirection() {
  const int32_t left = AxisVisibility(Axis(kCols)).FixedBoundary;
  const int32_t top = AxisVisibility(Axis(kRows)).FixedBoundary;
  const TPoint p = m_selectPointer;
  return {p.X < left ? -1 : p.X >= ClientWidth() ? 1 : 0, p.Y < top ? -1 : p.Y >= ClientHeight() ? 1 : 0};
}

void TskSkinCustomGrid::StopSelecting(bool endState) {
  if (m_selectTimer && HandleAllocated()) ::tsm::KillTimer(Handle(), kSelectTimerId);
  m_selectTimer = false;
  if (endState && m_state == TskGridState::gsSelecting) m_state = TskGridState::gsNormal;
}

void TskSkinCustomGrid::SelectTimerTick() {
  if (m_state != TskGridState::gsSelecting) {
    StopSelecting(false);
    return;
  }
  // One cell per tick toward the pointer; the current cell follows to the
  // edge of the view (the anchor stays with range select).
  const TPoint d = SelectScrollDirection();
  MoveTopLeft(m_leftCol + d.X, m_topRow + d.Y);
  TskGridCoord c = m_current;
  if (d.X < 0) c.X = m_leftCol;
  if (d.X > 0) c.X = std::max(m_leftCol, AxisVisibility(Axis(kCols)).LastFullyVisible);
  if (d.Y < 0) c.Y = m_topRow;
  if (d.Y > 0) c.Y = std::max(m_topRow, AxisVisibility(Axis(kRows)).LastFullyVisible);
  c.X = std::clamp(c.X, FixedCols(), ColCount() - 1);
  c.Y = std::clamp(c.Y, FixedRows(), RowCount() - 1);
  if (!(c == m_current)) MoveCurrent(c.X, c.Y, !m_options.Contains(TskGridOption::goRangeSelect), false);
}

void TskSkinCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == TMouseButton::Left) StopSelecting(true);
  TskSkinControl::MouseUp(button, shift, x, y);
}

bool TskSkinCustomGrid::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  if (TskSkinControl::DoMouseWheel(shift, delta, pos)) return true;
  if (delta < 0 && m_current.Y < RowCount() - 1)
    MoveCurrent(m_current.X, m_current.Y + 1, true, true);
  else if (delta > 0 && m_current.Y > FixedRows())
    MoveCurrent(m_current.X, m_current.Y - 1, true, true);
  return true;
}

void TskSkinCustomGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETCURSOR:
      if (m_state == TskGridState::gsColSizing || [&] {
            const TPoint p = ScreenToClient(GetCursorPos());
            return SizingZoneAt(p.X, p.Y);
          }()) {
        ::tsm::SetCursor(TCursorShape::SizeWE);
        m.Result = 1;
        return;
      }
      break;
    case WM_LBUTTONUP:
      // Sizing ends here, before the framework gives the capture back (which
      // would look like a press taken away).
      // A title released where it was pressed is a click, not a move.
      m_releaseEndedDrag = m_state == TskGridState::gsColSizing;
      if (m_state == TskGridState::gsColSizing) EndSizing(PointFromLParam(m.LParam).X, true);
      if (m_state == TskGridState::gsColMoving) m_releaseEndedDrag = EndMoving(PointFromLParam(m.LParam).X, true);
      break;
    case WM_TIMER:
      if (m.WParam == kSelectTimerId) {
        SelectTimerTick();
        return;
      }
      break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (m_state == TskGridState::gsColSizing) EndSizing(0, false);
      if (m_state == TskGridState::gsColMoving) EndMoving(0, false);
      StopSelecting(true);
      break;
    default: break;
  }
  TskSkinControl::WndProc(m);
}

// --- keys ------------------------------------------------------------------------------

void TskSkinCustomGrid::WMGetDlgCode(TMessage& m) {
  m.Result = DLGC_WANTARROWS | (m_options.Contains(TskGridOption::goTabs) ? DLGC_WANTTAB : 0);
}

void TskSkinCustomGrid::KeyDown(uint16_t& key, TShiftState shift) {
  TskSkinControl::KeyDown(key, shift);
  if (key == 0 || !CanGridAcceptKey(key, shift)) return;
  MoveByKey(key, shift);
}

void TskSkinCustomGrid::MoveByKey(uint16_t key, TShiftState shift) {
  const bool rowSelect = m_options.Contains(TskGridOption::goRowSelect);
  const bool ctrl = shift.Contains(TShiftKey::Ctrl);
  const int32_t rowPage = std::max(1, VisibleRowCount());
  const int32_t colPage = std::max(1, VisibleColCount());
  TskGridCoord c = m_current;
  int32_t left = m_leftCol, top = m_topRow;
  switch (key) {
    case VK_UP: ctrl ? --top : --c.Y; break;
    case VK_DOWN: ctrl ? ++top : ++c.Y; break;
    case VK_LEFT:
      if (rowSelect) --c.Y;
      else if (ctrl) { c.X -= colPage; left -= colPage; }
      else --c.X;
      break;
    case VK_RIGHT:
      if (rowSelect) ++c.Y;
      else if (ctrl) { c.X += colPage; left += colPage; }
      else ++c.X;
      break;
    case VK_PRIOR:
      if (ctrl) c.Y = m_topRow;
      else { c.Y -= rowPage; top -= rowPage; }
      break;
    case VK_NEXT:
      if (ctrl) c.Y = AxisVisibility(Axis(kRows)).LastFullyVisible;
      else { c.Y += rowPage; top += rowPage; }
      break;
    case VK_HOME:
      if (ctrl) c = {FixedCols(), FixedRows()};
      else if (rowSelect) c.Y = FixedRows();
      else c.X = FixedCols();
      break;
    case VK_END:
      if (ctrl) c = {ColCount() - 1, RowCount() - 1};
      else if (rowSelect) c.Y = RowCount() - 1;
      else c.X = ColCount() - 1;
      break;
    case VK_TAB: {
      if (!m_options.Contains(TskGridOption::goTabs) || shift.Contains(TShiftKey::Alt)) return;
      const int32_t dir = shift.Contains(TShiftKey::Shift) ? -1 : 1;
      for (int32_t n = 0; n < ColCount() * RowCount(); ++n) {
        c.X += dir;
        if (c.X >= ColCount()) { c.X = FixedCols(); c.Y = c.Y + 1 >= RowCount() ? FixedRows() : c.Y + 1; }
        if (c.X < FixedCols()) { c.X = ColCount() - 1; c.Y = c.Y - 1 < FixedRows() ? RowCount() - 1 : c.Y - 1; }
        if (TabStops(c.X)) break;
      }
      break;
    }
    default: return;
  }
  c.X = std::clamp(c.X, FixedCols(), ColCount() - 1);
  c.Y = std::clamp(c.Y, FixedRows(), RowCount() - 1);
  if (left != m_leftCol || top != m_topRow) MoveTopLeft(left, top);
  const auto alive = AliveToken();
  MoveCurrent(c.X, c.Y, !shift.Contains(TShiftKey::Shift), true);
  if (!alive.expired()) CellClicked();
}

void TskSkinCustomGrid::FocusGained() {
  TskSkinControl::FocusGained();
  InvalidateSelection(Selection());
  InvalidateCell(m_current.X, m_current.Y);
}

void TskSkinCustomGrid::FocusLost() {
  TskSkinControl::FocusLost();
  InvalidateSelection(Selection());
  InvalidateCell(m_current.X, m_current.Y);
}

}  // namespace tsm
