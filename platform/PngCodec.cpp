#include "PngCodec.h"

#include <png.h>

#include <cstring>

#include "Bitmap.h"
#include "Colors.h"

bool IsPngData(const std::uint8_t* data, std::size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

void DecodePng(const std::uint8_t* data, std::size_t size, TBitmap& bitmap) {
  if (!IsPngData(data, size)) throw EInvalidGraphic("Not a PNG picture");
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size))
    throw EInvalidGraphic(std::string("PNG picture is not valid: ") + image.message);
  const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  if (image.width > 65535 || image.height > 65535) {
    png_image_free(&image);
    throw EInvalidGraphic("PNG picture is too large");
  }
  TBitmap decoded(static_cast<int>(image.width), static_cast<int>(image.height), alpha ? pf32bit : pf24bit);
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    std::string why = image.message;
    png_image_free(&image);
    throw EInvalidGraphic("PNG picture is not valid: " + why);
  }
  const std::size_t rowBytes = PNG_IMAGE_ROW_STRIDE(image);
  for (int y = 0; y < decoded.Height(); ++y)
    std::memcpy(decoded.ScanLine(y), pixels.data() + y * rowBytes, rowBytes);
  if (alpha) decoded.SetAlphaFormat(afDefined);
  bitmap.Assign(decoded);
}

std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap) {
  const bool alpha = (bitmap.PixelFormat() == pf32bit || bitmap.PixelFormat() == pfDevice) &&
                     bitmap.AlphaFormat() == afDefined;
  const int w = bitmap.Width(), h = bitmap.Height();
  const int channels = alpha ? 4 : 3;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * h * channels);
  std::vector<TColor> row(static_cast<std::size_t>(w));
  for (int y = 0; y < h; ++y) {
    bitmap.ReadRow(y, row.data());
    std::uint8_t* out = pixels.data() + static_cast<std::size_t>(y) * w * channels;
    for (int x = 0; x < w; ++x) {
      out[x * channels] = static_cast<std::uint8_t>(GetRValue(row[x]));
      out[x * channels + 1] = static_cast<std::uint8_t>(GetGValue(row[x]));
      out[x * channels + 2] = static_cast<std::uint8_t>(GetBValue(row[x]));
      if (alpha) out[x * channels + 3] = bitmap.GetAlpha(x, y);
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
    throw EInvalidGraphic(std::string("PNG picture cannot be written: ") + image.message);
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
    throw EInvalidGraphic(std::string("PNG picture cannot be written: ") + image.message);
  out.resize(size);
  return out;
}
