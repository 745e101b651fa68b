#pragma once
// Published properties: small hand-written tables that name the properties
// a class offers for streaming and for reading and writing by name.
//
// The shape, for a class that publishes properties:
//
//   // Foo.h
//   class TFoo : public TComponent {
//    public:
//     static const TClassInfo Info;            // the class's table
//     const TClassInfo& ClassInfo() const override { return Info; }
//     int32_t Width() const;  void SetWidth(int32_t);
//     const AnsiString& Caption() const;  void SetCaption(const AnsiString&);
//     TStrings* Lines() const;               // an owned sub-object
//   };
//   // Foo.cpp
//   static const TPropInfo kFooProps[] = {
//       OrdProp<&TFoo::Width, &TFoo::SetWidth>("Width", TypeInfoInteger(), 10),
//       StrProp<&TFoo::Caption, &TFoo::SetCaption>("Caption"),
//       ObjProp<&TFoo::Lines>("Lines", TStrings::Info),
//   };
//   const TClassInfo TFoo::Info = PublishClass<TFoo>("TFoo", "Foo", TComponent::Info, kFooProps);
//
// A table lists only the class's own properties; the ancestors' come through
// the parent's table and stand before them (GetPropList). A class without a
// table of its own shows its nearest ancestor's (name and properties).
// PublishClass gives components a factory, so that the stream reader can
// create them by class name once they are registered (RegisterStreamClass).
//
// Kinds and accessors: ordinals (integers, characters, enumerations with
// their value names, sets of up to 64 elements, Boolean) go through
// GetOrd/SetOrd as int64_t; floats through GetFloat/SetFloat; 8-bit strings
// through GetStr/SetStr; wide strings through GetWStr/SetWStr; class-typed
// properties through GetObj and, when the property can be replaced,
// SetObj. A class-typed property without SetObj is a sub-object owned by
// the instance (a font, a string list, a collection): it is streamed and
// assigned in place.
//
// Events stand in a second table beside the properties (EventProp), and a
// class whose methods handle events (a form) lists them in a third table
// (PublishedMethod), so that the stream can name a handler and bind it again
// when it is read:
//
//   static const TEventInfo kFooEvents[] = {EventProp<&TFoo::OnChange>("OnChange", TypeInfoNotifyEvent())};
//   static const TMethodEntry kFormMethods[] = {PublishedMethod<&TMyForm::FooChange>("FooChange")};
//
// An event set through its table holds a TMethod: the published method and
// the object it is called on. A handler assigned in code has no name and is
// not streamed.
#include "classlib/AnsiString.h"
#include "classlib/Exception.h"
#include "classlib/Persistent.h"

#include <cstdint>
#include <functional>
#include <span>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

class TComponent;
struct TClassInfo;

// A property read or written as a kind it is not, or a value of the wrong
// class.
class EPropertyConvertError : public Exception {
 public:
  using Exception::Exception;
};
// A property name the class does not publish.
class EPropertyError : public Exception {
 public:
  using Exception::Exception;
};
// A class name that is not registered.
class EClassNotFound : public Exception {
 public:
  using Exception::Exception;
};

enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
};
using TTypeKinds = uint32_t;  // bit (1 << kind) per kind
constexpr TTypeKinds tkAny = 0xFFFFFFFFu;
constexpr TTypeKinds tkProperties = tkAny & ~(1u << tkMethod);

enum TMethodKind : uint8_t { mkProcedure, mkFunction };
enum TParamFlag : uint8_t { pfVar = 1, pfConst = 2, pfArray = 4, pfAddress = 8, pfReference = 16, pfOut = 32 };

// One parameter of a method type.
struct TParamData {
  uint8_t Flags;  // TParamFlag bits
  const char* Name;
  const char* TypeName;
};

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong, otSQWord };
enum TFloatType : uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr, ftDate };

