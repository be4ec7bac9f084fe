#include "skincontrols/TskSkinCustomDBGrid.h"

#include <algorithm>
#include <cstdlib>

#include "framework/controls/ScrollRequest.h"
#include "framework/controls/StateDescription.h"
#include "framework/forms/Application.h"
#include "framework/forms/MessageBox.h"
#include "memtable/Field.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskSkinMessage.h"
#include "skincontrols/SkinControlFont.h"
#include "skincontrols/TskSkinScrollBar.h"

namespace tsm {

namespace {

using O = TskDBGridOption;

// Options whose change rebuilds the layout.
const TskDBGridOptions kLayoutOptions{O::dgEditing, O::dgAlwaysShowEditor, O::dgTitles, O::dgIndicator, O::dgColLines,
                                      O::dgRowLines, O::dgRowSelect, O::dgAlwaysShowSelection};

bool IsBoolean(const TField* f) { return f && f->DataType() == TFieldType::ftBoolean; }

}  // namespace

TskSkinCustomDBGrid::TskSkinCustomDBGrid(TComponent* owner)
    : TskSkinCustomGrid(owner), m_link(*this), m_columns(this) {
  m_dbOptions = {O::dgEditing, O::dgTitles,    O::dgIndicator,     O::dgColumnResize, O::dgColLines,
                 O::dgRowLines, O::dgTabs,     O::dgConfirmDelete, O::dgCancelOnExit};
  m_titleFont.OnChange = [this](TObject*) { RebuildLayout(); };
  DeriveEngineOptions();
  RebuildLayout();
}

TskSkinCustomDBGrid::~TskSkinCustomDBGrid() = default;

// --- properties ---------------------------------------------------------------------

void TskSkinCustomDBGrid::SetDataSource(TDataSource* source) {
  for (int i = 0; i < m_columns.Count(); ++i) m_columns[i]->ClearField();
  m_link.SetDataSource(source);  // announces the state: the layout follows
}

void TskSkinCustomDBGrid::SetDBOptions(TskDBGridOptions options) {
  if (options.Contains(O::dgRowSelect)) options.Exclude(O::dgEditing).Exclude(O::dgAlwaysShowEditor);
  if (options == m_dbOptions) return;
  const TskDBGridOptions changed = TskDBGridOptions::FromBits(options.Bits() ^ m_dbOptions.Bits());
  m_dbOptions = options;
  DeriveEngineOptions();
  if (!(changed & kLayoutOptions).Empty()) RebuildLayout();
}

void TskSkinCustomDBGrid::DeriveEngineOptions() {
  using G = TskGridOption;
  TskGridOptions o;
  if (m_dbOptions.Contains(O::dgEditing)) o.Include(G::goEditing);
  if (m_dbOptions.Contains(O::dgAlwaysShowEditor)) o.Include(G::goAlwaysShowEditor);
  if (m_dbOptions.Contains(O::dgColumnResize)) o.Include(G::goColSizing).Include(G::goColMoving);
  if (m_dbOptions.Contains(O::dgColLines)) o.Include(G::goFixedVertLine).Include(G::goVertLine);
  if (m_dbOptions.Contains(O::dgRowLines)) o.Include(G::goFixedHorzLine).Include(G::goHorzLine);
  if (m_dbOptions.Contains(O::dgTabs)) o.Include(G::goTabs);
  if (m_dbOptions.Contains(O::dgRowSelect)) o.Include(G::goRowSelect);
  SetOptions(o);
}

void TskSkinCustomDBGrid::SetReadOnly(bool readOnly) {
  if (readOnly == m_readOnly) return;
  m_readOnly = readOnly;
  UpdateColumnAttributes();
}

void TskSkinCustomDBGrid::SetUseColumnsFont(bool on) {
  m_useColumnsFont = on;
  Invalidate();
}

void TskSkinCustomDBGrid::SetHScrollBar(TskSkinScrollBar* bar) {
  TskSkinCustomGrid::SetHScrollBar(bar);
  if (bar) bar->SetPageSize(0);
}

void TskSkinCustomDBGrid::SetVScrollBar(TskSkinScrollBar* bar) {
  TskSkinCustomGrid::SetVScrollBar(bar);
  UpdateVScrollBar();
}

TskColumn* TskSkinCustomDBGrid::ColumnOf(int32_t col) const {
  const int index = col - m_indicatorOffset;
  return index >= 0 && index < m_columns.Count() ? m_columns[index] : nullptr;
}

std::string TskSkinCustomDBGrid::CellText(int column, int windowIndex) const {
  const TDataSet* set = Set();
  if (!set || column < 0 || column >= m_columns.Count() || windowIndex < 0 || windowIndex >= m_link.RecordCount())
    return {};
  const TField* f = m_columns[column]->Field();
  return f ? set->RowText(m_link.RowOf(windowIndex), *f) : std::string();
}

// --- fonts ----------------------------------------------------------------------------

int32_t TskSkinCustomDBGrid::LineHeight(const ui::TFont& font) {
  TDeviceContext dc;
  dc.SetFont(font.Handle());
  return dc.TextHeight("Wg");
}

int32_t TskSkinCustomDBGrid::TextWidth(const ui::TFont& font, std::string_view text) {
  TDeviceContext dc;
  dc.SetFont(font.Handle());
  return dc.TextWidth(text);
}

int32_t TskSkinCustomDBGrid::DefaultColumnWidth(const TskColumn& column) const {
  const TField* f = column.Field();
  if (!f) return DefaultColWidth();
  // The fonts here have no overhang: bold is synthesised by wider advances.
  int32_t w = TextWidth(column.Font(), "0") * f->DisplayWidth() + 4;
  if (m_dbOptions.Contains(O::dgTitles)) w = std::max(w, TextWidth(column.TitleFont(), column.TitleCaption()) + 4);
  return w;
}

// --- layout -------------------------------------------------------------------------------

void TskSkinCustomDBGrid::ColumnsChanged(bool layout) {
  if (m_layingOut) return;
  if (layout)
    RebuildLayout();
  else
    Invalidate();
}

void TskSkinCustomDBGrid::Loaded() {
  TskSkinCustomGrid::Loaded();
  if (m_columns.Count() > 0) SetColCount(m_columns.Count() + m_indicatorOffset);
  RebuildLayout();
}

void TskSkinCustomDBGrid::BuildColumns() {
  std::vector<TField*>& map = m_link.FieldMap();
  map.clear();
  TDataSet* set = Active() ? Set() : nullptr;
  if (m_columns.State() == TskDBGridColumnsState::csCustomized) {
    for (int i = 0; i < m_columns.Count(); ++i) {
      m_columns[i]->ClearField();
      map.push_back(m_columns[i]->Field());
    }
    return;
  }
  if (set)
    for (int i = 0; i < set->FieldCount(); ++i)
      if (TField* f = set->Fields(i); f && f->Visible()) map.push_back(f);
  // Default-state columns follow the map: stale ones go, missing ones come,
  // and all stand in field order.
  if (set) {
    for (int i = m_columns.Count() - 1; i >= 0; --i) {
      TField* f = m_columns[i]->Field();
      if (!f || std::find(map.begin(), map.end(), f) == map.end()) m_columns.Delete(i);
    }
  } else {
    m_columns.Clear();
  }
  for (size_t i = 0; i < map.size(); ++i) {
    int found = -1;
    for (int c = 0; c < m_columns.Count(); ++c)
      if (m_columns[c]->Field() == map[i]) found = c;
    if (found < 0) {
      m_columns.AddDefault()->SetField(map[i]);
      found = m_columns.Count() - 1;
    }
    m_columns.Move(found, static_cast<int>(i));
  }
  if (map.empty() && m_columns.Count() == 0) m_columns.AddDefault();
}

void TskSkinCustomDBGrid::RebuildLayout() {
  if (IsLoading() || IsDestroying() || m_layingOut) return;
  m_layingOut = true;
  BeginGridUpdate();
  ReadSkinData();
  m_indicatorOffset = m_dbOptions.Contains(O::dgIndicator) ? 1 : 0;
  BuildColumns();
  SetColCount(m_columns.Count() + m_indicatorOffset);
  SetFixedCols(m_indicatorOffset);
  m_titleOffset = m_dbOptions.Contains(O::dgTitles) ? 1 : 0;
  UpdateRowHeights();
  UpdateRowCount();
  UpdateColumnAttributes();
  SyncCurrentRow();
  EndGridUpdate();
  m_layingOut = false;
  Invalidate();
  UpdateVScrollBar();
  UpdateScrollRange(false);
}

void TskSkinCustomDBGrid::UpdateRowHeights() {
  int32_t rowHeight = 0;
  if (!Skinned())
    rowHeight = DefaultCellHeight();
  else if (UseSkinCellHeight())
    rowHeight = GridSkin().SelectCellRect.Height();
  else
    rowHeight = LineHeight(Font()) + 3 + (m_dbOptions.Contains(O::dgRowLines) ? GridLineWidth() : 0);
  SetDefaultRowHeight(std::max(1, rowHeight));
  if (m_titleOffset == 0) return;
  int32_t titleHeight = 0;
  if (Skinned() && UseSkinFont()) {
    titleHeight = GridSkin().FixedCellRect.Height();
  } else if (m_columns.Count() == 0) {
    titleHeight = LineHeight(m_titleFont) + 4;
  } else {
    for (int i = 0; i < m_columns.Count(); ++i)
      titleHeight = std::max(titleHeight, LineHeight(m_columns[i]->TitleFont()) + 4);
  }
  if (RowCount() <= m_titleOffset) SetRowCount(m_titleOffset + 1);
  SetRowHeights(0, titleHeight);
}

void TskSkinCustomDBGrid::UpdateRowCount() {
  if (RowCount() <= m_titleOffset) SetRowCount(m_titleOffset + 1);
  SetFixedRows(m_titleOffset);
  const TDataSet* set = Active() ? Set() : nullptr;
  if (!set || set->RowCount() == 0) {
    SetRowCount(m_titleOffset + 1);
    return;
  }
  // How many data rows fit fully below the title row.
  const int32_t rowHeight = std::max(1, DefaultRowHeight());
  const int32_t candidates = ClientHeight() / rowHeight + 2;
  std::vector<int32_t> extents(static_cast<size_t>(m_titleOffset + candidates), rowHeight);
  if (m_titleOffset) extents[0] = RowHeights(0);
  TskGridAxis rows;
  rows.Count = static_cast<int32_t>(extents.size());
  rows.FixedCount = m_titleOffset;
  rows.LineWidth = Options().Contains(TskGridOption::goHorzLine) ? GridLineWidth() : 0;
  rows.FirstScrolled = m_titleOffset;
  rows.ClientExtent = ClientHeight();
  rows.Extents = extents;
  m_link.SetWindowSize(std::max(1, AxisVisibility(rows).FullyVisibleCount));
  SetRowCount(std::max(1, m_link.RecordCount()) + m_titleOffset);
  if (m_dbOptions.Contains(O::dgRowSelect)) SetTopRow(m_titleOffset);
}

void TskSkinCustomDBGrid::UpdateColumnAttributes() {
  const bool active = Active();
  for (int i = 0; i < m_columns.Count(); ++i) {
    TskColumn* c = m_columns[i];
    const TField* f = c->Field();
    const int32_t col = GridColOf(i);
    SetTabStops(col, c->Visible() && !c->ReadOnly() && active && f && !f->Calculated() && !f->ReadOnly());
    SetColWidths(col, c->Width());
  }
  if (m_indicatorOffset) {
    int32_t w = 11;
    if (Skinned()) w = std::max(11, GridSkin().FixedCellLeftOffset + GridSkin().FixedCellRightOffset);
    SetColWidths(0, w);
  }
}

void TskSkinCustomDBGrid::SyncCurrentRow() {
  if (!Active()) return;
  const int32_t row = std::min(m_link.ActiveRecord() + m_titleOffset, RowCount() - 1);
  if (row != Row() && row >= FixedRows()) MoveCurrent(Col(), row, true, false);
}

void TskSkinCustomDBGrid::UpdateVScrollBar() {
  TskSkinScrollBar* bar = VScrollBar();
  if (!bar) return;
  const bool wasVisible = bar->Visible();
  bool show = false;
  if (const TDataSet* set = Active() ? Set() : nullptr) {
    const int32_t visible = std::max(1, VisibleDataRows());
    const int number = set->RecordNumber();
    // Record number 0 (an empty record set) is no number. Sequential
    // numbers: the thumb, a page of the visible rows long, runs from the
    // track's start on record 1 to its end on the last record. Otherwise
    // three places of a fixed-size thumb: start (also for no record), end
    // (also while a new record is begun after the last), middle.
    if (set->RecordNumbersSequential() && number >= 1)
      bar->SetParams(1, set->RecordTotal() + visible - 1, visible, number);
    else
      bar->SetParams(0, 4, 0, m_link.IsAtStart() ? 0 : m_link.IsAtEnd() ? 4 : 2);
    show = true;
  }
  if (show != wasVisible) bar->SetVisible(show);
  if (HScrollBar()) HScrollBar()->SetBoth(bar->Visible());
  if (show != wasVisible && Align() != TAlign::alNone && Parent()) {
    Parent()->Realign();
    Invalidate();
  }
}

void TskSkinCustomDBGrid::ApplySkinChange() {
  TskSkinCustomGrid::ApplySkinChange();
  RebuildLayout();
}

void TskSkinCustomDBGrid::SetVisible(bool visible) {
  TskSkinCustomGrid::SetVisible(visible);
  if (!visible) return;
  UpdateVScrollBar();
  UpdateScrollRange(false);
}

void TskSkinCustomDBGrid::Resized() {
  TskSkinCustomGrid::Resized();
  if (m_layingOut) return;
  UpdateRowCount();
  SyncCurrentRow();
  UpdateVScrollBar();
}

void TskSkinCustomDBGrid::ColumnMoved(int32_t from, int32_t to) {
  // The column's order lives in the collection (and in the field map) until
  // the next layout of a default-state grid puts the fields' order back.
  m_columns.Move(from - m_indicatorOffset, to - m_indicatorOffset);
  std::vector<TField*>& map = m_link.FieldMap();
  const auto f = static_cast<size_t>(from - m_indicatorOffset), t = static_cast<size_t>(to - m_indicatorOffset);
  if (f < map.size() && t < map.size()) {
    TField* field = map[f];
    map.erase(map.begin() + static_cast<std::ptrdiff_t>(f));
    map.insert(map.begin() + static_cast<std::ptrdiff_t>(t), field);
  }
  if (OnColumnMoved) OnColumnMoved(this, from - m_indicatorOffset, to - m_indicatorOffset);
}

void TskSkinCustomDBGrid::ColWidthsChanged() {
  // A width set by the user survives the next layout: in the field's
  // DisplayWidth for default-state columns, in the column otherwise.
  m_layingOut = true;
  for (int i = 0; i < m_columns.Count(); ++i) {
    TskColumn* c = m_columns[i];
    const int32_t w = ColWidths(GridColOf(i));
    if (w == c->Width() || w <= 0) continue;
    TField* f = c->Field();
    if (m_columns.State() == TskDBGridColumnsState::csDefault && f && !c->WidthAssigned()) {
      // Measured in the width of "0", the unit the default width is made of,
      // so that the next layout gives the width back (to half a "0").
      const int32_t zero = std::max(1, TextWidth(c->Font(), "0"));
      f->SetDisplayWidth(std::max(1, (w - 4 + zero / 2) / zero));
    } else {
      c->SetWidth(w);
    }
  }
  m_layingOut = false;
  UpdateColumnAttributes();
}

// --- what the data link tells ---------------------------------------------------------------

void TskSkinCustomDBGrid::TableActiveChanged(bool active) {
  if (!active) m_ownChange = false;
  for (int i = 0; i < m_columns.Count(); ++i) m_columns[i]->ClearField();
  RebuildLayout();
  UpdateVScrollBar();
}

void TskSkinCustomDBGrid::RecordSetChanged() {
  if (m_layingOut) return;
  UpdateRowCount();
  UpdateVScrollBar();
  SyncCurrentRow();
  Invalidate();
}

void TskSkinCustomDBGrid::WindowScrolled(int distance) {
  if (m_layingOut) return;
  InvalidateRow(Row());
  if (m_link.ActiveRecord() + m_titleOffset >= RowCount()) UpdateRowCount();
  UpdateVScrollBar();
  if (distance == 0) {
    // Nothing moved, but the values of any shown record may have changed
    // (a record other than the current one written while the controls
    // were disabled): every row is painted again.
    Invalidate();
  } else {
    if (std::abs(distance) > VisibleDataRows()) {
      Invalidate();
    } else {
      const int32_t line = m_dbOptions.Contains(O::dgRowLines) ? GridLineWidth() : 0;
      ScrollDataRows(-distance * (DefaultRowHeight() + line));
      if (m_indicatorOffset) InvalidateCol(0);
    }
  }
  SyncCurrentRow();
  InvalidateRow(Row());
  if (!Updating() && HandleAllocated()) UpdateWindow(Handle());
}

void TskSkinCustomDBGrid::InvalidateField(const TField* field) {
  if (!field) {
    Invalidate();
    return;
  }
  for (int i = 0; i < m_columns.Count(); ++i)
    if (m_columns[i]->Field() == field) InvalidateCol(GridColOf(i));
}

void TskSkinCustomDBGrid::RecordDataChanged(const TField* field) {
  InvalidateField(field);
}

void TskSkinCustomDBGrid::EditStateChanged() {
  const TDataSet* set = Set();
  if (!set || set->State() == TableState::Browse) m_ownChange = false;
  InvalidateIndicator(Row());
}

void TskSkinCustomDBGrid::LayoutChanged() {
  // A field's caption, width or visibility: the columns follow (not while
  // the grid itself stores a width in a field).
  RebuildLayout();
}

void TskSkinCustomDBGrid::InvalidateIndicator(int32_t row) {
  if (m_indicatorOffset) InvalidateCell(0, row);
}

// --- moving the record set ---------------------------------------------------------------------

void TskSkinCustomDBGrid::MoveBy(int distance) {
  TDataSet* set = Set();
  if (!set || distance == 0) return;
  BeginGridUpdate();
  try {
    set->MoveBy(distance);
  } catch (...) {
    EndGridUpdate();
    throw;
  }
  EndGridUpdate();
}

void TskSkinCustomDBGrid::MoveFirst() {
  if (TDataSet* set = Set()) set->MoveFirst();
}

void TskSkinCustomDBGrid::MoveLast() {
  if (TDataSet* set = Set()) set->MoveLast();
}

void TskSkinCustomDBGrid::SetRecordNumber(int number) {
  if (TDataSet* set = Set()) set->SetRecordNumber(number);
}

void TskSkinCustomDBGrid::MoveCurrent(int32_t col, int32_t row, bool moveAnchor, bool show) {
  const int32_t oldCol = Col();
  const auto alive = AliveToken();
  if (col != oldCol && OnColExit && !m_layingOut) {
    OnColExit(this, ColumnOf(oldCol));
    if (alive.expired()) return;
  }
  TskSkinCustomGrid::MoveCurrent(col, row, moveAnchor, show);
  if (Col() != oldCol && OnColEnter && !m_layingOut) OnColEnter(this, ColumnOf(Col()));
}

bool TskSkinCustomDBGrid::CanEditTable() const {
  const TDataSet* set = Set();
  return set && set->Active() && set->CanModify() && !m_readOnly;
}

void TskSkinCustomDBGrid::StartOwnInsert(bool append) {
  TDataSet* set = Set();
  if (!set) return;
  if (append)
    set->StartAppend();
  else
    set->StartInsert();
  m_ownChange = set->State() == TableState::Insert;
}

void TskSkinCustomDBGrid::CancelOwnChange() {
  TDataSet* set = Set();
  if (!set || !m_ownChange) return;
  if (set->State() == TableState::Edit || set->State() == TableState::Insert) set->CancelRecord();
  m_ownChange = false;
}

bool TskSkinCustomDBGrid::BooleanColumn(int32_t col) const {
  const TskColumn* c = ColumnOf(col);
  return c && IsBoolean(c->Field());
}

void TskSkinCustomDBGrid::ToggleBoolean() {
  TskColumn* c = SelectedColumn();
  TField* f = c ? c->Field() : nullptr;
  TDataSet* set = Set();
  if (!IsBoolean(f) || !set || !CanEditTable() || c->ReadOnly()) return;
  const bool value = set->RowBoolean(set->CurrentRow(), *f);
  if (set->State() == TableState::Browse) {
    set->StartEdit();
    m_ownChange = set->State() != TableState::Browse;
  }
  f->SetBoolean(!value);
}

void TskSkinCustomDBGrid::SetSkinMessage(TskSkinMessage* message) {
  if (m_skinMessage) m_skinMessage->RemoveFreeNotification(this);
  m_skinMessage = message;
  if (message) message->FreeNotification(this);
}

void TskSkinCustomDBGrid::Notification(TComponent* component, TOperation operation) {
  TskSkinCustomGrid::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_skinMessage) m_skinMessage = nullptr;
}

