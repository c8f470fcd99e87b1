#include "ClientDataSet.h"

#include <algorithm>

#include "Automation.h"
#include "SocketConnection.h"
#include "StrUtils.h"
#include "TypInfo.h"
#include "VarArray.h"

namespace {

bool IsBlank(const Variant& v) { return v.IsEmpty() || v.IsNull(); }

// Blank values first; texts without their trailing blanks (CHAR columns come
// padded); numbers by value; anything else by its text.
int CompareValues(const Variant& a, const Variant& b) {
  if (IsBlank(a) || IsBlank(b)) return IsBlank(b) - IsBlank(a);
  if (a.IsString() && b.IsString()) {
    const std::string left = TrimRight(VarToStr(a)), right = TrimRight(VarToStr(b));
    return left < right ? -1 : left > right ? 1 : 0;
  }
  switch (VarCompare(a, b)) {
    case vrEqual: return 0;
    case vrLessThan: return -1;
    case vrGreaterThan: return 1;
    case vrNotEqual: break;
  }
  const std::string left = VarToStr(a), right = VarToStr(b);
  return left < right ? -1 : left > right ? 1 : 0;
}

// Element i of a one-dimensional array, counted from its low bound.
Variant Item(const Variant& array, int i) { return array.GetElement({VarArrayLowBound(array, 1) + i}); }

int ItemCount(const Variant& value) {
  if (!value.IsArray() || VarArrayDimCount(value) != 1) return -1;
  return VarArrayHighBound(value, 1) - VarArrayLowBound(value, 1) + 1;
}

int IntOf(const Variant& v) { return IsBlank(v) ? 0 : v.AsInteger(); }

}  // namespace

// --- TClientField

TClientField::TClientField(TClientDataSet& Owner, int Index, std::string Name, std::string DataType, int Size,
                           int Scale)
    : FOwner(Owner), FIndex(Index), FName(std::move(Name)), FDataType(std::move(DataType)), FSize(Size),
      FScale(Scale) {}

Variant TClientField::Value() const { return FOwner.CurrentValue(FIndex); }

void TClientField::SetValue(const Variant& Value) {
  if (FOwner.FState != dsEdit) throw EDatabaseError("Dataset not in edit or insert mode");
  FOwner.FEditBuffer[FIndex] = Value;
}

bool TClientField::IsNull() const { return IsBlank(FOwner.CurrentValue(FIndex)); }

std::string TClientField::AsString() const { return VarToStr(FOwner.CurrentValue(FIndex)); }

double TClientField::AsFloat() const {
  const Variant& v = FOwner.CurrentValue(FIndex);
  if (IsBlank(v)) return 0.0;
  return v.IsString() ? StrToFloat(Trim(VarToStr(v))) : v.AsDouble();
}

int TClientField::AsInteger() const {
  const Variant& v = FOwner.CurrentValue(FIndex);
  if (IsBlank(v)) return 0;
  return v.IsString() ? StrToInt(Trim(VarToStr(v))) : v.AsInteger();
}

std::string TClientField::GetText(bool Display) const {
  std::string text = AsString();
  if (OnGetText.Assigned()) OnGetText(const_cast<TClientField*>(this), text, Display);
  return text;
}

void TClientField::SetText(const std::string& Value) {
  if (OnSetText.Assigned())
    OnSetText(this, Value);
  else
    SetAsString(Value);
}

// --- TClientDataSet

TClientDataSet::TClientDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TClientDataSet::~TClientDataSet() { SetRemoteServer(nullptr); }

void TClientDataSet::SetRemoteServer(TSocketConnection* Value) {
  if (Value == FRemoteServer) return;
  if (FRemoteServer) FRemoteServer->RemoveFreeNotification(this);
  FRemoteServer = Value;
  if (FRemoteServer) FRemoteServer->FreeNotification(this);
}

void TClientDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FRemoteServer) FRemoteServer = nullptr;
}

void TClientDataSet::Open() {
  if (Active()) return;
  if (!FRemoteServer) throw EDatabaseError(Name() + ": Missing RemoteServer");
  if (FProviderName.empty()) throw EDatabaseError(Name() + ": Missing ProviderName");
  FRemoteServer->Open();
  Load(OleCall(FRemoteServer->AppServer(), "DataRequest", {FProviderName, FCommandText}));
}

void TClientDataSet::SetData(const Variant& Packet) {
  Close();
  Load(Packet);
}

