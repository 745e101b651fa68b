#include "xml/xpath/XpXPathEvaluator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "classlib/Format.h"
#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpBase.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpNameTable.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNode.h"
#include "xml/xpath/XpXPathException.h"
#include "xml/xpath/XpXqlToken.h"

// --- the data model over the tree ---

namespace {

using Step = TXpXPathStep;
using Result = TXpXPathResult;

bool IsText(const TXpNode* n) {
  return n->NodeType() == TEXT_NODE || n->NodeType() == CDATA_SECTION_NODE;
}

// The object model keeps the XML declaration as a processing instruction
// named "xml" (no other one may bear that name).
bool IsXmlDeclaration(const TXpNode* n) { return n->NodeName() == u"xml"; }

bool IsModelChild(const TXpNode* n) {
  switch (n->NodeType()) {
    case ELEMENT_NODE: case TEXT_NODE: case CDATA_SECTION_NODE: case COMMENT_NODE:
      return true;
    case PROCESSING_INSTRUCTION_NODE:
      return !IsXmlDeclaration(n);
    default:
      return false;
  }
}

// An "xmlns" or "xmlns:prefix" attribute: no attribute of the data model.
bool IsNamespaceDeclaration(const TXpNode* n) {
  if (n->NodeType() != ATTRIBUTE_NODE) return false;
  const std::u16string& name = n->NodeName();
  return name.compare(0, 5, u"xmlns") == 0 && (name.size() == 5 || name[5] == u':');
}

// The prefix a declaration or namespace node names ("" for the default
// namespace).
std::u16string NamespacePrefix(const TXpNode* n) {
  const std::u16string& name = n->NodeName();
  return name.size() > 6 ? name.substr(6) : std::u16string();
}

const char16_t kXmlNamespaceURI[] = u"http://www.w3.org/XML/1998/namespace";

// A namespace node of the data model, made by a query for one element. It
// reads as the attribute that declares it would ("xmlns:prefix", or
// "xmlns" for the default namespace, with the URI as value) but is none of
// the element's attributes; its parent is the element, which it holds a
// reference to, so that a caller who keeps the node keeps its parent too.
class TXpNamespaceNode final : public TXpAttribute {
public:
  TXpNamespaceNode(TXpNode* element, const std::u16string& prefix, const std::u16string& uri, int32_t index)
      : TXpAttribute(prefix.empty() ? std::u16string(u"xmlns") : u"xmlns:" + prefix, uri), FIndex(index) {
    element->AddRef();
    SetParentNode(element);
    SetnoOwnerDocument(element->noGetOwnerDocument());
  }
  // Its place among the namespace nodes of its element.
  int32_t Index() const { return FIndex; }

protected:
  ~TXpNamespaceNode() override { ParentNode()->Release(); }

private:
  int32_t FIndex;
};

const TXpNamespaceNode* AsNamespaceNode(const TXpNode* n) {
  return n->NodeType() == ATTRIBUTE_NODE ? dynamic_cast<const TXpNamespaceNode*>(n) : nullptr;
}

bool HasModelChildren(const TXpNode* n) {
  return n->NodeType() == ELEMENT_NODE || n->NodeType() == DOCUMENT_NODE ||
         n->NodeType() == DOCUMENT_FRAGMENT_NODE;
}

// A text node stands for its run of adjacent text and CDATA siblings when
// it is the run's first.
bool IsRunHead(const TXpNodeList* list, int32_t i) {
  return !IsText(list->Item(i)) || i == 0 || !IsText(list->Item(i - 1));
}

TXpNode* ModelChildFrom(const TXpNodeList* list, int32_t i) {
  for (const int32_t n = list->Length(); i < n; ++i) {
    TXpNode* c = list->Item(i);
    if (IsModelChild(c) && IsRunHead(list, i)) return c;
  }
  return nullptr;
}

TXpNode* ModelChildBefore(const TXpNodeList* list, int32_t i) {
  for (; i >= 0; --i) {
    TXpNode* c = list->Item(i);
    if (!IsModelChild(c)) continue;
    while (IsText(list->Item(i)) && i > 0 && IsText(list->Item(i - 1))) --i;
    return list->Item(i);
  }
  return nullptr;
}

TXpNode* FirstChild(const TXpNode* n) {
  return HasModelChildren(n) && n->HasChildNodes() ? ModelChildFrom(n->ChildNodes(), 0) : nullptr;
}

TXpNode* LastChild(const TXpNode* n) {
  return HasModelChildren(n) && n->HasChildNodes()
             ? ModelChildBefore(n->ChildNodes(), n->ChildNodes()->Length() - 1)
             : nullptr;
}

TXpNode* NextSibling(const TXpNode* n) {
  const TXpNode* p = n->ParentNode();
  if (!p || n->NodeType() == ATTRIBUTE_NODE) return nullptr;
  const TXpNodeList* list = p->ChildNodes();
  const int32_t i = list->IndexOf(n);
  return i < 0 ? nullptr : ModelChildFrom(list, i + 1);
}

TXpNode* PreviousSibling(const TXpNode* n) {
  const TXpNode* p = n->ParentNode();
  if (!p || n->NodeType() == ATTRIBUTE_NODE) return nullptr;
  const TXpNodeList* list = p->ChildNodes();
  const int32_t i = list->IndexOf(n);
  return i < 0 ? nullptr : ModelChildBefore(list, i - 1);
}

// The next node in document order below root, optionally skipping the
// descendants of n.
TXpNode* NextInTree(const TXpNode* n, const TXpNode* root, bool descend) {
  if (descend)
    if (TXpNode* c = FirstChild(n)) return c;
  for (; n && n != root; n = n->ParentNode())
    if (TXpNode* s = NextSibling(n)) return s;
  return nullptr;
}

TXpNode* Top(TXpNode* n) {
  while (n->ParentNode()) n = n->ParentNode();
  return n;
}

TXpDocument* DocumentOf(TXpNode* n) {
  return n->NodeType() == DOCUMENT_NODE ? static_cast<TXpDocument*>(n) : n->noGetOwnerDocument();
}

std::u16string TextRunValue(const TXpNode* n) {
  const TXpNode* p = n->ParentNode();
  if (!p) return n->NodeValue();
  const TXpNodeList* list = p->ChildNodes();
  std::u16string out;
  for (int32_t i = list->IndexOf(n), len = list->Length(); i >= 0 && i < len && IsText(list->Item(i)); ++i)
    out += list->Item(i)->NodeValue();
  return out;
}

[[noreturn]] void RaiseNodeSetExpected(const char* where) {
  throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathExpectedNodeSet).c_str(), where));
}

