#pragma once
// Helpers the edits and components share: window positions kept in the
// registry (below the runtime's default key), and the classification of
// "hot" texts (web and mail addresses) with the shell call that opens them.
#include <functional>

#include "classlib/Control.h"

// Writes the window placement as "Forms\<key>\WinPos" and, for a form, its
// window state (0 normal, 1 minimised, 2 maximised) as
// "Forms\<key>\WindowState". Only for a control with a window.
void WriteWinPosToReg(TControl* control, const AnsiString& key);
// Restores what WriteWinPosToReg wrote. A missing or incomplete value, or a
// position on no visible monitor, changes nothing.
void ReadWinPosFromReg(TControl* control, const AnsiString& key);

// "MAILTO:" in any case, or one "@" followed by a letter, digit or "_" and
// later by a ".".
bool IsEmailString(const AnsiString& text);
// Begins with "WWW.", "HTTP://", "GOPHER://" or "FTP://" (any case).
bool IsWWWString(const AnsiString& text);
// Web or mail address, or what the installed hook says.
bool IsStringHot(const AnsiString& text);
extern std::function<bool(const AnsiString& text)> IsStringHotHook;
// Opens the text with the shell.
void JumpToURL(const AnsiString& text);
