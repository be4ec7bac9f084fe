// The windows' button rules with the busy flag, the source and resolution
// change rule, the source picker's filter and the help document's choice.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "app/frontend/ButtonRules.h"
#include "app/frontend/HelpDocument.h"
#include "app/frontend/SourceFilter.h"

namespace tsm {
namespace {

TEST(MainButtons, BusyDecidesAddStartStopAndEditWhateverTheRowShows) {
  // Empty: add (and close) alone.
  EXPECT_EQ(MainButtonStates(0, "", false), (TMainButtons{true, false, false, false, false}));
  // Idle with a pending job.
  EXPECT_EQ(MainButtonStates(1, "", false), (TMainButtons{true, true, true, false, true}));
  // A finished job cannot be removed.
  EXPECT_EQ(MainButtonStates(2, " 100% ", false), (TMainButtons{true, false, true, false, true}));
  // Busy: the same on every row, pending, started or finished.
  for (const char* progress : {"", "45%", "100%"}) {
    const TMainButtons b = MainButtonStates(3, progress, true);
    EXPECT_FALSE(b.add) << progress;
    EXPECT_FALSE(b.start) << progress;
    EXPECT_FALSE(b.edit) << progress;
    EXPECT_TRUE(b.stop) << progress;
  }
  EXPECT_TRUE(MainButtonStates(3, "45%", true).remove);
}

TEST(SourceChange, BothTextsDeriveTheNameAndEnableSave) {
  TSourceChange c = SourceOrResolutionChanged("VCD 352x288", " /v/电影.part1.rmvb ", false, false);
  EXPECT_TRUE(c.save);
  EXPECT_TRUE(c.start);
  EXPECT_TRUE(c.deriveName);
  EXPECT_EQ(c.targetName, "电影.part1.avi");
  EXPECT_EQ(SourceOrResolutionChanged("x", "/v/noext", false, false).targetName, ".avi");
  // While a conversion can be stopped, the start button stays as it is.
  EXPECT_FALSE(SourceOrResolutionChanged("x", "/v/a.mpg", true, false).start);
  EXPECT_TRUE(SourceOrResolutionChanged("x", "/v/a.mpg", true, true).start);
  // One of them empty: both buttons off, the name stays.
  for (const auto& [resolution, source] : {std::pair{"", "/v/a.mpg"}, std::pair{"x", "  "}}) {
    c = SourceOrResolutionChanged(resolution, source, false, true);
    EXPECT_FALSE(c.save);
    EXPECT_FALSE(c.start);
    EXPECT_FALSE(c.deriveName);
  }
}

TEST(SourceFilterText, TheFirstEntryCoversEveryPatternOfTheList) {
  const std::string filter = SourceFileFilter();
  std::vector<std::string> parts;
  std::stringstream in(filter);
  for (std::string p; std::getline(in, p, '|');) parts.push_back(p);
  ASSERT_EQ(parts.size() % 2, 0u);
  auto patterns = [](const std::string& list) {
    std::set<std::string> s;
    std::stringstream items(list);
    for (std::string p; std::getline(items, p, ';');) s.insert(p);
    return s;
  };
  EXPECT_EQ(parts[0].rfind("所有文件(", 0), 0u);
  const std::set<std::string> all = patterns(parts[1]);
  std::set<std::string> offered;
  for (size_t i = 3; i < parts.size(); i += 2)
    for (const std::string& p : patterns(parts[i])) offered.insert(p);
  EXPECT_EQ(all, offered);
  EXPECT_TRUE(all.count("*.mkv"));
  for (const char* p : {"*.webm", "*.mov", "*.flv", "*.m4v", "*.ts", "*.3gp"}) EXPECT_TRUE(all.count(p)) << p;
  // The long-standing entries first, in their order.
  EXPECT_EQ(filter.substr(filter.find("|AVI文件")),
            "|AVI文件 (*.avi)|*.avi|Real文件 (*.rm;*.rmvb)|*.rm;*.rmvb|Mpeg文件 (*.mpg;*.mpeg;*.mp4)|"
            "*.mpg;*.mpeg;*.mp4|Asf文件 (*.asf)|*.asf|WMV文件 (*.wmv)|*.wmv|Mkv文件 (*.mkv)|*.mkv|VCD文件 "
            "(*.dat)|*.dat|DVD文件 (*.vob)|*.vob" +
                filter.substr(filter.find("|WebM")));
}

TEST(HelpDocumentChoice, HtmlFirstThenTheOldDocumentElseNone) {
  char pattern[] = "/tmp/tm_help.XXXXXX";
  const std::string dir = std::string(::mkdtemp(pattern)) + "/";
  EXPECT_EQ(HelpDocumentPath(dir), "");
  std::ofstream(dir + "help.doc") << "doc";
  EXPECT_EQ(HelpDocumentPath(dir), dir + "help.doc");
  std::ofstream(dir + "help.html") << "<html>";
  EXPECT_EQ(HelpDocumentPath(dir), dir + "help.html");
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace tsm
