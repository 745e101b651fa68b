#include "xml/xpath/XpXPathExpr.h"

#include <limits>

#include "classlib/Format.h"
#include "xml/dom/XpBase.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpNodeList.h"
#include "xml/xpath/XpXPathEvaluator.h"
#include "xml/xpath/XpXPathException.h"
#include "xml/xpath/XpXqlToken.h"

namespace {

using Expr = TXpXPathExpr;
using Step = TXpXPathStep;

bool IsFunctionToken(int32_t t) {
  switch (t) {
    case XpTok::Not: case XpTok::Id: case XpTok::True: case XpTok::False:
    case XpTok::Count: case XpTok::Current: case XpTok::ExtFunction:
      return true;
    case XpTok::Quo: case XpTok::Variable:
      return false;
    default:
      return t >= XpTok::UnparsedEntityUri && t <= XpTok::SystemProperty;
  }
}

bool StartsStep(int32_t t) {
  return t == XpTok::Name || t == XpTok::Star || t == XpTok::At || t == XpTok::Dot ||
         t == XpTok::DoubleDot || XpTok::IsAxis(t) || XpTok::IsNodeTypeTest(t);
}

struct Arity {
  int32_t Code;
  int32_t Min;
  int32_t Max;
};

constexpr int32_t kMany = std::numeric_limits<int32_t>::max();

constexpr Arity kArities[] = {
    {XpTok::Last, 0, 0},           {XpTok::Position, 0, 0},       {XpTok::Count, 0, 1},
    {XpTok::Id, 1, 1},             {XpTok::Key, 2, 2},            {XpTok::Document, 1, 2},
    {XpTok::LocalName, 0, 1},      {XpTok::NameFn, 0, 1},         {XpTok::NamespaceUri, 0, 1},
    {XpTok::ElementAvailable, 1, 1}, {XpTok::GenerateId, 0, 1},   {XpTok::Boolean, 1, 1},
    {XpTok::Lang, 1, 1},           {XpTok::Floor, 1, 1},          {XpTok::Ceiling, 1, 1},
    {XpTok::Round, 1, 1},          {XpTok::String, 0, 1},         {XpTok::StartsWith, 2, 2},
    {XpTok::Contains, 2, 2},       {XpTok::StringLength, 0, 1},   {XpTok::Substring, 2, 3},
    {XpTok::SubstringBefore, 2, 2}, {XpTok::SubstringAfter, 2, 2}, {XpTok::NormalizeSpace, 0, 1},
    {XpTok::Translate, 3, 3},      {XpTok::FormatNumber, 2, 3},   {XpTok::FunctionAvailable, 1, 1},
    {XpTok::NumberFn, 0, 1},       {XpTok::Sum, 1, 1},            {XpTok::ConcatFn, 2, kMany},
    {XpTok::SystemProperty, 1, 1}, {XpTok::True, 0, 0},           {XpTok::False, 0, 0},
    {XpTok::Not, 1, 1},            {XpTok::Current, 0, 0},        {XpTok::UnparsedEntityUri, 1, 1},
};

// Whether the value may be a number (then a predicate compares it with the
// position) or cannot be told before it is evaluated.
bool MayBeNumber(const Expr& e) {
  switch (e.ExprKind) {
    case Expr::ekNumber: case Expr::ekVariable: case Expr::ekNegate: return true;
    case Expr::ekLiteral: case Expr::ekPath: return false;
    case Expr::ekChain:
      switch (e.Operators.front()) {
        case XpTok::Plus: case XpTok::Minus: case XpTok::Star: case XpTok::Mul:
        case XpTok::Div: case XpTok::Mod: case XpTok::Quo:
          return true;
        default:
          return false;
      }
    case Expr::ekFunction:
      switch (e.Code) {
        case XpTok::Count: case XpTok::Last: case XpTok::Position: case XpTok::NumberFn:
        case XpTok::Sum: case XpTok::Floor: case XpTok::Ceiling: case XpTok::Round:
        case XpTok::StringLength: case XpTok::SystemProperty: case XpTok::ExtFunction:
          return true;
        default:
          return false;
      }
  }
  return true;
}

// Whether position() or last() of the expression's own context is used.
bool UsesPosition(const Expr& e) {
  if (e.ExprKind == Expr::ekFunction && (e.Code == XpTok::Position || e.Code == XpTok::Last))
    return true;
  for (const auto& op : e.Operands)
    if (UsesPosition(*op)) return true;
  return e.Filter && UsesPosition(*e.Filter);
}

bool IsPlainAttribute(const Expr& e) {
  if (e.ExprKind != Expr::ekPath || e.Filter || e.Absolute || e.Steps.size() != 1) return false;
  const Step& s = e.Steps.front();
  return s.Axis == XpTok::AxisAttribute && s.Test == Step::tkName && s.Predicates.empty() &&
         s.Name != u"xmlns" && s.Name.compare(0, 6, u"xmlns:") != 0;
}

}  // namespace

