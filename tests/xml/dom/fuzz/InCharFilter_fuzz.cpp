// Fuzz target for the input filter's decoding (libFuzzer; a CMake target
// of the clang tree that tools/fuzz.sh and the test command build and run).
//
// The first byte chooses the buffer size, a format switch after creation
// and whether literals are tried on the way; the rest is the document. Any
// failure must be an EXpFilterError; every character handed out must be an
// XML character; lines must match the line feeds read; and the characters
// must survive a round trip through the output filter in the same format.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/Stream.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpInCharFilter.h"
#include "xml/dom/XpOutCharFilter.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

TStream* StreamOf(const uint8_t* data, size_t size) {
  auto* s = new TMemoryStream;
  s->WriteBuffer(data, static_cast<int32_t>(size));
  s->SetPosition(0);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1 << 20)) return 0;
  const uint8_t ctl = data[0];
  static constexpr int32_t kSizes[4] = {1, 64, 300, 8192};
  const int32_t bufferSize = kSizes[ctl & 3];
  const bool switchFormat = ctl & 0x10;
  const auto newFormat = static_cast<TXpStreamFormat>((ctl >> 2) & 3);
  const bool tryLiterals = ctl & 0x20;

  std::u32string chars;
  TXpStreamFormat format;
  int32_t lines = 1;
  try {
    TXpInCharFilter in(StreamOf(data + 1, size - 1), bufferSize);
    if (switchFormat) in.csSetFormat(newFormat);
    format = in.Format();
    for (size_t step = 0;; ++step) {
      if (tryLiterals && step % 3 == 0) {
        static const std::u32string kLiterals[] = {U"<!--", U"\n", U"?>", U"\U0001F600a"};
        const std::u32string& lit = kLiterals[step / 3 % 4];
        const int32_t line = in.Line(), col = in.LinePos();
        if (in.TryRead(lit)) {
          chars += lit;
          continue;
        }
        Check(in.Line() == line && in.LinePos() == col);
      }
      const char32_t c = in.ReadAndSkipChar();
      if (c == TXpInCharFilter::EndOfInput) break;
      Check(XPIsChar(c));
      chars += c;
    }
    Check(in.IsEOF());
    lines = in.Line();
  } catch (const EXpFilterError&) {
    return 0;
  }
  int32_t feeds = 1;
  for (char32_t c : chars) {
    Check(c != 0xD);
    if (c == 0xA) ++feeds;
  }
  Check(feeds == lines);

  // Round trip in the detected format.
  TMemoryStream out;
  {
    TXpOutCharFilter w(&out, 64);
    w.csSetFormat(format);
    for (char32_t c : chars) w.PutUCS4Char(c);
    w.Flush();
  }
  if (format == sfISO88591) {
    // No mark to read it back by: compare the bytes themselves.
    Check(out.Size() == static_cast<int64_t>(chars.size()));
    const auto* bytes = static_cast<const uint8_t*>(out.Memory());
    for (size_t i = 0; i < chars.size(); ++i) Check(bytes[i] == chars[i]);
    return 0;
  }
  out.SetPosition(0);
  auto* copy = new TMemoryStream;
  copy->CopyFrom(out, 0);
  copy->SetPosition(0);
  TXpInCharFilter back(copy, 8192);
  std::u32string again;
  for (char32_t c = back.ReadAndSkipChar(); c != TXpInCharFilter::EndOfInput; c = back.ReadAndSkipChar()) again += c;
  Check(again == chars);
  return 0;
}
