#include "skinforms/TskSkinCaptionObject.h"

#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinObject.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

TskSkinCaptionObject::TskSkinCaptionObject(TskFormFrame& frame, const TskDataSkinCaption* data)
    : TskActiveSkinObject(frame, data) {
  if (!data) return;
  FontName = data->FontName;
  FontHeight = data->FontHeight;
  FontStyle = data->FontStyle;
  FontColor = data->FontColor;
  ActiveFontColor = data->ActiveFontColor;
  Alignment = data->Alignment;
  TextRect = data->TextRect;
  Shadow = data->Shadow;
  ShadowColor = data->ShadowColor;
  ActiveShadowColor = data->ActiveShadowColor;
  FrameRect = data->FrameRect;
  ActiveFrameRect = data->ActiveFrameRect;
  FrameTextRect = data->FrameTextRect;
  FrameLeftOffset = data->FrameLeftOffset;
  FrameRightOffset = data->FrameRightOffset;
}

void TskSkinCaptionObject::MouseEnter() {
  MouseIn = true;
  CallEvent(m_frame.OnMouseEnterEvent, &m_frame, IDName);
}

void TskSkinCaptionObject::MouseLeave() {
  MouseIn = false;
  CallEvent(m_frame.OnMouseLeaveEvent, &m_frame, IDName);
}

void TskSkinCaptionObject::Reset() {
  // Active follows the form's activation; only the mouse state rests.
  MouseIn = false;
}

TRect TskSkinCaptionObject::PlacedTextRect() const {
  TRect r = TextRect;
  if (!RectIsEmpty(r)) r.Right = ObjectRect.Width() + TextRect.Right - SkinRect.Width();
  else r = {0, 0, ObjectRect.Width(), ObjectRect.Height()};
  if (!RectIsEmpty(FrameRect)) {
    r.Left += FrameTextRect.Left;
    r.Top += FrameTextRect.Top;
    r.Right += FrameTextRect.Right - FrameRect.Width();
  }
  return r;
}

}  // namespace tsm
