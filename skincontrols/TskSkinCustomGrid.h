#pragma once
// TskSkinCustomGrid: the cell grid under the skinned data grid. It arranges
// cells in columns and rows, keeps fixed (title) rows and columns at the top
// and left, scrolls the rest, tracks a current cell and a selection, lets the
// user size columns with the mouse, paints lines and cell backgrounds from
// the skin's "grid" data (GridCellLook.h), and drives two external skinned
// scroll bars instead of the window's own.
//
// Geometry per axis is GridGeometry.h; the scroll bars run 0..127 over the
// columns (rows) that can scroll.
//
// Painting. Only what lies in the paint's update area is composed: one
// off-screen bitmap of the update area's bounds, the cells that touch it,
// then one copy to the window. Moving the view scrolls the window's pixels
// and paints only the uncovered strip.
//
// Scroll bars. HScrollBar / VScrollBar are not owned (cleared when they are
// freed). Attaching one hides it and takes its events over: a thumb drag
// (its end, or every change with the thumb-tracking option), its buttons
// and its paging become scroll requests (WM_HSCROLL / WM_VSCROLL) to the
// grid's own window. The horizontal bar shows only while columns can
// scroll; with both bars attached its corner (Both) follows the vertical
// bar's visibility.
//
// Selecting: a press on a cell moves the current cell (Shift extends the
// selection with range select); while the button is held the selection
// follows the pointer, and outside the scrolled area a 60 ms timer scrolls
// the view one cell per tick toward it.
//
// Column moving: with the column-moving option a press on a title cell
// (outside a sizing zone) drags the column; the release over another column
// moves it there.
//
// Not built: the in-place editor, row sizing and row moving (the options
// exist but do nothing).

#include <cstdint>
#include <vector>

#include "framework/base/EnumSet.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/GridCellLook.h"
#include "skincontrols/GridGeometry.h"
#include "skincontrols/TskSkinControl.h"

namespace tsm {

class TskSkinScrollBar;

enum class TskGridOption : uint8_t {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TskGridOptions = TEnumSet<TskGridOption>;

enum class TskGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TskGridCoord {
  int32_t X = 0;  // column
  int32_t Y = 0;  // row
  friend bool operator==(const TskGridCoord&, const TskGridCoord&) = default;
};

// Inclusive cell rectangle (the selection).
struct TskGridRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int32_t col, int32_t row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
  friend bool operator==(const TskGridRect&, const TskGridRect&) = default;
};

class TskSkinCustomGrid : public TskSkinControl {
 public:
  explicit TskSkinCustomGrid(TComponent* owner);

  // --- cells ---
  int32_t ColCount() const { return m_axis[0].Count; }
  virtual void SetColCount(int32_t count);
  int32_t RowCount() const { return m_axis[1].Count; }
  virtual void SetRowCount(int32_t count);
  int32_t FixedCols() const { return m_axis[0].Fixed; }
  void SetFixedCols(int32_t count);
  int32_t FixedRows() const { return m_axis[1].Fixed; }
  void SetFixedRows(int32_t count);
  int32_t DefaultColWidth() const { return m_axis[0].Default; }
  void SetDefaultColWidth(int32_t width);
  int32_t DefaultRowHeight() const { return m_axis[1].Default; }
  void SetDefaultRowHeight(int32_t height);
  int32_t ColWidths(int32_t col) const;
  void SetColWidths(int32_t col, int32_t width);
  int32_t RowHeights(int32_t row) const;
  void SetRowHeights(int32_t row, int32_t height);
  bool TabStops(int32_t col) const;
  void SetTabStops(int32_t col, bool on);
  int32_t GridLineWidth() const { return m_lineWidth; }
  void SetGridLineWidth(int32_t width);
  TskGridOptions Options() const { return m_options; }
  void SetOptions(TskGridOptions options);

