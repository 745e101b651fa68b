#pragma once
// Exchangeable file systems: the library's editors open, test, rename and
// delete files through one of them: the ordinary file system, or one whose
// "files" are resources of a module ("TYPE\NAME").
#include "classlib/Component.h"
#include "classlib/Stream.h"

#include <cstdint>
#include <memory>

class TFileSystem : public TComponent {
 public:
  explicit TFileSystem(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  // A stream over the file; null when it cannot be opened.
  virtual std::unique_ptr<TStream> GetFileStream(const AnsiString& name, uint16_t mode) = 0;
  virtual bool FileExists(const AnsiString& name) = 0;
  virtual AnsiString GetTempFileName(const AnsiString& name) { return name; }
  virtual AnsiString GetCurrentDir() { return AnsiString(); }
  virtual void SetCurrentDir(const AnsiString&) {}
  virtual int64_t FileAge(const AnsiString&) { return 0; }
  virtual bool RenameFile(const AnsiString&, const AnsiString&) { return true; }
  virtual bool IsReadonly(const AnsiString&) { return false; }
  virtual bool DeleteFile(const AnsiString&) { return true; }
  virtual int32_t GetFileSystemLevel() { return 0; }
  virtual AnsiString GetBackupFileName(const AnsiString& name);
  // The text that names this file system for GetFileSystem; empty for the
  // ordinary one.
  virtual AnsiString Descriptor() const { return AnsiString(); }
};

// Files on disk.
class TWin32FileSystem : public TFileSystem {
 public:
  using TFileSystem::TFileSystem;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  std::unique_ptr<TStream> GetFileStream(const AnsiString& name, uint16_t mode) override;
  bool FileExists(const AnsiString& name) override;
  AnsiString GetTempFileName(const AnsiString& name) override;
  AnsiString GetCurrentDir() override;
  void SetCurrentDir(const AnsiString& dir) override;
  int64_t FileAge(const AnsiString& name) override;
  bool RenameFile(const AnsiString& oldName, const AnsiString& newName) override;
  bool IsReadonly(const AnsiString& name) override;
  bool DeleteFile(const AnsiString& name) override;
};

// Files are resources of the module `FileName`, named type + "\" + name.
// Published: FileName.
class TResFileSystem : public TFileSystem {
 public:
  using TFileSystem::TFileSystem;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  ~TResFileSystem() override;
  const AnsiString& FileName() const { return FFileName; }
  void SetFileName(const AnsiString& fileName);

  // Upper-cases `name`; without "\" the type is 0 and the resource name
  // empty. Otherwise the part before the first "\" is a standard type
  // (with or without "RT_") giving its number, or else a custom type name
  // (`typeName`, with `type` 0); the rest is the resource name.
  static void SplitFileName(AnsiString& name, int32_t& type, AnsiString& typeName, AnsiString& resName);

  // A stream over the resource's data (null when absent); opened for
  // writing (fmCreate, or write access) a TResWriteStream that stores what
  // was written into the module when it is freed.
  std::unique_ptr<TStream> GetFileStream(const AnsiString& name, uint16_t mode) override;
  bool FileExists(const AnsiString& name) override;
  int32_t GetFileSystemLevel() override { return 1; }
  AnsiString Descriptor() const override;
  bool OpenModule();
  void CloseModule();

 private:
  // The resource's bytes; false when the module does not hold it.
  bool ReadResource(const AnsiString& name, std::vector<uint8_t>& data);

  AnsiString FFileName;
  void* FModule = nullptr;
};

// Collects what is written to a resource "file" and stores it into the
// module (ResourceUpdate) when it is freed; the file system's module is
// closed for the update.
class TResWriteStream : public TMemoryStream {
 public:
  TResWriteStream(TResFileSystem& fileSystem, const AnsiString& name);
  ~TResWriteStream() override;
  // Stores the data now; false when the module could not be updated.
  bool Commit();

 private:
  TResFileSystem& FFileSystem;
  AnsiString FName;
  bool FCommitted = false;
};

// Writes a resource (numeric `type`, or the custom type `typeName` when it
// is 0) into the module file; true when it was written.
bool ResourceUpdate(const AnsiString& moduleFile, int32_t type, const AnsiString& typeName, const AnsiString& name,
                    uint32_t size, const void* data, uint16_t language = 0);
// Whether the module holds a streamed form of that name (RCDATA).
bool IsFormInResource(const AnsiString& moduleFile, const AnsiString& formName);

// The standard resource type of a name such as "BITMAP" or "RT_BITMAP"
// (ids 1 to 24 as Windows numbers them, RT_GROUP_ICON 14, RT_VERSION 16);
// 0 when it is none.
int32_t StandardResourceType(const AnsiString& name);

// The shared ordinary file system: never freed by ReleaseFileSystem.
TFileSystem& Win32FileSystem();
// Empty: the ordinary file system. A known descriptor: its cached file
// system, with one more use. A new one is read and cached with one use.
// A descriptor that is not understood raises EReadError.
TFileSystem* GetFileSystem(const AnsiString& descriptor);
// One use less; the file system is freed after its last.
void ReleaseFileSystem(TFileSystem* fileSystem);
int32_t CachedFileSystemCount();
// The descriptor of a file system, and of a module's resource file system.
AnsiString GetFilerID(const TFileSystem& fileSystem);
AnsiString GetResFileSystemFilerID(const AnsiString& moduleFile);

// RenameFile through the ordinary file system; raises "Kann Datei ... nicht
// in ... umbenennen" when it fails.
void RenameFileExcept(const AnsiString& oldName, const AnsiString& newName);
// Raises "Kann Datei ... nicht löschen" when the file exists and stays.
void DeleteFileExcept(const AnsiString& name);
// A new temporary file beside `name`, its base as prefix; raises "Kann
// keinen vorläufigen Dateinamen erzeugen" when none can be made.
AnsiString TempFileName(const AnsiString& name);
