#pragma once
// Cuts an XPath expression (with the library's XQL additions: the dollar
// operators such as $eq$, "!" as step separator, "<>", "~" quoted strings,
// quo) into a list of tokens.
#include <cstdint>
#include <functional>
#include <string>

#include "xml/dom/XpNodeList.h"

class TXpXPathParser {
 public:
  // Fills TokenList from the expression (emptied first). An unknown axis
  // or dollar word raises TXpXPathException; an unterminated literal or a
  // character that starts no token raises TXpDOMException
  // (ecExpectedToken).
  void Tokenize(const std::u16string& expression);
  TXpNodeList& TokenList() { return FTokens; }

  // The text from index up to the next delimiter; index is left on the
  // delimiter (or past the end when there is none).
  static std::u16string GetDelimitedToken(const std::u16string& expression, char16_t delimiter,
                                          size_t& index);
  // The longest run from index of characters accepted by test, ending early
  // once stop accepts the text collected so far; index is left after it.
  static std::u16string GetDelimitedTokenF(const std::u16string& expression,
                                           const std::function<bool(char16_t)>& test,
                                           size_t& index,
                                           const std::function<bool(const std::u16string&)>& stop);

 private:
  void Add(int32_t token, const std::u16string& text = std::u16string());
  // Whether an operator name or "*" is an operator here: there is a token
  // before it, and that token is not "@", an axis, "(", "[", "," or an
  // operator.
  bool OperatorExpected() const;

  TXpNodeList FTokens;
  // Whether each token was read as an operator ("*" as multiplication).
  std::u16string FIsOperator;
};

// Name characters other than the first (no ":").
bool IsNCChar(char32_t c);
// TAB, LF, CR, blank.
inline bool XpIsWhiteSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
