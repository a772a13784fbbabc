// SPDX-License-Identifier: MIT
// The file test of Windows builds: a path names a normal file when it exists
// and is neither a folder nor hidden nor a system file. Read from the file's
// attributes, which Qt's hidden test sees only in part. Free of Qt, so that
// it runs on its own under Wine.
#pragma once

#ifdef _WIN32
namespace tk {
bool IsNormalFile(const wchar_t* path);
}
#endif
