#pragma once
// TskMessageForm: the window of one skinned message box. It is built by
// TskSkinMessage for one call and freed after it: centred on the screen,
// dialog border, key preview on, and a skinned frame of its own that shows
// only the close button. The component puts the label "Message", the
// picture "Image" and the buttons on it.

#include "framework/forms/CustomForm.h"

namespace tsm {

class TskFormFrame;

class TskMessageForm : public TForm {
 public:
  explicit TskMessageForm(TComponent* owner);

  TskFormFrame& Frame() const { return *m_frame; }

 private:
  TskFormFrame* m_frame = nullptr;
};

}  // namespace tsm
