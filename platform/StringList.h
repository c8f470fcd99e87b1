#pragma once
// TStrings: the abstract list of texts with name=value pairs, line-break and
// delimited forms; TStringList: its stored implementation with objects per
// item, sorting and change notification.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Persistent.h"

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  KESR_CLASS(TStrings, TPersistent)
public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;
  virtual ~TStrings() = default;

  // The stored part, supplied by the concrete list.
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& text);
  virtual void* GetObject(int index) const;
  virtual void PutObject(int index, void* object);
  virtual void InsertObject(int index, const std::string& text, void* object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  virtual int IndexOf(const std::string& text) const;
  virtual int Add(const std::string& text);
  virtual int AddObject(const std::string& text, void* object);
  void Insert(int index, const std::string& text) { InsertObject(index, text, nullptr); }
  void Append(const std::string& text) { Add(text); }
  void AddStrings(const TStrings& source);
  virtual void Assign(const TStrings& source);
  // Another list's items; any other source as TPersistent::Assign.
  void Assign(const TPersistent* Source) override;
  // The items are streamed as the list property "Strings".
  void DefineProperties(TFiler& Filer) override;
  bool Equals(const TStrings& other) const;

  std::string Strings(int index) const { return Get(index); }
  void SetStrings(int index, const std::string& text) { Put(index, text); }
  std::string operator[](int index) const { return Get(index); }
  void* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, void* object) { PutObject(index, object); }
  int IndexOfObject(const void* object) const;

  // name=value pairs. An item without the separator has an empty name and
  // an empty value. Names are compared as CompareStrings does.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, const std::string& value);
  std::string Values(const std::string& name) const;
  // An empty value removes the pair; a missing name with a value is added.
  void SetValues(const std::string& name, const std::string& value);
  int IndexOfName(const std::string& name) const;
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char separator) { FNameValueSeparator = separator; }

  // Every item followed by LineBreak (default CR LF). Setting splits on
  // CR LF, LF or CR; a final line break adds no empty item.
  std::string Text() const;
  virtual void SetText(std::string_view text);
  std::string LineBreak() const { return FLineBreak; }
  void SetLineBreak(std::string lineBreak) { FLineBreak = std::move(lineBreak); }

  // Items joined by Delimiter, each quoted with QuoteChar when it holds a
  // blank, a control character, the quote or the delimiter. Reading splits
  // on the delimiter and, unless StrictDelimiter, on unquoted blanks too.
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char delimiter) { FDelimiter = delimiter; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char quote) { FQuoteChar = quote; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool strict) { FStrictDelimiter = strict; }
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);
  // DelimitedText with "," and '"'.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);

  // Change notification is held back between BeginUpdate and the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // <0, 0, >0; case-insensitive (Unicode) unless the list says otherwise.
  virtual int CompareStrings(const std::string& a, const std::string& b) const;

protected:
  // Called when UpdateCount changes between zero and non-zero.
  virtual void SetUpdateState(bool updating);
  // Raises EListError "List index out of bounds (n)".
  [[noreturn]] static void IndexError(int index);

private:
  std::string DelimitedWith(char delimiter, char quote, bool strict) const;
  void SetDelimitedWith(std::string_view text, char delimiter, char quote, bool strict);

  int FUpdateCount = 0;
  char FNameValueSeparator = '=';
  char FDelimiter = ',';
  char FQuoteChar = '"';
  bool FStrictDelimiter = false;
  std::string FLineBreak = "\r\n";
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;
using TNotifyStringsEvent = std::function<void(TStringList& sender)>;

class TStringList : public TStrings {
  KESR_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  int Add(const std::string& text) override;
  int AddObject(const std::string& text, void* object) override;
  void InsertObject(int index, const std::string& text, void* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;
  int IndexOf(const std::string& text) const override;
  int CompareStrings(const std::string& a, const std::string& b) const override;

  // Binary search of a sorted list: true when found; index is the position
  // of the match or where text would be inserted.
  bool Find(const std::string& text, int& index) const;
  // Stable: equal items keep their order.
  virtual void Sort();
  void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool caseSensitive);

  // OnChanging before and OnChange after every modification (once per
  // update block).
  TNotifyStringsEvent OnChange;
  TNotifyStringsEvent OnChanging;

protected:
  void SetUpdateState(bool updating) override;
  virtual void Changing();
  virtual void Changed();

private:
  struct TItem {
    std::string Text;
    void* Object = nullptr;
  };
  void CheckIndex(int index) const;
  void InsertItem(int index, const std::string& text, void* object);
  void SortBy(const std::function<bool(int, int)>& less);

  std::vector<TItem> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
};
