// Validation of a loaded document against the declarations kept below its
// DOCTYPE node: each violation goes to OnInvalidDocument with its code; the
// handler may stop the run.
//
// Besides the element, content and attribute codes 1..15, IDs are checked:
//   16  an ID value that another element of the document already carries
//   17  an IDREF or IDREFS word that names no ID of the document
//   18  an element type that declares a second ID attribute (the node is
//       that attribute definition)
//   19  an ID attribute declared with a default value or #FIXED (the node
//       is the attribute definition)
//   20  an ID, IDREF or IDREFS value that is not a name (or list of names),
//       in the document or as the declared default of an IDREF or IDREFS
//       attribute (the node is then the attribute definition)
#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpDocument.h"
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

// Attribute types and default kinds as the parser numbers them.
constexpr int32_t kTypeID = 2, kTypeIDREF = 3, kTypeIDREFS = 4;
constexpr int32_t kDefaultValue = 1, kDefaultFixed = 4;

// The binding attribute definitions of an element type: every
// attribute-list declaration of the element counts, the first definition of
// a name is binding. False when there is no attribute-list declaration; a
// list child that is not a definition halts the run.
bool BindingDefinitions(TXpDocumentType* doctype, const WideString& name,
                        std::vector<const TXpDTDAttDefinition*>& defs) {
  defs.clear();
  auto attlists = doctype->noGetNodesByNodeTypeName(DTD_ATTLIST_NODE, name);
  if (!attlists || attlists->nlGetLength() == 0) return false;
  for (int32_t i = 0; i < attlists->nlGetLength(); ++i) {
    const TXpNodeList* items = attlists->Item(i)->ChildNodes();
    for (int32_t k = 0; k < items->nlGetLength(); ++k) {
      const auto* def = dynamic_cast<const TXpDTDAttDefinition*>(items->Item(k));
      if (!def) throw TXpInvalidHalt();
      if (std::none_of(defs.begin(), defs.end(),
                       [&](const TXpDTDAttDefinition* d) { return d->NodeName() == def->NodeName(); }))
        defs.push_back(def);
    }
  }
  return true;
}

const TXpDTDAttDefinition* FindDefinition(const std::vector<const TXpDTDAttDefinition*>& defs,
                                          const WideString& name) {
  auto it = std::find_if(defs.begin(), defs.end(), [&](const TXpDTDAttDefinition* d) { return d->NodeName() == name; });
  return it == defs.end() ? nullptr : *it;
}

// The words of an IDREFS value, split at XML whitespace.
std::vector<WideString> Words(const WideString& value) {
  std::vector<WideString> out;
  size_t i = 0;
  const size_t n = value.size();
  auto ws = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
  while (i < n) {
    while (i < n && ws(value[i])) ++i;
    size_t j = i;
    while (j < n && !ws(value[j])) ++j;
    if (j > i) out.push_back(value.substr(i, j - i));
    i = j;
  }
  return out;
}

bool IsName(const WideString& word) { return !word.empty() && XpValidName(word); }

void AppendCodePoint(WideString& out, char32_t c) {
  if (c > 0xFFFF) {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<char16_t>(c);
  }
}

// Declared defaults as the parser supplies them: references replaced
// (character references, the predefined entities and internal general
// entities of the DTD), literal whitespace made blanks, tokenized types
// collapsed. Each default is expanded once per run, so that many elements
// giving a fixed attribute cost one expansion.
class TDefaults {
 public:
  explicit TDefaults(TXpDocumentType* doctype) : FDoctype(doctype) {}

  const WideString& Expanded(const TXpDTDAttDefinition* def) {
    auto found = FCache.find(def);
    if (found != FCache.end()) return found->second;
    WideString out;
    Expand(def->NodeValue(), 0, out);
    if (def->AttrType() > 1) {
      WideString collapsed;
      for (const WideString& word : Words(out)) collapsed += (collapsed.empty() ? u"" : u" ") + word;
      out.swap(collapsed);
    }
    return FCache.emplace(def, std::move(out)).first->second;
  }

