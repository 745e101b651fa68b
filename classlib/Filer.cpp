#include "classlib/Filer.h"

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Format.h"

#include <cmath>
#include <cstring>

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr int32_t kMaxDepth = 256;

[[noreturn]] void InvalidStream() { throw EReadError("Ungültiges Stream-Format"); }

bool IsBooleanType(const TTypeInfo& type) { return type.Kind == tkEnumeration && type.EnumNames && type.MaxValue == 1 &&
                                                  std::strcmp(type.Name ? type.Name : "", "Boolean") == 0; }

}  // namespace

void DoubleToExtended(double value, uint8_t out[10]) {
  uint64_t mant = 0;
  uint16_t se = std::signbit(value) ? 0x8000 : 0;
  if (std::isnan(value)) {
    se |= 0x7FFF;
    mant = 0xC000000000000000ull;
  } else if (std::isinf(value)) {
    se |= 0x7FFF;
    mant = 0x8000000000000000ull;
  } else if (value != 0) {
    int ex = 0;
    const double m = std::frexp(std::fabs(value), &ex);  // [0.5, 1)
    mant = static_cast<uint64_t>(std::ldexp(m, 64));
    se |= static_cast<uint16_t>(ex - 1 + 16383);
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mant >> (8 * i));
  out[8] = static_cast<uint8_t>(se);
  out[9] = static_cast<uint8_t>(se >> 8);
}

double ExtendedToDouble(const uint8_t in[10]) {
  uint64_t mant = 0;
  for (int i = 0; i < 8; ++i) mant |= uint64_t(in[i]) << (8 * i);
  const uint16_t se = static_cast<uint16_t>(in[8] | in[9] << 8);
  const bool negative = se & 0x8000;
  const int e = se & 0x7FFF;
  double v;
  if (e == 0x7FFF)
    v = (mant << 1) == 0 ? HUGE_VAL : std::nan("");
  else if (mant == 0)
    v = 0;
  else
    v = std::ldexp(static_cast<double>(mant), e - 16383 - 63);
  return negative ? -v : v;
}

// --- writer ----------------------------------------------------------------

TWriter::TWriter(TStream& stream, int32_t) : TFiler(stream) {}

void TWriter::WriteSignature() { WriteRaw(kSignature, 4); }

void TWriter::WriteRootComponent(TComponent& root) {
  FRoot = &root;
  WriteSignature();
  WriteComponent(root);
}

void TWriter::WriteComponent(TComponent& component) {
  if (!FRoot) FRoot = &component;
  WriteStr(component.ClassName());
  WriteStr(component.Name());
  const AnsiString path = FPropPath;
  FPropPath.clear();
  WriteProperties(component);
  WriteListEnd();
  component.GetChildren([this](TComponent* child) { WriteComponent(*child); }, FRoot);
  WriteListEnd();
  FPropPath = path;
}

void TWriter::WriteProperties(const TPersistent& instance) {
  for (const TPropInfo* prop : GetPropList(instance)) {
    const bool subObject = prop->Kind() == tkClass && prop->GetObj && !prop->SetObj;
    if (!prop->Writable() && !subObject) continue;
    if (!IsStoredProp(instance, *prop)) continue;
    if (PropertyFilter && !PropertyFilter(instance, *prop)) continue;
    WriteProperty(instance, *prop);
  }
  if (!PropertyFilter)
    for (const TEventInfo* event : GetEventList(instance.ClassInfo())) WriteEvent(instance, *event);
  // Declaring data does not change the object.
  const_cast<TPersistent&>(instance).DefineProperties(*this);
}

