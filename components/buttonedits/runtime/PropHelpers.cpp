#include "components/buttonedits/runtime/PropHelpers.h"

#include "classlib/Component.h"
#include "classlib/Exception.h"
#include "classlib/Format.h"
#include "components/buttonedits/runtime/LibHelpers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool IsOrdinalKind(TTypeKind k) {
  return k == tkInteger || k == tkChar || k == tkEnumeration || k == tkSet || k == tkWChar || k == tkInt64;
}

bool IsBoolean(const TTypeInfo& type) {
  return type.Kind == tkEnumeration && type.Name && std::strcmp(type.Name, "Boolean") == 0;
}

bool IsNumber(const Variant& v) {
  switch (v.VarType()) {
    case varSmallint:
    case varInteger:
    case varByte:
    case varBoolean:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
      return true;
    default:
      return false;
  }
}

bool IsText(const Variant& v) { return v.VarType() == varString || v.VarType() == varOleStr; }

double NumberOf(const Variant& v) {
  switch (v.VarType()) {
    case varSingle:
    case varDouble:
    case varDate:
      return v.AsFloat();
    case varCurrency:
      return static_cast<double>(v.AsInt()) / 10000.0;
    default:
      return static_cast<double>(v.AsInt());
  }
}

[[noreturn]] void CannotConvert(const TPropInfo& prop) {
  throw EConvertError(Format("Ungültiger Wert für die Eigenschaft %s", prop.Name));
}

bool ParseInt(const AnsiString& text, int64_t& out) {
  const AnsiString t = TrimText(text);
  if (t.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(t.c_str(), &end, 10);
  if (errno || *end) return false;
  out = v;
  return true;
}

bool ParseFloat(const AnsiString& text, double& out) {
  AnsiString t = TrimText(text);
  if (t.empty()) return false;
  for (char& c : t)
    if (c == ',') c = '.';
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (*end) return false;
  out = v;
  return true;
}

AnsiString NumberText(const Variant& v) {
  switch (v.VarType()) {
    case varSingle:
    case varDouble:
    case varDate:
    case varCurrency:
      return Format("%.15g", NumberOf(v));
    case varBoolean:
      return v.AsBool() ? "True" : "False";
    default:
      return Format("%lld", static_cast<long long>(v.AsInt()));
  }
}

int64_t OrdinalOf(const TPropInfo& prop, const Variant& value) {
  const TTypeInfo& type = *prop.PropType;
  if (IsNumber(value)) {
    const double d = NumberOf(value);
    if (IsBoolean(type)) return d != 0 ? 1 : 0;
    return static_cast<int64_t>(d);
  }
  if (!IsText(value)) CannotConvert(prop);
  const AnsiString text = TrimText(value.AsString());
  int64_t v = 0;
  switch (type.Kind) {
    case tkEnumeration:
      v = GetEnumValue(type, text);
      if (v < 0 && !ParseInt(text, v)) CannotConvert(prop);
      return v;
    case tkSet:
      if (ParseInt(text, v)) return v;
      try {
        return StringToSet(type, text);
      } catch (const EPropertyConvertError&) {
        CannotConvert(prop);
      }
    case tkChar:
      if (text.size() == 1) return static_cast<uint8_t>(text[0]);
      break;
    case tkWChar: {
      const WideString w = AnsiToWide(value.AsString());
      if (w.size() == 1) return w[0];
      break;
    }
    default:
      break;
  }
  if (!ParseInt(text, v)) CannotConvert(prop);
  return v;
}

}  // namespace

int32_t GetOrdSize(const TTypeInfo& type) {
  if (type.Kind == tkInt64) return 8;
  switch (type.OrdType) {
    case otSByte:
    case otUByte:
      return 1;
    case otSWord:
    case otUWord:
      return 2;
    case otSQWord:
      return 8;
    default:
      return 4;
  }
}

int32_t GetFloatSize(const TTypeInfo& type) {
  switch (type.FloatType) {
    case ftSingle:
      return 4;
    case ftExtended:
      return 10;
    default:
      return 8;
  }
}

int32_t GetPropValueSize(const TObject& instance, const TPropInfo& prop) {
  const TTypeKind k = prop.Kind();
  if (IsOrdinalKind(k)) return GetOrdSize(*prop.PropType);
  if (k == tkFloat) return GetFloatSize(*prop.PropType);
  if (k == tkString || k == tkLString) return static_cast<int32_t>(GetStrProp(instance, prop).size());
  if (k == tkWString) return static_cast<int32_t>(GetWideStrProp(instance, prop).size() * 2);
  if (k == tkVariant) return 16;
  return 4;
}

int32_t GetDWordSize(int32_t size) { return (size + 3) / 4 * 4; }