 private:
  // The first declaration of a general entity is binding.
  const TXpDTDEntity* Entity(const WideString& name) {
    if (!FEntitiesRead) {
      FEntitiesRead = true;
      auto all = FDoctype->noGetNodesByNodeTypeName(DTD_ENTITY_NODE, u"*");
      for (int32_t k = 0; all && k < all->nlGetLength(); ++k) {
        const auto* entity = static_cast<const TXpDTDEntity*>(all->Item(k));
        if (!entity->IsParameterEntity()) FEntities.emplace(entity->NodeName(), entity);
      }
    }
    auto it = FEntities.find(name);
    return it == FEntities.end() ? nullptr : it->second;
  }

  void Expand(const WideString& text, int32_t depth, WideString& out) {
    for (size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c == u'\t' || c == u'\n' || c == u'\r') {
        out += u' ';
        continue;
      }
      const size_t end = c == u'&' ? text.find(u';', i) : WideString::npos;
      if (end == WideString::npos) {
        out += c;
        continue;
      }
      const WideString name = text.substr(i + 1, end - i - 1);
      i = end;
      if (!name.empty() && name[0] == u'#') {
        const bool hex = name.size() > 1 && name[1] == u'x';
        char32_t value = 0;
        for (size_t k = hex ? 2 : 1; k < name.size() && value <= 0x10FFFF; ++k) {
          const char16_t d = name[k];
          const int digit = d >= u'0' && d <= u'9'             ? d - u'0'
                            : hex && d >= u'a' && d <= u'f' ? d - u'a' + 10
                            : hex && d >= u'A' && d <= u'F' ? d - u'A' + 10
                                                            : 0;
          value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
        }
        if (value <= 0x10FFFF) AppendCodePoint(out, value);
        continue;
      }
      static const struct {
        const char16_t* Name;
        char16_t Char;
      } kPredefined[] = {{u"lt", u'<'}, {u"gt", u'>'}, {u"amp", u'&'}, {u"apos", u'\''}, {u"quot", u'"'}};
      bool predefined = false;
      for (const auto& p : kPredefined)
        if (name == p.Name) {
          out += p.Char;
          predefined = true;
        }
      // The parser refused the document had the references nested deeper.
      if (predefined || depth >= 40) continue;
      const TXpDTDEntity* entity = Entity(name);
      if (entity && entity->SystemID().empty()) Expand(entity->NodeValue(), depth + 1, out);
    }
  }

  TXpDocumentType* FDoctype;
  bool FEntitiesRead = false;
  std::unordered_map<WideString, const TXpDTDEntity*> FEntities;
  std::map<const TXpDTDAttDefinition*, WideString> FCache;
};

