#pragma once
// Text, word, string-list and file-search helpers. Positions are 1-based;
// separators are a set of byte values given by the caller.
#include "classlib/AnsiString.h"
#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "components/buttonedits/runtime/FileCalls.h"

#include <bitset>
#include <cstdint>
#include <functional>

using TCharSet = std::bitset<256>;
TCharSet CharSetOf(const char* chars);
// Blanks, tabs, line ends and the usual punctuation.
const TCharSet& DefaultSeparators();

void AddStr(AnsiString& text, const AnsiString& addition);
// Position of the first non-blank character (length + 1 when none).
int32_t GetFirstNotSpace(const AnsiString& text);
AnsiString StringOfSpace(int32_t n);
// Pads with blanks to length n (longer texts unchanged).
void AddBackSpaces(AnsiString& text, int32_t n);
// Deletes length(old) characters at `position` and inserts `replacement`.
void Replace(AnsiString& text, int32_t position, const AnsiString& old, const AnsiString& replacement);
// Every occurrence; the search goes on after each inserted text. An empty
// `old` changes nothing.
void ReplaceAllOccur(AnsiString& text, const AnsiString& old, const AnsiString& replacement);
void ReplaceAllOccurEx(AnsiString& text, const AnsiString& old, const AnsiString& replacement, bool ignoreCase);
// Drops one enclosing pair of `quote` and reduces each doubled quote to one.
AnsiString ExtractQuotedStr(const AnsiString& text, char quote);
AnsiString RemoveCharSet(const TCharSet& set, const AnsiString& text);
// Each occurrence of `c` repeated to n + 1 copies.
AnsiString AddCharOccurence(const AnsiString& text, char c, int32_t n);
AnsiString TrimSeparatorsLeft(const AnsiString& text, const TCharSet& separators);
AnsiString TrimSeparatorsRight(const AnsiString& text, const TCharSet& separators);
AnsiString TrimSeparators(const AnsiString& text, const TCharSet& separators);
// Position of the n-th word (n from 1) in the text trimmed of separators at
// both ends; -1 when there is none.
int32_t GetWordPos(const AnsiString& text, int32_t n, const TCharSet& separators);
AnsiString GetWordEx(const AnsiString& text, int32_t n, const TCharSet& separators);
AnsiString GetWord(const AnsiString& text, int32_t n);
inline bool IsLeapHour(int32_t h) { return h >= 0 && h <= 23; }
inline bool IsLeapMinute(int32_t m) { return m >= 0 && m <= 59; }
// Each doubled backslash replaced by one.
AnsiString RemoveExtraSlash(const AnsiString& path);
bool StrToBoolean(const AnsiString& text);
// The base set and the characters of the text (both letter cases of each
// unless `caseSensitive`); the text without those characters.
TCharSet StringToCharSet(const TCharSet& base, const AnsiString& text, bool caseSensitive);
AnsiString RemoveStrSet(const AnsiString& chars, const AnsiString& text, bool caseSensitive);
// The text without the characters that cannot stand in an identifier.
AnsiString RemoveNonIdentChars(const AnsiString& text);
// A length byte and that many characters; the pointer moves past them.
AnsiString PReadShortStr(const uint8_t*& p);
int32_t CurrentYear();
// "x y" and "left top right bottom".
AnsiString PointToStr(int32_t x, int32_t y);
AnsiString RectToStr(int32_t left, int32_t top, int32_t right, int32_t bottom);

// Searching a text in the lines of a list, from a line (0-based) and a
// column (1-based): case-sensitive or not, whole words only (bounded by
// separators or line ends), backwards. On a hit `line` and `column` give
// the match's start.
enum TSearchParam : uint32_t { spCaseSens = 1, spWholeWords = 2, spBackSearch = 4 };
using TSearchParams = uint32_t;
bool FindInStringsEx(const AnsiString& text, const TStrings& strings, TSearchParams options,
                     const TCharSet& separators, int32_t& line, int32_t& column);
// From the start of `line` (column 1).
bool FindFirstInStrings(const AnsiString& text, const TStrings& strings, TSearchParams options,
                        const TCharSet& separators, int32_t& line, int32_t& column);
// From after the match at (line, column) (before it when searching back).
bool FindNextInStrings(const AnsiString& text, const TStrings& strings, TSearchParams options,
                       const TCharSet& separators, int32_t& line, int32_t& column);

// Deletes, from the end, every entry that is empty after trimming.
void RemoveEmptyStrings(TStrings& strings);
AnsiString StrArrayToDelimStr(const AnsiString* items, int32_t lastIndex, char delimiter);
AnsiString CommaText(const AnsiString* items, int32_t lastIndex);
// Deletes every entry found in `toRemove`.
void RemoveStrings(TStrings& strings, const TStrings& toRemove);
// Deletes every entry not found in `other`; every entry found in it.
void IntersectStrings(TStrings& strings, const TStrings& other);
void SubtractStrings(TStrings& strings, const TStrings& other);
void SortAndRemoveDups(TStrings& strings);
int32_t MaxIntValue(const int32_t* items, int32_t lastIndex);

// A text as a 32-bit length and its characters. Reading a length that is
// negative or larger than what is left of the stream raises EReadError.
void DCWriteStrWithLenToStream(TStream& stream, const AnsiString& text);
AnsiString DCReadStrWithLenFromStream(TStream& stream);

// Callback of ForEachFile: `path` is the folder with its separator;
// clearing `proceed` stops the search.
using TFileFoundCallBack = std::function<void(const AnsiString& path, const TSearchRec& rec, bool& proceed)>;
void ForEachFile(const AnsiString& pathWithMask, uint32_t attributes, bool recursive,
                 const TFileFoundCallBack& callback);
// Adds the full names found (the list is not cleared).
void FindFiles(const AnsiString& pathWithMask, uint32_t attributes, bool recursive, TStrings& strings);
// Masks separated by ";" (none: all files); the names found, upper-cased,
// sorted and without duplicates, are added to `strings`.
void FindFilesEx(const AnsiString& folder, const AnsiString& masks, uint32_t attributes, TStrings& strings,
                 bool recursive);
// The file name without folder and extension.
AnsiString ExtractOnlyName(const AnsiString& file);
AnsiString ChangeFileName(const AnsiString& file, const AnsiString& newName);
// Writes the text as the file's whole content, through a temporary file
// renamed over the old one; false when that fails.
bool SaveStringToFile(const AnsiString& file, const AnsiString& text);
// The folder of the running program with its trailing separator.
AnsiString AppFolder();
// Sets and clears attribute bits of the file (natively only faReadOnly);
// false when that failed.
bool ModifyFileAttr(const AnsiString& file, uint32_t setAttributes, uint32_t clearAttributes);
void ModifyFilesAttr(const TStrings& files, uint32_t setAttributes, uint32_t clearAttributes);
// When `file` does not exist as given, the first folder of the
// ";"-separated search path that holds its name; empty when none.
AnsiString DCRelativeFileSearch(const AnsiString& file, const AnsiString& searchPath);
// Loads the found file into `strings` and updates the name; false when it
// is nowhere.
bool DCGetUnitSource(AnsiString& file, const AnsiString& searchPath, TStrings& strings);

// The folders (with trailing separator) of the file names, sorted, once.
void ExtractFilePaths(const TStrings& source, TStrings& dest);
