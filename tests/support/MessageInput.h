#pragma once
// Input given to a window of the test as window messages, without the
// system's input queue (for that, RealInput.h):
//
//   postKey(window, VK_RETURN)   key down and up posted and pumped: the
//                                message handling (dialog keys included)
//                                turns the key down into its character
//   postText(window, "Müller")   Windows-1252 text, per character its WM_CHAR
//                                and the release of its key, posted and pumped
//   sendChar(window, 'a')        one WM_CHAR sent (handled on return)
//   sendText(window, "12,5")     sendChar for each byte
//   sendKey(window, VK_DOWN)     one WM_KEYDOWN sent; `extended` sets the
//                                extended-key bit arrow keys carry
//   sendClick(window, x, y)      left button down and up at a client point
//   holdKey(VK_SHIFT, true)      the key held (or let go) in the keyboard
//                                state GetKeyState reads
//   releaseKeys()                no key held (no Shift, Ctrl or Alt)
//   setClipboard("text")         the clipboard holds the text (CF_TEXT)
//
// Sent and posted messages do not change GetKeyState: hold modifier keys
// with holdKey.
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace kel::test {

inline void postKey(HWND target, WORD vk)
{
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    pump();
}

inline void postText(HWND target, const std::string& text)
{
    for (char c : text) {
        const SHORT vks = VkKeyScanA(c);
        const WORD vk = vks == -1 ? 0 : LOBYTE(vks);
        PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
        PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
        detail::drainQueue();
    }
    pump();
}

inline void sendChar(HWND w, unsigned char c) { SendMessageA(w, WM_CHAR, c, 1); }

inline void sendText(HWND w, const std::string& text)
{
    for (unsigned char c : text)
        sendChar(w, c);
}

inline void sendKey(HWND w, UINT vk, bool extended = true)
{
    SendMessageA(w, WM_KEYDOWN, vk, 1 | (extended ? 1 << 24 : 0));
}

inline void sendClick(HWND w, int x, int y)
{
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void holdKey(int vk, bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

inline void releaseKeys()
{
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

inline void setClipboard(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(g), text.c_str(), text.size() + 1);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

} // namespace kel::test
