#include "components/edits/AdvLUEdit.h"

#include <vector>

#include "classlib/AnsiString.h"
#include "classlib/Form.h"

TAdvLUEdit::TAdvLUEdit(TComponent* owner) : TAdvEdit(owner) {}

TAdvLUEdit::~TAdvLUEdit() {
  // The history is saved while this object is whole (see TAdvEdit).
  AutoComplete = nullptr;
  OnAddToHistory = nullptr;
  Accept = nullptr;
  if (FHandle) SavePersist();
}

AnsiString TAdvLUEdit::Compared(const AnsiString& s) const { return MatchCase ? s : AnsiUpperCase(s); }

int TAdvLUEdit::IndexInItems(const AnsiString& s) const {
  for (int i = 0; i < FLookupItems.Count(); ++i)
    if (FLookupItems.Strings(i) == s) return i;
  return -1;
}

void TAdvLUEdit::Change() {
  TAdvEdit::Change();
  FChanged = true;
}

bool TAdvLUEdit::KeyDown(WORD& key) {
  if (key == VK_BACK || key == VK_DELETE) {
    FComplete = false;
  } else if (key == VK_RETURN) {
    AnsiString t = AnsiUpperCase(Text());
    for (int i = 0; i < FLookupItems.Count(); ++i) {
      if (AnsiUpperCase(FLookupItems.Strings(i)) == t) {
        SetText(FLookupItems.Strings(i));
        Change();
        break;
      }
    }
  } else {
    FComplete = true;
  }
  return TAdvEdit::KeyDown(key);
}

void TAdvLUEdit::KeyUp(WORD key) {
  if (FChanged && key != VK_BACK && key != VK_DELETE) LookupText();
  FChanged = false;
}

void TAdvLUEdit::LookupText() {
  if (!FComplete) return;
  AnsiString value = Text();
  int caret = ValueSelStart();
  if (caret > static_cast<int>(value.size())) caret = static_cast<int>(value.size());
  AnsiString typed = value.substr(0, caret);
  if (typed.empty()) return;  // nothing typed completes nothing
  AnsiString key = Compared(typed);
  for (int i = 0; i < FLookupItems.Count(); ++i) {
    AnsiString entry = FLookupItems.Strings(i);
    if (entry.size() < typed.size() || Compared(entry.substr(0, typed.size())) != key) continue;
    AnsiString rest = entry.substr(typed.size(), 255);
    if (AutoComplete) AutoComplete(this, typed, rest, i);
    // The completion stays within the length the edit takes.
    int room = FMaxLength > 0 ? FMaxLength - static_cast<int>(Prefix().size() + Suffix().size())
                                    - static_cast<int>(typed.size())
                              : static_cast<int>(rest.size());
    if (room < static_cast<int>(rest.size())) rest.resize(room < 0 ? 0 : room);
    if (rest.empty()) return;
    SetText(typed + rest);
    SetModified(true);
    SetSelectedValue(static_cast<int>(typed.size()), static_cast<int>(rest.size()));
    return;
  }
  if (FLookupItems.Count() == 0 && !value.empty() && FileLookup) FileLookupText(value);
}

bool TAdvLUEdit::FileLookupText(const AnsiString& value) {
  WIN32_FIND_DATAA fd;
  AnsiString pattern = value + "*";
  HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  size_t cut = value.find_last_of(":\\");
  AnsiString folder = cut == AnsiString::npos ? AnsiString() : value.substr(0, cut + 1);
  AnsiString part = value.substr(folder.size());
  AnsiString name = fd.cFileName;
  if (name.empty() || name[0] == '.') return false;
  if (!part.empty() && AnsiUpperCase(name.substr(0, part.size())) != AnsiUpperCase(part)) return false;
  SetText(folder + name);
  SetModified(true);
  SetSelectedValue(static_cast<int>(value.size()),
                   static_cast<int>(folder.size() + name.size() - value.size()));
  return true;
}

