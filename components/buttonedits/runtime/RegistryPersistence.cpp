#include "components/buttonedits/runtime/RegistryPersistence.h"

#include <cstdio>
#include <cstring>

#include "classlib/Exception.h"
#include "classlib/Format.h"
#include "components/buttonedits/runtime/PathHelpers.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

AnsiString RegistryKey = "Software\\Tarnel Company\\Velmor Report\\Version 4.01";

AnsiString GetTarnelRegKey(const AnsiString& name) { return "Software\\Tarnel Company\\" + name; }

void SplitRegPath(const AnsiString& path, AnsiString& key, AnsiString& name) {
  const AnsiString full = AddSlash(RegistryKey) + path;
  const auto at = full.find_last_of('\\');
  key = RemoveSlash(full.substr(0, at));
  name = full.substr(at + 1);
}

namespace {

std::vector<uint8_t> Bytes(const void* p, size_t n) {
  const auto* b = static_cast<const uint8_t*>(p);
  return std::vector<uint8_t>(b, b + n);
}

std::vector<uint8_t> Le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

std::vector<uint8_t> Le64(uint64_t v) {
  std::vector<uint8_t> r(8);
  for (int i = 0; i < 8; ++i) r[size_t(i)] = uint8_t(v >> (8 * i));
  return r;
}

uint64_t FromLe(const std::vector<uint8_t>& d) {
  uint64_t v = 0;
  for (size_t i = d.size(); i-- > 0;) v = (v << 8) | d[i];
  return v;
}

std::vector<uint8_t> DoubleBytes(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, 8);
  return Le64(bits);
}

double BytesDouble(const std::vector<uint8_t>& data) {
  const uint64_t bits = FromLe(data);
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}

bool ReadRaw(const AnsiString& path, TRegDataKind& kind, std::vector<uint8_t>& data) {
  AnsiString key, name;
  SplitRegPath(path, key, name);
  return RegStore().ReadValue(key, name, kind, data);
}

bool WriteRaw(const AnsiString& path, TRegDataKind kind, const std::vector<uint8_t>& data) {
  if (path.empty()) return false;
  AnsiString key, name;
  SplitRegPath(path, key, name);
  return RegStore().WriteValue(key, name, kind, data);
}

const char kLongTag[] = "__Long RegKey__";

// Total and chunk size of a chunked buffer; false for any other value.
bool ReadLongHeader(const AnsiString& path, int32_t& total, int32_t& chunk) {
  TRegDataKind kind;
  std::vector<uint8_t> data;
  if (!ReadRaw(path, kind, data) || data.size() != 36) return false;
  const AnsiString text(data.begin(), data.end());
  if (text.compare(0, 15, kLongTag) != 0) return false;
  long long t = -1, c = -1;
  char tail = 0;
  if (std::sscanf(text.c_str() + 15, "%10lld %10lld%c", &t, &c, &tail) != 2) return false;
  if (t < 0 || t > INT32_MAX || c <= 0 || c > INT32_MAX) return false;
  total = static_cast<int32_t>(t);
  chunk = static_cast<int32_t>(c);
  return true;
}

}  // namespace

bool WriteBufToRegistry(const AnsiString& path, const void* buffer, int32_t size) {
  return WriteRaw(path, TRegDataKind::Binary, Bytes(buffer, static_cast<size_t>(size > 0 ? size : 0)));
}

int32_t ReadBufFromRegistry(const AnsiString& path, void* buffer, int32_t size) {
  TRegDataKind kind;
  std::vector<uint8_t> data;
  if (!ReadRaw(path, kind, data)) return 0;
  const size_t n = std::min(data.size(), static_cast<size_t>(size > 0 ? size : 0));
  if (n) std::memcpy(buffer, data.data(), n);
  return static_cast<int32_t>(n);
}

int32_t GetRegBufSize(const AnsiString& path) {
  TRegDataKind kind;
  std::vector<uint8_t> data;
  if (!ReadRaw(path, kind, data)) return -1;
  return static_cast<int32_t>(data.size());
}

AnsiString LongRegHeader(int32_t total, int32_t chunk) {
  return kLongTag + Format("%.10d %.10d", total, chunk);
}

bool WriteLongBufToRegistry(const AnsiString& path, const void* buffer, int32_t size) {
  if (!RegStore().ChunkLongValues()) return WriteBufToRegistry(path, buffer, size);
  if (path.empty()) return false;
  size = size > 0 ? size : 0;
  const AnsiString header = LongRegHeader(size, LongRegChunkSize);
  bool ok = WriteRaw(path, TRegDataKind::Binary, Bytes(header.data(), header.size()));
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  for (int32_t at = 0, n = 0; ok && at < size; at += LongRegChunkSize, ++n) {
    const int32_t len = std::min(LongRegChunkSize, size - at);
    ok = WriteRaw(path + "__" + std::to_string(n), TRegDataKind::Binary, Bytes(bytes + at, static_cast<size_t>(len)));
  }
  return ok;
}

