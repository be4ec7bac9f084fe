#include "framework/base/DataSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tsm {

namespace {

// A record set whose state and notices the test drives directly.
class TTestSet : public TDataSet {
 public:
  using TDataSet::NotifyDataChange;
  using TDataSet::SetState;
};

class TRecorder : public TableListener {
 public:
  void OnStateChange(TDataSet& dataSet) override { log.push_back("state:" + Name(dataSet.State())); }
  void OnDataChange(TDataSet&, const TField* field) override { log.push_back(field ? "data:field" : "data"); }
  void OnDataSetDestroying(TDataSet&) override { log.push_back("destroying"); }
  static std::string Name(TableState s) {
    switch (s) {
      case TableState::Inactive: return "Inactive";
      case TableState::Browse: return "Browse";
      case TableState::Edit: return "Edit";
      case TableState::Insert: return "Insert";
    }
    return "?";
  }
  std::vector<std::string> log;
};

}  // namespace

TEST(DataSet, AnnouncesOnlyRealStateChanges) {
  TTestSet set;
  TRecorder r;
  set.AddListener(&r);
  set.AddListener(&r);  // registered once
  set.SetState(TableState::Browse);
  set.SetState(TableState::Browse);
  set.SetState(TableState::Edit);
  EXPECT_EQ(r.log, (std::vector<std::string>{"state:Browse", "state:Edit"}));
  set.RemoveListener(&r);
  set.SetState(TableState::Browse);
  EXPECT_EQ(r.log.size(), 2u);
}

TEST(DataSet, HoldBackNestsAndReleasesWithOneRefresh) {
  TRecorder r;  // outlives the set, which tells it of its destruction
  TTestSet set;
  set.AddListener(&r);
  set.SetState(TableState::Browse);
  r.log.clear();
  set.DisableControls();
  set.DisableControls();
  set.SetState(TableState::Edit);
  set.NotifyDataChange(nullptr);
  set.EnableControls();
  EXPECT_TRUE(r.log.empty());
  set.EnableControls();
  EXPECT_EQ(r.log, (std::vector<std::string>{"state:Edit", "data"}));
  set.EnableControls();  // unbalanced release is ignored
  EXPECT_EQ(r.log.size(), 2u);
}

TEST(DataSet, ListenerMayRemoveAnotherDuringNotification) {
  TRecorder second;
  struct TRemover : TableListener {
    TDataSet* set = nullptr;
    TableListener* victim = nullptr;
    void OnStateChange(TDataSet&) override { set->RemoveListener(victim); }
    void OnDataChange(TDataSet&, const TField*) override {}
  } remover;
  TTestSet set;
  remover.set = &set;
  remover.victim = &second;
  set.AddListener(&remover);
  set.AddListener(&second);
  set.SetState(TableState::Browse);
  EXPECT_TRUE(second.log.empty());
}

TEST(DataSet, ListenersRemovedDuringTheDestroyingNoticeAreNotCalled) {
  // The first listener to hear of the end lets go of two others: one is
  // only removed, the other dies (it must not be called into freed memory).
  struct TLeader : TableListener {
    TDataSet* set = nullptr;
    TRecorder* removed = nullptr;
    TRecorder* freed = nullptr;
    void OnStateChange(TDataSet&) override {}
    void OnDataChange(TDataSet&, const TField*) override {}
    void OnDataSetDestroying(TDataSet&) override {
      set->RemoveListener(removed);
      set->RemoveListener(freed);
      delete freed;
      freed = nullptr;
    }
  } leader;
  TRecorder removed, last;
  {
    TTestSet set;
    leader.set = &set;
    leader.removed = &removed;
    leader.freed = new TRecorder();
    set.AddListener(&leader);
    set.AddListener(leader.freed);
    set.AddListener(&removed);
    set.AddListener(&last);
  }
  EXPECT_TRUE(removed.log.empty());
  EXPECT_EQ(last.log, (std::vector<std::string>{"destroying"})) << "the others still hear of it";
}

TEST(DataSource, ListenersRemovedWhileTheSourceGoesAreNotCalled) {
  struct TLeaver : TableListener {
    TDataSource* source = nullptr;
    TableListener* other = nullptr;
    int seen = 0;
    void OnStateChange(TDataSet&) override {}
    void OnDataChange(TDataSet&, const TField*) override {}
    void OnDataSourceDestroying(TDataSource&) override {
      ++seen;
      if (other) source->RemoveListener(other);
    }
  } a, b;
  {
    TDataSource source;
    a.source = b.source = &source;
    a.other = &b;
    source.AddListener(&a);
    source.AddListener(&b);
  }
  EXPECT_EQ(a.seen, 1);
  EXPECT_EQ(b.seen, 0);
}

TEST(DataSource, ForwardsToHandlersAndListenersAndForgetsADestroyedSet) {
  TRecorder grid;  // outlives the source, which tells it of its destruction
  TDataSource source;
  source.AddListener(&grid);
  int states = 0, datas = 0;
  source.OnStateChange = [&](TDataSource&) { ++states; };
  source.OnDataChange = [&](TDataSource&, const TField*) { ++datas; };
  EXPECT_EQ(source.State(), TableState::Inactive);
  {
    TTestSet set;
    source.SetDataSet(&set);
    EXPECT_EQ(states, 1);
    EXPECT_EQ(datas, 1);
    set.SetState(TableState::Browse);
    EXPECT_EQ(source.State(), TableState::Browse);
    EXPECT_EQ(states, 2);
    set.NotifyDataChange(nullptr);
    EXPECT_EQ(datas, 2);
    grid.log.clear();
  }
  EXPECT_EQ(source.DataSet(), nullptr);
  EXPECT_EQ(source.State(), TableState::Inactive);
  EXPECT_EQ(grid.log, (std::vector<std::string>{"destroying"}));
}

}  // namespace tsm

namespace tsm {

TEST(DataSource, TellsItsListenersWhenItIsDestroyedAndForgetsThem) {
  struct TWatcher : TableListener {
    void OnStateChange(TDataSet&) override {}
    void OnDataChange(TDataSet&, const TField*) override {}
    void OnDataSourceDestroying(TDataSource& source) override { seen = &source; }
    TDataSource* seen = nullptr;
  } watcher;
  TTestSet set;
  TDataSource* raw = nullptr;
  {
    TDataSource source;
    raw = &source;
    source.SetDataSet(&set);
    source.AddListener(&watcher);
  }
  EXPECT_EQ(watcher.seen, raw);
  set.SetState(TableState::Browse);  // the set no longer reaches the dead source
}

TEST(DataSet, ContractDefaultsDescribeAnEmptyUnchangeableRecordSet) {
  TTestSet set;
  TDataSet& s = set;
  EXPECT_EQ(s.FieldCount(), 0);
  EXPECT_EQ(s.Fields(0), nullptr);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.RecordNumber(), 0);
  EXPECT_EQ(s.RecordTotal(), 0);
  EXPECT_EQ(s.MoveBy(5), 0);
  EXPECT_FALSE(s.CanModify());
  EXPECT_EQ(s.RowCount(), 0);
  EXPECT_EQ(s.CurrentRow(), -1);
}

}  // namespace tsm
