#pragma once
// Common part of the input and output character filters: a byte buffer over
// a stream and the stream format.
#include <cstdint>
#include <vector>

#include "classlib/Persistent.h"
#include "classlib/Stream.h"
#include "xml/dom/XpCharEncoding.h"

class TXpBaseCharFilter : public TObject {
 public:
  // `stream` is required (EXpException otherwise). The filter starts in
  // UTF-8 and frees the stream with itself unless told otherwise.
  TXpBaseCharFilter(TStream* stream, int32_t bufferSize);
  ~TXpBaseCharFilter() override;
  TXpBaseCharFilter(const TXpBaseCharFilter&) = delete;
  TXpBaseCharFilter& operator=(const TXpBaseCharFilter&) = delete;

  virtual int64_t csGetSize();
  virtual void csSetFormat(TXpStreamFormat format) = 0;

  TXpStreamFormat Format() const { return FFormat; }
  TStream* Stream() const { return FStream; }
  bool FreeStream() const { return FFreeStream; }
  void SetFreeStream(bool value) { FFreeStream = value; }

 protected:
  // Takes buffer as its own when it has the size asked for.
  TXpBaseCharFilter(TStream* stream, int32_t bufferSize, std::vector<uint8_t>&& buffer);

  int32_t FBufSize;
  std::vector<uint8_t> FBuffer;
  int32_t FBufPos = 0;
  TXpStreamFormat FFormat = sfUTF8;
  bool FFreeStream = true;
  TStream* FStream;
  int64_t FStreamPos;
  int64_t FStreamSize;
};