void TWriter::WriteProperty(const TPersistent& instance, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  switch (type.Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      const int64_t v = prop.GetOrd(instance);
      if (prop.Default != NoDefault && v == prop.Default) return;
      WritePropName(prop.Name);
      if (type.Kind == tkInteger || type.Kind == tkInt64) {
        WriteInteger(v);
      } else if (type.Kind == tkChar) {
        WriteString(AnsiString(1, static_cast<char>(v)));
      } else if (type.Kind == tkWChar) {
        WriteWideString(WideString(1, static_cast<char16_t>(v)));
      } else if (type.Kind == tkEnumeration) {
        if (IsBooleanType(type))
          WriteBoolean(v != 0);
        else
          WriteIdent(GetEnumName(type, v));
      } else {
        WriteValue(vaSet);
        const TTypeInfo* comp = type.CompType;
        for (int64_t e = comp ? comp->MinValue : 0; comp && e <= comp->MaxValue && e < 64; ++e)
          if (static_cast<uint64_t>(v) >> e & 1u) WriteStr(GetEnumName(*comp, e));
        WriteStr(AnsiString());
      }
      return;
    }
    case tkFloat: {
      const double v = prop.GetFloat(instance);
      if (v == 0) return;
      WritePropName(prop.Name);
      if (type.FloatType == ftSingle)
        WriteSingle(static_cast<float>(v));
      else if (type.FloatType == ftCurr)
        WriteCurrency(v);
      else if (type.FloatType == ftDate)
        WriteDate(v);
      else
        WriteFloat(v);
      return;
    }
    case tkString:
    case tkLString: {
      const AnsiString v = GetStrProp(instance, prop);
      if (v.empty()) return;
      WritePropName(prop.Name);
      WriteString(v);
      return;
    }
    case tkWString: {
      const WideString v = GetWideStrProp(instance, prop);
      if (v.empty()) return;
      WritePropName(prop.Name);
      WriteWideString(v);
      return;
    }
    case tkClass: {
      TPersistent* obj = prop.GetObj(instance);
      if (!obj) return;
      if (prop.SetObj) {
        if (auto* comp = dynamic_cast<TComponent*>(obj)) {
          if (comp->Name().empty()) return;
          WritePropName(prop.Name);
          WriteIdent(comp->Owner() && comp->Owner() != FRoot && comp != FRoot
                         ? comp->Owner()->Name() + "." + comp->Name()
                         : comp->Name());
          return;
        }
      }
      if (auto* coll = dynamic_cast<TCollection*>(obj)) {
        if (coll->Count() == 0) return;
        WritePropName(prop.Name);
        const AnsiString path = FPropPath;
        FPropPath.clear();
        WriteCollection(*coll);
        FPropPath = path;
        return;
      }
      const AnsiString path = FPropPath;
      FPropPath += prop.Name;
      FPropPath += '.';
      WriteProperties(*obj);
      FPropPath = path;
      return;
    }
    default:
      return;
  }
}

void TWriter::WriteEvent(const TPersistent& instance, const TEventInfo& event) {
  // A handler of another object would be bound to the wrong one when read.
  const TMethod method = GetMethodProp(instance, event);
  if (!method.Code || !FRoot || method.Data != FRoot || !method.Code->Name || !*method.Code->Name) return;
  WritePropName(event.Name);
  WriteIdent(method.Code->Name);
}

void TWriter::WriteCollection(const TCollection& collection) {
  WriteValue(vaCollection);
  for (int32_t i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(*collection.Items(i));
    WriteListEnd();
  }
  WriteListEnd();
}

