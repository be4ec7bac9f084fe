// Gallery pages of the scroll bar and the data grid: every look of the
// scroll bar, and the job list's grid with its two bars over a job table of
// 10,000 generated jobs.

#include <memory>

#include "app/jobs/JobSamples.h"
#include "framework/base/Component.h"
#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "memtable/MemTable.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

// The job table and its data source live as long as the gallery's form.
class TGalleryJobs : public TComponent {
 public:
  TGalleryJobs(TComponent* owner, int jobs) : TComponent(owner), m_table(MakeJobTable(jobs)) {
    m_source.SetDataSet(m_table.get());
  }
  TDataSource& Source() { return m_source; }

 private:
  std::unique_ptr<TmtMemTable> m_table;
  TDataSource m_source;
};

TskSkinScrollBar* Bar(TGalleryPageContext& c, bool vertical, int32_t left, int32_t top, int32_t length) {
  auto* bar = new TskSkinScrollBar(&c.Form);
  bar->SetParent(&c.Parent);
  bar->SetSkinData(c.Skin);
  if (vertical) {
    bar->SetKind(TScrollBarKind::sbVertical);
    bar->SetSkinDataName("vscrollbar");
    bar->SetBounds(left, top, 19, length);
  } else {
    bar->SetBounds(left, top, length, 19);
  }
  return bar;
}

void Caption(TGalleryPageContext& c, int32_t left, int32_t top, const char* text) {
  auto* label = new TLabel(&c.Form);
  label->SetParent(&c.Parent);
  label->SetBounds(left, top, 260, 16);
  label->SetTransparent(true);
  label->SetCaption(text);
}

const TGalleryPageRegistration kScrollBars("滚动条", 30, [](TGalleryPageContext& c) {
  Caption(c, 24, 12, "页面 0..99, 每页 30");
  Bar(c, false, 24, 32, 300)->SetParams(0, 99, 30, 40);
  Caption(c, 24, 62, "无页面, 可获得焦点 (方向键, 滚轮)");
  auto* focusable = Bar(c, false, 24, 82, 300);
  focusable->SetParams(0, 127, 0, 64);
  focusable->SetCanFocused(true);
  Caption(c, 24, 112, "与竖直滚动条相接 (Both)");
  auto* both = Bar(c, false, 24, 132, 300);
  both->SetParams(0, 99, 10, 0);
  both->SetBoth(true);
  Caption(c, 24, 162, "页面大于范围");
  Bar(c, false, 24, 182, 300)->SetParams(0, 9, 20, 0);
  Caption(c, 24, 212, "禁用");
  auto* disabled = Bar(c, false, 24, 232, 300);
  disabled->SetParams(0, 99, 30, 40);
  disabled->SetEnabled(false);
  Bar(c, true, 380, 32, 220)->SetParams(0, 99, 30, 40);
  Bar(c, true, 420, 32, 220)->SetParams(0, 127, 0, 127);
  Bar(c, true, 460, 32, 220)->SetParams(0, 9, 20, 0);
  auto* off = Bar(c, true, 500, 32, 220);
  off->SetEnabled(false);
});

const TGalleryPageRegistration kDataGrid("数据表格", 50, [](TGalleryPageContext& c) {
  auto* jobs = new TGalleryJobs(&c.Form, 10000);
  auto* vbar = Bar(c, true, 0, 0, 100);
  vbar->SetAlign(TAlign::alRight);
  auto* hbar = Bar(c, false, 0, 0, 100);
  hbar->SetBothMarkerWidth(19);
  hbar->SetAlign(TAlign::alBottom);
  auto* grid = new TskSkinDBGrid(&c.Form);
  grid->SetName("skSkinDBGrid1");
  grid->SetParent(&c.Parent);
  grid->SetAlign(TAlign::alClient);
  grid->Font().Assign(ui::TFont("宋体", -13));
  grid->TitleFont().Assign(ui::TFont("宋体", -12, {TFontStyle::Bold}));
  grid->SetDBOptions({TskDBGridOption::dgTitles, TskDBGridOption::dgColumnResize, TskDBGridOption::dgColLines,
                      TskDBGridOption::dgRowLines, TskDBGridOption::dgTabs, TskDBGridOption::dgRowSelect,
                      TskDBGridOption::dgCancelOnExit});
  grid->SetReadOnly(true);
  grid->SetGridLineColor(clWindowText);
  grid->SetDefaultCellHeight(20);
  grid->SetDefaultRowHeight(17);
  grid->SetSkinData(c.Skin);
  grid->SetHScrollBar(hbar);
  grid->SetVScrollBar(vbar);
  grid->SetDataSource(&jobs->Source());
});

}  // namespace
}  // namespace tsm
