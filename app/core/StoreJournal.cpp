#include "app/core/StoreJournal.h"

#include "app/core/FileSystem.h"

#include <array>
#include <cstring>
#include <utility>

namespace {

constexpr uint8_t kMagic[4] = {'K', 'J', 'R', 'N'};
constexpr size_t kHeaderSize = 12;
constexpr size_t kEntryHeaderSize = 12;
// The largest journal an operation of the store writes is a whole class of
// teams and athletes; anything much larger is not one of ours.
constexpr uint32_t kMaxEntryBytes = 1u << 20;

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  return table;
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t n) {
  const std::array<uint32_t, 256>& t = CrcTable();
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) c = t[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

StoreJournal::StoreJournal(std::string path) : path_(std::move(path)) {}

StoreJournal::~StoreJournal() {
  kel::FileSystem& fs = kel::fileSystem();
  if (file_) {
    fs.close(file_);
    if (!pending_) fs.remove(path_);
  }
}

bool StoreJournal::close(std::FILE* const files[2]) {
  kel::FileSystem& fs = kel::fileSystem();
  if (pending_ && rollBack(files)) pending_ = false;
  // Still not undone: the whole record is written once more, so that the
  // next opening finds it complete.
  if (pending_ && file_) {
    fs.write(file_, 0, record_.data(), record_.size());
    fs.flush(file_, true);
  }
  if (file_) {
    fs.close(file_);
    file_ = nullptr;
    if (!pending_) fs.remove(path_);
  }
  return !pending_;
}

bool StoreJournal::open() {
  if (!file_) file_ = kel::fileSystem().open(path_, "w+b");
  return file_ != nullptr;
}

bool StoreJournal::apply(std::FILE* const files[2], const std::vector<Write>& writes) {
  kel::FileSystem& fs = kel::fileSystem();
  for (const Write& w : writes)
    if (w.file < 0 || w.file > 1 || !files[w.file] || w.size > kMaxEntryBytes) return false;
  if (!open()) return false;
  if (pending_) {
    if (!rollBack(files)) return false;
    pending_ = false;
  }

  // The journal record: the old bytes of every place about to be written.
  size_t entryBytes = 0;
  for (const Write& w : writes) entryBytes += kEntryHeaderSize + w.size;
  record_.assign(kHeaderSize + entryBytes + 4, 0);
  std::memcpy(record_.data(), kMagic, 4);
  PutU32(record_, 4, static_cast<uint32_t>(entryBytes));
  PutU32(record_, 8, static_cast<uint32_t>(writes.size()));
  size_t at = kHeaderSize;
  for (const Write& w : writes) {
    record_[at] = static_cast<uint8_t>(w.file);
    PutU32(record_, at + 4, static_cast<uint32_t>(w.offset));
    PutU32(record_, at + 8, static_cast<uint32_t>(w.size));
    if (!fs.read(files[w.file], w.offset, &record_[at + kEntryHeaderSize], w.size)) return false;
    at += kEntryHeaderSize + w.size;
  }
  PutU32(record_, at, Crc32(record_.data(), at));
  // Until the record is complete the data files are untouched. Its mark goes
  // last, so that a record cut off never joins the rest of an older one.
  if (!fs.write(file_, 4, &record_[4], record_.size() - 4) || !fs.flush(file_, false) ||
      !fs.write(file_, 0, kMagic, sizeof kMagic) || !fs.flush(file_, false))
    return false;

  static const uint8_t kEmpty[4] = {};
  bool ok = true;
  for (const Write& w : writes)
    if (!fs.write(files[w.file], w.offset, w.data, w.size)) {
      ok = false;
      break;
    }
  for (int i = 0; i < 2 && ok; ++i)
    if (files[i] && !fs.flush(files[i], false)) ok = false;
  // Marked empty, the journal no longer undoes the operation.
  if (ok) ok = fs.write(file_, 0, kEmpty, sizeof kEmpty) && fs.flush(file_, false);
  if (ok) return true;

  // Back to the old bytes; when that fails too, the journal stays complete
  // and is written back before the next operation or at the next opening.
  pending_ = !rollBack(files);
  return false;
}

bool StoreJournal::rollBack(std::FILE* const files[2]) {
  kel::FileSystem& fs = kel::fileSystem();
  const size_t entryBytes = record_.size() - kHeaderSize - 4;
  for (size_t at = kHeaderSize; at < kHeaderSize + entryBytes;) {
    const int32_t file = record_[at];
    const size_t size = GetU32(&record_[at + 8]);
    if (!fs.write(files[file], static_cast<int32_t>(GetU32(&record_[at + 4])), &record_[at + kEntryHeaderSize], size))
      return false;
    at += kEntryHeaderSize + size;
  }
  for (int i = 0; i < 2; ++i)
    if (files[i] && !fs.flush(files[i], false)) return false;
  static const uint8_t kEmpty[4] = {};
  return fs.write(file_, 0, kEmpty, sizeof kEmpty) && fs.flush(file_, false);
}

bool StoreJournal::Recover(const std::string& path, std::FILE* const files[2], const int64_t sizes[2]) {
  kel::FileSystem& fs = kel::fileSystem();
  std::FILE* f = fs.open(path, "rb");
  if (!f) return true;  // no journal
  const int64_t size = fs.size(f);
  std::vector<uint8_t> b;
  if (size >= static_cast<int64_t>(kHeaderSize + 4) && size <= static_cast<int64_t>(kHeaderSize + 4 + 2 * kMaxEntryBytes)) {
    b.resize(static_cast<size_t>(size));
    if (!fs.read(f, 0, b.data(), b.size())) b.clear();
  }
  fs.close(f);

  // A complete record: magic, sizes within the file, entries within the data
  // files, checksum. Anything else was cut off before any record write.
  bool complete = b.size() >= kHeaderSize + 4 && std::memcmp(b.data(), kMagic, 4) == 0;
  const size_t entryBytes = complete ? GetU32(&b[4]) : 0;
  complete = complete && entryBytes <= b.size() - kHeaderSize - 4 &&
             GetU32(&b[kHeaderSize + entryBytes]) == Crc32(b.data(), kHeaderSize + entryBytes);
  struct Entry {
    int32_t file;
    int64_t offset;
    size_t size, at;
  };
  std::vector<Entry> entries;
  if (complete) {
    const uint32_t count = GetU32(&b[8]);
    size_t at = kHeaderSize;
    for (uint32_t i = 0; i < count && complete; ++i) {
      if (entryBytes - (at - kHeaderSize) < kEntryHeaderSize) {
        complete = false;
        break;
      }
      Entry e{b[at], static_cast<int32_t>(GetU32(&b[at + 4])), GetU32(&b[at + 8]), at + kEntryHeaderSize};
      complete = e.file <= 1 && e.offset >= 0 && e.size <= entryBytes - (e.at - kHeaderSize) &&
                 e.offset + static_cast<int64_t>(e.size) <= sizes[e.file] && files[e.file];
      entries.push_back(e);
      at = e.at + e.size;
    }
    complete = complete && at == kHeaderSize + entryBytes;
  }
  if (complete) {
    for (const Entry& e : entries)
      if (!fs.write(files[e.file], e.offset, &b[e.at], e.size)) return false;
    for (int i = 0; i < 2; ++i)
      if (files[i] && !fs.flush(files[i], true)) return false;
  }
  fs.remove(path);
  return true;
}