void TskSkinCustomDBGrid::DeleteCurrent() {
  TDataSet* set = Set();
  if (!set || !CanEditTable() || set->IsEmpty()) return;
  if (m_dbOptions.Contains(O::dgConfirmDelete)) {
    std::string question = SkinData() && SkinData()->ResourceStrData()
                               ? SkinData()->ResourceStrData()->GetResStr("DB_DELETE_QUESTION")
                               : std::string();
    if (question.empty()) question = "删除记录?";
    const auto alive = AliveToken();
    const int32_t answer =
        m_skinMessage ? m_skinMessage->MessageDlg(question, TMsgDlgType::mtConfirmation,
                                                  {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel})
                      : Application().MessageBox(question, "", MB_OKCANCEL | MB_ICONQUESTION);
    if (alive.expired() || answer != IDOK) return;
  }
  set->DeleteRecord();
}

// --- keys ------------------------------------------------------------------------------------------

void TskSkinCustomDBGrid::KeyDown(uint16_t& key, TShiftState shift) {
  // OnKeyDown and the form's preview; the engine's own moves are replaced.
  TskSkinControl::KeyDown(key, shift);
  if (key == 0 || !Active() || !CanGridAcceptKey(key, shift)) return;
  TDataSet& set = *Set();
  const bool rowSelect = m_dbOptions.Contains(O::dgRowSelect);
  const int32_t page = std::max(1, VisibleDataRows());
  const int32_t firstCol = m_indicatorOffset;
  const int32_t lastCol = ColCount() - 1;
  auto stepColumn = [this, firstCol, lastCol](int32_t dir) {
    for (int32_t c = Col() + dir; c >= firstCol && c <= lastCol; c += dir)
      if (ColWidths(c) > 0) {
        SetCol(c);
        return;
      }
  };
  const auto alive = AliveToken();
  if (shift.Contains(TShiftKey::Ctrl)) {
    switch (key) {
      case VK_UP:
      case VK_PRIOR: MoveBy(-m_link.ActiveRecord()); break;
      case VK_DOWN:
      case VK_NEXT: MoveBy(m_link.RecordCount() - m_link.ActiveRecord() - 1); break;
      case VK_HOME: MoveFirst(); break;
      case VK_END: MoveLast(); break;
      case VK_LEFT:
        if (!rowSelect) SetCol(firstCol);
        break;
      case VK_RIGHT:
        if (!rowSelect) SetCol(lastCol);
        break;
      case VK_DELETE: DeleteCurrent(); break;
      default: return;
    }
    key = 0;
    return;
  }
  switch (key) {
    case VK_TAB: {
      if (shift.Contains(TShiftKey::Alt) || !m_dbOptions.Contains(O::dgTabs)) return;
      const int32_t dir = shift.Contains(TShiftKey::Shift) ? -1 : 1;
      int32_t c = Col() + dir;
      while (c >= firstCol && c <= lastCol && (!TabStops(c) || ColWidths(c) <= 0)) c += dir;
      if (c >= firstCol && c <= lastCol) {
        SetCol(c);
      } else if (dir > 0 && !set.IsAtEnd()) {
        MoveBy(1);
        if (!alive.expired()) SetCol(firstCol);
      } else if (dir < 0 && !set.IsAtStart()) {
        MoveBy(-1);
        if (!alive.expired()) SetCol(lastCol);
      }
      break;
    }
    case VK_ESCAPE: CancelOwnChange(); break;
    case VK_PRIOR: MoveBy(-page); break;
    case VK_NEXT: MoveBy(page); break;
    case VK_HOME:
      if (rowSelect || m_columns.Count() == 1)
        MoveFirst();
      else
        SetCol(firstCol);
      break;
    case VK_END:
      if (rowSelect || m_columns.Count() == 1)
        MoveLast();
      else
        SetCol(lastCol);
      break;
    case VK_UP: MoveBy(-1); break;
    case VK_DOWN:
      if (set.State() == TableState::Insert && m_ownChange && !set.Modified() && set.IsAtEnd()) {
        CancelOwnChange();
      } else if (set.IsAtEnd() || set.RecordNumber() >= set.RecordTotal()) {
        if (CanEditTable() && m_dbOptions.Contains(O::dgEditing) && set.State() == TableState::Browse)
          StartOwnInsert(true);
      } else {
        MoveBy(1);
      }
      break;
    case VK_LEFT:
      if (rowSelect)
        MoveBy(-1);
      else
        stepColumn(-1);
      break;
    case VK_RIGHT:
      if (rowSelect)
        MoveBy(1);
      else
        stepColumn(1);
      break;
    case VK_INSERT:
      if (CanEditTable() && m_dbOptions.Contains(O::dgEditing)) StartOwnInsert(false);
      break;
    default: return;
  }
  if (!alive.expired()) key = 0;
}

