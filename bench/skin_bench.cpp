// Figures of the skin data module:
//   - inflate + parse of a stored skin shaped like the main window's
//     (container of about 260 KB: a 158 x 136 main picture, six active
//     pictures of 81x87, 61x40, 54x100, 539x322, 47x21 and 100x100 pixels,
//     all 8-bit, and a definition of about 32 KB in 79 sections);
//   - ComposeFrameImage of an 800 x 600 frame;
//   - BuildRegionData of an 800 x 600 mask;
//   - one MorphBlend step of a 113 x 25 button.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/gfx/Bmp.h"
#include "skin/SkinCompose.h"
#include "skin/SkinRegion.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskEffectBmp.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskSkinData.h"
#include "skin/TskZStream.h"

namespace {

using namespace tsm;

// A picture with soft gradients and a few hard edges, in at most 256 colours.
TBitmap Artwork(int w, int h, int seed) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int band = ((x / 7 + y / 5 + seed) % 6) * 40;
      b.SetPixel(x, y, RGB(uint8_t(band), uint8_t((y * 4 + seed) & 0xC0), uint8_t((x * 3) & 0xC0)));
    }
  return b;
}

std::string Definition() {
  std::string d =
      "[VERSION]\r\nver=1\r\nskinname=bench\r\n[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=6\r\n"
      "0=a.bmp\r\n1=b.bmp\r\n2=c.bmp\r\n3=d.bmp\r\n4=e.bmp\r\n5=f.bmp\r\n"
      "[FORMINFO]\r\nlefttoppoint=4,23\r\nrighttoppoint=154,23\r\nleftbottompoint=4,131\r\n"
      "rightbottompoint=154,131\r\nclientrect=4,23,154,131\r\nbuttonsrect=100,3,154,20\r\n"
      "captionrect=20,3,100,20\r\nborderwidth=4\r\n[POPUPWINDOW]\r\nwindowpictureindex=3\r\n"
      "[HINTWINDOW]\r\nwindowpictureindex=5\r\n";
  d += "[SKINOBJECTS]\r\ncount=12\r\n";
  for (int i = 0; i < 12; ++i) d += std::to_string(i) + "=object" + std::to_string(i) + ":stdbutton\r\n";
  d += "[SKINCONTROLS]\r\ncount=59\r\n";
  for (int i = 0; i < 59; ++i) d += std::to_string(i) + "=control" + std::to_string(i) + ":button\r\n";
  for (int i = 0; i < 12; ++i)
    d += "[object" + std::to_string(i) +
         "]\r\nhint=Close\r\nactivepictureindex=1\r\nskinrect=130,3,146,17\r\nactiveskinrect=0,0,16,14\r\n"
         "downrect=16,0,32,14\r\ncommand=cmclose\r\nmorphing=1\r\nmorphkind=mkgradient\r\n";
  for (int i = 0; i < 59; ++i)
    d += "[control" + std::to_string(i) +
         "]\r\npictureindex=3\r\nskinrect=0,0,60,20\r\nlefttoppoint=12,9\r\nrighttoppoint=46,10\r\n"
         "leftbottompoint=0,0\r\nrightbottompoint=0,0\r\nclientrect=4,4,56,16\r\nfontname=宋体\r\nfontheight=12\r\n"
         "fontstyle=\r\nfontcolor=0\r\nactivefontcolor=16711680\r\ndownfontcolor=255\r\ndisabledfontcolor=8421504\r\n"
         "activeskinrect=0,20,60,40\r\ndownskinrect=0,40,60,60\r\ndisabledskinrect=0,60,60,80\r\nmorphing=1\r\n"
         "morphkind=mkdefault\r\n";
  while (d.size() < 32000) d += "; padding comment line of the bench skin definition\r\n";
  return d;
}

std::vector<uint8_t> BenchContainer() {
  TskSkinContainer c;
  auto bmp = [](int w, int h, int seed) { return WriteBmp(Artwork(w, h, seed).Surface(), TBmpWriteFormat::Indexed8); };
  c.MainPicture = bmp(158, 136, 1);
  const int sizes[6][2] = {{81, 87}, {61, 40}, {54, 100}, {539, 322}, {47, 21}, {100, 100}};
  for (int i = 0; i < 6; ++i) c.ActivePictures.push_back(bmp(sizes[i][0], sizes[i][1], i + 2));
  c.Definition = Definition();
  return WriteSkinContainer(c);
}

void BM_InflateAndParseStoredSkin(benchmark::State& state) {
  const std::vector<uint8_t> container = BenchContainer();
  std::vector<uint8_t> compressed;
  ZCompress(container, compressed);
  TskCompressedStoredSkin stored(nullptr);
  stored.SetCompressedData(compressed);
  for (auto _ : state) {
    TskSkinData data(nullptr);
    data.LoadFromStoredSkin(stored);
    benchmark::DoNotOptimize(data.ControlCount());
  }
  state.counters["container_bytes"] = double(container.size());
  state.counters["compressed_bytes"] = double(compressed.size());
}
BENCHMARK(BM_InflateAndParseStoredSkin)->Unit(benchmark::kMillisecond);

void BM_ComposeFrameImage800x600(benchmark::State& state) {
  const TBitmap src = Artwork(158, 136, 3);
  const TskFrameLayout s{{4, 23}, {154, 23}, {4, 131}, {154, 131}, {4, 23, 154, 131}};
  const TskFrameLayout d = LayoutForSize(s, src.Size(), {800, 600});
  TBitmap dst;
  for (auto _ : state) {
    ComposeFrameImage(src, src.Bounds(), s, dst, 800, 600, d, true);
    benchmark::DoNotOptimize(dst.Bits());
  }
}
BENCHMARK(BM_ComposeFrameImage800x600)->Unit(benchmark::kMicrosecond);

void BM_BuildRegionData800x600(benchmark::State& state) {
  // A window mask with rounded corners and a ragged right edge.
  TBitmap mask(800, 600);
  mask.Fill(clBlack);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const int cx = x < 12 ? 12 - x : x > 787 ? x - 787 : 0;
      const int cy = y < 12 ? 12 - y : y > 587 ? y - 587 : 0;
      if (cx * cx + cy * cy > 144 || (x > 790 && (y / 3) % 2 == 0)) mask.SetPixel(x, y, clWhite);
    }
  size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> data = BuildRegionData(mask, 0, 0);
    bytes = data.size();
    benchmark::DoNotOptimize(data.data());
  }
  state.counters["rects"] = double((bytes - 32) / 16);
}
BENCHMARK(BM_BuildRegionData800x600)->Unit(benchmark::kMicrosecond);

void BM_MorphBlendButton113x25(benchmark::State& state) {
  TskEffectBmp normal(113, 25), active(113, 25);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 113; ++x) {
      normal.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y * 9), 200));
      active.SetPixel(x, y, RGB(uint8_t(255 - x), 100, uint8_t(y * 7)));
    }
  for (auto _ : state) {
    TskEffectBmp image = normal;
    image.MorphBlend(active, 0.3L);
    benchmark::DoNotOptimize(image.Bits());
  }
}
BENCHMARK(BM_MorphBlendButton113x25)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
