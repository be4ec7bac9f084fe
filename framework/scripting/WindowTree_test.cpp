// The window tree: the document's geometry agrees with the forms' own, the
// state a control, a WindowProc hook and a plain pop-up window add through
// CM_DESCRIBESTATE, and the searches of the script commands (topmost first,
// covered and hidden things skipped, accelerators and blanks ignored).

#include "framework/scripting/WindowTree.h"

#include <gtest/gtest.h>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/StateDescription.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

TRect RectOf(const TJsonValue& v) {
  return {int32_t(v["left"].AsInt()), int32_t(v["top"].AsInt()), int32_t(v["right"].AsInt()),
          int32_t(v["bottom"].AsInt())};
}

// A control with a state of its own and three clickable rows.
class TRowList : public TCustomControl {
 public:
  explicit TRowList(TComponent* owner) : TCustomControl(owner) {}
  bool Checked = true;
  int32_t ItemIndex = 1;
  static constexpr int32_t kRowHeight = 20;

 protected:
  void DescribeState(TStateDescription& state) override {
    TCustomControl::DescribeState(state);
    state.Set("checked", Checked);
    state.Set("items", TJsonValue::Strings({"甲", "乙", "丙"}));
    state.Set("itemIndex", ItemIndex);
    const char* rows[] = {"甲", "乙", "丙"};
    for (int32_t i = 0; i < 3; ++i) {
      TStateItem item{rows[i], TRect::FromSize(0, i * kRowHeight, Width(), kRowHeight).Offsetted(ClientOrigin()),
                      i != 2};
      item.Fields.Set("selected", i == ItemIndex);
      state.AddItem(std::move(item));
    }
  }
};

class WindowTreeTest : public FrameworkTest {
 protected:
  // The node of the top-level window with the caption.
  static const TJsonValue* WindowNode(const TJsonValue& doc, const std::string& caption) {
    const TJsonValue& windows = doc["windows"];
    for (size_t i = 0; i < windows.Size(); ++i)
      if (windows.At(i)["caption"].AsString() == caption) return &windows.At(i);
    return nullptr;
  }
  // Where the control is, from the forms' own geometry: the form's client
  // origin plus the positions along the parent chain.
  static TRect ExpectedBounds(const TControl* c) {
    TPoint p{c->Left(), c->Top()};
    const TControl* parent = c->Parent();
    for (; parent && parent->Parent(); parent = parent->Parent()) p = p + TPoint{parent->Left(), parent->Top()};
    p = p + parent->ClientOrigin();
    return TRect::FromSize(p.X, p.Y, c->Width(), c->Height());
  }
  // Checks every control node under node against the control it describes.
  static void CheckBounds(const TJsonValue& node, const TWinControl* control, int& checked) {
    const TJsonValue& list = node["controls"];
    ASSERT_EQ(list.Size(), control->ControlCount()) << control->Name();
    for (size_t i = 0; i < list.Size(); ++i) {
      const TControl* child = control->Controls(i);
      EXPECT_EQ(list.At(i)["name"].AsString(), child->Name());
      EXPECT_EQ(RectOf(list.At(i)["bounds"]), ExpectedBounds(child)) << child->Name();
      ++checked;
      if (auto* w = dynamic_cast<const TWinControl*>(child); w && w->ControlCount())
        CheckBounds(list.At(i), w, checked);
    }
  }
};

