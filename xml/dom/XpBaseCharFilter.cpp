#include "xml/dom/XpBaseCharFilter.h"

#include "xml/dom/XpExceptions.h"

TXpBaseCharFilter::TXpBaseCharFilter(TStream* stream, int32_t bufferSize)
    : FBufSize(bufferSize), FStream(stream) {
  if (!stream) throw EXpException("Character filter needs a stream");
  FBuffer.resize(static_cast<size_t>(FBufSize));
  FStreamPos = stream->Position();
  FStreamSize = stream->Size();
}

TXpBaseCharFilter::~TXpBaseCharFilter() {
  if (FFreeStream) delete FStream;
}

int64_t TXpBaseCharFilter::csGetSize() { return FStream->Size(); }