void TskSkinCustomDBGrid::KeyPress(char32_t& key) {
  TskSkinCustomGrid::KeyPress(key);
  if (key == 0 || !Active() || !BooleanColumn(Col())) return;
  if (key == U'\r' || key == U' ') ToggleBoolean();
  key = 0;
}

// --- mouse ------------------------------------------------------------------------------------------

void TskSkinCustomDBGrid::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (!FocusForPress()) return;
  if (shift.Contains(TShiftKey::Double)) {
    // The first click made the record current; the double click raised
    // OnDblClick already.
    TskSkinControl::MouseDown(button, shift, x, y);
    return;
  }
  const TskGridCoord cell = MouseCoord(x, y);
  if (button == TMouseButton::Left && (SizingZoneAt(x, y) || (cell.Y >= 0 && cell.Y < m_titleOffset))) {
    TskSkinCustomGrid::MouseDown(button, shift, x, y);  // column sizing
    return;
  }
  const int index = cell.Y - m_titleOffset;
  if (Active() && cell.X >= 0 && cell.Y >= m_titleOffset && index < m_link.RecordCount()) {
    const bool sameCell = cell.X == Col() && index == m_link.ActiveRecord();
    BeginGridUpdate();
    try {
      if (index != m_link.ActiveRecord()) MoveBy(index - m_link.ActiveRecord());
      if (!alive.expired() && !m_dbOptions.Contains(O::dgRowSelect) && cell.X >= m_indicatorOffset) SetCol(cell.X);
      if (!alive.expired() && sameCell && button == TMouseButton::Left && BooleanColumn(cell.X)) ToggleBoolean();
    } catch (...) {
      if (!alive.expired()) EndGridUpdate();
      throw;
    }
    if (alive.expired()) return;
    EndGridUpdate();
  }
  TskSkinControl::MouseDown(button, shift, x, y);
}

