#pragma once
// Errors of the data-access layer. A database engine error carries the list
// of native errors the engine reported, most general first, so that error
// logs can print each of them.
#include <string>
#include <utility>
#include <vector>

#include "Exceptions.h"

KESR_DECLARE_EXCEPTION(EDatabaseError, Exception);

struct TDBError {
  int ErrorCode = 0;
  int NativeError = 0;
  std::string Message;
};

class EDBEngineError : public EDatabaseError {
public:
  EDBEngineError(std::string message, std::vector<TDBError> errors)
      : EDatabaseError(std::move(message)), FErrors(std::move(errors)) {}
  const char* ClassName() const noexcept override { return "EDBEngineError"; }

  int ErrorCount() const noexcept { return static_cast<int>(FErrors.size()); }
  // EListError for an index out of range.
  const TDBError& Errors(int index) const {
    if (index < 0 || index >= ErrorCount())
      throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FErrors[index];
  }

private:
  std::vector<TDBError> FErrors;
};