bool IsReverseAxis(int32_t axis) {
  return axis == XpTok::AxisAncestor || axis == XpTok::AxisAncestorOrSelf ||
         axis == XpTok::AxisPreceding || axis == XpTok::AxisPrecedingSibling;
}

}  // namespace

TXpXPathResult XpBooleanResult(bool b) {
  TXpXPathResult r;
  r.Type = xpetBoolean;
  r.Boolean = b;
  return r;
}

TXpXPathResult XpNumberResult(double n) {
  TXpXPathResult r;
  r.Type = xpetNumber;
  r.Number = n;
  return r;
}

TXpXPathResult XpStringResult(std::u16string s) {
  TXpXPathResult r;
  r.Type = xpetString;
  r.String = std::move(s);
  return r;
}

TXpXPathResult XpNodeSetResult(std::vector<TXpNode*> nodes) {
  TXpXPathResult r;
  r.Type = xpetNodeSet;
  r.Nodes = std::move(nodes);
  return r;
}

std::u16string XpStringValue(const TXpNode* node) {
  switch (node->NodeType()) {
    case TEXT_NODE: case CDATA_SECTION_NODE: return TextRunValue(node);
    case ATTRIBUTE_NODE: case COMMENT_NODE: case PROCESSING_INSTRUCTION_NODE: return node->NodeValue();
    default: return node->noGetStringValue();
  }
}

double XpStringToNumber(const std::u16string& text) {
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
  size_t b = 0, e = text.size();
  while (b < e && blank(text[b])) ++b;
  while (e > b && blank(text[e - 1])) --e;
  size_t i = b;
  if (i < e && text[i] == u'-') ++i;
  size_t digits = 0;
  while (i < e && XpIsNumeric(text[i])) ++i, ++digits;
  if (i < e && text[i] == u'.') {
    ++i;
    while (i < e && XpIsNumeric(text[i])) ++i, ++digits;
  }
  if (digits == 0 || i != e) return std::nan("");
  return XpDecimalToNumber(text.substr(b, e - b));
}