int32_t ReadLongBufFromRegistry(const AnsiString& path, void* buffer, int32_t size) {
  int32_t total, chunk;
  if (!ReadLongHeader(path, total, chunk)) return ReadBufFromRegistry(path, buffer, size);
  const int32_t want = std::min(total, size);
  auto* out = static_cast<uint8_t*>(buffer);
  int32_t got = 0;
  for (int32_t n = 0; got < want; ++n) {
    TRegDataKind kind;
    std::vector<uint8_t> data;
    if (!ReadRaw(path + "__" + std::to_string(n), kind, data)) break;
    const int32_t len = std::min(static_cast<int32_t>(data.size()), want - got);
    std::memcpy(out + got, data.data(), static_cast<size_t>(len));
    got += len;
    if (static_cast<int32_t>(data.size()) < chunk) break;
  }
  return got;
}

int32_t GetLongRegBufSize(const AnsiString& path) {
  int32_t total, chunk;
  if (ReadLongHeader(path, total, chunk)) return total;
  return GetRegBufSize(path);
}

void WriteToRegistry(const AnsiString& path, const Variant& value) {
  switch (value.VarType()) {
    case varSmallint:
    case varInteger:
    case varByte:
      WriteRaw(path, TRegDataKind::Integer, Le32(static_cast<uint32_t>(value.AsInt())));
      return;
    case varSingle:
    case varDouble:
    case varDate:
      WriteRaw(path, TRegDataKind::Binary, DoubleBytes(value.AsFloat()));
      return;
    case varCurrency:
      WriteRaw(path, TRegDataKind::Binary, Le64(static_cast<uint64_t>(value.AsInt())));
      return;
    case varBoolean:
      WriteRaw(path, TRegDataKind::Integer, Le32(value.AsBool() ? 1 : 0));
      return;
    case varString:
    case varOleStr: {
      const AnsiString s = value.AsString();
      WriteRaw(path, TRegDataKind::String, Bytes(s.data(), s.size()));
      return;
    }
    default:
      throw Exception(LoadResString(dcconsts::_SErrUnknRegType));
  }
}

Variant ReadFromRegistry(const AnsiString& path, const Variant& defaultValue) {
  TRegDataKind kind;
  std::vector<uint8_t> data;
  if (!ReadRaw(path, kind, data)) return defaultValue;
  const auto asInt = [&] { return static_cast<int32_t>(static_cast<uint32_t>(FromLe(data))); };
  switch (defaultValue.VarType()) {
    case varSmallint:
    case varInteger:
    case varByte:
      if (kind == TRegDataKind::Integer && data.size() == 4) return Variant::Integer(asInt());
      break;
    case varBoolean:
      if (kind == TRegDataKind::Integer && data.size() == 4) return Variant::Boolean(asInt() != 0);
      break;
    case varSingle:
    case varDouble:
      if (kind == TRegDataKind::Binary && data.size() == 8) return Variant::Double(BytesDouble(data));
      break;
    case varDate:
      if (kind == TRegDataKind::Binary && data.size() == 8) return Variant::Date(BytesDouble(data));
      break;
    case varCurrency:
      if (kind == TRegDataKind::Binary && data.size() == 8)
        return Variant::Currency(static_cast<int64_t>(FromLe(data)));
      break;
    case varString:
    case varOleStr:
      if (kind == TRegDataKind::String) return Variant::String(AnsiString(data.begin(), data.end()));
      break;
    default:
      break;
  }
  return defaultValue;
}

bool RegValueExists(const AnsiString& path) {
  TRegDataKind kind;
  std::vector<uint8_t> data;
  return ReadRaw(path, kind, data);
}

void WriteStringsToRegistry(const AnsiString& path, const TStrings& strings) {
  WriteToRegistry(path, Variant::String(strings.Text()));
}

void ReadStringsFromRegistry(const AnsiString& path, TStrings& strings) {
  strings.SetText(ReadFromRegistry(path, Variant::String(strings.Text())).AsString());
}

bool DCDeleteRegKey(const AnsiString& key, const AnsiString& subkey) {
  AnsiString full = AddSlash(key) + subkey;
  if (!full.empty() && full[0] == '\\') full.erase(0, 1);
  return RegStore().DeleteKey(RemoveSlash(full));
}

TRegistryStream::TRegistryStream(const AnsiString& path, uint16_t mode) : FPath(path) {
  if (mode == ModeCreate) {
    WriteBufToRegistry(FPath, nullptr, 0);
    FSizeRead = 0;
    return;
  }
  const int32_t size = GetLongRegBufSize(FPath);
  if (size < 0) return;
  std::vector<uint8_t> data(static_cast<size_t>(size));
  const int32_t got = ReadLongBufFromRegistry(FPath, data.data(), size);
  if (got > 0) TMemoryStream::Write(data.data(), got);
  TMemoryStream::Seek(0, soBeginning);
  FSizeRead = got;
  FModified = false;  // loading is no change
}

TRegistryStream::~TRegistryStream() { Flush(); }

int32_t TRegistryStream::Write(const void* buffer, int32_t count) {
  if (count > 0) FModified = true;
  return TMemoryStream::Write(buffer, count);
}

void TRegistryStream::SetSize(int64_t size) {
  if (size != Size()) FModified = true;
  TMemoryStream::SetSize(size);
}

bool TRegistryStream::Flush() {
  if (!FModified) return true;
  const bool ok = WriteLongBufToRegistry(FPath, Memory(), static_cast<int32_t>(Size()));
  if (ok) {
    FModified = false;
    FSizeRead = Size();
  }
  return ok;
}
