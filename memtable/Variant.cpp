#include "memtable/Variant.h"

#include <cmath>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "memtable/ValueText.h"

namespace tsm {

size_t TVariant::Count() const {
  if (const auto* list = std::get_if<std::vector<TVariant>>(&m_value)) return list->size();
  return 1;
}

const TVariant& TVariant::operator[](size_t index) const {
  if (const auto* list = std::get_if<std::vector<TVariant>>(&m_value)) {
    if (index >= list->size()) throw EListError(Format("List index out of bounds (%d)", index));
    return (*list)[index];
  }
  if (index != 0) throw EListError(Format("List index out of bounds (%d)", index));
  return *this;
}

std::string TVariant::AsString() const {
  switch (GetKind()) {
    case Kind::Null: return {};
    case Kind::Boolean: return std::get<bool>(m_value) ? "True" : "False";
    case Kind::Integer: return std::to_string(std::get<int64_t>(m_value));
    case Kind::Float: return FormatFloat(std::get<double>(m_value));
    case Kind::String: return std::get<std::string>(m_value);
    case Kind::Array: break;
  }
  throw EInvalidCast("Invalid variant type conversion");
}

int64_t TVariant::AsInteger() const {
  switch (GetKind()) {
    case Kind::Null: return 0;
    case Kind::Boolean: return std::get<bool>(m_value) ? 1 : 0;
    case Kind::Integer: return std::get<int64_t>(m_value);
    case Kind::Float: {
      const double d = std::round(std::get<double>(m_value));
      if (!(d > -9.2e18 && d < 9.2e18)) throw EConvertError("Invalid variant type conversion");
      return static_cast<int64_t>(d);
    }
    case Kind::String: return StrToInt64(std::get<std::string>(m_value));
    case Kind::Array: break;
  }
  throw EInvalidCast("Invalid variant type conversion");
}

double TVariant::AsFloat() const {
  switch (GetKind()) {
    case Kind::Null: return 0;
    case Kind::Boolean: return std::get<bool>(m_value) ? 1 : 0;
    case Kind::Integer: return static_cast<double>(std::get<int64_t>(m_value));
    case Kind::Float: return std::get<double>(m_value);
    case Kind::String: return StrToFloat(std::get<std::string>(m_value));
    case Kind::Array: break;
  }
  throw EInvalidCast("Invalid variant type conversion");
}

bool TVariant::AsBoolean() const {
  switch (GetKind()) {
    case Kind::Null: return false;
    case Kind::Boolean: return std::get<bool>(m_value);
    case Kind::Integer: return std::get<int64_t>(m_value) != 0;
    case Kind::Float: return std::get<double>(m_value) != 0;
    case Kind::String: {
      const std::string& s = std::get<std::string>(m_value);
      if (SameText(s, "True")) return true;
      if (SameText(s, "False")) return false;
      int64_t v;
      if (TryStrToInt64(s, v)) return v != 0;
      throw EConvertError(Format("'%s' is not a valid boolean value", s));
    }
    case Kind::Array: break;
  }
  throw EInvalidCast("Invalid variant type conversion");
}

}  // namespace tsm
