// SPDX-License-Identifier: MIT
#include "config_window/frmMain.h"
#include "about_box/frmAbout.h"
#include "app/forms.h"
#include "config_window/frmMain_layout.h"
#include "progress_window/frmInstall.h"
#include "toolkit/appearance.h"
#include "toolkit/application.h"
#include "toolkit/convert.h"
#include "toolkit/desktop.h"
#include "toolkit/msgbox.h"
#include "toolkit/window_manager.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>

namespace lw {

namespace L = main_layout;

namespace {
QString qs(const char* s) { return QString::fromUtf8(s); }
} // namespace

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(qs(L::Caption));
    setWindowIcon(tk::IconFromResources(QStringLiteral("lullwick")));
    // Sizable, with a minimize button and no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    tk::BuildMenus(menuBar(), L::Menus);
    File = tk::Named<QMenu>(menuBar(), "File");
    mnuFileExit = tk::Named<QAction>(menuBar(), "mnuFileExit");
    mnuHelp = tk::Named<QMenu>(menuBar(), "mnuHelp");
    mnuHelpContents = tk::Named<QAction>(menuBar(), "mnuHelpContents");
    sep1 = tk::Named<QAction>(menuBar(), "sep1");
    mnuHelpAbout = tk::Named<QAction>(menuBar(), "mnuHelpAbout");

    // The client area holds every control at its fixed place: resizing the
    // window moves nothing.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // Made in the table's order: the order of stacking, and the order a
    // screen reader reads them in.
    txtMessage = tk::Create<tk::TextBox>(this, L::Controls, "txtMessage");
    txtMessage->SetLocked(true);
    txtMessage->SetBackColor(tk::vbLightGrey);
    Frame1 = tk::Create<tk::Frame>(this, L::Controls, "Frame1");
    cmbMessage = tk::Create<tk::ComboBox>(this, L::Controls, "cmbMessage");
    cmdStart = tk::Create<QPushButton>(this, L::Controls, "cmdStart");
    cmdQuit = tk::Create<QPushButton>(this, L::Controls, "cmdQuit");
    cmbTime = tk::Create<tk::ComboBox>(this, L::Controls, "cmbTime");
    cmbApp = tk::Create<tk::ComboBox>(this, L::Controls, "cmbApp");
    Label3 = tk::Create<tk::Label>(this, L::Controls, "Label3");
    Label2 = tk::Create<tk::Label>(this, L::Controls, "Label2");
    Label1 = tk::Create<tk::Label>(this, L::Controls, "Label1");
    Label4 = tk::Create<tk::Label>(this, L::Controls, "Label4");
    // Neither button is the default one: Enter presses a button only when it
    // has the focus.
    for (QPushButton* b : {cmdStart, cmdQuit}) {
        b->setAutoDefault(true);
        b->setDefault(false);
    }

    CommonDialog1 = new tk::CommonDialog(this);
    CommonDialog1->setObjectName(QStringLiteral("CommonDialog1"));

    // A screen reader announces each field by the label above it.
    Label1->setBuddy(cmbApp);
    Label2->setBuddy(cmbTime);
    Label3->setBuddy(cmbMessage);
    Label4->setBuddy(txtMessage);
    txtMessage->setAccessibleName(Label4->text());

    tk::ApplyTabOrder(this, L::Controls);
    tk::KeepDefaultFont(this);

    // The menu bar above the client area, as tall as the window's layout
    // makes it at this width: at some DPIs that is a pixel more than its
    // size hint, which would come off the client area.
    const QRect area = tk::ToPixels(L::ClientArea);
    client->setMinimumSize(0, 0);
    const int menu = menuBar()->heightForWidth(area.width());
    resize(area.width(), area.height() + (menu >= 0 ? menu : menuBar()->sizeHint().height()));

