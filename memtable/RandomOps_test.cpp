// Random sequences of table operations, each checked against a simple model:
// a vector of rows in table order, a cursor over the rows in view, and the
// pending change. The model is written from the table's rules, not from its
// code: the view is "the rows the filter accepts, in table order", sorting
// is a full sort of the rows, positions are plain indexes.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "memtable/MemIndex.h"
#include "memtable/MemTable.h"

namespace tsm {

namespace {

struct TRow {
  int id = 0;  // identity (bookmark)
  int recId = 0;
  std::optional<std::string> name;
  std::optional<int> num;
};

// ASCII form of the table's text order: letters compare without case first,
// then small before capital.
int ModelCompare(const std::string& a, const std::string& b, bool ci) {
  std::string la = a, lb = b;
  for (char& c : la) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : lb) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (la != lb) return la < lb ? -1 : 1;
  if (ci) return 0;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return std::islower(static_cast<unsigned char>(a[i])) ? -1 : 1;
  return 0;
}

class TModel {
 public:
  std::vector<TRow> rows;
  TableState state = TableState::Browse;
  int cur = -1;
  TRow pending;
  bool modified = false;
  bool appending = false;
  int prevCur = -1;
  int lastIdentity = 0;
  int maxRecId = 0;
  bool sorted = false;
  bool desc = false;
  bool sortCi = false;
  bool filtered = false;

  static bool Accept(const TRow& r) { return r.num.value_or(0) % 3 != 0; }

  std::vector<int> View() const {
    std::vector<int> v;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
      if (!filtered || Accept(rows[static_cast<size_t>(i)])) v.push_back(i);
    return v;
  }
  int Count() const { return static_cast<int>(View().size()); }
  int RecordNumber() const { return cur < 0 ? (Count() > 0 ? 1 : 0) : cur + 1; }
  int ViewIndexOf(int id) const {
    const std::vector<int> v = View();
    for (size_t i = 0; i < v.size(); ++i)
      if (rows[static_cast<size_t>(v[i])].id == id) return static_cast<int>(i);
    return -1;
  }
  void Clamp() {
    const int n = Count();
    cur = n == 0 ? -1 : std::clamp(cur, 0, n - 1);
  }

  int Order(const TRow& a, const TRow& b) const {
    int c = 0;
    if (a.name.has_value() != b.name.has_value()) return a.name ? 1 : -1;
    if (a.name) c = ModelCompare(*a.name, *b.name, sortCi) * (desc ? -1 : 1);
    if (c != 0) return c;
    return a.recId < b.recId ? -1 : (a.recId > b.recId ? 1 : 0);
  }
  void Sort() {
    std::sort(rows.begin(), rows.end(), [this](const TRow& a, const TRow& b) { return Order(a, b) < 0; });
  }

  void Post() {
    int id;
    if (state == TableState::Edit) {
      TRow& r = rows[static_cast<size_t>(View()[static_cast<size_t>(cur)])];
      r.name = pending.name;
      r.num = pending.num;
      id = r.id;
    } else {
      pending.recId = ++maxRecId;
      pending.id = ++lastIdentity;
      id = pending.id;
      const std::vector<int> v = View();
      const int n = static_cast<int>(v.size());
      const int at = appending ? n : std::clamp(cur, 0, n);
      const int physical = at < n ? v[static_cast<size_t>(at)] : static_cast<int>(rows.size());
      rows.insert(rows.begin() + physical, pending);
    }
    if (sorted) Sort();
    // The posted row's place in the view as if it were accepted; a rejected
    // row leaves the view and the row after it becomes current.
    const bool saved = filtered;
    int k = -1;
    {
      std::vector<int> withIt;
      for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (!saved || Accept(rows[static_cast<size_t>(i)]) || rows[static_cast<size_t>(i)].id == id) withIt.push_back(i);
      for (size_t i = 0; i < withIt.size(); ++i)
        if (rows[static_cast<size_t>(withIt[i])].id == id) k = static_cast<int>(i);
    }
    cur = k;
    Clamp();
    state = TableState::Browse;
    modified = false;
    appending = false;
  }
  void Cancel() {
    if (state == TableState::Insert) cur = appending ? Count() - 1 : prevCur;
    Clamp();
    state = TableState::Browse;
    modified = false;
    appending = false;
  }
  void CompletePending() {
    if (state == TableState::Browse) return;
    if (modified) Post();
    else Cancel();
  }
  void BeginNew(bool append) {
    CompletePending();
    prevCur = cur;
    appending = append;
    if (append) cur = Count();
    pending = TRow();
    pending.recId = maxRecId + 1;
    state = TableState::Insert;
    modified = false;
  }
  // The rows as a grid reads them, with the pending change in place.
  std::vector<TRow> Display() const {
    std::vector<TRow> out;
    for (int p : View()) out.push_back(rows[static_cast<size_t>(p)]);
    if (state == TableState::Insert) {
      TRow shown = pending;
      shown.id = 0;
      out.insert(out.begin() + std::clamp(cur, 0, static_cast<int>(out.size())), shown);
    } else if (state == TableState::Edit) {
      out[static_cast<size_t>(cur)].name = pending.name;
      out[static_cast<size_t>(cur)].num = pending.num;
    }
    return out;
  }
  int CurrentRow() const {
    if (state == TableState::Insert) return std::clamp(cur, 0, Count());
    return Count() == 0 ? -1 : cur;
  }

