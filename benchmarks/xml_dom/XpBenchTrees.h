// Trees the XML benchmarks build: an entry-file-like document of schools,
// teams and athletes (ours and libxml2's of the same shape), and helpers
// for resident memory. The Windows tree, which has no libxml2, builds ours
// alone (KEL_BENCH_WITHOUT_LIBXML2).
#pragma once

#include <cstdint>
#include <string>

#include "xml/dom/XpDocument.h"

// 1 + 12 x 14 elements and 3 + 12 x (2 + 13 x 2) attributes per school,
// below <?xml version="1.0"?> and one root element.
void BuildSchools(TXpDocument* doc, int schools);
#ifndef KEL_BENCH_WITHOUT_LIBXML2
#include <libxml/tree.h>
xmlDocPtr BuildSchoolsLibXml2(int schools);
#endif

// The largest event's entry file: 12 classes x 20 teams x 13 athletes,
// 23,216 elements and 49,123 attributes, built as the entry-file command
// builds it.
void BuildEntryFile(TXpDocument* doc);

#ifndef KEL_BENCH_WITHOUT_LIBXML2
int64_t ResidentBytes();
void ReleaseFreeMemory();
#endif
