// SPDX-License-Identifier: MIT
// The system registry as the launcher reads it: open a key, query a value
// into a byte buffer, close the key, with the status codes, types and size
// rules of the platform's ANSI registry interface. Free of Qt, so that the
// Windows implementation builds on its own.
//
// Implementations: the real registry (Windows builds only) and this
// desktop's stand-in (DesktopRegistry); the tests bring an in-memory one of
// their own (tests/registry_memory.h), checked against the real one under Wine.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace reg {

using Handle = std::uint64_t;

inline constexpr Handle LocalMachine = 0x80000002; // HKEY_LOCAL_MACHINE

inline constexpr long Success = 0;          // ERROR_SUCCESS
inline constexpr long FileNotFound = 2;     // ERROR_FILE_NOT_FOUND
inline constexpr long AccessDenied = 5;     // ERROR_ACCESS_DENIED
inline constexpr long InvalidHandle = 6;    // ERROR_INVALID_HANDLE
inline constexpr long MoreData = 234;       // ERROR_MORE_DATA

inline constexpr std::uint32_t TypeString = 1;       // REG_SZ
inline constexpr std::uint32_t TypeExpandString = 2; // REG_EXPAND_SZ
inline constexpr std::uint32_t TypeDword = 4;        // REG_DWORD
inline constexpr std::uint32_t TypeMultiString = 7;  // REG_MULTI_SZ

inline constexpr std::uint32_t KeyRead = 0x20019; // KEY_READ
// Standard read rights with every key-specific right, write rights included
// (the SDK's KEY_ALL_ACCESS is 0xF003F: it adds deleting and changing the
// key's security).
inline constexpr std::uint32_t KeyReadAllKeyRights = 0x2003F;

class Registry {
public:
    virtual ~Registry() = default;
    // Names are in the system code page. On success `result` is an open key.
    virtual long OpenKeyEx(Handle root, const std::string& subKey, std::uint32_t options,
                           std::uint32_t access, Handle& result) = 0;
    // `size` holds the buffer's size in bytes on the way in, the value's on
    // the way out; a value larger than the buffer gives MoreData.
    virtual long QueryValueEx(Handle key, const std::string& valueName, std::uint32_t& type,
                              unsigned char* data, std::uint32_t& size) = 0;
    virtual long CloseKey(Handle key) = 0;
};

// The registry in use: the platform's own unless a test installed another.
Registry& Current();
void Use(std::unique_ptr<Registry> registry); // empty: back to the platform's

#ifdef _WIN32
std::unique_ptr<Registry> MakeWindowsRegistry();
#endif

} // namespace reg
