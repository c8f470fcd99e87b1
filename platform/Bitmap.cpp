#include "Bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "BinaryFile.h"
#include "BmpCodec.h"
#include "Canvas.h"
#include "Colors.h"

namespace {
// Larger bitmaps than this are refused rather than risking an overflow or
// exhausting memory on a corrupt size field.
constexpr long long MaxPixelBytes = 1LL << 30;

constexpr TColor Vga16[16] = {
    RGBColor(0, 0, 0),       RGBColor(128, 0, 0),   RGBColor(0, 128, 0),   RGBColor(128, 128, 0),
    RGBColor(0, 0, 128),     RGBColor(128, 0, 128), RGBColor(0, 128, 128), RGBColor(192, 192, 192),
    RGBColor(128, 128, 128), RGBColor(255, 0, 0),   RGBColor(0, 255, 0),   RGBColor(255, 255, 0),
    RGBColor(0, 0, 255),     RGBColor(255, 0, 255), RGBColor(0, 255, 255), RGBColor(255, 255, 255)};

int Expand5(int v) { return (v << 3) | (v >> 2); }
int Expand6(int v) { return (v << 2) | (v >> 4); }

int ColorDistance(TColor a, TColor b) {
  int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b), db = GetBValue(a) - GetBValue(b);
  return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}
}  // namespace

int BitsPerPixelOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pfDevice:
    case pf32bit: return 32;
  }
  return 32;
}

std::vector<TColor> DefaultPalette(TPixelFormat format) {
  switch (format) {
    case pf1bit: return {RGBColor(0, 0, 0), RGBColor(255, 255, 255)};
    case pf4bit: return {std::begin(Vga16), std::end(Vga16)};
    case pf8bit: {
      std::vector<TColor> palette(std::begin(Vga16), std::end(Vga16));
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b) palette.push_back(RGBColor(r * 51, g * 51, b * 51));
      for (int i = 1; palette.size() < 256; ++i) palette.push_back(RGBColor(i * 10, i * 10, i * 10));
      return palette;
    }
    default: return {};
  }
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
  FFormat = format;
  FPalette = DefaultPalette(format);
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

int TBitmap::BitsPerPixel() const { return BitsPerPixelOf(FFormat); }

int TBitmap::StrideFor(int width, TPixelFormat format) const {
  long long bits = static_cast<long long>(width) * BitsPerPixelOf(format);
  return static_cast<int>(((bits + 31) / 32) * 4);
}

void TBitmap::Allocate(int width, int height, TPixelFormat format, std::vector<std::uint8_t>& bits) const {
  if (width < 0 || height < 0 || static_cast<long long>(width) * height * 4 > MaxPixelBytes)
    throw EOutOfResources("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is too large");
  bits.assign(static_cast<std::size_t>(StrideFor(width, format)) * height, 0);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  std::vector<std::uint8_t> bits;
  Allocate(width, height, FFormat, bits);
  int stride = StrideFor(width, FFormat);
  int copyRows = std::min(height, FHeight);
  int copyBytes = std::min(stride, FStride);
  if (width < FWidth) copyBytes = static_cast<int>((static_cast<long long>(width) * BitsPerPixel() + 7) / 8);
  for (int y = 0; y < copyRows; ++y)
    std::memcpy(bits.data() + static_cast<std::size_t>(y) * stride, FBits.data() + static_cast<std::size_t>(y) * FStride,
                copyBytes);
  FBits.swap(bits);
  FWidth = width;
  FHeight = height;
  FStride = stride;
}

void TBitmap::SetPalette(std::vector<TColor> palette) {
  if (FFormat != pf1bit && FFormat != pf4bit && FFormat != pf8bit) return;
  std::size_t limit = std::size_t{1} << BitsPerPixel();
  if (palette.size() > limit) palette.resize(limit);
  for (auto& c : palette) c = ColorToRGB(c);
  FPalette = std::move(palette);
  FLastLookup = -1;
}

std::uint8_t* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= FHeight) throw EInvalidGraphic("Scan line index out of range");
  return FBits.data() + static_cast<std::size_t>(row) * FStride;
}

const std::uint8_t* TBitmap::ScanLine(int row) const {
  if (row < 0 || row >= FHeight) throw EInvalidGraphic("Scan line index out of range");
  return FBits.data() + static_cast<std::size_t>(row) * FStride;
}