  // --- current cell and view ---
  int32_t Col() const { return m_current.X; }
  void SetCol(int32_t col) { MoveCurrent(col, m_current.Y, true, true); }
  int32_t Row() const { return m_current.Y; }
  void SetRow(int32_t row) { MoveCurrent(m_current.X, row, true, true); }
  int32_t LeftCol() const { return m_leftCol; }
  void SetLeftCol(int32_t col) { MoveTopLeft(col, m_topRow); }
  int32_t TopRow() const { return m_topRow; }
  void SetTopRow(int32_t row) { MoveTopLeft(m_leftCol, row); }
  TskGridRect Selection() const;
  TskGridState GridState() const { return m_state; }
  // Fully visible scrolled columns (rows) from LeftCol (TopRow).
  int32_t VisibleColCount();
  int32_t VisibleRowCount();
  // A cell's rectangle in client coordinates; empty when not on screen.
  TRect CellRect(int32_t col, int32_t row);
  // The cell under a client point; -1 for a coordinate outside the cells.
  TskGridCoord MouseCoord(int32_t x, int32_t y);
  // Whether a press at a client point starts column sizing (column sizing
  // on, in the fixed rows, within a column border's zone); col receives
  // the column whose right border it is.
  bool SizingZoneAt(int32_t x, int32_t y, int32_t* col = nullptr);

  // --- looks ---
  bool DefaultDrawing() const { return m_defaultDrawing; }
  void SetDefaultDrawing(bool on) { m_defaultDrawing = on; }
  TColor FixedColor() const { return m_fixedColor; }
  void SetFixedColor(TColor color);
  TColor GridLineColor() const { return m_gridLineColor; }
  void SetGridLineColor(TColor color);
  bool UseSkinFont() const { return m_useSkinFont; }
  void SetUseSkinFont(bool on) { m_useSkinFont = on; }
  bool UseSkinCellHeight() const { return m_useSkinCellHeight; }
  void SetUseSkinCellHeight(bool on) { m_useSkinCellHeight = on; }
  int32_t DefaultCellHeight() const { return m_defaultCellHeight; }
  void SetDefaultCellHeight(int32_t height);
  TBorderStyle BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(TBorderStyle style);

  // --- external scroll bars ---
  TskSkinScrollBar* HScrollBar() const { return m_bars[0]; }
  virtual void SetHScrollBar(TskSkinScrollBar* bar);
  TskSkinScrollBar* VScrollBar() const { return m_bars[1]; }
  virtual void SetVScrollBar(TskSkinScrollBar* bar);
  // Ranges (and the horizontal bar's visibility) from the current layout;
  // the vertical bar only when asked.
  virtual void UpdateScrollRange(bool vertical);
  // Positions, silently.
  virtual void UpdateScrollPos(bool vertical);

  // Whether the grid has the focus as the looks mean it (its form's active
  // control, or the focus inside it).
  bool GridFocused() const;

  // What was read from the skin (valid while skinned).
  const TskDataSkinGridControl& GridSkin() const { return m_skinData; }
  const TBitmap* GridPicture() const { return m_picture; }
  const TskGridSkinLooks& GridLooks() const { return m_looks; }

  void ReadSkinData() override;
  void ApplySkinChange() override;
  void SetVisible(bool visible) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Paint() override;
  void Resized() override;

  // Moves the current cell; "Grid index out of range" outside the counts.
  // SelectCell must accept; with moveAnchor the anchor follows; with show
  // the view moves so that the cell is fully visible.
  virtual void MoveCurrent(int32_t col, int32_t row, bool moveAnchor, bool show);
  void MoveTopLeft(int32_t col, int32_t row);
  virtual bool SelectCell(int32_t /*col*/, int32_t /*row*/) { return true; }
  // Runs at the start of every paint, after the skin was read.
  virtual void PreparePaint() {}
  // Whether a row shows anything: rows without content are never drawn
  // selected or focused (the data grid's empty row).
  virtual bool RowHasContent(int32_t /*row*/) const { return true; }
  // Whether selected cells are highlighted in the fallback look.
  virtual bool HighlightsSelection() const { return true; }
  // Draws a cell's contents after the background (DefaultDrawing).
  virtual void DrawCell(TCanvas& canvas, int32_t col, int32_t row, const TRect& rect, TskGridDrawState state);
  // The view moved (left column or top row).
  virtual void TopLeftChanged() {}
  // A column's width was set by the user (sizing).
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  // The click notification after moving the current cell by mouse or key.
  virtual void CellClicked() {}
  // Whether the engine acts on a key at all.
  virtual bool CanGridAcceptKey(uint16_t /*key*/, TShiftState /*shift*/) { return true; }

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) override;
  void WMGetDlgCode(TMessage& m) override;
  void WMHScroll(TMessage& m) override;
  void WMVScroll(TMessage& m) override;
  void FocusGained() override;
  void FocusLost() override;

