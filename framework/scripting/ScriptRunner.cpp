#include "framework/scripting/ScriptRunner.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <thread>

#include "framework/controls/WinControl.h"
#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "framework/scripting/WindowTree.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

namespace {

// Real time passes in steps of at most this while a command sleeps or waits.
constexpr int64_t kRealStepMs = 10;
// Quit requests a program may ignore after the script before it is left.
constexpr int32_t kMaxQuitRequests = 10;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The character a key types on its own (a letter, a digit, Space), as a
// keyboard's text input delivers it beside the key messages; 0 for none.
char TypedChar(uint16_t key, TShiftState shift) {
  if (shift.Contains(TShiftKey::Ctrl) || shift.Contains(TShiftKey::Alt)) return 0;
  const bool upper = shift.Contains(TShiftKey::Shift);
  if (key >= 'A' && key <= 'Z') return char(upper ? key : key - 'A' + 'a');
  if (key >= '0' && key <= '9' && !upper) return char(key);
  if (key == VK_SPACE) return ' ';
  return 0;
}

void PressKeys(THeadlessBackend& desk, uint16_t key, TShiftState shift) {
  if (shift.Contains(TShiftKey::Ctrl)) desk.KeyDown(VK_CONTROL);
  if (shift.Contains(TShiftKey::Alt)) desk.KeyDown(VK_MENU);
  if (shift.Contains(TShiftKey::Shift)) desk.KeyDown(VK_SHIFT);
  desk.KeyDown(key);
  if (const char c = TypedChar(key, shift)) desk.Text(std::string(1, c));
  desk.KeyUp(key);
  if (shift.Contains(TShiftKey::Shift)) desk.KeyUp(VK_SHIFT);
  if (shift.Contains(TShiftKey::Alt)) desk.KeyUp(VK_MENU);
  if (shift.Contains(TShiftKey::Ctrl)) desk.KeyUp(VK_CONTROL);
}

// Scripted presses never join the press before them into a double click.
void ForgetClicks() {
  if (TWindowSystem* sys = TWindowSystem::Current()) sys->Input().ForgetClicks();
}

}  // namespace

TScriptRunner::TScriptRunner(TScript script, THeadlessBackend& desk, std::ostream& log)
    : m_script(std::move(script)), m_desk(&desk), m_log(log) {}

TScriptRunner::TScriptRunner(const std::string& name, const TScriptError& error, std::ostream& log)
    : m_log(log), m_loaded(false) {
  m_script.Name = name;
  m_log << name << ':';
  if (error.Line > 0) m_log << error.Line << ':';
  m_log << " error: " << error.Message << std::endl;
}

TScriptRunner::~TScriptRunner() {
  TWindowSystem* sys = TWindowSystem::Current();
  if (m_started && sys && sys->Headless() == m_desk) m_desk->SetIdleHook(nullptr);
}

std::unique_ptr<TScriptRunner> TScriptRunner::StartFromFile(const std::string& path, std::ostream& log) {
  if (!TWindowSystem::Current()) {
    auto backend = std::make_unique<THeadlessBackend>();
    backend->UseManualClock(true);
    TWindowSystem::Initialize(std::move(backend));
  }
  THeadlessBackend* desk = TWindowSystem::Current()->Headless();
  if (!desk) return std::make_unique<TScriptRunner>(path, TScriptError{0, "UI scripts run on the headless backend only"}, log);
  TScript script;
  TScriptError error;
  if (!LoadScript(path, script, error)) return std::make_unique<TScriptRunner>(path, error, log);
  auto runner = std::make_unique<TScriptRunner>(std::move(script), *desk, log);
  runner->Start();
  return runner;
}

void TScriptRunner::Start() {
  if (!m_loaded || m_started) return;
  m_started = true;
  m_desk->SetIdleHook([this](int64_t timeoutMs) { return OnIdle(timeoutMs); });
}

bool TScriptRunner::Finished() const { return !m_loaded || (m_next >= m_script.Commands.size() && !m_wait); }

bool TScriptRunner::OnIdle(int64_t timeoutMs) {
  // Commands never dispatch messages, so the hook cannot be re-entered; if
  // it were, the loop simply waits as usual.
  if (m_inHook) return false;
  m_inHook = true;
  struct TLeave {
    bool& Flag;
    ~TLeave() { Flag = false; }
  } leave{m_inHook};
  if (m_wait) {
    if (!ContinueWait(timeoutMs)) return true;
    m_wait.reset();
    return true;   // one more round, so that what the wait's end set off runs first
  }
  if (m_next >= m_script.Commands.size()) {
    EndProgram();
    return true;
  }
  Execute(m_script.Commands[m_next++]);
  return true;
}

