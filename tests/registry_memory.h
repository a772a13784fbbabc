// SPDX-License-Identifier: MIT
// An in-memory registry: any key, any type, any bytes. It follows the ANSI
// interface's rules for names (any case, a trailing backslash, the parents of
// a key), roots, rights, status codes and sizes, and counts open handles so
// that a test can see every opened key closed again.
#pragma once

#include "about_box/registry.h"

#include <map>
#include <string>
#include <vector>

namespace reg {

// What the real registry answers a path it cannot parse (a leading backslash).
inline constexpr long BadPathname = 161; // ERROR_BAD_PATHNAME

class MemoryRegistry final : public Registry {
public:
    struct Value {
        std::uint32_t type = TypeString;
        std::vector<unsigned char> bytes;
    };

    void SetValue(const std::string& key, const std::string& name, std::uint32_t type,
                  std::vector<unsigned char> bytes);
    void SetString(const std::string& key, const std::string& name, const std::string& text,
                   bool withNul = true);
    // Opening this key with rights beyond these is refused: KeyRead for an
    // ordinary user under the local-machine root, 0 for a key whose
    // security lets nobody read it.
    void Allow(const std::string& key, std::uint32_t rights);

    long OpenKeyEx(Handle root, const std::string& subKey, std::uint32_t options,
                   std::uint32_t access, Handle& result) override;
    long QueryValueEx(Handle key, const std::string& valueName, std::uint32_t& type,
                      unsigned char* data, std::uint32_t& size) override;
    long CloseKey(Handle key) override;

    int OpenHandles() const { return int(open_.size()); }
    int Opens() const { return opens_; }
    std::uint32_t LastAccess() const { return lastAccess_; }
    std::vector<std::string> Queried() const { return queried_; }

private:
    bool exists(const std::string& key) const;

    // Keys and values by their names in upper case.
    std::map<std::string, std::map<std::string, Value>> keys_;
    std::map<std::string, std::uint32_t> allowed_;
    std::map<Handle, std::string> open_;
    Handle next_ = 0x1000;
    int opens_ = 0;
    std::uint32_t lastAccess_ = 0;
    std::vector<std::string> queried_;
};

} // namespace reg
