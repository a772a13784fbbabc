// SPDX-License-Identifier: MIT
// The configuration window against its design and behaviour: texts, lists,
// twips, tab order, the preset choice, Quit, Exit, Help and closing.
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "config_window/frmMain_layout.h"
#include "progress_window/frmInstall.h"
#include "testsupport.h"
#include "toolkit/application.h"
#include "toolkit/appearance.h"
#include "toolkit/runtime.h"
#include "toolkit/controls.h"
#include "toolkit/layout.h"
#include "toolkit/desktop.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace lw {

namespace {

const QString Slot[] = {
    "Copying files to your computer. This may take awhile, you may want to get a cup of coffee.",
    "Setup is installing files on your computer...",
    "Please wait while setup copies files to your computer. It is strongly recommended that you "
    "exit all programs.",
    "Copying setup files to your computer. Your old files have been archived should you desire to "
    "uninstall.",
    "Setup in progress...",
};

QStringList items(const QComboBox* c)
{
    QStringList list;
    for (int i = 0; i < c->count(); ++i)
        list << c->itemText(i);
    return list;
}

// Picks an item the way a user does: open the list, choose, press Enter.
void pick(tk::ComboBox* combo, const QString& item)
{
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

} // namespace

class tst_frmMain : public QObject {
    Q_OBJECT

    testing::Observer seen;
    frmMain* w = nullptr;

private slots:
    void initTestCase() { testing::SetUp(); }

    void init()
    {
        seen = {};
        testing::Observe(seen);
        w = &forms::Main();
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup()
    {
        testing::ResetAll();
        QVERIFY2(testing::VisibleWindows().isEmpty(), qPrintable(testing::VisibleWindows().join(",")));
    }

    void startupShowsOnlyThisWindow()
    {
        QCOMPARE(testing::VisibleWindows(), QStringList{"frmMain"});
        QCOMPARE(w->windowTitle(), QStringLiteral("Lullwick"));
        QVERIFY(!forms::InstallExists());
        QVERIFY(!forms::AboutExists());
    }

    // A desktop that changes the application's font while the program runs
    // (as KDE's theme does when it refreshes its fonts) changes no window's.
    void fontsStayWhenTheApplicationsChange()
    {
        frmInstall& run = forms::Install();
        const QFont before = QApplication::font();
        QApplication::setFont(QFont(QStringLiteral("DejaVu Serif"), 16));
        // Told to every widget as Qt tells them once its event loop runs.
        QEvent change(QEvent::ApplicationFontChange);
        for (QWidget* c : QApplication::allWidgets())
            QApplication::sendEvent(c, &change);
        QStringList changed;
        for (QWidget* window : {static_cast<QWidget*>(w), static_cast<QWidget*>(&run)})
            for (QWidget* c : window->findChildren<QWidget*>())
                if (c->font().pixelSize() != 11 || c->font().family() != QStringLiteral("Liberation Sans"))
                    changed << c->objectName() + "/" + c->metaObject()->className();
        QApplication::setFont(before);
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(", ")));
    }

