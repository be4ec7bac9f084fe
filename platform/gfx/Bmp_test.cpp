#include "platform/gfx/Bmp.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tsm {
namespace {

void Le16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Le32(std::vector<uint8_t>& v, uint32_t x) {
  for (int k = 0; k < 4; ++k) v.push_back(uint8_t(x >> (8 * k)));
}

// Builds a bitmap file field by field, independently of the reader.
struct TBmpBuilder {
  uint32_t HeaderSize = 40;
  int32_t Width = 0;
  int32_t Height = 0;  // negative: top-down
  uint16_t Planes = 1;
  uint16_t Bits = 24;
  uint32_t Compression = 0;
  uint32_t ClrUsed = 0;
  uint32_t SizeImage = 0;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  std::vector<uint32_t> Masks;    // written after a 40-byte header, or inside a longer one
  std::vector<std::vector<uint8_t>> Rows;  // top row first, unpadded
  size_t GapBeforePixels = 0;

  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> v;
    const size_t rowBytes = ((size_t(std::max(Width, 0)) * Bits + 31) / 32) * 4;
    v.push_back('B');
    v.push_back('M');
    Le32(v, 0);  // size: not consulted
    Le32(v, 0);
    const size_t entry = HeaderSize == 12 ? 3 : 4;
    const size_t masksAfter = (HeaderSize == 40) ? Masks.size() * 4 : 0;
    Le32(v, uint32_t(14 + HeaderSize + masksAfter + Palette.size() * entry + GapBeforePixels));
    Le32(v, HeaderSize);
    if (HeaderSize == 12) {
      Le16(v, uint32_t(Width));
      Le16(v, uint32_t(Height));
      Le16(v, Planes);
      Le16(v, Bits);
    } else {
      Le32(v, uint32_t(Width));
      Le32(v, uint32_t(Height));
      Le16(v, Planes);
      Le16(v, Bits);
      Le32(v, Compression);
      Le32(v, SizeImage);
      Le32(v, 0);
      Le32(v, 0);
      Le32(v, ClrUsed);
      Le32(v, 0);
      for (size_t k = 0; k < HeaderSize - 40; k += 4) Le32(v, k / 4 < Masks.size() ? Masks[k / 4] : 0);
    }
    if (HeaderSize == 40)
      for (uint32_t m : Masks) Le32(v, m);
    for (uint32_t c : Palette) {
      v.push_back(uint8_t(c));
      v.push_back(uint8_t(c >> 8));
      v.push_back(uint8_t(c >> 16));
      if (entry == 4) v.push_back(0);
    }
    v.insert(v.end(), GapBeforePixels, 0xEE);
    const int32_t h = Height < 0 ? -Height : Height;
    for (int32_t i = 0; i < h; ++i) {
      const auto& row = Rows[Height < 0 ? i : h - 1 - i];
      std::vector<uint8_t> padded(row);
      padded.resize(rowBytes, 0);
      v.insert(v.end(), padded.begin(), padded.end());
    }
    return v;
  }
};

TEST(BmpRead, EightBitWithTenEntryColourTable) {
  TBmpBuilder s;
  s.Width = 3;
  s.Height = 2;
  s.Bits = 8;
  s.ClrUsed = 10;
  for (uint32_t k = 0; k < 10; ++k) s.Palette.push_back(k * 0x111111u);
  s.Rows = {{1, 9, 200}, {0, 5, 3}};  // 200 lies beyond the table
  const auto bytes = s.Build();
  const TBmpReadResult r = ReadBmp(bytes, TBmpLayout::Packed);
  ASSERT_TRUE(r.Ok()) << BmpErrorText(r.Error);
  EXPECT_EQ(r.BytesUsed, bytes.size());
  EXPECT_EQ(r.Info.ColorCount, 10u);
  EXPECT_EQ(r.Bitmap.Format(), TPixelFormat::Bgr24);
  EXPECT_EQ(r.Bitmap.GetPixel(0, 0), RGB(0x11, 0x11, 0x11));
  EXPECT_EQ(r.Bitmap.GetPixel(1, 0), RGB(0x99, 0x99, 0x99));
  EXPECT_EQ(r.Bitmap.GetPixel(2, 0), clBlack);
  EXPECT_EQ(r.Bitmap.GetPixel(1, 1), RGB(0x55, 0x55, 0x55));
}

TEST(BmpRead, PackedPicturesFollowEachOther) {
  TBmpBuilder a;
  a.Width = 2;
  a.Height = 1;
  a.Rows = {{1, 2, 3, 4, 5, 6}};
  TBmpBuilder b = a;
  b.Width = 1;
  b.Rows = {{7, 8, 9}};
  auto bytes = a.Build();
  const size_t firstSize = bytes.size();
  const auto second = b.Build();
  bytes.insert(bytes.end(), second.begin(), second.end());
  const TBmpReadResult r1 = ReadBmp(bytes, TBmpLayout::Packed);
  ASSERT_TRUE(r1.Ok());
  EXPECT_EQ(r1.BytesUsed, firstSize);
  const TBmpReadResult r2 = ReadBmp(std::span(bytes).subspan(r1.BytesUsed), TBmpLayout::Packed);
  ASSERT_TRUE(r2.Ok());
  EXPECT_EQ(r2.Bitmap.GetPixel(0, 0), RGB(9, 8, 7));
}

