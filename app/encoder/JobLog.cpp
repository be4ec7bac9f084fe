#include "app/encoder/JobLog.h"

#include <algorithm>
#include <ctime>
#include <random>
#include <vector>

#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

void TConsoleText::Append(std::string_view bytes) {
  for (const char c : bytes) {
    if (c == '\n') {
      EndLine();
      m_afterCr = false;
      continue;
    }
    if (m_afterCr) m_line.clear();  // a lone CR: the line starts again
    m_afterCr = c == '\r';
    if (!m_afterCr) m_line += c;
  }
}

void TConsoleText::EndLine() {
  m_line += '\n';
  if (m_head.size() + m_line.size() <= kHeadLimit && m_tail.empty()) {
    m_head += m_line;
  } else {
    m_tail.push_back(std::move(m_line));
    if (m_tail.size() > kTailLines) {
      m_tail.pop_front();
      ++m_omitted;
    }
  }
  m_line.clear();
}

std::string TConsoleText::Text() const {
  std::string out = m_head;
  if (m_omitted > 0) out += "[... " + std::to_string(m_omitted) + " lines left out ...]\n";
  for (const std::string& line : m_tail) out += line;
  out += m_line;
  return out;
}

void TConsoleText::Clear() { *this = TConsoleText(); }

TJobLogBook::TJobLogBook(std::string folder, size_t keep) : m_folder(std::move(folder)), m_keep(keep) {
  while (m_folder.size() > 1 && m_folder.back() == '/') m_folder.pop_back();
  m_run = static_cast<uint32_t>(std::random_device{}());
}

std::string ProgramStateFolder() { return UserStateFolder("tesmaro"); }

std::string TJobLogBook::DefaultFolder() { return ProgramStateFolder() + "/logs"; }

std::string TJobLogBook::FileNameFor(std::chrono::system_clock::time_point t, uint64_t n,
                                     std::string_view targetName) const {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count() % 1000;
  std::tm local{};
  ::localtime_r(&seconds, &local);
  char stamp[40];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  char run[24];
  std::snprintf(run, sizeof run, ".%03d-%08x-%llu-", static_cast<int>(ms), m_run, static_cast<unsigned long long>(n));
  // At most 80 bytes of the name, cut between characters.
  size_t cut = std::min<size_t>(targetName.size(), 80);
  while (cut > 0 && cut < targetName.size() && (static_cast<unsigned char>(targetName[cut]) & 0xC0) == 0x80) --cut;
  std::string name;
  for (const char c : targetName.substr(0, cut)) {
    const auto u = static_cast<unsigned char>(c);
    const bool keep = u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-' || c == '_';
    name += keep ? c : '_';
  }
  return std::string(stamp) + run + name + ".log";
}

std::string TJobLogBook::Write(std::string_view targetName, std::string_view text) {
  if (!CreateFolders(m_folder)) return std::string();
  const std::string path = m_folder + "/" + FileNameFor(std::chrono::system_clock::now(), m_written++, targetName);
  if (!WriteFileAtomically(path, text)) return std::string();
  Prune();
  return path;
}

void TJobLogBook::Prune() {
  std::vector<std::string> logs;
  for (std::string& name : ListFolder(m_folder)) {
    // Only what this book writes: a time stamp first, ".log" last.
    const bool ours = name.size() > 24 && name[8] == '-' && name[15] == '.' && name[0] >= '1' && name[0] <= '9' &&
                      name.compare(name.size() - 4, 4, ".log") == 0;
    if (ours) logs.push_back(std::move(name));
  }
  if (logs.size() <= m_keep) return;
  std::sort(logs.begin(), logs.end());
  for (size_t i = 0; i + m_keep < logs.size(); ++i) DeleteFile(m_folder + "/" + logs[i]);
}

}  // namespace tsm
