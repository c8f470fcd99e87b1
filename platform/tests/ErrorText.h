#pragma once
// The message of the exception of class E that an action raises, or a marker
// text when it raises none: lets a table of cases pin exact error texts.
#include <functional>
#include <string>

template <class E>
std::string ErrorTextOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& error) {
    return error.Message();
  }
  return "(no exception)";
}
