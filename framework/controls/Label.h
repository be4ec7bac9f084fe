#pragma once
// TLabel: a caption drawn on its parent. With AutoSize (the default) it takes
// the size of its text (an empty caption is measured as one blank); with
// WordWrap the text wraps at the label's width. A transparent label draws no
// background. A disabled label draws its text twice: one pixel right and
// down in clBtnHighlight, then in place in clBtnShadow. The accelerator of
// the caption ("&N") focuses FocusControl.

#include "framework/controls/GraphicControl.h"
#include "platform/gfx/TextFormat.h"

namespace tsm {

class TWinControl;

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);

  bool AutoSize() const { return m_autoSize; }
  void SetAutoSize(bool on);
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return m_layout; }
  void SetLayout(TTextLayout layout);
  bool WordWrap() const { return m_wordWrap; }
  void SetWordWrap(bool on);
  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool on);
  bool ShowAccelChar() const { return m_showAccelChar; }
  void SetShowAccelChar(bool on);
  TWinControl* FocusControl() const { return m_focusControl; }
  void SetFocusControl(TWinControl* control);

  // The flags the label draws and measures its text with.
  TTextFormat TextFormat() const;
  // Sets font to what the label draws and measures its caption with (here
  // the label's own font).
  virtual void SelectFont(ui::TFont& font) const;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& message) override;
  void Paint() override;
  void FontChanged() override;
  void TextChanged() override;
  void Loaded() override;
  // Draws (or with CalcRect measures) the caption in rect.
  virtual void DoDrawText(TRect& rect, TTextFormat format);
  void AdjustBounds();

 private:
  void CMDialogChar(TMessage& m);

  bool m_autoSize = true;
  TAlignment m_alignment = TAlignment::taLeftJustify;
  TTextLayout m_layout = TTextLayout::tlTop;
  bool m_wordWrap = false;
  bool m_transparent = false;
  bool m_showAccelChar = true;
  TWinControl* m_focusControl = nullptr;
};

// Whether ch is the accelerator ("&" followed by the character, ASCII case
// ignored) of caption.
bool IsAccel(char32_t ch, std::string_view caption);

}  // namespace tsm