double XpDecimalToNumber(const std::u16string& text) {
  const std::string a(text.begin(), text.end());  // "-", digits and "." only
  double v = 0;
  const auto [end, ec] = std::from_chars(a.data(), a.data() + a.size(), v, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Beyond the doubles: infinite when the whole part has digits other
    // than 0, else too small (0).
    const bool negative = a[0] == '-';
    const size_t first = a.find_first_not_of("-0");
    const bool huge = first != std::string::npos && a[first] != '.';
    v = huge ? HUGE_VAL : 0.0;
    return negative ? -v : v;
  }
  return ec == std::errc() && end == a.data() + a.size() ? v : std::nan("");
}

int32_t XpCompareDocumentOrder(const TXpNode* a, const TXpNode* b) {
  if (a == b) return 0;
  const TXpNode* pa = a->ParentNode();
  const TXpNode* pb = b->ParentNode();
  // An element's namespace nodes come first, then its attributes, then its
  // children.
  auto rank = [](const TXpNode* parent, const TXpNode* n) -> int64_t {
    if (n->NodeType() == ATTRIBUTE_NODE) {
      if (const TXpNamespaceNode* ns = AsNamespaceNode(n)) return ns->Index() - (int64_t{1} << 31);
      return parent->Attributes() ? parent->Attributes()->IndexOf(n) : 0;
    }
    return (int64_t{1} << 32) + parent->ChildNodes()->IndexOf(n);
  };
  if (pa && pa == pb) return rank(pa, a) < rank(pb, b) ? -1 : 1;
  thread_local std::vector<const TXpNode*> ca, cb;
  ca.clear();
  cb.clear();
  for (const TXpNode* n = a; n; n = n->ParentNode()) ca.push_back(n);
  for (const TXpNode* n = b; n; n = n->ParentNode()) cb.push_back(n);
  if (ca.back() != cb.back()) return std::less<const TXpNode*>()(ca.back(), cb.back()) ? -1 : 1;
  size_t i = ca.size() - 1, j = cb.size() - 1;
  while (i > 0 && j > 0 && ca[i - 1] == cb[j - 1]) --i, --j;
  if (i == 0) return -1;  // a is an ancestor of b
  if (j == 0) return 1;
  return rank(ca[i], ca[i - 1]) < rank(cb[j], cb[j - 1]) ? -1 : 1;
}

void XpSortNodes(std::vector<TXpNode*>& nodes) {
  auto before = [](const TXpNode* x, const TXpNode* y) { return XpCompareDocumentOrder(x, y) < 0; };
  bool sorted = true;
  for (size_t i = 1; i < nodes.size() && sorted; ++i) sorted = before(nodes[i - 1], nodes[i]);
  if (sorted) return;
  std::sort(nodes.begin(), nodes.end(), before);
  nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
}

bool XpConvertBoolean(const Result& r) {
  switch (r.Type) {
    case xpetNodeSet: return !r.Nodes.empty();
    case xpetBoolean: return r.Boolean;
    case xpetNumber: return r.Number != 0 && !std::isnan(r.Number);
    case xpetString: return !r.String.empty();
    default: return false;
  }
}

std::u16string XpConvertString(const Result& r) {
  switch (r.Type) {
    case xpetNodeSet: return r.Nodes.empty() ? std::u16string() : XpStringValue(r.Nodes.front());
    case xpetBoolean: return r.Boolean ? u"true" : u"false";
    case xpetNumber: return XpFloatToStr(r.Number);
    case xpetString: return r.String;
    default: return std::u16string();
  }
}

double XpConvertNumber(const Result& r) {
  switch (r.Type) {
    case xpetBoolean: return r.Boolean ? 1 : 0;
    case xpetNumber: return r.Number;
    case xpetNodeSet: case xpetString: return XpStringToNumber(XpConvertString(r));
    default: return std::nan("");
  }
}

// --- evaluation ---

TXpXPathEvaluator::TXpXPathEvaluator(TXpNode* queried)
    : FQueried(queried), FDocument(DocumentOf(queried)) {}

