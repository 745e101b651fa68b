#include "xml/dom/XpDomImplementation.h"

#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "classlib/AnsiString.h"

bool TXpDomImplementation::HasFeature(const std::u16string& feature,
                                      const std::u16string& version) const {
  const std::u16string f = WideUpperCase(feature);
  const std::u16string v = WideUpperCase(version);
  return (f == u"XML" && (v == u"1.0" || v == u"2.0")) || (f == u"CORE" && v == u"2.0");
}

TXpDocumentType* TXpDomImplementation::CreateDocumentType(const std::u16string& qualifiedName,
                                                          const std::u16string& publicId,
                                                          const std::u16string& systemId) const {
  auto* doctype = new TXpDocumentType(qualifiedName, false);
  doctype->SetPublicID(publicId);
  doctype->SetSystemID(systemId);
  return doctype;
}

TXpDocument* TXpDomImplementation::CreateDocument(const std::u16string& namespaceURI,
                                                  const std::u16string& qualifiedName,
                                                  TXpDocumentType* doctype) const {
  auto* doc = new TXpDocument();
  try {
    doc->SetNamespaceURI(namespaceURI);
    doc->SetNodeName(qualifiedName);
    if (doctype) {
      doc->ForceOwnerDocument(doctype);
      doc->AppendChild(doctype);
    }
    if (!qualifiedName.empty()) {
      TXpElement* root = doc->CreateElementNS(namespaceURI, qualifiedName);
      doc->AppendChild(root);
      root->Release();
    }
  } catch (...) {
    doc->Release();
    throw;
  }
  return doc;
}
