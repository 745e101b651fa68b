#pragma once
// A file system whose files are the text properties of one component: a
// "file" is named after a string property or a string-list property, and
// opening it gives a TPropStream on it. The component is held with a free
// notification; when it is freed the file system drops it and gives up its
// place in the file-system cache (GetFileSystem).
#include "components/buttonedits/runtime/FileSystem.h"

class TPropFileSystem : public TFileSystem {
 public:
  explicit TPropFileSystem(TComponent* owner) : TFileSystem(owner) {}
  ~TPropFileSystem() override;
  // Published: ComponentPtr.
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  TComponent* Component() const { return FComponent; }
  void SetComponent(TComponent* component);
  // "$" and the component's address in hexadecimal digits (the pointer's
  // width); "$0" without one. Setting it takes only the address of a
  // component that some property file system has been given and that is
  // still alive; any other text leaves the file system without one.
  AnsiString ComponentPtr() const;
  void SetComponentPtr(const AnsiString& text);

  // Raises EFOpenError "Component doesn't exist" without a component.
  std::unique_ptr<TStream> GetFileStream(const AnsiString& name, uint16_t mode) override;
  bool FileExists(const AnsiString& name) override;
  int32_t GetFileSystemLevel() override { return 1; }
  AnsiString Descriptor() const override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* FComponent = nullptr;
};
