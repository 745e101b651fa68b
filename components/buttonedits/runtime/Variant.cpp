#include "components/buttonedits/runtime/Variant.h"

Variant Variant::String(const AnsiString& s) {
  Variant v;
  v.FType = varString;
  v.FString = s;
  return v;
}

Variant Variant::OleStr(const WideString& s) {
  Variant v;
  v.FType = varOleStr;
  v.FWide = s;
  return v;
}

Variant Variant::Array(std::vector<Variant> items) {
  Variant v;
  v.FType = static_cast<TVarType>(varArray | 12);
  v.FItems = std::move(items);
  return v;
}

AnsiString Variant::AsString() const {
  if (FType == varOleStr) return WideToAnsi(FWide);
  return FString;
}
