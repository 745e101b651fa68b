#include "components/buttonedits/runtime/StringHelpers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <string>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/LibHelpers.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

TCharSet CharSetOf(const char* chars) {
  TCharSet set;
  for (; *chars; ++chars) set.set(static_cast<unsigned char>(*chars));
  return set;
}

const TCharSet& DefaultSeparators() {
  static const TCharSet set = CharSetOf(" \t\r\n,.;:!?()[]{}<>=+-*/\\\"'");
  return set;
}

namespace {

bool In(const TCharSet& set, char c) { return set.test(static_cast<unsigned char>(c)); }

}  // namespace

void AddStr(AnsiString& text, const AnsiString& addition) { text += addition; }

int32_t GetFirstNotSpace(const AnsiString& text) {
  const size_t at = text.find_first_not_of(' ');
  return at == AnsiString::npos ? static_cast<int32_t>(text.size()) + 1 : static_cast<int32_t>(at) + 1;
}

AnsiString StringOfSpace(int32_t n) { return AnsiString(static_cast<size_t>(n > 0 ? n : 0), ' '); }

void AddBackSpaces(AnsiString& text, int32_t n) {
  if (n > 0 && text.size() < static_cast<size_t>(n)) text.resize(static_cast<size_t>(n), ' ');
}

void Replace(AnsiString& text, int32_t position, const AnsiString& old, const AnsiString& replacement) {
  if (position < 1 || static_cast<size_t>(position) > text.size() + 1) return;
  text.replace(static_cast<size_t>(position - 1), old.size(), replacement);
}

void ReplaceAllOccurEx(AnsiString& text, const AnsiString& old, const AnsiString& replacement, bool ignoreCase) {
  if (old.empty()) return;
  AnsiString search = ignoreCase ? AnsiUpperCase(text) : text;
  const AnsiString key = ignoreCase ? AnsiUpperCase(old) : old;
  size_t at = 0;
  while ((at = search.find(key, at)) != AnsiString::npos) {
    text.replace(at, old.size(), replacement);
    search.replace(at, old.size(), replacement);
    at += replacement.size();
  }
}

void ReplaceAllOccur(AnsiString& text, const AnsiString& old, const AnsiString& replacement) {
  ReplaceAllOccurEx(text, old, replacement, false);
}

AnsiString ExtractQuotedStr(const AnsiString& text, char quote) {
  if (text.size() <= 1) return text;
  AnsiString inner = text;
  if (inner.front() == quote && inner.back() == quote) inner = inner.substr(1, inner.size() - 2);
  AnsiString out;
  for (size_t i = 0; i < inner.size(); ++i) {
    out += inner[i];
    if (inner[i] == quote && i + 1 < inner.size() && inner[i + 1] == quote) ++i;
  }
  return out;
}

AnsiString RemoveCharSet(const TCharSet& set, const AnsiString& text) {
  AnsiString out;
  for (char c : text)
    if (!In(set, c)) out += c;
  return out;
}

AnsiString AddCharOccurence(const AnsiString& text, char c, int32_t n) {
  if (n <= 0) return text;
  AnsiString out;
  for (char ch : text) {
    out += ch;
    if (ch == c) out.append(static_cast<size_t>(n), c);
  }
  return out;
}

AnsiString TrimSeparatorsLeft(const AnsiString& text, const TCharSet& separators) {
  size_t b = 0;
  while (b < text.size() && In(separators, text[b])) ++b;
  return text.substr(b);
}

AnsiString TrimSeparatorsRight(const AnsiString& text, const TCharSet& separators) {
  size_t e = text.size();
  while (e > 0 && In(separators, text[e - 1])) --e;
  return text.substr(0, e);
}

AnsiString TrimSeparators(const AnsiString& text, const TCharSet& separators) {
  return TrimSeparatorsRight(TrimSeparatorsLeft(text, separators), separators);
}

int32_t GetWordPos(const AnsiString& text, int32_t n, const TCharSet& separators) {
  if (n < 1) return -1;
  const AnsiString t = TrimSeparators(text, separators);
  int32_t word = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (In(separators, t[i])) continue;
    if (i == 0 || In(separators, t[i - 1])) {
      if (++word == n) return static_cast<int32_t>(i) + 1;
    }
  }
  return -1;
}

AnsiString GetWordEx(const AnsiString& text, int32_t n, const TCharSet& separators) {
  const int32_t pos = GetWordPos(text, n, separators);
  if (pos < 0) return AnsiString();
  const AnsiString t = TrimSeparators(text, separators);
  size_t e = static_cast<size_t>(pos - 1);
  while (e < t.size() && !In(separators, t[e])) ++e;
  return t.substr(static_cast<size_t>(pos - 1), e - static_cast<size_t>(pos - 1));
}

