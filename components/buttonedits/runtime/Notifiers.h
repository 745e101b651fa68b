#pragma once
// Loose couplings of the library: a process-wide list of objects that
// receive broadcast messages, with the update counter built on it, and
// lists of event methods. All of it belongs to the user-interface thread.
#include "classlib/Persistent.h"
#include "components/buttonedits/runtime/MessageReceiver.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Broadcast messages of the library.
constexpr uint32_t CM_IDECHANGED = 2045;
constexpr uint32_t CM_IDEBEGINUPDATE = 2055;
constexpr uint32_t CM_IDEENDUPDATE = 2053;
constexpr uint32_t CM_SHOWINSPECTOR = 2037;
constexpr uint32_t CM_HIDEINSPECTOR = 2041;
constexpr uint32_t CM_EDITSTRINGSPROPERTY = 2044;
constexpr uint32_t CM_TOGGLEINSPECTOR = 2057;
constexpr uint32_t CM_OBJECTDESTROYED = 2059;
constexpr uint32_t CM_COMPONENTREGISTERED = 2069;

// What a receiver of a broadcast sees: WParam points to this record.
struct TBroadcastMessage {
  void* Sender = nullptr;
  uint32_t Msg = 0;
  uintptr_t Param1 = 0;
  intptr_t Param2 = 0;
  intptr_t Result = 0;
  // A receiver clears it to refuse.
  bool Agree = true;
};

// Adds the receiver to the broadcast list (once); removes it.
void RegisterNotifier(TMessageReceiver* receiver);
void UnregisterNotifier(TMessageReceiver* receiver);
int32_t NotifierCount();

// Dispatches the message to every listed receiver, from the last to the
// first (a receiver may unregister itself or others on the way); with
// `stopOnResult` the walk ends at the first receiver that sets a non-zero
// result. The agree flag is the result.
bool BroadcastToNotifierList(const std::vector<TMessageReceiver*>& list, void* sender, uint32_t message,
                             uintptr_t param1, intptr_t param2, bool stopOnResult);
bool BroadcastToNotifiersEx(void* sender, uint32_t message, uintptr_t param1, intptr_t param2, bool stopOnResult);
bool BroadCastToNotifiers(void* sender, uint32_t message, uintptr_t param1, intptr_t param2);
bool NotifiersAgree(void* sender, uint32_t message, uintptr_t param1, intptr_t param2);
void SimpleBroadCast(uint32_t message);

// The update counter: nested Begin/End broadcast begin and end once, and
// changes are broadcast only outside an update.
void IDEBeginUpdate();
void IDEEndUpdate();
void IDEChanged();
void ToggleInspector();
void ShowInspector();
void ShowInspectorEx(uintptr_t flag);
void HideInspector();
void NotifyDestroy(void* object);
// The same for a list of objects, passed as the second parameter (nothing
// for null).
void NotifyDestroyObjects(const void* list);

// An event method: a routine bound to the object it belongs to.
struct TNotifierMethod {
  void* Data = nullptr;
  void (*Code)(void* data, void* sender, uint32_t message, intptr_t param) = nullptr;
  bool operator==(const TNotifierMethod&) const = default;
};

template <auto Member, typename T>
TNotifierMethod MakeNotifierMethod(T* object) {
  return {object, [](void* data, void* sender, uint32_t message, intptr_t param) {
            (static_cast<T*>(data)->*Member)(sender, message, param);
          }};
}

class TNotifierList : public TObject {
 public:
  // An equal method is removed first, so it ends up once, at the end.
  void AddMethod(const TNotifierMethod& method);
  void DeleteMethod(const TNotifierMethod& method);
  // Deletes every method bound to `data`.
  void DeleteWithData(const void* data);
  // Calls each method from the last to the first; methods may remove
  // methods on the way.
  void NotifyEvents(void* sender, uint32_t message, intptr_t param);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  const TNotifierMethod& Items(int32_t index) const { return FItems.at(static_cast<std::size_t>(index)); }

 private:
  std::vector<TNotifierMethod> FItems;
};

// An object that answers broadcasts for as long as it lives.
class TMessageAnswer : public TObject, public TMessageReceiver {
 public:
  TMessageAnswer() { RegisterNotifier(this); }
  ~TMessageAnswer() override { UnregisterNotifier(this); }
  TMessageAnswer(const TMessageAnswer&) = delete;
  TMessageAnswer& operator=(const TMessageAnswer&) = delete;
};
