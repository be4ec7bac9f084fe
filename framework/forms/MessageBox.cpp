#include "framework/forms/MessageBox.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "framework/forms/Screen.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

struct TBoxButton {
  const char* Caption;
  int32_t Result;
};

std::vector<TBoxButton> ButtonsOf(uint32_t flags) {
  static const TBoxButton ok{"确定", IDOK}, cancel{"取消", IDCANCEL}, yes{"是(&Y)", IDYES}, no{"否(&N)", IDNO},
      abort{"中止(&A)", IDABORT}, retry{"重试(&R)", IDRETRY}, ignore{"忽略(&I)", IDIGNORE};
  switch (flags & 0x0F) {
    case MB_OKCANCEL: return {ok, cancel};
    case MB_ABORTRETRYIGNORE: return {abort, retry, ignore};
    case MB_YESNOCANCEL: return {yes, no, cancel};
    case MB_YESNO: return {yes, no};
    case MB_RETRYCANCEL: return {retry, cancel};
    default: return {ok};
  }
}

int32_t IconKindOf(uint32_t flags) {
  switch (flags & 0xF0) {
    case MB_ICONHAND: return static_cast<int32_t>(TSystemIcon::Error);
    case MB_ICONQUESTION: return static_cast<int32_t>(TSystemIcon::Question);
    case MB_ICONEXCLAMATION: return static_cast<int32_t>(TSystemIcon::Warning);
    case MB_ICONASTERISK: return static_cast<int32_t>(TSystemIcon::Information);
    default: return -1;
  }
}

size_t DefaultIndex(uint32_t flags, size_t count) {
  const size_t i = (flags >> 8) & 0x0F;
  return i < count ? i : 0;
}

constexpr int32_t kMargin = 12;
constexpr int32_t kIconSize = 32;
constexpr int32_t kButtonWidth = 75;
constexpr int32_t kButtonHeight = 23;
constexpr int32_t kButtonGap = 6;

}  // namespace

TMessageBoxForm::TMessageBoxForm(TComponent* owner, const std::string& text, const std::string& caption,
                                 uint32_t flags)
    : TForm(owner), m_text(text), m_flags(flags), m_iconKind(IconKindOf(flags)) {
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetPosition(TPosition::poScreenCenter);
  SetCaption(caption);
  SetKeyPreview(true);

  const std::vector<TBoxButton> buttons = ButtonsOf(flags);
  for (const TBoxButton& b : buttons)
    if (b.Result == IDCANCEL) m_cancelResult = IDCANCEL;
  if (!m_cancelResult && buttons.size() == 1 && buttons[0].Result == IDOK) m_cancelResult = IDOK;

  // The text keeps its lines; a line wider than two thirds of the screen
  // wraps there.
  m_label = new TLabel(this);
  m_label->SetParent(this);
  m_label->SetShowAccelChar(false);
  m_label->Canvas().Font().Assign(m_label->Font());
  const std::string shown = text.empty() ? std::string(" ") : text;
  const int32_t maxText = std::max(200, Screen().Width() * 2 / 3);
  TRect measure{0, 0, 0, 0};
  m_label->Canvas().DrawText(shown, measure, TTextFormat::NoPrefix | TTextFormat::CalcRect);
  if (measure.Width() > maxText) {
    measure = {0, 0, maxText, 0};
    m_label->Canvas().DrawText(shown, measure, TTextFormat::WordBreak | TTextFormat::NoPrefix | TTextFormat::CalcRect);
  }
  m_label->SetAutoSize(false);
  m_label->SetWordWrap(true);
  const int32_t textLeft = kMargin + (m_iconKind >= 0 ? kIconSize + kMargin : 0);
  const int32_t blockHeight = std::max(measure.Height(), m_iconKind >= 0 ? kIconSize : 0);
  const int32_t textTop = kMargin + (blockHeight - measure.Height()) / 2;
  m_label->SetBounds(textLeft, textTop, measure.Width() + 1, measure.Height());
  m_label->SetCaption(text);

  const int32_t n = static_cast<int32_t>(buttons.size());
  const int32_t rowWidth = n * kButtonWidth + (n - 1) * kButtonGap;
  const int32_t clientWidth = std::max({textLeft + measure.Width() + kMargin + 8, rowWidth + 2 * kMargin, 160});
  const int32_t rowTop = kMargin + blockHeight + kMargin + 4;
  const int32_t clientHeight = rowTop + kButtonHeight + kMargin;
  SetClientSize(clientWidth, clientHeight);

  const size_t def = DefaultIndex(flags, buttons.size());
  int32_t x = (clientWidth - rowWidth) / 2;
  for (size_t i = 0; i < buttons.size(); ++i) {
    auto* b = new TButton(this);
    b->SetParent(this);
    b->SetCaption(buttons[i].Caption);
    b->SetModalResult(buttons[i].Result);
    b->SetBounds(x, rowTop, kButtonWidth, kButtonHeight);
    b->SetDefault(i == def);
    b->SetCancel(buttons[i].Result == m_cancelResult);
    m_buttons.push_back(b);
    x += kButtonWidth + kButtonGap;
  }
  if (def < m_buttons.size()) SetActiveControl(m_buttons[def]);
}

bool TMessageBoxForm::CloseQuery() {
  // Closed without a button (close box): a box without Cancel answers only
  // through its buttons — unless the program is ending, which no box may
  // hold up (it answers IDCANCEL then); one with OK alone answers OK.
  if (ModalResult() == mrCancel && m_cancelResult == 0 && !Application().Terminated()) return false;
  if (ModalResult() == mrCancel && m_cancelResult == IDOK) SetModalResult(mrOk);
  return TForm::CloseQuery();
}

void TMessageBoxForm::Paint() {
  TForm::Paint();
  if (m_iconKind < 0) return;
  if (TDeviceContext* dc = Canvas().Handle())
    DrawSystemIcon(*dc, kMargin, kMargin + std::max(0, (m_label->Height() - kIconSize) / 2), static_cast<TSystemIcon>(m_iconKind));
}

int32_t ShowPlainMessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  const std::vector<TBoxButton> buttons = ButtonsOf(flags);
  if (const char* log = std::getenv("TM_DIALOG_LOG"); log && *log) {
    size_t shown = 0;
    for (size_t i = 0; i < Screen().FormCount(); ++i)
      if (Screen().Forms(i)->Visible()) ++shown;
    std::string names;
    for (const TBoxButton& b : buttons) names += std::string(names.empty() ? "" : ",") + b.Caption;
    std::ofstream out(log, std::ios::app);
    out << caption << '\t' << text << '\t' << names << '\t' << shown << '\n';
    if (std::getenv("TM_DIALOG_ANSWER")) return buttons[DefaultIndex(flags, buttons.size())].Result;
  }
  TCustomForm* active = Screen().ActiveForm();
  const TFreeOnExit<TMessageBoxForm> box(new TMessageBoxForm(nullptr, text, caption, flags));
  if (active && active->Visible()) box->SetPopupParent(active);
  box->AfterConstruction();
  return box->ShowModal();
}

}  // namespace tsm
