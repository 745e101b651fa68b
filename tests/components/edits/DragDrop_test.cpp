// OLE drag and drop of text through the system's OLE: the data object's
// formats, the drop source's answers, the format reader, and drops into an
// edit from outside and within the edit itself.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

#include "classlib/Exception.h"
#include "components/edits/AdvEdit.h"
#include "components/edits/OleDragDrop.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"

using namespace kel::test;

namespace {

FORMATETC fmt(CLIPFORMAT cf, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
  return FORMATETC{cf, nullptr, aspect, -1, tymed};
}

std::string globalBytes(HGLOBAL g) {
  std::string s(static_cast<const char*>(GlobalLock(g)), GlobalSize(g));
  GlobalUnlock(g);
  return s;
}

TEST(DragDrop, DataObjectOffersTextFormatsOnly) {
  auto* data = new TSourceDataObject("Müller", "{\\rtf1 x}");
  struct Case {
    bool rtfAware;
    FORMATETC format;
    HRESULT result;
    std::string bytes;
  } cases[] = {
      {false, fmt(CF_TEXT), S_OK, std::string("M\xFCller\0", 7)},
      {false, fmt(CF_UNICODETEXT), S_OK, std::string("M\0\xFC\0l\0l\0e\0r\0\0\0", 14)},
      {false, fmt(RichTextFormat()), DV_E_FORMATETC, ""},
      {true, fmt(RichTextFormat()), S_OK, std::string("{\\rtf1 x}\0", 10)},
      {false, fmt(CF_BITMAP), DV_E_FORMATETC, ""},
      {false, fmt(CF_TEXT, TYMED_ISTREAM), DV_E_FORMATETC, ""},
      {false, fmt(CF_TEXT, TYMED_HGLOBAL, DVASPECT_ICON), DV_E_FORMATETC, ""},
  };
  for (Case& c : cases) {
    SetRTFAware(c.rtfAware);
    EXPECT_EQ(data->QueryGetData(&c.format), c.result) << c.format.cfFormat;
    STGMEDIUM m{};
    ASSERT_EQ(data->GetData(&c.format, &m), c.result) << c.format.cfFormat;
    if (c.result != S_OK) continue;
    EXPECT_EQ(m.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(globalBytes(m.hGlobal), c.bytes);
    ReleaseStgMedium(&m);
  }
  // The formats in their order; no enumerator for writing.
  for (bool aware : {false, true}) {
    SetRTFAware(aware);
    IEnumFORMATETC* e = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &e), S_OK);
    FORMATETC got[4];
    ULONG n = 0;
    EXPECT_EQ(e->Next(4, got, &n), S_FALSE);
    ASSERT_EQ(n, aware ? 3u : 2u);
    EXPECT_EQ(got[0].cfFormat, CF_TEXT);
    EXPECT_EQ(got[1].cfFormat, CF_UNICODETEXT);
    if (aware) {
      EXPECT_EQ(got[2].cfFormat, RichTextFormat());
    }
    e->Reset();
    EXPECT_EQ(e->Skip(1), S_OK);
    IEnumFORMATETC* clone = nullptr;
    ASSERT_EQ(e->Clone(&clone), S_OK);
    EXPECT_EQ(clone->Next(1, got, &n), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_UNICODETEXT);
    clone->Release();
    e->Release();
  }
  IEnumFORMATETC* e = nullptr;
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &e), E_NOTIMPL);
  SetRTFAware(false);
  data->Release();
}

