#include "components/buttonedits/runtime/ActiveNotifier.h"

#include <memory>

#include "components/buttonedits/runtime/Notifiers.h"

namespace {

std::unique_ptr<TIDEActiveNotifier> gIDENotifier;

}  // namespace

void TIDEActiveNotifier::HookProc(const CWPRETSTRUCT& message) {
  TActiveNotifier::HookProc(message);
  IDEChanged();
}

void InitIDENotifier() {
  if (!gIDENotifier) gIDENotifier = std::make_unique<TIDEActiveNotifier>(nullptr);
}

void DoneIDENotifier() { gIDENotifier.reset(); }
bool IDENotifierExists() { return gIDENotifier != nullptr; }
