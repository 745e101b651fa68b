#pragma once
// Exceptions of the XML library. Each class derives from the one before it:
// EXpException, EXpStreamError (byte offset in the stream), EXpFilterError
// (reason, line, column), EXpParserError (URL of the document). The texts
// never contain the position themselves.
#include <cstdint>

#include "classlib/AnsiString.h"
#include "classlib/Exception.h"

class EXpException : public Exception {
 public:
  using Exception::Exception;
};

class EXpStreamError : public EXpException {
 public:
  EXpStreamError(int64_t streamPos, const AnsiString& message)
      : EXpException(message), FStreamPos(streamPos) {}
  int64_t StreamPos() const { return FStreamPos; }

 private:
  int64_t FStreamPos;
};

class EXpFilterError : public EXpStreamError {
 public:
  EXpFilterError(int64_t streamPos, int32_t line, int32_t column, const WideString& reason)
      : EXpStreamError(streamPos, WideToAnsi(reason)), FReason(reason), FLine(line), FColumn(column) {}
  const WideString& Reason() const { return FReason; }
  int32_t Line() const { return FLine; }
  int32_t Column() const { return FColumn; }

 private:
  WideString FReason;
  int32_t FLine;
  int32_t FColumn;
};

class EXpParserError : public EXpFilterError {
 public:
  EXpParserError(int32_t line, int32_t column, const WideString& reason, const WideString& url)
      : EXpFilterError(0, line, column, reason), FURL(url) {}
  const WideString& URL() const { return FURL; }

 private:
  WideString FURL;
};

// Raised to stop processing without a text of its own.
class TXpInvalidHalt : public EXpException {
 public:
  TXpInvalidHalt() : EXpException(AnsiString()) {}
};
