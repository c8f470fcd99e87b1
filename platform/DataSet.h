#pragma once
// The data set a report walks: a cursor over records whose fields are found
// by name. The client data set of the data-access layer and the memory data
// set implement it; the report engine only reads.
#include <string>
#include <string_view>

#include "Component.h"
#include "DatabaseErrors.h"

class TField {
public:
  TField() = default;
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;
  virtual ~TField() = default;

  virtual const std::string& FieldName() const = 0;
  // The caption a grid or designer shows; the field name unless set.
  virtual std::string DisplayLabel() const { return FieldName(); }
  virtual bool IsNull() const = 0;
  // A null field reads as the empty text and as 0.
  virtual std::string AsString() const = 0;
  // The text printed and shown: AsString unless the field formats it.
  virtual std::string DisplayText() const { return AsString(); }
  // EConvertError when the text is not a number.
  virtual double AsFloat() const;
  virtual int AsInteger() const;
};

class TDataSet : public TComponent {
  KESR_CLASS(TDataSet, TComponent)
public:
  explicit TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

  virtual bool Active() const = 0;
  virtual void First() = 0;
  virtual void Next() = 0;
  // True past the last record, and always for a closed or empty data set.
  virtual bool Eof() const = 0;
  virtual int RecordCount() const = 0;
  // The field of that name (case-insensitive) in the current record, or
  // nullptr when the data set has no such field.
  virtual TField* FindField(std::string_view Name) const = 0;
  // EDatabaseError "Field 'X' not found" when missing.
  TField& FieldByName(std::string_view Name) const;
};

// Links data-aware controls to a data set (the data source of barcodes).
class TDataSource : public TComponent {
  KESR_CLASS(TDataSource, TComponent)
public:
  explicit TDataSource(TComponent* AOwner) : TComponent(AOwner) {}
  ~TDataSource() override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TDataSet* FDataSet = nullptr;
};
