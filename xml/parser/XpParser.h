// The event-driven XML 1.0 parser: reads a document from a file, a URL, a
// memory block or a stream, checks it for well-formedness, reads its DTD and
// reports what it finds through events. Hostile input is bounded by the
// limits below; each raises EXpParserError with its own text.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "xml/dom/XpCharEncoding.h"
#include "xml/dom/XpComponent.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/parser/XpDTDInfo.h"
#include "xml/parser/XpDirContext.h"
#include "xml/parser/XpInputSource.h"

using TXpNotifyEvent = std::function<void(TObject* oOwner)>;
using TXpValueEvent = std::function<void(TObject* oOwner, const WideString& sValue)>;
using TXpAttributeEvent =
    std::function<void(TObject* oOwner, const WideString& sName, const WideString& sValue, bool bSpecified)>;
using TXpDocTypeDeclEvent =
    std::function<void(TObject* oOwner, const WideString& sDecl, const WideString& sId0, const WideString& sId1)>;
using TXpAttDefinitionEvent =
    std::function<void(TObject* oOwner, const WideString& sName, int32_t wAttrType,
                       const TXpWideStringList* oEnumeration, int32_t wValueType, const WideString& sValue)>;
using TXpIntegerEvent = std::function<void(TObject* oOwner, int32_t wType)>;
using TXpElementContentEvent =
    std::function<void(TObject* oOwner, const WideString& sName, int32_t wOccurrence, int32_t wRelation)>;
using TXpElementGroupEndEvent = std::function<void(TObject* oOwner, int32_t wOccurrence, int32_t wRelation)>;
using TXpDTDElementStartEvent =
    std::function<void(TObject* oOwner, const WideString& sName, int32_t wContentType)>;
using TXpEntityExternalEvent =
    std::function<void(TObject* oOwner, bool bPeFlag, const WideString& sName, const WideString& sPublicId,
                       const WideString& sSystemId, const WideString& sNotationName)>;
using TXpEntityInternalEvent =
    std::function<void(TObject* oOwner, bool bPeFlag, const WideString& sName, const WideString& sValue)>;
using TXpFileEvent = std::function<void(TObject* oOwner, WideString& sFile)>;
using TXpNotationEvent = std::function<void(TObject* oOwner, const WideString& sNotationName,
                                            const WideString& sPublicId, const WideString& sSystemId)>;
using TXpNonXMLEntityEvent =
    std::function<void(TObject* oOwner, const WideString& sEntityName, const WideString& sPublicId,
                       const WideString& sSystemId, const WideString& sNotationName)>;
using TXpParserPreserveSpaceEvent =
    std::function<void(TObject* oOwner, const WideString& sElementName, bool& bPreserve)>;
using TXpProcessingInstructionEvent =
    std::function<void(TObject* oOwner, const WideString& sName, const WideString& sValue)>;
using TXpResolveEntityEvent =
    std::function<void(TObject* oOwner, const WideString& sName, const WideString& sPublicId,
                       const WideString& sSystemId, WideString& sValue)>;

// Which external resources (external subset, external entities) a parse
// may load.
enum TXpResolverPolicy {
  rpNone,            // nothing external
  rpDocumentFolder,  // local files in or below the document's folder
  rpLocal,           // any local file, but no network-share or device path
  rpAll              // local files and HTTP/FTP
};

class TXpParser : public TXpComponent {
 public:
  explicit TXpParser(TComponent* owner);
  ~TXpParser() override;

  // --- published properties ---
  int32_t BufferSize() const { return FBufferSize; }
  // Below 1024 is raised to 1024.
  void SetBufferSize(int32_t value) { FBufferSize = value < 1024 ? 1024 : value; }
  const WideString& DocLocation() const { return FDocLocation; }
  const WideString& DocName() const { return FDocName; }
  bool NormalizeData() const { return FNormalizeData; }
  void SetNormalizeData(bool value) { FNormalizeData = value; }
  bool RaiseErrors() const { return FRaiseErrors; }
  void SetRaiseErrors(bool value) { FRaiseErrors = value; }
  const AnsiString& Password() const { return FPassword; }
  void SetPassword(const AnsiString& value) { FPassword = value; }
  const AnsiString& UserName() const { return FUserName; }
  void SetUserName(const AnsiString& value) { FUserName = value; }