  bool Matches(const std::optional<std::string>& value, const std::optional<std::string>& key, bool ci,
               bool partial) const {
    if (!key) return !value;
    if (!value) return false;
    if (!ci && !partial) return *value == *key;
    if (value->size() == key->size()) return ModelCompare(*value, *key, ci) == 0;
    if (partial && !key->empty() && value->size() > key->size())
      return ModelCompare(value->substr(0, key->size()), *key, ci) == 0;
    return false;
  }
  // Returns the view index of the record FindRecord lands on, or -1.
  int Find(const std::optional<std::string>& key, bool ci, bool partial) const {
    const std::vector<int> v = View();
    if (sorted && !filtered && ci == sortCi) {
      // Binary search for the key's sorted position; that record decides.
      size_t i = 0;
      for (; i < rows.size(); ++i) {
        const TRow& r = rows[i];
        int c;
        if (!key) c = r.name ? 1 : 0;
        else if (!r.name) c = -1;
        else c = ModelCompare(*r.name, *key, sortCi) * (desc ? -1 : 1);
        if (c >= 0) break;
      }
      return i < rows.size() && Matches(rows[i].name, key, ci, partial) ? static_cast<int>(i) : -1;
    }
    for (size_t i = 0; i < v.size(); ++i)
      if (Matches(rows[static_cast<size_t>(v[i])].name, key, ci, partial)) return static_cast<int>(i);
    return -1;
  }
};

std::string Show(const std::optional<std::string>& s) { return s ? *s : "<null>"; }

class TRandomRun {
 public:
  explicit TRandomRun(unsigned seed) : m_rng(seed) {
    m_name = m_table.AddStringField("name", 3);
    m_num = m_table.AddField("num", TFieldType::ftInteger);
    m_table.Open();
    m_table.SetOnFilterRecord([this](TmtMemTable&, bool& accept) { accept = m_num->GetInteger() % 3 != 0; });
  }

  void Run(int steps) {
    for (int step = 0; step < steps && !::testing::Test::HasFailure(); ++step) {
      std::ostringstream what;
      Step(what);
      m_trail.push_back(what.str());
      Check();
      if (::testing::Test::HasFailure()) {
        std::ostringstream all;
        for (size_t i = m_trail.size() > 12 ? m_trail.size() - 12 : 0; i < m_trail.size(); ++i)
          all << m_trail[i] << "\n";
        ADD_FAILURE() << "after step " << step << ", last operations:\n" << all.str();
      }
    }
  }

 private:
  int Pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
  std::optional<std::string> RandomName() {
    static const char* kNames[] = {"a", "A", "b", "B", "ab", "Ab", "abc", "ba", "bA"};
    if (Pick(8) == 0) return std::nullopt;
    return std::string(kNames[Pick(9)]);
  }

  template <typename F>
  void ExpectWriteRefused(F write) {
    try {
      write();
      ADD_FAILURE() << "write accepted in Browse";
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
    }
  }

