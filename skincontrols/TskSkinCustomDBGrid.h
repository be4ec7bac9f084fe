#pragma once
// TskSkinCustomDBGrid: the skinned data grid. It shows the records of a
// record set as rows and its fields as columns through a data link
// (TskGridDataLink), paints every cell from the skin's "grid" data, keeps
// an external vertical scroll bar in step with the record set's cursor, and
// turns keys, clicks, the wheel and scroll-bar actions into cursor moves.
//
// Rows. The grid has a title row (dgTitles) and as many data rows as fit;
// they show the data link's window of records around the current record.
// Painting reads those rows through the record set's row access and never
// moves its cursor, so a record held in Edit (a running conversion) keeps
// its pending change however the grid paints, scrolls or resizes.
//
// Changes the grid cancels. Escape, and leaving the grid with
// dgCancelOnExit, cancel only a pending change that the grid itself started
// (an insert or append by Insert or Down, a boolean toggled by a key or a
// click); a change someone else started (a running conversion's Edit) is
// never touched.
//
// The vertical bar: for record sets with sequential record numbers it runs
// 1 .. RecordTotal + V - 1 with a page of V (the fully visible data rows)
// and the record number as position; otherwise (and for an empty record
// set, whose record number 0 means "no number") 0 .. 4: 0 at the start, 4
// at the end, 2 between.
//
// Not built: the in-place editor, multi-selection (dgMultiSelect), nested
// columns and pick lists.

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/base/DataSet.h"
#include "framework/base/EnumSet.h"
#include "skincontrols/TskDBGridColumns.h"
#include "skincontrols/TskGridDataLink.h"
#include "skincontrols/TskSkinCustomGrid.h"

namespace tsm {

enum class TskDBGridOption : uint8_t {
  dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
  dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit, dgMultiSelect
};
using TskDBGridOptions = TEnumSet<TskDBGridOption>;

using TskColumnEvent = std::function<void(TObject* sender, TskColumn* column)>;
using TskGetCellParamEvent =
    std::function<void(TObject* sender, TskColumn* column, ui::TFont& font, TColor& color, TskGridDrawState state)>;
using TskDrawDataCellEvent =
    std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, const TField* field, TskGridDrawState state)>;
using TskDrawColumnCellEvent =
    std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, int dataCol, TskColumn* column,
                       TskGridDrawState state)>;

class TskSkinMessage;

class TskSkinCustomDBGrid : public TskSkinCustomGrid, private TskGridDataLinkClient {
 public:
  explicit TskSkinCustomDBGrid(TComponent* owner);
  ~TskSkinCustomDBGrid() override;

  TDataSource* DataSource() const { return m_link.DataSource(); }
  void SetDataSource(TDataSource* source);
  TskGridDataLink& DataLink() { return m_link; }
  const TskGridDataLink& DataLink() const { return m_link; }