TEST(DragDrop, DropSourceAnswers) {
  struct Case {
    BOOL escape;
    DWORD keys;
    HRESULT result;
  } cases[] = {
      {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
      {FALSE, 0, DRAGDROP_S_DROP},
      {FALSE, MK_CONTROL, DRAGDROP_S_DROP},
      {FALSE, MK_LBUTTON, S_OK},
      {FALSE, MK_LBUTTON | MK_CONTROL, S_OK},
  };
  auto* source = new TAEDropSource();
  for (const Case& c : cases)
    EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.result) << c.escape << c.keys;
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_TRUE(source->NoEffect());
  source->GiveFeedback(DROPEFFECT_MOVE);
  EXPECT_FALSE(source->NoEffect());
  source->Release();
  EXPECT_EQ(StandardEffect(ssCtrl), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(StandardEffect(0), static_cast<DWORD>(DROPEFFECT_MOVE));
}

// A data object of other programs: CF_TEXT in a block without terminator,
// or no format enumerator at all.
struct ForeignData : IDataObject {
  bool enumerator = true;
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** p) override {
    *p = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (f->cfFormat != CF_TEXT) return DV_E_FORMATETC;
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(g), "abc", 3);
    GlobalUnlock(g);
    *m = STGMEDIUM{};
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = g;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** e) override {
    *e = nullptr;
    if (!enumerator) return E_NOTIMPL;
    FORMATETC f = fmt(CF_TEXT);
    return SHCreateStdEnumFmtEtc(1, &f, e);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

TEST(DragDrop, FormatReaderStaysInsideTheBlock) {
  ForeignData data;
  {
    TEnumFormats formats(&data);
    EXPECT_TRUE(formats.HasText());
    EXPECT_FALSE(formats.HasFile());
    EXPECT_FALSE(formats.HasRTF());
    EXPECT_EQ(formats.Text(), "abc");
  }
  EXPECT_EQ(data.refs, 1);
  data.enumerator = false;
  try {
    TEnumFormats formats(&data);
    ADD_FAILURE() << "no enumerator: raises";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Cannot get the format enumerator");
  }
  // A target refuses such data without raising.
  auto* target = new TAEDropTarget();
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragEnter(&data, 0, POINTL{0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target->Release();
}

// A shown edit that takes drops; the mouse is put over one of its
// characters, and a drag run there without a button held drops at once.
struct DropForm : TForm {
  explicit DropForm(const char* text) : TForm(nullptr) {
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetBounds(0, 0, 300, 100);
    Field = new TAdvEdit(this);
    Field->SetParent(this);
    Field->SetBounds(8, 8, 200, 21);
    Field->SetText(text);
    Field->SetOleDropTarget(true);
    Field->OleDropSource = true;
    Show();
    SetForegroundWindow(Handle());
    Field->SetFocus();
    releaseKeys();
    pump();
  }
  // The screen point on the left edge of character i (plus a pixel).
  POINT at(int i) {
    LRESULT r = SendMessageA(Field->Handle(), EM_POSFROMCHAR, i, 0);
    POINT p{static_cast<short>(LOWORD(r)) + 1, static_cast<short>(HIWORD(r)) + 4};
    ClientToScreen(Field->Handle(), &p);
    return p;
  }
  TAdvEdit* Field;
};

TEST(DragDrop, DropFromOutsideInsertsOneLine) {
  DropForm f("XY");
  POINT p = f.at(1);
  SetCursorPos(p.x, p.y);
  pump();
  DWORD effect = 0;
  HRESULT hr = StartTextDoDragDrop("ab\r\ncd", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
  pump();
  EXPECT_EQ(hr, DRAGDROP_S_DROP);
  EXPECT_EQ(f.Field->Text(), "XabY");
  EXPECT_TRUE(f.Field->Modified());
}

TEST(DragDrop, DragInsideOneEdit) {
  struct Case {
    int dropAt;
    const char* after;
  } cases[] = {
      {5, "adebcf"},  // moved behind "e": deleted once, inserted where it was dropped
      {0, "bcadef"},
      {2, "abcdef"},  // onto its own selection: nothing moves, nothing is lost
  };
  for (const Case& c : cases) {
    DropForm f("abcdef");
    f.Field->SetSelection(1, 2);  // "bc"
    POINT drop = f.at(c.dropAt);
    SetCursorPos(drop.x, drop.y);
    pump();
    POINT press = f.at(1);
    ScreenToClient(f.Field->Handle(), &press);
    press.x += 2;
    LPARAM l = MAKELPARAM(press.x, press.y);
    SendMessageA(f.Field->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, l);
    SendMessageA(f.Field->Handle(), WM_MOUSEMOVE, MK_LBUTTON, l);
    pump();
    EXPECT_EQ(f.Field->Text(), c.after) << c.dropAt;
  }
}

TEST(DragDrop, DragToAnotherEditMovesTheText) {
  DropForm f("abcdef");
  auto* other = new TAdvEdit(&f);
  other->SetParent(&f);
  other->SetBounds(8, 40, 200, 21);
  other->SetText("XY");
  other->SetOleDropTarget(true);
  pump();
  LRESULT r = SendMessageA(other->Handle(), EM_POSFROMCHAR, 1, 0);
  POINT drop{static_cast<short>(LOWORD(r)) + 1, static_cast<short>(HIWORD(r)) + 4};
  ClientToScreen(other->Handle(), &drop);
  SetCursorPos(drop.x, drop.y);
  f.Field->SetSelection(1, 2);
  POINT press = f.at(1);
  ScreenToClient(f.Field->Handle(), &press);
  LPARAM l = MAKELPARAM(press.x + 2, press.y);
  SendMessageA(f.Field->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, l);
  SendMessageA(f.Field->Handle(), WM_MOUSEMOVE, MK_LBUTTON, l);
  pump();
  EXPECT_EQ(other->Text(), "XbcY");
  EXPECT_EQ(f.Field->Text(), "adef");
}

}  // namespace
