#include "skinforms/tests/FrameTestSupport.h"

#include "framework/forms/Screen.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {

void FrameTest::SetUp() {
  FrameworkTest::SetUp();
  m_main = Application().CreateForm<TForm>();
  m_main->SetBounds(0, 0, 100, 60);
  m_stored = new TskCompressedStoredSkin(m_main);
  AssignDefaultStoredSkin(*m_stored);
  m_skin = new TskSkinData(m_main);
  m_skin->SetCompressedStoredSkin(m_stored);
}

void FrameTest::TearDown() {
  Application().OnMessage = nullptr;
  for (size_t i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* form = Screen().Forms(i);
    form->OnCloseQuery = nullptr;
    form->OnKeyPress = nullptr;
    for (size_t c = 0; c < form->ComponentCount(); ++c) {
      if (auto* frame = dynamic_cast<TskFormFrame*>(form->Components(c))) {
        frame->OnActivate = frame->OnDeActivate = frame->OnChangeRollUpState = nullptr;
        frame->OnMinimizeToTray = frame->OnRestoreFromTray = nullptr;
        frame->OnSkinMenuOpen = frame->OnSkinMenuClose = nullptr;
        frame->OnMouseEnterEvent = frame->OnMouseLeaveEvent = nullptr;
        frame->OnMouseDownEvent = frame->OnMouseUpEvent = nullptr;
        frame->OnPaintEvent = nullptr;
      }
    }
  }
  FrameworkTest::TearDown();
}

TskFormFrame* FrameTest::MakeFramed(int32_t cw, int32_t ch, bool skinned, int32_t left, int32_t top) {
  auto* form = new TForm(&Application());
  form->SetBounds(left, top, 300, 200);
  auto* frame = new TskFormFrame(form);
  if (skinned) frame->SetSkinData(m_skin);
  form->SetClientSize(cw, ch);
  form->Show();
  Pump();
  return frame;
}

TskFormFrame* FrameTest::MakeJobListForm(bool skinned) {
  TskFormFrame* frame = MakeFramed(785, 419, skinned);
  frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
  frame->Magnetic = true;
  frame->MagneticSize = 5;
  frame->Form().SetCaption("Tesmaro 2.0");
  Pump();
  return frame;
}

TPoint FrameTest::At(const TskFormFrame* frame, TPoint window) {
  return window + GetWindowRect(frame->Form().Handle()).TopLeft();
}

int32_t FrameTest::Hit(const TskFormFrame* frame, TPoint window) {
  return static_cast<int32_t>(SendMessage(frame->Form().Handle(), WM_NCHITTEST, 0, PointToLParam(At(frame, window))));
}

void FrameTest::Press(const TskFormFrame* frame, TPoint window) {
  Desk().MouseMove(At(frame, window));
  Desk().MouseDown(TMouseButton::Left);
  Pump();
}

void FrameTest::Release(const TskFormFrame* frame, TPoint window) {
  Desk().MouseMove(At(frame, window));
  Desk().MouseUp(TMouseButton::Left);
  Pump();
}

void FrameTest::Move(const TskFormFrame* frame, TPoint window) {
  Desk().MouseMove(At(frame, window));
  Pump();
}

}  // namespace tsm
