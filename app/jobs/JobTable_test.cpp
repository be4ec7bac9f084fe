#include "app/jobs/JobTable.h"

#include <gtest/gtest.h>

#include "platform/core/Utf8.h"

#include <string>

namespace tsm {

namespace {

class JobTable : public ::testing::Test {
 protected:
  void SetUp() override {
    DefineJobFields(table);
    table.Open();
  }

  // Appends a job the way the parameters dialog saves one.
  void AddJob(const std::string& target, const std::string& source = "/video/a.mpg") {
    table.StartAppend();
    table.FieldNamed("sourse_file")->SetText(source);
    table.FieldNamed("mbl")->SetText("/out");
    table.FieldNamed("mbw")->SetText(target);
    table.FieldNamed("zhuangtai")->SetText(kJobPending);
    table.FieldNamed("jindu")->SetText("");
    table.FieldNamed("fzhfw")->SetBoolean(false);
    table.PostRecord();
  }

  std::string Text(std::string_view field) { return table.FieldNamed(field)->GetText(); }

  TmtMemTable table{"mtMemTable1"};
};

}  // namespace

TEST_F(JobTable, SchemaHasThirteenFieldsInColumnOrderBehindRecId) {
  ASSERT_EQ(table.FieldCount(), 14);
  struct Expected {
    const char* name;
    int size;
    const char* label;
    int width;
  };
  const Expected expected[] = {
      {"sourse_file", 300, "源文件", 35}, {"mbl", 300, "目标路径", 27}, {"mbw", 150, "目标文件名", 11},
      {"jindu", 8, "进度", 6},           {"zhuangtai", 15, "状态", 7},  {"fbl", 30, "分辨率", 11},
      {"zhpz", 15, "转化品质", 12},      {"kgb", 15, "宽高比", 12},     {"kss", 15, "开始时", 12},
      {"ksf", 15, "开始分", 12},         {"cxs", 15, "持续时", 12},     {"cxf", 15, "持续分", 12}};
  for (int i = 0; i < 12; ++i) {
    const TField* f = table.Fields(i + 1);
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(f->FieldName(), expected[i].name);
    EXPECT_EQ(f->DataType(), TFieldType::ftString);
    EXPECT_NE(dynamic_cast<const TStringField*>(f), nullptr);
    EXPECT_EQ(f->Size(), expected[i].size);
    EXPECT_EQ(f->DisplayLabel(), expected[i].label);
    EXPECT_EQ(f->DisplayWidth(), expected[i].width);
    EXPECT_TRUE(f->Visible());
  }
  const TField* range = table.Fields(13);
  EXPECT_EQ(range->FieldName(), "fzhfw");
  EXPECT_NE(dynamic_cast<const TBooleanField*>(range), nullptr);
  EXPECT_FALSE(range->Visible());
  EXPECT_FALSE(table.Fields(0)->Visible());  // RecId
  int visible = 0;
  for (int i = 0; i < table.FieldCount(); ++i) visible += table.Fields(i)->Visible() ? 1 : 0;
  EXPECT_EQ(visible, 12);
}

TEST_F(JobTable, FreshJobIsPendingWithEmptyProgress) {
  AddJob("a.avi");
  EXPECT_EQ(Text("zhuangtai"), "未完成");
  EXPECT_EQ(Text("jindu"), "");
  EXPECT_FALSE(IsStartedProgress(Text("jindu")));
  EXPECT_FALSE(table.FieldNamed("fzhfw")->GetBoolean());
}

TEST_F(JobTable, TextFieldsHoldAsManyChineseCharactersAsTheirDoubleByteSizesSay) {
  // 100 Chinese characters of a source path, 5 of a quality preset.
  std::string hundred, five;
  for (int i = 0; i < 100; ++i) hundred += "视";
  for (int i = 0; i < 5; ++i) five += "品";
  AddJob("a.avi", hundred);
  table.StartEdit();
  table.FieldNamed("zhpz")->SetText(five);
  table.PostRecord();
  EXPECT_EQ(Text("sourse_file"), hundred);
  EXPECT_EQ(Text("zhpz"), five);
}

TEST_F(JobTable, LongPathIsCutToThreeHundredBytesAtACharacterBoundary) {
  std::string path = "/";
  while (path.size() < 350) path += "视频";  // three bytes per character
  AddJob("a.avi", path);
  const std::string stored = Text("sourse_file");
  EXPECT_LE(stored.size(), 300u);
  EXPECT_GE(stored.size(), 298u);
  EXPECT_EQ(path.compare(0, stored.size(), stored), 0);
  EXPECT_TRUE(IsValidUtf8(stored));
}

TEST_F(JobTable, RangeFieldsReadBackAsIntegers) {
  AddJob("a.avi");
  table.StartEdit();
  table.FieldNamed("fzhfw")->SetBoolean(true);
  table.FieldNamed("kss")->SetText("1");
  table.FieldNamed("cxf")->SetText("60");
  table.PostRecord();
  EXPECT_TRUE(table.FieldNamed("fzhfw")->GetBoolean());
  EXPECT_EQ(table.FieldNamed("kss")->GetInteger(), 1);
  EXPECT_EQ(table.FieldNamed("cxf")->GetInteger(), 60);
  try {
    table.FieldNamed("ksf")->GetInteger();  // never written: empty
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

TEST(JobProgress, TextsAndParsing) {
  EXPECT_EQ(ProgressText(6), "6%");
  EXPECT_EQ(ProgressText(100), "100%");
  EXPECT_EQ(StatusForProgress(100), "已完成");
  EXPECT_EQ(StatusForProgress(99), "未完成");
  EXPECT_EQ(ParseProgress(" 42% "), 42);
  EXPECT_EQ(ParseProgress("100%"), 100);
  EXPECT_FALSE(ParseProgress(""));
  EXPECT_FALSE(ParseProgress("%"));
  EXPECT_FALSE(ParseProgress("4 2%"));
  EXPECT_FALSE(ParseProgress("-1%"));
  EXPECT_TRUE(IsFinishedProgress(" 100% "));
  EXPECT_FALSE(IsFinishedProgress("99%"));
}

TEST_F(JobTable, ProgressAndFinishedStatusAreWrittenTogetherAndStayPending) {
  AddJob("a.avi");
  WriteJobProgress(table, 6);
  EXPECT_EQ(table.State(), TableState::Edit);
  EXPECT_EQ(Text("jindu"), "6%");
  EXPECT_EQ(Text("zhuangtai"), "未完成");
  WriteJobProgress(table, 100);
  EXPECT_EQ(Text("jindu"), "100%");
  EXPECT_EQ(Text("zhuangtai"), "已完成");
  EXPECT_EQ(table.State(), TableState::Edit);  // not posted by the writer
}

TEST_F(JobTable, StoppedJobKeepsItsProgressAndIsPickedAgain) {
  AddJob("a.avi");
  AddJob("b.avi");
  ASSERT_TRUE(UpdateJobProgress(table, "a.avi", 37));
  table.PostRecord();  // the stop posts the record
  EXPECT_EQ(Text("jindu"), "37%");
  table.MoveLast();
  ASSERT_TRUE(FindFirstPendingJob(table));
  EXPECT_EQ(Text("mbw"), "a.avi");
}

TEST_F(JobTable, ProgressGoesToCurrentDuplicateElseToTheFirstInTableOrder) {
  AddJob("same.avi", "/v/1.mpg");
  AddJob("other.avi", "/v/2.mpg");
  AddJob("same.avi", "/v/3.mpg");
  // The cursor stands on the second "same.avi": progress goes there.
  ASSERT_TRUE(UpdateJobProgress(table, "same.avi", 10));
  EXPECT_EQ(Text("sourse_file"), "/v/3.mpg");
  // The cursor moves elsewhere (storing the progress); the next update goes
  // to the first "same.avi" in table order.
  table.MovePrior();
  EXPECT_EQ(table.State(), TableState::Browse);
  ASSERT_TRUE(UpdateJobProgress(table, "same.avi", 20));
  EXPECT_EQ(Text("sourse_file"), "/v/1.mpg");
  EXPECT_EQ(Text("jindu"), "20%");
  table.PostRecord();
  table.MoveLast();
  EXPECT_EQ(Text("jindu"), "10%");
}

TEST_F(JobTable, ProgressForARemovedJobTouchesNoOtherRecord) {
  AddJob("a.avi");
  AddJob("b.avi");
  EXPECT_FALSE(UpdateJobProgress(table, "gone.avi", 50));
  EXPECT_EQ(table.State(), TableState::Browse);
  table.MoveFirst();
  EXPECT_EQ(Text("jindu"), "");
  table.MoveNext();
  EXPECT_EQ(Text("jindu"), "");
}

TEST_F(JobTable, FinishedFirstJobMakesTheSecondTheNextPending) {
  AddJob("a.avi");
  AddJob("b.avi");
  table.MoveFirst();
  WriteJobProgress(table, 100);
  table.MoveFirst();  // the next start stores the finished record first
  ASSERT_TRUE(FindFirstPendingJob(table));
  EXPECT_EQ(Text("mbw"), "b.avi");
  EXPECT_EQ(table.RecordNumber(), 2);
}

}  // namespace tsm
