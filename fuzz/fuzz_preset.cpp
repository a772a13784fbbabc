// SPDX-License-Identifier: MIT
// Whatever text the message choice holds when Click arrives, the window
// either shows a preset, clears the box for a custom message, or reports an
// error and ends: it never crashes and never lets an exception out.
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "toolkit/runtime.h"
#include "toolkit/msgbox.h"

#include <QApplication>
#include <cstdint>
#include <cstdlib>

namespace {
int ends = 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    tk::SetEndHandler([] { ++ends; });
    tk::SetMsgBoxResponder([](const tk::MsgBoxCall&) { return int(tk::vbOK); });
    lw::forms::Main().Load();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lw::frmMain& w = lw::forms::Main();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const int before = ends;
    w.cmbMessage->SetText(text);
    emit w.cmbMessage->Click();
    const bool ended = ends != before;
    if (text == QStringLiteral("Custom Message") && (ended || !w.txtMessage->Text().isEmpty()))
        std::abort();
    if (text.startsWith(QStringLiteral("Message ")) && text.size() == 9 && text[8] >= u'1' &&
        text[8] <= u'5' && (ended || !w.txtMessage->isReadOnly()))
        std::abort();
    return 0;
}
