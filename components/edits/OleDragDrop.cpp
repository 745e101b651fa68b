#include "components/edits/OleDragDrop.h"

#include <shellapi.h>

#include <cstring>

#include "classlib/Exception.h"
#include "classlib/OleSession.h"

namespace {

bool gRTFAware = false;

// The offered formats: text, Unicode text and, with the switch, rich text.
ULONG offeredCount() { return gRTFAware ? 3 : 2; }

CLIPFORMAT offeredFormat(ULONG i) {
  switch (i) {
    case 0: return CF_TEXT;
    case 1: return CF_UNICODETEXT;
    default: return RichTextFormat();
  }
}

bool offered(const FORMATETC* f) {
  if (!f || f->dwAspect != DVASPECT_CONTENT || !(f->tymed & TYMED_HGLOBAL)) return false;
  for (ULONG i = 0; i < offeredCount(); ++i)
    if (f->cfFormat == offeredFormat(i)) return true;
  return false;
}

HGLOBAL globalCopy(const void* data, SIZE_T bytes, SIZE_T size) {
  HGLOBAL g = GlobalAlloc(GMEM_SHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!g) return nullptr;
  void* p = GlobalLock(g);
  if (!p) {
    GlobalFree(g);
    return nullptr;
  }
  if (bytes) std::memcpy(p, data, bytes);
  GlobalUnlock(g);
  return g;
}

template <class T>
HRESULT queryInterface(T* self, REFIID riid, const IID& own, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, own)) {
    *object = self;
    self->AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

}  // namespace

CLIPFORMAT RichTextFormat() {
  static const CLIPFORMAT format =
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Rich Text Format"));
  return format;
}

void SetRTFAware(bool aware) { gRTFAware = aware; }
bool RTFAware() { return gRTFAware; }

DWORD StandardEffect(TShiftState shift) {
  return (shift & ssCtrl) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

TShiftState ShiftOfKeyState(DWORD keyState) {
  TShiftState s = 0;
  if (keyState & MK_CONTROL) s |= ssCtrl;
  if (keyState & MK_SHIFT) s |= ssShift;
  if (keyState & MK_ALT) s |= ssAlt;
  return s;
}

// ---- TEnumFormats

TEnumFormats::TEnumFormats(IDataObject* data) : FData(data) {
  if (!data || FAILED(data->EnumFormatEtc(DATADIR_GET, &FEnum)) || !FEnum)
    throw Exception("Cannot get the format enumerator");
  FData->AddRef();
}

TEnumFormats::~TEnumFormats() {
  FEnum->Release();
  FData->Release();
}

void TEnumFormats::Reset() { FEnum->Reset(); }

bool TEnumFormats::Next() {
  ULONG fetched = 0;
  FORMATETC f{};
  if (FEnum->Next(1, &f, &fetched) != S_OK || fetched != 1) return false;
  if (f.ptd) CoTaskMemFree(f.ptd);
  f.ptd = nullptr;
  FFormat = f;
  return true;
}

bool TEnumFormats::HasFormat(CLIPFORMAT format) {
  Reset();
  while (Next())
    if (FFormat.cfFormat == format && (FFormat.tymed & TYMED_HGLOBAL)) return true;
  return false;
}

AnsiString TEnumFormats::GlobalText(CLIPFORMAT format) {
  FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m{};
  if (FAILED(FData->GetData(&f, &m))) return AnsiString();
  AnsiString text;
  if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
    if (const char* p = static_cast<const char*>(GlobalLock(m.hGlobal))) {
      text.assign(p, strnlen(p, GlobalSize(m.hGlobal)));
      GlobalUnlock(m.hGlobal);
    }
  }
  ReleaseStgMedium(&m);
  return text;
}

std::vector<AnsiString> TEnumFormats::SomeFiles() {
  std::vector<AnsiString> files;
  FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m{};
  if (FAILED(FData->GetData(&f, &m))) return files;
  if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
    auto drop = static_cast<HDROP>(m.hGlobal);
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      UINT n = DragQueryFileA(drop, i, nullptr, 0);
      AnsiString name(n + 1, '\0');
      n = DragQueryFileA(drop, i, name.data(), n + 1);
      name.resize(n);
      files.push_back(name);
    }
  }
  ReleaseStgMedium(&m);
  return files;
}

// ---- TAEDropTarget

