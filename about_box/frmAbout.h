// SPDX-License-Identifier: MIT
// frmAbout, the modal About box: icon, title, version, a credit, the
// disclaimer, OK and System Info. System Info looks up the desktop's
// system-information program in the registry (two places, in order) and
// starts it, or says that it is unavailable.
#pragma once

#include "about_box/registry.h"
#include "toolkit/controls.h"
#include "toolkit/runtime.h"

#include <QDialog>

class QPushButton;

namespace lw {

class frmAbout : public QDialog {
public:
    frmAbout();

    void Load();
    // Loads and shows the box modal; returns when it is unloaded.
    void ShowModal();

    tk::PictureBox* picIcon;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    tk::Label* lblDisclaimer;
    QWidget* Line1;
    tk::Label* lblDescription;
    tk::Label* lblTitle;
    tk::Label* lblVersion;

    void StartSysInfo();
    // Reads value SubKeyRef of key KeyName under KeyRoot into KeyVal; true
    // when the value was read.
    static bool GetKeyValue(reg::Handle KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                            QString& KeyVal);

    void reject() override; // Esc and the close box

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Unload();

    tk::LoadOnce loaded_;
};

} // namespace lw
