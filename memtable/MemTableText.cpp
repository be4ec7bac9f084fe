// The tab-separated text form of TmtMemTable.
//
//   name<TAB>name<TAB>...<CR><LF>        the fields that are neither
//   text<TAB>text<TAB>...<CR><LF>        calculated, lookup nor blob fields;
//   ...                                  one line per record, edit texts
//
// A value holding a tab, a carriage return or a line feed, or starting with
// a double quote, is written in double quotes with inner quotes doubled, so
// that it reads back unchanged; every other value is written as it is. When
// reading, a value is taken as quoted only when it starts with a quote and
// the closing quote stands before a tab or the end of its line; anything
// else is literal text. Lines may end in CR LF, LF or CR; a UTF-8 byte order
// mark at the start is skipped.

#include <fstream>
#include <iterator>

#include "framework/base/SysUtils.h"
#include "memtable/MemTable.h"

namespace tsm {

namespace {

bool NeedsQuotes(std::string_view value) {
  return (!value.empty() && value.front() == '"') || value.find_first_of("\t\r\n") != std::string_view::npos;
}

void AppendValue(std::string& out, std::string_view value) {
  if (!NeedsQuotes(value)) {
    out += value;
    return;
  }
  out += '"';
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

bool AtLineEnd(std::string_view s, size_t pos) { return pos >= s.size() || s[pos] == '\r' || s[pos] == '\n'; }

// Reads one value at pos; pos ends on the tab, the line end or the end.
std::string ReadValue(std::string_view s, size_t& pos) {
  if (pos < s.size() && s[pos] == '"') {
    std::string value;
    size_t i = pos + 1;
    while (i < s.size()) {
      if (s[i] == '"') {
        if (i + 1 < s.size() && s[i + 1] == '"') {
          value += '"';
          i += 2;
          continue;
        }
        if (AtLineEnd(s, i + 1) || s[i + 1] == '\t') {
          pos = i + 1;
          return value;
        }
        break;  // a quote inside: not a quoted value
      }
      value += s[i++];
    }
  }
  const size_t start = pos;
  while (!AtLineEnd(s, pos) && s[pos] != '\t') ++pos;
  return std::string(s.substr(start, pos - start));
}

// Splits the text into lines of values.
std::vector<std::vector<std::string>> ParseLines(std::string_view s) {
  if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
  std::vector<std::vector<std::string>> lines;
  size_t pos = 0;
  while (pos < s.size()) {
    std::vector<std::string> values;
    for (;;) {
      values.push_back(ReadValue(s, pos));
      if (pos < s.size() && s[pos] == '\t') {
        ++pos;
        continue;
      }
      break;
    }
    // CR LF, CR or LF ends the line.
    if (pos < s.size() && s[pos] == '\r') {
      ++pos;
      if (pos < s.size() && s[pos] == '\n') ++pos;
    } else if (pos < s.size() && s[pos] == '\n') {
      ++pos;
    }
    lines.push_back(std::move(values));
  }
  return lines;
}

}  // namespace

std::string TmtMemTable::SaveToText() {
  CheckActive();
  CompletePending();
  THold hold(*this);
  std::vector<const TField*> fields;
  for (const auto& f : m_fields)
    if (f->FieldKind() == TFieldKind::fkData && !f->IsBlob()) fields.push_back(f.get());
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += Delimiter();
    AppendValue(out, fields[i]->FieldName());
  }
  out += "\r\n";
  const int n = VisibleCount();
  for (int v = 0; v < n; ++v) {
    const uint8_t* block = Block(PhysicalOf(v));
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out += Delimiter();
      if (Present(block, *fields[i])) AppendValue(out, fields[i]->FormatValue(ValueAt(block, *fields[i])));
    }
    out += "\r\n";
  }
  hold.Release();
  return out;
}

void TmtMemTable::SaveToTextFile(const std::string& fileName) {
  const std::string text = SaveToText();
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  if (!file) throw EInOutError(Format("Cannot create file %s", fileName));
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (!file) throw EInOutError(Format("Unable to write to %s", fileName));
}

void TmtMemTable::LoadFromText(std::string_view text) {
  const std::vector<std::vector<std::string>> lines = ParseLines(text);
  if (lines.empty()) return;
  THold hold(*this);
  BeginLoad();
  try {
    std::vector<TField*> map;
    for (const std::string& name : lines.front()) {
      TField* f = FindField(name);
      if (f != nullptr && (f->FieldKind() != TFieldKind::fkData || f->IsBlob())) f = nullptr;
      map.push_back(f);
    }
    for (size_t l = 1; l < lines.size(); ++l) {
      StartAppend();
      const std::vector<std::string>& values = lines[l];
      for (size_t i = 0; i < values.size() && i < map.size(); ++i)
        if (map[i] != nullptr && !values[i].empty()) map[i]->SetText(values[i]);
      PostRecord();
    }
  } catch (...) {
    CancelRecord();
    EndLoad();
    throw;
  }
  EndLoad();
  hold.Release();
}

void TmtMemTable::LoadFromTextFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EInOutError(Format("Cannot open file %s", fileName));
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  LoadFromText(text);
}

}  // namespace tsm