void TScriptRunner::ReportEnd() {
  if (m_endReported) return;
  m_endReported = true;
  const size_t n = m_script.Commands.size();
  m_log << m_script.Name << ": " << n << (n == 1 ? " command, " : " commands, ") << m_failures << " failed" << std::endl;
}

void TScriptRunner::EndProgram() {
  ReportEnd();
  if (++m_quitRequests > kMaxQuitRequests) {
    m_log << m_script.Name << ": the program does not end after the script; leaving it" << std::endl;
    std::_Exit(1);
  }
  Application().Terminate();
}

void TScriptRunner::ProgramEnded() {
  if (!m_loaded) return;
  if (Finished()) {
    ReportEnd();
    return;
  }
  const size_t first = m_wait ? m_next - 1 : m_next;
  const TScriptCommand& cmd = m_script.Commands[first];
  m_log << m_script.Name << ':' << cmd.Line << ": FAILED: the program ended before this line ran to its end ("
        << m_script.Commands.size() - first << " commands left)" << std::endl;
  ++m_failures;
  m_wait.reset();
  m_next = m_script.Commands.size();
  ReportEnd();
}

void TScriptRunner::Fail(const TScriptCommand& cmd, const std::string& why) {
  ++m_failures;
  m_log << m_script.Name << ':' << cmd.Line << ": FAILED: " << why << std::endl;
}

// --- Commands ---------------------------------------------------------------

void TScriptRunner::Execute(const TScriptCommand& cmd) {
  m_log << m_script.Name << ':' << cmd.Line << ": " << cmd.Source << std::endl;
  THeadlessBackend& desk = *m_desk;
  try {
    switch (cmd.Op) {
      case TScriptOp::Advance:
      case TScriptOp::Sleep:
      case TScriptOp::WaitText:
        m_wait = TWait{&cmd, desk.Now(), std::chrono::steady_clock::now()};
        break;
      case TScriptOp::Move: desk.MouseMove(cmd.Point); break;
      case TScriptOp::Press:
        ForgetClicks();
        desk.MouseMove(cmd.Point);
        desk.MouseDown(cmd.Button);
        break;
      case TScriptOp::Release:
        desk.MouseMove(cmd.Point);
        desk.MouseUp(cmd.Button);
        break;
      case TScriptOp::Click:
        ForgetClicks();
        desk.Click(cmd.Point, cmd.Button);
        break;
      case TScriptOp::DoubleClick:
        ForgetClicks();
        desk.Click(cmd.Point);
        desk.Click(cmd.Point);
        break;
      case TScriptOp::Drag: {
        // Pressed, moved in four steps (drag thresholds are passed, hover
        // code runs), released at the end.
        ForgetClicks();
        desk.MouseMove(cmd.Point);
        desk.MouseDown();
        for (int32_t i = 1; i <= 4; ++i)
          desk.MouseMove({cmd.Point.X + (cmd.To.X - cmd.Point.X) * i / 4, cmd.Point.Y + (cmd.To.Y - cmd.Point.Y) * i / 4});
        desk.MouseUp();
        break;
      }
      case TScriptOp::Wheel:
        desk.MouseMove(cmd.Point);
        desk.Wheel(cmd.Notches);
        break;
      case TScriptOp::ClickText: {
        const TWindowTree tree = TWindowTree::Capture();
        const TWindowTree::TEntry* target = tree.FindClickable(cmd.Text);
        if (!target) {
          Fail(cmd, "nothing that can be clicked shows " + Quoted(cmd.Text) +
                        (tree.ShowsText(cmd.Text) ? " (it is shown, but covered or a window caption)" : ""));
          break;
        }
        const TPoint p = target->Bounds.CenterPoint();
        ForgetClicks();
        desk.Click(p, cmd.ClickKind == TClickKind::Right ? TMouseButton::Right : TMouseButton::Left);
        if (cmd.ClickKind == TClickKind::Double) desk.Click(p);
        break;
      }
      case TScriptOp::Key: PressKeys(desk, cmd.Key, cmd.Shift); break;
      case TScriptOp::Type: desk.Text(cmd.Text); break;
      case TScriptOp::Drop: {
        // Relative paths are taken from the current folder, as a file
        // manager would give them in full.
        std::vector<std::string> paths;
        for (const std::string& f : cmd.Files) paths.push_back(std::filesystem::absolute(f).lexically_normal().string());
        desk.DropFiles(cmd.Point, std::move(paths));
        break;
      }
      case TScriptOp::Shot:
        if (!desk.SaveScreenPng(cmd.File)) Fail(cmd, "cannot write " + cmd.File);
        break;
      case TScriptOp::ShotWindow: {
        const HWND wnd = TWindowTree::Capture().FindWindow(cmd.Text);
        if (!wnd) Fail(cmd, "no window " + Quoted(cmd.Text) + " is shown");
        else if (!desk.SaveWindowPng(wnd, cmd.File)) Fail(cmd, "cannot write " + cmd.File);
        break;
      }
      case TScriptOp::Dump: {
        const std::string text = WriteJson(TWindowTree::Capture().Document()) + "\n";
        if (cmd.File == "-") {
          m_log << text << std::flush;
        } else {
          std::ofstream out(cmd.File, std::ios::binary | std::ios::trunc);
          out << text;
          out.close();
          if (!out) Fail(cmd, "cannot write " + cmd.File);
        }
        break;
      }
      case TScriptOp::Quit: {
        TCustomForm* main = Application().MainForm();
        if (!main || !main->HandleAllocated()) Fail(cmd, "the program has no main form");
        else desk.CloseFromDesktop(main->Handle());
        break;
      }
      default: Check(cmd); break;
    }
  } catch (const std::exception& e) {
    Fail(cmd, e.what());
  }
}

