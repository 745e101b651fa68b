#pragma once
// Registration of window classes of this module, shared by every window
// family: a class is registered once, and a later request for a class of a
// name already taken leaves the registered class as it is.
#include <windows.h>

// Registers `wc` unless its module has a class of that name already; true
// when this call registered it.
bool RegisterWindowClassOnce(const WNDCLASSA& wc);
// A class of this program's module with the given class style, procedure
// and cursor (null: none) and nothing else; true when this call registered it.
bool RegisterWindowClassOnce(const char* name, UINT style, WNDPROC proc = DefWindowProcA,
                             HCURSOR cursor = nullptr);
