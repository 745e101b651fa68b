// The query operations of the nodes: tokenize, compile, evaluate with the
// node as context, convert the result.
#include <cmath>
#include <limits>

#include "xml/dom/XpDocument.h"
#include "xml/dom/XpNode.h"
#include "xml/xpath/XpValue.h"
#include "xml/xpath/XpXPathEvaluator.h"
#include "xml/xpath/XpXPathExpr.h"
#include "xml/xpath/XpXPathParser.h"
#include "xml/xpath/XpXqlToken.h"

namespace {

// Evaluates and hands the result to convert while the evaluator lives: a
// node set may hold nodes that only values from the document's handlers
// keep alive.
template <class F>
auto Run(TXpNode* node, const std::u16string& expression, const TXpNodeList* context, F convert) {
  TXpXPathParser parser;
  parser.Tokenize(expression);
  TXpXPathCompiler compiler(parser.TokenList());
  const TXpXPathExprPtr expr = compiler.Compile();
  TXpXPathEvaluator evaluator(node);
  TXpXPathEvaluator::TContext c{node, 1, 1};
  if (context && context->Length() > 0) {
    c.Size = context->Length();
    c.Position = context->IndexOf(node) + 1;
  }
  return convert(evaluator.Evaluate(*expr, c));
}

}  // namespace

std::unique_ptr<TXpValue> TXpNode::Select(const std::u16string& expression,
                                          const TXpNodeList* context) {
  if (expression.empty()) return nullptr;
  return Run(this, expression, context, [](const TXpXPathResult& r) {
    auto value = std::make_unique<TXpValue>();
    switch (r.Type) {
      case xpetNodeSet: {
        TXpNodeList list;
        for (TXpNode* n : r.Nodes) list.Add(n);
        value->SetNodeSet(&list);
        break;
      }
      case xpetBoolean: value->SetBoolean(r.Boolean); break;
      case xpetNumber: value->SetNumber(r.Number); break;
      case xpetString: value->SetString(r.String); break;
      default: break;
    }
    return value;
  });
}

std::unique_ptr<TXpNodeList> TXpNode::SelectNodes(const std::u16string& expression) {
  auto list = std::make_unique<TXpNodeList>();
  if (expression.empty()) return list;
  Run(this, expression, nullptr, [&list](const TXpXPathResult& r) {
    if (r.Type == xpetNodeSet)
      for (TXpNode* n : r.Nodes) list->Add(n);
    return 0;
  });
  return list;
}

TXpNode* TXpNode::SelectSingleNode(const std::u16string& expression) {
  std::unique_ptr<TXpNodeList> list = SelectNodes(expression);
  return list->Item(0);
}

std::u16string TXpNode::SelectString(const std::u16string& expression) {
  return SelectStringContext(expression, nullptr);
}

std::u16string TXpNode::SelectStringContext(const std::u16string& expression,
                                            const TXpNodeList* context) {
  if (expression.empty()) return std::u16string();
  return Run(this, expression, context, [](const TXpXPathResult& r) { return XpConvertString(r); });
}

double TXpNode::SelectNumber(const std::u16string& expression) {
  return SelectNumberContext(expression, nullptr);
}

double TXpNode::SelectNumberContext(const std::u16string& expression, const TXpNodeList* context) {
  if (expression.empty()) return 0;
  return Run(this, expression, context, [](const TXpXPathResult& r) { return XpConvertNumber(r); });
}

bool TXpNode::SelectBoolean(const std::u16string& expression) {
  return SelectBooleanContext(expression, nullptr);
}

bool TXpNode::SelectBooleanContext(const std::u16string& expression, const TXpNodeList* context) {
  if (expression.empty()) return false;
  return Run(this, expression, context, [](const TXpXPathResult& r) { return XpConvertBoolean(r); });
}

int32_t TXpNode::SelectInteger(const std::u16string& expression) {
  if (expression.empty()) return 0;
  const double n = std::trunc(
      Run(this, expression, nullptr, [](const TXpXPathResult& r) { return XpConvertNumber(r); }));
  // NaN and numbers beyond the integer range give 0.
  if (!(n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max())) return 0;
  return static_cast<int32_t>(n);
}
