#include "app/encoder/MediaProbe.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/encoder/EncoderFiles.h"
#include "app/encoder/ProgressText.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

constexpr const char* kIdentifyProgram = "mplayer";

// Lines of text, ended by CR or LF, the unended last one included.
template <typename Fn>
void ForEachLine(std::string_view text, Fn fn) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    fn(text.substr(start, end - start));
    start = end + 1;
  }
}

double ToSeconds(std::string_view number) {
  const std::string s(number);
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end == s.c_str() || v != v) return -1;  // no number, or nan
  return v;
}

}  // namespace

double ParseIdentifyLength(std::string_view text) {
  double seconds = -1;
  ForEachLine(text, [&](std::string_view line) {
    if (line.substr(0, 10) == "ID_LENGTH=") seconds = ToSeconds(line.substr(10));
  });
  return seconds > 0 ? seconds : -1;
}

double ParseCopiedVideoLength(std::string_view text) {
  double seconds = -1;
  ForEachLine(text, [&](std::string_view line) {
    if (!IsEndSummaryLine(line) || line.substr(0, kVideoSummaryText.size()) != kVideoSummaryText) return;
    // "... size: <n> bytes  <seconds> secs  <n> frames"
    const size_t secs = line.rfind(" secs");
    const size_t start = line.find_last_of(' ', secs - 1);
    seconds = ToSeconds(line.substr(start + 1, secs - start - 1));
  });
  return seconds;
}

TMediaProbe::TMediaProbe(const std::string& programFolder)
    : m_encoder(IncludeTrailingPathDelimiter(programFolder) + kEncoderFileName) {
  // The identify program installed with the encoder: beside the file the
  // program folder's encoder link leads to, else the one found in PATH.
  const std::string real = ResolvedPath(m_encoder);
  const std::string beside = real.empty() ? std::string() : ExtractFilePath(real) + kIdentifyProgram;
  m_identify = !beside.empty() && FileExists(beside) ? beside : kIdentifyProgram;
}

TMediaProbe::~TMediaProbe() { Cancel(); }

std::vector<std::string> TMediaProbe::SourceCommand(const std::string& path) const {
  return {m_identify, "-noconfig", "all", "-nolirc", "-demuxer", "lavf", "-identify", "-frames", "0",
          "-vo", "null", "-ao", "null", "-msglevel", "all=-1:identify=4", "--", path};
}

std::vector<std::string> TMediaProbe::OutputCommand(const std::string& path) const {
  // -quiet: the summary without a progress line for every frame.
  return {m_encoder, "-quiet", "-noconfig", "all", "-ovc", "copy", "-nosound", "-of", "avi", "-o", "/dev/null", "--", path};
}

void TMediaProbe::Start(TProbeKind kind, const std::string& path) {
  TRun& run = RunOf(kind);
  run.process = std::make_unique<TChildProcess>();
  run.process->SetBackground(kind == TProbeKind::Source || m_outputInBackground);
  run.text.clear();
  run.started = true;
  if (!run.process->Start(kind == TProbeKind::Source ? SourceCommand(path) : OutputCommand(path)))
    run.process.reset();
}

bool TMediaProbe::Poll(TProbeKind kind, TProbeResult& result) {
  TRun& run = RunOf(kind);
  if (run.process != nullptr) {
    if (run.process->ReadAvailable(run.text)) return false;
    // The output has ended, so the program is ending: collect it (bounded).
    int status = 0;
    for (int waited = 0; !run.process->TryReap(status); ++waited) {
      if (waited >= 2000) {
        run.process->Kill();
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    run.process.reset();
  }
  result.text = run.text;
  result.seconds = !run.started ? -1
                   : kind == TProbeKind::Source ? ParseIdentifyLength(run.text)
                                                : ParseCopiedVideoLength(run.text);
  return true;
}

void TMediaProbe::AddWaitHandles(std::vector<int>& fds) const {
  for (const TRun* run : {&m_source, &m_output})
    if (run->process != nullptr && run->process->OutputHandle() >= 0) fds.push_back(run->process->OutputHandle());
}

void TMediaProbe::Cancel() {
  for (TRun* run : {&m_source, &m_output}) {
    run->process.reset();  // ends a run that still goes
    run->started = false;
    run->text.clear();
  }
}

}  // namespace tsm
