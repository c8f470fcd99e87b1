#pragma once
// Data-aware edits with an attached label (TZnDBEdit) and, in addition, a
// look-up button (TZnBtnDBEdit). The label and the button are owned by the
// edit, sit on the edit's parent and follow the edit's moves, size,
// visibility and enabled state.
#include <string>

#include "StdCtrls.h"

class TDataSource;
class TGSpeedButton;

enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };
const TTypeInfo& LabelPositionTypeInfo();

class TZnDBEdit : public TEdit {
  KESR_CLASS(TZnDBEdit, TEdit)
public:
  explicit TZnDBEdit(TComponent* AOwner);
  ~TZnDBEdit() override;

  // nullptr once the label has been destroyed.
  TLabel* EditLabel() const { return FEditLabel; }
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelSpacing() const { return FLabelSpacing; }
  // A negative spacing is ignored.
  void SetLabelSpacing(int Value);
  // The label's text (published as Caption).
  std::string LabelCaption() const;
  void SetLabelCaption(const std::string& Value);
  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  const std::string& DataField() const { return FDataField; }
  void SetDataField(const std::string& Value) { FDataField = Value; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetVisible(bool Value) override;
  void SetEnabled(bool Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  virtual void PlaceAttached();

private:
  void PlaceLabel();

  TLabel* FEditLabel = nullptr;
  TLabelPosition FLabelPosition = lpLeft;
  int FLabelSpacing = 4;
  TDataSource* FDataSource = nullptr;
  std::string FDataField;
};

class TZnBtnDBEdit : public TZnDBEdit {
  KESR_CLASS(TZnBtnDBEdit, TZnDBEdit)
public:
  explicit TZnBtnDBEdit(TComponent* AOwner);
  ~TZnBtnDBEdit() override;

  // nullptr once the button has been destroyed.
  TGSpeedButton* F2Button() const { return FButton; }
  int ButtonSpacing() const { return FButtonSpacing; }
  void SetButtonSpacing(int Value);
  int GlyphIndex() const;
  void SetGlyphIndex(int Value);
  std::string ButtonHint() const;
  void SetButtonHint(const std::string& Value);

  // Called with the edit instead of the look-up request when assigned.
  TNotifyEvent OnDialog;

  void SetParent(TWinControl* AParent) override;
  void SetVisible(bool Value) override;
  void SetEnabled(bool Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void PlaceAttached() override;

private:
  void ButtonClick(TObject* Sender);

  TGSpeedButton* FButton = nullptr;
  int FButtonSpacing = 2;
};
