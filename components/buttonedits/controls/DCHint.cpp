#include "components/buttonedits/controls/DCHint.h"

#include "classlib/Canvas.h"
#include "classlib/GdiHandle.h"
#include "classlib/GuardedCall.h"
#include "classlib/WindowClass.h"
#include "components/buttonedits/controls/DrawHelpers.h"
#include "components/buttonedits/controls/TextMarkup.h"

namespace {

const char kClass[] = "KelDCHintWindow";
constexpr UINT_PTR kTimer = 1;
constexpr int kTick = 50;

}  // namespace

TDCHint::TDCHint(TComponent* owner) : TComponent(owner) {
  NONCLIENTMETRICSA m{};
  m.cbSize = sizeof m;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) FFont.SetName(m.lfStatusFont.lfFaceName);
  FFont.SetColor(clSystemColor | COLOR_INFOTEXT);
  FBoldFont.Assign(FFont);
  FBoldFont.SetStyle(fsBold);
  RegisterWindowClassOnce(kClass, CS_SAVEBITS, DefWindowProcA, LoadCursorA(nullptr, IDC_ARROW));
  FWindow = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClass, "", WS_POPUP | WS_BORDER, 0,
                            0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (FWindow) {
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TDCHint::WindowProc));
  }
}

TDCHint::~TDCHint() {
  OnVisibleChanged = nullptr;
  if (FWindow) {
    KillTimer(FWindow, kTimer);
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, 0);
    DestroyWindow(FWindow);
  }
}

LRESULT CALLBACK TDCHint::WindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<TDCHint*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (self) {
    switch (msg) {
      case WM_TIMER:
        if (w == kTimer) GuardedCall([&] { self->ExecHintTimer(); });
        return 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        GuardedCall([&] { self->Paint(dc); });
        EndPaint(h, &ps);
        return 0;
      }
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      default:
        break;
    }
  }
  return DefWindowProcA(h, msg, w, l);
}

void TDCHint::Paint(HDC dc) {
  RECT r{};
  GetClientRect(FWindow, &r);
  FillRect(dc, &r, TGdiHandle<HBRUSH>(CreateSolidBrush(GetSysColor(COLOR_INFOBK))));
  TCanvas canvas;
  canvas.Font.Assign(FFont);
  canvas.SetHandle(dc);
  int32_t start = 0, length = 0;
  std::string plain = ExtractBoldPos(FCaption, start, length);
  RECT text{r.left + 3, r.top + 1, r.right - 1, r.bottom};
  DrawWithSelection(canvas, FFont, FBoldFont, text, plain, start, length, lrLeftJustify);
  canvas.SetHandle(nullptr);
}

SIZE TDCHint::GetSize() {
  HDC dc = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  SIZE s = CalcStringSize(canvas, FFont, FBoldFont, FCaption);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  return s;
}

void TDCHint::SetCaption(const AnsiString& caption) {
  FCaption = caption;
  if (FWindow) InvalidateRect(FWindow, nullptr, TRUE);
}

bool TDCHint::GetVisible() const { return FWindow && IsWindowVisible(FWindow); }

void TDCHint::SetVisible(bool v) {
  if (v == GetVisible()) return;
  if (v)
    ShowHintWindow();
  else
    HideHintWindow();
}

void TDCHint::VisibleChanged() {
  if (OnVisibleChanged) OnVisibleChanged(this);
}

void TDCHint::ActivateHint(const AnsiString& caption) {
  POINT p{};
  GetCursorPos(&p);
  p.y += FVerticalOffset;
  ActivateHintAtPos(p, caption);
}

void TDCHint::ActivateHintAtPos(POINT p, const AnsiString& caption) {
  if (caption.empty()) {
    CancelHint();
    return;
  }
  FCaption = caption;
  SIZE s = GetSize();
  FRect = RECT{p.x, p.y, p.x + s.cx + 8, p.y + s.cy + 4};
  FState = hsBeginShow;
  FTicks = 0;
  if (FWindow && !FTimerOn) {
    SetTimer(FWindow, kTimer, kTick, nullptr);
    FTimerOn = true;
  }
  if (FImmediate) ShowHintWindow();
}

void TDCHint::ShowHintWindow() {
  if (!FWindow) return;
  bool was = GetVisible();
  SetWindowPos(FWindow, HWND_TOPMOST, FRect.left, FRect.top, FRect.right - FRect.left, FRect.bottom - FRect.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(FWindow, nullptr, TRUE);
  FState = hsShow;
  FTicks = 0;
  if (!FTimerOn) {
    SetTimer(FWindow, kTimer, kTick, nullptr);
    FTimerOn = true;
  }
  if (!was) VisibleChanged();
}

void TDCHint::HideHintWindow() {
  if (!FWindow) return;
  bool was = GetVisible();
  ShowWindow(FWindow, SW_HIDE);
  KillTimer(FWindow, kTimer);
  FTimerOn = false;
  FState = hsHide;
  if (was) VisibleChanged();
}

void TDCHint::CancelHint() { HideHintWindow(); }

bool TDCHint::IsHintInRect() const {
  POINT p{};
  GetCursorPos(&p);
  RECT r = FRect;
  r.top -= FVerticalOffset;  // the cursor rests above the hint
  return PtInRect(&r, p) != FALSE;
}

void TDCHint::ExecHintTimer() {
  ++FTicks;
  switch (FState) {
    case hsBeginShow:
      // The rest time of the system's tool tips before showing.
      if (FImmediate || FTicks * kTick >= static_cast<int>(GetDoubleClickTime())) ShowHintWindow();
      break;
    case hsShow:
      if ((FAutoHide && !IsHintInRect()) || FTicks * kTick >= FInterval) {
        bool inside = IsHintInRect();
        HideHintWindow();
        if (inside && FWindow) {
          // Hidden by time with the cursor still there: keep watching.
          SetTimer(FWindow, kTimer, kTick, nullptr);
          FTimerOn = true;
        }
      }
      break;
    case hsHide:
      if (!IsHintInRect()) {
        KillTimer(FWindow, kTimer);
        FTimerOn = false;
      }
      break;
  }
}