TXpXPathCompiler::TXpXPathCompiler(const TXpNodeList& tokens) : FTokens(tokens) {}

int32_t TXpXPathCompiler::noTestToken() const {
  const TXpNode* t = FTokens.Item(static_cast<int32_t>(FIndex));
  return t ? static_cast<const TXpXqlToken*>(t)->Token() : 0;
}

void TXpXPathCompiler::noCheckToken(int32_t code) {
  if (noTestToken() != code) throw TXpDOMException(ecExpectedToken, code);
  ++FIndex;
}

const std::u16string& TXpXPathCompiler::TokenText(size_t index) const {
  return FTokens.Item(static_cast<int32_t>(index))->NodeValue();
}

void TXpXPathCompiler::Enter() {
  if (++FDepth > XpXPathNestingLimit)
    throw TXpXPathException(
        FormatRuntime(XpLoadStr(XpRes::_sXPathDepthLimit).c_str(), XpXPathNestingLimit));
}

TXpXPathExprPtr TXpXPathCompiler::Compile() {
  FIndex = 0;
  FDepth = 0;
  TXpXPathExprPtr e = noParseOrExpr();
  if (noTestToken() != 0) throw TXpDOMException(ecExpectedToken, 0);
  return e;
}

TXpXPathExprPtr TXpXPathCompiler::noParseChain(TXpXPathExprPtr (TXpXPathCompiler::*lower)(),
                                               std::initializer_list<int32_t> ops) {
  TXpXPathExprPtr first = (this->*lower)();
  TXpXPathExprPtr chain;
  for (;;) {
    const int32_t t = noTestToken();
    bool found = false;
    for (int32_t op : ops) found = found || op == t;
    if (!found || t == 0) break;
    ++FIndex;
    if (!chain) {
      chain = std::make_unique<Expr>();
      chain->ExprKind = Expr::ekChain;
      chain->Operands.push_back(std::move(first));
    }
    chain->Operators.push_back(t);
    chain->Operands.push_back((this->*lower)());
  }
  if (!chain) return first;
  if (chain->Operands.size() == 2 &&
      (chain->Operators[0] == XpTok::Eq || chain->Operators[0] == XpTok::Ne)) {
    for (int32_t side = 0; side < 2; ++side) {
      const Expr& a = *chain->Operands[static_cast<size_t>(side)];
      const Expr& b = *chain->Operands[static_cast<size_t>(1 - side)];
      if (IsPlainAttribute(a) && (b.ExprKind == Expr::ekLiteral || b.ExprKind == Expr::ekNumber)) {
        chain->AttributeName = a.Steps.front().Name;
        chain->AttributeSide = side;
        break;
      }
    }
  }
  return chain;
}

TXpXPathExprPtr TXpXPathCompiler::noParseOrExpr() {
  Enter();
  TXpXPathExprPtr e = noParseChain(&TXpXPathCompiler::noParseAndExpr, {XpTok::Or});
  Leave();
  return e;
}

TXpXPathExprPtr TXpXPathCompiler::noParseAndExpr() {
  return noParseChain(&TXpXPathCompiler::noParseEqualityExpr, {XpTok::And});
}

TXpXPathExprPtr TXpXPathCompiler::noParseEqualityExpr() {
  return noParseChain(&TXpXPathCompiler::noParseRelationalExpr,
                      {XpTok::Eq, XpTok::Ne, XpTok::IEq, XpTok::INe});
}

