#include "SqlLexer.h"

#include <cctype>
#include <cstring>
#include <strings.h>

namespace Appserver {
namespace {

bool WordStart(unsigned char ch) { return std::isalpha(ch) || ch == '_' || ch == '$' || ch == '#' || ch == '@' || ch >= 0x80; }
bool WordPart(unsigned char ch) { return WordStart(ch) || std::isdigit(ch); }

[[noreturn]] void Fail(const std::string& why, size_t pos) {
  throw ESqlError(why + " at position " + std::to_string(pos + 1));
}

}  // namespace

bool TToken::Is(const char* word) const {
  return (Kind == TTokenKind::Word || Kind == TTokenKind::Symbol) && strcasecmp(Text.c_str(), word) == 0;
}

std::vector<TToken> Tokenize(const std::string& sql) {
  std::vector<TToken> tokens;
  size_t i = 0;
  const size_t n = sql.size();
  auto at = [&](size_t k) -> unsigned char { return k < n ? static_cast<unsigned char>(sql[k]) : 0; };
  while (i < n) {
    const unsigned char ch = at(i);
    if (std::isspace(ch)) {
      ++i;
    } else if (ch == '-' && at(i + 1) == '-') {
      while (i < n && sql[i] != '\n') ++i;
    } else if (ch == '/' && at(i + 1) == '*') {
      const size_t end = sql.find("*/", i + 2);
      if (end == std::string::npos) Fail("unterminated comment", i);
      i = end + 2;
    } else if (ch == '\'' || ((ch == 'N' || ch == 'n') && at(i + 1) == '\'')) {
      const size_t start = i;
      i += ch == '\'' ? 1 : 2;
      std::string text;
      for (;;) {
        if (i >= n) Fail("unterminated string", start);
        if (sql[i] == '\'') {
          if (at(i + 1) == '\'') {
            text += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        text += sql[i++];
      }
      tokens.push_back({TTokenKind::String, text, start});
    } else if (ch == '"' || ch == '[') {
      const char close = ch == '"' ? '"' : ']';
      const size_t end = sql.find(close, i + 1);
      if (end == std::string::npos || end == i + 1) Fail("unterminated quoted name", i);
      tokens.push_back({TTokenKind::QuotedName, sql.substr(i + 1, end - i - 1), i});
      i = end + 1;
    } else if (std::isdigit(ch) || (ch == '.' && std::isdigit(at(i + 1)))) {
      const size_t start = i;
      while (std::isdigit(at(i))) ++i;
      if (at(i) == '.') {
        ++i;
        while (std::isdigit(at(i))) ++i;
      }
      if ((at(i) == 'e' || at(i) == 'E') && (std::isdigit(at(i + 1)) || ((at(i + 1) == '+' || at(i + 1) == '-') && std::isdigit(at(i + 2))))) {
        i += 2;
        while (std::isdigit(at(i))) ++i;
      }
      if (WordStart(at(i))) Fail("malformed number", start);
      tokens.push_back({TTokenKind::Number, sql.substr(start, i - start), start});
    } else if (WordStart(ch)) {
      const size_t start = i;
      while (i < n && WordPart(at(i))) ++i;
      tokens.push_back({TTokenKind::Word, sql.substr(start, i - start), start});
    } else {
      static const char* const pairs[] = {"<>", "!=", "<=", ">=", "||"};
      std::string symbol(1, static_cast<char>(ch));
      for (const char* p : pairs)
        if (ch == p[0] && at(i + 1) == static_cast<unsigned char>(p[1])) symbol = p;
      if (symbol.size() == 1 && !std::strchr("(),.+-*/%=<>;", ch)) Fail(std::string("unexpected character '") + sql[i] + "'", i);
      tokens.push_back({TTokenKind::Symbol, symbol, i});
      i += symbol.size();
    }
  }
  tokens.push_back({TTokenKind::End, "", n});
  return tokens;
}

std::string QuoteLiteral(const std::string& text) {
  std::string out = "'";
  for (char ch : text) out += ch == '\'' ? "''" : std::string(1, ch);
  return out + "'";
}

}  // namespace Appserver
