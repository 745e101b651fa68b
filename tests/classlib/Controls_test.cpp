// Controls within their parent: alignment, anchors and size limits, the
// properties taken from the parent, mouse, key and resize events, context
// menus, dragging between controls, and their published tables.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Edit.h"
#include "classlib/Filer.h"
#include "classlib/Form.h"
#include "classlib/ListBox.h"
#include "classlib/ObjectText.h"
#include "classlib/PopupMenu.h"
#include "classlib/SpeedButton.h"
#include "classlib/WinControl.h"
#include "classlib/WindowClass.h"

#include "tests/support/FormTest.h"

namespace {

using kel::test::pump;

// A panel of this layer's own window class (children of `owner`).
TWinControl* panel(TWinControl* parent, int left, int top, int width, int height) {
  auto* p = new TWinControl(parent);
  p->SetBounds(left, top, width, height);
  p->SetParent(parent);
  return p;
}

AnsiString BoundsOf(const TControl* c) {
  return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + "," + std::to_string(c->Width()) + "," +
         std::to_string(c->Height());
}

// Closes the open menu once its loop has run for a while.
void closeMenuAfter(UINT ms) {
  SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
  });
}

// A shown form of a fixed client size.
class ShownForm : public TForm {
 public:
  ShownForm() : TForm(nullptr) {
    TApplication::Instance();
    SetBounds(40, 40, 400, 300);
    Show();
    SetClientSize(400, 300);
    pump();
  }
};

}  // namespace

TEST(Controls, AlignedChildrenShareTheClientAreaInTurn) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 300, 200);
  struct Child {
    TAlign align;
    int width, height;
  } const kinds[] = {{alTop, 10, 20},   {alBottom, 10, 30}, {alLeft, 40, 10},
                     {alRight, 50, 10}, {alClient, 10, 10}, {alTop, 10, 15}};
  std::vector<TControl*> c;
  for (const Child& k : kinds) {
    TWinControl* p = panel(&parent, 1, 1, k.width, k.height);
    p->SetAlign(k.align);
    c.push_back(p);
  }
  const auto layout = [&] {
    std::vector<AnsiString> out;
    for (TControl* child : c) out.push_back(BoundsOf(child));
    return out;
  };
  // Both top children first, in their order, then bottom, left, right and
  // the client one in what is left.
  EXPECT_EQ(layout(), (std::vector<AnsiString>{"0,0,300,20", "0,170,300,30", "0,35,40,135", "250,35,50,135",
                                               "40,35,210,135", "0,20,300,15"}));
  parent.SetBorderWidth(5);
  parent.SetBounds(0, 0, 400, 260);
  EXPECT_EQ(layout(), (std::vector<AnsiString>{"5,5,390,20", "5,225,390,30", "5,40,40,185", "345,40,50,185",
                                               "45,40,300,185", "5,25,390,15"}));

  // A child resized or hidden by hand: the others take up the room.
  c[0]->SetHeight(40);
  EXPECT_EQ(BoundsOf(c[5]), "5,45,390,15");
  EXPECT_EQ(BoundsOf(c[4]), "45,60,300,165");
  c[2]->Hide();
  EXPECT_EQ(BoundsOf(c[4]), "5,60,340,165");
  c[4]->SetAlign(alNone);
  c[2]->Show();
  EXPECT_EQ(BoundsOf(c[2]), "5,60,40,165");
  EXPECT_EQ(BoundsOf(c[4]), "5,60,340,165") << "no longer aligned: left where it was";
}

