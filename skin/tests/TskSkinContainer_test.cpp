#include "skin/TskSkinContainer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/base/Exception.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskZStream.h"
#include "skin/tests/SkinTestUtil.h"

namespace tsm {
namespace {

using test::GetLE32;
using test::MakeBmp24;
using test::MakeBmp8;
using test::PutLE32;

std::vector<uint8_t> Small8(int w = 3, int h = 2, uint32_t colours = 10) {
  return MakeBmp8(w, h, colours, [](int x, int y) { return uint8_t(x + y); });
}

void AppendI32(std::vector<uint8_t>& b, int32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}
void Append(std::vector<uint8_t>& b, const std::vector<uint8_t>& more) { b.insert(b.end(), more.begin(), more.end()); }

TEST(TskSkinContainer, PictureLengthFollowsTheHeadersNotTheFileHeader) {
  auto bmp = Small8(5, 3, 10);  // rows of 8 bytes
  EXPECT_EQ(ScanContainerPicture(bmp).Length, 14 + 40 + 10 * 4 + 8 * 3u);
  PutLE32(bmp, 2, 1);        // file size: not consulted
  PutLE32(bmp, 10, 999999);  // pixel offset: not consulted
  EXPECT_EQ(ScanContainerPicture(bmp).Length, bmp.size());
  // A used count of 0 means the full table of 2^bits entries.
  EXPECT_EQ(ScanContainerPicture(Small8(4, 1, 0)).Length, 14 + 40 + 256 * 4 + 4u);
  // 24-bit rows are padded to 4 bytes.
  auto b24 = MakeBmp24(3, 2, [](int, int) { return clRed; });
  PutLE32(b24, 34, 0);  // image size 0: computed from the rows
  const TskPictureInfo info = ScanContainerPicture(b24);
  EXPECT_EQ(info.Length, 54 + 12 * 2u);
  EXPECT_EQ(info.Width, 3);
  EXPECT_EQ(info.Height, 2);
}

TEST(TskSkinContainer, CoreHeadersAndBitFieldMasks) {
  // Core header: 12 bytes, 3-byte colour entries.
  std::vector<uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 2, 0, 2, 0, 1, 0, 1, 0};
  core.insert(core.end(), 2 * 3, 0x7F);  // palette of 2 entries
  core.insert(core.end(), 2 * 4, 0x80);  // 2 rows of 4 bytes
  EXPECT_EQ(ScanContainerPicture(core).Length, core.size());

