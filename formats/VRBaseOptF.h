#pragma once
// TfrmVRBaseOpt: the report option form: runs, previews and exports the
// report the concrete form describes.
#include <string>

#include "BaseGene.h"

class TfrmVRBaseOpt : public TfrmBaseGene {
  KESR_CLASS(TfrmVRBaseOpt, TfrmBaseGene)
public:
  explicit TfrmVRBaseOpt(TComponent* AOwner);

  // True when the run went through.
  virtual bool RunReport(bool Preview);
  virtual bool RunWithParams(const Variant& Conditions, bool Preview);
  virtual bool ExportToFiles(const Variant& Conditions, int Kind, int Resolution, const std::string& FilePrefix,
                             const std::string& Extra);
  // Closes a format window opened from this form and brings the form back.
  virtual void CloseFormatForm();
};