  TskDBGridColumns& Columns() { return m_columns; }
  TskDBGridOptions DBOptions() const { return m_dbOptions; }
  void SetDBOptions(TskDBGridOptions options);
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool readOnly);
  ui::TFont& TitleFont() { return m_titleFont; }
  const ui::TFont& TitleFont() const { return m_titleFont; }
  void SetTitleFont(const ui::TFont& font) { m_titleFont.Assign(font); }
  bool UseColumnsFont() const { return m_useColumnsFont; }
  void SetUseColumnsFont(bool on);
  // Kept for the form's settings: the wheel moves the current record by one
  // either way (so the highlighted row is always the current record).
  // The dialog that asks before Ctrl+Delete deletes (dgConfirmDelete); the
  // plain message box without one. Cleared when that component is freed.
  TskSkinMessage* SkinMessage() const { return m_skinMessage; }
  void SetSkinMessage(TskSkinMessage* message);
  bool MouseWheelSupport() const { return m_mouseWheelSupport; }
  void SetMouseWheelSupport(bool on) { m_mouseWheelSupport = on; }

  void SetHScrollBar(TskSkinScrollBar* bar) override;
  void SetVScrollBar(TskSkinScrollBar* bar) override;

  // The column of a grid cell column; null for the indicator.
  TskColumn* ColumnOf(int32_t col) const;
  // The grid column of a column index.
  int32_t GridColOf(int column) const { return column + m_indicatorOffset; }
  int32_t TitleOffset() const { return m_titleOffset; }
  int32_t IndicatorOffset() const { return m_indicatorOffset; }
  // The selected (current) column.
  TskColumn* SelectedColumn() const { return ColumnOf(Col()); }
  // Fully visible data rows (the data link's window size).
  int32_t VisibleDataRows() const { return m_link.WindowSize(); }
  // The text a data cell shows (column index, window index); "" for a row
  // without record.
  std::string CellText(int column, int windowIndex) const;

  // --- the operations the data link drives -----------------------------------
  void RebuildLayout();
  // Width of a column in the default state (see TskDBGridColumns.h).
  int32_t DefaultColumnWidth(const TskColumn& column) const;
  void ColumnsChanged(bool layout);

  // Events.
  TskColumnEvent OnTitleClick;
  TskColumnEvent OnCellClick;
  TskColumnEvent OnColEnter;
  TskColumnEvent OnColExit;
  TskGetCellParamEvent OnGetCellParam;
  // After each data cell was drawn (or, without DefaultDrawing, instead of
  // its contents): OnDrawDataCell only while the columns follow the fields
  // (default state), OnDrawColumnCell always.
  TskDrawDataCellEvent OnDrawDataCell;
  TskDrawColumnCellEvent OnDrawColumnCell;
  // A column was dragged from one place to another (column indices).
  std::function<void(TObject* sender, int from, int to)> OnColumnMoved;

  void ApplySkinChange() override;
  void Loaded() override;
  // The bars take the grid's visibility, then what the record set says.
  void SetVisible(bool visible) override;

 protected:
  // columns (the shown titles), rows (the shown rows' texts, top first),
  // topRow and selectedRow (record numbers, -1 for none), readOnly; every
  // shown data cell as a clickable item (row, column, selected).
  void DescribeState(TStateDescription& state) override;
  void PreparePaint() override;
  // Raises OnColExit / OnColEnter around a change of the current column.
  void MoveCurrent(int32_t col, int32_t row, bool moveAnchor, bool show) override;
  void DrawCell(TCanvas& canvas, int32_t col, int32_t row, const TRect& rect, TskGridDrawState state) override;
  bool HighlightsSelection() const override;
  bool RowHasContent(int32_t row) const override;
  void ScrollRequest(bool vertical, uint32_t code, int32_t position) override;
  void ColWidthsChanged() override;
  void ColumnMoved(int32_t from, int32_t to) override;
  void Resized() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) override;
  void DoExit() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // TskGridDataLinkClient
  void TableActiveChanged(bool active) override;
  void RecordSetChanged() override;
  void WindowScrolled(int distance) override;
  void RecordDataChanged(const TField* field) override;
  void EditStateChanged() override;
  void LayoutChanged() override;

  TDataSet* Set() const { return m_link.DataSet(); }
  bool Active() const { return m_link.Active(); }
  void DeriveEngineOptions();
  void BuildColumns();
  void UpdateRowCount();
  void UpdateRowHeights();
  void UpdateColumnAttributes();
  void SyncCurrentRow();
  void UpdateVScrollBar();
  void InvalidateIndicator(int32_t row);
  void InvalidateField(const TField* field);
  // Moves the cursor (the grid's own move: under the update lock).
  void MoveBy(int distance);
  void MoveFirst();
  void MoveLast();
  void SetRecordNumber(int number);
  // Starts a change of the grid's own (so that Escape may cancel it).
  void StartOwnInsert(bool append);
  void ToggleBoolean();
  void CancelOwnChange();
  void DeleteCurrent();
  bool CanEditTable() const;
  bool BooleanColumn(int32_t col) const;
  void DrawIndicator(TCanvas& canvas, const TRect& rect, int32_t row);
  void DrawTitle(TCanvas& canvas, const TRect& rect, TskColumn* column, TskGridDrawState state);
  void RaiseDrawDataCell(TCanvas& canvas, const TRect& rect, int32_t col, TskColumn* column, TskGridDrawState state);
  void DrawData(TCanvas& canvas, const TRect& rect, int32_t col, int32_t row, TskColumn* column,
                TskGridDrawState state);
  void DrawCellText(TCanvas& canvas, const TRect& textRect, const std::string& text, TAlignment alignment, int32_t d);
  // Text height of "Wg" in a font.
  static int32_t LineHeight(const ui::TFont& font);
  static int32_t TextWidth(const ui::TFont& font, std::string_view text);

  TskGridDataLink m_link;
  TskDBGridColumns m_columns;
  TskDBGridOptions m_dbOptions;
  bool m_readOnly = false;
  ui::TFont m_titleFont;
  bool m_useColumnsFont = false;
  bool m_mouseWheelSupport = false;
  TskSkinMessage* m_skinMessage = nullptr;
  int32_t m_titleOffset = 1;
  int32_t m_indicatorOffset = 1;
  bool m_layingOut = false;
  // The skin's fonts of the current paint.
  ui::TFont m_cellFont, m_titleCellFont;
  // The pending change was started by the grid itself.
  bool m_ownChange = false;
};

}  // namespace tsm
