// What the declarations of a document type say, as the parser keeps it for
// one parse: element content types and attribute definitions, entities and
// notations.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "classlib/AnsiString.h"

// Attribute types: 1 CDATA, 2 ID, 3 IDREF, 4 IDREFS, 5 ENTITY, 6 ENTITIES,
// 7 NMTOKEN, 8 NMTOKENS, 9 enumeration, 10 NOTATION. Value types: 1 a
// default value, 2 #IMPLIED, 3 #REQUIRED, 4 #FIXED.
struct TXpAttributeInfo {
  WideString Name;
  int32_t AttrType = 1;
  WideString Value;  // the default as written
  int32_t ValueType = 2;
  WideString Enumeration;
  // The default with its references expanded and its blanks normalised.
  WideString ExpandedValue;
};

// Content types: 0 undeclared, 1 ANY, 2 EMPTY, 3 mixed, 4 element-only.
struct TXpElementInfo {
  WideString Name;
  int32_t Index = -1;  // position in the parser's list of element records
  int32_t ContentType = 0;
  WideString ContentModel;
  // In declaration order; the first definition of a name is binding.
  std::vector<TXpAttributeInfo> Attributes;
  std::unordered_map<WideString, size_t> AttributeIndex;

  const TXpAttributeInfo* Find(const WideString& name) const {
    auto it = AttributeIndex.find(name);
    return it == AttributeIndex.end() ? nullptr : &Attributes[it->second];
  }
};

// Entity classes: 1 internal, 2 external unparsed, 3 external parsed.
struct TXpEntityInfo {
  WideString Name;
  int32_t EntityClass = 1;
  bool ParameterEntity = false;
  WideString PublicId;
  WideString SystemId;
  WideString Value;
  WideString NotationName;
  // Declared in the external subset or an external parameter entity.
  bool ExternallyDeclared = false;
  // The folder its system id resolves against.
  AnsiString BasePath;
};

struct TXpNotationInfo {
  WideString PublicId;
  WideString SystemId;
};
