#include "classlib/Animate.h"

#include <commctrl.h>

namespace {
// Animation resources of the system's shell library.
int aviResource(TCommonAVI avi) {
  switch (avi) {
    case aviFindFolder: return 150;
    case aviFindFile: return 151;
    case aviFindComputer: return 152;
    case aviCopyFiles: return 160;
    case aviCopyFile: return 161;
    case aviRecycleFile: return 162;
    case aviEmptyRecycle: return 163;
    case aviDeleteFile: return 164;
    default: return 0;
  }
}
}  // namespace

TAnimate::TAnimate(TComponent* owner) : TWinControl(owner) {
  FWidth = 100;
  FHeight = 80;
}

TAnimate::~TAnimate() {
  DestroyHandle();
  if (FShell) FreeLibrary(FShell);
}

void TAnimate::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = ANIMATE_CLASSA;
  p.Style |= ACS_TRANSPARENT | ACS_CENTER;
}

void TAnimate::HandleCreated() { Open(); }

void TAnimate::Open() {
  FOpened = false;
  if (!FHandle) return;
  SendMessageA(FHandle, ACM_OPENA, 0, 0);
  int id = aviResource(FCommonAVI);
  if (id == 0) return;
  if (!FShell) FShell = LoadLibraryA("shell32.dll");
  if (!FShell) return;
  FOpened = SendMessageA(FHandle, ACM_OPENA, reinterpret_cast<WPARAM>(FShell),
                         reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(id))) != 0;
  if (FActive) Play();
}

void TAnimate::Play() {
  if (!FHandle || !FOpened) return;
  // Frames count from 1 here, from 0 in the control; 0 as stop frame: to
  // the end.
  WORD from = static_cast<WORD>(FStartFrame > 0 ? FStartFrame - 1 : 0);
  WORD to = static_cast<WORD>(FStopFrame > 0 ? FStopFrame - 1 : 0xFFFF);
  SendMessageA(FHandle, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(from, to));
}

void TAnimate::SetCommonAVI(TCommonAVI avi) {
  FCommonAVI = avi;
  Open();
}

void TAnimate::SetActive(bool v) {
  FActive = v;
  if (!FHandle) return;
  if (v) Play();
  else SendMessageA(FHandle, ACM_STOP, 0, 0);
}
