#pragma once
// TFMConverter: the conversion parameters dialog "转换参数". Created once,
// after the job list window, and hidden except while the user adds or
// edits a job. It is also the home of the encoder runner: the batch driver
// fills its controls from a job and calls its hidden start routine; its
// hidden stop routine and silent stop end a conversion.
//
// Client area 540 x 264: the resolution list and the help label on a top
// band; below, on a skinned panel, the source file edit, the target folder
// edit, the target name, the quality and aspect lists, the range check box
// with its four spin edits, and the buttons 保存 and 关闭 (the hidden
// 开始转换 and 停止转换 and the hidden gauge sit there too).
//
// Modes: append (after every save) or edit (the job chosen by a double
// click, known by its bookmark). Saving checks the entries (JobChecks.h),
// stores the job (JobEntry.h), clears the source and name and stays open.
//
// The dialog shows its own boxes through skSkinMessage1: errors with
// Cancel, questions with Yes and No, the range note with OK.
//
// The runner is polled on the dialog's 100 ms timer (progress) and, beside
// it, whenever one of its end handles becomes readable: a watch thread
// (ReadableWatch.h) sleeps on the shell's bell while the encoder runs and on
// the identify runs' output while the output is verified, and posts
// kRunnerReadyMessage, so that a job's end and its verdict are seen at once.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/encoder/ConverterConfig.h"
#include "app/encoder/EncoderRunner.h"
#include "app/frontend/JobChecks.h"
#include "app/frontend/JobEntry.h"
#include "framework/forms/CustomForm.h"

namespace tsm {

class TAction;
class TActionList;
class TFM_MAIN;
class TLabel;
class TPanel;
class TReadableWatch;
class TTimer;
class TskFormFrame;
class TskSkinButton;
class TskSkinCheckRadioBox;
class TskSkinComboBox;
class TskSkinDirectoryEdit;
class TskSkinEdit;
class TskSkinFileEdit;
class TskSkinGauge;
class TskSkinMessage;
class TskSkinOpenDialog;
class TskSkinPanel;
class TskSkinSelectDirectoryDialog;
class TskSkinSpinEdit;

class TFMConverter : public TForm, private IEncoderRunnerHost {
 public:
  // Files in the job list window's program folder. The runner drives that
  // folder's encoder through real shells, or works on the channel given
  // (tests).
  TFMConverter(TComponent* owner, TFM_MAIN& main, std::unique_ptr<IEncoderChannel> channel = nullptr);
  ~TFMConverter() override;

  // --- The job list window's add and double click ---
  // Append mode: source and name cleared, the folder remembered in
  // Converter.ini (when it exists), shown; the job list window disabled.
  void OpenToAdd();
  // Edit mode on the job: filled from it (the range note when it has a
  // range), shown; the job list window disabled.
  void OpenToEdit(TBookmark job);
  // 关闭 and the frame's close: hidden, the job list window enabled and
  // brought to the front.
  void CloseDialog();

  // --- The batch driver ---
  // Fills the controls from a job: resolution, source (deriving a name),
  // folder, name, quality, aspect, range box (the note only when
  // rangeNote), the spin edits when the job has a range. Raises
  // EConvertError for a range value that is no number.
  void FillFromJob(const TJobRecord& job, bool rangeNote);
  // The hidden 开始转换: the start checks, then the encoder. A failed
  // check shows its text (and moves the focus when the dialog is shown).
  TJobCheck StartRoutine();
  // The hidden 停止转换: "您确定要停止转换吗?"; Yes: SilentStop. True on Yes.
  bool StopRoutine();
  void SilentStop();
  // A conversion runs (or its output is being verified).
  bool ConversionRunning() const { return m_runner->Polling(); }
  TEncoderRunner& Runner() { return *m_runner; }

  // The job list window's close: the choices written to Converter.ini (a
  // refused write is shown once, the rest goes on), a running conversion
  // stopped as a stop does (partial output deleted), the shells ended.
  void Shutdown();

 protected:
  // A program that ends without the job list window's close (a request to
  // terminate) writes nothing back but leaves no encoder or shell behind.
  void BeforeDestruction() override;
  void WndProc(TMessage& message) override;

 public:

  // --- State ---
  bool EditMode() const { return m_editing != 0; }
  TBookmark EditedJob() const { return m_editing; }
  const std::string& RememberedSourceFolder() const { return m_sourceFolder; }
  TJobEntry Entry() const;
  TConverterConfig& Config() { return m_config; }

  // --- Handlers, also called by tests ---
  void SaveClick();
  void HelpClick();
  void SourceButtonClick();
  void FolderButtonClick();

