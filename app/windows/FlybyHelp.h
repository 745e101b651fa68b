#pragma once
// The small yellow hint bubble shown under the mouse pointer for a tool-bar
// button or a school tab: a top-most pop-up window that never takes the
// focus, placed below the pointer and kept inside the main frame's right
// edge. It is removed by deleting it.
#include <windows.h>

#include <cstdint>
#include <string>

class FlybyHelp {
public:
    // Measures the text, places the bubble by the present mouse position and
    // shows it at once.
    explicit FlybyHelp(const char* text);
    ~FlybyHelp();
    FlybyHelp(const FlybyHelp&) = delete;
    FlybyHelp& operator=(const FlybyHelp&) = delete;

    // The bubble's screen rectangle for a mouse position, half the cursor
    // height, the text's size and the right edge the bubble must end 8
    // pixels before: under the pointer, 8 from the left screen edge at the
    // least.
    static RECT place(POINT mouse, int32_t halfCursor, SIZE text, int32_t rightEdge);

    HWND handle() const { return hwnd_; }
    const RECT& rect() const { return rect_; }
    const std::string& text() const { return text_; }

    static constexpr COLORREF Colour = 0x00C0FFFF;  // RGB 255, 255, 192
    static constexpr const char* ClassName = "FlybyHelpCL";

private:
    // GDI calls only: nothing in them can throw.
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void paint(HDC dc) const noexcept;

    POINT mouse_{};
    HWND under_ = nullptr;
    RECT rect_{};
    std::string text_;
    HWND hwnd_ = nullptr;
};
