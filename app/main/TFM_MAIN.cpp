#include "app/main/TFM_MAIN.h"

#include "app/converter/ConverterMessages.h"
#include "app/converter/TFMConverter.h"
#include "app/encoder/ConverterConfig.h"
#include "app/frontend/ButtonRules.h"
#include "app/frontend/ConverterTexts.h"
#include "app/joblist/DroppedFiles.h"
#include "app/joblist/SavedJobs.h"
#include "app/jobs/JobTable.h"
#include "app/main/BatchDriver.h"
#include "framework/controls/MenuItem.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Timer.h"
#include "framework/forms/Application.h"
#include "memtable/MemTable.h"
#include "platform/os/DocumentOpener.h"
#include "platform/os/PathInfo.h"
#include "platform/window/WindowApi.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinComboBox.h"
#include "skincontrols/TskSkinFileEdit.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinMessage.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {

namespace {

constexpr int32_t kClientWidth = 785;
constexpr int32_t kClientHeight = 419;
constexpr int32_t kButtonBarHeight = 43;
constexpr int32_t kBarThickness = 19;

}  // namespace

TFM_MAIN::TFM_MAIN(TComponent* owner, std::string programFolder)
    : TForm(owner), m_programFolder(std::move(programFolder)), m_jobs(std::make_unique<TmtMemTable>("mtMemTable1")) {
  SetName("FM_MAIN");
  SetCaption("Tesmaro 2.0");
  SetPosition(TPosition::poScreenCenter);
  SetBorderIcons({});

  m_storedSkin = new TskCompressedStoredSkin(this);
  m_storedSkin->SetName("skCompressedStoredSkin1");
  AssignDefaultStoredSkin(*m_storedSkin);
  m_skinData = new TskSkinData(this);
  m_skinData->SetName("skSkinData1");
  m_skinData->SetCompressedStoredSkin(m_storedSkin);

  m_frame = new TskFormFrame(this);
  m_frame->SetName("skFormFrame1");
  m_frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
  m_frame->Magnetic = true;
  m_frame->MagneticSize = 5;
  m_frame->SetSkinData(m_skinData);

  m_messages = new TskSkinMessage(this);
  m_messages->SetName("skSkinMessage1");
  m_messages->SetSkinData(m_skinData);
  m_messages->SetCtrlSkinData(m_skinData);

  DefineJobFields(*m_jobs);
  m_jobs->Open();
  m_batch = std::make_unique<TBatchDriver>(*m_jobs, *m_messages);
  m_batch->OnBusyChanged = [this] { UpdateButtons(); };
  m_batch->PostTick = [this] { PostMessage(Handle(), kNextJobMessage); };

  SetClientSize(kClientWidth, kClientHeight);
  BuildControls();

  m_timer = new TTimer(this);
  m_timer->SetName("Timer1");
  m_timer->SetInterval(100);
  m_timer->OnTimer = [this](TObject*) { m_batch->TimerTick(); };

  SetAcceptFiles(true);
  OnDropFiles = [this](TObject*, const std::vector<std::string>& files, TPoint) { DropFiles(files); };
  OnCreate = [this](TObject*) { Created(); };
  OnShow = [this](TObject*) { Shown(); };
  OnClose = [this](TObject*, TCloseAction&) { Closed(); };
}

TFM_MAIN::~TFM_MAIN() = default;

void TFM_MAIN::BeforeDestruction() {
  m_source.OnStateChange = nullptr;
  m_source.OnDataChange = nullptr;
  if (m_grid != nullptr) m_grid->SetDataSource(nullptr);
  m_source.SetDataSet(nullptr);
  if (m_batch) {
    m_batch->OnBusyChanged = nullptr;
    m_batch->PostTick = nullptr;
  }
  TForm::BeforeDestruction();
}

void TFM_MAIN::WndProc(TMessage& message) {
  if (message.Msg == kNextJobMessage) {
    message.Result = 0;
    m_batch->TimerTick();
    return;
  }
  TForm::WndProc(message);
}

