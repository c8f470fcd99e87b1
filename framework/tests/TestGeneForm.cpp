#include "TestGeneForm.h"

#include "FormLayouts.h"
#include "Grids.h"
#include "StdCtrls.h"
#include "TypInfo.h"

const TClass& TfrmTestGene::StaticClass() {
  static const TClass Class = TClassBuilder<TfrmTestGene>("TfrmTestGene")
                                  .Method("btnOkClickTest", &TfrmTestGene::btnOkClickTest)
                                  .Field("edFirst", &TfrmTestGene::edFirst)
                                  .Field("memNotes", &TfrmTestGene::memNotes)
                                  .Field("grdItems", &TfrmTestGene::grdItems)
                                  .Field("edLast", &TfrmTestGene::edLast)
                                  .Build();
  return Class;
}

static const bool LayoutRegistered = RegisterFormLayout(TfrmTestGene::StaticClass(), R"(
inherited frmTestgene: TfrmTestGene
  inherited btnOk: TBitBtn
    OnClick = btnOkClickTest
  end
  inherited pgOption: TExtPageControl
    inherited tsOption1: TTabSheet
      object edFirst: TEdit
        Left = 8
        Top = 8
        TabOrder = 0
      end
      object memNotes: TMemo
        Left = 8
        Top = 40
        TabOrder = 1
      end
      object grdItems: TStringGrid
        Left = 8
        Top = 120
        ColCount = 3
        RowCount = 2
        FixedCols = 1
        FixedRows = 1
        TabOrder = 2
      end
      object edLast: TEdit
        Left = 8
        Top = 200
        TabOrder = 3
      end
    end
  end
end)");

TfrmTestGene::TfrmTestGene(TComponent* AOwner) : TfrmBaseGene(AOwner) { ApplyFormLayout(this, StaticClass()); }

TfrmTestGene::~TfrmTestGene() {
  if (Destroyed) *Destroyed = true;
}

void TfrmTestGene::F2Pressed(std::uint16_t Key, TControl* Control) {
  F2Controls.push_back(Control);
  TfrmBaseGene::F2Pressed(Key, Control);
}

bool TfrmTestGene::ApplyHostData(const Variant& Data) {
  AppliedByPosition = Data;
  return true;
}

void TfrmTestGene::btnOkClickTest(TObject* Sender) {
  ++OkClicks;
  btnOkClick(Sender);
}

TFakeSession::TFakeSession() {
  AddMethod("CallHelp", 1, [this](TVarArgs& a) {
    HelpCalls.push_back(a[0].Value());
    return Variant();
  });
  AddMethod("VersionType", 0, [](TVarArgs&) { return Variant(2); });
  AddMethod("ProductID", 0, [](TVarArgs&) { return Variant(7); });
}