TEST_F(WindowTreeTest, EveryControlIsListedWithTheFormsGeometry) {
  TForm* form = NewForm("主窗口", TRect::FromSize(100, 80, 400, 300));
  form->SetName("MainWindow");
  auto* label = new TLabel(form);
  label->SetName("Prompt");
  label->SetParent(form);
  label->SetBounds(10, 12, 0, 0);
  label->SetCaption("名称(&N):");
  auto* edit = new TEdit(form);
  edit->SetName("NameEdit");
  edit->SetParent(form);
  edit->SetBounds(80, 8, 200, 22);
  edit->SetText("abc");
  auto* panel = new TPanel(form);
  panel->SetName("Box");
  panel->SetParent(form);
  panel->SetBounds(10, 60, 300, 120);
  auto* inner = new TLabel(form);
  inner->SetName("Inner");
  inner->SetParent(panel);
  inner->SetBounds(7, 9, 0, 0);
  inner->SetCaption("里面");
  TButton* ok = NewButton(panel, "确定", TRect::FromSize(40, 50, 75, 25));
  ok->SetName("Ok");
  ok->SetDefault(true);
  auto* hidden = new TLabel(form);
  hidden->SetName("Hidden");
  hidden->SetParent(form);
  hidden->SetCaption("看不见");
  hidden->Hide();
  form->SetActiveControl(edit);
  form->Show();
  Pump();

  const TWindowTree tree = TWindowTree::Capture();
  const TJsonValue& doc = tree.Document();
  EXPECT_EQ(RectOf(doc["screen"]), TRect(0, 0, 1024, 768));
  EXPECT_EQ(RectOf(doc["workArea"]), TRect(0, 0, 1024, 738));
  const TJsonValue* main = WindowNode(doc, "主窗口");
  ASSERT_NE(main, nullptr);
  // The window's own fields, in their order.
  const char* keys[] = {"caption", "className", "name",    "bounds",  "clientRect", "windowState",
                        "visible", "enabled",   "active",  "opacity", "hasRegion",  "modal", "controls"};
  ASSERT_EQ(main->Size(), std::size(keys));
  for (size_t i = 0; i < std::size(keys); ++i) EXPECT_EQ(main->KeyAt(i), keys[i]);
  EXPECT_EQ((*main)["className"].AsString(), "TForm");
  EXPECT_EQ((*main)["name"].AsString(), "MainWindow");
  EXPECT_EQ(RectOf((*main)["bounds"]), TRect::FromSize(100, 80, 400, 300));
  EXPECT_EQ(RectOf((*main)["clientRect"]).TopLeft(), form->ClientOrigin());
  EXPECT_EQ(RectOf((*main)["clientRect"]).Size(), form->ClientRect().Size());
  EXPECT_EQ((*main)["windowState"].AsString(), "normal");
  EXPECT_TRUE((*main)["active"].AsBool());
  EXPECT_EQ((*main)["opacity"].AsInt(), 255);
  EXPECT_FALSE((*main)["hasRegion"].AsBool());

  int checked = 0;
  CheckBounds(*main, form, checked);
  EXPECT_EQ(checked, 6);

  // What the controls themselves report.
  const TJsonValue e = DescribeControl(edit);
  EXPECT_EQ(e["className"].AsString(), "TEdit");
  EXPECT_EQ(e["text"].AsString(), "abc");
  EXPECT_TRUE(e["focused"].AsBool());
  EXPECT_FALSE(e["readOnly"].AsBool());
  EXPECT_EQ(e["selLength"].AsInt(), 3);   // focusing selected the whole text
  const TJsonValue b = DescribeControl(ok);
  EXPECT_TRUE(b["default"].AsBool());
  EXPECT_FALSE(b["down"].AsBool());
  EXPECT_FALSE(b["focused"].AsBool());
  EXPECT_FALSE(DescribeControl(hidden)["visible"].AsBool());
  EXPECT_TRUE(DescribeControl(inner)["visible"].AsBool());
  // A password edit reports its marks, never its text.
  edit->SetPasswordChar(U'*');
  EXPECT_EQ(DescribeControl(edit)["text"].AsString(), "***");
  EXPECT_FALSE(TWindowTree::Capture().ShowsText("abc"));
  EXPECT_TRUE(TWindowTree::Capture().ShowsText("***"));

  // A minimized window is listed as such, its controls as not shown.
  ShowWindow(form->Handle(), SW_MINIMIZE);
  Pump();
  const TWindowTree after = TWindowTree::Capture();
  EXPECT_EQ((*WindowNode(after.Document(), "主窗口"))["windowState"].AsString(), "minimized");
  EXPECT_FALSE(after.ShowsText("确定"));
}