TEST(BmpRead, CoreHeaderWithThreeByteEntries) {
  TBmpBuilder s;
  s.HeaderSize = 12;
  s.Width = 3;
  s.Height = 2;
  s.Bits = 4;
  s.Palette.assign(16, 0);
  s.Palette[2] = 0xFF0000;  // red
  s.Palette[15] = 0x0000FF;  // blue
  s.Rows = {{0x2F, 0x20}, {0xF2, 0x00}};
  const TBmpReadResult r = ReadBmp(s.Build(), TBmpLayout::Packed);
  ASSERT_TRUE(r.Ok()) << BmpErrorText(r.Error);
  EXPECT_EQ(r.Info.HeaderSize, 12);
  EXPECT_EQ(r.BytesUsed, s.Build().size());
  EXPECT_EQ(r.Bitmap.GetPixel(0, 0), clRed);
  EXPECT_EQ(r.Bitmap.GetPixel(1, 0), clBlue);
  EXPECT_EQ(r.Bitmap.GetPixel(2, 0), clRed);
  EXPECT_EQ(r.Bitmap.GetPixel(0, 1), clBlue);
  EXPECT_EQ(r.Bitmap.GetPixel(2, 1), clBlack);
}

TEST(BmpRead, OneBitMonochrome) {
  TBmpBuilder s;
  s.Width = 10;
  s.Height = 1;
  s.Bits = 1;
  s.Palette = {0x000000, 0xFFFFFF};
  s.Rows = {{0b10100000, 0b01000000}};
  const TBmpReadResult r = ReadBmp(s.Build());
  ASSERT_TRUE(r.Ok());
  const std::string expect = "#.#......#";
  for (int x = 0; x < 10; ++x) EXPECT_EQ(r.Bitmap.GetPixel(x, 0), expect[x] == '#' ? clWhite : clBlack) << x;
}

TEST(BmpRead, SixteenBitPlainAndBitFields) {
  TBmpBuilder s;
  s.Width = 2;
  s.Height = 1;
  s.Bits = 16;
  // 5-5-5: pure red and a mid grey (16,16,16 of 31).
  s.Rows = {{0x00, 0x7C, 0x10, 0x42}};
  TBmpReadResult r = ReadBmp(s.Build());
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.Bitmap.GetPixel(0, 0), clRed);
  EXPECT_EQ(r.Bitmap.GetPixel(1, 0), RGB(132, 132, 132));  // 16 * 255 / 31, rounded

  // 5-6-5 bit fields after a 40-byte header: green 63 and blue 31.
  s.Compression = 3;
  s.Masks = {0xF800, 0x07E0, 0x001F};
  s.Rows = {{0xE0, 0x07, 0x1F, 0x00}};
  r = ReadBmp(s.Build(), TBmpLayout::Packed);
  ASSERT_TRUE(r.Ok()) << BmpErrorText(r.Error);
  EXPECT_EQ(r.BytesUsed, s.Build().size());
  EXPECT_EQ(r.Bitmap.GetPixel(0, 0), clLime);
  EXPECT_EQ(r.Bitmap.GetPixel(1, 0), clBlue);

  // The same masks inside a 108-byte header.
  s.HeaderSize = 108;
  r = ReadBmp(s.Build(), TBmpLayout::Packed);
  ASSERT_TRUE(r.Ok()) << BmpErrorText(r.Error);
  EXPECT_EQ(r.Bitmap.GetPixel(0, 0), clLime);
}

TEST(BmpRead, ThirtyTwoBitWithSwappedMasks) {
  TBmpBuilder s;
  s.Width = 1;
  s.Height = 1;
  s.Bits = 32;
  s.Compression = 3;
  s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the low byte
  s.Rows = {{10, 20, 30, 99}};
  const TBmpReadResult r = ReadBmp(s.Build());
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.Bitmap.GetPixel(0, 0), RGB(10, 20, 30));
}

TEST(BmpRead, BottomUpAndTopDownGiveTheSamePicture) {
  TBmpBuilder s;
  s.Width = 2;
  s.Height = 3;
  s.Rows = {{0, 0, 255, 0, 0, 255}, {0, 255, 0, 0, 255, 0}, {255, 0, 0, 255, 0, 0}};
  const TBmpReadResult up = ReadBmp(s.Build());
  s.Height = -3;
  const TBmpReadResult down = ReadBmp(s.Build());
  ASSERT_TRUE(up.Ok());
  ASSERT_TRUE(down.Ok());
  EXPECT_FALSE(up.Info.TopDown);
  EXPECT_TRUE(down.Info.TopDown);
  EXPECT_EQ(up.Bitmap.GetPixel(0, 0), clRed);  // first row given is the top row
  EXPECT_EQ(up.Bitmap.GetPixel(1, 2), clBlue);
  EXPECT_TRUE(up.Bitmap.SamePixels(down.Bitmap));
}

