#pragma once
// The stand-in main window that the program shows until the job list window
// exists: a drawn frame, labels, an edit echoed into a label, a counter
// driven by a timer, a button that counts its clicks, a modal dialog, a
// message box and a short cut (Ctrl+D opens the dialog).

#include <cstdint>

#include "framework/forms/CustomForm.h"

namespace tsm {

class TAction;
class TActionList;
class TButton;
class TDemoFrame;
class TEdit;
class TLabel;
class TPanel;
class TTimer;

class TDemoMainForm : public TForm {
 public:
  explicit TDemoMainForm(TComponent* owner);

  TEdit* Edit() const { return m_edit; }
  TLabel* Echo() const { return m_echo; }
  TLabel* Counter() const { return m_counter; }
  TLabel* Clicks() const { return m_clicks; }
  TButton* ClickButton() const { return m_clickButton; }
  TButton* DialogButton() const { return m_dialogButton; }
  TButton* MessageButton() const { return m_messageButton; }
  TPanel* Status() const { return m_status; }
  TTimer* Timer() const { return m_timer; }

  void OpenDialog();
  void AskQuestion();

 private:
  TDemoFrame* m_frame;
  TLabel* m_title;
  TLabel* m_greeting;
  TEdit* m_edit;
  TLabel* m_echo;
  TLabel* m_counter;
  TLabel* m_clicks;
  TButton* m_clickButton;
  TButton* m_dialogButton;
  TButton* m_messageButton;
  TPanel* m_status;
  TTimer* m_timer;
  TActionList* m_actions;
  TAction* m_dialogAction;
  int32_t m_seconds = 0;
  int32_t m_clickCount = 0;
};

}  // namespace tsm
