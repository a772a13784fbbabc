// SPDX-License-Identifier: MIT
// The installation run: Start's checks, the progress window's load, the
// one-second tick with its whole-percentage rule, Cancel and the refusal to
// close. The tick handler is driven directly; End and message boxes are seen
// through the toolkit.
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "progress_window/frmInstall.h"
#include "testsupport.h"
#include "toolkit/application.h"
#include "toolkit/appearance.h"
#include "toolkit/runtime.h"
#include "toolkit/controls.h"
#include "toolkit/layout.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <memory>
#include <set>

namespace lw {

namespace {
const QString DurationPrompt = "Please enter the duration in minutes, for example 5 or 1.5.";
const QString TooLongPrompt = "Please enter a duration of at most 279620 minutes.";
const QString MessagePrompt = "Please enter an install message or select a pre-existing one.";
} // namespace

class tst_frmInstall : public QObject {
    Q_OBJECT

    testing::Observer seen;
    frmMain* main = nullptr;

    // Starts a run with these texts, through the Start button.
    frmInstall* start(const QString& time, const QString& app = "Microsoft Windows Service Pack")
    {
        main->cmbTime->SetText(time);
        main->cmbApp->SetText(app);
        QTest::mouseClick(main->cmdStart, Qt::LeftButton);
        if (!forms::InstallExists())
            return nullptr;
        frmInstall* run = &forms::Install();
        run->Timer1->stop(); // the test gives the ticks
        return run;
    }

    void tick(frmInstall* run)
    {
        tk::Handle([run] { run->Timer1_Timer(); });
    }

    struct Trace {
        QList<std::pair<int, int>> values; // (tick, new bar value)
        int endTick = 0;
    };

    // Ticks until the program ends (at most `limit` ticks) and records each
    // value the bar takes.
    Trace runToEnd(frmInstall* run, int limit)
    {
        Trace t;
        int now = 0;
        QObject::connect(run->ProgressBar1, &QProgressBar::valueChanged, run,
                         [&](int v) { t.values.append({now, v}); });
        while (seen.ends == 0 && now < limit) {
            ++now;
            tick(run);
        }
        t.endTick = seen.ends ? now : -1;
        return t;
    }

private slots:
    void initTestCase() { testing::SetUp(); }

    void init()
    {
        seen = {};
        testing::Observe(seen);
        main = &forms::Main();
        main->Show();
    }

    void cleanup()
    {
        testing::ResetAll();
        QVERIFY2(testing::VisibleWindows().isEmpty(), qPrintable(testing::VisibleWindows().join(",")));
    }

    void startHandsOver()
    {
        frmInstall* run = start("1 minute");
        QVERIFY(run);
        QVERIFY(!main->isVisible());
        QVERIFY(run->isVisible());
        QCOMPARE(testing::VisibleWindows(), QStringList{"frmInstall"});
        QCOMPARE(run->windowTitle(), QStringLiteral("Installing Microsoft Windows Service Pack"));
        QCOMPARE(run->lblDescription->text(),
                 QStringLiteral("Copying files to your computer. This may take awhile, you may "
                                "want to get a cup of coffee."));
        QCOMPARE(run->ProgressBar1->minimum(), 0);
        QCOMPARE(run->ProgressBar1->maximum(), 100);
        QCOMPARE(run->ProgressBar1->value(), 1);
        // No visible control has the focus: Enter and Space press nothing.
        QCOMPARE(run->focusWidget(), run->Picture1);
        QTest::keyClick(run, Qt::Key_Return);
        QTest::keyClick(run, Qt::Key_Space);
        QCOMPARE(seen.boxes.size(), 0);
        QCOMPARE(seen.ends, 0);
    }

