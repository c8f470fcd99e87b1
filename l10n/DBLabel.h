#pragma once
// TDBLabel: a label that attaches itself to a control: it takes the display
// label of the control's data field as its caption and places itself beside
// the control. Two labels attached to one control are refused.
#include <cstdint>

#include "StdCtrls.h"

enum TPos { psTop, psLeft, psRight, psBottom };
const TTypeInfo& PosTypeInfo();

class TDBLabel : public TLabel {
  KESR_CLASS(TDBLabel, TLabel)
public:
  explicit TDBLabel(TComponent* AOwner);

  bool AutoAlign() const { return FAutoAlign; }
  void SetAutoAlign(bool Value);
  bool AutoCaption() const { return FAutoCaption; }
  void SetAutoCaption(bool Value);
  std::uint8_t Gap() const { return FGap; }
  void SetGap(std::uint8_t Value);
  TPos Pos() const { return FPos; }
  void SetPos(TPos Value);
  // Refused when another TDBLabel owned by this label's parent already
  // points to Value; when that is another label the user sees
  // "不能同时有两个 DBLabel 指到同一个 Control.". nullptr detaches.
  void SetFocusControl(TWinControl* Value);

  // Caption from the control's DataSource / DataField, then placement.
  void UpdateCaption();
  void UpdateAlign();

private:
  bool FAutoAlign = true;
  bool FAutoCaption = true;
  std::uint8_t FGap = 4;
  TPos FPos = psLeft;
};
