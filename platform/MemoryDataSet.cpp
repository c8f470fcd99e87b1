#include "MemoryDataSet.h"

#include "StrUtils.h"
#include "TypInfo.h"

class TMemoryDataSet::TMemoryField : public TField {
public:
  TMemoryField(const TMemoryDataSet& Owner, int Index, std::string Name, std::string Label)
      : FOwner(Owner), FIndex(Index), FName(std::move(Name)), FLabel(std::move(Label)) {}

  const std::string& FieldName() const override { return FName; }
  std::string DisplayLabel() const override { return FLabel.empty() ? FName : FLabel; }
  bool IsNull() const override { return !Value().has_value(); }
  std::string AsString() const override { return Value().value_or(std::string()); }

private:
  const TValue& Value() const {
    static const TValue null;
    if (FOwner.Eof()) return null;
    return FOwner.FRecords[FOwner.FRecNo][FIndex];
  }

  const TMemoryDataSet& FOwner;
  int FIndex;
  std::string FName;
  std::string FLabel;
};

TMemoryDataSet::TMemoryDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TMemoryDataSet::~TMemoryDataSet() = default;

void TMemoryDataSet::AddField(const std::string& Name, const std::string& DisplayLabel) {
  if (FindField(Name)) throw EDatabaseError("Duplicate field name '" + Name + "'");
  FFields.push_back(std::make_unique<TMemoryField>(*this, FieldCount(), Name, DisplayLabel));
  for (auto& record : FRecords) record.emplace_back();
}

void TMemoryDataSet::AppendRecord(const std::vector<TValue>& Values) {
  if (static_cast<int>(Values.size()) > FieldCount())
    throw EDatabaseError("Record has " + std::to_string(Values.size()) + " values for " +
                         std::to_string(FieldCount()) + " fields");
  std::vector<TValue> record(Values);
  record.resize(FFields.size());
  FRecords.push_back(std::move(record));
  FRecNo = static_cast<int>(FRecords.size()) - 1;
}

void TMemoryDataSet::ClearRecords() {
  FRecords.clear();
  FRecNo = 0;
}

void TMemoryDataSet::Next() {
  if (!Eof()) ++FRecNo;
}

bool TMemoryDataSet::Eof() const { return !FActive || FRecNo >= static_cast<int>(FRecords.size()); }

int TMemoryDataSet::RecordCount() const { return FActive ? static_cast<int>(FRecords.size()) : 0; }

TField* TMemoryDataSet::FindField(std::string_view Name) const {
  for (const auto& field : FFields)
    if (SameText(field->FieldName(), std::string(Name))) return field.get();
  return nullptr;
}

const TClass& TMemoryDataSet::StaticClass() {
  static const TClass Class = TClassBuilder<TMemoryDataSet>("TMemoryDataSet").Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TMemoryDataSet::StaticClass()), true);
}
