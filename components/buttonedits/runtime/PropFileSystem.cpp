#include "components/buttonedits/runtime/PropFileSystem.h"

#include "classlib/Filer.h"
#include "classlib/Format.h"
#include "components/buttonedits/runtime/PropStream.h"

#include <cinttypes>
#include <map>

namespace {

// Components handed to a property file system, with the number of file
// systems holding each. A component address read from a descriptor is
// trusted only when it is one of these. Never freed: cached file systems
// may still let go of their components while the program ends.
std::map<const TComponent*, int32_t>& Exposed() {
  static auto* exposed = new std::map<const TComponent*, int32_t>;
  return *exposed;
}

void Expose(const TComponent* component) { ++Exposed()[component]; }

void Unexpose(const TComponent* component) {
  auto it = Exposed().find(component);
  if (it != Exposed().end() && --it->second <= 0) Exposed().erase(it);
}

const TPropInfo kPropFileSystemProps[] = {
    StrProp<&TPropFileSystem::ComponentPtr, &TPropFileSystem::SetComponentPtr>("ComponentPtr"),
};

}  // namespace

const TClassInfo TPropFileSystem::Info =
    PublishClass<TPropFileSystem>("TPropFileSystem", "dcsystem", TFileSystem::Info, kPropFileSystemProps);

namespace {
const bool kRegistered = [] {
  RegisterStreamClass(TPropFileSystem::Info);
  return true;
}();
}  // namespace

TPropFileSystem::~TPropFileSystem() { SetComponent(nullptr); }

void TPropFileSystem::SetComponent(TComponent* component) {
  if (component == FComponent) return;
  if (FComponent) {
    FComponent->RemoveFreeNotification(this);
    Unexpose(FComponent);
  }
  FComponent = component;
  if (FComponent) {
    FComponent->FreeNotification(this);
    Expose(FComponent);
  }
}

AnsiString TPropFileSystem::ComponentPtr() const {
  if (!FComponent) return "$0";
  return Format("$%0*" PRIXPTR, static_cast<int>(sizeof(void*) * 2), reinterpret_cast<uintptr_t>(FComponent));
}

void TPropFileSystem::SetComponentPtr(const AnsiString& text) {
  TComponent* found = nullptr;
  if (text.size() > 1 && text[0] == '$' && text.size() <= 1 + sizeof(void*) * 2) {
    uintptr_t address = 0;
    bool valid = true;
    for (size_t i = 1; i < text.size() && valid; ++i) {
      const char c = text[i];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      valid = digit >= 0;
      address = address << 4 | static_cast<uintptr_t>(digit < 0 ? 0 : digit);
    }
    if (valid) {
      for (const auto& [component, count] : Exposed())
        if (reinterpret_cast<uintptr_t>(component) == address) found = const_cast<TComponent*>(component);
    }
  }
  SetComponent(found);
}

std::unique_ptr<TStream> TPropFileSystem::GetFileStream(const AnsiString& name, uint16_t mode) {
  if (!FComponent) throw EFOpenError("Component doesn't exist");
  return std::make_unique<TPropStream>(FComponent, name, mode);
}

bool TPropFileSystem::FileExists(const AnsiString& name) {
  return FComponent && TPropStream::IsTextProperty(*FComponent, name);
}

AnsiString TPropFileSystem::Descriptor() const {
  TMemoryStream s;
  WriteComponentToStream(s, const_cast<TPropFileSystem&>(*this));
  return AnsiString(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

void TPropFileSystem::Notification(TComponent* component, TOperation operation) {
  TFileSystem::Notification(component, operation);
  if (operation != opRemove || component != FComponent) return;
  Unexpose(FComponent);
  FComponent = nullptr;
  // Last: this may free the file system when the cache holds it.
  ReleaseFileSystem(this);
}
