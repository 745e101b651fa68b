#pragma once
// OLE drag and drop of text between the enhanced edits and other programs:
// a drop target that takes text, rich text and files, a drop source, and a
// data object that offers the dragged text as CF_TEXT, CF_UNICODETEXT and
// (when the rich-text switch is on) "Rich Text Format".
#include <windows.h>
#include <ole2.h>

#include <vector>

#include "classlib/AnsiString.h"
#include "classlib/Control.h"

// The clipboard format "Rich Text Format", registered on first use.
CLIPFORMAT RichTextFormat();
// Whether rich text is offered and taken; off at the start.
void SetRTFAware(bool aware);
bool RTFAware();
// Ctrl held: DROPEFFECT_COPY; otherwise DROPEFFECT_MOVE.
DWORD StandardEffect(TShiftState shift);
// The shift state of OLE's key-state flags (MK_CONTROL, MK_SHIFT, MK_ALT).
TShiftState ShiftOfKeyState(DWORD keyState);

// What a data object handed in by a drag offers, and its data.
class TEnumFormats {
 public:
  // Raises Exception("Cannot get the format enumerator") when the data
  // object gives no enumerator of its formats.
  explicit TEnumFormats(IDataObject* data);
  ~TEnumFormats();
  TEnumFormats(const TEnumFormats&) = delete;
  TEnumFormats& operator=(const TEnumFormats&) = delete;

  // Whether the data object offers `format` in global memory.
  bool HasFormat(CLIPFORMAT format);
  bool HasText() { return HasFormat(CF_TEXT); }
  bool HasRTF() { return HasFormat(RichTextFormat()); }
  bool HasFile() { return HasFormat(CF_HDROP); }
  // The offered data as a string: read only within its memory block, up
  // to the first zero byte.
  AnsiString Text() { return GlobalText(CF_TEXT); }
  AnsiString RTF() { return GlobalText(RichTextFormat()); }
  // The dropped file names.
  std::vector<AnsiString> SomeFiles();

  // Walks the data object's formats; Next is false after the last one.
  void Reset();
  bool Next();
  CLIPFORMAT cfFormat() const { return FFormat.cfFormat; }
  void SetcfFormat(CLIPFORMAT f) { FFormat.cfFormat = f; }
  DWORD Aspect() const { return FFormat.dwAspect; }
  void SetAspect(DWORD a) { FFormat.dwAspect = a; }
  LONG lIndex() const { return FFormat.lindex; }
  void SetlIndex(LONG i) { FFormat.lindex = i; }
  DWORD Tymed() const { return FFormat.tymed; }
  void SetTymed(DWORD t) { FFormat.tymed = t; }

 private:
  AnsiString GlobalText(CLIPFORMAT format);
  IDataObject* FData;
  IEnumFORMATETC* FEnum = nullptr;
  FORMATETC FFormat{};
};

// A drop target for text, rich text and files. Subclasses take the data.
class TAEDropTarget : public IDropTarget {
 public:
  TAEDropTarget() = default;
  virtual ~TAEDropTarget() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt,
                                 DWORD* effect) override;

  bool Acceptable() const { return FAcceptable; }

 protected:
  // Points are in screen coordinates. A drop handler may set FDropEffect
  // (the effect Drop answers) to DROPEFFECT_NONE when it took nothing.
  virtual void DropText(POINT pt, const AnsiString& text) {}
  virtual void DropRTF(POINT pt, const AnsiString& rtf) {}
  virtual void DropFiles(POINT pt, const std::vector<AnsiString>& files) {}
  virtual void DragMouseMove(POINT pt, bool& allow) {}
  DWORD FDropEffect = DROPEFFECT_NONE;

 private:
  LONG FRefs = 1;
  bool FAcceptable = false;
};

// The source side of a drag: Escape cancels, releasing the left button drops.
class TAEDropSource : public IDropSource {
 public:
  virtual ~TAEDropSource() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
  // The last feedback had no effect.
  bool NoEffect() const { return FNoEffect; }

 private:
  LONG FRefs = 1;
  bool FNoEffect = false;
};

// The data object of a drag: the text and the rich text it offers.
class TSourceDataObject : public IDataObject {
 public:
  TSourceDataObject(AnsiString text, AnsiString rtf);
  virtual ~TSourceDataObject() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** result) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                    DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** result) override;

 private:
  LONG FRefs = 1;
  AnsiString FText;
  AnsiString FRTF;
};

// The formats a TSourceDataObject offers, in the order CF_TEXT,
// CF_UNICODETEXT, rich text.
class TSourceEnumFormatEtc : public IEnumFORMATETC {
 public:
  explicit TSourceEnumFormatEtc(ULONG position = 0) : FPosition(position) {}
  virtual ~TSourceEnumFormatEtc() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** result) override;

 private:
  LONG FRefs = 1;
  ULONG FPosition;
};

// Runs the system's drag loop for a text (and rich text): the result of
// DoDragDrop, or DRAGDROP_S_CANCEL when the last feedback had no effect.
HRESULT StartTextDoDragDrop(const AnsiString& text, const AnsiString& rtf, DWORD allowed,
                            DWORD& effect);
