// Reading UI scripts: every command with its arguments, comments and texts
// with escapes, key names, and the first bad line reported with its number.

#include "framework/scripting/Script.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/window/VirtualKeys.h"

namespace tsm {
namespace {

TScript Parse(std::string_view text) {
  TScript script;
  TScriptError error;
  EXPECT_TRUE(ParseScript(text, "t", script, error)) << error.Line << ": " << error.Message;
  return script;
}

TScriptError ErrorOf(std::string_view text) {
  TScript script;
  TScriptError error;
  EXPECT_FALSE(ParseScript(text, "t", script, error)) << text;
  return error;
}

TEST(ScriptTest, ReadsEveryCommandWithItsArguments) {
  const TScript s = Parse(
      "\xEF\xBB\xBF# a comment line\n"
      "\n"
      "advance 1500\n"
      "sleep 0   # trailing comment\n"
      "wait-text \"已完成\" 30000\n"
      "move 10 -20\n"
      "press 1 2 right\n"
      "release 1 2\n"
      "click 5 6 middle\n"
      "dclick 7 8\n"
      "drag 1 2 300 400\n"
      "wheel 50 60 -3\n"
      "click-text \"确定\" double\n"
      "key Ctrl+Alt+W\n"
      "type \"say \\\"hi\\\" \\\\ # not a comment\"\n"
      "shot \"a b.png\"\n"
      "shot-window \"对话框\" win.png\n"
      "dump -\n"
      "expect-text 就绪\n"
      "expect-no-window \"确认\"\r\n"
      "expect-focus GreetingEdit\n"
      "quit");
  ASSERT_EQ(s.Commands.size(), 20u);
  const auto& c = s.Commands;
  EXPECT_EQ(c[0].Op, TScriptOp::Advance);
  EXPECT_EQ(c[0].Ms, 1500u);
  EXPECT_EQ(c[0].Line, 3);
  EXPECT_EQ(c[1].Source, "sleep 0");
  EXPECT_EQ(c[2].Text, "已完成");
  EXPECT_EQ(c[2].Ms, 30000u);
  EXPECT_EQ(c[3].Point, TPoint(10, -20));
  EXPECT_EQ(c[4].Button, TMouseButton::Right);
  EXPECT_EQ(c[5].Button, TMouseButton::Left);
  EXPECT_EQ(c[6].Button, TMouseButton::Middle);
  EXPECT_EQ(c[7].Op, TScriptOp::DoubleClick);
  EXPECT_EQ(c[8].Point, TPoint(1, 2));
  EXPECT_EQ(c[8].To, TPoint(300, 400));
  EXPECT_EQ(c[9].Notches, -3);
  EXPECT_EQ(c[10].ClickKind, TClickKind::Double);
  EXPECT_EQ(c[11].Key, 'W');
  EXPECT_TRUE(c[11].Shift.Contains(TShiftKey::Ctrl));
  EXPECT_TRUE(c[11].Shift.Contains(TShiftKey::Alt));
  EXPECT_FALSE(c[11].Shift.Contains(TShiftKey::Shift));
  EXPECT_EQ(c[12].Text, "say \"hi\" \\ # not a comment");
  EXPECT_EQ(c[13].File, "a b.png");
  EXPECT_EQ(c[14].Text, "对话框");
  EXPECT_EQ(c[14].File, "win.png");
  EXPECT_EQ(c[15].File, "-");
  EXPECT_EQ(c[16].Text, "就绪");   // a bare word is a text too
  EXPECT_EQ(c[17].Op, TScriptOp::ExpectNoWindow);
  EXPECT_EQ(c[18].Text, "GreetingEdit");
  EXPECT_EQ(c[19].Op, TScriptOp::Quit);
  EXPECT_EQ(c[19].Line, 22);
}

TEST(ScriptTest, DropTakesOneOrMorePaths) {
  const TScript s = Parse("drop 10 20 \"/视频/第 1 集.mp4\"\ndrop 1 2 a.mp4 \"b c.mkv\" /d.vob  # three\n");
  ASSERT_EQ(s.Commands.size(), 2u);
  EXPECT_EQ(s.Commands[0].Op, TScriptOp::Drop);
  EXPECT_EQ(s.Commands[0].Point, TPoint(10, 20));
  EXPECT_EQ(s.Commands[0].Files, std::vector<std::string>{"/视频/第 1 集.mp4"});
  EXPECT_EQ(s.Commands[1].Files, (std::vector<std::string>{"a.mp4", "b c.mkv", "/d.vob"}));
}

TEST(ScriptTest, KeyNames) {
  struct TCase {
    const char* Text;
    uint16_t Key;
    bool Ctrl, Alt, Shift;
  };
  const TCase cases[] = {
      {"Enter", VK_RETURN, false, false, false}, {"ctrl+a", 'A', true, false, false},
      {"Alt+F4", VK_F4, false, true, false},     {"Shift+Tab", VK_TAB, false, false, true},
      {"Down", VK_DOWN, false, false, false},    {"F1", VK_F1, false, false, false},
      {"Escape", VK_ESCAPE, false, false, false}, {"Esc", VK_ESCAPE, false, false, false},
      {"Delete", VK_DELETE, false, false, false}, {"PageDown", VK_NEXT, false, false, false},
      {"Backspace", VK_BACK, false, false, false}, {"Space", VK_SPACE, false, false, false},
      {"Alt", VK_MENU, false, false, false},     {"Ctrl+Shift+7", '7', true, false, true},
      {"Apps", VK_APPS, false, false, false},
  };
  for (const TCase& c : cases) {
    uint16_t key = 0;
    TShiftState shift;
    ASSERT_TRUE(ParseKeys(c.Text, key, shift)) << c.Text;
    EXPECT_EQ(key, c.Key) << c.Text;
    EXPECT_EQ(shift.Contains(TShiftKey::Ctrl), c.Ctrl) << c.Text;
    EXPECT_EQ(shift.Contains(TShiftKey::Alt), c.Alt) << c.Text;
    EXPECT_EQ(shift.Contains(TShiftKey::Shift), c.Shift) << c.Text;
  }
  for (const char* bad : {"", "Ctrl+", "Hyper+A", "F13", "Enterr", "+", "AB"}) {
    uint16_t key = 0;
    TShiftState shift;
    EXPECT_FALSE(ParseKeys(bad, key, shift)) << bad;
  }
}

TEST(ScriptTest, TheFirstBadLineIsReportedWithItsNumber) {
  struct TCase {
    const char* Text;
    int32_t Line;
    const char* Message;   // a part of it
  };
  const TCase cases[] = {
      {"quit\nfrobnicate 1\n", 2, "unknown command 'frobnicate'"},
      {"\n\nclick 1\n", 3, "click takes 2 or 3 arguments, not 1"},
      {"advance -5", 1, "not a time"},
      {"advance 86400001", 1, "not a time"},
      {"sleep 1.5", 1, "not a time"},
      {"move 1 x", 1, "'x' is not a whole number"},
      {"move 1 \"2\"", 1, "'2' is not a whole number"},
      {"click 1 2 left extra", 1, "not 4"},
      {"press 1 2 up", 1, "no mouse button"},
      {"click-text \"a\" triple", 1, "neither right nor double"},
      {"key Ctrl+Q+", 1, "names no key"},
      {"type \"open", 1, "unterminated text"},
      {"type \"a\\n\"", 1, "unknown escape"},
      {"type \"a\"b", 1, "a blank is missing"},
      {"wheel 1 2 0", 1, "1 to 100 notches"},
      {"shot \"\"", 1, "file name is empty"},
      {"quit now", 1, "quit takes 0 arguments, not 1"},
      {"\"quit\"", 1, "unknown command"},
      {"type \"\xC3\x28\"", 1, "not UTF-8"},
      {"click-text \"  \"", 1, "the text is empty"},
      {"expect-text \"\"", 1, "the text is empty"},
      {"drop 1 2", 1, "drop takes at least 3 arguments, not 2"},
      {"drop 1 2 a.mp4 \"\"", 1, "a path is empty"},
      {"drop 1 y a.mp4", 1, "'y' is not a whole number"},
  };
  for (const TCase& c : cases) {
    const TScriptError e = ErrorOf(c.Text);
    EXPECT_EQ(e.Line, c.Line) << c.Text;
    EXPECT_NE(e.Message.find(c.Message), std::string::npos) << c.Text << " -> " << e.Message;
  }
}

TEST(ScriptTest, AFileThatCannotBeReadIsAnErrorOfLineZero) {
  TScript script;
  TScriptError error;
  EXPECT_FALSE(LoadScript(::testing::TempDir() + "no-such-script.txt", script, error));
  EXPECT_EQ(error.Line, 0);
  const std::string dir = ::testing::TempDir();
  EXPECT_FALSE(LoadScript(dir, script, error));   // a folder
  EXPECT_EQ(error.Line, 0);
  const std::string path = dir + "script-test.txt";
  std::ofstream(path) << "advance 10\nquit\n";
  ASSERT_TRUE(LoadScript(path, script, error));
  EXPECT_EQ(script.Name, path);
  EXPECT_EQ(script.Commands.size(), 2u);
}

}  // namespace
}  // namespace tsm
