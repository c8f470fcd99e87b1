#include "BmpCodec.h"

#include <cstring>

#include "Bitmap.h"
#include "Colors.h"

namespace {
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
std::uint32_t Get16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) { return Get16(p) | (Get16(p + 2) << 16); }

[[noreturn]] void Invalid(const char* why) { throw EInvalidGraphic(std::string("Bitmap image is not valid: ") + why); }
}  // namespace

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap) {
  const TPixelFormat format = bitmap.PixelFormat();
  const int bpp = bitmap.BitsPerPixel();
  const bool indexed = bpp <= 8;
  const bool bitfields = format == pf16bit;
  const std::uint32_t colors = indexed ? (1u << bpp) : 0;
  const std::uint32_t headerBytes = 14 + 40 + (bitfields ? 12 : 0) + colors * 4;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(bitmap.RowBytes()) * bitmap.Height();

  std::vector<std::uint8_t> out;
  out.reserve(headerBytes + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, headerBytes + imageBytes);
  Put32(out, 0);
  Put32(out, headerBytes);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(bitmap.Width()));
  Put32(out, static_cast<std::uint32_t>(bitmap.Height()));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bpp));
  Put32(out, bitfields ? BI_BITFIELDS : BI_RGB);
  Put32(out, imageBytes);
  Put32(out, 3780);  // 96 dpi in pixels per metre
  Put32(out, 3780);
  Put32(out, colors);
  Put32(out, 0);
  if (bitfields) {
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
  }
  const auto& palette = bitmap.Palette();
  for (std::uint32_t i = 0; i < colors; ++i) {
    TColor c = i < palette.size() ? palette[i] : 0;
    out.push_back(static_cast<std::uint8_t>(GetBValue(c)));
    out.push_back(static_cast<std::uint8_t>(GetGValue(c)));
    out.push_back(static_cast<std::uint8_t>(GetRValue(c)));
    out.push_back(0);
  }
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    out.insert(out.end(), row, row + bitmap.RowBytes());
  }
  return out;
}

void DecodeBmp(const std::uint8_t* data, std::size_t size, TBitmap& bitmap) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') Invalid("no BMP signature");
  const std::uint32_t pixelOffset = Get32(data + 10);
  const std::uint8_t* info = data + 14;
  const std::uint32_t infoSize = Get32(info);
  if (infoSize != 12 && infoSize < 40) Invalid("unknown header");
  if (14 + static_cast<std::uint64_t>(infoSize) > size) Invalid("truncated header");

  long long width, height;
  std::uint32_t bpp, compression = BI_RGB, usedColors = 0;
  std::size_t paletteEntrySize = 4;
  if (infoSize == 12) {
    width = Get16(info + 4);
    height = static_cast<std::int16_t>(Get16(info + 6));
    bpp = Get16(info + 10);
    paletteEntrySize = 3;
  } else {
    width = static_cast<std::int32_t>(Get32(info + 4));
    height = static_cast<std::int32_t>(Get32(info + 8));
    bpp = Get16(info + 14);
    compression = Get32(info + 16);
    usedColors = Get32(info + 32);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535) Invalid("bad size");

  TPixelFormat format;
  switch (bpp) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16: format = pf15bit; break;
    case 24: format = pf24bit; break;
    case 32: format = pf32bit; break;
    default: Invalid("unsupported bit depth");
  }
  if (compression == BI_BITFIELDS && (bpp == 16 || bpp == 32)) {
    // The masks follow a 40-byte header, or sit inside the larger headers.
    if (14 + 40 + 12 > size) Invalid("truncated masks");
    const std::uint8_t* masks = info + 40;
    std::uint32_t r = Get32(masks), g = Get32(masks + 4), b = Get32(masks + 8);
    if (bpp == 16 && r == 0xF800 && g == 0x07E0 && b == 0x001F) format = pf16bit;
    else if (bpp == 16 && r == 0x7C00 && g == 0x03E0 && b == 0x001F) format = pf15bit;
    else if (!(bpp == 32 && r == 0xFF0000 && g == 0xFF00 && b == 0xFF)) Invalid("unsupported colour masks");
  } else if (compression != BI_RGB) {
    Invalid("compressed bitmaps are not supported");
  }

  TBitmap decoded(static_cast<int>(width), static_cast<int>(height), format);
  if (bpp <= 8) {
    std::uint32_t count = usedColors ? usedColors : (1u << bpp);
    if (count > (1u << bpp)) Invalid("bad palette size");
    std::uint64_t paletteStart = 14 + static_cast<std::uint64_t>(infoSize) +
                                 (compression == BI_BITFIELDS && infoSize == 40 ? 12 : 0);
    if (paletteStart + count * paletteEntrySize > size) Invalid("truncated palette");
    std::vector<TColor> palette;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* e = data + paletteStart + i * paletteEntrySize;
      palette.push_back(RGBColor(e[2], e[1], e[0]));
    }
    decoded.SetPalette(std::move(palette));
  }
  const std::uint64_t stride = static_cast<std::uint64_t>(decoded.RowBytes());
  if (pixelOffset + stride * static_cast<std::uint64_t>(height) > size) Invalid("truncated pixel data");
  for (long long y = 0; y < height; ++y) {
    long long fileRow = topDown ? y : height - 1 - y;
    std::memcpy(decoded.ScanLine(static_cast<int>(y)), data + pixelOffset + fileRow * stride, stride);
  }
  bitmap.Assign(decoded);
}
