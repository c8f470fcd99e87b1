#include "JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>

#include "Bitmap.h"
#include "Colors.h"

namespace {

// The library reports fatal errors through error_exit, which must not
// return; it jumps back to the codec function, which then raises.
struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* error = reinterpret_cast<TJpegError*>(info->err);
  (*info->err->format_message)(info, error->Message);
  std::longjmp(error->Jump, 1);
}

void OnMessage(j_common_ptr) {}

// The library calls below run in functions whose locals are plain data, so
// that jumping back from a fatal error skips no destructor. Each returns
// false with the library's message on failure.
bool Decompress(const std::uint8_t* data, std::size_t size, TBitmap* decoded, char* message) {
  jpeg_decompress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = OnError;
  error.Manager.output_message = OnMessage;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&info);
    std::strcpy(message, error.Message);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_width > 65535 || info.output_height > 65535 ||
      static_cast<unsigned long long>(info.output_width) * info.output_height > (1ULL << 28)) {
    jpeg_destroy_decompress(&info);
    std::strcpy(message, "picture is too large");
    return false;
  }
  decoded->SetSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * info.output_components, 1);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, row, 1);
    std::uint8_t* out = decoded->ScanLine(y);
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
      const std::uint8_t* p = row[0] + x * info.output_components;
      int r = p[0], g = p[1], b = p[2];
      if (cmyk) {
        // Adobe writes inverted CMYK; the library passes it through unchanged.
        r = p[0] * p[3] / 255;
        g = p[1] * p[3] / 255;
        b = p[2] * p[3] / 255;
      }
      out[x * 3] = static_cast<std::uint8_t>(b);
      out[x * 3 + 1] = static_cast<std::uint8_t>(g);
      out[x * 3 + 2] = static_cast<std::uint8_t>(r);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool Compress(const TBitmap* bitmap, int quality, TColor* colors, unsigned char** buffer, unsigned long* length,
              char* message) {
  jpeg_compress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = OnError;
  error.Manager.output_message = OnMessage;
  if (setjmp(error.Jump)) {
    jpeg_destroy_compress(&info);
    std::strcpy(message, error.Message);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, length);
  info.image_width = static_cast<JDIMENSION>(bitmap->Width());
  info.image_height = static_cast<JDIMENSION>(bitmap->Height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.image_width * 3, 1);
  while (info.next_scanline < info.image_height) {
    bitmap->ReadRow(static_cast<int>(info.next_scanline), colors);
    for (JDIMENSION x = 0; x < info.image_width; ++x) {
      row[0][x * 3] = static_cast<JSAMPLE>(GetRValue(colors[x]));
      row[0][x * 3 + 1] = static_cast<JSAMPLE>(GetGValue(colors[x]));
      row[0][x * 3 + 2] = static_cast<JSAMPLE>(GetBValue(colors[x]));
    }
    jpeg_write_scanlines(&info, row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool IsJpegData(const std::uint8_t* data, std::size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

void DecodeJpeg(const std::uint8_t* data, std::size_t size, TBitmap& bitmap) {
  if (!IsJpegData(data, size)) throw EInvalidGraphic("Not a JPEG picture");
  TBitmap decoded(0, 0, pf24bit);
  char message[JMSG_LENGTH_MAX] = {};
  if (!Decompress(data, size, &decoded, message))
    throw EInvalidGraphic(std::string("JPEG picture is not valid: ") + message);
  bitmap.Assign(decoded);
}

std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality) {
  if (bitmap.Empty()) throw EInvalidGraphic("An empty bitmap cannot be written as JPEG");
  std::vector<TColor> colors(static_cast<std::size_t>(bitmap.Width()));
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  char message[JMSG_LENGTH_MAX] = {};
  const bool ok = Compress(&bitmap, quality, colors.data(), &buffer, &length, message);
  std::vector<std::uint8_t> out;
  if (ok) out.assign(buffer, buffer + length);
  std::free(buffer);
  if (!ok) throw EInvalidGraphic(std::string("JPEG picture cannot be written: ") + message);
  return out;
}
