#include "app/demo/DemoDialog.h"

#include "app/demo/DemoFrame.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"

namespace tsm {

TDemoDialog::TDemoDialog(TComponent* owner) : TForm(owner) {
  SetName("DemoDialog");
  SetCaption("对话框");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poMainFormCenter);
  SetColor(RGB(240, 243, 247));
  m_frame = new TDemoFrame(this);
  SetClientSize(300, 118);

  m_prompt = new TLabel(this);
  m_prompt->SetParent(this);
  m_prompt->SetBounds(16, 16, 0, 0);
  m_prompt->SetCaption("请输入新的问候语:");

  m_edit = new TEdit(this);
  m_edit->SetName("DialogEdit");
  m_edit->SetParent(this);
  m_edit->SetBounds(16, 38, 268, 22);

  m_ok = new TButton(this);
  m_ok->SetParent(this);
  m_ok->SetCaption("确定");
  m_ok->SetBounds(120, 78, 75, 25);
  m_ok->SetDefault(true);
  m_ok->SetModalResult(mrOk);

  m_cancel = new TButton(this);
  m_cancel->SetParent(this);
  m_cancel->SetCaption("取消");
  m_cancel->SetBounds(209, 78, 75, 25);
  m_cancel->SetCancel(true);
  m_cancel->SetModalResult(mrCancel);

  SetActiveControl(m_edit);
}

std::string TDemoDialog::Value() const { return m_edit->Text(); }
void TDemoDialog::SetValue(const std::string& value) { m_edit->SetText(value); }

}  // namespace tsm
