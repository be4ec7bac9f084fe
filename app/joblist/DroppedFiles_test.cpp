#include "app/joblist/DroppedFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "app/jobs/JobTable.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

class DroppedFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tm_dropped.XXXXXX";
    dir = std::string(::mkdtemp(pattern)) + "/";
    for (const char* name : {"a.mp4", "b.rmvb", "a.mkv", "c.avi", "第二集.vob"})
      ASSERT_TRUE(WriteFileAtomically(dir + name, "x"));
    ASSERT_TRUE(CreateFolders(dir + "out"));
    ASSERT_TRUE(CreateFolders(dir + "folder.mp4"));
    DefineJobFields(jobs);
    jobs.Open();
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

  TDropChoices All() const { return {"ZM4070", "高", "4:3", dir + "out"}; }

  std::string dir;
  TmtMemTable jobs{"jobs"};
};

}  // namespace

TEST_F(DroppedFiles, WithTheChoicesRememberedEachFileBecomesAPendingJob) {
  const TDropDecision d = DecideDrop({dir + "b.rmvb", dir + "第二集.vob", dir + "a.mp4"}, All(), jobs);
  ASSERT_EQ(d.action, TDropAction::AddJobs);
  ASSERT_EQ(d.jobs.size(), 3u);
  const char* names[] = {"b.avi", "第二集.avi", "a.avi"};
  for (size_t i = 0; i < 3; ++i) {
    const TJobRecord& j = d.jobs[i];
    EXPECT_EQ(j.name, names[i]);
    EXPECT_EQ(j.folder, dir + "out");
    EXPECT_EQ(j.resolution + j.quality + j.aspect, "ZM4070高4:3");
    EXPECT_EQ(j.status, kJobPending);
    EXPECT_EQ(j.progress, "");
    EXPECT_FALSE(j.range);
  }
  EXPECT_EQ(d.jobs[1].source, dir + "第二集.vob");
}

TEST_F(DroppedFiles, WithoutACompleteMemoryTheDialogOpensOnTheFirstFile) {
  const TDropChoices partial[] = {
      {"", "", "", ""},
      {"ZM4070", "高", "4:3", "  "},  // no target folder remembered
      {"ZM4070", "", "4:3", dir + "out"},
  };
  for (const TDropChoices& c : partial) {
    const TDropDecision d = DecideDrop({dir + "b.rmvb", dir + "a.mp4"}, c, jobs);
    EXPECT_EQ(d.action, TDropAction::OpenDialog);
    EXPECT_EQ(d.source, dir + "b.rmvb");
    EXPECT_TRUE(d.jobs.empty());
  }
}

TEST_F(DroppedFiles, FilesThatCannotBeAddedAreListedOnceAndNothingIsAdded) {
  // Existing job with the target a.avi in the out folder (written with a trailing "/").
  TJobRecord existing;
  existing.source = "/elsewhere/a.mpg";
  existing.folder = dir + "out/";
  existing.name = "a.avi";
  existing.status = std::string(kJobPending);
  existing.Append(jobs);

  const struct {
    const char* what;
    std::vector<std::string> files;
    TDropChoices choices;
    std::vector<std::string> listed;  // files the box names
  } cases[] = {
      {"a missing file", {dir + "b.rmvb", dir + "gone.mp4"}, All(), {"gone.mp4 (无法读取)"}},
      {"unreadable before the dialog", {dir + "gone.mp4", dir + "b.rmvb"}, {}, {"gone.mp4 (无法读取)"}},
      {"a folder", {dir + "folder.mp4"}, All(), {"folder.mp4 (无法读取)"}},
      {"a target another job has", {dir + "a.mp4"}, All(), {"a.mp4 (目标文件 " + dir + "out/a.avi 已有任务)"}},
      {"two drops, one target", {dir + "b.rmvb", dir + "c.avi", dir + "a.mkv"}, {"r", "q", "a", dir},
       {}},  // c.avi into its own folder; the others are fine
      {"the target is the source", {dir + "c.avi"}, {"r", "q", "a", dir + "out/.."},
       {"c.avi (源文件和目标文件发生冲突)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = jobs.RecordTotal();
    const TDropDecision d = DecideDrop(c.files, c.choices, jobs);
    EXPECT_EQ(jobs.RecordTotal(), before);
    if (c.listed.empty()) {
      EXPECT_EQ(d.action, TDropAction::ShowError);
      EXPECT_NE(d.error.find("c.avi (源文件和目标文件发生冲突)"), std::string::npos) << d.error;
      EXPECT_EQ(d.error.find("b.rmvb"), std::string::npos);
      continue;
    }
    ASSERT_EQ(d.action, TDropAction::ShowError);
    EXPECT_TRUE(d.jobs.empty());
    EXPECT_EQ(d.error.rfind("以下文件无法加入任务列表:", 0), 0u);
    for (const std::string& line : c.listed) EXPECT_NE(d.error.find(dir + line), std::string::npos) << d.error;
    EXPECT_EQ(std::count(d.error.begin(), d.error.end(), '\n'), static_cast<long>(c.listed.size()));
  }

  // a.mp4 and a.mkv both give a.avi: the second one is refused.
  const TDropDecision twins = DecideDrop({dir + "a.mp4", dir + "a.mkv"}, {"r", "q", "a", dir}, jobs);
  ASSERT_EQ(twins.action, TDropAction::ShowError);
  EXPECT_NE(twins.error.find(dir + "a.mkv (目标文件 " + dir + "a.avi 已有任务)"), std::string::npos) << twins.error;
  EXPECT_EQ(twins.error.find(dir + "a.mp4 ("), std::string::npos);
}

TEST_F(DroppedFiles, ALongListIsCutAndLongPathsAreRefused) {
  std::vector<std::string> missing;
  for (int i = 0; i < 25; ++i) missing.push_back(dir + "none" + std::to_string(i) + ".mp4");
  TDropDecision d = DecideDrop(missing, All(), jobs);
  ASSERT_EQ(d.action, TDropAction::ShowError);
  EXPECT_EQ(std::count(d.error.begin(), d.error.end(), '\n'), static_cast<long>(kDropErrorLines + 1));
  EXPECT_NE(d.error.find("还有 5 个文件"), std::string::npos);

  std::string deep = dir;  // longer than the source field holds
  while (static_cast<int>(deep.size()) <= jobs.FieldNamed(jobfield::kSourceFile)->Size()) deep += std::string(100, 'd') + "/";
  deep.pop_back();
  ASSERT_TRUE(CreateFolders(deep));
  ASSERT_TRUE(WriteFileAtomically(deep + "/v.mp4", "x"));
  d = DecideDrop({deep + "/v.mp4"}, All(), jobs);
  ASSERT_EQ(d.action, TDropAction::ShowError);
  EXPECT_NE(d.error.find("路径太长"), std::string::npos);
}

}  // namespace tsm
