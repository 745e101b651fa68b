#pragma once
// Settings kept in the registry below one default key: binary buffers
// (long ones cut into chunks where one value is limited), typed values,
// string lists, and a memory stream backed by a registry value.
#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "components/buttonedits/runtime/RegValueStore.h"
#include "components/buttonedits/runtime/Variant.h"

#include <cstdint>

// The default key every path is relative to.
extern AnsiString RegistryKey;
// "Software\Tarnel Company\" + name.
AnsiString GetTarnelRegKey(const AnsiString& name);
// Splits RegistryKey + "\" + path into key and value name.
void SplitRegPath(const AnsiString& path, AnsiString& key, AnsiString& name);

// An empty path writes nothing.
bool WriteBufToRegistry(const AnsiString& path, const void* buffer, int32_t size);
// Bytes read (at most `size`); 0 when the key does not open.
int32_t ReadBufFromRegistry(const AnsiString& path, void* buffer, int32_t size);
// The value's size; -1 when the key does not open or the value is missing.
int32_t GetRegBufSize(const AnsiString& path);

// The header value of a chunked buffer: "__Long RegKey__", the total size
// and the chunk size as ten digits each, 36 characters in all.
constexpr int32_t LongRegChunkSize = 8192;
AnsiString LongRegHeader(int32_t total, int32_t chunk);
bool WriteLongBufToRegistry(const AnsiString& path, const void* buffer, int32_t size);
int32_t ReadLongBufFromRegistry(const AnsiString& path, void* buffer, int32_t size);
int32_t GetLongRegBufSize(const AnsiString& path);

// By the value's kind; other kinds raise "Dieser Typ wird nicht durch
// WriteToRegistry unterstützt".
void WriteToRegistry(const AnsiString& path, const Variant& value);
// The stored value read as the default's kind; the default when it is
// missing or of another kind.
Variant ReadFromRegistry(const AnsiString& path, const Variant& defaultValue);
bool RegValueExists(const AnsiString& path);
void WriteStringsToRegistry(const AnsiString& path, const TStrings& strings);
void ReadStringsFromRegistry(const AnsiString& path, TStrings& strings);
// Deletes root key\subkey with all below it; true when it is gone.
bool DCDeleteRegKey(const AnsiString& key, const AnsiString& subkey);

// A memory stream loaded from a registry value (long-buffer aware) and
// written back when it is freed, but only when it was changed.
class TRegistryStream : public TMemoryStream {
 public:
  static constexpr uint16_t ModeCreate = 65535;
  // ModeCreate writes an empty value at once; any other mode loads the
  // value when it exists.
  TRegistryStream(const AnsiString& path, uint16_t mode);
  ~TRegistryStream() override;
  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t size) override;
  // Writes the data back now when changed; false when that failed.
  bool Flush();

 private:
  AnsiString FPath;
  int64_t FSizeRead = -1;
  bool FModified = false;
};
