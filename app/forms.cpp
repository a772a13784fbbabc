// SPDX-License-Identifier: MIT
#include "app/forms.h"
#include "about_box/frmAbout.h"
#include "config_window/frmMain.h"
#include "progress_window/frmInstall.h"

#include <QPointer>

namespace lw::forms {

namespace {
QPointer<frmMain> theMain;
QPointer<frmInstall> theInstall;
QPointer<frmAbout> theAbout;

template <typename Form>
Form& instance(QPointer<Form>& slot)
{
    if (!slot)
        slot = new Form();
    return *slot;
}
} // namespace

frmMain& Main() { return instance(theMain); }
frmInstall& Install() { return instance(theInstall); }
frmAbout& About() { return instance(theAbout); }

bool InstallExists() { return !theInstall.isNull(); }
bool AboutExists() { return !theAbout.isNull(); }

void UnloadAbout()
{
    if (theAbout)
        theAbout->deleteLater();
    theAbout = nullptr;
}

void Reset()
{
    delete theAbout.data();
    delete theInstall.data();
    delete theMain.data();
}

} // namespace lw::forms
