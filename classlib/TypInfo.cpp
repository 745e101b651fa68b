#include "classlib/TypInfo.h"

#include "classlib/Component.h"
#include "classlib/Format.h"

#include <map>

namespace {

constexpr const char* kBoolNames[] = {"False", "True"};

const TTypeInfo kInteger{tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX};
const TTypeInfo kCardinal{tkInteger, "Cardinal", otULong, 0, UINT32_MAX};
const TTypeInfo kSmallint{tkInteger, "Smallint", otSWord, INT16_MIN, INT16_MAX};
const TTypeInfo kWord{tkInteger, "Word", otUWord, 0, UINT16_MAX};
const TTypeInfo kByte{tkInteger, "Byte", otUByte, 0, UINT8_MAX};
const TTypeInfo kInt64{tkInt64, "Int64", otSQWord, INT64_MIN, INT64_MAX};
const TTypeInfo kChar{tkChar, "Char", otUByte, 0, 255};
const TTypeInfo kWideChar{tkWChar, "WideChar", otUWord, 0, 65535};
const TTypeInfo kBoolean{tkEnumeration, "Boolean", otUByte, 0, 1, kBoolNames};
const TTypeInfo kSingle{tkFloat, "Single", otSLong, 0, 0, nullptr, nullptr, ftSingle};
const TTypeInfo kDouble{tkFloat, "Double", otSLong, 0, 0, nullptr, nullptr, ftDouble};
const TTypeInfo kExtended{tkFloat, "Extended", otSLong, 0, 0, nullptr, nullptr, ftExtended};
const TTypeInfo kCurrency{tkFloat, "Currency", otSLong, 0, 0, nullptr, nullptr, ftCurr};
const TTypeInfo kDateTime{tkFloat, "TDateTime", otSLong, 0, 0, nullptr, nullptr, ftDate};
const TTypeInfo kAnsiString{tkLString, "AnsiString"};
const TTypeInfo kWideString{tkWString, "WideString"};
constexpr TParamData kNotifyParams[] = {{0, "Sender", "TObject"}};
const TTypeInfo kNotifyEvent = MethodTypeInfo("TNotifyEvent", mkProcedure, kNotifyParams);

[[noreturn]] void WrongKind(const TPropInfo& prop) {
  throw EPropertyConvertError(Format("Ungültiger Eigenschaftstyp: %s", prop.Name));
}

bool IsOrdinal(TTypeKind k) {
  return k == tkInteger || k == tkChar || k == tkEnumeration || k == tkSet || k == tkWChar || k == tkInt64;
}

std::map<AnsiString, const TClassInfo*>& Registry() {
  static std::map<AnsiString, const TClassInfo*> classes;
  return classes;
}

}  // namespace

const TTypeInfo& TypeInfoInteger() { return kInteger; }
const TTypeInfo& TypeInfoCardinal() { return kCardinal; }
const TTypeInfo& TypeInfoSmallint() { return kSmallint; }
const TTypeInfo& TypeInfoWord() { return kWord; }
const TTypeInfo& TypeInfoByte() { return kByte; }
const TTypeInfo& TypeInfoInt64() { return kInt64; }
const TTypeInfo& TypeInfoChar() { return kChar; }
const TTypeInfo& TypeInfoWideChar() { return kWideChar; }
const TTypeInfo& TypeInfoBoolean() { return kBoolean; }
const TTypeInfo& TypeInfoSingle() { return kSingle; }
const TTypeInfo& TypeInfoDouble() { return kDouble; }
const TTypeInfo& TypeInfoExtended() { return kExtended; }
const TTypeInfo& TypeInfoCurrency() { return kCurrency; }
const TTypeInfo& TypeInfoDateTime() { return kDateTime; }
const TTypeInfo& TypeInfoAnsiString() { return kAnsiString; }
const TTypeInfo& TypeInfoWideString() { return kWideString; }
const TTypeInfo& TypeInfoNotifyEvent() { return kNotifyEvent; }

void typinfo_detail::WrongHandler(const char* method) {
  throw EPropertyConvertError(Format("Ungültiger Eigenschaftswert: %s", method ? method : ""));
}

