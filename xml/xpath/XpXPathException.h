#pragma once
// The exception of XPath queries: unknown axes, missing handlers, bad
// arguments, limits. Syntax errors raise TXpDOMException (ecExpectedToken).
#include "xml/dom/XpExceptions.h"

class TXpXPathException : public EXpException {
 public:
  using EXpException::EXpException;
};
