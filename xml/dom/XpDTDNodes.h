// Markup declarations of a document type, kept as nodes below the DOCTYPE
// node. Their numeric fields carry the parser's codes:
//   content type: 0 undeclared, 1 ANY, 2 EMPTY, 3 mixed, 4 element-only;
//   occurrence: 0 once, 1 "?", 2 "*", 3 "+"; relation: 1 ",", 0 "|";
//   attribute type: 1 CDATA, 2 ID, 3 IDREF, 4 IDREFS, 5 ENTITY, 6 ENTITIES,
//     7 NMTOKEN, 8 NMTOKENS, 9 enumeration, 10 NOTATION;
//   default kind: 1 a value, 2 #IMPLIED, 3 #REQUIRED, 4 #FIXED;
//   conditional kind: 0 INCLUDE, 1 IGNORE.
#pragma once

#include <vector>

#include "xml/dom/XpDocumentType.h"

class TXpDTDElementGroup;
class TXpDTDElementContent;
class TXpDTDAttDefinition;

using TXpWideStringList = std::vector<std::u16string>;

class TXpDTDElement : public TXpNode {
public:
  TXpDTDElement();
  int32_t ContentType() const { return FContentType; }
  // Values 0..4; any other raises ecInvalidParamErr.
  void elSetContentType(int32_t value);
  TXpDTDElementGroup* CreateDTDElementGroup();
  TXpNode* CloneNode(bool deep) const override;

private:
  int32_t FContentType = 0;
};

class TXpDTDElementGroup : public TXpNode {
public:
  TXpDTDElementGroup();
  int32_t Occurrence() const { return FOccurrence; }
  void SetOccurrence(int32_t value) { FOccurrence = value; }
  int32_t Relation() const { return FRelation; }
  void SetRelation(int32_t value) { FRelation = value; }
  TXpDTDElementGroup* CreateDTDElementGroup();
  TXpDTDElementContent* CreateDTDElementContent(const std::u16string& name, int32_t occurrence,
                                                int32_t relation);
  TXpNode* CloneNode(bool deep) const override;

private:
  int32_t FOccurrence = 0;
  int32_t FRelation = 0;
};

class TXpDTDElementContent : public TXpNode {
public:
  TXpDTDElementContent();
  int32_t Occurrence() const { return FOccurrence; }
  void SetOccurrence(int32_t value) { FOccurrence = value; }
  int32_t Relation() const { return FRelation; }
  void SetRelation(int32_t value) { FRelation = value; }
  TXpNode* CloneNode(bool deep) const override;

private:
  int32_t FOccurrence = 0;
  int32_t FRelation = 0;
};

class TXpDTDAttlist : public TXpNode {
public:
  TXpDTDAttlist();
  // A new attribute definition (not appended); an empty name raises
  // ecInvalidNameErr. A definition of type ID names the owner document's
  // ID attribute.
  TXpDTDAttDefinition* CreateDTDAttDefinition(const std::u16string& name, int32_t attrType,
                                              const TXpWideStringList* enumeration,
                                              int32_t defaultKind,
                                              const std::u16string& defaultValue);
  TXpNode* CloneNode(bool deep) const override;
};

class TXpDTDAttDefinition : public TXpNode {
public:
  TXpDTDAttDefinition();
  int32_t AttrType() const { return FAttrType; }
  void SetAttrType(int32_t value) { FAttrType = value; }
  int32_t DefaultKind() const { return FDefaultKind; }
  void SetDefaultKind(int32_t value) { FDefaultKind = value; }
  // Null when the type has no enumeration.
  const TXpWideStringList* Enumeration() const { return FEnumeration.get(); }
  void SetEnumeration(const TXpWideStringList* list);
  TXpNode* CloneNode(bool deep) const override;

private:
  int32_t FAttrType = 0;
  int32_t FDefaultKind = 0;
  std::unique_ptr<TXpWideStringList> FEnumeration;
};

class TXpDTDEntity : public TXpNode {
public:
  TXpDTDEntity();
  bool IsParameterEntity() const { return FParameterEntity; }
  void SetParameterEntity(bool value) { FParameterEntity = value; }
  const std::u16string& PublicID() const { return FPublicID; }
  void SetPublicID(const std::u16string& value) { FPublicID = value; }
  const std::u16string& SystemID() const { return FSystemID; }
  void SetSystemID(const std::u16string& value) { FSystemID = value; }
  const std::u16string& NotationName() const { return FNotationName; }
  void SetNotationName(const std::u16string& value) { FNotationName = value; }
  TXpNode* CloneNode(bool deep) const override;

private:
  bool FParameterEntity = false;
  std::u16string FPublicID;
  std::u16string FSystemID;
  std::u16string FNotationName;
};

class TXpDTDNotation : public TXpNode {
public:
  TXpDTDNotation();
  const std::u16string& PublicID() const { return FPublicID; }
  void SetPublicID(const std::u16string& value) { FPublicID = value; }
  const std::u16string& SystemID() const { return FSystemID; }
  void SetSystemID(const std::u16string& value) { FSystemID = value; }
  TXpNode* CloneNode(bool deep) const override;

private:
  std::u16string FPublicID;
  std::u16string FSystemID;
};

class TXpDTDConditional : public TXpDocumentType {
public:
  TXpDTDConditional();
  int32_t Kind() const { return FKind; }
  void SetKind(int32_t value) { FKind = value; }
  TXpNode* CloneNode(bool deep) const override;

private:
  int32_t FKind = 0;
};
