#pragma once
// Option objects: the published properties of an options class, kept in the
// settings file or the registry under the class's key and carried to and
// from the option control registered for the class.
#include "classlib/Persistent.h"
#include "classlib/TypInfo.h"

#include <cstdint>
#include <memory>
#include <vector>

// The unit-wide switch: option objects are kept in the settings file
// (DCIniFileName, ObjectStreams.h) instead of the registry.
extern bool DCUseIniFile;

class TOptionExt : public TPersistent {
 public:
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  // The class name without its first letter.
  AnsiString GetKey() const;
  // From or to the section or registry path of the key, inside
  // BeginUpdate/EndUpdate.
  void LoadConfig();
  void SaveConfig();
  void BeginUpdate() { ++FUpdateCount; }
  // Leaving the last update calls Update.
  void EndUpdate();
  int32_t UpdateCount() const { return FUpdateCount; }

  // The option control registered for the class name; null when there is
  // none (the object then works without one).
  TPersistent* GetOptionControl();
  bool CreatedWithoutControl() { return GetOptionControl() == nullptr; }
  // The control's values into this object.
  virtual void ApplyOptions();
  // This object's values into the control.
  virtual void InitValues();
  // Shows the values in the control; nothing while updating.
  virtual void Update();
  // Enables or disables parts of the control; nothing here.
  virtual void UpdateDisabled() {}
  // From another option object: every published property, then Update.
  void Assign(const TPersistent& source) override;

 private:
  int32_t FUpdateCount = 0;
};

// The option controls by options class name (the caller keeps ownership).
void RegisterOptionControl(const AnsiString& optionsClassName, TPersistent* control);
void UnRegisterOptionControl(const AnsiString& optionsClassName);

// Routines that initialise each option object added to the list.
using TOptionsInitializator = void (*)(TOptionExt& options);
void RegisterOptionsInitializator(TOptionsInitializator proc);
void UnRegisterOptionsInitializator(TOptionsInitializator proc);

// One option object per options class.
class TOptionExtList {
 public:
  // Takes the object, marks its class as an options class and runs the
  // initialisers on it; an object of a class already listed replaces it.
  TOptionExt* Add(std::unique_ptr<TOptionExt> options);
  // The object of the class (name without case); null when none.
  TOptionExt* GetOptionsByClass(const AnsiString& className) const;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  void Clear() { FItems.clear(); }
  // SaveConfig of every object.
  void SaveGlobalOptions();

 private:
  std::vector<std::unique_ptr<TOptionExt>> FItems;
};
TOptionExtList& OptionExtList();
TOptionExt* GetOptionsByClass(const AnsiString& className);
void SaveGlobalOptions();