  // The engine's handling of a vertical request (the data grid replaces it).
  virtual void ScrollRequest(bool vertical, uint32_t code, int32_t position);

  // Axis geometry for the current size (0 columns, 1 rows).
  TskGridAxis Axis(int index);
  // Invalidation helpers (client coordinates).
  void InvalidateCell(int32_t col, int32_t row);
  void InvalidateRow(int32_t row);
  void InvalidateCol(int32_t col);
  void InvalidateGrid() { Invalidate(); }
  // Scrolls the data rows' pixels by dy (area below the fixed rows).
  void ScrollDataRows(int32_t dy);
  bool Updating() const { return m_updateLock > 0; }
  // The last left release ended a column sizing or moving.
  bool ReleaseEndedDrag() const { return m_releaseEndedDrag; }
  // Moves a column (its width and tab stop) to another place.
  void MoveColumn(int32_t from, int32_t to);
  // A column was moved by MoveColumn (the user dragged its title).
  virtual void ColumnMoved(int32_t /*from*/, int32_t /*to*/) {}
  void BeginGridUpdate() { ++m_updateLock; }
  void EndGridUpdate() { --m_updateLock; }

 private:
  struct TAxisData {
    int32_t Count = 5;
    int32_t Fixed = 1;
    int32_t Default = 0;
    std::vector<int32_t> Extents;  // Count entries
  };

  void ResetExtents(int axis);
  void ResizeExtents(int axis, int32_t count);
  void InvalidateSelection(const TskGridRect& r);
  void TakeOverBar(TskSkinScrollBar* bar, bool vertical);
  void ReleaseBar(TskSkinScrollBar* bar);
  void SendScroll(bool vertical, uint32_t code, int32_t position);
  void ApplyBarVisibility(TskSkinScrollBar* bar, bool visible, bool& changed);
  void SyncBothCorner();
  void PaintGrid(TCanvas& canvas, const TRect& area);
  void DrawLines(TDeviceContext& dc, const TskGridAxis& cols, const TskGridAxis& rows, const TRect& area);
  void DrawBackground(TCanvas& canvas, const TRect& rect, TskGridDrawState state);
  int32_t SizingBorder(int32_t pointerX) const;
  int32_t MovingTarget(int32_t x);
  // Ends a column drag; true when the column moved.
  bool EndMoving(int32_t x, bool apply);
  void EndSizing(int32_t pointerX, bool apply);
  void DrawSizingLine(int32_t x);
  void MoveByKey(uint16_t key, TShiftState shift);
  // Selecting with the button held outside the scrolled area scrolls the
  // view one cell per 60 ms tick toward the pointer.
  TPoint SelectScrollDirection();
  void SelectTimerTick();
  void StopSelecting(bool endState);
  static constexpr uint32_t kSelectTimerId = 2;
  static constexpr uint32_t kSelectInterval = 60;

  TAxisData m_axis[2];
  std::vector<bool> m_tabStops;
  int32_t m_lineWidth = 1;
  TskGridOptions m_options;
  TskGridCoord m_current{1, 1};
  TskGridCoord m_anchor{1, 1};
  int32_t m_leftCol = 1;
  int32_t m_topRow = 1;
  TskGridState m_state = TskGridState::gsNormal;
  bool m_defaultDrawing = true;
  TColor m_fixedColor;
  TColor m_gridLineColor;
  bool m_useSkinFont = true;
  bool m_useSkinCellHeight = true;
  int32_t m_defaultCellHeight = 20;
  TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
  TskSkinScrollBar* m_bars[2] = {nullptr, nullptr};
  bool m_updatingBars = false;
  int m_updateLock = 0;

  // Column sizing.
  int32_t m_sizingCol = -1;
  int32_t m_sizingStart = 0;  // left edge of the sized column
  int32_t m_sizingOffset = 0; // pointer - border at the press
  int32_t m_sizingLine = -1;  // x of the inverted line, -1 none
  bool m_releaseEndedDrag = false;
  // Column moving.
  int32_t m_movingCol = -1;
  int32_t m_movingMark = -1;  // x of the inverted line, -1 none
  TPoint m_selectPointer;
  bool m_selectTimer = false;

  // Read from the skin.
  TskDataSkinGridControl m_skinData{""};
  const TBitmap* m_picture = nullptr;
  TskGridSkinLooks m_looks;
};

}  // namespace tsm
