#pragma once
// Helpers the edits and components share: window positions kept in the
// registry (below the runtime's default key), and the classification of
// "hot" texts (web and mail addresses) with the shell call that opens them.
#include <functional>

#include "classlib/Bitmap.h"
#include "classlib/Control.h"
#include "classlib/Font.h"
#include "classlib/WinControl.h"

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

// WM_GETMINMAXINFO of an editor window: at least 320 x 240; maximised below
// the form (unless `whole`) or over the whole work area.
void CalcEditorMinMaxInfo(MINMAXINFO& info, TControl* form, bool whole);
// A single border: the sunken client edge when `ctl3D`, else WS_BORDER.
void UpdateParamsWithBorderStyle(TCreateParams& params, bool singleBorder, bool ctl3D);

// The thumb's tracking position.
int GetScrollPosEx(HWND window, int bar);
// Sets and redraws only a changed position.
void _SetScrollPos(HWND window, int bar, int position);
void _SetScrollSize(HWND window, int bar, int minimum, int maximum, int page);

TEXTMETRICA GetFontMetrics(TFont& font);
int GetMaxFontWidth(TFont& font);
int GetAveFontWidth(TFont& font);
// The height of "Wg" and of "x".
int GetMaxFontHeight(TFont& font);
int GetMinFontHeight(TFont& font);
bool IsFontMonoSpaced(TFont& font);

// Makes the bitmap an 8 x 8 checkerboard: pixels whose x and y have the
// same parity take the foreground.
void CreateBrushPatternEx(TBitmap& bitmap, COLORREF background, COLORREF foreground);
void CreateBrushPattern(TBitmap& bitmap);
// Stretches the source onto the target; source pixels of `transparent`
// leave the target as it was.
void StretchBltTransparent(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight, COLORREF transparent);

// Compares the file's extension with `extension` (both without the dot),
// ignoring case.
bool CheckFileExt(const AnsiString& file, const AnsiString& extension);
