// The helpers of the component runtime on real windows: menus, tabs and
// pages, stream sniffing, form lookups, module lookups, image drawing and
// the option-page registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "classlib/Edit.h"
#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "components/buttonedits/DCHelpers.h"
#include "components/buttonedits/OptionForms.h"
#include "tests/support/FormTest.h"

using namespace kel::test;

namespace {

std::string captions(const TMenuItem& menu) {
  std::string out;
  for (int i = 0; i < menu.Count(); ++i) out += menu.Items(i)->Caption();
  return out;
}

TEST(DCHelpers, MenusLoseSeparatorsAtTheEndsAndInRows) {
  struct Case {
    const char* items;  // one character per item, "-" a separator
    const char* left;
  } cases[] = {{"-a-b-", "a-b"}, {"--a--b--", "a-b"}, {"a---b", "a-b"}, {"---", ""}, {"ab", "ab"}, {"", ""}};
  for (const Case& c : cases) {
    TMenuItem menu(nullptr);
    for (const char* p = c.items; *p; ++p) {
      auto* item = new TMenuItem(nullptr);
      item->SetCaption(std::string(1, *p));
      menu.Add(item);
    }
    RemoveExtraMenuSeparators(&menu);
    EXPECT_EQ(captions(menu), c.left) << c.items;
  }
  TMenuItem menu(nullptr);
  menu.Add(new TMenuItem(nullptr));
  menu.Items(0)->Add(new TMenuItem(nullptr));
  ClearMenuSubItems(&menu, true);
  EXPECT_EQ(menu.Count(), 0);
  EXPECT_FALSE(menu.Enabled());
  ClearMenuSubItems(&menu, false);
  EXPECT_TRUE(menu.Enabled());
}

struct TabForm : TForm {
  TabForm() : TForm(nullptr) {
    SetClientSize(400, 300);
    Tabs = new TTabControl(this);
    Tabs->SetParent(this);
    Tabs->SetBounds(0, 0, 400, 40);
    for (const char* c : {"Eins", "Zwei", "Drei"}) Tabs->AddTab(c);
    Tabs->SetTabIndex(0);
    for (auto*& p : Pages) {
      p = new TPageControl(this);
      p->SetParent(this);
      p->SetBounds(0, p == Pages[0] ? 50 : 170, 400, 110);
    }
    for (int i = 0; i < 3; ++i) {
      auto* sheet = new TTabSheet(this);
      sheet->SetCaption("Seite " + std::to_string(i + 1));
      sheet->SetPageControl(Pages[0]);
    }
    Show();
    pump();
  }
  int shownTab() { return static_cast<int>(SendMessageA(Tabs->Handle(), TCM_GETCURSEL, 0, 0)); }
  TTabControl* Tabs;
  TPageControl* Pages[2];
};

TEST(DCHelpers, TabsWrapAndAreFoundByTheirCaption) {
  TabForm f;
  ChangeTab(f.Tabs, false);
  EXPECT_EQ(f.Tabs->TabIndex(), 2) << "back from the first tab";
  ChangeTab(f.Tabs, true);
  EXPECT_EQ(f.Tabs->TabIndex(), 0) << "forward from the last tab";
  ChangeTab(f.Tabs, true);
  EXPECT_EQ(f.shownTab(), 1);
  AddNewTab(f.Tabs, "dREI");
  EXPECT_EQ(f.Tabs->TabCount(), 3) << "a caption in another case is the same tab";
  EXPECT_EQ(f.shownTab(), 2);
  AddNewTab(f.Tabs, "Vier");
  EXPECT_EQ(f.Tabs->TabCount(), 4);
  EXPECT_EQ(f.Tabs->TabIndex(), 3);
  EXPECT_EQ(f.shownTab(), 3);
  EXPECT_EQ(SendMessageA(f.Tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 4);
}

TEST(DCHelpers, PagesMoveToAnotherPageControl) {
  TabForm f;
  TTabSheet* first = f.Pages[0]->Pages(0);
  MovePages(f.Pages[0], f.Pages[1]);
  EXPECT_EQ(f.Pages[0]->PageCount(), 0);
  ASSERT_EQ(f.Pages[1]->PageCount(), 3);
  EXPECT_EQ(f.Pages[1]->Pages(0), first);
  EXPECT_EQ(f.Pages[1]->Pages(2)->Caption(), "Seite 3");
  EXPECT_EQ(first->Parent(), f.Pages[1]);
}

TEST(DCHelpers, StreamsTellTheirFormAndRootClass) {
  struct Case {
    std::string bytes;
    bool text;
    const char* className;
  } cases[] = {
      {"object Form1: TForm1\r\n  Left = 1\r\nend\r\n", true, "TForm1"},
      {"inherited Probe: TProbeForm\nend\n", true, "TProbeForm"},
      {"objec", false, ""},
      {"Hallo Welt", false, ""},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    TMemoryStream s;
    s.Write("xy", 2);
    s.Write(c.bytes.data(), static_cast<int32_t>(c.bytes.size()));
    s.SetPosition(2);
    EXPECT_EQ(IsTextStream(s), c.text) << c.bytes;
    EXPECT_EQ(GetClassNameFromStream(s), c.className) << c.bytes;
    EXPECT_EQ(s.Position(), 2) << "the position is kept";
  }
  // The binary form, bare and behind a resource header.
  TComponent component(nullptr);
  component.SetName("Probe");
  TMemoryStream binary;
  WriteComponentToStream(binary, component);
  binary.SetPosition(0);
  EXPECT_FALSE(IsTextStream(binary));
  EXPECT_EQ(GetClassNameFromStream(binary), component.ClassInfo().ClassName);
  TMemoryStream resource;
  const unsigned char header[] = {0xFF, 10, 0, 'P', 'R', 'O', 'B', 'E', 0, 0x30, 0x10, 0, 0, 0, 0};
  resource.Write(header, sizeof header);
  binary.SetPosition(0);
  std::vector<char> data(static_cast<size_t>(binary.Size()));
  binary.Read(data.data(), static_cast<int32_t>(data.size()));
  resource.Write(data.data(), static_cast<int32_t>(data.size()));
  resource.SetPosition(0);
  EXPECT_EQ(GetClassNameFromStream(resource), component.ClassInfo().ClassName);
  EXPECT_EQ(resource.Position(), 0);
}

TEST(DCHelpers, StreamsTellWhetherTheirRootIsADataModule) {
  RegisterStreamClass(TDataModule::Info);
  TDataModule module(nullptr);
  module.SetName("Daten");
  TMemoryStream binary, text;
  WriteComponentToStream(binary, module);
  binary.SetPosition(0);
  ObjectBinaryToText(binary, text);
  text.SetPosition(0);
  binary.SetPosition(0);
  EXPECT_TRUE(StreamContainsDataModule(binary));
  EXPECT_EQ(binary.Position(), 0);
  EXPECT_TRUE(StreamContainsDataModule(text));
  EXPECT_EQ(text.Position(), 0);

  TComponent plain(nullptr);
  TMemoryStream other;
  WriteComponentToStream(other, plain);
  other.SetPosition(0);
  EXPECT_FALSE(StreamContainsDataModule(other));
  for (std::string bytes : {"object X: TUnbekannt\nend\n", "object X: TDataModule\n  Kaputt\n", "Hallo"}) {
    TMemoryStream s;
    s.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
    s.SetPosition(0);
    EXPECT_FALSE(StreamContainsDataModule(s)) << bytes;
  }
}

struct ProbeForm : TForm {
  explicit ProbeForm(TComponent* owner) : TForm(owner) {}
};
struct OtherForm : TForm {
  explicit OtherForm(TComponent* owner) : TForm(owner) {}
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == CM_FORMISACTIVEQUERY) return standAside;
    return TForm::WndProc(msg, w, l);
  }
  LRESULT standAside = 0;
};

