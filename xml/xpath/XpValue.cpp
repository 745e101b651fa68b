#include "xml/xpath/XpValue.h"

#include <cmath>

#include "xml/dom/XpBase.h"
#include "xml/dom/XpNode.h"
#include "xml/xpath/XpXPathEvaluator.h"

TXpValue::TXpValue() = default;
TXpValue::~TXpValue() = default;

void TXpValue::Clear() {
  FNodeSet.reset();
  FValueType = xpetUnknown;
  FBoolean = false;
  FNumber = 0;
  FString.clear();
}

std::unique_ptr<TXpValue> TXpValue::Clone() const {
  auto copy = std::make_unique<TXpValue>();
  copy->FValueType = FValueType;
  copy->FBoolean = FBoolean;
  copy->FNumber = FNumber;
  copy->FString = FString;
  if (FNodeSet) {
    copy->FNodeSet = std::make_unique<TXpNodeList>();
    copy->FNodeSet->CopyList(FNodeSet.get());
  }
  return copy;
}

bool TXpValue::GetAsBoolean() const {
  switch (FValueType) {
    case xpetNodeSet: return FNodeSet && FNodeSet->Length() > 0;
    case xpetBoolean: return FBoolean;
    case xpetNumber: return FNumber != 0 && !std::isnan(FNumber);
    case xpetString: return !FString.empty();
    default: return false;
  }
}

double TXpValue::GetAsNumber() const {
  switch (FValueType) {
    case xpetNodeSet:
      return FNodeSet && FNodeSet->Length() > 0 ? XpStringToNumber(XpStringValue(FNodeSet->Item(0)))
                                                : std::nan("");
    case xpetBoolean: return FBoolean ? 1 : 0;
    case xpetNumber: return FNumber;
    case xpetString: return FString == u"true" ? 1 : XpStringToNumber(FString);
    default: return std::nan("");
  }
}

std::u16string TXpValue::GetAsString() const {
  switch (FValueType) {
    case xpetNodeSet: {
      std::u16string out;
      for (int32_t i = 0; FNodeSet && i < FNodeSet->Length(); ++i) out += XpStringValue(FNodeSet->Item(i));
      return out;
    }
    case xpetBoolean: return FBoolean ? u"true" : u"false";
    case xpetNumber: return XpFloatToStr(FNumber);
    case xpetString: return FString;
    default: return std::u16string();
  }
}

void TXpValue::SetBoolean(bool value) {
  Clear();
  FValueType = xpetBoolean;
  FBoolean = value;
}

void TXpValue::SetNodeSet(const TXpNodeList* list) {
  Clear();
  FValueType = xpetNodeSet;
  FNodeSet = std::make_unique<TXpNodeList>();
  if (list) FNodeSet->CopyList(list);
}

void TXpValue::SetNumber(double value) {
  Clear();
  FValueType = xpetNumber;
  FNumber = value;
}

void TXpValue::SetString(const std::u16string& value) {
  Clear();
  FValueType = xpetString;
  FString = value;
}

std::unique_ptr<TXpValue> TXpValue::SelectValue(const std::u16string& expression, TXpNode* node,
                                                const TXpNodeList* context) {
  return node->Select(expression, context);
}
