#pragma once
// Component base: a component has an owner that frees it, a name, a tag, the
// components it owns, and a list of components it tells when it is freed.
#include "classlib/AnsiString.h"
#include "classlib/Persistent.h"

#include <cstdint>
#include <functional>
#include <vector>

enum TOperation { opInsert, opRemove };

class TComponent;
class TReader;
using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
 public:
  // The owner takes the new component into its list and frees it with
  // itself; null means the creator frees it.
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  // Published: Name (written in the component's header, not as a
  // property) and Tag.
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const AnsiString& Name() const { return FName; }
  virtual void SetName(const AnsiString& name) { FName = name; }
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t tag) { FTag = tag; }
  // Where design tools placed a component that has no window of its own.
  int32_t DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(int32_t info) { FDesignInfo = info; }

  int32_t ComponentCount() const { return static_cast<int32_t>(FComponents.size()); }
  // Null outside 0..ComponentCount()-1.
  TComponent* Components(int32_t index) const;
  // The owned component of that name (compared without case), or null.
  TComponent* FindComponent(const AnsiString& name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, the last one first.
  void DestroyComponents();

  // `component` gets Notification(this, opRemove) when this one is freed,
  // and the reverse.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  bool IsDestroying() const { return FDestroying; }

  // Whether design tools edit the component (its design state). Setting
  // it also sets the components it owns; a component inserted into an
  // owner in design state takes that state.
  bool Designing() const { return FDesigning; }
  void SetDesigning(bool value, bool setChildren = true);

  // --- streaming (Filer.h) ---
  // The components written inside this one's data, in order, while `root`
  // is being written; the base hands over every component it owns.
  virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
  // A child read inside this component's data was the `order`th (from 0);
  // the base leaves the order as it is.
  virtual void SetChildOrder(TComponent* child, int32_t order) {}
  // Reads the component's properties and the components inside its data.
  virtual void ReadState(TReader& reader);
  // The owner of the components read inside this one's data: the base owns
  // them itself; null means the root being read.
  virtual TComponent* GetChildOwner() { return this; }
  // The component whose data this one was read inside; the base keeps no
  // such link (controls take it as their parent).
  virtual void SetParentComponent(TComponent* parent) {}

 protected:
  // Called when `component` is inserted into or removed from this
  // component's owner family, or when a component this one watches is freed.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  void NotifyAll(TComponent* component, TOperation operation);
  void DropFreeNotify(TComponent* component);

  TComponent* FOwner = nullptr;
  AnsiString FName;
  intptr_t FTag = 0;
  int32_t FDesignInfo = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FDestroying = false;
  bool FDesigning = false;
};
