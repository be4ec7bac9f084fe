#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "memtable/MemBlobStream.h"
#include "memtable/MemPersistent.h"
#include "memtable/MemTable.h"
#include "memtable/MemTableStream.h"
#include "memtable/MemTestUtil.h"

namespace tsm {

using test::ExpectError;
using test::TRecorder;

namespace {

// Builds streams byte by byte, the way a foreign writer would.
class TStreamBuilder {
 public:
  TStreamBuilder& Header(double version) {
    Bytes("Ver");
    return Raw(version);
  }
  TStreamBuilder& Count(int32_t n) { return Raw(n); }
  TStreamBuilder& Field(const std::string& name, int16_t code, int32_t size) {
    Raw(size);
    Raw(code);
    Raw(static_cast<int16_t>(name.size()));
    return Bytes(name);
  }
  TStreamBuilder& Text(const std::string& s) {
    Raw(static_cast<int32_t>(s.size() + 1));
    Bytes(s);
    return Raw(uint8_t{0});
  }
  TStreamBuilder& Wide(const std::u16string& s) {
    Raw(static_cast<int32_t>(s.size()));
    if (s.empty()) return *this;
    Raw(uint8_t{0});
    for (char16_t c : s) Raw(c);
    return *this;
  }
  TStreamBuilder& Int(int32_t v, bool presence = true) {
    if (presence) Raw(uint8_t{1});
    return Raw(v);
  }
  TStreamBuilder& NullInt() {
    Raw(uint8_t{0});
    return Raw(int32_t{0});
  }
  TStreamBuilder& Blob(const std::string& s) {
    Raw(static_cast<int32_t>(s.size()));
    return Bytes(s);
  }
  template <typename T>
  TStreamBuilder& Raw(T v) {
    uint8_t b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    data.insert(data.end(), b, b + sizeof(T));
    return *this;
  }
  TStreamBuilder& Bytes(const std::string& s) {
    data.insert(data.end(), s.begin(), s.end());
    return *this;
  }
  std::vector<uint8_t> data;
};

class Stream : public ::testing::Test {
 protected:
  void SetUp() override {
    name = table.AddStringField("name", 6);
    num = table.AddField("num", TFieldType::ftInteger);
    table.Open();
  }

  void Load(const std::vector<uint8_t>& data) { table.LoadFromStream(data.data(), data.size()); }

  std::vector<std::string> Rows() {
    std::vector<std::string> out;
    for (int r = 0; r < table.RowCount(); ++r)
      out.push_back(table.RowText(r, *table.RecIdField()) + ":" + table.RowText(r, *name) + ":" +
                    table.RowText(r, *num));
    return out;
  }