// The ID values of the elements below and including `top`, as the DTD
// declares them; used to resolve references that leave a validated subtree.
void CollectIds(TXpElement* top, TXpDocumentType* doctype, std::set<WideString>& ids) {
  std::vector<const TXpDTDAttDefinition*> defs;
  std::vector<TXpElement*> pending{top};
  while (!pending.empty()) {
    TXpElement* element = pending.back();
    pending.pop_back();
    const TXpNodeList* nodes = element->ChildNodes();
    for (int32_t i = 0; i < nodes->nlGetLength(); ++i)
      if (nodes->Item(i)->NodeType() == ELEMENT_NODE) pending.push_back(static_cast<TXpElement*>(nodes->Item(i)));
    const TXpNamedNodeMap* attrs = element->Attributes();
    if (!attrs || attrs->nmGetLength() == 0 || !BindingDefinitions(doctype, element->NodeName(), defs)) continue;
    for (int32_t i = 0; i < attrs->nmGetLength(); ++i) {
      const TXpDTDAttDefinition* def = FindDefinition(defs, attrs->Item(i)->NodeName());
      if (def && def->AttrType() == kTypeID) ids.insert(attrs->Item(i)->NodeValue());
    }
  }
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
    // ID declarations: at most one ID attribute per element type, and an ID
    // has no default value of its own (#IMPLIED or #REQUIRED only).
    {
      TDefaults defaults(doctype);
      std::map<WideString, int32_t> idCount;
      std::set<WideString> elementTypes;
      auto attlists = doctype->noGetNodesByNodeTypeName(DTD_ATTLIST_NODE, u"*");
      for (int32_t i = 0; attlists && i < attlists->nlGetLength(); ++i) {
        const WideString& elementType = attlists->Item(i)->NodeName();
        if (!elementTypes.insert(elementType).second) continue;
        std::vector<const TXpDTDAttDefinition*> defs;
        BindingDefinitions(doctype, elementType, defs);
        for (const TXpDTDAttDefinition* def : defs) {
          if (def->AttrType() != kTypeID) continue;
          auto* node = const_cast<TXpDTDAttDefinition*>(def);
          if (++idCount[elementType] == 2) report(18, node);
          if (def->DefaultKind() == kDefaultValue || def->DefaultKind() == kDefaultFixed) report(19, node);
        }
        for (const TXpDTDAttDefinition* def : defs) {
          if ((def->AttrType() != kTypeIDREF && def->AttrType() != kTypeIDREFS) ||
              (def->DefaultKind() != kDefaultValue && def->DefaultKind() != kDefaultFixed))
            continue;
          const WideString& value = defaults.Expanded(def);
          const std::vector<WideString> words =
              def->AttrType() == kTypeIDREF ? std::vector<WideString>{value} : Words(value);
          if (words.empty() || !std::all_of(words.begin(), words.end(), IsName))
            report(20, const_cast<TXpDTDAttDefinition*>(def));
        }
      }
    }
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
  // ID values met in the subtree; references are resolved once it has been
  // walked, so that they may point forward.
  std::set<WideString> ids;
  std::vector<std::pair<TXpElement*, WideString>> references;
  std::vector<const TXpDTDAttDefinition*> defs;
  TDefaults defaults(doctype);
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
    const bool haveAttlist = BindingDefinitions(doctype, name, defs);
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
      if (def->AttrType() == kTypeID) {
        if (!IsName(attr->NodeValue())) report(20, element);
        if (!ids.insert(attr->NodeValue()).second) report(16, element);
      }
      if (def->AttrType() == kTypeIDREF || def->AttrType() == kTypeIDREFS) {
        const std::vector<WideString> words =
            def->AttrType() == kTypeIDREF ? std::vector<WideString>{attr->NodeValue()} : Words(attr->NodeValue());
        if (words.empty() || !std::all_of(words.begin(), words.end(), IsName)) {
          report(20, element);
        } else {
          for (const WideString& word : words) references.emplace_back(element, word);
        }
      }
      if (def->DefaultKind() == kDefaultFixed && attr->NodeValue() != defaults.Expanded(def))
        report(11, element);
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
    // Element-only content holds no character data besides whitespace; the
    // parser leaves text there (and any CDATA section) to this check.
    for (int32_t i = 0; i < nodes->nlGetLength(); ++i) {
      const TXpNode* node = nodes->Item(i);
      const WideString& text = node->NodeValue();
      if (node->NodeType() == CDATA_SECTION_NODE ||
          (node->NodeType() == TEXT_NODE && !std::all_of(text.begin(), text.end(), [](char16_t c) {
            return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
          }))) {
        report(7, element);
        break;
      }
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
  if (!references.empty()) {
    // A subtree's references may name IDs elsewhere in its document.
    TXpDocument* doc = top->noGetOwnerDocument();
    TXpElement* root = doc ? doc->DocumentElement() : nullptr;
    std::set<WideString> all;
    if (root && root != top) CollectIds(root, doctype, all);
    for (const auto& [element, word] : references)
      if (!ids.count(word) && !all.count(word)) report(17, element);
  }
  return valid;
}
