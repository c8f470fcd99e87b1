#include "FormTextParser.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>

#include "StrUtils.h"

namespace {

enum class TToken { End, Ident, Integer, Float, String, Symbol };

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

class TLexer {
public:
  explicit TLexer(std::string_view text) : FText(text) { Next(); }

  TToken Kind() const { return FKind; }
  const std::string& Text() const { return FValue; }
  std::int64_t Integer() const { return FInteger; }
  double Float() const { return FFloat; }
  int Line() const { return FTokenLine; }
  bool IsSymbol(char c) const { return FKind == TToken::Symbol && FValue[0] == c; }
  bool IsKeyword(std::string_view word) const { return FKind == TToken::Ident && SameText(FValue, word); }

  [[noreturn]] void Fail(const std::string& message) const {
    throw EParserError("Line " + std::to_string(FTokenLine) + ": " + message);
  }
  [[noreturn]] void Expected(const std::string& what) const { Fail(what + " expected but " + Describe() + " found"); }

  void Next() {
    SkipBlanks();
    FTokenLine = FLine;
    FValue.clear();
    if (FPos >= FText.size()) {
      FKind = TToken::End;
      return;
    }
    char c = FText[FPos];
    if (IsIdentStart(c)) ReadIdent();
    else if (IsDigit(c) || c == '$') ReadNumber();
    else if (c == '\'' || c == '#') ReadString();
    else {
      FKind = TToken::Symbol;
      FValue = std::string(1, c);
      ++FPos;
    }
  }

  // The hex digits up to the closing brace; the lexer is left after it.
  std::vector<std::uint8_t> ReadBinary() {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    while (true) {
      if (FPos >= FText.size()) Fail("'}' expected but end of text found");
      char c = FText[FPos++];
      if (c == '}') break;
      if (c == '\n') ++FLine;
      if (static_cast<unsigned char>(c) <= ' ') continue;
      if (!IsHexDigit(c)) {
        FTokenLine = FLine;
        Fail("Invalid binary value");
      }
      if (high < 0) high = HexValue(c);
      else {
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + HexValue(c)));
        high = -1;
      }
    }
    if (high >= 0) Fail("Invalid binary value: odd number of hex digits");
    Next();
    return bytes;
  }