TEST_F(WindowTreeTest, ControlsAndHooksAddTheirStateAndItems) {
  TForm* form = NewForm("列表", TRect::FromSize(50, 50, 300, 200));
  auto* list = new TRowList(form);
  list->SetName("Rows");
  list->SetParent(form);
  list->SetBounds(20, 30, 120, 60);
  // A component hooking the form's WindowProc adds to the form's node.
  const TWndMethod old = form->WindowProc();
  form->SetWindowProc([old](TMessage& m) {
    old(m);
    if (m.Msg == CM_DESCRIBESTATE) reinterpret_cast<TStateDescription*>(m.LParam)->Set("windowState", "rolledUp");
  });
  form->Show();
  Pump();

  const TWindowTree tree = TWindowTree::Capture();
  const TJsonValue* node = WindowNode(tree.Document(), "列表");
  ASSERT_NE(node, nullptr);
  EXPECT_EQ((*node)["windowState"].AsString(), "rolledUp");
  EXPECT_EQ(node->KeyAt(5), "windowState");   // kept its place
  const TJsonValue& rows = (*node)["controls"].At(0);
  EXPECT_EQ(rows["className"].AsString(), "TRowList");
  EXPECT_TRUE(rows["checked"].AsBool());
  EXPECT_EQ(rows["items"].Size(), 3u);
  EXPECT_EQ(rows["itemIndex"].AsInt(), 1);
  const TJsonValue& second = rows["items"].At(1);
  EXPECT_EQ(second["text"].AsString(), "乙");
  EXPECT_TRUE(second["selected"].AsBool());
  EXPECT_FALSE(rows["items"].At(2)["enabled"].AsBool());
  const TPoint origin = list->ClientOrigin();
  EXPECT_EQ(RectOf(second["bounds"]), TRect::FromSize(origin.X, origin.Y + 20, 120, 20));

  // An item is found by its text and clicked at its centre.
  const TWindowTree::TEntry* hit = tree.FindClickable("乙");
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->Kind, TWindowTree::TEntry::TKind::Item);
  EXPECT_EQ(hit->Bounds.CenterPoint(), TPoint(origin.X + 60, origin.Y + 30));
  EXPECT_FALSE(tree.FindControl("丙")->Enabled);
  EXPECT_EQ(tree.FindControl("Rows")->Kind, TWindowTree::TEntry::TKind::Control);
  // A control that throws while describing itself leaves a note, not a
  // broken dump.
  list->SetWindowProc([](TMessage& m) {
    if (m.Msg == CM_DESCRIBESTATE) throw std::runtime_error("no state");
  });
  EXPECT_EQ(DescribeControl(list)["describeError"].AsString(), "no state");
}

TEST_F(WindowTreeTest, PlainPopupWindowsListTheirItems) {
  TForm* form = NewForm("主窗口", TRect::FromSize(50, 50, 400, 300));
  form->Show();
  Pump();
  // A pop-up menu window of its own kind: not a control, answers the
  // message in its procedure.
  TWindowCreateParams p;
  p.Style = WS_POPUP | WS_VISIBLE;
  p.ExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  p.Parent = form->Handle();
  p.Bounds = TRect::FromSize(120, 140, 100, 44);
  p.Text = "";
  p.Proc = [](HWND h, uint32_t msg, WPARAM w, LPARAM l) -> LRESULT {
    if (msg != CM_DESCRIBESTATE) return DefWindowProc(h, msg, w, l);
    auto& state = *reinterpret_cast<TStateDescription*>(l);
    state.Set("className", "TTestMenuWindow");
    const TRect r = GetWindowRect(h);
    TStateItem open{"打开(&O)", TRect::FromSize(r.Left, r.Top + 2, r.Width(), 20)};
    open.Fields.Set("shortCut", "Ctrl+O");
    open.Fields.Set("highlighted", true);
    state.AddItem(std::move(open));
    state.AddItem({"退出(&X)", TRect::FromSize(r.Left, r.Top + 22, r.Width(), 20), false});
    return 1;
  };
  const HWND menu = CreateWindowEx(p);
  Pump();

  const TWindowTree tree = TWindowTree::Capture();
  const TJsonValue& top = tree.Document()["windows"].At(0);   // topmost first
  EXPECT_EQ(top["className"].AsString(), "TTestMenuWindow");
  EXPECT_EQ(RectOf(top["bounds"]), TRect::FromSize(120, 140, 100, 44));
  ASSERT_EQ(top["items"].Size(), 2u);
  EXPECT_EQ(top["items"].At(0)["shortCut"].AsString(), "Ctrl+O");
  EXPECT_TRUE(top["items"].At(0)["highlighted"].AsBool());
  EXPECT_FALSE(top["items"].At(1)["enabled"].AsBool());
  EXPECT_TRUE(tree.ShowsText("打开(O)"));
  EXPECT_TRUE(tree.ShowsText("打开(&O)"));   // written as in the caption
  const TWindowTree::TEntry* open = tree.FindClickable("打开(O)");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->InputWindow, menu);
  EXPECT_EQ(open->Bounds.CenterPoint(), TPoint(170, 152));
  DestroyWindow(menu);
  EXPECT_FALSE(TWindowTree::Capture().ShowsText("打开(O)"));
}