// The type of a property.
struct TTypeInfo {
  TTypeKind Kind;
  const char* Name;
  TOrdType OrdType = otSLong;
  // Ordinals: the range; an enumeration's values are 0..MaxValue.
  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  // Enumerations: MaxValue + 1 value names.
  const char* const* EnumNames = nullptr;
  // Sets: the element type (an enumeration).
  const TTypeInfo* CompType = nullptr;
  TFloatType FloatType = ftDouble;
  // Class-typed properties: the class the value must be of.
  const TClassInfo* ClassType = nullptr;
  // Method types (events): kind, parameters and, for functions, the
  // result's type name.
  TMethodKind MethodKind = mkProcedure;
  std::span<const TParamData> Params = {};
  const char* ResultType = nullptr;
};

// The type of an event: the name, the kind and the parameters.
constexpr TTypeInfo MethodTypeInfo(const char* name, TMethodKind kind, std::span<const TParamData> params,
                                   const char* resultType = nullptr) {
  TTypeInfo t{tkMethod, name};
  t.MethodKind = kind;
  t.Params = params;
  t.ResultType = resultType;
  return t;
}

const TTypeInfo& TypeInfoInteger();   // int32_t
const TTypeInfo& TypeInfoCardinal();  // uint32_t
const TTypeInfo& TypeInfoSmallint();  // int16_t
const TTypeInfo& TypeInfoWord();      // uint16_t
const TTypeInfo& TypeInfoByte();      // uint8_t
const TTypeInfo& TypeInfoInt64();
const TTypeInfo& TypeInfoChar();
const TTypeInfo& TypeInfoWideChar();
const TTypeInfo& TypeInfoBoolean();  // enumeration False, True
const TTypeInfo& TypeInfoSingle();
const TTypeInfo& TypeInfoDouble();
const TTypeInfo& TypeInfoExtended();
const TTypeInfo& TypeInfoCurrency();  // a float; streamed in units of 1/10,000
const TTypeInfo& TypeInfoDateTime();
const TTypeInfo& TypeInfoAnsiString();
const TTypeInfo& TypeInfoWideString();

// Handler of a plain notification: (Sender).
using TNotifyEvent = std::function<void(TObject* sender)>;
const TTypeInfo& TypeInfoNotifyEvent();

// "No default": every value of the property is written.
constexpr int64_t NoDefault = INT64_MIN;

// One published property.
struct TPropInfo {
  const char* Name;
  const TTypeInfo* PropType;
  int64_t (*GetOrd)(const TObject&) = nullptr;
  void (*SetOrd)(TObject&, int64_t) = nullptr;
  double (*GetFloat)(const TObject&) = nullptr;
  void (*SetFloat)(TObject&, double) = nullptr;
  AnsiString (*GetStr)(const TObject&) = nullptr;
  void (*SetStr)(TObject&, const AnsiString&) = nullptr;
  WideString (*GetWStr)(const TObject&) = nullptr;
  void (*SetWStr)(TObject&, const WideString&) = nullptr;
  TPersistent* (*GetObj)(const TObject&) = nullptr;
  void (*SetObj)(TObject&, TPersistent*) = nullptr;
  // Ordinals equal to it are not written.
  int64_t Default = NoDefault;
  // Null: always stored; else whether the value is written.
  bool (*Stored)(const TObject&) = nullptr;

  TTypeKind Kind() const { return PropType->Kind; }
  bool Writable() const { return SetOrd || SetFloat || SetStr || SetWStr || SetObj; }
};

// One published method: its name and a caller that runs it on an object
// of its class. `Signature` is the handler's call type; a method without a
// caller (null Code) is a handler known by name only, which does nothing
// when it fires and matches every event.
struct TMethodEntry {
  const char* Name;
  const std::type_info* Signature = nullptr;
  void (*Code)() = nullptr;  // R (*)(TObject* data, Args...), by Signature
};

// A handler: the published method and the object it runs on.
struct TMethod {
  const TMethodEntry* Code = nullptr;
  TObject* Data = nullptr;
  explicit operator bool() const { return Code != nullptr; }
  bool operator==(const TMethod&) const = default;
};

// One published event: its name, its type, and access to its handler.
struct TEventInfo {
  const char* Name;
  const TTypeInfo* EventType;
  // The handler set through SetMethod, or an empty TMethod (none, or one
  // assigned in code).
  TMethod (*GetMethod)(const TObject&) = nullptr;
  // An empty TMethod clears the handler; a method of another signature
  // raises EPropertyConvertError.
  void (*SetMethod)(TObject&, const TMethod&) = nullptr;
};

