#pragma once
// Base exception of the class library: it carries a message text
// (Windows-1252). The library's own failures derive from it.
#include "classlib/AnsiString.h"

#include <exception>

class Exception : public std::exception {
 public:
  explicit Exception(AnsiString message) : FMessage(std::move(message)) {}
  const AnsiString& Message() const noexcept { return FMessage; }
  void SetMessage(AnsiString message) { FMessage = std::move(message); }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  AnsiString FMessage;
};

// A text or number that cannot be converted.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// An index outside a list, or a list operation that is not allowed.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// Stream failures.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