void TWriter::DefineProperty(const AnsiString& name, const TReaderProc&, const TWriterProc& writeData,
                             bool hasData) {
  if (!writeData || !WantDefined(hasData)) return;
  WritePropName(name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const AnsiString& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
  if (!writeData || !WantDefined(hasData)) return;
  WritePropName(name);
  TMemoryStream data;
  writeData(data);
  WriteBinary(data.Memory(), static_cast<int32_t>(data.Size()));
}

void TWriter::WritePropName(const AnsiString& name) { WriteStr(FPropPath + name); }

void TWriter::WriteValue(TValueType value) {
  const auto b = static_cast<uint8_t>(value);
  WriteRaw(&b, 1);
}

void TWriter::WriteInteger(int64_t value) {
  uint8_t buf[8];
  int n;
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    n = 1;
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    n = 2;
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    n = 4;
  } else {
    WriteValue(vaInt64);
    n = 8;
  }
  for (int i = 0; i < n; ++i) buf[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
  WriteRaw(buf, n);
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }

void TWriter::WriteString(const AnsiString& value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(value);
    return;
  }
  WriteValue(vaLString);
  const auto n = static_cast<uint32_t>(value.size());
  const uint8_t len[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
  WriteRaw(len, 4);
  WriteRaw(value.data(), static_cast<int32_t>(n));
}

void TWriter::WriteWideString(const WideString& value) {
  WriteValue(vaWString);
  const auto n = static_cast<uint32_t>(value.size());
  const uint8_t len[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
  WriteRaw(len, 4);
  for (char16_t c : value) {
    const uint8_t b[2] = {uint8_t(c), uint8_t(c >> 8)};
    WriteRaw(b, 2);
  }
}

void TWriter::WriteFloat(double value) {
  WriteValue(vaExtended);
  uint8_t buf[10];
  DoubleToExtended(value, buf);
  WriteRaw(buf, 10);
}

void TWriter::WriteSingle(float value) {
  WriteValue(vaSingle);
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  const uint8_t b[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
  WriteRaw(b, 4);
}

void TWriter::WriteCurrency(double value) {
  WriteValue(vaCurrency);
  const auto scaled = static_cast<int64_t>(std::llround(value * 10000.0));
  uint8_t b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(static_cast<uint64_t>(scaled) >> (8 * i));
  WriteRaw(b, 8);
}

void TWriter::WriteDate(double value) {
  WriteValue(vaDate);
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  uint8_t b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(bits >> (8 * i));
  WriteRaw(b, 8);
}

void TWriter::WriteIdent(const AnsiString& ident) {
  if (AnsiCompareText(ident, "False") == 0) return WriteValue(vaFalse);
  if (AnsiCompareText(ident, "True") == 0) return WriteValue(vaTrue);
  if (AnsiCompareText(ident, "nil") == 0) return WriteValue(vaNil);
  WriteValue(vaIdent);
  WriteStr(ident);
}

void TWriter::WriteBinary(const void* data, int32_t size) {
  WriteValue(vaBinary);
  const auto n = static_cast<uint32_t>(size);
  const uint8_t len[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
  WriteRaw(len, 4);
  if (size > 0) WriteRaw(data, size);
}

void TWriter::WriteStr(const AnsiString& value) {
  const size_t n = value.size() < 255 ? value.size() : 255;
  const auto len = static_cast<uint8_t>(n);
  WriteRaw(&len, 1);
  if (n) WriteRaw(value.data(), static_cast<int32_t>(n));
}

// --- reader ----------------------------------------------------------------

TReader::TReader(TStream& stream, int32_t) : TFiler(stream) {}

void TReader::ReadRaw(void* data, int32_t size) {
  if (FStream.Read(data, size) != size) InvalidStream();
}

void TReader::BadValue() { InvalidStream(); }

void TReader::ReadSignature() {
  char sig[4];
  ReadRaw(sig, 4);
  if (std::memcmp(sig, kSignature, 4) != 0) InvalidStream();
}

bool TReader::PropertyError(const AnsiString& message) {
  bool handled = false;
  if (OnError) OnError(message, handled);
  if (!handled) throw EReadError(message);
  return true;
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  ReadSignature();
  AnsiString className = ReadStr();
  // Filer flags in front of the class name: 0xF0 plus flag bits.
  if (!className.empty() && (static_cast<uint8_t>(className[0]) & 0xF0) == 0xF0) InvalidStream();
  const AnsiString name = ReadStr();
  bool created = false;
  if (!root) {
    const TClassInfo* cls = GetClass(className);
    if (!cls || !cls->Create) throw EClassNotFound(Format("Klasse %s nicht gefunden", className.c_str()));
    root = cls->Create(nullptr);
    created = true;
  }
  FRoot = root;
  FFixups.clear();
  try {
    if (!name.empty()) root->SetName(name);
    root->ReadState(*this);
    ResolveFixups();
  } catch (...) {
    if (created) delete root;
    FRoot = nullptr;
    throw;
  }
  return root;
}

void TReader::ReadData(TComponent& component) {
  // Nesting is bounded, so that damaged data cannot exhaust the stack.
  if (++FDepth > kMaxDepth) InvalidStream();
  struct Leave {
    int32_t& Depth;
    ~Leave() { --Depth; }
  } leave{FDepth};
  ReadProperties(component);
  TComponent* owner = component.GetChildOwner();
  if (!owner) owner = FRoot ? FRoot : &component;
  int32_t order = 0;  // of the children read, those passed over not counted
  while (!EndOfList()) {
    const AnsiString className = ReadStr();
    const AnsiString name = ReadStr();
    TComponent* child = owner->FindComponent(name);
    if (!child) {
      const TClassInfo* cls = GetClass(className);
      if (!cls || !cls->Create) {
        const AnsiString message = Format("Klasse %s nicht gefunden", className.c_str());
        bool handled = false;
        if (OnError) OnError(message, handled);
        if (!handled) throw EClassNotFound(message);
        // Pass over the child's properties and components.
        TComponent scratch(nullptr);
        auto onError = OnError;
        OnError = [](const AnsiString&, bool& h) { h = true; };
        try {
          ReadData(scratch);
        } catch (...) {
          OnError = onError;
          throw;
        }
        OnError = onError;
        continue;
      }
      child = cls->Create(owner);
      if (!name.empty()) child->SetName(name);
    }
    child->SetParentComponent(&component);
    child->ReadState(*this);
    component.SetChildOrder(child, order++);
  }
  ReadValue();
}

void TReader::ReadProperties(TPersistent& instance) {
  while (!EndOfList()) ReadProperty(instance);
  ReadValue();
}

void TReader::ReadProperty(TPersistent& instance) {
  const AnsiString path = ReadStr();
  TPersistent* target = &instance;
  size_t at = 0;
  for (size_t dot; (dot = path.find('.', at)) != AnsiString::npos; at = dot + 1) {
    const AnsiString part = path.substr(at, dot - at);
    const TPropInfo* prop = GetPropInfo(*target, part);
    TPersistent* obj = prop && prop->Kind() == tkClass && prop->GetObj ? prop->GetObj(*target) : nullptr;
    if (!obj) {
      PropertyError(Format("Eigenschaft %s existiert nicht", path.c_str()));
      return SkipValue();
    }
    target = obj;
  }
  const AnsiString name = path.substr(at);
  if (const TPropInfo* prop = GetPropInfo(*target, name)) {
    const bool subObject = prop->Kind() == tkClass && prop->GetObj && !prop->SetObj;
    if ((!prop->Writable() && !subObject) || (PropertyFilter && !PropertyFilter(*target, *prop)))
      return SkipValue();
    return ReadPropValue(*target, *prop);
  }
  if (const TEventInfo* event = GetEventInfo(*target, name)) {
    if (PropertyFilter) return SkipValue();
    return ReadEvent(*target, *event);
  }
  FDefName = name;
  FDefFound = false;
  FDefTopLevel = at == 0;
  target->DefineProperties(*this);
  FDefName.clear();
  if (FDefFound) return;
  PropertyError(Format("Eigenschaft %s existiert nicht", path.c_str()));
  SkipValue();
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  const TValueType next = NextValue();
  const auto wrong = [&] {
    PropertyError(Format("Ungültiger Eigenschaftswert: %s", prop.Name));
    SkipValue();
  };
  const bool isInt = next == vaInt8 || next == vaInt16 || next == vaInt32 || next == vaInt64;
  const bool isStr = next == vaString || next == vaLString || next == vaWString;
  switch (type.Kind) {
    case tkInteger:
    case tkInt64: {
      if (!isInt) return wrong();
      const int64_t v = ReadInt64();
      if (v < type.MinValue || v > type.MaxValue) {
        PropertyError(Format("Ungültiger Eigenschaftswert: %s", prop.Name));
        return;
      }
      return prop.SetOrd(instance, v);
    }
    case tkChar:
    case tkWChar: {
      if (isInt) return prop.SetOrd(instance, ReadInt64() & (type.Kind == tkChar ? 0xFF : 0xFFFF));
      if (!isStr) return wrong();
      if (type.Kind == tkChar) {
        const AnsiString s = ReadString();
        return prop.SetOrd(instance, s.empty() ? 0 : static_cast<uint8_t>(s[0]));
      }
      const WideString s = ReadWideString();
      return prop.SetOrd(instance, s.empty() ? 0 : s[0]);
    }
    case tkEnumeration: {
      int64_t v;
      if (next == vaFalse || next == vaTrue) {
        v = ReadValue() == vaTrue ? 1 : 0;
        if (!IsBooleanType(type)) v = GetEnumValue(type, v ? "True" : "False");
      } else if (next == vaIdent) {
        v = GetEnumValue(type, ReadIdent());
      } else {
        return wrong();
      }
      if (v < 0) {
        PropertyError(Format("Ungültiger Eigenschaftswert: %s", prop.Name));
        return;
      }
      return prop.SetOrd(instance, v);
    }
    case tkSet: {
      if (next != vaSet) return wrong();
      ReadValue();
      uint64_t bits = 0;
      for (AnsiString e = ReadStr(); !e.empty(); e = ReadStr()) {
        const int64_t v = type.CompType ? GetEnumValue(*type.CompType, e) : -1;
        if (v < 0 || v >= 64)
          PropertyError(Format("Ungültiger Eigenschaftswert: %s", prop.Name));
        else
          bits |= uint64_t(1) << v;
      }
      return prop.SetOrd(instance, static_cast<int64_t>(bits));
    }
    case tkFloat:
      if (!isInt && next != vaExtended && next != vaSingle && next != vaCurrency && next != vaDate) return wrong();
      return prop.SetFloat(instance, ReadFloat());
    case tkString:
    case tkLString:
    case tkWString:
      if (!isStr) return wrong();
      if (next == vaWString) return SetWideStrProp(instance, prop, ReadWideString());
      return SetStrProp(instance, prop, ReadString());
    case tkClass: {
      if (next == vaCollection) {
        auto* coll = dynamic_cast<TCollection*>(prop.GetObj(instance));
        if (!coll) return wrong();
        return ReadCollection(*coll);
      }
      if (prop.SetObj && next == vaNil) {
        ReadValue();
        return prop.SetObj(instance, nullptr);
      }
      if (prop.SetObj && next == vaIdent) {
        FFixups.push_back({&instance, &prop, ReadIdent()});
        return;
      }
      return wrong();
    }
    default:
      return wrong();
  }
}

void TReader::ReadEvent(TPersistent& instance, const TEventInfo& event) {
  const TValueType next = NextValue();
  if (next == vaNil) {
    ReadValue();
    return SetMethodProp(instance, event, TMethod{});
  }
  if (next != vaIdent) {
    PropertyError(Format("Ungültiger Eigenschaftswert: %s", event.Name));
    return SkipValue();
  }
  const AnsiString name = ReadIdent();
  const TMethodEntry* code = FRoot ? MethodAddress(FRoot->ClassInfo(), name) : nullptr;
  if (OnFindMethod) OnFindMethod(name, code);
  if (!code) {
    PropertyError(Format("Methode %s nicht gefunden", name.c_str()));
    return;
  }
  try {
    SetMethodProp(instance, event, TMethod{code, FRoot});
  } catch (const EPropertyConvertError&) {
    PropertyError(Format("Ungültiger Eigenschaftswert: %s", event.Name));
  }
}

void TReader::ReadCollection(TCollection& collection) {
  CheckValue(vaCollection);
  collection.BeginUpdate();
  try {
    collection.Clear();
    while (!EndOfList()) {
      const TValueType next = NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32) ReadInteger();
      ReadListBegin();
      ReadProperties(*collection.Add());
    }
    ReadValue();
  } catch (...) {
    collection.EndUpdate();
    throw;
  }
  collection.EndUpdate();
}

void TReader::ResolveFixups() {
  for (const Fixup& f : FFixups) {
    TComponent* found = nullptr;
    if (FRoot) {
      if (AnsiCompareText(FRoot->Name(), f.Name) == 0)
        found = FRoot;
      else
        found = FRoot->FindComponent(f.Name);
    }
    const TClassInfo* want = f.Prop->PropType->ClassType;
    if (found && (!want || InheritsFrom(found->ClassInfo(), *want))) f.Prop->SetObj(*f.Instance, found);
  }
  FFixups.clear();
}

void TReader::DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc&, bool) {
  if (FDefFound || FDefName.empty() || AnsiCompareText(name, FDefName) != 0) return;
  FDefFound = true;
  if ((IgnoreDefinedProperties && FDefTopLevel) || !readData)
    SkipValue();
  else
    readData(*this);
}

void TReader::DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData, const TStreamProc&, bool) {
  if (FDefFound || FDefName.empty() || AnsiCompareText(name, FDefName) != 0) return;
  FDefFound = true;
  if ((IgnoreDefinedProperties && FDefTopLevel) || !readData) return SkipValue();
  CheckValue(vaBinary);
  const uint32_t n = ReadLength();
  TMemoryStream data;
  data.SetSize(n);
  if (n) ReadRaw(data.Memory(), static_cast<int32_t>(n));
  data.SetPosition(0);
  readData(data);
}

TValueType TReader::NextValue() {
  // The byte is looked at, not checked: where a list may end it is the
  // length of the next name, which can be any value.
  uint8_t b;
  ReadRaw(&b, 1);
  FStream.Seek(-1, soCurrent);
  return static_cast<TValueType>(b);
}

TValueType TReader::ReadValue() {
  uint8_t b;
  ReadRaw(&b, 1);
  if (b > vaInt64) InvalidStream();
  return static_cast<TValueType>(b);
}

void TReader::CheckValue(TValueType expected) {
  if (ReadValue() != expected) InvalidStream();
}

uint32_t TReader::ReadLength() {
  uint8_t b[4];
  ReadRaw(b, 4);
  const uint32_t n = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  if (static_cast<int64_t>(n) > FStream.Size() - FStream.Position()) InvalidStream();
  return n;
}

int64_t TReader::ReadInt64() {
  int n;
  switch (ReadValue()) {
    case vaInt8:
      n = 1;
      break;
    case vaInt16:
      n = 2;
      break;
    case vaInt32:
      n = 4;
      break;
    case vaInt64:
      n = 8;
      break;
    default:
      InvalidStream();
  }
  uint8_t b[8];
  ReadRaw(b, n);
  uint64_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint64_t(b[i]) << (8 * i);
  if (n < 8 && (b[n - 1] & 0x80)) v |= ~uint64_t(0) << (8 * n);  // sign extension
  return static_cast<int64_t>(v);
}

int32_t TReader::ReadInteger() {
  const int64_t v = ReadInt64();
  if (v < INT32_MIN || v > INT32_MAX) InvalidStream();
  return static_cast<int32_t>(v);
}

bool TReader::ReadBoolean() {
  const TValueType v = ReadValue();
  if (v != vaTrue && v != vaFalse) InvalidStream();
  return v == vaTrue;
}

AnsiString TReader::ReadString() {
  switch (ReadValue()) {
    case vaString:
      return ReadStr();
    case vaLString: {
      const uint32_t n = ReadLength();
      AnsiString s(n, '\0');
      if (n) ReadRaw(s.data(), static_cast<int32_t>(n));
      return s;
    }
    case vaWString:
      FStream.Seek(-1, soCurrent);
      return WideToAnsi(ReadWideString());
    default:
      InvalidStream();
  }
}

WideString TReader::ReadWideString() {
  if (NextValue() != vaWString) return AnsiToWide(ReadString());
  ReadValue();
  const uint32_t n = ReadLength();  // code units; bounded by the bytes left
  if (static_cast<int64_t>(n) * 2 > FStream.Size() - FStream.Position()) InvalidStream();
  WideString s(n, u'\0');
  for (uint32_t i = 0; i < n; ++i) {
    uint8_t b[2];
    ReadRaw(b, 2);
    s[i] = static_cast<char16_t>(b[0] | b[1] << 8);
  }
  return s;
}

double TReader::ReadFloat() {
  const TValueType v = NextValue();
  if (v == vaInt8 || v == vaInt16 || v == vaInt32 || v == vaInt64) return static_cast<double>(ReadInt64());
  ReadValue();
  if (v == vaExtended) {
    uint8_t b[10];
    ReadRaw(b, 10);
    return ExtendedToDouble(b);
  }
  if (v == vaSingle) {
    uint8_t b[4];
    ReadRaw(b, 4);
    const uint32_t bits = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  if (v == vaCurrency || v == vaDate) {
    uint8_t b[8];
    ReadRaw(b, 8);
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t(b[i]) << (8 * i);
    if (v == vaCurrency) return static_cast<double>(static_cast<int64_t>(bits)) / 10000.0;
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
  }
  InvalidStream();
}

AnsiString TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    default:
      InvalidStream();
  }
}

