#include "platform/os/ProfileText.h"

#include "platform/core/Utf8.h"

namespace tsm {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char ca = a[i], cb = b[i];
    if (ca >= 'a' && ca <= 'z') ca = static_cast<char>(ca - 32);
    if (cb >= 'a' && cb <= 'z') cb = static_cast<char>(cb - 32);
    if (ca != cb) return false;
  }
  return true;
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

TProfileText::TProfileText(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    m_bom = kUtf8Bom;
    bytes.remove_prefix(kUtf8Bom.size());
  }
  m_encoding = DetectTextEncoding(bytes);
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", pos);
    TLine line;
    if (end == std::string_view::npos) {
      line.raw = bytes.substr(pos);
      pos = bytes.size();
    } else {
      line.raw = bytes.substr(pos, end - pos);
      const size_t eolLength = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
      line.eol = bytes.substr(end, eolLength);
      pos = end + eolLength;
    }
    Classify(line);
    m_lines.push_back(std::move(line));
  }
}

void TProfileText::Classify(TLine& line) const {
  std::string text;
  if (m_encoding == TTextEncoding::Gbk) {
    // A line that does not decode keeps its bytes: ASCII names still match.
    if (!GbkToUtf8(line.raw, text)) text = line.raw;
  } else {
    text = line.raw;
  }
  const std::string_view t = TrimBlanks(text);
  line.kind = TLineKind::Other;
  if (!t.empty() && t.front() == '[') {
    const size_t close = t.find(']');
    line.kind = TLineKind::Section;
    line.name = TrimBlanks(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return;
  }
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return;
  const std::string_view key = TrimBlanks(t.substr(0, eq));
  if (key.empty()) return;
  line.kind = TLineKind::Key;
  line.name = key;
  line.value = Unquote(TrimBlanks(t.substr(eq + 1)));
}

size_t TProfileText::FindSection(std::string_view section) const {
  const std::string_view wanted = TrimBlanks(section);
  for (size_t i = 0; i < m_lines.size(); ++i)
    if (m_lines[i].kind == TLineKind::Section && SameName(m_lines[i].name, wanted)) return i;
  return std::string::npos;
}

std::optional<std::string> TProfileText::Read(std::string_view section, std::string_view key) const {
  const size_t s = FindSection(section);
  if (s == std::string::npos) return std::nullopt;
  const std::string_view wanted = TrimBlanks(key);
  for (size_t i = s + 1; i < m_lines.size() && m_lines[i].kind != TLineKind::Section; ++i)
    if (m_lines[i].kind == TLineKind::Key && SameName(m_lines[i].name, wanted)) return m_lines[i].value;
  return std::nullopt;
}

bool TProfileText::Encode(std::string_view utf8, std::string& bytes) const {
  if (m_encoding == TTextEncoding::Gbk) return Utf8ToGbk(utf8, bytes);
  if (!IsValidUtf8(utf8)) return false;
  bytes = utf8;
  return true;
}

std::string TProfileText::DefaultEol() const {
  for (const TLine& line : m_lines)
    if (!line.eol.empty()) return line.eol;
  return "\n";
}

bool TProfileText::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view sectionName = TrimBlanks(section);
  const std::string_view keyName = TrimBlanks(key);
  if (sectionName.empty() || keyName.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      keyName.find('=') != std::string_view::npos || sectionName.find(']') != std::string_view::npos)
    return false;
  const size_t lineBreak = value.find_first_of("\r\n");
  if (lineBreak != std::string_view::npos) value = value.substr(0, lineBreak);

  std::string encodedValue;
  if (!Encode(value, encodedValue)) return false;

  const size_t s = FindSection(sectionName);
  if (s != std::string::npos) {
    size_t lastContent = s;
    size_t i = s + 1;
    for (; i < m_lines.size() && m_lines[i].kind != TLineKind::Section; ++i) {
      TLine& line = m_lines[i];
      if (line.kind == TLineKind::Key && SameName(line.name, keyName)) {
        // "=" never occurs inside a GBK or GB18030 multi-byte character, so the
        // first "=" of the raw bytes is the separator.
        line.raw = line.raw.substr(0, line.raw.find('=') + 1) + encodedValue;
        Classify(line);
        return true;
      }
      if (!TrimBlanks(line.raw).empty()) lastContent = i;
    }
    TLine added;
    if (!Encode(std::string(keyName) + "=" + std::string(value), added.raw)) return false;
    added.eol = DefaultEol();
    Classify(added);
    if (m_lines[lastContent].eol.empty()) m_lines[lastContent].eol = DefaultEol();
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), std::move(added));
    return true;
  }

  TLine header, added;
  if (!Encode("[" + std::string(sectionName) + "]", header.raw) ||
      !Encode(std::string(keyName) + "=" + std::string(value), added.raw))
    return false;
  const std::string eol = DefaultEol();
  header.eol = eol;
  added.eol = eol;
  Classify(header);
  Classify(added);
  if (!m_lines.empty() && m_lines.back().eol.empty()) m_lines.back().eol = eol;
  m_lines.push_back(std::move(header));
  m_lines.push_back(std::move(added));
  return true;
}

std::string TProfileText::Bytes() const {
  std::string out = m_bom;
  for (const TLine& line : m_lines) {
    out += line.raw;
    out += line.eol;
  }
  return out;
}

}  // namespace tsm
