#pragma once
// The registries through which the library's design-time tools find their
// editors, popup classes, code designers and palette classes, the abstract
// interfaces those tools implement, and helpers over classes, component
// names and design positions.
#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/FileSystem.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// --- packaged registries --------------------------------------------------

// The package group and module that registrations made now belong to.
extern int32_t CurrentPackageGroup;
extern const void* CurrentPackageModule;

class TPackagedItem : public TCollectionItem {
 public:
  // Records the current package group and module.
  explicit TPackagedItem(TCollection* collection);
  int32_t Group;
  const void* Module;
};

// One registration of an editor or popup class: the class, the property
// type it serves, a property name and the owning class (null: any).
class TRegisteredClassItem : public TPackagedItem {
 public:
  using TPackagedItem::TPackagedItem;
  const TClassInfo* RegisteredClass = nullptr;
  const TTypeInfo* PropType = nullptr;
  AnsiString PropName;
  const TClassInfo* OwnerClass = nullptr;
};
using TPopupClassInfo = TRegisteredClassItem;
using TEditClassInfo = TRegisteredClassItem;
using TEditSourceClassInfo = TRegisteredClassItem;

class TPackagedCollection : public TCollection {
 public:
  TPackagedCollection();
  // Frees, from the end, every item of the group.
  void DeleteItems(int32_t group);
  // The handler of the "free edit group" message: its first parameter is
  // the group.
  void CMFreeEditGroup(int32_t group) { DeleteItems(group); }
  // The last item; null when empty.
  TRegisteredClassItem* Last() const;
  TRegisteredClassItem* Item(int32_t index) const { return static_cast<TRegisteredClassItem*>(Items(index)); }
};

TPackagedCollection& PopupClasses();
TPackagedCollection& EditClasses();
TPackagedCollection& EditSourceClasses();

// Add an item with the four values and register the class for streaming.
void RegisterPopupClass(const TTypeInfo* propType, const TClassInfo* ownerClass, const AnsiString& propName,
                        const TClassInfo& cls);
void RegisterEditClass(const TTypeInfo* propType, const TClassInfo* ownerClass, const AnsiString& propName,
                       const TClassInfo& cls);
void RegisterEditSource(const TTypeInfo* propType, const TClassInfo* ownerClass, const AnsiString& propName,
                        const TClassInfo& cls);
// Remove every registration of the class.
void UnRegisterPopupClass(const TClassInfo& cls);
void UnRegisterEditClass(const TClassInfo& cls);
// Editor classes that edit plain text.
void RegisterTextEditClass(const TClassInfo& cls);
bool IsTextEditClass(const TClassInfo& cls);
// The most specific registration for a property: same type, the owning
// class or an ancestor of it (or any), and the same name (or any); later
// registrations win among equals. Null when none.
TRegisteredClassItem* FindRegisteredClassItem(const TPackagedCollection& classes, const TTypeInfo* propType,
                                              const TClassInfo* ownerClass, const AnsiString& propName);

// --- code designers ---------------------------------------------------------

// A code designer edits the source behind a form or unit.
class TCodeDesigner : public TComponent {
 public:
  explicit TCodeDesigner(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  virtual void SetStrings(const TStrings& source) = 0;
  virtual void GetStrings(TStrings& dest) = 0;
  virtual AnsiString CreateMethod(const AnsiString& name, const AnsiString& typeName) = 0;
  virtual void ShowMethod(const AnsiString& name) = 0;
  virtual void RenameMethod(const AnsiString& oldName, const AnsiString& newName) = 0;
  virtual void DeleteMethod(const AnsiString& name) = 0;
  virtual void DeleteEmptyMethods() = 0;
  virtual void GetMethods(const AnsiString& typeName, TStrings& names) = 0;
  virtual bool MethodExists(const AnsiString& name) = 0;

  virtual void InsertComponent(const AnsiString&, const AnsiString&) {}
  virtual void DeleteComponent(const AnsiString&) {}
  virtual void RenameComponent(const AnsiString&, const AnsiString&) {}
  virtual bool ValidIdentifier(const AnsiString& name);
  virtual int32_t GetMethodState(const AnsiString&) { return 0; }
  virtual void GetUsedUnits(TStrings&) {}
  virtual void UseUnits(const TStrings&) {}
  virtual void FillWithTemplate() {}
  virtual AnsiString TypeToString(const TTypeInfo& type) { return type.Name ? type.Name : ""; }
  virtual const TClassInfo* GetSyntaxParserClass() { return nullptr; }
  virtual void RenameModule(const AnsiString&) {}
  virtual void AutoFillUses() {}
  // Fires OnShowSource with the position when it is assigned.
  virtual void ShowSource(int32_t line, int32_t column);
  // "/{}+-*():=,;><$.#[]^@&~|%'".
  virtual AnsiString GetDelimiters();
  std::function<void(TCodeDesigner& sender, int32_t line, int32_t column)> OnShowSource;
};

// The designer class of a file extension, as a form or as a unit designer
// (the class is also registered for streaming).
void RegisterFormCodeDesigner(const TClassInfo& cls, const AnsiString& extension);
void RegisterUnitCodeDesigner(const TClassInfo& cls, const AnsiString& extension);
// Null when no designer serves the extension (compared without case, with
// or without the dot).
const TClassInfo* GetCodeDesignerClass(const AnsiString& extension);
const TClassInfo* GetFormCodeDesignerClass(const AnsiString& extension);
const TClassInfo* GetUnitCodeDesignerClass(const AnsiString& extension);

class TDCSimpleScripter : public TComponent {
 public:
  using TComponent::TComponent;
  virtual void BeginDesign() = 0;
  virtual void EndDesign() = 0;
  virtual void CreateEvent(const AnsiString& name) = 0;
  virtual void RenameEvent(const AnsiString& oldName, const AnsiString& newName) = 0;
  virtual void EventDeleted(const AnsiString& name) = 0;
};

// The value adapter of an edit with buttons: the edit shows GetValue and
// hands its committed text to SetValue.
class TEditSource : public TComponent {
 public:
  using TComponent::TComponent;
  virtual AnsiString GetValue() const = 0;
  virtual void SetValue(const AnsiString& value) = 0;
  // Called before an edit begins; nothing by default.
  virtual void StartEdit() {}
};

// --- palette classes ---------------------------------------------------------

// A class offered by the palette: its categories (bits by category
// ordinal), its page, whether it is an icon class.
class TClassItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  const TClassInfo* ItemClass = nullptr;
  uint32_t Categories = 0;
  AnsiString Page;
  bool IsIconClass = false;
};

