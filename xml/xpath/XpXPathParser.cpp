#include "xml/xpath/XpXPathParser.h"

#include "classlib/Format.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpStartupTables.h"
#include "xml/xpath/XpXPathException.h"
#include "xml/xpath/XpXqlToken.h"

bool IsNCChar(char32_t c) { return c != U':' && XpValidNameChar(false, c); }

namespace {

// Whether an NCName starts at e[i] (a surrogate pair is one character).
bool NCNameStartsAt(const std::u16string& e, size_t i) {
  return i < e.size() && e[i] != u':' && XpNameCharLength(e.data(), i, e.size(), true) != 0;
}

// The end of the run of NCName characters from e[i].
size_t NCNameEnd(const std::u16string& e, size_t i) {
  while (i < e.size() && e[i] != u':') {
    const size_t length = XpNameCharLength(e.data(), i, e.size(), false);
    if (length == 0) break;
    i += length;
  }
  return i;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

struct DollarWord {
  const char16_t* Word;
  int32_t Token;
};

// In the order they are tested.
constexpr DollarWord kDollarWords[] = {
    {u"eq", XpTok::Eq},       {u"ne", XpTok::Ne},
    {u"lt", XpTok::Lt},       {u"le", XpTok::Le},
    {u"gt", XpTok::Gt},       {u"ge", XpTok::Ge},
    {u"ieq", XpTok::IEq},     {u"ine", XpTok::INe},
    {u"ilt", XpTok::ILt},     {u"ile", XpTok::ILe},
    {u"igt", XpTok::IGt},     {u"ige", XpTok::IGe},
    {u"intersect", XpTok::Intersect}, {u"union", XpTok::Union},
    {u"not", XpTok::Not},     {u"and", XpTok::And},
    {u"or", XpTok::Or},       {u"to", XpTok::To},
    {u"sum", XpTok::Plus},    {u"diff", XpTok::Minus},
    {u"mul", XpTok::Mul},     {u"concat", XpTok::Concat},
    {u"mod", XpTok::Mod},     {u"div", XpTok::Div},
};

bool IsOperatorToken(int32_t t) {
  switch (t) {
    case XpTok::Plus: case XpTok::Minus: case XpTok::Mul: case XpTok::Div:
    case XpTok::Concat: case XpTok::Mod: case XpTok::Slash: case XpTok::DoubleSlash:
    case XpTok::To: case XpTok::And: case XpTok::Or: case XpTok::Not:
    case XpTok::Union: case XpTok::Intersect: case XpTok::Quo:
      return true;
    default:
      return t >= XpTok::Eq && t <= XpTok::IGe;
  }
}

}  // namespace

std::u16string TXpXPathParser::GetDelimitedToken(const std::u16string& expression,
                                                  char16_t delimiter, size_t& index) {
  const size_t end = expression.find(delimiter, index);
  const size_t stop = end == std::u16string::npos ? expression.size() : end;
  std::u16string token = expression.substr(index, stop - index);
  index = stop;
  return token;
}

std::u16string TXpXPathParser::GetDelimitedTokenF(
    const std::u16string& expression, const std::function<bool(char16_t)>& test, size_t& index,
    const std::function<bool(const std::u16string&)>& stop) {
  std::u16string token;
  while (index < expression.size() && test(expression[index])) {
    token += expression[index++];
    if (stop && stop(token)) break;
  }
  return token;
}

void TXpXPathParser::Add(int32_t token, const std::u16string& text) {
  const bool isOperator = IsOperatorToken(token) || (token == XpTok::Star && OperatorExpected());
  FIsOperator += isOperator ? u'1' : u'0';
  auto* node = new TXpXqlToken(token, text);
  FTokens.Add(node);
  node->Release();
}

bool TXpXPathParser::OperatorExpected() const {
  const int32_t n = FTokens.Length();
  if (n == 0) return false;
  const int32_t prev = static_cast<TXpXqlToken*>(FTokens.Item(n - 1))->Token();
  if (prev == XpTok::At || XpTok::IsAxis(prev) || prev == XpTok::LParen ||
      prev == XpTok::LBracket || prev == XpTok::Comma)
    return false;
  return FIsOperator[static_cast<size_t>(n - 1)] != u'1';
}

void TXpXPathParser::Tokenize(const std::u16string& expression) {
  FTokens.Empty();
  FIsOperator.clear();
  const std::u16string& e = expression;
  const size_t len = e.size();
  auto at = [&](size_t i) -> char16_t { return i < len ? e[i] : u'\0'; };
  auto nextNonBlank = [&](size_t i) {
    while (i < len && XpIsWhiteSpace(e[i])) ++i;
    return at(i);
  };
  size_t i = 0;
  while (i < len) {
    const char16_t c = e[i];
    switch (c) {
      case u'@': Add(XpTok::At); ++i; continue;
      case u'+': Add(XpTok::Plus); ++i; continue;
      case u'-': Add(XpTok::Minus); ++i; continue;
      case u'*': Add(XpTok::Star, u"*"); ++i; continue;
      case u',': Add(XpTok::Comma); ++i; continue;
      case u')': Add(XpTok::RParen); ++i; continue;
      case u'[': Add(XpTok::LBracket); ++i; continue;
      case u']': Add(XpTok::RBracket); ++i; continue;
      case u'{': Add(XpTok::LBrace); ++i; continue;
      case u'}': Add(XpTok::RBrace); ++i; continue;
      case u'|': Add(XpTok::Union); ++i; continue;
      case u'=': Add(XpTok::Eq); ++i; continue;
      case u'(': {
        const int32_t n = FTokens.Length();
        if (n > 0) {
          auto* prev = static_cast<TXpXqlToken*>(FTokens.Item(n - 1));
          if (prev->Token() == XpTok::Name) prev->SetToken(XpTok::ExtFunction);
        }
        Add(XpTok::LParen);
        ++i;
        continue;
      }
      case u'!':
        if (at(i + 1) == u'=') { Add(XpTok::Ne); i += 2; } else { Add(XpTok::Slash); ++i; }
        continue;
      case u'<':
        if (at(i + 1) == u'=') { Add(XpTok::Le); i += 2; }
        else if (at(i + 1) == u'>') { Add(XpTok::Ne); i += 2; }
        else { Add(XpTok::Lt); ++i; }
        continue;
      case u'>':
        if (at(i + 1) == u'=') { Add(XpTok::Ge); i += 2; } else { Add(XpTok::Gt); ++i; }
        continue;
      case u'/':
        if (at(i + 1) == u'/') { Add(XpTok::DoubleSlash); i += 2; } else { Add(XpTok::Slash); ++i; }
        continue;
      case u'.':
        if (at(i + 1) == u'.') { Add(XpTok::DoubleDot); i += 2; continue; }
        if (!IsDigit(at(i + 1))) { Add(XpTok::Dot); ++i; continue; }
        break;  // a number such as ".5"
      case u'"': case u'\'': case u'~': {
        size_t j = i + 1;
        std::u16string text = GetDelimitedToken(e, c, j);
        if (j >= len) throw TXpDOMException(ecExpectedToken, XpTok::Literal);
        Add(XpTok::Literal, text);
        i = j + 1;
        continue;
      }
      case u'$': {
        // A QName: NCNames joined by ":".
        size_t j = NCNameEnd(e, i + 1);
        while (at(j) == u':' && NCNameStartsAt(e, j + 1)) j = NCNameEnd(e, j + 1);
        std::u16string word = e.substr(i + 1, j - i - 1);
        if (at(j) == u'$') {
          int32_t token = 0;
          for (const DollarWord& d : kDollarWords)
            if (word == d.Word) { token = d.Token; break; }
          if (token == 0)
            throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sXPathUnknownOperator).c_str(),
                                                  WideToAnsi(word).c_str()));
          Add(token);
          i = j + 1;
        } else {
          Add(XpTok::Variable, word);
          i = j;
        }
        continue;
      }
      default:
        break;
    }
    if (IsDigit(c) || c == u'.') {
      size_t j = i;
      while (IsDigit(at(j))) ++j;
      if (at(j) == u'.') {
        ++j;
        while (IsDigit(at(j))) ++j;
      }
      Add(XpTok::Number, e.substr(i, j - i));
      i = j;
      continue;
    }
    if (NCNameStartsAt(e, i)) {
      // A name: NCName, QName, "prefix:*", or an axis name followed by "::"
      // (blanks may stand before it).
      size_t j = NCNameEnd(e, i);
      size_t k = j;
      while (XpIsWhiteSpace(at(k))) ++k;
      if (at(k) == u':' && at(k + 1) == u':') {
        const std::u16string name = e.substr(i, j - i) + u"::";
        i = k + 2;
        const int32_t axis = XpLookupToken(XpAxisTable(), name);
        if (axis == 0)
          throw TXpXPathException(FormatRuntime(XpLoadStr(XpRes::_sUnknownAxis).c_str(),
                                                WideToAnsi(name).c_str()));
        Add(axis, name);
        continue;
      }
      if (at(j) == u':' && at(j + 1) == u'*')
        j += 2;
      else if (at(j) == u':' && NCNameStartsAt(e, j + 1))
        j = NCNameEnd(e, j + 1);
      const std::u16string name = e.substr(i, j - i);
      i = j;
      if (OperatorExpected()) {
        int32_t op = 0;
        if (name == u"and") op = XpTok::And;
        else if (name == u"or") op = XpTok::Or;
        else if (name == u"div") op = XpTok::Div;
        else if (name == u"mod") op = XpTok::Mod;
        else if (name == u"quo") op = XpTok::Quo;
        if (op != 0) {
          Add(op, name);
          continue;
        }
      }
      if (nextNonBlank(i) == u'(') {
        int32_t token = XpLookupToken(XpFunctionTable(), name);
        if (token == 0) {
          if (name == u"pi" || name == u"processing-instruction") token = XpTok::PITest;
          else if (name == u"comment") token = XpTok::CommentTest;
          else if (name == u"text") token = XpTok::TextTest;
          else if (name == u"node") token = XpTok::NodeTest;
          else token = XpTok::Name;
        }
        Add(token, name);
        continue;
      }
      Add(XpTok::Name, name);
      continue;
    }
    // Blanks stand between tokens; any other character starts none.
    if (!XpIsWhiteSpace(c)) throw TXpDOMException(ecExpectedToken, 0);
    ++i;
  }
}
