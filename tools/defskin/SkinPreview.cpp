// tm_skinpreview [OUT.png [ZOOM.png X Y W H SCALE]]: loads the embedded
// default skin into a TskSkinData and renders every element through the
// skin composition primitives, at the sizes the program's windows use and a
// few others, into one sheet (default build/bin/skinpreview.png). With the
// extra arguments it also writes a nearest-neighbour enlargement of one part
// of the sheet, for checking single pixels.
//
// The sheet mirrors how the frame and the controls apply the skin (corner
// layouts, piece widths, caption buttons laid out from the right, text
// placement); it is a review aid, not the controls themselves.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Png.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {
namespace {

constexpr TColor kSheet = RGB(208, 213, 220);
constexpr TColor kLabel = RGB(70, 80, 95);

std::shared_ptr<TFont> FontOf(const std::string& name, int32_t height, const TskFontStyles& style) {
  TFontDesc d;
  d.Name = name;
  d.Height = height;
  d.Bold = style.Bold;
  d.Italic = style.Italic;
  d.Underline = style.Underline;
  d.StrikeOut = style.StrikeOut;
  return TFont::Create(d);
}

class TPreview {
 public:
  TPreview(const TskSkinData& skin, TBitmap& sheet) : m_skin(skin), m_sheet(sheet), m_dc(sheet) {
    m_dc.SetBkMode(TBkMode::Transparent);
  }

  void Label(int32_t x, int32_t y, const std::string& text) {
    m_dc.SetFont(TFont::Create({"宋体", -12}));
    m_dc.SetTextColor(kLabel);
    m_dc.TextOut(x, y, text);
  }

  void Put(const TBitmap& b, int32_t x, int32_t y) { m_dc.BitBlt(x, y, b.Width(), b.Height(), b.Surface(), 0, 0); }

  // Text vertically centred in r at its left (plus dx), in a skin font.
  void Text(const std::string& text, const TRect& r, const std::string& font, int32_t height,
            const TskFontStyles& style, TColor color, TTextFormat align = TTextFormat::Left) {
    m_dc.SetFont(FontOf(font, height, style));
    m_dc.SetTextColor(color);
    TRect rr = r;
    m_dc.DrawText(text, rr, align | TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::EndEllipsis);
  }

  // ---- Frame ---------------------------------------------------------------
  // A window of w x h: border bands (as the frame paints them), the client
  // background, the caption object with the text and the caption buttons
  // laid out from the buttons rectangle's right edge.
  void Frame(int32_t x, int32_t y, int32_t w, int32_t h, bool active, const std::string& caption,
             const std::vector<std::pair<std::string, int>>& buttons) {
    const TskSkinFormInfo& f = m_skin.FormInfo();
    const TBitmap& pic = m_skin.Picture();
    const TskFrameLayout s{f.LeftTopPoint, f.RightTopPoint, f.LeftBottomPoint, f.RightBottomPoint, f.ClientRect};
    const TskFrameLayout d = LayoutForSize(s, pic.Size(), {w, h});
    const TskFrameStrips strips = BuildFrameBorderStrips(pic, s, w, h, d);
    TBitmap window(w, h);
    TDeviceContext dc(window);
    // Client: the picture's client area tiled from the client's top-left.
    for (int32_t ty = d.Client.Top; ty < d.Client.Bottom; ty += f.ClientRect.Height())
      for (int32_t tx = d.Client.Left; tx < d.Client.Right; tx += f.ClientRect.Width())
        dc.BitBlt(tx, ty, std::min(f.ClientRect.Width(), d.Client.Right - tx),
                  std::min(f.ClientRect.Height(), d.Client.Bottom - ty), pic.Surface(), f.ClientRect.Left,
                  f.ClientRect.Top);
    dc.BitBlt(0, 0, strips.Top.Width(), strips.Top.Height(), strips.Top.Surface(), 0, 0);
    dc.BitBlt(0, strips.Top.Height(), strips.Left.Width(), strips.Left.Height(), strips.Left.Surface(), 0, 0);
    dc.BitBlt(w - strips.Right.Width(), strips.Top.Height(), strips.Right.Width(), strips.Right.Height(),
              strips.Right.Surface(), 0, 0);
    dc.BitBlt(0, h - strips.Bottom.Height(), strips.Bottom.Width(), strips.Bottom.Height(), strips.Bottom.Surface(),
              0, 0);
    const int32_t dx = w - pic.Width();
    // Caption object: spans the left-top and right-top zones, so it grows by dx.
    if (const auto* cap = m_skin.FindObject<TskDataSkinCaption>("caption")) {
      TRect obj = cap->SkinRect;
      obj.Right += dx;
      if (active && !cap->ActiveSkinRect.IsEmpty()) {
        const TBitmap* ap = m_skin.ActivePicture(cap->ActivePictureIndex);
        TBitmap img;
        const int32_t lw = f.LeftTopPoint.X - cap->SkinRect.Left;
        const int32_t rw = cap->SkinRect.Right - f.RightTopPoint.X;
        ComposeHorizontalImage(*ap, cap->ActiveSkinRect, lw, rw, img, obj.Width());
        dc.BitBlt(obj.Left, obj.Top, img.Width(), img.Height(), img.Surface(), 0, 0);
      }
      TRect tr = cap->TextRect.Offsetted(obj.TopLeft());
      tr.Right = obj.Left + obj.Width() + cap->TextRect.Right - cap->SkinRect.Width();
      dc.SetBkMode(TBkMode::Transparent);
      dc.SetFont(FontOf(cap->FontName, cap->FontHeight, cap->FontStyle));
      dc.SetTextColor(active ? cap->ActiveFontColor : cap->FontColor);
      dc.DrawText(caption, tr, TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::EndEllipsis);
    }
    int32_t cursor = f.ButtonsRect.Right + (f.ButtonsRect.Left > pic.Width() / 2 ? dx : 0);
    for (const auto& [name, state] : buttons) {
      const auto* b = m_skin.FindObject<TskDataSkinStdButton>(name);
      if (b == nullptr) continue;
      const TBitmap* ap = m_skin.ActivePicture(b->ActivePictureIndex);
      // state: 0 normal, 1 hot, 2 pressed, 3 normal in the restorable state
      TRect look = b->SkinRect;
      if (!active) look = state == 3 ? b->RestoreInactiveRect : b->InactiveSkinRect;
      else if (state == 1) look = b->ActiveSkinRect;
      else if (state == 2) look = b->DownRect;
      else if (state == 3) look = b->RestoreRect;
      cursor -= b->SkinRect.Width();
      dc.BitBlt(cursor, f.ButtonsRect.Top, look.Width(), look.Height(), ap->Surface(), look.Left, look.Top);
      cursor -= f.ButtonsOffset;
    }
    Put(window, x, y);
  }

