#include "xml/parser/XpTreeBuilder.h"

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpEntityReference.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpProcessingInstruction.h"

TXpTreeBuilder::TXpTreeBuilder(TXpObjModel* model)
    : TComponent(model), FModel(model), FParser(new TXpParser(this)) {
  TXpParser& p = *FParser;
  auto doc = [this] { return FModel->Document(); };
  // Attributes wait, name and value, until their element is made; the
  // element keeps those given in the tag as pairs (XpElement.h), declared
  // defaults as nodes, which carry their Specified flag.
  p.OnAttribute = [this](TObject*, const WideString& name, const WideString& value, bool specified) {
    if (name.empty()) return;
    if (FModel->TrackAttributes()) FModel->FAttributeList.Add(WideToAnsi(name));
    if (FPendingCount == FPending.size()) FPending.emplace_back();
    TPendingAttribute& pending = FPending[FPendingCount++];
    pending.Name = name;
    pending.Value = value;
    pending.Specified = specified;
  };
  p.OnStartElement = [this, doc](TObject*, const WideString& name) {
    if (FModel->TrackElements()) FModel->FElementList.Add(WideToAnsi(name));
    auto element = TXpNodeRef<TXpElement>::Adopt(doc()->CreateElement(name));
    const size_t count = FPendingCount;
    FPendingCount = 0;
    for (size_t i = 0; i < count; ++i) {
      const TPendingAttribute& pending = FPending[i];
      if (pending.Specified) {
        element->SetAttribute(pending.Name, pending.Value);
        continue;
      }
      auto attr = TXpNodeRef<TXpAttribute>::Adopt(doc()->CreateAttribute(pending.Name));
      attr->SetNodeValue(pending.Value);
      attr->SetSpecified(false);
      TXpNodeRef<TXpAttribute>::Adopt(element->SetAttributeNode(attr.Get()));
    }
    Top()->AppendChild(element.Get());
    Push(std::move(element));
  };
  p.OnEndElement = [this](TObject*, const WideString&) { Pop(); };
  p.OnCharData = [this, doc](TObject*, const WideString& text) { AppendNew(Adopt(doc()->CreateTextNode(text))); };
  p.OnCDATASection = [this, doc](TObject*, const WideString& text) {
    AppendNew(Adopt(doc()->CreateCDATASection(text)));
  };
  p.OnComment = [this, doc](TObject*, const WideString& text) { AppendNew(Adopt(doc()->CreateComment(text))); };
  p.OnProcessingInstruction = [this, doc](TObject*, const WideString& target, const WideString& data) {
    auto pi = Adopt(doc()->CreateProcessingInstruction(target, data));
    if (pi->noNameEquals(u"xml-stylesheet")) FModel->FStyleSheets.Add(pi.Get());
    AppendNew(std::move(pi));
  };
  p.OnNonXMLEntity = [this, doc](TObject*, const WideString& name, const WideString&, const WideString&,
                                 const WideString&) { AppendNew(Adopt(doc()->CreateEntityReference(name))); };
  p.OnPreserveSpace = [this](TObject* sender, const WideString& name, bool& preserve) {
    FModel->omOnPreserveSpace(sender, name, preserve);
  };
  p.OnResolveEntity = [this](TObject* sender, const WideString& name, const WideString& publicId,
                             const WideString& systemId, WideString& value) {
    if (FModel->OnResolveEntity) FModel->OnResolveEntity(sender, name, publicId, systemId, value);
  };
  // --- DTD ---
  auto decls = [this]() -> TXpDocumentType& { return *static_cast<TXpDocumentType*>(Top()); };
  p.OnDTDStart = [this, doc](TObject*, const WideString& name, const WideString& publicId,
                             const WideString& systemId) {
    FInDTD = true;
    auto doctype = Adopt(doc()->CreateDocumentType(name, false));
    doctype->SetPublicID(publicId);
    doctype->SetSystemID(systemId);
    Top()->AppendChild(doctype.Get());
    Push(std::move(doctype));
  };
  p.OnDTDEnd = [this](TObject*) {
    Pop();
    FInDTD = false;
  };
  // The external subset becomes a node of its own; the declarations of an
  // external parameter entity join the declarations around its reference,
  // so that they stay in place when the DOCTYPE is written.
  p.OnDTDExternalStart = [this, doc](TObject* sender, WideString& location) {
    if (FModel->OnDTDExternal) FModel->OnDTDExternal(sender, location);
    const bool subsetNode = FParser->StartingExternalSubset();
    FExternalPushed.push_back(subsetNode);
    if (!subsetNode) return;
    auto subset = Adopt(doc()->CreateDocumentType(location, true));
    static_cast<TXpDocumentType*>(FStack[1].Get())->SetExternalSubset(subset.Get());
    Push(std::move(subset));
  };
  p.OnDTDExternalLoaded = [this](TObject*, const WideString& url) { Top()->SetBaseURI(url); };
  p.OnDTDExternalEnd = [this](TObject*) {
    if (FExternalPushed.empty()) return;
    if (FExternalPushed.back()) Pop();
    FExternalPushed.pop_back();
  };
  p.OnDTDElementStart = [this, decls](TObject*, const WideString& name, int32_t contentType) {
    AppendAndPush(Adopt(decls().CreateDTDElement(name, contentType)));
  };
  p.OnDTDElementGroupStart = [this](TObject*) {
    TXpNode* top = Top();
    AppendAndPush(Adopt(top->NodeType() == DTD_ELEMENT_NODE
                            ? static_cast<TXpDTDElement*>(top)->CreateDTDElementGroup()
                            : static_cast<TXpDTDElementGroup*>(top)->CreateDTDElementGroup()));
  };
  p.OnDTDElementContent = [this](TObject*, const WideString& name, int32_t occurrence, int32_t relation) {
    AppendNew(Adopt(static_cast<TXpDTDElementGroup*>(Top())->CreateDTDElementContent(name, occurrence, relation)));
  };
  p.OnDTDElementGroupEnd = [this](TObject*, int32_t occurrence, int32_t relation) {
    auto* group = static_cast<TXpDTDElementGroup*>(Top());
    group->SetOccurrence(occurrence);
    group->SetRelation(relation);
    Pop();
  };
  p.OnDTDElementEnd = [this](TObject*, const WideString&) { Pop(); };
  p.OnDTDAttlistStart = [this, decls](TObject*, const WideString& name) {
    AppendAndPush(Adopt(decls().CreateDTDAttlist(name)));
  };
  p.OnDTDAttDefinition = [this](TObject*, const WideString& name, int32_t attrType,
                                const TXpWideStringList* enumeration, int32_t valueType, const WideString& value) {
    AppendNew(Adopt(
        static_cast<TXpDTDAttlist*>(Top())->CreateDTDAttDefinition(name, attrType, enumeration, valueType, value)));
  };
  p.OnDTDAttlistEnd = [this](TObject*) { Pop(); };
  p.OnDTDConditionalStart = [this, decls](TObject*, int32_t kind) {
    AppendAndPush(Adopt(decls().CreateDTDConditional(kind)));
  };
  p.OnDTDConditionalEnd = [this](TObject*) { Pop(); };
  p.OnDTDEntityInternal = [this, decls](TObject*, bool parameter, const WideString& name, const WideString& value) {
    auto entity = Adopt(decls().CreateDTDEntity(name));
    entity->SetParameterEntity(parameter);
    entity->SetNodeValue(value);
    AppendNew(std::move(entity));
  };
  p.OnDTDEntityExternal = [this, decls](TObject*, bool parameter, const WideString& name, const WideString& publicId,
                                        const WideString& systemId, const WideString& notation) {
    auto entity = Adopt(decls().CreateDTDEntity(name));
    entity->SetParameterEntity(parameter);
    entity->SetPublicID(publicId);
    entity->SetSystemID(systemId);
    entity->SetNotationName(notation);
    AppendNew(std::move(entity));
  };
  p.OnDTDNotation = [this, decls](TObject*, const WideString& name, const WideString& publicId,
                                  const WideString& systemId) {
    auto notation = Adopt(decls().CreateDTDNotation(name));
    notation->SetPublicID(publicId);
    notation->SetSystemID(systemId);
    AppendNew(std::move(notation));
  };
}

