#include "app/batch/ProgressDisplay.h"

#include "platform/core/Utf8.h"

namespace tsm {

std::string ClockText(double seconds) {
  const long s = seconds < 0 ? 0 : static_cast<long>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

std::string ProgressFigures(const TJobProgress& p, bool zh) {
  char text[128];
  std::string out;
  std::snprintf(text, sizeof text, "%3d%%  %s", p.percent, ClockText(p.elapsed).c_str());
  out = text;
  if (p.position > 0 && p.elapsed >= 0.5) {
    std::snprintf(text, sizeof text, "  %.1fx", p.position / p.elapsed);
    out += text;
  }
  if (p.percent >= 1 && p.percent < 100 && p.elapsed >= 0.5)
    out += (zh ? "  剩余 " : "  ETA ") + ClockText(p.elapsed * (100 - p.percent) / p.percent);
  return out;
}

TProgressDisplay::TProgressDisplay(std::FILE* out, bool terminal, bool quiet, int columns, bool chinese)
    : m_out(out), m_terminal(terminal), m_quiet(quiet), m_chinese(chinese), m_columns(columns) {}

std::string TProgressDisplay::Fit(const std::string& line) const {
  // Wide characters take two columns; the line must not wrap, or the
  // rewriting in place would climb into the lines above.
  std::string out;
  int width = 0;
  for (size_t i = 0; i < line.size();) {
    const size_t start = i;
    const char32_t c = Utf8Next(line, i);
    const int w = c >= 0x1100 ? 2 : 1;
    if (width + w > m_columns - 1) break;
    width += w;
    out.append(line, start, i - start);
  }
  return out;
}

void TProgressDisplay::Clear() {
  if (m_drawn == 0) return;
  std::fputs("\r\x1b[K", m_out);
  for (int i = 1; i < m_drawn; ++i) std::fputs("\x1b[A\r\x1b[K", m_out);
  m_drawn = 0;
}

void TProgressDisplay::Redraw() {
  Clear();
  bool first = true;
  for (const auto& [slot, line] : m_lines) {
    if (!first) std::fputc('\n', m_out);
    std::fputs(Fit(line).c_str(), m_out);
    first = false;
    ++m_drawn;
  }
  std::fflush(m_out);
  m_lastDraw = std::chrono::steady_clock::now();
}

void TProgressDisplay::Started(int slot, const std::string& label) {
  if (m_quiet) return;
  m_labels[slot] = label;
  m_tenths[slot] = 0;
  if (m_terminal) {
    m_lines[slot] = label;
    Redraw();
  } else {
    std::fprintf(m_out, "%s: %s\n", label.c_str(), m_chinese ? "开始" : "started");
    std::fflush(m_out);
  }
}

void TProgressDisplay::Progress(int slot, const TJobProgress& p) {
  if (m_quiet || m_labels.count(slot) == 0) return;
  const std::string line = m_labels[slot] + "  " + ProgressFigures(p, m_chinese);
  if (m_terminal) {
    m_lines[slot] = line;
    if (std::chrono::steady_clock::now() - m_lastDraw >= std::chrono::milliseconds(100)) Redraw();
  } else if (p.percent / 10 > m_tenths[slot]) {
    m_tenths[slot] = p.percent / 10;
    std::fprintf(m_out, "%s\n", line.c_str());
    std::fflush(m_out);
  }
}

void TProgressDisplay::Finished(int slot, const std::string& line) {
  m_labels.erase(slot);
  m_lines.erase(slot);
  if (m_quiet) return;
  if (m_terminal) Clear();
  std::fprintf(m_out, "%s\n", line.c_str());
  if (m_terminal) Redraw();
  std::fflush(m_out);
}

void TProgressDisplay::Close() {
  if (m_terminal && m_drawn > 0) {
    std::fputc('\n', m_out);
    m_drawn = 0;
  }
  std::fflush(m_out);
}

}  // namespace tsm
