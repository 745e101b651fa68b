#include "components/buttonedits/runtime/FileSystem.h"

#include "classlib/Filer.h"
#include "classlib/TypInfo.h"

#include <iterator>
#include <map>
#include <vector>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/FileCalls.h"
#include "components/buttonedits/runtime/HexLines.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

AnsiString TFileSystem::GetBackupFileName(const AnsiString& name) { return FileBakName(name); }

std::unique_ptr<TStream> TWin32FileSystem::GetFileStream(const AnsiString& name, uint16_t mode) {
  return std::make_unique<TFileStream>(name, mode);
}

bool TWin32FileSystem::FileExists(const AnsiString& name) { return filecalls::FileExists(name); }
AnsiString TWin32FileSystem::GetTempFileName(const AnsiString& name) { return TempFileName(name); }
AnsiString TWin32FileSystem::GetCurrentDir() { return filecalls::GetCurrentDir(); }
void TWin32FileSystem::SetCurrentDir(const AnsiString& dir) { filecalls::SetCurrentDir(dir); }
int64_t TWin32FileSystem::FileAge(const AnsiString& name) { return filecalls::FileAge(name); }
bool TWin32FileSystem::RenameFile(const AnsiString& oldName, const AnsiString& newName) {
  return filecalls::RenameFile(oldName, newName);
}
bool TWin32FileSystem::IsReadonly(const AnsiString& name) {
  uint32_t a;
  return filecalls::GetAttributes(name, a) && (a & faReadOnly);
}
bool TWin32FileSystem::DeleteFile(const AnsiString& name) { return filecalls::RemoveFile(name); }

namespace {

// Standard resource types, numbered as Windows numbers them.
constexpr const char* kResourceTypes[] = {
    "RT_CURSOR",     "RT_BITMAP",   "RT_ICON",     "RT_MENU",       "RT_DIALOG",    "RT_STRING",
    "RT_FONTDIR",    "RT_FONT",     "RT_ACCELERATOR", "RT_RCDATA",  "RT_MESSAGETABLE", "RT_GROUP_CURSOR",
    nullptr,         "RT_GROUP_ICON", nullptr,     "RT_VERSION",    "RT_DLGINCLUDE", nullptr,
    "RT_PLUGPLAY",   "RT_VXD",      "RT_ANICURSOR", "RT_ANIICON",   "RT_HTML",      "RT_MANIFEST",
};

}  // namespace

int32_t StandardResourceType(const AnsiString& name) {
  AnsiString n = AnsiUpperCase(name);
  if (n.compare(0, 3, "RT_") != 0) n = "RT_" + n;
  for (int32_t i = 0; i < static_cast<int32_t>(std::size(kResourceTypes)); ++i)
    if (kResourceTypes[i] && n == kResourceTypes[i]) return i + 1;
  return 0;
}

TResFileSystem::~TResFileSystem() { CloseModule(); }

void TResFileSystem::SetFileName(const AnsiString& fileName) {
  if (fileName == FFileName) return;
  CloseModule();
  FFileName = fileName;
}

bool TResFileSystem::OpenModule() {
  if (!FModule && !FFileName.empty()) FModule = filecalls::LoadResourceModule(FFileName);
  return FModule != nullptr;
}

void TResFileSystem::CloseModule() {
  filecalls::FreeResourceModule(FModule);
  FModule = nullptr;
}

void TResFileSystem::SplitFileName(AnsiString& name, int32_t& type, AnsiString& typeName, AnsiString& resName) {
  name = AnsiUpperCase(name);
  type = 0;
  typeName.clear();
  resName.clear();
  const auto sep = name.find('\\');
  if (sep == AnsiString::npos) return;
  const AnsiString head = name.substr(0, sep);
  type = StandardResourceType(head);
  if (type == 0) typeName = head;
  resName = name.substr(sep + 1);
}

bool TResFileSystem::ReadResource(const AnsiString& name, std::vector<uint8_t>& data) {
  AnsiString n = name, typeName, resName;
  int32_t type;
  SplitFileName(n, type, typeName, resName);
  if (resName.empty() || !OpenModule()) return false;
  return filecalls::ReadModuleResource(FModule, type, typeName, resName, data);
}

bool TResFileSystem::FileExists(const AnsiString& name) {
  std::vector<uint8_t> data;
  return ReadResource(name, data);
}

std::unique_ptr<TStream> TResFileSystem::GetFileStream(const AnsiString& name, uint16_t mode) {
  if ((mode & 3) != fmOpenRead || mode == fmCreate) {
    auto stream = std::make_unique<TResWriteStream>(*this, name);
    // Read-write access starts with the present data.
    std::vector<uint8_t> data;
    if (mode != fmCreate && ReadResource(name, data) && !data.empty()) {
      stream->WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
      stream->SetPosition(0);
    }
    return stream;
  }
  std::vector<uint8_t> data;
  if (!ReadResource(name, data)) return nullptr;
  auto stream = std::make_unique<TMemoryStream>();
  if (!data.empty()) stream->WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
  stream->SetPosition(0);
  return stream;
}

TResWriteStream::TResWriteStream(TResFileSystem& fileSystem, const AnsiString& name)
    : FFileSystem(fileSystem), FName(name) {}

TResWriteStream::~TResWriteStream() {
  if (!FCommitted) Commit();
}

bool TResWriteStream::Commit() {
  FCommitted = true;
  AnsiString n = FName, typeName, resName;
  int32_t type;
  TResFileSystem::SplitFileName(n, type, typeName, resName);
  if (resName.empty()) return false;
  FFileSystem.CloseModule();
  return ResourceUpdate(FFileSystem.FileName(), type, typeName, resName, static_cast<uint32_t>(Size()), Memory());
}