AnsiString GetWord(const AnsiString& text, int32_t n) { return GetWordEx(text, n, DefaultSeparators()); }

AnsiString RemoveExtraSlash(const AnsiString& path) {
  AnsiString r(path);
  ReplaceAllOccur(r, "\\\\", "\\");
  return r;
}

bool StrToBoolean(const AnsiString& text) { return StrToBool(text); }

void RemoveEmptyStrings(TStrings& strings) {
  for (int32_t i = strings.Count() - 1; i >= 0; --i)
    if (TrimText(strings.Strings(i)).empty()) strings.Delete(i);
}

AnsiString StrArrayToDelimStr(const AnsiString* items, int32_t lastIndex, char delimiter) {
  AnsiString r;
  for (int32_t i = 0; i <= lastIndex; ++i) {
    if (items[i].empty()) continue;
    if (!r.empty()) r += delimiter;
    r += items[i];
  }
  return r;
}

AnsiString CommaText(const AnsiString* items, int32_t lastIndex) {
  AnsiString r;
  for (int32_t i = 0; i <= lastIndex; ++i) {
    if (i > 0) r += ',';
    r += items[i];
  }
  return r;
}

void RemoveStrings(TStrings& strings, const TStrings& toRemove) { SubtractStrings(strings, toRemove); }

void IntersectStrings(TStrings& strings, const TStrings& other) {
  for (int32_t i = strings.Count() - 1; i >= 0; --i)
    if (other.IndexOf(strings.Strings(i)) < 0) strings.Delete(i);
}

void SubtractStrings(TStrings& strings, const TStrings& other) {
  for (int32_t i = strings.Count() - 1; i >= 0; --i)
    if (other.IndexOf(strings.Strings(i)) >= 0) strings.Delete(i);
}

void SortAndRemoveDups(TStrings& strings) {
  TStringList sorted;
  sorted.SetSorted(true);
  sorted.SetDuplicates(dupIgnore);
  for (int32_t i = 0; i < strings.Count(); ++i) sorted.AddObject(strings.Strings(i), strings.Objects(i));
  strings.Assign(sorted);
}

int32_t MaxIntValue(const int32_t* items, int32_t lastIndex) {
  int32_t m = items[0];
  for (int32_t i = 1; i <= lastIndex; ++i)
    if (items[i] > m) m = items[i];
  return m;
}

