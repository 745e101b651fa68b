#pragma once
// Focus notifiers: one that publishes its event, and one that turns every
// focus change into the library's "changed" broadcast.
#include "components/buttonedits/runtime/WndHook.h"

class TActiveNotifier : public TCustomActiveNotifier {
 public:
  using TCustomActiveNotifier::TCustomActiveNotifier;
  AnsiString Version;
};

class TIDEActiveNotifier : public TActiveNotifier {
 public:
  using TActiveNotifier::TActiveNotifier;
  void HookProc(const CWPRETSTRUCT& message) override;
};

// Creates the one TIDEActiveNotifier (no owner) when there is none.
void InitIDENotifier();
// Frees it again.
void DoneIDENotifier();
bool IDENotifierExists();
