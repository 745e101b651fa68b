// The root node of a tree and the factory of its nodes; holds the output
// settings the writer reads.
#pragma once

#include <functional>
#include <vector>

#include "xml/dom/XpNode.h"

class TXpAttribute;
class TXpCDataSection;
class TXpComment;
class TXpDocumentFragment;
class TXpDocumentType;
class TXpDomImplementation;
class TXpElement;
class TXpElementFactory;
class TXpEntityReference;
class TXpProcessingInstruction;
class TXpText;
class TXpValue;
struct TXpNodeArena;

enum TXpLineBreakMode : int32_t { lbmDefault, lbmCR, lbmCRLF, lbmLF };

// Writer hooks: called before and after each element, before and after an
// element's attributes, and for each attribute (which it may skip).
using TXpElementOutputEvent = std::function<void(TXpDocument* sender, TXpElement* element)>;
using TXpAttributeOutputEvent =
    std::function<void(TXpDocument* sender, TXpAttribute* attr, bool& skip)>;

// Hooks of XPath queries for what lies outside the tree (see the XPath
// library): the node current() returns; whether an element is available;
// format-number(); extension functions (the arguments as texts);
// function-available() for names the library lacks; key(); the root of a
// document document() names; system-property() for names the library lacks;
// variable references.
using TXpCurrentNodeEvent = std::function<void(TXpDocument* owner, TXpNode*& node)>;
using TXpElementAvailableEvent =
    std::function<void(TXpNode* node, const std::u16string& name, bool& available)>;
using TXpFormatNumberEvent =
    std::function<void(TXpNode* node, double number, const std::u16string& pattern,
                       const std::u16string& formatName, std::u16string& result)>;
using TXpFunctionEvent =
    std::function<void(TXpNode* node, const std::u16string& name,
                       const std::vector<std::u16string>& arguments, std::u16string& result)>;
using TXpFunctionAvailableEvent = std::function<void(const std::u16string& name, bool& available)>;
// Adds the nodes whose key `name` has `value` to result.
using TXpKeyLookupEvent = std::function<void(TXpNode* node, const std::u16string& name,
                                             const std::u16string& value, TXpNodeList* result)>;
// Sets root to the document (the handler keeps it alive) or leaves it null.
using TXpResolveDocumentEvent =
    std::function<void(TXpNode* node, const std::u16string& href, const std::u16string& baseURI,
                       TXpNode*& root)>;
using TXpSystemLookupEvent = std::function<void(const std::u16string& name, std::u16string& value)>;
// Fills value; a value left unset counts as not defined.
using TXpVariableLookupEvent = std::function<void(const std::u16string& name, TXpValue& value)>;

class TXpDocument : public TXpNode {
public:
  TXpDocument();

  // --- settings ---
  bool CDataAsText() const { return FCDataAsText; }
  void SetCDataAsText(bool value) { FCDataAsText = value; }
  const std::u16string& DocLocation() const { return FDocLocation; }
  void SetDocLocation(const std::u16string& value) { FDocLocation = value; }
  TXpDomImplementation* DomImplementation() const { return FDomImplementation.get(); }
  TXpElementFactory* ElementFactory() const { return FElementFactory; }
  void SetElementFactory(TXpElementFactory* factory) { FElementFactory = factory; }
  bool FormattedOutput() const { return FFormattedOutput; }
  void SetFormattedOutput(bool value) { FFormattedOutput = value; }
  const std::u16string& IdAttribute() const { return FIdAttribute; }
  void SetIdAttribute(const std::u16string& value) { FIdAttribute = value; }
  bool IgnoreCase() const { return FIgnoreCase; }
  void SetIgnoreCase(bool value) { FIgnoreCase = value; }
  bool LineBreakCharReplace() const { return FLineBreakCharReplace; }
  void SetLineBreakCharReplace(bool value) { FLineBreakCharReplace = value; }
  TXpLineBreakMode LineBreakMode() const { return FLineBreakMode; }
  void SetLineBreakMode(TXpLineBreakMode value) { FLineBreakMode = value; }
  bool RawOutput() const { return FRawOutput; }
  void SetRawOutput(bool value) { FRawOutput = value; }

