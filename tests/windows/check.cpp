// SPDX-License-Identifier: MIT
// The Windows side, run under Wine: check.exe RESOURCE-MODULE.
// - the registry layer reads values that this check writes into the real
//   registry, and the in-memory registry that the unit tests use, given the
//   same values, answers every open and query alike;
// - the normal-files rule on files it makes: plain, hidden, system, a folder;
// - the version record, the icon group and the application manifest of a
//   module built from the program's resource script.
// Free of Qt. Prints one line a check and "N passed, N failed".
#include "about_box/registry.h"
#include "tests/registry_memory.h"
#include "toolkit/normal_file.h"

#include <windows.h>

#include <sddl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const std::string& what, const std::string& detail = {})
{
    ++(ok ? passed : failed);
    std::printf("%s: %s%s%s\n", ok ? "ok" : "FAIL", what.c_str(), detail.empty() ? "" : ": ",
                detail.c_str());
}

const std::string Base = "SOFTWARE\\Lullwick Check";
const std::string Tools = Base + "\\Tools";
const std::string Unreadable = Base + "\\Unreadable";

struct Stored {
    const char* name;
    DWORD type;
    std::string bytes;
};

const std::vector<Stored>& values()
{
    static const std::vector<Stored> v = {
        {"WithNul", REG_SZ, std::string("C:\\Tools\\x.exe", 15)},
        {"NoNul", REG_SZ, "C:\\Tools\\x.exe"},
        {"Exactly1024", REG_SZ, std::string(1024, 'y')},
        {"Exactly1024WithNul", REG_SZ, std::string(1023, 'y') + '\0'},
        {"Over1024", REG_SZ, std::string(1025, 'y')},
        {"Empty", REG_SZ, ""},
        {"Number", REG_DWORD, std::string("\x1A\0\0\0", 4)},
        {"Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x.exe", 19)},
        {"Binary", REG_BINARY, std::string("\x01\x02\x03", 3)},
    };
    return v;
}

// The same values in the real registry and in the model.
bool store(reg::MemoryRegistry& model)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, Base.c_str());
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, Tools.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    for (const Stored& s : values()) {
        // Strings go in as the wide interface stores them, byte for byte:
        // the ANSI one would count a NUL that follows the data in memory.
        std::vector<BYTE> data(s.bytes.begin(), s.bytes.end());
        if (s.type == REG_SZ || s.type == REG_EXPAND_SZ) {
            data.clear();
            for (char c : s.bytes)
                data.insert(data.end(), {BYTE(c), 0});
        }
        const std::wstring name(s.name, s.name + std::strlen(s.name));
        RegSetValueExW(key, name.c_str(), 0, s.type, data.data(), DWORD(data.size()));
        model.SetValue(Tools, s.name, s.type, {s.bytes.begin(), s.bytes.end()});
    }
    RegCloseKey(key);
    // A key whose security lets nobody read it (an empty, protected list).
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, Unreadable.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    PSECURITY_DESCRIPTOR sd = nullptr;
    const BOOL made = ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P", SDDL_REVISION_1, &sd, nullptr);
    const bool secured = made && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    RegCloseKey(key);
    LocalFree(sd);
    if (!secured)
        return false;
    model.SetString(Unreadable, "Path", "x");
    model.Allow(Unreadable, 0);
    return true;
}

struct Answer {
    long open = -1;
    long query = -1;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::string bytes;

    std::string text() const
    {
        char s[96];
        std::snprintf(s, sizeof s, "open %ld, query %ld, type %u, %u bytes", open, query,
                      unsigned(type), unsigned(size));
        return s;
    }
    bool operator==(const Answer&) const = default;
};

Answer ask(reg::Registry& r, reg::Handle root, const std::string& key, const std::string& value)
{
    Answer a;
    reg::Handle h = 0;
    a.open = r.OpenKeyEx(root, key, 0, reg::KeyRead, h);
    if (a.open != reg::Success)
        return a;
    std::vector<unsigned char> buffer(1024, 0);
    a.size = std::uint32_t(buffer.size());
    a.query = r.QueryValueEx(h, value, a.type, buffer.data(), a.size);
    if (a.query == reg::Success)
        a.bytes.assign(reinterpret_cast<const char*>(buffer.data()), a.size);
    r.CloseKey(h);
    return a;
}