Result TXpXPathEvaluator::Evaluate(const TXpXPathExpr& e, const TContext& c) {
  switch (e.ExprKind) {
    case TXpXPathExpr::ekNumber: return XpNumberResult(e.Number);
    case TXpXPathExpr::ekLiteral: return XpStringResult(e.Text);
    case TXpXPathExpr::ekVariable: return EvalVariable(e);
    case TXpXPathExpr::ekFunction: return EvalFunction(e, c);
    case TXpXPathExpr::ekNegate: return XpNumberResult(-XpConvertNumber(Evaluate(*e.Operands[0], c)));
    case TXpXPathExpr::ekChain: return EvalChain(e, c);
    case TXpXPathExpr::ekPath: return EvalPath(e, c);
  }
  return Result();
}

bool TXpXPathEvaluator::AttributeEquals(const TXpXPathExpr& e, const TContext& c) {
  const TXpXPathExpr& other = *e.Operands[static_cast<size_t>(1 - e.AttributeSide)];
  const TXpNode* attr = nullptr;
  if (c.Node->NodeType() == ELEMENT_NODE && c.Node->Attributes())
    attr = c.Node->Attributes()->GetNamedItem(e.AttributeName);
  if (!attr) return false;
  const bool equal = other.ExprKind == TXpXPathExpr::ekLiteral
                         ? attr->NodeValue() == other.Text
                         : XpStringToNumber(attr->NodeValue()) == other.Number;
  return e.Operators[0] == XpTok::Eq ? equal : !equal;
}

Result TXpXPathEvaluator::EvalChain(const TXpXPathExpr& e, const TContext& c) {
  if (e.AttributeSide >= 0) return XpBooleanResult(AttributeEquals(e, c));
  const int32_t first = e.Operators[0];
  if (first == XpTok::Or || first == XpTok::And) {
    const bool isOr = first == XpTok::Or;
    for (const auto& operand : e.Operands)
      if (XpConvertBoolean(Evaluate(*operand, c)) == isOr) return XpBooleanResult(isOr);
    return XpBooleanResult(!isOr);
  }
  Result acc = Evaluate(*e.Operands[0], c);
  for (size_t i = 0; i < e.Operators.size(); ++i) {
    const int32_t op = e.Operators[i];
    Result rhs = Evaluate(*e.Operands[i + 1], c);
    switch (op) {
      case XpTok::Eq: case XpTok::Ne: case XpTok::IEq: case XpTok::INe:
        acc = XpBooleanResult(Equal(acc, rhs, op));
        break;
      case XpTok::Lt: case XpTok::Le: case XpTok::Gt: case XpTok::Ge:
      case XpTok::ILt: case XpTok::ILe: case XpTok::IGt: case XpTok::IGe:
        acc = XpBooleanResult(Relational(acc, rhs, op));
        break;
      case XpTok::Concat:
        acc = XpStringResult(XpConvertString(acc) + XpConvertString(rhs));
        break;
      case XpTok::Union: case XpTok::Intersect: {
        if (acc.Type != xpetNodeSet || rhs.Type != xpetNodeSet)
          RaiseNodeSetExpected(op == XpTok::Union ? "for the union operator" : "for $intersect$");
        std::vector<TXpNode*> out;
        if (op == XpTok::Union) {
          out.reserve(acc.Nodes.size() + rhs.Nodes.size());
          auto before = [](const TXpNode* x, const TXpNode* y) { return XpCompareDocumentOrder(x, y) < 0; };
          std::merge(acc.Nodes.begin(), acc.Nodes.end(), rhs.Nodes.begin(), rhs.Nodes.end(),
                     std::back_inserter(out), before);
          out.erase(std::unique(out.begin(), out.end()), out.end());
        } else {
          std::vector<TXpNode*> other = rhs.Nodes;
          std::sort(other.begin(), other.end(), std::less<TXpNode*>());
          for (TXpNode* n : acc.Nodes)
            if (std::binary_search(other.begin(), other.end(), n, std::less<TXpNode*>())) out.push_back(n);
        }
        acc = XpNodeSetResult(std::move(out));
        break;
      }
      default: {
        const double a = XpConvertNumber(acc);
        const double b = XpConvertNumber(rhs);
        double r = 0;
        switch (op) {
          case XpTok::Plus: r = a + b; break;
          case XpTok::Minus: r = a - b; break;
          case XpTok::Star: case XpTok::Mul: r = a * b; break;
          case XpTok::Div: r = a / b; break;
          case XpTok::Mod: r = std::fmod(a, b); break;
          case XpTok::Quo: {
            const double ta = std::trunc(a), tb = std::trunc(b);
            if (tb == 0)
              throw TXpXPathException(
                  FormatRuntime(XpLoadStr(XpRes::_sXPathDivisionByZero).c_str(), "quo"));
            r = std::trunc(ta / tb);
            break;
          }
          default: break;
        }
        acc = XpNumberResult(r);
        break;
      }
    }
  }
  return acc;
}

