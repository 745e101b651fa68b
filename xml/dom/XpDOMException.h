// The exception of the document tree's operations: a code, an optional
// message index and an empty text.
#pragma once

#include <cstdint>

#include "xml/dom/XpExceptions.h"

enum EXpExceptionCode : int32_t {
  ecNone,
  ecIndexSizeErr,
  ecWStringSizeErr,
  ecHierarchyRequestErr,
  ecWrongDocumentErr,
  ecInvalidNameErr,
  ecNoDataAllowedErr,
  ecNoModificationAllowedErr,
  ecNotFoundErr,
  ecNotSupportedErr,
  ecInuseAttributeErr,
  ecInvalidParamErr,
  ecExpectedToken
};

class TXpDOMException : public EXpException {
public:
  explicit TXpDOMException(EXpExceptionCode code);
  TXpDOMException(EXpExceptionCode code, int32_t msgIndex);

  EXpExceptionCode Code() const { return FCode; }
  int32_t MsgIndex() const { return FMsgIndex; }

private:
  EXpExceptionCode FCode;
  int32_t FMsgIndex = 0;
};
