#pragma once
// Tree to instance: the second step of reading a form description.
//
// The root block's properties are set on Root (its Name only when Root has
// none, made unique among Root's siblings with "_1", "_2" ...; the block's
// class must be Root's class or an ancestor of it). An `object`
// block creates a component of the registered class (FindClass) owned by
// Root, names it and calls SetParentComponent with the component of the
// enclosing block; a component of that name and class that Root already owns
// is reused. An `inherited` block finds the component Root owns under that
// name; `inline` finds or creates. Component references ("FocusControl =
// edDate") are resolved by name after the whole tree, events ("OnClick =
// btnOkClick") bind to Root's published methods. Every component read is in
// csLoading and csReading meanwhile, and gets Loaded() at the end.
//
// A failure raises EReadError "Line N: Error reading X.Prop: reason" (or the
// EClassNotFound of an unknown class) and leaves Root usable: the components
// this read created are destroyed, the others keep the values set so far and
// leave the loading state without Loaded().
#include <string_view>

#include "ClassRegistry.h"
#include "Component.h"
#include "FormTextParser.h"  // ReadFormText raises its EParserError
#include "FormValue.h"

KESR_DECLARE_EXCEPTION(EReadError, EFilerError);

void ReadFormTree(TComponent* Root, const TFormNode& Node);
// ParseFormText, then ReadFormTree: a text that does not parse changes nothing.
void ReadFormText(TComponent* Root, std::string_view Text);