TXpTreeBuilder::~TXpTreeBuilder() { Fail(); }

void TXpTreeBuilder::Push(TXpNodeRef<> node) { FStack.push_back(std::move(node)); }

void TXpTreeBuilder::Pop() {
  // The document at the bottom stays until the load ends.
  if (FStack.size() <= 1) return;
  FStack.pop_back();
}

void TXpTreeBuilder::AppendNew(TXpNodeRef<> node) { Top()->AppendChild(node.Get()); }

void TXpTreeBuilder::AppendAndPush(TXpNodeRef<> node) {
  Top()->AppendChild(node.Get());
  Push(std::move(node));
}

void TXpTreeBuilder::Begin() {
  Fail();
  Push(TXpNodeRef<>::Share(FModel->Document()));
  FInDTD = false;
}

void TXpTreeBuilder::Fail() {
  FPendingCount = 0;
  FExternalPushed.clear();
  // The open nodes go from the top down.
  while (!FStack.empty()) FStack.pop_back();
}

bool TXpTreeBuilder::Load(const std::function<bool(TXpParser&)>& parse) {
  FParser->SetNormalizeData(FModel->NormalizeData());
  FParser->SetRaiseErrors(FModel->RaiseErrors());
  FParser->SetBufferSize(FModel->BufferSize());
  if (!FModel->Password().empty()) FParser->SetPassword(FModel->Password());
  if (!FModel->UserName().empty()) FParser->SetUserName(FModel->UserName());
  Begin();
  bool ok = false;
  try {
    ok = parse(*FParser);
  } catch (...) {
    FModel->FErrors.Assign(FParser->Errors());
    Fail();
    FModel->ClearDocument();
    FModel->FStyleSheets.Empty();
    throw;
  }
  Fail();
  FModel->FInCharSet = FParser->GetInCharSet();
  FModel->FStandalone = FParser->IsStandalone();
  FModel->FInExternalEntity = FParser->InExternalEntity();
  if (!ok) {
    FModel->FErrors.Assign(FParser->Errors());
    FModel->ClearDocument();
    FModel->FStyleSheets.Empty();
  }
  return ok;
}

