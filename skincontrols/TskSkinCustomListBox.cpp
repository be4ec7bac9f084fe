#include "skincontrols/TskSkinCustomListBox.h"

#include <algorithm>

#include "framework/controls/StateDescription.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskSkinData.h"
#include "skincontrols/SkinEditLook.h"
#include "skincontrols/TskSkinScrollBar.h"

namespace tsm {

namespace {

constexpr int32_t kUnskinnedBar = 19;

}  // namespace

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* owner) : TskSkinCustomControl(owner) {
  SetSkinDataName("listbox");
  SetTabStop(false);
  SetControlStyle(ControlStyle().Exclude(TControlStyleFlag::ClickEvents));

  m_list = new TskListBox(this);
  m_list->SetParent(this);
  m_list->OnDrawItem = [this](TCanvas& c, int32_t i, const TRect& r, TOwnerDrawState s) { DrawItem(c, i, r, s); };
  m_list->OnDrawBackground = [this](TCanvas& c, const TRect& r) { DrawListBackground(c, r); };
  m_list->OnItemsChange = [this](TObject*) { m_widest = -1; };
  m_list->OnScroll = [this](TObject*) { ListScrolled(); };
  m_list->OnSelect = [this](TObject*) { CallEvent(OnClick, this); };
  m_list->OnDblClick = [this](TObject*) { CallEvent(OnDblClick, this); };

  m_vbar = new TskSkinScrollBar(this);
  m_vbar->SetVisible(false);
  m_vbar->SetKind(TScrollBarKind::sbVertical);
  m_vbar->SetSkinDataName("");
  m_vbar->SetDefaultHeight(0);
  m_vbar->SetDefaultWidth(kUnskinnedBar);
  m_vbar->SetParent(this);
  m_vbar->OnChange = [this](TObject*) { m_list->SetTopIndex(m_vbar->Position()); };

  m_hbar = new TskSkinScrollBar(this);
  m_hbar->SetVisible(false);
  m_hbar->SetSkinDataName("");
  m_hbar->SetSmallChange(8);
  m_hbar->SetParent(this);
  m_hbar->OnChange = [this](TObject*) { m_list->SetHorizontalOffset(m_hbar->Position()); };

  m_defaultCaptionFont.OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(0, 0, 120, 100);
  UpdateScrollBars();
}

// --- Rows -----------------------------------------------------------------------

int32_t TskSkinCustomListBox::ItemHeight() const {
  if (Skinned() && m_useSkinItemHeight && m_data.ItemRect.Height() > 0) return m_data.ItemRect.Height();
  return m_defaultItemHeight;
}

void TskSkinCustomListBox::SetUseSkinItemHeight(bool on) {
  if (on == m_useSkinItemHeight) return;
  m_useSkinItemHeight = on;
  UpdateScrollBars();
}

void TskSkinCustomListBox::SetDefaultItemHeight(int32_t height) {
  if (height < 1 || height == m_defaultItemHeight) return;
  m_defaultItemHeight = height;
  UpdateScrollBars();
}

void TskSkinCustomListBox::ApplyItemHeight() { m_list->SetItemHeight(ItemHeight()); }

void TskSkinCustomListBox::SetRowCount(int32_t rows) {
  if (rows <= 0) return;
  m_rowCount = rows;
  ReadSkinData();
  const TskListBoxSkinHeights heights{SkinRectangle().Height(), SkinClientRect().Height()};
  const int32_t caption = !Skinned() && m_captionMode ? m_defaultCaptionHeight : 0;
  int32_t height = ListBoxHeightForRows(rows, ItemHeight(), Skinned() ? &heights : nullptr, caption, 0);
  if (m_horizontalExtent) {
    // With a horizontal bar the rows stay whole: the bar's height comes on top.
    const int32_t bar = BarThickness(m_hbar, false);
    TskListBoxLayoutInput in;
    in.Size = {Width(), height + bar};
    in.Skinned = Skinned();
    in.Client = SkinGeometry().FittedClientRect;
    in.Client.Bottom += height + bar - Height();
    in.CaptionHeight = caption;
    in.VBarWidth = BarThickness(m_vbar, true);
    in.HBarHeight = bar;
    in.Count = ItemCount();
    in.ItemHeight = ItemHeight();
    in.HorizontalExtent = true;
    in.ContentWidth = WidestItem();
    if (LayoutListBox(in).HasHBar()) height += bar;
  }
  SetBounds(Left(), Top(), Width(), height);
}

