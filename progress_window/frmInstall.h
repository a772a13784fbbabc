// SPDX-License-Identifier: MIT
// frmInstall, the progress window of a run. At load it reads the
// configuration window's application, duration and message once; then its
// one-second timer moves the bar on whole percentages until the time is up
// and the program ends. It refuses every request to close; only Cancel,
// confirmed with Yes, ends a run early.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/runtime.h"

#include <QWidget>

class QProgressBar;
class QPushButton;
class QTimer;

namespace lw {

class frmInstall : public QWidget {
public:
    frmInstall();

    void Load();
    // Loads, centres on the configuration window's screen, shows modeless.
    void Show();

    QWidget* Picture1;
    tk::Frame* Frame1;
    tk::Label* lblDescription;
    tk::ProgressBar* ProgressBar1;
    QPushButton* cmdCancel;
    QTimer* Timer1;

    // The run length in ticks from the duration text: 60 times its first
    // word, as a 32-bit float. Raises 9 (empty text), 13 (not a number) or
    // 6 (beyond a 32-bit float).
    static float DurationFromText(const QString& timeText);
    // A run can use the duration: it converts, and a 32-bit tick count can
    // still reach it (a float stops counting at 2^24).
    static bool IsUsableDuration(const QString& timeText);
    static constexpr float LongestRun = 16777216.0f;
    // A number of minutes, but one the run cannot use: beyond the longest run,
    // or beyond a 32-bit float (either way) once in ticks.
    static bool IsTooLongDuration(const QString& timeText);
    // The bar's new value on tick `elapsed` of a `duration`-tick run, when the
    // percentage is exactly a whole number; false when the bar keeps its value.
    static bool WholePercentage(float elapsed, float duration, float& value);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void Timer1_Timer();
    void cmdCancel_Click();
    void Form_QueryUnload(bool& cancel, int unloadMode);

    float sngDuration = 0;
    float sngElapsed = 0;
    tk::LoadOnce loaded_;

    friend class tst_frmInstall;
};

} // namespace lw