AnsiString TReader::ReadStr() {
  uint8_t n;
  ReadRaw(&n, 1);
  AnsiString s(n, '\0');
  if (n) ReadRaw(s.data(), n);
  return s;
}

void TReader::SkipValue() {
  const auto skip = [&](int64_t n) {
    if (n > FStream.Size() - FStream.Position()) InvalidStream();
    FStream.Seek(n, soCurrent);
  };
  switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      return;
    case vaList: {
      if (++FDepth > kMaxDepth) InvalidStream();
      struct Leave {
        int32_t& Depth;
        ~Leave() { --Depth; }
      } leave{FDepth};
      while (!EndOfList()) SkipValue();
      ReadValue();
      return;
    }
    case vaInt8:
      return skip(1);
    case vaInt16:
      return skip(2);
    case vaInt32:
    case vaSingle:
      return skip(4);
    case vaInt64:
    case vaCurrency:
    case vaDate:
      return skip(8);
    case vaExtended:
      return skip(10);
    case vaString:
    case vaIdent:
      ReadStr();
      return;
    case vaLString:
    case vaBinary:
      return skip(ReadLength());
    case vaWString:
      return skip(int64_t(ReadLength()) * 2);
    case vaSet:
      while (!ReadStr().empty()) {
      }
      return;
    case vaCollection:
      while (!EndOfList()) {
        const TValueType next = NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32) ReadInteger();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadValue();
      }
      ReadValue();
      return;
  }
}

void WriteComponentToStream(TStream& stream, TComponent& component) {
  TWriter writer(stream, 4096);
  writer.WriteRootComponent(component);
}

TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance) {
  TReader reader(stream, 4096);
  return reader.ReadRootComponent(instance);
}
