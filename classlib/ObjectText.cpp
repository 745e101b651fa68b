#include "classlib/ObjectText.h"

#include "classlib/Exception.h"
#include "classlib/Filer.h"
#include "classlib/Format.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

// --- binary to text ---------------------------------------------------------

namespace {

constexpr int32_t kMaxNesting = 256;

class BinaryToText {
 public:
  BinaryToText(TStream& input, TStream& output) : FReader(input), FOut(output) {}

  void Run() {
    FReader.ReadSignature();
    Object(0);
  }

 private:
  void Put(const AnsiString& s) { FOut.WriteBuffer(s.data(), static_cast<int32_t>(s.size())); }
  void Line(int32_t indent, const AnsiString& s) { Put(AnsiString(static_cast<size_t>(indent) * 2, ' ') + s + "\r\n"); }

  void Object(int32_t indent) {
    if (indent / 2 > kMaxNesting) throw EReadError("Ungültiges Stream-Format");
    const AnsiString cls = FReader.ReadStr();
    const AnsiString name = FReader.ReadStr();
    Line(indent, name.empty() ? "object " + cls : "object " + name + ": " + cls);
    Properties(indent + 1);
    while (!FReader.EndOfList()) Object(indent + 1);
    FReader.ReadValue();
    Line(indent, "end");
  }

  void Properties(int32_t indent) {
    while (!FReader.EndOfList()) {
      const AnsiString name = FReader.ReadStr();
      Put(AnsiString(static_cast<size_t>(indent) * 2, ' ') + name + " = ");
      Value(indent);
      Put("\r\n");
    }
    FReader.ReadValue();
  }

  static AnsiString Quoted(const WideString& s) {
    AnsiString out;
    bool inQuote = false;
    for (char16_t c : s) {
      unsigned char b = 0;
      const bool plain = c >= 32 && c != 127 && WideCharToAnsi(c, b) && !(c >= 0x80 && c < 0xA0 && b == c);
      if (plain) {
        if (!inQuote) out += '\'';
        inQuote = true;
        out += static_cast<char>(b);
        if (b == '\'') out += '\'';
      } else {
        if (inQuote) out += '\'';
        inQuote = false;
        out += Format("#%u", static_cast<unsigned>(c));
      }
    }
    if (inQuote) out += '\'';
    return out.empty() ? "''" : out;
  }

  static AnsiString FloatText(double v, char suffix) {
    AnsiString s = Format("%.17g", v);
    if (s.find_first_of(".eEni") == AnsiString::npos) s += ".0";
    if (suffix) s += suffix;
    return s;
  }

  void Value(int32_t indent) {
    if (indent > kMaxNesting) throw EReadError("Ungültiges Stream-Format");
    switch (FReader.NextValue()) {
      case vaList:
        FReader.ReadValue();
        Put("(");
        while (!FReader.EndOfList()) {
          Put("\r\n" + AnsiString(static_cast<size_t>(indent + 1) * 2, ' '));
          Value(indent + 1);
        }
        FReader.ReadValue();
        Put(")");
        return;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        Put(Format("%lld", static_cast<long long>(FReader.ReadInt64())));
        return;
      case vaExtended:
        Put(FloatText(FReader.ReadFloat(), 0));
        return;
      case vaSingle:
        Put(FloatText(static_cast<float>(FReader.ReadFloat()), 's'));
        return;
      case vaCurrency:
        Put(FloatText(FReader.ReadFloat(), 'c'));
        return;
      case vaDate:
        Put(FloatText(FReader.ReadFloat(), 'd'));
        return;
      case vaString:
      case vaLString:
        Put(Quoted(AnsiToWide(FReader.ReadString())));
        return;
      case vaWString: {
        const WideString w = FReader.ReadWideString();
        Put(Quoted(w));
        return;
      }
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
        Put(FReader.ReadIdent());
        return;
      case vaBinary: {
        FReader.ReadValue();
        uint8_t len[4];
        FReader.Stream().ReadBuffer(len, 4);
        const uint32_t n = uint32_t(len[0]) | uint32_t(len[1]) << 8 | uint32_t(len[2]) << 16 | uint32_t(len[3]) << 24;
        if (static_cast<int64_t>(n) > FReader.Stream().Size() - FReader.Stream().Position())
          throw EReadError("Ungültiges Stream-Format");
        Put("{");
        for (uint32_t i = 0; i < n; ++i) {
          if (i % 32 == 0) Put("\r\n" + AnsiString(static_cast<size_t>(indent + 1) * 2, ' '));
          uint8_t b;
          FReader.Stream().ReadBuffer(&b, 1);
          Put(Format("%02X", b));
        }
        Put("}");
        return;
      }
      case vaSet: {
        FReader.ReadValue();
        AnsiString out = "[";
        for (AnsiString e = FReader.ReadStr(); !e.empty(); e = FReader.ReadStr()) {
          if (out.size() > 1) out += ", ";
          out += e;
        }
        Put(out + "]");
        return;
      }
      case vaCollection:
        FReader.ReadValue();
        Put("<");
        while (!FReader.EndOfList()) {
          const TValueType next = FReader.NextValue();
          if (next == vaInt8 || next == vaInt16 || next == vaInt32) FReader.ReadInteger();
          FReader.ReadListBegin();
          Put("\r\n");
          Line(indent + 1, "item");
          Properties(indent + 2);
          Put(AnsiString(static_cast<size_t>(indent + 1) * 2, ' ') + "end");
        }
        FReader.ReadValue();
        Put(">");
        return;
      default:
        throw EReadError("Ungültiges Stream-Format");
    }
  }

