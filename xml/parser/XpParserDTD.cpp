// The document type declaration: internal and external subset, markup
// declarations, parameter entities and conditional sections.
#include "classlib/Format.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpMessages.h"
#include "xml/parser/XpParser.h"

using namespace XpRes;

namespace {

inline bool IsWS(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool StartsTextDecl(TXpInputSource& s) {
  return s.Have(5) && s.Text.compare(0, 5, u"<?xml") == 0 && IsWS(s.Text[5]);
}

}  // namespace

bool TXpParser::InInternalSubset() const { return FDtdExternalDepth == 0; }

// Whitespace inside a declaration; in external markup a parameter-entity
// reference here is replaced by its text, and the end of that text counts
// as a blank.
bool TXpParser::DtdSkip() {
  bool any = false;
  for (;;) {
    if (SkipWhitespace()) any = true;
    TXpInputSource& s = Src();
    if (s.AtEnd() && s.InDeclaration) {
      PopSource();
      any = true;
      continue;
    }
    if (s.Cur() == u'%' && s.Have(s.Pos + 1) && !IsWS(s.Text[s.Pos + 1])) {
      if (InInternalSubset()) Fail(_sNoPEInIntDTD);
      PushParameterEntity(WideString(), true);
      any = true;
      continue;
    }
    return any;
  }
}

void TXpParser::DtdRequire() {
  if (!DtdSkip()) RequireWhitespace();
}

void TXpParser::PushParameterEntity(const WideString&, bool inDeclaration) {
  Skip();  // "%"
  const WideString name = ReadName();
  if (!TryRead(u";")) Fail(_sExpectedString, u";");
  auto it = FParamEntities.find(name);
  if (it == FParamEntities.end()) Fail(_sUndeclaredEntity, name);
  const TXpEntityInfo& e = *it->second;
  if (std::find(FOpenEntities.begin(), FOpenEntities.end(), &e) != FOpenEntities.end())
    Fail(_sCircularEntRef, name);
  std::unique_ptr<TXpInputSource> src;
  if (e.EntityClass == 3) {
    FInExternalEntity = true;
    // Between declarations the entity is announced like the external
    // subset; inside one it is resolved like an external entity in content.
    // Either handler may change what is read; an empty name reads nothing.
    WideString location = e.SystemId;
    if (!inDeclaration) {
      if (OnDTDExternalStart) OnDTDExternalStart(this, location);
    } else if (OnResolveEntity) {
      OnResolveEntity(this, name, e.PublicId, e.SystemId, location);
    }
    if (location.empty()) {
      if (!inDeclaration && OnDTDExternalEnd) OnDTDExternalEnd(this);
      return;
    }
    src = LoadExternal(location, e.BasePath, name);
    src->ExternalDtd = true;
    src->AnnouncedExternal = !inDeclaration;
  } else {
    src = std::make_unique<TXpInputSource>();
    src->Text = e.Value;
    src->Encoding = Src().Encoding;
  }
  // An external entity's text is counted as it is read (see ParseDeclarations).
  if (!src->External) CountExpansion(e, src->Text.size());
  src->Entity = &e;
  src->InDeclaration = inDeclaration;
  PushSource(std::move(src));
  TXpInputSource& s = Src();
  if (s.External && StartsTextDecl(s)) {
    s.Pos = 5;
    ParseXMLDecl(true);
  }
}

void TXpParser::ParseDocTypeDecl() {
  RequireWhitespace();
  const WideString root = ReadName();
  const bool ws = SkipWhitespace();
  WideString publicId, systemId;
  if (Cur() == u'S' || Cur() == u'P') {
    if (!ws) RequireWhitespace();
    ReadExternalIds(publicId, systemId, false);
    SkipWhitespace();
  }
  FHasDTD = true;
  if (OnDTDStart) OnDTDStart(this, root, publicId, systemId);
  if (TryRead(u"[")) {
    ParseDeclarations(false);
    Require(u"]");
    SkipWhitespace();
  }
  Require(u">");
  if (!systemId.empty()) {
    WideString location = systemId;
    FStartingSubset = true;
    try {
      if (OnDTDExternalStart) OnDTDExternalStart(this, location);
    } catch (...) {
      FStartingSubset = false;
      throw;
    }
    FStartingSubset = false;
    if (!location.empty()) {
      auto src = LoadExternal(location, CurrentBasePath(), u"DTD");
      src->ExternalDtd = true;
      if (OnDTDExternalLoaded) OnDTDExternalLoaded(this, src->URL);
      PushSource(std::move(src));
      TXpInputSource& s = Src();
      if (StartsTextDecl(s)) {
        s.Pos = 5;
        ParseXMLDecl(true);
      }
      ParseDeclarations(true);
      PopSource();
    }
    if (OnDTDExternalEnd) OnDTDExternalEnd(this);
  }
  if (OnDTDEnd) OnDTDEnd(this);
  if (OnDocTypeDecl) OnDocTypeDecl(this, root, publicId, systemId);
}

// Markup declarations up to the "]" of the internal subset, or to the end
// of the external subset.
void TXpParser::ParseDeclarations(bool externalSubset) {
  const size_t base = FSources.size();
  const int32_t includeBase = FIncludeDepth;
  for (;;) {
    Src().Compact();
    SkipWhitespace();
    TXpInputSource& s = Src();
    if (s.AtEnd()) {
      if (FSources.size() > base) {
        if (s.External && s.Entity) CountExpansion(*s.Entity, static_cast<size_t>(s.Decoded()));
        const bool announced = s.AnnouncedExternal;
        PopSource();
        if (announced && OnDTDExternalEnd) OnDTDExternalEnd(this);
        continue;
      }
      if (externalSubset && FIncludeDepth == includeBase) return;
      Fail(_sUnexpectedEof);
    }
    const char16_t c = s.Cur();
    if (c == u'%') {
      if (s.Have(s.Pos + 1) && IsWS(s.Text[s.Pos + 1])) Fail(_sExpMarkupDecl, u"%");
      PushParameterEntity(WideString(), false);
      continue;
    }
    if (c == u']') {
      if (!externalSubset && FSources.size() == base && FIncludeDepth == includeBase) return;
      if (FIncludeDepth > includeBase && TryRead(u"]]>")) {
        --FIncludeDepth;
        if (OnDTDConditionalEnd) OnDTDConditionalEnd(this);
        continue;
      }
    }
    ParseMarkupDecl();
  }
}

void TXpParser::ParseMarkupDecl() {
  const size_t depth = FSources.size();
  if (TryRead(u"<!ELEMENT")) {
    ParseElementDecl();
  } else if (TryRead(u"<!ATTLIST")) {
    ParseAttlistDecl();
  } else if (TryRead(u"<!ENTITY")) {
    ParseEntityDecl();
  } else if (TryRead(u"<!NOTATION")) {
    ParseNotationDecl();
  } else if (TryRead(u"<?")) {
    ParseProcessingInstruction();
  } else if (TryRead(u"<!--")) {
    ParseComment();
  } else if (TryRead(u"<![")) {
    if (InInternalSubset()) Fail(_sNoIntConditional);
    ParseConditionalSection();
    return;
  } else {
    TXpInputSource& s = Src();
    size_t p = s.Pos;
    while (s.Have(p) && p < s.Pos + 40 && !IsWS(s.Text[p])) ++p;
    Fail(_sExpMarkupDecl, s.Text.substr(s.Pos, p - s.Pos));
  }
  // In the internal subset a declaration begins and ends in the same entity.
  if (FSources.size() != depth && InInternalSubset()) Fail(_sBadParamEntNesting, Src().Entity ? Src().Entity->Name : WideString());
}

void TXpParser::ParseElementDecl() {
  DtdRequire();
  const WideString name = ReadName();
  DtdRequire();
  WideString model;
  ParseContentSpec(name, model);
  DtdSkip();
  Require(u">");
  if (OnDTDElementEnd) OnDTDElementEnd(this, name);
}

void TXpParser::ParseContentSpec(const WideString& name, WideString& model) {
  int32_t contentType;
  if (TryRead(u"EMPTY")) {
    contentType = 2;
    model = u"EMPTY";
    if (OnDTDElementStart) OnDTDElementStart(this, name, 2);
  } else if (TryRead(u"ANY")) {
    contentType = 1;
    model = u"ANY";
    if (OnDTDElementStart) OnDTDElementStart(this, name, 1);
  } else {
    Require(u"(");
    const size_t openDepth = FSources.size();
    DtdSkip();
    model = u"(";
    if (TryRead(u"#PCDATA")) {
      contentType = 3;
      model += u"#PCDATA";
      if (OnDTDElementStart) OnDTDElementStart(this, name, 3);
      if (OnDTDElementGroupStart) OnDTDElementGroupStart(this);
      if (OnDTDElementContent) OnDTDElementContent(this, u"#PCDATA", 0, 0);
      bool names = false;
      for (;;) {
        DtdSkip();
        if (Cur() == u')') break;
        Require(u"|");
        DtdSkip();
        const WideString item = ReadName();
        model += u"|" + item;
        names = true;
        if (OnDTDElementContent) OnDTDElementContent(this, item, 0, 0);
      }
      if (FSources.size() != openDepth && InInternalSubset()) Fail(_sBadParamEntNesting, name);
      Skip();
      model += u")";
      int32_t occurrence = 0;
      if (TryRead(u"*")) {
        occurrence = 2;
        model += u"*";
      } else if (names) {
        Fail(_sExpectedString, u"*");
      }
      if (OnDTDElementGroupEnd) OnDTDElementGroupEnd(this, occurrence, 1);
    } else {
      contentType = 4;
      if (OnDTDElementStart) OnDTDElementStart(this, name, 4);
      if (OnDTDElementGroupStart) OnDTDElementGroupStart(this);
      // The groups are kept on a stack of their own: the nesting the input
      // chooses never deepens the call stack.
      struct Group {
        char16_t Separator;
        size_t SourceDepth;
      };
      std::vector<Group> groups{{0, openDepth}};
      auto occurrenceMark = [&]() -> int32_t {
        if (TryRead(u"?")) return model += u"?", 1;
        if (TryRead(u"*")) return model += u"*", 2;
        if (TryRead(u"+")) return model += u"+", 3;
        return 0;
      };
      for (;;) {
        DtdSkip();
        if (TryRead(u"(")) {
          if (static_cast<int32_t>(groups.size()) >= MaxDepth)
            Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sGroupDepthLimit).c_str(), MaxDepth)));
          groups.push_back({0, FSources.size()});
          model += u"(";
          if (OnDTDElementGroupStart) OnDTDElementGroupStart(this);
          continue;
        }
        const WideString item = ReadName();
        model += item;
        const int32_t occurrence = occurrenceMark();
        DtdSkip();
        const char16_t sep = Cur();
        if (sep != u',' && sep != u'|' && sep != u')') Fail(_sBadSepInModel, WideString(1, sep ? sep : u' '));
        if (OnDTDElementContent) OnDTDElementContent(this, item, occurrence, sep == u'|' ? 0 : 1);
        bool done = false;
        for (;;) {
          const char16_t c = Cur();
          if (c == u',' || c == u'|') {
            Group& g = groups.back();
            if (g.Separator && g.Separator != c) Fail(_sBadSepInModel, WideString(1, c));
            g.Separator = c;
            Skip();
            model += c;
            break;
          }
          if (c != u')') Fail(_sBadSepInModel, WideString(1, c ? c : u' '));
          if (FSources.size() != groups.back().SourceDepth && InInternalSubset()) Fail(_sBadParamEntNesting, name);
          Skip();
          model += u")";
          const int32_t groupOccurrence = occurrenceMark();
          groups.pop_back();
          if (groups.empty()) {
            if (OnDTDElementGroupEnd) OnDTDElementGroupEnd(this, groupOccurrence, 1);
            done = true;
            break;
          }
          DtdSkip();
          if (OnDTDElementGroupEnd) OnDTDElementGroupEnd(this, groupOccurrence, Cur() == u'|' ? 0 : 1);
        }
        if (done) break;
      }
    }
  }
  TXpElementInfo& info = ElementRecord(name);
  if (info.ContentType == 0) {
    info.ContentType = contentType;
    info.ContentModel = model;
  }
}

