#pragma once
// Legacy encodings of outside data, named by code page text: "936"
// (simplified Chinese, GBK), "950" (traditional Chinese, Big5), "437"
// (English). Other Windows code page numbers map to the converter's
// "CP<n>" when it knows them. Inside the program text is UTF-8.
#include <string>
#include <string_view>

#include "Exceptions.h"

// The code page cannot be converted on this system.
KESR_DECLARE_EXCEPTION(ECodePageError, EConvertError);

// Characters the code page lacks become "?" (one byte), as the system
// conversion of the original platform did. Raises ECodePageError for an
// unknown code page.
std::string Utf8ToLegacy(std::string_view text, const std::string& codePage);
// Bytes that are not valid in the code page become "?".
std::string LegacyToUtf8(std::string_view bytes, const std::string& codePage);
// Bytes the text takes in the code page: a Chinese character counts 2 in
// "936"/"950", anything the code page lacks counts 1.
int LegacyByteLength(std::string_view text, const std::string& codePage);

bool IsValidUtf8(std::string_view bytes);
// Text of outside data: a UTF-8 or UTF-16 byte-order mark decides, valid
// UTF-8 is kept, anything else is read in the code page given.
std::string DecodeText(std::string_view bytes, const std::string& codePage);