  TReader FReader;
  TStream& FOut;
};

// --- text to binary ---------------------------------------------------------

enum class Tok { End, Symbol, Name, Integer, Float, String };

class TextToBinary {
 public:
  TextToBinary(TStream& input, TStream& output) : FWriter(output) {
    const int64_t size = input.Size() - input.Position();
    FText.resize(static_cast<size_t>(size));
    if (size) input.ReadBuffer(FText.data(), static_cast<int32_t>(size));
    Next();
  }

  void Run() {
    FWriter.WriteSignature();
    Object(0);
  }

 private:
  [[noreturn]] void Fail(const char* what) {
    throw EParserError(Format("%s in Zeile %d", what, FLine));
  }

  void Next() {
    while (FAt < FText.size() && static_cast<unsigned char>(FText[FAt]) <= ' ') {
      if (FText[FAt] == '\n') ++FLine;
      ++FAt;
    }
    FToken.clear();
    FWide.clear();
    if (FAt >= FText.size()) {
      FTok = Tok::End;
      return;
    }
    const char c = FText[FAt];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      while (FAt < FText.size() && (std::isalnum(static_cast<unsigned char>(FText[FAt])) || FText[FAt] == '_' ||
                                    FText[FAt] == '.'))
        FToken += FText[FAt++];
      FTok = Tok::Name;
    } else if (std::isdigit(static_cast<unsigned char>(c)) || ((c == '-' || c == '+') && FAt + 1 < FText.size() &&
                                                               std::isdigit(static_cast<unsigned char>(FText[FAt + 1])))) {
      FToken += FText[FAt++];
      FTok = Tok::Integer;
      while (FAt < FText.size()) {
        const char d = FText[FAt];
        if (std::isdigit(static_cast<unsigned char>(d))) {
          FToken += d;
        } else if (d == '.' || d == 'e' || d == 'E' ||
                   ((d == '-' || d == '+') && (FToken.back() == 'e' || FToken.back() == 'E'))) {
          FToken += d;
          FTok = Tok::Float;
        } else {
          break;
        }
        ++FAt;
      }
      FSuffix = 0;
      if (FAt < FText.size() && (FText[FAt] == 's' || FText[FAt] == 'c' || FText[FAt] == 'd' ||
                                 FText[FAt] == 'S' || FText[FAt] == 'C' || FText[FAt] == 'D')) {
        FSuffix = static_cast<char>(std::tolower(static_cast<unsigned char>(FText[FAt++])));
        FTok = Tok::Float;
      }
    } else if (c == '\'' || c == '#') {
      FTok = Tok::String;
      for (;;) {
        if (FAt < FText.size() && FText[FAt] == '\'') {
          ++FAt;
          for (;;) {
            if (FAt >= FText.size() || FText[FAt] == '\n') Fail("Zeichenkette nicht beendet");
            if (FText[FAt] == '\'') {
              if (FAt + 1 < FText.size() && FText[FAt + 1] == '\'') {
                FWide += u'\'';
                FAt += 2;
                continue;
              }
              ++FAt;
              break;
            }
            FWide += AnsiCharToWide(static_cast<unsigned char>(FText[FAt++]));
          }
        } else if (FAt < FText.size() && FText[FAt] == '#') {
          ++FAt;
          uint32_t code = 0;
          size_t digits = 0;
          while (FAt < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FAt]))) {
            code = code * 10 + static_cast<uint32_t>(FText[FAt++] - '0');
            if (++digits > 5 || code > 0xFFFF) Fail("Ungültiges Zeichen");
          }
          if (!digits) Fail("Ungültiges Zeichen");
          FWide += static_cast<char16_t>(code);
        } else {
          // 'a' + 'b' continues the text on the next line.
          size_t at = FAt;
          int32_t lines = 0;
          while (at < FText.size() && static_cast<unsigned char>(FText[at]) <= ' ') lines += FText[at++] == '\n';
          if (at < FText.size() && FText[at] == '+') {
            ++at;
            while (at < FText.size() && static_cast<unsigned char>(FText[at]) <= ' ') lines += FText[at++] == '\n';
            if (at < FText.size() && (FText[at] == '\'' || FText[at] == '#')) {
              FAt = at;
              FLine += lines;
              continue;
            }
          }
          break;
        }
      }
    } else {
      FToken = AnsiString(1, c);
      ++FAt;
      FTok = Tok::Symbol;
    }
  }

  bool IsSymbol(char c) const { return FTok == Tok::Symbol && FToken[0] == c; }
  bool IsName(const char* n) const { return FTok == Tok::Name && AnsiCompareText(FToken, n) == 0; }
  void Expect(char c) {
    if (!IsSymbol(c)) Fail(Format("'%c' erwartet", c).c_str());
    Next();
  }
  AnsiString Name() {
    if (FTok != Tok::Name) Fail("Bezeichner erwartet");
    AnsiString n = FToken;
    Next();
    return n;
  }

  void Object(int32_t depth) {
    if (depth > kMaxNesting) Fail("Zu tief verschachtelt");
    if (!IsName("object") && !IsName("inherited") && !IsName("inline")) Fail("'object' erwartet");
    Next();
    AnsiString name = Name();
    AnsiString cls;
    if (IsSymbol(':')) {
      Next();
      cls = Name();
    } else {
      cls = name;
      name.clear();
    }
    FWriter.WriteStr(cls);
    FWriter.WriteStr(name);
    while (!IsName("object") && !IsName("inherited") && !IsName("inline") && !IsName("end")) Property(depth);
    FWriter.WriteListEnd();
    while (!IsName("end")) Object(depth + 1);
    FWriter.WriteListEnd();
    Next();
  }

  void Property(int32_t depth) {
    const AnsiString name = Name();
    FWriter.WriteStr(name);
    Expect('=');
    Value(depth);
  }

  void Value(int32_t depth) {
    if (depth > kMaxNesting) Fail("Zu tief verschachtelt");
    switch (FTok) {
      case Tok::Integer: {
        errno = 0;
        char* end = nullptr;
        const long long v = std::strtoll(FToken.c_str(), &end, 10);
        if (errno || *end) Fail("Ungültige Zahl");
        FWriter.WriteInteger(v);
        Next();
        return;
      }
      case Tok::Float: {
        char* end = nullptr;
        const double v = std::strtod(FToken.c_str(), &end);
        if (*end) Fail("Ungültige Zahl");
        if (FSuffix == 's')
          FWriter.WriteSingle(static_cast<float>(v));
        else if (FSuffix == 'c')
          FWriter.WriteCurrency(v);
        else if (FSuffix == 'd')
          FWriter.WriteDate(v);
        else
          FWriter.WriteFloat(v);
        Next();
        return;
      }
      case Tok::String: {
        bool wide = false;
        for (char16_t c : FWide) {
          unsigned char b;
          wide |= !WideCharToAnsi(c, b);
        }
        if (wide)
          FWriter.WriteWideString(FWide);
        else
          FWriter.WriteString(WideToAnsi(FWide));
        Next();
        return;
      }
      case Tok::Name:
        FWriter.WriteIdent(FToken);
        Next();
        return;
      case Tok::Symbol:
        break;
      case Tok::End:
        Fail("Wert erwartet");
    }
    const char c = FToken[0];
    Next();
    if (c == '[') {
      FWriter.WriteValue(vaSet);
      while (!IsSymbol(']')) {
        FWriter.WriteStr(Name());
        if (IsSymbol(',')) Next();
        else if (!IsSymbol(']')) Fail("']' erwartet");
      }
      FWriter.WriteStr(AnsiString());
      Next();
    } else if (c == '(') {
      FWriter.WriteListBegin();
      while (!IsSymbol(')')) Value(depth + 1);
      FWriter.WriteListEnd();
      Next();
    } else if (c == '{') {
      AnsiString hex;
      while (FAt < FText.size() && FText[FAt] != '}') {
        const char h = FText[FAt++];
        if (h == '\n') ++FLine;
        if (static_cast<unsigned char>(h) > ' ') hex += h;
      }
      if (FAt >= FText.size() || hex.size() % 2) Fail("Ungültige Binärdaten");
      ++FAt;
      std::vector<uint8_t> bytes;
      for (size_t i = 0; i < hex.size(); i += 2) {
        const auto digit = [&](char h) -> int {
          if (h >= '0' && h <= '9') return h - '0';
          if (h >= 'A' && h <= 'F') return h - 'A' + 10;
          if (h >= 'a' && h <= 'f') return h - 'a' + 10;
          Fail("Ungültige Binärdaten");
        };
        bytes.push_back(static_cast<uint8_t>(digit(hex[i]) << 4 | digit(hex[i + 1])));
      }
      FWriter.WriteBinary(bytes.data(), static_cast<int32_t>(bytes.size()));
      Next();
    } else if (c == '<') {
      FWriter.WriteValue(vaCollection);
      while (!IsSymbol('>')) {
        if (!IsName("item")) Fail("'item' erwartet");
        Next();
        FWriter.WriteListBegin();
        while (!IsName("end")) Property(depth + 1);
        FWriter.WriteListEnd();
        Next();
      }
      FWriter.WriteListEnd();
      Next();
    } else {
      Fail("Wert erwartet");
    }
  }

  TWriter FWriter;
  AnsiString FText;
  size_t FAt = 0;
  int32_t FLine = 1;
  Tok FTok = Tok::End;
  AnsiString FToken;
  WideString FWide;
  char FSuffix = 0;
};

}  // namespace

void ObjectBinaryToText(TStream& input, TStream& output) { BinaryToText(input, output).Run(); }

void ObjectTextToBinary(TStream& input, TStream& output) { TextToBinary(input, output).Run(); }