void TClientDataSet::Load(const Variant& Packet) {
  const auto malformed = [this](const std::string& what) {
    return EDatabaseError(Name() + ": the data packet is malformed: " + what);
  };
  if (ItemCount(Packet) < 2) throw malformed("[fields, rows] expected");
  const Variant fields = Item(Packet, 0), rows = Item(Packet, 1);
  const int fieldCount = ItemCount(fields);
  if (fieldCount < 0) throw malformed("no field list");
  std::vector<std::unique_ptr<TClientField>> newFields;
  std::vector<std::string> labels;
  for (int i = 0; i < fieldCount; ++i) {
    const Variant f = Item(fields, i);
    const int parts = ItemCount(f);
    if (parts < 1) throw malformed("field " + std::to_string(i) + " has no name");
    const auto part = [&](int k) { return k < parts ? Item(f, k) : Unassigned(); };
    const std::string name = VarToStr(part(0));
    for (const auto& earlier : newFields)
      if (SameText(earlier->FieldName(), name)) throw malformed("duplicate field name '" + name + "'");
    newFields.push_back(std::make_unique<TClientField>(*this, i, name, VarToStr(part(1)), IntOf(part(2)),
                                                       IntOf(part(3))));
    newFields.back()->SetDisplayLabel(VarToStr(part(4)));
  }
  std::vector<std::vector<Variant>> newRecords;
  if (!IsBlank(rows)) {
    const int rowCount = ItemCount(rows);
    if (rowCount < 0) throw malformed("no row list");
    newRecords.reserve(rowCount);
    for (int r = 0; r < rowCount; ++r) {
      const Variant row = Item(rows, r);
      const int cells = ItemCount(row);
      if (cells != fieldCount)
        throw malformed("row " + std::to_string(r) + " has " + std::to_string(cells) + " values for " +
                        std::to_string(fieldCount) + " fields");
      std::vector<Variant> record;
      record.reserve(cells);
      for (int c = 0; c < cells; ++c) record.push_back(Item(row, c));
      newRecords.push_back(std::move(record));
    }
  }
  // An index set before opening applies when its fields exist.
  FFields = std::move(newFields);
  FRecords = std::move(newRecords);
  try {
    FIndexFields = ParseIndexFields(FIndexFieldNames);
  } catch (const EDatabaseError&) {
    FFields.clear();
    FRecords.clear();
    throw;
  }
  FState = dsBrowse;
  Reindex();
  First();
}

void TClientDataSet::Close() {
  if (!Active()) return;
  if (FState == dsEdit) Cancel();
  FState = dsInactive;
  FFields.clear();
  FRecords.clear();
  FOrder.clear();
  FPos = 0;
  FBof = true;
}

void TClientDataSet::SetActive(bool Value) {
  if (Value)
    Open();
  else
    Close();
}

