#pragma once
// A tokenized XPath expression compiled into a tree that the evaluator
// runs, once per query. Compiling finds every syntax error before anything
// is evaluated and bounds the nesting of the expression.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TXpNodeList;

// Nesting bound of expressions: parentheses, predicates, function
// arguments and unary minus, as deep as the parser's element depth limit.
inline constexpr int32_t XpXPathNestingLimit = 256;

struct TXpXPathExpr;
using TXpXPathExprPtr = std::unique_ptr<TXpXPathExpr>;

// One location step: axis (a token code of the axes), node test and
// predicates.
struct TXpXPathStep {
  enum TestKind : uint8_t { tkName, tkAny, tkPrefixAny, tkText, tkComment, tkPI, tkNode };
  int32_t Axis = 0;
  TestKind Test = tkNode;
  // The name of a name test, the prefix of "prefix:*", the target of pi().
  std::u16string Name;
  std::vector<TXpXPathExprPtr> Predicates;
  // Some predicate may depend on position or size (or give a number).
  bool Positional = false;
};

struct TXpXPathExpr {
  enum Kind : uint8_t { ekNumber, ekLiteral, ekVariable, ekFunction, ekNegate, ekChain, ekPath };
  Kind ExprKind = ekNumber;
  // ekFunction: the function's token code.
  int32_t Code = 0;
  double Number = 0;
  // Literal text, variable name, function name.
  std::u16string Text;
  // ekFunction: the arguments; ekChain: the operands; ekNegate: the operand.
  std::vector<TXpXPathExprPtr> Operands;
  // ekChain: Operators[i] joins the result so far with Operands[i + 1].
  std::vector<int32_t> Operators;
  // ekPath: a filter expression (primary and predicates) or, when null, a
  // location path that starts at the root (Absolute) or the context node.
  TXpXPathExprPtr Filter;
  std::vector<TXpXPathExprPtr> FilterPredicates;
  bool Absolute = false;
  std::vector<TXpXPathStep> Steps;
  // ekChain of "=" or "!=" with a plain attribute on one side ("@name") and
  // a literal or number on the other: the attribute's name and its side.
  std::u16string AttributeName;
  int32_t AttributeSide = -1;
};

// Compiles a token list of TXpXPathParser into an expression tree. Syntax
// errors raise TXpDOMException (ecExpectedToken, with the expected token's
// code); too deep a nesting raises TXpXPathException.
class TXpXPathCompiler {
 public:
  explicit TXpXPathCompiler(const TXpNodeList& tokens);
  TXpXPathExprPtr Compile();

 private:
  TXpXPathExprPtr noParseOrExpr();
  TXpXPathExprPtr noParseAndExpr();
  TXpXPathExprPtr noParseEqualityExpr();
  TXpXPathExprPtr noParseRelationalExpr();
  TXpXPathExprPtr noParseAdditiveExpr();
  TXpXPathExprPtr noParseMultiplicativeExpr();
  TXpXPathExprPtr noParseUnaryExpr();
  TXpXPathExprPtr noParseUnionExpr();
  TXpXPathExprPtr noParsePathExpr();
  TXpXPathExprPtr noParsePrimaryExpr();
  void noParseRelativePath(TXpXPathExpr& path);
  void noParseStep(TXpXPathExpr& path);
  void noPredicate(std::vector<TXpXPathExprPtr>& predicates);
  // One left-associative level: operands of `lower` joined by any of ops.
  TXpXPathExprPtr noParseChain(TXpXPathExprPtr (TXpXPathCompiler::*lower)(),
                               std::initializer_list<int32_t> ops);

  // The code of the next token without taking it (0 at the end).
  int32_t noTestToken() const;
  // Takes the next token, which must have the code, else raises.
  void noCheckToken(int32_t code);
  const std::u16string& TokenText(size_t index) const;
  void Enter();
  void Leave() { --FDepth; }

  const TXpNodeList& FTokens;
  size_t FIndex = 0;
  int32_t FDepth = 0;
};
