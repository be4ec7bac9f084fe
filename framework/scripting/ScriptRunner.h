#pragma once
// TScriptRunner: runs a UI script (Script.h) against the program it lives in,
// on the headless backend with the manual clock.
//
// The runner sits in the backend's idle hook: whenever a message loop has
// nothing left to do (no posted message, input, painting or due timer), it
// runs the next command, or goes on with the command that waits. So every
// command starts with the program idle, and a command that opens a modal
// dialog or a message box does not stop the script: the dialog's own loop
// becomes idle and the next command runs inside it. Commands only queue
// input, move the clock or look; none dispatches messages itself.
//
// Keys: `key` presses the modifiers, the key, and releases them in reverse;
// a letter, digit or Space without Ctrl or Alt also types its character, as
// a keyboard's text input does. `type` delivers committed text only.
//
// Waiting: `advance` steps the manual clock to each timer due within its
// span; `sleep` and `wait-text` let real time pass in small steps, moving the
// manual clock along with it, so timers fire and child processes (the
// encoder) make progress; `wait-text` fails when its time is up. Nothing
// waits without a limit.
//
// After the last command the program is asked to quit (its forms are freed
// without their close query: write `quit` to close the main form as a user
// would). A program that keeps running loops after that is left with
// _Exit(1) once it has ignored the request ten times.
//
// Log (one line each, to the given stream — standard error in the program):
//   NAME:LINE: COMMAND AS WRITTEN
//   NAME:LINE: FAILED: WHY
//   NAME: N commands, M failed            at the end
// Exit status: 0 every check held, 1 a check or command failed or lines were
// left when the program ended, 2 the script could not be read or parsed.

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "framework/scripting/Script.h"

namespace tsm {

class THeadlessBackend;

class TScriptRunner {
 public:
  // Runs the script against the program on desk.
  TScriptRunner(TScript script, THeadlessBackend& desk, std::ostream& log);
  // A script that could not be read or parsed: the error is logged, nothing
  // runs, the exit status is 2.
  TScriptRunner(const std::string& name, const TScriptError& error, std::ostream& log);
  ~TScriptRunner();
  TScriptRunner(const TScriptRunner&) = delete;
  TScriptRunner& operator=(const TScriptRunner&) = delete;

  // For the program under TM_SCRIPT: makes sure the window system runs on
  // the headless backend with the manual clock (creating it when there is
  // none yet), reads the script and starts it. Never null.
  static std::unique_ptr<TScriptRunner> StartFromFile(const std::string& path, std::ostream& log);

  // Goes on from the next idle moment of the message loop.
  void Start();
  // The script could be read; false: nothing runs (exit status 2).
  bool Loaded() const { return m_loaded; }
  // Every command has run.
  bool Finished() const;
  // The message loop has ended: reports the lines that did not run.
  void ProgramEnded();

  int32_t Failures() const { return m_failures; }
  int32_t ExitStatus() const { return !m_loaded ? 2 : m_failures ? 1 : 0; }

 private:
  struct TWait {
    const TScriptCommand* Command = nullptr;
    uint64_t ManualStart = 0;
    std::chrono::steady_clock::time_point RealStart;
  };

  bool OnIdle(int64_t timeoutMs);
  // Goes on with the waiting command; true when it is over.
  bool ContinueWait(int64_t timeoutMs);
  void Execute(const TScriptCommand& cmd);
  void Check(const TScriptCommand& cmd);
  void EndProgram();
  // The summary line, once.
  void ReportEnd();
  void Fail(const TScriptCommand& cmd, const std::string& why);

  TScript m_script;
  THeadlessBackend* m_desk = nullptr;
  std::ostream& m_log;
  bool m_loaded = true;
  size_t m_next = 0;
  std::optional<TWait> m_wait;
  int32_t m_failures = 0;
  bool m_inHook = false;
  bool m_started = false;
  int32_t m_quitRequests = 0;
  bool m_endReported = false;
};

}  // namespace tsm
