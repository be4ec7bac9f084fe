#include "skin/TskIniFile.h"

#include <gtest/gtest.h>

namespace tsm {
namespace {

TEST(TskIniFile, LineEndsOfEveryKindAndNulEndsTheText) {
  const std::string text = std::string("[a]\r\nk1=1\rk2=2\nk3=3\r\n\r\nk4=4") + '\0' + "\r\nk5=5";
  const TskIniFile ini(text);
  EXPECT_EQ(ini.ReadString("a", "k1", "-"), "1");
  EXPECT_EQ(ini.ReadString("a", "k2", "-"), "2");
  EXPECT_EQ(ini.ReadString("a", "k3", "-"), "3");
  EXPECT_EQ(ini.ReadString("a", "k4", "-"), "4");
  EXPECT_EQ(ini.ReadString("a", "k5", "-"), "-");
}

TEST(TskIniFile, TrimmingCommentsAndLinesBeforeTheFirstSection) {
  const TskIniFile ini(
      "before=1\n"
      "  [ Sec ]  \n"
      "\t key \t=\t value with  inner  blanks \t\n"
      ";hidden=1\n"
      "  ;alsohidden=1\n"
      "novalue\n"
      "eq=a=b\n");
  EXPECT_FALSE(ini.ValueExists("Sec", "before"));
  EXPECT_EQ(ini.ReadString("sec", "KEY", ""), "value with  inner  blanks");
  EXPECT_FALSE(ini.ValueExists("sec", ";hidden"));
  EXPECT_FALSE(ini.ValueExists("sec", ";alsohidden"));
  EXPECT_FALSE(ini.ValueExists("sec", "novalue"));
  EXPECT_EQ(ini.ReadString("sec", "eq", ""), "a=b");
}

TEST(TskIniFile, SectionsAndKeysIgnoreCaseAndTheLastOccurrenceWins) {
  const TskIniFile ini(
      "[button]\nskinrect=1,1,1,1\nonlyfirst=1\n"
      "[BUTTON]\nSkinRect=2,2,2,2\nskinrect=3,3,3,3\n");
  EXPECT_EQ(ini.ReadString("Button", "SKINRECT", ""), "3,3,3,3");
  // The earlier occurrence of the section is not merged in.
  EXPECT_FALSE(ini.ValueExists("button", "onlyfirst"));
  EXPECT_EQ(ini.SectionNames().size(), 2u);
}

TEST(TskIniFile, AbsentKeysReadTheirDefaultPresentEmptyKeysReadEmpty) {
  const TskIniFile ini("[s]\nempty=\nnum=\n");
  EXPECT_EQ(ini.ReadString("s", "empty", "def"), "");
  EXPECT_EQ(ini.ReadString("s", "missing", "def"), "def");
  EXPECT_EQ(ini.ReadString("nosection", "empty", "def"), "def");
  // An empty integer is not a valid integer: the default.
  EXPECT_EQ(ini.ReadInteger("s", "num", 7), 7);
}

TEST(TskIniFile, IntegerNotations) {
  const TskIniFile ini(
      "[s]\ndec=-42\nplus=+5\nhex=0x1F\nHEX=0X1f\ndollar=$ff\nsys=$FF00000F\nbad=12a\nbig=99999999999\n"
      "lead=007\n");
  EXPECT_EQ(ini.ReadInteger("s", "dec", 0), -42);
  EXPECT_EQ(ini.ReadInteger("s", "plus", 0), 5);
  EXPECT_EQ(ini.ReadInteger("s", "HEX", 0), 31);  // the later key "HEX" equals "hex"
  EXPECT_EQ(ini.ReadInteger("s", "dollar", 0), 255);
  EXPECT_EQ(ini.ReadInteger("s", "sys", 0), static_cast<int32_t>(0xFF00000Fu));
  EXPECT_EQ(ini.ReadInteger("s", "bad", -1), -1);
  EXPECT_EQ(ini.ReadInteger("s", "big", -1), -1);
  EXPECT_EQ(ini.ReadInteger("s", "lead", 0), 7);
}

TEST(TskIniFile, WritingEditsInPlaceAndRendersCrLfText) {
  TskIniFile ini("[a]\nx=1\n[b]\ny=2\n");
  ini.WriteString("A", "X", "10");
  ini.WriteString("a", "z", "3");
  ini.WriteInteger("c", "n", -5);
  ini.EraseSection("B");
  EXPECT_FALSE(ini.SectionExists("b"));
  EXPECT_EQ(ini.Text(), "[a]\r\nx=10\r\nz=3\r\n\r\n[c]\r\nn=-5\r\n");
  const TskIniFile again(ini.Text());
  EXPECT_EQ(again.ReadInteger("c", "n", 0), -5);
  EXPECT_EQ(again.SectionKeys("a"), (std::vector<std::string>{"x", "z"}));
}

}  // namespace
}  // namespace tsm
