// The key-mapped control, the message windows, the hint and the control
// background on real windows.
#include <gtest/gtest.h>

#include <type_traits>

#include "classlib/Button.h"
#include "classlib/Edit.h"
#include "components/buttonedits/controls/ControlBackground.h"
#include "components/buttonedits/controls/DCCustomControl.h"
#include "components/buttonedits/controls/DCHint.h"
#include "components/buttonedits/controls/DCOleControl.h"
#include "components/buttonedits/controls/DCSpeedButton.h"
#include "components/buttonedits/controls/DCTabControl.h"
#include "components/buttonedits/controls/HandleObject.h"
#include "components/buttonedits/runtime/ObjectParams.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"

using namespace kel::test;

namespace {

static_assert(std::is_abstract_v<TCustomDCOleControl>);

struct KeyControl : TDCCustomControl {
  explicit KeyControl(TComponent* owner) : TDCCustomControl(owner) { UpdateKeyMapping(); }
  void InitDefaultKeyMapping() override {
    KeyList().Add('K', ssCtrl, 0, 1, nullptr);
    KeyList().Add('B', 0, 1, 0, [this] { log += "block "; });
    KeyList().Add(VK_HOME, 0, 0, 0, [this] { log += "home "; });
  }
  bool InsertChar(char c) override {
    typed += c;
    return true;
  }
  std::string log, typed;
};

struct KeyForm : TForm {
  KeyForm() : TForm(nullptr) {
    SetBorderStyle(bsDialog);
    SetBounds(100, 100, 300, 200);
    Control = new KeyControl(this);
    Control->SetParent(this);
    Control->SetBounds(10, 10, 200, 100);
    Ok = new TButton(this);
    Ok->SetParent(this);
    Ok->SetBounds(10, 130, 80, 25);
    Ok->SetDefault(true);
    Ok->OnClick = [this](TObject*) { ++okClicks; };
    Show();
    Control->SetFocus();
    releaseKeys();
    pump();
  }
  KeyControl* Control;
  TButton* Ok;
  int okClicks = 0;
};

TEST(KeyMappedControl, DefaultMappingNameAndWantReturns) {
  KeyForm f;
  EXPECT_EQ(f.Control->KeyMapping(), "Vorgabe");
  EXPECT_EQ(f.Control->KeyList().Count(), 3);
  postKey(f.Control->Handle(), VK_RETURN);
  EXPECT_EQ(f.okClicks, 0) << "the control wants Enter";
  f.Control->SetWantReturns(false);
  postKey(f.Control->Handle(), VK_RETURN);
  EXPECT_EQ(f.okClicks, 1) << "Enter reaches the default button";
  EXPECT_EQ(SendMessageA(f.Control->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
}

TEST(KeyMappedControl, SequencesRunTheirMethodAndSwallowTheirCharacters) {
  KeyForm f;
  HWND h = f.Control->Handle();
  holdKey(VK_CONTROL, true);
  postKey(h, 'K');
  holdKey(VK_CONTROL, false);
  postKey(h, 'B');
  EXPECT_EQ(f.Control->log, "block ");
  EXPECT_EQ(f.Control->typed, "") << "the sequence's keys type nothing";
  postKey(h, 'X');
  EXPECT_EQ(f.Control->typed, "x");
  // An unbound key inside a sequence resets it.
  holdKey(VK_CONTROL, true);
  postKey(h, 'K');
  holdKey(VK_CONTROL, false);
  postKey(h, VK_F2);
  postKey(h, 'B');
  EXPECT_EQ(f.Control->log, "block ");
  EXPECT_EQ(f.Control->typed, "xb");
}

void altMapping(void* keyboard) {
  static_cast<KeyControl*>(keyboard)->KeyList().Add(VK_END, 0, 0, 0, nullptr);
}

TEST(KeyMappedControl, ARegisteredMappingReplacesTheDefault) {
  RegisterKeyboardInitProc("TDCCustomControl", "Andere", &altMapping);
  KeyForm f;
  f.Control->SetKeyMapping("Andere");
  EXPECT_EQ(f.Control->KeyList().Count(), 1);
  f.Control->SetKeyMapping("Vorgabe");
  EXPECT_EQ(f.Control->KeyList().Count(), 3);
}

struct Receiver : TMessageReceiver {
  void Dispatch(TDCMessage& m) override {
    if (m.Msg == WM_USER + 7) {
      last = m.WParam;
      m.Result = 42;
    }
  }
  uintptr_t last = 0;
};

TEST(HandleObject, MessagesReachTheReceiver) {
  Receiver r;
  TDCHandleObject window(&r);
  ASSERT_NE(window.Handle(), nullptr);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_USER + 7, 5, 0), 42);
  EXPECT_EQ(r.last, 5u);
  EXPECT_TRUE(window.PostMsg(WM_USER + 7, 9, 0));
  pump();
  EXPECT_EQ(r.last, 9u);
}

TEST(Hint, ShowsAtOnceWhenImmediateAndAnEmptyCaptionCancels) {
  TDCHint hint(nullptr);
  int changes = 0;
  hint.OnVisibleChanged = [&](TObject*) { ++changes; };
  hint.SetImmediate(true);
  hint.ActivateHintAtPos(POINT{200, 200}, "Eine ~fette~ Stelle");
  EXPECT_TRUE(hint.GetVisible());
  EXPECT_EQ(hint.State(), hsShow);
  RECT r{};
  GetWindowRect(hint.WindowHandle(), &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.right - r.left, hint.GetSize().cx + 8);
  EXPECT_EQ(GetForegroundWindow() == hint.WindowHandle(), false) << "never takes the focus";
  hint.ActivateHintAtPos(POINT{200, 200}, "");
  EXPECT_FALSE(hint.GetVisible());
  EXPECT_EQ(changes, 2);
}

TEST(Background, PaintsGradientsAndTilesOnlyWhatNeedsPainting) {
  TControlBackground back;
  TBitmap target;
  target.SetSize(40, 20);
  RECT all{0, 0, 40, 20};
  back.SetBkgndOption(boTile);
  EXPECT_FALSE(back.NeedPaint(all)) << "tile without a picture";
  back.SetBkgndOption(boHorzGradient);
  back.SetGradientBeginColor(clBlack);
  back.SetGradientEndColor(clWhite);
  EXPECT_TRUE(back.NeedPaint(all));
  EXPECT_FALSE(back.NeedPaint(RECT{5, 5, 5, 5}));
  back.PaintBackground(target.Canvas(), all);
  COLORREF left = target.Canvas().Pixel(0, 10), right = target.Canvas().Pixel(39, 10);
  EXPECT_LT(GetRValue(left), 20);
  EXPECT_GT(GetRValue(right), 235);

  TBitmap tile;
  tile.SetSize(4, 4);
  RECT t{0, 0, 4, 4};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(tile.Canvas().Handle(), &t, red);
  DeleteObject(red);
  back.SetBackground(tile);
  back.SetBkgndOption(boTile);
  back.PaintBackground(target.Canvas(), all);
  EXPECT_EQ(target.Canvas().Pixel(39, 19), RGB(255, 0, 0));
}

TEST(DCTabControl, CtrlTabPagesFromInsideAndWrapsBothWays) {
  TForm f(nullptr);
  f.SetBorderStyle(bsDialog);
  f.SetBounds(100, 100, 320, 240);
  auto* tabs = new TDCTabControl(&f);
  tabs->SetParent(&f);
  tabs->SetBounds(8, 8, 290, 150);
  for (const char* c : {"Eins", "Zwei", "Drei"}) tabs->AddTab(c);
  auto* inside = new TEdit(tabs);
  inside->SetParent(tabs);
  inside->SetBounds(10, 40, 120, 21);
  auto* outside = new TEdit(&f);
  outside->SetParent(&f);
  outside->SetBounds(8, 170, 120, 21);
  int changes = 0;
  tabs->OnChange = [&](TObject*) { ++changes; };
  f.Show();
  inside->SetFocus();
  releaseKeys();
  pump();

  auto ctrlTab = [](HWND target, bool shift) {
    holdKey(VK_CONTROL, true);
    holdKey(VK_SHIFT, shift);
    postKey(target, VK_TAB);
    releaseKeys();
  };
  ctrlTab(inside->Handle(), false);
  EXPECT_EQ(tabs->TabIndex(), 1);
  EXPECT_EQ(changes, 1);
  ctrlTab(inside->Handle(), true);
  ctrlTab(inside->Handle(), true);
  EXPECT_EQ(tabs->TabIndex(), 2) << "backwards past the first tab";
  ctrlTab(inside->Handle(), false);
  EXPECT_EQ(tabs->TabIndex(), 0) << "forwards past the last tab";
  EXPECT_EQ(GetFocus(), inside->Handle()) << "the focus stays";

  // From a control outside the tabs nothing pages.
  outside->SetFocus();
  pump();
  ctrlTab(outside->Handle(), false);
  EXPECT_EQ(tabs->TabIndex(), 0);
  EXPECT_EQ(changes, 4);
}

HBITMAP solid(COLORREF color) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 10, 10);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 10, 10};
  HBRUSH b = CreateSolidBrush(color);
  FillRect(dc, &all, b);
  DeleteObject(b);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bmp;
}

TEST(DCSpeedButton, AnExchangedGlyphIsDrawnAtOnce) {
  TForm f(nullptr);
  f.SetBorderStyle(bsDialog);
  f.SetBounds(100, 100, 200, 120);
  auto* b = new TDCSpeedButton(&f);
  b->SetParent(&f);
  b->SetBounds(10, 10, 30, 30);
  b->Glyph().SetHandle(solid(RGB(255, 0, 0)));
  f.Show();
  pump();
  auto centre = [&] {
    HDC dc = GetDC(f.Handle());
    COLORREF c = GetPixel(dc, 25, 25);
    ReleaseDC(f.Handle(), dc);
    return c;
  };
  ASSERT_EQ(centre(), RGB(255, 0, 0));
  b->Glyph().SetHandle(solid(RGB(0, 0, 255)));
  pump();
  EXPECT_EQ(centre(), RGB(0, 0, 255));
}

}  // namespace
