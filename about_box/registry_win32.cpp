// SPDX-License-Identifier: MIT
// The real registry, through the ANSI interface. Windows builds only; it is
// also compiled on its own by the test suite with a cross compiler.
#ifdef _WIN32

#include "about_box/registry.h"

#include <windows.h>

namespace reg {

namespace {

HKEY toHkey(Handle h) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(h)); }

// Predefined roots are sign-extended 32-bit values on 64-bit Windows.
Handle fromRoot(Handle h)
{
    return static_cast<Handle>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(h))));
}

class WindowsRegistry final : public Registry {
public:
    long OpenKeyEx(Handle root, const std::string& subKey, std::uint32_t options,
                   std::uint32_t access, Handle& result) override
    {
        HKEY opened = nullptr;
        const LONG rc = RegOpenKeyExA(toHkey(fromRoot(root)), subKey.c_str(), options,
                                      static_cast<REGSAM>(access), &opened);
        result = rc == ERROR_SUCCESS ? static_cast<Handle>(reinterpret_cast<ULONG_PTR>(opened)) : 0;
        return rc;
    }

    long QueryValueEx(Handle key, const std::string& valueName, std::uint32_t& type,
                      unsigned char* data, std::uint32_t& size) override
    {
        DWORD t = 0;
        DWORD s = size;
        const LONG rc = RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, &t, data, &s);
        type = t;
        size = s;
        return rc;
    }

    long CloseKey(Handle key) override { return RegCloseKey(toHkey(key)); }
};

} // namespace

std::unique_ptr<Registry> MakeWindowsRegistry() { return std::make_unique<WindowsRegistry>(); }

} // namespace reg

#endif // _WIN32
