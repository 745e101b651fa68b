#include "components/buttonedits/runtime/DesignRegistries.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "classlib/Filer.h"
#include "components/buttonedits/runtime/FileCalls.h"
#include "components/buttonedits/runtime/LibHelpers.h"
#include "components/buttonedits/runtime/Naming.h"
#include "components/buttonedits/runtime/Notifiers.h"
#include "components/buttonedits/runtime/ObjectParams.h"

int32_t CurrentPackageGroup = 0;
const void* CurrentPackageModule = nullptr;
bool VelmorReportMode = false;

const TClassInfo TCodeDesigner::Info = PublishClass<TCodeDesigner>("TCodeDesigner", "dcsystem", TComponent::Info, {});

namespace {

const TClassInfo kPackagedItemInfo{"TPackagedItem", "dcsystem", &TCollectionItem::Info, {}};
const TClassInfo kClassItemInfo{"TClassItem", "dcsystem", &TCollectionItem::Info, {}};

void AddRegistration(TPackagedCollection& classes, const TTypeInfo* propType, const TClassInfo* ownerClass,
                     const AnsiString& propName, const TClassInfo& cls) {
  auto* item = static_cast<TRegisteredClassItem*>(classes.Add());
  item->RegisteredClass = &cls;
  item->PropType = propType;
  item->PropName = propName;
  item->OwnerClass = ownerClass;
  SafeRegisterClass(cls);
}

void RemoveRegistrations(TPackagedCollection& classes, const TClassInfo& cls) {
  for (int32_t i = classes.Count() - 1; i >= 0; --i)
    if (classes.Item(i)->RegisteredClass == &cls) classes.Delete(i);
}

std::vector<const TClassInfo*>& TextEditClasses() {
  static std::vector<const TClassInfo*> classes;
  return classes;
}

AnsiString NormalExtension(const AnsiString& extension) {
  AnsiString e = AnsiUpperCase(TrimText(extension));
  if (!e.empty() && e[0] == '.') e.erase(0, 1);
  return e;
}

void RegisterCodeDesigner(const TClassInfo& cls, const AnsiString& extension, bool forUnit) {
  const AnsiString names[] = {"CodeDes.ForUnit", "CodeDes.Extension"};
  const Variant values[] = {Variant::Boolean(forUnit), Variant::String(NormalExtension(extension))};
  RegisterClassExt(cls.ClassName, names, values, 2);
  SafeRegisterClass(cls);
}

// 0: either kind, 1: forms, 2: units.
const TClassInfo* FindCodeDesigner(const AnsiString& extension, int kind) {
  const AnsiString ext = NormalExtension(extension);
  const auto items = GetItemsEx("CodeDes.Extension", Variant::String(ext));
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    const bool forUnit = (*it)->GetParamByName("CodeDes.ForUnit").AsBool();
    if (kind == 1 && forUnit) continue;
    if (kind == 2 && !forUnit) continue;
    if (const TClassInfo* cls = GetClass((*it)->ClassName)) return cls;
  }
  return nullptr;
}

int32_t ClassDepth(const TClassInfo* cls) {
  int32_t depth = 0;
  for (; cls; cls = cls->Parent) ++depth;
  return depth;
}

// "a\b\..\c" and "a/./b" made plain; the root (drive, leading separator)
// is kept.
AnsiString NormalisePath(const AnsiString& path) {
  const char sep = filecalls::Separator();
  size_t at = 0;
  AnsiString root;
  if (path.size() >= 2 && path[1] == ':') {
    root = path.substr(0, 2);
    at = 2;
  }
  if (at < path.size() && (path[at] == '\\' || path[at] == '/')) {
    root += sep;
    ++at;
  }
  std::vector<AnsiString> parts;
  while (at <= path.size()) {
    size_t end = path.find_first_of("\\/", at);
    if (end == AnsiString::npos) end = path.size();
    const AnsiString part = path.substr(at, end - at);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..")
        parts.pop_back();
      else if (root.empty())
        parts.push_back(part);
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = end + 1;
  }
  AnsiString out = root;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += sep;
    out += parts[i];
  }
  return out;
}