void TskSkinCustomDBGrid::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  TskSkinCustomGrid::MouseUp(button, shift, x, y);
  if (alive.expired() || button != TMouseButton::Left || ReleaseEndedDrag()) return;
  const TskGridCoord cell = MouseCoord(x, y);
  if (cell.X < m_indicatorOffset || cell.Y < 0) return;
  if (cell.Y < m_titleOffset) {
    if (OnTitleClick) OnTitleClick(this, ColumnOf(cell.X));
  } else if (OnCellClick) {
    OnCellClick(this, SelectedColumn());
  }
}

bool TskSkinCustomDBGrid::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  if (TskSkinControl::DoMouseWheel(shift, delta, pos)) return true;
  // With or without MouseWheelSupport the wheel moves the current record by
  // one, so the highlighted row is always the current record.
  if (Active()) MoveBy(delta > 0 ? -1 : 1);
  return true;
}

void TskSkinCustomDBGrid::DoExit() {
  // Only an insert the grid started and nothing was written to is dropped.
  const TDataSet* set = Set();
  if (Active() && m_dbOptions.Contains(O::dgCancelOnExit) && set->State() == TableState::Insert && m_ownChange &&
      !set->Modified())
    CancelOwnChange();
  TskSkinCustomGrid::DoExit();
}