Variant GetPropValueByPropInfo(const TObject& instance, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  switch (type.Kind) {
    case tkInteger:
    case tkSet:
    case tkInt64: {
      const int64_t v = prop.GetOrd(instance);
      if (v >= INT32_MIN && v <= INT32_MAX) return Variant::Integer(static_cast<int32_t>(v));
      return Variant::Double(static_cast<double>(v));
    }
    case tkEnumeration:
      if (IsBoolean(type)) return Variant::Boolean(prop.GetOrd(instance) != 0);
      return Variant::Integer(static_cast<int32_t>(prop.GetOrd(instance)));
    case tkChar:
      return Variant::String(AnsiString(1, static_cast<char>(prop.GetOrd(instance))));
    case tkWChar:
      return Variant::OleStr(WideString(1, static_cast<char16_t>(prop.GetOrd(instance))));
    case tkFloat: {
      const double v = prop.GetFloat(instance);
      if (type.FloatType == ftCurr) return Variant::Currency(std::llround(v * 10000.0));
      if (type.FloatType == ftDate) return Variant::Date(v);
      return Variant::Double(v);
    }
    case tkString:
    case tkLString:
      return Variant::String(GetStrProp(instance, prop));
    case tkWString:
      return Variant::OleStr(GetWideStrProp(instance, prop));
    case tkClass:
      return Variant::Pointer(prop.GetObj ? prop.GetObj(instance) : nullptr);
    default:
      return Variant();
  }
}

void SetPropValueByPropInfo(TObject& instance, const TPropInfo& prop, const Variant& value) {
  const TTypeInfo& type = *prop.PropType;
  if (!prop.Writable() && type.Kind != tkClass) CannotConvert(prop);
  switch (type.Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      const int64_t v = OrdinalOf(prop, value);
      if (type.Kind != tkSet && type.Kind != tkInt64 && (v < type.MinValue || v > type.MaxValue))
        CannotConvert(prop);
      return SetOrdProp(instance, prop, v);
    }
    case tkFloat: {
      double v = 0;
      if (IsNumber(value))
        v = NumberOf(value);
      else if (!IsText(value) || !ParseFloat(value.AsString(), v))
        CannotConvert(prop);
      return SetFloatProp(instance, prop, v);
    }
    case tkString:
    case tkLString:
    case tkWString:
      // A wide text keeps what Windows-1252 cannot hold when the property
      // is wide.
      if (value.VarType() == varOleStr) return SetWideStrProp(instance, prop, value.AsWideString());
      if (IsText(value)) return SetStrProp(instance, prop, value.AsString());
      if (IsNumber(value)) return SetStrProp(instance, prop, NumberText(value));
      CannotConvert(prop);
    case tkClass:
      if (value.VarType() != varByRef && !value.IsEmpty()) CannotConvert(prop);
      return SetObjectProp(instance, prop, static_cast<TPersistent*>(static_cast<TObject*>(value.AsPointer())));
    default:
      CannotConvert(prop);
  }
}

TPersistent* GetClassProperty(const TObject& instance, const AnsiString& name) {
  const TPropInfo* prop = GetPropInfo(instance, name);
  if (!prop || prop->Kind() != tkClass || !prop->GetObj) return nullptr;
  return prop->GetObj(instance);
}

Variant CorrectBool(const Variant& value) {
  if (IsText(value)) return Variant::Boolean(StrToBool(TrimText(value.AsString())));
  if (IsNumber(value)) return Variant::Boolean(NumberOf(value) != 0);
  return Variant::Boolean(false);
}

void ForEachProp(TObject& instance, TTypeKinds kinds, const std::function<void(TObject&, const TPropInfo&)>& proc) {
  for (const TPropInfo* prop : GetPropList(instance, kinds)) proc(instance, *prop);
}

void IterateProps(TObject& instance, TTypeKinds kinds, const std::function<bool(TObject&, const TPropInfo&)>& proc) {
  for (const TPropInfo* prop : GetPropList(instance, kinds))
    if (!proc(instance, *prop)) return;
}

bool InheritsFromClassName(const TObject* instance, const AnsiString& className) {
  return instance && InheritsFromName(instance->ClassInfo(), className);
}

AnsiString GetClassUnit(const TObject* instance) {
  return instance && instance->ClassInfo().UnitName ? instance->ClassInfo().UnitName : "";
}

const TClassInfo* GetVMT(const TObject* instance) { return instance ? &instance->ClassInfo() : nullptr; }

bool EqualMethodTypeData(const TTypeInfo& a, const TTypeInfo& b) {
  if (a.Kind != tkMethod || b.Kind != tkMethod) return false;
  if (a.MethodKind != b.MethodKind || a.Params.size() != b.Params.size()) return false;
  const auto same = [](const char* x, const char* y) { return AnsiCompareText(x ? x : "", y ? y : "") == 0; };
  for (size_t i = 0; i < a.Params.size(); ++i) {
    const TParamData& p = a.Params[i];
    const TParamData& q = b.Params[i];
    if (p.Flags != q.Flags || !same(p.Name, q.Name) || !same(p.TypeName, q.TypeName)) return false;
  }
  return true;
}

