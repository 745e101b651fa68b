// Node names shared by every node that bears them: a document holds few
// distinct names but many nodes, so each node keeps a pointer to the one
// copy instead of a string of its own. The shared copies live as long as
// the program; to bound them, long names and names beyond a maximum count
// are not shared.
#pragma once

#include <string>

// The shared copy of name; when the name is not shared, a new copy that
// the caller deletes (owned is then true).
const std::u16string* XpShareName(const std::u16string& name, bool& owned);
// The empty name.
const std::u16string* XpEmptyName();