  // --- limits (defaults in the constructor) ---
  int32_t MaxDepth = 256;                  // element and content-group depth; the root is 1
  int32_t MaxEntityNesting = 40;           // entities open at once
  int64_t MaxEntityExpansion = 1000000;    // characters; at least 10 times the input
  int32_t MaxNameLength = 50000;
  int64_t MaxTextLength = 10000000;        // one text, value, comment or instruction
  int32_t MaxExternalLoads = 64;           // per parse
  int64_t MaxExternalBytes = 64LL << 20;   // per parse
  int32_t MaxDecimalDigits = 7;            // significant digits of a character reference
  int32_t MaxHexDigits = 6;
  TXpResolverPolicy ResolverPolicy = rpDocumentFolder;

  // --- events ---
  TXpAttributeEvent OnAttribute;
  TXpValueEvent OnCDATASection;
  TXpValueEvent OnCharData;
  TXpValueEvent OnComment;
  TXpDocTypeDeclEvent OnDocTypeDecl;
  TXpAttDefinitionEvent OnDTDAttDefinition;
  TXpNotifyEvent OnDTDAttlistEnd;
  TXpValueEvent OnDTDAttlistStart;
  TXpNotifyEvent OnDTDConditionalEnd;
  TXpIntegerEvent OnDTDConditionalStart;
  TXpElementContentEvent OnDTDElementContent;
  TXpValueEvent OnDTDElementEnd;
  TXpElementGroupEndEvent OnDTDElementGroupEnd;
  TXpNotifyEvent OnDTDElementGroupStart;
  TXpDTDElementStartEvent OnDTDElementStart;
  TXpNotifyEvent OnDTDEnd;
  TXpEntityExternalEvent OnDTDEntityExternal;
  TXpEntityInternalEvent OnDTDEntityInternal;
  TXpNotifyEvent OnDTDExternalEnd;
  TXpFileEvent OnDTDExternalStart;
  TXpNotationEvent OnDTDNotation;
  TXpDocTypeDeclEvent OnDTDStart;
  TXpNotifyEvent OnEndDocument;
  TXpValueEvent OnEndElement;
  TXpNonXMLEntityEvent OnNonXMLEntity;
  TXpParserPreserveSpaceEvent OnPreserveSpace;
  TXpProcessingInstructionEvent OnProcessingInstruction;
  TXpResolveEntityEvent OnResolveEntity;
  TXpNotifyEvent OnStartDocument;
  TXpValueEvent OnStartElement;
  // Unpublished: whitespace in element-only content, and an external subset
  // opened (its location) before its declarations are read.
  TXpValueEvent OnIgnorableWhitespace;
  TXpValueEvent OnDTDExternalLoaded;

  // --- parsing: true when the error list is empty ---
  bool ParseDataSource(const AnsiString& source);
  bool ParseInContext(TXpDirContext* context, const AnsiString& source);
  bool ParseMemory(const void* data, int32_t size);
  bool ParseStream(TStream& stream);

  int32_t GetErrorCount() const { return FErrors.Count(); }
  // The text at index, or "ERROR INDEX OUT OF BOUNDS".
  AnsiString GetErrorMsg(int32_t index) const;
  const TStringList& Errors() const { return FErrors; }
  TXpCharEncoding GetInCharSet() const { return FInCharSet; }
  // standalone="yes" was declared; an external entity was referenced.
  bool IsStandalone() const { return FStandalone; }
  bool InExternalEntity() const { return FInExternalEntity; }
  // True while OnDTDExternalStart announces the external subset, false
  // while it announces an external parameter entity.
  bool StartingExternalSubset() const { return FStartingSubset; }

  // --- declarations read (valid during a parse and its events) ---
  int32_t GetElementContentType(const WideString& name) const;
  const TXpElementInfo* GetElementInfo(const WideString& name) const;
  int32_t GetEntityType(const WideString& name, bool parameter) const;
  WideString GetEntityValue(const WideString& name, bool parameter) const;

