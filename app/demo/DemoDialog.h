#pragma once
// The stand-in modal dialog of the demo: a drawn frame, a prompt, an edit and
// OK / Cancel.

#include <string>

#include "framework/forms/CustomForm.h"

namespace tsm {

class TButton;
class TDemoFrame;
class TEdit;
class TLabel;

class TDemoDialog : public TForm {
 public:
  explicit TDemoDialog(TComponent* owner);

  std::string Value() const;
  void SetValue(const std::string& value);

  TEdit* Edit() const { return m_edit; }
  TButton* OkButton() const { return m_ok; }
  TButton* CancelButton() const { return m_cancel; }

 private:
  TDemoFrame* m_frame;
  TLabel* m_prompt;
  TEdit* m_edit;
  TButton* m_ok;
  TButton* m_cancel;
};

}  // namespace tsm
