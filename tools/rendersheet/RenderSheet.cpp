// Writes a sheet of sample drawing: Chinese and Latin text in the interface
// fonts, 3D frames, a focus rectangle, XOR lines, stretched and transparent
// copies and a region fill, all on the classic grey face.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/core/ProgramFolder.h"
#include "platform/gfx/FontSystem.h"
#include "platform/gfx/Png.h"

using namespace tsm;

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 560;

std::shared_ptr<TFont> Song12() { return TFont::Create({"宋体", -12}); }
std::shared_ptr<TFont> Song13() { return TFont::Create({"宋体", -13}); }
std::shared_ptr<TFont> ArialBold14() { return TFont::Create({"Arial", 14, true}); }

void Label(TDeviceContext& dc, int x, int y, const std::string& text, TColor color = clBtnText) {
  dc.SetFont(Song12());
  dc.SetBkMode(TBkMode::Transparent);
  dc.SetTextColor(color);
  dc.TextOut(x, y, text);
}

// A group box: etched frame with its caption on the face colour.
void GroupBox(TDeviceContext& dc, const TRect& r, const std::string& caption) {
  dc.DrawEdge(TRect(r.Left, r.Top + 6, r.Right, r.Bottom), TEdgeStyle::Etched);
  dc.SetFont(Song12());
  dc.SetBkMode(TBkMode::Opaque);
  dc.SetBkColor(clBtnFace);
  dc.SetTextColor(clBtnText);
  dc.TextOut(r.Left + 8, r.Top, " " + caption + " ");
}

void Caption(TDeviceContext& dc) {
  // Active caption: navy to blue, as the classic title bar.
  const TRect bar{3, 3, kWidth - 3, 3 + 18};
  for (int x = bar.Left; x < bar.Right; ++x) {
    const double t = double(x - bar.Left) / (bar.Width() - 1);
    dc.FillRect({x, bar.Top, x + 1, bar.Bottom},
                RGB(uint8_t(0 + t * 16), uint8_t(0 + t * 132), uint8_t(128 + t * 80)));
  }
  dc.SetFont(ArialBold14());
  dc.SetBkMode(TBkMode::Transparent);
  dc.SetTextColor(clWhite);
  TRect text{bar.Left + 6, bar.Top, bar.Right - 60, bar.Bottom};
  dc.DrawText("播放格式转换 Tesmaro 2.0 - Render sheet", text, TTextFormat::SingleLine | TTextFormat::VCenter);
  // Three caption buttons with drawn glyphs.
  for (int i = 0; i < 3; ++i) {
    TRect b{bar.Right - 2 - 16 * (3 - i) - (i == 2 ? 2 : 0), bar.Top + 2, 0, bar.Top + 16};
    b.Right = b.Left + 16;
    dc.FillRect(b, clBtnFace);
    dc.DrawEdge(b, TEdgeStyle::Raised);
    dc.SetPen({clBlack});
    const int x = b.Left + 3, y = b.Top + 3;
    if (i == 0) {
      dc.MoveTo(x + 1, y + 7); dc.LineTo(x + 7, y + 7);
      dc.MoveTo(x + 1, y + 8); dc.LineTo(x + 7, y + 8);
    } else if (i == 1) {
      dc.SetBrush({clBtnFace, TBrushStyle::Clear});
      dc.Rectangle({x, y, x + 9, y + 9});
      dc.FillRect({x, y + 1, x + 9, y + 2}, clBlack);
    } else {
      for (int k = 0; k < 2; ++k) {
        dc.MoveTo(x + 1 + k, y + 1); dc.LineTo(x + 8 + k, y + 8);
        dc.MoveTo(x + 7 + k, y + 1); dc.LineTo(x + k, y + 8);
      }
    }
  }
}

void TextSamples(TDeviceContext& dc) {
  GroupBox(dc, {12, 30, 470, 214}, "宋体 -12 / -13, Arial 14 粗体");
  int y = 48;
  dc.SetBkMode(TBkMode::Transparent);
  dc.SetTextColor(clBtnText);
  dc.SetFont(Song12());
  dc.TextOut(22, y, "宋体 -12: 增加转换文件  开始转换文件  删除  保存  取消");
  dc.TextOut(22, y += 16, "源文件 目标路径 目标文件名 进度 状态 分辨率 转化品质 宽高比");
  dc.TextOut(22, y += 16, "The quick brown fox jumps over the lazy dog. 0123456789 %&()");
  dc.SetFont(Song13());
  dc.TextOut(22, y += 18, "宋体 -13: 播放格式转换 已完成 未完成 100% 不支持的源文件格式!");
  dc.TextOut(22, y += 17, "Pack my box with five dozen liquor jugs. 1:23:45 C:/视频/a.avi");
  dc.SetFont(ArialBold14());
  dc.TextOut(22, y += 19, "Arial 14 bold: Conversion Parameters 转换参数");
  dc.SetFont(TFont::Create({"Arial", 14}));
  dc.TextOut(22, y += 17, "Arial 14: Source file, Target folder, Quality 1234");
  dc.SetFont(TFont::Create({"宋体", -12, true}));
  dc.TextOut(22, y += 17, "宋体 -12 粗体: 确定 取消 Bold text");
  dc.SetFont(TFont::Create({"宋体", -12, false, true, true}));
  dc.TextOut(22, y += 17, "斜体下划线 Italic underline");
  dc.SetFont(TFont::Create({"宋体", -12, false, false, false, true}));
  dc.TextOut(242, y, "删除线 Strike-out");
}

