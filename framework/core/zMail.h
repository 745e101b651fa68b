#pragma once
// The Simple MAPI library for the program's mail hand-off. It is loaded the
// first time it is asked for, not when the application starts: loading it
// (and the mail system behind it) costs start-up time and is rarely needed.
#include <windows.h>

#include <cstdint>

class zMail {
public:
    zMail();
    ~zMail();
    zMail(const zMail&) = delete;
    zMail& operator=(const zMail&) = delete;

    bool available() const { return load(), available_ != 0; }
    FARPROC sendMail() const { return load(), sendMail_; }
    FARPROC logon() const { return load(), logon_; }

private:
    void load() const;

    mutable bool tried_ = false;
    mutable HMODULE module_ = nullptr;
    int32_t reserved1_ = 1;
    int32_t reserved2_ = 0;
    mutable int32_t available_ = 0;
    mutable FARPROC sendMail_ = nullptr;
    mutable FARPROC logon_ = nullptr;
};