  void Step(std::ostringstream& what) {
    TModel& m = m_model;
    const bool pending = m.state != TableState::Browse;
    switch (Pick(23)) {
      case 0:
      case 1:
        what << "StartAppend";
        m_table.StartAppend();
        m.BeginNew(true);
        break;
      case 2:
        what << "StartInsert";
        m_table.StartInsert();
        m.BeginNew(false);
        break;
      case 3:
      case 4:
        what << "StartEdit";
        m_table.StartEdit();
        if (m.state != TableState::Browse) break;
        if (m.Count() == 0) {
          m.BeginNew(false);
        } else {
          m.state = TableState::Edit;
          m.pending = m.rows[static_cast<size_t>(m.View()[static_cast<size_t>(m.cur)])];
          m.modified = false;
        }
        break;
      case 5:
      case 6: {
        const std::optional<std::string> v = RandomName();
        what << "name := " << Show(v);
        if (!pending) {
          ExpectWriteRefused([&] { m_name->SetText("x"); });
          break;
        }
        if (v) m_name->SetText(*v);
        else m_name->Clear();
        m.pending.name = v;
        m.modified = true;
        break;
      }
      case 7: {
        const int v = Pick(10);
        what << "num := " << v;
        if (!pending) {
          ExpectWriteRefused([&] { m_num->SetInteger(v); });
          break;
        }
        m_num->SetInteger(v);
        m.pending.num = v;
        m.modified = true;
        break;
      }
      case 8:
        what << "PostRecord";
        if (!pending) {
          EXPECT_THROW(m_table.PostRecord(), EDatabaseError);
          break;
        }
        m_table.PostRecord();
        m.Post();
        break;
      case 9:
        what << "CancelRecord";
        m_table.CancelRecord();
        if (pending) m.Cancel();
        break;
      case 10:
        what << "DeleteRecord";
        if (m.state == TableState::Insert) {
          m_table.DeleteRecord();
          m.Cancel();
        } else if (m.Count() == 0) {
          EXPECT_THROW(m_table.DeleteRecord(), EDatabaseError);
        } else {
          m_table.DeleteRecord();
          const std::vector<int> v = m.View();
          m.rows.erase(m.rows.begin() + v[static_cast<size_t>(m.cur)]);
          m.Clamp();
          m.state = TableState::Browse;
          m.modified = false;
        }
        break;
      case 11: {
        const int kind = Pick(4);
        what << "Move " << kind;
        if (kind == 0) m_table.MoveFirst();
        if (kind == 1) m_table.MoveLast();
        if (kind == 2) m_table.MoveNext();
        if (kind == 3) m_table.MovePrior();
        m.CompletePending();
        const int n = m.Count();
        if (kind == 0) m.cur = n > 0 ? 0 : -1;
        if (kind == 1) m.cur = n - 1;
        if (kind >= 2 && n > 0) m.cur = std::clamp(m.cur + (kind == 2 ? 1 : -1), 0, n - 1);
        break;
      }
      case 12: {
        const int d = Pick(9) - 4;
        what << "MoveBy " << d;
        const int moved = m_table.MoveBy(d);
        m.CompletePending();
        const int n = m.Count();
        const int target = n == 0 ? -1 : std::clamp(m.cur + d, 0, n - 1);
        EXPECT_EQ(moved, n == 0 ? 0 : target - m.cur);
        m.cur = target;
        break;
      }
      case 13: {
        const int k = Pick(m.Count() + 3) - 1;
        what << "RecordNumber := " << k;
        m_table.SetRecordNumber(k);
        m.CompletePending();
        if (k >= 1 && k <= m.Count()) m.cur = k - 1;
        break;
      }
      case 14:
      case 15: {
        const std::optional<std::string> key = RandomName();
        const bool ci = Pick(2) == 0, partial = Pick(2) == 0;
        what << "FindRecord " << Show(key) << (ci ? " ci" : "") << (partial ? " partial" : "");
        TLocateOptions options;
        if (ci) options.Include(TLocateOption::CaseInsensitive);
        if (partial) options.Include(TLocateOption::PartialKey);
        const bool found = m_table.FindRecord("name", key ? TVariant(*key) : TVariant(), options);
        if (m.Count() == 0) {
          EXPECT_FALSE(found);
          break;
        }
        m.CompletePending();
        const int at = m.Find(key, ci, partial);
        EXPECT_EQ(found, at >= 0);
        if (at >= 0) m.cur = at;
        break;
      }
      case 16: {
        const bool desc = Pick(2) == 0, ci = Pick(2) == 0;
        what << "Sort" << (desc ? " desc" : "") << (ci ? " ci" : "");
        TmtSortOptions options;
        if (desc) options.Include(TmtSortOption::soDesc);
        if (ci) options.Include(TmtSortOption::soCaseInsensitive);
        const bool changed = !m.sorted || desc != m.desc || ci != m.sortCi;
        m_table.SetSortOptions(options);
        m_table.SetSortedField("name");
        if (changed) {
          m.CompletePending();
          const int number = m.RecordNumber();
          m.sorted = true;
          m.desc = desc;
          m.sortCi = ci;
          m.Sort();
          m.cur = number - 1;
          m.Clamp();
        }
        break;
      }
      case 17:
        what << "Unsorted";
        if (m.sorted) {
          m_table.SetSortedField("");
          m.CompletePending();
          m.sorted = false;
        }
        break;
      case 18:
      case 19: {
        const bool on = !m.filtered;
        what << (on ? "Filter on" : "Filter off");
        m_table.SetFiltered(on);
        m.CompletePending();
        m.filtered = on;
        m.cur = m.Count() > 0 ? 0 : -1;
        break;
      }
      case 20: {
        // Indexes are access paths only: results must not change.
        if (m_table.Indexes().Count() > 1) {
          what << "Indexes cleared";
          m_table.Indexes().ClearIndexes();
          break;
        }
        TmtSortOptions options;
        if (Pick(2) == 0) options.Include(TmtSortOption::soCaseInsensitive);
        if (Pick(2) == 0) options.Include(TmtSortOption::soDesc);
        what << "Index added";
        m_table.Indexes().Add(Pick(3) == 0 ? "num" : "name", options);
        break;
      }
      case 21:
        what << "Bookmark kept";
        if (m.state == TableState::Browse && m.Count() > 0) {
          m_bookmark = m_table.Bookmark();
          EXPECT_EQ(m_bookmark, m.rows[static_cast<size_t>(m.View()[static_cast<size_t>(m.cur)])].id);
        }
        break;
      case 22: {
        what << "Bookmark " << m_bookmark;
        m.CompletePending();
        const int at = m.ViewIndexOf(m_bookmark);
        if (at < 0 || m_bookmark == 0) {
          EXPECT_THROW(m_table.SetBookmark(m_bookmark), EDatabaseError);
        } else {
          m_table.SetBookmark(m_bookmark);
          m.cur = at;
        }
        break;
      }
    }
  }