void registry()
{
    reg::MemoryRegistry model;
    if (!store(model)) {
        check(false, "the check's keys can be written");
        return;
    }
    const std::unique_ptr<reg::Registry> real = reg::MakeWindowsRegistry();
    struct Case {
        const char* what;
        reg::Handle root;
        std::string key;
        const char* value;
        long open, query;
        std::uint32_t size;
    };
    const reg::Handle hklm = reg::LocalMachine;
    const std::vector<Case> cases = {
        {"string with its NUL", hklm, Tools, "WithNul", 0, 0, 15},
        {"string without its NUL", hklm, Tools, "NoNul", 0, 0, 14},
        {"1024 bytes with the NUL", hklm, Tools, "Exactly1024WithNul", 0, 0, 1024},
        {"1024 bytes without: no room for the NUL", hklm, Tools, "Exactly1024", 0, 234, 1025},
        {"1025 bytes is more data", hklm, Tools, "Over1024", 0, 234, 1026},
        {"zero bytes", hklm, Tools, "Empty", 0, 0, 0},
        {"DWORD", hklm, Tools, "Number", 0, 0, 4},
        {"expandable string", hklm, Tools, "Expand", 0, 0, 19},
        {"binary", hklm, Tools, "Binary", 0, 0, 3},
        {"missing value", hklm, Tools, "None", 0, 2, 1024},
        {"missing key", hklm, Base + "\\None", "WithNul", 2, -1, 0},
        {"names in another case", hklm, "software\\LULLWICK CHECK\\tools", "withnul", 0, 0, 15},
        {"trailing backslash", hklm, Tools + "\\", "WithNul", 0, 0, 15},
        {"a parent opens, has no value", hklm, Base, "WithNul", 0, 2, 1024},
        {"leading backslash", hklm, "\\" + Tools, "WithNul", 161, -1, 0},
        {"root sign-extended", 0xFFFFFFFF80000002ull, Tools, "WithNul", 0, 0, 15},
        {"unknown root", 0x12345678, Tools, "WithNul", 6, -1, 0},
        {"unreadable key", hklm, Unreadable, "Path", 5, -1, 0},
    };
    for (const Case& c : cases) {
        const Answer a = ask(*real, c.root, c.key, c.value);
        const Answer m = ask(model, c.root, c.key, c.value);
        const bool expected = a.open == c.open && a.query == c.query && a.size == c.size;
        check(expected && a == m, std::string("registry, ") + c.what,
              "Windows " + a.text() + (a == m ? "" : "; the model " + m.text()));
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, Base.c_str());
}

void normalFiles()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"lullwick-check\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    struct Case {
        const char* what;
        const wchar_t* folder;
        DWORD attributes; // 0: none made; FILE_ATTRIBUTE_DIRECTORY: a folder
        bool normal;
    };
    const Case cases[] = {
        {"plain MSINFO32.EXE", L"plain", FILE_ATTRIBUTE_ARCHIVE, true},
        {"hidden MSINFO32.EXE", L"hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, false},
        {"system MSINFO32.EXE", L"system", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, false},
        {"folder MSINFO32.EXE", L"folder", FILE_ATTRIBUTE_DIRECTORY, false},
        {"missing MSINFO32.EXE", L"missing", 0, false},
    };
    for (const Case& c : cases) {
        const std::wstring folder = dir + c.folder;
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring file = folder + L"\\MSINFO32.EXE";
        if (c.attributes == FILE_ATTRIBUTE_DIRECTORY) {
            CreateDirectoryW(file.c_str(), nullptr);
        } else if (c.attributes) {
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
            CloseHandle(h);
            SetFileAttributesW(file.c_str(), c.attributes);
        }
        const DWORD seen = GetFileAttributesW(file.c_str());
        char detail[64];
        std::snprintf(detail, sizeof detail, "attributes 0x%lX", static_cast<unsigned long>(seen));
        check(tk::IsNormalFile(file.c_str()) == c.normal,
              std::string(c.what) + (c.normal ? " counts" : " counts as missing"), detail);
    }
}