bool TXpXPathEvaluator::Equal(const Result& a, const Result& b, int32_t op) {
  const bool ne = op == XpTok::Ne || op == XpTok::INe;
  const bool fold = op == XpTok::IEq || op == XpTok::INe;
  auto str = [fold](std::u16string s) { return fold ? WideLowerCase(s) : s; };
  if (a.Type == xpetNodeSet && b.Type == xpetNodeSet) {
    if (a.Nodes.empty() || b.Nodes.empty()) return false;
    std::vector<std::u16string> right;
    right.reserve(b.Nodes.size());
    for (TXpNode* n : b.Nodes) right.push_back(str(XpStringValue(n)));
    std::sort(right.begin(), right.end());
    for (TXpNode* n : a.Nodes) {
      const std::u16string s = str(XpStringValue(n));
      if (!ne && std::binary_search(right.begin(), right.end(), s)) return true;
      if (ne && (right.front() != s || right.back() != s)) return true;
    }
    return false;
  }
  if (a.Type == xpetNodeSet || b.Type == xpetNodeSet) {
    const Result& set = a.Type == xpetNodeSet ? a : b;
    const Result& other = a.Type == xpetNodeSet ? b : a;
    if (other.Type == xpetBoolean) return (XpConvertBoolean(set) == other.Boolean) != ne;
    if (other.Type == xpetNumber) {
      for (TXpNode* n : set.Nodes)
        if ((XpStringToNumber(XpStringValue(n)) == other.Number) != ne) return true;
      return false;
    }
    const std::u16string s = str(XpConvertString(other));
    for (TXpNode* n : set.Nodes)
      if ((str(XpStringValue(n)) == s) != ne) return true;
    return false;
  }
  if (a.Type == xpetBoolean || b.Type == xpetBoolean)
    return (XpConvertBoolean(a) == XpConvertBoolean(b)) != ne;
  if (a.Type == xpetNumber || b.Type == xpetNumber)
    return ne ? XpConvertNumber(a) != XpConvertNumber(b) : XpConvertNumber(a) == XpConvertNumber(b);
  return (str(XpConvertString(a)) == str(XpConvertString(b))) != ne;
}

bool TXpXPathEvaluator::Relational(const Result& a, const Result& b, int32_t op) {
  const bool fold = op >= XpTok::ILt;
  const int32_t base = fold ? op - XpTok::ILt + XpTok::Lt : op;
  struct Atom {
    std::u16string Text;
    double Number;
  };
  auto atoms = [&](const Result& r, const Result& other) {
    std::vector<Atom> out;
    if (r.Type == xpetNodeSet && other.Type == xpetBoolean) {
      const bool v = XpConvertBoolean(r);
      out.push_back({v ? u"true" : u"false", v ? 1.0 : 0.0});
    } else if (r.Type == xpetNodeSet) {
      for (TXpNode* n : r.Nodes) {
        std::u16string s = XpStringValue(n);
        const double d = XpStringToNumber(s);
        out.push_back({std::move(s), d});
      }
    } else {
      out.push_back({XpConvertString(r), XpConvertNumber(r)});
    }
    return out;
  };
  auto compare = [base](auto x, auto y) {
    switch (base) {
      case XpTok::Lt: return x < y;
      case XpTok::Le: return x <= y;
      case XpTok::Gt: return x > y;
      default: return x >= y;
    }
  };
  const std::vector<Atom> left = atoms(a, b);
  const std::vector<Atom> right = atoms(b, a);
  for (const Atom& x : left)
    for (const Atom& y : right) {
      if (!fold || (!std::isnan(x.Number) && !std::isnan(y.Number))) {
        if (compare(x.Number, y.Number)) return true;
      } else if (compare(WideLowerCase(x.Text), WideLowerCase(y.Text))) {
        return true;
      }
    }
  return false;
}

