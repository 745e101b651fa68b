// AddressSanitizer defaults for the fuzz targets (options given in
// ASAN_OPTIONS still win).
//
// Freed memory waits in a quarantine before it is handed out again, so that
// a use after free hits poisoned memory. By default the quarantine holds
// 256 MB: a target that frees a few hundred kilobytes a run then cycles
// through more memory than any cache holds, and the system faults its
// pages in again and again, which costs more than the run itself. A run
// frees far less than 16 MB, so a use after free within a run, or in the
// next few dozen runs, is still caught.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