  // --- DTD lookups and entry points (during a parse and its events) ---
  // The ids and the notation of a general entity; empty when undeclared.
  WideString GetEntityPublicId(const WideString& name) const;
  WideString GetEntitySystemId(const WideString& name) const;
  WideString GetEntityNotationName(const WideString& name) const;
  // The replacement text of an external parsed entity: OnResolveEntity may
  // change the location (empty: nothing is read); the file is loaded under
  // the resolver policy and the load limits, relative to the entity's
  // declaration (or the current source), and its text declaration is
  // passed over. A refused or missing file raises EXpParserError.
  WideString GetExternalTextEntityValue(const WideString& name, const WideString& publicId,
                                        const WideString& systemId);
  // An element's index in the order its record was made (by its element
  // or attribute-list declaration); -1 when undeclared. The queries below
  // take the name with the index and answer nothing when the two do not
  // belong together (-1, an index of another parse).
  int32_t GetElementIndexOf(const WideString& name) const;
  int32_t GetElementContentType(const WideString& name, int32_t index) const;
  // The attribute definitions of the element, in declaration order; null
  // when it has none.
  const std::vector<TXpAttributeInfo>* DeclaredAttributes(const WideString& name, int32_t index) const;
  // The declared attribute type (1 CDATA .. 10 NOTATION); 0 when the
  // attribute is undeclared.
  int32_t GetAttributeDefaultValueType(const WideString& element, const WideString& attribute) const;
  // The attribute's default with its references expanded and its blanks
  // normalised (as it is supplied to elements); empty when undeclared.
  WideString GetAttributeExpandedValue(const WideString& element, const WideString& attribute, int32_t index) const;
  // Declare an entity; the first declaration of a name in its name space
  // (general or parameter) is binding, later ones are ignored. Entity
  // classes: 1 internal, 2 external unparsed, 3 external parsed.
  void SetEntity(const WideString& name, int32_t entityClass, bool parameter, const WideString& value,
                 const WideString& publicId, const WideString& systemId, const WideString& notation);
  void SetInternalEntity(const WideString& name, const WideString& value, bool parameter);
  void SetExternalTextEntity(const WideString& name, const WideString& publicId, const WideString& systemId);
  void SetExternalDataEntity(const WideString& name, const WideString& publicId, const WideString& systemId,
                             const WideString& notation);
  // Declares a notation and fires OnDTDNotation, only when the name is new.
  void SetNotation(const WideString& name, const WideString& publicId, const WideString& systemId);

 private:
  struct TOpenElement {
    WideString Name;
    int32_t ContentType;
    bool Preserve;
    size_t SourceDepth;
  };

  bool ParseStart();
  bool ParseReader(std::unique_ptr<TXpByteReader> reader);
  bool ParseFinish(bool loaded);
  void ParsePrim();
  void Initialize();
  void Cleanup();

  // --- sources ---
  TXpInputSource& Src() { return *FSources.back(); }
  void PushSource(std::unique_ptr<TXpInputSource> source);
  void PopSource();
  std::unique_ptr<TXpInputSource> LoadExternal(const WideString& systemId, const AnsiString& basePath,
                                               const WideString& what);
  AnsiString CurrentBasePath() const;
  bool MayLoad(const TXpDirContext& context, const AnsiString& basePath) const;

