// The object-model component a form carries: it owns one document, saves
// it through the writer and (with the parser) loads it.
#pragma once

#include <functional>
#include <memory>

#include "classlib/StringList.h"
#include "classlib/Stream.h"
#include "xml/dom/XpCharEncoding.h"
#include "xml/dom/XpComponent.h"
#include "xml/dom/XpDocument.h"

class TXpElement;

using TXpPreserveSpaceEvent =
    std::function<void(TObject* sender, const WideString& elementName, bool& preserve)>;
using TXpInvalidDocumentEvent =
    std::function<void(TObject* owner, int32_t code, TXpNode* node, bool& stop)>;

class TXpObjModel : public TXpComponent {
public:
  explicit TXpObjModel(TComponent* owner);
  ~TXpObjModel() override;

  // --- published properties ---
  int32_t BufferSize() const { return FBufferSize; }
  void SetBufferSize(int32_t value) { FBufferSize = value; }
  bool FormattedOutput() const { return FDocument->FormattedOutput(); }
  void omSetFormattedOutput(bool value) { FDocument->SetFormattedOutput(value); }
  void SetFormattedOutput(bool value) { omSetFormattedOutput(value); }
  const WideString& IdAttribute() const { return FDocument->IdAttribute(); }
  void SetIdAttribute(const WideString& value) { FDocument->SetIdAttribute(value); }
  bool IgnoreCase() const { return FDocument->IgnoreCase(); }
  void SetIgnoreCase(bool value) { FDocument->SetIgnoreCase(value); }
  bool LineBreakCharReplace() const { return FDocument->LineBreakCharReplace(); }
  void SetLineBreakCharReplace(bool value) { FDocument->SetLineBreakCharReplace(value); }
  TXpLineBreakMode LineBreakMode() const { return FDocument->LineBreakMode(); }
  void SetLineBreakMode(TXpLineBreakMode value) { FDocument->SetLineBreakMode(value); }
  bool NormalizeData() const { return FNormalizeData; }
  void SetNormalizeData(bool value) { FNormalizeData = value; }
  TXpCharEncoding OutCharSet() const { return FOutCharSet; }
  void SetOutCharSet(TXpCharEncoding value) { FOutCharSet = value; }
  const AnsiString& Password() const { return FPassword; }
  void SetPassword(const AnsiString& value) { FPassword = value; }
  bool RaiseErrors() const { return FRaiseErrors; }
  void SetRaiseErrors(bool value) { FRaiseErrors = value; }
  bool TrackAttributes() const { return FTrackAttributes; }
  void SetTrackAttributes(bool value) { FTrackAttributes = value; }
  bool TrackElements() const { return FTrackElements; }
  void SetTrackElements(bool value) { FTrackElements = value; }
  const AnsiString& UserName() const { return FUserName; }
  void SetUserName(const AnsiString& value) { FUserName = value; }
  bool WriteUTF8Signature() const { return FWriteUTF8Signature; }
  void SetWriteUTF8Signature(bool value) { FWriteUTF8Signature = value; }

  TXpInvalidDocumentEvent OnInvalidDocument;
  TXpPreserveSpaceEvent OnPreserveSpace;

  // --- state ---
  TXpDocument* Document() const { return FDocument; }
  // A non-null document replaces the current one, which is released.
  void SetDocument(TXpDocument* doc);
  TXpElement* omGetDocumentElement() const { return FDocument->DocumentElement(); }
  TXpElement* DocumentElement() const { return omGetDocumentElement(); }
  const WideString& DocLocation() const { return FDocument->DocLocation(); }
  int32_t ErrorCount() const { return FErrors.Count(); }
  TStringList* Errors() { return &FErrors; }
  // The encoding the last load detected; unknown without a parser.
  TXpCharEncoding InCharSet() const { return ceUnknown; }
  WideString XmlDocument() const { return omGetXpDocument(); }

  // --- loading ---
  void ClearDocument();
  bool LoadDataSource(const WideString& source);
  bool LoadStream(TStream& stream);
  bool LoadMemory(const void* data, int32_t size);
  // The error text at index, or "ERROR INDEX OUT OF BOUNDS".
  AnsiString GetErrorMsg(int32_t index) const;

  // --- saving: failures raise ---
  // Writes to a temporary file in the target folder and renames it over the
  // target, so a failure never leaves a half-written file.
  bool SaveToFile(const WideString& path);
  bool SaveToStream(TStream& stream);
  // The markup of each child of the document, joined by CR LF.
  WideString omGetXpDocument() const;

  void omOnPreserveSpace(TObject* sender, const WideString& elementName, bool& preserve);

protected:
  void omLoadInit();
  // Writes the markup of the document into stream in the output encoding.
  void omWriteDocument(TStream& stream) const;

private:
  bool omLoadUnavailable();

  TXpDocument* FDocument = nullptr;
  TStringList FErrors;
  int32_t FBufferSize = 8192;
  bool FNormalizeData = true;
  TXpCharEncoding FOutCharSet = ceUnknown;
  AnsiString FPassword;
  bool FRaiseErrors = false;
  bool FTrackAttributes = false;
  bool FTrackElements = false;
  AnsiString FUserName;
  bool FWriteUTF8Signature = true;
};
