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
#include "xml/dom/XpNodeList.h"

class TXpElement;
class TXpDocumentType;
class TXpTreeBuilder;

using TXpPreserveSpaceEvent =
    std::function<void(TObject* sender, const WideString& elementName, bool& preserve)>;
using TXpDTDExternalEvent = std::function<void(TObject* sender, WideString& location)>;
using TXpObjResolveEntityEvent =
    std::function<void(TObject* sender, const WideString& name, const WideString& publicId,
                       const WideString& systemId, WideString& value)>;
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

  TXpDTDExternalEvent OnDTDExternal;
  TXpInvalidDocumentEvent OnInvalidDocument;
  TXpPreserveSpaceEvent OnPreserveSpace;
  TXpObjResolveEntityEvent OnResolveEntity;

  // --- state ---
  TXpDocument* Document() const { return FDocument; }
  // A non-null document replaces the current one, which is released.
  void SetDocument(TXpDocument* doc);
  TXpElement* omGetDocumentElement() const { return FDocument->DocumentElement(); }
  TXpElement* DocumentElement() const { return omGetDocumentElement(); }
  const WideString& DocLocation() const { return FDocument->DocLocation(); }
  int32_t ErrorCount() const { return FErrors.Count(); }
  TStringList* Errors() { return &FErrors; }
  // The encoding the last load detected; unknown before the first load.
  TXpCharEncoding InCharSet() const { return FInCharSet; }
  // Names of the elements and attributes loaded while TrackElements and
  // TrackAttributes are on: sorted, each once.
  const TStringList& ElementList() const { return FElementList; }
  const TStringList& AttributeList() const { return FAttributeList; }
  // The "xml-stylesheet" processing instructions of the last load.
  const TXpNodeList& StyleSheets() const { return FStyleSheets; }
  WideString XmlDocument() const { return omGetXpDocument(); }

  // --- loading (built by the parser library) ---
  void ClearDocument();
  bool LoadDataSource(const WideString& source);
  // `source` relative to the folder or URL `context` (a location path).
  bool omLoadInContext(const WideString& context, const WideString& source);
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

  // --- validation against the DTD (built by the parser library) ---
  bool ValidateDocument();
  bool ValidateElement(TXpElement* element, TXpDocumentType* doctype);

  void omOnPreserveSpace(TObject* sender, const WideString& elementName, bool& preserve);

protected:
  void omLoadInit();
  // Writes the markup of the document into stream in the output encoding.
  void omWriteDocument(TStream& stream) const;

private:
  friend class TXpTreeBuilder;
  TXpTreeBuilder* omGetBuilder();
  bool omSubValidateElements(TXpElement* element, TXpDocumentType* doctype, bool& stop);

  TXpDocument* FDocument = nullptr;
  // Created on the first load, owned as a component.
  TXpTreeBuilder* FBuilder = nullptr;
  TXpCharEncoding FInCharSet = ceUnknown;
  TStringList FElementList;
  TStringList FAttributeList;
  TXpNodeList FStyleSheets;
  // Set by the last load: standalone="yes" was declared and an external
  // entity was referenced.
  bool FStandalone = false;
  bool FInExternalEntity = false;
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
