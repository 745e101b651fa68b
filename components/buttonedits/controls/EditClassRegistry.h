#pragma once
// Finding the inner editor and the popup for a property by the property's
// type name (and, where one is given, the property's name as a qualifier).
// The lists are views of the runtime's packaged registries (EditClasses,
// PopupClasses in DesignRegistries.h): a registration made here or there is
// found by both. Registering a class with a factory also makes it known to
// the streaming by name (classlib's GetClass).
#include "classlib/AnsiString.h"
#include "classlib/Component.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/DesignRegistries.h"

#include <memory>
#include <vector>

// Makes a control of a registered class.
using TComponentFactory = TComponent* (*)(TComponent* owner);
// Registers the class for streaming unless a class of that name is known;
// true when this call registered it.
bool SafeRegisterClass(const AnsiString& className, TComponentFactory factory);
// The factory of a class registered for streaming; null when unknown.
TComponentFactory FindRegisteredClass(const AnsiString& className);
// The type of that name: classlib's own for its standard types (such as
// "AnsiString", "Boolean"), else one made once per name.
const TTypeInfo& TypeInfoByName(const AnsiString& typeName);

struct TEditClassEntry {
  AnsiString TypeName;   // the property type, such as "TColor"
  AnsiString PropName;   // qualifier; empty serves every property of the type
  AnsiString ClassName;  // the registered class
};

class TEditClassList {
 public:
  // A list of its own.
  TEditClassList();
  // A view of a registry that someone else keeps.
  explicit TEditClassList(TPackagedCollection& items) : FItems(&items) {}
  TEditClassList(const TEditClassList&) = delete;
  TEditClassList& operator=(const TEditClassList&) = delete;

  void Register(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                TComponentFactory factory);
  // Removes every entry of the class.
  void UnRegister(const AnsiString& className);
  // The class registered last for the type and qualifier (type names and
  // qualifiers compare without case); an entry without qualifier serves
  // when none carries this one. Empty when none.
  AnsiString Find(const AnsiString& typeName, const AnsiString& propName = AnsiString()) const;
  std::vector<TEditClassEntry> Items() const;
  TPackagedCollection& Collection() const { return *FItems; }

 private:
  std::unique_ptr<TPackagedCollection> FOwn;
  TPackagedCollection* FItems;
};

// Views of PopupClasses() and EditClasses().
TEditClassList& PopupClassList();
TEditClassList& EditClassList();

void RegisterPopupClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                              TComponentFactory factory);
void RegisterEditClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                             TComponentFactory factory);
void UnRegisterPopupClassByType(const AnsiString& className);
void UnRegisterEditClassByType(const AnsiString& className);