bool ResourceUpdate(const AnsiString& moduleFile, int32_t type, const AnsiString& typeName, const AnsiString& name,
                    uint32_t size, const void* data, uint16_t language) {
  return filecalls::UpdateModuleResource(moduleFile, type, typeName, name, data, size, language);
}

bool IsFormInResource(const AnsiString& moduleFile, const AnsiString& formName) {
  TResFileSystem fs(nullptr);
  fs.SetFileName(moduleFile);
  auto stream = fs.GetFileStream("RT_RCDATA\\" + formName, fmOpenRead);
  if (!stream) return false;
  char sig[4];
  return stream->Read(sig, 4) == 4 && AnsiString(sig, 4) == "TPF0";
}

// The descriptor is the file system in the binary component form.
namespace {

struct CacheItem {
  std::unique_ptr<TFileSystem> FileSystem;
  int32_t Count = 0;
};

std::map<AnsiString, CacheItem>& Cache() {
  static std::map<AnsiString, CacheItem> cache;
  return cache;
}

[[noreturn]] void BadDescriptor() { throw EReadError(LoadResString(dcconsts::_SErrBadPropStream)); }

std::unique_ptr<TFileSystem> ReadDescriptor(const AnsiString& d) {
  TMemoryStream s;
  s.WriteBuffer(d.data(), static_cast<int32_t>(d.size()));
  s.SetPosition(0);
  std::unique_ptr<TComponent> read;
  try {
    read.reset(ReadComponentFromStream(s, nullptr));
  } catch (const Exception&) {
    BadDescriptor();
  }
  auto* fs = dynamic_cast<TFileSystem*>(read.get());
  if (!fs || s.Position() != s.Size()) BadDescriptor();
  read.release();
  return std::unique_ptr<TFileSystem>(fs);
}

const TPropInfo kResFileSystemProps[] = {
    StrProp<&TResFileSystem::FileName, &TResFileSystem::SetFileName>("FileName"),
};

}  // namespace

const TClassInfo TFileSystem::Info = PublishClass<TFileSystem>("TFileSystem", "dcsystem", TComponent::Info, {});
const TClassInfo TWin32FileSystem::Info =
    PublishClass<TWin32FileSystem>("TWin32FileSystem", "dcsystem", TFileSystem::Info, {});
const TClassInfo TResFileSystem::Info =
    PublishClass<TResFileSystem>("TResFileSystem", "dcsystem", TFileSystem::Info, kResFileSystemProps);

namespace {
// The file-system classes are known to the streaming from the start.
const bool kRegistered = [] {
  RegisterStreamClass(TWin32FileSystem::Info);
  RegisterStreamClass(TResFileSystem::Info);
  return true;
}();
}  // namespace

AnsiString TResFileSystem::Descriptor() const {
  TMemoryStream s;
  WriteComponentToStream(s, const_cast<TResFileSystem&>(*this));
  return AnsiString(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

TFileSystem& Win32FileSystem() {
  static TWin32FileSystem shared(nullptr);
  return shared;
}

TFileSystem* GetFileSystem(const AnsiString& descriptor) {
  if (descriptor.empty()) return &Win32FileSystem();
  auto& cache = Cache();
  auto it = cache.find(descriptor);
  if (it != cache.end()) {
    ++it->second.Count;
    return it->second.FileSystem.get();
  }
  CacheItem item;
  item.FileSystem = ReadDescriptor(descriptor);
  item.Count = 1;
  TFileSystem* fs = item.FileSystem.get();
  cache.emplace(descriptor, std::move(item));
  return fs;
}

void ReleaseFileSystem(TFileSystem* fileSystem) {
  if (!fileSystem || fileSystem == &Win32FileSystem()) return;
  auto& cache = Cache();
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    if (it->second.FileSystem.get() != fileSystem) continue;
    if (--it->second.Count <= 0) cache.erase(it);
    return;
  }
}

int32_t CachedFileSystemCount() { return static_cast<int32_t>(Cache().size()); }

AnsiString GetFilerID(const TFileSystem& fileSystem) { return fileSystem.Descriptor(); }

AnsiString GetResFileSystemFilerID(const AnsiString& moduleFile) {
  TResFileSystem fs(nullptr);
  fs.SetFileName(moduleFile);
  return fs.Descriptor();
}

void RenameFileExcept(const AnsiString& oldName, const AnsiString& newName) {
  if (!Win32FileSystem().RenameFile(oldName, newName))
    throw EWriteError(ResStrFmt(dcconsts::_SErrRenameFile, oldName.c_str(), newName.c_str()));
}

void DeleteFileExcept(const AnsiString& name) {
  if (Win32FileSystem().FileExists(name) && !Win32FileSystem().DeleteFile(name))
    throw EWriteError(ResStrFmt(dcconsts::_SErrDeleteFile, name.c_str()));
}

AnsiString TempFileName(const AnsiString& name) {
  const auto sep = name.find_last_of("\\/:");
  const AnsiString folder = sep == AnsiString::npos ? AnsiString() : name.substr(0, sep + 1);
  AnsiString base = sep == AnsiString::npos ? name : name.substr(sep + 1);
  const auto dot = base.find_last_of('.');
  if (dot != AnsiString::npos) base.erase(dot);
  const AnsiString temp = filecalls::MakeTempFile(folder, base);
  if (temp.empty()) throw EWriteError(LoadResString(dcconsts::_SErrCantCreateTemp));
  return temp;
}
