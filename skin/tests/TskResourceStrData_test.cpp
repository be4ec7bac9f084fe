#include "skin/TskResourceStrData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tsm {
namespace {

TEST(TskResourceStrData, DefaultTableHasItsKeysInOrder) {
  const auto& table = TskResourceStrData::DefaultResStrings();
  ASSERT_EQ(table.size(), 115u);
  EXPECT_EQ(table.front(), "MI_MINCAPTION=Mi&nimize");
  EXPECT_EQ(table.back().substr(0, 19), "FIND_REPLACE_CLOSE=");
  for (const char* line :
       {"MI_MINTOTRAYCAPTION=Minimize to &Tray", "MI_ROLLUPCAPTION=Ro&llUp", "TRAYBUTTON_HINT=Minimize to Tray",
        "MENUBUTTON_HINT=System menu", "MSG_BTN_OK=OK", "MSG_BTN_NOTOALL=N&oToAll",
        "MSG_BTN_BACK_HINT=Go To Last Folder Visited", "FLV_LOOKIN=Look in: ", "DB_DELETE_QUESTION=Delete record?",
        "DB_MULTIPLEDELETE_QUESTION=Delete all selected records?",
        "NODISKINDRIVE=There is no disk in Drive or Drive is not ready", "PRNDLG_MARGINS=Margins (millimeters)"})
    EXPECT_NE(std::find(table.begin(), table.end(), line), table.end()) << line;
  // Keys are unique.
  std::set<std::string> keys;
  for (const auto& l : table) keys.insert(l.substr(0, l.find('=')));
  EXPECT_EQ(keys.size(), 115u);
}

TEST(TskResourceStrData, GetResStrIgnoresCaseAndReturnsEmptyForUnknownKeys) {
  TskResourceStrData data(nullptr);
  EXPECT_EQ(data.CharSet(), 1);
  EXPECT_EQ(data.GetResStr("mi_mincaption"), "Mi&nimize");
  EXPECT_EQ(data.GetResStr("FLV_LOOKIN"), "Look in: ");
  data.SetResStrings({"A=x=y", "noequals", "a=second", "MI_MINCAPTION="});
  EXPECT_EQ(data.GetResStr("a"), "x=y");
  EXPECT_EQ(data.GetResStr("noequals"), "");
  EXPECT_EQ(data.GetResStr("MI_MINCAPTION"), "");
  // A key not in the list gives "" even though a built-in text exists.
  EXPECT_EQ(data.GetResStr("MI_MAXCAPTION"), "");
}

}  // namespace
}  // namespace tsm
