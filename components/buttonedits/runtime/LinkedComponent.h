#pragma once
// A component that follows another object's lifetime, and a component that
// carries a plain persistent object where a component is needed.
#include "classlib/Component.h"

#include <functional>

class TDCLinkedComponent : public TComponent {
 public:
  // Links to the owner.
  explicit TDCLinkedComponent(TComponent* owner);
  ~TDCLinkedComponent() override;
  TObject* Link() const { return FLink; }
  // Moves the watch from the old linked object to the new one.
  void SetLink(TObject* object);
  // Called when the linked object is freed (with opRemove), after which the
  // link is null.
  std::function<void(TObject* object, TOperation operation)> OnNotify;

 private:
  void LinkFreed(TObject* object);
  TObject* FLink = nullptr;
};

// Publishes the object it carries as "Persistent", so that the object's
// own published properties are streamed as "Persistent.<name>".
class TPersHolder : public TComponent {
 public:
  explicit TPersHolder(TComponent* owner) : TComponent(owner) { SetName("PersHolder"); }
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  TPersistent* Persistent() const { return FPersistent; }
  void SetPersistent(TPersistent* persistent) { FPersistent = persistent; }

 private:
  TPersistent* FPersistent = nullptr;
};