// One class: its name, the unit that declares it, its parent's table, its
// own properties, for components a factory, its own events and its own
// published methods.
struct TClassInfo {
  const char* ClassName;
  const char* UnitName;
  const TClassInfo* Parent;
  std::span<const TPropInfo> Props;
  TComponent* (*Create)(TComponent* owner) = nullptr;
  std::span<const TEventInfo> Events = {};
  std::span<const TMethodEntry> Methods = {};
};

// --- building tables ---------------------------------------------------

namespace typinfo_detail {
template <class M>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...) const> {
  using Class = C;
};
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
  using Class = C;
};
template <auto M>
using ClassOf = typename MemberOf<decltype(M)>::Class;
}  // namespace typinfo_detail

template <auto Get, auto Set>
constexpr TPropInfo OrdProp(const char* name, const TTypeInfo& type, int64_t def = NoDefault) {
  using G = typinfo_detail::ClassOf<Get>;
  using S = typinfo_detail::ClassOf<Set>;
  TPropInfo p{name, &type};
  p.GetOrd = [](const TObject& o) -> int64_t { return static_cast<int64_t>((static_cast<const G&>(o).*Get)()); };
  p.SetOrd = [](TObject& o, int64_t v) {
    using Arg = std::remove_cvref_t<decltype((static_cast<const G&>(o).*Get)())>;
    (static_cast<S&>(o).*Set)(static_cast<Arg>(v));
  };
  p.Default = def;
  return p;
}

// A read-only ordinal (not streamed: the writer skips properties that
// cannot be set).
template <auto Get>
constexpr TPropInfo ReadOnlyOrdProp(const char* name, const TTypeInfo& type) {
  using G = typinfo_detail::ClassOf<Get>;
  TPropInfo p{name, &type};
  p.GetOrd = [](const TObject& o) -> int64_t { return static_cast<int64_t>((static_cast<const G&>(o).*Get)()); };
  return p;
}

template <auto Get, auto Set>
constexpr TPropInfo FloatProp(const char* name, const TTypeInfo& type) {
  using G = typinfo_detail::ClassOf<Get>;
  using S = typinfo_detail::ClassOf<Set>;
  TPropInfo p{name, &type};
  p.GetFloat = [](const TObject& o) -> double { return static_cast<double>((static_cast<const G&>(o).*Get)()); };
  p.SetFloat = [](TObject& o, double v) {
    using Arg = std::remove_cvref_t<decltype((static_cast<const G&>(o).*Get)())>;
    (static_cast<S&>(o).*Set)(static_cast<Arg>(v));
  };
  return p;
}

template <auto Get, auto Set>
constexpr TPropInfo StrProp(const char* name) {
  using G = typinfo_detail::ClassOf<Get>;
  using S = typinfo_detail::ClassOf<Set>;
  TPropInfo p{name, &TypeInfoAnsiString()};
  p.GetStr = [](const TObject& o) -> AnsiString { return (static_cast<const G&>(o).*Get)(); };
  p.SetStr = [](TObject& o, const AnsiString& v) { (static_cast<S&>(o).*Set)(v); };
  return p;
}

template <auto Get, auto Set>
constexpr TPropInfo WStrProp(const char* name) {
  using G = typinfo_detail::ClassOf<Get>;
  using S = typinfo_detail::ClassOf<Set>;
  TPropInfo p{name, &TypeInfoWideString()};
  p.GetWStr = [](const TObject& o) -> WideString { return (static_cast<const G&>(o).*Get)(); };
  p.SetWStr = [](TObject& o, const WideString& v) { (static_cast<S&>(o).*Set)(v); };
  return p;
}

// A sub-object owned by the instance (no setter: assigned in place).
template <auto Get>
constexpr TPropInfo ObjProp(const char* name, const TTypeInfo& type) {
  using G = typinfo_detail::ClassOf<Get>;
  TPropInfo p{name, &type};
  p.GetObj = [](const TObject& o) -> TPersistent* { return (static_cast<const G&>(o).*Get)(); };
  return p;
}

