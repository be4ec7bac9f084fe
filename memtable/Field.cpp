#include "memtable/Field.h"

#include <cmath>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "memtable/MemTable.h"
#include "memtable/TextCompare.h"
#include "memtable/ValueCodec.h"
#include "memtable/ValueText.h"
#include "platform/core/Utf8.h"

namespace tsm {

namespace {

constexpr int kMaxTextSize = 8192;

bool IsTextFamily(TValueFamily f) { return f == TValueFamily::Text || f == TValueFamily::WideText; }

int64_t RoundToInt64(double v) {
  const double r = std::round(v);
  if (!(r > -9.2e18 && r < 9.2e18)) throw EConvertError(Format("'%s' is not a valid integer value", FormatFloat(v)));
  return static_cast<int64_t>(r);
}

}  // namespace

TField::TField(std::string_view fieldName, TFieldType dataType, int size)
    : m_fieldName(fieldName), m_dataType(dataType), m_size(0) {
  if (IsTextFieldType(dataType)) {
    if (size > kMaxTextSize) throw EDatabaseError("Invalid field size");
    m_size = size <= 0 ? 20 : size;
  }
}

void TField::SetSize(int size) {
  if (m_table != nullptr && m_table->Active())
    throw EDatabaseError("Cannot perform this operation on an open dataset");
  if (!IsTextFieldType(m_dataType)) return;
  if (size < 1 || size > kMaxTextSize) throw EDatabaseError("Invalid field size");
  m_size = size;
}

void TField::SetFieldKind(TFieldKind kind) {
  if (m_table != nullptr && m_table->Active())
    throw EDatabaseError("Cannot perform this operation on an open dataset");
  m_fieldKind = kind;
}

int TField::DisplayWidth() const {
  if (m_displayWidth >= 0) return m_displayWidth;
  switch (m_dataType) {
    case TFieldType::ftString:
    case TFieldType::ftWideString: return m_size;
    case TFieldType::ftSmallint: return 6;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return 11;
    case TFieldType::ftWord:
    case TFieldType::ftBoolean: return 5;
    case TFieldType::ftLargeint: return 15;
    case TFieldType::ftDateTime: return 18;
    default: return 10;
  }
}

TAlignment TField::Alignment() const {
  if (m_alignmentSet) return m_alignment;
  switch (Family()) {
    case TValueFamily::Integer:
    case TValueFamily::Float:
    case TValueFamily::Decimal: return TAlignment::taRightJustify;
    default: return TAlignment::taLeftJustify;
  }
}

void TField::SetDisplayLabel(std::string_view label) {
  if (label == m_displayLabel) return;
  m_displayLabel = label;
  LayoutChanged();
}

void TField::SetDisplayWidth(int width) {
  if (width == m_displayWidth) return;
  m_displayWidth = width;
  LayoutChanged();
}

void TField::SetVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  LayoutChanged();
}

void TField::SetAlignment(TAlignment alignment) {
  if (m_alignmentSet && alignment == m_alignment) return;
  m_alignment = alignment;
  m_alignmentSet = true;
  LayoutChanged();
}

void TField::LayoutChanged() {
  if (m_table != nullptr) m_table->NotifyLayoutChange();
}

// --- reading ---------------------------------------------------------------

const uint8_t* TField::ValueData() const { return m_table != nullptr ? m_table->FieldValue(*this) : nullptr; }

std::string TField::BlobText() const {
  const std::string* blob = m_table != nullptr ? m_table->FieldBlob(*this) : nullptr;
  return blob != nullptr ? *blob : std::string();
}

bool TField::IsNull() const {
  if (IsBlob()) return BlobText().empty();
  return ValueData() == nullptr;
}

std::string TField::GetText() const {
  if (IsBlob()) return BlobText();
  const uint8_t* p = ValueData();
  return p != nullptr ? FormatValue(p) : std::string();
}

int32_t TField::GetInteger() const {
  const int64_t v = GetLargeint();
  if (IsTextFamily(Family()) || IsBlob()) {
    if (v < INT32_MIN || v > INT32_MAX) throw EConvertError(Format("'%s' is not a valid integer value", GetText()));
  }
  return static_cast<int32_t>(v);
}

