#include "TestOptionForm.h"

#include "FormLayouts.h"
#include "TypInfo.h"
#include "VarArray.h"

const TClass& TfrmTestOpt::StaticClass() {
  static const TClass Class = TClassBuilder<TfrmTestOpt>("TfrmTestOpt").Method("FormCreate", &TfrmTestOpt::FormCreate).Build();
  return Class;
}

static const bool LayoutRegistered = RegisterFormLayout(TfrmTestOpt::StaticClass(), R"(
inherited frmTestmd: TfrmTestOpt
  Caption = 'Test report'
  OnCreate = FormCreate
end)");

TfrmTestOpt::TfrmTestOpt(TComponent* AOwner) : TfrmVRBaseOpt(AOwner) {
  ApplyFormLayout(this, StaticClass());
}

void TfrmTestOpt::FormCreate(TObject* Sender) {
  TfrmVRBaseOpt::FormCreate(Sender);
  VersionStamp = "990101-1.00.00";
}

bool TfrmTestOpt::RunReport(bool Preview) {
  ResultInt = 5;
  ResultVariant = VarArrayOf({Preview});
  return Preview;
}

bool TfrmTestOpt::RunWithParams(const Variant& Conditions, bool Preview) {
  ResultInt = 6;
  ResultVariant = VarArrayOf({Conditions, Preview});
  return true;
}

bool TfrmTestOpt::ExportToFiles(const Variant& Conditions, int Kind, int Resolution, const std::string& FilePrefix,
                                const std::string& Extra) {
  ResultInt = 11;
  ResultVariant = VarArrayOf({Conditions, Kind, Resolution, FilePrefix, Extra});
  return true;
}
