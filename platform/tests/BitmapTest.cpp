#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "BinaryFile.h"
#include "Bitmap.h"
#include "BmpCodec.h"
#include "Colors.h"
#include "GifCodec.h"
#include "JpegCodec.h"
#include "Picture.h"
#include "PngCodec.h"

namespace {

const std::string Data = std::string(KESR_TEST_DATA_DIR) + "/pictures/";

std::uint32_t U32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& d, std::size_t at) { return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8)); }

int MaxChannelDiff(TColor a, TColor b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

struct FormatCase {
  TPixelFormat Format;
  int Bits;
  std::uint32_t Compression;
};

class BmpRoundTrip : public testing::TestWithParam<FormatCase> {};

// Odd widths make every format pad its rows; the file must keep each pixel
// bit and the palette, and the header must describe the format.
TEST_P(BmpRoundTrip, KeepsPixelsPaletteAndHeader) {
  const FormatCase c = GetParam();
  TBitmap bitmap(7, 3, c.Format);
  const TColor colors[] = {clRed, clLime, clBlue, clWhite, clBlack, clYellow, clAqua};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) bitmap.SetPixel(x, y, colors[(x + y) % 7]);

  const std::vector<std::uint8_t> file = EncodeBmp(bitmap);
  ASSERT_EQ(file[0], 'B');
  EXPECT_EQ(U32(file, 2), file.size());
  EXPECT_EQ(U32(file, 18), 7u);
  EXPECT_EQ(U32(file, 22), 3u);
  EXPECT_EQ(U16(file, 28), c.Bits);
  EXPECT_EQ(U32(file, 30), c.Compression);
  EXPECT_EQ(U32(file, 10) + static_cast<std::uint32_t>(bitmap.RowBytes()) * 3, file.size());

  TBitmap loaded;
  DecodeBmp(file.data(), file.size(), loaded);
  EXPECT_EQ(loaded.PixelFormat(), c.Format == pfDevice ? pf32bit : c.Format);
  ASSERT_EQ(loaded.Width(), 7);
  ASSERT_EQ(loaded.Height(), 3);
  EXPECT_EQ(loaded.Palette(), bitmap.Palette());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(loaded.GetPixel(x, y), bitmap.GetPixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, BmpRoundTrip,
                         testing::Values(FormatCase{pf1bit, 1, 0}, FormatCase{pf4bit, 4, 0}, FormatCase{pf8bit, 8, 0},
                                         FormatCase{pf15bit, 16, 0}, FormatCase{pf16bit, 16, 3},
                                         FormatCase{pf24bit, 24, 0}, FormatCase{pf32bit, 32, 0},
                                         FormatCase{pfDevice, 32, 0}));

TEST(Bitmap, PureColoursSurviveEveryFormatThatHasThem) {
  for (TPixelFormat f : {pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap bitmap(2, 2, f);
    for (TColor c : {clRed, clLime, clBlue, clWhite, clBlack}) {
      bitmap.SetPixel(1, 1, c);
      EXPECT_EQ(bitmap.GetPixel(1, 1), c) << "format " << f;
    }
  }
  TBitmap mono(9, 1, pf1bit);
  mono.SetPixel(8, 0, clWhite);
  EXPECT_EQ(mono.ScanLine(0)[1], 0x80);  // the ninth pixel is the top bit of the second byte
  mono.SetPixel(8, 0, RGBColor(40, 40, 40));
  EXPECT_EQ(mono.GetPixel(8, 0), clBlack);
}

TEST(Bitmap, FileRowsAreBottomUpAndTopDownFilesLoad) {
  TBitmap bitmap(1, 2, pf24bit);
  bitmap.SetPixel(0, 0, clRed);
  bitmap.SetPixel(0, 1, clBlue);
  std::vector<std::uint8_t> file = EncodeBmp(bitmap);
  const std::size_t pixels = U32(file, 10);
  EXPECT_EQ(file[pixels], 0xFF);      // bottom row (blue) first: B G R
  EXPECT_EQ(file[pixels + 4 + 2], 0xFF);  // then the top row (red)

  // The same file stored top-down (negative height) with its rows swapped.
  std::vector<std::uint8_t> topDown = file;
  const std::int32_t negative = -2;
  std::memcpy(&topDown[22], &negative, 4);
  std::swap_ranges(topDown.begin() + static_cast<long>(pixels), topDown.begin() + static_cast<long>(pixels) + 4,
                   topDown.begin() + static_cast<long>(pixels) + 4);
  TBitmap loaded;
  DecodeBmp(topDown.data(), topDown.size(), loaded);
  EXPECT_EQ(loaded.GetPixel(0, 0), clRed);
  EXPECT_EQ(loaded.GetPixel(0, 1), clBlue);
}

TEST(Bitmap, DamagedFilesAreRefusedAndLeaveTheBitmapAlone) {
  TBitmap source(4, 4, pf8bit);
  const std::vector<std::uint8_t> good = EncodeBmp(source);
  TBitmap target(2, 2, pf24bit);
  target.SetPixel(0, 0, clRed);

  std::vector<std::uint8_t> truncated(good.begin(), good.end() - 1);
  std::vector<std::uint8_t> badDepth = good;
  badDepth[28] = 7;
  std::vector<std::uint8_t> rle = good;
  rle[30] = 1;
  std::vector<std::uint8_t> notBmp = {'P', 'K', 3, 4};
  for (const auto* data : {&truncated, &badDepth, &rle, &notBmp}) {
    EXPECT_THROW(DecodeBmp(data->data(), data->size(), target), EInvalidGraphic);
    EXPECT_EQ(target.Width(), 2);
    EXPECT_EQ(target.GetPixel(0, 0), clRed);
  }
}

TEST(Bitmap, SaveAndLoadThroughFilesAndStreams) {
  TBitmap bitmap(3, 3, pf16bit);
  bitmap.SetPixel(2, 2, clRed);
  const std::string path = testing::TempDir() + "kesr-bitmap.bmp";
  bitmap.SaveToFile(path);
  TBitmap fromFile;
  fromFile.LoadFromFile(path);
  EXPECT_EQ(fromFile.PixelFormat(), pf16bit);
  EXPECT_EQ(fromFile.GetPixel(2, 2), clRed);

  std::stringstream stream;
  bitmap.SaveToStream(stream);
  TBitmap fromStream;
  fromStream.LoadFromStream(stream);
  EXPECT_EQ(fromStream.GetPixel(2, 2), clRed);
  EXPECT_THROW(fromFile.LoadFromFile(testing::TempDir() + "no-such-dir/x.bmp"), EFOpenError);
  EXPECT_THROW(bitmap.SaveToFile(testing::TempDir() + "no-such-dir/x.bmp"), EFCreateError);
}

TEST(Bitmap, ResizingKeepsTheOverlapAndFormatChangesKeepColours) {
  TBitmap bitmap(4, 4, pf24bit);
  bitmap.SetPixel(1, 1, clRed);
  bitmap.SetPixel(3, 3, clBlue);
  bitmap.SetSize(8, 2);
  EXPECT_EQ(bitmap.GetPixel(1, 1), clRed);
  EXPECT_EQ(bitmap.GetPixel(3, 3), -1);
  EXPECT_EQ(bitmap.GetPixel(7, 1), clBlack);
  bitmap.SetPixelFormat(pf8bit);
  EXPECT_EQ(bitmap.GetPixel(1, 1), clRed);
  bitmap.SetPixelFormat(pf16bit);
  EXPECT_EQ(bitmap.GetPixel(1, 1), clRed);
  EXPECT_THROW(bitmap.SetSize(100000, 100000), EOutOfResources);
  EXPECT_EQ(bitmap.Width(), 8);
}

TEST(Bitmap, TransparentColourAndMask) {
  TBitmap bitmap(3, 2, pf24bit);
  bitmap.Canvas();
  for (int x = 0; x < 3; ++x) {
    bitmap.SetPixel(x, 0, clFuchsia);
    bitmap.SetPixel(x, 1, clFuchsia);
  }
  bitmap.SetPixel(1, 0, clNavy);
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);  // bottom-left pixel while automatic
  bitmap.SetTransparentColor(clNavy);
  EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
  EXPECT_EQ(bitmap.TransparentColor(), clNavy);

  bitmap.Mask(clFuchsia);
  EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
  EXPECT_EQ(bitmap.GetPixel(0, 0), clWhite);
  EXPECT_EQ(bitmap.GetPixel(1, 0), clBlack);
}

TEST(Pictures, PngFromAnotherWriterWithAlpha) {
  TPicture picture;
  picture.LoadFromFile(Data + "rgba-3x2.png");
  EXPECT_EQ(picture.GraphicClassName(), "TPngImage");
  const TBitmap& b = *static_cast<const TPicture&>(picture).Bitmap();
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.AlphaFormat(), afDefined);
  EXPECT_EQ(b.GetPixel(0, 0), clRed);
  EXPECT_EQ(b.GetAlpha(1, 0), 128);
  EXPECT_EQ(b.GetAlpha(2, 0), 0);
  EXPECT_EQ(b.GetPixel(2, 1), RGBColor(128, 128, 128));

  TPicture halves;
  halves.LoadFromFile(Data + "halves.png");
  EXPECT_EQ(halves.Width(), 16);
  EXPECT_EQ(halves.Bitmap()->GetPixel(2, 4), clRed);
  EXPECT_EQ(halves.Bitmap()->GetPixel(13, 4), clBlue);
}

