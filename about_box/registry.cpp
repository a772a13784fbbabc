// SPDX-License-Identifier: MIT
#include "about_box/registry.h"
#include "about_box/registry_desktop.h"
#include "about_box/registry_memory.h"

#include <QByteArray>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <cstring>

namespace reg {

namespace {

std::unique_ptr<Registry> platformRegistry()
{
#ifdef _WIN32
    return MakeWindowsRegistry();
#else
    return MakeDesktopRegistry();
#endif
}

std::unique_ptr<Registry>& current()
{
    static std::unique_ptr<Registry> r;
    return r;
}

// Values are read-only: a request for more than reading is refused.
constexpr std::uint32_t writeRights = KeyAllAccess & ~KeyRead;

class DesktopRegistry final : public Registry {
public:
    long OpenKeyEx(Handle root, const std::string& subKey, std::uint32_t, std::uint32_t access,
                   Handle& result) override
    {
        result = 0;
        if (access & writeRights)
            return AccessDenied;
        if (root != LocalMachine || subKey != SysInfoKey)
            return FileNotFound;
        path_ = FindSystemInformationProgram();
        if (path_.empty())
            return FileNotFound;
        result = 0x5151;
        return Success;
    }

    long QueryValueEx(Handle key, const std::string& valueName, std::uint32_t& type,
                      unsigned char* data, std::uint32_t& size) override
    {
        if (key != 0x5151)
            return InvalidHandle;
        if (valueName != SysInfoValue)
            return FileNotFound;
        const std::uint32_t needed = std::uint32_t(path_.size() + 1);
        type = TypeString;
        if (needed > size) {
            size = needed;
            return MoreData;
        }
        std::memcpy(data, path_.c_str(), needed);
        size = needed;
        return Success;
    }

    long CloseKey(Handle key) override { return key == 0x5151 ? Success : InvalidHandle; }

private:
    std::string path_;
};

} // namespace

Registry& Current()
{
    if (!current())
        current() = platformRegistry();
    return *current();
}

void Use(std::unique_ptr<Registry> registry) { current() = std::move(registry); }

std::vector<std::string> SystemInformationPrograms()
{
    return {"kinfocenter", "hardinfo2", "hardinfo", "lshw-gtk"};
}

std::string FindSystemInformationProgram()
{
    for (const std::string& name : SystemInformationPrograms()) {
        const QString found = QStandardPaths::findExecutable(QString::fromStdString(name));
        if (!found.isEmpty())
            return found.toLocal8Bit().toStdString();
    }
    return {};
}

std::unique_ptr<Registry> MakeDesktopRegistry() { return std::make_unique<DesktopRegistry>(); }

// --- MemoryRegistry

void MemoryRegistry::SetValue(const std::string& key, const std::string& name, std::uint32_t type,
                              std::vector<unsigned char> bytes)
{
    keys_[key][name] = Value{type, std::move(bytes)};
}

void MemoryRegistry::SetString(const std::string& key, const std::string& name,
                               const std::string& text, bool withNul)
{
    std::vector<unsigned char> bytes(text.begin(), text.end());
    if (withNul)
        bytes.push_back(0);
    SetValue(key, name, TypeString, std::move(bytes));
}

void MemoryRegistry::SetReadOnly(const std::string& key) { readOnly_.insert(key); }

long MemoryRegistry::OpenKeyEx(Handle root, const std::string& subKey, std::uint32_t,
                               std::uint32_t access, Handle& result)
{
    lastAccess_ = access;
    result = 0;
    if (root != LocalMachine)
        return InvalidHandle;
    const auto it = keys_.find(subKey);
    if (it == keys_.end())
        return FileNotFound;
    if (readOnly_.count(subKey) && (access & writeRights))
        return AccessDenied;
    result = next_++;
    open_[result] = subKey;
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
    const auto& values = keys_[h->second];
    const auto v = values.find(valueName);
    if (v == values.end())
        return FileNotFound;
    type = v->second.type;
    const std::uint32_t needed = std::uint32_t(v->second.bytes.size());
    if (needed > size) {
        size = needed;
        return MoreData;
    }
    std::copy(v->second.bytes.begin(), v->second.bytes.end(), data);
    size = needed;
    return Success;
}

long MemoryRegistry::CloseKey(Handle key)
{
    return open_.erase(key) ? Success : InvalidHandle;
}

} // namespace reg