// A reference to another object, replaced by the setter (the setter takes
// a pointer of the property's class; the caller checks the class).
template <auto Get, auto Set>
constexpr TPropInfo RefProp(const char* name, const TTypeInfo& type) {
  using G = typinfo_detail::ClassOf<Get>;
  using S = typinfo_detail::ClassOf<Set>;
  TPropInfo p{name, &type};
  p.GetObj = [](const TObject& o) -> TPersistent* { return (static_cast<const G&>(o).*Get)(); };
  p.SetObj = [](TObject& o, TPersistent* v) {
    using Arg = std::remove_cvref_t<decltype((static_cast<const G&>(o).*Get)())>;
    (static_cast<S&>(o).*Set)(static_cast<Arg>(v));
  };
  return p;
}

// The type of a class-typed property of class `info`.
struct TClassTypeInfo {
  TTypeInfo Type;
  constexpr explicit TClassTypeInfo(const TClassInfo& info) : Type{tkClass, nullptr} { Type.ClassType = &info; }
  operator const TTypeInfo&() const { return Type; }
};

namespace typinfo_detail {
template <class F>
struct EventOf;
template <class R, class... A>
struct EventOf<std::function<R(A...)>> {
  // What an event holds when it was set through its table.
  struct Thunk {
    TMethod Method;
    R operator()(A... a) const {
      if (!Method.Code->Code) return R();
      auto* call = reinterpret_cast<R (*)(TObject*, A...)>(Method.Code->Code);
      return call(Method.Data, std::forward<A>(a)...);
    }
  };
  using Signature = R(A...);
};
template <class M>
struct FieldOf;
template <class C, class F>
struct FieldOf<F C::*> {
  using Class = C;
  using Type = F;
};
template <class M>
struct MethodOf;
template <class C, class R, class... A>
struct MethodOf<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
  template <auto M>
  static R Call(TObject* data, A... a) {
    return (static_cast<C*>(data)->*M)(std::forward<A>(a)...);
  }
};
[[noreturn]] void WrongHandler(const char* method);
}  // namespace typinfo_detail

// An event that is a std::function member of its class.
template <auto Field>
constexpr TEventInfo EventProp(const char* name, const TTypeInfo& type) {
  using Of = typinfo_detail::FieldOf<decltype(Field)>;
  using C = typename Of::Class;
  using Ev = typinfo_detail::EventOf<typename Of::Type>;
  TEventInfo e{name, &type};
  e.GetMethod = [](const TObject& o) -> TMethod {
    const auto* thunk = (static_cast<const C&>(o).*Field).template target<typename Ev::Thunk>();
    return thunk ? thunk->Method : TMethod{};
  };
  e.SetMethod = [](TObject& o, const TMethod& m) {
    auto& handler = static_cast<C&>(o).*Field;
    if (!m.Code) {
      handler = nullptr;
      return;
    }
    if (m.Code->Code && (!m.Code->Signature || *m.Code->Signature != typeid(typename Ev::Signature)))
      typinfo_detail::WrongHandler(m.Code->Name);
    handler = typename Ev::Thunk{m};
  };
  return e;
}

// A published method of its class, found by name when a stream binds an
// event.
template <auto Method>
constexpr TMethodEntry PublishedMethod(const char* name) {
  using Of = typinfo_detail::MethodOf<decltype(Method)>;
  return TMethodEntry{name, &typeid(typename Of::Signature),
                      reinterpret_cast<void (*)()>(&Of::template Call<Method>)};
}

template <class C>
TComponent* CreateComponentOf(TComponent* owner) {
  if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C>)
    return new C(owner);
  else
    return nullptr;
}

template <class C>
constexpr TClassInfo PublishClass(const char* className, const char* unitName, const TClassInfo& parent,
                                  std::span<const TPropInfo> props) {
  TClassInfo info{className, unitName, &parent, props};
  if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                std::is_constructible_v<C, TComponent*>)
    info.Create = &CreateComponentOf<C>;
  return info;
}