Result TXpXPathEvaluator::EvalVariable(const TXpXPathExpr& e) {
  auto value = std::make_unique<TXpValue>();
  if (FDocument && FDocument->OnVariableLookup) FDocument->OnVariableLookup(e.Text, *value);
  Result r;
  switch (value->ValueType()) {
    case xpetUnknown:
      throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathUndefinedVariable).c_str(),
                                            WideToAnsi(e.Text).c_str()));
    case xpetNodeSet: {
      std::vector<TXpNode*> nodes;
      const TXpNodeList* list = value->GetAsNodeSet();
      for (int32_t i = 0; i < list->Length(); ++i) nodes.push_back(list->Item(i));
      XpSortNodes(nodes);
      r = XpNodeSetResult(std::move(nodes));
      // The value keeps its nodes alive until the query ends.
      FHeld.push_back(std::move(value));
      return r;
    }
    case xpetBoolean: return XpBooleanResult(value->GetAsBoolean());
    case xpetNumber: return XpNumberResult(value->GetAsNumber());
    case xpetString: return XpStringResult(value->GetAsString());
  }
  return r;
}

Result TXpXPathEvaluator::EvalPath(const TXpXPathExpr& e, const TContext& c) {
  std::vector<TXpNode*> nodes;
  if (e.Filter) {
    Result r = Evaluate(*e.Filter, c);
    if (r.Type != xpetNodeSet) RaiseNodeSetExpected("for a predicate or a location step");
    nodes = std::move(r.Nodes);
    noPredicate(nodes, e.FilterPredicates);
  } else {
    nodes.push_back(e.Absolute ? Top(c.Node) : c.Node);
  }
  for (const TXpXPathStep& step : e.Steps) {
    if (nodes.empty()) break;
    ApplyStep(nodes, step);
  }
  return XpNodeSetResult(std::move(nodes));
}

void TXpXPathEvaluator::ApplyStep(std::vector<TXpNode*>& nodes, const TXpXPathStep& step) {
  const bool reverse = IsReverseAxis(step.Axis);
  if (nodes.size() == 1) {
    std::vector<TXpNode*> out;
    noParseNewAddNodes(nodes.front(), step, out);
    noPredicate(out, step.Predicates);
    if (reverse) std::reverse(out.begin(), out.end());
    nodes = std::move(out);
    return;
  }
  std::vector<TXpNode*> result;
  std::vector<TXpNode*> part;
  bool sorted = true;
  for (TXpNode* node : nodes) {
    part.clear();
    noParseNewAddNodes(node, step, part);
    noPredicate(part, step.Predicates);
    if (part.empty()) continue;
    if (reverse) std::reverse(part.begin(), part.end());
    if (sorted && !result.empty()) sorted = XpCompareDocumentOrder(result.back(), part.front()) < 0;
    result.insert(result.end(), part.begin(), part.end());
  }
  if (!sorted) XpSortNodes(result);
  nodes = std::move(result);
}

void TXpXPathEvaluator::noPredicate(std::vector<TXpNode*>& nodes,
                                    const std::vector<TXpXPathExprPtr>& predicates) {
  for (const auto& pred : predicates) {
    if (nodes.empty()) return;
    const auto size = static_cast<int32_t>(nodes.size());
    if (pred->ExprKind == TXpXPathExpr::ekNumber) {
      const double k = pred->Number;
      TXpNode* keep = k >= 1 && k <= size && k == std::floor(k) ? nodes[static_cast<size_t>(k) - 1] : nullptr;
      nodes.clear();
      if (keep) nodes.push_back(keep);
      continue;
    }
    if (pred->ExprKind == TXpXPathExpr::ekFunction && pred->Code == XpTok::Last) {
      nodes.erase(nodes.begin(), nodes.end() - 1);
      continue;
    }
    size_t kept = 0;
    for (int32_t i = 0; i < size; ++i) {
      const TContext c{nodes[static_cast<size_t>(i)], i + 1, size};
      const Result r = Evaluate(*pred, c);
      const bool keep = r.Type == xpetNumber ? r.Number == i + 1 : XpConvertBoolean(r);
      if (keep) nodes[kept++] = nodes[static_cast<size_t>(i)];
    }
    nodes.resize(kept);
  }
}

