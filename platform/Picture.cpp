#include "Picture.h"

#include <algorithm>
#include <cctype>

#include "BinaryFile.h"
#include "Bitmap.h"
#include "BmpCodec.h"
#include "Filer.h"
#include "GifCodec.h"
#include "JpegCodec.h"
#include "PngCodec.h"

namespace {
std::string Extension(const std::string& fileName) {
  auto slash = fileName.find_last_of("/\\");
  auto dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = fileName.substr(dot);
  for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}
}  // namespace

const TClass& TPicture::StaticClass() {
  static const TClass Class = TClassBuilder<TPicture>("TPicture").Build();
  return Class;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

bool TPicture::Empty() const { return !FBitmap || FBitmap->Empty(); }
int TPicture::Width() const { return FBitmap ? FBitmap->Width() : 0; }
int TPicture::Height() const { return FBitmap ? FBitmap->Height() : 0; }

TBitmap* TPicture::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  // The caller may draw on it: from now on the picture is that bitmap.
  FClassName = "TBitmap";
  FEncoded.clear();
  return FBitmap.get();
}

void TPicture::Clear() {
  FBitmap.reset();
  FClassName.clear();
  FEncoded.clear();
}

void TPicture::LoadFromData(const std::vector<std::uint8_t>& data) {
  auto bitmap = std::make_unique<TBitmap>();
  std::string className;
  std::vector<std::uint8_t> encoded;
  if (IsPngData(data.data(), data.size())) {
    DecodePng(data.data(), data.size(), *bitmap);
    className = "TPngImage";
    encoded = data;
  } else if (IsJpegData(data.data(), data.size())) {
    DecodeJpeg(data.data(), data.size(), *bitmap);
    className = "TJPEGImage";
    encoded = data;
  } else if (IsGifData(data.data(), data.size())) {
    DecodeGif(data.data(), data.size(), *bitmap);
    className = "TGIFImage";
    encoded = data;
  } else {
    DecodeBmp(data.data(), data.size(), *bitmap);
    className = "TBitmap";
  }
  FBitmap = std::move(bitmap);
  FClassName = std::move(className);
  FEncoded = std::move(encoded);
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string ext = Extension(fileName);
  if (ext != ".bmp" && ext != ".png" && ext != ".jpg" && ext != ".jpeg" && ext != ".jpe" && ext != ".gif")
    throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
  LoadFromData(ReadBinaryFile(fileName));
}

void TPicture::SaveToFile(const std::string& fileName) const {
  if (!FBitmap) throw EInvalidGraphic("There is no picture to save");
  const std::string ext = Extension(fileName);
  if (ext == ".bmp") WriteBinaryFile(fileName, EncodeBmp(*FBitmap));
  else if (ext == ".png") WriteBinaryFile(fileName, FClassName == "TPngImage" ? FEncoded : EncodePng(*FBitmap));
  else if (ext == ".jpg" || ext == ".jpeg") WriteBinaryFile(fileName, FClassName == "TJPEGImage" ? FEncoded : EncodeJpeg(*FBitmap));
  else if (ext == ".gif") WriteBinaryFile(fileName, FClassName == "TGIFImage" ? FEncoded : EncodeGif(*FBitmap));
  else throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
}

void TPicture::AssignBitmap(const TBitmap& bitmap) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(bitmap);
  FBitmap = std::move(copy);
  FClassName = "TBitmap";
  FEncoded.clear();
}

void TPicture::Assign(const TPersistent* Source) {
  if (auto* other = dynamic_cast<const TPicture*>(Source)) {
    if (other == this) return;
    if (!other->FBitmap) {
      Clear();
      return;
    }
    AssignBitmap(*other->FBitmap);
    FClassName = other->FClassName;
    FEncoded = other->FEncoded;
    return;
  }
  if (!Source) {
    Clear();
    return;
  }
  TPersistent::Assign(Source);
}

std::vector<std::uint8_t> TPicture::SaveData() const {
  std::vector<std::uint8_t> out;
  if (!FBitmap) return out;
  std::vector<std::uint8_t> body = FEncoded.empty() ? EncodeBmp(*FBitmap) : FEncoded;
  const std::string name = FEncoded.empty() ? "TBitmap" : FClassName;
  out.push_back(static_cast<std::uint8_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  auto size = static_cast<std::uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

void TPicture::LoadData(const std::vector<std::uint8_t>& data) {
  if (data.empty()) {
    Clear();
    return;
  }
  std::size_t nameLength = data[0];
  if (1 + nameLength + 4 > data.size()) throw EInvalidGraphic("Picture data is truncated");
  std::size_t pos = 1 + nameLength;
  std::uint32_t size = 0;
  for (int i = 0; i < 4; ++i) size |= static_cast<std::uint32_t>(data[pos + i]) << (8 * i);
  pos += 4;
  auto first = data.begin() + static_cast<std::ptrdiff_t>(pos), last = first + size;
  if (size > data.size() - pos) {
    // Some writers store a bitmap without the byte count: the BMP file follows at once.
    first = data.begin() + static_cast<std::ptrdiff_t>(1 + nameLength);
    last = data.end();
    if (first[0] != 'B' || first[1] != 'M') throw EInvalidGraphic("Picture data is truncated");
  }
  if (first == last) Clear();
  else LoadFromData(std::vector<std::uint8_t>(first, last));
}

void TPicture::DefineProperties(TFiler& Filer) {
  TPersistent::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "Data", [this](const std::vector<std::uint8_t>& data) { LoadData(data); }, [this] { return SaveData(); },
      !Empty());
}
