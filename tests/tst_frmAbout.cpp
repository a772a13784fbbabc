// SPDX-License-Identifier: MIT
// The About box and the system-information launcher, against an in-memory
// registry and a desktop that only records what it would have started.
#include "about_box/frmAbout.h"
#include "about_box/registry_desktop.h"
#include "tests/registry_memory.h"
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "testsupport.h"
#include "toolkit/application.h"
#include "toolkit/appearance.h"
#include "toolkit/runtime.h"
#include "toolkit/controls.h"
#include "toolkit/desktop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace lw {

namespace {
const std::string Try1 = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string Try2 = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString Unavailable = "System Information Is Unavailable At This Time";

std::vector<unsigned char> bytes(const std::string& s) { return {s.begin(), s.end()}; }
} // namespace

class tst_frmAbout : public QObject {
    Q_OBJECT

    testing::Observer seen;
    frmMain* main = nullptr;
    reg::MemoryRegistry* registry = nullptr;
    QStringList started;
    QStringList tested;
    QStringList existing;
    bool startWorks = true;

    // Opens the box with Help > About; `act` runs while it is open and must
    // close it. Returns when the box is unloaded.
    void withAboutOpen(const std::function<void(frmAbout&)>& act)
    {
        bool acted = false;
        QTimer::singleShot(0, main, [&] {
            acted = true;
            act(forms::About());
        });
        QTimer::singleShot(5000, main, [] {
            if (forms::AboutExists())
                forms::About().done(0); // the test failed to close it
        });
        main->mnuHelpAbout->trigger();
        QVERIFY(acted);
    }

private slots:
    void initTestCase() { testing::SetUp(); }

    void init()
    {
        seen = {};
        testing::Observe(seen);
        auto memory = std::make_unique<reg::MemoryRegistry>();
        registry = memory.get();
        reg::Use(std::move(memory));
        started.clear();
        tested.clear();
        existing.clear();
        startWorks = true;
        testing::FakeDesktop& desktop = testing::UseFakeDesktop();
        desktop.start = [this](const QString& p) {
            started << p;
            return startWorks && !p.isEmpty();
        };
        desktop.exists = [this](const QString& p) {
            tested << p;
            return existing.contains(p);
        };
        main = &forms::Main();
        main->Show();
    }

    void cleanup()
    {
        testing::ResetAll();
        QVERIFY2(testing::VisibleWindows().isEmpty(), qPrintable(testing::VisibleWindows().join(",")));
    }

    void loadSetsCaptions()
    {
        QString caption, version, title;
        bool modal = false, focusOnOK = false, owned = false;
        withAboutOpen([&](frmAbout& a) {
            owned = a.parentWidget() == main;
            caption = a.windowTitle();
            version = a.lblVersion->text();
            title = a.lblTitle->text();
            modal = QApplication::activeModalWidget() == &a;
            focusOnOK = a.focusWidget() == a.cmdOK;
            QTest::keyClick(&a, Qt::Key_Escape);
        });
        QCOMPARE(caption, QStringLiteral("About Lullwick"));
        QCOMPARE(version, QStringLiteral("Version 1.0.0"));
        QCOMPARE(title, QStringLiteral("Lullwick"));
        QVERIFY(modal);
        QVERIFY(owned);
        QVERIFY(focusOnOK);
        QApplication::processEvents();
        QVERIFY(!forms::AboutExists());
        QVERIFY(main->isVisible());
        QCOMPARE(seen.ends, 0);
    }

    void makingTheBoxMakesNoOtherWindow()
    {
        forms::Reset();
        forms::About();
        for (const QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w->objectName() != QStringLiteral("frmMain"), "the configuration window was made");
    }

