// SPDX-License-Identifier: MIT
#include "progress_window/frmInstall.h"
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "progress_window/frmInstall_layout.h"
#include "toolkit/accessible.h"
#include "toolkit/appearance.h"
#include "toolkit/convert.h"
#include "toolkit/desktop.h"
#include "toolkit/double_rounding.h"
#include "toolkit/msgbox.h"
#include "toolkit/window_manager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace lw {

namespace L = install_layout;

frmInstall::frmInstall()
{
    setObjectName(QStringLiteral("frmInstall"));
    setWindowIcon(tk::IconFromResources(QStringLiteral("install")));
    // Fixed single border with a title but no control box, minimize or maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(tk::ToPixels(L::ClientArea).size());
    tk::KeepNormalState(this);

    // To assistive technology a window (Qt reports a plain widget as a
    // nameless filler), named by its caption.
    tk::SetAccessibleRole(this, QAccessible::Window);

    // Made in this order, the order a screen reader reads them in.
    Picture1 = tk::Create<QWidget>(this, L::Controls, "Picture1");
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Frame1 = tk::Create<tk::Frame>(this, L::Controls, "Frame1");
    lblDescription = tk::Create<tk::Label>(this, L::Controls, "lblDescription");
    // Picture1 holds the focus when the window appears but is never seen: a
    // screen reader reports the installation message there instead.
    tk::SetAccessibleStandIn(Picture1, lblDescription);
    ProgressBar1 = tk::Create<tk::ProgressBar>(this, L::Controls, "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("Installation progress"));
    cmdCancel = tk::Create<QPushButton>(this, L::Controls, "cmdCancel");
    cmdCancel->setAutoDefault(true);
    cmdCancel->setDefault(false);

    tk::ApplyTabOrder(this, L::Controls);
    tk::KeepDefaultFont(this);

    // Enabled from the start: the first tick comes one interval after load.
    // A precise timer keeps each tick on its whole second, without drift.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(L::TimerInterval);
    tk::on(Timer1, &QTimer::timeout, this, &frmInstall::Timer1_Timer);
    Timer1->start();

    tk::on(cmdCancel, &QPushButton::clicked, this, &frmInstall::cmdCancel_Click);
    tk::HelpKey(this);
}

void frmInstall::Load()
{
    loaded_([this] { Form_Load(); });
}

void frmInstall::Show()
{
    Load();
    const QWidget& main = forms::Main();
    tk::CentreOnScreen(this, main.geometry().center());
    show();
    Picture1->setFocus(Qt::OtherFocusReason);
}

namespace {
// Minutes: the number before the first blank.
double minutesOf(const QString& timeText)
{
    return tk::ToDouble(tk::Element(tk::Split(timeText, QStringLiteral(" ")), 0));
}
} // namespace

float frmInstall::DurationFromText(const QString& timeText)
{
    const tk::DoubleRounding exact;
    return tk::CSng(60.0 * minutesOf(timeText));
}

bool frmInstall::IsUsableDuration(const QString& timeText)
{
    try {
        return DurationFromText(timeText) <= LongestRun;
    } catch (const tk::RuntimeError&) {
        return false;
    }
}

bool frmInstall::IsTooLongDuration(const QString& timeText)
{
    // A number, however large either way, that the run cannot use: only its
    // size is wrong.
    if (IsUsableDuration(timeText))
        return false;
    try {
        minutesOf(timeText);
        return true;
    } catch (const tk::RuntimeError& e) {
        return e.Number() == tk::errOverflow;
    }
}

bool frmInstall::WholePercentage(float elapsed, float duration, float& value)
{
    // Widen both, divide, then multiply by 100: each step rounded to double,
    // so some whole percentages come out a hair off and are never shown.
    const tk::DoubleRounding exact;
    const double p = static_cast<double>(elapsed) / static_cast<double>(duration) * 100.0;
    if (p != static_cast<double>(tk::CLng(p)))
        return false;
    value = static_cast<float>(p);
    return true;
}

void frmInstall::Form_Load()
{
    frmMain& config = forms::Main();
    const QString application = config.cmbApp->Text();
    sngDuration = DurationFromText(config.cmbTime->Text());
    lblDescription->setText(config.txtMessage->Text());
    setWindowTitle(QString::fromUtf8(L::CaptionPrefix) + application);
    ProgressBar1->setMaximum(100);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setVisible(true);
    ProgressBar1->setValue(1);
}

void frmInstall::Timer1_Timer()
{
    sngElapsed = sngElapsed + 1.0f;
    if (sngElapsed >= sngDuration)
        tk::End();
    float value = 0;
    if (WholePercentage(sngElapsed, sngDuration, value))
        ProgressBar1->setValue(static_cast<int>(value));
}

void frmInstall::cmdCancel_Click()
{
    // The timer runs on while the box is open: the time may run out under it.
    if (tk::MsgBox(QString::fromUtf8(L::CancelPrompt), tk::vbYesNo,
                   QString::fromUtf8(L::CancelTitle)) == tk::vbYes)
        tk::End();
}

void frmInstall::Form_QueryUnload(bool& cancel, int /*unloadMode*/)
{
    cancel = true;
}

// The window's background and the frame's are painted here, not filled from
// palettes: a child that fills its own background is left unpainted, with
// everything in it, under Qt's own title bar on Wayland.
void frmInstall::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), tk::OleColor(tk::vbMenuBar));
    // The frame and its controls keep the desktop's own control colours.
    painter.fillRect(Frame1->geometry(), QApplication::palette().color(QPalette::Window));
}

void frmInstall::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    const int unloadMode = event->spontaneous() ? 0 : 1; // control menu / code
    tk::Handle([&] { Form_QueryUnload(cancel, unloadMode); });
    // A refused close changes nothing the user can see or reach: the focus
    // stays where it was, so that Enter after it cannot confirm a Cancel.
    if (cancel) {
        event->ignore();
    } else {
        event->accept();
    }
}

} // namespace lw
