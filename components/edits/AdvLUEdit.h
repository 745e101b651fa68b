#pragma once
// An enhanced edit that completes what is typed from a list of known values
// (or from file names), keeps a history of the values left behind and can
// store that history in an ini file or the registry.
#include "components/edits/AdvEdit.h"

class TLUPersist : public TPersistent {
 public:
  bool Enable = false;
  TPersistenceLocation Location = plInifile;
  AnsiString Key;
  AnsiString Section;
  int Count = 0;
  bool MaxCount = false;
};

using TAutoCompleteEvent =
    std::function<void(TObject* sender, const AnsiString& typed, AnsiString& autoAdd, int index)>;
using TAddToHistoryEvent = std::function<void(TObject* sender, const AnsiString& value)>;
using TEnterAcceptEvent =
    std::function<void(TObject* sender, const AnsiString& value, int index, bool& accept)>;

class TAdvLUEdit : public TAdvEdit {
 public:
  explicit TAdvLUEdit(TComponent* owner);
  ~TAdvLUEdit() override;

  TStringList& LookupItems() { return FLookupItems; }
  TLUPersist& LookupPersist() { return FLookupPersist; }
  bool AutoHistory = false;
  bool AutoSynchronize = false;
  bool FileLookup = false;
  bool MatchCase = false;

  TAutoCompleteEvent AutoComplete;
  TAddToHistoryEvent OnAddToHistory;
  TEnterAcceptEvent Accept;

  void Loaded() override;

 protected:
  void LoadPersist() override;
  void SavePersist() override;
  void Change() override;
  void DoExit() override;
  bool KeyDown(WORD& key) override;
  void KeyUp(WORD key) override;

 private:
  void LookupText();
  bool FileLookupText(const AnsiString& value);
  AnsiString Compared(const AnsiString& s) const;
  int IndexInItems(const AnsiString& s) const;

  TStringList FLookupItems;
  TLUPersist FLookupPersist;
  bool FComplete = true;
  bool FChanged = false;
  bool FRefocusing = false;
};