  void Check() {
    const TModel& m = m_model;
    ASSERT_EQ(m_table.State(), m.state);
    ASSERT_EQ(m_table.RecordTotal(), m.Count());
    ASSERT_EQ(m_table.RecordNumber(), m.RecordNumber());
    const std::vector<TRow> rows = m.Display();
    ASSERT_EQ(m_table.RowCount(), static_cast<int>(rows.size()));
    ASSERT_EQ(m_table.CurrentRow(), m.CurrentRow());
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      const TRow& want = rows[static_cast<size_t>(r)];
      ASSERT_EQ(m_table.RowIsNull(r, *m_name), !want.name) << "row " << r;
      ASSERT_EQ(m_table.RowText(r, *m_name), want.name.value_or("")) << "row " << r;
      ASSERT_EQ(m_table.RowText(r, *m_num), want.num ? std::to_string(*want.num) : "") << "row " << r;
      ASSERT_EQ(m_table.RowText(r, *m_table.RecIdField()), std::to_string(want.recId)) << "row " << r;
      ASSERT_EQ(m_table.RowBookmark(r), want.id) << "row " << r;
    }
    const int row = m.CurrentRow();
    const std::optional<std::string> name = row >= 0 ? rows[static_cast<size_t>(row)].name : std::nullopt;
    ASSERT_EQ(m_name->GetText(), name.value_or(""));
    if (m.state == TableState::Browse && m.Count() > 0) {
      if (m_table.IsAtStart()) {
        ASSERT_EQ(m_table.RecordNumber(), 1);
      }
      if (m_table.IsAtEnd()) {
        ASSERT_EQ(m_table.RecordNumber(), m.Count());
      }
      ASSERT_TRUE(m_table.BookmarkValid(m_table.Bookmark()));
    }
  }

  std::mt19937 m_rng;
  TmtMemTable m_table;
  TField* m_name = nullptr;
  TField* m_num = nullptr;
  TModel m_model;
  TBookmark m_bookmark = 0;
  std::vector<std::string> m_trail;
};

}  // namespace

TEST(RandomOperations, TableFollowsTheModelAfterEveryStep) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TRandomRun run(seed);
    run.Run(400);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace tsm
