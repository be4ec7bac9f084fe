#include "framework/tests/FrameworkTestSupport.h"

#include <algorithm>

#include "framework/controls/Button.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Font.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

void FrameworkTest::SetUp() {
  auto backend = std::make_unique<THeadlessBackend>();
  m_backend = backend.get();
  m_backend->UseManualClock(true);
  TWindowSystem::Initialize(std::move(backend));
  Screen().SetCursor(crDefault);
}

void FrameworkTest::TearDown() {
  FreeApplication();
  TWindowSystem::Shutdown();
  m_backend = nullptr;
}

void FrameworkTest::RunFor(uint64_t ms) {
  TWindowSystem& sys = TWindowSystem::Instance();
  const uint64_t end = m_backend->Now() + ms;
  Pump();
  while (m_backend->Now() < end && !Application().Terminated()) {
    uint64_t next = end;
    if (const auto due = sys.Timers().NextDue(); due && *due < next) next = std::max(*due, m_backend->Now());
    m_backend->AdvanceClock(next - m_backend->Now());
    Pump();
  }
}

TPoint FrameworkTest::ScreenPoint(const TControl* control) {
  const TRect r = control->ClientRect();
  return ScreenPoint(control, {r.Width() / 2, r.Height() / 2});
}

TPoint FrameworkTest::ScreenPoint(const TControl* control, TPoint client) { return control->ClientToScreen(client); }

void FrameworkTest::Click(const TControl* control) {
  Desk().Click(ScreenPoint(control));
  Pump();
}

void FrameworkTest::Click(const TControl* control, TPoint client) {
  Desk().Click(ScreenPoint(control, client));
  Pump();
}

void FrameworkTest::MoveTo(const TControl* control, TPoint client) {
  Desk().MouseMove(ScreenPoint(control, client));
  Pump();
}

void FrameworkTest::Key(uint32_t vk, TShiftState shift) {
  if (shift.Contains(TShiftKey::Ctrl)) Desk().KeyDown(VK_CONTROL);
  if (shift.Contains(TShiftKey::Alt)) Desk().KeyDown(VK_MENU);
  if (shift.Contains(TShiftKey::Shift)) Desk().KeyDown(VK_SHIFT);
  Desk().KeyPress(vk);
  if (shift.Contains(TShiftKey::Shift)) Desk().KeyUp(VK_SHIFT);
  if (shift.Contains(TShiftKey::Alt)) Desk().KeyUp(VK_MENU);
  if (shift.Contains(TShiftKey::Ctrl)) Desk().KeyUp(VK_CONTROL);
  Pump();
}

void FrameworkTest::Type(const std::string& utf8) {
  Desk().Text(utf8);
  Pump();
}

TForm* FrameworkTest::NewForm(const std::string& caption, TRect bounds) {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption(caption);
  form->SetBoundsRect(bounds);
  return form;
}

TButton* FrameworkTest::NewButton(TWinControl* parent, const std::string& caption, TRect bounds) {
  auto* button = new TButton(parent);
  button->SetParent(parent);
  button->SetCaption(caption);
  button->SetBoundsRect(bounds);
  return button;
}

int FrameworkTest::DifferingPixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int differing = 0;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x) differing += a.GetPixel(x, y) != b.GetPixel(x, y);
  return differing;
}

TRect InkBox(const TBitmap& picture, TColor color) {
  TRect box;
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x)
      if (picture.GetPixel(x, y) == color) box.Unite({x, y, x + 1, y + 1});
  return box;
}

TRect TextInk(const std::string& text, const ui::TFont& font) {
  TDeviceContext measure;
  measure.SetFont(font.Handle());
  const TSize size = measure.TextExtent(text);
  TBitmap b(size.cx + 20, size.cy + 20);  // room for ink beyond the advance
  b.Fill(clWhite);
  TDeviceContext dc(b);
  dc.SetFont(font.Handle());
  dc.SetBkMode(TBkMode::Transparent);
  dc.SetTextColor(clBlack);
  dc.TextOut(0, 0, text);
  return InkBox(b, clBlack);
}

}  // namespace tsm
