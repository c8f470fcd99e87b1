#include "PrinterSetupDialog.h"

#include <algorithm>

#include "Forms.h"
#include "QuickRep.h"
#include "StdCtrls.h"
#include "StrUtils.h"

bool ExecutePrinterSetup(TQRPrinterSettings& Settings, const std::vector<std::string>& Printers,
                         const std::string& DefaultPrinter) {
  TForm form(nullptr);
  form.SetName("dlgPrinterSetup");
  form.SetCaption("打印机设置");
  form.SetBorderStyle(bsDialog);
  form.SetPosition(poScreenCenter);
  form.SetBounds(0, 0, 360, 150);

  auto* lblPrinter = new TLabel(&form);
  lblPrinter->SetName("lblPrinter");
  lblPrinter->SetCaption("打印机:");
  lblPrinter->SetBounds(12, 16, 60, 17);
  lblPrinter->SetParent(&form);
  auto* cboPrinter = new TComboBox(&form);
  cboPrinter->SetName("cboPrinter");
  cboPrinter->SetStyle(csDropDownList);
  cboPrinter->SetBounds(80, 12, 260, 21);
  cboPrinter->SetParent(&form);
  for (const std::string& name : Printers) cboPrinter->Items()->Add(name);
  int selected = Settings.PrinterIndex;
  if (selected < 0 || selected >= static_cast<int>(Printers.size())) {
    auto it = std::find(Printers.begin(), Printers.end(), DefaultPrinter);
    selected = it != Printers.end() ? static_cast<int>(it - Printers.begin()) : (Printers.empty() ? -1 : 0);
  }
  cboPrinter->SetItemIndex(selected);

  auto* lblCopies = new TLabel(&form);
  lblCopies->SetName("lblCopies");
  lblCopies->SetCaption("份数:");
  lblCopies->SetBounds(12, 48, 60, 17);
  lblCopies->SetParent(&form);
  auto* edCopies = new TEdit(&form);
  edCopies->SetName("edCopies");
  edCopies->SetText(std::to_string(std::max(1, Settings.Copies)));
  edCopies->SetBounds(80, 44, 60, 21);
  edCopies->SetParent(&form);

  auto* btnOk = new TButton(&form);
  btnOk->SetName("btnOk");
  btnOk->SetCaption("确定");
  btnOk->SetModalResult(mrOk);
  btnOk->SetDefault(true);
  btnOk->SetBounds(180, 84, 75, 25);
  btnOk->SetParent(&form);
  auto* btnCancel = new TButton(&form);
  btnCancel->SetName("btnCancel");
  btnCancel->SetCaption("取消");
  btnCancel->SetModalResult(mrCancel);
  btnCancel->SetCancel(true);
  btnCancel->SetBounds(265, 84, 75, 25);
  btnCancel->SetParent(&form);

  if (form.ShowModal() != mrOk) return false;
  // The default printer stays "the default" when it is what was chosen.
  const int chosen = cboPrinter->ItemIndex();
  const bool keepDefault = Settings.PrinterIndex < 0 && chosen >= 0 && Printers[chosen] == DefaultPrinter;
  if (!keepDefault) Settings.PrinterIndex = chosen;
  Settings.Copies = std::max(1, StrToIntDef(Trim(edCopies->Text()), 1));
  return true;
}
