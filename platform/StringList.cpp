#include "StringList.h"

#include <algorithm>
#include <numeric>

#include "Exceptions.h"
#include "Filer.h"
#include "StrUtils.h"

// ---- TStrings -------------------------------------------------------------

const TClass& TStrings::StaticClass() {
  static const TClass Class = TClassBuilder<TStrings>("TStrings").Build();
  return Class;
}

void TStrings::Assign(const TPersistent* Source) {
  if (auto* strings = dynamic_cast<const TStrings*>(Source)) Assign(*strings);
  else TPersistent::Assign(Source);
}

void TStrings::DefineProperties(TFiler& Filer) {
  auto* ancestor = dynamic_cast<const TStrings*>(Filer.Ancestor());
  Filer.DefineProperty(
      "Strings",
      [this](const TFormValue& value) {
        if (value.Kind != TFormValueKind::List) throw EFilerError("A list of strings expected");
        for (const TFormValue& item : value.Items)
          if (item.Kind != TFormValueKind::String) throw EFilerError("A list of strings expected");
        BeginUpdate();
        Clear();
        for (const TFormValue& item : value.Items) Add(item.Text);
        EndUpdate();
      },
      [this] {
        std::vector<TFormValue> items;
        for (int i = 0; i < Count(); ++i) items.push_back(TFormValue::OfString(Get(i)));
        return TFormValue::OfList(std::move(items));
      },
      ancestor ? !Equals(*ancestor) : Count() > 0);
}

void TStrings::IndexError(int index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const std::string& text) {
  void* object = GetObject(index);
  BeginUpdate();
  Delete(index);
  InsertObject(index, text, object);
  EndUpdate();
}

void* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, void*) {}

int TStrings::Add(const std::string& text) { return AddObject(text, nullptr); }

int TStrings::AddObject(const std::string& text, void* object) {
  int index = Count();
  InsertObject(index, text, object);
  return index;
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  std::string text1 = Get(index1);
  void* object1 = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, text1);
  PutObject(index2, object1);
  EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  if (newIndex < 0 || newIndex >= Count()) IndexError(newIndex);
  BeginUpdate();
  std::string text = Get(curIndex);
  void* object = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, text, object);
  EndUpdate();
}

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), text) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const void* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

void TStrings::AddStrings(const TStrings& source) {
  BeginUpdate();
  for (int i = 0; i < source.Count(); ++i) AddObject(source.Get(i), source.GetObject(i));
  EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  FNameValueSeparator = source.FNameValueSeparator;
  FDelimiter = source.FDelimiter;
  FQuoteChar = source.FQuoteChar;
  FStrictDelimiter = source.FStrictDelimiter;
  FLineBreak = source.FLineBreak;
  AddStrings(source);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
  return AnsiCompareText(a, b);
}

std::string TStrings::Names(int index) const {
  std::string item = Get(index);
  size_t at = item.find(FNameValueSeparator);
  return at == std::string::npos ? std::string() : item.substr(0, at);
}

std::string TStrings::ValueFromIndex(int index) const {
  std::string item = Get(index);
  size_t at = item.find(FNameValueSeparator);
  return at == std::string::npos ? std::string() : item.substr(at + 1);
}

void TStrings::SetValueFromIndex(int index, const std::string& value) {
  if (value.empty()) {
    Delete(index);
    return;
  }
  Put(index, Names(index) + FNameValueSeparator + value);
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string item = Get(i);
    size_t at = item.find(FNameValueSeparator);
    if (at != std::string::npos && CompareStrings(item.substr(0, at), name) == 0) return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& name) const {
  int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  std::string item = name + FNameValueSeparator + value;
  if (index < 0) Add(item);
  else Put(index, item);
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) out += Get(i) + FLineBreak;
  return out;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    Add(std::string(text.substr(start, i - start)));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  EndUpdate();
}

