#include "app/encoder/ProgressText.h"

#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

TProgressReading ReadProgressLine(std::string_view line) {
  const size_t open = line.find('(');
  const std::string t = Trim(open == std::string_view::npos ? std::string_view() : line.substr(open + 1, 2));
  int32_t value = 0;
  if (t != "0" && (!TryStrToInt(t, value) || value == 0)) return {TProgressKind::NotANumber, 0};
  return {TProgressKind::Percent, value};
}

}  // namespace

TProgressReading ReadProgress(std::string_view text) {
  std::string_view newestComplete, newestAny;
  bool haveComplete = false, haveAny = false;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    const bool complete = end != std::string_view::npos;
    const std::string_view line = text.substr(start, complete ? end - start : std::string_view::npos);
    if (line.find(kProgressMark) != std::string_view::npos) {
      newestAny = line;
      haveAny = true;
      if (complete) {
        newestComplete = line;
        haveComplete = true;
      }
    }
    if (!complete) break;
    start = end + 1;
  }
  if (haveComplete) return ReadProgressLine(newestComplete);
  if (haveAny) return ReadProgressLine(newestAny);
  return {};
}

bool HasEndSummary(std::string_view text) {
  return text.find(kAudioSummaryText) != std::string_view::npos ||
         text.find(kVideoSummaryText) != std::string_view::npos;
}

}  // namespace tsm
