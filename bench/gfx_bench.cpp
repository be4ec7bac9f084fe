// Figures of the graphics and text layer:
//   - 800x600 32-bit block copy (a window's back buffer to its surface);
//   - nearest-neighbour stretch 400x300 -> 800x600;
//   - glyphs per second for cached 宋体 -12 text, painted as a grid repaint;
//   - building the region of an 800x600 mask from its row runs.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/core/Utf8.h"

namespace tsm {
namespace {

TBitmap Pattern(int w, int h, TPixelFormat f) {
  TBitmap b(w, h, f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), uint8_t(x ^ y)));
  return b;
}

void BM_BlockCopy800x600(benchmark::State& state) {
  const TPixelFormat f = state.range(0) == 32 ? TPixelFormat::Bgra32 : TPixelFormat::Bgr24;
  const TBitmap src = Pattern(800, 600, f);
  TBitmap dst(800, 600, TPixelFormat::Bgra32);
  TDeviceContext dc(dst);
  for (auto _ : state) {
    dc.BitBlt(0, 0, 800, 600, src.Surface(), 0, 0);
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 800 * 600 * 4);
  state.SetLabel(state.range(0) == 32 ? "32 -> 32 bit" : "24 -> 32 bit");
}
BENCHMARK(BM_BlockCopy800x600)->Arg(32)->Arg(24)->Unit(benchmark::kMicrosecond);

void BM_Stretch400x300To800x600(benchmark::State& state) {
  const TBitmap src = Pattern(400, 300, TPixelFormat::Bgra32);
  TBitmap dst(800, 600, TPixelFormat::Bgra32);
  TDeviceContext dc(dst);
  for (auto _ : state) {
    dc.StretchBlt({0, 0, 800, 600}, src.Surface(), src.Bounds());
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 800 * 600);
}
BENCHMARK(BM_Stretch400x300To800x600)->Unit(benchmark::kMicrosecond);

void BM_TransparentCopy800x600(benchmark::State& state) {
  const TBitmap src = Pattern(800, 600, TPixelFormat::Bgr24);
  TBitmap dst(800, 600, TPixelFormat::Bgra32);
  TDeviceContext dc(dst);
  for (auto _ : state) {
    dc.TransparentBlt({0, 0, 800, 600}, src.Surface(), src.Bounds(), clBlack);
    benchmark::DoNotOptimize(dst.Bits());
  }
}
BENCHMARK(BM_TransparentCopy800x600)->Unit(benchmark::kMicrosecond);

// A job-list repaint: 20 rows of 6 cells of mixed Chinese and Latin text.
void BM_GridTextSong12(benchmark::State& state) {
  TBitmap dst(800, 600, TPixelFormat::Bgra32);
  TDeviceContext dc(dst);
  dc.SetFont(TFont::Create({"宋体", -12}));
  dc.SetBkMode(TBkMode::Transparent);
  const char* cells[] = {"C:/视频/假期旅行记录.avi", "假期旅行记录.avi", "37%", "未完成", "640x480", "高质量"};
  int64_t glyphsPerPaint = 0;
  for (const char* c : cells) glyphsPerPaint += static_cast<int64_t>(Utf8Length(c));
  glyphsPerPaint *= 20;
  for (auto _ : state) {
    for (int row = 0; row < 20; ++row) {
      int x = 0;
      for (const char* c : cells) {
        TRect r{x, row * 20, x + 130, row * 20 + 20};
        dc.DrawText(c, r, TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::EndEllipsis);
        x += 130;
      }
    }
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.counters["glyphs/s"] = benchmark::Counter(double(glyphsPerPaint * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GridTextSong12)->Unit(benchmark::kMicrosecond);

// Plain TextOut of one long cached line.
void BM_TextOutSong12(benchmark::State& state) {
  TBitmap dst(1200, 20, TPixelFormat::Bgra32);
  TDeviceContext dc(dst);
  dc.SetFont(TFont::Create({"宋体", -12}));
  dc.SetBkMode(TBkMode::Transparent);
  const std::string line = "播放格式转换 Tesmaro: 开始转换文件 source.avi 100% 已完成 未完成 分辨率 640x480";
  const int64_t glyphs = static_cast<int64_t>(Utf8Length(line));
  for (auto _ : state) {
    dc.TextOut(0, 0, line);
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.counters["glyphs/s"] = benchmark::Counter(double(glyphs * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TextOutSong12)->Unit(benchmark::kMicrosecond);

// The mask builder's output for an 800x600 window with round corners and a
// notched edge: one rectangle per run per row.
void BM_RegionFromMaskRuns800x600(benchmark::State& state) {
  std::vector<TRect> runs;
  for (int y = 0; y < 600; ++y) {
    const int dy = std::min(y, 599 - y);
    const int inset = dy < 10 ? 10 - int(std::lround(std::sqrt(100.0 - (10 - dy) * (10 - dy)))) : 0;
    if (y % 40 < 4) {  // notches along the left edge: two runs
      runs.push_back({inset, y, 4, y + 1});
      runs.push_back({8, y, 800 - inset, y + 1});
    } else {
      runs.push_back({inset, y, 800 - inset, y + 1});
    }
  }
  size_t rects = 0;
  for (auto _ : state) {
    TRegion r = TRegion::FromRects(runs);
    rects = r.RectCount();
    benchmark::DoNotOptimize(r);
  }
  state.counters["runs"] = double(runs.size());
  state.counters["rects"] = double(rects);
}
BENCHMARK(BM_RegionFromMaskRuns800x600)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tsm

BENCHMARK_MAIN();
