// Message catalogue and settings of the option form.
#include "BaseGene.h"

std::string TfrmBaseGene::GetMessageText(const std::string&, const std::string&) { return {}; }

void TfrmBaseGene::ShowMessageCodes(const std::string& Codes) { MessageCodes += Codes + "; "; }

void TfrmBaseGene::RecordError(const std::string&) { MessageCodes += "E;-1; "; }

int TfrmBaseGene::ShowMessageBox(const std::string&, const std::string&, const TVarRecs&, int, TMsgDlgButtons) {
  return 0;
}

int TfrmBaseGene::ShowDialog(const std::string&, TMsgDlgType, TMsgDlgButtons) { return 0; }

std::string TfrmBaseGene::GetSysSetting(const std::string&) { return {}; }

std::uint32_t TfrmBaseGene::GetDateFormatType() { return FDateFormatType = 1; }

std::string TfrmBaseGene::GetDateSeparator() { return FDateSeparator = "/"; }

std::string TfrmBaseGene::GetProgramName() { return ProgramName = ProgramCode; }
