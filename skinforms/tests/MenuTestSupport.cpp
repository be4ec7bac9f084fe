#include "skinforms/tests/MenuTestSupport.h"

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/TextLayout.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {

void MenuTest::SetUp() {
  FrameworkTest::SetUp();
  m_form = Application().CreateForm<TForm>();
  m_form->SetBounds(100, 100, 400, 300);
  m_frame = new TMenuTestFrame(m_form);
  m_menu = new TPopupMenu(m_form);
  m_form->Show();
  Pump();
}

TskSkinData* MenuTest::LoadStoredSkin() {
  auto* stored = new TskCompressedStoredSkin(m_form);
  AssignDefaultStoredSkin(*stored);
  m_skin = new TskSkinData(m_form);
  m_skin->SetCompressedStoredSkin(stored);
  m_frame->SetMenuSkin(m_skin);
  return m_skin;
}

TMenuItem* MenuTest::Add(const std::string& caption, TMenuItem* parent, const std::string& name) {
  auto* item = new TMenuItem(m_form);
  item->SetCaption(caption);
  if (!name.empty()) item->SetName(name);
  (parent ? parent : m_menu->Items())->Add(item);
  return item;
}

void MenuTest::Open(const TRect& anchor, bool popupUp, TMenuItem* items) {
  if (m_frame->InMenu()) m_frame->EndMenuState();
  m_frame->BeginMenuState();
  Engine().Popup(nullptr, m_frame->MenuSkin(), 0, items ? items : m_menu->Items(), anchor, popupUp);
  Pump();
}

TPoint MenuTest::ItemCenter(size_t index, size_t level) {
  const TRect r = Window(level).ItemScreenRect(index);
  return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
}

int32_t MenuTest::TextWidth(const std::string& text, size_t level) {
  TBitmap scratch(1, 1);
  TDeviceContext dc(scratch);
  dc.SetFont(Window(level).Font().Handle());
  return dc.TextWidth(StripAccelerator(text, nullptr));
}

}  // namespace tsm