bool InheritsFrom(const TClassInfo& cls, const TClassInfo& ancestor) {
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    if (c == &ancestor) return true;
  return false;
}

bool InheritsFromName(const TClassInfo& cls, const AnsiString& className) {
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    if (AnsiCompareText(c->ClassName, className) == 0) return true;
  return false;
}

bool IsComponentClass(const TClassInfo& cls) { return InheritsFrom(cls, TComponent::Info); }

std::vector<const TPropInfo*> GetPropList(const TClassInfo& cls, TTypeKinds kinds) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &cls; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->Props)
      if (kinds & (1u << p.Kind())) out.push_back(&p);
  return out;
}

std::vector<const TPropInfo*> GetPropList(const TObject& instance, TTypeKinds kinds) {
  return GetPropList(instance.ClassInfo(), kinds);
}

const TPropInfo* GetPropInfo(const TClassInfo& cls, const AnsiString& name) {
  // A derived class's property hides an ancestor's of the same name.
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    for (const TPropInfo& p : c->Props)
      if (AnsiCompareText(p.Name, name) == 0) return &p;
  return nullptr;
}

const TPropInfo* GetPropInfo(const TObject& instance, const AnsiString& name) {
  return GetPropInfo(instance.ClassInfo(), name);
}

bool IsStoredProp(const TObject& instance, const TPropInfo& prop) {
  return !prop.Stored || prop.Stored(instance);
}

int64_t GetOrdProp(const TObject& instance, const TPropInfo& prop) {
  if (!IsOrdinal(prop.Kind()) || !prop.GetOrd) WrongKind(prop);
  return prop.GetOrd(instance);
}

void SetOrdProp(TObject& instance, const TPropInfo& prop, int64_t value) {
  if (!IsOrdinal(prop.Kind()) || !prop.SetOrd) WrongKind(prop);
  prop.SetOrd(instance, value);
}

double GetFloatProp(const TObject& instance, const TPropInfo& prop) {
  if (prop.Kind() != tkFloat || !prop.GetFloat) WrongKind(prop);
  return prop.GetFloat(instance);
}

void SetFloatProp(TObject& instance, const TPropInfo& prop, double value) {
  if (prop.Kind() != tkFloat || !prop.SetFloat) WrongKind(prop);
  prop.SetFloat(instance, value);
}

AnsiString GetStrProp(const TObject& instance, const TPropInfo& prop) {
  if (prop.GetStr) return prop.GetStr(instance);
  if (prop.GetWStr) return WideToAnsi(prop.GetWStr(instance));
  WrongKind(prop);
}

void SetStrProp(TObject& instance, const TPropInfo& prop, const AnsiString& value) {
  if (prop.SetStr)
    prop.SetStr(instance, value);
  else if (prop.SetWStr)
    prop.SetWStr(instance, AnsiToWide(value));
  else
    WrongKind(prop);
}

WideString GetWideStrProp(const TObject& instance, const TPropInfo& prop) {
  if (prop.GetWStr) return prop.GetWStr(instance);
  if (prop.GetStr) return AnsiToWide(prop.GetStr(instance));
  WrongKind(prop);
}

void SetWideStrProp(TObject& instance, const TPropInfo& prop, const WideString& value) {
  if (prop.SetWStr)
    prop.SetWStr(instance, value);
  else if (prop.SetStr)
    prop.SetStr(instance, WideToAnsi(value));
  else
    WrongKind(prop);
}

TPersistent* GetObjectProp(const TObject& instance, const TPropInfo& prop) {
  if (prop.Kind() != tkClass || !prop.GetObj) WrongKind(prop);
  return prop.GetObj(instance);
}

void SetObjectProp(TObject& instance, const TPropInfo& prop, TPersistent* value) {
  if (prop.Kind() != tkClass || !prop.GetObj) WrongKind(prop);
  const TClassInfo* want = prop.PropType->ClassType;
  if (value && want && !InheritsFrom(value->ClassInfo(), *want))
    throw EPropertyConvertError(Format("Ungültiger Eigenschaftswert: %s", prop.Name));
  if (prop.SetObj) {
    prop.SetObj(instance, value);
  } else if (value) {
    TPersistent* own = prop.GetObj(instance);
    if (own && own != value) own->Assign(*value);
  }
}