void TFM_MAIN::BuildControls() {
  m_buttonBar = new TskSkinPanel(this);
  m_buttonBar->SetName("skSkinPanel1");
  m_buttonBar->SetParent(this);
  m_buttonBar->SetSkinDataName("panel");
  m_buttonBar->SetHeight(kButtonBarHeight);
  m_buttonBar->SetAlign(TAlign::alBottom);
  m_buttonBar->SetSkinData(m_skinData);

  m_gridArea = new TPanel(this);
  m_gridArea->SetName("Panel1");
  m_gridArea->SetParent(this);
  m_gridArea->SetBevelOuter(TPanelBevel::bvNone);
  m_gridArea->SetAlign(TAlign::alClient);

  m_hbar = new TskSkinScrollBar(this);
  m_hbar->SetName("skSkinScrollBar1");
  m_hbar->SetParent(m_gridArea);
  m_hbar->SetSkinDataName("hscrollbar");
  m_hbar->SetBoth(true);
  m_hbar->SetBothMarkerWidth(kBarThickness);
  m_hbar->SetBothSkinDataName("bothhscrollbar");
  m_hbar->SetHeight(kBarThickness);
  m_hbar->SetAlign(TAlign::alBottom);
  m_hbar->SetSkinData(m_skinData);

  m_vbar = new TskSkinScrollBar(this);
  m_vbar->SetName("skSkinScrollBar2");
  m_vbar->SetParent(m_gridArea);
  m_vbar->SetKind(TScrollBarKind::sbVertical);
  m_vbar->SetSkinDataName("vscrollbar");
  m_vbar->SetWidth(kBarThickness);
  m_vbar->SetAlign(TAlign::alRight);
  m_vbar->SetSkinData(m_skinData);

  using O = TskDBGridOption;
  m_grid = new TskSkinDBGrid(this);
  m_grid->SetName("skSkinDBGrid1");
  m_grid->SetParent(m_gridArea);
  m_grid->SetAlign(TAlign::alClient);
  m_grid->SetSkinDataName("grid");
  m_grid->Font().Assign(ui::TFont("宋体", -13));
  m_grid->TitleFont().Assign(ui::TFont("宋体", -12, {TFontStyle::Bold}));
  m_grid->SetDBOptions({O::dgTitles, O::dgColumnResize, O::dgColLines, O::dgRowLines, O::dgTabs, O::dgRowSelect,
                        O::dgCancelOnExit});
  m_grid->SetReadOnly(true);
  m_grid->SetGridLineColor(clWindowText);
  m_grid->SetDefaultCellHeight(20);
  m_grid->SetDefaultRowHeight(17);
  m_grid->SetUseSkinCellHeight(true);
  m_grid->SetMouseWheelSupport(false);
  m_grid->SetSkinData(m_skinData);
  m_grid->SetHScrollBar(m_hbar);
  m_grid->SetVScrollBar(m_vbar);
  m_grid->OnDblClick = [this](TObject*) { EditCurrentJob(); };

  m_gridMenu = new TskSkinPopupMenu(this);
  m_gridMenu->SetName("skSkinPopupMenu1");
  m_gridMenu->SetSkinData(m_skinData);
  m_logItem = new TMenuItem(m_gridMenu);
  m_logItem->SetCaption(texts::kShowLog);
  m_logItem->OnClick = [this](TObject*) { ShowCurrentJobLog(); };
  m_gridMenu->Items()->Add(m_logItem);
  m_gridMenu->OnPopup = [this](TObject*) { m_logItem->SetEnabled(!CurrentJobLog().empty()); };
  m_grid->SetPopupMenu(m_gridMenu);

  const struct {
    TskSkinButton** button;
    const char* name;
    int32_t left;
    const char* caption;
  } buttons[] = {{&m_add, "skSkinButton1", 40, texts::kAddJob},
                 {&m_remove, "skSkinButton5", 196, texts::kRemoveJob},
                 {&m_start, "skSkinButton2", 352, texts::kStartBatch},
                 {&m_stop, "skSkinButton3", 508, texts::kStopBatch},
                 {&m_close, "skSkinButton4", 664, texts::kClose}};
  for (const auto& b : buttons) {
    auto* button = new TskSkinButton(this);
    button->SetName(b.name);
    button->SetParent(m_buttonBar);
    button->SetSkinDataName("button");
    button->SetCaption(b.caption);
    button->SetLayout(TskButtonLayout::blGlyphTop);
    button->Font().Assign(ui::TFont("宋体", -12, {TFontStyle::Bold}));
    button->SetBounds(b.left, 8, 113, 25);
    button->SetSkinData(m_skinData);
    *b.button = button;
  }
  m_add->OnClick = [this](TObject*) { AddJob(); };
  m_remove->OnClick = [this](TObject*) { m_batch->RemoveCurrentJob(); };
  m_start->OnClick = [this](TObject*) { m_batch->StartButton(); };
  m_stop->OnClick = [this](TObject*) { m_batch->StopButton(); };
  m_close->OnClick = [this](TObject*) { Close(); };

  m_source.OnStateChange = [this](TDataSource&) { UpdateButtons(); };
  m_source.OnDataChange = [this](TDataSource&, const TField*) { UpdateButtons(); };
  m_source.SetDataSet(m_jobs.get());
  m_grid->SetDataSource(&m_source);
  UpdateButtons();
}

