#include "classlib/Persistent.h"

#include "classlib/Exception.h"
#include "classlib/TypInfo.h"

const TClassInfo TObject::Info{"TObject", "System", nullptr, {}};
const TClassInfo TPersistent::Info{"TPersistent", "Classes", &TObject::Info, {}};

const char* TObject::ClassName() const { return ClassInfo().ClassName; }

void TPersistent::Assign(const TPersistent&) {
  throw EConvertError("Zuweisung an dieses Objekt ist nicht möglich.");
}
