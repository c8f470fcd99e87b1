#pragma once
// TPicture: a picture property's value, holding a bitmap, or a PNG, JPEG or
// GIF picture decoded into one (the encoded bytes are kept, so streaming the
// picture back writes them unchanged).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Persistent.h"

class TBitmap;

class TPicture : public TPersistent {
  KESR_CLASS(TPicture, TPersistent)
public:
  TPicture();
  ~TPicture() override;

  // Empty when no picture is held.
  bool Empty() const;
  int Width() const;
  int Height() const;
  // "TBitmap", "TJPEGImage", "TPngImage" or "TGIFImage"; empty without a picture.
  const std::string& GraphicClassName() const { return FClassName; }

  // The picture as a bitmap; asking for it when none is held makes an empty
  // bitmap the picture. Changing it makes the picture a plain bitmap.
  TBitmap* Bitmap();
  const TBitmap* Bitmap() const { return FBitmap.get(); }

  // By extension: .bmp, .png, .jpg, .jpeg, .jpe, .gif; EInvalidGraphic for others.
  void LoadFromFile(const std::string& fileName);
  // By extension: .bmp, .png, .jpg, .jpeg, .gif.
  void SaveToFile(const std::string& fileName) const;
  // A BMP, PNG, JPEG or GIF file's bytes, recognised by their signature.
  void LoadFromData(const std::vector<std::uint8_t>& data);

  void Assign(const TPersistent* Source) override;
  void AssignBitmap(const TBitmap& bitmap);
  void Clear();

  // The stored form of the picture: class name as a length-prefixed text,
  // the data's byte count (32 bits) and the data.
  std::vector<std::uint8_t> SaveData() const;
  void LoadData(const std::vector<std::uint8_t>& data);
  void DefineProperties(TFiler& Filer) override;

private:
  std::unique_ptr<TBitmap> FBitmap;
  std::string FClassName;
  std::vector<std::uint8_t> FEncoded;  // original bytes of a PNG, JPEG or GIF picture
};
