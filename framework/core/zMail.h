#pragma once
// The Simple MAPI library, loaded for the program's mail hand-off.
#include <windows.h>

#include <cstdint>

class zMail {
public:
    zMail();
    ~zMail();
    zMail(const zMail&) = delete;
    zMail& operator=(const zMail&) = delete;

    bool available() const { return available_ != 0; }
    FARPROC sendMail() const { return sendMail_; }
    FARPROC logon() const { return logon_; }

private:
    HMODULE module_ = nullptr;
    int32_t reserved1_ = 1;
    int32_t reserved2_ = 0;
    int32_t available_ = 0;
    FARPROC sendMail_ = nullptr;
    FARPROC logon_ = nullptr;
};
