#include "GifCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "Bitmap.h"
#include "Colors.h"

namespace {

int Bin(TColor c) { return ((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3); }

struct TBox {
  std::vector<int> Bins;  // histogram bins in this box
  long long Weight = 0;
};

// Median cut over the 15-bit histogram: split the heaviest box along its
// widest channel at the weighted median until there are enough boxes.
std::vector<TColor> MedianCut(const std::vector<long long>& histogram, const std::vector<std::array<long long, 3>>& sums,
                              std::size_t colors) {
  std::vector<TBox> boxes(1);
  for (int b = 0; b < 32768; ++b)
    if (histogram[b]) {
      boxes[0].Bins.push_back(b);
      boxes[0].Weight += histogram[b];
    }
  auto channel = [](int bin, int ch) { return (bin >> (10 - 5 * ch)) & 31; };
  while (boxes.size() < colors) {
    auto it = std::max_element(boxes.begin(), boxes.end(), [](const TBox& a, const TBox& b) {
      return (a.Bins.size() > 1 ? a.Weight : -1) < (b.Bins.size() > 1 ? b.Weight : -1);
    });
    if (it->Bins.size() < 2) break;
    int widest = 0, widestRange = -1;
    for (int ch = 0; ch < 3; ++ch) {
      int lo = 31, hi = 0;
      for (int bin : it->Bins) {
        lo = std::min(lo, channel(bin, ch));
        hi = std::max(hi, channel(bin, ch));
      }
      if (hi - lo > widestRange) {
        widestRange = hi - lo;
        widest = ch;
      }
    }
    std::sort(it->Bins.begin(), it->Bins.end(), [&](int a, int b) { return channel(a, widest) < channel(b, widest); });
    long long half = it->Weight / 2, running = 0;
    std::size_t cut = 1;
    for (std::size_t i = 0; i + 1 < it->Bins.size(); ++i) {
      running += histogram[it->Bins[i]];
      cut = i + 1;
      if (running >= half) break;
    }
    TBox upper;
    upper.Bins.assign(it->Bins.begin() + static_cast<std::ptrdiff_t>(cut), it->Bins.end());
    it->Bins.resize(cut);
    for (int bin : upper.Bins) upper.Weight += histogram[bin];
    it->Weight -= upper.Weight;
    boxes.push_back(std::move(upper));
  }
  std::vector<TColor> palette;
  for (const TBox& box : boxes) {
    long long r = 0, g = 0, b = 0;
    for (int bin : box.Bins) {
      r += sums[bin][0];
      g += sums[bin][1];
      b += sums[bin][2];
    }
    long long w = std::max<long long>(box.Weight, 1);
    palette.push_back(RGBColor(static_cast<int>(r / w), static_cast<int>(g / w), static_cast<int>(b / w)));
  }
  return palette;
}

int Nearest(const std::vector<TColor>& palette, TColor c) {
  int best = 0;
  long long bestDistance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    long long dr = GetRValue(c) - GetRValue(palette[i]), dg = GetGValue(c) - GetGValue(palette[i]),
              db = GetBValue(c) - GetBValue(palette[i]);
    long long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

// The palette and each pixel's index into it.
struct TQuantised {
  std::vector<TColor> Palette;
  std::vector<std::uint8_t> Indices;
};

TQuantised Quantise(const TBitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<TColor> pixels(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) bitmap.ReadRow(y, pixels.data() + static_cast<std::size_t>(y) * w);
  TQuantised q;
  q.Indices.resize(pixels.size());
  std::map<TColor, int> exact;
  for (TColor c : pixels) {
    if (exact.size() > 256) break;
    exact.emplace(c, 0);
  }
  if (exact.size() <= 256) {
    for (auto& [color, index] : exact) {
      index = static_cast<int>(q.Palette.size());
      q.Palette.push_back(color);
    }
    for (std::size_t i = 0; i < pixels.size(); ++i) q.Indices[i] = static_cast<std::uint8_t>(exact[pixels[i]]);
    return q;
  }
  std::vector<long long> histogram(32768, 0);
  std::vector<std::array<long long, 3>> sums(32768, {0, 0, 0});
  for (TColor c : pixels) {
    int b = Bin(c);
    ++histogram[b];
    sums[b][0] += GetRValue(c);
    sums[b][1] += GetGValue(c);
    sums[b][2] += GetBValue(c);
  }
  q.Palette = MedianCut(histogram, sums, 256);
  std::vector<int> binIndex(32768, -1);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    int b = Bin(pixels[i]);
    if (binIndex[b] < 0) {
      const auto& s = sums[b];
      binIndex[b] = Nearest(q.Palette, RGBColor(static_cast<int>(s[0] / histogram[b]), static_cast<int>(s[1] / histogram[b]),
                                                static_cast<int>(s[2] / histogram[b])));
    }
    q.Indices[i] = static_cast<std::uint8_t>(binIndex[b]);
  }
  return q;
}

int AppendOutput(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::vector<std::uint8_t>*>(gif->UserData)->insert(
      static_cast<std::vector<std::uint8_t>*>(gif->UserData)->end(), data, data + length);
  return length;
}

struct TMapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

struct TMemoryInput {
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Position;
};

int ReadInput(GifFileType* gif, GifByteType* out, int length) {
  auto* in = static_cast<TMemoryInput*>(gif->UserData);
  std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), in->Size - in->Position);
  std::memcpy(out, in->Data + in->Position, n);
  in->Position += n;
  return static_cast<int>(n);
}

