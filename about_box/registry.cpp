// SPDX-License-Identifier: MIT
#include "about_box/registry.h"
#include "about_box/registry_desktop.h"

#include <QByteArray>
#include <QStandardPaths>
#include <QString>
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
constexpr std::uint32_t writeRights = KeyReadAllKeyRights & ~KeyRead;

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

std::vector<std::string> SystemInformationPanels()
{
    // GNOME Settings' system details: Debian 12's name, then Debian 13's.
    return {"gnome-info-overview-panel.desktop", "gnome-about-panel.desktop"};
}

std::string FindSystemInformationProgram()
{
    for (const std::string& name : SystemInformationPrograms()) {
        const QString found = QStandardPaths::findExecutable(QString::fromStdString(name));
        if (!found.isEmpty())
            return found.toLocal8Bit().toStdString();
    }
    for (const std::string& name : SystemInformationPanels()) {
        const QString found =
            QStandardPaths::locate(QStandardPaths::ApplicationsLocation, QString::fromStdString(name));
        if (!found.isEmpty())
            return found.toLocal8Bit().toStdString();
    }
    return {};
}

std::unique_ptr<Registry> MakeDesktopRegistry() { return std::make_unique<DesktopRegistry>(); }

} // namespace reg