    tk::on(cmbMessage, &tk::ComboBox::Click, this, &frmMain::cmbMessage_Click);
    tk::on(cmdStart, &QPushButton::clicked, this, &frmMain::cmdStart_Click);
    tk::on(cmdQuit, &QPushButton::clicked, this, &frmMain::cmdQuit_Click);
    tk::on(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    tk::on(mnuHelpContents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
    tk::on(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    tk::HelpKey(this);
}

void frmMain::Load()
{
    loaded_([this] { Form_Load(); });
}

void frmMain::Show()
{
    Load();
    tk::CentreOnScreen(this, QPoint());
    show();
    const auto stops = tk::TabStops(this, L::Controls);
    if (!stops.isEmpty())
        stops.first()->setFocus(Qt::OtherFocusReason);
}

const QString& frmMain::PresetMessage(int slot) const
{
    if (slot < 1 || slot > int(strMessage.size()))
        throw tk::RuntimeError(tk::errSubscriptOutOfRange);
    return strMessage[size_t(slot - 1)];
}

void frmMain::Form_Load()
{
    cmbApp->SetText(qs(L::Applications[0]));
    for (const char* item : L::Applications)
        cmbApp->AddItem(qs(item));

    tk::App().HelpFile = tk::App().Path() + QStringLiteral("/") + qs(L::HelpFileName);

    cmbTime->SetText(qs(L::Durations[0]));
    for (const char* item : L::Durations)
        cmbTime->AddItem(qs(item));

    cmbMessage->SetText(qs(L::MessageChoices[0]));
    for (const char* item : L::MessageChoices)
        cmbMessage->AddItem(qs(item));

    for (size_t i = 0; i < strMessage.size(); ++i)
        strMessage[i] = qs(L::PresetMessages[i]);

    txtMessage->SetText(PresetMessage(1));
}

void frmMain::cmbMessage_Click()
{
    if (cmbMessage->Text() == qs(L::CustomMessage)) {
        txtMessage->SetLocked(false);
        txtMessage->SetText(QString());
        txtMessage->SetBackColor(tk::vbWhite);
    } else {
        const int slot = tk::CInt(tk::Element(tk::Split(cmbMessage->Text(), QStringLiteral(" ")), 1));
        txtMessage->SetText(PresetMessage(slot));
        txtMessage->SetLocked(true);
        txtMessage->SetBackColor(tk::vbLightGrey);
    }
}

void frmMain::cmdStart_Click()
{
    if (txtMessage->Text().isEmpty()) {
        txtMessage->SetBackColor(tk::vbYellow);
        tk::MsgBox(qs(L::EmptyMessagePrompt), tk::vbOKOnly);
        txtMessage->SetBackColor(tk::vbWhite);
        return;
    }
    // A duration the run cannot use is refused here, while the user can still
    // correct it, instead of failing after this window has gone.
    if (!frmInstall::IsUsableDuration(cmbTime->Text())) {
        cmbTime->SetBackColor(tk::vbYellow);
        tk::MsgBox(qs(frmInstall::IsTooLongDuration(cmbTime->Text()) ? L::TooLongDurationPrompt
                                                                   : L::BadDurationPrompt),
                   tk::vbOKOnly);
        cmbTime->ResetBackColor();
        return;
    }
    hide();
    forms::Install().Show();
}

void frmMain::cmdQuit_Click() { tk::End(); }

void frmMain::mnuFileExit_Click() { tk::End(); }

void frmMain::mnuHelpContents_Click()
{
    // Joined with a backslash here, unlike the application help file.
    CommonDialog1->HelpFile = tk::App().Path() + QStringLiteral("\\") + qs(L::HelpFileName);
    CommonDialog1->HelpCommand = tk::CommonDialog::cdlHelpContents;
    CommonDialog1->ShowHelp();
}

void frmMain::mnuHelpAbout_Click() { forms::About().ShowModal(); }

void frmMain::closeEvent(QCloseEvent* event)
{
    // Once a run has started only its Cancel or its end ends the program: a
    // close sent to this hidden window (by another program) is refused.
    if (forms::InstallExists()) {
        event->ignore();
        return;
    }
    // Closed before a run, with no other window loaded: the program's natural end.
    event->accept();
    tk::Handle([] { tk::End(); });
}

} // namespace lw
