#include "skinforms/TskMessageForm.h"

#include "skinforms/TskFormFrame.h"

namespace tsm {

TskMessageForm::TskMessageForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetPosition(TPosition::poScreenCenter);
  SetKeyPreview(true);
  m_frame = new TskFormFrame(this);
  m_frame->SetBorderIcons({});
}

}  // namespace tsm
