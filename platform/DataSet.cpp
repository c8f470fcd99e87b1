#include "DataSet.h"

#include "StrUtils.h"
#include "TypInfo.h"

double TField::AsFloat() const { return IsNull() ? 0.0 : StrToFloat(AsString()); }

int TField::AsInteger() const { return IsNull() ? 0 : StrToInt(AsString()); }

TField& TDataSet::FieldByName(std::string_view Name) const {
  if (TField* field = FindField(Name)) return *field;
  throw EDatabaseError("Field '" + std::string(Name) + "' not found");
}

const TClass& TDataSet::StaticClass() {
  static const TClass Class = TClassBuilder<TDataSet>("TDataSet").Build();
  return Class;
}

TDataSource::~TDataSource() { SetDataSet(nullptr); }

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  if (FDataSet) FDataSet->RemoveFreeNotification(this);
  FDataSet = Value;
  if (FDataSet) FDataSet->FreeNotification(this);
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) FDataSet = nullptr;
}

const TClass& TDataSource::StaticClass() {
  static const TClass Class = TClassBuilder<TDataSource>("TDataSource")
                                  .Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TDataSource::StaticClass()), true);
}