int64_t TField::GetLargeint() const {
  switch (Family()) {
    case TValueFamily::Text:
    case TValueFamily::WideText:
    case TValueFamily::Blob: return StrToInt64(GetText());
    case TValueFamily::Boolean: AccessError("Integer");
    default: break;
  }
  const uint8_t* p = ValueData();
  if (p == nullptr) return 0;
  if (Family() == TValueFamily::Integer) return LoadInteger(m_dataType, p);
  return RoundToInt64(LoadNumber(m_dataType, p));
}

bool TField::GetBoolean() const {
  switch (Family()) {
    case TValueFamily::Text:
    case TValueFamily::WideText: {
      const std::string s = GetText();
      return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
    }
    case TValueFamily::Boolean: {
      const uint8_t* p = ValueData();
      return p != nullptr && LoadBoolean(p);
    }
    default: AccessError("Boolean");
  }
}

double TField::GetFloat() const {
  switch (Family()) {
    case TValueFamily::Text:
    case TValueFamily::WideText:
    case TValueFamily::Blob: return StrToFloat(GetText());
    case TValueFamily::Boolean: AccessError("Float");
    default: break;
  }
  const uint8_t* p = ValueData();
  return p != nullptr ? LoadNumber(m_dataType, p) : 0.0;
}

TVariant TField::GetValue() const {
  if (IsBlob()) {
    std::string s = BlobText();
    return s.empty() ? TVariant() : TVariant(std::move(s));
  }
  const uint8_t* p = ValueData();
  return p != nullptr ? VariantOf(p) : TVariant();
}

TVariant TField::VariantOf(const uint8_t* p) const {
  switch (Family()) {
    case TValueFamily::Text:
    case TValueFamily::WideText: return TVariant(FormatValue(p));
    case TValueFamily::Integer: return TVariant(LoadInteger(m_dataType, p));
    case TValueFamily::Boolean: return TVariant(LoadBoolean(p));
    default: return TVariant(LoadNumber(m_dataType, p));
  }
}

// --- writing ---------------------------------------------------------------