  // 16-bit bit fields after a 40-byte header: three masks follow it.
  auto bmp = MakeBmp24(2, 2, [](int, int) { return clWhite; });
  bmp[28] = 16;
  PutLE32(bmp, 30, 3);
  PutLE32(bmp, 34, 0);
  std::vector<uint8_t> withMasks(bmp.begin(), bmp.begin() + 54);
  withMasks.insert(withMasks.end(), 12, 0xFF);
  withMasks.insert(withMasks.end(), 8, 0x11);
  EXPECT_EQ(ScanContainerPicture(withMasks).Length, withMasks.size());
}

TEST(TskSkinContainer, UnsupportedOrDamagedPicturesAreRefused) {
  auto expectInvalid = [](std::vector<uint8_t> b, const char* what) {
    try {
      ScanContainerPicture(b);
      ADD_FAILURE() << what << ": accepted";
    } catch (const EReadError& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid") << what;
    }
  };
  auto good = Small8();
  auto b = good;
  b[0] = 'X';
  expectInvalid(b, "type");
  b = good;
  b[26] = 2;
  expectInvalid(b, "planes");
  b = good;
  PutLE32(b, 30, 1);  // run-length encoded
  expectInvalid(b, "rle8");
  b = good;
  PutLE32(b, 18, 0);
  expectInvalid(b, "zero width");
  b = good;
  PutLE32(b, 22, 0x80000000u);
  expectInvalid(b, "minimum height");
  b = good;
  PutLE32(b, 46, 300);
  expectInvalid(b, "palette above 256");
  b = good;
  PutLE32(b, 14, 41);
  expectInvalid(b, "header size");
  b = good;
  PutLE32(b, 34, 1);  // image size smaller than the rows
  expectInvalid(b, "short image size");
  b = good;
  b.pop_back();
  expectInvalid(b, "truncated pixels");
  expectInvalid(std::vector<uint8_t>(good.begin(), good.begin() + 30), "truncated header");
  expectInvalid({}, "nothing");
}

TEST(TskSkinContainer, NormalisingAFileDropsTheGapBeforeThePixels) {
  auto bmp = Small8(2, 2, 2);
  const size_t offset = GetLE32(bmp, 10);
  std::vector<uint8_t> gapped(bmp.begin(), bmp.begin() + static_cast<ptrdiff_t>(offset));
  gapped.insert(gapped.end(), 6, 0xEE);
  gapped.insert(gapped.end(), bmp.begin() + static_cast<ptrdiff_t>(offset), bmp.end());
  PutLE32(gapped, 10, uint32_t(offset + 6));
  EXPECT_EQ(NormaliseBitmapFile(gapped), bmp);
}

TskSkinContainer SampleContainer() {
  TskSkinContainer c;
  c.MainPicture = Small8(4, 3);
  c.MaskPicture = Small8(2, 2);
  c.ActivePictures = {Small8(1, 1), MakeBmp24(2, 3, [](int x, int) { return x ? clBlue : clLime; })};
  c.Definition = "[VERSION]\r\nskinname=测试\r\n";
  return c;
}

TEST(TskSkinContainer, WriteThenReadGivesTheSameContainer) {
  const TskSkinContainer c = SampleContainer();
  const auto bytes = WriteSkinContainer(c);
  EXPECT_EQ(GetLE32(bytes, 0), 3u);
  EXPECT_EQ(bytes[4], 0);
  TskSkinContainer back;
  ASSERT_TRUE(ReadSkinContainer(bytes, back));
  EXPECT_EQ(back.Version, 3);
  EXPECT_EQ(back.MainPicture, c.MainPicture);
  EXPECT_TRUE(back.InactivePicture.empty());
  EXPECT_EQ(back.MaskPicture, c.MaskPicture);
  EXPECT_EQ(back.ActivePictures, c.ActivePictures);
  EXPECT_EQ(back.Definition, c.Definition);
}

TEST(TskSkinContainer, VersionsZeroToThreeReadAlikeFourIsNotRead) {
  const TskSkinContainer c = SampleContainer();
  for (int32_t version : {0, 1, 3, -7}) {
    auto bytes = WriteSkinContainer(c);
    PutLE32(bytes, 0, uint32_t(version));
    TskSkinContainer back;
    ASSERT_TRUE(ReadSkinContainer(bytes, back)) << version;
    EXPECT_EQ(back.ActivePictures.size(), 2u);
    EXPECT_EQ(back.Definition, c.Definition);
  }
  auto bytes = WriteSkinContainer(c);
  PutLE32(bytes, 0, 4);
  TskSkinContainer back;
  EXPECT_FALSE(ReadSkinContainer(bytes, back));
  EXPECT_EQ(back.Version, 4);
  EXPECT_TRUE(back.MainPicture.empty());
  EXPECT_TRUE(back.Definition.empty());
}

TEST(TskSkinContainer, VersionTwoCarriesTwoExtraPicturesThatAreSkipped) {
  std::vector<uint8_t> b;
  AppendI32(b, 2);
  b.push_back(2);  // a flag of 2 also means no picture
  b.push_back(1);
  b.push_back(0);
  Append(b, Small8(2, 2));  // mask
  b.push_back(0);
  Append(b, Small8(7, 7));  // extra picture 1, discarded
  b.push_back(1);           // extra picture 2 absent
  AppendI32(b, 0);          // no active pictures: straight to the text
  const std::string text = "[a]\r\nx=1";
  b.insert(b.end(), text.begin(), text.end());
  TskSkinContainer c;
  ASSERT_TRUE(ReadSkinContainer(b, c));
  EXPECT_TRUE(c.MainPicture.empty());
  EXPECT_EQ(c.MaskPicture, Small8(2, 2));
  EXPECT_TRUE(c.ActivePictures.empty());
  EXPECT_EQ(c.Definition, text);

  // Written as version 2, the two extra pairs are two empty flags.
  TskSkinContainer v2;
  v2.Version = 2;
  const auto written = WriteSkinContainer(v2);
  EXPECT_EQ(written, (std::vector<uint8_t>{2, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0}));
}

TEST(TskSkinContainer, TruncatedOrLyingContainersFailCleanly) {
  const auto bytes = WriteSkinContainer(SampleContainer());
  const size_t textLength = SampleContainer().Definition.size();
  // Every cut inside the binary part fails; cuts in the text just shorten it.
  for (size_t n = 0; n + textLength < bytes.size(); ++n) {
    TskSkinContainer c;
    EXPECT_THROW(ReadSkinContainer(std::span(bytes.data(), n), c), EReadError) << n;
  }
  std::vector<uint8_t> huge;
  AppendI32(huge, 3);
  huge.insert(huge.end(), {1, 1, 1});
  AppendI32(huge, 0x7FFFFFFF);
  TskSkinContainer c;
  EXPECT_THROW(ReadSkinContainer(huge, c), EReadError);
  PutLE32(huge, 7, 0xFFFFFFFFu);
  EXPECT_THROW(ReadSkinContainer(huge, c), EReadError);
  EXPECT_THROW(WriteSkinContainer(TskSkinContainer{3, {}, {}, {}, {{}}, ""}), EReadError);
}

TEST(TskSkinContainer, TextLinesEndWithCrLfAndTheLastLineSurvives) {
  EXPECT_EQ(SplitTextLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(TskZStream, LevelNineStreamsRoundTripInBufferSizedPieces) {
  for (size_t size : {size_t(0), size_t(1), kZBufferSize - 1, kZBufferSize, kZBufferSize + 1, size_t(300000)}) {
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = uint8_t((i * 7919) >> 3);
    std::vector<uint8_t> z;
    ZCompress(data, z);
    ASSERT_GE(z.size(), 2u);
    EXPECT_EQ(z[0], 0x78);
    EXPECT_EQ(z[1], 0xDA);
    std::vector<uint8_t> back = {0xAB};  // appended to
    ZDecompress(z, back);
    ASSERT_EQ(back.size(), size + 1);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin() + 1)) << size;
  }
}

TEST(TskZStream, CorruptAndTruncatedStreamsFail) {
  std::vector<uint8_t> data(10000, 'x');
  std::vector<uint8_t> z;
  ZCompress(data, z);
  auto message = [](std::span<const uint8_t> s) -> std::string {
    std::vector<uint8_t> out;
    try {
      ZDecompress(s, out);
    } catch (const EDecompressionError& e) {
      return e.what();
    }
    return "(no error)";
  };
  EXPECT_EQ(message(std::span(z.data(), z.size() - 5)), "compression error");
  EXPECT_EQ(message({}), "compression error");
  auto corrupt = z;
  corrupt[0] = 0x00;
  EXPECT_EQ(message(corrupt), "compression error");
  std::vector<uint8_t> out;
  EXPECT_THROW(ZDecompress(z, out, 5000), EDecompressionError);
}

TEST(TskCompressedStoredSkin, CompressedSkinFiles) {
  const std::vector<uint8_t> stream = {0x78, 0xDA, 1, 2, 3};
  const auto file = WriteCompressedSkinFile(stream);
  EXPECT_EQ(ReadCompressedSkinFile(file), stream);
  auto v4 = file;
  v4[0] = 4;
  EXPECT_TRUE(ReadCompressedSkinFile(v4).empty());
  auto zero = file;
  PutLE32(zero, 4, 0);
  EXPECT_THROW(ReadCompressedSkinFile(zero), EReadError);
  auto beyond = file;
  PutLE32(beyond, 4, 6);
  EXPECT_THROW(ReadCompressedSkinFile(beyond), EReadError);
  PutLE32(beyond, 4, 0xFFFFFFFFu);
  EXPECT_THROW(ReadCompressedSkinFile(beyond), EReadError);
  EXPECT_THROW(ReadCompressedSkinFile(std::span(file.data(), 6)), EReadError);

  test::TTempDir dir;
  TskCompressedStoredSkin skin(nullptr);
  skin.ImportCompressedFile(dir.Write("a.skn", file));
  EXPECT_EQ(skin.CompressedData(), stream);
  EXPECT_THROW(skin.ImportCompressedFile(dir.Write("b.skn", zero)), EReadError);
  EXPECT_TRUE(skin.IsEmpty());
  skin.SetCompressedData(stream);
  skin.ImportCompressedFile(dir.Write("c.skn", v4));
  EXPECT_TRUE(skin.IsEmpty());
}

const char* kDefinition =
    "[VERSION]\r\nskinname=t\r\n[PICTURES]\r\npicture=main.bmp\r\ninactivepicture=\r\nmask=\r\n"
    "activepicturescount=2\r\n0=a.bmp\r\n1=sub/b.bmp\r\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\ncount=0";

TEST(TskCompressedStoredSkin, BuildsAContainerFromADefinitionAndItsPictures) {
  test::TTempDir dir;
  std::filesystem::create_directory(dir.Path() + "sub");
  dir.Write("main.bmp", Small8(6, 4));
  dir.Write("a.bmp", Small8(2, 2));
  dir.Write("sub/b.bmp", MakeBmp24(3, 3, [](int, int) { return clRed; }));
  const std::string path = dir.Write("skin.ini", std::string(kDefinition));

  TskCompressedStoredSkin skin(nullptr);
  skin.BuildFromDefinition(path);
  ASSERT_FALSE(skin.IsEmpty());
  EXPECT_EQ(skin.CompressedData()[0], 0x78);
  EXPECT_EQ(skin.CompressedData()[1], 0xDA);
  std::vector<uint8_t> bytes;
  skin.DecompressTo(bytes);
  // Version, main flag 0 and picture, then the flag byte 1 twice.
  const auto main = Small8(6, 4);
  EXPECT_EQ(GetLE32(bytes, 0), 3u);
  EXPECT_EQ(bytes[4], 0);
  EXPECT_EQ(bytes[5 + main.size()], 1);
  EXPECT_EQ(bytes[6 + main.size()], 1);
  TskSkinContainer c;
  ASSERT_TRUE(ReadSkinContainer(bytes, c));
  EXPECT_EQ(c.MainPicture, main);
  ASSERT_EQ(c.ActivePictures.size(), 2u);
  EXPECT_EQ(ScanContainerPicture(c.ActivePictures[1]).Width, 3);
  // The text as read, every line (the last one too) followed by CR LF.
  EXPECT_EQ(c.Definition.substr(c.Definition.size() - 25), "[SKINCONTROLS]\r\ncount=0\r\n");
}

TEST(TskCompressedStoredSkin, FileNamesReadFilesOnlyAtDesignTime) {
  test::TTempDir dir;
  dir.Write("main.bmp", Small8(6, 4));
  dir.Write("a.bmp", Small8(2, 2));
  std::filesystem::create_directory(dir.Path() + "sub");
  dir.Write("sub/b.bmp", Small8(3, 3));
  const std::string definition = dir.Write("skin.ini", std::string(kDefinition));
  std::vector<uint8_t> stream = {0x78, 0xDA, 1, 2, 3};
  const std::string skn = dir.Write("Option.skn", WriteCompressedSkinFile(stream));

  // Running: the texts are stored as they are, nothing is read.
  TskCompressedStoredSkin running(nullptr);
  running.SetFileName(definition);
  running.SetCompressedFileName(skn);
  EXPECT_EQ(running.FileName(), definition);
  EXPECT_EQ(running.CompressedFileName(), skn);
  EXPECT_TRUE(running.IsEmpty());

  // Designing: the name part is kept and the file is read.
  TskCompressedStoredSkin designed(nullptr);
  designed.SetDesigning(true);
  designed.SetFileName(definition);
  EXPECT_EQ(designed.FileName(), "skin.ini");
  ASSERT_FALSE(designed.IsEmpty());
  std::vector<uint8_t> bytes;
  designed.DecompressTo(bytes);
  TskSkinContainer c;
  ASSERT_TRUE(ReadSkinContainer(bytes, c));
  EXPECT_EQ(c.MainPicture, Small8(6, 4));
  designed.SetCompressedFileName(skn);
  EXPECT_EQ(designed.CompressedFileName(), "Option.skn");
  EXPECT_EQ(designed.CompressedData(), stream);

  // Designing but loading the window description: only stored.
  designed.BeginLoading();
  designed.SetFileName(definition);
  designed.EndLoading();
  EXPECT_EQ(designed.FileName(), definition);
  EXPECT_EQ(designed.CompressedData(), stream);
}

TEST(TskCompressedStoredSkin, BuildFailuresLeaveNothingHalfDone) {
  test::TTempDir dir;
  TskCompressedStoredSkin skin(nullptr);
  skin.SetCompressedData({1, 2, 3});
  // Not a skin definition: unchanged, no error.
  skin.BuildFromDefinition(dir.Write("plain.ini", std::string("[VERSION]\n[PICTURES]\n")));
  EXPECT_EQ(skin.CompressedData(), (std::vector<uint8_t>{1, 2, 3}));
  // A missing picture: the platform's file error, data emptied.
  EXPECT_THROW(skin.BuildFromDefinition(dir.Write("skin.ini", std::string(kDefinition))), EInOutError);
  EXPECT_TRUE(skin.IsEmpty());
  // An active picture without a name cannot be written.
  dir.Write("main.bmp", Small8());
  dir.Write("a.bmp", Small8());
  const std::string noName =
      "[VERSION]\n[PICTURES]\npicture=main.bmp\nactivepicturescount=2\n0=a.bmp\n[FORMINFO]\n[SKINOBJECTS]\n"
      "[SKINCONTROLS]\n";
  skin.SetCompressedData({1});
  EXPECT_THROW(skin.BuildFromDefinition(dir.Write("noname.ini", noName)), EInOutError);
  EXPECT_TRUE(skin.IsEmpty());
  // A run-length encoded picture is refused when building.
  auto rle = Small8();
  PutLE32(rle, 30, 1);
  dir.Write("main.bmp", rle);
  EXPECT_THROW(skin.BuildFromDefinition(dir.Path() + "noname.ini"), EReadError);
}

}  // namespace
}  // namespace tsm
