// Validation of a loaded document against the declarations kept below its
// DOCTYPE node: each violation goes to OnInvalidDocument with its code; the
// handler may stop the run.
#include <algorithm>
#include <vector>

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpObjModel.h"

namespace {

// Positions 0..n in the list of child elements that a part of a content
// model can reach.
using TPositions = std::vector<bool>;

// The separator after a particle: 1 ",", 0 "|".
int32_t Relation(const TXpNode* particle) {
  return particle->NodeType() == DTD_ELEMENT_GROUP_NODE ? static_cast<const TXpDTDElementGroup*>(particle)->Relation()
                                                        : static_cast<const TXpDTDElementContent*>(particle)->Relation();
}

class TContentMatcher {
 public:
  TContentMatcher(const std::vector<const TXpNode*>& children, bool lenient)
      : FChildren(children), FLenient(lenient) {}

  TPositions Match(const TXpNode* particle, const TPositions& from) const {
    const int32_t occurrence = particle->NodeType() == DTD_ELEMENT_GROUP_NODE
                                   ? static_cast<const TXpDTDElementGroup*>(particle)->Occurrence()
                                   : static_cast<const TXpDTDElementContent*>(particle)->Occurrence();
    // 0 once, 1 "?", 2 "*", 3 "+".
    TPositions result = Once(particle, from);
    if (occurrence == 2 || occurrence == 3) {
      TPositions frontier = result;
      for (;;) {
        TPositions next = Once(particle, frontier);
        bool grew = false;
        for (size_t i = 0; i < next.size(); ++i)
          if (next[i] && !result[i]) result[i] = grew = true;
        if (!grew) break;
        frontier = next;
      }
    }
    if (occurrence == 1 || occurrence == 2)
      for (size_t i = 0; i < from.size(); ++i) result[i] = result[i] || from[i];
    return result;
  }

 private:
  TPositions Once(const TXpNode* particle, const TPositions& from) const {
    const size_t n = FChildren.size();
    TPositions out(n + 1, false);
    if (particle->NodeType() == DTD_ELEMENT_CONTENT_NODE) {
      for (size_t i = 0; i <= n; ++i) {
        if (!from[i]) continue;
        if (i < n && FChildren[i]->NodeName() == particle->NodeName()) out[i + 1] = true;
        // Past the last child a lenient match lets the model go on, so that
        // a sequence that is only too short is told from a wrong one.
        if (i == n && FLenient) out[n] = true;
      }
      return out;
    }
    const TXpNodeList* items = particle->ChildNodes();
    const int32_t count = items->nlGetLength();
    if (count == 0) return from;
    const bool choice = count > 1 && Relation(items->Item(0)) == 0;
    if (choice) {
      for (int32_t k = 0; k < count; ++k) {
        const TPositions part = Match(items->Item(k), from);
        for (size_t i = 0; i <= n; ++i) out[i] = out[i] || part[i];
      }
      return out;
    }
    TPositions cur = from;
    for (int32_t k = 0; k < count; ++k) cur = Match(items->Item(k), cur);
    return cur;
  }

  const std::vector<const TXpNode*>& FChildren;
  bool FLenient;
};

TXpNode* FirstDeclaration(TXpDocumentType* doctype, int32_t type, const WideString& name) {
  auto list = doctype->noGetNodesByNodeTypeName(type, name);
  return list && list->nlGetLength() > 0 ? list->Item(0) : nullptr;
}

bool ModelNames(const TXpNode* group, const WideString& name) {
  const TXpNodeList* items = group->ChildNodes();
  for (int32_t i = 0; i < items->nlGetLength(); ++i) {
    const TXpNode* item = items->Item(i);
    if (item->NodeType() == DTD_ELEMENT_GROUP_NODE ? ModelNames(item, name) : item->NodeName() == name) return true;
  }
  return false;
}

}  // namespace

bool TXpObjModel::ValidateDocument() {
  bool valid = true;
  bool stop = false;
  auto report = [&](int32_t code, TXpNode* node) {
    valid = false;
    if (OnInvalidDocument) OnInvalidDocument(this, code, node, stop);
    if (stop) throw TXpInvalidHalt();
  };
  try {
    TXpDocumentType* doctype = FDocument->docGetDocType();
    if (!doctype) {
      report(1, nullptr);
      return false;
    }
    TXpElement* root = FDocument->DocumentElement();
    if (!root) {
      report(3, nullptr);
      return false;
    }
    if (doctype->NodeName() != root->NodeName()) report(4, root);
    if (FStandalone && FInExternalEntity) report(14, nullptr);
    if (!omSubValidateElements(root, doctype, stop)) valid = false;
  } catch (const TXpInvalidHalt&) {
    return false;
  }
  return valid;
}

bool TXpObjModel::ValidateElement(TXpElement* element, TXpDocumentType* doctype) {
  bool stop = false;
  try {
    return omSubValidateElements(element, doctype, stop);
  } catch (const TXpInvalidHalt&) {
    return false;
  }
}

