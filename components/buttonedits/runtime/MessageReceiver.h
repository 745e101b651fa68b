#pragma once
// Objects that take messages by number: the window-hook objects and the
// receivers of broadcasts dispatch what they are handed to their handlers.
#include <cstdint>

struct TDCMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

class TMessageReceiver {
 public:
  virtual ~TMessageReceiver() = default;
  // Handles the message when it knows it; a non-zero Result answers it.
  virtual void Dispatch(TDCMessage& message) = 0;
};
