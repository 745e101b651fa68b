#pragma once
// The application object: a hidden window that owns every form, the message
// handling with the key negotiation that comes before the dialog manager,
// the display of exceptions and the hint window.
#include <exception>
#include <functional>

#include "classlib/Control.h"

class TWinControl;
class TCustomForm;

class TApplication {
 public:
  // The one application object, made on first use.
  static TApplication& Instance();
  ~TApplication();

  HWND Handle() const { return FHandle; }
  // The program's main form, when the program names one.
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* form) { FMainForm = form; }
  const AnsiString& Title() const { return FTitle; }
  void SetTitle(const AnsiString& title);

  // Message handling: one message taken and handled (waits for one).
  void HandleMessage();
  // Handles every waiting message and returns.
  void ProcessMessages();
  // Dialog keys, key preview and hints; true when the message was handled.
  bool IsKeyMsg(MSG& msg);
  bool Terminated() const { return FTerminated; }
  void Terminate();

  // MessageBoxA owned by the active form or the application window.
  int MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags);
  // The default display of an exception that reached the message handling.
  void ShowException(const std::exception& e);
  // When set, takes the place of the default display.
  std::function<void(const std::exception&)> OnException;

  // The hint of a control (registered with the hint window when shown).
  void UpdateHint(TControl* control);
  // Hints show (true) or are hidden and stay so (false), e.g. while a
  // dialog of the system is open over the controls.
  void SetShowHint(bool show);
  // Drops every reference to a control that is being freed.
  void ControlDestroyed(TControl* control);

 private:
  TApplication();
  bool ProcessMessage(MSG& msg);

  HWND FHandle = nullptr;
  HWND FHintWindow = nullptr;
  TCustomForm* FMainForm = nullptr;
  AnsiString FTitle;
  bool FTerminated = false;
};

// Set when the application object exists.
extern TApplication* Application;