  // ---- Controls --------------------------------------------------------------
  // A look of a control drawn by its stretch mode at w x h (width only:
  // the look's height).
  TBitmap Look(const TskDataSkinCustomControl& c, const TRect& look, int32_t w, int32_t h) {
    const TBitmap* pic = m_skin.ActivePicture(c.PictureIndex);
    TBitmap out;
    const TRect r = look.IsEmpty() ? c.SkinRect : look;
    if (c.RightBottomPoint.X != 0 && c.RightBottomPoint.Y != 0) {
      const TskFrameLayout s{c.LeftTopPoint, c.RightTopPoint, c.LeftBottomPoint, c.RightBottomPoint, c.ClientRect};
      ComposeFrameImage(*pic, r, s, out, w, h, LayoutForSize(s, r.Size(), {w, h}), true);
    } else if (c.RightTopPoint.X != 0 || c.RightTopPoint.Y != 0) {
      ComposeHorizontalImage(*pic, r, c.LeftTopPoint.X, r.Width() - c.RightTopPoint.X, out, w);
    } else if (c.LeftBottomPoint.X != 0 || c.LeftBottomPoint.Y != 0) {
      ComposeVerticalImage(*pic, r, c.LeftTopPoint.Y, r.Height() - c.LeftBottomPoint.Y, out, h);
    } else {
      out = pic->Cropped(r);
    }
    return out;
  }

  // Copies a look of the control's picture to (x, y).
  void Piece(const TskDataSkinControl& c, const TRect& look, int32_t x, int32_t y) {
    if (look.IsEmpty()) return;
    const TBitmap* pic = m_skin.ActivePicture(c.PictureIndex);
    m_dc.BitBlt(x, y, look.Width(), look.Height(), pic->Surface(), look.Left, look.Top);
  }

  // A width-only look stretched to height h (the controls' UseSkinSize off).
  TBitmap Stretched(const TBitmap& img, int32_t h) {
    TBitmap out(img.Width(), h);
    TDeviceContext dc(out);
    dc.StretchBlt(out.Bounds(), img.Surface(), img.Bounds());
    return out;
  }

  void Button(int32_t x, int32_t y, int32_t w, int state, const std::string& caption) {
    const auto* b = m_skin.FindControl<TskDataSkinButtonControl>("button");
    const TRect look = state == 1 ? b->ActiveSkinRect : state == 2 ? b->DownSkinRect : b->SkinRect;
    const TBitmap img = Look(*b, look, w, b->SkinRect.Height());
    Put(img, x, y);
    const TColor color =
        state == 3 ? b->DisabledFontColor : state == 2 ? b->DownFontColor : state == 1 ? b->ActiveFontColor : b->FontColor;
    TRect client = b->ClientRect;
    client.Right += w - b->SkinRect.Width();
    client.Offset(x + (state == 2 ? 1 : 0), y + (state == 2 ? 1 : 0));
    Text(caption, client, b->FontName, b->FontHeight, b->FontStyle, color, TTextFormat::Center);
  }

  // A resize button composed at r with a kind-4 (or other) arrow.
  void ResizeButton(const TRect& r, int state, int kind) {
    const auto* b = m_skin.FindControl<TskDataSkinButtonControl>("resizebutton");
    const TRect look = state == 1 ? b->ActiveSkinRect : state == 2 ? b->DownSkinRect : b->SkinRect;
    Put(Look(*b, look, r.Width(), r.Height()), r.Left, r.Top);
    const TColor color = state == 1 ? b->ActiveFontColor : state == 2 ? b->DownFontColor : b->FontColor;
    DrawArrowGlyph(m_dc, r.Offsetted(state == 2 ? 1 : 0, state == 2 ? 1 : 0), color, kind);
  }