bool TXpObjModel::omSubValidateElements(TXpElement* top, TXpDocumentType* doctype, bool& stop) {
  bool valid = true;
  auto report = [&](int32_t code, TXpNode* node) {
    valid = false;
    if (OnInvalidDocument) OnInvalidDocument(this, code, node, stop);
    if (stop) throw TXpInvalidHalt();
  };
  // The subtree is walked with a stack of its own.
  std::vector<TXpElement*> pending{top};
  while (!pending.empty()) {
    TXpElement* element = pending.back();
    pending.pop_back();
    std::vector<const TXpNode*> children;
    bool hasChildren = element->HasChildNodes();
    const TXpNodeList* nodes = element->ChildNodes();
    for (int32_t i = nodes->nlGetLength() - 1; i >= 0; --i)
      if (nodes->Item(i)->NodeType() == ELEMENT_NODE) pending.push_back(static_cast<TXpElement*>(nodes->Item(i)));
    for (int32_t i = 0; i < nodes->nlGetLength(); ++i)
      if (nodes->Item(i)->NodeType() == ELEMENT_NODE) children.push_back(nodes->Item(i));

    const WideString& name = element->NodeName();
    auto* decl = static_cast<TXpDTDElement*>(FirstDeclaration(doctype, DTD_ELEMENT_NODE, name));
    // Attributes: every attribute-list declaration of the element counts;
    // the first definition of a name is binding.
    std::vector<const TXpDTDAttDefinition*> defs;
    auto attlists = doctype->noGetNodesByNodeTypeName(DTD_ATTLIST_NODE, name);
    const bool haveAttlist = attlists && attlists->nlGetLength() > 0;
    for (int32_t i = 0; haveAttlist && i < attlists->nlGetLength(); ++i) {
      const TXpNodeList* items = attlists->Item(i)->ChildNodes();
      for (int32_t k = 0; k < items->nlGetLength(); ++k) {
        const auto* def = dynamic_cast<const TXpDTDAttDefinition*>(items->Item(k));
        if (!def) throw TXpInvalidHalt();
        if (std::none_of(defs.begin(), defs.end(), [&](const TXpDTDAttDefinition* d) {
              return d->NodeName() == def->NodeName();
            }))
          defs.push_back(def);
      }
    }
    const TXpNamedNodeMap* attrs = element->Attributes();
    const int32_t attrCount = attrs ? attrs->nmGetLength() : 0;
    if (attrCount > 0 && !haveAttlist) report(10, element);
    for (int32_t i = 0; haveAttlist && i < attrCount; ++i) {
      const TXpNode* attr = attrs->Item(i);
      auto it = std::find_if(defs.begin(), defs.end(),
                             [&](const TXpDTDAttDefinition* d) { return d->NodeName() == attr->NodeName(); });
      if (it == defs.end()) {
        report(15, element);
        continue;
      }
      const TXpDTDAttDefinition* def = *it;
      if (def->DefaultKind() == 4 && attr->NodeValue() != def->NodeValue()) report(11, element);
      if (def->AttrType() == 9 && def->Enumeration()) {
        const auto& e = *def->Enumeration();
        if (std::find(e.begin(), e.end(), attr->NodeValue()) == e.end()) report(12, element);
      }
    }
    for (const TXpDTDAttDefinition* def : defs)
      if (def->DefaultKind() == 3 && !(attrs && attrs->GetNamedItem(def->NodeName()))) report(13, element);

    if (!decl) {
      report(5, element);
      continue;
    }
    const int32_t type = decl->ContentType();
    if (type == 2 && hasChildren) report(6, element);
    if (type != 3 && type != 4) continue;
    const TXpNode* group = decl->noGetFirstChild();
    if (!group || group->NodeType() != DTD_ELEMENT_GROUP_NODE) {
      report(2, element);
      continue;
    }
    if (type == 3) {
      for (const TXpNode* child : children)
        if (!ModelNames(group, child->NodeName())) report(7, const_cast<TXpNode*>(child));
      continue;
    }
    bool unknown = false;
    for (const TXpNode* child : children)
      if (!ModelNames(group, child->NodeName())) {
        report(7, const_cast<TXpNode*>(child));
        unknown = true;
      }
    if (unknown) continue;
    TPositions start(children.size() + 1, false);
    start[0] = true;
    if (TContentMatcher(children, false).Match(group, start)[children.size()]) continue;
    if (TContentMatcher(children, true).Match(group, start)[children.size()]) {
      report(8, element);
      continue;
    }
    // The first child from which no complete match goes on.
    size_t bad = 0;
    for (size_t k = 1; k <= children.size(); ++k) {
      std::vector<const TXpNode*> prefix(children.begin(), children.begin() + static_cast<std::ptrdiff_t>(k));
      TPositions s(k + 1, false);
      s[0] = true;
      if (!TContentMatcher(prefix, true).Match(group, s)[k]) {
        bad = k - 1;
        break;
      }
    }
    report(9, const_cast<TXpNode*>(children[bad]));
  }
  return valid;
}