TEST(Controls, AnchoredChildrenFollowTheParentsSizeWithinTheirConstraints) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  const TAnchors left = 1u << akLeft, top = 1u << akTop, right = 1u << akRight, bottom = 1u << akBottom;
  struct Case {
    TAnchors anchors;
    const char* after;  // parent grown by 40 x 20
  } const cases[] = {
      {DefaultAnchors, "10,10,50,30"},
      {right | bottom, "50,30,50,30"},
      {left | right | top, "10,10,90,30"},
      {left | top | right | bottom, "10,10,90,50"},
      {0, "30,20,50,30"},
  };
  std::vector<TControl*> children;
  for (const Case& c : cases) {
    TWinControl* p = panel(&parent, 10, 10, 50, 30);
    p->SetAnchors(c.anchors);
    children.push_back(p);
  }
  parent.SetBounds(0, 0, 240, 120);
  for (size_t i = 0; i < children.size(); ++i) EXPECT_EQ(BoundsOf(children[i]), cases[i].after) << i;

  // Size limits hold for sizes set by hand, by anchors and by alignment.
  TControl* grows = children[3];
  grows->Constraints()->SetMaxWidth(100);
  grows->Constraints()->SetMinHeight(40);
  EXPECT_EQ(BoundsOf(grows), "10,10,90,50");
  grows->SetBounds(10, 10, 5, 5);
  EXPECT_EQ(BoundsOf(grows), "10,10,5,40");
  grows->SetWidth(500);
  EXPECT_EQ(grows->Width(), 100);
  grows->SetAnchors(DefaultAnchors);
  grows->SetAlign(alClient);
  EXPECT_EQ(BoundsOf(grows), "0,0,100,120");
  grows->Constraints()->SetMinWidth(150);
  EXPECT_EQ(grows->Constraints()->MaxWidth(), 150) << "a maximum below the minimum becomes the minimum";
  EXPECT_EQ(grows->Width(), 150);
}

TEST(Controls, ResizeFiresForSizeChangesOnly) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  TWinControl* child = panel(&parent, 0, 0, 10, 10);
  std::vector<AnsiString> log;
  parent.OnResize = [&](TObject*) { log.push_back("parent " + BoundsOf(&parent)); };
  child->OnResize = [&](TObject*) { log.push_back("child " + BoundsOf(child)); };
  parent.SetBounds(5, 5, 100, 100);
  child->SetAlign(alTop);
  parent.SetWidth(120);
  EXPECT_EQ(log, (std::vector<AnsiString>{"child 0,0,100,10", "child 0,0,120,10", "parent 5,5,120,100"}));
}

TEST(Controls, ColourHintsAndCtl3DComeFromTheParentUntilSetOnTheChild) {
  ShownForm form;
  TWinControl* box = panel(&form, 0, 0, 200, 100);
  // A list box keeps the border style it was made with (an edit draws its
  // own).
  auto* list = new TListBox(&form);
  list->SetBounds(5, 5, 80, 40);
  list->SetParent(box);
  const auto clientEdge = [&] {
    const LONG_PTR ex = GetWindowLongPtrA(list->Handle(), GWL_EXSTYLE);
    const LONG_PTR style = GetWindowLongPtrA(list->Handle(), GWL_STYLE);
    return AnsiString((ex & WS_EX_CLIENTEDGE) ? "edge" : "") + ((style & WS_BORDER) ? "line" : "");
  };

  box->SetParentColor(true);
  EXPECT_EQ(box->Color(), form.Color());
  form.SetColor(clRed);
  EXPECT_EQ(box->Color(), clRed);
  box->SetColor(clBlue);
  EXPECT_FALSE(box->ParentColor());
  form.SetColor(clGreen);
  EXPECT_EQ(box->Color(), clBlue);

  EXPECT_TRUE(list->ParentShowHint());
  form.SetShowHint(true);
  EXPECT_TRUE(box->ShowHint() && list->ShowHint());
  list->SetShowHint(false);
  EXPECT_FALSE(list->ParentShowHint());
  form.SetShowHint(false);
  form.SetShowHint(true);
  EXPECT_FALSE(list->ShowHint());
  list->SetParentShowHint(true);
  EXPECT_TRUE(list->ShowHint());

  EXPECT_EQ(clientEdge(), "edge");
  form.SetCtl3D(false);
  EXPECT_FALSE(list->Ctl3D());
  EXPECT_EQ(clientEdge(), "line");
  list->SetCtl3D(true);
  EXPECT_FALSE(list->ParentCtl3D());
  EXPECT_EQ(clientEdge(), "edge");
  list->SetParentCtl3D(true);
  EXPECT_EQ(clientEdge(), "line");
  form.SetCtl3D(true);
  EXPECT_EQ(clientEdge(), "edge");
}