TEST_F(WindowTreeTest, SearchesFindTheTopmostThingThatIsReallyShown) {
  TForm* lower = NewForm("下面", TRect::FromSize(50, 50, 400, 300));
  TButton* lowerOk = NewButton(lower, "确定", TRect::FromSize(20, 20, 80, 25));
  TButton* uncovered = NewButton(lower, "边上", TRect::FromSize(300, 200, 80, 25));
  lower->Show();
  TForm* upper = NewForm("上面", TRect::FromSize(40, 40, 200, 150));
  TButton* upperOk = NewButton(upper, "  确定  ", TRect::FromSize(10, 10, 80, 25));
  TButton* only = NewButton(upper, "&Only && more", TRect::FromSize(10, 50, 80, 25));
  upper->Show();
  Pump();

  TWindowTree tree = TWindowTree::Capture();
  // The same text on both windows: the upper window's button.
  const TWindowTree::TEntry* ok = tree.FindClickable("确定");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->InputWindow, upperOk->Handle());
  // Accelerator marks and blanks do not count; "&&" is an ampersand.
  ASSERT_NE(tree.FindClickable("Only & more"), nullptr);
  EXPECT_EQ(tree.FindClickable("Only & more")->InputWindow, only->Handle());
  EXPECT_EQ(tree.FindClickable("边上")->InputWindow, uncovered->Handle());
  EXPECT_EQ(tree.FindWindow("上面"), upper->Handle());
  EXPECT_FALSE(tree.FindWindow("没有"));

  // With the upper button gone, the lower one is under the upper window and
  // cannot be clicked; it is still shown text.
  upperOk->Hide();
  Pump();
  tree = TWindowTree::Capture();
  EXPECT_EQ(tree.FindClickable("确定"), nullptr);
  EXPECT_TRUE(tree.ShowsText("确定"));
  // Once the upper window moves away it can.
  upper->SetLeft(600);
  Pump();
  tree = TWindowTree::Capture();
  ASSERT_NE(tree.FindClickable("确定"), nullptr);
  EXPECT_EQ(tree.FindClickable("确定")->InputWindow, lowerOk->Handle());
  // Hidden windows show nothing.
  upper->Hide();
  Pump();
  tree = TWindowTree::Capture();
  EXPECT_FALSE(tree.ShowsText("Only & more"));
  EXPECT_FALSE(tree.FindWindow("上面"));
  EXPECT_FALSE(WindowNode(tree.Document(), "上面")->operator[]("visible").AsBool());
}

TEST_F(WindowTreeTest, LinesOfALongTextCountAsShownText) {
  TForm* form = NewForm("多行", TRect::FromSize(50, 50, 300, 200));
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("第一行\n  第二行 \n第三行");
  form->Show();
  Pump();
  const TWindowTree tree = TWindowTree::Capture();
  EXPECT_TRUE(tree.ShowsText("第二行"));
  EXPECT_TRUE(tree.ShowsText("多行"));   // the caption
  EXPECT_FALSE(tree.ShowsText("第二"));
}

TEST(ClassNameTest, NamespacesAreDropped) {
  struct TLocal : TObject {};
  TLocal local;
  EXPECT_EQ(ClassNameOf(local), "TLocal");
  EXPECT_EQ(ComparableText("  &Save && close "), "Save & close");
  EXPECT_EQ(ComparableText("确定(&O)"), "确定(O)");
}

}  // namespace
}  // namespace tsm
