#pragma once
// Field data types of the memory table, their value families, binary widths
// inside a record block, and the type codes of the stored stream format.

#include <cstdint>

#include "framework/base/Alignment.h"

namespace tsm {

enum class TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
  ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
  ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
  ftLargeint, ftADT, ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant,
  ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd
};

// Stored data, or computed after each fetch (OnCalcFields), or looked up.
enum class TFieldKind { fkData, fkCalculated, fkLookup };

// How a value is held and compared:
//   Text      ftString: UTF-8 bytes, zero-terminated, Size + 1 bytes
//   WideText  ftWideString: UTF-16LE code units, zero-terminated, 2 * (Size + 1) bytes
//   Integer   ftSmallint int16, ftWord uint16, ftInteger/ftAutoInc int32, ftLargeint int64
//   Boolean   int16, 0 = false
//   Float     ftFloat, ftCurrency: IEEE double
//   Decimal   ftBCD, ftFMTBcd: int64, the value times 10000 (a currency value)
//   DateTime  ftDate, ftTime, ftDateTime: double, days since 1899-12-30 plus the
//             fraction of the day
//   Blob      the blob types: kept outside the block
//   None      the refused types
enum class TValueFamily { Text, WideText, Integer, Boolean, Float, Decimal, DateTime, Blob, None };

const char* FieldTypeName(TFieldType type);
TValueFamily ValueFamilyOf(TFieldType type);
bool IsSupportedFieldType(TFieldType type);
bool IsBlobFieldType(TFieldType type);
bool IsTextFieldType(TFieldType type);  // ftString, ftWideString

// Bytes of a value inside a record block, without its presence byte; 0 for
// blob and refused types. size is the field's Size (text fields only).
int BinaryWidth(TFieldType type, int size);

// Stream type codes 1..21; any other code stands for no type (ftUnknown).
TFieldType FieldTypeFromStreamCode(int code);
// 0 for types without a code.
int StreamCodeOf(TFieldType type);

}  // namespace tsm
