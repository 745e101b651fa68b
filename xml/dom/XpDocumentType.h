// The document type declaration: its markup declarations are its children
// (element, attribute-list, entity and notation declarations, conditional
// sections); an external subset may hang off it.
#pragma once

#include "xml/dom/XpNode.h"

class TXpDTDElement;
class TXpDTDAttlist;
class TXpDTDEntity;
class TXpDTDNotation;
class TXpDTDConditional;

class TXpDocumentType : public TXpNode {
public:
  TXpDocumentType();
  TXpDocumentType(const std::u16string& name, bool external);

  // The external subset (held by one reference), or null.
  TXpDocumentType* ExternalSubset() const { return FExternalSubset; }
  void SetExternalSubset(TXpDocumentType* subset);
  // This node is an external subset: only its declarations are written.
  bool External() const { return FExternal; }
  void SetExternal(bool value) { FExternal = value; }
  const std::u16string& PublicID() const { return FPublicID; }
  void SetPublicID(const std::u16string& value) { FPublicID = value; }
  const std::u16string& SystemID() const { return FSystemID; }
  void SetSystemID(const std::u16string& value) { FSystemID = value; }

  // New declaration nodes with this node's owner document, not appended;
  // an empty name raises ecInvalidNameErr.
  TXpDTDElement* CreateDTDElement(const std::u16string& name, int32_t contentType);
  TXpDTDAttlist* CreateDTDAttlist(const std::u16string& name);
  TXpDTDEntity* CreateDTDEntity(const std::u16string& name);
  TXpDTDNotation* CreateDTDNotation(const std::u16string& name);
  TXpDTDConditional* CreateDTDConditional(int32_t kind);

  // Searches the declarations here, then those of the external subset.
  std::unique_ptr<TXpNodeList> noGetNodesByNodeTypeName(int32_t type,
                                                        const std::u16string& name) override;
  TXpNode* CloneNode(bool deep) const override;

protected:
  ~TXpDocumentType() override;
  void dtCopyInto(TXpDocumentType* clone, bool deep) const;

private:
  TXpDocumentType* FExternalSubset = nullptr;
  bool FExternal = false;
  std::u16string FPublicID;
  std::u16string FSystemID;
};
