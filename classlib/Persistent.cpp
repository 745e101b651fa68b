#include "classlib/Persistent.h"

#include "classlib/Exception.h"

void TPersistent::Assign(const TPersistent&) {
  throw EConvertError("Zuweisung an dieses Objekt ist nicht möglich.");
}