TEST(Pictures, JpegFromAnotherWriterAndOurOwnRoundTrip) {
  TPicture picture;
  picture.LoadFromFile(Data + "halves.jpg");
  EXPECT_EQ(picture.GraphicClassName(), "TJPEGImage");
  ASSERT_EQ(picture.Width(), 16);
  ASSERT_EQ(picture.Height(), 8);
  const TBitmap& b = *static_cast<const TPicture&>(picture).Bitmap();
  EXPECT_LE(MaxChannelDiff(b.GetPixel(2, 4), clRed), 12);
  EXPECT_LE(MaxChannelDiff(b.GetPixel(13, 4), clBlue), 12);

  TBitmap source(32, 16, pf16bit);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) source.SetPixel(x, y, x < 16 ? clGreen : clWhite);
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(source, 95);
  TBitmap decoded;
  DecodeJpeg(jpeg.data(), jpeg.size(), decoded);
  EXPECT_EQ(decoded.PixelFormat(), pf24bit);
  EXPECT_LE(MaxChannelDiff(decoded.GetPixel(4, 8), clGreen), 8);
  EXPECT_LE(MaxChannelDiff(decoded.GetPixel(28, 8), clWhite), 8);

  std::vector<std::uint8_t> damaged(jpeg.begin(), jpeg.begin() + 40);
  EXPECT_THROW(DecodeJpeg(damaged.data(), damaged.size(), decoded), EInvalidGraphic);
  EXPECT_EQ(decoded.Width(), 32);
}

