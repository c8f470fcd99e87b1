// No report runs yet: every run answers that it did not go through.
#include "VRBaseOptF.h"

#include "FormLayouts.h"
#include "TypInfo.h"

const TClass& TfrmVRBaseOpt::StaticClass() {
  static const TClass Class = TClassBuilder<TfrmVRBaseOpt>("TfrmVRBaseOpt").Build();
  return Class;
}

// The application server class the connection creates or asks for.
static const bool LayoutRegistered = RegisterFormLayout(TfrmVRBaseOpt::StaticClass(), R"(
inherited frmVRBaseOpt: TfrmVRBaseOpt
  inherited MainMidas: TSocketConnection
    ServerName = 'ZovizerE.Class1'
  end
end)");

TfrmVRBaseOpt::TfrmVRBaseOpt(TComponent* AOwner) : TfrmBaseGene(AOwner) { ApplyFormLayout(this, StaticClass()); }

bool TfrmVRBaseOpt::RunReport(bool) { return false; }

bool TfrmVRBaseOpt::RunWithParams(const Variant&, bool) { return false; }

bool TfrmVRBaseOpt::ExportToFiles(const Variant&, int, int, const std::string&, const std::string&) { return false; }

void TfrmVRBaseOpt::CloseFormatForm() {}