HRESULT TAEDropTarget::QueryInterface(REFIID riid, void** object) {
  return queryInterface(this, riid, IID_IDropTarget, object);
}
ULONG TAEDropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
ULONG TAEDropTarget::Release() {
  LONG n = InterlockedDecrement(&FRefs);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

HRESULT TAEDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) {
  FAcceptable = false;
  try {
    TEnumFormats formats(data);
    FAcceptable = formats.HasText() || formats.HasFile() || (gRTFAware && formats.HasRTF());
  } catch (const Exception&) {
    FAcceptable = false;
  }
  if (effect)
    *effect = FAcceptable ? StandardEffect(ShiftOfKeyState(keyState)) : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT TAEDropTarget::DragOver(DWORD keyState, POINTL pt, DWORD* effect) {
  DWORD e = FAcceptable ? StandardEffect(ShiftOfKeyState(keyState)) : DROPEFFECT_NONE;
  if (FAcceptable) {
    bool allow = true;
    DragMouseMove(POINT{pt.x, pt.y}, allow);
    if (!allow) e = DROPEFFECT_NONE;
  }
  if (effect) *effect = e;
  return S_OK;
}

HRESULT TAEDropTarget::DragLeave() { return S_OK; }

HRESULT TAEDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) {
  FDropEffect = DROPEFFECT_NONE;
  if (FAcceptable) {
    FDropEffect = StandardEffect(ShiftOfKeyState(keyState));
    POINT p{pt.x, pt.y};
    try {
      TEnumFormats formats(data);
      if (gRTFAware && formats.HasRTF())
        DropRTF(p, formats.RTF());
      else if (formats.HasText())
        DropText(p, formats.Text());
      if (formats.HasFile()) DropFiles(p, formats.SomeFiles());
    } catch (const Exception&) {
      FDropEffect = DROPEFFECT_NONE;
    }
  }
  if (effect) *effect = FDropEffect;
  FAcceptable = false;
  return S_OK;
}

// ---- TAEDropSource

HRESULT TAEDropSource::QueryInterface(REFIID riid, void** object) {
  return queryInterface(this, riid, IID_IDropSource, object);
}
ULONG TAEDropSource::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
ULONG TAEDropSource::Release() {
  LONG n = InterlockedDecrement(&FRefs);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

HRESULT TAEDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
  return S_OK;
}

HRESULT TAEDropSource::GiveFeedback(DWORD effect) {
  FNoEffect = effect == DROPEFFECT_NONE;
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- TSourceDataObject

TSourceDataObject::TSourceDataObject(AnsiString text, AnsiString rtf)
    : FText(std::move(text)), FRTF(std::move(rtf)) {}

HRESULT TSourceDataObject::QueryInterface(REFIID riid, void** object) {
  return queryInterface(this, riid, IID_IDataObject, object);
}
ULONG TSourceDataObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
ULONG TSourceDataObject::Release() {
  LONG n = InterlockedDecrement(&FRefs);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

HRESULT TSourceDataObject::QueryGetData(FORMATETC* format) {
  return offered(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_POINTER;
  if (!offered(format)) return DV_E_FORMATETC;
  HGLOBAL g = nullptr;
  if (format->cfFormat == CF_TEXT) {
    g = globalCopy(FText.data(), FText.size(), FText.size() + 1);
  } else if (format->cfFormat == CF_UNICODETEXT) {
    int n = FText.empty() ? 0
                          : MultiByteToWideChar(CP_ACP, 0, FText.data(),
                                                static_cast<int>(FText.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(n) + 1, L'\0');
    if (n) MultiByteToWideChar(CP_ACP, 0, FText.data(), static_cast<int>(FText.size()),
                               wide.data(), n);
    g = globalCopy(wide.data(), static_cast<SIZE_T>(n) * 2, static_cast<SIZE_T>(n) * 2 + 2);
  } else {
    g = globalCopy(FRTF.data(), FRTF.size(), FRTF.size() + 1);
  }
  if (!g) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = g;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT TSourceDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out) out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT TSourceDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  *result = new TSourceEnumFormatEtc();
  return S_OK;
}

HRESULT TSourceDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}
HRESULT TSourceDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TSourceDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

// ---- TSourceEnumFormatEtc

HRESULT TSourceEnumFormatEtc::QueryInterface(REFIID riid, void** object) {
  return queryInterface(this, riid, IID_IEnumFORMATETC, object);
}
ULONG TSourceEnumFormatEtc::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
ULONG TSourceEnumFormatEtc::Release() {
  LONG n = InterlockedDecrement(&FRefs);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

HRESULT TSourceEnumFormatEtc::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
  if (!formats) return E_POINTER;
  ULONG n = 0;
  while (n < count && FPosition < offeredCount()) {
    formats[n] = FORMATETC{offeredFormat(FPosition), nullptr, DVASPECT_CONTENT, -1,
                           TYMED_HGLOBAL};
    ++n;
    ++FPosition;
  }
  if (fetched) *fetched = n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG count) {
  FPosition += count;
  if (FPosition > offeredCount()) {
    FPosition = offeredCount();
    return S_FALSE;
  }
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset() {
  FPosition = 0;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(IEnumFORMATETC** result) {
  if (!result) return E_POINTER;
  *result = new TSourceEnumFormatEtc(FPosition);
  return S_OK;
}

// ---- the drag

HRESULT StartTextDoDragDrop(const AnsiString& text, const AnsiString& rtf, DWORD allowed,
                            DWORD& effect) {
  EnsureOleInitialized();
  auto* source = new TAEDropSource();
  auto* data = new TSourceDataObject(text, rtf);
  effect = DROPEFFECT_NONE;
  HRESULT hr = DoDragDrop(data, source, allowed, &effect);
  if (source->NoEffect()) hr = DRAGDROP_S_CANCEL;
  data->Release();
  source->Release();
  return hr;
}