void TScriptRunner::Check(const TScriptCommand& cmd) {
  const TWindowTree tree = TWindowTree::Capture();
  const std::string text = Quoted(cmd.Text);
  switch (cmd.Op) {
    case TScriptOp::ExpectText:
      if (!tree.ShowsText(cmd.Text)) Fail(cmd, text + " is not shown");
      break;
    case TScriptOp::ExpectNoText:
      if (tree.ShowsText(cmd.Text)) Fail(cmd, text + " is shown");
      break;
    case TScriptOp::ExpectWindow:
      if (!tree.FindWindow(cmd.Text)) Fail(cmd, "no window " + text + " is shown");
      break;
    case TScriptOp::ExpectNoWindow:
      if (tree.FindWindow(cmd.Text)) Fail(cmd, "the window " + text + " is shown");
      break;
    case TScriptOp::ExpectFocus: {
      const HWND focus = GetFocus();
      if (!focus) {
        Fail(cmd, "nothing has the focus");
        break;
      }
      std::string shown, name;
      if (TWinControl* control = TWinControl::FindControl(focus)) {
        const TJsonValue node = DescribeControl(control);
        shown = node["text"].AsString();
        name = node["name"].AsString();
      } else {
        shown = GetWindowText(focus);
      }
      if (!TextIs(ComparableText(shown), cmd.Text) && (name.empty() || name != cmd.Text))
        Fail(cmd, "the focus is on " + (name.empty() ? std::string("a control") : name) + " showing " +
                      Quoted(ComparableText(shown)));
      break;
    }
    case TScriptOp::ExpectEnabled:
    case TScriptOp::ExpectDisabled: {
      const TWindowTree::TEntry* entry = tree.FindControl(cmd.Text);
      const bool wantEnabled = cmd.Op == TScriptOp::ExpectEnabled;
      if (!entry) Fail(cmd, "no control or item shows " + text);
      else if (entry->Enabled != wantEnabled) Fail(cmd, text + (wantEnabled ? " is disabled" : " is enabled"));
      break;
    }
    default: break;
  }
}

bool TScriptRunner::ContinueWait(int64_t timeoutMs) {
  const TScriptCommand& cmd = *m_wait->Command;
  THeadlessBackend& desk = *m_desk;
  const uint64_t now = desk.Now();
  if (cmd.Op == TScriptOp::Advance) {
    const uint64_t end = m_wait->ManualStart + cmd.Ms;
    if (now >= end) return true;
    const uint64_t step = timeoutMs >= 0 ? std::min(now + uint64_t(timeoutMs), end) : end;
    desk.AdvanceClock(step - now);
    return false;
  }
  if (cmd.Op == TScriptOp::WaitText && TWindowTree::Capture().ShowsText(cmd.Text)) return true;
  using namespace std::chrono;
  const auto real = duration_cast<milliseconds>(steady_clock::now() - m_wait->RealStart).count();
  const uint64_t elapsed = std::min<uint64_t>(uint64_t(std::max<int64_t>(real, 0)), cmd.Ms);
  // The manual clock follows real time; the loop delivers the timers that
  // became due before this command goes on.
  if (m_wait->ManualStart + elapsed > now) {
    desk.AdvanceClock(m_wait->ManualStart + elapsed - now);
    return false;
  }
  if (elapsed >= cmd.Ms) {
    if (cmd.Op == TScriptOp::WaitText) Fail(cmd, Quoted(cmd.Text) + " was not shown within " + std::to_string(cmd.Ms) + " ms");
    return true;
  }
  std::this_thread::sleep_for(milliseconds(std::min<int64_t>(kRealStepMs, int64_t(cmd.Ms - elapsed))));
  return false;
}

}  // namespace tsm
