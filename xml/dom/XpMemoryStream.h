#pragma once
// Memory stream of the XML library: can also read an outside buffer.
#include "classlib/Stream.h"

class TXpMemoryStream : public TMemoryStream {
 public:
  // Reads `size` bytes at `ptr` without owning them; only on a stream that
  // holds no memory of its own (EStreamError otherwise).
  using TMemoryStream::SetPointer;
};