namespace {
// Blanks and control characters end an unquoted item; NUL is ordinary text.
bool IsBlankOrControl(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string TStrings::DelimitedWith(char delimiter, char quote, bool strict) const {
  if (Count() == 1 && Get(0).empty()) return std::string(2, quote);
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    std::string item = Get(i);
    bool needsQuote = std::any_of(item.begin(), item.end(), [&](char c) {
      return c == quote || c == delimiter || (!strict && IsBlankOrControl(c));
    });
    if (i > 0) out += delimiter;
    out += needsQuote ? AnsiQuotedStr(item, quote) : item;
  }
  return out;
}

void TStrings::SetDelimitedWith(std::string_view text, char delimiter, char quote, bool strict) {
  // Blanks around items are skipped and, unless strict, end an unquoted item.
  auto skipBlanks = [&](size_t& i) {
    while (!strict && i < text.size() && IsBlankOrControl(text[i])) ++i;
  };
  BeginUpdate();
  Clear();
  size_t i = 0;
  skipBlanks(i);
  while (i < text.size()) {
    std::string item;
    if (text[i] == quote) {
      item = AnsiExtractQuotedStr(text, i, quote);
    } else {
      size_t start = i;
      while (i < text.size() && text[i] != delimiter && (strict || !IsBlankOrControl(text[i])))
        ++i;
      item = std::string(text.substr(start, i - start));
    }
    Add(item);
    skipBlanks(i);
    if (i < text.size() && text[i] == delimiter) {
      if (i + 1 == text.size()) Add("");
      ++i;
      skipBlanks(i);
    }
  }
  EndUpdate();
}

std::string TStrings::DelimitedText() const { return DelimitedWith(FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStrings::SetDelimitedText(std::string_view text) {
  SetDelimitedWith(text, FDelimiter, FQuoteChar, FStrictDelimiter);
}

std::string TStrings::CommaText() const { return DelimitedWith(',', '"', false); }

void TStrings::SetCommaText(std::string_view text) { SetDelimitedWith(text, ',', '"', false); }

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

// ---- TStringList ----------------------------------------------------------

const TClass& TStringList::StaticClass() {
  static const TClass Class = TClassBuilder<TStringList>("TStringList").Build();
  return Class;
}

TStringList::~TStringList() {
  // Handlers must not see a list that is being destroyed.
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(*this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(*this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return FItems[index].Text;
}

void* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FItems[index].Object;
}

void TStringList::Put(int index, const std::string& text) {
  if (FSorted) throw EListError("Operation not allowed on sorted list");
  CheckIndex(index);
  Changing();
  FItems[index].Text = text;
  Changed();
}

void TStringList::PutObject(int index, void* object) {
  CheckIndex(index);
  Changing();
  FItems[index].Object = object;
  Changed();
}

int TStringList::Add(const std::string& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const std::string& text, void* object) {
  int index = Count();
  if (FSorted) {
    if (Find(text, index)) {
      if (FDuplicates == dupIgnore) return index;
      if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
    }
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::InsertObject(int index, const std::string& text, void* object) {
  if (FSorted) throw EListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) IndexError(index);
  InsertItem(index, text, object);
}

void TStringList::InsertItem(int index, const std::string& text, void* object) {
  Changing();
  FItems.insert(FItems.begin() + index, TItem{text, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(FItems[index1], FItems[index2]);
  Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
  // Checked before anything is taken out: re-inserting into a sorted list
  // would fail and lose the item.
  if (FSorted) throw EListError("Operation not allowed on sorted list");
  CheckIndex(curIndex);
  if (curIndex == newIndex) return;
  CheckIndex(newIndex);
  Changing();
  TItem item = std::move(FItems[curIndex]);
  FItems.erase(FItems.begin() + curIndex);
  FItems.insert(FItems.begin() + newIndex, std::move(item));
  Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(const std::string& text, int& index) const {
  int low = 0, high = Count() - 1;
  bool found = false;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = CompareStrings(FItems[mid].Text, text);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = low;
  return found;
}

int TStringList::IndexOf(const std::string& text) const {
  if (!FSorted) return TStrings::IndexOf(text);
  int index;
  return Find(text, index) ? index : -1;
}

void TStringList::SortBy(const std::function<bool(int, int)>& less) {
  if (FItems.size() < 2) return;
  std::vector<int> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), less);
  Changing();
  std::vector<TItem> sorted;
  sorted.reserve(FItems.size());
  for (int i : order) sorted.push_back(std::move(FItems[i]));
  FItems = std::move(sorted);
  Changed();
}

void TStringList::Sort() {
  SortBy([this](int a, int b) { return CompareStrings(FItems[a].Text, FItems[b].Text) < 0; });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  // The comparison sees the list unchanged; the order is applied afterwards.
  SortBy([&](int a, int b) { return compare(*this, a, b) < 0; });
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == FSorted) return;
  if (sorted) Sort();
  FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == FCaseSensitive) return;
  FCaseSensitive = caseSensitive;
  if (FSorted) Sort();
}
