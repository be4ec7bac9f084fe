// The skin data's notices reach the application's forms through their
// windows, owner form first; its references die with the components.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/forms/CustomForm.h"
#include "framework/forms/Screen.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "platform/gfx/Bmp.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskZStream.h"
#include "skin/ui/SkinFormList.h"

namespace tsm {
namespace {

// One notice as a form's WindowProc chain saw it, with the state of the
// sending skin data at that moment.
struct TNotice {
  std::string Form;
  uint32_t Msg;
  WPARAM WParam;
  LPARAM LParam;
  bool Empty;
  size_t Controls;

  friend bool operator==(const TNotice&, const TNotice&) = default;
};

std::ostream& operator<<(std::ostream& os, const TNotice& n) {
  return os << n.Form << ":" << n.Msg << ":" << n.WParam << ":" << n.LParam << ":" << n.Empty << ":" << n.Controls;
}

class SkinNoticesTest : public FrameworkTest {
 protected:
  // Hooks the form's WindowProc as a skinned frame does and records the
  // notices of the skin data under test.
  void Watch(TCustomForm* form, const std::string& name) {
    const TWndMethod old = form->WindowProc();
    form->SetWindowProc([this, name, old](TMessage& m) {
      if (IsSkinNotice(m.Msg)) {
        const TskSkinData* sender = SkinNoticeSender(m);
        const bool ours = sender == m_data;
        m_notices.push_back({name, m.Msg, m.WParam, m.LParam, ours ? m_data->Empty() : true,
                             ours ? m_data->ControlCount() : 0});
      }
      old(m);
    });
  }

  static TskCompressedStoredSkin* StoredSkin(TComponent* owner) {
    TBitmap main(40, 30);
    main.Fill(clSilver);
    TskSkinContainer c;
    c.MainPicture = WriteBmp(main.Surface(), TBmpWriteFormat::Indexed8);
    c.Definition =
        "[VERSION]\r\nskinname=t\r\n[PICTURES]\r\npicture=main.bmp\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n"
        "[SKINCONTROLS]\r\ncount=2\r\n0=button:button\r\n1=panel:panel\r\n[button]\r\nskinrect=0,0,40,20\r\n";
    std::vector<uint8_t> z;
    ZCompress(WriteSkinContainer(c), z);
    auto* stored = new TskCompressedStoredSkin(owner);
    stored->SetCompressedData(z);
    return stored;
  }

  TNotice N(const std::string& form, uint32_t msg, bool empty, size_t controls) const {
    return {form, msg, reinterpret_cast<WPARAM>(m_data), kSkinMessageParam, empty, controls};
  }

  TskSkinData* m_data = nullptr;
  std::vector<TNotice> m_notices;
};

TEST_F(SkinNoticesTest, TheProgramBroadcastsToTheScreensFormsWithoutACall) {
  EXPECT_EQ(SkinFormList(), &ScreenSkinFormList());
}

TEST_F(SkinNoticesTest, AStoredSkinReachesTwoFormsOwnerFirstInOrder) {
  auto* first = Application().CreateForm<TForm>();
  auto* second = Application().CreateForm<TForm>();
  first->Show();
  Pump();
  ASSERT_FALSE(second->HandleAllocated());
  Watch(first, "first");
  Watch(second, "second");
  // The second form owns the skin data: it is told before the first.
  m_data = new TskSkinData(second);
  m_data->SetCompressedStoredSkin(StoredSkin(second));
  ASSERT_FALSE(m_data->Empty());
  const std::vector<TNotice> expected = {
      N("second", SkinMessageBeforeChange, true, 0), N("first", SkinMessageBeforeChange, true, 0),
      N("second", SkinMessageChanged, false, 2),     N("first", SkinMessageChanged, false, 2),
      N("second", SkinMessageAfterChange, false, 2), N("first", SkinMessageAfterChange, false, 2)};
  EXPECT_EQ(m_notices, expected);
  // The hidden form's window was made to receive the notice.
  EXPECT_TRUE(second->HandleAllocated());

  m_notices.clear();
  m_data->SetResourceStrData(new TskResourceStrData(first));
  EXPECT_EQ(m_notices, (std::vector<TNotice>{N("second", SkinMessageStringsChanged, false, 2),
                                             N("first", SkinMessageStringsChanged, false, 2)}));
}

TEST_F(SkinNoticesTest, SkinDataOwnedByAnotherComponentTellsTheFormsInListOrder) {
  auto* first = Application().CreateForm<TForm>();
  auto* second = Application().CreateForm<TForm>();
  Watch(first, "first");
  Watch(second, "second");
  m_data = new TskSkinData(&Application());
  m_data->SetResourceStrData(nullptr);
  EXPECT_EQ(m_notices, (std::vector<TNotice>{N("first", SkinMessageStringsChanged, true, 0),
                                             N("second", SkinMessageStringsChanged, true, 0)}));
}

TEST_F(SkinNoticesTest, AFormFreedByAReceiverIsNotAddressed) {
  auto* first = Application().CreateForm<TForm>();
  auto* second = Application().CreateForm<TForm>();
  auto* third = Application().CreateForm<TForm>();
  Watch(first, "first");
  Watch(third, "third");
  const TWndMethod old = second->WindowProc();
  second->SetWindowProc([old, third](TMessage& m) {
    if (m.Msg == SkinMessageStringsChanged) third->Free();
    old(m);
  });
  m_data = new TskSkinData(second);
  m_data->SetResourceStrData(nullptr);
  EXPECT_EQ(m_notices, (std::vector<TNotice>{N("first", SkinMessageStringsChanged, true, 0)}));
  EXPECT_EQ(Screen().FormCount(), 2u);
}

TEST_F(SkinNoticesTest, FreeingTheStoredSkinOrTheStringsClearsTheReferences) {
  auto* main = Application().CreateForm<TForm>();
  auto* other = Application().CreateForm<TForm>();
  m_data = new TskSkinData(main);
  // On the skin data's own form and on another form.
  for (TCustomForm* partsForm : {static_cast<TCustomForm*>(main), static_cast<TCustomForm*>(other)}) {
    TskCompressedStoredSkin* stored = StoredSkin(partsForm);
    auto* strings = new TskResourceStrData(partsForm);
    m_data->SetCompressedStoredSkin(stored);
    m_data->SetResourceStrData(strings);
    stored->Free();
    EXPECT_EQ(m_data->CompressedStoredSkin(), nullptr);
    EXPECT_EQ(m_data->ResourceStrData(), strings);
    strings->Free();
    EXPECT_EQ(m_data->ResourceStrData(), nullptr);
    EXPECT_FALSE(m_data->Empty());
  }
  // A form that goes takes its parts with it.
  m_data->SetCompressedStoredSkin(StoredSkin(other));
  m_data->SetResourceStrData(new TskResourceStrData(other));
  other->Free();
  EXPECT_EQ(m_data->CompressedStoredSkin(), nullptr);
  EXPECT_EQ(m_data->ResourceStrData(), nullptr);
}

}  // namespace
}  // namespace tsm
