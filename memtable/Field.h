#pragma once
// Field descriptors of the memory table. A field describes one column
// (name, type, size, caption, width, visibility, kind, required flag) and
// gives access to that column's value in the table's working record, the
// record that the cursor exposes (see MemTable.h).
//
// Structure (type, Size, kind) can change only while the table is closed;
// captions, widths, visibility, the required and read-only flags at any time.
//
// Text conversions of values:
//   text        the value itself; assigning cuts to Size bytes at the last
//               whole UTF-8 character; "" is a value (not null)
//   integers    decimal; assigning checks the type's range
//   boolean     the field's display words, "True"/"False" unless changed
//   float       the shortest text that reads back as the same number
//   BCD         decimal with up to four fraction digits
//   date, time  "yyyy-mm-dd", "hh:nn:ss[.zzz]", "yyyy-mm-dd hh:nn:ss[.zzz]"
//   blobs       the bytes as they are
// Assigning "" to any field that is not a text field makes it null.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "memtable/FieldType.h"
#include "memtable/Variant.h"

namespace tsm {

class TmtMemTable;

class TField {
 public:
  TField(std::string_view fieldName, TFieldType dataType, int size = 0);
  virtual ~TField() = default;
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  const std::string& FieldName() const { return m_fieldName; }
  TFieldType DataType() const { return m_dataType; }
  TValueFamily Family() const { return ValueFamilyOf(m_dataType); }
  bool IsBlob() const { return Family() == TValueFamily::Blob; }

  // Maximum length in bytes for ftString (default 20), in UTF-16 code units
  // for ftWideString; 0 for other types. Only while the table is closed.
  int Size() const { return m_size; }
  void SetSize(int size);

  // Column caption; the field name while none is set.
  const std::string& DisplayLabel() const { return m_displayLabel.empty() ? m_fieldName : m_displayLabel; }
  // The caption, width, visibility and alignment setters announce a layout
  // change through the table when the value changes.
  void SetDisplayLabel(std::string_view label);
  // Column width in characters; text fields default to Size.
  int DisplayWidth() const;
  void SetDisplayWidth(int width);
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  TFieldKind FieldKind() const { return m_fieldKind; }
  void SetFieldKind(TFieldKind kind);
  bool Calculated() const { return m_fieldKind == TFieldKind::fkCalculated; }
  bool Required() const { return m_required; }
  void SetRequired(bool required) { m_required = required; }
  // A read-only field refuses writes with "Field '%s' cannot be modified".
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
  TAlignment Alignment() const;
  void SetAlignment(TAlignment alignment);

  // Position in the table's field list ("RecId" is 0); -1 while unowned.
  int Index() const { return m_index; }
  TmtMemTable* Table() const { return m_table; }

  // --- the value in the working record of the table ---------------------
  // Reads on a field without a table, or of a closed table, give null.
  // Writes need the table in Edit or Insert ("Dataset not in edit or insert
  // mode"); conversions raise EConvertError with the framework's texts;
  // conversions that a type does not have raise "Cannot access field '%s'
  // as type %s".
  bool IsNull() const;
  std::string GetText() const;
  void SetText(std::string_view text);
  int32_t GetInteger() const;
  void SetInteger(int32_t value);
  int64_t GetLargeint() const;
  void SetLargeint(int64_t value);
  bool GetBoolean() const;
  void SetBoolean(bool value);
  double GetFloat() const;
  void SetFloat(double value);
  TVariant GetValue() const;
  void SetValue(const TVariant& value);
  void Clear();

  // --- conversions of stored values ---------------------------------------
  // Text of a present value; p points at the value bytes in a block.
  virtual std::string FormatValue(const uint8_t* p) const;
  // The value of a present stored value as a variant (not for blobs).
  TVariant VariantOf(const uint8_t* p) const;
  // Writes the value that a non-empty text stands for into p (BinaryWidth
  // bytes); raises when the text is not a value of this field.
  virtual void ParseText(std::string_view text, uint8_t* p) const;
  // Writes a key or assigned value into p; false when the value is null.
  bool EncodeVariant(const TVariant& value, uint8_t* p) const;
  // Width of the value in a block (0 for blobs).
  int BinaryWidth() const { return tsm::BinaryWidth(m_dataType, m_size); }

 protected:
  [[noreturn]] void AccessError(const char* typeName) const;
  void CheckRange(int64_t value) const;

 private:
  friend class TmtMemTable;
  friend class TMemBlobStream;

  void LayoutChanged();
  const uint8_t* ValueData() const;
  void WriteValue(const uint8_t* p);
  std::string BlobText() const;

