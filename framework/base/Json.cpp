#include "framework/base/Json.h"

#include <limits>
#include <stdexcept>

#include "platform/core/Utf8.h"

namespace tsm {

TJsonValue TJsonValue::Strings(const std::vector<std::string>& values) {
  TJsonValue list = Array();
  for (const std::string& v : values) list.Append(v);
  return list;
}

const std::string& TJsonValue::AsString() const {
  static const std::string empty;
  return m_type == TJsonType::String ? m_string : empty;
}

TJsonValue& TJsonValue::Append(TJsonValue value) {
  if (m_type == TJsonType::Null) m_type = TJsonType::Array;
  if (m_type != TJsonType::Array) throw std::logic_error("JSON value is not an array");
  m_items.push_back(std::move(value));
  return m_items.back();
}

TJsonValue& TJsonValue::Set(std::string_view key, TJsonValue value) {
  if (m_type == TJsonType::Null) m_type = TJsonType::Object;
  if (m_type != TJsonType::Object) throw std::logic_error("JSON value is not an object");
  if (TJsonValue* existing = Find(key)) return *existing = std::move(value);
  m_keys.emplace_back(key);
  m_items.push_back(std::move(value));
  return m_items.back();
}

const TJsonValue* TJsonValue::Find(std::string_view key) const {
  if (m_type != TJsonType::Object) return nullptr;
  for (size_t i = 0; i < m_keys.size(); ++i)
    if (m_keys[i] == key) return &m_items[i];
  return nullptr;
}

TJsonValue* TJsonValue::Find(std::string_view key) {
  return const_cast<TJsonValue*>(static_cast<const TJsonValue*>(this)->Find(key));
}

const TJsonValue& TJsonValue::operator[](std::string_view key) const {
  static const TJsonValue null;
  const TJsonValue* v = Find(key);
  return v ? *v : null;
}

bool TJsonValue::Remove(std::string_view key) {
  for (size_t i = 0; i < m_keys.size(); ++i)
    if (m_keys[i] == key) {
      m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(i));
      m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  return false;
}

bool TJsonValue::operator==(const TJsonValue& other) const {
  if (m_type != other.m_type) return false;
  switch (m_type) {
    case TJsonType::Null: return true;
    case TJsonType::Bool: return m_bool == other.m_bool;
    case TJsonType::Int: return m_int == other.m_int;
    case TJsonType::String: return m_string == other.m_string;
    case TJsonType::Array: return m_items == other.m_items;
    case TJsonType::Object: return m_keys == other.m_keys && m_items == other.m_items;
  }
  return false;
}

// --- Writer -----------------------------------------------------------------

namespace {

void WriteString(std::string& out, std::string_view s) {
  static const char* const kHex = "0123456789abcdef";
  out += '"';
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t start = pos;
    const char32_t cp = Utf8Next(s, pos);
    switch (cp) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (cp < 0x20) {
          out += "\\u00";
          out += kHex[cp >> 4];
          out += kHex[cp & 15];
        } else if (cp == 0xFFFD && pos - start == 1) {
          Utf8Append(out, cp);   // an ill-formed byte
        } else {
          out.append(s.substr(start, pos - start));
        }
    }
  }
  out += '"';
}

void Write(std::string& out, const TJsonValue& v, bool indented, int depth) {
  const auto newline = [&](int level) {
    if (!indented) return;
    out += '\n';
    out.append(size_t(level) * 2, ' ');
  };
  switch (v.Type()) {
    case TJsonType::Null: out += "null"; break;
    case TJsonType::Bool: out += v.AsBool() ? "true" : "false"; break;
    case TJsonType::Int: out += std::to_string(v.AsInt()); break;
    case TJsonType::String: WriteString(out, v.AsString()); break;
    case TJsonType::Array:
    case TJsonType::Object: {
      const bool object = v.IsObject();
      out += object ? '{' : '[';
      for (size_t i = 0; i < v.Size(); ++i) {
        if (i) out += ',';
        newline(depth + 1);
        if (object) {
          WriteString(out, v.KeyAt(i));
          out += indented ? ": " : ":";
        }
        Write(out, v.At(i), indented, depth + 1);
      }
      if (v.Size()) newline(depth);
      out += object ? '}' : ']';
      break;
    }
  }
}

// --- Reader -----------------------------------------------------------------

class TJsonReader {
 public:
  explicit TJsonReader(std::string_view text) : m_text(text) {}

  std::optional<TJsonValue> Document(std::string* error) {
    std::optional<TJsonValue> v = Value(0);
    if (v) {
      SkipBlanks();
      if (m_pos != m_text.size()) v = Fail("text after the document");
    }
    if (!v && error) *error = m_error + " at offset " + std::to_string(m_errorPos);
    return v;
  }

 private:
  static constexpr int kMaxDepth = 200;