  void Edit(const char* name, int32_t x, int32_t y, int32_t w, bool focused, int buttonState,
            const std::string& text, int32_t stretchTo = 0) {
    const auto* e = m_skin.FindControl<TskDataSkinEditControl>(name);
    TBitmap img = Look(*e, focused ? e->ActiveSkinRect : e->SkinRect, w, e->SkinRect.Height());
    if (stretchTo > 0) img = Stretched(img, stretchTo);
    Put(img, x, y);
    const int32_t dx = w - e->SkinRect.Width(), dh = stretchTo > 0 ? stretchTo - e->SkinRect.Height() : 0;
    if (!e->ButtonRect.IsEmpty()) {
      TRect br = e->ButtonRect;
      if (br.Left >= e->RightTopPoint.X) br.Offset(dx, 0);
      br.Bottom += dh;
      const TRect look = buttonState == 1 ? e->ActiveButtonRect : buttonState == 2 ? e->DownButtonRect
                         : buttonState == 3 ? e->UnEnabledButtonRect : TRect{};
      if (!look.IsEmpty()) {
        const TBitmap* pic = m_skin.ActivePicture(e->PictureIndex);
        m_dc.StretchBlt(br.Offsetted(x, y), pic->Surface(), look);
      }
    }
    TRect tr = e->ClientRect;
    tr.Right += dx;
    tr.Bottom += dh;
    tr.Offset(x + 2, y);
    Text(text, tr, "宋体", -12, {}, buttonState == 3 ? e->DisabledFontColor : e->FontColor);
  }

  void Combo(const char* name, int32_t x, int32_t y, int32_t w, int32_t h, bool focused, int buttonState,
             const std::string& text) {
    const auto* c = m_skin.FindControl<TskDataSkinComboBox>(name);
    const bool skinSize = h == c->SkinRect.Height();
    TBitmap frame = Look(*c, c->SkinRect, w, c->SkinRect.Height());
    if (!skinSize) frame = Stretched(frame, h);
    Put(frame, x, y);
    const int32_t dx = w - c->SkinRect.Width(), dh = h - c->SkinRect.Height();
    TRect br = c->ButtonRect;
    br.Offset(dx, 0);
    br.Bottom += dh;
    br.Offset(x, y);
    if (skinSize) {
      const TRect look = buttonState == 1 ? c->ActiveButtonRect : buttonState == 2 ? c->DownButtonRect
                         : buttonState == 3 ? c->UnEnabledButtonRect : TRect{};
      Piece(*c, look, br.Left, br.Top);
    } else {
      ResizeButton(br, buttonState == 3 ? 0 : buttonState, 4);
    }
    TRect area = c->ClientRect;
    area.Right += dx;
    area.Bottom += dh;
    area.Offset(x, y);
    const TRect item = focused ? c->FocusItemRect : c->ItemRect;
    TBitmap itemImg;
    ComposeHorizontalImage(*m_skin.ActivePicture(c->PictureIndex), item, c->ItemLeftOffset, c->ItemRightOffset,
                           itemImg, area.Width());
    if (!skinSize) itemImg = Stretched(itemImg, area.Height());
    Put(itemImg, area.Left, area.Top);
    TRect tr = c->ItemTextRect;
    tr.Right += area.Width() - item.Width();
    tr.Bottom += area.Height() - item.Height();
    tr.Offset(area.Left + 2, area.Top);
    Text(text, tr, c->FontName, c->FontHeight, c->FontStyle,
         buttonState == 3 ? RGB(128, 128, 128) : focused ? c->FocusFontColor : c->FontColor);
  }

  void Spin(int32_t x, int32_t y, int32_t w, int32_t h, bool focused, int upState, int downState,
            const std::string& text) {
    const auto* s = m_skin.FindControl<TskDataSkinSpinEditControl>("spinedit");
    const bool skinSize = h == s->SkinRect.Height();
    TBitmap frame = Look(*s, focused ? s->ActiveSkinRect : s->SkinRect, w, s->SkinRect.Height());
    if (!skinSize) frame = Stretched(frame, h);
    Put(frame, x, y);
    const int32_t dx = w - s->SkinRect.Width(), dh = h - s->SkinRect.Height();
    TRect up = s->UpButtonRect.Offsetted(dx, 0), down = s->DownButtonRect.Offsetted(dx, 0);
    if (skinSize) {
      Piece(*s, upState == 1 ? s->ActiveUpButtonRect : upState == 2 ? s->DownUpButtonRect : TRect{}, x + up.Left,
            y + up.Top);
      Piece(*s, downState == 1 ? s->ActiveDownButtonRect : downState == 2 ? s->DownDownButtonRect : TRect{},
            x + down.Left, y + down.Top);
    } else {
      const int32_t split = up.Top + (down.Bottom + dh) / 2;
      ResizeButton(TRect{up.Left, up.Top, up.Right, split}.Offsetted(x, y), upState, 3);
      ResizeButton(TRect{down.Left, split, down.Right, down.Bottom + dh}.Offsetted(x, y), downState, 4);
    }
    TRect tr = s->ClientRect;
    tr.Right += dx;
    tr.Bottom += dh;
    tr.Offset(x + 2, y);
    Text(text, tr, s->FontName, s->FontHeight, s->FontStyle, focused ? s->ActiveFontColor : s->FontColor);
  }

