#pragma once
// Tokens of the SQL that clients send, in either dialect the server speaks.
#include "Exceptions.h"

#include <string>
#include <vector>

namespace Appserver {

KESR_DECLARE_EXCEPTION(ESqlError, Exception);

enum class TTokenKind { Word, QuotedName, String, Number, Symbol, End };

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  std::string Text;  // a string literal's content without quotes, '' undone
  size_t Pos = 0;    // byte offset in the statement, for error messages
  bool Is(const char* word) const;  // a word or symbol, ignoring case
};

// Comments are dropped; any character outside the language is an error.
std::vector<TToken> Tokenize(const std::string& sql);

std::string QuoteLiteral(const std::string& text);

}  // namespace Appserver
