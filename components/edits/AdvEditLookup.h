#pragma once
// The suggestion list of the enhanced edit: its settings, and the pop-up
// list box under the edit with the entries that start with the typed
// fragment, with a window procedure of its own.
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "classlib/Color.h"
#include "classlib/GdiHandle.h"
#include "classlib/Persistent.h"
#include "classlib/StringList.h"

class TLookupSettings : public TPersistent {
 public:
  bool CaseSensitive = false;
  TColor Color = clWindow;
  int DisplayCount = 4;
  TStringList DisplayList;
  bool Enabled = false;
  bool History = false;
  int NumChars = 2;
  TStringList ValueList;
  bool Multi = false;
  char Separator = ';';
};

class TAdvEditLookup {
 public:
  TAdvEditLookup() = default;
  ~TAdvEditLookup();
  TAdvEditLookup(const TAdvEditLookup&) = delete;
  TAdvEditLookup& operator=(const TAdvEditLookup&) = delete;

  // The entries of DisplayList that start with the fragment (in the case
  // the settings ask for), sorted, each with its index in DisplayList.
  static std::vector<std::pair<AnsiString, int>> Matches(const TLookupSettings& settings,
                                                         const AnsiString& fragment);

  // Shows the matches below the edit, under the character `charIndex` of
  // its text; an empty list hides it.
  void Show(HWND edit, const TLookupSettings& settings,
            const std::vector<std::pair<AnsiString, int>>& matches, int charIndex);
  void Hide();
  // The edit's window goes: the list, owned by it, goes with it.
  void Destroy();
  // The list while it is shown, else null.
  HWND Window() const;
  // The shown entries in shown order.
  std::vector<AnsiString> Entries(const TLookupSettings& settings) const;
  // The DisplayList index of the selected line, or -1.
  int SelectedIndex() const;
  // Home, End, Up, Down, Page Up and Page Down move the selection (by
  // `page` lines for the page keys); false for other keys.
  bool MoveSelection(WORD key, int page);

  // A click on a line: the edit takes the entry.
  std::function<void()> OnPick;

 private:
  static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM w, LPARAM l);
  LRESULT ButtonUp(UINT msg, WPARAM w, LPARAM l);
  LRESULT MouseActivate(UINT msg, WPARAM w, LPARAM l);
  bool Create(HWND edit);
  // Fills the list; answers the width of the widest entry (at least 50).
  int Fill(const std::vector<std::pair<AnsiString, int>>& matches);

  HWND FWindow = nullptr;
  WNDPROC FDefProc = nullptr;
  TGdiHandle<HFONT> FFont;
  std::vector<int> FIndex;
};