void TXpParser::ParseAttlistDecl() {
  DtdRequire();
  const WideString element = ReadName();
  if (OnDTDAttlistStart) OnDTDAttlistStart(this, element);
  TXpElementInfo& info = ElementRecord(element);
  for (;;) {
    const bool ws = DtdSkip();
    if (Cur() == u'>') {
      Skip();
      break;
    }
    if (!ws) RequireWhitespace();
    TXpAttributeInfo def;
    def.Name = ReadName();
    DtdRequire();
    TXpWideStringList enumeration;
    if (Cur() == u'(') {
      def.AttrType = 9;
    } else {
      static const struct {
        const char16_t* Keyword;
        int32_t Code;
      } kTypes[] = {{u"CDATA", 1},   {u"IDREFS", 4},   {u"IDREF", 3},    {u"ID", 2},         {u"ENTITY", 5},
                    {u"ENTITIES", 6}, {u"NMTOKENS", 8}, {u"NMTOKEN", 7}, {u"NOTATION", 10}};
      const WideString keyword = ReadName();
      def.AttrType = 0;
      for (const auto& t : kTypes)
        if (keyword == t.Keyword) def.AttrType = t.Code;
      if (!def.AttrType) Fail(_sIllAttrType, u"(" + element + u") in element " + keyword);
      if (def.AttrType == 10) DtdRequire();
    }
    if (def.AttrType == 9 || def.AttrType == 10) {
      Require(u"(");
      def.Enumeration = u"(";
      for (;;) {
        DtdSkip();
        const WideString token = def.AttrType == 10 ? ReadName() : ReadNmToken();
        enumeration.push_back(token);
        def.Enumeration += token;
        DtdSkip();
        if (TryRead(u")")) break;
        Require(u"|");
        def.Enumeration += u"|";
      }
      def.Enumeration += u")";
    }
    DtdRequire();
    if (TryRead(u"#")) {
      const WideString keyword = ReadName();
      if (keyword == u"REQUIRED") {
        def.ValueType = 3;
      } else if (keyword == u"IMPLIED") {
        def.ValueType = 2;
      } else if (keyword == u"FIXED") {
        def.ValueType = 4;
        DtdRequire();
      } else {
        Fail(_sIllAttrDefKeyw, keyword);
      }
    } else {
      def.ValueType = 1;
    }
    if (def.ValueType == 1 || def.ValueType == 4) {
      def.Value = ReadQuoted();
      ExpandAttValue(def.Value, def.ExpandedValue, 0);
      if (def.AttrType > 1) {
        WideString& v = def.ExpandedValue;
        size_t out = 0;
        bool pending = false;
        for (char16_t c : v) {
          if (c == u' ') {
            pending = out > 0;
            continue;
          }
          if (pending) v[out++] = u' ';
          pending = false;
          v[out++] = c;
        }
        v.resize(out);
      }
    }
    // The first definition of an attribute is binding.
    if (!info.AttributeIndex.count(def.Name)) {
      info.AttributeIndex.emplace(def.Name, info.Attributes.size());
      info.Attributes.push_back(def);
    }
    if (OnDTDAttDefinition)
      OnDTDAttDefinition(this, def.Name, def.AttrType, enumeration.empty() ? nullptr : &enumeration, def.ValueType,
                         def.Value);
  }
  if (OnDTDAttlistEnd) OnDTDAttlistEnd(this);
}

