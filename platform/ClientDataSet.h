#pragma once
// A data set filled from the application server: Open asks the connection's
// server for the rows of ProviderName with CommandText as the request
// (DataRequest), and keeps them as a local copy that can be browsed in
// index order, searched with FindKey and edited; edits never go back to the
// server.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DataSet.h"
#include "Events.h"
#include "Variant.h"

class TSocketConnection;
class TClientField;

// Sender, var Text, DisplayText (true for showing, false for editing).
struct TFieldGetTextEvent : TEvent<TClientField*, std::string&, bool> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TFieldGetTextEvent";
};
// Sender, the text typed.
struct TFieldSetTextEvent : TEvent<TClientField*, const std::string&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TFieldSetTextEvent";
};

enum TDataSetState { dsInactive, dsBrowse, dsEdit };

class TClientDataSet;

class TClientField : public TField {
public:
  TClientField(TClientDataSet& Owner, int Index, std::string Name, std::string DataType, int Size, int Scale);

  const std::string& FieldName() const override { return FName; }
  std::string DisplayLabel() const override { return FLabel.empty() ? FName : FLabel; }
  void SetDisplayLabel(const std::string& Value) { FLabel = Value; }
  // The server's type name ("CHAR", "NUMERIC", ...), width and scale.
  const std::string& DataType() const { return FDataType; }
  int Size() const { return FSize; }
  int Scale() const { return FScale; }
  int Index() const { return FIndex; }

  // The current record's value (the edit buffer while editing).
  Variant Value() const;
  // EDatabaseError unless the data set is being edited.
  void SetValue(const Variant& Value);
  bool IsNull() const override;
  std::string AsString() const override;
  double AsFloat() const override;
  int AsInteger() const override;
  void SetAsString(const std::string& Value) { SetValue(Variant(Value)); }

  // The text shown (DisplayText) or edited (Text): OnGetText's answer when
  // assigned, else AsString.
  std::string DisplayText() const override { return GetText(true); }
  std::string Text() const { return GetText(false); }
  // OnSetText when assigned, else SetAsString.
  void SetText(const std::string& Value);

  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;

private:
  std::string GetText(bool Display) const;

  TClientDataSet& FOwner;
  int FIndex;
  std::string FName, FLabel, FDataType;
  int FSize, FScale;
};

class TClientDataSet : public TDataSet {
  KESR_CLASS(TClientDataSet, TDataSet)
public:
  explicit TClientDataSet(TComponent* AOwner);
  ~TClientDataSet() override;

  TSocketConnection* RemoteServer() const { return FRemoteServer; }
  void SetRemoteServer(TSocketConnection* Value);
  const std::string& ProviderName() const { return FProviderName; }
  void SetProviderName(const std::string& Value) { FProviderName = Value; }
  const std::string& CommandText() const { return FCommandText; }
  void SetCommandText(const std::string& Value) { FCommandText = Value; }

  // Opens the connection when needed and loads the provider's answer.
  // EDatabaseError without a connection or provider, or for an answer that
  // is not [fields, rows]; server errors pass through. A failed open leaves
  // the data set closed and empty.
  void Open();
  void Close();
  void SetActive(bool Value);
  bool Active() const override { return FState != dsInactive; }
  TDataSetState State() const { return FState; }
  // Loads an answer in the server's packet shape [fields, rows] (field =
  // [name, type, width, scale, caption]) without asking a server, and opens.
  void SetData(const Variant& Packet);

  int FieldCount() const { return static_cast<int>(FFields.size()); }
  // EListError for an index out of range.
  TClientField& Fields(int Index) const;
  TField* FindField(std::string_view Name) const override;
  TClientField& FieldByName(std::string_view Name) const;

  void First() override;
  void Next() override;
  void Prior();
  void Last();
  bool Bof() const { return FBof; }
  bool Eof() const override;
  int RecordCount() const override;
  // 1-based position in index order, 0 when there is no current record.
  int RecNo() const;

  // Field names separated by ";", compared case-insensitively; the records
  // are then visited in ascending order of those fields (texts compared
  // without trailing blanks, nulls first). Empty: the server's order.
  // EDatabaseError for an unknown field; the current record is kept.
  const std::string& IndexFieldNames() const { return FIndexFieldNames; }
  void SetIndexFieldNames(const std::string& Value);
  // Moves to the first record whose index fields equal the key values (the
  // first few fields when fewer values are given). False, with the cursor
  // unmoved, when none matches. EDatabaseError without an index or with
  // more values than index fields.
  bool FindKey(const std::vector<Variant>& KeyValues);

  // Edits the current record of the local copy; Post keeps the changes (the
  // record takes its place in the index), Cancel drops them. Moving while
  // editing posts first, as a data-aware grid does; closing drops the edit.
  void Edit();
  void Post();
  void Cancel();

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TClientField;
  const Variant& CurrentValue(int Field) const;
  void CheckActive() const;
  void CheckBrowse();
  void Load(const Variant& Packet);
  void Reindex();
  std::vector<int> ParseIndexFields(const std::string& Names) const;
  int CompareKey(int Record, const std::vector<Variant>& Key) const;

  TSocketConnection* FRemoteServer = nullptr;
  std::string FProviderName, FCommandText, FIndexFieldNames;
  std::vector<std::unique_ptr<TClientField>> FFields;
  std::vector<std::vector<Variant>> FRecords;
  std::vector<int> FIndexFields;
  std::vector<int> FOrder;  // record numbers in index order
  int FPos = 0;             // position in FOrder
  bool FBof = true;
  std::vector<Variant> FEditBuffer;
  TDataSetState FState = dsInactive;
};