std::wstring versionString(const std::vector<char>& info, const wchar_t* name)
{
    void* p = nullptr;
    UINT n = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &p, &n) || !n)
        return L"(none)";
    return std::wstring(static_cast<const wchar_t*>(p));
}

void resources(const wchar_t* module)
{
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(module, &ignored));
    if (info.empty() || !GetFileVersionInfoW(module, 0, DWORD(info.size()), info.data())) {
        check(false, "version record present");
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT n = 0;
    VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &n);
    check(fixed && fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0 &&
              fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0,
          "file and product version 1.0.0.0");
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {{L"FileVersion", L"1.00"},       {L"ProductVersion", L"1.00"},
                   {L"CompanyName", L"Company"},    {L"FileDescription", L"Lullwick"},
                   {L"ProductName", L"Lullwick"},
                   {L"InternalName", L"Lullwick"}, {L"OriginalFilename", L"Lullwick.exe"}};
    for (const auto& s : strings) {
        const std::wstring got = versionString(info, s.name);
        char what[128];
        std::snprintf(what, sizeof what, "%ls is \"%ls\"", s.name, s.value);
        char detail[128];
        std::snprintf(detail, sizeof detail, "\"%ls\"", got.c_str());
        check(got == s.value, what, detail);
    }
    WORD* translation = nullptr;
    VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &n);
    check(translation && n >= 4 && translation[0] == 0x0409 && translation[1] == 1200,
          "language U.S. English, code page 1200");

    const HMODULE m = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC group = m ? FindResourceW(m, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)) : nullptr;
    if (!group) {
        check(false, "icon group 1 present");
        return;
    }
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(m, group)));
    WORD count = 0;
    std::memcpy(&count, dir + 4, 2);
    std::string sizes;
    bool colours = count == 2;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* e = dir + 6 + 14 * i; // width, height, colours, 0, planes, bits, bytes, id
        WORD id = 0;
        std::memcpy(&id, e + 12, 2);
        const HRSRC image = FindResourceW(m, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));
        BITMAPINFOHEADER header{};
        if (image)
            std::memcpy(&header, LockResource(LoadResource(m, image)), sizeof header);
        sizes += std::to_string(e[0]) + "x" + std::to_string(e[1]) + "/" +
                 std::to_string(header.biBitCount) + " ";
        colours = colours && header.biBitCount == 8 && header.biWidth == e[0];
    }
    check(colours && sizes.rfind("16x16/8 32x32/8", 0) == 0, "icon group of 16x16 and 32x32, 256 colours", sizes);
    FreeLibrary(m);
}

// The manifest as Windows reads it when it starts the program: written for
// Windows 10 and 11 (their one supportedOS), run as the user who starts it.
// (Its Common Controls 6 is seen in the buttons of the program's boxes.)
void manifest(const wchar_t* module)
{
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = module;
    request.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE context = CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE) {
        check(false, "application manifest present");
        return;
    }
    // The element layout differs between SDKs: the GUID is looked for whole.
    std::vector<char> info(4096);
    SIZE_T n = 0;
    const GUID windows10 = {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    const bool read = QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, info.data(),
                                   info.size(), &n);
    const std::string answer(info.data(), read ? n : 0);
    check(answer.find(std::string(reinterpret_cast<const char*>(&windows10), sizeof windows10)) != std::string::npos,
          "manifest: supported on Windows 10 and 11");
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level, sizeof level, &n);
    check(level.RunLevel == ACTCTX_RUN_LEVEL_AS_INVOKER && !level.UiAccess, "manifest: runs as the invoker",
          "level " + std::to_string(level.RunLevel));
    ReleaseActCtx(context);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    registry();
    normalFiles();
    if (argc > 1) {
        resources(argv[1]);
        manifest(argv[1]);
    } else {
        check(false, "a resource module is named");
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
