#include "skinforms/TskSkinMessage.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "framework/forms/Application.h"
#include "framework/forms/Screen.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinButton.h"
#include "skinforms/DialogTexts.h"
#include "skinforms/MessageDialogLayout.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskIconImage.h"
#include "skinforms/TskMessageForm.h"
#include "skinforms/TskSkinStdLabel.h"

namespace tsm {

namespace {

struct TButtonEntry {
  const char* Name;
  const char* Key;
  const char* BuiltIn;
  int32_t Result;
};

constexpr std::array<TButtonEntry, kMsgDlgButtonCount> kButtons{{
    {"Yes", "MSG_BTN_YES", "是(&Y)", 6},
    {"No", "MSG_BTN_NO", "否(&N)", 7},
    {"OK", "MSG_BTN_OK", "确定", 1},
    {"Cancel", "MSG_BTN_CANCEL", "取消", 2},
    {"Abort", "MSG_BTN_ABORT", "中止", 3},
    {"Retry", "MSG_BTN_RETRY", "重试", 4},
    {"Ignore", "MSG_BTN_IGNORE", "忽略", 5},
    {"All", "MSG_BTN_ALL", "全部", 8},
    {"NoToAll", "MSG_BTN_NOTOALL", "全部否", 9},
    {"YesToAll", "MSG_BTN_YESTOALL", "全部是", 10},
    {"Help", "MSG_BTN_HELP", "帮助", 0},
}};

struct TKindEntry {
  const char* Key;
  const char* BuiltIn;
  TSystemIcon Icon;
};

constexpr std::array<TKindEntry, 4> kKinds{{
    {"MSG_CAP_WARNING", "警告", TSystemIcon::Warning},
    {"MSG_CAP_ERROR", "错误", TSystemIcon::Error},
    {"MSG_CAP_INFORMATION", "信息", TSystemIcon::Information},
    {"MSG_CAP_CONFIRM", "确认", TSystemIcon::Question},
}};

TMsgDlgType KnownKind(TMsgDlgType type) {
  return static_cast<size_t>(type) < kKinds.size() ? type : TMsgDlgType::mtCustom;
}

TMsgDlgButtons KnownButtons(TMsgDlgButtons buttons) {
  return buttons & TMsgDlgButtons::FromBits((1u << kMsgDlgButtonCount) - 1);
}

// The first of the candidates that the set holds.
std::optional<TMsgDlgBtn> FirstOf(TMsgDlgButtons buttons, std::initializer_list<TMsgDlgBtn> candidates) {
  for (TMsgDlgBtn b : candidates)
    if (buttons.Contains(b)) return b;
  return std::nullopt;
}

std::optional<TMsgDlgBtn> DefaultButtonOf(TMsgDlgButtons buttons) {
  return FirstOf(buttons, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbYes, TMsgDlgBtn::mbRetry});
}

std::optional<TMsgDlgBtn> CancelButtonOf(TMsgDlgButtons buttons) {
  return FirstOf(buttons, {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbOK});
}

// The automation hooks (see the header); true with the answer when the box
// is not to be shown.
bool LogAndAnswer(const std::string& title, const std::string& msg, const std::string& captions,
                  TMsgDlgButtons buttons, int32_t& answer) {
  const char* log = std::getenv("TM_DIALOG_LOG");
  if (!log || !*log) return false;
  size_t shown = 0;
  for (size_t i = 0; i < Screen().FormCount(); ++i)
    if (Screen().Forms(i)->Visible()) ++shown;
  std::ofstream(log, std::ios::app) << title << '\t' << msg << '\t' << captions << '\t' << shown << '\n';
  if (!std::getenv("TM_DIALOG_ANSWER")) return false;
  const std::optional<TMsgDlgBtn> chosen =
      DefaultButtonOf(buttons) ? DefaultButtonOf(buttons) : CancelButtonOf(buttons);
  answer = chosen ? MsgDlgButtonResult(*chosen) : 2;
  return true;
}

}  // namespace

int32_t MsgDlgButtonResult(TMsgDlgBtn button) { return kButtons.at(static_cast<size_t>(button)).Result; }

const char* MsgDlgButtonName(TMsgDlgBtn button) { return kButtons.at(static_cast<size_t>(button)).Name; }

TskSkinMessage::TskSkinMessage(TComponent* owner) : TComponent(owner) {}

void TskSkinMessage::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove) m_skins.Removed(component);
}

int32_t TskSkinMessage::ButtonHeight() const {
  if (!m_skins.Controls() || m_skins.Controls()->Empty()) return 25;
  const auto* data = m_skins.Controls()->FindControl<TskDataSkinButtonControl>(ButtonSkinDataName);
  return data ? data->SkinRect.Height() : 25;
}

std::string TskSkinMessage::Title(TMsgDlgType type) const {
  type = KnownKind(type);
  if (type == TMsgDlgType::mtCustom) return Application().Title();
  const TKindEntry& kind = kKinds[static_cast<size_t>(type)];
  return DialogText(m_skins.Controls(), kind.Key, kind.BuiltIn);
}

