// The function library of XPath queries.
#include <algorithm>
#include <cmath>

#include "classlib/Format.h"
#include "xml/dom/XpBase.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNode.h"
#include "xml/dom/XpStartupTables.h"
#include "xml/parser/XpDirContext.h"
#include "xml/xpath/XpXPathEvaluator.h"
#include "xml/xpath/XpXPathException.h"
#include "xml/xpath/XpXqlToken.h"

namespace {

using Result = TXpXPathResult;

const char16_t kXmlNamespace[] = u"http://www.w3.org/XML/1998/namespace";

bool IsNamespaceDecl(const TXpNode* n) {
  const std::u16string& name = n->NodeName();
  return n->NodeType() == ATTRIBUTE_NODE && name.compare(0, 5, u"xmlns") == 0 &&
         (name.size() == 5 || name[5] == u':');
}

std::u32string CodePoints(const std::u16string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      out += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00));
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::u16string Units(const std::u32string& s) {
  std::u16string out;
  for (char32_t c : s) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

// The nearest integer, halves towards positive infinity; NaN, the
// infinities and ±0 stay, and a negative number from -0.5 up gives -0. The
// fraction is taken exactly (x + 0.5 would round: 0.49999999999999994 + 0.5
// is 1, and above 2^52 the sum leaves the integers).
double XPathRound(double x) {
  if (std::isnan(x) || std::isinf(x) || x == 0) return x;
  if (x < 0 && x >= -0.5) return -0.0;
  const double down = std::floor(x);
  return x - down >= 0.5 ? down + 1 : down;
}

std::u16string AsciiLower(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
  return s;
}

std::vector<std::u16string> Words(const std::u16string& s) {
  std::vector<std::u16string> out;
  size_t i = 0;
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
  while (i < s.size()) {
    while (i < s.size() && blank(s[i])) ++i;
    const size_t b = i;
    while (i < s.size() && !blank(s[i])) ++i;
    if (i > b) out.push_back(s.substr(b, i - b));
  }
  return out;
}

[[noreturn]] void RaiseNoHandler(const char* function) {
  throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathNoHandler).c_str(), function));
}

TXpNode* TopOf(TXpNode* n) {
  while (n->ParentNode()) n = n->ParentNode();
  return n;
}

TXpDocument* DocOf(TXpNode* n) {
  return n->NodeType() == DOCUMENT_NODE ? static_cast<TXpDocument*>(n) : n->noGetOwnerDocument();
}

// name(), local-name() and namespace-uri() of one node.
std::u16string NodeName(const TXpNode* n, int32_t code) {
  switch (n->NodeType()) {
    case ELEMENT_NODE: case ATTRIBUTE_NODE: {
      if (IsNamespaceDecl(n))
        return code == XpTok::NamespaceUri ? std::u16string() : n->NodeName().substr(std::min<size_t>(n->NodeName().size(), 6));
      if (code == XpTok::NameFn) return n->NodeName();
      if (code == XpTok::LocalName) return n->noGetLocalName();
      const std::u16string prefix = n->noGetPrefix();
      if (prefix == u"xml") return kXmlNamespace;
      if (prefix.empty() && n->NodeType() == ATTRIBUTE_NODE) return std::u16string();
      return n->ResolveNSPrefix(prefix);
    }
    case PROCESSING_INSTRUCTION_NODE:
      return code == XpTok::NamespaceUri ? std::u16string() : n->NodeName();
    default:
      return std::u16string();
  }
}

}  // namespace

Result TXpXPathEvaluator::EvalArg(const TXpXPathExpr& e, size_t i, const TContext& c) {
  return Evaluate(*e.Operands[i], c);
}

std::vector<TXpNode*> TXpXPathEvaluator::NodeSetArg(const TXpXPathExpr& e, size_t i,
                                                     const TContext& c, const char* function) {
  Result r = EvalArg(e, i, c);
  if (r.Type != xpetNodeSet) {
    const AnsiString where = Format("for %s()", function);
    throw TXpXPathException(
        FormatRuntime(XpLoadStr(XpRes::_sXPathExpectedNodeSet).c_str(), where.c_str()));
  }
  return std::move(r.Nodes);
}