TEST(Controls, MouseAndKeyEventsReachTheControlUnderTheMouse) {
  ShownForm form;
  TWinControl* box = panel(&form, 10, 10, 200, 100);
  auto* speed = new TSpeedButton(&form);
  speed->SetBounds(20, 30, 23, 22);
  speed->SetParent(box);
  auto* edit = new TEdit(&form);
  edit->SetBounds(10, 120, 80, 21);
  edit->SetParent(&form);
  std::vector<AnsiString> log;
  const auto mouse = [&](const char* who, const char* what) {
    return [&log, who, what](TObject*, TMouseButton b, TShiftState s, int x, int y) {
      log.push_back(AnsiString(who) + " " + what + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                    std::to_string(x) + "," + std::to_string(y));
    };
  };
  box->OnMouseDown = mouse("box", "down");
  box->OnMouseUp = mouse("box", "up");
  box->OnMouseMove = [&](TObject*, TShiftState s, int x, int y) {
    log.push_back("box move " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  speed->OnMouseDown = mouse("speed", "down");
  speed->OnMouseUp = mouse("speed", "up");
  HWND h = box->Handle();
  SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(5, 6));
  SendMessageA(h, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(7, 8));
  SendMessageA(h, WM_RBUTTONUP, 0, MAKELPARAM(7, 8));
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(25, 35));
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(26, 36));
  SendMessageA(h, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 90));
  EXPECT_EQ(log, (std::vector<AnsiString>{"box down 1 17 5,6", "box move 16 7,8", "box up 1 0 7,8",
                                          "speed down 0 12 5,5", "speed up 0 0 6,6", "box down 2 32 100,90"}));

  std::vector<WORD> ups;
  edit->OnKeyUp = [&](TObject*, WORD& key, TShiftState) {
    ups.push_back(key);
    if (key == VK_F2) key = 0;
  };
  SendMessageA(edit->Handle(), WM_KEYUP, VK_F2, 0xC0000001);
  SendMessageA(edit->Handle(), WM_KEYUP, 'A', 0xC0000001);
  EXPECT_EQ(ups, (std::vector<WORD>{VK_F2, 'A'}));
}