  // A scroll bar of length len with the thumb at fraction pos and page
  // fraction page (0: fixed thumb); state 0..2 for the thumb, hot and
  // pressed buttons as given.
  void ScrollBar(const char* name, bool vertical, int32_t x, int32_t y, int32_t len, double pos, double page,
                 int thumbState, int decState, int incState) {
    const auto* s = m_skin.FindControl<TskDataSkinScrollBarControl>(name);
    const TBitmap img = vertical ? Look(*s, s->SkinRect, s->SkinRect.Width(), len)
                                 : Look(*s, s->SkinRect, len, s->SkinRect.Height());
    Put(img, x, y);
    const int32_t d = len - (vertical ? s->SkinRect.Height() : s->SkinRect.Width());
    TRect track = s->TrackArea, inc = s->UpButtonRect, dec = s->DownButtonRect;
    if (vertical) {
      track.Bottom += d;
      if (inc.Top > s->LeftBottomPoint.Y) inc.Offset(0, d);
    } else {
      track.Right += d;
      if (inc.Left > s->RightTopPoint.X) inc.Offset(d, 0);
    }
    Piece(*s, decState == 1 ? s->ActiveDownButtonRect : decState == 2 ? s->DownDownButtonRect : TRect{},
          x + dec.Left, y + dec.Top);
    Piece(*s, incState == 1 ? s->ActiveUpButtonRect : incState == 2 ? s->DownUpButtonRect : TRect{}, x + inc.Left,
          y + inc.Top);
    const TRect look = thumbState == 1 ? s->ActiveThumbRect : thumbState == 2 ? s->DownThumbRect : s->ThumbRect;
    const TRect glyph = thumbState == 1 ? s->ActiveGlyphRect : thumbState == 2 ? s->DownGlyphRect : s->GlyphRect;
    const int32_t trackLen = vertical ? track.Height() : track.Width();
    const int32_t minLen = vertical ? look.Height() : look.Width();
    const int32_t thumbLen = page > 0 ? std::max(minLen, static_cast<int32_t>(trackLen * page)) : minLen;
    const int32_t half = thumbLen / 2;
    const int32_t offset = static_cast<int32_t>(pos * (trackLen - 2 * half) + 0.5);
    TBitmap thumb;
    const TBitmap* pic = m_skin.ActivePicture(s->PictureIndex);
    TRect at;
    if (vertical) {
      ComposeVerticalImage(*pic, look, s->ThumbOffset1, s->ThumbOffset2, thumb, 2 * half);
      at = TRect::FromSize(track.Left + track.Width() / 2 - look.Width() / 2, track.Top + offset, look.Width(), 2 * half);
    } else {
      ComposeHorizontalImage(*pic, look, s->ThumbOffset1, s->ThumbOffset2, thumb, 2 * half);
      at = TRect::FromSize(track.Left + offset, track.Top + track.Height() / 2 - look.Height() / 2, 2 * half,
                           look.Height());
    }
    at.Offset(x, y);
    Put(thumb, at.Left, at.Top);
    Piece(*s, glyph, at.Left + (at.Width() - glyph.Width()) / 2, at.Top + (at.Height() - glyph.Height()) / 2);
  }

  void Check(const char* name, int32_t x, int32_t y, bool checked, bool hot, bool disabled, bool focus,
             const std::string& text) {
    const auto* c = m_skin.FindControl<TskDataSkinCheckRadioControl>(name);
    TRect img = checked ? c->CheckImageRect : c->UnCheckImageRect;
    if (hot) img = checked ? c->ActiveCheckImageRect : c->ActiveUnCheckImageRect;
    if (disabled) img = checked ? c->UnEnabledCheckImageRect : c->UnEnabledUnCheckImageRect;
    const TBitmap* pic = m_skin.ActivePicture(c->PictureIndex);
    const int32_t h = 20;
    const TColor key = pic->GetPixel(img.Left, img.Bottom - 1);  // bottom-left pixel: transparent
    m_dc.TransparentBlt(TRect::FromSize(x + 3, y + h / 2 - img.Height() / 2, img.Width(), img.Height()),
                        pic->Surface(), img, key);
    m_dc.SetFont(FontOf(c->FontName, c->FontHeight, c->FontStyle));
    const TSize ext = m_dc.TextExtent(text);
    const TRect tr = TRect::FromSize(x + img.Width() + 7, y + h / 2 - ext.cy / 2, ext.cx, ext.cy);
    Text(text, tr, c->FontName, c->FontHeight, c->FontStyle, disabled ? c->UnEnabledFontColor : c->FrameFontColor);
    if (focus) {
      m_dc.SetTextColor(RGB(0, 0, 0));
      m_dc.SetBkColor(RGB(255, 255, 255));
      m_dc.DrawFocusRect(TRect{tr.Left - 2, tr.Top - 1, tr.Right + 3, tr.Bottom + 1});
    }
  }

  void Gauge(const char* name, bool vertical, int32_t x, int32_t y, int32_t len, double fraction,
             const std::string& text) {
    const auto* g = m_skin.FindControl<TskDataSkinGaugeControl>(name);
    const int32_t d = len - (vertical ? g->SkinRect.Height() : g->SkinRect.Width());
    const TBitmap img = vertical ? Look(*g, g->SkinRect, g->SkinRect.Width(), len)
                                 : Look(*g, g->SkinRect, len, g->SkinRect.Height());
    Put(img, x, y);
    TRect area = g->ProgressArea;
    if (vertical) area.Bottom += d;
    else area.Right += d;
    area.Offset(x, y);
    const TBitmap* pic = m_skin.ActivePicture(g->PictureIndex);
    TBitmap bar;
    if (vertical) {
      const int32_t barLen = static_cast<int32_t>(area.Height() * fraction + 0.5);
      ComposeVerticalImage(*pic, g->ProgressRect, g->BeginOffset, g->EndOffset, bar, barLen);
      Put(bar, area.Left, area.Bottom - barLen);
    } else {
      const int32_t barLen = static_cast<int32_t>(area.Width() * fraction + 0.5);
      ComposeHorizontalImage(*pic, g->ProgressRect, g->BeginOffset, g->EndOffset, bar, barLen);
      Put(bar, area.Left, area.Top);
    }
    if (!text.empty())
      Text(text, TRect::FromSize(x, y, img.Width(), img.Height()), g->FontName, g->FontHeight, g->FontStyle,
           g->FontColor, TTextFormat::Center);
  }

