#pragma once
// One token of an XPath expression, held in a TXpNodeList: the token code
// and, in the node's value, the token's text (names, literals, numbers).
#include <cstdint>

#include "xml/dom/XpNode.h"

// Token codes.
namespace XpTok {
inline constexpr int32_t Number = 1;
inline constexpr int32_t Literal = 2;
inline constexpr int32_t Name = 3;
inline constexpr int32_t At = 4;
inline constexpr int32_t Plus = 5;
inline constexpr int32_t Minus = 6;
inline constexpr int32_t Mul = 7;
inline constexpr int32_t Div = 8;
inline constexpr int32_t Concat = 9;
inline constexpr int32_t Mod = 10;
inline constexpr int32_t Star = 20;
inline constexpr int32_t Comma = 21;
inline constexpr int32_t LParen = 22;
inline constexpr int32_t RParen = 23;
inline constexpr int32_t Slash = 25;
inline constexpr int32_t DoubleSlash = 26;
inline constexpr int32_t Dot = 27;
inline constexpr int32_t DoubleDot = 28;
inline constexpr int32_t LBracket = 29;
inline constexpr int32_t RBracket = 30;
inline constexpr int32_t LBrace = 31;
inline constexpr int32_t RBrace = 32;
inline constexpr int32_t To = 40;
inline constexpr int32_t And = 41;
inline constexpr int32_t Or = 42;
inline constexpr int32_t Not = 43;
inline constexpr int32_t Eq = 44;
inline constexpr int32_t Ne = 45;
inline constexpr int32_t Lt = 46;
inline constexpr int32_t Le = 47;
inline constexpr int32_t Gt = 48;
inline constexpr int32_t Ge = 49;
inline constexpr int32_t Union = 50;
inline constexpr int32_t Intersect = 51;
inline constexpr int32_t IEq = 52;
inline constexpr int32_t INe = 53;
inline constexpr int32_t ILt = 54;
inline constexpr int32_t ILe = 55;
inline constexpr int32_t IGt = 56;
inline constexpr int32_t IGe = 57;
inline constexpr int32_t Id = 71;
inline constexpr int32_t True = 72;
inline constexpr int32_t False = 73;
inline constexpr int32_t Count = 80;
inline constexpr int32_t Current = 82;
inline constexpr int32_t TextTest = 100;
inline constexpr int32_t CommentTest = 101;
inline constexpr int32_t PITest = 102;
inline constexpr int32_t NodeTest = 105;
inline constexpr int32_t AxisAncestor = 170;
inline constexpr int32_t AxisAncestorOrSelf = 171;
inline constexpr int32_t AxisAttribute = 172;
inline constexpr int32_t AxisChild = 173;
inline constexpr int32_t AxisDescendant = 174;
inline constexpr int32_t AxisDescendantOrSelf = 175;
inline constexpr int32_t AxisFollowing = 176;
inline constexpr int32_t AxisFollowingSibling = 177;
inline constexpr int32_t AxisNamespace = 178;
inline constexpr int32_t AxisParent = 179;
inline constexpr int32_t AxisPreceding = 180;
inline constexpr int32_t AxisPrecedingSibling = 181;
inline constexpr int32_t AxisSelf = 182;
inline constexpr int32_t UnparsedEntityUri = 189;
inline constexpr int32_t Last = 190;
inline constexpr int32_t Position = 191;
inline constexpr int32_t Key = 192;
inline constexpr int32_t Document = 193;
inline constexpr int32_t LocalName = 195;
inline constexpr int32_t NameFn = 197;
inline constexpr int32_t NamespaceUri = 198;
inline constexpr int32_t ElementAvailable = 199;
inline constexpr int32_t GenerateId = 200;
inline constexpr int32_t Boolean = 201;
inline constexpr int32_t Lang = 202;
inline constexpr int32_t Quo = 203;
inline constexpr int32_t Floor = 204;
inline constexpr int32_t Ceiling = 205;
inline constexpr int32_t Round = 206;
inline constexpr int32_t String = 207;
inline constexpr int32_t StartsWith = 208;
inline constexpr int32_t Contains = 209;
inline constexpr int32_t StringLength = 210;
inline constexpr int32_t Substring = 211;
inline constexpr int32_t SubstringBefore = 212;
inline constexpr int32_t SubstringAfter = 213;
inline constexpr int32_t NormalizeSpace = 214;
inline constexpr int32_t Translate = 215;
inline constexpr int32_t FormatNumber = 216;
inline constexpr int32_t FunctionAvailable = 217;
inline constexpr int32_t Variable = 219;
inline constexpr int32_t NumberFn = 220;
inline constexpr int32_t Sum = 221;
inline constexpr int32_t ConcatFn = 222;
inline constexpr int32_t SystemProperty = 223;
inline constexpr int32_t ExtFunction = 224;

inline bool IsAxis(int32_t code) { return code >= AxisAncestor && code <= AxisSelf; }
inline bool IsNodeTypeTest(int32_t code) {
  return code == TextTest || code == CommentTest || code == PITest || code == NodeTest;
}
}  // namespace XpTok

class TXpXqlToken : public TXpNode {
 public:
  TXpXqlToken() : TXpXqlToken(0) {}
  explicit TXpXqlToken(int32_t token);
  TXpXqlToken(int32_t token, const std::u16string& text);

  int32_t Token() const { return FToken; }
  void SetToken(int32_t token) { FToken = token; }
  TXpNode* CloneNode(bool deep) const override;

 private:
  int32_t FToken;
};