// --- Pictures, long items, caption -------------------------------------------------

void TskSkinCustomListBox::SetImages(TImageList* images) {
  if (images == m_images) return;
  if (m_images) m_images->RemoveFreeNotification(this);
  m_images = images;
  if (m_images) m_images->FreeNotification(this);
  m_widest = -1;
  UpdateScrollBars();
  m_list->Invalidate();
}

void TskSkinCustomListBox::SetImageIndex(int32_t index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  m_list->Invalidate();
}

void TskSkinCustomListBox::Notification(TComponent* component, TOperation operation) {
  TskSkinCustomControl::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_images) {
    m_images = nullptr;
    m_widest = -1;
    if (!IsDestroying()) m_list->Invalidate();
  }
}

void TskSkinCustomListBox::SetHorizontalExtent(bool on) {
  if (on == m_horizontalExtent) return;
  m_horizontalExtent = on;
  m_widest = -1;
  UpdateScrollBars();
}

void TskSkinCustomListBox::SetCaptionMode(bool on) {
  if (on == m_captionMode) return;
  m_captionMode = on;
  UpdateScrollBars();
  Invalidate();
}

void TskSkinCustomListBox::SetCaptionAlignment(TAlignment alignment) {
  if (alignment == m_captionAlignment) return;
  m_captionAlignment = alignment;
  Invalidate();
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int32_t height) {
  if (height < 0 || height == m_defaultCaptionHeight) return;
  m_defaultCaptionHeight = height;
  UpdateScrollBars();
  Invalidate();
}

// --- Skin ---------------------------------------------------------------------------

void TskSkinCustomListBox::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinListBox>();
  if (!data || !SkinPicture()) {
    Unskin();
    return;
  }
  m_data = *data;
  m_itemSkin = TskListItemSkin::From(*data, *SkinData());
}

void TskSkinCustomListBox::SetSkinData(TskSkinData* data) {
  m_vbar->SetSkinData(data);
  m_hbar->SetSkinData(data);
  TskSkinCustomControl::SetSkinData(data);
  UpdateScrollBars();
}

void TskSkinCustomListBox::PrepareSkinChange() {
  TskSkinCustomControl::PrepareSkinChange();
  m_vbar->PrepareSkinChange();
  m_hbar->PrepareSkinChange();
}

void TskSkinCustomListBox::ApplySkinChange() {
  const auto alive = AliveToken();
  TskSkinCustomControl::ApplySkinChange();
  if (alive.expired()) return;
  m_widest = -1;
  BindBars();
  m_vbar->ApplySkinChange();
  m_hbar->ApplySkinChange();
  UpdateScrollBars();
  m_list->Invalidate();
}

void TskSkinCustomListBox::BindBars() {
  ReadSkinData();
  const bool skinned = Skinned();
  m_vbar->SetSkinDataName(skinned ? m_data.VScrollBarName : "");
  m_hbar->SetBothSkinDataName(skinned ? m_data.BothHScrollBarName : "");
  m_hbar->SetSkinDataName(skinned ? (m_hbar->Both() ? m_data.BothHScrollBarName : m_data.HScrollBarName) : "");
}

int32_t TskSkinCustomListBox::BarThickness(TskSkinScrollBar* bar, bool vertical) {
  bar->ReadSkinData();
  if (!bar->Skinned() || bar->SkinRectangle().IsEmpty()) return kUnskinnedBar;
  return vertical ? bar->SkinRectangle().Width() : bar->SkinRectangle().Height();
}

// --- Layout ------------------------------------------------------------------------

bool TskSkinCustomListBox::HasVScrollBar() const { return m_vbar->Visible(); }

bool TskSkinCustomListBox::HasHScrollBar() const { return m_hbar->Visible(); }

void TskSkinCustomListBox::Resized() {
  TskSkinCustomControl::Resized();
  UpdateScrollBars();
}