TEST(BmpRead, FileLayoutHonoursThePixelOffset) {
  TBmpBuilder s;
  s.Width = 1;
  s.Height = 1;
  s.Rows = {{1, 2, 3}};
  s.GapBeforePixels = 6;
  const auto bytes = s.Build();
  const TBmpReadResult f = ReadBmp(bytes, TBmpLayout::File);
  ASSERT_TRUE(f.Ok());
  EXPECT_EQ(f.Bitmap.GetPixel(0, 0), RGB(3, 2, 1));
  const TBmpReadResult p = ReadBmp(bytes, TBmpLayout::Packed);
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(p.Bitmap.GetPixel(0, 0), RGB(0xEE, 0xEE, 0xEE));  // reads right after the table
}

TEST(BmpRead, RefusesCleanly) {
  TBmpBuilder s;
  s.Width = 4;
  s.Height = 3;
  s.Bits = 8;
  s.ClrUsed = 10;
  s.Palette.assign(10, 0x123456);
  s.Rows.assign(3, std::vector<uint8_t>(4, 1));
  const auto good = s.Build();
  ASSERT_TRUE(ReadBmp(good, TBmpLayout::Packed).Ok());
  // Every truncation fails, in both layouts, without reading past the end.
  for (size_t n = 0; n < good.size(); ++n) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + n);
    EXPECT_FALSE(ReadBmp(cut, TBmpLayout::Packed).Ok()) << n;
    EXPECT_FALSE(ReadBmp(cut, TBmpLayout::File).Ok()) << n;
    EXPECT_TRUE(ReadBmp(cut).Bitmap.IsEmpty());
  }
  EXPECT_EQ(ReadBmp(std::vector<uint8_t>(good.begin(), good.end() - 1)).Error, TBmpError::Truncated);

  auto bad = good;
  bad[0] = 'X';
  EXPECT_EQ(ReadBmp(bad).Error, TBmpError::NotBitmap);
  TBmpBuilder t = s;
  t.Planes = 2;
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::BadPlanes);
  t = s;
  t.Compression = 1;
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::RunLengthEncoded);
  t.Compression = 2;
  t.Bits = 4;
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::RunLengthEncoded);
  t = s;
  t.Bits = 7;
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::UnsupportedBitCount);
  t = s;
  t.Compression = 3;  // bit fields on an 8-bit picture
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::UnsupportedCompression);
  t = s;
  t.HeaderSize = 64;
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::UnsupportedHeader);
  t = s;
  t.SizeImage = 8;  // less than 3 rows of 4 bytes
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::BadImageSize);
  t = s;
  t.ClrUsed = 0x40000000;  // a table far larger than the data
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::Truncated);
  t = s;
  t.Width = 0;
  t.Rows.assign(3, {});
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::BadSize);
  t = s;
  t.Width = -4;
  EXPECT_EQ(ReadBmp(t.Build()).Error, TBmpError::BadSize);
  bad = good;
  bad[19] = 0x75;  // width 0x7504: far longer rows than present
  EXPECT_EQ(ReadBmp(bad).Error, TBmpError::Truncated);
}

TEST(BmpWrite, RoundTripsInEveryFormat) {
  TBitmap b(5, 3, TPixelFormat::Bgra32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, RGB(uint8_t(40 * x), uint8_t(80 * y), uint8_t(x ^ y)));
  for (TBmpWriteFormat f : {TBmpWriteFormat::Rgb24, TBmpWriteFormat::Rgb32, TBmpWriteFormat::Indexed8}) {
    const auto bytes = WriteBmp(b.Surface(), f);
    ASSERT_FALSE(bytes.empty());
    const TBmpReadResult r = ReadBmp(bytes, TBmpLayout::Packed);
    ASSERT_TRUE(r.Ok()) << BmpErrorText(r.Error);
    EXPECT_EQ(r.BytesUsed, bytes.size()) << "written pictures must be valid packed pictures";
    EXPECT_TRUE(r.Bitmap.SamePixels(b));
  }
  const auto idx = WriteBmp(b.Surface(), TBmpWriteFormat::Indexed8);
  EXPECT_EQ(ReadBmp(idx).Info.ColorCount, 15u);
  EXPECT_EQ(idx[28], 8);  // bit count field

  TBitmap many(300, 1, TPixelFormat::Bgr24);
  for (int x = 0; x < 300; ++x) many.SetPixel(x, 0, RGB(uint8_t(x), uint8_t(x >> 8), 0));
  EXPECT_TRUE(WriteBmp(many.Surface(), TBmpWriteFormat::Indexed8).empty());
}

}  // namespace
}  // namespace tsm
