#pragma once
// A ready-made input dialog around an enhanced edit: a prompt, the edit and
// OK and Cancel buttons.
#include "components/edits/AdvEdit.h"

// What the dialog applies to its edit.
struct TQueryParams {
  AnsiString Prefix;
  AnsiString Suffix;
  int Precision = 0;
  bool Flat = false;
};

// True with `value` set to the typed text when the dialog ends with OK;
// false (and `value` unchanged) otherwise. `params` may be null.
bool AdvInputQuery(TAdvEditType editType, const TQueryParams* params, const AnsiString& caption,
                   const AnsiString& prompt, AnsiString& value);
