#pragma once
// Helpers the edits and components share: window positions kept in the
// registry (below the runtime's default key), the classification of "hot"
// texts (web and mail addresses) with the shell call that opens them,
// stream sniffing, menu, tab, page and form lookups, metrics, bitmaps and
// module lookups.
#include <functional>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Control.h"
#include "classlib/DataModule.h"
#include "classlib/Font.h"
#include "classlib/Form.h"
#include "classlib/ImageList.h"
#include "classlib/Menus.h"
#include "classlib/PageControl.h"
#include "classlib/SpeedButton.h"
#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "classlib/TabControl.h"
#include "classlib/WinControl.h"
#include "components/buttonedits/runtime/Naming.h"
#include "components/buttonedits/runtime/ObjectStreams.h"

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

// The class name of the stream's root component, from the text form (what
// follows the first ":" of the first line) or the binary form (after a
// resource header, when there is one, and the signature); empty when the
// stream holds neither. The position is kept.
AnsiString GetClassNameFromStream(TStream& stream);

// Frees separator items ("-") at both ends and every separator followed by
// another.
void RemoveExtraMenuSeparators(TMenuItem* item);
// Frees the sub-items; the item is enabled unless `disable`.
void ClearMenuSubItems(TMenuItem* item, bool disable);
// One tab forward or back, wrapping at both ends.
void ChangeTab(TTabControl* tabs, bool forward);
// Selects the tab of that caption (any case), adding it when there is none.
void AddNewTab(TTabControl* tabs, const AnsiString& caption);
// Moves every page of `source` to `target`.
void MovePages(TPageControl* source, TPageControl* target);
// Flat on every speed button the owner owns, or on the listed ones.
void SetFlatPropToAll(TComponent* owner, bool flat);
void SetFlatProp(const std::vector<TSpeedButton*>& buttons, bool flat);

// The program's forms.
int ScreenFormCount();
TCustomForm* ScreenForms(int index);
// The first form of class F (descendants included), or null.
template <class F>
F* FindFormWithClass() {
  for (int i = 0; i < ScreenFormCount(); ++i)
    if (auto* f = dynamic_cast<F*>(ScreenForms(i))) return f;
  return nullptr;
}
// Forms are made without an owner: they belong to the application's window
// and the caller frees them.
template <class F>
F* CreateFormWithClass() {
  return new F(nullptr);
}
template <class F>
F* FindOrCreateFormWithClass(TComponent* owner) {
  if (F* f = FindFormWithClass<F>()) return f;
  return new F(owner);
}
// Data modules are made without an owner too.
template <class D>
D* CreateDataModuleWithClass() {
  return new D(nullptr);
}
// Whether the root component of the stream (text or binary form) is of a
// registered class that is a data module; the position is kept.
bool StreamContainsDataModule(TStream& stream);
// The RCDATA resource named like the class in the program's module, or null.
HRSRC GetFormResourceHandler(const AnsiString& className);
// With the switch on, a form with ParentFont takes the main form's font.
extern bool FormFontFromMainForm;
void SetFormFont(TCustomForm* form);
// The global lookup of components by name (GlobalFindObject, FindUniqueName)
// searches the screen's forms and then the data modules, names without case;
// it is installed when this library is linked.
TComponent* FindGlobalComponent(const AnsiString& name);
// Message a form is asked whether it stands aside in FormIsActive (an
// answer other than 0 lets the forms behind it count as active).
constexpr UINT CM_FORMISACTIVEQUERY = 2042;
// Message UpdateEditors sends to every child control.
constexpr UINT CM_UPDATEEDITORS = 2035;
// A form FormIsActive looks past, like the main form.
extern TCustomForm* FormIsActiveSkipForm;
// Whether the form has a visible window and no other visible form stands
// before it in the screen's order, except the main form, the skipped form
// and forms that answer CM_FORMISACTIVEQUERY with a value other than 0.
bool FormIsActive(TCustomForm* form);
// The form that contains the component (parents for controls, else owners).
TCustomForm* GetPForm(TComponent* component);
// The nearest data module among the component's owners, else its form.
TComponent* GetTopOwner(TComponent* component);
// Fires the OnCreate of a data module or a form.
void CallCompOnCreate(TComponent* component);
// Sets the design state of the component and of the components it owns.
void SetDesign(TComponent* component, bool designing);
// Tells the designer of the object's form that it changed: the hook, when
// one is installed (no designer runs inside the program).
extern std::function<void(TCustomForm* form)> DesignerModifiedHook;
void DesignerModified(TComponent* component);
void DesignerSelectComponent(TComponent* component);
// Sends CM_UPDATEEDITORS to every child window of the control.
void UpdateEditors(TWinControl* control);

// The modules loaded into the program.
void ModulesToList(std::vector<HMODULE>& list);
// The modules resources are looked up in: the program's own module.
void ResModulesToList(std::vector<HMODULE>& list);
// The first resource module holding the resource, or null.
HMODULE FindResourceInstance(const char* name, const char* type);
// A file with the extension of a run-time package ("BPL" or "DPL").
bool FileIsPackage(const AnsiString& file);
// The paths of the loaded modules that are packages.
void GetLoadedPackagesPaths(TStrings& paths);

// Redraws the bitmap onto a fresh one of the same size.
void CorrectBitmap(TBitmap& bitmap);
// Replaces the image at `index` with the bitmap, pixels of `transparent`
// masked out.
void ChangeImageList(TImageList& list, TBitmap& bitmap, TColor transparent, int index);
// Draws the image (of the list at `index`, or the bitmap stretched with its
// top-left pixel's colour transparent) on `background` into the rectangle.
void DrawImage(TCanvas& canvas, TImageList& list, TColor background, const RECT& r, int index);
void DrawImage(TCanvas& canvas, TBitmap& bitmap, TColor background, const RECT& r);

// Counts the users of the helpers; the last one frees the option-page lists.
void InitDCHelpers();
void DoneDCHelpers();
