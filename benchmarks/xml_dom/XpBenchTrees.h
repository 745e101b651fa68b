// Trees the XML benchmarks build: an entry-file-like document of schools,
// teams and athletes (ours and libxml2's of the same shape), and helpers
// for resident memory.
#pragma once

#include <libxml/tree.h>

#include <cstdint>
#include <string>

#include "xml/dom/XpDocument.h"

// 1 + 12 x 14 elements and 3 + 12 x (2 + 13 x 2) attributes per school,
// below <?xml version="1.0"?> and one root element.
void BuildSchools(TXpDocument* doc, int schools);
xmlDocPtr BuildSchoolsLibXml2(int schools);

// The largest event's entry file: 12 classes x 20 teams x 13 athletes,
// 23,216 elements and 49,123 attributes, built as the entry-file command
// builds it.
void BuildEntryFile(TXpDocument* doc);

int64_t ResidentBytes();
void ReleaseFreeMemory();