    void progressIsAnnounced()
    {
        frmInstall* run = start("1 minute");
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(run->ProgressBar1);
        QVERIFY(bar && bar->valueInterface());
        QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("Installation progress"));
        for (int i = 0; i < 3; ++i)
            tick(run);
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 5);
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Frame1") << "Frame1" << "frmInstall" << QRect(120, 0, 5055, 1935);
        QTest::newRow("cmdCancel") << "cmdCancel" << "Frame1" << QRect(2040, 1440, 855, 375);
        QTest::newRow("ProgressBar1") << "ProgressBar1" << "Frame1" << QRect(240, 1080, 4335, 255);
        QTest::newRow("lblDescription") << "lblDescription" << "Frame1" << QRect(240, 240, 4335, 615);
        QTest::newRow("Picture1") << "Picture1" << "frmInstall" << QRect(240, 2400, 4935, 1215);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        frmInstall* run = start("5");
        auto* c = run->findChild<QWidget*>(name);
        QVERIFY(c);
        QCOMPARE(c->parentWidget()->objectName(), container);
        QCOMPARE(c->geometry(), testing::Pixels(twips));
    }

    void windowCannotBeClosedOrResized()
    {
        frmInstall* run = start("5");
        QCOMPARE(run->size(), QSize(5265 / 15, 2040 / 15));
        QCOMPARE(run->minimumSize(), run->maximumSize());
        const Qt::WindowFlags f = run->windowFlags();
        QVERIFY(!(f & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint)));
        QCOMPARE(run->cmdCancel->text(), QStringLiteral("Cancel "));
        QVERIFY(!run->cmdCancel->isDefault());
        QCOMPARE(run->Frame1->title(), QString());
        // Everything below the client area is out of sight.
        QVERIFY(run->Picture1->y() >= run->height());
    }

    void closeRequestsAreRefused_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("close from code") << 0;
        QTest::newRow("close event from the window system") << 1;
    }
    void closeRequestsAreRefused()
    {
        QFETCH(int, how);
        frmInstall* run = start("5");
        if (how == 0) {
            QVERIFY(!run->close());
        } else {
            QCloseEvent e;
            QApplication::sendEvent(run, &e);
            QVERIFY(!e.isAccepted());
        }
        QVERIFY(run->isVisible());
        QCOMPARE(seen.ends, 0);
        // Nothing moved: Enter after a refused close confirms no Cancel.
        QCOMPARE(run->focusWidget(), run->Picture1);
        QTest::keyClick(run, Qt::Key_Return);
        QCOMPARE(seen.boxes.size(), 0);
    }

    void oneMinuteSequence()
    {
        frmInstall* run = start("1 minute");
        const Trace t = runToEnd(run, 100);
        // 5 at tick 3, every 5 % each 3 s, 55 never, 95 at 57.
        QList<std::pair<int, int>> expected;
        for (int k = 5; k <= 95; k += 5)
            if (k != 55)
                expected.append({k * 60 / 100, k});
        QCOMPARE(t.values, expected);
        QCOMPARE(t.endTick, 60);
        QCOMPARE(run->ProgressBar1->value(), 95);
    }

    void listedChoices_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QList<int>>("neverShown");
        QTest::addColumn<int>("last");
        const QList<int> eight{7, 14, 28, 29, 55, 56, 57, 58};
        QTest::newRow("1 minute") << "1 minute" << 60 << QList<int>{55} << 95;
        QTest::newRow("5 minutes") << "5 minutes" << 300 << eight << 99;
        QTest::newRow("10 minutes") << "10 minutes" << 600 << eight << 99;
        QTest::newRow("15 minutes") << "15 minutes" << 900 << eight << 99;
        QTest::newRow("30 minutes") << "30 minutes" << 1800 << eight << 99;
        QTest::newRow("45 mimutes") << "45 mimutes" << 2700 << eight << 99;
        QTest::newRow("60 minutes") << "60 minutes" << 3600 << eight << 99;
    }
    void listedChoices()
    {
        QFETCH(QString, choice);
        QFETCH(int, ticks);
        QFETCH(QList<int>, neverShown);
        QFETCH(int, last);
        frmInstall* run = start(choice);
        std::set<int> shown{run->ProgressBar1->value()}; // 1 from the load
        const Trace t = runToEnd(run, ticks + 10);
        QCOMPARE(t.endTick, ticks);
        for (const auto& [when, v] : t.values) {
            // Each value lands on the tick where its percentage falls.
            QCOMPARE(when * 100, v * ticks);
            shown.insert(v);
        }
        for (int k = 1; k <= 100; ++k) {
            const bool falls = (k * ticks) % 100 == 0 && k < 100;
            // 1 is shown from the load on, whether or not it falls on a tick.
            const bool expectShown = k == 1 || (falls && !neverShown.contains(k));
            QVERIFY2(shown.count(k) == (expectShown ? 1u : 0u), qPrintable(QString::number(k)));
        }
        QCOMPARE(t.values.last().second, last);
    }

    void fiveMinuteJumps()
    {
        frmInstall* run = start("5 minutes");
        const Trace t = runToEnd(run, 400);
        QList<int> seq;
        for (const auto& p : t.values)
            seq << p.second;
        for (const auto& [from, to] : QList<std::pair<int, int>>{{6, 8}, {13, 15}, {27, 30}, {54, 59}})
            QCOMPARE(seq.at(seq.indexOf(from) + 1), to);
        QCOMPARE(t.values.last(), std::make_pair(297, 99));
    }

    void typedDurations_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("endTick");
        QTest::newRow("bare 2") << "2" << 120;
        QTest::newRow("1.5 is 90 s") << "1.5" << 90;
        QTest::newRow("2 hours is 2 minutes") << "2 hours" << 120;
        QTest::newRow("zero ends on the first tick") << "0" << 1;
        QTest::newRow("negative ends on the first tick") << "-3" << 1;
        QTest::newRow("90.6 ticks ends on 91") << "1.51" << 91;
        QTest::newRow("exponent") << "1E0 minute" << 60;
        QTest::newRow("trailing blank") << "3 " << 180;
    }
    void typedDurations()
    {
        QFETCH(QString, time);
        QFETCH(int, endTick);
        frmInstall* run = start(time);
        QVERIFY(run);
        QCOMPARE(runToEnd(run, endTick + 10).endTick, endTick);
        QCOMPARE(seen.boxes.size(), 0);
    }

    void longestRun()
    {
        // 16,777,216 ticks is the last count a 32-bit float reaches one by one.
        QVERIFY(frmInstall::IsUsableDuration("279620.26666666666"));
        QCOMPARE(frmInstall::DurationFromText("279620.26666666666"), 16777216.0f);
        QVERIFY(frmInstall::IsUsableDuration("279620"));
        QVERIFY(!frmInstall::IsUsableDuration("279621"));
        QVERIFY(!frmInstall::IsUsableDuration("279620.3"));

        frmInstall* run = start("279620.26666666666");
        QVERIFY(run);
        run->sngElapsed = 16777214.0f;
        tick(run);
        QCOMPARE(seen.ends, 0);
        tick(run);
        QCOMPARE(seen.ends, 1);
    }

    void refusedDurations_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("empty") << "" << DurationPrompt;
        QTest::newRow("leading blank") << " 5" << DurationPrompt;
        QTest::newRow("a word") << "five minutes" << DurationPrompt;
        QTest::newRow("inf") << "inf" << DurationPrompt;
        QTest::newRow("nan") << "nan" << DurationPrompt;
        QTest::newRow("hexadecimal") << "0x10" << DurationPrompt;
        QTest::newRow("comma decimal") << "1,5" << DurationPrompt;
        QTest::newRow("overflows a float") << "1E+39" << TooLongPrompt;
        QTest::newRow("beyond 16,777,216 ticks") << "300000" << TooLongPrompt;
        // Any number whose size alone is wrong gets the same answer.
        QTest::newRow("negative overflow") << "-1E+39" << TooLongPrompt;
        QTest::newRow("beyond a double") << "1e400" << TooLongPrompt;
        QTest::newRow("beyond a double, negative") << "-1e400" << TooLongPrompt;
        QTest::newRow("just past the longest run") << "279620.3" << TooLongPrompt;
    }
    void refusedDurations()
    {
        QFETCH(QString, time);
        QFETCH(QString, prompt);
        const QString message = main->txtMessage->Text();
        const std::uint32_t before = testing::BackColour(main->cmbTime);
        std::uint32_t during = 0;
        seen.whileOpen = [&](const tk::MsgBoxCall&) { during = testing::BackColour(main->cmbTime); };
        QVERIFY(!start(time));
        QCOMPARE(seen.boxes.size(), 1);
        QCOMPARE(seen.boxes[0].prompt, prompt);
        QCOMPARE(seen.boxes[0].style, int(tk::vbOKOnly));
        QCOMPARE(seen.boxes[0].title, QStringLiteral("Lullwick"));
        QCOMPARE(during, 0x0000FFFFu);
        QCOMPARE(testing::BackColour(main->cmbTime), before);
        QCOMPARE(main->cmbTime->Text(), time);
        QCOMPARE(main->txtMessage->Text(), message);
        QVERIFY(main->isVisible());
        QVERIFY(!forms::InstallExists());
        QCOMPARE(seen.ends, 0);
    }

    void emptyMessageIsRefused()
    {
        main->txtMessage->SetLocked(false);
        main->txtMessage->SetText(QString());
        main->txtMessage->SetBackColor(tk::vbWhite);
        std::uint32_t during = 0;
        seen.whileOpen = [&](const tk::MsgBoxCall&) { during = testing::BackColour(main->txtMessage); };
        QVERIFY(!start("1 minute"));
        QCOMPARE(seen.boxes.size(), 1);
        QCOMPARE(seen.boxes[0].prompt, MessagePrompt);
        QCOMPARE(seen.boxes[0].style, int(tk::vbOKOnly));
        QCOMPARE(seen.boxes[0].title, QStringLiteral("Lullwick"));
        QCOMPARE(during, 0x0000FFFFu);
        QCOMPARE(testing::BackColour(main->txtMessage), 0x00FFFFFFu);
        QVERIFY(!main->txtMessage->isReadOnly());
        QVERIFY(main->isVisible());
        QVERIFY(!forms::InstallExists());
    }

    void captionAndDescription_data()
    {
        QTest::addColumn<QString>("app");
        QTest::addColumn<QString>("message");
        QTest::newRow("typed application") << "My Thing" << "Setup in progress...";
        QTest::newRow("empty application") << "" << "x";
        QTest::newRow("one blank message") << "A" << " ";
        QTest::newRow("markup stays text") << "<b>bold</b>" << "<i>not italic</i> & more";
        QTest::newRow("long texts") << QString(10000, u'a') << QString(100000, u'm');
        QTest::newRow("right to left") << QString::fromUtf8("\u05D4\u05EA\u05E7\u05E0\u05D4")
                                       << QString::fromUtf8("e\u0301\u0327 \u0645\u0631\u062D\u0628\u0627");
    }
    void captionAndDescription()
    {
        QFETCH(QString, app);
        QFETCH(QString, message);
        main->txtMessage->SetLocked(false);
        main->txtMessage->SetText(message);
        frmInstall* run = start("1", app);
        QVERIFY(run);
        QCOMPARE(run->windowTitle(), "Installing " + app);
        QCOMPARE(run->lblDescription->text(), message);
        QCOMPARE(run->lblDescription->textFormat(), Qt::PlainText);
        QCOMPARE(run->lblDescription->size(), QSize(4335 / 15, 615 / 15));
    }

    void cancelThenNoGoesOn()
    {
        frmInstall* run = start("1 minute");
        for (int i = 0; i < 10; ++i)
            tick(run);
        seen.answers = {tk::vbNo};
        QTest::mouseClick(run->cmdCancel, Qt::LeftButton);
        QCOMPARE(seen.boxes.size(), 1);
        QCOMPARE(seen.boxes[0].prompt, QStringLiteral("Are you sure you want to cancel this installation?"));
        QCOMPARE(seen.boxes[0].style, int(tk::vbYesNo));
        QCOMPARE(seen.boxes[0].title, QStringLiteral("Confirm"));
        QCOMPARE(seen.ends, 0);
        QCOMPARE(run->ProgressBar1->value(), 15);
        // The count goes on from where it was: tick 12 shows 20.
        tick(run);
        tick(run);
        QCOMPARE(run->ProgressBar1->value(), 20);
        QCOMPARE(runToEnd(run, 100).endTick, 48);
    }

    void cancelThenYesEnds()
    {
        frmInstall* run = start("1 minute");
        seen.answers = {tk::vbYes};
        QTest::mouseClick(run->cmdCancel, Qt::LeftButton);
        QCOMPARE(seen.ends, 1);
        QVERIFY(run->isVisible()); // no window is closed on the way out
    }

    void timeRunsOutWhileConfirming()
    {
        frmInstall* run = start("0.05"); // 3 ticks
        seen.whileOpen = [&](const tk::MsgBoxCall&) {
            for (int i = 0; i < 3; ++i)
                tick(run);
        };
        seen.answers = {tk::vbNo};
        QTest::mouseClick(run->cmdCancel, Qt::LeftButton);
        QCOMPARE(seen.ends, 1);
    }

    void loadErrorsStillReported_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("report");
        QTest::newRow("type mismatch") << "abc" << "Run-time error '13':\n\nType mismatch";
        QTest::newRow("subscript out of range") << "" << "Run-time error '9':\n\nSubscript out of range";
        QTest::newRow("overflow") << "1E+39" << "Run-time error '6':\n\nOverflow";
    }
    void loadErrorsStillReported()
    {
        // Start refuses these; should one reach the load, the toolkit reports and ends.
        QFETCH(QString, time);
        QFETCH(QString, report);
        main->cmbTime->SetText(time);
        tk::Handle([] { forms::Install().Show(); });
        QCOMPARE(seen.boxes.size(), 1);
        QCOMPARE(seen.boxes[0].prompt, report);
        QCOMPARE(seen.boxes[0].title, QStringLiteral("Lullwick"));
        QCOMPARE(seen.ends, 1);
    }

    // The classic Windows style draws whole chunks of 9 pixels: by itself it
    // would show 1 % of the bar as nothing and 50 % as a multiple of 9.
    void barShowsItsShareUnderAChunkedStyle()
    {
        frmInstall* run = start("1 minute");
        std::unique_ptr<QStyle> chunked(QStyleFactory::create("Windows"));
        QVERIFY(chunked);
        run->ProgressBar1->setStyle(chunked.get());
        QStyleOptionProgressBar option;
        option.initFrom(run->ProgressBar1);
        const QRect contents = chunked->subElementRect(QStyle::SE_ProgressBarContents, &option, run->ProgressBar1);
        for (int value : {1, 50}) {
            run->ProgressBar1->setValue(value);
            const QImage bar = run->ProgressBar1->grab().toImage();
            const int y = bar.height() / 2;
            const QRgb empty = bar.pixel(contents.right(), y);
            // Up to the last pixel the fill reaches: chunks may have gaps.
            int fill = 0;
            for (int x = contents.left(); x < contents.right(); ++x)
                if (bar.pixel(x, y) != empty)
                    fill = x - contents.left() + 1;
            QVERIFY2(qAbs(fill - contents.width() * value / 100.0) <= 2,
                     qPrintable(QString("%1 %: %2 of %3 pixels").arg(value).arg(fill).arg(contents.width())));
        }
        run->ProgressBar1->setStyle(nullptr);
    }

    // Nothing but the window's own timer ticks here: a run of 3 ticks ends
    // no sooner than 3 s after Start (the whole-program bar case measures
    // the seconds from outside, over 12 ticks).
    void realTimerTicks()
    {
        main->cmbTime->SetText("0.05");
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(main->cmdStart, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(seen.ends, 1, 6000);
        QVERIFY2(clock.elapsed() >= 2990, qPrintable(QString("ended after %1 ms").arg(clock.elapsed())));
    }
};

} // namespace lw

QTEST_MAIN(lw::tst_frmInstall)
#include "tst_frmInstall.moc"