void Buttons(TDeviceContext& dc) {
  GroupBox(dc, {480, 30, kWidth - 12, 214}, "三维边框 3D edges");
  // A default push button with its black frame and focus rectangle.
  TRect ok{496, 50, 571, 73};
  dc.FrameRect(ok, clBlack);
  TRect inner = ok.Inflated(-1, -1);
  dc.DrawEdge(inner, TEdgeStyle::Raised, true);
  dc.SetFont(Song12());
  dc.SetBkMode(TBkMode::Transparent);
  dc.SetTextColor(clBtnText);
  TRect t = ok;
  dc.DrawText("确定(&O)", t, TTextFormat::Center | TTextFormat::VCenter | TTextFormat::SingleLine);
  dc.DrawFocusRect(ok.Inflated(-4, -4));
  // A pressed button.
  TRect cancel{586, 50, 661, 73};
  dc.FrameRect(cancel, clBlack);
  TRect in2 = cancel.Inflated(-1, -1);
  dc.FrameRect(in2, clBtnShadow);
  dc.FillRect(in2.Inflated(-1, -1), clBtnFace);
  t = cancel.Offsetted(1, 1);
  dc.DrawText("取消", t, TTextFormat::Center | TTextFormat::VCenter | TTextFormat::SingleLine);
  // A disabled button: embossed grey text.
  TRect off{676, 50, kWidth - 24, 73};
  dc.DrawEdge(off, TEdgeStyle::Raised, true);
  t = off.Offsetted(1, 1);
  dc.SetTextColor(clBtnHighlight);
  dc.DrawText("帮助", t, TTextFormat::Center | TTextFormat::VCenter | TTextFormat::SingleLine);
  t = off;
  dc.SetTextColor(clBtnShadow);
  dc.DrawText("帮助", t, TTextFormat::Center | TTextFormat::VCenter | TTextFormat::SingleLine);

  // A sunken edit box with text and a selection.
  TRect edit{496, 86, kWidth - 24, 107};
  TRect client = dc.DrawEdge(edit, TEdgeStyle::Sunken);
  dc.FillRect(client, clWindow);
  dc.SetTextColor(clWindowText);
  dc.TextOut(client.Left + 2, client.Top + 3, "C:/电影/");
  const int selX = client.Left + 2 + dc.TextWidth("C:/电影/");
  dc.SetBkMode(TBkMode::Opaque);
  dc.SetBkColor(clHighlight);
  dc.SetTextColor(clHighlightText);
  dc.TextOut(selX, client.Top + 3, "假期.avi");
  dc.SetBkMode(TBkMode::Transparent);

  // Raised, sunken, etched and bump panels, and a 3-ring frame.
  const TEdgeStyle styles[] = {TEdgeStyle::Raised, TEdgeStyle::Sunken, TEdgeStyle::Etched, TEdgeStyle::Bump};
  const char* names[] = {"凸起", "凹陷", "蚀刻", "凸棱"};
  for (int i = 0; i < 4; ++i) {
    TRect p{496 + i * 62, 120, 496 + i * 62 + 56, 150};
    dc.DrawEdge(p, styles[i], true);
    TRect tt = p;
    dc.SetTextColor(clBtnText);
    dc.DrawText(names[i], tt, TTextFormat::Center | TTextFormat::VCenter | TTextFormat::SingleLine);
  }
  TRect frame{496, 160, kWidth - 24, 204};
  dc.Frame3D(frame, cl3DLight, cl3DDkShadow, 1);
  dc.Frame3D(frame, clBtnHighlight, clBtnShadow, 1);
  dc.Frame3D(frame, clBtnFace, clBtnFace, 1);
  dc.FillRect(frame, clBtnFace);
  TRect ft = frame;
  dc.DrawText("窗口边框: three nested 1-pixel frames, text wraps inside the frame automatically",
              ft, TTextFormat::WordBreak | TTextFormat::Center);
}

