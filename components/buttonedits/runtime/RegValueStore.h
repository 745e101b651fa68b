#pragma once
// Where the registry helpers keep their values: the system registry on
// Windows (RegistryStore.h), or a store in memory. A value is addressed by
// its key path and name and has one of three kinds.
#include "classlib/AnsiString.h"

#include <cstdint>
#include <map>
#include <vector>

enum class TRegDataKind { String, Integer, Binary };

class TRegValueStore {
 public:
  virtual ~TRegValueStore() = default;
  // Whether the key exists (and can be opened).
  virtual bool KeyExists(const AnsiString& key) = 0;
  // Creates the key when needed; false when it cannot be written.
  virtual bool WriteValue(const AnsiString& key, const AnsiString& name, TRegDataKind kind,
                          const std::vector<uint8_t>& data) = 0;
  // False when the key or the value is missing.
  virtual bool ReadValue(const AnsiString& key, const AnsiString& name, TRegDataKind& kind,
                         std::vector<uint8_t>& data) = 0;
  // Removes the key with everything below it; true when it is gone.
  virtual bool DeleteKey(const AnsiString& key) = 0;
  // Whether one value is limited in size, so that long buffers are cut into
  // chunks (Windows versions other than NT).
  virtual bool ChunkLongValues() const { return false; }
};

// A store in memory, for platforms without a registry and for tests.
class TMemoryRegStore : public TRegValueStore {
 public:
  bool KeyExists(const AnsiString& key) override;
  bool WriteValue(const AnsiString& key, const AnsiString& name, TRegDataKind kind,
                  const std::vector<uint8_t>& data) override;
  bool ReadValue(const AnsiString& key, const AnsiString& name, TRegDataKind& kind,
                 std::vector<uint8_t>& data) override;
  bool DeleteKey(const AnsiString& key) override;
  bool ChunkLongValues() const override { return Chunked; }
  bool Chunked = false;
  int32_t Writes = 0;

 private:
  struct Value {
    TRegDataKind Kind;
    std::vector<uint8_t> Data;
  };
  // Keys without case, as the registry compares them.
  std::map<AnsiString, std::map<AnsiString, Value>> FKeys;
};

// The store every registry helper uses: the system registry on Windows, a
// memory store elsewhere, unless one was set.
TRegValueStore& RegStore();
// Null returns to the default store. The caller keeps ownership.
void SetRegStore(TRegValueStore* store);
// The store of the registry's classes root (file types, type libraries):
// the system's on Windows, one in memory elsewhere.
TRegValueStore& ClassesRootStore();