void TAdvLUEdit::DoExit() {
  if (FRefocusing) return;
  AnsiString t = Text();
  bool accept = true;
  if (Accept) Accept(this, t, IndexInItems(t), accept);
  if (!accept) {
    FRefocusing = true;
    SetFocus();
    FRefocusing = false;
    return;
  }
  if (AutoHistory && !t.empty() && IndexInItems(t) < 0) {
    FLookupItems.Add(t);
    if (OnAddToHistory) OnAddToHistory(this, t);
    if (AutoSynchronize && Owner()) {
      for (int i = 0; i < Owner()->ComponentCount(); ++i) {
        auto* other = dynamic_cast<TAdvLUEdit*>(Owner()->Components(i));
        if (other && other != this && other->AutoHistory &&
            other->FLookupPersist.Key == FLookupPersist.Key)
          other->FLookupItems.Assign(FLookupItems);
      }
    }
  }
  TAdvEdit::DoExit();
}

void TAdvLUEdit::Loaded() {
  TAdvEdit::Loaded();
}

void TAdvLUEdit::LoadPersist() {
  TAdvEdit::LoadPersist();
  if (!FLookupPersist.Enable) return;
  bool reg = FLookupPersist.Location == plRegistry;
  AnsiString file = PersistFile(FLookupPersist.Key);
  HKEY key = nullptr;
  if (reg && RegOpenKeyExA(HKEY_CURRENT_USER,
                           (FLookupPersist.Key + "\\" + FLookupPersist.Section).c_str(), 0,
                           KEY_READ, &key) != ERROR_SUCCESS)
    return;
  FLookupItems.Clear();
  for (int i = 1;; ++i) {
    AnsiString name = "Item" + std::to_string(i);
    std::vector<char> buf(4096);
    AnsiString v;
    if (reg) {
      DWORD size = static_cast<DWORD>(buf.size() - 1), type = 0;
      if (RegQueryValueExA(key, name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buf.data()), &size) == ERROR_SUCCESS &&
          type == REG_SZ)
        v.assign(buf.data(), strnlen(buf.data(), size));
    } else {
      GetPrivateProfileStringA(FLookupPersist.Section.c_str(), name.c_str(), "", buf.data(),
                               static_cast<DWORD>(buf.size()), file.c_str());
      v = buf.data();
    }
    if (v.empty()) break;
    FLookupItems.Add(v);
  }
  if (key) RegCloseKey(key);
}

void TAdvLUEdit::SavePersist() {
  TAdvEdit::SavePersist();
  if (!FLookupPersist.Enable) return;
  bool reg = FLookupPersist.Location == plRegistry;
  AnsiString file = PersistFile(FLookupPersist.Key);
  HKEY key = nullptr;
  if (reg && RegCreateKeyExA(HKEY_CURRENT_USER,
                             (FLookupPersist.Key + "\\" + FLookupPersist.Section).c_str(), 0,
                             nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                             nullptr) != ERROR_SUCCESS)
    return;
  int count = FLookupItems.Count();
  int n = FLookupPersist.MaxCount ? FLookupPersist.Count : count;
  int skip = FLookupPersist.MaxCount && count > n ? count - n : 0;
  auto write = [&](const AnsiString& name, const char* value) {
    if (reg) {
      if (value)
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(strlen(value) + 1));
      else
        RegDeleteValueA(key, name.c_str());
    } else {
      WritePrivateProfileStringA(FLookupPersist.Section.c_str(), name.c_str(), value,
                                 file.c_str());
    }
  };
  for (int i = 1; i <= n; ++i) {
    int item = skip + i - 1;
    AnsiString v = item < count ? FLookupItems.Strings(item) : AnsiString();
    write("Item" + std::to_string(i), v.c_str());
  }
  // Items a longer history left above the new end are removed, so that a
  // later load does not read them back.
  for (int i = n + 1;; ++i) {
    AnsiString name = "Item" + std::to_string(i);
    char buf[4] = {};
    bool present;
    if (reg) {
      present = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                ERROR_SUCCESS;
    } else {
      present = GetPrivateProfileStringA(FLookupPersist.Section.c_str(), name.c_str(), "\x01",
                                         buf, sizeof buf, file.c_str()) != 1 ||
                buf[0] != '\x01';
    }
    if (!present) break;
    write(name, nullptr);
  }
  if (key) RegCloseKey(key);
}