  std::nullopt_t Fail(const char* message) {
    if (m_error.empty()) {
      m_error = message;
      m_errorPos = m_pos;
    }
    return std::nullopt;
  }
  void SkipBlanks() {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' ||
                                     m_text[m_pos] == '\r'))
      ++m_pos;
  }
  bool Take(char c) {
    SkipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == c) {
      ++m_pos;
      return true;
    }
    return false;
  }
  bool Word(std::string_view w) {
    if (m_text.substr(m_pos, w.size()) != w) return false;
    m_pos += w.size();
    return true;
  }

  std::optional<TJsonValue> Value(int depth) {
    if (depth > kMaxDepth) return Fail("nested too deeply");
    SkipBlanks();
    if (m_pos >= m_text.size()) return Fail("a value is missing");
    const char c = m_text[m_pos];
    if (c == '{') return ObjectValue(depth);
    if (c == '[') return ArrayValue(depth);
    if (c == '"') {
      std::string s;
      if (!String(s)) return std::nullopt;
      return TJsonValue(std::move(s));
    }
    if (Word("null")) return TJsonValue();
    if (Word("true")) return TJsonValue(true);
    if (Word("false")) return TJsonValue(false);
    if (c == '-' || (c >= '0' && c <= '9')) return Number();
    return Fail("unexpected character");
  }

  std::optional<TJsonValue> ObjectValue(int depth) {
    ++m_pos;
    TJsonValue obj = TJsonValue::Object();
    if (Take('}')) return obj;
    do {
      SkipBlanks();
      std::string key;
      if (m_pos >= m_text.size() || m_text[m_pos] != '"') return Fail("a member name is missing");
      if (!String(key)) return std::nullopt;
      if (!Take(':')) return Fail("':' is missing");
      std::optional<TJsonValue> v = Value(depth + 1);
      if (!v) return std::nullopt;
      obj.Set(key, std::move(*v));
    } while (Take(','));
    if (!Take('}')) return Fail("'}' is missing");
    return obj;
  }

  std::optional<TJsonValue> ArrayValue(int depth) {
    ++m_pos;
    TJsonValue list = TJsonValue::Array();
    if (Take(']')) return list;
    do {
      std::optional<TJsonValue> v = Value(depth + 1);
      if (!v) return std::nullopt;
      list.Append(std::move(*v));
    } while (Take(','));
    if (!Take(']')) return Fail("']' is missing");
    return list;
  }

  std::optional<TJsonValue> Number() {
    const bool negative = m_text[m_pos] == '-';
    if (negative) ++m_pos;
    if (m_pos >= m_text.size() || m_text[m_pos] < '0' || m_text[m_pos] > '9') return Fail("a digit is missing");
    if (m_text[m_pos] == '0' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] >= '0' && m_text[m_pos + 1] <= '9')
      return Fail("leading zero");
    // Accumulated as a negative number, which reaches the minimum of int64.
    int64_t value = 0;
    while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
      const int digit = m_text[m_pos] - '0';
      if (value < (std::numeric_limits<int64_t>::min() + digit) / 10) return Fail("number out of range");
      value = value * 10 - digit;
      ++m_pos;
    }
    if (m_pos < m_text.size() && (m_text[m_pos] == '.' || m_text[m_pos] == 'e' || m_text[m_pos] == 'E'))
      return Fail("only integers are read");
    if (!negative) {
      if (value == std::numeric_limits<int64_t>::min()) return Fail("number out of range");
      value = -value;
    }
    return TJsonValue(value);
  }

  bool Hex4(uint32_t& out) {
    if (m_pos + 4 > m_text.size()) return false;
    out = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = m_text[m_pos++];
      out <<= 4;
      if (c >= '0' && c <= '9') out |= uint32_t(c - '0');
      else if (c >= 'a' && c <= 'f') out |= uint32_t(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') out |= uint32_t(c - 'A' + 10);
      else return false;
    }
    return true;
  }

  bool String(std::string& out) {
    ++m_pos;   // the opening quote
    const size_t start = m_pos;
    for (;;) {
      if (m_pos >= m_text.size()) return Fail("unterminated string"), false;
      const char c = m_text[m_pos];
      if (c == '"') break;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in a string"), false;
      if (c != '\\') {
        out += c;
        ++m_pos;
        continue;
      }
      if (++m_pos >= m_text.size()) return Fail("unterminated string"), false;
      switch (m_text[m_pos++]) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          uint32_t cp = 0;
          if (!Hex4(cp)) return Fail("bad \\u escape"), false;
          if (cp >= 0xD800 && cp < 0xDC00) {
            uint32_t low = 0;
            if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low >= 0xE000) return Fail("lone surrogate"), false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          } else if (cp >= 0xDC00 && cp < 0xE000) {
            return Fail("lone surrogate"), false;
          }
          Utf8Append(out, cp);
          break;
        }
        default: --m_pos; return Fail("bad escape"), false;
      }
    }
    ++m_pos;   // the closing quote
    if (!IsValidUtf8(out)) {
      m_pos = start;
      return Fail("ill-formed UTF-8 in a string"), false;
    }
    return true;
  }

  std::string_view m_text;
  size_t m_pos = 0;
  std::string m_error;
  size_t m_errorPos = 0;
};

}  // namespace

std::string WriteJson(const TJsonValue& value, bool indented) {
  std::string out;
  Write(out, value, indented, 0);
  return out;
}

std::optional<TJsonValue> ParseJson(std::string_view text, std::string* error) {
  return TJsonReader(text).Document(error);
}

}  // namespace tsm
