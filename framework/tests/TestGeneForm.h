#pragma once
// A small option form for the tests: the base with an edit, a memo and a
// grid on its first page, and a fake host session.
#include <memory>
#include <string>
#include <vector>

#include "AutoObject.h"
#include "BaseGene.h"

class TEdit;
class TMemo;
class TStringGrid;

class TfrmTestGene : public TfrmBaseGene {
  KESR_CLASS(TfrmTestGene, TfrmBaseGene)
public:
  explicit TfrmTestGene(TComponent* AOwner);
  ~TfrmTestGene() override;

  TEdit* edFirst = nullptr;
  TMemo* memNotes = nullptr;
  TStringGrid* grdItems = nullptr;
  TEdit* edLast = nullptr;

  void F2Pressed(std::uint16_t Key, TControl* Control) override;
  bool ApplyHostData(const Variant& Data) override;
  void btnOkClickTest(TObject* Sender);

  std::vector<TControl*> F2Controls;
  int OkClicks = 0;
  Variant AppliedByPosition;
  // Set to true when the form is destroyed.
  bool* Destroyed = nullptr;
};

// The host's session as far as the base form calls it: CallHelp is recorded.
class TFakeSession : public TAutoObject {
public:
  TFakeSession();
  std::vector<Variant> HelpCalls;
};
