#include "app/main/tests/ConverterTestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/encoder/EncoderFiles.h"
#include "app/jobs/JobTable.h"
#include "app/main/ConverterWindows.h"
#include "memtable/MemTable.h"
#include "platform/core/ProgramFolder.h"
#include "platform/os/PathInfo.h"
#include "platform/os/tests/OsTestFolders.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinDirectoryEdit.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinFileEdit.h"

namespace tsm {

void ConverterTest::SetUp() {
  FrameworkTest::SetUp();
  char pattern[] = "/tmp/tm_converter.XXXXXX";
  m_folder = std::string(::mkdtemp(pattern)) + "/";
  ::mkdir((m_folder + "src").c_str(), 0700);
  ::mkdir((m_folder + "out").c_str(), 0700);
  ::mkdir((m_folder + "out2").c_str(), 0700);
  for (const char* name : {"a.mpg", "b.mkv", "c.avi", "d.rmvb", "e.wmv"}) std::ofstream(m_folder + "src/" + name) << "video";
  m_log = m_folder + "boxes.log";
  ::setenv("TM_DIALOG_LOG", m_log.c_str(), 1);
  ::setenv("TM_DIALOG_ANSWER", "1", 1);
  // Saved jobs and logs go to the test's own state folder.
  if (const char* state = std::getenv("XDG_STATE_HOME")) m_oldState = state;
  ::setenv("XDG_STATE_HOME", (m_folder + "state").c_str(), 1);
  if (startWindows) StartWindows();
}

void ConverterTest::StartWindows() {
  const std::string ini = iniText.empty() ? FileText(ProgramFolder() + "Converter.ini") : iniText;
  if (iniText != "-") std::ofstream(m_folder + "Converter.ini", std::ios::binary) << ini;
  std::unique_ptr<TScriptedChannel> channel;
  if (realEncoder) {
    const std::string encoder = ResolvedPath(ProgramFolder() + kEncoderFileName);
    EXPECT_EQ(::symlink(encoder.c_str(), (m_folder + kEncoderFileName).c_str()), 0) << encoder;
  } else {
    channel = std::make_unique<TScriptedChannel>();
    m_channel = channel.get();
  }
  m_main = CreateConverterWindows(Application(), m_folder, std::move(channel));
  m_dialog = m_main->Converter();
  m_dialog->Runner().SetStopWaitMs(0);
  if (!Application().Terminated()) m_main->Show();
  Pump();
}

void ConverterTest::TearDown() {
  FrameworkTest::TearDown();
  ::unsetenv("TM_DIALOG_LOG");
  ::unsetenv("TM_DIALOG_ANSWER");
  if (m_oldState.empty()) ::unsetenv("XDG_STATE_HOME"); else ::setenv("XDG_STATE_HOME", m_oldState.c_str(), 1);
  std::system(("chmod -R u+w '" + m_folder + "' 2>/dev/null; rm -rf '" + m_folder + "'").c_str());
}

std::vector<std::string> ConverterTest::Boxes() {
  std::vector<std::string> boxes;
  std::stringstream lines(FileText(m_log));
  for (std::string line; std::getline(lines, line);) {
    const size_t tab = line.find('\t');
    const size_t tab2 = line.find('\t', tab + 1);
    boxes.push_back(line.substr(0, tab) + "|" + line.substr(tab + 1, tab2 - tab - 1));
  }
  std::remove(m_log.c_str());
  return boxes;
}

void ConverterTest::AddJob(const std::string& source, const std::string& folder, const std::string& name) {
  if (!m_dialog->Visible()) Click(m_main->AddButton());
  m_dialog->SourceEdit()->SetText(source);
  m_dialog->FolderEdit()->SetText(folder);
  if (!name.empty()) m_dialog->NameEdit()->SetText(name);
  Click(m_dialog->SaveButton());
}

void ConverterTest::AddAndClose(const std::string& source, const std::string& folder, const std::string& name) {
  AddJob(source, folder, name);
  Click(m_dialog->CloseButton());
}

std::string ConverterTest::Progress(int row) const {
  return Jobs().RowText(row, *Jobs().FieldNamed(jobfield::kProgress));
}
std::string ConverterTest::Status(int row) const { return Jobs().RowText(row, *Jobs().FieldNamed(jobfield::kStatus)); }
std::string ConverterTest::Name(int row) const { return Jobs().RowText(row, *Jobs().FieldNamed(jobfield::kTargetName)); }

void ConverterTest::ClickRow(int row) {
  TskSkinDBGrid* grid = m_main->Grid();
  const TRect r = grid->CellRect(2, grid->TitleOffset() + row);
  TWindowSystem::Instance().Input().ForgetClicks();
  Click(grid, {r.Left + 4, r.Top + r.Height() / 2});
}

void ConverterTest::DoubleClickRow(int row) {
  TskSkinDBGrid* grid = m_main->Grid();
  const TRect r = grid->CellRect(2, grid->TitleOffset() + row);
  const TPoint p = ScreenPoint(grid, {r.Left + 4, r.Top + r.Height() / 2});
  TWindowSystem::Instance().Input().ForgetClicks();
  Desk().Click(p);
  Desk().Click(p);
  Pump();
}

void ConverterTest::Encoder(const std::string& printed, bool running) {
  m_channel->pending += printed;
  m_channel->running = running;
  RunFor(100);
}

std::string ConverterTest::Pos(int percent) {
  char line[96];
  std::snprintf(line, sizeof line, "Pos:   1.0s     25f (%2d%%)  0.00fps Trem:   0min   0mb  A-V:0.000 [0:0]\r", percent);
  return line;
}

std::string ConverterTest::Summary() {
  return "\nVideo stream:  667.616 kbit/s  (83452 B/s)  size: 247018 bytes  2.960 secs  74 frames\n\n"
         "Audio stream:  127.999 kbit/s  (15999 B/s)  size: 48483 bytes  3.030 secs\n";
}

void ConverterTest::FinishJob() {
  Encoder(Pos(60), true);
  Encoder(Summary(), false);
  RunFor(100);
}

bool ConverterTest::PumpUntil(const std::function<bool()>& done, int limitSeconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
  for (;;) {
    Pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void ConverterTest::ExpectGridUpToDate(const char* what) {
  Pump();
  const TBitmap incremental = CaptureWindow(m_main->Grid()->Handle());
  m_main->Grid()->Invalidate();
  Pump();
  const TBitmap full = CaptureWindow(m_main->Grid()->Handle());
  int differing = 0;
  for (int32_t y = 0; y < full.Height(); ++y)
    for (int32_t x = 0; x < full.Width(); ++x) differing += incremental.GetPixel(x, y) != full.GetPixel(x, y);
  EXPECT_EQ(differing, 0) << what;
}

std::string ConverterTest::MainButtons() const {
  std::string s;
  for (const TskSkinButton* b : {m_main->AddButton(), m_main->RemoveButton(), m_main->StartButton(), m_main->StopButton()})
    s += b->Enabled() ? '1' : '0';
  return s;
}

}  // namespace tsm