void TXpParser::ParseEntityDecl() {
  DtdRequire();
  bool parameter = false;
  if (Cur() == u'%') {
    Skip();
    DtdRequire();
    parameter = true;
  }
  auto e = std::make_unique<TXpEntityInfo>();
  e->Name = ReadName();
  e->ParameterEntity = parameter;
  e->ExternallyDeclared = !InInternalSubset();
  e->BasePath = CurrentBasePath();
  DtdRequire();
  if (Cur() == u'"' || Cur() == u'\'') {
    e->EntityClass = 1;
    e->Value = ReadEntityValue(parameter);
  } else {
    if (!ReadExternalIds(e->PublicId, e->SystemId, false)) Fail(_sSysIdMissing, e->Name);
    e->EntityClass = 3;
    const bool ws = DtdSkip();
    if (TryRead(u"NDATA")) {
      if (!ws) RequireWhitespace();
      if (parameter) Fail(_sNoNDATAInPeDecl);
      DtdRequire();
      e->NotationName = ReadName();
      e->EntityClass = 2;
    }
  }
  DtdSkip();
  Require(u">");
  if (e->EntityClass == 1) {
    if (OnDTDEntityInternal) OnDTDEntityInternal(this, parameter, e->Name, e->Value);
  } else if (OnDTDEntityExternal) {
    OnDTDEntityExternal(this, parameter, e->Name, e->PublicId, e->SystemId, e->NotationName);
  }
  // The first declaration of an entity is binding.
  auto& table = parameter ? FParamEntities : FEntities;
  const WideString name = e->Name;
  table.emplace(name, std::move(e));
}

