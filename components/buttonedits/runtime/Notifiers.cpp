#include "components/buttonedits/runtime/Notifiers.h"

#include <algorithm>

namespace {

std::vector<TMessageReceiver*>& List() {
  static std::vector<TMessageReceiver*> list;
  return list;
}

int32_t gUpdateCount = 0;

}  // namespace

void RegisterNotifier(TMessageReceiver* receiver) {
  if (!receiver) return;
  UnregisterNotifier(receiver);
  List().push_back(receiver);
}

void UnregisterNotifier(TMessageReceiver* receiver) {
  auto& l = List();
  l.erase(std::remove(l.begin(), l.end(), receiver), l.end());
}

int32_t NotifierCount() { return static_cast<int32_t>(List().size()); }

bool BroadcastToNotifierList(const std::vector<TMessageReceiver*>& list, void* sender, uint32_t message,
                             uintptr_t param1, intptr_t param2, bool stopOnResult) {
  TBroadcastMessage record;
  record.Sender = sender;
  record.Msg = message;
  record.Param1 = param1;
  record.Param2 = param2;
  // Receivers may unregister (themselves or others): walk a copy and skip
  // those that left the live list meanwhile.
  const std::vector<TMessageReceiver*> snapshot = list;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (std::find(list.begin(), list.end(), *it) == list.end()) continue;
    TDCMessage m;
    m.Msg = message;
    m.WParam = reinterpret_cast<uintptr_t>(&record);
    (*it)->Dispatch(m);
    if (m.Result != 0) record.Result = m.Result;
    if (stopOnResult && record.Result != 0) break;
  }
  return record.Agree;
}

bool BroadcastToNotifiersEx(void* sender, uint32_t message, uintptr_t param1, intptr_t param2, bool stopOnResult) {
  return BroadcastToNotifierList(List(), sender, message, param1, param2, stopOnResult);
}

bool BroadCastToNotifiers(void* sender, uint32_t message, uintptr_t param1, intptr_t param2) {
  return BroadcastToNotifiersEx(sender, message, param1, param2, false);
}

bool NotifiersAgree(void* sender, uint32_t message, uintptr_t param1, intptr_t param2) {
  return BroadcastToNotifiersEx(sender, message, param1, param2, true);
}

void SimpleBroadCast(uint32_t message) { BroadCastToNotifiers(nullptr, message, 0, 0); }

void IDEBeginUpdate() {
  if (gUpdateCount == 0) SimpleBroadCast(CM_IDEBEGINUPDATE);
  ++gUpdateCount;
}

void IDEEndUpdate() {
  if (gUpdateCount <= 0) return;
  if (--gUpdateCount == 0) {
    SimpleBroadCast(CM_IDEENDUPDATE);
    IDEChanged();
  }
}

void IDEChanged() {
  if (gUpdateCount == 0) SimpleBroadCast(CM_IDECHANGED);
}

void ToggleInspector() { SimpleBroadCast(CM_TOGGLEINSPECTOR); }
void ShowInspector() { ShowInspectorEx(1); }
void ShowInspectorEx(uintptr_t flag) { BroadCastToNotifiers(nullptr, CM_SHOWINSPECTOR, flag, 0); }
void HideInspector() { SimpleBroadCast(CM_HIDEINSPECTOR); }

void NotifyDestroy(void* object) {
  if (object) BroadCastToNotifiers(object, CM_OBJECTDESTROYED, reinterpret_cast<uintptr_t>(object), 0);
}

void NotifyDestroyObjects(const void* list) {
  if (list) BroadCastToNotifiers(nullptr, CM_OBJECTDESTROYED, 0, reinterpret_cast<intptr_t>(list));
}

void TNotifierList::AddMethod(const TNotifierMethod& method) {
  DeleteMethod(method);
  FItems.push_back(method);
}

void TNotifierList::DeleteMethod(const TNotifierMethod& method) {
  auto it = std::find(FItems.begin(), FItems.end(), method);
  if (it != FItems.end()) FItems.erase(it);
}

void TNotifierList::DeleteWithData(const void* data) {
  FItems.erase(std::remove_if(FItems.begin(), FItems.end(), [&](const TNotifierMethod& m) { return m.Data == data; }),
               FItems.end());
}

void TNotifierList::NotifyEvents(void* sender, uint32_t message, intptr_t param) {
  for (int32_t i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) {
      i = Count();  // items were removed: go on below the new end
      continue;
    }
    const TNotifierMethod m = FItems[static_cast<size_t>(i)];
    if (m.Code) m.Code(m.Data, sender, message, param);
  }
}
