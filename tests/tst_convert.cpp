// SPDX-License-Identifier: MIT
// The toolkit's conversions: the rules the duration, the preset choice and the
// registry reading stand on.
#include "toolkit/convert.h"
#include "toolkit/errors.h"
#include "toolkit/units.h"

#include <QLocale>
#include <QTest>
#include <clocale>
#include <cmath>

using namespace tk;

class tst_convert : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, "C");
    }

    void toDouble_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "5" << 5.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "3." << 3.0;
        QTest::newRow("negative") << "-2" << -2.0;
        QTest::newRow("plus sign") << "+4" << 4.0;
        QTest::newRow("exponent") << "1E+3" << 1000.0;
        QTest::newRow("small exponent") << "25e-1" << 2.5;
        QTest::newRow("blanks around") << "  7\t" << 7.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("underflow is zero") << "1e-400" << 0.0;
        QTest::newRow("largest double") << "1.7976931348623157e308" << 1.7976931348623157e308;
        QTest::newRow("zeros with huge exponent") << "0e999999" << 0.0;
    }
    void toDouble()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(ToDouble(text), value);
    }

    void toDoubleErrors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("empty") << "" << int(errTypeMismatch);
        QTest::newRow("blank") << " " << int(errTypeMismatch);
        QTest::newRow("word") << "minute" << int(errTypeMismatch);
        QTest::newRow("inf") << "inf" << int(errTypeMismatch);
        QTest::newRow("infinity") << "Infinity" << int(errTypeMismatch);
        QTest::newRow("nan") << "nan" << int(errTypeMismatch);
        QTest::newRow("hexadecimal") << "0x10" << int(errTypeMismatch);
        QTest::newRow("comma decimal") << "1,5" << int(errTypeMismatch);
        QTest::newRow("two points") << "1.2.3" << int(errTypeMismatch);
        QTest::newRow("bare exponent") << "1e" << int(errTypeMismatch);
        QTest::newRow("sign only") << "-" << int(errTypeMismatch);
        QTest::newRow("inner blank") << "1 5" << int(errTypeMismatch);
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0665)) << int(errTypeMismatch);
        QTest::newRow("beyond double") << "1e309" << int(errOverflow);
        QTest::newRow("long digits beyond double") << QString(400, u'9') << int(errOverflow);
    }
    void toDoubleErrors()
    {
        QFETCH(QString, text);
        QFETCH(int, error);
        try {
            ToDouble(text);
            QFAIL("no error raised");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.Number(), error);
        }
    }

    void toDoubleIgnoresLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            std::setlocale(LC_NUMERIC, "C.UTF-8");
        QCOMPARE(ToDouble(QStringLiteral("1.5")), 1.5);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ToDouble(QStringLiteral("1,5")));
    }

    void split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("empty gives none") << "" << QStringList{};
        QTest::newRow("no blank") << "2" << QStringList{"2"};
        QTest::newRow("two words") << "1 minute" << QStringList{"1", "minute"};
        QTest::newRow("leading blank") << " 5" << QStringList{"", "5"};
        QTest::newRow("double blank") << "a  b" << QStringList{"a", "", "b"};
        QTest::newRow("only a blank") << " " << QStringList{"", ""};
    }
    void split()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, pieces);
        QCOMPARE(Split(text, QStringLiteral(" ")), pieces);
    }

    void elementOutOfRange()
    {
        try {
            Element(Split(QString(), QStringLiteral(" ")), 0);
            QFAIL("no error raised");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.Number(), int(errSubscriptOutOfRange));
        }
    }

    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("half down to even") << 2.5 << 2;
        QTest::newRow("half up to even") << 3.5 << 4;
        QTest::newRow("negative half") << -0.5 << 0;
        QTest::newRow("just above half") << 2.5000000001 << 3;
        QTest::newRow("55 a hair off") << 55.00000000000001 << 55;
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(CLng(value), rounded);
        QCOMPARE(int(CInt(value)), rounded);
    }

    void rangeErrors_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<double>("value");
        QTest::newRow("16-bit above") << 16 << 32767.5;
        QTest::newRow("16-bit below") << 16 << -32768.6;
        QTest::newRow("32-bit above") << 32 << 2147483647.5;
        QTest::newRow("32-bit nan") << 32 << std::nan("");
        QTest::newRow("float above") << 0 << 1e39;
        QTest::newRow("float below") << 0 << -6e40;
        QTest::newRow("float of infinity") << 0 << HUGE_VAL;
    }
    void rangeErrors()
    {
        QFETCH(int, which);
        QFETCH(double, value);
        try {
            if (which == 16)
                CInt(value);
            else if (which == 32)
                CLng(value);
            else
                CSng(value);
            QFAIL("no error raised");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.Number(), int(errOverflow));
        }
    }

    void floatKeepsItsRange()
    {
        QCOMPARE(CSng(3.4028234663852886e38), 3.4028234663852886e38f);
        QCOMPARE(CSng(90.6), 90.6f);
    }

    void substrings()
    {
        QCOMPARE(Mid(QStringLiteral("abc"), 2, 1), QStringLiteral("b"));
        QCOMPARE(Mid(QStringLiteral("abc"), 4, 1), QString());
        QCOMPARE(Asc(QStringLiteral("A")), 65);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Mid(QStringLiteral("abc"), 0, 1));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Asc(QString()));
    }

    void defaultFormat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted");
        QTest::newRow("plain text") << "C:\\Tools" << "C:\\Tools";
        QTest::newRow("hex byte") << "&h1A" << "26";
        QTest::newRow("16-bit all ones") << "&hFFFF" << "-1";
        QTest::newRow("32-bit") << "&h10000" << "65536";
        QTest::newRow("32-bit all ones") << "&hFFFFFFFF" << "-1";
        QTest::newRow("no digits") << "&h" << "&h";
        QTest::newRow("not hex") << "&hZZ" << "&hZZ";
    }
    void defaultFormat()
    {
        QFETCH(QString, text);
        QFETCH(QString, formatted);
        QCOMPARE(DefaultFormat(text), formatted);
    }

    void defaultFormatOverflow()
    {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, DefaultFormat(QStringLiteral("&h123456789")));
    }

    void twipsAndColours()
    {
        QCOMPARE(TwipsToPixels(15), 1);
        QCOMPARE(TwipsToPixels(5580), 372);
        QCOMPARE(TwipsToPixels(22), 1);
        QCOMPARE(TwipsToPixels(23), 2);
        QCOMPARE(OleColor(0x0000FFFF), QColor(255, 255, 0));
        QCOMPARE(OleColor(0x00E0E0E0), QColor(224, 224, 224));
        QCOMPARE(OleColor(0x00FF0000), QColor(0, 0, 255));
        QCOMPARE(ToOleColor(QColor(255, 255, 0)), 0x0000FFFFu);
    }
};

QTEST_GUILESS_MAIN(tst_convert)
#include "tst_convert.moc"