WideString TXpParser::ReadEntityValue(bool) {
  TXpInputSource& s = Src();
  const char16_t quote = s.Cur();
  s.Pos++;
  WideString value;
  for (;;) {
    if (s.AtEnd()) Fail(_sExpectedString, WideString(1, quote));
    const char16_t c = s.Text[s.Pos];
    if (c == quote) {
      ++s.Pos;
      break;
    }
    if (c == u'%') {
      if (InInternalSubset()) Fail(_sNoPEInIntDTD);
      ++s.Pos;
      const WideString name = ReadName();
      if (!TryRead(u";")) Fail(_sExpectedString, u";");
      auto it = FParamEntities.find(name);
      if (it == FParamEntities.end()) Fail(_sUndeclaredEntity, name);
      ExpandEntityValue(*it->second, value, 1);
      continue;
    }
    if (c == u'&') {
      if (s.Have(s.Pos + 1) && s.Text[s.Pos + 1] == u'#') {
        s.Pos += 2;
        AppendChar(value, ReadCharRef());
        continue;
      }
      // General entity references stay as they are, but must be references.
      ++s.Pos;
      const WideString name = ReadName();
      if (!TryRead(u";")) Fail(_sInvEntityValue, u"&");
      value += u"&" + name + u";";
      continue;
    }
    value += c;
    ++s.Pos;
    CheckText(value.size());
  }
  CheckText(value.size());
  return value;
}

