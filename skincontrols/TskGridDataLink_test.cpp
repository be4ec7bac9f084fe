// The grid's data link: the window of rows around the current record, the
// translation of the record set's notifications into the grid's, and that
// nothing the link does ends a pending change.

#include "skincontrols/TskGridDataLink.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "memtable/MemTable.h"

namespace tsm {
namespace {

class TClient : public TskGridDataLinkClient {
 public:
  void TableActiveChanged(bool active) override { log.push_back(active ? "active" : "inactive"); }
  void RecordSetChanged() override { log.push_back("recordset"); }
  void WindowScrolled(int distance) override { log.push_back("scrolled:" + std::to_string(distance)); }
  void RecordDataChanged(const TField* field) override { log.push_back("field:" + field->FieldName()); }
  void EditStateChanged() override { log.push_back("state"); }
  void LayoutChanged() override { log.push_back("layout"); }
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

std::unique_ptr<TmtMemTable> NumberTable(int rows) {
  auto table = std::make_unique<TmtMemTable>();
  table->AddStringField("name", 20);
  table->Open();
  for (int i = 0; i < rows; ++i) {
    table->StartAppend();
    table->FieldNamed("name")->SetText("r" + std::to_string(i));
    table->PostRecord();
  }
  table->MoveFirst();
  return table;
}

TEST(GridWindow, FirstRowMovesAsLittleAsPossible) {
  struct Case {
    int first, size, count, current, result;
  } cases[] = {
      {0, 10, 30, 5, 0},    {0, 10, 30, 12, 3},   {3, 10, 30, 2, 2},   {20, 10, 30, 29, 20},
      {20, 10, 29, 28, 19},  // a deletion at the end pulls the window up
      {5, 10, 8, 3, 0},      // fewer rows than the window
      {4, 10, 0, -1, 0},     // empty
      {7, 0, 30, 9, 9},      // a window of at least one row
  };
  for (const Case& c : cases)
    EXPECT_EQ(GridWindowFirst(c.first, c.size, c.count, c.current), c.result) << c.first << "/" << c.current;
}

class GridDataLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table = NumberTable(30);
    source.SetDataSet(table.get());
    link.SetWindowSize(10);
    link.SetDataSource(&source);
    client.Take();
  }
  std::unique_ptr<TmtMemTable> table;
  TDataSource source;
  TClient client;
  TskGridDataLink link{client};
};

TEST_F(GridDataLinkTest, CursorMovesScrollTheWindow) {
  EXPECT_EQ(link.RecordCount(), 10);
  table->MoveBy(5);
  EXPECT_EQ(client.Take(), (Log{"scrolled:0"}));
  EXPECT_EQ(link.ActiveRecord(), 5);
  table->MoveBy(7);  // row 12: the window starts at 3
  EXPECT_EQ(client.Take(), (Log{"scrolled:3"}));
  EXPECT_EQ(link.FirstRow(), 3);
  EXPECT_EQ(link.ActiveRecord(), 9);
  table->MoveFirst();
  EXPECT_EQ(client.Take(), (Log{"scrolled:-3"}));
  table->MoveLast();
  EXPECT_EQ(client.Take(), (Log{"scrolled:20"}));
  EXPECT_EQ(link.RowOf(link.ActiveRecord()), 29);
  EXPECT_TRUE(link.IsAtEnd());
}

// The ends are the first and the last row, however the cursor got there:
// a move that lands on the last record exactly leaves the table's own end
// flag clear.
TEST_F(GridDataLinkTest, TheEndsAreTheFirstAndTheLastRow) {
  EXPECT_TRUE(link.IsAtStart());
  EXPECT_FALSE(link.IsAtEnd());
  table->MoveBy(29);
  EXPECT_FALSE(table->IsAtEnd());
  EXPECT_TRUE(link.IsAtEnd());
  EXPECT_FALSE(link.IsAtStart());
  table->SetRecordNumber(1);
  EXPECT_FALSE(table->IsAtStart());
  EXPECT_TRUE(link.IsAtStart());
  table->SetRecordNumber(15);
  EXPECT_FALSE(link.IsAtStart());
  EXPECT_FALSE(link.IsAtEnd());
  table->MoveFirst();
  table->StartAppend();  // the new record is a row after the last
  EXPECT_FALSE(link.IsAtStart());
  EXPECT_TRUE(link.IsAtEnd());
  table->CancelRecord();
  auto empty = NumberTable(0);
  source.SetDataSet(empty.get());
  EXPECT_TRUE(link.IsAtStart());
  EXPECT_TRUE(link.IsAtEnd());
  source.SetDataSet(nullptr);
}

TEST_F(GridDataLinkTest, ChangesOfTheRecordSetAreToldApart) {
  table->MoveLast();
  client.Take();
  table->DeleteRecord();  // window pulled up by one row
  EXPECT_EQ(client.Take().back(), "recordset");
  EXPECT_EQ(link.FirstRow(), 19);
  EXPECT_EQ(link.RecordCount(), 10);

  table->StartAppend();  // the new record is a row of its own
  EXPECT_EQ(client.Take(), (Log{"state", "recordset"}));
  table->FieldNamed("name")->SetText("new");
  EXPECT_EQ(client.Take(), (Log{"field:name"}));
  table->PostRecord();
  EXPECT_EQ(client.Take(), (Log{"state", "recordset"}));

  table->StartEdit();
  table->FieldNamed("name")->SetText("changed");
  table->PostRecord();  // same records: the current row is repainted in place
  EXPECT_EQ(client.Take(), (Log{"state", "scrolled:0", "field:name", "state", "scrolled:0"}));

  // A field's look: a layout change (once per real change; held back and
  // then delivered before the refresh).
  table->FieldNamed("name")->SetVisible(false);
  table->FieldNamed("name")->SetVisible(false);
  EXPECT_EQ(client.Take(), (Log{"layout"}));
  table->DisableControls();
  table->FieldNamed("name")->SetDisplayWidth(3);
  table->FieldNamed("name")->SetDisplayLabel("名称");
  EXPECT_TRUE(client.Take().empty());
  table->EnableControls();
  EXPECT_EQ(client.Take(), (Log{"layout", "scrolled:0"}));

  table->Close();
  EXPECT_EQ(client.Take(), (Log{"inactive"}));
  EXPECT_EQ(link.RecordCount(), 0);
  table->Open();
  EXPECT_EQ(client.Take().front(), "active");
}

TEST_F(GridDataLinkTest, ReadingAndResizingNeverEndAPendingChange) {
  table->MoveBy(3);
  table->StartEdit();
  table->FieldNamed("name")->SetText("running 42%");
  client.Take();
  for (int size : {1, 4, 30, 10}) link.SetWindowSize(size);
  TDataSet& set = *link.DataSet();
  for (int i = 0; i < link.RecordCount(); ++i) set.RowText(link.RowOf(i), *table->FieldNamed("name"));
  EXPECT_EQ(table->State(), TableState::Edit);
  EXPECT_TRUE(table->Modified());
  EXPECT_EQ(set.RowText(3, *table->FieldNamed("name")), "running 42%");
  EXPECT_TRUE(client.Take().empty());
}

TEST_F(GridDataLinkTest, ARecordSetOrSourceThatGoesAwayClosesTheGrid) {
  table.reset();
  EXPECT_EQ(client.Take(), (Log{"inactive"}));
  EXPECT_EQ(link.DataSet(), nullptr);
  EXPECT_FALSE(link.Active());

  auto other = NumberTable(3);
  {
    TDataSource temporary;
    temporary.SetDataSet(other.get());
    link.SetDataSource(&temporary);
    EXPECT_EQ(client.Take(), (Log{"active"}));
    EXPECT_EQ(link.RecordCount(), 3);
  }
  EXPECT_EQ(client.Take(), (Log{"inactive"}));
  EXPECT_EQ(link.DataSource(), nullptr);
  other->MoveLast();  // nobody listens any more
  EXPECT_TRUE(client.Take().empty());
}

TEST_F(GridDataLinkTest, HeldBackNotificationsArriveAsOneRefresh) {
  table->DisableControls();
  table->MoveBy(15);
  table->MoveBy(-2);
  EXPECT_TRUE(client.Take().empty());
  table->EnableControls();
  EXPECT_EQ(client.Take(), (Log{"scrolled:4"}));
}

}  // namespace
}  // namespace tsm