  TmtMemTable table;
  TField* name = nullptr;
  TField* num = nullptr;
};

}  // namespace

TEST_F(Stream, HeaderedStreamLoadsWithPresenceBytesAndRenumbersRecId) {
  TStreamBuilder s;
  s.Header(1.0).Count(3).Field("RecId", 3, 4).Field("NAME", 1, 7).Field("num", 3, 4);
  s.Int(77).Text("alpha").Int(5);
  s.Int(12).Text("").NullInt();
  Load(s.data);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1:alpha:5", "2::"}));
  EXPECT_TRUE(name->IsNull() == false);
  table.MoveLast();
  EXPECT_TRUE(name->IsNull());  // L = 1: null
  EXPECT_TRUE(num->IsNull());
  EXPECT_EQ(table.RecordNumber(), 2);
  table.MoveFirst();
  EXPECT_EQ(table.Bookmark(), 1);
  // Appending continues after the loaded records.
  table.StartAppend();
  EXPECT_EQ(table.RecIdField()->GetInteger(), 3);
  name->SetText("x");
  table.PostRecord();
  EXPECT_EQ(table.Bookmark(), 3);
}

TEST_F(Stream, StreamWithoutHeaderIsVersionZeroWithoutPresenceBytes) {
  TStreamBuilder s;
  s.Count(2).Field("name", 1, 7).Field("num", 3, 4);
  s.Text("a").Int(1, false);
  s.Text("b").Int(2, false);
  TmtMemTableStreamReader reader(table);
  reader.Read(s.data.data(), s.data.size());
  EXPECT_EQ(reader.Version(), 0);
  EXPECT_EQ(reader.RecordsRead(), 2);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1:a:1", "2:b:2"}));
}

TEST_F(Stream, LowVersionCountsAsOne) {
  TStreamBuilder s;
  s.Header(0.25).Count(1).Field("num", 3, 4).Int(9);
  TmtMemTableStreamReader reader(table);
  reader.Read(s.data.data(), s.data.size());
  EXPECT_EQ(reader.Version(), 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1::9"}));
}

TEST_F(Stream, UnmatchedFieldsOfEveryKindAreSkipped) {
  TStreamBuilder s;
  s.Header(1).Count(6).Field("gone_text", 1, 9).Field("name", 1, 7).Field("gone_wide", 20, 10);
  s.Field("gone_blob", 13, 0).Field("gone_fixed", 6, 8).Field("num", 3, 4);
  for (int i = 1; i <= 2; ++i) {
    s.Text("skip me").Text("r" + std::to_string(i)).Wide(u"宽字").Blob("blob bytes");
    s.Raw(uint8_t{1}).Raw(3.5);
    s.Int(i * 10);
  }
  Load(s.data);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1:r1:10", "2:r2:20"}));
}

TEST_F(Stream, LongTextIsCutToSizeAndTheRestSkipped) {
  TStreamBuilder s;
  s.Header(1).Count(2).Field("name", 1, 20).Field("num", 3, 4);
  s.Text("abcd中文").Int(1);  // 4 + 6 bytes; Size 6 keeps "abcd"
  s.Text("0123456789").Int(2);
  Load(s.data);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1:abcd:1", "2:012345:2"}));
}

TEST_F(Stream, NameLengthOf256IsIncorrectData) {
  TStreamBuilder s;
  s.Count(1).Raw(int32_t{4}).Raw(int16_t{3}).Raw(int16_t{256}).Bytes(std::string(256, 'n'));
  ExpectError<EReadError>([&] { Load(s.data); }, "The data is incorrect");
  EXPECT_EQ(table.State(), TableState::Browse);
  EXPECT_EQ(table.RecordTotal(), 0);
  EXPECT_FALSE(table.Loading());
}

TEST_F(Stream, EveryTruncationLoadsAPrefixOfTheRecordsWithoutReadingPastTheEnd) {
  TStreamBuilder s;
  s.Header(1).Count(2).Field("name", 1, 7).Field("num", 3, 4);
  for (int i = 0; i < 4; ++i) s.Text("n" + std::to_string(i)).Int(i);
  const std::vector<uint8_t> full = s.data;
  int last = 0;
  for (size_t n = 0; n <= full.size(); ++n) {
    // A copy of exactly n bytes, so that a read past the end is caught by
    // the sanitizer builds.
    std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
    TmtMemTableStreamReader reader(table);
    reader.Read(cut.data(), cut.size());
    EXPECT_GE(reader.RecordsRead(), last);
    EXPECT_EQ(table.RecordTotal(), reader.RecordsRead());
    last = reader.RecordsRead();
  }
  EXPECT_EQ(last, 4);
}

TEST_F(Stream, LengthsBeyondTheEndAreCutAndNegativeLengthsAreEmpty) {
  TStreamBuilder s;
  s.Header(1).Count(2).Field("num", 3, 4).Field("name", 1, 7);
  s.Int(1).Raw(int32_t{-5});            // negative: null, nothing read
  s.Int(2).Raw(int32_t{1000}).Bytes("xyz");  // cut to the three bytes left
  Load(s.data);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1::1", "2:xyz:2"}));
}

TEST_F(Stream, RecordsThatConsumeNothingEndTheLoading) {
  TStreamBuilder s;
  s.Count(1).Field("num", 3, 0).Bytes("x");  // version 0, size 0: no bytes per record
  Load(s.data);
  EXPECT_EQ(table.RecordTotal(), 0);
}

TEST(StreamValues, NotANumberLoadsAndCanBeFoundAndWrittenAsText) {
  TmtMemTable t;
  TField* real = t.AddField("real", TFieldType::ftFloat);
  t.Open();
  TStreamBuilder s;
  s.Header(1).Count(1).Field("real", 6, 8).Raw(uint8_t{1}).Raw(std::nan("")).Raw(uint8_t{1}).Raw(1.5);
  t.LoadFromStream(s.data.data(), s.data.size());
  const TVariant nan = real->GetValue();  // the first record's
  t.MoveLast();
  ASSERT_TRUE(t.FindRecord("real", nan));
  EXPECT_EQ(t.RecordNumber(), 1);
  EXPECT_EQ(real->GetText(), "NAN");
  t.SetSortedField("real");  // NaN orders before every number
  EXPECT_EQ(t.RowText(0, *real), "NAN");
  TmtMemTable copy;
  copy.AddField("real", TFieldType::ftFloat);
  copy.Open();
  copy.LoadFromText(t.SaveToText());
  EXPECT_EQ(copy.RowText(0, *copy.FieldNamed("real")), "NAN");
  EXPECT_EQ(copy.RowText(1, *copy.FieldNamed("real")), "1.5");
}

TEST_F(Stream, TypeMismatchesConvertTextOrStayNull) {
  TStreamBuilder s;
  s.Header(1).Count(2).Field("num", 1, 5).Field("name", 3, 4);  // text into integer, integer into text
  s.Text("42").Int(7);
  s.Text("4x2").Int(8);
  Load(s.data);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1::42", "2::"}));
}

TEST(StreamRoundTrip, WriterOutputLoadsBackWithEveryType) {
  TmtMemTable source, target;
  for (TmtMemTable* t : {&source, &target}) {
    t->AddStringField("s", 8);
    t->AddField("w", TFieldType::ftWideString, 4);
    t->AddField("i", TFieldType::ftSmallint);
    t->AddField("l", TFieldType::ftLargeint);
    t->AddBooleanField("b");
    t->AddField("f", TFieldType::ftFloat);
    t->AddField("d", TFieldType::ftBCD);
    t->AddField("dt", TFieldType::ftDateTime);
    t->AddField("m", TFieldType::ftMemo);
    t->AddField("a", TFieldType::ftAutoInc);
    t->Open();
  }
  const char* values[][10] = {{"text", "宽字𝄞", "-5", "123456789012", "True", "2.5", "1.25", "2001-02-03 04:05:06",
                               "memo\tvalue", "7"},
                              {"", "", "", "", "", "", "", "", "", "20"}};
  for (const auto& row : values) {
    source.StartAppend();
    for (int i = 0; i < 10; ++i) source.Fields(i + 1)->SetText(row[i]);
    source.PostRecord();
  }
  // Without the header there are no presence bytes: null fixed-size values
  // come back as zeros.
  const char* zeros[10] = {"", "", "0", "0", "False", "0", "0", "1899-12-30 00:00:00", "", "20"};
  for (bool header : {true, false}) {
    const std::vector<uint8_t> data = TmtMemTableStreamWriter(source).Write(header);
    target.LoadFromStream(data.data(), data.size());
    ASSERT_EQ(target.RecordTotal(), 2);
    for (int r = 0; r < 2; ++r)
      for (int i = 0; i < 10; ++i)
        EXPECT_EQ(target.RowText(r, *target.Fields(i + 1)), r == 1 && !header ? zeros[i] : values[r][i])
            << "header " << header << " row " << r << " field " << i;
    EXPECT_TRUE(target.RowIsNull(1, *target.FieldNamed("s")));
    EXPECT_EQ(target.RowIsNull(1, *target.FieldNamed("i")), header);
  }
  // Loaded auto-increment values stay; new ones continue after the highest.
  target.StartAppend();
  target.FieldNamed("s")->SetText("n");
  target.PostRecord();
  EXPECT_EQ(target.FieldNamed("a")->GetInteger(), 21);
}

TEST_F(Stream, LoadingRunsNoHooksIgnoresReadOnlyAndAnnouncesOnce) {
  int hooks = 0;
  table.BeforePost = [&](TmtMemTable&) { ++hooks; };
  table.AfterOpen = [&](TmtMemTable&) { ++hooks; };
  table.SetReadOnly(true);
  TRecorder r;
  table.AddListener(&r);
  TStreamBuilder s;
  s.Header(1).Count(1).Field("num", 3, 4).Int(1).Int(2);
  Load(s.data);
  table.RemoveListener(&r);
  EXPECT_EQ(hooks, 0);
  EXPECT_EQ(table.RecordTotal(), 2);
  EXPECT_EQ(r.log, (std::vector<std::string>{"data"}));
}

TEST_F(Stream, LoadedDataIsSortedAndFiltered) {
  table.SetSortedField("num");
  table.SetSortOptions({TmtSortOption::soDesc});
  table.SetOnFilterRecord([this](TmtMemTable&, bool& accept) { accept = num->GetInteger() != 2; });
  table.SetFiltered(true);
  TStreamBuilder s;
  s.Header(1).Count(1).Field("num", 3, 4).Int(1).Int(3).Int(2);
  Load(s.data);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2::3", "1::1"}));
  EXPECT_EQ(table.RecordNumber(), 1);
}

TEST(Persistent, OptionsDecideWhenStoredDataIsLoaded) {
  TStreamBuilder s;
  s.Header(1).Count(1).Field("num", 3, 4).Int(5);
  for (TmtPersistentOption option :
       {TmtPersistentOption::poNone, TmtPersistentOption::poActive, TmtPersistentOption::poLoad}) {
    TmtMemTable t;
    t.AddField("num", TFieldType::ftInteger);
    TmtMemPersistent stored;
    stored.SetOption(option);
    stored.SetData(s.data);
    EXPECT_TRUE(stored.StoresData());
    t.SetPersistent(stored);
    EXPECT_EQ(t.Persistent().Option(), option);
    t.Open();
    EXPECT_EQ(t.RecordTotal(), option == TmtPersistentOption::poActive ? 1 : 0);
    t.Loaded();  // the owner has finished loading
    EXPECT_EQ(t.RecordTotal(), option == TmtPersistentOption::poNone ? 0 : 1);
    t.Close();
    t.Open();
    EXPECT_EQ(t.RecordTotal(), option == TmtPersistentOption::poActive ? 1 : 0);
  }
  TmtMemTable empty;
  empty.Open();
  empty.Loaded();
  EXPECT_EQ(empty.RecordTotal(), 0);
}

// --- blob stream ----------------------------------------------------------------------

TEST(BlobStream, WritesNeedAnEditAndReadsStopAtTheEnd) {
  TmtMemTable t;
  TField* blob = t.AddField("data", TFieldType::ftBlob);
  TField* text = t.AddStringField("text");
  t.Open();
  ExpectError<EDatabaseError>([&] { TMemBlobStream s(*blob, TBlobStreamMode::bmWrite); },
                              "Dataset not in edit or insert mode");
  ExpectError<EInvalidCast>([&] { TMemBlobStream s(*text, TBlobStreamMode::bmRead); }, "Invalid class typecast");
  t.StartAppend();
  TRecorder r;
  t.AddListener(&r);
  {
    TMemBlobStream s(*blob, TBlobStreamMode::bmWrite);
    EXPECT_EQ(s.Write("hello world", 11), 11);
    s.Seek(6, TSeekOrigin::soBeginning);
    EXPECT_EQ(s.Write("there!", 6), 6);
    EXPECT_EQ(s.Size(), 12);
    EXPECT_TRUE(r.log.empty());  // announced when closed
  }
  EXPECT_EQ(r.log, (std::vector<std::string>{"data:data"}));
  EXPECT_TRUE(t.Modified());
  t.PostRecord();
  t.RemoveListener(&r);
  EXPECT_EQ(blob->GetText(), "hello there!");
  TMemBlobStream reader(*blob, TBlobStreamMode::bmRead);
  char buf[8] = {};
  reader.Seek(-3, TSeekOrigin::soEnd);
  EXPECT_EQ(reader.Read(buf, 8), 3);
  EXPECT_EQ(std::string(buf, 3), "re!");
  EXPECT_EQ(reader.Read(buf, 8), 0);
  EXPECT_EQ(reader.Seek(-100, TSeekOrigin::soCurrent), 0);
  ExpectError<EDatabaseError>([&] { reader.Write("x", 1); }, "Field 'data' cannot be modified");
}

TEST(BlobStream, WriteModeEmptiesAndAGapIsZeroFilled) {
  TmtMemTable t;
  TField* blob = t.AddField("data", TFieldType::ftGraphic);
  t.Open();
  t.StartAppend();
  blob->SetText("old value");
  {
    TMemBlobStream s(*blob, TBlobStreamMode::bmReadWrite);
    EXPECT_EQ(s.Size(), 9);
  }
  {
    TMemBlobStream s(*blob, TBlobStreamMode::bmWrite);
    EXPECT_EQ(s.Size(), 0);
    s.Seek(2, TSeekOrigin::soBeginning);
    s.Write("x", 1);
  }
  EXPECT_EQ(blob->GetText(), std::string("\0\0x", 3));
  blob->SetReadOnly(true);
  ExpectError<EDatabaseError>([&] { TMemBlobStream s(*blob, TBlobStreamMode::bmWrite); },
                              "Field 'data' cannot be modified");
}

}  // namespace tsm