private:
  std::string Describe() const {
    switch (FKind) {
      case TToken::End: return "end of text";
      case TToken::String: return "string";
      default: return "'" + FValue + "'";
    }
  }

  void SkipBlanks() {
    while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ') {
      if (FText[FPos] == '\n') ++FLine;
      ++FPos;
    }
  }

  void ReadIdent() {
    std::size_t start = FPos;
    while (FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos]) ||
                                   (FText[FPos] == '.' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1]))))
      ++FPos;
    FKind = TToken::Ident;
    FValue = std::string(FText.substr(start, FPos - start));
  }

  void ReadNumber() {
    std::size_t start = FPos;
    if (FText[FPos] == '$') {
      ++FPos;
      while (FPos < FText.size() && IsHexDigit(FText[FPos])) ++FPos;
      std::string_view digits = FText.substr(start + 1, FPos - start - 1);
      std::uint64_t value = 0;
      auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
      if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || digits.size() > 16)
        Fail("Invalid hexadecimal number '" + std::string(FText.substr(start, FPos - start)) + "'");
      FKind = TToken::Integer;
      FInteger = static_cast<std::int64_t>(value);
      FValue = std::string(FText.substr(start, FPos - start));
      return;
    }
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    bool isFloat = false;
    if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
      isFloat = true;
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
      std::size_t e = FPos + 1;
      if (e < FText.size() && (FText[e] == '+' || FText[e] == '-')) ++e;
      if (e < FText.size() && IsDigit(FText[e])) {
        isFloat = true;
        FPos = e;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      }
    }
    FValue = std::string(FText.substr(start, FPos - start));
    if (isFloat) {
      FKind = TToken::Float;
      errno = 0;
      FFloat = std::strtod(FValue.c_str(), nullptr);
      if (errno == ERANGE) Fail("Invalid floating-point number '" + FValue + "'");
      // Single, currency and date suffixes of the platform's floats.
      if (FPos < FText.size() && (FText[FPos] == 's' || FText[FPos] == 'c' || FText[FPos] == 'd' ||
                                  FText[FPos] == 'S' || FText[FPos] == 'C' || FText[FPos] == 'D'))
        ++FPos;
      return;
    }
    FKind = TToken::Integer;
    auto [end, ec] = std::from_chars(FValue.data(), FValue.data() + FValue.size(), FInteger);
    if (ec != std::errc() || end != FValue.data() + FValue.size()) Fail("Invalid integer '" + FValue + "'");
  }

  // A run of quoted parts and #nnn codes with nothing between them. Codes
  // are UTF-16 units: a surrogate pair makes one character.
  void ReadString() {
    FKind = TToken::String;
    char16_t pendingHigh = 0;
    auto flushHigh = [&] {
      if (pendingHigh) Utf8Append(FValue, 0xFFFD);
      pendingHigh = 0;
    };
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (c == '\'') {
        flushHigh();
        ++FPos;
        while (true) {
          if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Fail("Unterminated string");
          if (FText[FPos] == '\'') {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
              FValue += '\'';
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          FValue += FText[FPos++];
        }
      } else if (c == '#') {
        ++FPos;
        std::size_t start = FPos;
        std::uint32_t code = 0;
        bool hex = FPos < FText.size() && FText[FPos] == '$';
        if (hex) ++FPos, ++start;
        while (FPos < FText.size() && (hex ? IsHexDigit(FText[FPos]) : IsDigit(FText[FPos]))) {
          code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(HexValue(FText[FPos]));
          if (code > 0xFFFF) Fail("Invalid character code");
          ++FPos;
        }
        if (FPos == start) Fail("Invalid character code");
        if (code >= 0xD800 && code <= 0xDBFF) {
          flushHigh();
          pendingHigh = static_cast<char16_t>(code);
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
          if (pendingHigh) Utf8Append(FValue, 0x10000 + ((pendingHigh - 0xD800) << 10) + (code - 0xDC00));
          else Utf8Append(FValue, 0xFFFD);
          pendingHigh = 0;
        } else {
          flushHigh();
          Utf8Append(FValue, code);
        }
      } else {
        break;
      }
    }
    flushHigh();
  }

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
  int FTokenLine = 1;
  TToken FKind = TToken::End;
  std::string FValue;
  std::int64_t FInteger = 0;
  double FFloat = 0;
};

class TParser {
public:
  explicit TParser(std::string_view text) : FLex(text) {}

  TFormNode ParseRoot() {
    TFormNode root = ParseObject();
    if (FLex.Kind() != TToken::End) FLex.Fail("End of text expected but '" + FLex.Text() + "' found");
    return root;
  }

private:
  bool AtObjectKeyword() const {
    return FLex.IsKeyword("object") || FLex.IsKeyword("inherited") || FLex.IsKeyword("inline");
  }

  std::string ExpectIdent(const char* what) {
    if (FLex.Kind() != TToken::Ident) FLex.Expected(what);
    std::string ident = FLex.Text();
    FLex.Next();
    return ident;
  }

  void ExpectSymbol(char c) {
    if (!FLex.IsSymbol(c)) FLex.Expected(std::string("'") + c + "'");
    FLex.Next();
  }

  TFormNode ParseObject() {
    TFormNode node;
    node.Line = FLex.Line();
    if (FLex.IsKeyword("object")) node.Kind = TFormNodeKind::Object;
    else if (FLex.IsKeyword("inherited")) node.Kind = TFormNodeKind::Inherited;
    else if (FLex.IsKeyword("inline")) node.Kind = TFormNodeKind::Inline;
    else FLex.Expected("'object'");
    FLex.Next();
    std::string first = ExpectIdent("Component name");
    if (FLex.IsSymbol(':')) {
      FLex.Next();
      node.Name = first;
      node.ClassName = ExpectIdent("Class name");
    } else {
      node.ClassName = first;
    }
    if (!IsValidIdentifier(node.Name, true) || !IsValidIdentifier(node.ClassName, false))
      FLex.Fail("Invalid component header");
    if (FLex.IsSymbol('[')) {  // creation order of inherited components; not needed here
      FLex.Next();
      if (FLex.Kind() != TToken::Integer) FLex.Expected("Integer");
      FLex.Next();
      ExpectSymbol(']');
    }
    while (!FLex.IsKeyword("end")) {
      if (FLex.Kind() == TToken::End) FLex.Fail("'end' expected for '" + node.Name + "' but end of text found");
      if (AtObjectKeyword()) node.Children.push_back(ParseObject());
      else node.Properties.push_back(ParseProperty());
    }
    FLex.Next();
    return node;
  }