bool IsAbsolute(const AnsiString& path) {
  return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() >= 2 && path[1] == ':');
}

}  // namespace

TPackagedItem::TPackagedItem(TCollection* collection)
    : TCollectionItem(collection), Group(CurrentPackageGroup), Module(CurrentPackageModule) {}

TPackagedCollection::TPackagedCollection() : TCollection(kPackagedItemInfo, FactoryOf<TRegisteredClassItem>()) {}

void TPackagedCollection::DeleteItems(int32_t group) {
  for (int32_t i = Count() - 1; i >= 0; --i)
    if (Item(i)->Group == group) Delete(i);
}

TRegisteredClassItem* TPackagedCollection::Last() const { return Count() ? Item(Count() - 1) : nullptr; }

TPackagedCollection& PopupClasses() {
  static TPackagedCollection classes;
  return classes;
}

TPackagedCollection& EditClasses() {
  static TPackagedCollection classes;
  return classes;
}

TPackagedCollection& EditSourceClasses() {
  static TPackagedCollection classes;
  return classes;
}

void RegisterPopupClass(const TTypeInfo* propType, const TClassInfo* ownerClass, const AnsiString& propName,
                        const TClassInfo& cls) {
  AddRegistration(PopupClasses(), propType, ownerClass, propName, cls);
}

void RegisterEditClass(const TTypeInfo* propType, const TClassInfo* ownerClass, const AnsiString& propName,
                       const TClassInfo& cls) {
  AddRegistration(EditClasses(), propType, ownerClass, propName, cls);
}

void RegisterEditSource(const TTypeInfo* propType, const TClassInfo* ownerClass, const AnsiString& propName,
                        const TClassInfo& cls) {
  AddRegistration(EditSourceClasses(), propType, ownerClass, propName, cls);
}

void UnRegisterPopupClass(const TClassInfo& cls) { RemoveRegistrations(PopupClasses(), cls); }

void UnRegisterEditClass(const TClassInfo& cls) { RemoveRegistrations(EditClasses(), cls); }

void RegisterTextEditClass(const TClassInfo& cls) {
  if (!IsTextEditClass(cls)) TextEditClasses().push_back(&cls);
}

bool IsTextEditClass(const TClassInfo& cls) {
  for (const TClassInfo* c : TextEditClasses())
    if (InheritsFrom(cls, *c)) return true;
  return false;
}

TRegisteredClassItem* FindRegisteredClassItem(const TPackagedCollection& classes, const TTypeInfo* propType,
                                              const TClassInfo* ownerClass, const AnsiString& propName) {
  TRegisteredClassItem* best = nullptr;
  int32_t bestScore = -1;
  for (int32_t i = 0; i < classes.Count(); ++i) {
    TRegisteredClassItem* item = classes.Item(i);
    if (item->PropType != propType) continue;
    if (item->OwnerClass && (!ownerClass || !InheritsFrom(*ownerClass, *item->OwnerClass))) continue;
    if (!item->PropName.empty() && AnsiCompareText(item->PropName, propName) != 0) continue;
    const int32_t score = ClassDepth(item->OwnerClass) * 2 + (item->PropName.empty() ? 0 : 1);
    if (score >= bestScore) {
      best = item;
      bestScore = score;
    }
  }
  return best;
}