TXpXPathExprPtr TXpXPathCompiler::noParseRelationalExpr() {
  return noParseChain(&TXpXPathCompiler::noParseAdditiveExpr,
                      {XpTok::Lt, XpTok::Le, XpTok::Gt, XpTok::Ge, XpTok::ILt, XpTok::ILe,
                       XpTok::IGt, XpTok::IGe});
}

TXpXPathExprPtr TXpXPathCompiler::noParseAdditiveExpr() {
  return noParseChain(&TXpXPathCompiler::noParseMultiplicativeExpr,
                      {XpTok::Plus, XpTok::Minus, XpTok::Concat});
}

TXpXPathExprPtr TXpXPathCompiler::noParseMultiplicativeExpr() {
  return noParseChain(&TXpXPathCompiler::noParseUnaryExpr,
                      {XpTok::Star, XpTok::Mul, XpTok::Div, XpTok::Mod, XpTok::Quo});
}

TXpXPathExprPtr TXpXPathCompiler::noParseUnaryExpr() {
  if (noTestToken() != XpTok::Minus) return noParseUnionExpr();
  ++FIndex;
  Enter();
  auto e = std::make_unique<Expr>();
  e->ExprKind = Expr::ekNegate;
  e->Operands.push_back(noParseUnaryExpr());
  Leave();
  return e;
}

TXpXPathExprPtr TXpXPathCompiler::noParseUnionExpr() {
  return noParseChain(&TXpXPathCompiler::noParsePathExpr, {XpTok::Union, XpTok::Intersect});
}

TXpXPathExprPtr TXpXPathCompiler::noParsePathExpr() {
  const int32_t t = noTestToken();
  auto path = std::make_unique<Expr>();
  path->ExprKind = Expr::ekPath;
  if (t == XpTok::Slash) {
    ++FIndex;
    path->Absolute = true;
    if (StartsStep(noTestToken())) noParseRelativePath(*path);
    return path;
  }
  if (t == XpTok::DoubleSlash) {
    path->Absolute = true;
    noParseRelativePath(*path);
    return path;
  }
  if (StartsStep(t)) {
    noParseRelativePath(*path);
    return path;
  }
  TXpXPathExprPtr primary = noParsePrimaryExpr();
  const int32_t next = noTestToken();
  if (next != XpTok::LBracket && next != XpTok::Slash && next != XpTok::DoubleSlash) return primary;
  path->Filter = std::move(primary);
  noPredicate(path->FilterPredicates);
  if (noTestToken() == XpTok::Slash || noTestToken() == XpTok::DoubleSlash) noParseRelativePath(*path);
  return path;
}

TXpXPathExprPtr TXpXPathCompiler::noParsePrimaryExpr() {
  const int32_t t = noTestToken();
  auto e = std::make_unique<Expr>();
  switch (t) {
    case XpTok::Number:
      e->ExprKind = Expr::ekNumber;
      e->Number = XpDecimalToNumber(TokenText(FIndex));
      ++FIndex;
      return e;
    case XpTok::Literal:
      e->ExprKind = Expr::ekLiteral;
      e->Text = TokenText(FIndex);
      ++FIndex;
      return e;
    case XpTok::Variable:
      e->ExprKind = Expr::ekVariable;
      e->Text = TokenText(FIndex);
      ++FIndex;
      return e;
    case XpTok::LParen: {
      ++FIndex;
      TXpXPathExprPtr inner = noParseOrExpr();
      noCheckToken(XpTok::RParen);
      return inner;
    }
    default:
      break;
  }
  if (!IsFunctionToken(t)) throw TXpDOMException(ecExpectedToken, XpTok::Name);
  e->ExprKind = Expr::ekFunction;
  e->Code = t;
  e->Text = TokenText(FIndex);
  ++FIndex;
  noCheckToken(XpTok::LParen);
  Enter();
  if (noTestToken() != XpTok::RParen) {
    e->Operands.push_back(noParseOrExpr());
    while (noTestToken() == XpTok::Comma) {
      ++FIndex;
      e->Operands.push_back(noParseOrExpr());
    }
  }
  Leave();
  for (const Arity& a : kArities) {
    if (a.Code != t) continue;
    const auto n = static_cast<int32_t>(e->Operands.size());
    if (n < a.Min) throw TXpDOMException(ecExpectedToken, XpTok::Comma);
    if (n > a.Max) throw TXpDOMException(ecExpectedToken, XpTok::RParen);
  }
  noCheckToken(XpTok::RParen);
  return e;
}

