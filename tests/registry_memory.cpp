// SPDX-License-Identifier: MIT
#include "tests/registry_memory.h"

#include <algorithm>

namespace reg {

namespace {

// Key and value names compare without regard to case, as the real API does.
std::string folded(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

} // namespace

void MemoryRegistry::SetValue(const std::string& key, const std::string& name, std::uint32_t type,
                              std::vector<unsigned char> bytes)
{
    keys_[folded(key)][folded(name)] = Value{type, std::move(bytes)};
}

void MemoryRegistry::SetString(const std::string& key, const std::string& name,
                               const std::string& text, bool withNul)
{
    std::vector<unsigned char> bytes(text.begin(), text.end());
    if (withNul)
        bytes.push_back(0);
    SetValue(key, name, TypeString, std::move(bytes));
}

void MemoryRegistry::Allow(const std::string& key, std::uint32_t rights)
{
    allowed_[folded(key)] = rights;
}

bool MemoryRegistry::exists(const std::string& key) const
{
    // A key with values under it exists, and so do all its parents.
    return key.empty() || std::any_of(keys_.begin(), keys_.end(), [&](const auto& k) {
               return k.first == key || k.first.rfind(key + '\\', 0) == 0;
           });
}

long MemoryRegistry::OpenKeyEx(Handle root, const std::string& subKey, std::uint32_t,
                               std::uint32_t access, Handle& result)
{
    lastAccess_ = access;
    result = 0;
    // 64-bit Windows writes the predefined roots sign-extended.
    if (root >> 32 == 0xFFFFFFFFu)
        root &= 0xFFFFFFFFu;
    if (root != LocalMachine)
        return InvalidHandle;
    if (!subKey.empty() && subKey.front() == '\\')
        return BadPathname;
    std::string name = subKey;
    if (!name.empty() && name.back() == '\\')
        name.pop_back();
    const std::string key = folded(name);
    if (!exists(key))
        return FileNotFound;
    if (const auto rights = allowed_.find(key); rights != allowed_.end() && (access & ~rights->second))
        return AccessDenied;
    result = next_++;
    open_[result] = name;
    ++opens_;
    return Success;
}

long MemoryRegistry::QueryValueEx(Handle key, const std::string& valueName, std::uint32_t& type,
                                  unsigned char* data, std::uint32_t& size)
{
    const auto h = open_.find(key);
    if (h == open_.end())
        return InvalidHandle;
    queried_.push_back(h->second + "|" + valueName);
    const auto values = keys_.find(folded(h->second));
    if (values == keys_.end())
        return FileNotFound;
    const auto v = values->second.find(folded(valueName));
    if (v == values->second.end())
        return FileNotFound;
    const std::vector<unsigned char>& bytes = v->second.bytes;
    type = v->second.type;
    // A string stored without its NUL is given one by the ANSI interface:
    // the buffer must have room for it, and a value too large for the
    // buffer is reported with it.
    const bool addsNul = (type == TypeString || type == TypeExpandString || type == TypeMultiString) &&
                         !bytes.empty() && bytes.back() != 0;
    const std::uint32_t stored = std::uint32_t(bytes.size());
    const std::uint32_t needed = stored + (addsNul ? 1 : 0);
    if (needed > size) {
        size = needed;
        return MoreData;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    if (addsNul)
        data[stored] = 0;
    size = stored;
    return Success;
}

long MemoryRegistry::CloseKey(Handle key)
{
    return open_.erase(key) ? Success : InvalidHandle;
}

} // namespace reg
