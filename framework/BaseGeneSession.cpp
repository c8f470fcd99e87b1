// Server session and data access of the option form.
#include "BaseGene.h"

bool TfrmBaseGene::SetUpConnection(TSocketConnection*, TSimpleObjectBroker*) { return false; }

bool TfrmBaseGene::ObtainAppServer() { return false; }

bool TfrmBaseGene::QueryTable(const std::string&, const std::string&, bool, Variant&, const Variant&) {
  return false;
}

void TfrmBaseGene::CounterQuery(const std::string&, Variant&, Variant& Result) { Result = Unassigned(); }

void TfrmBaseGene::LookUp(const std::string&, const std::string&, const Variant&, const std::string&, bool,
                          Variant& Result) {
  Result = Unassigned();
}

void TfrmBaseGene::PickPhrase(TControl*) {}

void TfrmBaseGene::LoadRights(const Variant&) {}

bool TfrmBaseGene::RunServerModule(const std::string&, const std::string&, const Variant&) { return false; }