  static bool IsValidIdentifier(const std::string& name, bool mayBeEmpty) {
    if (name.empty()) return mayBeEmpty;
    return name.find('.') == std::string::npos;
  }

  TFormProperty ParseProperty() {
    TFormProperty prop;
    prop.Line = FLex.Line();
    prop.Name = ExpectIdent("Property name");
    ExpectSymbol('=');
    prop.Value = ParseValue();
    return prop;
  }

  TFormValue ParseValue() {
    int line = FLex.Line();
    TFormValue value;
    switch (FLex.Kind()) {
      case TToken::Integer:
        value = TFormValue::OfInteger(FLex.Integer());
        FLex.Next();
        break;
      case TToken::Float:
        value = TFormValue::OfFloat(FLex.Float());
        FLex.Next();
        break;
      case TToken::String: value = ParseString(); break;
      case TToken::Ident:
        value = TFormValue::OfIdent(FLex.Text());
        FLex.Next();
        break;
      case TToken::Symbol:
        if (FLex.IsSymbol('-')) {
          FLex.Next();
          if (FLex.Kind() == TToken::Integer) value = TFormValue::OfInteger(-FLex.Integer());
          else if (FLex.Kind() == TToken::Float) value = TFormValue::OfFloat(-FLex.Float());
          else FLex.Expected("Number");
          FLex.Next();
        } else if (FLex.IsSymbol('[')) {
          value = ParseSet();
        } else if (FLex.IsSymbol('(')) {
          value = ParseList();
        } else if (FLex.IsSymbol('<')) {
          value = ParseCollection();
        } else if (FLex.IsSymbol('{')) {
          value = TFormValue::OfBinary(FLex.ReadBinary());
        } else {
          FLex.Fail("Invalid property value '" + FLex.Text() + "'");
        }
        break;
      case TToken::End: FLex.Fail("Property value expected but end of text found");
    }
    value.Line = line;
    return value;
  }

  TFormValue ParseString() {
    std::string text = FLex.Text();
    FLex.Next();
    while (FLex.IsSymbol('+')) {
      FLex.Next();
      if (FLex.Kind() != TToken::String) FLex.Expected("String");
      text += FLex.Text();
      FLex.Next();
    }
    return TFormValue::OfString(std::move(text));
  }

  TFormValue ParseSet() {
    FLex.Next();
    std::vector<std::string> elements;
    while (!FLex.IsSymbol(']')) {
      if (!elements.empty()) ExpectSymbol(',');
      elements.push_back(ExpectIdent("Set element"));
    }
    FLex.Next();
    return TFormValue::OfSet(std::move(elements));
  }

  TFormValue ParseList() {
    FLex.Next();
    std::vector<TFormValue> items;
    while (!FLex.IsSymbol(')')) {
      if (FLex.Kind() == TToken::End) FLex.Fail("')' expected but end of text found");
      items.push_back(ParseValue());
    }
    FLex.Next();
    return TFormValue::OfList(std::move(items));
  }

  TFormValue ParseCollection() {
    FLex.Next();
    TFormValue value;
    value.Kind = TFormValueKind::Collection;
    while (!FLex.IsSymbol('>')) {
      TFormCollectionItem item;
      item.Line = FLex.Line();
      if (!FLex.IsKeyword("item")) FLex.Expected("'item'");
      FLex.Next();
      while (!FLex.IsKeyword("end")) {
        if (FLex.Kind() == TToken::End) FLex.Fail("'end' expected for a collection item but end of text found");
        item.Properties.push_back(ParseProperty());
      }
      FLex.Next();
      value.CollectionItems.push_back(std::move(item));
    }
    FLex.Next();
    return value;
  }

  TLexer FLex;
};

}  // namespace

TFormNode ParseFormText(std::string_view text) { return TParser(text).ParseRoot(); }
