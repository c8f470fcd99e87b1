#pragma once
// A data set held in memory: fields declared by name, records appended as
// texts (std::nullopt is a null value). Serves tests, benchmarks and small
// look-up lists.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DataSet.h"

class TMemoryDataSet : public TDataSet {
  KESR_CLASS(TMemoryDataSet, TDataSet)
public:
  using TValue = std::optional<std::string>;

  explicit TMemoryDataSet(TComponent* AOwner);
  ~TMemoryDataSet() override;

  // EDatabaseError for a name already declared (case-insensitive).
  void AddField(const std::string& Name, const std::string& DisplayLabel = {});
  int FieldCount() const { return static_cast<int>(FFields.size()); }
  // Values in field order; missing trailing values are null, surplus ones
  // raise EDatabaseError. The new record becomes the current one.
  void AppendRecord(const std::vector<TValue>& Values);
  void ClearRecords();

  // Closed, the data set is empty to its readers; records are kept.
  void Open() { FActive = true; First(); }
  void Close() { FActive = false; }

  bool Active() const override { return FActive; }
  void First() override { FRecNo = 0; }
  void Next() override;
  bool Eof() const override;
  int RecordCount() const override;
  // 1-based number of the current record, 0 past the end.
  int RecNo() const { return Eof() ? 0 : FRecNo + 1; }
  TField* FindField(std::string_view Name) const override;

private:
  class TMemoryField;
  std::vector<std::unique_ptr<TMemoryField>> FFields;
  std::vector<std::vector<TValue>> FRecords;
  int FRecNo = 0;
  bool FActive = true;
};
