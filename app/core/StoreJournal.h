#pragma once
// The undo journal of the entry store. Before an operation writes its
// records in place, the bytes they replace are written to a journal file
// beside the data files, with a checksum, and handed to the system; once
// every write is done the journal is marked empty. A journal found complete
// when the store opens belongs to an operation that did not finish: its old
// bytes are written back. An incomplete one is dropped: its operation had
// not written anything yet. Either way the data files hold one operation
// whole or not at all, whenever the program stops.
//
// Layout (little-endian): "KJRN", the byte count N of the entries, the entry
// count; the entries (file 0/1, three zero bytes, int32 offset, uint32 size,
// the old bytes); the CRC-32 of everything before it. Marked empty by
// zeroing the first four bytes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class StoreJournal {
public:
  // One record write of an operation: `size` bytes of `data` at `offset` of
  // file 0 (teams) or 1 (athletes).
  struct Write {
    int32_t file;
    int32_t offset;
    const void* data;
    size_t size;
  };

  explicit StoreJournal(std::string path);
  // Closes the journal and removes its file (unless an operation could not
  // be undone: then the next opening does it).
  ~StoreJournal();
  // The same, first trying once more to undo an operation that could not be
  // undone when it failed. False when the journal is kept.
  bool close(std::FILE* const files[2]);
  StoreJournal(const StoreJournal&) = delete;
  StoreJournal& operator=(const StoreJournal&) = delete;

  // Makes every write of the operation, or none: true when all were written;
  // false when one failed, with the files holding their old bytes again
  // (or, if even that failed, with the journal kept for the next opening).
  bool apply(std::FILE* const files[2], const std::vector<Write>& writes);

  // Brings the data files back to a whole state after a crash: writes back
  // the old bytes of a complete journal at `path` and removes the journal.
  // False when a complete journal could not be written back (it is kept).
  static bool Recover(const std::string& path, std::FILE* const files[2], const int64_t sizes[2]);

private:
  bool open();
  // Writes the old bytes of the journal back and marks it empty.
  bool rollBack(std::FILE* const files[2]);

  std::string path_;
  std::FILE* file_ = nullptr;
  std::vector<uint8_t> record_;
  bool pending_ = false;  // the last operation could not be undone yet
};

// CRC-32 (IEEE 802.3) of a byte block.
uint32_t Crc32(const uint8_t* data, size_t n);