  // A grid: title row and rows; row `selected` drawn selected (focused or not).
  void Grid(int32_t x, int32_t y, const std::vector<int32_t>& widths, const std::vector<std::string>& titles,
            const std::vector<std::vector<std::string>>& rows, int focusedRow, int selectedRow) {
    const auto* g = m_skin.FindControl<TskDataSkinGridControl>("grid");
    const TBitmap* pic = m_skin.ActivePicture(g->PictureIndex);
    const int32_t rowH = g->SelectCellRect.Height(), titleH = g->FixedCellRect.Height();
    int32_t total = 0;
    for (int32_t w : widths) total += w + 1;
    const int32_t height = titleH + 1 + static_cast<int32_t>(rows.size()) * (rowH + 1) + 12;
    m_dc.FillRect(TRect::FromSize(x, y, total + 30, height), g->BGColor);
    auto cell = [&](const TRect& look, int32_t left, int32_t right, const TRect& text, int32_t cx, int32_t cy,
                    int32_t w) {
      TBitmap img;
      ComposeHorizontalImage(*pic, look, left, right, img, w);
      Put(img, cx, cy);
      TRect tr = text;
      tr.Right += w - look.Width();
      return tr.Offsetted(cx, cy);
    };
    int32_t cx = x;
    for (size_t c = 0; c < widths.size(); ++c) {
      const TRect tr = cell(g->FixedCellRect, g->FixedCellLeftOffset, g->FixedCellRightOffset, g->FixedCellTextRect,
                            cx, y, widths[c]);
      Text(titles[c], tr.Offsetted(2, 0), g->FixedFontName, g->FixedFontHeight, g->FixedFontStyle,
           g->FixedFontColor);
      int32_t cy = y + titleH + 1;
      for (size_t r = 0; r < rows.size(); ++r) {
        TRect text = TRect::FromSize(cx, cy, widths[c], rowH);
        TColor color = g->FontColor;
        if (static_cast<int>(r) == focusedRow) {
          text = cell(g->FocusCellRect, g->CellLeftOffset, g->CellRightOffset, g->CellTextRect, cx, cy, widths[c]);
          color = g->FocusFontColor;
        } else if (static_cast<int>(r) == selectedRow) {
          text = cell(g->SelectCellRect, g->CellLeftOffset, g->CellRightOffset, g->CellTextRect, cx, cy, widths[c]);
          color = g->SelectFontColor;
        } else {
          text.Left += 2;
        }
        Text(rows[r][c], text.Offsetted(2, 0), g->FontName, g->FontHeight, g->FontStyle, color);
        cy += rowH + 1;
      }
      cx += widths[c] + 1;
    }
    // Lines after every cell.
    m_dc.SetPen({g->LinesColor, 1});
    int32_t lx = x;
    for (int32_t w : widths) {
      lx += w;
      m_dc.FillRect(TRect{lx, y, lx + 1, y + height}, g->LinesColor);
      ++lx;
    }
    int32_t ly = y + titleH;
    for (size_t r = 0; r <= rows.size(); ++r) {
      m_dc.FillRect(TRect{x, ly, x + total, ly + 1}, g->LinesColor);
      ly += rowH + 1;
    }
  }

