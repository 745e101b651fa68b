#include "xml/dom/XpComponent.h"

#include "classlib/Format.h"

// Built from the integer so that no locale can turn the point into a comma.
AnsiString TXpComponent::Version() const {
  return Format("%d.%04d", static_cast<int>(XpVersionNumber / 10000), static_cast<int>(XpVersionNumber % 10000));
}