bool AssignPropInfo(const TObject& source, TObject& dest, const TPropInfo& sourceProp) {
  const TPropInfo* to = GetPropInfo(dest, sourceProp.Name);
  if (!to || to->Kind() != sourceProp.Kind()) return false;
  switch (to->Kind()) {
    case tkClass: {
      if (!sourceProp.GetObj || !to->GetObj) return false;
      TPersistent* value = sourceProp.GetObj(source);
      if (!to->SetObj && (!value || !to->GetObj(dest))) return false;
      try {
        SetObjectProp(dest, *to, value);
      } catch (const Exception&) {
        return false;
      }
      return true;
    }
    case tkFloat:
      if (!to->SetFloat || !sourceProp.GetFloat) return false;
      to->SetFloat(dest, sourceProp.GetFloat(source));
      return true;
    case tkString:
    case tkLString:
    case tkWString:
      if (!(to->SetStr || to->SetWStr)) return false;
      if (to->Kind() == tkWString)
        SetWideStrProp(dest, *to, GetWideStrProp(source, sourceProp));
      else
        SetStrProp(dest, *to, GetStrProp(source, sourceProp));
      return true;
    default:
      if (!IsOrdinalKind(to->Kind()) || !to->SetOrd || !sourceProp.GetOrd) return false;
      to->SetOrd(dest, sourceProp.GetOrd(source));
      return true;
  }
}

bool AssignProp(const TObject& source, TObject& dest, const AnsiString& name) {
  const TPropInfo* prop = GetPropInfo(source, name);
  return prop && AssignPropInfo(source, dest, *prop);
}

void AssignAllPropsExclude(const TObject& source, TObject& dest, const TStrings& excluded) {
  // A component's name is its identity within its owner, not its state.
  const bool component = dynamic_cast<const TComponent*>(&source) != nullptr;
  for (const TPropInfo* prop : GetPropList(source)) {
    if (component && AnsiCompareText(prop->Name, "Name") == 0) continue;
    if (excluded.IndexOf(prop->Name) >= 0) continue;
    AssignPropInfo(source, dest, *prop);
  }
}

void AssignAllProps(const TObject& source, TObject& dest) { AssignAllPropsExclude(source, dest, TStringList()); }

void AssignPropsEx(const TObject* source, TObject* dest, const TStrings& names) {
  if (!source || !dest || source == dest) return;
  if (names.Count() == 0) return AssignAllProps(*source, *dest);
  for (int32_t i = 0; i < names.Count(); ++i) AssignProp(*source, *dest, TrimText(names.Strings(i)));
}

void AssignProps(const TObject* source, TObject* dest, const AnsiString& names) {
  TStringList list;
  ParseAndCompactString(names, ',', list);
  AssignPropsEx(source, dest, list);
}

void SetPropValue(TObject* instance, const AnsiString& name, const Variant& value) {
  if (!instance) return;
  if (const TPropInfo* prop = GetPropInfo(*instance, name)) SetPropValueByPropInfo(*instance, *prop, value);
}

Variant GetPropValue(const TObject* instance, const AnsiString& name) {
  if (!instance) return Variant();
  const TPropInfo* prop = GetPropInfo(*instance, name);
  return prop ? GetPropValueByPropInfo(*instance, *prop) : Variant();
}

void SetPropValues(const std::vector<TObject*>& instances, const AnsiString& name, const Variant& value) {
  for (TObject* instance : instances) SetPropValue(instance, name, value);
}

bool PropertyExists(const TObject* instance, const AnsiString& name) {
  return instance && GetPropInfo(*instance, name) != nullptr;
}

void SetEnabledControls(TObject* const* instances, int32_t count, bool enabled) {
  for (int32_t i = 0; i < count; ++i) SetPropValue(instances[i], "Enabled", Variant::Boolean(enabled));
}

void PropNamesToStrings(const TObject& instance, TStrings& strings) {
  for (const TPropInfo* prop : GetPropList(instance)) strings.Add(prop->Name);
}

void AssignPropsFromStrings(TObject& instance, const TStrings& strings) {
  for (const TPropInfo* prop : GetPropList(instance)) {
    if (prop->Kind() == tkClass) continue;
    AnsiString value;
    bool found = false;
    const AnsiString name = prop->Name;
    for (int32_t i = 0; i < strings.Count() && !found; ++i) {
      const AnsiString line = strings.Strings(i);
      const size_t eq = line.find('=');
      if (eq != AnsiString::npos && AnsiCompareText(TrimText(line.substr(0, eq)), name) == 0) {
        value = TrimText(line.substr(eq + 1));
        found = true;
      }
    }
    if (found && !value.empty()) SetPropValueByPropInfo(instance, *prop, Variant::String(value));
  }
}
