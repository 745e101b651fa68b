#pragma once
// Reading, writing and copying published properties by name, over the
// property tables of the class library (classlib/TypInfo.h). Values pass
// as variants: ordinals as integers (enumerations and sets by ordinal and
// bits, Boolean as a boolean), floats as doubles (currency and dates as
// their kinds), strings as strings, class-typed properties as a pointer to
// the object.
#include "classlib/Persistent.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/Variant.h"

#include <cstdint>
#include <functional>
#include <vector>

// Sizes of values: ordinals 1, 2, 4 (or 8) bytes by their ordinal type;
// floats 4 (single), 10 (extended), 8 (the others); strings their length;
// variants 16; references 4. GetDWordSize rounds up to whole 32-bit words.
int32_t GetOrdSize(const TTypeInfo& type);
int32_t GetFloatSize(const TTypeInfo& type);
int32_t GetPropValueSize(const TObject& instance, const TPropInfo& prop);
int32_t GetDWordSize(int32_t size);

Variant GetPropValueByPropInfo(const TObject& instance, const TPropInfo& prop);
// Converts the value to the property's kind: numbers from texts, texts
// from numbers, enumerations and sets also from their names ("[a,b]").
// A value that does not convert raises EConvertError.
void SetPropValueByPropInfo(TObject& instance, const TPropInfo& prop, const Variant& value);
// The object of a class-typed property; null when there is none.
TPersistent* GetClassProperty(const TObject& instance, const AnsiString& name);
// A value normalised to a boolean (any non-zero number, "True").
Variant CorrectBool(const Variant& value);

// Calls `proc` for each published property of the given kinds.
void ForEachProp(TObject& instance, TTypeKinds kinds, const std::function<void(TObject&, const TPropInfo&)>& proc);
// The same; the walk stops when `proc` returns false.
void IterateProps(TObject& instance, TTypeKinds kinds, const std::function<bool(TObject&, const TPropInfo&)>& proc);
// Whether the object's class or an ancestor has that name (without case).
bool InheritsFromClassName(const TObject* instance, const AnsiString& className);
// The unit that declares the object's class; empty for null.
AnsiString GetClassUnit(const TObject* instance);
// The class record of the object (its table); null for null.
const TClassInfo* GetVMT(const TObject* instance);
// Two event types agree: both are method types of the same kind with as
// many parameters, each with the same flags, name and type name (names
// without case).
bool EqualMethodTypeData(const TTypeInfo& a, const TTypeInfo& b);

// Copies one property of `source` to the property of the same name and
// kind of `dest`; false when either has none or it cannot be set. A
// sub-object is assigned in place.
bool AssignPropInfo(const TObject& source, TObject& dest, const TPropInfo& sourceProp);
bool AssignProp(const TObject& source, TObject& dest, const AnsiString& name);
// Every published property but the component's Name (and those listed).
void AssignAllProps(const TObject& source, TObject& dest);
void AssignAllPropsExclude(const TObject& source, TObject& dest, const TStrings& excluded);
// The properties named in a comma-separated list (all when it is empty),
// between two different non-null objects.
void AssignProps(const TObject* source, TObject* dest, const AnsiString& names);
void AssignPropsEx(const TObject* source, TObject* dest, const TStrings& names);

// By name: nothing (an empty value) for a null object or an unknown
// property.
void SetPropValue(TObject* instance, const AnsiString& name, const Variant& value);
Variant GetPropValue(const TObject* instance, const AnsiString& name);
void SetPropValues(const std::vector<TObject*>& instances, const AnsiString& name, const Variant& value);
bool PropertyExists(const TObject* instance, const AnsiString& name);
// Sets "Enabled" of each object that has it.
void SetEnabledControls(TObject* const* instances, int32_t count, bool enabled);

// The names of all published properties of the object.
void PropNamesToStrings(const TObject& instance, TStrings& strings);
// For each published property whose trimmed value in the name=value
// entries is non-empty, sets the property from that text.
void AssignPropsFromStrings(TObject& instance, const TStrings& strings);