void TXpParser::ExpandEntityValue(const TXpEntityInfo& entity, WideString& out, int32_t nesting) {
  if (std::find(FOpenEntities.begin(), FOpenEntities.end(), &entity) != FOpenEntities.end())
    Fail(_sCircularEntRef, entity.Name);
  if (static_cast<int32_t>(FOpenEntities.size()) >= MaxEntityNesting)
    Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sEntityNestingLimit).c_str(), MaxEntityNesting,
                                  WideToAnsi(entity.Name).c_str())));
  if (entity.EntityClass == 1) {
    CountExpansion(entity, entity.Value.size());
    out += entity.Value;
    CheckText(out.size());
    return;
  }
  if (entity.EntityClass != 3) Fail(_sInvalidEntityRef, entity.Name);
  FInExternalEntity = true;
  WideString location = entity.SystemId;
  if (OnResolveEntity) OnResolveEntity(this, entity.Name, entity.PublicId, entity.SystemId, location);
  if (location.empty()) return;
  auto src = LoadExternal(location, entity.BasePath, entity.Name);
  // Its whole text goes into the value (the bytes a parse may load bound it).
  src->ReadAll();
  size_t start = 0;
  if (StartsTextDecl(*src)) {
    // Read the text declaration with the loaded text as current source.
    src->Pos = 5;
    src->ExternalDtd = true;
    PushSource(std::move(src));
    ParseXMLDecl(true);
    start = Src().Pos;
    CountExpansion(entity, Src().Text.size() - start);
    out.append(Src().Text, start, WideString::npos);
    PopSource();
  } else {
    CountExpansion(entity, src->Text.size());
    out += src->Text;
  }
  CheckText(out.size());
  (void)nesting;
}

void TXpParser::ParseNotationDecl() {
  DtdRequire();
  const WideString name = ReadName();
  if (!DtdSkip() && Cur() != u'>') RequireWhitespace();
  WideString publicId, systemId;
  if (!ReadExternalIds(publicId, systemId, true)) Fail(_sExtModifMissing, name);
  DtdSkip();
  Require(u">");
  SetNotation(name, publicId, systemId);
}

void TXpParser::ParseConditionalSection() {
  DtdSkip();
  if (TryRead(u"INCLUDE")) {
    DtdSkip();
    Require(u"[");
    if (FIncludeDepth >= MaxDepth)
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sGroupDepthLimit).c_str(), MaxDepth)));
    ++FIncludeDepth;
    if (OnDTDConditionalStart) OnDTDConditionalStart(this, 0);
  } else if (TryRead(u"IGNORE")) {
    DtdSkip();
    Require(u"[");
    if (OnDTDConditionalStart) OnDTDConditionalStart(this, 1);
    ParseIgnoredSection();
    if (OnDTDConditionalEnd) OnDTDConditionalEnd(this);
  } else {
    Fail(_sIllCondSectStart);
  }
}

void TXpParser::ParseIgnoredSection() {
  TXpInputSource& s = Src();
  const size_t start = s.Pos;
  int32_t level = 1;
  size_t p = s.Pos;
  while (level > 0) {
    if (!s.Have(p)) Fail(_sMalformedIgnore);
    if (s.Text[p] == u'<' && s.Have(p + 2) && s.Text[p + 1] == u'!' && s.Text[p + 2] == u'[') {
      ++level;
      p += 3;
    } else if (s.Text[p] == u']' && s.Have(p + 2) && s.Text[p + 1] == u']' && s.Text[p + 2] == u'>') {
      --level;
      p += 3;
    } else {
      ++p;
      if ((p & 0xFFF) == 0) CheckText(p - start);
    }
  }
  s.Pos = p;
  // The ignored text is reported as it stands.
  const int32_t contentType = FContentType;
  const bool preserve = FPreserve;
  FData.assign(s.Text, start, p - 3 - start);
  FContentType = 3;
  FPreserve = true;
  DataBufferFlush();
  FContentType = contentType;
  FPreserve = preserve;
}