bool TCodeDesigner::ValidIdentifier(const AnsiString& name) {
  if (name.empty() || !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_')) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

void TCodeDesigner::ShowSource(int32_t line, int32_t column) {
  if (OnShowSource) OnShowSource(*this, line, column);
}

AnsiString TCodeDesigner::GetDelimiters() { return ::GetDelimiters(); }

void RegisterFormCodeDesigner(const TClassInfo& cls, const AnsiString& extension) {
  RegisterCodeDesigner(cls, extension, false);
}

void RegisterUnitCodeDesigner(const TClassInfo& cls, const AnsiString& extension) {
  RegisterCodeDesigner(cls, extension, true);
}

const TClassInfo* GetCodeDesignerClass(const AnsiString& extension) { return FindCodeDesigner(extension, 0); }
const TClassInfo* GetFormCodeDesignerClass(const AnsiString& extension) { return FindCodeDesigner(extension, 1); }
const TClassInfo* GetUnitCodeDesignerClass(const AnsiString& extension) { return FindCodeDesigner(extension, 2); }

TClassItems::TClassItems() : TCollection(kClassItemInfo, FactoryOf<TClassItem>()) {}

TClassItem* TClassItems::Find(const TClassInfo& cls) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (Item(i)->ItemClass == &cls) return Item(i);
  return nullptr;
}

TClassItem* TClassItems::Add(const TClassInfo& cls) {
  if (TClassItem* item = Find(cls)) return item;
  auto* item = static_cast<TClassItem*>(TCollection::Add());
  item->ItemClass = &cls;
  return item;
}

std::vector<const TClassInfo*> TClassItems::ListFieldClasses(uint32_t category) const {
  std::vector<const TClassInfo*> out;
  for (int32_t i = 0; i < Count(); ++i)
    if (category < 32 && (Item(i)->Categories >> category & 1u)) out.push_back(Item(i)->ItemClass);
  return out;
}

TClassItems& ClassItems() {
  static TClassItems items;
  return items;
}

void RegisterNonVelmor(std::span<const TClassInfo* const> classes, const AnsiString& page, uint32_t categories) {
  for (const TClassInfo* cls : classes) {
    if (!cls) continue;
    SafeRegisterClass(*cls);
    TClassItem* item = ClassItems().Add(*cls);
    item->Categories |= categories;
    if (item->Page.empty()) item->Page = page;
  }
  SimpleBroadCast(2069);
}

void RegisterForVelmor(const std::function<void()>& registration) {
  if (!VelmorReportMode && registration) registration();
}

std::span<const TMethodEntry> MethodTable(const TClassInfo& cls) { return cls.Methods; }

const char* ClassNamePtr(const TClassInfo& cls) { return cls.ClassName; }

const TClassInfo* GetCommonParent(const TClassInfo* a, const TClassInfo* b) {
  for (const TClassInfo* c = a; c; c = c->Parent)
    if (b && InheritsFrom(*b, *c)) return c;
  return nullptr;
}

const TClassInfo* GetCommonClassesParent(const std::vector<TObject*>& objects) {
  const TClassInfo* common = nullptr;
  bool first = true;
  for (TObject* o : objects) {
    if (!o) continue;
    common = first ? &o->ClassInfo() : GetCommonParent(common, &o->ClassInfo());
    first = false;
  }
  return common;
}

void EditStringsProperty(TComponent* component, const AnsiString& propName) {
  BroadCastToNotifiers(component, 2044, reinterpret_cast<uintptr_t>(component),
                       reinterpret_cast<intptr_t>(propName.c_str()));
}

AnsiString GetColItemDisplayName(const TCollectionItem* item) { return item ? item->DisplayName() : AnsiString(); }

void SetColItemDisplayName(TCollectionItem* item, const AnsiString& name) {
  if (item) item->SetDisplayName(name);
}

TDesignPoint GetComponentTopLeft(const TComponent& component) {
  const auto info = static_cast<uint32_t>(component.DesignInfo());
  return {static_cast<int16_t>(info & 0xFFFF), static_cast<int16_t>(info >> 16)};
}

void SetComponentTopLeft(TComponent& component, TDesignPoint point) {
  const uint32_t info = static_cast<uint16_t>(point.X) | static_cast<uint32_t>(static_cast<uint16_t>(point.Y)) << 16;
  component.SetDesignInfo(static_cast<int32_t>(info));
}

void CompNamesToProc(const TComponent* root, const TComponent* owner, const TClassInfo& cls,
                     const std::function<void(const AnsiString&)>& proc) {
  const TComponent* from = owner ? owner : root;
  if (!from) return;
  for (int32_t i = 0; i < from->ComponentCount(); ++i) {
    const TComponent* c = from->Components(i);
    if (!c->Name().empty() && InheritsFrom(c->ClassInfo(), cls)) proc(c->Name());
  }
}

void CompListNamesToProc(const std::vector<TComponent*>& roots, const TComponent* owner, const TClassInfo& cls,
                         const std::function<void(const AnsiString&)>& proc) {
  if (owner) return CompNamesToProc(nullptr, owner, cls, proc);
  for (const TComponent* root : roots) CompNamesToProc(root, nullptr, cls, proc);
}

bool SmartSkipResHeader(TStream& stream) {
  const int64_t start = stream.Position();
  uint8_t b = 0;
  if (stream.Read(&b, 1) != 1 || b != 0xFF) {
    stream.SetPosition(start);
    return false;
  }
  try {
    uint8_t word[2];
    stream.ReadBuffer(word, 2);  // type
    stream.ReadBuffer(&b, 1);
    if (b == 0xFF) {
      stream.ReadBuffer(word, 2);  // numeric name
    } else {
      while (b != 0) stream.ReadBuffer(&b, 1);  // zero-terminated name
    }
    uint8_t rest[6];
    stream.ReadBuffer(rest, 6);  // flags and size
  } catch (const EReadError&) {
    stream.SetPosition(start);
    return false;
  }
  return true;
}

const TClassInfo* GetClassFromStream(TStream& stream) {
  const int64_t start = stream.Position();
  const TClassInfo* cls = nullptr;
  try {
    SmartSkipResHeader(stream);
    TReader reader(stream);
    reader.ReadSignature();
    cls = GetClass(reader.ReadStr());
  } catch (const EReadError&) {
    cls = nullptr;
  }
  stream.SetPosition(start);
  return cls;
}

AnsiString ExpandRelativePath(const AnsiString& baseFolder, const AnsiString& name, const AnsiString& descriptor) {
  if (IsAbsolute(name)) return NormalisePath(name);
  TFileSystem* fs = GetFileSystem(descriptor);
  const AnsiString previous = fs->GetCurrentDir();
  if (!baseFolder.empty()) fs->SetCurrentDir(baseFolder);
  const AnsiString current = fs->GetCurrentDir();
  const AnsiString result = NormalisePath(current.empty() ? name : current + filecalls::Separator() + name);
  fs->SetCurrentDir(previous);
  ReleaseFileSystem(fs);
  return result;
}

AnsiString ExpandRelativeFileName(const AnsiString& baseFile, const AnsiString& name, const AnsiString& descriptor) {
  const size_t sep = baseFile.find_last_of("\\/:");
  return ExpandRelativePath(sep == AnsiString::npos ? AnsiString() : baseFile.substr(0, sep + 1), name, descriptor);
}

AnsiString ExtractActiveXHint(const AnsiString& text) {
  AnsiString s = TrimText(text);
  const AnsiString word = "CONTROL";
  if (s.size() >= word.size() && AnsiCompareText(s.substr(s.size() - word.size()), word) == 0) {
    const size_t before = s.size() - word.size();
    if (before == 0 || s[before - 1] == ' ') s = TrimText(s.substr(0, before));
  }
  return s;
}

void TListWrapper::Add(const void* item) {
  auto it = std::lower_bound(FItems.begin(), FItems.end(), item, std::less<const void*>());
  if (it == FItems.end() || *it != item) FItems.insert(it, item);
}

void TListWrapper::Remove(const void* item) {
  auto it = std::lower_bound(FItems.begin(), FItems.end(), item, std::less<const void*>());
  if (it != FItems.end() && *it == item) FItems.erase(it);
}