    void stateAfterLoad()
    {
        QCOMPARE(w->cmbApp->Text(), QStringLiteral("Microsoft Windows Service Pack"));
        QCOMPARE(items(w->cmbApp),
                 (QStringList{"Microsoft Windows Service Pack", "Microsoft Internet Explorer Service Pack",
                              "Microsoft Windows Update Host", "Microsoft J++ Virtual Machine Updates",
                              "Microsoft DOJ Protection Agent", "Window Scripting Objects",
                              "ADO COM+ Objects", "ISAPI Filter Components"}));
        QCOMPARE(w->cmbTime->Text(), QStringLiteral("1 minute"));
        QCOMPARE(items(w->cmbTime), (QStringList{"1 minute", "5 minutes", "10 minutes", "15 minutes",
                                                 "30 minutes", "45 mimutes", "60 minutes"}));
        QCOMPARE(w->cmbMessage->Text(), QStringLiteral("Message 1"));
        QCOMPARE(items(w->cmbMessage), (QStringList{"Message 1", "Message 2", "Message 3", "Message 4",
                                                    "Message 5", "Custom Message"}));
        QCOMPARE(w->txtMessage->Text(), Slot[0]);
        QVERIFY(w->txtMessage->isReadOnly());
        QCOMPARE(testing::BackColour(w->txtMessage), 0x00E0E0E0u);
        QCOMPARE(tk::App().HelpFile, QCoreApplication::applicationDirPath() + "/Lull Wick.hlp");
        QCOMPARE(QApplication::focusWidget(), w->cmbApp);
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("txtMessage") << "txtMessage" << "client" << QRect(120, 3720, 5295, 1215);
        QTest::newRow("Frame1") << "Frame1" << "client" << QRect(120, 120, 5295, 3135);
        QTest::newRow("cmbMessage") << "cmbMessage" << "Frame1" << QRect(120, 2640, 3615, 315);
        QTest::newRow("cmdStart") << "cmdStart" << "Frame1" << QRect(4080, 240, 975, 375);
        QTest::newRow("cmdQuit") << "cmdQuit" << "Frame1" << QRect(4080, 720, 975, 375);
        QTest::newRow("cmbTime") << "cmbTime" << "Frame1" << QRect(120, 1680, 3615, 315);
        QTest::newRow("cmbApp") << "cmbApp" << "Frame1" << QRect(120, 720, 3615, 315);
        QTest::newRow("Label3") << "Label3" << "Frame1" << QRect(120, 2280, 3015, 255);
        QTest::newRow("Label2") << "Label2" << "Frame1" << QRect(120, 1320, 2775, 255);
        QTest::newRow("Label1") << "Label1" << "Frame1" << QRect(120, 360, 3015, 255);
        QTest::newRow("Label4") << "Label4" << "client" << QRect(1560, 3360, 2175, 255);
    }
    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        auto* c = w->findChild<QWidget*>(name);
        QVERIFY(c);
        QCOMPARE(c->parentWidget()->objectName(), container);
        const QRect px = testing::Pixels(twips);
        QCOMPARE(c->geometry(), px);
        // Resizing the window moves nothing.
        w->resize(w->width() + 120, w->height() + 90);
        QApplication::processEvents();
        QCOMPARE(c->geometry(), px);
        w->resize(200, 150);
        QApplication::processEvents();
        QCOMPARE(c->geometry(), px);
    }

    void clientArea()
    {
        QCOMPARE(w->centralWidget()->size(), QSize(5580 / 15, 5100 / 15));
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame1") << "Frame1" << "Configure your Lullwick";
        QTest::newRow("cmdStart") << "cmdStart" << "Start";
        QTest::newRow("cmdQuit") << "cmdQuit" << "Quit";
        QTest::newRow("Label1") << "Label1" << "Select your desired application to 'install':";
        QTest::newRow("Label2") << "Label2" << "Select duration of your \"installation\":";
        QTest::newRow("Label3") << "Label3" << "Select desired \"installation\" message:";
        QTest::newRow("Label4") << "Label4" << "Installation Display Message:";
    }
    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QWidget* c = w->findChild<QWidget*>(name);
        QVERIFY(c);
        QString shown;
        if (auto* l = qobject_cast<QLabel*>(c))
            shown = l->text();
        else if (auto* b = qobject_cast<QPushButton*>(c))
            shown = b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(c))
            shown = g->title();
        QCOMPARE(shown, caption);
        // Every caption fits its box on one line in the default font.
        const QFontMetrics fm(c->font());
        QVERIFY2(fm.horizontalAdvance(caption) <= c->width(),
                 qPrintable(QStringLiteral("%1 px in %2").arg(fm.horizontalAdvance(caption)).arg(c->width())));
        if (qobject_cast<QLabel*>(c))
            QVERIFY(fm.height() <= c->height());
    }

    void defaultFontIsTheInstalledOne()
    {
        QCOMPARE(QFontInfo(w->Label1->font()).family(), QStringLiteral("Liberation Sans"));
    }

    void menus()
    {
        const QList<QAction*> top = w->menuBar()->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top[0]->text(), QStringLiteral("&File"));
        QCOMPARE(top[0]->menu()->objectName(), QStringLiteral("File"));
        QCOMPARE(top[1]->text(), QStringLiteral("&Help"));
        QCOMPARE(top[1]->menu()->objectName(), QStringLiteral("mnuHelp"));
        QStringList file, help;
        for (QAction* a : top[0]->menu()->actions())
            file << a->objectName() + "=" + (a->isSeparator() ? "-" : a->text());
        for (QAction* a : top[1]->menu()->actions())
            help << a->objectName() + "=" + (a->isSeparator() ? "-" : a->text());
        QCOMPARE(file, QStringList{"mnuFileExit=E&xit"});
        QCOMPARE(help, (QStringList{"mnuHelpContents=Contents", "sep1=-", "mnuHelpAbout=About"}));
        for (QAction* a : top[0]->menu()->actions() + top[1]->menu()->actions()) {
            QVERIFY(a->shortcut().isEmpty());
            QVERIFY(a->isEnabled() && a->isVisible());
        }
    }

    void tabCyclesInTheGivenOrder()
    {
        QStringList order;
        for (int i = 0; i < 7; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"cmbApp", "cmbTime", "cmdQuit", "cmdStart", "txtMessage",
                                     "cmbMessage", "cmbApp"}));
    }

    void enterAndEscPressNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("on the application") << "cmbApp";
        QTest::newRow("on the duration") << "cmbTime";
        QTest::newRow("on the message choice") << "cmbMessage";
    }
    void enterAndEscPressNothing()
    {
        QFETCH(QString, focus);
        auto* c = w->findChild<QWidget*>(focus);
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Return);
        QTest::keyClick(c, Qt::Key_Enter);
        QTest::keyClick(c, Qt::Key_Escape);
        QCOMPARE(seen.ends, 0);
        QVERIFY(!forms::InstallExists());
        QVERIFY(w->isVisible());
        QCOMPARE(w->txtMessage->Text(), Slot[0]);
    }

    void pickingMessages()
    {
        pick(w->cmbMessage, "Message 4");
        QCOMPARE(w->txtMessage->Text(), Slot[3]);
        QVERIFY(w->txtMessage->isReadOnly());
        QCOMPARE(testing::BackColour(w->txtMessage), 0x00E0E0E0u);

        pick(w->cmbMessage, "Custom Message");
        QCOMPARE(w->txtMessage->Text(), QString());
        QVERIFY(!w->txtMessage->isReadOnly());
        QCOMPARE(testing::BackColour(w->txtMessage), 0x00FFFFFFu);

        w->txtMessage->setFocus();
        QTest::keyClicks(w->txtMessage, "my own words");
        QCOMPARE(w->txtMessage->Text(), QStringLiteral("my own words"));
        // Picking the custom choice again discards what was typed.
        pick(w->cmbMessage, "Custom Message");
        QCOMPARE(w->txtMessage->Text(), QString());

        pick(w->cmbMessage, "Message 2");
        QCOMPARE(w->txtMessage->Text(), Slot[1]);
        QVERIFY(w->txtMessage->isReadOnly());
        QCOMPARE(testing::BackColour(w->txtMessage), 0x00E0E0E0u);
        QCOMPARE(seen.boxes.size(), 0);
    }

    // Each choice shows its own preset, whole, read-only on grey.
    void eachPresetMessage_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("slot");
        for (int n = 1; n <= 5; ++n)
            QTest::newRow(qPrintable(QStringLiteral("Message %1").arg(n))) << QStringLiteral("Message %1").arg(n) << n;
    }
    void eachPresetMessage()
    {
        QFETCH(QString, choice);
        QFETCH(int, slot);
        pick(w->cmbMessage, "Custom Message");
        pick(w->cmbMessage, choice);
        QCOMPARE(w->txtMessage->Text(), Slot[slot - 1]);
        QVERIFY(w->txtMessage->isReadOnly());
        QCOMPARE(testing::BackColour(w->txtMessage), 0x00E0E0E0u);
    }

    // The wheel over a closed list picks nothing: no text changes, and the
    // message stays.
    void wheelOverAClosedListPicksNothing_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::newRow("application") << "cmbApp";
        QTest::newRow("duration") << "cmbTime";
        QTest::newRow("message choice") << "cmbMessage";
    }
    void wheelOverAClosedListPicksNothing()
    {
        QFETCH(QString, combo);
        auto* c = w->findChild<tk::ComboBox*>(combo);
        QVERIFY(c);
        const QString before = c->Text();
        const QPoint at = c->rect().center();
        for (int delta : {-120, -120, 120, -120}) {
            QWheelEvent turn(at, c->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(c, &turn);
        }
        QCOMPARE(c->Text(), before);
        QCOMPARE(w->txtMessage->Text(), Slot[0]);
        QVERIFY(w->txtMessage->isReadOnly());
    }

    void lockedBoxTakesNoTyping()
    {
        w->txtMessage->setFocus();
        QTest::keyClicks(w->txtMessage, "xyz");
        QCOMPARE(w->txtMessage->Text(), Slot[0]);
    }

    void typingFiresNoClick_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("an item's text") << "Message 3";
        QTest::newRow("the custom choice") << "Custom Message";
        QTest::newRow("other text") << "Message 9";
    }
    void typingFiresNoClick()
    {
        QFETCH(QString, typed);
        w->cmbMessage->setFocus();
        w->cmbMessage->lineEdit()->selectAll();
        QTest::keyClicks(w->cmbMessage, typed);
        QTest::keyClick(w->cmbMessage, Qt::Key_Return);
        QTest::keyClick(w->cmbMessage, Qt::Key_Tab);
        QCOMPARE(w->cmbMessage->Text(), typed);
        QCOMPARE(w->txtMessage->Text(), Slot[0]);
        QVERIFY(w->txtMessage->isReadOnly());
        // Typed text never joins the list.
        QCOMPARE(w->cmbMessage->count(), 6);
    }

    void quitAndExitEnd_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Quit") << "cmdQuit";
        QTest::newRow("File Exit") << "mnuFileExit";
        QTest::newRow("close box") << "close";
    }
    void quitAndExitEnd()
    {
        QFETCH(QString, how);
        if (how == "cmdQuit")
            QTest::mouseClick(w->cmdQuit, Qt::LeftButton);
        else if (how == "mnuFileExit")
            w->mnuFileExit->trigger();
        else
            w->close();
        QCOMPARE(seen.ends, 1);
        QCOMPARE(seen.boxes.size(), 0);
        QVERIFY(!forms::InstallExists());
    }

    void helpContents_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<int>("boxes");
        const QString dir = QCoreApplication::applicationDirPath();
        QTest::newRow("as joined") << dir + "\\Lull Wick.hlp" << true << dir + "\\Lull Wick.hlp" << 0;
        QTest::newRow("backslash as separator") << dir + "/Lull Wick.hlp" << true << dir + "/Lull Wick.hlp" << 0;
        QTest::newRow("missing file") << QString() << true << QString() << 1;
        QTest::newRow("nothing shows it") << dir + "/Lull Wick.hlp" << false << dir + "/Lull Wick.hlp" << 1;
    }
    void helpContents()
    {
        QFETCH(QString, existing);
        QFETCH(bool, opens);
        QFETCH(QString, opened);
        QFETCH(int, boxes);
        QStringList tested;
        QString openedPath;
        testing::FakeDesktop& desktop = testing::UseFakeDesktop();
        desktop.exists = [&](const QString& p) { tested << p; return p == existing; };
        desktop.open = [&](const QString& p) { openedPath = p; return opens; };
        w->mnuHelpContents->trigger();
        QCOMPARE(tested.value(0), QCoreApplication::applicationDirPath() + "\\Lull Wick.hlp");
        QCOMPARE(openedPath, opened);
        QCOMPARE(seen.boxes.size(), boxes);
        if (boxes) {
            QCOMPARE(seen.boxes[0].title, QStringLiteral("Lullwick"));
            // The path as this desktop writes it, not with the joined backslash.
            QVERIFY2(seen.boxes[0].prompt.contains(QCoreApplication::applicationDirPath() + "/Lull Wick.hlp"),
                     qPrintable(seen.boxes[0].prompt));
        }
        QCOMPARE(seen.ends, 0);
    }

    void pastedControlCharactersBecomeBlanks()
    {
        // What a paste does: the clipboard's text inserted into the field.
        w->cmbApp->lineEdit()->selectAll();
        w->cmbApp->lineEdit()->insert(QStringLiteral("Tab\there\nand\r\nthere"));
        QCOMPARE(w->cmbApp->Text(), QStringLiteral("Tab here and  there"));
    }

    void f1ShowsTheApplicationHelpFile()
    {
        QString openedPath;
        testing::FakeDesktop& desktop = testing::UseFakeDesktop();
        desktop.exists = [](const QString&) { return true; };
        desktop.open = [&](const QString& p) { openedPath = p; return true; };
        QTest::keyClick(w->cmbApp, Qt::Key_F1);
        QCOMPARE(openedPath, QCoreApplication::applicationDirPath() + "/Lull Wick.hlp");
    }
};

} // namespace lw

QTEST_MAIN(lw::tst_frmMain)
#include "tst_frmMain.moc"
