#pragma once
// The registries through which an edit with buttons finds the inner editor
// and the popup for a property by the property's type name (and, where one
// is given, the property's name as a qualifier). Registering a class also
// makes it known to the streaming by name.
#include "classlib/AnsiString.h"
#include "classlib/Component.h"

#include <functional>
#include <vector>

// Control classes the streaming can create by name, until the controls carry
// class tables of their own and join the runtime's packaged registries.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
// Registers the class unless a class of that name is registered; true when
// this call registered it.
bool SafeRegisterClass(const AnsiString& className, TComponentFactory factory);
// The factory of a registered class; empty when unknown.
TComponentFactory FindRegisteredClass(const AnsiString& className);

struct TEditClassEntry {
  AnsiString TypeName;   // the property type, such as "TColor"
  AnsiString PropName;   // qualifier; empty serves every property of the type
  AnsiString ClassName;  // the registered class
};

class TEditClassList {
 public:
  void Register(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                TComponentFactory factory);
  // Removes every entry of the class.
  void UnRegister(const AnsiString& className);
  // The class registered last for the type and qualifier (type names and
  // qualifiers compare without case); an entry without qualifier serves
  // when none carries this one. Empty when none.
  AnsiString Find(const AnsiString& typeName, const AnsiString& propName = AnsiString()) const;
  const std::vector<TEditClassEntry>& Items() const { return FItems; }

 private:
  std::vector<TEditClassEntry> FItems;
};

TEditClassList& PopupClassList();
TEditClassList& EditClassList();

void RegisterPopupClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                        TComponentFactory factory);
void RegisterEditClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                       TComponentFactory factory);
void UnRegisterPopupClassByType(const AnsiString& className);
void UnRegisterEditClassByType(const AnsiString& className);