TEST(Controls, ContextMenuGoesToTheEventThenThePopupMenuUpTheParents) {
  ShownForm form;
  TWinControl* box = panel(&form, 10, 10, 200, 100);
  TWinControl* inner = panel(box, 10, 10, 50, 50);
  auto* menu = new TPopupMenu(&form);
  auto* item = new TMenuItem(nullptr);
  item->SetCaption("Eintrag");
  menu->Items()->Add(item);
  std::vector<AnsiString> log;
  menu->OnPopup = [&](TObject* sender) {
    auto* m = static_cast<TPopupMenu*>(sender);
    log.push_back("popup for " + m->PopupComponent()->Name());
    closeMenuAfter(20);
  };
  box->SetName("Box");
  box->SetPopupMenu(menu);
  bool handle = true;
  box->OnContextPopup = [&](TObject*, POINT p, bool& handled) {
    log.push_back("event " + std::to_string(p.x) + "," + std::to_string(p.y));
    handled = handle;
  };
  POINT at{30, 40};
  ClientToScreen(inner->Handle(), &at);
  const auto ask = [&](HWND window, POINT screen) {
    SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(screen.x, screen.y));
  };
  ask(inner->Handle(), at);  // the inner panel takes nothing: the box does
  handle = false;
  ask(inner->Handle(), at);
  SendMessageA(box->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box->Handle()), -1);
  EXPECT_EQ(log, (std::vector<AnsiString>{"event 40,50", "event 40,50", "popup for Box", "event -1,-1",
                                          "popup for Box"}));

  // An item chosen in the menu runs after it closed.
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  menu->OnPopup = [&](TObject*) {
    PostMessageA(box->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(box->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    closeMenuAfter(2000);  // should the keys not reach it
  };
  ask(box->Handle(), at);
  EXPECT_EQ(clicks, 1);

  delete menu;
  EXPECT_EQ(box->PopupMenu(), nullptr);
}

TEST(Controls, DraggingDropsOnAControlThatAcceptsAndEndsAtTheSource) {
  ShownForm form;
  TWinControl* source = panel(&form, 10, 10, 100, 100);
  TWinControl* target = panel(&form, 200, 10, 100, 100);
  source->SetName("Source");
  target->SetName("Target");
  source->SetDragMode(dmAutomatic);
  source->SetDragCursor(crHandPoint);
  std::vector<AnsiString> log;
  const auto name = [](TObject* o) { return o ? static_cast<TComponent*>(o)->Name() : AnsiString("none"); };
  source->OnStartDrag = [&](TObject*, TObject*&) { log.push_back("start"); };
  target->OnDragOver = [&](TObject*, TObject* src, int x, int y, TDragState state, bool& accept) {
    log.push_back("over " + name(src) + " " + std::to_string(state) + " " + std::to_string(x) + "," +
                  std::to_string(y));
    accept = src == source;
  };
  target->OnDragDrop = [&](TObject*, TObject* src, int x, int y) {
    log.push_back("drop " + name(src) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  source->OnEndDrag = [&](TObject*, TObject* on, int x, int y) {
    log.push_back("end " + name(on) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  HWND h = source->Handle();
  // Points in the source's coordinates: (220, 20) lies on the target.
  const auto move = [&](int x, int y) {
    POINT screen{x, y};
    ClientToScreen(h, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  };
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(source->Dragging());
  EXPECT_EQ(GetCapture(), h);
  move(50, 50);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_NO));
  move(210, 20);
  move(220, 30);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(220, 30));
  EXPECT_FALSE(source->Dragging());
  EXPECT_NE(GetCapture(), h);
  EXPECT_EQ(log, (std::vector<AnsiString>{"start", "over Source 0 20,20", "over Source 2 30,30",
                                          "drop Source 30,30", "end Target 30,30"}));

  // Cancelled with the right button, or refused: the target is left and
  // the source hears no target.
  log.clear();
  source->BeginDrag();
  move(220, 30);
  SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(220, 30));
  source->OnStartDrag = [&](TObject*, TObject*& object) { object = &form; };
  source->BeginDrag();
  move(220, 30);
  source->EndDrag(true);
  EXPECT_EQ(log, (std::vector<AnsiString>{"start", "over Source 0 30,30", "over Source 1 30,30", "end none 0,0",
                                          "over  0 30,30", "over  1 30,30", "end none 0,0"}));

  // A source freed while it is dragged lets the mouse go, quietly.
  log.clear();
  source->BeginDrag();
  move(220, 30);
  delete source;
  EXPECT_EQ(GetCapture(), nullptr);
  move(220, 30);
  EXPECT_EQ(log, (std::vector<AnsiString>{"over  0 30,30"}));
}

TEST(Controls, AFormsConstraintsLimitHowItIsSized) {
  ShownForm form;
  form.Constraints()->SetMinWidth(200);
  form.Constraints()->SetMaxHeight(250);
  EXPECT_EQ(form.Height(), 250);
  MINMAXINFO info{};
  info.ptMaxTrackSize = info.ptMaxSize = POINT{2000, 2000};
  SendMessageA(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMaxTrackSize.y, 250);
  EXPECT_EQ(info.ptMaxSize.y, 250);
  EXPECT_EQ(info.ptMaxTrackSize.x, 2000);
}

namespace {

// A form class with published handlers, for streaming controls.
class TStreamForm : public TWinControl {
 public:
  using TWinControl::TWinControl;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  void BoxResize(TObject*) { ++Resizes; }
  void BoxMouseDown(TObject*, TMouseButton, TShiftState, int, int) { ++Downs; }
  int Resizes = 0, Downs = 0;
};
const TMethodEntry kStreamFormMethods[] = {PublishedMethod<&TStreamForm::BoxResize>("BoxResize"),
                                           PublishedMethod<&TStreamForm::BoxMouseDown>("BoxMouseDown")};
const TClassInfo TStreamForm::Info =
    PublishClass<TStreamForm>("TStreamForm", "Controls_test", TWinControl::Info, {}, {}, kStreamFormMethods);

const bool kRegistered = RegisterStreamClass(TWinControl::Info) && RegisterStreamClass(TPopupMenu::Info);

}  // namespace

TEST(Controls, PublishedPropertiesAndEventsAreStreamed) {
  ASSERT_TRUE(kRegistered);
  TStreamForm root(nullptr);
  root.SetName("Form");
  root.SetBounds(0, 0, 200, 100);
  auto* menu = new TPopupMenu(&root);
  menu->SetName("Menu");
  auto* box = new TWinControl(&root);
  box->SetName("Box");
  box->SetParent(&root);
  box->SetBounds(1, 2, 30, 40);
  box->SetAlign(alBottom);
  box->SetAnchors(1u << akRight | 1u << akBottom);
  box->Constraints()->SetMaxHeight(90);
  box->SetDragMode(dmAutomatic);
  box->SetDragCursor(crHandPoint);
  box->SetPopupMenu(menu);
  box->SetParentShowHint(false);
  box->SetBorderWidth(3);
  box->SetCtl3D(false);
  box->SetColor(clRed);
  box->SetHint("Hilfe");
  const auto bind = [&](const char* event, const char* method) {
    SetMethodProp(*box, *GetEventInfo(*box, event), TMethod{MethodAddress(root.ClassInfo(), method), &root});
  };
  bind("OnResize", "BoxResize");
  bind("OnMouseDown", "BoxMouseDown");

  TMemoryStream binary;
  WriteComponentToStream(binary, root);
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  const AnsiString t(static_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
  EXPECT_NE(t.find("  object Box: TWinControl\r\n"
                   "    Left = 0\r\n    Top = 60\r\n    Width = 200\r\n    Height = 40\r\n"
                   "    Align = alBottom\r\n    Anchors = [akRight, akBottom]\r\n"
                   "    Constraints.MaxHeight = 90\r\n    Color = 255\r\n    DragCursor = -21\r\n"
                   "    DragMode = dmAutomatic\r\n    Hint = 'Hilfe'\r\n    ParentShowHint = False\r\n"
                   "    PopupMenu = Menu\r\n    ShowHint = False\r\n"
                   "    BorderWidth = 3\r\n    Ctl3D = False\r\n    ParentCtl3D = False\r\n"
                   "    OnMouseDown = BoxMouseDown\r\n    OnResize = BoxResize\r\n"),
            AnsiString::npos)
      << t;

  TStreamForm back(nullptr);
  binary.SetPosition(0);
  ReadComponentFromStream(binary, &back);
  auto* read = dynamic_cast<TWinControl*>(back.FindComponent("Box"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Parent(), &back);
  EXPECT_EQ(BoundsOf(read), "0,60,200,40");
  EXPECT_EQ(read->Align(), alBottom);
  EXPECT_EQ(read->Anchors(), 1u << akRight | 1u << akBottom);
  EXPECT_EQ(read->Constraints()->MaxHeight(), 90);
  EXPECT_EQ(read->DragMode(), dmAutomatic);
  EXPECT_EQ(read->DragCursor(), crHandPoint);
  EXPECT_EQ(read->PopupMenu(), back.FindComponent("Menu"));
  EXPECT_EQ(read->BorderWidth(), 3);
  EXPECT_FALSE(read->Ctl3D() || read->ParentCtl3D() || read->ParentShowHint());
  EXPECT_EQ(read->Color(), clRed);
  read->SetHeight(50);
  read->OnMouseDown(read, mbLeft, 0, 1, 1);
  EXPECT_EQ(back.Resizes, 1);
  EXPECT_EQ(back.Downs, 1);
  EXPECT_EQ(root.Resizes, 0);
}

// A class is registered once: a later request for its name keeps the first
// class and says it registered nothing (the framework unregisters only what
// it registered itself); after the class is gone it is registered anew.
TEST(Controls, WindowClassIsRegisteredOnce) {
  const char* name = "KelRegisteredOnce";
  const HINSTANCE module = GetModuleHandleA(nullptr);
  const struct {
    UINT style;
    bool registers;
    UINT kept;
  } steps[] = {{CS_DBLCLKS, true, CS_DBLCLKS}, {CS_SAVEBITS, false, CS_DBLCLKS}};
  for (const auto& step : steps) {
    EXPECT_EQ(RegisterWindowClassOnce(name, step.style), step.registers) << step.style;
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(module, name, &wc));
    EXPECT_EQ(wc.style, step.kept);
  }
  ASSERT_TRUE(UnregisterClassA(name, module));
  EXPECT_TRUE(RegisterWindowClassOnce(name, CS_SAVEBITS));
  UnregisterClassA(name, module);
}
