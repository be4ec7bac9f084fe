#pragma once
// A loosely typed value: null, a boolean, an integer, a float, a text, or an
// array of values. Key values of FindRecord and results of LookupValues.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tsm {

class TVariant {
 public:
  enum class Kind { Null, Boolean, Integer, Float, String, Array };

  TVariant() = default;
  TVariant(std::nullptr_t) {}
  TVariant(bool value) : m_value(value) {}
  TVariant(int value) : m_value(int64_t{value}) {}
  TVariant(int64_t value) : m_value(value) {}
  TVariant(double value) : m_value(value) {}
  TVariant(const char* value) : m_value(std::string(value)) {}
  TVariant(std::string_view value) : m_value(std::string(value)) {}
  TVariant(std::string value) : m_value(std::move(value)) {}
  TVariant(std::vector<TVariant> values) : m_value(std::move(values)) {}
  static TVariant Array(std::initializer_list<TVariant> values) {
    return TVariant(std::vector<TVariant>(values));
  }

  Kind GetKind() const { return static_cast<Kind>(m_value.index()); }
  bool IsNull() const { return GetKind() == Kind::Null; }
  bool IsArray() const { return GetKind() == Kind::Array; }

  // Elements of an array; a value that is not an array counts as one element
  // (itself), null included.
  size_t Count() const;
  const TVariant& operator[](size_t index) const;

  // Conversions. Text of a boolean is "True"/"False"; a text converts to an
  // integer, float or boolean as the field conversions do and raises
  // EConvertError when it cannot. Null converts to "", 0, false.
  std::string AsString() const;
  int64_t AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;

  bool operator==(const TVariant& other) const { return m_value == other.m_value; }

 private:
  std::variant<std::monostate, bool, int64_t, double, std::string, std::vector<TVariant>> m_value;
};

}  // namespace tsm
