#include "app/encoder/EncoderOutput.h"

#include <algorithm>

namespace tsm {

namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// The length of the longest piece at the end of text that starts echo
// without being all of it.
size_t EchoStartAtEnd(std::string_view text, std::string_view echo) {
  for (size_t k = std::min(text.size(), echo.size() - 1); k > 0; --k)
    if (text.substr(text.size() - k) == echo.substr(0, k)) return k;
  return 0;
}

// The status of the exit report line "<mark> <status>" among the complete
// lines of text; -1 when there is none.
int FindExitReport(std::string_view text, std::string_view mark) {
  for (size_t at = text.find(mark); at != std::string_view::npos; at = text.find(mark, at + 1)) {
    if (at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r') continue;
    size_t i = at + mark.size();
    if (i >= text.size() || text[i] != ' ') continue;
    int status = 0, digits = 0;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4; ++i, ++digits)
      status = status * 10 + (text[i] - '0');
    if (digits > 0 && i < text.size() && (text[i] == '\n' || text[i] == '\r')) return status;
  }
  return -1;
}

}  // namespace

void TEncoderOutput::Reset(const std::vector<std::string>& echoes) {
  m_echoes.clear();
  m_pending.clear();
  m_inDroppedLine = false;
  for (const std::string& echo : echoes) {
    if (!HasLineBreak(echo)) continue;
    m_echoes.push_back(echo);
    const std::string name = echo.substr(echo.rfind('/') + 1);
    if (name != echo && HasLineBreak(name)) m_echoes.push_back(name);
  }
  // The whole path first, so that its last component is not taken out of it.
  std::stable_sort(m_echoes.begin(), m_echoes.end(),
                   [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

TOutputFacts TEncoderOutput::Take(std::string_view chunk) {
  std::string text = m_pending + std::string(chunk);
  for (const std::string& echo : m_echoes)
    for (size_t at = text.find(echo); at != std::string::npos; at = text.find(echo, at)) text.erase(at, echo.size());

  // Complete lines are judged now; the rest waits for the next read.
  const size_t lastEnd = text.find_last_of("\r\n");
  size_t cut = lastEnd == std::string::npos ? 0 : lastEnd + 1;
  for (const std::string& echo : m_echoes) cut = std::min(cut, text.size() - EchoStartAtEnd(text, echo));
  m_pending = text.substr(cut);
  text.resize(cut);

  if (m_inDroppedLine) {
    const size_t end = text.find_first_of("\r\n");
    text.erase(0, end == std::string::npos ? text.size() : end + 1);
    m_inDroppedLine = end == std::string::npos;
  }
  if (m_pending.size() > kLineLimit) {
    m_pending.clear();
    m_inDroppedLine = true;
  }

  TOutputFacts facts;
  facts.unsupported = HasUnsupportedSource(text);
  facts.summary = HasEndSummary(text);
  facts.progress = ReadProgress(text);
  facts.position = ReadProgressSeconds(text);
  if (!m_exitMark.empty()) facts.exitStatus = FindExitReport(text, m_exitMark);
  return facts;
}

}  // namespace tsm
