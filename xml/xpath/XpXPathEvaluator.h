#pragma once
// Runs a compiled XPath expression against a node of the tree with XPath
// 1.0 semantics (plus the library's extras): node sets without duplicates
// in document order, IEEE numbers, the conversions of the XPath data model.
//
// The data model over the tree: the document type and its declarations,
// and the XML declaration, are no children; adjacent text and CDATA nodes
// form one text node (its first node stands for it); "xmlns" attributes are
// no attributes: the namespace axis gives namespace nodes the query makes,
// one per namespace in scope (the xml namespace included), each with the
// element as parent, read as attributes named "xmlns:prefix" ("xmlns" for
// the default namespace) whose value is the URI.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "xml/xpath/XpValue.h"
#include "xml/xpath/XpXPathExpr.h"

class TXpNode;
class TXpDocument;

// The XPath string value of a node.
std::u16string XpStringValue(const TXpNode* node);
// An XPath number from a text: optional blanks, an optional "-", digits
// with an optional decimal point; anything else is NaN.
double XpStringToNumber(const std::u16string& text);
// A text of the XPath Number production with an optional leading "-"; too
// large a value is infinite, too small a one 0.
double XpDecimalToNumber(const std::u16string& text);
// Document order of two nodes: negative, 0 or positive.
int32_t XpCompareDocumentOrder(const TXpNode* a, const TXpNode* b);

// The result of an expression (a node set holds no references: the nodes
// belong to the tree, which a query does not change).
struct TXpXPathResult {
  TXpExpressionType Type = xpetUnknown;
  bool Boolean = false;
  double Number = 0;
  std::u16string String;
  std::vector<TXpNode*> Nodes;
};

// A result of each kind.
TXpXPathResult XpBooleanResult(bool b);
TXpXPathResult XpNumberResult(double n);
TXpXPathResult XpStringResult(std::u16string s);
TXpXPathResult XpNodeSetResult(std::vector<TXpNode*> nodes);

// Conversions of a result.
bool XpConvertBoolean(const TXpXPathResult& r);
double XpConvertNumber(const TXpXPathResult& r);
std::u16string XpConvertString(const TXpXPathResult& r);

class TXpXPathEvaluator {
 public:
  // The context: node, its position (from 1) and the context size.
  struct TContext {
    TXpNode* Node;
    int32_t Position;
    int32_t Size;
  };

  explicit TXpXPathEvaluator(TXpNode* queried);
  TXpXPathResult Evaluate(const TXpXPathExpr& expr, const TContext& context);

 private:
  TXpXPathResult EvalChain(const TXpXPathExpr& expr, const TContext& context);
  TXpXPathResult EvalPath(const TXpXPathExpr& expr, const TContext& context);
  TXpXPathResult EvalFunction(const TXpXPathExpr& expr, const TContext& context);
  TXpXPathResult EvalVariable(const TXpXPathExpr& expr);
  // Compares two values with "=" or "!=" (and the case-insensitive kin).
  bool Equal(const TXpXPathResult& a, const TXpXPathResult& b, int32_t op);
  bool Relational(const TXpXPathResult& a, const TXpXPathResult& b, int32_t op);
  bool AttributeEquals(const TXpXPathExpr& chain, const TContext& context);

  // The nodes of one step from one context node, in document order.
  void noParseNewAddNodes(TXpNode* node, const TXpXPathStep& step, std::vector<TXpNode*>& out);
  // The namespace nodes of an element, in their order, made on first
  // request.
  const std::vector<TXpNode*>& NamespaceNodes(TXpNode* element);
  void noPredicate(std::vector<TXpNode*>& nodes, const std::vector<TXpXPathExprPtr>& predicates);
  void ApplyStep(std::vector<TXpNode*>& nodes, const TXpXPathStep& step);
  TXpXPathResult EvalArg(const TXpXPathExpr& expr, size_t i, const TContext& context);
  std::vector<TXpNode*> NodeSetArg(const TXpXPathExpr& expr, size_t i, const TContext& context,
                                   const char* function);

  TXpNode* FQueried;
  TXpDocument* FDocument;
  // Values and lists from handlers whose nodes a result may point to; they
  // live as long as the evaluator.
  std::vector<std::unique_ptr<TXpValue>> FHeld;
  std::vector<std::unique_ptr<TXpNodeList>> FHeldLists;
  // The namespace nodes made so far, by element, and their references.
  std::unordered_map<const TXpNode*, std::vector<TXpNode*>> FNamespaceNodes;
  std::unique_ptr<TXpNodeList> FHeldNamespaces;
};

// Sorts into document order and removes duplicates.
void XpSortNodes(std::vector<TXpNode*>& nodes);
