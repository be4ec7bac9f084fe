#pragma once
// TskGridDataLink: connects a data grid to a record set through a data
// source. It listens to the source, keeps a window of consecutive rows that
// holds the current record (as many rows as the grid shows), and turns the
// record set's two notifications into the grid's finer ones:
//
//   record set                       grid (TskGridDataLinkClient)
//   opened or closed                 TableActiveChanged(active)
//   state change while open          EditStateChanged()
//   a field written                  RecordDataChanged(field)
//   data change, same rows, moved    WindowScrolled(distance): the window
//     cursor or changed the current    moved by distance rows (0: it did not;
//     record's values                  the values of any shown record may
//                                      have changed, e.g. after controls
//                                      were disabled)
//   data change, other rows          RecordSetChanged(): records came, went
//                                      or were reordered
//   layout change (a field's         LayoutChanged()
//     caption, width, visibility)
//
// The link never moves the record set's cursor and never completes a
// pending change: it reads rows through the record set's row access
// (TDataSet::RowCount, RowBookmark ...), so a record held in Edit keeps its
// pending change however the grid paints or scrolls.
//
// The window: rows First .. First + Size - 1 of the record set's rows
// (TDataSet::RowCount; in Insert the record being composed is one of them).
// When the current row leaves the window, the window moves just far enough
// to show it again; it never extends beyond the last row while it could
// start earlier (after a deletion near the end it moves up).

#include <vector>

#include "framework/base/DataSet.h"

namespace tsm {

class TskGridDataLinkClient {
 public:
  virtual ~TskGridDataLinkClient() = default;
  virtual void TableActiveChanged(bool active) = 0;
  virtual void RecordSetChanged() = 0;
  virtual void WindowScrolled(int distance) = 0;
  virtual void RecordDataChanged(const TField* field) = 0;
  virtual void EditStateChanged() = 0;
  virtual void LayoutChanged() = 0;
};

// The first row of a window of `size` rows over `count` rows that shows row
// `current` (-1: none), moved as little as possible from `first`.
int GridWindowFirst(int first, int size, int count, int current);

class TskGridDataLink : public TableListener {
 public:
  explicit TskGridDataLink(TskGridDataLinkClient& client);
  ~TskGridDataLink() override;
  TskGridDataLink(const TskGridDataLink&) = delete;
  TskGridDataLink& operator=(const TskGridDataLink&) = delete;

  TDataSource* DataSource() const { return m_source; }
  // Registers with the source (none: nullptr) and announces the new state
  // to the grid (TableActiveChanged).
  void SetDataSource(TDataSource* source);
  // The record set behind the source; null when none is attached (or it is
  // being destroyed).
  TDataSet* DataSet() const;
  bool Active() const;

  // --- the window ---------------------------------------------------------
  int WindowSize() const { return m_size; }
  // At least 1. Moves the window when the current row would leave it; says
  // nothing to the grid (the grid asked).
  void SetWindowSize(int size);
  int FirstRow() const { return m_first; }
  // Rows in the window (fewer than WindowSize at the end of the record set).
  int RecordCount() const;
  // Index of the current record in the window; 0 when there is none.
  int ActiveRecord() const;
  // The record set's row of a window index.
  int RowOf(int index) const { return m_first + index; }
  // The current row is the first (last) row of the record set; with no
  // row at all both hold. Read from the rows, not from the record set's own
  // start and end flags: those are set only by a move that tried to pass
  // an end, so a cursor that stepped onto the last record exactly (a click,
  // Down) would not count as at the end, and they are left as they were
  // when a new record is begun.
  bool IsAtStart() const;
  bool IsAtEnd() const;

  // --- the field map --------------------------------------------------------
  // One entry per grid column, in column order (null: the column has no
  // field); filled by the grid's layout.
  std::vector<TField*>& FieldMap() { return m_fieldMap; }
  const std::vector<TField*>& FieldMap() const { return m_fieldMap; }

  // TableListener
  void OnStateChange(TDataSet& dataSet) override;
  void OnDataChange(TDataSet& dataSet, const TField* field) override;
  void OnLayoutChange(TDataSet& dataSet) override;
  void OnDataSetDestroying(TDataSet& dataSet) override;
  void OnDataSourceDestroying(TDataSource& source) override;

 private:
  // Moves the window to the current row and remembers the rows it shows.
  void Resync();
  std::vector<TBookmark> WindowBookmarks(int first) const;
  void ActiveMaybeChanged();

  TskGridDataLinkClient& m_client;
  TDataSource* m_source = nullptr;
  TDataSet* m_dying = nullptr;  // being destroyed: no longer reachable
  bool m_active = false;
  int m_size = 1;
  int m_first = 0;
  int m_rowCount = 0;
  std::vector<TBookmark> m_rows;  // bookmarks of the window's rows
  std::vector<TField*> m_fieldMap;
};

}  // namespace tsm
