#pragma once
// TF2Button: a glyph button bound to an edit. It keeps itself square beside
// the edit and, when clicked, asks the edit's owner form for the F2 look-up
// of that edit with the look-up request message.
#include <cstdint>

#include "GSpdBtn.h"
#include "Messages.h"

class TF2Button : public TGSpeedButton {
  KESR_CLASS(TF2Button, TGSpeedButton)
public:
  // Sent (synchronously) to the bound control's owner form; LParam is the
  // control. The form answers it as the F2 key in that control.
  static constexpr unsigned LookupRequestMessage = WM_USER + 10;

  explicit TF2Button(TComponent* AOwner);

  bool AutoAlign() const { return FAutoAlign; }
  void SetAutoAlign(bool Value);
  TWinControl* F2Control() const { return FF2Control; }
  // Another TF2Button of the same parent already bound to Value makes the
  // user see "不能同时有两个 F2Button 指到同一个 Edit." and keeps the old
  // binding; nullptr unbinds.
  void SetF2Control(TWinControl* Value);
  std::uint8_t Gap() const { return FGap; }
  void SetGap(std::uint8_t Value);

  // OnClick, then the look-up request for an enabled bound control that
  // takes the focus.
  void Click() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Align();

  bool FAutoAlign = true;
  TWinControl* FF2Control = nullptr;
  std::uint8_t FGap = 2;
};
