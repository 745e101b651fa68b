#include "components/edits/TagMonitorRecord.h"

#include <algorithm>
#include <cstring>

namespace {

void putInt32(uint8_t* p, int32_t v) {
  auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t getInt32(const uint8_t* p) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
  return static_cast<int32_t>(u);
}

}  // namespace

TTagMonitorRecord::Bytes TTagMonitorRecord::Encode(TMonitorKind kind, int32_t value,
                                                   const AnsiString& text) {
  Bytes b{};
  putInt32(b.data() + KindOffset, kind);
  putInt32(b.data() + ValueOffset, value);
  size_t n = std::min(text.size(), MaxText);
  std::memcpy(b.data() + TextOffset, text.data(), n);
  b[TextOffset + n] = 0;
  return b;
}

void TTagMonitorRecord::Decode(const Bytes& b, int32_t& kind, int32_t& value, AnsiString& text) {
  kind = getInt32(b.data() + KindOffset);
  value = getInt32(b.data() + ValueOffset);
  const char* t = reinterpret_cast<const char*>(b.data() + TextOffset);
  text.assign(t, strnlen(t, Size - TextOffset));
}
