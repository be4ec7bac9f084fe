// Data grid figures on the job table: the job list's grid (row select,
// titles, lines, the main window's fonts) with the stored skin, 785 x 300,
// on the headless window system.
//   FullRepaint/10000   the whole grid invalidated and painted
//   ScrollOneRow/N      the cursor moves one record down from the last
//                       visible row: the rows' pixels move up by one row and
//                       only the new row and the two highlighted rows are
//                       painted (N = 100 or 10,000 jobs; the figure should not
//                       depend on N)

#include <benchmark/benchmark.h>

#include <memory>

#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "app/jobs/JobSamples.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {
namespace {

using O = TskDBGridOption;

// One form with the job list's grid and bars over a table of n jobs.
class TJobGridScene {
 public:
  explicit TJobGridScene(int jobs) : m_table(MakeJobTable(jobs)) {
    m_source.SetDataSet(m_table.get());
    m_form = Application().CreateForm<TForm>();
    m_form->SetBorderStyle(TFormBorderStyle::bsNone);
    m_form->SetBounds(20, 20, 804, 319);
    auto* stored = new TskCompressedStoredSkin(m_form);
    AssignDefaultStoredSkin(*stored);
    auto* skin = new TskSkinData(m_form);
    skin->SetCompressedStoredSkin(stored);
    auto* v = new TskSkinScrollBar(m_form);
    v->SetParent(m_form);
    v->SetKind(TScrollBarKind::sbVertical);
    v->SetSkinDataName("vscrollbar");
    v->SetSkinData(skin);
    v->SetBounds(785, 0, 19, 300);
    auto* h = new TskSkinScrollBar(m_form);
    h->SetParent(m_form);
    h->SetSkinData(skin);
    h->SetBounds(0, 300, 804, 19);
    m_grid = new TskSkinDBGrid(m_form);
    m_grid->SetParent(m_form);
    m_grid->SetBounds(0, 0, 785, 300);
    m_grid->Font().Assign(ui::TFont("宋体", -13));
    m_grid->TitleFont().Assign(ui::TFont("宋体", -12, {TFontStyle::Bold}));
    m_grid->SetDBOptions({O::dgTitles, O::dgColumnResize, O::dgColLines, O::dgRowLines, O::dgTabs, O::dgRowSelect,
                          O::dgCancelOnExit});
    m_grid->SetReadOnly(true);
    m_grid->SetSkinData(skin);
    m_grid->SetHScrollBar(h);
    m_grid->SetVScrollBar(v);
    m_grid->SetDataSource(&m_source);
    m_form->Show();
    m_grid->SetFocus();
    Application().ProcessMessages();
  }
  ~TJobGridScene() { m_form->Free(); }

  TskSkinDBGrid& Grid() { return *m_grid; }
  TmtMemTable& Table() { return *m_table; }
  void PaintNow() { UpdateWindow(m_grid->Handle()); }

 private:
  std::unique_ptr<TmtMemTable> m_table;
  TDataSource m_source;
  TForm* m_form = nullptr;
  TskSkinDBGrid* m_grid = nullptr;
};

void FullRepaint(benchmark::State& state) {
  TJobGridScene scene(static_cast<int>(state.range(0)));
  // Check that a paint really happens (and nothing waits afterwards).
  TRect pending;
  scene.Grid().Invalidate();
  const bool invalid = GetUpdateRect(scene.Grid().Handle(), pending);
  scene.PaintNow();
  if (!invalid || GetUpdateRect(scene.Grid().Handle(), pending)) state.SkipWithError("the grid did not paint");
  for (auto _ : state) {
    scene.Grid().Invalidate();
    scene.PaintNow();
  }
  state.counters["rows"] = scene.Grid().RowCount();
}

void ScrollOneRow(benchmark::State& state) {
  TJobGridScene scene(static_cast<int>(state.range(0)));
  TmtMemTable& t = scene.Table();
  const int visible = scene.Grid().VisibleDataRows();
  t.SetRecordNumber(visible);  // the last visible row
  scene.PaintNow();
  int64_t scrolls = 0;
  for (auto _ : state) {
    if (t.IsAtEnd() || t.RecordNumber() >= t.RecordTotal()) {
      state.PauseTiming();
      t.MoveFirst();
      t.SetRecordNumber(visible);
      scene.PaintNow();
      state.ResumeTiming();
    }
    t.MoveBy(1);
    scene.PaintNow();
    ++scrolls;
  }
  state.counters["scrolls"] = static_cast<double>(scrolls);
}

BENCHMARK(FullRepaint)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollOneRow)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tsm

int main(int argc, char** argv) {
  tsm::TWindowSystem::Initialize(std::make_unique<tsm::THeadlessBackend>());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  tsm::FreeApplication();
  tsm::TWindowSystem::Shutdown();
  return 0;
}