std::string TskSkinMessage::ButtonCaption(TMsgDlgBtn button) const {
  const TButtonEntry& entry = kButtons.at(static_cast<size_t>(button));
  return DialogText(m_skins.Controls(), entry.Key, entry.BuiltIn);
}

TskMessageForm* TskSkinMessage::CreateDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                             int32_t helpContext) {
  type = KnownKind(type);
  buttons = KnownButtons(buttons);
  // Freed again when building it fails.
  TFreeOnExit<TskMessageForm> building(new TskMessageForm(&Application()));
  TskMessageForm* form = building.get();
  TskFormFrame& frame = form->Frame();
  frame.SetSkinData(m_skins.Frame());
  frame.SetMenusSkinData(m_skins.Controls());
  frame.SetAlphaBlend(AlphaBlend);
  frame.AlphaBlendAnimation = AlphaBlendAnimation;
  frame.SetAlphaBlendValue(AlphaBlendValue);
  form->SetCaption(Title(type));

  auto* label = new TskSkinStdLabel(form);
  label->SetName("Message");
  label->SetFont(m_defaultFont);
  label->SetDefaultFont(m_defaultFont);
  label->SetUseSkinFont(UseSkinFont);
  label->SetSkinDataName(MessageLabelSkinDataName);
  label->SetSkinData(m_skins.Controls());
  label->SetParent(form);
  label->SetBounds(TskMessageLayout::kLabelLeft, TskMessageLayout::kLabelTop, label->Width(), label->Height());
  label->SetCaption(msg);

  auto* image = new TskIconImage(form);
  image->SetName("Image");
  if (type != TMsgDlgType::mtCustom) image->SetIcon(kKinds[static_cast<size_t>(type)].Icon);
  image->SetParent(form);

  std::vector<TMsgDlgBtn> shown;
  for (int32_t i = 0; i < kMsgDlgButtonCount; ++i)
    if (buttons.Contains(static_cast<TMsgDlgBtn>(i))) shown.push_back(static_cast<TMsgDlgBtn>(i));

  form->HandleNeeded();
  TskMessageMetrics metrics;
  metrics.Label = {label->Width(), label->Height()};
  metrics.ButtonCount = static_cast<int32_t>(shown.size());
  metrics.ButtonHeight = ButtonHeight();
  metrics.FrameWidth = form->Width() - form->ClientWidth();
  metrics.MinWindowWidth = frame.GetMinWidth();
  metrics.MaxWindowWidth = frame.GetMaxWidth();
  const TskMessageLayout layout = LayoutMessageDialog(metrics);
  form->SetClientSize(layout.Client.cx, layout.Client.cy);
  image->SetBoundsRect(layout.Icon);

  const std::optional<TMsgDlgBtn> defaultButton = DefaultButtonOf(buttons);
  const std::optional<TMsgDlgBtn> cancelButton = CancelButtonOf(buttons);
  TskSkinButton* focus = nullptr;
  for (size_t i = 0; i < shown.size(); ++i) {
    const TMsgDlgBtn b = shown[i];
    auto* button = new TskSkinButton(form);
    button->SetName(MsgDlgButtonName(b));
    button->SetCaption(ButtonCaption(b));
    button->SetCanFocused(true);
    button->SetModalResult(MsgDlgButtonResult(b));
    button->SetDefault(defaultButton == b);
    button->SetCancel(cancelButton == b);
    button->SetDefaultHeight(metrics.ButtonHeight);
    button->DefaultFont().Assign(m_defaultButtonFont);
    button->SetUseSkinFont(UseSkinFont);
    button->SetSkinDataName(ButtonSkinDataName);
    button->SetSkinData(m_skins.Controls());
    button->SetBoundsRect(layout.Buttons[i]);
    button->SetParent(form);
    if (b == TMsgDlgBtn::mbHelp)
      button->OnClick = [this, helpContext](TObject*) {
        if (OnHelp) OnHelp(helpContext);
      };
    if (!focus || defaultButton == b) focus = button;
  }
  if (focus) form->SetActiveControl(focus);
  form->AfterConstruction();
  return building.release();
}

int32_t TskSkinMessage::MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                   int32_t helpContext) {
  buttons = KnownButtons(buttons);
  std::string captions;
  for (int32_t i = 0; i < kMsgDlgButtonCount; ++i)
    if (buttons.Contains(static_cast<TMsgDlgBtn>(i)))
      captions += (captions.empty() ? "" : ",") + ButtonCaption(static_cast<TMsgDlgBtn>(i));
  if (int32_t answer = 0; LogAndAnswer(Title(type), msg, captions, buttons, answer)) return answer;

  TCustomForm* active = Screen().ActiveForm();
  const TFreeOnExit<TskMessageForm> form(CreateDialog(msg, type, buttons, helpContext));
  if (active && active->Visible()) form->SetPopupParent(active);
  return form->ShowModal();
}

void TskSkinMessage::ShowError(const std::string& msg) {
  MessageDlg(msg, TMsgDlgType::mtError, {TMsgDlgBtn::mbCancel});
}

bool TskSkinMessage::Confirm(const std::string& msg) {
  return MessageDlg(msg, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) == 6;
}

void TskSkinMessage::ShowInformation(const std::string& msg) {
  MessageDlg(msg, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}

}  // namespace tsm
