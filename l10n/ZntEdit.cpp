#include "ZntEdit.h"

#include "DataSet.h"
#include "F2Button.h"
#include "Forms.h"
#include "GSpdBtn.h"
#include "TypInfo.h"

const TTypeInfo& LabelPositionTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TLabelPosition", {"lpAbove", "lpBelow", "lpLeft", "lpRight"});
  return type;
}

// ------------------------------------------------------------------ TZnDBEdit

TZnDBEdit::TZnDBEdit(TComponent* AOwner) : TEdit(AOwner) {
  FEditLabel = new TLabel(this);
  FEditLabel->SetName("EditLabel");
  FEditLabel->SetFocusControl(this);
  FEditLabel->FreeNotification(this);
}

TZnDBEdit::~TZnDBEdit() {
  // The label is owned and dies with the edit; it must not call back.
  if (FEditLabel) FEditLabel->RemoveFreeNotification(this);
  if (FDataSource) FDataSource->RemoveFreeNotification(this);
}

void TZnDBEdit::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  PlaceAttached();
}

void TZnDBEdit::SetLabelSpacing(int Value) {
  if (Value < 0) return;
  FLabelSpacing = Value;
  PlaceAttached();
}

std::string TZnDBEdit::LabelCaption() const { return FEditLabel ? FEditLabel->Caption() : ""; }

void TZnDBEdit::SetLabelCaption(const std::string& Value) {
  if (FEditLabel) FEditLabel->SetCaption(Value);
  PlaceAttached();
}

void TZnDBEdit::SetDataSource(TDataSource* Value) {
  if (FDataSource) FDataSource->RemoveFreeNotification(this);
  FDataSource = Value;
  if (Value) Value->FreeNotification(this);
}

void TZnDBEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceAttached();
}

void TZnDBEdit::SetParent(TWinControl* AParent) {
  TEdit::SetParent(AParent);
  if (FEditLabel) FEditLabel->SetParent(AParent);
  PlaceAttached();
}

void TZnDBEdit::SetVisible(bool Value) {
  TEdit::SetVisible(Value);
  if (FEditLabel) FEditLabel->SetVisible(Value);
}

void TZnDBEdit::SetEnabled(bool Value) {
  TEdit::SetEnabled(Value);
  if (FEditLabel) FEditLabel->SetEnabled(Value);
}

void TZnDBEdit::PlaceAttached() { PlaceLabel(); }

void TZnDBEdit::PlaceLabel() {
  if (!FEditLabel) return;
  const int lw = FEditLabel->Width(), lh = FEditLabel->Height();
  const int middle = Top() + (Height() - lh) / 2;
  switch (FLabelPosition) {
    case lpAbove: FEditLabel->SetBounds(Left(), Top() - lh - FLabelSpacing, lw, lh); break;
    case lpBelow: FEditLabel->SetBounds(Left(), Top() + Height() + FLabelSpacing, lw, lh); break;
    case lpLeft: FEditLabel->SetBounds(Left() - lw - FLabelSpacing, middle, lw, lh); break;
    case lpRight: FEditLabel->SetBounds(Left() + Width() + FLabelSpacing, middle, lw, lh); break;
  }
}

void TZnDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TEdit::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FEditLabel) FEditLabel = nullptr;
  if (AComponent == FDataSource) FDataSource = nullptr;
}

// --------------------------------------------------------------- TZnBtnDBEdit

TZnBtnDBEdit::TZnBtnDBEdit(TComponent* AOwner) : TZnDBEdit(AOwner) {
  FButton = new TGSpeedButton(this);
  FButton->SetName("F2Button");
  FButton->SetFlat(true);
  FButton->SetGlyphIndex(8);
  FButton->OnClick = TNotifyEvent(this, &TZnBtnDBEdit::ButtonClick);
  FButton->FreeNotification(this);
  PlaceAttached();
}

TZnBtnDBEdit::~TZnBtnDBEdit() {
  if (FButton) FButton->RemoveFreeNotification(this);
}

void TZnBtnDBEdit::SetButtonSpacing(int Value) {
  FButtonSpacing = Value;
  PlaceAttached();
}

int TZnBtnDBEdit::GlyphIndex() const { return FButton ? FButton->GlyphIndex() : 0; }

void TZnBtnDBEdit::SetGlyphIndex(int Value) {
  if (FButton) FButton->SetGlyphIndex(Value);
}

std::string TZnBtnDBEdit::ButtonHint() const { return FButton ? FButton->Hint() : ""; }

void TZnBtnDBEdit::SetButtonHint(const std::string& Value) {
  if (FButton) FButton->SetHint(Value);
}

void TZnBtnDBEdit::SetParent(TWinControl* AParent) {
  TZnDBEdit::SetParent(AParent);
  if (FButton) FButton->SetParent(AParent);
  PlaceAttached();
}

void TZnBtnDBEdit::SetVisible(bool Value) {
  TZnDBEdit::SetVisible(Value);
  if (FButton) FButton->SetVisible(Value);
}

void TZnBtnDBEdit::SetEnabled(bool Value) {
  TZnDBEdit::SetEnabled(Value);
  if (FButton) FButton->SetEnabled(Value);
}

void TZnBtnDBEdit::PlaceAttached() {
  TZnDBEdit::PlaceAttached();
  if (FButton) FButton->SetBounds(Left() + Width() + FButtonSpacing, Top(), Height(), Height());
}

void TZnBtnDBEdit::ButtonClick(TObject*) {
  if (OnDialog.Assigned()) {
    OnDialog(this);
    return;
  }
  if (CanFocus()) SetFocus();
  if (!Focused()) return;
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form) form = GetParentForm(this);
  if (form) form->Perform(TF2Button::LookupRequestMessage, 0, reinterpret_cast<LPARAM>(static_cast<TWinControl*>(this)));
}

void TZnBtnDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TZnDBEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FButton) FButton = nullptr;
}

// -------------------------------------------------------------- class tables

const TClass& TZnDBEdit::StaticClass() {
  static const TClass Class =
      TClassBuilder<TZnDBEdit>("TZnDBEdit")
          .Property("Caption", &TZnDBEdit::LabelCaption, &TZnDBEdit::SetLabelCaption)
          .Property("DataField", &TZnDBEdit::DataField, &TZnDBEdit::SetDataField)
          .Property("DataSource", &TZnDBEdit::DataSource, &TZnDBEdit::SetDataSource)
          .Property("LabelPosition", LabelPositionTypeInfo(), &TZnDBEdit::LabelPosition, &TZnDBEdit::SetLabelPosition)
          .Default(lpLeft)
          .Property("LabelSpacing", &TZnDBEdit::LabelSpacing, &TZnDBEdit::SetLabelSpacing).Default(4)
          .Build();
  return Class;
}

const TClass& TZnBtnDBEdit::StaticClass() {
  static const TClass Class =
      TClassBuilder<TZnBtnDBEdit>("TZnBtnDBEdit")
          .Property("ButtonHint", &TZnBtnDBEdit::ButtonHint, &TZnBtnDBEdit::SetButtonHint)
          .Property("ButtonSpacing", &TZnBtnDBEdit::ButtonSpacing, &TZnBtnDBEdit::SetButtonSpacing).Default(2)
          .Property("GlyphIndex", &TZnBtnDBEdit::GlyphIndex, &TZnBtnDBEdit::SetGlyphIndex).Default(8)
          .Property("OnDialog", &TZnBtnDBEdit::OnDialog, &TZnBtnDBEdit::OnDialog)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TZnDBEdit::StaticClass(), &TZnBtnDBEdit::StaticClass()}), true);
}  // namespace