void TskSkinCustomDBGrid::ScrollRequest(bool vertical, uint32_t code, int32_t position) {
  if (!vertical) {
    TskSkinCustomGrid::ScrollRequest(false, code, position);
    return;
  }
  TDataSet* set = Set();
  if (!Active() || !CanFocus()) return;
  const int32_t page = std::max(1, VisibleDataRows());
  switch (code) {
    case SB_LINEUP: MoveBy(-m_link.ActiveRecord() - 1); break;
    case SB_LINEDOWN: MoveBy(m_link.RecordCount() - m_link.ActiveRecord()); break;
    case SB_PAGEUP: MoveBy(-page); break;
    case SB_PAGEDOWN: MoveBy(page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (set->RecordNumbersSequential()) {
        if (position <= 1)
          MoveFirst();
        else if (position < set->RecordTotal())
          SetRecordNumber(position);
        else
          MoveLast();
      } else {
        switch (position) {
          case 0: MoveFirst(); break;
          case 1: MoveBy(-page); break;
          case 3: MoveBy(page); break;
          case 4: MoveLast(); break;
          default: break;
        }
      }
      break;
    case SB_TOP: MoveFirst(); break;
    case SB_BOTTOM: MoveLast(); break;
    default: break;
  }
}

// --- state for the UI scripting ---------------------------------------------------------------

void TskSkinCustomDBGrid::DescribeState(TStateDescription& state) {
  TskSkinCustomGrid::DescribeState(state);
  std::vector<int> shown;
  TJsonValue columns = TJsonValue::Array();
  for (int i = 0; i < m_columns.Count(); ++i)
    if (ColWidths(GridColOf(i)) > 0) {
      shown.push_back(i);
      columns.Append(m_columns[i]->TitleCaption());
    }
  state.Set("columns", std::move(columns));
  const TDataSet* set = Active() ? Set() : nullptr;
  // Record numbers of rows; the record set's rows are its records in order.
  auto recordNumber = [set](int row) { return set && set->RecordNumbersSequential() ? row + 1 : -1; };
  TJsonValue rows = TJsonValue::Array();
  for (int i = 0; set && i < m_link.RecordCount(); ++i) {
    TJsonValue texts = TJsonValue::Array();
    for (int c : shown) {
      const std::string text = CellText(c, i);
      texts.Append(text);
      const TRect cell = CellRect(GridColOf(c), m_titleOffset + i);
      const TRect visible{cell.Left, cell.Top, std::min(cell.Right, ClientWidth()), std::min(cell.Bottom, ClientHeight())};
      if (RectIsEmpty(visible)) continue;
      TStateItem item;
      item.Text = text;
      item.Bounds = visible.Offsetted(ClientOrigin());
      item.Fields.Set("row", recordNumber(m_link.RowOf(i)));
      item.Fields.Set("column", c);
      item.Fields.Set("selected", i == m_link.ActiveRecord());
      state.AddItem(std::move(item));
    }
    rows.Append(std::move(texts));
  }
  state.Set("rows", std::move(rows));
  state.Set("topRow", set && m_link.RecordCount() > 0 ? recordNumber(m_link.FirstRow()) : -1);
  const int current = set ? set->RecordNumber() : 0;
  state.Set("selectedRow", current >= 1 ? current : -1);
  state.Set("readOnly", m_readOnly);
}

// --- painting --------------------------------------------------------------------------------------

bool TskSkinCustomDBGrid::RowHasContent(int32_t row) const {
  return Active() && row - m_titleOffset < m_link.RecordCount();
}

bool TskSkinCustomDBGrid::HighlightsSelection() const {
  return GridFocused() || m_dbOptions.Contains(O::dgAlwaysShowSelection);
}

void TskSkinCustomDBGrid::DrawCellText(TCanvas& canvas, const TRect& textRect, const std::string& text,
                                       TAlignment alignment, int32_t d) {
  TDeviceContext& dc = *canvas.Handle();
  const TSize size = dc.TextExtent(text);
  const TPoint p = CellTextOrigin(textRect, size, alignment, d);
  dc.SetBkMode(TBkMode::Transparent);
  dc.TextRect(textRect, p.X, p.Y, text);
}

void TskSkinCustomDBGrid::DrawCell(TCanvas& canvas, int32_t col, int32_t row, const TRect& rect,
                                   TskGridDrawState state) {
  if (col < m_indicatorOffset) {
    if (row >= m_titleOffset) DrawIndicator(canvas, rect, row);
    return;
  }
  TskColumn* column = ColumnOf(col);
  if (row < m_titleOffset) {
    DrawTitle(canvas, rect, column, state);
    return;
  }
  DrawData(canvas, rect, col, row, column, state);
}

void TskSkinCustomDBGrid::PreparePaint() {
  // The fonts of this paint, resolved once (a font's face is looked up again
  // whenever an attribute changes).
  const TskDataSkinGridControl& s = GridSkin();
  const bool skinFonts = Skinned() && UseSkinFont();
  ui::TFont cell, title;
  if (skinFonts) {
    const TskSkinFont cellKeys{s.FontName, s.FontHeight, s.FontStyle};
    const TskSkinFont titleKeys{s.FixedFontName, s.FixedFontHeight, s.FixedFontStyle};
    SelectControlFont(cell, Font(), &cellKeys, SkinData());
    SelectControlFont(title, m_titleFont, &titleKeys, SkinData());
  }
  if (!m_cellFont.SameAs(cell)) m_cellFont.Assign(cell);
  if (!m_titleCellFont.SameAs(title)) m_titleCellFont.Assign(title);
}

void TskSkinCustomDBGrid::DrawTitle(TCanvas& canvas, const TRect& rect, TskColumn* column, TskGridDrawState state) {
  if (!column) return;
  TDeviceContext& dc = *canvas.Handle();
  const bool skinned = Skinned();
  const ui::TFont* font = skinned && UseSkinFont() ? &m_titleCellFont : &column->TitleFont();
  TColor color = skinned ? GridSkin().FixedFontColor : font->Color();
  TColor background = column->TitleColor();
  ui::TFont changed;
  if (OnGetCellParam) {
    changed.Assign(*font);
    changed.SetColor(color);
    OnGetCellParam(this, column, changed, background, state);
    color = changed.Color();
    font = &changed;
  }
  if (!skinned && background != FixedColor()) dc.FillRect(rect, background);
  dc.SetFont(font->Handle());
  dc.SetTextColor(color);
  const TRect textRect = skinned ? CellTextRect(GridLooks(), TskCellLook::Fixed, rect, UseSkinCellHeight()) : rect;
  DrawCellText(canvas, textRect, column->TitleCaption(), column->TitleAlignment(), skinned ? 0 : 2);
}

void TskSkinCustomDBGrid::DrawIndicator(TCanvas& canvas, const TRect& rect, int32_t row) {
  if (!RowHasContent(row) || row != Row()) return;
  TDeviceContext& dc = *canvas.Handle();
  const TRect r = Skinned() ? CellTextRect(GridLooks(), TskCellLook::Fixed, rect, UseSkinCellHeight()) : rect;
  const int32_t cx = r.Left + r.Width() / 2;
  const int32_t cy = r.Top + r.Height() / 2;
  const TColor ink = Skinned() ? GridSkin().FixedFontColor : TColor(clBtnText);
  switch (Set()->State()) {
    case TableState::Edit:  // an I-beam
      dc.FillRect({cx - 1, cy - 4, cx + 1, cy + 5}, ink);
      dc.FillRect({cx - 3, cy - 5, cx + 3, cy - 4}, ink);
      dc.FillRect({cx - 3, cy + 5, cx + 3, cy + 6}, ink);
      break;
    case TableState::Insert:  // a star
      dc.FillRect({cx - 3, cy, cx + 4, cy + 1}, ink);
      dc.FillRect({cx, cy - 3, cx + 1, cy + 4}, ink);
      dc.SetPixel(cx - 2, cy - 2, ink);
      dc.SetPixel(cx + 2, cy - 2, ink);
      dc.SetPixel(cx - 2, cy + 2, ink);
      dc.SetPixel(cx + 2, cy + 2, ink);
      break;
    default: DrawArrowGlyph(dc, TRect{cx - 4, cy - 4, cx + 4, cy + 5}, ink, 2); break;
  }
}

void TskSkinCustomDBGrid::DrawData(TCanvas& canvas, const TRect& rect, int32_t col, int32_t row, TskColumn* column,
                                   TskGridDrawState state) {
  const int index = row - m_titleOffset;
  const TDataSet* set = Set();
  if (!set || !Active() || index >= m_link.RecordCount() || !column) return;
  if (!DefaultDrawing()) {
    RaiseDrawDataCell(canvas, rect, col, column, state);
    return;
  }
  TDeviceContext& dc = *canvas.Handle();
  const bool skinned = Skinned();
  const bool rowSelect = m_dbOptions.Contains(O::dgRowSelect);
  const TskCellLook look = skinned ? CellLookOf(state, rowSelect, GridFocused()) : TskCellLook::Plain;
  const bool highlight = !skinned && state.Contains(TskGridDrawStateFlag::gdSelected) && HighlightsSelection() &&
                         !(state.Contains(TskGridDrawStateFlag::gdFocused) && !rowSelect);
  const ui::TFont& base = m_useColumnsFont ? column->Font() : Font();
  const TskDataSkinGridControl& s = GridSkin();
  TColor color = 0;
  TColor background = skinned ? s.BGColor : column->Color();
  const ui::TFont* font = skinned && UseSkinFont() ? &m_cellFont : &base;
  if (skinned) {
    color = look == TskCellLook::Focus ? s.FocusFontColor : look == TskCellLook::Select ? s.SelectFontColor : s.FontColor;
  } else {
    color = highlight ? TColor(clHighlightText) : !Enabled() ? TColor(clGrayText) : base.Color();
    if (!highlight && background != Color()) dc.FillRect(rect, background);
  }
  ui::TFont changed;
  if (OnGetCellParam) {
    changed.Assign(*font);
    changed.SetColor(color);
    const TColor before = background;
    OnGetCellParam(this, column, changed, background, state);
    if (background != before && look == TskCellLook::Plain && !highlight) dc.FillRect(rect, background);
    color = changed.Color();
    font = &changed;
  }
  dc.SetFont(font->Handle());
  dc.SetTextColor(color);

  const bool inImage = skinned && look != TskCellLook::Plain;
  const TRect textRect = inImage ? CellTextRect(GridLooks(), look, rect, UseSkinCellHeight()) : rect;
  const TField* f = column->Field();
  const int dataRow = m_link.RowOf(index);
  if (IsBoolean(f)) {
    const bool value = set->RowBoolean(dataRow, *f);
    const auto* check = skinned && SkinData() ? SkinData()->FindControl<TskDataSkinCheckRadioControl>("checkbox") : nullptr;
    if (check) {
      const TBitmap* picture = SkinData()->ActivePicture(check->PictureIndex);
      const TRect& mark = value ? check->CheckImageRect : check->UnCheckImageRect;
      if (picture && !RectIsEmpty(mark)) {
        const TRect to = TRect::FromSize(textRect.Left + textRect.Width() / 2 - mark.Width() / 2,
                                         textRect.Top + textRect.Height() / 2 - mark.Height() / 2, mark.Width(),
                                         mark.Height());
        dc.TransparentBlt(to, picture->Surface(), mark, picture->GetPixel(mark.Left, mark.Bottom - 1));
      }
    } else if (!skinned && value) {
      DrawCheckGlyph(dc, rect.Left + rect.Width() / 2 - 4, rect.Top + rect.Height() / 2 - 4, color);
    }
  } else if (f) {
    DrawCellText(canvas, textRect, set->RowText(dataRow, *f), column->Alignment(), inImage ? 0 : 2);
  }
  RaiseDrawDataCell(canvas, rect, col, column, state);
}

void TskSkinCustomDBGrid::RaiseDrawDataCell(TCanvas& canvas, const TRect& rect, int32_t col, TskColumn* column,
                                            TskGridDrawState state) {
  if (OnDrawDataCell && m_columns.State() == TskDBGridColumnsState::csDefault)
    OnDrawDataCell(this, canvas, rect, column->Field(), state);
  if (OnDrawColumnCell) OnDrawColumnCell(this, canvas, rect, col - m_indicatorOffset, column, state);
}

}  // namespace tsm
