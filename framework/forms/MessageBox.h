#pragma once
// The plain (unskinned) message box of the framework: a modal dialog with a
// system icon, the text and a row of buttons, used for the standard error box
// and TApplication::MessageBox. Flags and answers have the classic values.
//
// Automation: with the environment variable TM_DIALOG_LOG naming a file,
// every message box appends one line "caption<TAB>text<TAB>buttons<TAB>forms"
// to it (forms: the number of other forms shown at that moment); with
// TM_DIALOG_ANSWER set as well, the box is not shown and answers its default
// button, so that headless runs of the program cannot hang on a question.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/forms/CustomForm.h"

namespace tsm {

class TButton;
class TLabel;

// Buttons.
inline constexpr uint32_t MB_OK = 0x00000000;
inline constexpr uint32_t MB_OKCANCEL = 0x00000001;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr uint32_t MB_YESNOCANCEL = 0x00000003;
inline constexpr uint32_t MB_YESNO = 0x00000004;
inline constexpr uint32_t MB_RETRYCANCEL = 0x00000005;
// Icons.
inline constexpr uint32_t MB_ICONHAND = 0x00000010;
inline constexpr uint32_t MB_ICONSTOP = MB_ICONHAND;
inline constexpr uint32_t MB_ICONERROR = MB_ICONHAND;
inline constexpr uint32_t MB_ICONQUESTION = 0x00000020;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x00000030;
inline constexpr uint32_t MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr uint32_t MB_ICONASTERISK = 0x00000040;
inline constexpr uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
// Default button.
inline constexpr uint32_t MB_DEFBUTTON1 = 0x00000000;
inline constexpr uint32_t MB_DEFBUTTON2 = 0x00000100;
inline constexpr uint32_t MB_DEFBUTTON3 = 0x00000200;

// Answers.
inline constexpr int32_t IDOK = 1;
inline constexpr int32_t IDCANCEL = 2;
inline constexpr int32_t IDABORT = 3;
inline constexpr int32_t IDRETRY = 4;
inline constexpr int32_t IDIGNORE = 5;
inline constexpr int32_t IDYES = 6;
inline constexpr int32_t IDNO = 7;

// The dialog form of a message box, built for one call.
class TMessageBoxForm : public TForm {
 public:
  TMessageBoxForm(TComponent* owner, const std::string& text, const std::string& caption, uint32_t flags);

  const std::string& MessageText() const { return m_text; }
  uint32_t Flags() const { return m_flags; }
  size_t ButtonCount() const { return m_buttons.size(); }
  TButton* Buttons(size_t index) const { return m_buttons.at(index); }
  // The answer of closing the box without a button (Escape, close box):
  // Cancel, or OK for a box with OK alone; 0 when it cannot be closed so.
  int32_t CancelResult() const { return m_cancelResult; }

 protected:
  void Paint() override;
  bool CloseQuery() override;

 private:
  std::string m_text;
  uint32_t m_flags;
  std::vector<TButton*> m_buttons;
  TLabel* m_label = nullptr;
  int32_t m_cancelResult = 0;
  int32_t m_iconKind = -1;
};

// Shows a message box and answers the pressed button's ID*.
int32_t ShowPlainMessageBox(const std::string& text, const std::string& caption, uint32_t flags);

}  // namespace tsm
