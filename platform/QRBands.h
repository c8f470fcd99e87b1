#pragma once
// The bands of a report page. A band is a strip as wide as the page's
// printable area; the engine places bands by their type, not by where they
// sit in the design, and prints the controls on them.
#include <string>

#include "Controls.h"

enum TQRBandType {
  rbTitle,
  rbPageHeader,
  rbDetail,
  rbPageFooter,
  rbSummary,
  rbGroupHeader,
  rbGroupFooter,
  rbColumnHeader,
  rbChild,
};

const TTypeInfo& QRBandTypeInfo();

// Sender, var PrintBand: false skips the band (and its child bands) this time.
struct TQRBandBeforePrintEvent : TEvent<TObject*, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TQRBandBeforePrintEvent";
};

class TQRCustomBand : public TCustomControl {
  KESR_CLASS(TQRCustomBand, TCustomControl)
public:
  explicit TQRCustomBand(TComponent* AOwner);

  TQRBandType BandType() const { return FBandType; }
  void SetBandType(TQRBandType Value) { FBandType = Value; }
  // Starts a new page before the band unless the page holds nothing yet.
  bool ForceNewPage() const { return FForceNewPage; }
  void SetForceNewPage(bool Value) { FForceNewPage = Value; }
  // Without Transparent the band's Color fills it first.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }

  TQRBandBeforePrintEvent BeforePrint;
  TNotifyEvent AfterPrint;

private:
  TQRBandType FBandType = rbTitle;
  bool FForceNewPage = false;
  bool FTransparent = false;
};

class TQRBand : public TQRCustomBand {
  KESR_CLASS(TQRBand, TQRCustomBand)
public:
  explicit TQRBand(TComponent* AOwner) : TQRCustomBand(AOwner) {}
};

// Prints right after its parent band whenever that one prints.
class TQRChildBand : public TQRCustomBand {
  KESR_CLASS(TQRChildBand, TQRCustomBand)
public:
  explicit TQRChildBand(TComponent* AOwner);
  ~TQRChildBand() override;

  TQRCustomBand* ParentBand() const { return FParentBand; }
  void SetParentBand(TQRCustomBand* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TQRCustomBand* FParentBand = nullptr;
};

// A group header: prints before the first record and whenever the value of
// Expression (a field of the report's data set) changes; its FooterBand
// prints after the last record of each group.
class TQRGroup : public TQRCustomBand {
  KESR_CLASS(TQRGroup, TQRCustomBand)
public:
  explicit TQRGroup(TComponent* AOwner);
  ~TQRGroup() override;

  const std::string& Expression() const { return FExpression; }
  void SetExpression(const std::string& Value) { FExpression = Value; }
  TQRCustomBand* FooterBand() const { return FFooterBand; }
  void SetFooterBand(TQRCustomBand* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::string FExpression;
  TQRCustomBand* FFooterBand = nullptr;
};