  std::string m_fieldName;
  TFieldType m_dataType;
  int m_size;
  std::string m_displayLabel;
  int m_displayWidth = -1;
  bool m_visible = true;
  TFieldKind m_fieldKind = TFieldKind::fkData;
  bool m_required = false;
  bool m_readOnly = false;
  TAlignment m_alignment = TAlignment::taLeftJustify;
  bool m_alignmentSet = false;

  // Set by the owning table.
  TmtMemTable* m_table = nullptr;
  int m_index = -1;
  int m_offset = -1;     // presence byte in the block; -1 for blobs
  int m_blobSlot = -1;   // slot in the blob entry; -1 for non-blobs
  int64_t m_autoMax = 0; // highest number seen, for auto-numbered fields
};

class TStringField : public TField {
 public:
  explicit TStringField(std::string_view name, int size = 20) : TField(name, TFieldType::ftString, size) {}
};

class TWideStringField : public TField {
 public:
  explicit TWideStringField(std::string_view name, int size = 20) : TField(name, TFieldType::ftWideString, size) {}
};

class TSmallintField : public TField {
 public:
  explicit TSmallintField(std::string_view name) : TField(name, TFieldType::ftSmallint) {}
};

class TIntegerField : public TField {
 public:
  explicit TIntegerField(std::string_view name) : TField(name, TFieldType::ftInteger) {}
};

class TWordField : public TField {
 public:
  explicit TWordField(std::string_view name) : TField(name, TFieldType::ftWord) {}
};

class TAutoIncField : public TField {
 public:
  explicit TAutoIncField(std::string_view name) : TField(name, TFieldType::ftAutoInc) {}
};

class TLargeintField : public TField {
 public:
  explicit TLargeintField(std::string_view name) : TField(name, TFieldType::ftLargeint) {}
};

// Text of a boolean value: the display words "True;False" (true word, then
// false word). Assigning text accepts any leading part of either word,
// without regard to case, the false word tried first; anything else raises
// "'%s' is not a valid boolean value".
class TBooleanField : public TField {
 public:
  explicit TBooleanField(std::string_view name) : TField(name, TFieldType::ftBoolean) {}
  const std::string& DisplayValues() const { return m_displayValues; }
  void SetDisplayValues(std::string_view values);
  std::string FormatValue(const uint8_t* p) const override;
  void ParseText(std::string_view text, uint8_t* p) const override;

 private:
  std::string m_displayValues = "True;False";
  std::string m_trueWord = "True";
  std::string m_falseWord = "False";
};

class TFloatField : public TField {
 public:
  explicit TFloatField(std::string_view name, TFieldType type = TFieldType::ftFloat) : TField(name, type) {}
};

class TCurrencyField : public TFloatField {
 public:
  explicit TCurrencyField(std::string_view name) : TFloatField(name, TFieldType::ftCurrency) {}
};

class TBCDField : public TField {
 public:
  explicit TBCDField(std::string_view name, TFieldType type = TFieldType::ftBCD) : TField(name, type) {}
};

class TFMTBCDField : public TBCDField {
 public:
  explicit TFMTBCDField(std::string_view name) : TBCDField(name, TFieldType::ftFMTBcd) {}
};

class TDateTimeField : public TField {
 public:
  explicit TDateTimeField(std::string_view name, TFieldType type = TFieldType::ftDateTime) : TField(name, type) {}
};

class TDateField : public TDateTimeField {
 public:
  explicit TDateField(std::string_view name) : TDateTimeField(name, TFieldType::ftDate) {}
};

class TTimeField : public TDateTimeField {
 public:
  explicit TTimeField(std::string_view name) : TDateTimeField(name, TFieldType::ftTime) {}
};

// Every blob type: ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle,
// ftDBaseOle, ftTypedBinary. The value is a byte string outside the record
// block; an empty value is null. Read and write it whole through
// GetText/SetText, or in parts through TMemBlobStream.
class TBlobField : public TField {
 public:
  explicit TBlobField(std::string_view name, TFieldType type = TFieldType::ftBlob) : TField(name, type) {}
};

class TMemoField : public TBlobField {
 public:
  explicit TMemoField(std::string_view name) : TBlobField(name, TFieldType::ftMemo) {}
};

class TGraphicField : public TBlobField {
 public:
  explicit TGraphicField(std::string_view name) : TBlobField(name, TFieldType::ftGraphic) {}
};

// Creates the field class that stands for a type; refused types get a plain
// TField, which the table refuses when it opens.
std::unique_ptr<TField> CreateField(std::string_view name, TFieldType type, int size = 0);

}  // namespace tsm