// A small job list grid: title row, rows, selection and clipped cells.
void Grid(TDeviceContext& dc) {
  GroupBox(dc, {12, 222, 470, 400}, "文字网格 grid text");
  const TRect area{22, 242, 460, 390};
  TRect client = dc.DrawEdge(area, TEdgeStyle::Sunken);
  dc.FillRect(client, clWindow);
  TDCStateGuard guard(dc);
  dc.IntersectClipRect(client);
  const char* titles[] = {"源文件", "目标文件名", "进度", "状态", "分辨率"};
  const int widths[] = {150, 100, 44, 56, 80};
  const char* rows[][5] = {{"C:/视频/假期旅行记录.avi", "假期旅行记录.avi", "100%", "已完成", "640x480"},
                           {"D:/Movies/holiday-2024-final.mpg", "holiday.avi", "37%", "未完成", "320x240"},
                           {"E:/录像/毕业典礼.rmvb", "毕业典礼.avi", "", "未完成", "720x576"},
                           {"C:/test/a.wmv", "a.avi", "", "未完成", "352x288"},
                           {"C:/很长很长很长的文件夹名字/文件.avi", "文件.avi", "", "未完成", "640x480"},
                           {"F:/clips/short.avi", "short.avi", "", "未完成", "176x144"},
                           {"G:/音乐会/现场.mpg", "现场.avi", "", "未完成", "480x576"}};
  dc.SetFont(Song12());
  dc.SetBkMode(TBkMode::Transparent);
  int x = client.Left;
  const int rowH = 18;
  for (int c = 0; c < 5; ++c) {
    TRect cell{x, client.Top, x + widths[c], client.Top + rowH};
    dc.FillRect(cell, clBtnFace);
    dc.DrawEdge(cell, TEdgeStyle::RaisedInner);
    TRect tr = cell.Inflated(-3, 0);
    dc.SetTextColor(clBtnText);
    dc.DrawText(titles[c], tr, TTextFormat::SingleLine | TTextFormat::VCenter);
    x += widths[c];
  }
  for (int r = 0; r < 7; ++r) {
    x = client.Left;
    const int top = client.Top + rowH * (r + 1);
    const bool selected = r == 1;
    for (int c = 0; c < 5; ++c) {
      TRect cell{x, top, x + widths[c], top + rowH};
      dc.FillRect(cell, selected ? clHighlight : clWindow);
      dc.SetPen({clBtnFace});
      dc.MoveTo(cell.Right - 1, cell.Top);
      dc.LineTo(cell.Right - 1, cell.Bottom);
      dc.MoveTo(cell.Left, cell.Bottom - 1);
      dc.LineTo(cell.Right, cell.Bottom - 1);
      TRect tr = cell.Inflated(-3, 0);
      dc.SetTextColor(selected ? clHighlightText : clWindowText);
      dc.DrawText(rows[r][c], tr,
                  TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::EndEllipsis |
                      (c == 2 ? TTextFormat::Right : TTextFormat::Left));
      x += widths[c];
    }
  }
}

// A colourful background with XOR lines, as the sizing loop draws them.
void XorLines(TDeviceContext& dc) {
  GroupBox(dc, {480, 222, kWidth - 12, 400}, "异或线 XOR lines, 区域 region");
  const TRect area{496, 242, 610, 390};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      dc.SetPixel(x, y, RGB(uint8_t((x - area.Left) * 2), uint8_t(255 - (y - area.Top)), uint8_t(128)));
  dc.SetPen({clBlack, 3, TPenStyle::Solid, TPenMode::Not});
  dc.MoveTo(area.Left + 20, area.Top);
  dc.LineTo(area.Left + 20, area.Bottom);
  dc.MoveTo(area.Left, area.Top + 40);
  dc.LineTo(area.Right, area.Top + 40);
  dc.SetPen({clWhite, 1, TPenStyle::Solid, TPenMode::Xor});
  for (int k = 0; k < 6; ++k) {
    dc.MoveTo(area.Left + 40 + k * 10, area.Top + 60);
    dc.LineTo(area.Left + 90 + k * 4, area.Bottom - 5);
  }
  dc.SetPen({clBlack, 1, TPenStyle::Dot});
  dc.MoveTo(area.Left, area.Bottom - 10);
  dc.LineTo(area.Right, area.Bottom - 10);

  // A region: a rounded shape built from mask rows, minus a window, filled.
  std::vector<TRect> rows;
  const TRect shape{622, 250, kWidth - 24, 388};
  const int radius = 14;
  for (int y = shape.Top; y < shape.Bottom; ++y) {
    int inset = 0;
    const int dy = std::min(y - shape.Top, shape.Bottom - 1 - y);
    if (dy < radius) inset = radius - int(std::lround(std::sqrt(double(radius * radius - (radius - dy) * (radius - dy)))));
    rows.push_back({shape.Left + inset, y, shape.Right - inset, y + 1});
  }
  TRegion rgn = TRegion::FromRects(rows);
  rgn.Subtract(TRect{shape.Left + 20, shape.Top + 30, shape.Right - 20, shape.Top + 70});
  rgn.Xor(TRegion(TRect{shape.Left + 30, shape.Top + 90, shape.Right - 30, shape.Top + 120}));
  TDCStateGuard guard(dc);
  dc.SelectClipRegion(&rgn);
  dc.FillRect(shape, clNavy);
  dc.SetFont(Song12());
  dc.SetBkMode(TBkMode::Transparent);
  dc.SetTextColor(clWhite);
  TRect t{shape.Left, shape.Top + 74, shape.Right, shape.Top + 90};
  dc.DrawText("区域填充", t, TTextFormat::Center | TTextFormat::SingleLine);
}

