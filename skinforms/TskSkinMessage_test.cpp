// The skinned message box with the program's stored skin ("button" skinrect
// 3,5,63,25, so buttons are 20 high; frame 4 + 4 pixels wide around the
// client, picture 158 wide; "stdlabel" 宋体 height 14, colour 0) and
// without a skin (25-pixel buttons, 120-pixel minimum width). Sizes are
// computed from the layout rules and the text's measured extent.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "skin/TskResourceStrData.h"
#include "skincontrols/TskSkinButton.h"
#include "skinforms/TskActiveSkinObject.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskIconImage.h"
#include "skinforms/TskMessageForm.h"
#include "skinforms/TskSkinMessage.h"
#include "skinforms/TskSkinStdLabel.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {
namespace {

using enum TMsgDlgBtn;

class SkinMessageTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    m_box = new TskSkinMessage(m_main);
    m_box->SetSkinData(m_skin);
    m_box->SetCtrlSkinData(m_skin);
    m_main->Show();
    Pump();
  }

  // Shows the box; while it is up, inspect runs with the dialog (from the
  // message loop), and the box is then answered by whatever inspect did.
  int32_t Show(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
               std::function<void(TskMessageForm&)> inspect) {
    SetTimer(100, [this, inspect](uint32_t id) {
      KillTimer(id);
      auto* form = dynamic_cast<TskMessageForm*>(Screen().ActiveForm());
      ASSERT_NE(form, nullptr);
      inspect(*form);
      // Whatever happened, never leave the box up.
      if (form == Screen().ActiveForm() && !form->ModalResult()) SetTimer(500, [](uint32_t id2) {
          KillTimer(id2);
          if (auto* f = dynamic_cast<TskMessageForm*>(Screen().ActiveForm())) f->SetModalResult(99);
        });
    });
    return m_box->MessageDlg(msg, type, buttons);
  }

  static TskSkinButton* ButtonOf(TskMessageForm& form, const char* name) {
    return dynamic_cast<TskSkinButton*>(form.FindComponent(name));
  }
  static TskSkinStdLabel* LabelOf(TskMessageForm& form) {
    return dynamic_cast<TskSkinStdLabel*>(form.FindComponent("Message"));
  }
  static TskIconImage* ImageOf(TskMessageForm& form) {
    return dynamic_cast<TskIconImage*>(form.FindComponent("Image"));
  }
  // Extent of a text in a font, measured on a bitmap of our own.
  static TSize Extent(const std::string& text, const std::string& font, int32_t height) {
    ui::TBitmap b(10, 10);
    b.Canvas().Font().SetName(font);
    b.Canvas().Font().SetHeight(height);
    return b.Canvas().TextExtent(text);
  }

  TskSkinMessage* m_box = nullptr;
};

TEST_F(SkinMessageTest, ErrorBoxHasOneCentredCancelButtonUnderTheText) {
  const std::string msg = "目标文件名无效!";
  const TSize text = Extent(msg, "宋体", 14);
  bool inspected = false;
  const int32_t result = Show(msg, TMsgDlgType::mtError, {mbCancel}, [&](TskMessageForm& form) {
    inspected = true;
    EXPECT_EQ(form.Caption(), "错误");
    TskSkinStdLabel* label = LabelOf(form);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->BoundsRect(), TRect::FromSize(50, 15, text.cx, text.cy));
    const int32_t wL = label->Width(), hL = label->Height();
    ASSERT_NE(ImageOf(form), nullptr);
    EXPECT_EQ(ImageOf(form)->BoundsRect(), TRect::FromSize(5, std::max(10, 15 + hL / 2 - 16), 32, 32));
    EXPECT_EQ(ImageOf(form)->Icon(), TSystemIcon::Error);
    const int32_t cw = std::max(70, 50 + wL) + 40;
    EXPECT_EQ(form.ClientWidth(), cw);
    EXPECT_EQ(form.ClientHeight(), 20 + hL + 50);
    EXPECT_EQ(form.Width(), cw + 8);
    TskSkinButton* cancel = ButtonOf(form, "Cancel");
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->Caption(), "取消");
    EXPECT_EQ(cancel->BoundsRect(), TRect::FromSize((cw - 70) / 2, 20 + hL + 50 - 20 - 10, 70, 20));
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_FALSE(cancel->Default());
    EXPECT_EQ(ButtonOf(form, "OK"), nullptr);
    // Centred on the screen.
    const TRect r = form.BoundsRect();
    EXPECT_LE(std::abs(r.Left + r.Width() / 2 - 512), 1);
    EXPECT_LE(std::abs(r.Top + r.Height() / 2 - 384), 1);
    Key(VK_ESCAPE);
  });
  EXPECT_TRUE(inspected);
  EXPECT_EQ(result, 2);
  // A click on the button gives the same; the box is gone afterwards.
  EXPECT_EQ(Show(msg, TMsgDlgType::mtError, {mbCancel}, [&](TskMessageForm& form) { Click(ButtonOf(form, "Cancel")); }),
            2);
  EXPECT_EQ(Screen().ActiveForm(), m_main);
}

