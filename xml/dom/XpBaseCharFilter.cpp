#include "xml/dom/XpBaseCharFilter.h"

#include "xml/dom/XpExceptions.h"

TXpBaseCharFilter::TXpBaseCharFilter(TStream* stream, int32_t bufferSize)
    : TXpBaseCharFilter(stream, bufferSize, std::vector<uint8_t>()) {}

TXpBaseCharFilter::TXpBaseCharFilter(TStream* stream, int32_t bufferSize,
                                     std::vector<uint8_t>&& buffer)
    : FBufSize(bufferSize), FStream(stream) {
  if (!stream) throw EXpException("Character filter needs a stream");
  if (buffer.size() == static_cast<size_t>(FBufSize))
    FBuffer.swap(buffer);
  else
    FBuffer.resize(static_cast<size_t>(FBufSize));
  FStreamPos = stream->Position();
  FStreamSize = stream->Size();
}

TXpBaseCharFilter::~TXpBaseCharFilter() {
  if (FFreeStream) delete FStream;
}

int64_t TXpBaseCharFilter::csGetSize() { return FStream->Size(); }
