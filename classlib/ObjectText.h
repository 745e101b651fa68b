#pragma once
// The text form of the component stream and the conversions between it and
// the binary form (Filer.h):
//
//   object Name: TClass
//     Width = 70
//     Caption = 'it''s'#13#10'two lines'
//     Kinds = [skOne, skThree]
//     Ratio = 0.5          (2.5s single, 1.25c currency, 4.5d date)
//     Lines.Strings = (
//       'eins'
//       'zwei')
//     Items = <
//       item
//         Caption = 'a'
//       end>
//     Data = {0A0B}
//     object Child: TOther
//     end
//   end
//
// Text is Windows-1252; a wide string's characters beyond it are written
// as #code.
#include "classlib/Exception.h"
#include "classlib/Stream.h"

// Reads one component in binary form from `input` (at its signature) and
// writes its text form to `output`. Damaged input raises EReadError.
void ObjectBinaryToText(TStream& input, TStream& output);
// Reads the text form and writes the binary form. A syntax fault raises
// EParserError with the line number.
void ObjectTextToBinary(TStream& input, TStream& output);

class EParserError : public EReadError {
 public:
  using EReadError::EReadError;
};