  // A popup menu with the items (caption, short cut; "-" divider), item
  // `active` highlighted; the three system glyphs in the glyph column.
  void Menu(int32_t x, int32_t y, const std::vector<std::pair<std::string, std::string>>& items, int active) {
    const TskDataSkinPopupWindow& p = m_skin.PopupWindow();
    const TBitmap* win = m_skin.ActivePicture(p.WindowPictureIndex);
    const auto* mi = m_skin.FindObject<TskDataSkinMenuItem>("MENUITEM");
    const TBitmap* ip = m_skin.ActivePicture(mi->ActivePictureIndex);
    m_dc.SetFont(FontOf(mi->FontName, mi->FontHeight, mi->FontStyle));
    int32_t widest = 0, height = 0;
    for (const auto& [caption, shortcut] : items) {
      if (caption == "-") {
        height += mi->DividerRect.Height();
        continue;
      }
      std::string t = caption;
      if (!shortcut.empty()) t += "  " + shortcut;
      TRect calc{0, 0, 1000, 100};
      m_dc.DrawText(t, calc, TTextFormat::SingleLine | TTextFormat::CalcRect);
      widest = std::max(widest, calc.Width() + 2);
      height += mi->SkinRect.Height();
    }
    const int32_t w = widest + 19 + 19 + (win->Width() - p.ItemsRect.Width()) +
                      (mi->TextRect.Left + mi->SkinRect.Width() - mi->TextRect.Right);
    const int32_t h = height + win->Height() - p.ItemsRect.Height();
    const TskFrameLayout s{p.LeftTopPoint, p.RightTopPoint, p.LeftBottomPoint, p.RightBottomPoint, p.ItemsRect};
    const TskFrameLayout d = LayoutForSize(s, win->Size(), {w, h});
    TBitmap bg;
    ComposeFrameImage(*win, win->Bounds(), s, bg, w, h, d, true);
    Put(bg, x, y);
    int32_t iy = y + d.Client.Top;
    const int32_t iw = d.Client.Width();
    int index = 0;
    for (const auto& [caption, shortcut] : items) {
      TBitmap img;
      if (caption == "-") {
        ComposeHorizontalImage(*ip, mi->DividerRect, mi->DividerLeftOffset, mi->DividerRightOffset, img, iw);
        Put(img, x + d.Client.Left, iy);
        iy += img.Height();
        ++index;
        continue;
      }
      const bool on = index == active;
      ComposeHorizontalImage(*ip, on ? mi->ActiveSkinRect : mi->SkinRect, mi->ItemLeftOffset, mi->ItemRightOffset,
                             img, iw);
      Put(img, x + d.Client.Left, iy);
      TRect tr = mi->TextRect;
      tr.Right += iw - mi->SkinRect.Width();
      tr.Offset(x + d.Client.Left, iy);
      const TColor color = on ? mi->ActiveFontColor : mi->FontColor;
      const TRect glyphCol{tr.Left, tr.Top, tr.Left + 16, tr.Bottom};
      const int32_t gx = glyphCol.Left + 3, gy = glyphCol.Top + (glyphCol.Height() - 10) / 2;
      m_dc.SetPen({color, 1});
      if (caption.find("最小化") == 0) DrawMinimizeGlyph(m_dc, gx, gy, color);
      if (caption.find("最大化") == 0) DrawMaximizeGlyph(m_dc, gx, gy, color);
      if (caption.find("关闭") == 0) DrawCloseGlyph(m_dc, gx, gy, color);
      Text(caption, TRect{tr.Left + 16, tr.Top, tr.Right, tr.Bottom}, mi->FontName, mi->FontHeight, mi->FontStyle,
           color);
      if (!shortcut.empty())
        Text(shortcut, TRect{tr.Left, tr.Top, tr.Right - 16, tr.Bottom}, mi->FontName, mi->FontHeight,
             mi->FontStyle, color, TTextFormat::Right);
      iy += img.Height();
      ++index;
    }
  }

  void Hint(int32_t x, int32_t y, const std::string& text) {
    const TskDataSkinHintWindow& hw = m_skin.HintWindow();
    const TBitmap* win = m_skin.ActivePicture(hw.WindowPictureIndex);
    m_dc.SetFont(FontOf(hw.FontName, hw.FontHeight, hw.FontStyle));
    const TSize t = m_dc.TextExtent(text);
    const int32_t w = std::max(win->Width(), t.cx + win->Width() - hw.ClientRect.Width());
    const int32_t h = std::max(win->Height(), t.cy + win->Height() - hw.ClientRect.Height());
    const TskFrameLayout s{hw.LeftTopPoint, hw.RightTopPoint, hw.LeftBottomPoint, hw.RightBottomPoint, hw.ClientRect};
    const TskFrameLayout d = LayoutForSize(s, win->Size(), {w, h});
    TBitmap bg;
    ComposeFrameImage(*win, win->Bounds(), s, bg, w, h, d, true);
    Put(bg, x, y);
    m_dc.SetTextColor(hw.FontColor);
    m_dc.TextOut(x + d.Client.Left + d.Client.Width() / 2 - t.cx / 2, y + d.Client.Top + d.Client.Height() / 2 - t.cy / 2,
                 text);
  }

  void ListBox(int32_t x, int32_t y, int32_t w, const std::vector<std::string>& items, int selected, int rows) {
    const auto* l = m_skin.FindControl<TskDataSkinListBox>("listbox");
    const int32_t itemH = l->ItemRect.Height();
    const int32_t h = l->SkinRect.Height() - l->ClientRect.Height() + rows * itemH;
    Put(Look(*l, l->SkinRect, w, h), x, y);
    const auto* bar = m_skin.FindControl<TskDataSkinScrollBarControl>(l->VScrollBarName);
    TRect client = l->ClientRect;
    client.Right += w - l->SkinRect.Width();
    client.Bottom += h - l->SkinRect.Height();
    client.Offset(x, y);
    const int32_t barW = bar->SkinRect.Width();
    const int32_t itemW = client.Width() - barW;
    for (int i = 0; i < rows && i < static_cast<int>(items.size()); ++i) {
      const TRect look = i == selected ? l->ActiveItemRect : l->ItemRect;
      TBitmap img;
      ComposeHorizontalImage(*m_skin.ActivePicture(l->PictureIndex), look, l->ItemLeftOffset, l->ItemRightOffset,
                             img, itemW);
      Put(img, client.Left, client.Top + i * itemH);
      TRect tr = l->ItemTextRect;
      tr.Right += itemW - look.Width();
      tr.Offset(client.Left, client.Top + i * itemH);
      Text(items[size_t(i)], tr, l->FontName, l->FontHeight, l->FontStyle,
           i == selected ? l->ActiveFontColor : l->FontColor);
    }
    ScrollBar(l->VScrollBarName.c_str(), true, client.Right - barW, client.Top, client.Height(), 0.3,
              double(rows) / double(items.size()), 0, 0, 0);
  }

