// Menu item trees, short cuts and their texts, actions with their clients,
// and the form dispatching short cuts to its action lists before the focused
// control sees the key.

#include <gtest/gtest.h>

#include "framework/controls/Action.h"
#include "framework/controls/ActionList.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/MenuItem.h"
#include "framework/controls/PopupMenu.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

TEST(ShortCutTest, TextsOfTheClassicShortCuts) {
  EXPECT_EQ(ShortCutToText(ShortCut('A', {TShiftKey::Ctrl})), "Ctrl+A");
  EXPECT_EQ(ShortCutToText(ShortCut('W', {TShiftKey::Ctrl, TShiftKey::Alt})), "Ctrl+Alt+W");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, {TShiftKey::Alt})), "Alt+F4");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {TShiftKey::Shift})), "Shift+Del");
  EXPECT_EQ(ShortCutToText(scNone), "");
  for (const char* text : {"Ctrl+A", "Ctrl+Alt+W", "Alt+F4", "Shift+Ctrl+Alt+Enter", "F12", "Ctrl+0"})
    EXPECT_EQ(ShortCutToText(TextToShortCut(text)), text);
  EXPECT_EQ(TextToShortCut("ctrl+alt+w"), ShortCut('W', {TShiftKey::Ctrl, TShiftKey::Alt}));
  EXPECT_EQ(TextToShortCut("Hyper+A"), scNone);
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(TextToShortCut("Ctrl+Alt+W"), key, shift);
  EXPECT_EQ(key, 'W');
  EXPECT_EQ(shift, (TShiftState{TShiftKey::Ctrl, TShiftKey::Alt}));
}

class MenuTest : public FrameworkTest {};

TEST_F(MenuTest, ItemTreesOwnTheirSubItems) {
  auto* menu = new TPopupMenu(nullptr);
  auto* file = new TMenuItem(menu);
  file->SetCaption("&File");
  menu->Items()->Add(file);
  auto* open = new TMenuItem(menu);
  open->SetCaption("&Open");
  file->Add(open);
  auto* line = new TMenuItem(menu);
  line->SetCaption("-");
  file->Insert(0, line);
  EXPECT_EQ(file->Count(), 2u);
  EXPECT_EQ(open->MenuIndex(), 1);
  EXPECT_TRUE(line->IsLine());
  EXPECT_EQ(menu->Items()->Find("file"), file);
  EXPECT_EQ(open->GetParentMenu(), menu);
  EXPECT_THROW(open->Add(file), EInvalidOperation);   // no cycles
  const size_t components = menu->ComponentCount();
  file->Free();   // frees its sub-items with it
  EXPECT_EQ(menu->ComponentCount(), components - 3);
  EXPECT_EQ(menu->Items()->Count(), 0u);
  menu->Free();
}

TEST_F(MenuTest, RadioItemsOfAGroupExcludeEachOther) {
  auto* root = new TMenuItem(nullptr);
  TMenuItem* items[3];
  for (auto& i : items) {
    i = new TMenuItem(root);
    i->SetRadioItem(true);
    i->SetGroupIndex(1);
    root->Add(i);
  }
  auto* other = new TMenuItem(root);
  other->SetRadioItem(true);
  other->SetGroupIndex(2);
  other->SetChecked(true);
  root->Add(other);
  items[0]->SetChecked(true);
  items[2]->SetChecked(true);
  EXPECT_FALSE(items[0]->Checked());
  EXPECT_TRUE(items[2]->Checked());
  EXPECT_TRUE(other->Checked());   // another group
  root->Free();
}

TEST_F(MenuTest, ShortCutsClickNestedEnabledItemsOnly) {
  auto* menu = new TPopupMenu(nullptr);
  auto* sub = new TMenuItem(menu);
  menu->Items()->Add(sub);
  auto* item = new TMenuItem(menu);
  item->SetShortCut(TextToShortCut("Ctrl+O"));
  sub->Add(item);
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_TRUE(menu->IsShortCut(TextToShortCut("Ctrl+O")));
  EXPECT_EQ(clicks, 1);
  item->SetEnabled(false);
  EXPECT_FALSE(menu->IsShortCut(TextToShortCut("Ctrl+O")));
  item->SetEnabled(true);
  sub->SetVisible(false);
  EXPECT_FALSE(menu->IsShortCut(TextToShortCut("Ctrl+O")));
  EXPECT_EQ(clicks, 1);
  menu->Free();
}

