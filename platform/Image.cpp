#include "Image.h"

#include "Picture.h"
#include "TypInfo.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetPicture(TPicture* Value) {
  if (Value) FPicture->Assign(Value);
  else FPicture->Clear();
}

TRect TImage::DestRect() const {
  TRect client = ClientRect();
  if (FStretch) return client;
  int w = FPicture->Width(), h = FPicture->Height();
  if (!FCenter) return Rect(0, 0, w, h);
  int left = (client.Right - client.Left - w) / 2;
  int top = (client.Bottom - client.Top - h) / 2;
  return Rect(left, top, left + w, top + h);
}

const TClass& TImage::StaticClass() {
  static const TClass Class = TClassBuilder<TImage>("TImage")
                                  .Property("Center", &TImage::Center, &TImage::SetCenter).Default(0)
                                  .Property("Picture", &TImage::Picture, &TImage::SetPicture)
                                  .Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(0)
                                  .Property("Transparent", &TImage::Transparent, &TImage::SetTransparent)
                                  .Default(0)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TImage::StaticClass()), true);
}  // namespace