 private:
  const TskSkinData& m_skin;
  TBitmap& m_sheet;
  TDeviceContext m_dc;
};

void RenderSheet(const TskSkinData& skin, TBitmap& sheet) {
  sheet.Fill(kSheet);
  TPreview p(skin, sheet);
  using TB = std::vector<std::pair<std::string, int>>;
  const TB three{{"closebutton", 0}, {"maxbutton", 0}, {"minbutton", 0}};

  // Frames: the job list window (client 785 x 419), a 400 x 300 window
  // active and inactive, the parameters dialog (close only), the minimum.
  p.Label(10, 6, "主窗口 793 x 447 (客户区 785 x 419), 活动");
  p.Frame(10, 24, 793, 447, true, "Tesmaro 2.0", three);
  p.Label(820, 6, "400 x 300 活动 / 不活动; 按钮: 悬停, 按下, 还原");
  p.Frame(820, 24, 400, 300, true, "转换参数 — 一个很长的标题文字会被截断",
          {{"closebutton", 1}, {"maxbutton", 2}, {"minbutton", 3}});
  p.Frame(1240, 24, 400, 300, false, "转换参数", {{"closebutton", 0}, {"maxbutton", 3}, {"minbutton", 0}});
  p.Label(820, 336, "对话框 548 x 292 (只有关闭按钮), 最小 158 x 28, 卷起 / 全部按钮");
  p.Frame(820, 354, 548, 292, true, "转换参数", {{"closebutton", 0}});
  p.Frame(1390, 354, 158, 28, true, "Tesmaro 2.0", three);
  p.Frame(1390, 392, 158, 28, false, "Tesmaro 2.0", three);
  p.Frame(1390, 430, 250, 60, true, "全部",
          {{"closebutton", 0}, {"maxbutton", 0}, {"minbutton", 0}, {"rollupbutton", 3}, {"traybutton", 1}});

  // Inside the job list window: grid, scroll bars, button bar.
  const std::vector<int32_t> widths{214, 80, 90, 50, 60, 60, 70, 60};
  const std::vector<std::string> titles{"源文件", "目标路径", "目标文件名", "进度", "状态", "分辨率", "转化品质", "宽高比"};
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 6; ++i)
    rows.push_back({"/home/用户/视频/第" + std::to_string(i + 1) + "集.rmvb", "/home/用户/转换", "第" + std::to_string(i + 1) + "集.avi",
                    i < 2 ? "100%" : i == 2 ? "45%" : "", i < 2 ? "已完成" : "未完成", "ZM4070", "高", "4:3"});
  p.Grid(14, 47, widths, titles, rows, 2, 4);
  p.ScrollBar("bothhscrollbar", false, 14, 47 + 397 - 19 - 19, 766, 0.2, 0, 0, 0, 0);
  p.ScrollBar("vscrollbar", true, 14 + 766, 47, 397 - 19 - 19, 0.0, 0.4, 0, 0, 0);
  {
    const auto* panel = skin.FindControl<TskDataSkinPanelControl>("panel");
    TBitmap img = p.Look(*panel, panel->SkinRect, 785, 43);
    p.Put(img, 14, 47 + 419 - 43);
    const char* captions[] = {"增加转换文件", "移去转换文件", "开始转换文件", "停止转换文件", "关闭"};
    const int lefts[] = {40, 196, 352, 508, 664};
    const int states[] = {1, 0, 2, 3, 0};
    for (int i = 0; i < 5; ++i) p.Button(14 + lefts[i], 47 + 419 - 43 + 8, 113, states[i], captions[i]);
  }

  // Buttons 113 wide in every state, and at other widths.
  int32_t y = 500;
  p.Label(10, y, "按钮 113 x 20: 正常, 悬停/焦点, 按下, 禁用; 宽 70 与 60");
  const char* states[] = {"保存", "开始转换", "停止转换", "关闭"};
  for (int i = 0; i < 4; ++i) p.Button(10 + i * 123, y + 18, 113, i, states[i]);
  p.Button(502, y + 18, 70, 0, "确定");
  p.Button(582, y + 18, 60, 1, "取消");
  p.ResizeButton(TRect::FromSize(652, y + 18, 20, 20), 0, 4);
  p.ResizeButton(TRect::FromSize(676, y + 18, 20, 20), 1, 4);
  p.ResizeButton(TRect::FromSize(700, y + 18, 20, 20), 2, 4);
  p.ResizeButton(TRect::FromSize(724, y + 12, 60, 30), 0, 2);

  // Fields.
  y = 550;
  p.Label(10, y, "编辑框 161 x 17 / 焦点 / 拉伸到 15; 按钮编辑框 425 x 17: 正常, 焦点+悬停, 按下, 禁用");
  p.Edit("edit", 10, y + 18, 161, false, 0, "第一集.avi");
  p.Edit("edit", 180, y + 18, 161, true, 0, "第一集.avi");
  p.Edit("edit", 350, y + 18, 161, false, 0, "拉伸", 15);
  p.Edit("buttonedit", 10, y + 40, 425, false, 0, "/home/用户/视频/第一集.rmvb");
  p.Edit("buttonedit", 10, y + 62, 425, true, 1, "/home/用户/视频/第一集.rmvb");
  p.Edit("buttonedit", 10, y + 84, 425, false, 2, "/home/用户/转换");
  p.Edit("buttonedit", 10, y + 106, 425, false, 3, "/home/用户/转换", 16);
  p.Edit("tooledit", 445, y + 40, 250, false, 0, "/home/用户");
  p.Edit("tooledit", 445, y + 70, 250, true, 0, "/home/用户");

