#include "app/converter/TFMConverter.h"

#include "app/converter/ConverterMessages.h"
#include "app/encoder/EncoderFiles.h"
#include "app/frontend/ButtonRules.h"
#include "app/frontend/ConverterTexts.h"
#include "app/frontend/HelpDocument.h"
#include "app/frontend/SourceFilter.h"
#include "app/jobs/JobTable.h"
#include "app/main/TFM_MAIN.h"
#include "framework/base/SysUtils.h"
#include "framework/controls/Action.h"
#include "framework/controls/ActionList.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Timer.h"
#include "framework/forms/Application.h"
#include "framework/forms/Screen.h"
#include "memtable/MemTable.h"
#include "platform/os/ChildProcess.h"
#include "platform/os/DocumentOpener.h"
#include "platform/os/FileSystem.h"
#include "platform/os/ReadableWatch.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skincontrols/TskSkinComboBox.h"
#include "skincontrols/TskSkinDirectoryEdit.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinFileEdit.h"
#include "skincontrols/TskSkinGauge.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinSpinEdit.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinMessage.h"
#include "skinforms/TskSkinOpenDialog.h"
#include "skinforms/TskSkinSelectDirectoryDialog.h"

namespace tsm {

namespace {

const ui::TFont kFieldFont{"宋体", -12};

// Wake-ups in a row whose handles were still readable after the poll that
// should have taken them (output that came meanwhile, or a hang-up).
constexpr int kStillReadableRearms = 3;

// Selects the first entry equal to text; with none, nothing is selected
// and the list keeps the text it shows.
void SelectEntry(TskSkinComboBox& list, const std::string& text) {
  for (int32_t i = 0; i < list.ItemCount(); ++i)
    if (list.Items()[i] == text) {
      list.SetItemIndex(i);
      return;
    }
  const std::string shown = list.Text();
  list.SetItemIndex(-1);
  list.SetText(shown);
}

}  // namespace

TFMConverter::TFMConverter(TComponent* owner, TFM_MAIN& main, std::unique_ptr<IEncoderChannel> channel)
    : TForm(owner), m_main(main), m_config(main.ProgramFolder()) {
  IEncoderRunnerHost& host = *this;
  m_runner = channel ? std::make_unique<TEncoderRunner>(host, std::move(channel))
                     : std::make_unique<TEncoderRunner>(host, main.ProgramFolder());
  m_runner->SetJobTable(&main.Jobs());

  SetName("FMConverter");
  SetCaption(texts::kDialogCaption);
  SetPosition(TPosition::poScreenCenter);
  SetBorderIcons({});

  m_frame = new TskFormFrame(this);
  m_frame->SetName("skFormFrame1");
  m_frame->SetBorderIcons({});
  m_frame->Magnetic = true;
  m_frame->MagneticSize = 5;
  m_frame->SetSkinData(main.SkinData());

  m_messages = new TskSkinMessage(this);
  m_messages->SetName("skSkinMessage1");
  m_messages->SetSkinData(main.SkinData());
  m_messages->SetCtrlSkinData(main.SkinData());

  SetClientSize(540, 264);
  BuildControls();

  m_timer = new TTimer(this);
  m_timer->SetName("Timer1");
  m_timer->SetInterval(100);
  m_timer->SetEnabled(false);
  m_timer->OnTimer = [this](TObject*) { PollRunner(false); };
  m_watch = std::make_unique<TReadableWatch>([target = m_watchTarget] {
    if (const uint32_t wnd = target->load()) PostMessage(HWND(wnd), kRunnerReadyMessage);
  });

  m_actions = new TActionList(this);
  m_actions->SetName("ActionList1");
  const struct {
    const char* name;
    const char* keys;
    void (*reset)(const std::string&);
  } actions[] = {{"Action1", "Ctrl+A", ResetConfigAttributes}, {"Action2", "Ctrl+Alt+W", ResetEncoderAttributes}};
  for (const auto& a : actions) {
    auto* action = new TAction(this);
    action->SetName(a.name);
    action->SetActionList(m_actions);
    action->SetShortCut(TextToShortCut(a.keys));
    action->OnExecute = [this, reset = a.reset](TObject*) { reset(m_main.ProgramFolder()); };
  }

  OnCreate = [this](TObject*) { Created(); };
  OnShow = [this](TObject*) { Shown(); };
  OnCloseQuery = [this](TObject*, bool& canClose) {
    canClose = false;
    CloseDialog();
  };
}

TFMConverter::~TFMConverter() { m_watch.reset(); }

void TFMConverter::BuildControls() {
  TskSkinData* skin = m_main.SkinData();
  auto label = [this](TWinControl* parent, const char* caption, int32_t left, int32_t top) {
    auto* l = new TLabel(this);
    l->SetParent(parent);
    l->Font().Assign(kFieldFont);
    l->SetLeft(left);
    l->SetTop(top);
    l->SetCaption(caption);
    l->SetTransparent(true);  // over skinned panels: the panel's picture shows through
    return l;
  };
  auto combo = [&](const char* name, TWinControl* parent, int32_t left, int32_t top, int32_t width, int32_t height) {
    auto* c = new TskSkinComboBox(this);
    c->SetName(name);
    c->SetParent(parent);
    c->SetUseSkinFont(false);
    c->DefaultFont().Assign(kFieldFont);
    c->SetUseSkinSize(false);
    c->SetBounds(left, top, width, height);
    c->SetSkinData(skin);
    return c;
  };
  auto button = [&](const char* name, const char* caption, int32_t left) {
    auto* b = new TskSkinButton(this);
    b->SetName(name);
    b->SetParent(m_body);
    b->SetCaption(caption);
    b->SetUseSkinFont(false);
    b->DefaultFont().Assign(ui::TFont("宋体", -12, {TFontStyle::Bold}));
    b->SetBounds(left, 182, 113, 25);
    b->SetSkinData(skin);
    return b;
  };

  m_panel = new TPanel(this);
  m_panel->SetName("Panel1");
  m_panel->SetParent(this);
  m_panel->SetBevelOuter(TPanelBevel::bvNone);
  m_panel->SetAlign(TAlign::alClient);

  m_band = new TPanel(this);
  m_band->SetName("Panel2");
  m_band->SetParent(m_panel);
  m_band->SetBevelOuter(TPanelBevel::bvNone);
  m_band->SetColor(clWindow);
  m_band->SetBounds(1, 1, 538, 48);
  m_band->SetAlign(TAlign::alTop);
  label(m_band, "分辨率:", 24, 16)->SetName("Label3");
  m_resolution = combo("skSkinComboBox1", m_band, 104, 14, 185, 20);
  m_resolution->SetText("ZM4070");
  m_resolution->OnChange = [this](TObject*) { SourceChanged(); };
  m_help = label(m_band, texts::kHelp, 488, 16);
  m_help->SetName("Label2");
  m_help->Font().Assign(ui::TFont("宋体", -15, {TFontStyle::Bold, TFontStyle::Underline}));
  m_help->Font().SetColor(clNavy);
  m_help->SetCursor(crHandPoint);
  m_help->OnClick = [this](TObject*) { HelpClick(); };

  m_body = new TskSkinPanel(this);
  m_body->SetName("skSkinPanel1");
  m_body->SetParent(m_panel);
  m_body->SetSkinDataName("panel");
  m_body->SetBounds(1, 49, 539, 215);
  m_body->SetSkinData(skin);

  label(m_body, "源文件:", 24, 16)->SetName("Label5");
  m_source = new TskSkinFileEdit(this);
  m_source->SetName("skSkinFileEdit1");
  m_source->SetParent(m_body);
  m_source->SetUseSkinFont(false);
  m_source->DefaultFont().Assign(kFieldFont);
  m_source->SetReadOnly(true);
  m_source->SetBounds(104, 14, 425, 16);
  m_source->SetSkinData(skin);
  m_source->OnButtonClick = [this](TObject*) { SourceButtonClick(); };
  m_source->OnChange = [this](TObject*) { SourceChanged(); };

  label(m_body, "目标路径:", 24, 42)->SetName("Label6");
  m_folder = new TskSkinDirectoryEdit(this);
  m_folder->SetName("skSkinDirectoryEdit1");
  m_folder->SetParent(m_body);
  m_folder->SetUseSkinFont(false);
  m_folder->DefaultFont().Assign(kFieldFont);
  m_folder->SetReadOnly(true);
  m_folder->SetBounds(104, 42, 425, 16);
  m_folder->SetSkinData(skin);
  m_folder->OnButtonClick = [this](TObject*) { FolderButtonClick(); };

  label(m_body, "目标文件名:", 24, 77)->SetName("Label4");
  m_name = new TskSkinEdit(this);
  m_name->SetName("skSkinEdit1");
  m_name->SetParent(m_body);
  m_name->SetUseSkinFont(false);
  m_name->DefaultFont().Assign(kFieldFont);
  m_name->SetBounds(105, 76, 161, 16);
  m_name->SetSkinData(skin);

  label(m_body, "参数设定:", 24, 113)->SetName("Label12");
  m_presets = new TskSkinPanel(this);
  m_presets->SetName("skSkinPanel2");
  m_presets->SetParent(m_body);
  m_presets->SetSkinDataName("panel");
  m_presets->SetBounds(104, 106, 425, 26);
  m_presets->SetSkinData(skin);
  label(m_presets, "转换品质:", 8, 8)->SetName("Label7");
  m_quality = combo("skSkinComboBox2", m_presets, 65, 4, 96, 19);
  label(m_presets, "宽高比选择：", 232, 8)->SetName("Label8");
  m_aspect = combo("skSkinComboBox3", m_presets, 312, 4, 105, 19);

  m_range = new TskSkinCheckRadioBox(this);
  m_range->SetName("skSkinCheckRadioBox1");
  m_range->SetParent(m_body);
  m_range->SetCaption(texts::kRangeBox);
  m_range->SetUseSkinFont(false);
  m_range->DefaultFont().Assign(kFieldFont);
  m_range->SetBounds(24, 146, 73, 20);
  m_range->SetSkinData(skin);
  m_range->OnClick = [this](TObject*) { RangeClicked(); };

  m_rangePanel = new TskSkinPanel(this);
  m_rangePanel->SetName("skSkinPanel3");
  m_rangePanel->SetParent(m_body);
  m_rangePanel->SetSkinDataName("panel");
  m_rangePanel->SetBounds(104, 144, 425, 29);
  m_rangePanel->SetSkinData(skin);
  const struct {
    const char* name;
    int32_t left, top, max;
  } spins[] = {{"skSkinSpinEdit1", 75, 6, 10},
               {"skSkinSpinEdit2", 139, 7, 60},
               {"skSkinSpinEdit3", 295, 6, 10},
               {"skSkinSpinEdit4", 357, 5, 60}};
  for (int i = 0; i < 4; ++i) {
    auto* s = new TskSkinSpinEdit(this);
    s->SetName(spins[i].name);
    s->SetParent(m_rangePanel);
    s->SetValueType(TskValueType::vtInteger);
    s->SetIncrement(1);
    s->SetMinValue(0);
    s->SetMaxValue(spins[i].max);
    s->SetUseSkinFont(false);
    s->DefaultFont().Assign(kFieldFont);
    s->SetUseSkinSize(false);
    s->SetBounds(spins[i].left, spins[i].top, 38, 17);
    s->SetSkinData(skin);
    s->SetEnabled(false);
    m_spins[i] = s;
  }
  label(m_rangePanel, "转换开始于:", 8, 8)->SetName("Label9");
  label(m_rangePanel, "时", 120, 8)->SetName("Label10");
  label(m_rangePanel, "分", 184, 9)->SetName("Label11");
  label(m_rangePanel, "持续:", 262, 8)->SetName("Label13");
  label(m_rangePanel, "时", 338, 8)->SetName("Label14");
  label(m_rangePanel, "分", 402, 7)->SetName("Label15");

  m_save = button("skSkinButton4", texts::kSave, 56);
  m_save->SetEnabled(false);
  m_save->OnClick = [this](TObject*) { SaveClick(); };
  m_startButton = button("skSkinButton1", texts::kStartJob, 32);
  m_startButton->SetVisible(false);
  m_startButton->SetEnabled(false);
  m_stopButton = button("skSkinButton3", texts::kStopJob, 224);
  m_stopButton->SetVisible(false);
  m_stopButton->SetEnabled(false);
  m_closeButton = button("skSkinButton2", texts::kClose, 400);
  m_closeButton->OnClick = [this](TObject*) { CloseDialog(); };

  m_gauge = new TskSkinGauge(this);
  m_gauge->SetName("skSkinGauge1");
  m_gauge->SetParent(m_body);
  m_gauge->SetMinValue(0);
  m_gauge->SetMaxValue(100);
  m_gauge->SetProgressText(texts::kGaugeText);
  m_gauge->SetShowProgressText(true);
  m_gauge->SetShowPercent(true);
  m_gauge->SetUseSkinFont(false);
  m_gauge->DefaultFont().Assign(kFieldFont);
  m_gauge->SetHeight(20);
  m_gauge->SetAlign(TAlign::alBottom);
  m_gauge->SetVisible(false);
  m_gauge->SetSkinData(skin);

  m_openDialog = new TskSkinOpenDialog(this);
  m_openDialog->SetName("skSkinOpenDialog1");
  m_openDialog->Title = texts::kSourcePickerTitle;
  m_openDialog->CheckFileExists = true;
  m_openDialog->MultiSelection = false;
  m_openDialog->FilterIndex = 1;
  m_openDialog->Filter = SourceFileFilter();
  m_openDialog->AlphaBlendValue = 225;
  m_openDialog->DefaultFont().Assign(kFieldFont);
  m_openDialog->SetSkinData(skin);
  m_openDialog->SetCtrlSkinData(skin);

  m_folderDialog = new TskSkinSelectDirectoryDialog(this);
  m_folderDialog->SetName("skSkinSelectDirectoryDialog1");
  m_folderDialog->Title = texts::kFolderPickerTitle;
  m_folderDialog->ShowToolBar = true;
  m_folderDialog->SetSkinData(skin);
  m_folderDialog->SetCtrlSkinData(skin);
}

void TFMConverter::Created() {
  FixEncoderFileName(m_main.ProgramFolder());
  if (!m_config.Exists()) {
    ShowError(texts::kProgramDamaged);
    Application().Terminate();
    return;
  }
  TConverterChoices choices;
  try {
    m_config.Load(choices);
  } catch (const std::exception& error) {
    // What was read before the bad value is shown; the rest stays empty.
    LoadChoices(choices);
    Application().HandleException(this, error);
    return;
  }
  LoadChoices(choices);
}

void TFMConverter::LoadChoices(const TConverterChoices& choices) {
  const std::pair<TskSkinComboBox*, const TProfileList*> lists[] = {
      {m_resolution, &choices.resolution}, {m_quality, &choices.quality}, {m_aspect, &choices.aspect}};
  for (const auto& [combo, list] : lists) {
    combo->Items().Assign(list->items);
    if (list->itemIndex >= 0 && list->itemIndex < combo->ItemCount()) {
      combo->SetItemIndex(list->itemIndex);
    } else {
      combo->SetItemIndex(-1);
      combo->SetText(list->text);
    }
  }
  m_folder->SetText(choices.targetFolder);
  m_openDialog->InitialDir = choices.sourceFolder;
}

void TFMConverter::Shown() {
  HideInstalledFiles(m_main.ProgramFolder());
  // One shell serves every job: a second one would leave a running
  // encoder's output unread.
  if (ConversionRunning()) return;
  try {
    m_runner->EnsureShell();
  } catch (const std::exception&) {
    ShowError(texts::kShellFailed);
    Application().Terminate();
  }
}

void TFMConverter::ShowDialog() {
  Show();
  m_save->SetEnabled(!m_source->Text().empty());
  m_main.SetEnabled(false);
}

void TFMConverter::OpenToAdd() {
  m_editing = 0;
  m_source->SetText("");
  m_folder->SetText(m_config.RememberedTargetFolder());
  m_name->SetText("");
  ShowDialog();
}

void TFMConverter::OpenToEdit(TBookmark job) {
  TmtMemTable& jobs = m_main.Jobs();
  if (!jobs.BookmarkValid(job)) return;
  if (jobs.Bookmark() != job) jobs.SetBookmark(job);
  m_editing = job;
  ShowDialog();
  FillFromJob(TJobRecord::FromCurrent(jobs), true);
}

void TFMConverter::CloseDialog() {
  Hide();
  m_main.SetEnabled(true);
  m_main.BringToFront();
}

void TFMConverter::FillFromJob(const TJobRecord& job, bool rangeNote) {
  SelectEntry(*m_resolution, job.resolution);
  m_source->SetText(job.source);
  m_folder->SetText(job.folder);
  m_name->SetText(job.name);
  SelectEntry(*m_quality, job.quality);
  SelectEntry(*m_aspect, job.aspect);
  SetRange(job.range, rangeNote);
  if (!job.range) return;
  TJobEntry values;
  values.ReadRange(job);
  const int read[4] = {values.startHours, values.startMinutes, values.durationHours, values.durationMinutes};
  for (int i = 0; i < 4; ++i) m_spins[i]->SetValue(read[i]);
}

TJobEntry TFMConverter::Entry() const {
  TJobEntry e;
  e.source = m_source->Text();
  e.folder = m_folder->Text();
  e.name = m_name->Text();
  e.resolution = m_resolution->Text();
  e.quality = m_quality->Text();
  e.aspect = m_aspect->Text();
  e.resolutionIndex = m_resolution->ItemIndex();
  e.qualityIndex = m_quality->ItemIndex();
  e.aspectIndex = m_aspect->ItemIndex();
  e.range = m_range->Checked();
  int* values[4] = {&e.startHours, &e.startMinutes, &e.durationHours, &e.durationMinutes};
  for (int i = 0; i < 4; ++i) *values[i] = static_cast<int>(m_spins[i]->Value());
  return e;
}

void TFMConverter::SourceChanged() {
  const TSourceChange change = SourceOrResolutionChanged(m_resolution->Text(), m_source->Text(),
                                                         m_stopButton->Enabled(), m_startButton->Enabled());
  if (change.deriveName) m_name->SetText(change.targetName);
  m_startButton->SetEnabled(change.start);
  m_save->SetEnabled(change.save);
}

void TFMConverter::RangeClicked() {
  const bool on = m_range->Checked();
  if (on && m_rangeNote) m_messages->ShowInformation(texts::kRangeNote);
  for (TskSkinSpinEdit* s : m_spins) s->SetEnabled(on);
}

void TFMConverter::SetRange(bool on, bool note) {
  m_rangeNote = note;
  try {
    m_range->SetChecked(on);
  } catch (...) {
    m_rangeNote = true;
    throw;
  }
  m_rangeNote = true;
}

void TFMConverter::FocusTarget(TJobControl control) {
  if (!Visible()) return;
  TWinControl* target = nullptr;
  switch (control) {
    case TJobControl::None: return;
    case TJobControl::Resolution: target = m_resolution; break;
    case TJobControl::Source: target = m_source; break;
    case TJobControl::TargetFolder: target = m_folder; break;
    case TJobControl::TargetName: target = m_name; break;
    case TJobControl::Quality: target = m_quality; break;
    case TJobControl::Aspect: target = m_aspect; break;
  }
  if (target != nullptr && target->CanFocus()) target->SetFocus();
}

void TFMConverter::SaveClick() {
  FocusTarget(TJobControl::Source);
  const TJobEntry entry = Entry();
  TJobCheck check;
  try {
    check = CheckSave(entry, m_main.Jobs(), m_editing);
  } catch (const std::exception&) {
    return;  // an unexpected error ends the save
  }
  if (!check.Passed()) {
    m_messages->ShowError(check.text);
    FocusTarget(check.focus);
    return;
  }
  StoreJob(m_main.Jobs(), entry, m_editing);
  m_editing = 0;
  const std::string folder = SourceFolderOf(entry.source);
  if (!folder.empty()) {
    m_sourceFolder = folder;
    m_openDialog->InitialDir = folder;
  }
  m_source->SetText("");
  m_name->SetText("");
}

TJobCheck TFMConverter::StartRoutine() {
  TJobEntry entry = Entry();
  std::string runName;
  TJobCheck check = CheckStart(entry, runName);
  if (!check.Passed()) {
    ShowError(check.text);
    FocusTarget(check.focus);
    return check;
  }
  m_name->SetText(runName);
  entry.name = runName;
  try {
    m_runner->EnsureShell();
  } catch (const std::exception&) {
    ShowError(texts::kShellFailed);
    return {texts::kShellFailed, TJobControl::None};
  }
  m_startButton->SetEnabled(false);
  m_stopButton->SetEnabled(true);
  m_runner->StartConversion(entry.CommandInputs(m_config));
  return check;
}

bool TFMConverter::StopRoutine() {
  if (!m_messages->Confirm(texts::kConfirmStop)) return false;
  SilentStop();
  return true;
}

void TFMConverter::SilentStop() { m_runner->SilentStop(); }

void TFMConverter::Shutdown() {
  try {
    m_config.SaveChoices(m_resolution->ItemIndex(), m_quality->ItemIndex(), m_aspect->ItemIndex(), m_sourceFolder,
                         m_folder->Text());
  } catch (const std::exception& error) {
    ShowError(error.what());  // shown once; the program closes all the same
  }
  m_timer->SetEnabled(false);
  if (ConversionRunning()) m_runner->SilentStop();
  m_runner->Shutdown();
  m_shutDown = true;
  m_watch->Disarm();
}

void TFMConverter::BeforeDestruction() {
  if (!m_shutDown) {
    m_shutDown = true;
    m_runner->Shutdown();
  }
  m_watch->Disarm();
  m_watchTarget->store(0);
  TForm::BeforeDestruction();
}

void TFMConverter::WndProc(TMessage& message) {
  if (message.Msg == kRunnerReadyMessage) {
    message.Result = 0;
    PollRunner(true);
    return;
  }
  TForm::WndProc(message);
}

void TFMConverter::PollRunner(bool woken) {
  m_runner->PollTick();
  WatchRunner(woken);
}

void TFMConverter::WatchRunner(bool woken) {
  std::vector<int> fds;
  if (!m_shutDown) m_runner->AddWaitHandles(fds, /*output=*/false);
  if (!woken) {
    m_stillReadable = 0;
  } else if (!fds.empty()) {
    // A poll takes what woke it: the bell is cleared, the identify runs are
    // read as far as they have printed. A handle readable all the same
    // (output that came meanwhile, or one the runner does not take) must not
    // wake the dialog without end. So the others are watched; when none is
    // left, the set is armed again a few times in a row, then only by the
    // timer.
    std::vector<int> quiet;
    for (int fd : fds)
      if (WaitForReadable({fd}, 0) <= 0) quiet.push_back(fd);
    if (!quiet.empty()) {
      m_stillReadable = 0;
      fds = std::move(quiet);
    } else if (++m_stillReadable > kStillReadableRearms) {
      fds.clear();
    }
  }
  if (fds.empty()) {
    m_watch->Disarm();
    return;
  }
  m_watchTarget->store(Handle().Id);
  m_watch->Arm(std::move(fds));
}

void TFMConverter::HelpClick() {
  const std::string help = HelpDocumentPath(m_main.ProgramFolder());
  if (help.empty()) {
    ShowError(texts::kNoHelp);
    return;
  }
  OpenDocument(help);
}

void TFMConverter::SourceButtonClick() {
  SetScreenCursor(TScreenCursor::Hourglass);
  try {
    const std::string source = m_source->Text();
    m_openDialog->FileName = FileExists(source) ? source : std::string();
    if (!Trim(m_sourceFolder).empty()) {
      if (!DirectoryExists(m_sourceFolder)) m_sourceFolder.clear();
      m_openDialog->InitialDir = m_sourceFolder;
    }
    if (m_openDialog->Execute()) m_source->SetText(m_openDialog->FileName);
  } catch (const std::exception&) {
  }
  SetScreenCursor(TScreenCursor::Default);
}

void TFMConverter::FolderButtonClick() {
  SetScreenCursor(TScreenCursor::Hourglass);
  try {
    m_folderDialog->Directory = Trim(m_folder->Text());
    if (m_folderDialog->Execute()) m_folder->SetText(m_folderDialog->Directory);
  } catch (...) {
    SetScreenCursor(TScreenCursor::Default);
    throw;
  }
  SetScreenCursor(TScreenCursor::Default);
}

void TFMConverter::ShowError(const std::string& text) { m_messages->ShowError(text); }

TScreenCursor TFMConverter::ScreenCursor() const {
  return Screen().Cursor() == crHourGlass ? TScreenCursor::Hourglass : TScreenCursor::Default;
}

void TFMConverter::SetScreenCursor(TScreenCursor cursor) {
  Screen().SetCursor(cursor == TScreenCursor::Hourglass ? crHourGlass : crDefault);
}

void TFMConverter::SetPollTimer(bool enabled) {
  m_timer->SetEnabled(enabled);
  WatchRunner(false);
}

void TFMConverter::SetRunButtons(bool startEnabled, bool stopEnabled) {
  m_startButton->SetEnabled(startEnabled);
  m_stopButton->SetEnabled(stopEnabled);
}

void TFMConverter::SetGauge(int value) { m_gauge->SetValue(value); }

}  // namespace tsm
