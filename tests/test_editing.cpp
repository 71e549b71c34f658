#include "display/NumberLED.h"
#include "help/frmHelp.h"
#include "options/frmOptions.h"
#include "platform/PictureBox.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

void type(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

int helpWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += qobject_cast<frmHelp*>(w) != nullptr && w->isVisible();
    return count;
}

void closeHelpWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmHelp*>(w))
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

    std::unique_ptr<PanelFixture> m_fixture;
    std::unique_ptr<Quorvel> m_panel;

private slots:
    void init()
    {
        m_fixture = std::make_unique<PanelFixture>();
        m_panel = m_fixture->panel(400, 600);
        m_panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_panel.get()));
    }
    void cleanup()
    {
        m_panel.reset();
        m_fixture.reset();
        closeHelpWindows();
    }

    void enterBeforeAnyClickWritesRowZero()
    {
        Quorvel& p = *m_panel;
        type(p.txtInputName, "Ann");
        type(p.txtInputNumber, "23");
        type(p.txtInputFouls, "4");
        type(p.txtInputPoints, "17");
        QTest::keyClick(p.txtInputPoints, Qt::Key_Return);
        QCOMPARE(p.lblName[0]->text(), QString("Ann"));
        QCOMPARE(p.nledNumber[0]->value(), 23);
        QCOMPARE(p.nledFouls[0]->value(), 4);
        QCOMPARE(p.nledPoints[0]->value(), 17);
        QCOMPARE(p.txtInputPoints->text(), QString("17")); // boxes keep their text
        // A screen reader hears the row as it now reads.
        QCOMPARE(p.picPlayer[0]->accessibleName(),
                 QString("Player 1: Ann, number 23, fouls 4, points 17"));
        QCOMPARE(p.picPlayer[1]->accessibleName(),
                 QString("Player 2: Name, number none, fouls none, points none"));
    }

    void clickingAnyPartOfARowSelectsIt_data()
    {
        QTest::addColumn<int>("part");
        QTest::newRow("row box") << 0;
        QTest::newRow("name") << 1;
        QTest::newRow("number") << 2;
        QTest::newRow("fouls") << 3;
        QTest::newRow("points") << 4;
    }
    void clickingAnyPartOfARowSelectsIt()
    {
        QFETCH(int, part);
        Quorvel& p = *m_panel;
        p.lblName[3]->setText("Bo");
        p.nledNumber[3]->setValue(7);
        p.nledFouls[3]->setValue(-1);
        p.nledPoints[3]->setValue(0);
        QWidget* parts[] = {p.picPlayer[3], p.lblName[3], p.nledNumber[3], p.nledFouls[3],
                            p.nledPoints[3]};
        // The row box is clicked where no cell covers it.
        const QPoint at = part == 0 ? QPoint(2, 2) : parts[part]->rect().center();
        QTest::mouseClick(parts[part], Qt::LeftButton, {}, at);
        QCOMPARE(p.PlayerEdit(), 3);
        QCOMPARE(p.txtInputName->text(), QString("Bo"));
        QCOMPARE(p.txtInputNumber->text(), QString("7"));
        QCOMPARE(p.txtInputFouls->text(), QString()); // no value reads as empty
        QCOMPARE(p.txtInputPoints->text(), QString("0"));
    }

    void boxesToValues_data()
    {
        QTest::addColumn<QString>("points");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("reloaded");
        QTest::newRow("empty is no value") << "" << -1 << "";
        QTest::newRow("a blank is zero") << " " << 0 << "0";
        QTest::newRow("negative reads back empty") << "-4" << -4 << "";
        QTest::newRow("trailing letter") << "5x" << 5 << "5";
        QTest::newRow("leading letter") << "x5" << 0 << "0";
        QTest::newRow("point five floors") << ".5" << 0 << "0";
        QTest::newRow("hex") << "&H" << 0 << "0";
    }
    void boxesToValues()
    {
        QFETCH(QString, points);
        Quorvel& p = *m_panel;
        p.PlayerClick(2);
        p.txtInputPoints->setText(points);
        QTest::mouseClick(p.cmdInputChange, Qt::LeftButton);
        QTEST(p.nledPoints[2]->value(), "value");
        p.PlayerClick(1);
        p.PlayerClick(2);
        QTEST(p.txtInputPoints->text(), "reloaded");
    }

    void emptyNameAndSelectionWithoutApplying()
    {
        Quorvel& p = *m_panel;
        p.lblName[1]->setText("Cy");
        p.PlayerClick(1);
        p.txtInputName->clear();
        p.PlayerClick(0); // another row without applying: nothing written
        QCOMPARE(p.lblName[1]->text(), QString("Cy"));
        p.PlayerClick(1);
        p.txtInputName->clear();
        QTest::keyClick(p.txtInputName, Qt::Key_Enter);
        QCOMPARE(p.lblName[1]->text(), QString());
    }

    void inputBoxesHoldTheirLengthLimits()
    {
        Quorvel& p = *m_panel;
        const std::pair<QLineEdit*, int> limits[] = {
            {p.txtInputName, 8}, {p.txtInputNumber, 2}, {p.txtInputFouls, 1}, {p.txtInputPoints, 2}};
        for (auto [box, limit] : limits) {
            box->clear();
            box->insert("123456789012"); // as a paste does
            QCOMPARE(box->text().size(), limit);
        }
    }

    void rowsThatDoNotExistAreLeftAlone()
    {
        Quorvel& p = *m_panel;
        p.PlayerClick(2);
        p.PlayerClick(40);
        QCOMPARE(p.PlayerEdit(), 2);
        p.setPlayerEdit(9);
        p.txtInputName->setText("Ghost");
        QTest::mouseClick(p.cmdInputChange, Qt::LeftButton); // nothing to write
        for (QLabel* name : p.lblName)
            QVERIFY(name->text() != "Ghost");
    }

    void enterOutsideTheEditLineDoesNotApply()
    {
        Quorvel& p = *m_panel;
        p.txtInputName->setText("Dee");
        type(p.txtTeamName, "Lions");
        QTest::keyClick(p.txtTeamName, Qt::Key_Return);
        QCOMPARE(p.txtTeamName->text(), QString("Lions"));
        QVERIFY(p.lblName[0]->text() != "Dee");
    }

    void keyCodeToAsci_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("ascii");
        const std::pair<int, int> table[] = {{32, 32},  {13, 13},   {0, 0},     {187, 43}, {107, 43},
                                             {189, 45}, {109, 45},  {96, 48},   {103, 55}, {105, 57},
                                             {48, 48},  {57, 57},   {110, 46},  {190, 46}, {65, -1},
                                             {112, -1}, {-5, -1},   {106, -1}};
        for (auto [code, ascii] : table)
            QTest::addRow("%d", code) << code << ascii;
    }
    void keyCodeToAsci()
    {
        QFETCH(int, code);
        QTEST(Quorvel::KeyCodeToAsci(qint16(code)), "ascii");
    }

    void f1OpensTheOneHelpWindow_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("plain") << int(Qt::NoModifier);
        QTest::newRow("shift") << int(Qt::ShiftModifier);
        QTest::newRow("ctrl") << int(Qt::ControlModifier);
        QTest::newRow("alt") << int(Qt::AltModifier);
    }
    void f1OpensTheOneHelpWindow()
    {
        QFETCH(int, modifiers);
        Quorvel& p = *m_panel;
        const auto mods = Qt::KeyboardModifiers(modifiers);
        QTest::keyClick(p.txtInputNumber, Qt::Key_F1, mods);
        QCOMPARE(helpWindows(), 1);
        for (int repeat = 0; repeat < 5; ++repeat) // a held key repeats its press
            QTest::keyPress(p.nledPoints[1], Qt::Key_F1, mods);
        QTest::keyClick(p.txtTitleFouls, Qt::Key_F1, mods);
        QCOMPARE(helpWindows(), 1);
        QCOMPARE(p.txtInputNumber->text(), QString("0")); // the box still got its keys
    }

    void f2OpensTheOptionsDialogModally()
    {
        Quorvel& p = *m_panel;
        int opened = 0;
        auto closeWhenOpen = [&] {
            QTimer::singleShot(0, [&] {
                if (frmOptions* dialog = frmOptions::instance()) {
                    ++opened;
                    QVERIFY(dialog->isModal());
                    dialog->reject();
                }
            });
        };
        closeWhenOpen();
        QTest::keyClick(p.txtInputName, Qt::Key_F2, Qt::ControlModifier);
        closeWhenOpen();
        QTest::keyClick(p.picStats, Qt::Key_F2);
        QCOMPARE(opened, 2);
    }

    void f2OnADigitDisplayOpensOneDialogAndSurvivesARefresh()
    {
        Quorvel& p = *m_panel;
        NumberLED* led = p.nledNumber[3];
        led->setFocus();
        int opened = 0;
        QTimer closer; // closes every dialog that opens, so a second would be counted
        connect(&closer, &QTimer::timeout, &p, [&] {
            frmOptions* dialog = frmOptions::instance();
            if (!dialog || !dialog->isVisible())
                return;
            ++opened;
            // New settings arrive while the dialog is open: the row whose key
            // opened it would go.
            PanelSettings::PlayerTotal = 1;
            PanelSettings::HomeRefreshed = false;
            QMetaObject::invokeMethod(&p, "refreshOptions");
            dialog->reject();
        });
        closer.start(0);
        QTest::keyClick(led, Qt::Key_F2);
        closer.stop();
        QCOMPARE(opened, 1);
        QMetaObject::invokeMethod(&p, "refreshOptions"); // the next tick refreshes
        QCOMPARE(int(p.picPlayer.size()), 1);
    }

    void namesAreShownAsTyped()
    {
        Quorvel& p = *m_panel;
        p.txtInputName->setText("<b>Al");
        QTest::keyClick(p.txtInputName, Qt::Key_Return);
        QCOMPARE(p.lblName[0]->textFormat(), Qt::PlainText);
        PanelSettings::PlayerTotal = 7;
        p.UpdatePlayers();
        QCOMPARE(p.lblName[6]->textFormat(), Qt::PlainText);
    }

    void numLockReleaseRestoresTheKeptState()
    {
        FakeNumLock keyboard(NumLockBackend::State::Off);
        Quorvel& p = *m_panel;
        PanelSettings::NumLockForce = 2;
        keyboard.press(); // the operator's press turns it on
        QTest::keyRelease(p.txtInputFouls, Qt::Key_NumLock);
        QCOMPARE(keyboard.state(), NumLockBackend::State::Off);
        QCOMPARE(keyboard.sets, 1);

        PanelSettings::NumLockForce = 0;
        keyboard.press();
        QTest::keyRelease(p.txtInputFouls, Qt::Key_NumLock);
        QCOMPARE(keyboard.state(), NumLockBackend::State::On);
        QCOMPARE(keyboard.sets, 1);

        PanelSettings::NumLockForce = 1;
        for (int i = 0; i < 3; ++i)
            p.UpdateNumLock();
        QCOMPARE(keyboard.sets, 1); // already on: nothing sent
    }

    void hostEventsComeOnlyFromThePanelItself()
    {
        Quorvel& p = *m_panel;
        QSignalSpy clicks(&p, &Quorvel::Click);
        QSignalSpy downs(&p, &Quorvel::MouseDown);
        QSignalSpy keys(&p, &Quorvel::KeyDown);
        QSignalSpy presses(&p, &Quorvel::KeyPress);

        // Left of the table area nothing covers the panel's own surface.
        const QPoint surface(p.picStats->x() / 2, p.picStats->y() + 20);
        QVERIFY(p.childAt(surface) == nullptr);
        QTest::mouseClick(&p, Qt::LeftButton, Qt::ShiftModifier, surface);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs[0][0].toInt(), 1); // left button
        QCOMPARE(downs[0][1].toInt(), 1); // shift
        QCOMPARE(downs[0][2].toFloat(), float(surface.x() * 15));
        QCOMPARE(downs[0][3].toFloat(), float(surface.y() * 15));

        // Clicks on children, even ones that ignore them, stay with the children.
        QTest::mouseClick(p.lblName[0], Qt::LeftButton);
        QTest::mouseClick(p.nledFouls[1], Qt::LeftButton);
        QTest::mouseClick(p.lblInputName, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(downs.count(), 1);

        // A double click: down, up, click, double click, up.
        QSignalSpy doubles(&p, &Quorvel::DblClick);
        QSignalSpy ups(&p, &Quorvel::MouseUp);
        QTest::mousePress(&p, Qt::LeftButton, {}, surface);
        QTest::mouseRelease(&p, Qt::LeftButton, {}, surface);
        QTest::mouseDClick(&p, Qt::LeftButton, {}, surface);
        QTest::mouseRelease(&p, Qt::LeftButton, {}, surface);
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(downs.count(), 2);
        QCOMPARE(ups.count(), 2);

        // Keys: a focused child's keys never reach the host, the panel's do,
        // and they run no command there.
        p.txtInputName->setFocus();
        QTest::keyClick(p.txtInputName, Qt::Key_Escape);
        QCOMPARE(keys.count(), 0);
        p.setFocus();
        QTest::keyClick(&p, Qt::Key_F1);
        QTest::keyClick(&p, Qt::Key_A);
        QCOMPARE(keys.count(), 2);
        QCOMPARE(keys[0][0].toInt(), 112);
        QCOMPARE(presses.count(), 1);
        QCOMPARE(presses[0][0].toInt(), int('a'));
        QCOMPARE(helpWindows(), 0);
    }
};

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