  y = 690;
  p.Label(10, y, "下拉框 185 x 20: 正常, 焦点, 悬停, 按下; 96 x 19 与 105 x 19 (不用皮肤尺寸), 工具栏, 禁用");
  p.Combo("combobox", 10, y + 18, 185, 20, false, 0, "ZM4070");
  p.Combo("combobox", 205, y + 18, 185, 20, true, 0, "ZM4070");
  p.Combo("combobox", 400, y + 18, 185, 20, false, 1, "高品质");
  p.Combo("combobox", 595, y + 18, 185, 20, true, 2, "4:3");
  p.Combo("combobox", 491, y + 44, 185, 20, false, 3, "16:9");
  p.Combo("combobox", 10, y + 44, 96, 19, false, 0, "标准");
  p.Combo("combobox", 116, y + 44, 105, 19, true, 1, "4:3");
  p.Combo("toolcombobox", 231, y + 41, 250, 25, false, 0, "/home/用户/视频");
  p.ListBox(10, y + 70, 185, {"ZM4070", "ZM3060", "ZM6080", "ZM8010", "ZM2030", "ZM1024", "ZM1280", "ZM1920"}, 2, 5);

  // Spin edits, check boxes, gauges, menu, hint, panels.
  p.Label(220, y + 70, "数值框 38 x 17 (不用皮肤尺寸), 60 x 17: 悬停/按下");
  p.Spin(220, y + 88, 38, 17, false, 0, 0, "0");
  p.Spin(268, y + 88, 38, 17, true, 1, 0, "10");
  p.Spin(316, y + 88, 38, 17, false, 0, 2, "60");
  p.Spin(364, y + 88, 60, 17, false, 1, 0, "5");
  p.Spin(434, y + 88, 60, 17, true, 0, 2, "30");
  p.Check("checkbox", 220, y + 112, false, false, false, false, "转换范围");
  p.Check("checkbox", 310, y + 112, true, false, false, true, "转换范围");
  p.Check("checkbox", 400, y + 112, false, true, false, false, "悬停");
  p.Check("checkbox", 470, y + 112, true, true, false, false, "悬停");
  p.Check("checkbox", 540, y + 112, true, false, true, false, "禁用");
  p.Check("radiobox", 220, y + 134, false, false, false, false, "单选");
  p.Check("radiobox", 290, y + 134, true, false, false, false, "选中");
  p.Check("radiobox", 360, y + 134, false, true, false, false, "悬停");
  p.Check("radiobox", 430, y + 134, true, true, false, false, "悬停");
  p.Check("radiobox", 500, y + 134, true, false, true, false, "禁用");
  p.Gauge("gauge", false, 220, y + 160, 537, 0.45, "进度...45%");
  p.Gauge("gauge", false, 220, y + 184, 120, 0.03, "");
  p.Gauge("gauge", false, 350, y + 184, 120, 1.0, "100%");
  p.Gauge("vgauge", true, 780, y + 70, 120, 0.6, "");

  p.Label(820, 660, "菜单 / 提示");
  p.Menu(820, 680, {{"最小化(&n)", ""}, {"最大化(&x)", ""}, {"-", ""}, {"关闭(&C)", "Alt+F4"}}, 0);
  p.Menu(1000, 680, {{"撤消", ""}, {"-", ""}, {"剪切", ""}, {"复制", ""}, {"粘贴", ""}, {"删除", ""}, {"-", ""}, {"选择所有", ""}},
         3);
  p.Hint(1120, 680, "系统菜单");
  p.Hint(1120, 710, "最小化");
  p.Hint(1120, 740, "这是一个比较长的提示文字");

  // Panels of the parameters dialog.
  {
    const auto* panel = skin.FindControl<TskDataSkinPanelControl>("panel");
    const auto* tool = skin.FindControl<TskDataSkinPanelControl>("toolpanel");
    p.Label(1150, 780, "面板 539 x 215 内含 425 x 26, 425 x 29; 工具栏 300 x 25");
    p.Put(p.Look(*panel, panel->SkinRect, 539, 215), 1150, 798);
    p.Put(p.Look(*panel, panel->SkinRect, 425, 26), 1254, 904);
    p.Put(p.Look(*panel, panel->SkinRect, 425, 29), 1254, 942);
    p.Put(p.Look(*tool, tool->SkinRect, 300, 25), 1150, 1020);
    p.Spin(1329, 948, 38, 17, false, 0, 0, "1");
    p.Combo("combobox", 1319, 908, 96, 19, false, 0, "标准");
    p.Button(1206, 980, 113, 0, "保存");
    p.Button(1350, 980, 113, 0, "关闭");
  }
}

}  // namespace
}  // namespace tsm

int main(int argc, char** argv) {
  using namespace tsm;
  const std::string out = argc > 1 ? argv[1] : "skinpreview.png";
  TskCompressedStoredSkin stored(nullptr);
  AssignDefaultStoredSkin(stored);
  TskSkinData skin(nullptr);
  skin.SetCompressedStoredSkin(&stored);
  if (skin.Empty()) {
    std::fprintf(stderr, "%s: the default skin did not load\n", argv[0]);
    return 1;
  }
  TBitmap sheet(1710, 1060);
  RenderSheet(skin, sheet);
  if (!SavePng(out, sheet.Surface())) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], out.c_str());
    return 1;
  }
  if (argc == 8) {
    const TRect part = TRect::FromSize(std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]));
    const int32_t scale = std::max(1, std::atoi(argv[7]));
    TBitmap zoom(part.Width() * scale, part.Height() * scale);
    TDeviceContext dc(zoom);
    dc.StretchBlt(zoom.Bounds(), sheet.Surface(), part);
    if (!SavePng(argv[2], zoom.Surface())) return 1;
  }
  return 0;
}
