#pragma once
// Instance to tree to text: a component and what it owns, written as the
// difference against a freshly created instance of the same class with no
// owner, so unchanged properties are left out.
//
// The children of a block are what GetChildren yields (see TComponent). A
// child that the fresh instance also has (same name and class) is written
// as `inherited` and compared with it; any other as `object`, compared with
// a fresh instance of its own class. Component references are written by
// name, events by the name of the Root's published method they call (others
// are left out). Strings keep printable ASCII in quotes and write other
// characters as #nnn UTF-16 codes; long strings are split with +.
#include <string>

#include "Component.h"
#include "FormValue.h"

TFormNode WriteFormTree(const TComponent* Root);
std::string FormatFormText(const TFormNode& Node);
// WriteFormTree, then FormatFormText.
std::string WriteFormText(const TComponent* Root);
