#include "skin/TskIniFile.h"

#include <limits>

#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

std::string UpperKey(std::string_view s) { return UpperCase(s); }

}  // namespace

void TskIniFile::TSection::Reindex() {
  KeyIndex.clear();
  for (size_t i = 0; i < Lines.size(); ++i)
    if (Lines[i].HasKey) KeyIndex[UpperKey(Lines[i].Key)] = i;
}

const TskIniFile::TLine* TskIniFile::TSection::Find(std::string_view key) const {
  const auto it = KeyIndex.find(UpperKey(key));
  return it == KeyIndex.end() ? nullptr : &Lines[it->second];
}

void TskIniFile::Load(std::string_view text) {
  m_sections.clear();
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);

  TSection* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string line = Trim(text.substr(pos, end - pos));
    // CR LF is one line end; a lone CR or a lone LF is one too.
    pos = end;
    if (pos < text.size()) pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;

    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      m_sections.push_back({Trim(std::string_view(line).substr(1, line.size() - 2)), {}, {}});
      current = &m_sections.back();
      continue;
    }
    if (current == nullptr) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
      current->Lines.push_back({std::string(), line, false});
    } else {
      current->Lines.push_back({Trim(std::string_view(line).substr(0, eq)),
                                Trim(std::string_view(line).substr(eq + 1)), true});
    }
  }
  for (TSection& s : m_sections) s.Reindex();
  RebuildSectionIndex();
}

std::string TskIniFile::Text() const {
  std::string out;
  for (size_t i = 0; i < m_sections.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += '[';
    out += m_sections[i].Name;
    out += "]\r\n";
    for (const TLine& l : m_sections[i].Lines) {
      if (l.HasKey) {
        out += l.Key;
        out += '=';
      }
      out += l.Value;
      out += "\r\n";
    }
  }
  return out;
}

void TskIniFile::RebuildSectionIndex() {
  m_sectionIndex.clear();
  for (size_t i = 0; i < m_sections.size(); ++i) m_sectionIndex[UpperKey(m_sections[i].Name)] = i;
}

const TskIniFile::TSection* TskIniFile::FindSection(std::string_view name) const {
  const auto it = m_sectionIndex.find(UpperKey(name));
  return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

TskIniFile::TSection* TskIniFile::FindSection(std::string_view name) {
  const auto it = m_sectionIndex.find(UpperKey(name));
  return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

bool TskIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TskIniFile::ValueExists(std::string_view section, std::string_view key) const {
  const TSection* s = FindSection(section);
  return s != nullptr && s->Find(key) != nullptr;
}

std::string TskIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const TSection* s = FindSection(section);
  if (s == nullptr) return std::string(def);
  const TLine* l = s->Find(key);
  return l == nullptr ? std::string(def) : l->Value;
}

bool TskIniFile::ParseInteger(std::string_view text, int32_t& value) {
  int64_t v;
  if (!TryStrToInt64(text, v)) return false;
  if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max()) {
    value = static_cast<int32_t>(v);
    return true;
  }
  // Hex notation covers the full 32 bits: $FF000000 is a system colour.
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  const bool hex = i < text.size() && (text[i] == '$' || (text[i] == '0' && i + 1 < text.size() &&
                                                            (text[i + 1] == 'x' || text[i + 1] == 'X')));
  if (hex && v > 0 && v <= int64_t(std::numeric_limits<uint32_t>::max())) {
    value = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
  }
  return false;
}

int32_t TskIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const TSection* s = FindSection(section);
  if (s == nullptr) return def;
  const TLine* l = s->Find(key);
  if (l == nullptr) return def;
  int32_t v;
  return ParseInteger(l->Value, v) ? v : def;
}

void TskIniFile::EraseSection(std::string_view section) {
  const std::string upper = UpperKey(section);
  std::erase_if(m_sections, [&](const TSection& s) { return UpperKey(s.Name) == upper; });
  RebuildSectionIndex();
}

void TskIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  TSection* s = FindSection(section);
  if (s == nullptr) {
    m_sections.push_back({std::string(section), {}, {}});
    s = &m_sections.back();
    RebuildSectionIndex();
  }
  const std::string upper = UpperKey(key);
  const auto it = s->KeyIndex.find(upper);
  if (it != s->KeyIndex.end()) {
    s->Lines[it->second].Value = std::string(value);
    return;
  }
  s->Lines.push_back({std::string(key), std::string(value), true});
  s->KeyIndex[upper] = s->Lines.size() - 1;
}

void TskIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, IntToStr(value));
}

std::vector<std::string> TskIniFile::SectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FindSection(section))
    for (const TLine& l : s->Lines)
      if (l.HasKey) keys.push_back(l.Key);
  return keys;
}

std::vector<std::string> TskIniFile::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(m_sections.size());
  for (const TSection& s : m_sections) names.push_back(s.Name);
  return names;
}

}  // namespace tsm