void TField::WriteValue(const uint8_t* p) {
  if (m_table == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", m_fieldName));
  m_table->WriteFieldValue(*this, p);
}

void TField::SetText(std::string_view text) {
  if (m_table == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", m_fieldName));
  m_table->CheckFieldWritable(*this);
  if (IsBlob()) {
    m_table->WriteFieldBlob(*this, std::string(text));
    return;
  }
  if (text.empty() && !IsTextFamily(Family())) {
    WriteValue(nullptr);
    return;
  }
  std::vector<uint8_t> buf(static_cast<size_t>(BinaryWidth()));
  ParseText(text, buf.data());
  WriteValue(buf.data());
}

void TField::SetInteger(int32_t value) { SetLargeint(value); }

void TField::SetLargeint(int64_t value) {
  switch (Family()) {
    case TValueFamily::Text:
    case TValueFamily::WideText:
    case TValueFamily::Blob: SetText(std::to_string(value)); return;
    case TValueFamily::Boolean: AccessError("Integer");
    case TValueFamily::Integer: {
      if (m_table == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", m_fieldName));
      m_table->CheckFieldWritable(*this);
      CheckRange(value);
      std::vector<uint8_t> buf(static_cast<size_t>(BinaryWidth()));
      StoreInteger(m_dataType, buf.data(), value);
      WriteValue(buf.data());
      return;
    }
    default: SetFloat(static_cast<double>(value)); return;
  }
}

void TField::SetBoolean(bool value) {
  switch (Family()) {
    case TValueFamily::Text:
    case TValueFamily::WideText: SetText(value ? "T" : "F"); return;
    case TValueFamily::Boolean: {
      if (m_table == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", m_fieldName));
      m_table->CheckFieldWritable(*this);
      uint8_t buf[2];
      StoreBoolean(buf, value);
      WriteValue(buf);
      return;
    }
    default: AccessError("Boolean");
  }
}

void TField::SetFloat(double value) {
  switch (Family()) {
    case TValueFamily::Text:
    case TValueFamily::WideText:
    case TValueFamily::Blob: SetText(FormatFloat(value)); return;
    case TValueFamily::Boolean: AccessError("Float");
    case TValueFamily::Integer: SetLargeint(RoundToInt64(value)); return;
    default: break;
  }
  if (m_table == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", m_fieldName));
  m_table->CheckFieldWritable(*this);
  std::vector<uint8_t> buf(static_cast<size_t>(BinaryWidth()));
  EncodeVariant(TVariant(value), buf.data());
  WriteValue(buf.data());
}

void TField::SetValue(const TVariant& value) {
  if (value.IsNull()) {
    Clear();
    return;
  }
  if (IsBlob() || IsTextFamily(Family())) {
    SetText(value.AsString());
    return;
  }
  if (m_table == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", m_fieldName));
  m_table->CheckFieldWritable(*this);
  std::vector<uint8_t> buf(static_cast<size_t>(BinaryWidth()));
  if (EncodeVariant(value, buf.data())) WriteValue(buf.data());
  else WriteValue(nullptr);
}

void TField::Clear() {
  if (m_table == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", m_fieldName));
  m_table->CheckFieldWritable(*this);
  if (IsBlob()) m_table->WriteFieldBlob(*this, std::string());
  else WriteValue(nullptr);
}

// --- conversions -------------------------------------------------------------

std::string TField::FormatValue(const uint8_t* p) const {
  switch (m_dataType) {
    case TFieldType::ftString: return std::string(LoadText(p, m_size));
    case TFieldType::ftWideString: return LoadWideText(p, m_size);
    case TFieldType::ftBoolean: return LoadBoolean(p) ? "True" : "False";
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: return FormatFloat(LoadRaw<double>(p));
    case TFieldType::ftBCD:
    case TFieldType::ftFMTBcd: return FormatDecimal(LoadRaw<int64_t>(p));
    case TFieldType::ftDate: return FormatDate(LoadRaw<double>(p));
    case TFieldType::ftTime: return FormatTime(LoadRaw<double>(p));
    case TFieldType::ftDateTime: return FormatDateTime(LoadRaw<double>(p));
    default: break;
  }
  if (Family() == TValueFamily::Integer) return std::to_string(LoadInteger(m_dataType, p));
  return {};
}

void TField::ParseText(std::string_view text, uint8_t* p) const {
  switch (Family()) {
    case TValueFamily::Text: StoreText(p, m_size, text); return;
    case TValueFamily::WideText: StoreWideText(p, m_size, text); return;
    case TValueFamily::Integer: {
      int64_t v;
      if (!TryStrToInt64(text, v)) throw EConvertError(Format("'%s' is not a valid integer value", text));
      CheckRange(v);
      StoreInteger(m_dataType, p, v);
      return;
    }
    case TValueFamily::Boolean: {
      if (SameText(text, "True")) StoreBoolean(p, true);
      else if (SameText(text, "False")) StoreBoolean(p, false);
      else throw EConvertError(Format("'%s' is not a valid boolean value", text));
      return;
    }
    case TValueFamily::Float: StoreRaw(p, StrToFloat(text)); return;
    case TValueFamily::Decimal: {
      int64_t scaled;
      if (!TryParseDecimal(text, scaled))
        throw EConvertError(Format("'%s' is not a valid floating point value", text));
      StoreRaw(p, scaled);
      return;
    }
    case TValueFamily::DateTime: {
      double v;
      if (m_dataType == TFieldType::ftDate) {
        if (TryParseDate(text, v) || TryParseDateTime(text, v)) {
          StoreRaw(p, std::trunc(v));
          return;
        }
        throw EConvertError(Format("'%s' is not a valid date", text));
      }
      if (m_dataType == TFieldType::ftTime) {
        if (!TryParseTime(text, v)) throw EConvertError(Format("'%s' is not a valid time", text));
      } else if (!TryParseDateTime(text, v) && !TryParseTime(text, v)) {
        throw EConvertError(Format("'%s' is not a valid date and time", text));
      }
      StoreRaw(p, v);
      return;
    }
    default: AccessError("String");
  }
}

bool TField::EncodeVariant(const TVariant& value, uint8_t* p) const {
  if (value.IsNull()) return false;
  const bool isText = value.GetKind() == TVariant::Kind::String;
  switch (Family()) {
    case TValueFamily::Text: StoreText(p, m_size, value.AsString()); return true;
    case TValueFamily::WideText: StoreWideText(p, m_size, value.AsString()); return true;
    case TValueFamily::Integer: {
      const int64_t v = value.AsInteger();
      CheckRange(v);
      StoreInteger(m_dataType, p, v);
      return true;
    }
    case TValueFamily::Boolean:
      if (isText) {
        if (value.AsString().empty()) return false;
        ParseText(value.AsString(), p);
      } else {
        StoreBoolean(p, value.AsBoolean());
      }
      return true;
    case TValueFamily::Float:
    case TValueFamily::DateTime:
      if (isText) {
        if (value.AsString().empty()) return false;
        ParseText(value.AsString(), p);
      } else {
        StoreRaw(p, value.AsFloat());
      }
      return true;
    case TValueFamily::Decimal: {
      if (isText) {
        if (value.AsString().empty()) return false;
        ParseText(value.AsString(), p);
        return true;
      }
      StoreRaw(p, RoundToInt64(value.AsFloat() * 10000.0));
      return true;
    }
    default: AccessError("Variant");
  }
}

void TField::AccessError(const char* typeName) const {
  throw EDatabaseError(Format("Cannot access field '%s' as type %s", m_fieldName, typeName));
}

void TField::CheckRange(int64_t value) const {
  if (Family() != TValueFamily::Integer) return;
  const int64_t lo = IntegerMin(m_dataType), hi = IntegerMax(m_dataType);
  if (value < lo || value > hi)
    throw EDatabaseError(Format("%d is not a valid value for field '%s'. The allowed range is %d to %d", value,
                                DisplayLabel(), lo, hi));
}

// --- TBooleanField -------------------------------------------------------------

void TBooleanField::SetDisplayValues(std::string_view values) {
  m_displayValues = values;
  const size_t semi = values.find(';');
  m_trueWord = std::string(values.substr(0, semi));
  m_falseWord = semi == std::string_view::npos ? std::string() : std::string(values.substr(semi + 1));
}

std::string TBooleanField::FormatValue(const uint8_t* p) const { return LoadBoolean(p) ? m_trueWord : m_falseWord; }

void TBooleanField::ParseText(std::string_view text, uint8_t* p) const {
  const size_t chars = Utf8Length(text);
  if (!m_falseWord.empty() && CompareTexts(Utf8Prefix(m_falseWord, chars), text, true) == 0) {
    StoreBoolean(p, false);
  } else if (!m_trueWord.empty() && CompareTexts(Utf8Prefix(m_trueWord, chars), text, true) == 0) {
    StoreBoolean(p, true);
  } else {
    throw EConvertError(Format("'%s' is not a valid boolean value", text));
  }
}

// --- factory -------------------------------------------------------------------------

std::unique_ptr<TField> CreateField(std::string_view name, TFieldType type, int size) {
  switch (type) {
    case TFieldType::ftString: return std::make_unique<TStringField>(name, size);
    case TFieldType::ftWideString: return std::make_unique<TWideStringField>(name, size);
    case TFieldType::ftSmallint: return std::make_unique<TSmallintField>(name);
    case TFieldType::ftInteger: return std::make_unique<TIntegerField>(name);
    case TFieldType::ftWord: return std::make_unique<TWordField>(name);
    case TFieldType::ftAutoInc: return std::make_unique<TAutoIncField>(name);
    case TFieldType::ftLargeint: return std::make_unique<TLargeintField>(name);
    case TFieldType::ftBoolean: return std::make_unique<TBooleanField>(name);
    case TFieldType::ftFloat: return std::make_unique<TFloatField>(name);
    case TFieldType::ftCurrency: return std::make_unique<TCurrencyField>(name);
    case TFieldType::ftBCD: return std::make_unique<TBCDField>(name);
    case TFieldType::ftFMTBcd: return std::make_unique<TFMTBCDField>(name);
    case TFieldType::ftDate: return std::make_unique<TDateField>(name);
    case TFieldType::ftTime: return std::make_unique<TTimeField>(name);
    case TFieldType::ftDateTime: return std::make_unique<TDateTimeField>(name);
    case TFieldType::ftMemo: return std::make_unique<TMemoField>(name);
    case TFieldType::ftGraphic: return std::make_unique<TGraphicField>(name);
    default: break;
  }
  if (IsBlobFieldType(type)) return std::make_unique<TBlobField>(name, type);
  return std::make_unique<TField>(name, type, size);
}

}  // namespace tsm
