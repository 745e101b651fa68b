#pragma once
// Data kept as RCDATA resources (language neutral, named by text): read
// from a module, and written into an executable file on disk.
#include <windows.h>

#include <cstdint>

#include "classlib/AnsiString.h"

// Finds, loads and locks the RCDATA resource name of module (the program's
// own when null). Returns its handle, with data and size; null when the
// module has no such resource.
HGLOBAL GetResData(const AnsiString& name, const void*& data, uint32_t& size, HMODULE module = nullptr);
void ReleaseResData(HGLOBAL handle);
// The resource's bytes as text, up to a terminating zero; empty when absent.
AnsiString LoadStringFromRCData(const AnsiString& name, HMODULE module = nullptr);

// Writes data as RCDATA resource name into the executable file, keeping
// its other resources. False when the file could not be updated.
bool AddRCDataResource(const AnsiString& file, const AnsiString& name, const void* data, uint32_t size);
// The text with its terminating zero.
bool AddStringResource(const AnsiString& file, const AnsiString& name, const AnsiString& text);