void TskSkinCustomListBox::ListScrolled() {
  if (!m_layingOut) UpdateScrollBars();
}

int32_t TskSkinCustomListBox::WidestItem() {
  if (m_widest >= 0) return m_widest;
  ui::TBitmap probe;
  probe.SetSize(1, 1);
  SelectItemFont(probe.Canvas().Font());
  int32_t widest = 0;
  for (const std::string& text : Items().Strings()) widest = std::max(widest, probe.Canvas().TextWidth(text));
  if (widest == 0) return m_widest = 0;
  int32_t margins = 4;
  if (Skinned() && !RectIsEmpty(m_data.ItemRect))
    margins = m_data.ItemTextRect.Left + (m_data.ItemRect.Width() - m_data.ItemTextRect.Right) + 2;
  if (m_images) margins += m_images->Width() + 2;
  m_widest = widest + margins;
  return m_widest;
}

void TskSkinCustomListBox::UpdateScrollBars() {
  if (m_layingOut || IsDestroying()) return;
  m_layingOut = true;
  BindBars();
  ApplyItemHeight();
  const bool both = m_hbar->Both();
  TskListBoxLayoutInput in;
  in.Size = {Width(), Height()};
  in.Skinned = Skinned();
  in.Client = SkinGeometry().FittedClientRect;
  in.CaptionHeight = !Skinned() && m_captionMode ? m_defaultCaptionHeight : 0;
  in.VBarWidth = BarThickness(m_vbar, true);
  in.HBarHeight = BarThickness(m_hbar, false);
  in.Count = ItemCount();
  in.ItemHeight = ItemHeight();
  in.HorizontalExtent = m_horizontalExtent;
  in.ContentWidth = m_horizontalExtent ? WidestItem() : 0;
  const TskListBoxLayout l = LayoutListBox(in);

  m_list->SetBoundsRect(l.Inner);
  m_list->SetScrollWidth(l.HasHBar() ? in.ContentWidth : 0);

  if (l.HasVBar()) {
    m_vbar->SetBoundsRect(l.VBar);
    m_vbar->SetParams(0, ItemCount() - 1, std::max(l.Rows, 1), m_list->TopIndex());
    m_vbar->SetLargeChange(std::max(l.Rows, 1));
  }
  m_vbar->SetVisible(l.HasVBar());

  if (l.HasHBar()) {
    if (both != l.HasVBar()) {
      m_hbar->SetBoth(l.HasVBar());
      BindBars();
    }
    m_hbar->SetBoundsRect(l.HBar);
    m_hbar->SetParams(0, in.ContentWidth - 1, l.Inner.Width(), m_list->HorizontalOffset());
    m_hbar->SetLargeChange(std::max(l.Inner.Width(), 1));
  }
  m_hbar->SetVisible(l.HasHBar());
  m_layingOut = false;
}

// --- Painting ----------------------------------------------------------------------

