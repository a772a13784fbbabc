// SPDX-License-Identifier: MIT
#include "about_box/frmAbout.h"
#include "about_box/frmAbout_layout.h"
#include "about_box/registry_desktop.h"
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "toolkit/appearance.h"
#include "toolkit/application.h"
#include "toolkit/convert.h"
#include "toolkit/desktop.h"
#include "toolkit/msgbox.h"
#include "toolkit/window_manager.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <vector>

namespace lw {

namespace L = about_layout;

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromUtf8(L::DesignCaption));
    setWindowIcon(tk::IconFromResources(QStringLiteral("lullwick")));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(tk::ToPixels(L::ClientArea).size());
    tk::KeepNormalState(this);
    tk::DialogFrame(this);
    setModal(true);
    // The texts are fixed black: the box keeps the light colours they were
    // chosen for, under a dark desktop theme too.
    setPalette(tk::ClassicPalette());

    // Made in this order, the order a screen reader reads them in.
    cmdOK = tk::Create<QPushButton>(this, L::Controls, "cmdOK");
    cmdOK->setDefault(true);
    picIcon = tk::Create<tk::PictureBox>(this, L::Controls, "picIcon");
    picIcon->setPixmap(QPixmap(QStringLiteral(":/icons/lullwick-32.xpm")));
    picIcon->setAccessibleName(QStringLiteral("Program icon"));
    cmdSysInfo = tk::Create<QPushButton>(this, L::Controls, "cmdSysInfo");
    // The buttons keep the desktop's colours: the style paints their faces
    // in its own.
    for (QPushButton* b : {cmdOK, cmdSysInfo})
        b->setPalette(tk::Explicit(QApplication::palette(b)));
    lblDisclaimer = tk::Create<tk::Label>(this, L::Controls, "lblDisclaimer");
    lblDescription = tk::Create<tk::Label>(this, L::Controls, "lblDescription");
    lblTitle = tk::Create<tk::Label>(this, L::Controls, "lblTitle");
    lblTitle->setFont(tk::FontOrDefault(QString::fromUtf8(L::TitleFontFamily), L::TitleFontPoints, true));
    lblVersion = tk::Create<tk::Label>(this, L::Controls, "lblVersion");
    for (tk::Label* l : {lblDisclaimer, lblDescription, lblTitle, lblVersion})
        l->SetForeColor(tk::vbBlack);
    Line1 = tk::Create<QWidget>(this, L::Controls, "Line1");
    Line1->setFixedHeight(1);
    QPalette grey = Line1->palette();
    grey.setColor(QPalette::Window, tk::OleColor(tk::vbGrey));
    Line1->setPalette(grey);
    Line1->setAutoFillBackground(true);

    tk::ApplyTabOrder(this, L::Controls);
    tk::KeepDefaultFont(this);

    tk::on(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    tk::on(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    tk::HelpKey(this);
}

void frmAbout::Load()
{
    loaded_([this] { Form_Load(); });
}

void frmAbout::ShowModal()
{
    Load();
    // Owned by the configuration window only so that the desktop keeps the
    // box off the task bar and above that window; it is modal to the whole
    // program.
    frmMain& owner = forms::Main();
    setParent(&owner, windowFlags());
    QScreen* screen = QGuiApplication::screenAt(owner.geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = tk::ToPixels(L::ClientArea);
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(QRect(origin + area.topLeft(), area.size()));
    cmdOK->setFocus(Qt::OtherFocusReason);
    exec();
}

void frmAbout::Form_Load()
{
    const tk::Application& app = tk::App();
    setWindowTitle(QStringLiteral("About ") + app.Title);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3").arg(app.Major).arg(app.Minor).arg(app.Revision));
    lblTitle->setText(app.Title);
    // Screen readers leave out labels of one or two words when a dialog
    // opens: the title is named with its version, so that both are spoken.
    lblTitle->setAccessibleName(lblTitle->text() + QStringLiteral(", ") + lblVersion->text());
}

void frmAbout::Unload()
{
    done(QDialog::Rejected);
    forms::UnloadAbout();
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::reject() { tk::Handle([this] { Unload(); }); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo()
{
    try {
        // The tool's full path, or else its folder, from the registry.
        QString path;
        bool found = GetKeyValue(reg::LocalMachine, QString::fromUtf8(reg::SysInfoKey),
                                 QString::fromUtf8(reg::SysInfoValue), path);
        if (!found && GetKeyValue(reg::LocalMachine, QString::fromUtf8(reg::SysInfoFolderKey),
                                  QString::fromUtf8(reg::SysInfoFolderValue), path)) {
            const QString program = path + QString::fromUtf8(L::SysInfoExecutable);
            found = tk::FileExists(program);
            if (found)
                path = program;
        }
        if (found) {
            // Exactly that program, no arguments: nothing in the value reaches a shell.
            tk::Shell(path);
            return;
        }
    } catch (const tk::RuntimeError&) {
        // An error on the way (a value of zero bytes, a program that will
        // not start) ends in the same message as a failed look-up.
    }
    tk::MsgBox(QString::fromUtf8(L::SysInfoUnavailable), tk::vbOKOnly);
}

bool frmAbout::GetKeyValue(reg::Handle KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                           QString& KeyVal)
{
    reg::Registry& registry = reg::Current();
    reg::Handle hKey = 0;
    // Closes the key on every way out, an error's included.
    struct Closer {
        reg::Registry& r;
        reg::Handle& h;
        ~Closer() { r.CloseKey(h); }
    } closer{registry, hKey};

    // Read rights only: a key the user may read but not write is still found.
    if (registry.OpenKeyEx(KeyRoot, KeyName.toLocal8Bit().toStdString(), 0, reg::KeyRead, hKey) !=
        reg::Success) {
        KeyVal = QString();
        return false;
    }

    constexpr std::uint32_t bufferSize = 1024;
    std::vector<unsigned char> buffer(bufferSize, 0);
    std::uint32_t size = bufferSize;
    std::uint32_t type = 0;
    if (registry.QueryValueEx(hKey, SubKeyRef.toLocal8Bit().toStdString(), type, buffer.data(),
                              size) != reg::Success) {
        KeyVal = QString();
        return false;
    }

    // One character per byte; a value of zero bytes fails here (position 0).
    const QString asBytes = QString::fromLatin1(reinterpret_cast<const char*>(buffer.data()),
                                                qsizetype(bufferSize));
    const qsizetype kept = tk::Mid(asBytes, size, 1) == QChar(u'\0') ? size - 1 : size;
    const QByteArray value(reinterpret_cast<const char*>(buffer.data()), kept);

    switch (type) {
    case reg::TypeString:
        // Decoded with the system code page, so non-ASCII paths survive.
        KeyVal = QString::fromLocal8Bit(value);
        break;
    case reg::TypeDword: {
        const QString bytes = QString::fromLatin1(value);
        for (qsizetype i = bytes.size(); i >= 1; --i)
            KeyVal += QString::number(tk::Asc(tk::Mid(bytes, i, 1)), 16).toUpper();
        KeyVal = tk::DefaultFormat(QStringLiteral("&h") + KeyVal);
        break;
    }
    default:
        break;
    }
    return true;
}

} // namespace lw