TEST_F(MenuTest, ActionsUpdateTheirClientsAndRunWhenClicked) {
  auto* form = Application().CreateForm<TForm>();
  auto* list = new TActionList(form);
  auto* action = new TAction(form);
  action->SetActionList(list);
  action->SetCaption("Go");
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetAction(action);
  auto* item = new TMenuItem(form);
  item->SetAction(action);
  EXPECT_EQ(button->Caption(), "Go");
  EXPECT_EQ(item->Caption(), "Go");
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  EXPECT_FALSE(item->Enabled());
  action->SetEnabled(true);
  button->Click();
  item->Click();
  EXPECT_EQ(runs, 2);
  // A client with its own OnClick runs that instead.
  int own = 0;
  button->OnClick = [&](TObject*) { ++own; };
  button->Click();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(runs, 2);
  // Freeing the action clears the links.
  action->Free();
  EXPECT_EQ(button->Action(), nullptr);
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(list->ActionCount(), 0u);
}

class FormShortCutTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = Application().CreateForm<TForm>();
    form->SetBounds(100, 100, 300, 200);
    list = new TActionList(form);
    selectAll = new TAction(form);
    selectAll->SetActionList(list);
    selectAll->SetShortCut(TextToShortCut("Ctrl+A"));
    selectAll->OnExecute = [this](TObject*) { log.push_back("Action1"); };
    archive = new TAction(form);
    archive->SetActionList(list);
    archive->SetShortCut(TextToShortCut("Ctrl+Alt+W"));
    archive->OnExecute = [this](TObject*) { log.push_back("Action2"); };
    edit = new TEdit(form);
    edit->SetParent(form);
    form->Show();
    Pump();
  }
  TForm* form = nullptr;
  TActionList* list = nullptr;
  TAction* selectAll = nullptr;
  TAction* archive = nullptr;
  TEdit* edit = nullptr;
  std::vector<std::string> log;
};

TEST_F(FormShortCutTest, ActionsFireOnTheirShortCutsBeforeTheFocusedControl) {
  edit->SetText("abc");
  edit->SetSelStart(3);
  ASSERT_TRUE(edit->Focused());
  Key('A', {TShiftKey::Ctrl});
  Key('W', {TShiftKey::Ctrl, TShiftKey::Alt});
  EXPECT_EQ(log, (std::vector<std::string>{"Action1", "Action2"}));
  // The edit never saw Ctrl+A (it would have selected everything).
  EXPECT_EQ(edit->SelLength(), 0);
  // Plain W is just typed.
  Type("w");
  EXPECT_EQ(edit->Text(), "abcw");
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(FormShortCutTest, ADisabledActionLeavesTheKeyToTheControl) {
  edit->SetText("abc");
  selectAll->OnUpdate = [this](TObject*) { selectAll->SetEnabled(false); };
  Key('A', {TShiftKey::Ctrl});
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(edit->SelText(), "abc");
}

TEST_F(FormShortCutTest, OnShortCutComesFirstAndMayConsumeTheKey) {
  form->OnShortCut = [this](uint16_t key, TShiftState shift, bool& handled) {
    if (key == 'W' && shift.Contains(TShiftKey::Alt)) {
      log.push_back("form");
      handled = true;
    }
  };
  Key('W', {TShiftKey::Ctrl, TShiftKey::Alt});
  EXPECT_EQ(log, (std::vector<std::string>{"form"}));
}

TEST_F(FormShortCutTest, IdleUpdatesTheActions) {
  int updates = 0;
  archive->OnUpdate = [&](TObject*) { ++updates; };
  SetTimer(50, [](uint32_t id) { KillTimer(id); });
  Pump();
  const int before = updates;
  // Nothing is waiting: the loop updates the actions, then waits for the timer.
  Application().HandleMessage();
  EXPECT_GT(updates, before);
}

}  // namespace
}  // namespace tsm
