#pragma once
// The record a trace message leaves in the shared block that a monitor
// program reads: 260 bytes, little-endian, no padding.
//
//   offset 0   int32  kind (0 information, 1 warning, 2 error)
//   offset 4   int32  the sender's integer argument
//   offset 8   char[252] text, zero-terminated, at most 250 characters
#include <array>
#include <cstdint>

#include "classlib/AnsiString.h"

enum TMonitorKind : int32_t { mkInfo = 0, mkWarning = 1, mkError = 2 };

struct TTagMonitorRecord {
  static constexpr size_t Size = 260;
  static constexpr size_t KindOffset = 0;
  static constexpr size_t ValueOffset = 4;
  static constexpr size_t TextOffset = 8;
  static constexpr size_t MaxText = 250;
  using Bytes = std::array<uint8_t, Size>;

  // The whole record for one message; a longer text is cut to MaxText.
  static Bytes Encode(TMonitorKind kind, int32_t value, const AnsiString& text);
  // The monitor's side: kind, value and text of a record.
  static void Decode(const Bytes& bytes, int32_t& kind, int32_t& value, AnsiString& text);
};
static_assert(TTagMonitorRecord::TextOffset + TTagMonitorRecord::MaxText + 2 ==
                  TTagMonitorRecord::Size,
              "the text field holds 250 characters, the terminator and one spare byte");