TEST(DCHelpers, FormsAreFoundByClassAndName) {
  EXPECT_EQ(FindFormWithClass<ProbeForm>(), nullptr);
  ProbeForm* probe = FindOrCreateFormWithClass<ProbeForm>(nullptr);
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(FindOrCreateFormWithClass<ProbeForm>(nullptr), probe) << "made only once";
  EXPECT_EQ(dynamic_cast<ProbeForm*>(FindFormWithClass<TForm>()), probe) << "descendants count";
  probe->SetName("Meldung");
  auto* panel = new TWinControl(probe);
  panel->SetParent(probe);
  auto* edit = new TEdit(probe);
  edit->SetName("Ort");
  edit->SetParent(panel);
  EXPECT_EQ(GlobalFindObject("MELDUNG"), probe);
  EXPECT_EQ(GlobalFindObject("meldung.ort"), edit);
  EXPECT_EQ(GlobalFindObject("Meldung.Fehlt"), nullptr);
  EXPECT_EQ(GlobalFindObject("Fehlt.Ort"), nullptr);
  EXPECT_EQ(GetPForm(edit), probe);
  EXPECT_EQ(GetTopOwner(edit), probe);
  int created = 0;
  probe->OnCreate = [&](TObject*) { ++created; };
  CallCompOnCreate(probe);
  EXPECT_EQ(created, 1);
  delete probe;
  EXPECT_EQ(FindFormWithClass<ProbeForm>(), nullptr) << "a freed form leaves the screen's list";

  // Data modules come after the forms, and own what they hold.
  auto* data = CreateDataModuleWithClass<TDataModule>();
  data->SetName("Daten");
  auto* list = new TComponent(data);
  list->SetName("Liste");
  auto* inner = new TComponent(list);
  EXPECT_EQ(GlobalFindObject("daten.LISTE"), list);
  EXPECT_EQ(GlobalFindObject("Daten"), data);
  EXPECT_EQ(GetTopOwner(inner), data);
  data->OnCreate = [&](TObject*) { ++created; };
  CallCompOnCreate(data);
  EXPECT_EQ(created, 2);
  SetDesign(data, true);
  EXPECT_TRUE(data->Designing() && list->Designing() && inner->Designing());
  SetDesign(data, false);
  EXPECT_FALSE(inner->Designing());
  SetDesign(nullptr, true);
  delete data;
  EXPECT_EQ(GlobalFindObject("Daten"), nullptr);
}