  // --- Controls ---
  TskFormFrame* Frame() const { return m_frame; }
  TskSkinMessage& Messages() const { return *m_messages; }
  TskSkinComboBox* ResolutionList() const { return m_resolution; }
  TskSkinComboBox* QualityList() const { return m_quality; }
  TskSkinComboBox* AspectList() const { return m_aspect; }
  TskSkinFileEdit* SourceEdit() const { return m_source; }
  TskSkinDirectoryEdit* FolderEdit() const { return m_folder; }
  TskSkinEdit* NameEdit() const { return m_name; }
  TskSkinCheckRadioBox* RangeBox() const { return m_range; }
  TskSkinSpinEdit* RangeSpin(int i) const { return m_spins[i]; }
  TskSkinButton* SaveButton() const { return m_save; }
  TskSkinButton* CloseButton() const { return m_closeButton; }
  TskSkinButton* HiddenStartButton() const { return m_startButton; }
  TskSkinButton* HiddenStopButton() const { return m_stopButton; }
  TskSkinGauge* Gauge() const { return m_gauge; }
  TLabel* HelpLabel() const { return m_help; }
  TskSkinOpenDialog* SourceDialog() const { return m_openDialog; }
  TskSkinSelectDirectoryDialog* FolderDialog() const { return m_folderDialog; }

 private:
  void BuildControls();
  void Created();
  void Shown();
  void LoadChoices(const TConverterChoices& choices);
  void SourceChanged();
  void RangeClicked();
  void SetRange(bool on, bool note);
  void FocusTarget(TJobControl control);
  void ShowDialog();
  // One poll of the runner (timer or watch), then the watch re-armed.
  void PollRunner(bool woken);
  // Arms the watch on the runner's end handles while it polls; else disarms.
  void WatchRunner(bool woken);

  // IEncoderRunnerHost
  void ShowError(const std::string& text) override;
  TScreenCursor ScreenCursor() const override;
  void SetScreenCursor(TScreenCursor cursor) override;
  void SetPollTimer(bool enabled) override;
  void SetRunButtons(bool startEnabled, bool stopEnabled) override;
  void SetGauge(int value) override;

  TFM_MAIN& m_main;
  TConverterConfig m_config;
  std::unique_ptr<TEncoderRunner> m_runner;
  TBookmark m_editing = 0;     // the job being edited; 0: append mode
  std::string m_sourceFolder;  // folder of the source of the job saved last
  bool m_rangeNote = true;     // the range box's handler shows its note
  bool m_shutDown = false;     // the processes were ended

  TskFormFrame* m_frame = nullptr;
  TskSkinMessage* m_messages = nullptr;
  TPanel* m_panel = nullptr;
  TPanel* m_band = nullptr;
  TskSkinPanel* m_body = nullptr;
  TskSkinPanel* m_presets = nullptr;
  TskSkinPanel* m_rangePanel = nullptr;
  TLabel* m_help = nullptr;
  TskSkinComboBox* m_resolution = nullptr;
  TskSkinComboBox* m_quality = nullptr;
  TskSkinComboBox* m_aspect = nullptr;
  TskSkinFileEdit* m_source = nullptr;
  TskSkinDirectoryEdit* m_folder = nullptr;
  TskSkinEdit* m_name = nullptr;
  TskSkinCheckRadioBox* m_range = nullptr;
  TskSkinSpinEdit* m_spins[4] = {};
  TskSkinButton* m_save = nullptr;
  TskSkinButton* m_closeButton = nullptr;
  TskSkinButton* m_startButton = nullptr;
  TskSkinButton* m_stopButton = nullptr;
  TskSkinGauge* m_gauge = nullptr;
  TskSkinOpenDialog* m_openDialog = nullptr;
  TskSkinSelectDirectoryDialog* m_folderDialog = nullptr;
  TTimer* m_timer = nullptr;
  TActionList* m_actions = nullptr;

  // The window the watch thread posts to: the dialog's handle as of the
  // last arming (0: none). Shared with the thread, which never touches the
  // form itself.
  std::shared_ptr<std::atomic<uint32_t>> m_watchTarget = std::make_shared<std::atomic<uint32_t>>(0);
  // Wake-ups in a row that left their handles readable (a bell whose shell
  // has gone): re-armed only a few times, then again by the timer's tick.
  int m_stillReadable = 0;
  // Declared last: stopped and joined before anything it posts about goes.
  std::unique_ptr<TReadableWatch> m_watch;
};

}  // namespace tsm
