#include "components/buttonedits/runtime/Naming.h"

#include <iterator>
#include <map>

#include "classlib/Format.h"
#include "classlib/TypInfo.h"

namespace {

TFindGlobalComponent& FindGlobal() {
  static TFindGlobalComponent proc;
  return proc;
}

struct Verb {
  TVerbStateProc State;
  TVerbExecuteProc Execute;
};

std::map<AnsiString, Verb>& Verbs() {
  static std::map<AnsiString, Verb> verbs;
  return verbs;
}

}  // namespace

void SetFindGlobalCompProc(TFindGlobalComponent proc) { FindGlobal() = std::move(proc); }
void RemoveFindGlobalCompProc() { FindGlobal() = nullptr; }

TComponent* GlobalFindObject(const AnsiString& name) {
  const auto& find = FindGlobal();
  if (!find || name.empty()) return nullptr;
  if (TComponent* whole = find(name)) return whole;
  const size_t dot = name.rfind('.');
  if (dot == AnsiString::npos) return nullptr;
  TComponent* owner = find(name.substr(0, dot));
  return owner ? owner->FindComponent(name.substr(dot + 1)) : nullptr;
}

AnsiString FindUniqueName(const AnsiString& name) {
  const auto& find = FindGlobal();
  if (!find || !find(name)) return name;
  for (int32_t i = 1;; ++i) {
    const AnsiString candidate = Format("%s_%d", name.c_str(), i);
    if (!find(candidate)) return candidate;
  }
}

bool NameIsUnique(const TComponent* owner, const AnsiString& name) {
  for (; owner; owner = owner->Owner())
    if (owner->FindComponent(name)) return false;
  return true;
}

AnsiString UniqueName(const TComponent* owner, const AnsiString& base) {
  for (int32_t i = 1;; ++i) {
    const AnsiString candidate = base + std::to_string(i);
    if (NameIsUnique(owner, candidate)) return candidate;
  }
}

AnsiString GetOriginalComponentName(const AnsiString& name) {
  if (name.size() < 3) return name;
  const auto us = name.find_last_of('_');
  if (us == AnsiString::npos || us + 1 == name.size()) return name;
  if (name.find_first_not_of("0123456789", us + 1) != AnsiString::npos) return name;
  return name.substr(0, us);
}

AnsiString ExtractControlName(const AnsiString& text) {
  const auto first = text.find('.');
  if (first == AnsiString::npos) return text;
  const auto second = text.find('.', first + 1);
  return text.substr(first + 1, second == AnsiString::npos ? AnsiString::npos : second - first - 1);
}

AnsiString GetCompName(const TComponent* component) { return component ? component->Name() : AnsiString(); }

AnsiString BuildCompName(const TComponent* component) {
  AnsiString path;
  for (; component; component = component->Owner()) {
    if (component->Name().empty()) continue;
    path = path.empty() ? component->Name() : component->Name() + "." + path;
  }
  return path;
}

bool SafeRegisterClass(const TClassInfo& cls) { return !GetClass(cls.ClassName) && RegisterStreamClass(cls); }

TRegisterActionsProc RegisterActionsProc;

bool SafeRegisterActions(const AnsiString& category, std::span<const TClassInfo* const> classes,
                         const TClassInfo* resource) {
  if (!RegisterActionsProc) return false;
  RegisterActionsProc(category, classes, resource);
  return true;
}

void SafeRegisterClasses(std::span<const TClassInfo* const> classes) {
  for (const TClassInfo* cls : classes)
    if (cls) SafeRegisterClass(*cls);
}

void RegisterVerb(const AnsiString& name, TVerbStateProc state, TVerbExecuteProc execute) {
  Verbs()[AnsiUpperCase(name)] = Verb{std::move(state), std::move(execute)};
}

void RegisterVerbArray(std::span<const TVerbEntry> verbs) {
  for (const TVerbEntry& v : verbs) RegisterVerb(v.Name, v.State, v.Execute);
}

bool GetVerbProcAddr(const AnsiString& name, TVerbStateProc& state, TVerbExecuteProc& execute) {
  auto it = Verbs().find(AnsiUpperCase(name));
  if (it == Verbs().end()) return false;
  state = it->second.State;
  execute = it->second.Execute;
  return true;
}

bool CallVerbByName(const AnsiString& name) {
  TVerbStateProc state;
  TVerbExecuteProc execute;
  if (!GetVerbProcAddr(name, state, execute)) return false;
  if (execute) execute();
  return true;
}

void WriteShortStr(TStream& stream, const AnsiString& text) {
  const auto n = static_cast<uint8_t>(text.size() > 255 ? 255 : text.size());
  stream.WriteBuffer(&n, 1);
  if (n) stream.WriteBuffer(text.data(), n);
}

AnsiString StringFromRType(uintptr_t type) {
  static const char* const names[] = {nullptr,          "RT_CURSOR",     "RT_BITMAP",  "RT_ICON",
                                      "RT_MENU",        "RT_DIALOG",     "RT_STRING",  "RT_FONTDIR",
                                      "RT_FONT",        "RT_ACCELERATOR", "RT_RCDATA", "RT_MESSAGETABLE",
                                      "RT_GROUP_CURSOR", nullptr,        "RT_GROUP_ICON", nullptr,
                                      "RT_VERSION",     "RT_DLGINCLUDE", nullptr,      "RT_PLUGPLAY",
                                      "RT_VXD",         "RT_ANICURSOR",  "RT_ANIICON", "RT_HTML",
                                      "RT_MANIFEST"};
  if (type < std::size(names) && names[type]) return names[type];
  return std::to_string(type);
}

AnsiString StringFromRName(uintptr_t id, const char* name) {
  if (!name || id < 65536) return std::to_string(id);
  return name;
}

AnsiString VariantTypeName(int32_t code) {
  static const char* const names[] = {"",         "",         "Smallint", "Longint", "Single",
                                      "Double",   "Currency", "TDateTime", "PWideChar", "Pointer",
                                      "Integer",  "WordBool", "Variant",  "Pointer", "PWideChar"};
  if (code < 0 || code >= static_cast<int32_t>(std::size(names))) return AnsiString();
  return names[code];
}

AnsiString StringsToString(const TStrings& strings, const AnsiString& delimiter) {
  AnsiString r;
  for (int32_t i = 0; i < strings.Count(); ++i) {
    if (i > 0) r += delimiter;
    r += strings.Strings(i);
  }
  return r;
}

AnsiString GetDelimiters() { return "/{}+-*():=,;><$.#[]^@&~|%'"; }
