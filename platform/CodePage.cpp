#include "CodePage.h"

#include <cerrno>
#include <iconv.h>

#include "StrUtils.h"

namespace {

std::string CharsetOf(const std::string& codePage) {
  if (codePage.empty()) throw ECodePageError("Unsupported code page ''");
  for (char c : codePage)
    if (c < '0' || c > '9') throw ECodePageError("Unsupported code page '" + codePage + "'");
  return "CP" + codePage;
}

// One conversion descriptor, closed on every path.
class TIconv {
public:
  TIconv(const std::string& to, const std::string& from)
      : FHandle(iconv_open(to.c_str(), from.c_str())) {
    if (FHandle == reinterpret_cast<iconv_t>(-1))
      throw ECodePageError("Unsupported conversion from " + from + " to " + to);
  }
  ~TIconv() { iconv_close(FHandle); }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  // Converts all of input; at a sequence that cannot be converted, calls
  // skip(in, left, out) which must consume at least one input byte.
  template <class Skip>
  std::string Convert(std::string_view input, Skip skip) {
    std::string out;
    char buffer[1024];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      size_t result = iconv(FHandle, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, outPtr - buffer);
      if (result == static_cast<size_t>(-1) && errno != E2BIG) {
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        skip(in, inLeft, out);
      }
    }
    return out;
  }

private:
  iconv_t FHandle;
};

}  // namespace

std::string Utf8ToLegacy(std::string_view text, const std::string& codePage) {
  TIconv converter(CharsetOf(codePage), "UTF-8");
  return converter.Convert(text, [](char*& in, size_t& left, std::string& out) {
    // Skip one whole character of the UTF-8 input.
    std::string_view rest(in, left);
    size_t pos = 0;
    Utf8Decode(rest, pos);
    in += pos;
    left -= pos;
    out += '?';
  });
}

std::string LegacyToUtf8(std::string_view bytes, const std::string& codePage) {
  TIconv converter("UTF-8", CharsetOf(codePage));
  return converter.Convert(bytes, [](char*& in, size_t& left, std::string& out) {
    ++in;
    --left;
    out += '?';
  });
}

int LegacyByteLength(std::string_view text, const std::string& codePage) {
  return static_cast<int>(Utf8ToLegacy(text, codePage).size());
}

bool IsValidUtf8(std::string_view bytes) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t start = pos;
    char32_t cp = Utf8Decode(bytes, pos);
    // U+FFFD from a one-byte step is a decoding failure, not the character.
    if (cp == 0xFFFD && pos == start + 1) return false;
  }
  return true;
}

std::string DecodeText(std::string_view bytes, const std::string& codePage) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  auto fromUtf16 = [&](const char* charset) {
    TIconv converter("UTF-8", charset);
    return converter.Convert(bytes.substr(2), [](char*& in, size_t& left, std::string& out) {
      size_t step = left >= 2 ? 2 : left;
      in += step;
      left -= step;
      out += '?';
    });
  };
  if (bytes.substr(0, 2) == "\xFF\xFE") return fromUtf16("UTF-16LE");
  if (bytes.substr(0, 2) == "\xFE\xFF") return fromUtf16("UTF-16BE");
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return LegacyToUtf8(bytes, codePage);
}
