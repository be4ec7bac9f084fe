#include "memtable/FieldType.h"

namespace tsm {

namespace {

// Stream codes 1..21 in order.
constexpr TFieldType kStreamTypes[] = {
    TFieldType::ftString,   TFieldType::ftSmallint,   TFieldType::ftInteger,   TFieldType::ftWord,
    TFieldType::ftBoolean,  TFieldType::ftFloat,      TFieldType::ftCurrency,  TFieldType::ftBCD,
    TFieldType::ftDate,     TFieldType::ftTime,       TFieldType::ftDateTime,  TFieldType::ftAutoInc,
    TFieldType::ftBlob,     TFieldType::ftMemo,       TFieldType::ftGraphic,   TFieldType::ftFmtMemo,
    TFieldType::ftParadoxOle, TFieldType::ftDBaseOle, TFieldType::ftTypedBinary,
    TFieldType::ftWideString, TFieldType::ftLargeint};

}  // namespace

const char* FieldTypeName(TFieldType type) {
  switch (type) {
    case TFieldType::ftUnknown: return "ftUnknown";
    case TFieldType::ftString: return "ftString";
    case TFieldType::ftSmallint: return "ftSmallint";
    case TFieldType::ftInteger: return "ftInteger";
    case TFieldType::ftWord: return "ftWord";
    case TFieldType::ftBoolean: return "ftBoolean";
    case TFieldType::ftFloat: return "ftFloat";
    case TFieldType::ftCurrency: return "ftCurrency";
    case TFieldType::ftBCD: return "ftBCD";
    case TFieldType::ftDate: return "ftDate";
    case TFieldType::ftTime: return "ftTime";
    case TFieldType::ftDateTime: return "ftDateTime";
    case TFieldType::ftBytes: return "ftBytes";
    case TFieldType::ftVarBytes: return "ftVarBytes";
    case TFieldType::ftAutoInc: return "ftAutoInc";
    case TFieldType::ftBlob: return "ftBlob";
    case TFieldType::ftMemo: return "ftMemo";
    case TFieldType::ftGraphic: return "ftGraphic";
    case TFieldType::ftFmtMemo: return "ftFmtMemo";
    case TFieldType::ftParadoxOle: return "ftParadoxOle";
    case TFieldType::ftDBaseOle: return "ftDBaseOle";
    case TFieldType::ftTypedBinary: return "ftTypedBinary";
    case TFieldType::ftCursor: return "ftCursor";
    case TFieldType::ftFixedChar: return "ftFixedChar";
    case TFieldType::ftWideString: return "ftWideString";
    case TFieldType::ftLargeint: return "ftLargeint";
    case TFieldType::ftADT: return "ftADT";
    case TFieldType::ftArray: return "ftArray";
    case TFieldType::ftReference: return "ftReference";
    case TFieldType::ftDataSet: return "ftDataSet";
    case TFieldType::ftOraBlob: return "ftOraBlob";
    case TFieldType::ftOraClob: return "ftOraClob";
    case TFieldType::ftVariant: return "ftVariant";
    case TFieldType::ftInterface: return "ftInterface";
    case TFieldType::ftIDispatch: return "ftIDispatch";
    case TFieldType::ftGuid: return "ftGuid";
    case TFieldType::ftTimeStamp: return "ftTimeStamp";
    case TFieldType::ftFMTBcd: return "ftFMTBcd";
  }
  return "ftUnknown";
}

TValueFamily ValueFamilyOf(TFieldType type) {
  switch (type) {
    case TFieldType::ftString: return TValueFamily::Text;
    case TFieldType::ftWideString: return TValueFamily::WideText;
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint: return TValueFamily::Integer;
    case TFieldType::ftBoolean: return TValueFamily::Boolean;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: return TValueFamily::Float;
    case TFieldType::ftBCD:
    case TFieldType::ftFMTBcd: return TValueFamily::Decimal;
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime: return TValueFamily::DateTime;
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary: return TValueFamily::Blob;
    default: return TValueFamily::None;
  }
}

bool IsSupportedFieldType(TFieldType type) { return ValueFamilyOf(type) != TValueFamily::None; }

bool IsBlobFieldType(TFieldType type) { return ValueFamilyOf(type) == TValueFamily::Blob; }

bool IsTextFieldType(TFieldType type) {
  return type == TFieldType::ftString || type == TFieldType::ftWideString;
}

int BinaryWidth(TFieldType type, int size) {
  switch (type) {
    case TFieldType::ftString: return size + 1;
    case TFieldType::ftWideString: return 2 * (size + 1);
    case TFieldType::ftSmallint:
    case TFieldType::ftWord:
    case TFieldType::ftBoolean: return 2;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return 4;
    case TFieldType::ftLargeint:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftFMTBcd:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime: return 8;
    default: return 0;
  }
}

TFieldType FieldTypeFromStreamCode(int code) {
  if (code < 1 || code > static_cast<int>(sizeof(kStreamTypes) / sizeof(kStreamTypes[0])))
    return TFieldType::ftUnknown;
  return kStreamTypes[code - 1];
}

int StreamCodeOf(TFieldType type) {
  for (int i = 0; i < static_cast<int>(sizeof(kStreamTypes) / sizeof(kStreamTypes[0])); ++i)
    if (kStreamTypes[i] == type) return i + 1;
  return 0;
}

}  // namespace tsm
