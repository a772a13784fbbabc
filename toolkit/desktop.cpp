// SPDX-License-Identifier: MIT
#include "toolkit/desktop.h"
#include "toolkit/application.h"
#include "toolkit/msgbox.h"
#include "toolkit/normal_file.h"
#include "toolkit/runtime.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QShortcut>
#include <QWidget>
#include <QUrl>

namespace tk {

namespace {

class RealDesktop : public Desktop {
public:
    bool StartProgram(const QString& path) override
    {
        if (path.isEmpty())
            return false;
#ifndef _WIN32
        if (path.endsWith(QStringLiteral(".desktop")) && QFileInfo(path).isFile()) {
            QStringList command = DesktopEntryCommand(path);
            return !command.isEmpty() && QProcess::startDetached(command.takeFirst(), command);
        }
#endif
        return QProcess::startDetached(path, QStringList());
    }

    bool IsNormalFile(const QString& path) override
    {
        if (path.isEmpty())
            return false;
#ifdef _WIN32
        return tk::IsNormalFile(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()));
#else
        // A dot-file is this desktop's hidden file; there are no system files.
        const QFileInfo info(path);
        return info.isFile() && !info.isHidden();
#endif
    }

    bool OpenDocument(const QString& path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

std::unique_ptr<Desktop>& current()
{
    static std::unique_ptr<Desktop> desktop;
    return desktop;
}

} // namespace

Desktop& CurrentDesktop()
{
    if (!current())
        current() = std::make_unique<RealDesktop>();
    return *current();
}

void UseDesktop(std::unique_ptr<Desktop> desktop) { current() = std::move(desktop); }

QStringList DesktopEntryCommand(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.startsWith(QStringLiteral("Exec="))) {
            QStringList command;
            for (const QString& word : QProcess::splitCommand(line.mid(5))) {
                // %f, %U and the like stand for files and addresses: none given.
                if (word.size() == 2 && word[0] == u'%' && word[1] != u'%')
                    continue;
                command << QString(word).replace(QStringLiteral("%%"), QStringLiteral("%"));
            }
            return command;
        }
    }
    return {};
}

void Shell(const QString& path)
{
    if (!CurrentDesktop().StartProgram(path))
        throw RuntimeError(errFileNotFound);
}

bool FileExists(const QString& path) { return CurrentDesktop().IsNormalFile(path); }

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
    if (!CurrentDesktop().OpenDocument(path))
        MsgBox(QStringLiteral("No program on this desktop can show the help file \"%1\".").arg(path));
}

void HelpKey(QWidget* window)
{
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F1), window), &QShortcut::activated, window,
                     [] { Handle([] { ShowHelpFile(App().HelpFile); }); });
}

void CommonDialog::ShowHelp() const
{
    if (HelpCommand == cdlHelpContents)
        ShowHelpFile(HelpFile);
}

} // namespace tk
