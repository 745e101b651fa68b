#pragma once
// File stream of the XML library: opens or creates a file and keeps its name.
#include "classlib/Stream.h"

class TXpFileStream : public TFileStream {
 public:
  TXpFileStream(uint16_t mode, const AnsiString& fileName) : TFileStream(fileName, mode) {}
};
