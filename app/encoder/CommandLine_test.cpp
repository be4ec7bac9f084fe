#include "app/encoder/CommandLine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/os/FileSystem.h"

namespace tsm {

namespace {

TCommandInputs Job(const std::string& source, const std::string& folder, const std::string& name,
                   const std::string& options = "") {
  TCommandInputs in;
  in.sourcePath = source;
  in.targetFolder = folder;
  in.targetName = name;
  in.options = options;
  return in;
}

}  // namespace

TEST(CommandLine, PlainForm) {
  const TCommandInputs in = Job("/v/a.rmvb", "/out", "a.avi");
  EXPECT_FALSE(UsesRangeForm(in));
  EXPECT_EQ(ComposeCommandLine(in), "mencoder.exe -noodml \"/v/a.rmvb\" -of avi -o \"/out/a.avi\" ");
  EXPECT_EQ(ComposeCommandLine(Job("/v/a.rmvb", "/out", "a.avi", "-ovc lavc -oac mp3lame")),
            "mencoder.exe -noodml \"/v/a.rmvb\" -of avi -o \"/out/a.avi\" -ovc lavc -oac mp3lame");
}

TEST(CommandLine, BlanksAroundThePathsNeverReachTheCommand) {
  const TCommandInputs in = Job("  /v/my movie.rmvb ", " /out dir  ", "  my movie.avi ", " -x ");
  EXPECT_EQ(SourcePathOf(in), "/v/my movie.rmvb");
  EXPECT_EQ(TargetPathOf(in), "/out dir/my movie.avi");
  EXPECT_EQ(ComposeCommandLine(in),
            "mencoder.exe -noodml \"/v/my movie.rmvb\" -of avi -o \"/out dir/my movie.avi\"  -x ");
}

TEST(CommandLine, RangeFormUsesHoursMinutesSecondsAndADurationForEndpos) {
  TCommandInputs in = Job("/v/a.rmvb", "/out", "a.avi", "-ovc lavc");
  in.range = true;
  in.startHours = 1;
  in.startMinutes = 5;
  in.durationHours = 0;
  in.durationMinutes = 30;
  EXPECT_TRUE(UsesRangeForm(in));
  EXPECT_EQ(ComposeCommandLine(in),
            "mencoder.exe  -ss 1:5:0 -endpos 0:30:0 -noodml \"/v/a.rmvb\" -of avi -o \"/out/a.avi\" -ovc lavc");
  in.startHours = 10;
  in.startMinutes = 60;
  in.durationHours = 10;
  in.durationMinutes = 0;
  EXPECT_EQ(ComposeCommandLine(in).substr(0, 40), "mencoder.exe  -ss 10:60:0 -endpos 10:0:0");
}

TEST(CommandLine, ZeroDurationOrNoRangeGivesThePlainFormWhateverTheStart) {
  TCommandInputs in = Job("/v/a.rmvb", "/out", "a.avi");
  in.range = true;
  in.startHours = 2;
  in.startMinutes = 7;
  EXPECT_FALSE(UsesRangeForm(in));
  EXPECT_EQ(ComposeCommandLine(in), "mencoder.exe -noodml \"/v/a.rmvb\" -of avi -o \"/out/a.avi\" ");
  in.range = false;
  in.durationMinutes = 5;
  EXPECT_FALSE(UsesRangeForm(in));
}

TEST(CommandLine, QuotingEscapesExactlyTheFourShellCharacters) {
  EXPECT_EQ(QuoteForShell("/home/用户/a b'c;d&e|f(g)*?.avi"), "/home/用户/a b'c;d&e|f(g)*?.avi");
  EXPECT_EQ(QuoteForShell("a\"b$c`d\\e"), "a\\\"b\\$c\\`d\\\\e");
}

// The composed line run by the real /bin/sh: a stand-in "mencoder.exe" that
// prints each argument on a line of its own shows what the encoder would get.
TEST(CommandLine, HostileFileNamesReachTheEncoderUnchanged) {
  char pattern[] = "/tmp/tm_cmdline_test.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  const std::string stub = dir + "/mencoder.exe";
  ASSERT_TRUE(WriteFileAtomically(stub, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done\n"));
  ::chmod(stub.c_str(), 0755);

  const std::vector<std::string> names = {
      "a \"quoted\" name.avi", "$(touch " + dir + "/pwned).avi", "`touch " + dir + "/pwned2`.avi",
      "back\\slash\\n.avi",    "dollar $HOME ${PATH}.avi",       "semi;colon && amp | pipe > x.avi",
      "中文 名字.avi",          "trailing backslash\\"};
  for (const std::string& name : names) {
    TCommandInputs in = Job("/src/" + name, dir, name, "-ovc copy");
    in.range = true;
    in.durationMinutes = 1;
    const std::string script = dir + "/run.sh";
    ASSERT_TRUE(WriteFileAtomically(script, ComposeCommandLine(in) + "\n"));
    const std::string command = "PATH='" + dir + "':$PATH /bin/sh '" + script + "' 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buffer[512];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    ::pclose(p);
    EXPECT_EQ(out, "-ss\n0:0:0\n-endpos\n0:1:0\n-noodml\n/src/" + name + "\n-of\navi\n-o\n" + dir + "/" + name +
                       "\n-ovc\ncopy\n")
        << name;
  }
  EXPECT_FALSE(PathExists(dir + "/pwned"));
  EXPECT_FALSE(PathExists(dir + "/pwned2"));
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace tsm
