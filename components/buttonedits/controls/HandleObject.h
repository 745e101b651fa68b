#pragma once
// Hidden windows that turn window messages into calls: THandleObject hands
// them to a function, TDCHandleObject to a message receiver's dispatch.
#include <windows.h>

#include <functional>

#include "components/buttonedits/runtime/MessageReceiver.h"

class THandleObject {
 public:
  using TMessageMethod = std::function<LRESULT(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)>;
  explicit THandleObject(TMessageMethod method);
  virtual ~THandleObject();
  THandleObject(const THandleObject&) = delete;
  THandleObject& operator=(const THandleObject&) = delete;

  HWND Handle() const { return FHandle; }

 private:
  static LRESULT CALLBACK WindowProc(HWND h, UINT msg, WPARAM w, LPARAM l);

  HWND FHandle = nullptr;
  TMessageMethod FMethod;
};

class TDCHandleObject : public THandleObject {
 public:
  explicit TDCHandleObject(TMessageReceiver* target);
  BOOL PostMsg(UINT msg, WPARAM wParam, LPARAM lParam) { return PostMessageA(Handle(), msg, wParam, lParam); }
};