void DCWriteStrWithLenToStream(TStream& stream, const AnsiString& text) {
  const auto n = static_cast<uint32_t>(text.size());
  const uint8_t le[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
  stream.WriteBuffer(le, 4);
  if (n) stream.WriteBuffer(text.data(), static_cast<int32_t>(n));
}

AnsiString DCReadStrWithLenFromStream(TStream& stream) {
  uint8_t le[4];
  stream.ReadBuffer(le, 4);
  const auto n = static_cast<int32_t>(uint32_t(le[0]) | uint32_t(le[1]) << 8 | uint32_t(le[2]) << 16 |
                                      uint32_t(le[3]) << 24);
  if (n < 0 || n > stream.Size() - stream.Position()) throw EReadError(LoadResString(dcconsts::_SErrBadPropStream));
  AnsiString text(static_cast<size_t>(n), '\0');
  if (n) stream.ReadBuffer(text.data(), n);
  return text;
}

void ForEachFile(const AnsiString& pathWithMask, uint32_t attributes, bool recursive,
                 const TFileFoundCallBack& callback) {
  bool proceed = true;
  std::function<bool(const AnsiString&)> walk = [&](const AnsiString& pattern) {
    filecalls::ForEachEntry(pattern, attributes, [&](const AnsiString& folder, const TSearchRec& rec) {
      callback(folder, rec, proceed);
      return proceed;
    });
    if (!proceed || !recursive) return proceed;
    const auto sep = pattern.find_last_of("\\/");
    const AnsiString folder = sep == AnsiString::npos ? AnsiString() : pattern.substr(0, sep + 1);
    const AnsiString mask = sep == AnsiString::npos ? pattern : pattern.substr(sep + 1);
    std::vector<AnsiString> subfolders;
    filecalls::ForEachEntry(folder + "*", faDirectory | faHidden | faSysFile,
                            [&](const AnsiString&, const TSearchRec& rec) {
                              if (rec.Attr & faDirectory) subfolders.push_back(rec.Name);
                              return true;
                            });
    for (const AnsiString& sub : subfolders)
      if (!walk(folder + sub + filecalls::Separator() + mask)) return false;
    return true;
  };
  walk(pathWithMask);
}

void FindFiles(const AnsiString& pathWithMask, uint32_t attributes, bool recursive, TStrings& strings) {
  ForEachFile(pathWithMask, attributes, recursive,
              [&](const AnsiString& path, const TSearchRec& rec, bool&) { strings.Add(path + rec.Name); });
}

void FindFilesEx(const AnsiString& folder, const AnsiString& masks, uint32_t attributes, TStrings& strings,
                 bool recursive) {
  TStringList maskList;
  ParseAndCompactString(masks, ';', maskList);
  if (maskList.Count() == 0) maskList.Add("*.*");
  AnsiString base = folder;
  if (!base.empty() && base.back() != '\\' && base.back() != '/') base += filecalls::Separator();
  TStringList found;
  found.SetSorted(true);
  found.SetDuplicates(dupIgnore);
  TStringList names;
  for (int32_t i = 0; i < maskList.Count(); ++i) {
    names.Clear();
    FindFiles(base + maskList.Strings(i), attributes, recursive, names);
    for (int32_t j = 0; j < names.Count(); ++j) found.Add(AnsiUpperCase(names.Strings(j)));
  }
  strings.AddStrings(found);
}

AnsiString ExtractOnlyName(const AnsiString& file) {
  const auto sep = file.find_last_of("\\/:");
  AnsiString name = sep == AnsiString::npos ? file : file.substr(sep + 1);
  const auto dot = name.find_last_of('.');
  if (dot != AnsiString::npos) name.erase(dot);
  return name;
}

AnsiString ChangeFileName(const AnsiString& file, const AnsiString& newName) {
  const auto sep = file.find_last_of("\\/:");
  return (sep == AnsiString::npos ? AnsiString() : file.substr(0, sep + 1)) + newName;
}

bool SaveStringToFile(const AnsiString& file, const AnsiString& text) {
  const auto sep = file.find_last_of("\\/:");
  const AnsiString folder = sep == AnsiString::npos ? AnsiString() : file.substr(0, sep + 1);
  const AnsiString temp = filecalls::MakeTempFile(folder, "kel");
  if (temp.empty()) return false;
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (f) ok = std::fclose(f) == 0 && ok;
  if (ok && filecalls::FileExists(file)) {
    // Keep the old file until the new one is in place.
    const AnsiString old = temp + ".old";
    ok = filecalls::RenameFile(file, old);
    if (ok) {
      ok = filecalls::RenameFile(temp, file);
      if (ok)
        filecalls::RemoveFile(old);
      else
        filecalls::RenameFile(old, file);
    }
  } else if (ok) {
    ok = filecalls::RenameFile(temp, file);
  }
  if (!ok) filecalls::RemoveFile(temp);
  return ok;
}

void ExtractFilePaths(const TStrings& source, TStrings& dest) {
  TStringList paths;
  paths.SetSorted(true);
  for (int32_t i = 0; i < source.Count(); ++i) {
    const AnsiString& name = source.Strings(i);
    const auto sep = name.find_last_of("\\/:");
    if (sep != AnsiString::npos) paths.Add(name.substr(0, sep + 1));
  }
  dest.AddStrings(paths);
}

AnsiString AppFolder() { return filecalls::ExeFolder(); }

bool ModifyFileAttr(const AnsiString& file, uint32_t setAttributes, uint32_t clearAttributes) {
  uint32_t attributes = 0;
  if (!filecalls::GetAttributes(file, attributes)) return false;
  return filecalls::SetAttributes(file, (attributes | setAttributes) & ~clearAttributes);
}

void ModifyFilesAttr(const TStrings& files, uint32_t setAttributes, uint32_t clearAttributes) {
  for (int32_t i = 0; i < files.Count(); ++i) ModifyFileAttr(files.Strings(i), setAttributes, clearAttributes);
}

AnsiString DCRelativeFileSearch(const AnsiString& file, const AnsiString& searchPath) {
  if (filecalls::FileExists(file)) return file;
  const size_t sep = file.find_last_of("\\/:");
  const AnsiString name = sep == AnsiString::npos ? file : file.substr(sep + 1);
  size_t at = 0;
  while (at <= searchPath.size()) {
    size_t end = searchPath.find(';', at);
    if (end == AnsiString::npos) end = searchPath.size();
    AnsiString folder = TrimText(searchPath.substr(at, end - at));
    at = end + 1;
    if (folder.empty()) continue;
    if (folder.back() != '\\' && folder.back() != '/') folder += filecalls::Separator();
    if (filecalls::FileExists(folder + name)) return folder + name;
  }
  return AnsiString();
}

bool DCGetUnitSource(AnsiString& file, const AnsiString& searchPath, TStrings& strings) {
  const AnsiString found = DCRelativeFileSearch(file, searchPath);
  if (found.empty()) return false;
  std::FILE* f = std::fopen(found.c_str(), "rb");
  if (!f) return false;
  AnsiString text;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
  std::fclose(f);
  strings.SetText(text);
  file = found;
  return true;
}

TCharSet StringToCharSet(const TCharSet& base, const AnsiString& text, bool caseSensitive) {
  TCharSet set = base;
  for (char c : text) {
    set.set(static_cast<unsigned char>(c));
    if (!caseSensitive) {
      const AnsiString one(1, c);
      set.set(static_cast<unsigned char>(AnsiUpperCase(one)[0]));
      set.set(static_cast<unsigned char>(AnsiLowerCase(one)[0]));
    }
  }
  return set;
}

AnsiString RemoveStrSet(const AnsiString& chars, const AnsiString& text, bool caseSensitive) {
  return RemoveCharSet(StringToCharSet(TCharSet(), chars, caseSensitive), text);
}

AnsiString RemoveNonIdentChars(const AnsiString& text) {
  AnsiString out;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') out += c;
  return out;
}

AnsiString PReadShortStr(const uint8_t*& p) {
  const uint8_t n = *p++;
  AnsiString s(reinterpret_cast<const char*>(p), n);
  p += n;
  return s;
}

int32_t CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local.tm_year + 1900;
}

