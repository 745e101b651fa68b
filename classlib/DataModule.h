#pragma once
// A data module: a component without a window that holds other components
// (lists, settings, streams) for the forms. The data modules that exist are
// listed in the order they were made.
#include <functional>

#include "classlib/Component.h"

class TDataModule : public TComponent {
 public:
  explicit TDataModule(TComponent* owner);
  ~TDataModule() override;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  std::function<void(TObject* sender)> OnCreate;
  std::function<void(TObject* sender)> OnDestroy;

  static int Count();
  // Null outside 0..Count()-1.
  static TDataModule* Items(int index);
};
