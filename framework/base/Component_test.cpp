#include "framework/base/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tsm {
namespace {

std::vector<std::string> g_events;

// Records its destruction and the removal notices it gets; may hold one
// plain reference to another component.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::string name) : TComponent(owner) { SetName(name); }
  ~TProbe() override { g_events.push_back("free " + Name()); }

  TComponent* Ref = nullptr;
  void SetRef(TComponent* c) {
    Ref = c;
    if (c) c->FreeNotification(this);
  }
  std::function<void()> OnLoaded;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == TOperation::Remove) {
      g_events.push_back(Name() + " heard " + c->Name());
      if (c == Ref) Ref = nullptr;
    }
  }
  void Loaded() override {
    g_events.push_back("loaded " + Name());
    if (OnLoaded) OnLoaded();
  }
};

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { g_events.clear(); }
};

TEST_F(ComponentTest, OwnerFreesOwnedComponentsNewestFirst) {
  auto* form = new TProbe(nullptr, "form");
  new TProbe(form, "a");
  auto* b = new TProbe(form, "b");
  new TProbe(b, "b1");
  EXPECT_EQ(form->ComponentCount(), 2u);
  EXPECT_EQ(b->Owner(), form);
  form->Free();
  // b goes first (newest), and frees its own b1 before it goes.
  const std::vector<std::string> frees = [] {
    std::vector<std::string> f;
    for (const auto& e : g_events)
      if (e.rfind("free ", 0) == 0) f.push_back(e);
    return f;
  }();
  EXPECT_EQ(frees, (std::vector<std::string>{"free b1", "free b", "free a", "free form"}));
}

TEST_F(ComponentTest, FreeingOneComponentRemovesItFromItsOwner) {
  auto* form = new TProbe(nullptr, "form");
  auto* a = new TProbe(form, "a");
  new TProbe(form, "b");
  a->Free();
  ASSERT_EQ(form->ComponentCount(), 1u);
  EXPECT_EQ(form->Components(0)->Name(), "b");
  EXPECT_EQ(form->FindComponent("a"), nullptr);
  form->Free();
}

TEST_F(ComponentTest, RemovalNoticeClearsReferencesAcrossOwners) {
  auto* skinOwner = new TProbe(nullptr, "main");
  auto* skin = new TProbe(skinOwner, "skin");
  auto* dialog = new TProbe(nullptr, "dialog");
  auto* button = new TProbe(dialog, "button");
  button->SetRef(skin);
  skin->Free();
  EXPECT_EQ(button->Ref, nullptr);
  EXPECT_NE(std::find(g_events.begin(), g_events.end(), "button heard skin"), g_events.end());
  // The link is gone both ways: freeing the button later notifies nobody.
  g_events.clear();
  button->Free();
  EXPECT_EQ(std::count_if(g_events.begin(), g_events.end(), [](auto& e) { return e.find("heard button") != std::string::npos && e.rfind("dialog", 0) != 0; }), 0);
  dialog->Free();
  skinOwner->Free();
}

TEST_F(ComponentTest, SiblingsHearOfEachOthersRemovalWithoutLinks) {
  auto* form = new TProbe(nullptr, "form");
  auto* source = new TProbe(form, "source");
  auto* grid = new TProbe(form, "grid");
  grid->Ref = source;   // no FreeNotification: same owner
  source->Free();
  EXPECT_EQ(grid->Ref, nullptr);
  form->Free();
}

TEST_F(ComponentTest, FreeingTheOwnerTellsEachPartOfItsSiblingsWhateverTheOrder) {
  // A frame and the skin data it draws from, both owned by the form, with
  // plain references to each other: whichever goes first, the other hears
  // of it before its own teardown could read it.
  struct TPart : TProbe {
    using TProbe::TProbe;
    ~TPart() override { g_events.push_back(Name() + (Ref ? " tears down with a reference" : " tears down alone")); }
  };
  for (const bool frameFirst : {true, false}) {
    g_events.clear();
    auto* form = new TProbe(nullptr, "form");
    TPart* first = new TPart(form, frameFirst ? "frame" : "skin");
    TPart* second = new TPart(form, frameFirst ? "skin" : "frame");
    first->Ref = second;
    second->Ref = first;
    form->Free();
    // Newest first: the second one goes first, and the first one hears of it.
    const std::string firstName = frameFirst ? "frame" : "skin", secondName = frameFirst ? "skin" : "frame";
    const auto at = [](const std::string& e) { return std::find(g_events.begin(), g_events.end(), e) - g_events.begin(); };
    ASSERT_LT(at(firstName + " heard " + secondName), std::ptrdiff_t(g_events.size())) << frameFirst;
    EXPECT_LT(at(firstName + " heard " + secondName), at("free " + secondName)) << "told before it is gone";
    EXPECT_LT(at(firstName + " tears down alone"), std::ptrdiff_t(g_events.size()));
  }
}