struct TGifClose {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

}  // namespace

bool IsGifData(const std::uint8_t* data, std::size_t size) {
  return size >= 6 && std::memcmp(data, "GIF8", 4) == 0;
}

void DecodeGif(const std::uint8_t* data, std::size_t size, TBitmap& bitmap) {
  if (!IsGifData(data, size)) throw EInvalidGraphic("Not a GIF picture");
  TMemoryInput input{data, size, 0};
  int error = 0;
  std::unique_ptr<GifFileType, TGifClose> gif(DGifOpen(&input, ReadInput, &error));
  if (!gif) throw EInvalidGraphic(std::string("GIF picture is not valid: ") + GifErrorString(error));
  if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1)
    throw EInvalidGraphic(std::string("GIF picture is not valid: ") + GifErrorString(gif->Error));
  const SavedImage& frame = gif->SavedImages[0];
  const GifImageDesc& desc = frame.ImageDesc;
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!map || gif->SWidth <= 0 || gif->SHeight <= 0) throw EInvalidGraphic("GIF picture has no colours");
  GraphicsControlBlock control{};
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif.get(), 0, &control);
  auto colorOf = [map](int index) {
    if (index < 0 || index >= map->ColorCount) return RGBColor(0, 0, 0);
    const GifColorType& c = map->Colors[index];
    return RGBColor(c.Red, c.Green, c.Blue);
  };
  const bool transparent = control.TransparentColor != NO_TRANSPARENT_COLOR;
  TBitmap decoded(gif->SWidth, gif->SHeight, pf24bit);
  const TColor background = transparent ? colorOf(control.TransparentColor) : colorOf(gif->SBackGroundColor);
  for (int y = 0; y < decoded.Height(); ++y) decoded.FillSpan(y, 0, decoded.Width(), background);
  for (int y = 0; y < desc.Height; ++y)
    for (int x = 0; x < desc.Width; ++x) {
      int index = frame.RasterBits[static_cast<std::size_t>(y) * desc.Width + x];
      if (transparent && index == control.TransparentColor) continue;
      decoded.SetPixel(desc.Left + x, desc.Top + y, colorOf(index));
    }
  if (transparent) {
    decoded.SetTransparent(true);
    decoded.SetTransparentColor(background);
  }
  bitmap.Assign(decoded);
}

std::vector<TColor> GifPalette(const TBitmap& bitmap) { return Quantise(bitmap).Palette; }

std::vector<std::uint8_t> EncodeGif(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic("An empty bitmap cannot be written as GIF");
  if (bitmap.Width() > 65535 || bitmap.Height() > 65535) throw EInvalidGraphic("Bitmap is too large for GIF");
  TQuantised q = Quantise(bitmap);
  int bits = 1;
  while ((1 << bits) < static_cast<int>(q.Palette.size())) ++bits;
  std::vector<GifColorType> colors(static_cast<std::size_t>(1) << bits, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < q.Palette.size(); ++i)
    colors[i] = GifColorType{static_cast<GifByteType>(GetRValue(q.Palette[i])),
                             static_cast<GifByteType>(GetGValue(q.Palette[i])),
                             static_cast<GifByteType>(GetBValue(q.Palette[i]))};
  std::unique_ptr<ColorMapObject, TMapFree> map(GifMakeMapObject(1 << bits, colors.data()));
  if (!map) throw EOutOfResources("No memory for the GIF colour map");

  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendOutput, &error);
  if (!gif) throw EInvalidGraphic(std::string("GIF picture cannot be written: ") + GifErrorString(error));
  const int w = bitmap.Width(), h = bitmap.Height();
  bool ok = EGifPutScreenDesc(gif, w, h, bits, 0, map.get()) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < h; ++y)
    ok = EGifPutLine(gif, q.Indices.data() + static_cast<std::size_t>(y) * w, w) == GIF_OK;
  if (!ok) error = gif->Error;
  int closeError = 0;
  if (EGifCloseFile(gif, &closeError) != GIF_OK && ok) {
    ok = false;
    error = closeError;
  }
  if (!ok) throw EInvalidGraphic(std::string("GIF picture cannot be written: ") + GifErrorString(error));
  return out;
}
