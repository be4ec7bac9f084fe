#pragma once
// Fixture for the converter's windows in one process: the headless window
// system with the manual clock, a program folder of the test's own (a copy
// of the shipped Converter.ini, source files, target folders), the two
// windows created as start-up creates them, with the dialog's runner on a
// scripted encoder channel (or, with realEncoder, on real shells and the
// encoder linked into the program folder), and every message box logged (TM_DIALOG_LOG)
// and answered with its default button (TM_DIALOG_ANSWER) unless a test
// answers it itself. The state folder (saved jobs, logs) is the program
// folder's "state" ($XDG_STATE_HOME).

#include <functional>
#include <string>
#include <vector>

#include "app/converter/TFMConverter.h"
#include "app/encoder/TestChannel.h"
#include "app/main/TFM_MAIN.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {

class ConverterTest : public FrameworkTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates and shows the windows (SetUp does it unless startWindows is
  // false before it runs).
  void StartWindows();

  TFM_MAIN* Main() const { return m_main; }
  TFMConverter* Dialog() const { return m_dialog; }
  TmtMemTable& Jobs() const { return m_main->Jobs(); }
  TScriptedChannel& Channel() const { return *m_channel; }
  const std::string& Folder() const { return m_folder; }
  // A file under the program folder's "src" (made), a folder under it.
  std::string Source(const std::string& name) const { return m_folder + "src/" + name; }
  std::string Out(const std::string& name = "out") const { return m_folder + name; }

  // The message boxes shown since the last call: "title|text" each.
  std::vector<std::string> Boxes();

  // The add button, the entries as a user would leave them, 保存.
  void AddJob(const std::string& source, const std::string& folder, const std::string& name = "");
  // The same, then 关闭.
  void AddAndClose(const std::string& source, const std::string& folder, const std::string& name = "");

  // Grid rows (0-based, table order).
  std::string Progress(int row) const;
  std::string Status(int row) const;
  std::string Name(int row) const;
  void ClickRow(int row);
  void DoubleClickRow(int row);

  // What the encoder printed since the last tick and whether it runs now,
  // then one tick of the dialog's timer.
  void Encoder(const std::string& printed, bool running);
  // The end of a job: a progress line, the summary, the encoder gone, and
  // the job list window's next tick.
  void FinishJob();
  static std::string Pos(int percent);
  // The end summary an encoder prints.
  static std::string Summary();

  // Dispatches messages, the manual clock standing still, until done() or
  // a time limit in real seconds; whether done() was reached. For what
  // other threads post (the dialog's watch).
  bool PumpUntil(const std::function<bool()>& done, int limitSeconds = 20);

  // The grid's pixels are what a complete repaint gives: nothing stale.
  void ExpectGridUpToDate(const char* what);

  // Enabled states of the job list window's buttons: add, remove, start, stop.
  std::string MainButtons() const;

  bool startWindows = true;
  bool realEncoder = false;  // then Channel() must not be used
  std::string iniText;  // Converter.ini for the test; empty: the shipped one

 private:
  std::string m_folder;
  std::string m_log;
  std::string m_oldState;
  TFM_MAIN* m_main = nullptr;
  TFMConverter* m_dialog = nullptr;
  TScriptedChannel* m_channel = nullptr;
};

}  // namespace tsm