void TXpXPathCompiler::noParseRelativePath(TXpXPathExpr& path) {
  // A path that starts with "//" (or continues after a filter) adds the
  // descendant-or-self step first.
  for (bool first = true;; first = false) {
    const int32_t t = noTestToken();
    if (t == XpTok::DoubleSlash) {
      ++FIndex;
      Step s;
      s.Axis = XpTok::AxisDescendantOrSelf;
      s.Test = Step::tkNode;
      path.Steps.push_back(std::move(s));
    } else if (t == XpTok::Slash) {
      ++FIndex;
    } else if (!first) {
      break;
    }
    noParseStep(path);
    if (noTestToken() != XpTok::Slash && noTestToken() != XpTok::DoubleSlash) break;
  }
  // "//name" without positional predicates is the descendant axis: the same
  // nodes, found in one walk and already in document order.
  auto& steps = path.Steps;
  for (size_t i = 0; i + 1 < steps.size(); ++i) {
    Step& a = steps[i];
    Step& b = steps[i + 1];
    if (a.Axis == XpTok::AxisDescendantOrSelf && a.Test == Step::tkNode && a.Predicates.empty() &&
        b.Axis == XpTok::AxisChild && !b.Positional) {
      b.Axis = XpTok::AxisDescendant;
      steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

void TXpXPathCompiler::noParseStep(TXpXPathExpr& path) {
  Step s;
  int32_t t = noTestToken();
  if (t == XpTok::Dot || t == XpTok::DoubleDot) {
    ++FIndex;
    s.Axis = t == XpTok::Dot ? XpTok::AxisSelf : XpTok::AxisParent;
    s.Test = Step::tkNode;
    path.Steps.push_back(std::move(s));
    return;
  }
  s.Axis = XpTok::AxisChild;
  if (t == XpTok::At) {
    s.Axis = XpTok::AxisAttribute;
    ++FIndex;
  } else if (XpTok::IsAxis(t)) {
    s.Axis = t;
    ++FIndex;
  }
  t = noTestToken();
  if (t == XpTok::Name) {
    const std::u16string& name = TokenText(FIndex);
    if (name.size() > 2 && name.compare(name.size() - 2, 2, u":*") == 0) {
      s.Test = Step::tkPrefixAny;
      s.Name = name.substr(0, name.size() - 2);
    } else {
      s.Test = Step::tkName;
      s.Name = name;
    }
    ++FIndex;
  } else if (t == XpTok::Star) {
    s.Test = Step::tkAny;
    ++FIndex;
  } else if (XpTok::IsNodeTypeTest(t)) {
    ++FIndex;
    noCheckToken(XpTok::LParen);
    s.Test = t == XpTok::TextTest      ? Step::tkText
             : t == XpTok::CommentTest ? Step::tkComment
             : t == XpTok::PITest      ? Step::tkPI
                                       : Step::tkNode;
    if (t == XpTok::PITest && noTestToken() == XpTok::Literal) {
      s.Name = TokenText(FIndex);
      ++FIndex;
    }
    noCheckToken(XpTok::RParen);
  } else {
    throw TXpDOMException(ecExpectedToken, XpTok::Name);
  }
  noPredicate(s.Predicates);
  for (const auto& p : s.Predicates) s.Positional = s.Positional || MayBeNumber(*p) || UsesPosition(*p);
  path.Steps.push_back(std::move(s));
}

void TXpXPathCompiler::noPredicate(std::vector<TXpXPathExprPtr>& predicates) {
  while (noTestToken() == XpTok::LBracket) {
    ++FIndex;
    predicates.push_back(noParseOrExpr());
    noCheckToken(XpTok::RBracket);
  }
}
