#pragma once
// Naming helpers for components (unique names, original names, control
// names out of dotted paths), the class registry for streaming, verbs, and
// the texts of resource types and names.
#include "classlib/Component.h"
#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"

#include <cstdint>
#include <functional>
#include <span>

// A global lookup of a component by name; null when none is found.
using TFindGlobalComponent = std::function<TComponent*(const AnsiString& name)>;
void SetFindGlobalCompProc(TFindGlobalComponent proc);
void RemoveFindGlobalCompProc();
// Through the installed global lookup: the component of that name, or for
// "owner.name" (split at the last ".") the owner's component of that name
// (without case). Null when nothing matches or no lookup is installed.
TComponent* GlobalFindObject(const AnsiString& name);

// With a global lookup installed: the name itself when it is free, else
// name + "_1", "_2", ... until the lookup finds nothing. Without one: the
// name.
AnsiString FindUniqueName(const AnsiString& name);
// False when the owner or any of its owners holds a component of that name.
bool NameIsUnique(const TComponent* owner, const AnsiString& name);
// base + 1, base + 2, ... until NameIsUnique.
AnsiString UniqueName(const TComponent* owner, const AnsiString& base);
// For a name of at least 3 characters ending in "_" and digits, the part
// before the "_"; otherwise the name.
AnsiString GetOriginalComponentName(const AnsiString& name);
// The part between the first and the second "." (all after the first when
// there is no second; the whole text when there is no ".").
AnsiString ExtractControlName(const AnsiString& text);
// The dotted path of the component's name within its owners.
AnsiString BuildCompName(const TComponent* component);
AnsiString GetCompName(const TComponent* component);

// Registers the class for streaming (classlib/TypInfo.h) unless a class of
// that name is registered; true when this call registered it.
bool SafeRegisterClass(const TClassInfo& cls);
void SafeRegisterClasses(std::span<const TClassInfo* const> classes);
// The handler that registers action classes under a category (a design
// tool installs it); SafeRegisterActions passes the classes on only when
// one is installed and tells whether it did.
using TRegisterActionsProc = std::function<void(const AnsiString& category,
                                                std::span<const TClassInfo* const> classes,
                                                const TClassInfo* resource)>;
extern TRegisterActionsProc RegisterActionsProc;
bool SafeRegisterActions(const AnsiString& category, std::span<const TClassInfo* const> classes,
                         const TClassInfo* resource);

// Verbs: named commands of the design tools, with a state and an action.
using TVerbStateProc = std::function<uint32_t()>;
using TVerbExecuteProc = std::function<void()>;
void RegisterVerb(const AnsiString& name, TVerbStateProc state, TVerbExecuteProc execute);
struct TVerbEntry {
  AnsiString Name;
  TVerbStateProc State;
  TVerbExecuteProc Execute;
};
void RegisterVerbArray(std::span<const TVerbEntry> verbs);
bool GetVerbProcAddr(const AnsiString& name, TVerbStateProc& state, TVerbExecuteProc& execute);
// Runs the verb's action; false when no verb has that name.
bool CallVerbByName(const AnsiString& name);

// A length byte and at most 255 characters.
void WriteShortStr(TStream& stream, const AnsiString& text);
// Standard type names for ids below 25 ("RT_BITMAP"), else the number.
AnsiString StringFromRType(uintptr_t type);
// Numeric ids (below 65536) as their number, names as text.
AnsiString StringFromRName(uintptr_t id, const char* name);
// The parameter type name of an automation variant type code 0-14.
AnsiString VariantTypeName(int32_t code);
AnsiString StringsToString(const TStrings& strings, const AnsiString& delimiter);
// The delimiters of the code designers' syntax.
AnsiString GetDelimiters();