const std::vector<TXpNode*>& TXpXPathEvaluator::NamespaceNodes(TXpNode* element) {
  // Made once per element and query: a node set holds each once.
  std::vector<TXpNode*>& nodes = FNamespaceNodes[element];
  if (!nodes.empty()) return nodes;
  // In scope: the xml namespace, and each prefix as the nearest declaration
  // on the element or its ancestors binds it; an empty URI undeclares.
  std::vector<std::pair<std::u16string, std::u16string>> bound{{u"xml", kXmlNamespaceURI}};
  std::vector<std::u16string> seen{u"xml"};
  for (TXpNode* e = element; e && e->NodeType() == ELEMENT_NODE; e = e->ParentNode()) {
    const TXpNamedNodeMap* attributes = e->Attributes();
    for (int32_t i = 0; attributes && i < attributes->nmGetLength(); ++i) {
      const TXpNode* a = attributes->Item(i);
      if (!IsNamespaceDeclaration(a)) continue;
      std::u16string prefix = NamespacePrefix(a);
      if (std::find(seen.begin(), seen.end(), prefix) != seen.end()) continue;
      seen.push_back(prefix);
      if (!a->NodeValue().empty()) bound.emplace_back(std::move(prefix), a->NodeValue());
    }
  }
  if (!FHeldNamespaces) FHeldNamespaces = std::make_unique<TXpNodeList>();
  for (const auto& [prefix, uri] : bound) {
    auto* ns = new TXpNamespaceNode(element, prefix, uri, static_cast<int32_t>(nodes.size()));
    FHeldNamespaces->Add(ns);
    ns->Release();
    nodes.push_back(ns);
  }
  return nodes;
}

