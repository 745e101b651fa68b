// What the parser offers about the declarations it has read: entity ids,
// external entity texts, element records and attribute definitions, and
// the entry points that declare entities and notations.
#include "xml/parser/XpParser.h"

namespace {

bool StartsWithTextDecl(const TXpInputSource& s) {
  return s.Text.compare(0, 5, u"<?xml") == 0 && s.Text.size() > 5 &&
         (s.Text[5] == u' ' || s.Text[5] == u'\t' || s.Text[5] == u'\n' || s.Text[5] == u'\r');
}

}  // namespace

// --- entities ---

WideString TXpParser::GetEntityPublicId(const WideString& name) const {
  auto it = FEntities.find(name);
  return it == FEntities.end() ? WideString() : it->second->PublicId;
}

WideString TXpParser::GetEntitySystemId(const WideString& name) const {
  auto it = FEntities.find(name);
  return it == FEntities.end() ? WideString() : it->second->SystemId;
}

WideString TXpParser::GetEntityNotationName(const WideString& name) const {
  auto it = FEntities.find(name);
  return it == FEntities.end() ? WideString() : it->second->NotationName;
}

WideString TXpParser::GetExternalTextEntityValue(const WideString& name, const WideString& publicId,
                                                 const WideString& systemId) {
  FInExternalEntity = true;
  WideString location = systemId;
  if (OnResolveEntity) OnResolveEntity(this, name, publicId, systemId, location);
  if (location.empty()) return WideString();
  auto declared = FEntities.find(name);
  const AnsiString base = declared != FEntities.end() ? declared->second->BasePath : CurrentBasePath();
  auto src = LoadExternal(location, base, name);
  if (!StartsWithTextDecl(*src)) return std::move(src->Text);
  // The text declaration is read with the loaded text as current source.
  src->Pos = 5;
  PushSource(std::move(src));
  try {
    ParseXMLDecl(true);
  } catch (...) {
    PopSource();
    throw;
  }
  WideString text = Src().Text.substr(Src().Pos);
  PopSource();
  return text;
}

void TXpParser::SetEntity(const WideString& name, int32_t entityClass, bool parameter, const WideString& value,
                          const WideString& publicId, const WideString& systemId, const WideString& notation) {
  auto& table = parameter ? FParamEntities : FEntities;
  if (table.count(name)) return;
  auto e = std::make_unique<TXpEntityInfo>();
  e->Name = name;
  e->EntityClass = entityClass;
  e->ParameterEntity = parameter;
  e->Value = value;
  e->PublicId = publicId;
  e->SystemId = systemId;
  e->NotationName = notation;
  e->ExternallyDeclared = !InInternalSubset();
  e->BasePath = CurrentBasePath();
  table.emplace(name, std::move(e));
}

void TXpParser::SetInternalEntity(const WideString& name, const WideString& value, bool parameter) {
  SetEntity(name, 1, parameter, value, WideString(), WideString(), WideString());
}

void TXpParser::SetExternalTextEntity(const WideString& name, const WideString& publicId,
                                      const WideString& systemId) {
  SetEntity(name, 3, false, WideString(), publicId, systemId, WideString());
}

void TXpParser::SetExternalDataEntity(const WideString& name, const WideString& publicId,
                                      const WideString& systemId, const WideString& notation) {
  SetEntity(name, 2, false, WideString(), publicId, systemId, notation);
}

void TXpParser::SetNotation(const WideString& name, const WideString& publicId, const WideString& systemId) {
  if (FNotations.emplace(name, TXpNotationInfo{publicId, systemId}).second && OnDTDNotation)
    OnDTDNotation(this, name, publicId, systemId);
}

// --- elements and attributes ---

TXpElementInfo& TXpParser::ElementRecord(const WideString& name) {
  TXpElementInfo& info = FElements[name];
  if (info.Index < 0) {
    info.Name = name;
    info.Index = static_cast<int32_t>(FElementList.size());
    FElementList.push_back(&info);  // records of an unordered_map never move
  }
  return info;
}

const TXpElementInfo* TXpParser::ElementAt(const WideString& name, int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= FElementList.size()) return nullptr;
  const TXpElementInfo* info = FElementList[static_cast<size_t>(index)];
  return info->Name == name ? info : nullptr;
}

int32_t TXpParser::GetElementIndexOf(const WideString& name) const {
  auto it = FElements.find(name);
  return it == FElements.end() ? -1 : it->second.Index;
}

int32_t TXpParser::GetElementContentType(const WideString& name, int32_t index) const {
  const TXpElementInfo* info = ElementAt(name, index);
  return info ? info->ContentType : 0;
}

const std::vector<TXpAttributeInfo>* TXpParser::DeclaredAttributes(const WideString& name, int32_t index) const {
  const TXpElementInfo* info = ElementAt(name, index);
  return info && !info->Attributes.empty() ? &info->Attributes : nullptr;
}

int32_t TXpParser::GetAttributeDefaultValueType(const WideString& element, const WideString& attribute) const {
  const TXpElementInfo* info = GetElementInfo(element);
  const TXpAttributeInfo* def = info ? info->Find(attribute) : nullptr;
  return def ? def->AttrType : 0;
}

WideString TXpParser::GetAttributeExpandedValue(const WideString& element, const WideString& attribute,
                                                int32_t index) const {
  const TXpElementInfo* info = ElementAt(element, index);
  const TXpAttributeInfo* def = info ? info->Find(attribute) : nullptr;
  return def ? def->ExpandedValue : WideString();
}
