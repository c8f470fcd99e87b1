#pragma once
// Form-description text to tree: the first step of reading a form, and the
// check that a stored layout is well formed before anything is applied.
//
//   object frmMain: TfrmMain            (or "inherited", "inline"; "object TX" unnamed)
//     Caption = 'abc'#13#10'def' +      strings: '...' ('' for a quote) and #nnn
//       'more'                          UTF-16 code units, joined by +
//     Font.Name = #23435#20307           property paths
//     Width = 509                       integers (also -5 and $1F), floats 1.5
//     Color = clBtnFace                 identifiers; sets [fsBold, fsItalic]
//     Items.Strings = ('a' 'b')         lists; collections < item ... end >
//     Data = {0A0B}                     binary data
//     object btnOk: TButton ... end     nested blocks
//   end
//
// Keywords are not case-sensitive; indentation does not matter.
#include <string_view>

#include "ClassRegistry.h"
#include "FormValue.h"

// "Line N: ..." for text that is not a well-formed form description.
KESR_DECLARE_EXCEPTION(EParserError, EFilerError);

TFormNode ParseFormText(std::string_view text);
