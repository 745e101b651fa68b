#pragma once
// Mnemonic markers of control captions: "&Datei" shows "Datei" with the
// "D" underlined and answers the key D; "&&" stands for one ampersand.

#include <cstdint>
#include <string>

struct ziMnemonic {
    // Removes the markers from text in place. A single '&' is dropped and
    // sets hasMnemonic to 1 and index to the position the next character
    // takes in the stripped text; "&&" becomes "&". Text without markers is
    // left alone, and so are hasMnemonic and index.
    static void strip(std::string& text, int32_t& hasMnemonic, int32_t& index);

    // The character after the first single '&' of a window text ("&&" is
    // skipped), or 0 when there is none.
    static char key(const char* windowText);

    // Whether a virtual-key code names the window text's mnemonic. The
    // mnemonic compares without regard to its case: the key code 'D' matches
    // both "&Datei" and "&datei"; other key codes (F1 is 0x70, 'p') do not.
    static bool matches(const char* windowText, uint32_t keyCode);
};
