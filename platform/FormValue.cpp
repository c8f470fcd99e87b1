#include "FormValue.h"

TFormValue TFormValue::OfInteger(std::int64_t value) {
  TFormValue v;
  v.Kind = TFormValueKind::Integer;
  v.Integer = value;
  return v;
}

TFormValue TFormValue::OfFloat(double value) {
  TFormValue v;
  v.Kind = TFormValueKind::Float;
  v.Float = value;
  return v;
}

TFormValue TFormValue::OfString(std::string value) {
  TFormValue v;
  v.Kind = TFormValueKind::String;
  v.Text = std::move(value);
  return v;
}

TFormValue TFormValue::OfIdent(std::string ident) {
  TFormValue v;
  v.Kind = TFormValueKind::Ident;
  v.Text = std::move(ident);
  return v;
}

TFormValue TFormValue::OfSet(std::vector<std::string> elements) {
  TFormValue v;
  v.Kind = TFormValueKind::Set;
  v.Elements = std::move(elements);
  return v;
}

TFormValue TFormValue::OfList(std::vector<TFormValue> items) {
  TFormValue v;
  v.Kind = TFormValueKind::List;
  v.Items = std::move(items);
  return v;
}

TFormValue TFormValue::OfBinary(std::vector<std::uint8_t> bytes) {
  TFormValue v;
  v.Kind = TFormValueKind::Binary;
  v.Bytes = std::move(bytes);
  return v;
}

bool operator==(const TFormCollectionItem& a, const TFormCollectionItem& b) { return a.Properties == b.Properties; }

bool operator==(const TFormValue& a, const TFormValue& b) {
  return a.Kind == b.Kind && a.Integer == b.Integer && a.Float == b.Float && a.Text == b.Text &&
         a.Elements == b.Elements && a.Items == b.Items && a.CollectionItems == b.CollectionItems &&
         a.Bytes == b.Bytes;
}
