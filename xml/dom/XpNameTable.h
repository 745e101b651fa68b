// Node names shared by every node that bears them: a document holds few
// distinct names but many nodes, so each node keeps a pointer to the one
// copy instead of a string of its own. A node of a document's arena shares
// the arena's copy, which lives as long as the arena (see XpNodePool.h);
// other nodes share a copy that lives as long as the program: to bound
// those, long names and names beyond a maximum count are not shared.
#pragma once

#include <string>

struct TXpNodeArena;

// The shared copy of name; when the name is not shared, a new copy that
// the caller deletes (owned is then true).
const std::u16string* XpShareName(const std::u16string& name, bool& owned);
// The copy of name in arena (see above for a null arena).
const std::u16string* XpShareName(const std::u16string& name, bool& owned, TXpNodeArena* arena);
// As XpShareName for a name that must be a valid XML name: null when it is
// not one (an arena checks each of its names once).
const std::u16string* XpShareValidName(const std::u16string& name, bool& owned,
                                       TXpNodeArena* arena);
// The names of an arena, freed with it.
struct TXpNameSet;
void XpFreeNameSet(TXpNameSet* names);
// The empty name.
const std::u16string* XpEmptyName();
