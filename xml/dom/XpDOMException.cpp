#include "xml/dom/XpDOMException.h"

TXpDOMException::TXpDOMException(EXpExceptionCode code) : EXpException(AnsiString()), FCode(code) {}

TXpDOMException::TXpDOMException(EXpExceptionCode code, int32_t msgIndex)
    : EXpException(AnsiString()), FCode(code), FMsgIndex(msgIndex) {}