void TFM_MAIN::Created() {
  const std::string version = TConverterConfig(m_programFolder).Version();
  SetCaption("Tesmaro " + version);
  Application().SetTitle("Tesmaro " + version);
  if (!m_jobs->Active()) m_jobs->Open();
  m_loadMessage = LoadSavedJobs(SavedJobsPath(), *m_jobs);
}

void TFM_MAIN::SetConverter(TFMConverter* dialog) {
  m_converter = dialog;
  m_batch->SetConverter(dialog);
  UpdateButtons();
}

void TFM_MAIN::Shown() {
  if (m_converter != nullptr) m_converter->Runner().SetAutoStartLatch(true);
  if (!m_loadMessage.empty()) {
    // Once the window stands, from the loop.
    std::weak_ptr<void> alive = AliveToken();
    SetTimer(1, [this, alive](uint32_t id) {
      KillTimer(id);
      if (!alive.expired()) ShowLoadMessage();
    });
  }
}

void TFM_MAIN::ShowLoadMessage() {
  const std::string message = std::move(m_loadMessage);
  m_loadMessage.clear();
  if (!message.empty()) m_messages->ShowError(message);
}

void TFM_MAIN::Closed() {
  if (m_converter != nullptr) m_converter->Shutdown();
  const std::string path = SavedJobsPath();
  if (!SaveSavedJobs(path, *m_jobs)) m_messages->ShowError(texts::kJobsNotSaved + path);
}

void TFM_MAIN::UpdateButtons() {
  if (m_add == nullptr) return;
  const int total = m_jobs->Active() ? m_jobs->RecordTotal() : 0;
  const std::string progress = total > 0 ? m_jobs->FieldNamed(jobfield::kProgress)->GetText() : std::string();
  const TMainButtons b = MainButtonStates(total, progress, m_batch->Busy());
  m_add->SetEnabled(b.add);
  m_remove->SetEnabled(b.remove);
  m_start->SetEnabled(b.start);
  m_stop->SetEnabled(b.stop);
  SetAcceptFiles(b.add);  // dropping adds jobs
}

void TFM_MAIN::AddJob() {
  if (m_converter == nullptr || m_batch->Busy()) return;
  m_converter->OpenToAdd();
}

void TFM_MAIN::DropFiles(const std::vector<std::string>& files) {
  if (m_converter == nullptr || m_batch->Busy() || m_converter->Visible()) return;
  TDropChoices choices;
  const auto chosen = [](const TskSkinComboBox* list) { return list->ItemIndex() >= 0 ? list->Text() : std::string(); };
  choices.resolution = chosen(m_converter->ResolutionList());
  choices.quality = chosen(m_converter->QualityList());
  choices.aspect = chosen(m_converter->AspectList());
  choices.targetFolder = m_converter->Config().RememberedTargetFolder();
  const TDropDecision d = DecideDrop(files, choices, *m_jobs);
  switch (d.action) {
    case TDropAction::ShowError:
      m_messages->ShowError(d.error);
      break;
    case TDropAction::OpenDialog:
      m_converter->OpenToAdd();
      m_converter->SourceEdit()->SetText(d.source);
      break;
    case TDropAction::AddJobs:
      for (const TJobRecord& job : d.jobs) job.Append(*m_jobs);
      break;
  }
}

std::string TFM_MAIN::CurrentJobLog() const {
  if (m_jobs->RecordTotal() == 0) return std::string();
  const std::string path = m_batch->FailedJobLog(m_jobs->Bookmark());
  return !path.empty() && IsReadableFile(path) ? path : std::string();  // old logs are pruned
}

void TFM_MAIN::ShowCurrentJobLog() {
  const std::string path = CurrentJobLog();
  if (path.empty()) return;
  if (!OpenDocument(path)) m_messages->ShowError(texts::kLogNotOpened + path);
}

void TFM_MAIN::EditCurrentJob() {
  if (m_converter == nullptr || m_jobs->RecordTotal() == 0) return;
  const TMainButtons b = MainButtonStates(m_jobs->RecordTotal(), "", m_batch->Busy());
  if (!b.edit) return;
  m_converter->OpenToEdit(m_jobs->Bookmark());
}

}  // namespace tsm
