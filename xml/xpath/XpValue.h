#pragma once
// A typed XPath value for callers and variables: a node set (owned list),
// a Boolean, a number or a string.
#include <cstdint>
#include <memory>
#include <string>

#include "xml/dom/XpNodeList.h"

class TXpNode;

enum TXpExpressionType : int32_t { xpetUnknown, xpetNodeSet, xpetBoolean, xpetNumber, xpetString };

class TXpValue {
 public:
  TXpValue();
  ~TXpValue();
  TXpValue(const TXpValue&) = delete;
  TXpValue& operator=(const TXpValue&) = delete;

  TXpExpressionType ValueType() const { return FValueType; }
  // Frees the node list and makes the value unknown.
  void Clear();
  // A copy with its own node list.
  std::unique_ptr<TXpValue> Clone() const;

  // A number is true when it is neither 0 nor NaN.
  bool GetAsBoolean() const;
  // The list of a node set, else null.
  TXpNodeList* GetAsNodeSet() const { return FValueType == xpetNodeSet ? FNodeSet.get() : nullptr; }
  // A string reads as an XPath number, except that "true" is 1.
  double GetAsNumber() const;
  // A node set gives the string values of all its nodes one after another.
  std::u16string GetAsString() const;

  void SetBoolean(bool value);
  // The value holds the given nodes (references of its own).
  void SetNodeSet(const TXpNodeList* list);
  void SetNumber(double value);
  void SetString(const std::u16string& value);

  // node->Select(expression, context).
  static std::unique_ptr<TXpValue> SelectValue(const std::u16string& expression, TXpNode* node,
                                               const TXpNodeList* context);

 private:
  TXpExpressionType FValueType = xpetUnknown;
  bool FBoolean = false;
  std::unique_ptr<TXpNodeList> FNodeSet;
  double FNumber = 0;
  std::u16string FString;
};