std::vector<const TEventInfo*> GetEventList(const TClassInfo& cls) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &cls; c; c = c->Parent) chain.push_back(c);
  std::vector<const TEventInfo*> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TEventInfo& e : (*it)->Events) out.push_back(&e);
  return out;
}

const TEventInfo* GetEventInfo(const TClassInfo& cls, const AnsiString& name) {
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    for (const TEventInfo& e : c->Events)
      if (AnsiCompareText(e.Name, name) == 0) return &e;
  return nullptr;
}

const TEventInfo* GetEventInfo(const TObject& instance, const AnsiString& name) {
  return GetEventInfo(instance.ClassInfo(), name);
}

TMethod GetMethodProp(const TObject& instance, const TEventInfo& event) {
  return event.GetMethod ? event.GetMethod(instance) : TMethod{};
}

void SetMethodProp(TObject& instance, const TEventInfo& event, const TMethod& method) {
  if (!event.SetMethod) throw EPropertyConvertError(Format("Ungültiger Eigenschaftstyp: %s", event.Name));
  event.SetMethod(instance, method);
}

const TMethodEntry* MethodAddress(const TClassInfo& cls, const AnsiString& name) {
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    for (const TMethodEntry& m : c->Methods)
      if (AnsiCompareText(m.Name, name) == 0) return &m;
  return nullptr;
}

AnsiString MethodName(const TClassInfo& cls, const TMethodEntry* code) {
  if (!code) return AnsiString();
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    for (const TMethodEntry& m : c->Methods)
      if (&m == code) return m.Name;
  return AnsiString();
}

AnsiString GetEnumName(const TTypeInfo& type, int64_t value) {
  if (type.Kind != tkEnumeration || !type.EnumNames || value < type.MinValue || value > type.MaxValue)
    return AnsiString();
  return type.EnumNames[value];
}

int64_t GetEnumValue(const TTypeInfo& type, const AnsiString& name) {
  if (type.Kind != tkEnumeration || !type.EnumNames) return -1;
  for (int64_t v = type.MinValue; v <= type.MaxValue; ++v)
    if (AnsiCompareText(type.EnumNames[v], name) == 0) return v;
  return -1;
}

AnsiString SetToString(const TTypeInfo& setType, int64_t value, bool brackets) {
  AnsiString out;
  const TTypeInfo* comp = setType.CompType;
  if (comp)
    for (int64_t v = comp->MinValue; v <= comp->MaxValue && v < 64; ++v) {
      if (!(static_cast<uint64_t>(value) >> v & 1u)) continue;
      if (!out.empty()) out += ',';
      out += GetEnumName(*comp, v);
    }
  return brackets ? "[" + out + "]" : out;
}

int64_t StringToSet(const TTypeInfo& setType, const AnsiString& text) {
  uint64_t result = 0;
  AnsiString s = text;
  if (!s.empty() && s.front() == '[') s.erase(0, 1);
  if (!s.empty() && s.back() == ']') s.pop_back();
  size_t at = 0;
  while (at <= s.size()) {
    size_t end = s.find(',', at);
    if (end == AnsiString::npos) end = s.size();
    AnsiString name = s.substr(at, end - at);
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (!name.empty()) {
      const int64_t v = setType.CompType ? GetEnumValue(*setType.CompType, name) : -1;
      if (v < 0 || v >= 64) throw EPropertyConvertError(Format("Ungültiger Eigenschaftswert: %s", name.c_str()));
      result |= uint64_t(1) << v;
    }
    at = end + 1;
  }
  return static_cast<int64_t>(result);
}

bool RegisterStreamClass(const TClassInfo& cls) {
  return Registry().emplace(AnsiUpperCase(cls.ClassName), &cls).second;
}

void UnRegisterStreamClass(const TClassInfo& cls) {
  auto it = Registry().find(AnsiUpperCase(cls.ClassName));
  if (it != Registry().end() && it->second == &cls) Registry().erase(it);
}

const TClassInfo* GetClass(const AnsiString& className) {
  auto it = Registry().find(AnsiUpperCase(className));
  return it == Registry().end() ? nullptr : it->second;
}
