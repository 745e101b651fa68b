#pragma once
// The 108-byte header at the start of each of an event's three data files.
#include <cstddef>
#include <cstdint>

#include "app/core/LeInt.h"

struct DataFileHeader {
  char banner[62];  // CR LF text lines, no terminator
  uint8_t zero[38];
  LeInt32 magic;    // kDataFileMagic
  LeInt32 version;  // 300 in files written by the blank-file writer
};

static_assert(sizeof(DataFileHeader) == 108);
static_assert(offsetof(DataFileHeader, magic) == 100);
static_assert(offsetof(DataFileHeader, version) == 104);

inline constexpr int32_t kDataFileMagic = 12345678;

// The header template of the program: byte 0 zero, the magic, and 1 at
// offset 104 until blank files are written.
DataFileHeader& DataHeaderTemplate();
// Puts the banner and the value 300 into the template before blank files
// are written.
void PrepareBlankFileHeader();