TEST_F(SkinMessageTest, ConfirmationAnswersYesOnEnterNoOnEscapeAndCancelOnClose) {
  const auto ask = [&](std::function<void(TskMessageForm&)> answer) {
    return Show("您确定要停止转换吗?", TMsgDlgType::mtConfirmation, {mbYes, mbNo}, answer);
  };
  EXPECT_EQ(ask([&](TskMessageForm& form) {
              EXPECT_EQ(form.Caption(), "确认");
              EXPECT_EQ(ImageOf(form)->Icon(), TSystemIcon::Question);
              TskSkinButton* yes = ButtonOf(form, "Yes");
              TskSkinButton* no = ButtonOf(form, "No");
              ASSERT_TRUE(yes && no);
              EXPECT_EQ(yes->Caption(), "是(&Y)");
              EXPECT_EQ(no->Caption(), "否(&N)");
              EXPECT_TRUE(yes->Default());
              EXPECT_TRUE(no->Cancel());
              // Yes left of No, 10 apart, the pair centred.
              EXPECT_EQ(no->Left(), yes->Left() + 80);
              EXPECT_EQ(yes->Left(), (form.ClientWidth() - 150) / 2);
              Key(VK_RETURN);
            }),
            6);
  EXPECT_EQ(ask([&](TskMessageForm&) { Key(VK_ESCAPE); }), 7);
  EXPECT_EQ(ask([&](TskMessageForm& form) { SendMessage(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }), 2);
  // A click on the frame's close button.
  EXPECT_EQ(ask([&](TskMessageForm& form) {
              auto* close = form.Frame().Objects().Find("closebutton");
              ASSERT_NE(close, nullptr);
              const TRect r = close->ObjectRect;
              Desk().Click(GetWindowRect(form.Handle()).TopLeft() + TPoint{r.Left + r.Width() / 2, r.Top + r.Height() / 2});
              Pump();
            }),
            2);
  // The accelerator of No.
  EXPECT_EQ(ask([&](TskMessageForm&) { Key('N', {TShiftKey::Alt}); }), 7);
}

TEST_F(SkinMessageTest, WidthIsHeldBetweenTheFrameBoundsWithTheRowCentredInIt) {
  // A very short text: the window is as wide as the frame picture (158).
  Show("好", TMsgDlgType::mtInformation, {mbOK}, [&](TskMessageForm& form) {
    EXPECT_EQ(form.Caption(), "信息");
    EXPECT_EQ(form.Width(), 158);
    EXPECT_EQ(form.ClientWidth(), 150);
    TskSkinButton* ok = ButtonOf(form, "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Caption(), "确定");
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(ok->Cancel());
    EXPECT_EQ(ok->Left(), (150 - 70) / 2);
    Key(VK_RETURN);
  });
  // A text wider than the work area: the window takes the work area's width
  // and the button stays in the middle of it.
  const std::string wide(200, 'W');
  Show(wide, TMsgDlgType::mtWarning, {mbOK, mbCancel}, [&](TskMessageForm& form) {
    EXPECT_EQ(form.Caption(), "警告");
    EXPECT_EQ(form.Width(), 1024);
    EXPECT_EQ(ButtonOf(form, "OK")->Left(), (1016 - 150) / 2);
    EXPECT_EQ(ButtonOf(form, "Cancel")->Left(), (1016 - 150) / 2 + 80);
    Key(VK_ESCAPE);
  });
  // Eleven buttons: the row decides the width.
  const TMsgDlgButtons all = TMsgDlgButtons::FromBits(0x7FF);
  Show("?", TMsgDlgType::mtConfirmation, all, [&](TskMessageForm& form) {
    EXPECT_EQ(form.ClientWidth(), 11 * 70 + 100 + 40);
    EXPECT_EQ(ButtonOf(form, "Yes")->Left(), 20);
    EXPECT_EQ(ButtonOf(form, "Help")->Left(), 20 + 10 * 80);
    // Default OK, cancel Cancel.
    EXPECT_TRUE(ButtonOf(form, "OK")->Default());
    EXPECT_FALSE(ButtonOf(form, "Yes")->Default());
    EXPECT_TRUE(ButtonOf(form, "Cancel")->Cancel());
    EXPECT_FALSE(ButtonOf(form, "No")->Cancel());
    EXPECT_EQ(ButtonOf(form, "YesToAll")->Caption(), "全部是");
    Key(VK_ESCAPE);
  });
}

TEST_F(SkinMessageTest, ButtonResultsDefaultsAndHelp) {
  const struct {
    TMsgDlgBtn Button;
    int32_t Result;
  } table[] = {{mbYes, 6}, {mbNo, 7}, {mbOK, 1}, {mbCancel, 2}, {mbAbort, 3}, {mbRetry, 4},
               {mbIgnore, 5}, {mbAll, 8}, {mbNoToAll, 9}, {mbYesToAll, 10}};
  for (const auto& row : table)
    EXPECT_EQ(Show("x", TMsgDlgType::mtWarning, {row.Button, mbHelp},
                   [&](TskMessageForm& form) { Click(ButtonOf(form, MsgDlgButtonName(row.Button))); }),
              row.Result)
        << MsgDlgButtonName(row.Button);
  // Abort, Retry, Ignore: Retry is the default, nothing answers Escape.
  EXPECT_EQ(Show("x", TMsgDlgType::mtError, {mbAbort, mbRetry, mbIgnore}, [&](TskMessageForm& form) {
              EXPECT_TRUE(ButtonOf(form, "Retry")->Default());
              Key(VK_ESCAPE);
              EXPECT_EQ(form.ModalResult(), 0);
              Key(VK_RETURN);
            }),
            4);
  // Help calls the handler with the context and leaves the box open.
  int32_t helped = -1;
  m_box->OnHelp = [&](int32_t context) { helped = context; };
  SetTimer(100, [&](uint32_t id) {
    KillTimer(id);
    auto& form = *dynamic_cast<TskMessageForm*>(Screen().ActiveForm());
    Click(ButtonOf(form, "Help"));
    EXPECT_EQ(helped, 17);
    EXPECT_EQ(Screen().ActiveForm(), &form);
    Click(ButtonOf(form, "OK"));
  });
  EXPECT_EQ(m_box->MessageDlg("x", TMsgDlgType::mtInformation, {mbOK, mbHelp}, 17), 1);
}

TEST_F(SkinMessageTest, UnknownKindIsCustomAndNoButtonsCloseOnlyThroughTheFrame) {
  Application().SetTitle("Tesmaro 2.0");
  EXPECT_EQ(Show("x", static_cast<TMsgDlgType>(9), {}, [&](TskMessageForm& form) {
              EXPECT_EQ(form.Caption(), "Tesmaro 2.0");
              EXPECT_FALSE(ImageOf(form)->Icon().has_value());
              Key(VK_RETURN);
              Key(VK_ESCAPE);
              EXPECT_EQ(form.ModalResult(), 0);
              SendMessage(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            }),
            2);
  // Bits beyond Help are ignored.
  EXPECT_EQ(Show("x", TMsgDlgType::mtCustom, TMsgDlgButtons::FromBits(0x804), [&](TskMessageForm& form) {
              int buttons = 0;
              for (size_t i = 0; i < form.ComponentCount(); ++i)
                if (dynamic_cast<TskSkinButton*>(form.Components(i))) ++buttons;
              EXPECT_EQ(buttons, 1);
              Key(VK_RETURN);
            }),
            1);
}

TEST_F(SkinMessageTest, ResourceStringsReplaceCaptionsAndMissingKeysKeepTheBuiltInOnes) {
  auto* strings = new TskResourceStrData(m_main);
  strings->SetResStrings({"MSG_BTN_RETRY=再来", "MSG_CAP_ERROR=出错了", "MSG_BTN_CANCEL="});
  m_skin->SetResourceStrData(strings);
  Show("x", TMsgDlgType::mtError, {mbRetry, mbCancel, mbOK}, [&](TskMessageForm& form) {
    EXPECT_EQ(form.Caption(), "出错了");
    EXPECT_EQ(ButtonOf(form, "Retry")->Caption(), "再来");
    EXPECT_EQ(ButtonOf(form, "Cancel")->Caption(), "取消");  // empty text
    EXPECT_EQ(ButtonOf(form, "OK")->Caption(), "确定");      // no such key
    Key(VK_ESCAPE);
  });
}

TEST_F(SkinMessageTest, WithoutSkinButtonsAre25HighAndTheTextUsesTheDefaultFont) {
  m_box->SetSkinData(nullptr);
  m_box->SetCtrlSkinData(nullptr);
  const TSize text = Extent("目标文件名无效!", "Arial", 14);
  Show("目标文件名无效!", TMsgDlgType::mtError, {mbCancel}, [&](TskMessageForm& form) {
    EXPECT_EQ(LabelOf(form)->Canvas().Font().Name(), "Arial");
    EXPECT_EQ(LabelOf(form)->BoundsRect(), TRect::FromSize(50, 15, text.cx, text.cy));
    EXPECT_EQ(ButtonOf(form, "Cancel")->Height(), 25);
    EXPECT_EQ(form.ClientHeight(), 25 + text.cy + 50);
    EXPECT_GE(form.Width(), 120);
    Key(VK_ESCAPE);
  });
  // A button section that is not a button's gives 25 too.
  m_box->SetCtrlSkinData(m_skin);
  m_box->ButtonSkinDataName = "panel";
  EXPECT_EQ(m_box->ButtonHeight(), 25);
  m_box->ButtonSkinDataName = "button";
  EXPECT_EQ(m_box->ButtonHeight(), 20);
  // Freeing the skin data clears the references.
  m_skin->Free();
  m_skin = nullptr;
  EXPECT_EQ(m_box->SkinData(), nullptr);
  EXPECT_EQ(m_box->CtrlSkinData(), nullptr);
}

TEST_F(SkinMessageTest, TextIsDrawnInTheSkinLabelFontAndColour) {
  Show("目标文件名无效!", TMsgDlgType::mtError, {mbCancel}, [&](TskMessageForm& form) {
    TskSkinStdLabel* label = LabelOf(form);
    ui::TFont font;
    label->SelectFont(font);
    EXPECT_EQ(font.Name(), "宋体");
    EXPECT_EQ(font.Height(), 14);
    EXPECT_EQ(font.Color(), TColor(0));
    // Black ink inside the label, nothing black right of it.
    Pump();
    const TBitmap shot = CaptureWindow(form.Handle());
    const TPoint origin = form.ClientToScreen({0, 0}) - form.BoundsRect().TopLeft();
    int black = 0, outside = 0;
    for (int32_t y = 0; y < form.ClientHeight(); ++y)
      for (int32_t x = 40; x < form.ClientWidth(); ++x) {
        if (shot.GetPixel(origin.X + x, origin.Y + y) != TColor(0)) continue;
        if (label->BoundsRect().Contains({x, y})) ++black;
        else if (y < label->Top() + label->Height()) ++outside;
      }
    EXPECT_GT(black, 20);
    EXPECT_EQ(outside, 0);
    Key(VK_ESCAPE);
  });
}

TEST_F(SkinMessageTest, AutomationLogsAndAnswersWithoutShowing) {
  const std::string log = ::testing::TempDir() + "skinmessage.log";
  std::remove(log.c_str());
  setenv("TM_DIALOG_LOG", log.c_str(), 1);
  setenv("TM_DIALOG_ANSWER", "1", 1);
  EXPECT_EQ(m_box->MessageDlg("要吗?", TMsgDlgType::mtConfirmation, {mbYes, mbNo}), 6);
  // The converter's three boxes: a question answered by its default 是 is
  // true; an error and a notice.
  EXPECT_TRUE(m_box->Confirm("移去吗?"));
  m_box->ShowError("坏了");
  m_box->ShowInformation("好了");
  // Neither default nor cancel button: 2.
  EXPECT_EQ(m_box->MessageDlg("?", TMsgDlgType::mtWarning, {mbAbort, mbIgnore}), 2);
  unsetenv("TM_DIALOG_LOG");
  unsetenv("TM_DIALOG_ANSWER");
  std::ifstream in(log);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"确认\t要吗?\t是(&Y),否(&N)\t1", "确认\t移去吗?\t是(&Y),否(&N)\t1",
                                             "错误\t坏了\t取消\t1", "信息\t好了\t确定\t1",
                                             "警告\t?\t中止,忽略\t1"}));
}

}  // namespace
}  // namespace tsm
