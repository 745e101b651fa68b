#pragma once
// Keeps selected properties of a form's components, and the form's window
// position, in the registry between sessions. Each line of PropList names a
// property as object path, ".", property name (PropLines.h); the values go
// to the registry value Key, the position below "Forms\<Key>".
#include "classlib/Component.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"

#include <functional>
#include <memory>

// Asked before loading or saving; setting `skip` leaves it out.
using TProcessChangesProc = std::function<void(TObject* sender, bool& skip)>;

class TDCPropStore : public TComponent {
 public:
  explicit TDCPropStore(TComponent* owner);
  ~TDCPropStore() override;
  // Published: IgnoreErrors, Key, PropList, StorePos, Version.
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  // True (the default): faults of the stored data are passed over without a
  // word. False: each is shown in a message box whose OK goes on and whose
  // Cancel ends the loading with the fault. Damaged data that cannot be
  // read further ends the loading after the same choice.
  bool IgnoreErrors() const { return FIgnoreErrors; }
  void SetIgnoreErrors(bool value) { FIgnoreErrors = value; }
  // The registry value; when none is set, the owner's Name followed by the
  // store's Name.
  AnsiString Key() const;
  void SetKey(const AnsiString& key) { FKey = key; }
  bool KeyStored() const { return !FKey.empty(); }
  TStrings* PropList() const { return &FPropList; }
  bool StorePos() const { return FStorePos; }
  void SetStorePos(bool value) { FStorePos = value; }
  int32_t Version() const { return FVersion; }
  void SetVersion(int32_t value) { FVersion = value; }

  TProcessChangesProc OnLoadChanges;
  TProcessChangesProc OnSaveChanges;

  // Called once the store is set up (after its properties are read): joins
  // the closing of the nearest form among its owners, so that the values are
  // saved when the form may close and still has its window, then loads.
  void Loaded();
  void Load();
  void Save();

 private:
  // Whether loading goes on past the fault.
  bool ReadError(const AnsiString& message);

  bool FIgnoreErrors = true;
  AnsiString FKey;
  mutable TStringList FPropList;
  bool FStorePos = true;
  int32_t FVersion = 0;
  // Cleared when the store is freed, so that the chained handler it left
  // in the form stops calling it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
