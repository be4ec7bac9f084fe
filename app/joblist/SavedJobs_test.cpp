#include "app/joblist/SavedJobs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "app/encoder/JobCommand.h"
#include "app/jobs/JobSamples.h"
#include "app/jobs/JobTable.h"
#include "platform/os/FileSystem.h"

namespace tsm {

namespace {

class SavedJobs : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tm_savedjobs.XXXXXX";
    m_root = ::mkdtemp(pattern);
    const char* old = std::getenv("XDG_STATE_HOME");
    m_hadState = old != nullptr;
    if (old) m_oldState = old;
    ::setenv("XDG_STATE_HOME", m_root.c_str(), 1);
    DefineJobFields(fresh);
    fresh.Open();
  }
  void TearDown() override {
    if (m_hadState) ::setenv("XDG_STATE_HOME", m_oldState.c_str(), 1); else ::unsetenv("XDG_STATE_HOME");
    ::chmod(m_root.c_str(), 0700);
    std::system(("rm -rf '" + m_root + "'").c_str());
  }

  std::vector<TJobRecord> Jobs(const TmtMemTable& t) {
    std::vector<TJobRecord> out;
    for (int row = 0; row < t.RowCount(); ++row) out.push_back(TJobRecord::FromRow(t, row));
    return out;
  }

  static std::string Describe(const TJobRecord& j) {
    return j.source + "|" + j.folder + "|" + j.name + "|" + j.resolution + "|" + j.quality + "|" + j.aspect + "|" +
           (j.range ? "R" : "-") + j.startMinutes + "/" + j.durationMinutes + "|" + j.progress + "|" + j.status;
  }

  std::string m_root, m_oldState;
  bool m_hadState = false;
  TmtMemTable fresh{"fresh"};
};

}  // namespace

TEST_F(SavedJobs, ThePendingJobsSurviveARestartWithEveryFieldAndNothingElse) {
  EXPECT_EQ(SavedJobsPath(), m_root + "/tesmaro/jobs.tsv");
  auto table = MakeJobTable(15);  // finished, started, range and plain jobs
  ASSERT_TRUE(SaveSavedJobs(SavedJobsPath(), *table));  // the folder is made

  EXPECT_EQ(LoadSavedJobs(SavedJobsPath(), fresh), "");
  std::vector<std::string> expected, loaded;
  for (const TJobRecord& j : Jobs(*table))
    if (j.status != kJobFinished) expected.push_back(Describe(j));
  for (const TJobRecord& j : Jobs(fresh)) loaded.push_back(Describe(j));
  EXPECT_EQ(loaded, expected);
  EXPECT_EQ(loaded.size(), 12u);  // jobs 1, 8 and 15 were finished
  EXPECT_EQ(fresh.RecordNumber(), 1);
  EXPECT_TRUE(PathExists(SavedJobsPath()));  // loading keeps the file for the next save
}

TEST_F(SavedJobs, AJobBeingConvertedIsSavedAsItStandsWithoutDisturbingTheTable) {
  auto table = MakeJobTable(4);
  table->SetRecordNumber(3);
  WriteJobProgress(*table, 42);  // the table stays in Edit, as while a job runs
  const std::string text = PendingJobsText(*table);
  EXPECT_EQ(table->State(), TableState::Edit);
  EXPECT_EQ(table->RecordNumber(), 3);
  ASSERT_EQ(ReadSavedJobs(text, fresh), "");
  ASSERT_EQ(fresh.RowCount(), 3);  // job 1 was finished
  EXPECT_EQ(fresh.RowText(1, *fresh.FieldNamed(jobfield::kProgress)), "42%");
}

TEST_F(SavedJobs, DamagedOrForeignFilesAreSetAsideReportedOnceAndLoadNothing) {
  auto table = MakeJobTable(3);
  const std::string good = PendingJobsText(*table);
  const size_t secondLine = good.find("\r\n") + 2;
  std::string longName = good;
  longName.insert(good.find("片段2.avi"), std::string(200, 'x'));
  std::string badStatus = good;
  badStatus.replace(badStatus.find("未完成"), std::string("未完成").size(), "进行中");
  std::string finishedWithoutFull = good;
  finishedWithoutFull.replace(finishedWithoutFull.find("未完成"), std::string("未完成").size(), "已完成");
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"cut inside a line", good.substr(0, good.size() - 12)},
      {"a value too many", good.substr(0, good.size() - 2) + "\textra\r\n"},
      {"a value longer than its field", longName},
      {"an unknown status", badStatus},
      {"finished without 100%", finishedWithoutFull},
      {"a spreadsheet", "name,size\r\na.mp4,12\r\n"},
      {"another header", "sourse_file\tmbw\r\n/a.mp4\ta.avi\r\n"},
      {"not text", std::string("\x89PNG\r\n\x1a\n\xff\xfe\x00", 11)},
      {"empty", ""},
      {"only the first line, cut", good.substr(0, secondLine - 5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AppendSampleJob(fresh, 0);
    const int before = fresh.RecordTotal();
    const std::string path = m_root + "/jobs.tsv";
    ASSERT_TRUE(WriteFileAtomically(path, c.text));
    const std::string message = LoadSavedJobs(path, fresh);
    EXPECT_NE(message.find("已损坏"), std::string::npos) << message;
    EXPECT_NE(message.find(path + kSetAsideSuffix), std::string::npos) << message;
    EXPECT_EQ(fresh.RecordTotal(), before);  // untouched
    EXPECT_FALSE(PathExists(path));
    EXPECT_EQ(LoadSavedJobs(path, fresh), "");  // said once: the next start finds nothing
    std::string aside;
    ASSERT_TRUE(ReadFileBytes(path + kSetAsideSuffix, aside));
    EXPECT_EQ(aside, c.text);  // kept whole for whoever wants to look
    ASSERT_TRUE(DeleteFile(path + kSetAsideSuffix));
  }
  // A sound file with only the first line loads an empty list.
  ASSERT_TRUE(WriteFileAtomically(m_root + "/jobs.tsv", good.substr(0, secondLine)));
  EXPECT_EQ(LoadSavedJobs(m_root + "/jobs.tsv", fresh), "");
  EXPECT_EQ(fresh.RecordTotal(), 0);
}

TEST_F(SavedJobs, AFailedSaveKeepsTheOldFileAndAMissingFileLoadsNothing) {
  const std::string path = m_root + "/jobs.tsv";
  EXPECT_EQ(LoadSavedJobs(path, fresh), "");
  auto table = MakeJobTable(2);
  ASSERT_TRUE(SaveSavedJobs(path, *table));
  std::string before;
  ASSERT_TRUE(ReadFileBytes(path, before));
  ::chmod(m_root.c_str(), 0500);  // no temporary file can be made beside it
  if (::access(m_root.c_str(), W_OK) != 0) {  // (root writes anyway)
    EXPECT_FALSE(SaveSavedJobs(path, *MakeJobTable(5)));
    std::string after;
    ASSERT_TRUE(ReadFileBytes(path, after));
    EXPECT_EQ(after, before);
  }
  ::chmod(m_root.c_str(), 0700);
  EXPECT_FALSE(SaveSavedJobs(path + "/under-a-file/jobs.tsv", *table));
}

}  // namespace tsm
