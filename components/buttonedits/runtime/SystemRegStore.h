#pragma once
// The system registry as a value store, below one root key (the current
// user's unless SetRootRegKey chose another).
#include <windows.h>

#include "components/buttonedits/runtime/RegValueStore.h"

class TSystemRegStore : public TRegValueStore {
 public:
  explicit TSystemRegStore(HKEY root = HKEY_CURRENT_USER) : FRoot(root) {}
  void SetRoot(HKEY root) { FRoot = root; }
  HKEY Root() const { return FRoot; }

  bool KeyExists(const AnsiString& key) override;
  bool WriteValue(const AnsiString& key, const AnsiString& name, TRegDataKind kind,
                  const std::vector<uint8_t>& data) override;
  bool ReadValue(const AnsiString& key, const AnsiString& name, TRegDataKind& kind,
                 std::vector<uint8_t>& data) override;
  bool DeleteKey(const AnsiString& key) override;
  bool ChunkLongValues() const override;

 private:
  HKEY FRoot;
};

// Sets the root key of the shared registry store.
void SetRootRegKey(HKEY root);
// Whether the system is of the Windows NT family.
bool UnderWindowsNT();