class TClassItems : public TCollection {
 public:
  TClassItems();
  TClassItem* Item(int32_t index) const { return static_cast<TClassItem*>(Items(index)); }
  // The item of the class, or null.
  TClassItem* Find(const TClassInfo& cls) const;
  // The item of the class, made when there is none.
  TClassItem* Add(const TClassInfo& cls);
  // Classes whose categories hold the category.
  std::vector<const TClassInfo*> ListFieldClasses(uint32_t category) const;
};
TClassItems& ClassItems();

// Registers each class for streaming and in ClassItems with the categories,
// gives it the page when it has none, then broadcasts 2069.
void RegisterNonVelmor(std::span<const TClassInfo* const> classes, const AnsiString& page, uint32_t categories);
// While it is on, RegisterForVelmor calls nothing.
extern bool VelmorReportMode;
void RegisterForVelmor(const std::function<void()>& registration);

// --- classes, components, names -------------------------------------------

// The class's own published methods (TypInfo.h) and its name as its class
// record holds them.
std::span<const TMethodEntry> MethodTable(const TClassInfo& cls);
const char* ClassNamePtr(const TClassInfo& cls);
// The nearest class both inherit from; null when there is none.
const TClassInfo* GetCommonParent(const TClassInfo* a, const TClassInfo* b);
// The same over the classes of all listed objects; null for none.
const TClassInfo* GetCommonClassesParent(const std::vector<TObject*>& objects);
// Broadcasts 2044 with the component and the property name.
void EditStringsProperty(TComponent* component, const AnsiString& propName);
AnsiString GetColItemDisplayName(const TCollectionItem* item);
void SetColItemDisplayName(TCollectionItem* item, const AnsiString& name);
// The component's design position: left in the low, top in the high 16
// bits of its design information.
struct TDesignPoint {
  int16_t X = 0;
  int16_t Y = 0;
};
TDesignPoint GetComponentTopLeft(const TComponent& component);
void SetComponentTopLeft(TComponent& component, TDesignPoint point);
// Calls `proc` with the name of every component owned by the root(s) (or,
// when `owner` is given, by it) whose class is `cls` or inherits from it.
void CompNamesToProc(const TComponent* root, const TComponent* owner, const TClassInfo& cls,
                     const std::function<void(const AnsiString&)>& proc);
void CompListNamesToProc(const std::vector<TComponent*>& roots, const TComponent* owner, const TClassInfo& cls,
                         const std::function<void(const AnsiString&)>& proc);
// Passes over a resource header in front of a streamed component (a 0xFF
// byte, the type word, the name, the flags and the size); false when there
// was none and the position is unchanged.
bool SmartSkipResHeader(TStream& stream);
// The registered class named at the start of a streamed component; the
// position is left where it was. Null when unknown or not a stream.
const TClassInfo* GetClassFromStream(TStream& stream);
// A name relative to the base file's folder (or the base folder) made
// absolute through the file system of the descriptor; the file system's
// current folder is restored.
AnsiString ExpandRelativeFileName(const AnsiString& baseFile, const AnsiString& name, const AnsiString& descriptor);
AnsiString ExpandRelativePath(const AnsiString& baseFolder, const AnsiString& name, const AnsiString& descriptor);
// A hint without a trailing "CONTROL" word, trimmed.
AnsiString ExtractActiveXHint(const AnsiString& text);

// A sorted list of classes or objects.
class TListWrapper {
 public:
  int32_t GetCount() const { return static_cast<int32_t>(FItems.size()); }
  const TClassInfo* GetClass(int32_t index) const { return static_cast<const TClassInfo*>(FItems[index]); }
  TObject* GetObject(int32_t index) const { return static_cast<TObject*>(const_cast<void*>(FItems[index])); }
  // Keeps the items ordered by address; an item is held once.
  void Add(const void* item);
  void Remove(const void* item);

 private:
  std::vector<const void*> FItems;
};
