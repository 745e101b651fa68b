#pragma once
// A value of one of the automation kinds, as the runtime's stacks and
// registry helpers pass them around.
#include "classlib/AnsiString.h"

#include <cstdint>
#include <memory>
#include <vector>

enum TVarType : uint16_t {
  varEmpty = 0,
  varNull = 1,
  varSmallint = 2,
  varInteger = 3,
  varSingle = 4,
  varDouble = 5,
  varCurrency = 6,
  varDate = 7,
  varOleStr = 8,
  varBoolean = 11,
  varByte = 17,
  varString = 0x100,
  varArray = 0x2000,
  varByRef = 0x4000,
};

class Variant {
 public:
  Variant() = default;
  static Variant Smallint(int16_t v) { return Make(varSmallint, v, 0); }
  static Variant Integer(int32_t v) { return Make(varInteger, v, 0); }
  static Variant Byte(uint8_t v) { return Make(varByte, v, 0); }
  static Variant Single(float v) { return Make(varSingle, 0, v); }
  static Variant Double(double v) { return Make(varDouble, 0, v); }
  // A currency in units of 1/10,000.
  static Variant Currency(int64_t scaled) { return Make(varCurrency, scaled, 0); }
  // Days since 30 December 1899, the fraction the time of day.
  static Variant Date(double days) { return Make(varDate, 0, days); }
  static Variant Boolean(bool v) { return Make(varBoolean, v ? 1 : 0, 0); }
  // An address held by reference (routines, objects).
  static Variant Pointer(const void* p) { return Make(varByRef, reinterpret_cast<intptr_t>(p), 0); }
  static Variant String(const AnsiString& s);
  static Variant OleStr(const WideString& s);
  static Variant Array(std::vector<Variant> items);

  TVarType VarType() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  int64_t AsInt() const { return FInt; }
  double AsFloat() const { return FFloat; }
  bool AsBool() const { return FInt != 0; }
  void* AsPointer() const { return reinterpret_cast<void*>(static_cast<intptr_t>(FInt)); }
  // The text of a string kind (a wide string through Windows-1252).
  AnsiString AsString() const;
  // The text of a string kind as UTF-16 (an 8-bit string through
  // Windows-1252).
  WideString AsWideString() const { return FType == varOleStr ? FWide : AnsiToWide(FString); }
  const std::vector<Variant>& Items() const { return FItems; }
  void Clear() { *this = Variant(); }
  bool operator==(const Variant&) const = default;

 private:
  static Variant Make(TVarType type, int64_t i, double f) {
    Variant v;
    v.FType = type;
    v.FInt = i;
    v.FFloat = f;
    return v;
  }
  TVarType FType = varEmpty;
  int64_t FInt = 0;
  double FFloat = 0;
  AnsiString FString;
  WideString FWide;
  std::vector<Variant> FItems;
};