    void loadRunsAgainOnTheNextOpen()
    {
        withAboutOpen([](frmAbout& a) { QTest::keyClick(a.cmdOK, Qt::Key_Space); });
        tk::App().Major = 2;
        tk::App().Title = "Renamed";
        QString version, caption;
        withAboutOpen([&](frmAbout& a) {
            version = a.lblVersion->text();
            caption = a.windowTitle();
            a.close();
        });
        QCOMPARE(version, QStringLiteral("Version 2.0.0"));
        QCOMPARE(caption, QStringLiteral("About Renamed"));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("sysInfoRuns");
        QTest::newRow("Esc on OK") << "cmdOK" << int(Qt::Key_Escape) << true << 0;
        QTest::newRow("Enter on OK") << "cmdOK" << int(Qt::Key_Return) << true << 0;
        QTest::newRow("Esc on System Info") << "cmdSysInfo" << int(Qt::Key_Escape) << true << 0;
        QTest::newRow("Enter on System Info") << "cmdSysInfo" << int(Qt::Key_Return) << false << 1;
        QTest::newRow("Enter on the icon") << "picIcon" << int(Qt::Key_Return) << true << 0;
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QFETCH(int, sysInfoRuns);
        bool stillOpen = false;
        withAboutOpen([&](frmAbout& a) {
            QWidget* f = a.findChild<QWidget*>(focus);
            f->setFocus();
            QTest::keyClick(f, Qt::Key(key));
            stillOpen = a.isVisible();
            if (stillOpen)
                a.done(0);
        });
        QCOMPARE(!stillOpen, closes);
        QCOMPARE(seen.boxes.size(), sysInfoRuns);
        if (sysInfoRuns)
            QCOMPARE(seen.boxes[0].prompt, Unavailable);
    }

