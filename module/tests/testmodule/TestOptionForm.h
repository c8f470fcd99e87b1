#pragma once
// The option form of the test module: it records what the controller hands
// its report operations in its result members, which the controller copies
// for the host when the form is destroyed.
#include "VRBaseOptF.h"

class TfrmTestOpt : public TfrmVRBaseOpt {
  KESR_CLASS(TfrmTestOpt, TfrmVRBaseOpt)
public:
  explicit TfrmTestOpt(TComponent* AOwner);
  void FormCreate(TObject* Sender);

  bool RunReport(bool Preview) override;
  bool RunWithParams(const Variant& Conditions, bool Preview) override;
  bool ExportToFiles(const Variant& Conditions, int Kind, int Resolution, const std::string& FilePrefix,
                     const std::string& Extra) override;
};
