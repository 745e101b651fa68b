#include "xml/dom/XpMessages.h"

#include <iterator>

namespace {

struct Entry {
  int32_t Id;
  const char* Text;
};

// Sorted by identifier.
constexpr Entry kMessages[] = {
    {65435, "Only ASCII characters can be written without an encoding declaration"},
    {65436, "Unknown operator $%s$"},
    {65437, "Variable $%s is not defined"},
    {65438, "Expression nested deeper than %d levels"},
    {65439, "Division by zero in %s"},
    {65440, "Cannot convert UCS-4 character to ISO-8859-1"},
    {65441, "Cannot convert UCS-4 character to UTF-16"},
    {65442, "Cannot convert UCS-4 character to UTF-8"},
    {65443, "Elements nested deeper than %d levels"},
    {65444, "Entities nested deeper than %d levels at entity %s"},
    {65445, "Entity expansion exceeds %lld characters at entity %s"},
    {65446, "Name longer than %d characters"},
    {65447, "Text longer than %lld characters"},
    {65448, "More than %d external resources in one document"},
    {65449, "External resources exceed %lld bytes"},
    {65450, "Character reference with too many digits: "},
    {65451, "External resource not loaded (resolver policy): %s"},
    {65452, "Entity text is not well-formed content: "},
    {65453, "Reference to an external or unparsed entity not allowed here: "},
    {65454, "Reserved processing-instruction target: "},
    {65455, "Content model nested deeper than %d levels"},
    {65456, "Expected start of new element."},
    {65457, "Relative path %s encountered before absolute internet path established."},
    {65458, "Cannot mix relative internet path %s with local path %s"},
    {65459, "Cannot mix absolute local path %s with internet path %s"},
    {65460, "String %s cannot be converted into a valid number."},
    {65461, "No handler specified for %s() function."},
    {65462, "Node set expected %s"},
    {65463, "for 2nd parameter of document() function"},
    {65464, "Entity %s is not an unparsed entity."},
    {65465, "Multiple entity declarations found for name %s"},
    {65466, "No DTD in document for unparsed-entity-uri(%s)"},
    {65467, "Invalid XML Character found"},
    {65468, "Invalid (big-endian) UTF-16 character encoding"},
    {65469, "Invalid (little-endian) UTF-16 character encoding"},
    {65470, "Badly formed UTF-8 character in stream"},
    {65471, "Unexpected end of document stream"},
    {65472, "Notation not declared: "},
    {65473, "Invalid PublicID character: "},
    {65474, "NDATA not allowed in parameter entity declaration"},
    {65475, "Standalone value must equal 'yes' or 'no'"},
    {65476, "Invalid encoding declaration: "},
    {65477, "Invalid XML version number: "},
    {65478, "Invalid character in entity value: "},
    {65479, "Comments can not be placed within other markup"},
    {65480, "Parameter entities not allowed in DTD internal subset"},
    {65481, "The XML declaration must appear before the first element"},
    {65482, "Invalid element name: "},
    {65483, "Parameter-entity text must be properly nested: "},
    {65484, "Invalid character encoding specified."},
    {65485, "Attribute %s of element %s does not have an integer value."},
    {65486, "Unknown axis specifier: %s"},
    {65487, "Encountered malformed IGNORE section."},
    {65488, "Expected String: "},
    {65489, "Whitespace expected at "},
    {65490, "End of input while looking for delimiter: "},
    {65491, "Expected \" or '"},
    {65492, "Tessavurn does not support XML specification greater than %s"},
    {65493, "Unable to create stream for input."},
    {65494, "Invalid XML name: "},
    {65495, "Invalid comment text"},
    {65496, "Document cannot start with a comment if it also contains an XML declaration"},
    {65497, "Invalid characters in CDATA section"},
    {65498, "Attributes cannot be redefined in a start tag"},
    {65499, "Circular reference to: "},
    {65500, "Invalid character in attribute value: "},
    {65501, "Invalid characters in element's character data: "},
    {65502, "There is invalid data after valid XML document"},
    {65503, "Conditional sections not allowed in internal subset of document type declaration"},
    {65504, "Unable to load source "},
    {65505, "Invalid memory Pointer"},
    {65506, "File: %s. Line: %d Col: %d Error: %s"},
    {65507, "ERROR INDEX OUT OF BOUNDS"},
    {65508, "Expected markup declaration, but found: "},
    {65509, "Illegal attribute type: "},
    {65510, "Illegal keyword for attribute default value: "},
    {65511, "System identifier missing "},
    {65512, "External modifier missing: "},
    {65513, "Conditional section must begin with INCLUDE or IGNORE"},
    {65514, "Bad separator in content model: "},
    {65515, "Expected comment or CDATA section "},
    {65516, "Unexpected end of file "},
    {65517, "Mismatched end tag: "},
    {65518, "Illegal character in reference: %s (%d)"},
    {65519, "Reference to undeclared entity: "},
    {65520, "Cannot open WININET, Microsoft IE required"},
    {65521, "Unable to open file "},
    {65522, "File %s could not be found"},
    {65523, "Unable to allocate memory for XML source"},
    {65524, "Http read request failed"},
    {65525, "Http data not available"},
    {65526, "Unable to send http request"},
    {65527, "Unable to open http request"},
    {65528, "Unable to make Internet connection"},
    {65529, "Unable to open Internet"},
    {65530, "Invalid ftp location"},
    {65531, "Invalid ftp directory"},
    {65532, "Ftp read request failed"},
    {65533, "Ftp data not available"},
    {65534, "Unable to open ftp file"},
    {65535, "Could not save file via ftp to %s"},
};

}  // namespace

AnsiString XpLoadStr(int32_t id) {
  for (const Entry& e : kMessages)
    if (e.Id == id) return e.Text;
  return AnsiString();
}

WideString XpLoadWideStr(int32_t id) { return AnsiToWide(XpLoadStr(id)); }

int32_t XpMessageCount() { return static_cast<int32_t>(std::size(kMessages)); }
