#pragma once
// Selected properties of a component and of the components it owns, kept
// together in one stream. Each line of a property list is an object path,
// ".", and a property name (the path may itself hold dots; a line without
// "." names a property of the owner). Consecutive lines of one object form
// a group. The stream, in the component writer's value encoding, is a
// sequence of groups each introduced by True, and ends with False. A group
// holds the object path (string), its property names (string, one per
// line) and a property block (WritePropsToStream) of exactly those
// properties; a group whose object cannot be found is the string "0" alone.
#include "classlib/Component.h"
#include "classlib/Stream.h"
#include "classlib/StringList.h"

#include <functional>
#include <vector>

struct TPropLineGroup {
  AnsiString Path;  // empty: the owner itself
  std::vector<AnsiString> Names;
};

// The groups of a property list, in order; empty lines are passed over.
std::vector<TPropLineGroup> GroupPropLines(const TStrings& propList);
// The object a path names: the owner's component of that name, else the
// object found globally (GlobalFindObject) under the owner's name, ".",
// path, else under the path alone; the owner for an empty path.
TComponent* FindPropLineObject(TComponent& owner, const AnsiString& path);

void WritePropLines(TStream& stream, TComponent& owner, const TStrings& propList);
// Reads the stored groups back into the objects of the property list's
// groups of the same path. Only properties both stored and listed now are
// read; the others keep their values, and a group left without any is
// passed over. When a component with a Text property ends up with its own
// Name (or Name + CR LF) as Text, its Text from before is put back. Faults
// of a property's data go to `onError`, which may set `handled` to pass
// over the value; an unhandled fault ends the reading with EReadError, as
// does damaged data.
using TPropLineError = std::function<void(const AnsiString& message, bool& handled)>;
void ReadPropLines(TStream& stream, TComponent& owner, const TStrings& propList, const TPropLineError& onError);