Result TXpXPathEvaluator::EvalFunction(const TXpXPathExpr& e, const TContext& c) {
  const size_t argc = e.Operands.size();
  auto str = [&](size_t i) { return XpConvertString(EvalArg(e, i, c)); };
  auto num = [&](size_t i) { return XpConvertNumber(EvalArg(e, i, c)); };
  // The string of the argument, or of the context node without one.
  auto strOrContext = [&]() { return argc > 0 ? str(0) : XpStringValue(c.Node); };
  // The first node of the argument (null when empty), or the context node.
  auto nodeOrContext = [&](const char* function) -> TXpNode* {
    if (argc == 0) return c.Node;
    std::vector<TXpNode*> nodes = NodeSetArg(e, 0, c, function);
    return nodes.empty() ? nullptr : nodes.front();
  };
  TXpDocument* doc = FDocument;
  switch (e.Code) {
    case XpTok::Last: return XpNumberResult(c.Size);
    case XpTok::Position: return XpNumberResult(c.Position);
    case XpTok::Count: {
      if (argc > 0) return XpNumberResult(static_cast<double>(NodeSetArg(e, 0, c, "count").size()));
      // Without an argument: the children of the context node's parent.
      TXpXPathStep children;
      children.Axis = XpTok::AxisChild;
      std::vector<TXpNode*> nodes;
      if (TXpNode* parent = c.Node->ParentNode()) noParseNewAddNodes(parent, children, nodes);
      return XpNumberResult(static_cast<double>(nodes.size()));
    }
    case XpTok::True: return XpBooleanResult(true);
    case XpTok::False: return XpBooleanResult(false);
    case XpTok::Not: return XpBooleanResult(!XpConvertBoolean(EvalArg(e, 0, c)));
    case XpTok::Boolean: return XpBooleanResult(XpConvertBoolean(EvalArg(e, 0, c)));
    case XpTok::NumberFn: return XpNumberResult(argc > 0 ? num(0) : XpStringToNumber(XpStringValue(c.Node)));
    case XpTok::String: return XpStringResult(strOrContext());
    case XpTok::Floor: return XpNumberResult(std::floor(num(0)));
    case XpTok::Ceiling: return XpNumberResult(std::ceil(num(0)));
    case XpTok::Round: return XpNumberResult(XPathRound(num(0)));
    case XpTok::Sum: {
      double total = 0;
      for (TXpNode* n : NodeSetArg(e, 0, c, "sum")) total += XpStringToNumber(XpStringValue(n));
      return XpNumberResult(total);
    }
    case XpTok::ConcatFn: {
      std::u16string out;
      for (size_t i = 0; i < argc; ++i) out += str(i);
      return XpStringResult(std::move(out));
    }
    case XpTok::StartsWith: {
      const std::u16string s = str(0), prefix = str(1);
      return XpBooleanResult(s.compare(0, prefix.size(), prefix) == 0 && s.size() >= prefix.size());
    }
    case XpTok::Contains: {
      const std::u16string s = str(0), part = str(1);
      return XpBooleanResult(s.find(part) != std::u16string::npos);
    }
    case XpTok::SubstringBefore: case XpTok::SubstringAfter: {
      const std::u16string s = str(0), part = str(1);
      const size_t at = s.find(part);
      if (at == std::u16string::npos) return XpStringResult(std::u16string());
      return XpStringResult(e.Code == XpTok::SubstringBefore ? s.substr(0, at) : s.substr(at + part.size()));
    }
    case XpTok::Substring: {
      const std::u32string s = CodePoints(str(0));
      const double start = XPathRound(num(1));
      const bool hasLength = argc > 2;
      const double end = hasLength ? start + XPathRound(num(2)) : 0;
      std::u32string out;
      for (size_t i = 0; i < s.size(); ++i) {
        const double p = static_cast<double>(i + 1);
        if (p >= start && (!hasLength || p < end)) out += s[i];
      }
      return XpStringResult(Units(out));
    }
    case XpTok::StringLength: return XpNumberResult(static_cast<double>(CodePoints(strOrContext()).size()));
    case XpTok::NormalizeSpace: return XpStringResult(TXpNode::noNormalize(strOrContext()));
    case XpTok::Translate: {
      const std::u32string s = CodePoints(str(0)), from = CodePoints(str(1)), to = CodePoints(str(2));
      std::u32string out;
      for (char32_t ch : s) {
        const size_t at = from.find(ch);
        if (at == std::u32string::npos) out += ch;
        else if (at < to.size()) out += to[at];
      }
      return XpStringResult(Units(out));
    }
    case XpTok::Lang: {
      const std::u16string want = AsciiLower(str(0));
      TXpNode* n = c.Node->NodeType() == ATTRIBUTE_NODE ? c.Node->ParentNode() : c.Node;
      for (; n; n = n->ParentNode()) {
        if (n->NodeType() != ELEMENT_NODE || !n->Attributes()) continue;
        const TXpNode* attr = n->Attributes()->GetNamedItem(u"xml:lang");
        if (!attr) continue;
        const std::u16string lang = AsciiLower(attr->NodeValue());
        return XpBooleanResult(!want.empty() && (lang == want || (lang.size() > want.size() &&
                                                       lang.compare(0, want.size(), want) == 0 &&
                                                       lang[want.size()] == u'-')));
      }
      return XpBooleanResult(false);
    }
    case XpTok::LocalName: case XpTok::NameFn: case XpTok::NamespaceUri: {
      const char* fn = e.Code == XpTok::LocalName ? "local-name" : e.Code == XpTok::NameFn ? "name" : "namespace-uri";
      TXpNode* n = nodeOrContext(fn);
      return XpStringResult(n ? NodeName(n, e.Code) : std::u16string());
    }
    case XpTok::GenerateId: {
      // An element's level code names it; any other node has no id.
      TXpNode* n = nodeOrContext("generate-id");
      if (!n || n->NodeType() != ELEMENT_NODE) return XpStringResult(std::u16string());
      return XpStringResult(u"x" + n->noGetLevelCode());
    }
    case XpTok::Id: {
      Result arg = EvalArg(e, 0, c);
      std::u16string ids;
      if (arg.Type == xpetNodeSet)
        for (TXpNode* n : arg.Nodes) ids += XpStringValue(n) + u" ";
      else
        ids = XpConvertString(arg);
      const std::vector<std::u16string> words = Words(ids);
      TXpDocument* owner = DocOf(c.Node);
      const std::u16string idName = owner ? owner->IdAttribute() : u"id";
      std::vector<TXpNode*> out;
      TXpNode* top = TopOf(c.Node);
      for (TXpNode* n = top; n; n = n->noGetNextInDocument()) {
        if (n->NodeType() != ELEMENT_NODE || !n->Attributes()) continue;
        const TXpNode* attr = n->Attributes()->GetNamedItem(idName);
        if (attr && std::find(words.begin(), words.end(), attr->NodeValue()) != words.end())
          out.push_back(n);
      }
      return XpNodeSetResult(std::move(out));
    }
    case XpTok::Key: {
      if (!doc || !doc->OnKeyLookup) RaiseNoHandler("key");
      const std::u16string name = str(0);
      Result value = EvalArg(e, 1, c);
      auto list = std::make_unique<TXpNodeList>();
      if (value.Type == xpetNodeSet) {
        for (TXpNode* n : value.Nodes) doc->OnKeyLookup(c.Node, name, XpStringValue(n), list.get());
      } else {
        doc->OnKeyLookup(c.Node, name, XpConvertString(value), list.get());
      }
      std::vector<TXpNode*> out;
      for (int32_t i = 0; i < list->Length(); ++i) out.push_back(list->Item(i));
      FHeldLists.push_back(std::move(list));
      XpSortNodes(out);
      return XpNodeSetResult(std::move(out));
    }
    case XpTok::Document: {
      if (!doc || !doc->OnResolveDocument) RaiseNoHandler("document");
      Result arg = EvalArg(e, 0, c);
      bool haveBase = false;
      std::u16string base;
      if (argc > 1) {
        Result second = EvalArg(e, 1, c);
        if (second.Type != xpetNodeSet) {
          throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathExpectedNodeSet).c_str(),
                                                XpLoadStr(XpRes::_sXPathForDocumentParm2).c_str()));
        }
        haveBase = true;
        base = XpConvertString(second);
      }
      std::vector<TXpNode*> out;
      auto resolve = [&](TXpNode* from, const std::u16string& href) {
        TXpNode* root = nullptr;
        doc->OnResolveDocument(from, href, haveBase ? base : from->noGetBaseURI(), root);
        if (root) out.push_back(root);
      };
      if (arg.Type == xpetNodeSet)
        for (TXpNode* n : arg.Nodes) resolve(n, XpStringValue(n));
      else
        resolve(c.Node, XpConvertString(arg));
      XpSortNodes(out);
      return XpNodeSetResult(std::move(out));
    }
    case XpTok::FormatNumber: {
      if (!doc || !doc->OnFormatNumber) RaiseNoHandler("format-number");
      const double n = num(0);
      const std::u16string pattern = str(1);
      const std::u16string format = argc > 2 ? str(2) : std::u16string();
      std::u16string result;
      doc->OnFormatNumber(c.Node, n, pattern, format, result);
      return XpStringResult(std::move(result));
    }
    case XpTok::FunctionAvailable: {
      const std::u16string name = str(0);
      bool available = XpLookupToken(XpFunctionTable(), name) != 0;
      if (!available && doc && doc->OnFunctionAvailable) doc->OnFunctionAvailable(name, available);
      return XpBooleanResult(available);
    }
    case XpTok::ElementAvailable: {
      if (!doc || !doc->OnElementAvailable) RaiseNoHandler("element-available");
      bool available = false;
      doc->OnElementAvailable(c.Node, str(0), available);
      return XpBooleanResult(available);
    }
    case XpTok::SystemProperty: {
      const std::u16string name = str(0);
      if (name == u"xsl:version") return XpNumberResult(1.0);
      if (name == u"xsl:vendor") return XpStringResult(u"Quendarvil Software Company");
      if (name == u"xsl:vendor-url") return XpStringResult(std::u16string());
      std::u16string value;
      if (doc && doc->OnSystemProperty) doc->OnSystemProperty(name, value);
      return XpStringResult(std::move(value));
    }
    case XpTok::Current: {
      TXpNode* node = nullptr;
      if (doc && doc->OnCurrentNode) doc->OnCurrentNode(doc, node);
      return XpNodeSetResult(node ? std::vector<TXpNode*>{node} : std::vector<TXpNode*>{});
    }
    case XpTok::UnparsedEntityUri: {
      const std::u16string name = str(0);
      TXpDocument* owner = DocOf(c.Node);
      TXpDocumentType* doctype = owner ? owner->docGetDocType() : nullptr;
      if (!doctype)
        throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathNoDTD).c_str(),
                                              WideToAnsi(name).c_str()));
      std::unique_ptr<TXpNodeList> all = doctype->noGetNodesByNodeTypeName(DTD_ENTITY_NODE, name);
      std::vector<TXpDTDEntity*> decls;
      for (int32_t i = 0; i < all->Length(); ++i) {
        auto* entity = static_cast<TXpDTDEntity*>(all->Item(i));
        if (!entity->IsParameterEntity()) decls.push_back(entity);
      }
      if (decls.empty()) return XpStringResult(std::u16string());
      if (decls.size() > 1)
        throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathUnparsedEntCount).c_str(),
                                              WideToAnsi(name).c_str()));
      const TXpDTDEntity* entity = decls.front();
      if (entity->NotationName().empty())
        throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathNotUnparsedEnt).c_str(),
                                              WideToAnsi(name).c_str()));
      const std::u16string baseURI = entity->noGetBaseURI();
      if (baseURI.empty()) return XpStringResult(entity->SystemID());
      TXpDirContext base(nullptr, WideToAnsi(baseURI));
      TXpDirContext resolved(&base, WideToAnsi(entity->SystemID()));
      return XpStringResult(AnsiToWide(resolved.URL()));
    }
    case XpTok::ExtFunction: {
      std::vector<std::u16string> args;
      for (size_t i = 0; i < argc; ++i) args.push_back(str(i));
      std::u16string result;
      if (doc && doc->OnFunction) doc->OnFunction(c.Node, e.Text, args, result);
      return XpStringResult(std::move(result));
    }
    default:
      return Result();
  }
}
