// SPDX-License-Identifier: MIT
#ifdef _WIN32

#include "toolkit/normal_file.h"

#include <windows.h>

namespace tk {

bool IsNormalFile(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

} // namespace tk

#endif // _WIN32
