#pragma once
// Resource identifiers: a number (or a name), and where to load from.
#include <windows.h>

#include <cstdint>
#include <string>

class zResId {
public:
    // library: (const char*)-1 none, null the application's resource
    // library name, otherwise the given file name.
    explicit zResId(int32_t number, const char* library = reinterpret_cast<const char*>(-1));
    explicit zResId(const char* name, const char* library = reinterpret_cast<const char*>(-1));

    // The argument for the loading functions: the name when the number is
    // 0, else MAKEINTRESOURCE of the number's low 16 bits.
    LPCSTR resource() const;
    const char* library() const { return hasLibrary_ ? library_.c_str() : nullptr; }
    int32_t number() const { return number_; }
    HMODULE module() const { return module_; }
    void setModule(HMODULE m) { module_ = m; }

    // Loads with `load` from the right module: a named library is loaded
    // and freed again (nothing when it cannot be loaded), else the module
    // handle, else the application instance.
    template <class F>
    auto loadWith(F load) const -> decltype(load(HINSTANCE{}, LPCSTR{}))
    {
        using R = decltype(load(HINSTANCE{}, LPCSTR{}));
        if (hasLibrary_ && !module_) {
            HMODULE lib = LoadLibraryA(library_.c_str());
            if (reinterpret_cast<uintptr_t>(lib) < 32)
                return R{};
            R r = load(lib, resource());
            if (lib != applicationInstance())
                FreeLibrary(lib);
            return r;
        }
        return load(module_ ? module_ : applicationInstance(), resource());
    }

private:
    static HINSTANCE applicationInstance();

    std::string name_;
    int32_t number_ = 0;
    std::string library_;
    bool hasLibrary_ = false;
    HMODULE module_ = nullptr;
};

class zIcon {
public:
    explicit zIcon(const zResId& id);
    zIcon(HICON handle, bool owned) : handle_(handle), owned_(owned ? 1 : 0) {}
    ~zIcon();
    zIcon(const zIcon&) = delete;
    zIcon& operator=(const zIcon&) = delete;

    HICON handle() const { return handle_; }
    // Gives the handle away: the icon no longer destroys it.
    HICON detach() { owned_ = 0; return handle_; }

private:
    HICON handle_ = nullptr;
    int32_t owned_ = 0;
};

class zCursor {
public:
    zCursor() : zCursor(IDC_ARROW) {}
    explicit zCursor(LPCSTR standard);
    explicit zCursor(const zResId& id);
    HCURSOR handle() const { return handle_; }

private:
    HCURSOR handle_ = nullptr;
};

class zWindow;

class zMessageBox {
public:
    zMessageBox(zWindow* owner, const char* text, const char* caption, UINT style);
    int result() const { return result_; }

private:
    int result_;
};