TEST(DCHelpers, AFormIsActiveUnlessAnotherFormStandsBeforeIt) {
  ProbeForm probe(nullptr);
  EXPECT_FALSE(FormIsActive(&probe)) << "not shown";
  probe.Show();
  pump();
  EXPECT_TRUE(FormIsActive(&probe));
  OtherForm other(nullptr);
  other.Show();
  pump();
  SetWindowPos(other.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(FormIsActive(&probe));
  other.standAside = 1;
  EXPECT_TRUE(FormIsActive(&probe)) << "the other form stands aside";
  other.standAside = 0;
  FormIsActiveSkipForm = &other;
  EXPECT_TRUE(FormIsActive(&probe));
  FormIsActiveSkipForm = nullptr;
  Application->SetMainForm(&other);
  EXPECT_TRUE(FormIsActive(&probe)) << "the main form never hides another";
  Application->SetMainForm(nullptr);
}

TEST(DCHelpers, ModulesAndPackages) {
  std::vector<HMODULE> modules;
  ModulesToList(modules);
  EXPECT_NE(std::find(modules.begin(), modules.end(), GetModuleHandleA(nullptr)), modules.end());
  EXPECT_NE(std::find(modules.begin(), modules.end(), GetModuleHandleA("kernel32.dll")), modules.end());
  ResModulesToList(modules);
  EXPECT_EQ(modules, std::vector<HMODULE>{GetModuleHandleA(nullptr)});
  EXPECT_EQ(FindResourceInstance("KEINE_RESSOURCE", MAKEINTRESOURCEA(10)), nullptr);
  for (const char* f : {"c:\\x\\vcl50.bpl", "a.DPL"}) EXPECT_TRUE(FileIsPackage(f)) << f;
  for (const char* f : {"a.dll", "bpl", "c:\\x.bpl\\a"}) EXPECT_FALSE(FileIsPackage(f)) << f;
  TStringList paths;
  GetLoadedPackagesPaths(paths);
  EXPECT_EQ(paths.Count(), 0) << "no module here is a package";
}

COLORREF pixel(TBitmap& b, int x, int y) { return GetPixel(b.Canvas().Handle(), x, y); }

void fill(TBitmap& b, COLORREF c) {
  HBRUSH brush = CreateSolidBrush(c);
  RECT r{0, 0, b.Width(), b.Height()};
  FillRect(b.Canvas().Handle(), &r, brush);
  DeleteObject(brush);
}

TEST(DCHelpers, ImagesAreDrawnOnTheirBackground) {
  // A bitmap whose top-left colour (red) is transparent, blue inside.
  TBitmap glyph;
  glyph.SetSize(8, 8);
  fill(glyph, RGB(255, 0, 0));
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) SetPixel(glyph.Canvas().Handle(), x, y, RGB(0, 0, 255));
  TBitmap target;
  target.SetSize(40, 40);
  fill(target, RGB(255, 255, 255));
  RECT r{10, 10, 26, 26};
  DrawImage(target.Canvas(), glyph, static_cast<TColor>(RGB(0, 255, 0)), r);
  EXPECT_EQ(pixel(target, 11, 11), RGB(0, 255, 0)) << "transparent: the background";
  EXPECT_EQ(pixel(target, 18, 18), RGB(0, 0, 255));
  EXPECT_EQ(pixel(target, 5, 5), RGB(255, 255, 255)) << "outside the rectangle";

  TImageList list(nullptr, 8, 8);
  TBitmap green;
  green.SetSize(8, 8);
  fill(green, RGB(0, 128, 0));
  list.AddMasked(green, clRed);
  list.AddMasked(green, clRed);
  ChangeImageList(list, glyph, clRed, 0);
  EXPECT_EQ(list.Count(), 2);
  fill(target, RGB(255, 255, 255));
  DrawImage(target.Canvas(), list, static_cast<TColor>(RGB(255, 255, 0)), RECT{0, 0, 8, 8}, 0);
  DrawImage(target.Canvas(), list, static_cast<TColor>(RGB(255, 255, 0)), RECT{20, 0, 28, 8}, 1);
  EXPECT_EQ(pixel(target, 0, 0), RGB(255, 255, 0)) << "the new image's transparent corner";
  EXPECT_EQ(pixel(target, 3, 3), RGB(0, 0, 255)) << "the new image";
  EXPECT_EQ(pixel(target, 20, 0), RGB(0, 128, 0)) << "the other image is kept";

  TBitmap plain;
  plain.SetSize(4, 4);
  fill(plain, RGB(1, 2, 3));
  CorrectBitmap(plain);
  EXPECT_EQ(plain.Width(), 4);
  EXPECT_EQ(pixel(plain, 3, 3), RGB(1, 2, 3));
}

TEST(DCHelpers, OptionPagesKeepTheirOrderAndCaptions) {
  InitDCHelpers();
  struct A {};
  struct B {};
  struct C {};
  RegisterOptionsFormOrder(typeid(B), 2, "Zweite");
  RegisterOptionsFormOrder(typeid(A), 1, "Erste");
  RegisterOptionsForm(typeid(C), "Vorn");
  EXPECT_EQ(OptionFormClasses(), (std::vector<TFormClass>{typeid(C), typeid(A), typeid(B)}));
  EXPECT_EQ(OptionFormClass(1), typeid(A));
  EXPECT_EQ(GetOptionsFormCaption(typeid(B)), "Zweite");
  RegisterOptionsFormOrder(typeid(C), 3, "Hinten");
  EXPECT_EQ(OptionFormClass(2), typeid(C)) << "registered again: moved";
  UnregisterOptionsForm(typeid(A));
  EXPECT_EQ(GetOptionsFormCaption(typeid(A)), "");
  EXPECT_EQ(OptionFormClasses().size(), 2u);
  DoneDCHelpers();
  EXPECT_TRUE(OptionFormClasses().empty()) << "freed at shut-down";
}

}  // namespace
