// SPDX-License-Identifier: MIT
// GetKeyValue over any registry type and any bytes: it returns or raises a
// run-time error, keeps to its buffer, and always closes the key it opened.
#include "about_box/frmAbout.h"
#include "tests/registry_memory.h"
#include "toolkit/errors.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    std::uint32_t type = 0;
    std::memcpy(&type, data, 4);
    auto memory = std::make_unique<reg::MemoryRegistry>();
    reg::MemoryRegistry* r = memory.get();
    r->SetValue("K", "V", type % 8, std::vector<unsigned char>(data + 4, data + size));
    reg::Use(std::move(memory));

    QString value = QStringLiteral("start");
    try {
        const bool found = lw::frmAbout::GetKeyValue(reg::LocalMachine, QStringLiteral("K"),
                                                     QStringLiteral("V"), value);
        // Found when it fits the 1024-byte buffer; the ANSI interface gives a
        // string kind (1, 2, 7) stored without its NUL one, which must fit too.
        const std::size_t bytes = size - 4;
        const bool stringKind = type % 8 == 1 || type % 8 == 2 || type % 8 == 7;
        const bool addsNul = stringKind && bytes > 0 && data[size - 1] != 0;
        if (found != (bytes + (addsNul ? 1 : 0) <= 1024))
            std::abort();
        if (!found && !value.isEmpty())
            std::abort();
        if (found && type % 8 == reg::TypeString && value.size() > 1024)
            std::abort();
    } catch (const tk::RuntimeError&) {
    }
    if (r->OpenHandles() != 0)
        std::abort();
    reg::Use(nullptr);
    return 0;
}
