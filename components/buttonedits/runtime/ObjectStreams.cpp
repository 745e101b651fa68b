#include "components/buttonedits/runtime/ObjectStreams.h"

#include "classlib/ObjectText.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/HexLines.h"
#include "components/buttonedits/runtime/IniSection.h"
#include "components/buttonedits/runtime/LinkedComponent.h"
#include "components/buttonedits/runtime/PropHelpers.h"
#include "components/buttonedits/runtime/RegistryPersistence.h"
#include "components/buttonedits/runtime/StringHelpers.h"

#include <cstring>
#include <vector>

AnsiString DCIniFileName;

TPropReader::TPropReader(TStream& stream, int32_t bufSize) : TReader(stream, bufSize) {
  IgnoreDefinedProperties = true;
}

TMWriter::TMWriter(TStream& stream, int32_t bufSize, bool skipWhen) : TWriter(stream, bufSize), FSkipWhen(skipWhen) {}

namespace {

constexpr int32_t kBufSize = 4096;

AnsiString Bytes(TMemoryStream& s) {
  return AnsiString(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

void WriteBytes(TStream& stream, const AnsiString& bytes) {
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

AnsiString ReadFile(const AnsiString& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  AnsiString bytes(static_cast<size_t>(f.Size()), '\0');
  if (!bytes.empty()) f.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

void WriteFile(const AnsiString& fileName, const AnsiString& bytes) {
  if (!SaveStringToFile(fileName, bytes))
    throw EFCreateError("Datei " + fileName + " kann nicht erstellt werden");
}

AnsiString TextOf(TPersistent& object) {
  TMemoryStream binary, text;
  WriteObjToStream(binary, object);
  binary.SetPosition(0);
  ObjectBinaryToText(binary, text);
  return Bytes(text);
}

void ReadText(TStream& stream, TPersistent& object) {
  TMemoryStream binary;
  ObjectTextToBinary(stream, binary);
  binary.SetPosition(0);
  ReadObjFromStream(binary, object);
}

bool IsValueKind(TTypeKind k) { return k != tkClass && k != tkMethod && k != tkUnknown; }

}  // namespace

bool IsTextStream(TStream& stream) {
  const int64_t start = stream.Position();
  char head[9];
  const int32_t n = stream.Read(head, sizeof head);
  stream.SetPosition(start);
  const AnsiString text(head, static_cast<size_t>(n > 0 ? n : 0));
  return text.starts_with("object") || text.starts_with("inherited");
}

void WriteObjToStream(TStream& stream, TPersistent& object) {
  TWriter writer(stream, kBufSize);
  if (auto* component = dynamic_cast<TComponent*>(&object)) return writer.WriteRootComponent(*component);
  TPersHolder holder(nullptr);
  holder.SetPersistent(&object);
  writer.WriteRootComponent(holder);
}

void ReadObjFromStream(TStream& stream, TPersistent& object) {
  TReader reader(stream, kBufSize);
  if (auto* component = dynamic_cast<TComponent*>(&object)) {
    reader.ReadRootComponent(component);
    return;
  }
  TPersHolder holder(nullptr);
  holder.SetPersistent(&object);
  reader.ReadRootComponent(&holder);
}

void WriteObjToTextStream(TStream& stream, TPersistent& object) { WriteBytes(stream, TextOf(object)); }

void ReadObjFromTextStream(TStream& stream, TPersistent& object) { ReadText(stream, object); }

void WriteObjToFile(const AnsiString& fileName, TPersistent& object) {
  TMemoryStream binary;
  WriteObjToStream(binary, object);
  WriteFile(fileName, Bytes(binary));
}

void ReadObjFromFile(const AnsiString& fileName, TPersistent& object) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  ReadObjFromStream(f, object);
}

void WriteObjToTextFile(const AnsiString& fileName, TPersistent& object) { WriteFile(fileName, TextOf(object)); }

void ReadObjFromTextFile(const AnsiString& fileName, TPersistent& object) {
  TMemoryStream text;
  WriteBytes(text, ReadFile(fileName));
  text.SetPosition(0);
  ReadText(text, object);
}

void WritePropsToStream(TStream& stream, TComponent& component, const AnsiString* names, int32_t count) {
  const int64_t start = stream.Position();
  const uint8_t placeholder[4] = {};
  stream.WriteBuffer(placeholder, 4);
  TWriter writer(stream, kBufSize);
  writer.PropertyFilter = [&](const TPersistent& instance, const TPropInfo& prop) {
    if (&instance != &component) return true;  // inside a selected sub-object
    for (int32_t i = 0; i < count; ++i)
      if (AnsiCompareText(names[i], prop.Name) == 0) return true;
    return false;
  };
  writer.WriteProperties(component);
  writer.WriteListEnd();
  const int64_t end = stream.Position();
  const auto n = static_cast<uint32_t>(end - start - 4);
  const uint8_t len[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
  stream.SetPosition(start);
  stream.WriteBuffer(len, 4);
  stream.SetPosition(end);
}

void ReadPropsFromStream(TStream& stream, TComponent& component) {
  uint8_t len[4];
  stream.ReadBuffer(len, 4);
  const uint32_t n = uint32_t(len[0]) | uint32_t(len[1]) << 8 | uint32_t(len[2]) << 16 | uint32_t(len[3]) << 24;
  if (static_cast<int64_t>(n) > stream.Size() - stream.Position()) throw EReadError("Ungültiges Stream-Format");
  TMemoryStream data;
  data.CopyFrom(stream, n);
  data.SetPosition(0);
  TPropReader reader(data, kBufSize);
  reader.ReadProperties(component);
}

void WriteObjToRegistry(TPersistent& object, const AnsiString& path) {
  TRegistryStream stream(path, TRegistryStream::ModeCreate);
  WriteObjToStream(stream, object);
}

void ReadObjFromRegistry(TPersistent& object, const AnsiString& path) {
  TRegistryStream stream(path, fmOpenRead);
  if (stream.Size() > 0) ReadObjFromStream(stream, object);
}

void WriteObjTextToRegistry(TPersistent& object, const AnsiString& path) {
  TRegistryStream stream(path, TRegistryStream::ModeCreate);
  WriteObjToTextStream(stream, object);
}

void ReadObjTextFromRegistry(TPersistent& object, const AnsiString& path) {
  TRegistryStream stream(path, fmOpenRead);
  if (stream.Size() > 0) ReadObjFromTextStream(stream, object);
}

void WritePropsToRegistry(TObject& object, const AnsiString& path) {
  for (const TPropInfo* prop : GetPropList(object)) {
    if (!IsValueKind(prop->Kind()) || !prop->Writable()) continue;
    WriteToRegistry(path + "\\" + prop->Name, GetPropValueByPropInfo(object, *prop));
  }
}

void ReadPropsFromRegistry(TObject& object, const AnsiString& path) {
  for (const TPropInfo* prop : GetPropList(object)) {
    if (!IsValueKind(prop->Kind()) || !prop->Writable()) continue;
    const AnsiString valuePath = path + "\\" + prop->Name;
    if (!RegValueExists(valuePath)) continue;
    SetPropValueByPropInfo(object, *prop, ReadFromRegistry(valuePath, GetPropValueByPropInfo(object, *prop)));
  }
}

bool SaveComponentToIniFile(TPersistent& object, const AnsiString& section) {
  if (DCIniFileName.empty()) return false;
  TMemoryStream binary;
  WriteObjToStream(binary, object);
  const auto* p = static_cast<const uint8_t*>(binary.Memory());
  std::vector<uint8_t> bytes(p, p + binary.Size());
  TStringList lines;
  BytesToHexLines(bytes, lines);
  return WriteIniSection(DCIniFileName, section, lines);
}

bool LoadComponentFromIniFile(TPersistent& object, const AnsiString& section) {
  if (DCIniFileName.empty()) return false;
  TStringList lines;
  if (!ReadIniSection(DCIniFileName, section, lines)) return false;
  std::vector<uint8_t> bytes;
  if (!HexLinesToBytes(lines, bytes) || bytes.empty()) return false;
  TMemoryStream binary;
  binary.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  binary.SetPosition(0);
  ReadObjFromStream(binary, object);
  return true;
}
