#include "app/demo/DemoMainForm.h"

#include "app/demo/DemoDialog.h"
#include "app/demo/DemoFrame.h"
#include "framework/base/SysUtils.h"
#include "framework/controls/Action.h"
#include "framework/controls/ActionList.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Timer.h"
#include "framework/forms/Application.h"
#include "framework/forms/MessageBox.h"

namespace tsm {

TDemoMainForm::TDemoMainForm(TComponent* owner) : TForm(owner) {
  SetName("DemoMainForm");
  SetCaption("Tesmaro V2.0");
  SetPosition(TPosition::poScreenCenter);
  SetColor(RGB(240, 243, 247));
  m_frame = new TDemoFrame(this);
  m_frame->MinWidth = 360;
  m_frame->MinHeight = 250;
  m_frame->MaxWidth = 900;
  m_frame->MaxHeight = 600;
  SetClientSize(440, 262);

  m_title = new TLabel(this);
  m_title->SetParent(this);
  m_title->SetLeft(16);
  m_title->SetTop(12);
  m_title->Font().SetHeight(-16);
  m_title->Font().SetStyle({TFontStyle::Bold});
  m_title->Font().SetColor(RGB(44, 88, 146));
  m_title->SetCaption("批量视频转换 — 框架演示");

  m_greeting = new TLabel(this);
  m_greeting->SetParent(this);
  m_greeting->SetBounds(16, 50, 0, 0);
  m_greeting->SetCaption("问候语:");

  m_edit = new TEdit(this);
  m_edit->SetName("GreetingEdit");
  m_edit->SetParent(this);
  m_edit->SetBounds(70, 46, 250, 22);
  m_edit->SetMaxLength(60);

  m_echo = new TLabel(this);
  m_echo->SetParent(this);
  m_echo->SetBounds(16, 80, 0, 0);
  m_echo->SetCaption("你输入了: ");
  m_edit->OnChange = [this](TObject*) { m_echo->SetCaption("你输入了: " + m_edit->Text()); };
  m_edit->SetText("你好, Tesmaro!");

  m_counter = new TLabel(this);
  m_counter->SetParent(this);
  m_counter->SetBounds(16, 104, 0, 0);
  m_counter->SetCaption("计时器: 0 秒");

  m_clicks = new TLabel(this);
  m_clicks->SetParent(this);
  m_clicks->SetBounds(16, 128, 0, 0);
  m_clicks->SetCaption("还没有点击");

  const auto button = [this](const char* caption, int32_t left) {
    auto* b = new TButton(this);
    b->SetParent(this);
    b->SetCaption(caption);
    b->SetBounds(left, 164, 96, 27);
    return b;
  };
  m_clickButton = button("点我(&K)", 16);
  m_clickButton->SetName("ClickButton");
  m_clickButton->OnClick = [this](TObject*) {
    ++m_clickCount;
    m_clicks->SetCaption(Format("已点击 %d 次", m_clickCount));
  };
  m_dialogButton = button("对话框(&D)...", 124);
  m_dialogButton->SetName("DialogButton");
  m_dialogButton->OnClick = [this](TObject*) { OpenDialog(); };
  m_messageButton = button("消息框(&M)", 232);
  m_messageButton->SetName("MessageButton");
  m_messageButton->OnClick = [this](TObject*) { AskQuestion(); };

  m_status = new TPanel(this);
  m_status->SetName("Status");
  m_status->SetParent(this);
  m_status->SetHeight(26);
  m_status->SetAlign(TAlign::alBottom);
  m_status->SetBevelOuter(TPanelBevel::bvLowered);
  m_status->SetColor(RGB(226, 232, 240));
  m_status->SetAlignment(TAlignment::taLeftJustify);
  m_status->SetCaption("  就绪    Ctrl+D 打开对话框");

  m_timer = new TTimer(this);
  m_timer->SetInterval(1000);
  m_timer->OnTimer = [this](TObject*) { m_counter->SetCaption(Format("计时器: %d 秒", ++m_seconds)); };

  m_actions = new TActionList(this);
  m_dialogAction = new TAction(this);
  m_dialogAction->SetActionList(m_actions);
  m_dialogAction->SetShortCut(TextToShortCut("Ctrl+D"));
  m_dialogAction->OnExecute = [this](TObject*) { OpenDialog(); };

  SetActiveControl(m_edit);
}

void TDemoMainForm::OpenDialog() {
  // The dialog is built for this call and freed before it returns.
  TFreeOnExit<TDemoDialog> dialog(new TDemoDialog(this));
  dialog->AfterConstruction();
  dialog->SetValue(m_edit->Text());
  const TModalResult result = dialog->ShowModal();
  if (result == mrOk) m_edit->SetText(dialog->Value());
  dialog.reset();
  m_status->SetCaption(result == mrOk ? "  对话框: 确定" : "  对话框: 取消");
}

void TDemoMainForm::AskQuestion() {
  const int32_t answer = Application().MessageBox("要把计时器清零吗?", "确认", MB_YESNO | MB_ICONQUESTION);
  if (answer == IDYES) {
    m_seconds = 0;
    m_counter->SetCaption("计时器: 0 秒");
  }
  m_status->SetCaption(answer == IDYES ? "  消息框: 是" : "  消息框: 否");
}

}  // namespace tsm