TClientField& TClientDataSet::Fields(int Index) const {
  if (Index < 0 || Index >= FieldCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return *FFields[Index];
}

TField* TClientDataSet::FindField(std::string_view Name) const {
  for (const auto& field : FFields)
    if (SameText(field->FieldName(), Name)) return field.get();
  return nullptr;
}

TClientField& TClientDataSet::FieldByName(std::string_view Name) const {
  return static_cast<TClientField&>(TDataSet::FieldByName(Name));
}

const Variant& TClientDataSet::CurrentValue(int Field) const {
  static const Variant blank;
  if (FState == dsEdit) return FEditBuffer[Field];
  if (Eof()) return blank;
  return FRecords[FOrder[FPos]][Field];
}

void TClientDataSet::CheckActive() const {
  if (!Active()) throw EDatabaseError(Name() + ": Cannot perform this operation on a closed dataset");
}

void TClientDataSet::CheckBrowse() {
  if (FState == dsEdit) Post();
}

void TClientDataSet::First() {
  CheckBrowse();
  FPos = 0;
  FBof = true;
}

void TClientDataSet::Next() {
  CheckBrowse();
  if (Eof()) return;
  ++FPos;
  FBof = false;
}

void TClientDataSet::Prior() {
  CheckBrowse();
  if (FPos == 0) {
    FBof = true;
    return;
  }
  --FPos;
  FBof = false;
}

void TClientDataSet::Last() {
  CheckBrowse();
  FPos = std::max(0, static_cast<int>(FOrder.size()) - 1);
  FBof = FOrder.empty();
}

bool TClientDataSet::Eof() const { return !Active() || FPos >= static_cast<int>(FOrder.size()); }

int TClientDataSet::RecordCount() const { return Active() ? static_cast<int>(FRecords.size()) : 0; }

int TClientDataSet::RecNo() const { return Eof() ? 0 : FPos + 1; }

std::vector<int> TClientDataSet::ParseIndexFields(const std::string& Names) const {
  std::vector<int> fields;
  size_t start = 0;
  while (start <= Names.size()) {
    const size_t end = std::min(Names.find(';', start), Names.size());
    const std::string name = Trim(std::string_view(Names).substr(start, end - start));
    start = end + 1;
    if (name.empty()) continue;
    const TField* field = FindField(name);
    if (!field) throw EDatabaseError(this->Name() + ": Field '" + name + "' not found");
    fields.push_back(static_cast<const TClientField*>(field)->Index());
  }
  return fields;
}

void TClientDataSet::SetIndexFieldNames(const std::string& Value) {
  if (Active()) {
    CheckBrowse();
    FIndexFields = ParseIndexFields(Value);
    FIndexFieldNames = Value;
    Reindex();
  } else {
    FIndexFieldNames = Value;
  }
}

void TClientDataSet::Reindex() {
  const int current = Eof() ? -1 : FOrder[FPos];
  FOrder.resize(FRecords.size());
  for (size_t i = 0; i < FOrder.size(); ++i) FOrder[i] = static_cast<int>(i);
  if (!FIndexFields.empty())
    std::stable_sort(FOrder.begin(), FOrder.end(), [this](int a, int b) {
      for (int f : FIndexFields)
        if (const int c = CompareValues(FRecords[a][f], FRecords[b][f])) return c < 0;
      return false;
    });
  if (current >= 0) FPos = static_cast<int>(std::find(FOrder.begin(), FOrder.end(), current) - FOrder.begin());
}

int TClientDataSet::CompareKey(int Record, const std::vector<Variant>& Key) const {
  for (size_t i = 0; i < Key.size(); ++i)
    if (const int c = CompareValues(FRecords[Record][FIndexFields[i]], Key[i])) return c;
  return 0;
}

bool TClientDataSet::FindKey(const std::vector<Variant>& KeyValues) {
  CheckActive();
  CheckBrowse();
  if (FIndexFields.empty()) throw EDatabaseError(Name() + ": No index currently active");
  if (KeyValues.size() > FIndexFields.size() || KeyValues.empty())
    throw EDatabaseError(Name() + ": FindKey needs 1 to " + std::to_string(FIndexFields.size()) + " key values");
  const auto at = std::lower_bound(FOrder.begin(), FOrder.end(), 0, [&](int record, int) {
    return CompareKey(record, KeyValues) < 0;
  });
  if (at == FOrder.end() || CompareKey(*at, KeyValues) != 0) return false;
  FPos = static_cast<int>(at - FOrder.begin());
  FBof = false;
  return true;
}

void TClientDataSet::Edit() {
  CheckActive();
  if (FState == dsEdit) return;
  if (Eof()) throw EDatabaseError(Name() + ": Cannot edit: there is no current record");
  FEditBuffer = FRecords[FOrder[FPos]];
  FState = dsEdit;
}

void TClientDataSet::Post() {
  if (FState != dsEdit) return;
  FRecords[FOrder[FPos]] = std::move(FEditBuffer);
  FEditBuffer.clear();
  FState = dsBrowse;
  Reindex();
}

void TClientDataSet::Cancel() {
  if (FState != dsEdit) return;
  FEditBuffer.clear();
  FState = dsBrowse;
}

const TClass& TClientDataSet::StaticClass() {
  static const TClass Class =
      TClassBuilder<TClientDataSet>("TClientDataSet")
          .Property("RemoteServer", &TClientDataSet::RemoteServer, &TClientDataSet::SetRemoteServer)
          .Property("ProviderName", &TClientDataSet::ProviderName, &TClientDataSet::SetProviderName)
          .Property("CommandText", &TClientDataSet::CommandText, &TClientDataSet::SetCommandText)
          .Property("IndexFieldNames", &TClientDataSet::IndexFieldNames, &TClientDataSet::SetIndexFieldNames)
          .Property("Active", &TClientDataSet::Active, &TClientDataSet::SetActive)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TClientDataSet::StaticClass()), true);
}
