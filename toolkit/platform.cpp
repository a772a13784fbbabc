// SPDX-License-Identifier: MIT
#include "toolkit/platform.h"
#include "toolkit/errors.h"
#include "toolkit/msgbox.h"
#include "toolkit/normal_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace tk {

namespace {
Host realDesktop()
{
    Host h;
    h.startProgram = [](const QString& path) {
        return !path.isEmpty() && QProcess::startDetached(path, QStringList());
    };
    h.fileExists = [](const QString& path) {
        if (path.isEmpty())
            return false;
#ifdef _WIN32
        return IsNormalFile(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()));
#else
        // A dot-file is this desktop's hidden file; there are no system files.
        const QFileInfo info(path);
        return info.isFile() && !info.isHidden();
#endif
    };
    h.openDocument = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    return h;
}
} // namespace

Host& Desktop()
{
    static Host host = realDesktop();
    return host;
}

void ResetDesktop() { Desktop() = realDesktop(); }

void Shell(const QString& path)
{
    if (!Desktop().startProgram(path))
        throw RuntimeError(errFileNotFound);
}

bool FileExists(const QString& path) { return Desktop().fileExists(path); }

void ShowHelpFile(const QString& file)
{
    QString path = file;
    QString slashed = file;
    slashed.replace(u'\\', u'/');
    if (!FileExists(path))
        path = slashed;
    if (!FileExists(path)) {
        // Said as this desktop writes paths, not with the joined separators.
        MsgBox(QStringLiteral("The help file \"%1\" was not found.")
                   .arg(QDir::toNativeSeparators(slashed)));
        return;
    }
    if (!Desktop().openDocument(path))
        MsgBox(QStringLiteral("No program on this desktop can show the help file \"%1\".").arg(path));
}

} // namespace tk