  TXpElementOutputEvent OnBeforeElementOutput;
  TXpElementOutputEvent OnAfterElementOutput;
  TXpElementOutputEvent OnBeforeAttributesOutput;
  TXpElementOutputEvent OnAfterAttributesOutput;
  TXpAttributeOutputEvent OnAttributeOutput;

  TXpCurrentNodeEvent OnCurrentNode;
  TXpElementAvailableEvent OnElementAvailable;
  TXpFormatNumberEvent OnFormatNumber;
  TXpFunctionEvent OnFunction;
  TXpFunctionAvailableEvent OnFunctionAvailable;
  TXpKeyLookupEvent OnKeyLookup;
  TXpResolveDocumentEvent OnResolveDocument;
  TXpSystemLookupEvent OnSystemProperty;
  TXpVariableLookupEvent OnVariableLookup;

  // --- factory: new nodes owned by this document, no parent, one
  //     reference held by the caller ---
  TXpElement* CreateElement(const std::u16string& name);
  TXpElement* CreateElementNS(const std::u16string& uri, const std::u16string& qualifiedName);
  TXpAttribute* CreateAttribute(const std::u16string& name);
  TXpAttribute* CreateAttributeNS(const std::u16string& uri, const std::u16string& qualifiedName);
  TXpEntityReference* CreateEntityReference(const std::u16string& name);
  // Data containing "?>" is refused (ecInvalidParamErr).
  TXpProcessingInstruction* CreateProcessingInstruction(const std::u16string& target,
                                                        const std::u16string& data);
  TXpText* CreateTextNode(const std::u16string& text);
  // Text containing "--" or ending in "-" is refused (ecInvalidParamErr).
  TXpComment* CreateComment(const std::u16string& text);
  TXpCDataSection* CreateCDATASection(const std::u16string& text);
  TXpDocumentFragment* CreateDocumentFragment();
  TXpDocumentType* CreateDocumentType(const std::u16string& name, bool external);

  // --- queries ---
  TXpElement* docGetDocumentElement() const;
  TXpElement* DocumentElement() const { return docGetDocumentElement(); }
  TXpDocumentType* docGetDocType() const;
  std::u16string docGetXpDTD() const;
  std::unique_ptr<TXpNodeList> GetElementsByTagName(const std::u16string& name);
  std::unique_ptr<TXpNodeList> GetElementsByTagNameNS(const std::u16string& uri,
                                                      const std::u16string& localName);
  // A clone of node (deep: with its subtree) owned by this document; the
  // caller holds its creation reference.
  TXpNode* ImportNode(const TXpNode* node, bool deep);

  // --- writer settings ---
  const char16_t* docLineBreakChars() const;

  // The arena the nodes made by this document come from (see XpNodePool.h).
  TXpNodeArena* docArena() const { return FArena; }
  bool docMustReplaceLineBreaks() const { return FLineBreakMode != lbmLF; }

  std::u16string LocationPath() const override { return u"/"; }
  TXpNode* CloneNode(bool) const override { return nullptr; }

protected:
  ~TXpDocument() override;
  void docTraverseTreeForElements(TXpNodeList* list, TXpNode* node, const std::u16string& name,
                                  const std::u16string* uri);

private:
  friend class TXpNode;
  friend class TXpObjModel;

  template <class T>
  T* docAdopt(T* node);

  TXpNodeArena* FArena;
  bool FCDataAsText = false;
  std::u16string FDocLocation;
  std::unique_ptr<TXpDomImplementation> FDomImplementation;
  TXpElementFactory* FElementFactory = nullptr;
  bool FFormattedOutput = false;
  std::u16string FIdAttribute = u"id";
  bool FIgnoreCase = false;
  bool FLineBreakCharReplace = false;
  TXpLineBreakMode FLineBreakMode = lbmDefault;
  bool FRawOutput = false;
};