void TskSkinCustomListBox::SelectItemFont(ui::TFont& font) const {
  SelectFont(font, {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
}

void TskSkinCustomListBox::DrawItem(TCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) {
  ReadSkinData();
  const bool skinned = Skinned();
  if (!Enabled()) state.Include(TOwnerDrawStateFlag::odDisabled);
  SelectItemFont(canvas.Font());
  const TRect text = DrawListItemLook(canvas, rect, state, skinned ? &m_itemSkin : nullptr, DefaultFont().Color());
  if (OnDrawItem) {
    const TskDrawSkinItemEvent handler = OnDrawItem;
    handler(this, canvas, index, rect.Width(), rect.Height(), text, state);
  } else if (index >= 0 && index < ItemCount()) {
    DrawItemImageAndText(canvas, text, Items()[index], m_images, m_imageIndex >= 0 ? m_imageIndex : index,
                         Enabled());
  }
  if (ListItemWantsFocusRect(state, skinned)) canvas.DrawFocusRect(rect);
}

void TskSkinCustomListBox::DrawListBackground(TCanvas& canvas, const TRect& rect) {
  TDeviceContext* dc = canvas.Handle();
  if (!dc) return;
  ReadSkinData();
  if (!Skinned()) {
    dc->FillRect(rect, clWindow);
    return;
  }
  // What the frame image holds under the inner list.
  ui::TBitmap frame;
  if (!BuildImage(frame)) return;
  const TPoint at = rect.TopLeft() + TPoint{m_list->Left(), m_list->Top()};
  dc->BitBlt(rect.Left, rect.Top, rect.Width(), rect.Height(), frame.Image().Surface(), at.X, at.Y);
}

void TskSkinCustomListBox::DrawFallbackImage(ui::TBitmap& image) {
  TDeviceContext* dc = image.Canvas().Handle();
  if (!dc) return;
  const TRect r{0, 0, image.Width(), image.Height()};
  dc->FillRect(r, clBtnFace);
  dc->FrameRect(r, clBtnShadow);
  DrawCaption(image);
}

void TskSkinCustomListBox::DrawSkinImage(ui::TBitmap& image) {
  TskSkinCustomControl::DrawSkinImage(image);
  DrawCaption(image);
}

TRect TskSkinCustomListBox::CaptionRect() {
  if (!m_captionMode) return {};
  ReadSkinData();
  if (Skinned()) return RectIsEmpty(m_data.CaptionRect) ? TRect{} : SkinRectToControl(m_data.CaptionRect);
  return {1, 1, Width() - 1, 1 + m_defaultCaptionHeight};
}

TRect TskSkinCustomListBox::CaptionButtonRect(TskListCaptionButton button) {
  const TRect caption = CaptionRect();
  if (caption.IsEmpty() || button == TskListCaptionButton::None) return {};
  if (Skinned()) {
    const TRect& r = button == TskListCaptionButton::Up     ? m_data.UpButtonRect
                     : button == TskListCaptionButton::Down ? m_data.DownButtonRect
                                                            : m_data.CheckButtonRect;
    return RectIsEmpty(r) ? TRect{} : SkinRectToControl(r);
  }
  // Unskinned: three squares at the caption's right end: up, down, check.
  const int32_t size = std::max(caption.Height() - 2, 0);
  const int32_t slot = button == TskListCaptionButton::Check ? 0 : button == TskListCaptionButton::Down ? 1 : 2;
  const int32_t right = caption.Right - 1 - slot * size;
  return {right - size, caption.Top + 1, right, caption.Top + 1 + size};
}

void TskSkinCustomListBox::DrawCaption(ui::TBitmap& image) {
  const TRect caption = CaptionRect();
  TDeviceContext* dc = image.Canvas().Handle();
  if (caption.IsEmpty() || !dc) return;
  const bool skinned = Skinned();
  TRect textArea = caption;
  for (TskListCaptionButton b : {TskListCaptionButton::Up, TskListCaptionButton::Down, TskListCaptionButton::Check}) {
    const TRect r = CaptionButtonRect(b);
    if (r.IsEmpty()) continue;
    textArea.Right = std::min(textArea.Right, r.Left);
    const bool hot = m_hotButton == b;
    const bool pressed = m_pressedButton == b;
    if (skinned) {
      const TRect& look = b == TskListCaptionButton::Up
                              ? (pressed && hot ? m_data.DownUpButtonRect : m_data.ActiveUpButtonRect)
                          : b == TskListCaptionButton::Down
                              ? (pressed && hot ? m_data.DownDownButtonRect : m_data.ActiveDownButtonRect)
                              : (pressed && hot ? m_data.DownCheckButtonRect : m_data.ActiveCheckButtonRect);
      if ((hot || pressed) && !RectIsEmpty(look) && SkinPicture()) dc->StretchBlt(r, SkinPicture()->Surface(), look);
      continue;
    }
    DrawFallbackPart(*dc, r, hot, pressed, true);
    const TColor ink = Enabled() ? clBlack : clBtnShadow;
    if (b == TskListCaptionButton::Check)
      DrawCheckGlyph(*dc, r.Left + r.Width() / 2 - 3, r.Top + r.Height() / 2 - 3, ink);
    else
      DrawArrowGlyph(*dc, r, ink, b == TskListCaptionButton::Up ? 3 : 4);
  }
  ui::TFont& font = image.Canvas().Font();
  if (skinned && UseSkinFont()) {
    const TskSkinFont skinFont{m_data.CaptionFontName, m_data.CaptionFontHeight, m_data.CaptionFontStyle};
    SelectControlFont(font, m_defaultCaptionFont, &skinFont, SkinData());
    font.SetColor(m_data.CaptionFontColor);
  } else {
    SelectControlFont(font, m_defaultCaptionFont, nullptr, SkinData());
  }
  textArea.Inflate(-4, 0);
  TTextFormat format = TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::EndEllipsis | TTextFormat::NoPrefix;
  if (m_captionAlignment == TAlignment::taCenter) format = format | TTextFormat::Center;
  if (m_captionAlignment == TAlignment::taRightJustify) format = format | TTextFormat::Right;
  image.Canvas().Brush().Style = TBrushStyle::Clear;
  image.Canvas().DrawText(Caption(), textArea, format);
}

// --- Caption buttons -----------------------------------------------------------------

void TskSkinCustomListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TskListCaptionButton hot = TskListCaptionButton::None;
  for (TskListCaptionButton b : {TskListCaptionButton::Up, TskListCaptionButton::Down, TskListCaptionButton::Check})
    if (CaptionButtonRect(b).Contains({x, y})) hot = b;
  if (hot != m_hotButton) {
    m_hotButton = hot;
    Invalidate();
  }
  TskSkinCustomControl::MouseMove(shift, x, y);
}

void TskSkinCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == TMouseButton::Left && m_hotButton != TskListCaptionButton::None) {
    m_pressedButton = m_hotButton;
    Invalidate();
  }
  TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left && m_pressedButton != TskListCaptionButton::None) {
    const TskListCaptionButton pressed = m_pressedButton;
    m_pressedButton = TskListCaptionButton::None;
    Invalidate();
    if (CaptionButtonRect(pressed).Contains({x, y})) {
      CaptionButtonFired(pressed);
      if (alive.expired()) return;
    }
  }
  TskSkinCustomControl::MouseUp(button, shift, x, y);
}

