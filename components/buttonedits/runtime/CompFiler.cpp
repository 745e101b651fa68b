#include "components/buttonedits/runtime/CompFiler.h"

#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "components/buttonedits/runtime/Naming.h"
#include "components/buttonedits/runtime/ObjectStreams.h"
#include "components/buttonedits/runtime/StringHelpers.h"

#include <map>
#include <memory>

const char* const RootNamePrefix = "";
std::function<void(const AnsiString& message, bool& handled)> CompFilerErrorHook;

namespace {

constexpr uint16_t kLoadFileMode = fmOpenRead | fmShareDenyWrite;

// Passes over one length-prefixed string.
void SkipShortStr(TStream& stream) {
  uint8_t n = 0;
  stream.ReadBuffer(&n, 1);
  stream.Seek(n, soCurrent);
}

// The handler known only by its name: one per name for the process, so that
// components keep it whatever filer loaded them.
const TMethodEntry* NamedHandler(const AnsiString& name) {
  struct Entry {
    AnsiString Name;
    TMethodEntry Method;
  };
  static std::map<AnsiString, std::unique_ptr<Entry>> entries;
  std::unique_ptr<Entry>& e = entries[AnsiUpperCase(name)];
  if (!e) {
    e = std::make_unique<Entry>();
    e->Name = name;
    e->Method.Name = e->Name.c_str();
  }
  return &e->Method;
}

}  // namespace

int32_t TCompFiler::AddEvent(const AnsiString& name) {
  const int32_t i = FEventNames.IndexOf(name);
  if (i >= 0) return static_cast<int32_t>(reinterpret_cast<intptr_t>(FEventNames.Objects(i)));
  const int32_t number = FNextEvent++;
  FEventNames.AddObject(name, reinterpret_cast<TObject*>(static_cast<intptr_t>(number)));
  return number;
}

void TCompFiler::SetReplacementClassName(const AnsiString& name) { FReplacementClassName = name.substr(0, 255); }

void TCompFiler::SaveToStream(TStream& stream, TComponent& component) {
  // The header is written here, so that the names can differ from the
  // component's without touching it or its class.
  TMemoryStream body;
  TWriter writer(body);
  writer.WriteRootComponent(component);
  body.SetPosition(4);
  SkipShortStr(body);
  SkipShortStr(body);
  stream.WriteBuffer("TPF0", 4);
  WriteShortStr(stream, FReplacementClassName.empty() ? AnsiString(component.ClassName()) : FReplacementClassName);
  WriteShortStr(stream, RootNamePrefix + component.Name());
  const int64_t rest = body.Size() - body.Position();
  if (rest > 0) stream.CopyFrom(body, rest);
}

void TCompFiler::SaveToFile(const AnsiString& fileName, TComponent& component) {
  // Written whole through a temporary file: a failure keeps the old file.
  TMemoryStream data;
  SaveToStream(data, component);
  if (!SaveStringToFile(fileName, AnsiString(static_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size()))))
    throw EFCreateError("Datei " + fileName + " kann nicht erstellt werden");
}

void TCompFiler::LoadFromStream(TStream& stream, TComponent& component) {
  TMemoryStream binary;
  TStream* source = &stream;
  if (IsTextStream(stream)) {
    ObjectTextToBinary(stream, binary);
    binary.SetPosition(0);
    source = &binary;
  }
  TReader reader(*source);
  reader.OnError = [this](const AnsiString& message, bool& handled) { ReaderError(message, handled); };
  reader.OnFindMethod = [this](const AnsiString& name, const TMethodEntry*& code) {
    if (FEventNames.IndexOf(name) >= 0 || !code) {
      AddEvent(name);
      code = NamedHandler(name);
    }
  };
  reader.ReadRootComponent(&component);
}

void TCompFiler::LoadFromFile(const AnsiString& fileName, TComponent& component) {
  TFileStream file(fileName, kLoadFileMode);
  LoadFromStream(file, component);
}

TComponent* TCompFiler::CreateFromStream(TStream& stream, const TClassInfo& cls) {
  if (!cls.Create) throw EClassNotFound("Klasse " + AnsiString(cls.ClassName) + " nicht gefunden");
  std::unique_ptr<TComponent> component(cls.Create(nullptr));
  LoadFromStream(stream, *component);
  TComponent* result = component.release();
  if (OnCompLoaded) OnCompLoaded(*this, result);
  return result;
}

TComponent* TCompFiler::CreateFromFile(const AnsiString& fileName, const TClassInfo& cls) {
  TFileStream file(fileName, kLoadFileMode);
  return CreateFromStream(file, cls);
}

void TCompFiler::ReaderError(const AnsiString& message, bool& handled) {
  if (OnError) {
    OnError(*this, message, handled);
  } else {
    Error = true;
    handled = IgnoreErrors;
  }
  if (!handled && CompFilerErrorHook) CompFilerErrorHook(message, handled);
}

void TCompFiler::Assign(const TCompFiler& source) {
  FNextEvent = source.FNextEvent;
  FEventNames.Assign(source.FEventNames);
}
