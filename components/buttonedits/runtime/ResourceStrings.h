#pragma once
// The button-edit library's texts. Code names a text by a record (module and
// string id) and loads it at the moment of use, so every message comes from
// one table. Texts are Windows-1252.
#include "classlib/AnsiString.h"

#include <cstdint>

struct TResStringRec {
  // Module whose string table holds the text; null is the program itself.
  const void* Module;
  int32_t Identifier;
};

// The text of the record; empty for an id the table does not hold.
AnsiString LoadResString(const TResStringRec& rec);

// The record's text formatted with printf-style arguments. An upper-case
// "%S" in a stored text formats like "%s".
AnsiString ResStrFmt(TResStringRec rec, ...);
// The same for a format text already loaded.
AnsiString FormatResText(const char* fmt, ...);

namespace dcconsts {
inline constexpr TResStringRec _SOkButton{nullptr, 65447};
inline constexpr TResStringRec _SCancelButton{nullptr, 65448};
inline constexpr TResStringRec _SHelpButton{nullptr, 65449};
inline constexpr TResStringRec _SErrUpdateRes{nullptr, 65341};
inline constexpr TResStringRec _SErrBadPropStream{nullptr, 65316};
inline constexpr TResStringRec _sErrCantOpen{nullptr, 65321};
inline constexpr TResStringRec _SErrDeleteFile{nullptr, 65288};
inline constexpr TResStringRec _SErrRenameFile{nullptr, 65289};
inline constexpr TResStringRec _SErrCantCreateTemp{nullptr, 65290};
inline constexpr TResStringRec _SErrReadProps{nullptr, 65264};
inline constexpr TResStringRec _SErrOCXLoadFail{nullptr, 65267};
inline constexpr TResStringRec _SErrOCXCantFindProc{nullptr, 65268};
inline constexpr TResStringRec _SErrOCXRegFail{nullptr, 65269};
inline constexpr TResStringRec _SErrStackEmpty{nullptr, 65208};
inline constexpr TResStringRec _SErrUnknRegType{nullptr, 65210};
inline constexpr TResStringRec _SError{nullptr, 65185};
inline constexpr TResStringRec _SErrFileOpen{nullptr, 65186};
inline constexpr TResStringRec _SErrMap{nullptr, 65187};
inline constexpr TResStringRec _SErrMapView{nullptr, 65188};
inline constexpr TResStringRec _SErrEXE{nullptr, 65189};
inline constexpr TResStringRec _SErrNoResources{nullptr, 65190};
inline constexpr TResStringRec _SErrResNotFound{nullptr, 65191};
inline constexpr TResStringRec _SSelectDirectory{nullptr, 65163};
inline constexpr TResStringRec _SErrDuplicateItem{nullptr, 65265};
// The name of the default key mapping of the key-mapped controls.
inline constexpr TResStringRec _SDefaultKeyMapping{nullptr, 64461};
}  // namespace dcconsts

// The class library's own list-index text, which the runtime's record list
// raises with the bad index.
inline constexpr TResStringRec SListIndexError{nullptr, 64577};