TEST_F(ComponentTest, ReferenceHolderDyingFirstLeavesNoDanglingLink) {
  auto* target = new TProbe(nullptr, "target");
  auto* holder = new TProbe(nullptr, "holder");
  holder->SetRef(target);
  holder->Free();
  g_events.clear();
  target->Free();   // must not notify the freed holder
  EXPECT_EQ(g_events, (std::vector<std::string>{"free target"}));
}

TEST_F(ComponentTest, NamesAreUniquePerOwnerIgnoringCase) {
  auto* form = new TProbe(nullptr, "form");
  new TProbe(form, "Timer1");
  EXPECT_NE(form->FindComponent("timer1"), nullptr);
  try {
    new TProbe(form, "TIMER1");
    FAIL() << "duplicate name accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named TIMER1 already exists");
  }
  // The same name under another owner is fine, and so are empty names.
  auto* other = new TProbe(nullptr, "other");
  EXPECT_NO_THROW(new TProbe(other, "Timer1"));
  EXPECT_NO_THROW(new TProbe(form, ""));
  EXPECT_NO_THROW(new TProbe(form, ""));
  other->Free();
  // The failed construction above left a nameless probe behind in no list;
  // freeing the form must still work.
  form->Free();
}

TEST_F(ComponentTest, LoadingMarksTheUnitAndCallsLoadedOwnedFirst) {
  auto* form = new TProbe(nullptr, "form");
  form->BeginLoading();
  auto* a = new TProbe(form, "a");
  EXPECT_TRUE(a->IsLoading());
  auto* b = new TProbe(form, "b");
  form->BeginLoading();   // nested: nothing happens until the outer end
  form->EndLoading();
  EXPECT_TRUE(b->IsLoading());
  form->EndLoading();
  EXPECT_FALSE(a->IsLoading());
  EXPECT_FALSE(form->IsLoading());
  EXPECT_EQ(g_events, (std::vector<std::string>{"loaded a", "loaded b", "loaded form"}));
  form->Free();
}

TEST_F(ComponentTest, AliveTokenExpiresWhenAHandlerFreesTheComponent) {
  auto* c = new TProbe(nullptr, "c");
  const auto alive = c->AliveToken();
  std::function<void()> handler = [c] { c->Free(); };
  handler();
  EXPECT_TRUE(alive.expired());
}

TEST_F(ComponentTest, OwnerIsDestroyingWhileItsComponentsGo) {
  struct TWatch : TComponent {
    TWatch(TComponent* o, bool& flag) : TComponent(o), m_form(o), m_flag(flag) {}
    ~TWatch() override { m_flag = m_form->IsDestroying(); }
    TComponent* m_form;
    bool& m_flag;
  };
  auto* form = new TProbe(nullptr, "form");
  bool ownerWasDestroying = false;
  new TWatch(form, ownerWasDestroying);
  EXPECT_FALSE(form->IsDestroying());
  form->Free();
  EXPECT_TRUE(ownerWasDestroying);
}

TEST_F(ComponentTest, CheckedCastRaisesInvalidCast) {
  auto* c = new TProbe(nullptr, "c");
  TComponent* base = c;
  EXPECT_EQ(As<TProbe>(base), c);
  EXPECT_EQ(As<TProbe>(static_cast<TComponent*>(nullptr)), nullptr);
  struct TOther : TComponent {
    using TComponent::TComponent;
  };
  try {
    As<TOther>(base);
    FAIL() << "cast accepted";
  } catch (const EInvalidCast& e) {
    EXPECT_EQ(e.Message(), "Invalid class typecast");
  }
  c->Free();
}

}  // namespace
}  // namespace tsm
