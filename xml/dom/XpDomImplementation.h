// Feature queries and creation of documents and document types.
#pragma once

#include <string>

class TXpDocument;
class TXpDocumentType;

class TXpDomImplementation {
public:
  // "XML" with "1.0" or "2.0", and "CORE" with "2.0", compared upper-cased.
  bool HasFeature(const std::u16string& feature, const std::u16string& version) const;
  // A document type node with no owner; the caller holds its reference.
  TXpDocumentType* CreateDocumentType(const std::u16string& qualifiedName,
                                      const std::u16string& publicId,
                                      const std::u16string& systemId) const;
  // A new document; a given doctype is adopted and appended; a non-empty
  // qualified name makes the document element. The caller releases it.
  TXpDocument* CreateDocument(const std::u16string& namespaceURI,
                              const std::u16string& qualifiedName,
                              TXpDocumentType* doctype) const;
};
