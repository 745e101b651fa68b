#include "framework/controls3d/ziMnemonic.h"

#include "classlib/AnsiString.h"

void ziMnemonic::strip(std::string& text, int32_t& hasMnemonic, int32_t& index) {
    if (text.find('&') == std::string::npos) return;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        } else {
            hasMnemonic = 1;
            index = static_cast<int32_t>(out.size());
        }
    }
    text = out;
}

char ziMnemonic::key(const char* windowText) {
    if (!windowText) return 0;
    for (const char* p = windowText; *p; ++p) {
        if (*p != '&') continue;
        if (p[1] != '&') return p[1];
        ++p;  // "&&" is a plain ampersand, not a marker
    }
    return 0;
}

bool ziMnemonic::matches(const char* windowText, uint32_t keyCode) {
    const char k = key(windowText);
    if (k == 0 || keyCode > 0xFF) return false;
    // Key codes name letters in upper case; the lower-case range of the
    // codes belongs to the number pad and the function keys (0x70 is F1).
    return static_cast<unsigned char>(AnsiUpperChar(k)) == keyCode;
}