// --- the object model's load entry points ---

TXpTreeBuilder* TXpObjModel::omGetBuilder() {
  if (!FBuilder) FBuilder = new TXpTreeBuilder(this);
  return FBuilder;
}

bool TXpObjModel::LoadDataSource(const WideString& source) {
  omLoadInit();
  TXpTreeBuilder* builder = omGetBuilder();
  const bool ok = builder->Load([&](TXpParser& p) { return p.ParseDataSource(WideToAnsi(source)); });
  FOutCharSet = FInCharSet;
  FDocument->SetDocLocation(builder->Parser()->DocLocation());
  return ok;
}

bool TXpObjModel::omLoadInContext(const WideString& context, const WideString& source) {
  omLoadInit();
  TXpTreeBuilder* builder = omGetBuilder();
  TXpDirContext parent(nullptr, WideToAnsi(context) + "x");
  const bool ok = builder->Load([&](TXpParser& p) { return p.ParseInContext(&parent, WideToAnsi(source)); });
  FOutCharSet = FInCharSet;
  FDocument->SetDocLocation(builder->Parser()->DocLocation());
  return ok;
}

bool TXpObjModel::LoadStream(TStream& stream) {
  omLoadInit();
  FDocument->SetDocLocation(WideString());
  return omGetBuilder()->Load([&](TXpParser& p) { return p.ParseStream(stream); });
}

bool TXpObjModel::LoadMemory(const void* data, int32_t size) {
  omLoadInit();
  FDocument->SetDocLocation(WideString());
  return omGetBuilder()->Load([&](TXpParser& p) { return p.ParseMemory(data, size); });
}
