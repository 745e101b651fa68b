#include "classlib/SizeConstraints.h"

#include "classlib/Exception.h"
#include "classlib/TypInfo.h"

namespace {
const TPropInfo kConstraintsProps[] = {
    OrdProp<&TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight>("MaxHeight", TypeInfoInteger(), 0),
    OrdProp<&TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth>("MaxWidth", TypeInfoInteger(), 0),
    OrdProp<&TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight>("MinHeight", TypeInfoInteger(), 0),
    OrdProp<&TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth>("MinWidth", TypeInfoInteger(), 0),
};
}  // namespace

const TClassInfo TSizeConstraints::Info{"TSizeConstraints", "Controls", &TPersistent::Info, kConstraintsProps};

void TSizeConstraints::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TSizeConstraints*>(&source);
  if (!other) return TPersistent::Assign(source);
  FMaxHeight = other->FMaxHeight;
  FMaxWidth = other->FMaxWidth;
  FMinHeight = other->FMinHeight;
  FMinWidth = other->FMinWidth;
  Change();
}

int TSizeConstraints::Constrain(int v, int minimum, int maximum) {
  if (maximum > 0 && v > maximum) v = maximum;
  if (minimum > 0 && v < minimum) v = minimum;
  return v;
}

void TSizeConstraints::SetMaxHeight(int v) {
  FMaxHeight = v < 0 ? 0 : v;
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
  Change();
}

void TSizeConstraints::SetMaxWidth(int v) {
  FMaxWidth = v < 0 ? 0 : v;
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
  Change();
}

void TSizeConstraints::SetMinHeight(int v) {
  FMinHeight = v < 0 ? 0 : v;
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
  Change();
}

void TSizeConstraints::SetMinWidth(int v) {
  FMinWidth = v < 0 ? 0 : v;
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
  Change();
}

void TSizeConstraints::Change() {
  if (OnChange) OnChange();
}
