#pragma once
// Published properties by name, for code that does not know the classes of
// the controls it touches. A null object, an empty name, a name that is not
// a published property of the object's class, or a property of another
// kind is harmless: getters answer empty values and setters do nothing.
#include <cstdint>
#include <string>

#include "Events.h"

class TObject;

TMethod GetMethodPropByName(const TObject* Object, const std::string& Name);
std::string GetStrPropByName(const TObject* Component, const std::string& Name);
// Integer, enumeration, set (its bit mask) and Boolean properties.
std::int64_t GetOrdPropByName(const TObject* Control, const std::string& Name);
void SetStrPropByName(TObject* Component, const std::string& Name, const std::string& Value);
void SetOrdPropByName(TObject* Object, const std::string& Name, std::int64_t Value);
void SetMethodPropByName(TObject* Object, const std::string& Name, const TMethod& Handler);
bool HasPropByName(const TObject* Component, const std::string& Name);