AnsiString PointToStr(int32_t x, int32_t y) { return std::to_string(x) + " " + std::to_string(y); }

AnsiString RectToStr(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return PointToStr(left, top) + " " + PointToStr(right, bottom);
}

namespace {

// 1-based position of a match in `line` starting at or after `from` (at or
// before `from` backwards); 0 when none.
int32_t MatchInLine(const AnsiString& text, const AnsiString& line, TSearchParams options, const TCharSet& separators,
                    int32_t from) {
  const bool caseSens = options & spCaseSens;
  const AnsiString hay = caseSens ? line : AnsiUpperCase(line);
  const AnsiString needle = caseSens ? text : AnsiUpperCase(text);
  if (needle.empty() || needle.size() > hay.size()) return 0;
  const auto whole = [&](size_t at) {
    if (!(options & spWholeWords)) return true;
    const bool left = at == 0 || separators[static_cast<unsigned char>(hay[at - 1])];
    const size_t end = at + needle.size();
    const bool right = end >= hay.size() || separators[static_cast<unsigned char>(hay[end])];
    return left && right;
  };
  const int32_t last = static_cast<int32_t>(hay.size() - needle.size()) + 1;
  if (options & spBackSearch) {
    for (int32_t p = std::min(from, last); p >= 1; --p)
      if (hay.compare(static_cast<size_t>(p - 1), needle.size(), needle) == 0 && whole(static_cast<size_t>(p - 1)))
        return p;
  } else {
    for (int32_t p = std::max(from, 1); p <= last; ++p)
      if (hay.compare(static_cast<size_t>(p - 1), needle.size(), needle) == 0 && whole(static_cast<size_t>(p - 1)))
        return p;
  }
  return 0;
}

}  // namespace

bool FindInStringsEx(const AnsiString& text, const TStrings& strings, TSearchParams options,
                     const TCharSet& separators, int32_t& line, int32_t& column) {
  const bool back = options & spBackSearch;
  int32_t from = column;
  for (int32_t l = line; l >= 0 && l < strings.Count(); l += back ? -1 : 1) {
    const AnsiString s = strings.Strings(l);
    if (l != line) from = back ? static_cast<int32_t>(s.size()) : 1;
    if (const int32_t p = MatchInLine(text, s, options, separators, from)) {
      line = l;
      column = p;
      return true;
    }
  }
  return false;
}

bool FindFirstInStrings(const AnsiString& text, const TStrings& strings, TSearchParams options,
                        const TCharSet& separators, int32_t& line, int32_t& column) {
  column = 1;
  return FindInStringsEx(text, strings, options, separators, line, column);
}

bool FindNextInStrings(const AnsiString& text, const TStrings& strings, TSearchParams options,
                       const TCharSet& separators, int32_t& line, int32_t& column) {
  int32_t l = line, c = (options & spBackSearch) ? column - 1 : column + 1;
  if (c < 1 && (options & spBackSearch)) {
    if (--l < 0) return false;
    c = static_cast<int32_t>(strings.Strings(l).size());
  }
  if (!FindInStringsEx(text, strings, options, separators, l, c)) return false;
  line = l;
  column = c;
  return true;
}
