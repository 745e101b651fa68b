#include "xml/dom/XpStartupTables.h"

namespace {

struct Entry {
  const char16_t* Name;
  int32_t Code;
};

constexpr Entry kFunctions[] = {
    {u"boolean", 201},          {u"ceiling", 205},         {u"concat", 222},
    {u"contains", 209},         {u"count", 80},            {u"current", 82},
    {u"document", 193},         {u"false", 73},            {u"floor", 204},
    {u"format-number", 216},    {u"function-available", 217}, {u"generate-id", 200},
    {u"id", 71},                {u"key", 192},             {u"lang", 202},
    {u"last", 190},             {u"local-name", 195},      {u"name", 197},
    {u"namespace-uri", 198},    {u"element-available", 199}, {u"normalize-space", 214},
    {u"not", 43},               {u"number", 220},          {u"position", 191},
    {u"round", 206},            {u"starts-with", 208},     {u"string", 207},
    {u"string-length", 210},    {u"substring", 211},       {u"substring-after", 213},
    {u"substring-before", 212}, {u"sum", 221},             {u"system-property", 223},
    {u"translate", 215},        {u"true", 72},             {u"unparsed-entity-uri", 189},
};

constexpr Entry kAxes[] = {
    {u"ancestor::", 170},   {u"ancestor-or-self::", 171}, {u"attribute::", 172},
    {u"child::", 173},      {u"descendant::", 174},       {u"descendant-or-self::", 175},
    {u"following::", 176},  {u"following-sibling::", 177}, {u"namespace::", 178},
    {u"parent::", 179},     {u"preceding::", 180},        {u"preceding-sibling::", 181},
    {u"self::", 182},
};

template <size_t N>
void Fill(TXpStrHash& table, const Entry (&entries)[N]) {
  for (const Entry& e : entries) table.Add(e.Name, reinterpret_cast<void*>(static_cast<intptr_t>(e.Code)));
}

}  // namespace

TXpStrHash& XpFunctionTable() {
  static TXpStrHash table(0);
  static const bool filled = (Fill(table, kFunctions), true);
  (void)filled;
  return table;
}

TXpStrHash& XpAxisTable() {
  static TXpStrHash table(0);
  static const bool filled = (Fill(table, kAxes), true);
  (void)filled;
  return table;
}

int32_t XpLookupToken(const TXpStrHash& table, const WideString& name) {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(table.Get(name)));
}
