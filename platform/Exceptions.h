#pragma once
// The exception hierarchy the module and its platform raise. Messages are
// UTF-8; HelpContext is carried for callers that show help for an error.
#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message, int helpContext = 0)
      : FMessage(std::move(message)), FHelpContext(helpContext) {}
  const char* what() const noexcept override { return FMessage.c_str(); }
  const std::string& Message() const noexcept { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }
  int HelpContext() const noexcept { return FHelpContext; }
  // The platform's class name of the exception, as error texts print it.
  virtual const char* ClassName() const noexcept { return "Exception"; }

private:
  std::string FMessage;
  int FHelpContext;
};

// Declares an exception class that reports its own class name.
#define KESR_DECLARE_EXCEPTION(Name, Parent)                              \
  class Name : public Parent {                                            \
  public:                                                                 \
    using Parent::Parent;                                                 \
    const char* ClassName() const noexcept override { return #Name; }     \
  }

// Raised to abandon an operation silently: boundaries catch it and show nothing.
KESR_DECLARE_EXCEPTION(EAbort, Exception);
KESR_DECLARE_EXCEPTION(EConvertError, Exception);
KESR_DECLARE_EXCEPTION(EVariantError, Exception);
KESR_DECLARE_EXCEPTION(EOleError, Exception);
KESR_DECLARE_EXCEPTION(EListError, Exception);
// File and system errors carry the operating system's error number, as
// error-detail logs print it.
class EInOutError : public Exception {
public:
  using Exception::Exception;
  EInOutError(std::string message, int errorCode, int helpContext)
      : Exception(std::move(message), helpContext), ErrorCode(errorCode) {}
  const char* ClassName() const noexcept override { return "EInOutError"; }
  int ErrorCode = 0;
};
KESR_DECLARE_EXCEPTION(EFOpenError, EInOutError);
KESR_DECLARE_EXCEPTION(EFCreateError, EInOutError);
class EOSError : public Exception {
public:
  using Exception::Exception;
  EOSError(std::string message, int errorCode, int helpContext)
      : Exception(std::move(message), helpContext), ErrorCode(errorCode) {}
  const char* ClassName() const noexcept override { return "EOSError"; }
  int ErrorCode = 0;
};

