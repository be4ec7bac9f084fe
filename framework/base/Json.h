#pragma once
// TJsonValue: a JSON document in memory — null, true/false, integers,
// strings (UTF-8), arrays, and objects whose members keep the order in which
// they were first set — with a writer and a reader.
//
// Limits: numbers are 64-bit integers; the reader refuses fractions and
// exponents. The writer turns bytes that are not well-formed UTF-8 into
// U+FFFD, so its output is always valid JSON; control characters are written
// as \n, \t ... or \u00XX, everything else as it stands (no \u escapes for
// Chinese text). The reader refuses documents nested deeper than 200 levels,
// bad escapes, lone surrogates, ill-formed UTF-8 and trailing text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsm {

enum class TJsonType : uint8_t { Null, Bool, Int, String, Array, Object };

class TJsonValue {
 public:
  TJsonValue() = default;
  TJsonValue(std::nullptr_t) {}
  TJsonValue(bool value) : m_type(TJsonType::Bool), m_bool(value) {}
  TJsonValue(int32_t value) : m_type(TJsonType::Int), m_int(value) {}
  TJsonValue(int64_t value) : m_type(TJsonType::Int), m_int(value) {}
  TJsonValue(uint32_t value) : m_type(TJsonType::Int), m_int(value) {}
  TJsonValue(const char* value) : m_type(TJsonType::String), m_string(value) {}
  TJsonValue(std::string value) : m_type(TJsonType::String), m_string(std::move(value)) {}
  TJsonValue(std::string_view value) : m_type(TJsonType::String), m_string(value) {}

  static TJsonValue Array() { return TJsonValue(TJsonType::Array); }
  static TJsonValue Object() { return TJsonValue(TJsonType::Object); }
  // An array of strings.
  static TJsonValue Strings(const std::vector<std::string>& values);

  TJsonType Type() const { return m_type; }
  bool IsNull() const { return m_type == TJsonType::Null; }
  bool IsObject() const { return m_type == TJsonType::Object; }
  bool IsArray() const { return m_type == TJsonType::Array; }
  // The value, or the fallback when the value is of another type.
  bool AsBool(bool fallback = false) const { return m_type == TJsonType::Bool ? m_bool : fallback; }
  int64_t AsInt(int64_t fallback = 0) const { return m_type == TJsonType::Int ? m_int : fallback; }
  const std::string& AsString() const;

  // --- Arrays and objects ---
  // Elements of an array, member values of an object; 0 for anything else.
  size_t Size() const { return m_items.size(); }
  // The element (array) or the member value (object) at index.
  const TJsonValue& At(size_t index) const { return m_items.at(index); }
  TJsonValue& At(size_t index) { return m_items.at(index); }
  // Appends to an array (a null value becomes an empty array first).
  TJsonValue& Append(TJsonValue value);

  // The key of an object's member at index.
  const std::string& KeyAt(size_t index) const { return m_keys.at(index); }
  // Sets a member of an object (a null value becomes an empty object first):
  // a new key goes to the end, an existing one keeps its place.
  TJsonValue& Set(std::string_view key, TJsonValue value);
  // The member's value, or nullptr.
  const TJsonValue* Find(std::string_view key) const;
  TJsonValue* Find(std::string_view key);
  // The member's value, or a null value when there is none.
  const TJsonValue& operator[](std::string_view key) const;
  bool Remove(std::string_view key);

  bool operator==(const TJsonValue& other) const;

 private:
  explicit TJsonValue(TJsonType type) : m_type(type) {}

  TJsonType m_type = TJsonType::Null;
  bool m_bool = false;
  int64_t m_int = 0;
  std::string m_string;
  std::vector<TJsonValue> m_items;    // array elements, object member values
  std::vector<std::string> m_keys;    // object member keys, parallel to m_items
};

// The document as text: indented by two spaces per level with one member or
// element per line, or compact on one line.
std::string WriteJson(const TJsonValue& value, bool indented = true);

// Reads a document; nullopt (and a message with the byte offset in error)
// when the text is not one.
std::optional<TJsonValue> ParseJson(std::string_view text, std::string* error = nullptr);

}  // namespace tsm
