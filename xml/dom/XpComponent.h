#pragma once
// Base component of the XML library's components (object model, parser).
#include "classlib/Component.h"

// The library's version number times 10000.
inline constexpr int32_t XpVersionNumber = 25700;

class TXpComponent : public TComponent {
 public:
  using TComponent::TComponent;
  // The library version, "2.5700"; not stored in form resources.
  AnsiString Version() const;
  // Writing the version is ignored.
  void SetVersion(const AnsiString&) {}
};