void TXpXPathEvaluator::noParseNewAddNodes(TXpNode* node, const TXpXPathStep& step,
                                           std::vector<TXpNode*>& out) {
  const int32_t axis = step.Axis;
  const int32_t principal = axis == XpTok::AxisAttribute ? ATTRIBUTE_NODE : ELEMENT_NODE;
  const bool onNamespaces = axis == XpTok::AxisNamespace;
  auto matches = [&](const TXpNode* n) {
    switch (step.Test) {
      case Step::tkName:
        if (onNamespaces) return NamespacePrefix(n) == step.Name;
        return n->NodeType() == principal && n->noNameEquals(step.Name);
      case Step::tkAny: return onNamespaces || n->NodeType() == principal;
      case Step::tkPrefixAny:
        return !onNamespaces && n->NodeType() == principal && n->noGetPrefix() == step.Name;
      case Step::tkText: return IsText(n);
      case Step::tkComment: return n->NodeType() == COMMENT_NODE;
      case Step::tkPI:
        return n->NodeType() == PROCESSING_INSTRUCTION_NODE &&
               (step.Name.empty() || n->NodeName() == step.Name);
      case Step::tkNode: return true;
    }
    return false;
  };
  auto add = [&](TXpNode* n) {
    if (matches(n)) out.push_back(n);
  };
  const bool isAttr = node->NodeType() == ATTRIBUTE_NODE;
  switch (axis) {
    case XpTok::AxisSelf:
      add(node);
      break;
    case XpTok::AxisChild:
    case XpTok::AxisDescendantOrSelf:
    case XpTok::AxisDescendant: {
      if (axis == XpTok::AxisDescendantOrSelf) add(node);
      if (!HasModelChildren(node) || !node->HasChildNodes()) break;
      // The child lists are walked by index, depth first, with a stack of
      // the lists above: no sibling lookups.
      const bool deep = axis != XpTok::AxisChild;
      const bool byName = step.Test == Step::tkName;
      // Names are shared by the nodes of one arena that bear them: most
      // tests compare two pointers.
      bool owned = false;
      const std::u16string* shared = byName ? XpShareName(step.Name, owned, XpArenaOf(node)) : nullptr;
      std::unique_ptr<const std::u16string> ownedName(owned ? shared : nullptr);
      const bool ignoreCase = FDocument && FDocument->IgnoreCase();
      auto nameMatches = [&](const TXpNode* n) {
        const std::u16string& name = n->NodeName();
        if (&name == shared) return true;
        if (ignoreCase) return n->noNameEquals(step.Name);
        return name.size() == step.Name.size() && name == step.Name;
      };
      struct Frame {
        const TXpNodeList* List;
        int32_t Index;
      };
      std::vector<Frame> stack;
      const TXpNodeList* list = node->ChildNodes();
      int32_t i = 0;
      for (;;) {
        if (i >= list->Length()) {
          if (stack.empty()) break;
          list = stack.back().List;
          i = stack.back().Index;
          stack.pop_back();
          continue;
        }
        // The nodes of a long list lie apart in memory: ask for the next
        // ones early.
        if (TXpNode* far = list->Item(i + 8)) __builtin_prefetch(far);
        if (TXpNode* near = list->Item(i + 4))
          if (TXpNode* first = near->noGetFirstChild()) __builtin_prefetch(first);
        TXpNode* n = list->Item(i++);
        switch (n->NodeType()) {
          case ELEMENT_NODE:
            if (byName ? nameMatches(n) : matches(n)) out.push_back(n);
            if (deep && n->HasChildNodes()) {
              stack.push_back({list, i});
              list = n->ChildNodes();
              i = 0;
            }
            break;
          case TEXT_NODE: case CDATA_SECTION_NODE:
            if (!byName && (i == 1 || !IsText(list->Item(i - 2)))) add(n);
            break;
          case PROCESSING_INSTRUCTION_NODE:
            if (!byName && !IsXmlDeclaration(n)) add(n);
            break;
          case COMMENT_NODE:
            if (!byName) add(n);
            break;
          default:
            break;
        }
      }
      break;
    }
    case XpTok::AxisParent:
      if (TXpNode* p = node->ParentNode()) add(p);
      break;
    case XpTok::AxisAncestorOrSelf:
      add(node);
      [[fallthrough]];
    case XpTok::AxisAncestor:
      for (TXpNode* p = node->ParentNode(); p; p = p->ParentNode()) add(p);
      break;
    case XpTok::AxisFollowingSibling:
      for (TXpNode* n = NextSibling(node); n; n = NextSibling(n)) add(n);
      break;
    case XpTok::AxisPrecedingSibling:
      for (TXpNode* n = PreviousSibling(node); n; n = PreviousSibling(n)) add(n);
      break;
    case XpTok::AxisFollowing: {
      TXpNode* top = Top(node);
      TXpNode* n = isAttr ? NextInTree(node->ParentNode(), top, true) : NextInTree(node, top, false);
      for (; n; n = NextInTree(n, top, true)) add(n);
      break;
    }
    case XpTok::AxisPreceding: {
      // Backwards in document order; the ancestors are skipped.
      TXpNode* n = isAttr ? node->ParentNode() : node;
      TXpNode* ancestor = n ? n->ParentNode() : nullptr;
      while (n) {
        if (TXpNode* s = PreviousSibling(n)) {
          n = s;
          while (TXpNode* last = LastChild(n)) n = last;
        } else {
          n = n->ParentNode();
          if (n && n == ancestor) {
            ancestor = n->ParentNode();
            continue;
          }
        }
        if (n) add(n);
      }
      break;
    }
    case XpTok::AxisAttribute:
      if (node->NodeType() != ELEMENT_NODE || !node->Attributes()) break;
      if (step.Test == Step::tkName) {
        // One lookup by name instead of a walk over the attributes.
        TXpNode* a = node->Attributes()->GetNamedItem(step.Name);
        if (a && !IsNamespaceDeclaration(a)) out.push_back(a);
        break;
      }
      for (int32_t i = 0; i < node->Attributes()->nmGetLength(); ++i) {
        TXpNode* a = node->Attributes()->Item(i);
        if (!IsNamespaceDeclaration(a)) add(a);
      }
      break;
    case XpTok::AxisNamespace:
      if (node->NodeType() != ELEMENT_NODE) break;
      for (TXpNode* ns : NamespaceNodes(node)) add(ns);
      break;
    default:
      break;
  }
}
