#pragma once
// TImage: a control showing a picture, as it is, centred or stretched.
#include <memory>

#include "Controls.h"

class TPicture;

class TImage : public TGraphicControl {
  KESR_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* Picture() const { return FPicture.get(); }
  // Copies the picture; the caller keeps its own.
  void SetPicture(TPicture* Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value) { FStretch = Value; }
  bool Center() const { return FCenter; }
  void SetCenter(bool Value) { FCenter = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }

  // Where the picture lands in the client area: all of it when stretched,
  // else its own size, centred or at the top left.
  TRect DestRect() const;

private:
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
};