int TBitmap::NearestIndex(TColor rgb) const {
  if (rgb == FLastLookup) return FLastIndex;
  int best = 0, bestDistance = 1 << 30;
  for (std::size_t i = 0; i < FPalette.size(); ++i) {
    int d = ColorDistance(rgb, FPalette[i]);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  FLastLookup = rgb;
  FLastIndex = best;
  return best;
}

TColor TBitmap::DecodePixel(const std::uint8_t* row, int x) const {
  auto paletteAt = [this](int index) {
    return index < static_cast<int>(FPalette.size()) ? FPalette[index] : RGBColor(0, 0, 0);
  };
  switch (FFormat) {
    case pf1bit: return paletteAt((row[x >> 3] >> (7 - (x & 7))) & 1);
    case pf4bit: return paletteAt((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    case pf8bit: return paletteAt(row[x]);
    case pf15bit: {
      int v = row[x * 2] | (row[x * 2 + 1] << 8);
      return RGBColor(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    case pf16bit: {
      int v = row[x * 2] | (row[x * 2 + 1] << 8);
      return RGBColor(Expand5((v >> 11) & 31), Expand6((v >> 5) & 63), Expand5(v & 31));
    }
    case pf24bit: return RGBColor(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    case pfDevice:
    case pf32bit: return RGBColor(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
  }
  return 0;
}

void TBitmap::EncodePixel(std::uint8_t* row, int x, TColor rgb) const {
  int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  switch (FFormat) {
    case pf1bit: {
      std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
      if (NearestIndex(rgb)) row[x >> 3] |= bit; else row[x >> 3] &= static_cast<std::uint8_t>(~bit);
      break;
    }
    case pf4bit: {
      int index = NearestIndex(rgb);
      std::uint8_t& byte = row[x >> 1];
      byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | index)
                     : static_cast<std::uint8_t>((byte & 0x0F) | (index << 4));
      break;
    }
    case pf8bit: row[x] = static_cast<std::uint8_t>(NearestIndex(rgb)); break;
    case pf15bit: {
      int v = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
      row[x * 2] = static_cast<std::uint8_t>(v);
      row[x * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
      break;
    }
    case pf16bit: {
      int v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      row[x * 2] = static_cast<std::uint8_t>(v);
      row[x * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
      break;
    }
    case pf24bit:
      row[x * 3] = static_cast<std::uint8_t>(b);
      row[x * 3 + 1] = static_cast<std::uint8_t>(g);
      row[x * 3 + 2] = static_cast<std::uint8_t>(r);
      break;
    case pfDevice:
    case pf32bit:
      row[x * 4] = static_cast<std::uint8_t>(b);
      row[x * 4 + 1] = static_cast<std::uint8_t>(g);
      row[x * 4 + 2] = static_cast<std::uint8_t>(r);
      row[x * 4 + 3] = 255;
      break;
  }
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return -1;
  return DecodePixel(FBits.data() + static_cast<std::size_t>(y) * FStride, x);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  EncodePixel(FBits.data() + static_cast<std::size_t>(y) * FStride, x, ColorToRGB(color));
}

void TBitmap::ReadRow(int row, TColor* out) const {
  const std::uint8_t* line = ScanLine(row);
  for (int x = 0; x < FWidth; ++x) out[x] = DecodePixel(line, x);
}

void TBitmap::WriteRow(int row, const TColor* in, int firstColumn, int count) {
  std::uint8_t* line = ScanLine(row);
  int end = std::min(FWidth, firstColumn + count);
  for (int x = std::max(firstColumn, 0); x < end; ++x) EncodePixel(line, x, in[x - firstColumn]);
}

void TBitmap::FillSpan(int row, int firstColumn, int count, TColor color) {
  std::uint8_t* line = ScanLine(row);
  const int begin = std::max(firstColumn, 0), end = std::min(FWidth, firstColumn + count);
  if (begin >= end) return;
  const TColor rgb = ColorToRGB(color);
  const int bytes = BitsPerPixel() / 8;
  if (bytes == 0) {
    for (int x = begin; x < end; ++x) EncodePixel(line, x, rgb);
    return;
  }
  // Encode once, then repeat the pixel's bytes along the span.
  EncodePixel(line, begin, rgb);
  std::uint8_t* p = line + static_cast<std::size_t>(begin) * bytes;
  const std::size_t n = static_cast<std::size_t>(end - begin);
  switch (bytes) {
    case 1: std::memset(p + 1, p[0], n - 1); break;
    case 2: {
      std::uint16_t v;
      std::memcpy(&v, p, 2);
      for (std::size_t i = 1; i < n; ++i) std::memcpy(p + i * 2, &v, 2);
      break;
    }
    case 3:
      for (std::size_t i = 1; i < n; ++i) {
        p[i * 3] = p[0];
        p[i * 3 + 1] = p[1];
        p[i * 3 + 2] = p[2];
      }
      break;
    default: {
      std::uint32_t v;
      std::memcpy(&v, p, 4);
      for (std::size_t i = 1; i < n; ++i) std::memcpy(p + i * 4, &v, 4);
      break;
    }
  }
}

std::uint8_t TBitmap::GetAlpha(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  if ((FFormat != pf32bit && FFormat != pfDevice) || FAlphaFormat == afIgnored) return 255;
  return FBits[static_cast<std::size_t>(y) * FStride + static_cast<std::size_t>(x) * 4 + 3];
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FFormat) return;
  std::vector<std::uint8_t> bits;
  Allocate(FWidth, FHeight, format, bits);
  TBitmap target;
  target.FFormat = format;
  target.FPalette = DefaultPalette(format);
  target.FWidth = FWidth;
  target.FHeight = FHeight;
  target.FStride = StrideFor(FWidth, format);
  target.FBits.swap(bits);
  bool keepAlpha = (FFormat == pf32bit || FFormat == pfDevice) && (format == pf32bit || format == pfDevice);
  for (int y = 0; y < FHeight; ++y) {
    const std::uint8_t* src = FBits.data() + static_cast<std::size_t>(y) * FStride;
    std::uint8_t* dst = target.FBits.data() + static_cast<std::size_t>(y) * target.FStride;
    for (int x = 0; x < FWidth; ++x) {
      target.EncodePixel(dst, x, DecodePixel(src, x));
      if (keepAlpha) dst[x * 4 + 3] = src[x * 4 + 3];
    }
  }
  FBits.swap(target.FBits);
  FPalette.swap(target.FPalette);
  FFormat = format;
  FStride = target.FStride;
  FLastLookup = -1;
  if (!keepAlpha) FAlphaFormat = afIgnored;
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return 0;
  return GetPixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  FTransparentColor = ColorToRGB(color);
  FTransparentMode = tmFixed;
}

void TBitmap::Mask(TColor transparentColor) {
  TColor key = ColorToRGB(transparentColor);
  TBitmap mask(FWidth, FHeight, pf1bit);
  for (int y = 0; y < FHeight; ++y) {
    const std::uint8_t* src = ScanLine(y);
    std::uint8_t* dst = mask.ScanLine(y);
    for (int x = 0; x < FWidth; ++x)
      if (DecodePixel(src, x) == key) dst[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
  }
  FBits.swap(mask.FBits);
  FPalette.swap(mask.FPalette);
  FFormat = pf1bit;
  FStride = mask.FStride;
  FAlphaFormat = afIgnored;
  FLastLookup = -1;
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return FCanvas.get();
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  FWidth = source.FWidth;
  FHeight = source.FHeight;
  FFormat = source.FFormat;
  FStride = source.FStride;
  FBits = source.FBits;
  FPalette = source.FPalette;
  FTransparent = source.FTransparent;
  FTransparentMode = source.FTransparentMode;
  FTransparentColor = source.FTransparentColor;
  FAlphaFormat = source.FAlphaFormat;
  FLastLookup = -1;
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  std::vector<std::uint8_t> data = ReadBinaryFile(fileName);
  DecodeBmp(data.data(), data.size(), *this);
}

void TBitmap::SaveToFile(const std::string& fileName) const { WriteBinaryFile(fileName, EncodeBmp(*this)); }

void TBitmap::LoadFromStream(std::istream& stream) {
  std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  DecodeBmp(data.data(), data.size(), *this);
}

void TBitmap::SaveToStream(std::ostream& stream) const {
  std::vector<std::uint8_t> data = EncodeBmp(*this);
  stream.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!stream) throw EInOutError("Stream write error");
}
