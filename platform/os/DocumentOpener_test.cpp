// Opening a document: the opener named by TM_DOCUMENT_OPENER gets the path
// as its one argument, unchanged by any shell, runs in a session of its
// own, and the caller does not wait for it to end.

#include "platform/os/DocumentOpener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace tsm {
namespace {

class DocumentOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tm_opener.XXXXXX";
    m_dir = ::mkdtemp(pattern);
    m_opener = m_dir + "/opener";
    // Records its arguments and session, then lingers: the caller must not wait.
    std::ofstream(m_opener) << "#!/bin/sh\n"
                               "printf '%s\\n' \"$#\" \"$1\" > \"" << m_dir << "/args.tmp\"\n"
                               "cut -d' ' -f6 /proc/$$/stat >> \"" << m_dir << "/args.tmp\"\n"
                               "mv \"" << m_dir << "/args.tmp\" \"" << m_dir << "/args\"\n"
                               "sleep 3\n";
    ::chmod(m_opener.c_str(), 0755);
    ::setenv(kDocumentOpenerVariable, m_opener.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv(kDocumentOpenerVariable);
    std::system(("rm -rf '" + m_dir + "'").c_str());
  }
  std::string Recorded() {
    for (int i = 0; i < 300; ++i) {
      std::ifstream in(m_dir + "/args");
      if (in) {
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "(nothing)";
  }

  std::string m_dir, m_opener;
};

TEST_F(DocumentOpenerTest, TheOpenerGetsThePathAloneAndIsNotWaitedFor) {
  const std::string document = m_dir + "/帮助 $HOME `id` \"; rm -rf x'.html";
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(OpenDocument(document));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  std::istringstream lines(Recorded());
  std::string count, argument, session;
  std::getline(lines, count);
  std::getline(lines, argument);
  std::getline(lines, session);
  EXPECT_EQ(count, "1");
  EXPECT_EQ(argument, document);
  EXPECT_NE(session, std::to_string(::getsid(0)));  // detached from ours
}

TEST_F(DocumentOpenerTest, AMissingOpenerIsReported) {
  ::setenv(kDocumentOpenerVariable, (m_dir + "/no-such-opener").c_str(), 1);
  EXPECT_FALSE(OpenDocument(m_dir + "/help.html"));
  ::setenv(kDocumentOpenerVariable, "no-such-opener-anywhere", 1);
  EXPECT_FALSE(OpenDocument(m_dir + "/help.html"));
}

}  // namespace
}  // namespace tsm