template <class C>
constexpr TClassInfo PublishClass(const char* className, const char* unitName, const TClassInfo& parent,
                                  std::span<const TPropInfo> props, std::span<const TEventInfo> events,
                                  std::span<const TMethodEntry> methods = {}) {
  TClassInfo info = PublishClass<C>(className, unitName, parent, props);
  info.Events = events;
  info.Methods = methods;
  return info;
}

// --- lookups --------------------------------------------------------------

// Whether `cls` is `ancestor` or inherits from it.
bool InheritsFrom(const TClassInfo& cls, const TClassInfo& ancestor);
// The same by class name (compared without case).
bool InheritsFromName(const TClassInfo& cls, const AnsiString& className);
bool IsComponentClass(const TClassInfo& cls);

// The properties of the class and its ancestors, ancestors' first, of the
// given kinds.
std::vector<const TPropInfo*> GetPropList(const TClassInfo& cls, TTypeKinds kinds = tkProperties);
std::vector<const TPropInfo*> GetPropList(const TObject& instance, TTypeKinds kinds = tkProperties);
// The property of that name (without case); null when there is none.
const TPropInfo* GetPropInfo(const TClassInfo& cls, const AnsiString& name);
const TPropInfo* GetPropInfo(const TObject& instance, const AnsiString& name);
bool IsStoredProp(const TObject& instance, const TPropInfo& prop);

// Accessors; a property of another kind raises EPropertyConvertError.
int64_t GetOrdProp(const TObject& instance, const TPropInfo& prop);
void SetOrdProp(TObject& instance, const TPropInfo& prop, int64_t value);
double GetFloatProp(const TObject& instance, const TPropInfo& prop);
void SetFloatProp(TObject& instance, const TPropInfo& prop, double value);
// 8-bit and wide strings both; a wide string through Windows-1252.
AnsiString GetStrProp(const TObject& instance, const TPropInfo& prop);
void SetStrProp(TObject& instance, const TPropInfo& prop, const AnsiString& value);
WideString GetWideStrProp(const TObject& instance, const TPropInfo& prop);
void SetWideStrProp(TObject& instance, const TPropInfo& prop, const WideString& value);
TPersistent* GetObjectProp(const TObject& instance, const TPropInfo& prop);
// A replaceable reference is replaced; a sub-object is assigned in place
// (nothing for null). A value of the wrong class raises EPropertyConvertError.
void SetObjectProp(TObject& instance, const TPropInfo& prop, TPersistent* value);

// The name of an enumeration value (empty outside the range) and the value
// of a name (without case; -1 when unknown).
AnsiString GetEnumName(const TTypeInfo& type, int64_t value);
int64_t GetEnumValue(const TTypeInfo& type, const AnsiString& name);
// A set as "[a,b]" and back; an unknown element name raises
// EPropertyConvertError.
AnsiString SetToString(const TTypeInfo& setType, int64_t value, bool brackets = true);
int64_t StringToSet(const TTypeInfo& setType, const AnsiString& text);

// The events of the class and its ancestors, ancestors' first; the event
// of that name (without case), or null.
std::vector<const TEventInfo*> GetEventList(const TClassInfo& cls);
const TEventInfo* GetEventInfo(const TClassInfo& cls, const AnsiString& name);
const TEventInfo* GetEventInfo(const TObject& instance, const AnsiString& name);
TMethod GetMethodProp(const TObject& instance, const TEventInfo& event);
void SetMethodProp(TObject& instance, const TEventInfo& event, const TMethod& method);
// The published method of that name (without case) in the class or its
// ancestors, or null; the name of a method of the class, or empty.
const TMethodEntry* MethodAddress(const TClassInfo& cls, const AnsiString& name);
AnsiString MethodName(const TClassInfo& cls, const TMethodEntry* code);

// --- the registry of streamable classes -------------------------------------

// Registers the class by name; false when a class of that name is known.
bool RegisterStreamClass(const TClassInfo& cls);
void UnRegisterStreamClass(const TClassInfo& cls);
// The registered class of that name (without case); null when unknown.
const TClassInfo* GetClass(const AnsiString& className);
