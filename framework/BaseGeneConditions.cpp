// Condition capture, saved values and schemes of the option form. The base
// contributes no conditions of its own here yet: every operation answers as
// a form without condition controls or schemes does.
#include "BaseGene.h"

bool TfrmBaseGene::CollectConditions() { return false; }

bool TfrmBaseGene::FillEnvironment(Variant&, int) { return false; }

bool TfrmBaseGene::FillConditionFields(Variant&, int) { return false; }

bool TfrmBaseGene::FillConditionValues(Variant&, int) { return false; }

void TfrmBaseGene::MarkRequired(const std::string&) {}

bool TfrmBaseGene::SaveConditionValues(const std::string&, const std::string&, bool) { return false; }

bool TfrmBaseGene::RestoreConditionValues(const std::string&, const std::string&) { return false; }

bool TfrmBaseGene::FillSchemeList() { return false; }

void TfrmBaseGene::RecordControls() {}

std::string TfrmBaseGene::PickDate(const std::string& Text) { return Text; }

void TfrmBaseGene::DateFieldEnter(TObject*) {}

void TfrmBaseGene::DateFieldExit(TObject*) {}

void TfrmBaseGene::RequiredExit(TObject*) {}
