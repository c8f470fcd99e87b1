#include "QRBands.h"

#include "TypInfo.h"

const TTypeInfo& QRBandTypeInfo() {
  static const TTypeInfo Type =
      TTypeInfo::Enumeration("TQRBandType", {"rbTitle", "rbPageHeader", "rbDetail", "rbPageFooter", "rbSummary",
                                             "rbGroupHeader", "rbGroupFooter", "rbColumnHeader", "rbChild"});
  return Type;
}

TQRCustomBand::TQRCustomBand(TComponent* AOwner) : TCustomControl(AOwner) {
  SetParentColor(false);
  SetColor(0xFFFFFF);
  SetBounds(0, 0, 200, 40);
}

const TClass& TQRCustomBand::StaticClass() {
  static const TClass Class =
      TClassBuilder<TQRCustomBand>("TQRCustomBand")
          .Property("BandType", QRBandTypeInfo(), &TQRCustomBand::BandType, &TQRCustomBand::SetBandType)
          .Default(rbTitle)
          .Property("ForceNewPage", &TQRCustomBand::ForceNewPage, &TQRCustomBand::SetForceNewPage)
          .Default(0)
          .Property("Transparent", &TQRCustomBand::Transparent, &TQRCustomBand::SetTransparent)
          .Default(0)
          .Property("BeforePrint", &TQRCustomBand::BeforePrint, &TQRCustomBand::BeforePrint)
          .Property("AfterPrint", &TQRCustomBand::AfterPrint, &TQRCustomBand::AfterPrint)
          .Build();
  return Class;
}

const TClass& TQRBand::StaticClass() {
  static const TClass Class = TClassBuilder<TQRBand>("TQRBand").Build();
  return Class;
}

// ------------------------------------------------------------- TQRChildBand

TQRChildBand::TQRChildBand(TComponent* AOwner) : TQRCustomBand(AOwner) { SetBandType(rbChild); }

TQRChildBand::~TQRChildBand() { SetParentBand(nullptr); }

void TQRChildBand::SetParentBand(TQRCustomBand* Value) {
  if (Value == this || Value == FParentBand) return;
  if (FParentBand) FParentBand->RemoveFreeNotification(this);
  FParentBand = Value;
  if (FParentBand) FParentBand->FreeNotification(this);
}

void TQRChildBand::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomBand::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FParentBand) FParentBand = nullptr;
}

const TClass& TQRChildBand::StaticClass() {
  static const TClass Class = TClassBuilder<TQRChildBand>("TQRChildBand")
                                  .Property("ParentBand", &TQRChildBand::ParentBand, &TQRChildBand::SetParentBand)
                                  .Build();
  return Class;
}

// ----------------------------------------------------------------- TQRGroup

TQRGroup::TQRGroup(TComponent* AOwner) : TQRCustomBand(AOwner) { SetBandType(rbGroupHeader); }

TQRGroup::~TQRGroup() { SetFooterBand(nullptr); }

void TQRGroup::SetFooterBand(TQRCustomBand* Value) {
  if (Value == this || Value == FFooterBand) return;
  if (FFooterBand) FFooterBand->RemoveFreeNotification(this);
  FFooterBand = Value;
  if (FFooterBand) FFooterBand->FreeNotification(this);
}

void TQRGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomBand::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFooterBand) FFooterBand = nullptr;
}

const TClass& TQRGroup::StaticClass() {
  static const TClass Class = TClassBuilder<TQRGroup>("TQRGroup")
                                  .Property("Expression", &TQRGroup::Expression, &TQRGroup::SetExpression)
                                  .Property("FooterBand", &TQRGroup::FooterBand, &TQRGroup::SetFooterBand)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TQRBand::StaticClass(), &TQRChildBand::StaticClass(),
                                           &TQRGroup::StaticClass()}),
                          true);
}