TEST(Pictures, GifKeepsFewColoursExactlyAndQuantisesMany) {
  TBitmap few(4, 1, pf24bit);
  few.SetPixel(0, 0, clRed);
  few.SetPixel(1, 0, clBlue);
  few.SetPixel(2, 0, RGBColor(1, 2, 3));
  few.SetPixel(3, 0, clWhite);
  std::vector<TColor> palette = GifPalette(few);
  EXPECT_EQ(palette.size(), 4u);
  EXPECT_NE(std::find(palette.begin(), palette.end(), RGBColor(1, 2, 3)), palette.end());
  const std::vector<std::uint8_t> gif = EncodeGif(few);
  ASSERT_GE(gif.size(), 13u);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 3), "GIF");
  EXPECT_EQ(U16(gif, 6), 4);
  EXPECT_EQ(U16(gif, 8), 1);
  TPicture back;
  back.LoadFromData(gif);
  EXPECT_EQ(back.GraphicClassName(), "TGIFImage");
  for (int x = 0; x < 4; ++x) EXPECT_EQ(back.Bitmap()->GetPixel(x, 0), few.GetPixel(x, 0));
  std::vector<std::uint8_t> damaged(gif.begin(), gif.begin() + 20);
  EXPECT_THROW(back.LoadFromData(damaged), EInvalidGraphic);
  EXPECT_EQ(back.Width(), 4);

  // A smooth ramp of 64 x 64 distinct colours: 256 entries, each pixel near its colour.
  TBitmap many(64, 64, pf24bit);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) many.SetPixel(x, y, RGBColor(x * 4, y * 4, 128));
  palette = GifPalette(many);
  EXPECT_EQ(palette.size(), 256u);
  int worst = 0;
  for (int y = 0; y < 64; y += 7)
    for (int x = 0; x < 64; x += 7) {
      int best = 255;
      for (TColor p : palette) best = std::min(best, MaxChannelDiff(p, many.GetPixel(x, y)));
      worst = std::max(worst, best);
    }
  EXPECT_LE(worst, 16);
  EXPECT_NO_THROW(EncodeGif(many));
}

TEST(Pictures, StoredDataRoundTripAndUnknownKinds) {
  TPicture picture;
  picture.Bitmap()->SetPixelFormat(pf24bit);
  picture.Bitmap()->SetSize(2, 2);
  picture.Bitmap()->SetPixel(1, 0, clRed);
  const std::vector<std::uint8_t> data = picture.SaveData();
  ASSERT_EQ(data[0], 7);
  EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 8), "TBitmap");
  EXPECT_EQ(U32(data, 8), data.size() - 12);

  TPicture copy;
  copy.LoadData(data);
  EXPECT_EQ(copy.Bitmap()->GetPixel(1, 0), clRed);

  TPicture jpeg;
  jpeg.LoadFromFile(Data + "halves.jpg");
  const std::vector<std::uint8_t> original = ReadBinaryFile(Data + "halves.jpg");
  const std::vector<std::uint8_t> stored = jpeg.SaveData();
  EXPECT_EQ(std::vector<std::uint8_t>(stored.begin() + 15, stored.end()), original);  // "TJPEGImage" kept byte for byte

  TPicture assigned;
  assigned.Assign(&jpeg);
  EXPECT_EQ(assigned.GraphicClassName(), "TJPEGImage");
  EXPECT_EQ(assigned.Width(), 16);

  EXPECT_THROW(picture.LoadFromFile(Data + "halves.tif"), EInvalidGraphic);
  std::vector<std::uint8_t> truncated(data.begin(), data.begin() + 20);
  EXPECT_THROW(copy.LoadData(truncated), EInvalidGraphic);
  EXPECT_EQ(copy.Width(), 2);
}

}  // namespace
