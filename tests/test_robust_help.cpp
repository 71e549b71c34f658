// Help files that are damaged, binary, enormous or absurdly nested: the help
// window opens, shows what it can (or the reinstall message) and still works.
#include "help/frmHelp.h"
#include "platform/RichTextBox.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Missing = QStringLiteral(
    "Help file has been moved from its normal location.  Please reinstall the program.");

QByteArray repeated(const QByteArray& piece, qsizetype times)
{
    QByteArray bytes;
    bytes.reserve(piece.size() * times);
    for (qsizetype i = 0; i < times; ++i)
        bytes += piece;
    return bytes;
}

QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(2026); // the same bytes every run
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

} // namespace

class TestRobustHelp : public QObject
{
    Q_OBJECT

private slots:
    void oddHelpFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("shown"); // a part of the text shown, or the message

        const QByteArray nested200 = repeated("{", 200) + "deep" + repeated("}", 200);
        QTest::newRow("unbalanced braces")
            << QByteArray("{\\rtf1 {\\b bold {\\i both} still}}} after}}{{ more") << "bold";
        QTest::newRow("never closed")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 open") << "open";
        QTest::newRow("cut in a control word") << QByteArray("{\\rtf1 text \\pa") << "text";
        QTest::newRow("cut in a hex character") << QByteArray("{\\rtf1 caf\\'e") << "caf";
        QTest::newRow("bad escapes")
            << QByteArray("{\\rtf1 a\\'zz b\\u-99999999999? c\\u99999999999? d\\'") << "d";
        QTest::newRow("absurd numbers")
            << QByteArray("{\\rtf1\\fs999999999999 big \\fs-5 small \\cf99999 \\f-1 "
                          "\\tx-2147483648\\tx2147483647 tabs\\tab end}")
            << "end";
        QTest::newRow("binary data claimed far too long")
            << QByteArray("{\\rtf1 before {\\*\\blip\\bin2147483647 ") + noise(100) << "before";
        QTest::newRow("no RTF at all") << QByteArray("Plain words in a file.\n") << "Plain";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("only zero bytes") << QByteArray(4096, '\0') << "";
        QTest::newRow("binary noise") << noise(256 * 1024) << "";
        QTest::newRow("UTF-16 with a byte-order mark")
            << QByteArray("\xff\xfe{\0\\\0r\0t\0f\0001\0 \0h\0i\0}\0", 20) << "";
        QTest::newRow("nested 200 deep") << QByteArray("{\\rtf1 ") + nested200 + "}"
                                         << "deep";
        QTest::newRow("nested 100000 deep") << QByteArray("{\\rtf1 top ") + repeated("{", 100000) +
                                                   "deep" + repeated("}", 100000) + " end}"
                                            << "end";
        QTest::newRow("opened 100000 deep, never closed")
            << QByteArray("{\\rtf1 top ") + repeated("{\\b ", 100000) << "top";
        QTest::newRow("a megabyte of text")
            << QByteArray("{\\rtf1 ") + repeated("Fouls and points. \\par ", 40000) + "}"
            << "Fouls and points.";
        QTest::newRow("20 megabytes")
            << QByteArray("{\\rtf1 ") + repeated("x", 20 << 20) + "}" << Missing;
    }
    void oddHelpFiles()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        {
            QFile file(frmHelp::helpFilePath(dir.path()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(contents), contents.size());
        }

        frmHelp window(dir.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString text = window.rtbHelp->toPlainText();
        QVERIFY2(text.contains(shown), qPrintable(text.left(200)));
        if (shown != Missing)
            QVERIFY(!text.contains(Missing));

        // It still follows its size and paints.
        for (const QSize size : {QSize(300, 200), QSize(100, 50), QSize(1400, 1100)}) {
            window.resize(size);
            const QSize outer = window.frameGeometry().size();
            QCOMPARE(window.rtbHelp->width(), outer.width() - 16);   // 240 twips
            QCOMPARE(window.rtbHelp->height(), outer.height() - 28); // 420 twips
            QVERIFY(!window.grab().isNull());
        }
        window.resize(10, 10);
        QVERIFY(window.frameGeometry().width() >= 180 && window.frameGeometry().height() >= 114);
    }
};

QTEST_MAIN(TestRobustHelp)
#include "test_robust_help.moc"
