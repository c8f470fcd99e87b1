#pragma once
// Exports of the helper library Znlanguage.so (C linkage, looked up by name).
//
// Each conversion takes one NUL-terminated 8-bit text and returns the
// converted text, NUL-terminated. The returned text belongs to the library:
// it stays valid until the next call of either function on the same thread
// and must not be freed by the caller (copy it). A null argument gives "".
// Characters the target code page lacks become "?".
extern "C" {
// GB2312 (code page 936) text in Simplified characters to Big5 (950) in
// Traditional characters of the Taiwan standard.
const char* GBtoBIG5(const char* Text);
// Big5 text in Traditional characters to GB2312 in Simplified characters.
const char* BIG5toGB(const char* Text);
}