void TskSkinCustomListBox::MouseLeave() {
  if (m_hotButton != TskListCaptionButton::None) {
    m_hotButton = TskListCaptionButton::None;
    Invalidate();
  }
  TskSkinCustomControl::MouseLeave();
}

void TskSkinCustomListBox::CaptionButtonFired(TskListCaptionButton button) {
  switch (button) {
    case TskListCaptionButton::Up: SetTopIndex(TopIndex() - 1); break;
    case TskListCaptionButton::Down: SetTopIndex(TopIndex() + 1); break;
    case TskListCaptionButton::Check: CallEvent(OnCheckButtonClick, this); break;
    case TskListCaptionButton::None: break;
  }
}

// --- State ---------------------------------------------------------------------------

void TskSkinCustomListBox::DefaultFontChanged() {
  TskSkinCustomControl::DefaultFontChanged();
  m_widest = -1;
  UpdateScrollBars();
  m_list->Invalidate();
}

void TskSkinCustomListBox::EnabledChanged() {
  TskSkinCustomControl::EnabledChanged();
  m_vbar->SetEnabled(Enabled());
  m_hbar->SetEnabled(Enabled());
  m_list->Invalidate();
}

void TskSkinCustomListBox::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  // Every item is a node item; the rows shown have their screen rectangle
  // (and can be clicked), the others an empty one.
  state.Set("itemCount", ItemCount());
  state.Set("itemIndex", ItemIndex());
  state.Set("topIndex", TopIndex());
  const bool shown = m_list->HandleAllocated();
  const TPoint origin = shown ? m_list->ClientOrigin() : TPoint{};
  const TRect client = m_list->ClientRect();
  for (int32_t i = 0; i < ItemCount(); ++i) {
    TRect row;
    if (shown && i >= TopIndex()) row = m_list->ItemRect(i).Intersected(client);
    TStateItem item{PlainTextAsCaption(Items()[i]), row.IsEmpty() ? TRect{} : row.Offsetted(origin), Enabled()};
    item.Fields.Set("selected", i == ItemIndex());
    state.AddItem(std::move(item));
  }
}

}  // namespace tsm
