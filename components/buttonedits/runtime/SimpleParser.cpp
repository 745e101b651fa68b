#include "components/buttonedits/runtime/SimpleParser.h"

#include <algorithm>

#include "classlib/TypInfo.h"

const TClassInfo TSimpleParser::Info = PublishClass<TSimpleParser>("TSimpleParser", "dcsystem", TComponent::Info, {});

TSimpleParser::TSimpleParser(TComponent* owner) : TComponent(owner) {}

TSimpleParser::~TSimpleParser() { NotifyDestroying(); }

void TSimpleParser::AddListener(const TNotifierMethod& method, TComponent* listener) {
  FListeners.AddMethod(method);
  if (listener && std::find(FListenerComponents.begin(), FListenerComponents.end(), listener) ==
                      FListenerComponents.end()) {
    FListenerComponents.push_back(listener);
    listener->FreeNotification(this);
  }
}

void TSimpleParser::RemoveListener(const TNotifierMethod& method) { FListeners.DeleteMethod(method); }

void TSimpleParser::PrepareColorData(const AnsiString& line) { FColorData.assign(line.size(), 0); }

void TSimpleParser::NotifyDestroying() {
  if (FNotified) return;
  FNotified = true;
  for (int32_t i = FListeners.Count() - 1; i >= 0; --i) {
    if (i >= FListeners.Count()) continue;  // a listener removed others
    const TNotifierMethod m = FListeners.Items(i);
    if (std::find(FListenerComponents.begin(), FListenerComponents.end(), m.Data) != FListenerComponents.end())
      m.Code(m.Data, this, spDestroying, 0);
  }
}

void TSimpleParser::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  auto it = std::find(FListenerComponents.begin(), FListenerComponents.end(), component);
  if (it == FListenerComponents.end()) return;
  FListenerComponents.erase(it);
  FListeners.DeleteWithData(component);
}
