// SPDX-License-Identifier: MIT
// frmMain, the configuration window: the application, duration and message of
// the fake installation, Start and Quit, and the File and Help menus. The
// progress window reads cmbApp, cmbTime and txtMessage when a run starts.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/desktop.h"
#include "toolkit/runtime.h"

#include <QMainWindow>
#include <array>

class QAction;
class QMenu;
class QPushButton;

namespace lw {

class frmMain : public QMainWindow {
public:
    frmMain();

    // Runs Form_Load the first time only.
    void Load();
    // Loads, centres on the screen, shows modeless, focuses the first tab stop.
    void Show();

    QMenu* File;
    QAction* mnuFileExit;
    QMenu* mnuHelp;
    QAction* mnuHelpContents;
    QAction* sep1;
    QAction* mnuHelpAbout;

    tk::Frame* Frame1;
    tk::Label* Label1;
    tk::ComboBox* cmbApp;
    tk::Label* Label2;
    tk::ComboBox* cmbTime;
    tk::Label* Label3;
    tk::ComboBox* cmbMessage;
    QPushButton* cmdStart;
    QPushButton* cmdQuit;
    tk::Label* Label4;
    tk::TextBox* txtMessage;
    tk::CommonDialog* CommonDialog1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void cmbMessage_Click();
    void cmdStart_Click();
    void cmdQuit_Click();
    void mnuFileExit_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    // The preset messages, slots 1 to 5; any other slot is out of range.
    const QString& PresetMessage(int slot) const;
    std::array<QString, 5> strMessage;
    tk::LoadOnce loaded_;

    friend class tst_frmMain;
};

} // namespace lw
