#include "components/buttonedits/runtime/SystemIntegration.h"

#include <gtest/gtest.h>

#include "classlib/Component.h"
#include "classlib/Button.h"
#include "components/buttonedits/runtime/SimpleParser.h"
#include "components/buttonedits/runtime/StandardButtons.h"

namespace {

// Records what Invoke was given.
class FakeDispatch : public IDispatch {
 public:
  DISPID Id = 0;
  WORD Flags = 0;
  DISPID Named = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    Id = id;
    Flags = flags;
    NamedCount = params->cNamedArgs;
    Named = params->cNamedArgs ? params->rgdispidNamedArgs[0] : 0;
    return S_OK;
  }
  UINT NamedCount = 0;
};

class TDigitParser : public TSimpleParser {
 public:
  using TSimpleParser::TSimpleParser;
  void ColorString(const AnsiString& line) override {
    PrepareColorData(line);
    for (size_t i = 0; i < line.size(); ++i) ColorData()[i] = line[i] >= '0' && line[i] <= '9';
  }
};

class TListener : public TComponent {
 public:
  using TComponent::TComponent;
  std::vector<uint32_t> Heard;
  void Hear(void*, uint32_t message, intptr_t) { Heard.push_back(message); }
};

}  // namespace

TEST(SystemIntegration, RegisteringALibraryReportsEachFailureWithItsName) {
  try {
    RegisterOCX("C:\\nirgends\\fehlt.ocx");
    ADD_FAILURE();
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.Message(), "Laden von \"C:\\nirgends\\fehlt.ocx\" gescheitert");
  }
  try {
    RegisterOCX("kernel32.dll");
    ADD_FAILURE();
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.Message(), "DllRegisterServer Prozedur nicht gefunden in \"kernel32.dll\"");
  }
}

TEST(SystemIntegration, TypeLibrariesDispatchAndModules) {
  EXPECT_EQ(GetTypeLibName("{00020430-0000-0000-C000-000000000046}"), "OLE Automation");
  EXPECT_EQ(GetTypeLibName("{01234567-89AB-CDEF-0123-456789ABCDEF}"), "");

  FakeDispatch d;
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = 5;
  EXPECT_EQ(SetPropByDispatch(&d, 7, v), S_OK);
  EXPECT_EQ(d.Id, 7);
  EXPECT_EQ(d.Flags, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(d.NamedCount, 1u);
  EXPECT_EQ(d.Named, DISPID_PROPERTYPUT);
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = &d;
  SetPropByDispatch(&d, 8, v);
  EXPECT_EQ(d.Flags, DISPATCH_PROPERTYPUTREF);
  EXPECT_EQ(SetPropByDispatch(nullptr, 1, v), E_POINTER);

  EXPECT_EQ(GetClassModule(TComponent::Info), ::GetModuleHandleA(nullptr));
  EXPECT_EQ(GetClassModule(nullptr), nullptr);
}

TEST(SimpleParser, ColoursALineAndForgetsListenersThatGo) {
  TDigitParser parser(nullptr);
  parser.ColorString("a1b22");
  EXPECT_EQ(parser.ColorData(), (std::vector<uint8_t>{0, 1, 0, 1, 1}));
  parser.PrepareColorData("xyz");
  EXPECT_EQ(parser.ColorData(), (std::vector<uint8_t>(3, 0)));

  auto* gone = new TListener(nullptr);
  TListener stays(nullptr);
  parser.AddListener(MakeNotifierMethod<&TListener::Hear>(gone), gone);
  parser.AddListener(MakeNotifierMethod<&TListener::Hear>(&stays), &stays);
  int plain = 0;
  struct Plain {
    int* Count;
    void Hear(void*, uint32_t, intptr_t) { ++*Count; }
  } p{&plain};
  parser.AddListener(MakeNotifierMethod<&Plain::Hear>(&p));
  EXPECT_EQ(parser.Listeners().Count(), 3);
  delete gone;
  EXPECT_EQ(parser.Listeners().Count(), 2);
  parser.NotifyDestroying();  // only listener components hear it
  EXPECT_EQ(stays.Heard, (std::vector<uint32_t>{TSimpleParser::spDestroying}));
  EXPECT_EQ(plain, 0);
  parser.NotifyDestroying();
  EXPECT_EQ(stays.Heard.size(), 1u);
}

TEST(StandardButtons, HidingHelpMovesCancelAndOkIntoItsPlaceOnce) {
  TButton ok(nullptr), cancel(nullptr), help(nullptr);
  ok.SetLeft(10);
  cancel.SetLeft(100);
  help.SetLeft(190);
  help.SetVisible(true);
  UpdateStandardButtons(&ok, &cancel, &help);
  EXPECT_TRUE(help.Visible());
  EXPECT_EQ(cancel.Left(), 100);
  ShowStandardHelpButton = false;
  UpdateStandardButtons(&ok, &cancel, &help);
  UpdateStandardButtons(&ok, &cancel, &help);
  ShowStandardHelpButton = true;
  EXPECT_FALSE(help.Visible());
  EXPECT_EQ(cancel.Left(), 190);
  EXPECT_EQ(ok.Left(), 100);
  UpdateStandardButtons(nullptr, nullptr, nullptr);
}