  // --- reading ---
  char16_t Cur() { return FSources.back()->Cur(); }
  char16_t Peek(size_t ahead);
  void Skip(size_t n = 1) { FSources.back()->Pos += n; }
  bool TryRead(const char16_t* literal);
  // Index of the delimiter in the current source from Pos on (npos when the
  // input ends first); the text before it is checked against the text
  // limit while it is read.
  size_t FindInSource(std::u16string_view delimiter);
  // The end of the name characters from p on, refusing an overlong name.
  size_t ScanNameChars(size_t p);
  void Require(const char16_t* literal);
  bool SkipWhitespace();
  void RequireWhitespace();
  WideString ReadName();
  void ReadNameInto(WideString& name);
  WideString ReadNmToken();
  WideString ReadQuoted();
  // False when neither SYSTEM nor PUBLIC follows.
  bool ReadExternalIds(WideString& publicId, WideString& systemId, bool systemOptional);
  char32_t ReadCharRef();
  static void AppendChar(WideString& out, char32_t c);
  [[noreturn]] void Fail(const WideString& message);
  [[noreturn]] void Fail(int32_t id, const WideString& arg = WideString());
  void CountExpansion(const TXpEntityInfo& entity, size_t length);
  void CheckText(size_t length);

  // --- document ---
  void ParseDocument();
  void ParseMisc();
  void ParseProcessingInstruction();
  void ParseXMLDecl(bool textDecl);
  void ParseComment();
  void ParseContent();
  void ParseStartTag();
  void ParseEndTag();
  void ParseCDATA();
  void ParseEntityRefInContent();
  // The value of the quoted attribute value at the current position, into
  // value.
  void ReadAttValue(int32_t attrType, WideString& value);
  void ExpandAttValue(const WideString& text, WideString& out, int32_t nesting);
  void DataBufferFlush();

  // --- DTD ---
  void ParseDocTypeDecl();
  void ParseDeclarations(bool externalSubset);
  void ParseMarkupDecl();
  bool DtdSkip();
  void DtdRequire();
  void ParsePEReferenceBetween();
  void PushParameterEntity(const WideString& name, bool inDeclaration);
  void ParseElementDecl();
  void ParseContentSpec(const WideString& name, WideString& model);
  void ParseAttlistDecl();
  void ParseEntityDecl();
  WideString ReadEntityValue(bool parameter);
  void ExpandEntityValue(const TXpEntityInfo& entity, WideString& out, int32_t nesting);
  void ParseNotationDecl();
  void ParseConditionalSection();
  void ParseIgnoredSection();
  bool InInternalSubset() const;

  // --- state ---
  int32_t FBufferSize = 8192;
  WideString FDocLocation;
  WideString FDocName;
  bool FNormalizeData = true;
  bool FRaiseErrors = false;
  AnsiString FPassword = "tessavurn-usr@example.com";  // 25 characters
  AnsiString FUserName = "anonymous";

  TStringList FErrors;
  TStringList FTempFiles;
  std::vector<std::unique_ptr<TXpInputSource>> FSources;
  std::unordered_map<WideString, TXpElementInfo> FElements;
  std::unordered_map<WideString, std::unique_ptr<TXpEntityInfo>> FEntities;
  std::unordered_map<WideString, std::unique_ptr<TXpEntityInfo>> FParamEntities;
  std::unordered_map<WideString, TXpNotationInfo> FNotations;
  std::vector<TOpenElement> FOpen;
  std::vector<const TXpEntityInfo*> FOpenEntities;
  WideString FData;
  // Attribute names and the value of the start tag being read.
  std::vector<WideString> FAttrNames;
  WideString FAttrValue;
  bool FDataFromRef = false;
  bool FInCDATA = false;
  bool FPreserve = false;
  int32_t FContentType = 0;
  bool FStandalone = false;
  bool FInExternalEntity = false;
  bool FCommentSeen = false;
  bool FHasDTD = false;
  bool FStartingSubset = false;
  int32_t FDtdExternalDepth = 0;  // external subset or external PEs open
  int32_t FIncludeDepth = 0;
  TXpCharEncoding FInCharSet = ceUnknown;
  int64_t FExpanded = 0;
  int64_t FExpansionLimit = 0;
  int32_t FExternalLoads = 0;
  int64_t FExternalBytes = 0;
  size_t FInputSize = 0;
  std::shared_ptr<TXpDirContext> FDocContext;

  // The element records in the order they were made (GetElementIndexOf).
  TXpElementInfo& ElementRecord(const WideString& name);
  const TXpElementInfo* ElementAt(const WideString& name, int32_t index) const;
  std::vector<TXpElementInfo*> FElementList;
};