// Stretched and transparent copies of a small picture.
void Copies(TDeviceContext& dc) {
  GroupBox(dc, {12, 408, kWidth - 12, kHeight - 10}, "拉伸与透明复制 stretch and transparent copy");
  // A 12x12 icon on a fuchsia key background.
  TBitmap icon(12, 12, TPixelFormat::Bgr24);
  icon.Fill(clFuchsia);
  TDeviceContext ic(icon);
  ic.SetPen({clBlack});
  ic.SetBrushColor(clYellow);
  ic.Rectangle({1, 1, 11, 11});
  ic.FillRect({3, 3, 9, 5}, clRed);
  ic.FillRect({3, 6, 9, 9}, clBlue);
  ic.SetPixel(5, 0, clLime);
  ic.SetPixel(6, 11, clLime);

  // A patterned backdrop shows what the transparent copy leaves.
  const TRect back{24, 428, kWidth - 24, kHeight - 20};
  for (int y = back.Top; y < back.Bottom; y += 8)
    for (int x = back.Left; x < back.Right; x += 8)
      dc.FillRect({x, y, x + 8, y + 8}, ((x / 8 + y / 8) % 2) ? clSilver : clWhite);
  dc.Draw(34, 438, icon);
  Label(dc, 34, 500, "原图 1x");
  dc.StretchBlt({94, 438, 94 + 48, 438 + 48}, icon.Surface(), icon.Bounds());
  Label(dc, 94, 500, "拉伸 4x");
  dc.TransparentBlt({174, 438, 174 + 48, 438 + 48}, icon.Surface(), icon.Bounds(), clFuchsia);
  Label(dc, 174, 500, "透明 4x");
  dc.TransparentBlt({254, 438, 254 + 60, 438 + 30}, icon.Surface(), icon.Bounds(), clFuchsia);
  Label(dc, 254, 500, "透明 5x2.5");
  dc.StretchBlt({344, 446, 344 + 6, 446 + 6}, icon.Surface(), icon.Bounds());
  Label(dc, 334, 500, "缩小 0.5x");

  // Block copy of a piece of the sheet itself (the grid header), twice as large.
  TDCStateGuard guard(dc);
  dc.StretchBlt({420, 432, 420 + 300, 432 + 56}, dc, {25, 245, 175, 273});
  Label(dc, 420, 500, "窗口内容拉伸 2x (nearest neighbour)");
  Label(dc, 24, 518, "字体: " + Song12()->FaceFamily() + " (bitmap strikes: " +
                         (Song12()->UsesBitmapStrikes() ? "yes" : "no") + "), Arial → " +
                         ArialBold14()->FaceFamily(), clBtnShadow);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : ProgramFolder() + "rendersheet.png";
  TBitmap sheet(kWidth, kHeight, TPixelFormat::Bgra32);
  TDeviceContext dc(sheet);
  dc.FillRect(sheet.Bounds(), clBtnFace);
  TRect border = sheet.Bounds();
  dc.Frame3D(border, cl3DLight, cl3DDkShadow, 1);
  dc.Frame3D(border, clBtnHighlight, clBtnShadow, 1);
  Caption(dc);
  TextSamples(dc);
  Buttons(dc);
  Grid(dc);
  XorLines(dc);
  Copies(dc);
  if (!SavePng(out, sheet.Surface())) {
    std::fprintf(stderr, "rendersheet: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s\n", out.c_str());
  return 0;
}
