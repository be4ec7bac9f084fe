#pragma once
// TCustomEdit / TEdit: the framework's own single-line edit control, the
// "native" edit that the skinned edits stand on.
//
// Text is UTF-8; positions (SelStart, SelLength) are byte offsets that always
// lie on character boundaries. MaxLength limits what the user can enter, in
// bytes, and never cuts a character in two (0: no limit). Setting Text from
// code is not limited, resets the selection and raises OnChange, also while
// ReadOnly.
//
// Input: typing (WM_CHAR, one code point each, IME text included; the text
// being composed is shown underlined at the caret), Backspace, Delete, the
// arrows, Home and End (with Shift to select, with Ctrl by words), the
// clipboard keys (Ctrl+C/X/V, Ctrl+Insert, Shift+Insert, Shift+Delete),
// Ctrl+A (select all) and Ctrl+Z (undo of the last change; a run of typing
// counts as one change). The mouse places the caret, drags a selection,
// Shift+click extends it and a double click selects a word. Enter and
// Escape never change the text: they reach OnKeyPress as 13 and 27 when the
// form does not take them as dialog keys. ReadOnly refuses every change by
// the user; selecting and copying still work.
//
// Filtering: IsValidChar decides which typed (and pasted) characters are
// accepted: NumbersOnly, the CharFilter hook, or an override.
//
// Drawing: the client area is the text area. The frame (BorderStyle bsSingle:
// a sunken 2-pixel edge) is non-client: descendants answer WM_NCCALCSIZE and
// WM_NCPAINT to draw their own. The background comes from WM_ERASEBKGND; with
// TransparentDrawing the text is drawn over whatever the erase painted (the
// default erase then paints what lies under the edit), otherwise over Color.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/controls/WinControl.h"

namespace tsm {

enum class TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);

  // --- Selection (byte offsets on character boundaries) ---
  int32_t SelStart() const;
  void SetSelStart(int32_t start);
  int32_t SelLength() const;
  void SetSelLength(int32_t length);
  std::string SelText() const;
  // Replaces the selection as if typed (no limit, no filter; read-only or not).
  void SetSelText(const std::string& text);
  // The caret's offset (the moving end of the selection).
  int32_t CaretPos() const { return static_cast<int32_t>(m_caret); }
  void SelectAll();
  void ClearSelection();

  // --- Clipboard and undo ---
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool CanUndo() const { return m_canUndo; }
  void Undo();
  void ClearUndo() { m_canUndo = false; }

  // --- Properties ---
  int32_t MaxLength() const { return m_maxLength; }
  void SetMaxLength(int32_t bytes) { m_maxLength = bytes < 0 ? 0 : bytes; }
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool on);
  char32_t PasswordChar() const { return m_passwordChar; }
  void SetPasswordChar(char32_t ch);
  TEditCharCase CharCase() const { return m_charCase; }
  void SetCharCase(TEditCharCase charCase);
  bool AutoSelect() const { return m_autoSelect; }
  void SetAutoSelect(bool on) { m_autoSelect = on; }
  bool HideSelection() const { return m_hideSelection; }
  void SetHideSelection(bool on);
  bool Modified() const { return m_modified; }
  void SetModified(bool on) { m_modified = on; }
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment);
  TBorderStyle BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(TBorderStyle style);
  bool TransparentDrawing() const { return m_transparent; }
  void SetTransparentDrawing(bool on);
  bool NumbersOnly() const { return m_numbersOnly; }
  void SetNumbersOnly(bool on) { m_numbersOnly = on; }
  // Pixels kept free left and right of the text.
  int32_t Margin() const { return m_margin; }
  void SetMargin(int32_t pixels);

  // The text being composed by the input method (not yet part of Text).
  const std::string& CompositionText() const { return m_composition; }

  // Extra character filter: answers whether ch may be entered.
  std::function<bool(char32_t ch)> CharFilter;
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void PaintWindow(TDeviceContext& dc) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DblClick() override;
  void FocusGained() override;
  void FocusLost() override;
  void TextChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void Resized() override;
  // A password edit shows its marks, never its text.
  void DescribeState(TStateDescription& state) override;
  void CreateHandleDone() override;

  // Whether a typed or pasted character is accepted (control characters
  // never reach it).
  virtual bool IsValidChar(char32_t ch) const;
  // After every change of the text.
  virtual void Change();
  // The colour of the text (not of selected text): Font's colour, the grey
  // text colour while disabled.
  virtual TColor TextColor() const;

  virtual void WMEraseBkgnd(TMessage& m) override;
  virtual void WMNCCalcSize(TMessage& m);
  virtual void WMNCPaint(TMessage& m);
  void WMGetDlgCode(TMessage& m) override;

  // Layout helpers for descendants that draw around the text.
  int32_t TextTop() const;
  // The x of a byte offset in client coordinates (scrolling applied).
  int32_t PosToX(size_t pos) const;
  // The offset of the character boundary nearest to client x.
  size_t XToPos(int32_t x) const;

 private:
  void WMImeComposition(TMessage& m);
  void WMImeEndComposition(TMessage& m);
  void WMClipboardCommand(TMessage& m);

  // Replaces the selection with text typed or pasted by the user: applies
  // ReadOnly, the filter, the case and MaxLength. Answers whether anything
  // changed.
  bool UserInsert(std::string text, bool typing);
  // Replaces [start, end) with text, puts the caret after it, records undo.
  void ReplaceRange(size_t start, size_t end, const std::string& text, bool typing);
  void SetTextRaw(std::string text);
  void SetSelection(size_t anchor, size_t caret);
  void MoveCaret(size_t pos, bool extend);
  size_t PrevCharPos(size_t pos) const;
  size_t NextCharPos(size_t pos) const;
  size_t PrevWordPos(size_t pos) const;
  size_t NextWordPos(size_t pos) const;
  // The text as shown (password characters in place of the text).
  std::string DisplayText() const;
  // Display-text byte offset of a text byte offset.
  size_t DisplayOffset(size_t pos) const;
  int32_t TextWidthTo(size_t pos) const;
  void ScrollToCaret();
  void UpdateCaret();
  int32_t FontHeight() const;

  size_t m_anchor = 0;
  size_t m_caret = 0;
  int32_t m_scroll = 0;
  int32_t m_maxLength = 0;
  bool m_readOnly = false;
  char32_t m_passwordChar = 0;
  TEditCharCase m_charCase = TEditCharCase::ecNormal;
  bool m_autoSelect = true;
  bool m_hideSelection = true;
  bool m_modified = false;
  TAlignment m_alignment = TAlignment::taLeftJustify;
  TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
  bool m_transparent = false;
  bool m_numbersOnly = false;
  int32_t m_margin = 2;
  bool m_dragging = false;
  bool m_internalChange = false;
  bool m_caretCreated = false;
  std::string m_composition;
  // One step of undo: the text and selection before the last change.
  bool m_canUndo = false;
  bool m_typingRun = false;
  std::string m_undoText;
  size_t m_undoAnchor = 0;
  size_t m_undoCaret = 0;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

// The edit the skinned edits derive from. It adds nothing to TCustomEdit but
// the name: input masks (EditMask) are not supported; masked input is done
// with PasswordChar and filtered input with IsValidChar / CharFilter.
class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}
};

}  // namespace tsm