    void tabOrder()
    {
        QStringList order;
        withAboutOpen([&](frmAbout& a) {
            QApplication::setActiveWindow(&a);
            for (int i = 0; i < 4; ++i) {
                order << a.focusWidget()->objectName();
                QTest::keyClick(a.focusWidget(), Qt::Key_Tab);
            }
            a.done(0);
        });
        QCOMPARE(order, (QStringList{"cmdOK", "picIcon", "cmdSysInfo", "cmdOK"}));
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::newRow("picIcon") << "picIcon" << QRect(240, 240, 540, 540) << "";
        QTest::newRow("cmdOK") << "cmdOK" << QRect(240, 2280, 1020, 345) << "OK";
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(1560, 2280, 1155, 345) << "&System Info...";
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(120, 1560, 2535, 465)
                                       << "Lullwick is for entertainment purposes only!";
        QTest::newRow("Line1") << "Line1" << QRect(120, 2160, 2640, 15) << "";
        QTest::newRow("lblDescription") << "lblDescription" << QRect(120, 1200, 2685, 330) << "";
        QTest::newRow("lblTitle") << "lblTitle" << QRect(960, 240, 1725, 480) << "Lullwick";
        QTest::newRow("lblVersion") << "lblVersion" << QRect(960, 720, 1725, 225) << "Version 1.0.0";
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        frmAbout& a = forms::About();
        a.Load();
        QWidget* c = a.findChild<QWidget*>(name);
        QVERIFY(c);
        QCOMPARE(c->geometry(), testing::Pixels(twips));
        QCOMPARE(a.size(), QSize(2925 / 15, 2745 / 15));
        if (auto* b = qobject_cast<QPushButton*>(c))
            QCOMPARE(b->text(), caption);
        if (auto* l = qobject_cast<QLabel*>(c); l && name != "picIcon") {
            if (!caption.isEmpty())
                QCOMPARE(l->text(), caption);
            // Every caption fits its box, wrapped at the label's width.
            const QRect need = QFontMetrics(l->font()).boundingRect(
                QRect(0, 0, l->width(), 10000), Qt::TextWordWrap, l->text());
            QVERIFY2(need.height() <= l->height() && need.width() <= l->width(),
                     qPrintable(QStringLiteral("%1x%2").arg(need.width()).arg(need.height())));
            QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::black));
        }
        a.done(0);
    }

    void lookOfTheBox()
    {
        frmAbout& a = forms::About();
        QVERIFY(a.lblTitle->font().bold());
        QCOMPARE(a.lblTitle->font().pixelSize(), 18); // 13.5 points
        QCOMPARE(a.Line1->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
        QVERIFY(!a.picIcon->pixmap().isNull());
        QCOMPARE(a.picIcon->pixmap().size(), QSize(32, 32));
        QVERIFY(a.cmdOK->isDefault());
        const Qt::WindowFlags f = a.windowFlags();
        QVERIFY(f & Qt::WindowCloseButtonHint);
        QVERIFY(!(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QRect where;
        withAboutOpen([&](frmAbout& open) {
            where = open.geometry();
            open.done(0);
        });
        const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
        QCOMPARE(where.topLeft(), origin + QPoint(2340 / 15, 1935 / 15));
    }

    // --- The launcher

    void launcher_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<QStringList>("expectStarted");
        QTest::addColumn<bool>("message");
        QTest::newRow("try 1 present") << 1 << QStringList{"C:\\Tools\\sys info.exe"} << false;
        QTest::newRow("try 1 present, file missing") << 2 << QStringList{"C:\\Tools\\sys info.exe"} << true;
        QTest::newRow("try 2 with the file") << 3 << QStringList{"C:\\Folder\\MSINFO32.EXE"} << false;
        QTest::newRow("try 2 without the file") << 4 << QStringList{} << true;
        QTest::newRow("both absent") << 5 << QStringList{} << true;
        QTest::newRow("try 1 over 1024 bytes falls to try 2") << 6 << QStringList{"C:\\Folder\\MSINFO32.EXE"} << false;
        QTest::newRow("try 1 of another type") << 7 << QStringList{""} << true;
        QTest::newRow("zero-byte value") << 8 << QStringList{} << true;
        QTest::newRow("try 1 key without the value") << 9 << QStringList{"C:\\Folder\\MSINFO32.EXE"} << false;
        QTest::newRow("try 1 spelt MSInfo, Path") << 10 << QStringList{"C:\\Tools\\sys info.exe"} << false;
        QTest::newRow("try 1 unreadable falls to try 2") << 11 << QStringList{"C:\\Folder\\MSINFO32.EXE"} << false;
    }
    void launcher()
    {
        QFETCH(int, setup);
        QFETCH(QStringList, expectStarted);
        QFETCH(bool, message);
        const std::string tool = "C:\\Tools\\sys info.exe";
        switch (setup) {
        case 1: registry->SetString(Try1, "PATH", tool); break;
        case 2: registry->SetString(Try1, "PATH", tool); startWorks = false; break;
        case 3:
        case 4:
            registry->SetString(Try2, "MSINFO", "C:\\Folder");
            if (setup == 3)
                existing << "C:\\Folder\\MSINFO32.EXE";
            break;
        case 5: break;
        case 6:
            registry->SetString(Try1, "PATH", std::string(1025, 'x'), false);
            registry->SetString(Try2, "MSINFO", "C:\\Folder");
            existing << "C:\\Folder\\MSINFO32.EXE";
            break;
        case 7:
            registry->SetValue(Try1, "PATH", reg::TypeExpandString, bytes("%SystemRoot%\\x.exe"));
            registry->SetString(Try2, "MSINFO", "C:\\Folder");
            existing << "C:\\Folder\\MSINFO32.EXE";
            break;
        case 8: registry->SetValue(Try1, "PATH", reg::TypeString, {}); break;
        case 10: registry->SetString("SOFTWARE\\Microsoft\\Shared Tools\\MSInfo", "Path", tool); break;
        case 11:
            registry->SetString(Try1, "PATH", tool);
            registry->Allow(Try1, 0);
            registry->SetString(Try2, "MSINFO", "C:\\Folder");
            existing << "C:\\Folder\\MSINFO32.EXE";
            break;
        case 9:
            registry->SetString(Try1, "OTHER", tool);
            registry->SetString(Try2, "MSINFO", "C:\\Folder");
            existing << "C:\\Folder\\MSINFO32.EXE";
            break;
        }
        forms::About().StartSysInfo();
        QCOMPARE(started, expectStarted);
        QCOMPARE(seen.boxes.size(), message ? 1 : 0);
        if (message) {
            QCOMPARE(seen.boxes[0].prompt, Unavailable);
            QCOMPARE(seen.boxes[0].style, int(tk::vbOKOnly));
            QCOMPARE(seen.boxes[0].title, QStringLiteral("Lullwick"));
        }
        if (setup == 7)
            for (const std::string& q : registry->Queried())
                QVERIFY(q.rfind(Try2, 0) != 0); // try 2 is not consulted
        QCOMPARE(registry->OpenHandles(), 0);
        QCOMPARE(registry->LastAccess(), reg::KeyRead);
        QCOMPARE(seen.ends, 0);
    }

    void keyValues_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("value");
        QTest::newRow("string with its NUL") << 1 << QByteArray("abc", 4) << true << "abc";
        QTest::newRow("string without NUL keeps its last character") << 1 << QByteArray("abc") << true << "abc";
        QTest::newRow("one NUL only") << 1 << QByteArray("\0", 1) << true << "";
        QTest::newRow("1024 bytes with the NUL") << 1 << QByteArray(1023, 'y').append('\0') << true << QString(1023, u'y');
        QTest::newRow("1024 bytes without the NUL is not found") << 1 << QByteArray(1024, 'y') << false << "";
        QTest::newRow("1025 bytes is not found") << 1 << QByteArray(1025, 'y') << false << "";
        QTest::newRow("non-ASCII path survives") << 1 << QByteArray("C:\\Pr\xC3\xBC" "fung") << true
                                                 << QString::fromUtf8("C:\\Pr\xC3\xBC" "fung");
        QTest::newRow("number") << 4 << QByteArray("\x1A\0\0\0", 4) << true << "26";
        QTest::newRow("number of two bytes") << 4 << QByteArray("\x01\x02\0\0", 4) << true << "33";
        QTest::newRow("other type leaves the text") << 3 << QByteArray("zz") << true << "before";
    }
    void keyValues()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, found);
        QFETCH(QString, value);
        registry->SetValue("K", "V", std::uint32_t(type), {data.begin(), data.end()});
        QString keyVal = type == 3 ? QStringLiteral("before") : QString();
        QCOMPARE(frmAbout::GetKeyValue(reg::LocalMachine, "K", "V", keyVal), found);
        QCOMPARE(keyVal, value);
        QCOMPARE(registry->OpenHandles(), 0);
    }

    // The in-memory registry answers as the real one does (as measured on
    // Windows' API under Wine): a key "SOFTWARE\\Tools" holding "Path".
    void memoryRegistryAsTheRealOne_data()
    {
        QTest::addColumn<quint64>("root");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("opened");
        QTest::addColumn<int>("queried");
        const quint64 hklm = reg::LocalMachine;
        QTest::newRow("as stored") << hklm << "SOFTWARE\\Tools" << "Path" << 0 << 0;
        QTest::newRow("names in another case") << hklm << "software\\TOOLS" << "PATH" << 0 << 0;
        QTest::newRow("trailing backslash") << hklm << "SOFTWARE\\Tools\\" << "Path" << 0 << 0;
        QTest::newRow("a parent opens, has no value") << hklm << "SOFTWARE" << "Path" << 0 << 2;
        QTest::newRow("missing value") << hklm << "SOFTWARE\\Tools" << "Other" << 0 << -1;
        QTest::newRow("missing key") << hklm << "SOFTWARE\\Tool" << "Path" << 2 << -1;
        QTest::newRow("leading backslash") << hklm << "\\SOFTWARE\\Tools" << "Path" << 161 << -1;
        QTest::newRow("root sign-extended") << quint64(0xFFFFFFFF80000002) << "SOFTWARE\\Tools" << "Path" << 0 << 0;
        QTest::newRow("another root") << quint64(0x80000001) << "SOFTWARE\\Tools" << "Path" << 6 << -1;
    }
    void memoryRegistryAsTheRealOne()
    {
        QFETCH(quint64, root);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, opened);
        QFETCH(int, queried);
        registry->SetString("SOFTWARE\\Tools", "Path", "x");
        reg::Handle h = 0;
        QCOMPARE(int(registry->OpenKeyEx(root, key.toStdString(), 0, reg::KeyRead, h)), opened);
        if (opened == reg::Success) {
            unsigned char data[8] = {};
            std::uint32_t type = 0, size = sizeof data;
            const long rc = registry->QueryValueEx(h, value.toStdString(), type, data, size);
            QCOMPARE(int(rc), queried < 0 ? 2 : queried);
            registry->CloseKey(h);
        }
        QCOMPARE(registry->OpenHandles(), 0);
    }

    void unreadableKeyIsRefused()
    {
        registry->SetString("K", "V", "x");
        registry->Allow("K", 0);
        reg::Handle h = 0;
        QCOMPARE(registry->OpenKeyEx(reg::LocalMachine, "K", 0, reg::KeyRead, h), reg::AccessDenied);
        QCOMPARE(h, reg::Handle(0));
    }

    // The desktop's own file test on real files: only a plain file counts.
    void normalFilesOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("plain file") << "MSINFO32.EXE" << true;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("dot-file") << ".MSINFO32.EXE" << false;
        QTest::newRow("missing") << "none" << false;
        QTest::newRow("empty path") << "" << false;
    }
    void normalFilesOnly()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        tk::UseDesktop(nullptr);
        QTemporaryDir dir;
        for (const char* file : {"MSINFO32.EXE", ".MSINFO32.EXE"}) {
            QFile f(dir.filePath(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QCOMPARE(tk::FileExists(name.isEmpty() ? name : dir.filePath(name)), exists);
    }

    void readOnlyKeyIsFound()
    {
        registry->SetString(Try1, "PATH", "C:\\Tools\\x.exe");
        registry->Allow(Try1, reg::KeyRead);
        QString keyVal;
        QVERIFY(frmAbout::GetKeyValue(reg::LocalMachine, QString::fromStdString(Try1), "PATH", keyVal));
        QCOMPARE(keyVal, QStringLiteral("C:\\Tools\\x.exe"));
    }

    void zeroBytesIsAnErrorThatClosesTheKey()
    {
        registry->SetValue("K", "V", reg::TypeString, {});
        QString keyVal;
        QVERIFY_THROWS_EXCEPTION(tk::RuntimeError, frmAbout::GetKeyValue(reg::LocalMachine, "K", "V", keyVal));
        QCOMPARE(registry->OpenHandles(), 0);
    }

    void pathIsNeverParsedByAShell()
    {
        // The real desktop: a value that a shell would run must start nothing.
        tk::UseDesktop(nullptr);
        QTemporaryDir dir;
        const QString marker = dir.filePath("ran");
        registry->SetString(Try1, "PATH", ("/bin/sh -c 'touch " + marker + "'").toStdString());
        forms::About().StartSysInfo();
        QTest::qWait(200);
        QVERIFY(!QFile::exists(marker));
        QCOMPARE(seen.boxes.size(), 1);
        QCOMPARE(seen.boxes[0].prompt, Unavailable);
    }

    // With none of the programs, GNOME Settings' system details page through
    // its desktop entry: the Exec line's command, split without a shell.
    void gnomeSettingsWhenNothingElse_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("args");
        QTest::newRow("Debian 12's panel") << "gnome-info-overview-panel.desktop" << "info-overview %U" << "info-overview";
        QTest::newRow("Debian 13's panel") << "gnome-about-panel.desktop" << "system \"about\"" << "system about";
    }
    void gnomeSettingsWhenNothingElse()
    {
        QFETCH(QString, entry);
        QFETCH(QString, exec);
        QFETCH(QString, args);
        QTemporaryDir dir;
        // A stand-in for GNOME Settings that writes down its arguments.
        const QString tool = dir.filePath("settings");
        const QString written = dir.filePath("args");
        auto write = [](const QString& path, const QString& text) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text.toUtf8());
        };
        write(tool, "#!/bin/sh\necho \"$@\" >" + written + "\n");
        QFile(tool).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(QDir(dir.path()).mkpath("share/applications"));
        write(dir.filePath("share/applications/" + entry),
              "[Desktop Entry]\nName=About\nExec=" + tool + " " + exec + "\n[Desktop Action x]\nExec=false\n");
        const QByteArray oldPath = qgetenv("PATH"), oldDirs = qgetenv("XDG_DATA_DIRS"), oldHome = qgetenv("XDG_DATA_HOME");
        qputenv("PATH", QByteArray(dir.path().toLocal8Bit() + "/none"));
        qputenv("XDG_DATA_DIRS", dir.filePath("share").toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath("home").toLocal8Bit());
        reg::Use(reg::MakeDesktopRegistry());
        tk::UseDesktop(nullptr);
        forms::About().StartSysInfo();
        qputenv("PATH", oldPath);
        qputenv("XDG_DATA_DIRS", oldDirs);
        qputenv("XDG_DATA_HOME", oldHome);
        QCOMPARE(seen.boxes.size(), 0);
        auto said = [&] {
            QFile f(written);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        };
        QTRY_VERIFY(said().endsWith(u'\n'));
        QCOMPARE(said().trimmed(), args);
    }

    // This desktop's registry holds, under try 1, the first of the
    // system-information programs on PATH in their order of preference, and
    // nothing under try 2.
    void desktopStandIn_data()
    {
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<QString>("found");
        QTest::newRow("all four") << QStringList{"lshw-gtk", "hardinfo", "hardinfo2", "kinfocenter"} << "kinfocenter";
        QTest::newRow("both HardInfos") << QStringList{"lshw-gtk", "hardinfo", "hardinfo2"} << "hardinfo2";
        QTest::newRow("HardInfo and lshw-gtk") << QStringList{"lshw-gtk", "hardinfo"} << "hardinfo";
        QTest::newRow("lshw-gtk alone") << QStringList{"lshw-gtk"} << "lshw-gtk";
        QTest::newRow("none") << QStringList{"sysinfo", "msinfo32"} << "";
    }
    void desktopStandIn()
    {
        QFETCH(QStringList, onPath);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const QString& name : onPath) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n");
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const QByteArray oldPath = qgetenv("PATH");
        const QByteArray oldData = qgetenv("XDG_DATA_DIRS");
        const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
        qputenv("PATH", dir.path().toLocal8Bit());
        // No GNOME Settings panel either.
        qputenv("XDG_DATA_DIRS", dir.filePath("none").toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath("none").toLocal8Bit());
        reg::Use(reg::MakeDesktopRegistry());
        QString path = "x", folder = "x";
        const bool try1 = frmAbout::GetKeyValue(reg::LocalMachine, QString::fromUtf8(reg::SysInfoKey), "PATH", path);
        const bool try2 = frmAbout::GetKeyValue(reg::LocalMachine, QString::fromUtf8(reg::SysInfoFolderKey), "MSINFO", folder);
        qputenv("PATH", oldPath);
        qputenv("XDG_DATA_DIRS", oldData);
        qputenv("XDG_DATA_HOME", oldHome);
        QCOMPARE(try1, !found.isEmpty());
        QCOMPARE(path, found.isEmpty() ? QString() : dir.filePath(found));
        QVERIFY(!try2);
        QCOMPARE(folder, QString());
    }
};

} // namespace lw

QTEST_MAIN(lw::tst_frmAbout)
#include "tst_frmAbout.moc"
