#pragma once
// The registries through which an edit with buttons finds the inner editor
// and the popup for a property by the property's type name (and, where one
// is given, the property's name as a qualifier). Registering a class also
// makes it known to the streaming by name.
#include "classlib/AnsiString.h"
#include "components/buttonedits/runtime/Naming.h"

#include <vector>

struct TEditClassInfo {
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
  const std::vector<TEditClassInfo>& Items() const { return FItems; }

 private:
  std::vector<TEditClassInfo> FItems;
};

TEditClassList& PopupClasses();
TEditClassList& EditClasses();

void RegisterPopupClass(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                        TComponentFactory factory);
void RegisterEditClass(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                       TComponentFactory factory);
void UnRegisterPopupClass(const AnsiString& className);
void UnRegisterEditClass(const AnsiString& className);
