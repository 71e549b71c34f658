#include "display/NumberLED.h"
#include "panel/modShowDigits.h"
#include "platform/LineControl.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/PanelFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const modShowDigits::Prototype Proto{1695, 435, 15.75, 720, 585, 330, 720, 40, 40, 40};

QByteArray columnsStore(int name, int number, int fouls, int points, int players = 5)
{
    return QString("[Display]\nShowPlayerName=%1\nShowPlayerNumber=%2\nShowPlayerFouls=%3\n"
                   "ShowPlayerPoints=%4\nPlayerTotal=%5\n")
        .arg(name)
        .arg(number)
        .arg(fouls)
        .arg(points)
        .arg(players)
        .toLatin1();
}

std::vector<QWidget*> cellsOf(const Quorvel& p, int row)
{
    return {p.lblName[row], p.nledNumber[row], p.nledFouls[row], p.nledPoints[row]};
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void rowScaleWorkedExample()
    {
        const auto s = modShowDigits::scaleRow(Proto, {}, 4545, 600);
        QCOMPARE(s.rowHeight, 702);
        QCOMPARE(s.protoWidth, 4617);
        QCOMPARE(s.sRatio, 600.0 / 702.0);
        QVERIFY(qAbs(s.colGap - 395.87) < 0.01);
        QCOMPARE(s.firstLeft, 198);
        QVERIFY(qAbs(s.nameWidth - 1448.72) < 0.01);
        QVERIFY(qAbs(s.nameHeight - 371.79) < 0.01);
        QVERIFY(qAbs(s.nameFontPoints - 13.46) < 0.01);
        QCOMPARE(s.numberDigitSize, 34);
        QCOMPARE(s.foulsDigitSize, 34);
        QCOMPARE(s.pointsDigitSize, 34);
    }

    void rowScaleLimits_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("ratio");
        QTest::newRow("tall narrow: width limits") << 2000.0 << 900.0 << 2000.0 / 4617.0;
        QTest::newRow("wide short: height limits") << 9000.0 << 351.0 << 351.0 / 702.0;
        QTest::newRow("no height") << 4545.0 << 0.0 << 0.0;
        QTest::newRow("no width") << 0.0 << 600.0 << 0.0;
    }
    void rowScaleLimits()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, ratio);
        const auto s = modShowDigits::scaleRow(Proto, {}, width, height);
        QCOMPARE(s.sRatio, ratio);
        if (ratio > 0) // the cells and their gaps fill the row exactly
            QVERIFY(qAbs(s.sRatio * 3465 + 4 * s.colGap - width) < 1e-6);
    }

    void noColumnScalesToNothing()
    {
        const auto s = modShowDigits::scaleRow(Proto, {0, 0, 0, 0}, 4545, 600);
        QCOMPARE(s.sRatio, 0.0);
        QCOMPARE(s.numberDigitSize, 0);
    }

    void titlesOfTheDesignedPanel()
    {
        PanelFixture fixture;
        auto p = fixture.panel(338, 524); // 5070 twips wide
        QCOMPARE(Twips::width(p.get()), 5070);
        QCOMPARE(Twips::width(p->txtTitleName), 1830);
        QCOMPARE(Twips::width(p->txtTitleNumber), 1065);
        QCOMPARE(Twips::width(p->txtTitleFouls), 915);
        QCOMPARE(Twips::width(p->txtTitlePoints), 915);
        QCOMPARE(Twips::left(p->txtTitleName), 75);
        QCOMPARE(Twips::left(p->txtTitleNumber), 1965);
        QCOMPARE(Twips::left(p->txtTitleFouls), 3105);
        QCOMPARE(Twips::left(p->txtTitlePoints), 4080);
        QCOMPARE(Twips::top(p->txtTitleName), Twips::height(p->picTeamLogo));
    }

    void headerAndDivider()
    {
        PanelFixture fixture;
        auto p = fixture.panel(338, 524);
        QCOMPARE(Twips::width(p->picTeamLogo), Twips::readBack(0.15 * 5070));
        QCOMPARE(Twips::left(p->txtTeamName), Twips::width(p->picTeamLogo));
        QCOMPARE(Twips::left(p->txtTeamName) + Twips::width(p->txtTeamName), 5070);
        QCOMPARE(Twips::height(p->picTeamLogo), Twips::height(p->txtTeamName));
        QCOMPARE(p->lineDivider->y1(), p->lineDivider->y2());
        QCOMPARE(p->lineDivider->x1(), Twips::readBack(0.03 * 5070));
        QCOMPARE(p->lineDivider->x2(), 5070 - p->lineDivider->x1());
        QVERIFY(p->lineDivider->y1() > Twips::top(p->txtTitleName));
        QVERIFY(p->lineDivider->y1() < Twips::top(p->picStats));
    }

    void editLineOnTheBottomEdgeAndTableAboveIt_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("designed") << 338 << 497;
        QTest::newRow("tall") << 338 << 1200;
        QTest::newRow("wide") << 1400 << 500;
    }
    void editLineOnTheBottomEdgeAndTableAboveIt()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        PanelFixture fixture;
        auto p = fixture.panel(width, height);
        for (QWidget* w : std::initializer_list<QWidget*>{p->lblInputName, p->txtInputName,
                                                         p->txtInputPoints, p->cmdInputChange})
            QCOMPARE(w->geometry().bottom(), p->height() - 1);
        QCOMPARE(p->picStats->geometry().bottom() + 1, p->txtInputName->y());
        QVERIFY(p->picStats->y() > p->lineDivider->geometry().top());
        QVERIFY(p->cmdInputChange->isVisible());
    }

    void oneColumnIsCentred_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<int>("column");
        QTest::newRow("name") << columnsStore(1, 0, 0, 0) << 0;
        QTest::newRow("points") << columnsStore(0, 0, 0, 1) << 3;
    }
    void oneColumnIsCentred()
    {
        QFETCH(QByteArray, store);
        QFETCH(int, column);
        PanelFixture fixture(store);
        auto p = fixture.panel(400, 600);
        QWidget* titles[] = {p->txtTitleName, p->txtTitleNumber, p->txtTitleFouls,
                             p->txtTitlePoints};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(titles[c]->isVisible(), c == column);
        const QRect title = titles[column]->geometry();
        QVERIFY(qAbs(title.center().x() - p->width() / 2) <= 1);
        for (int row = 0; row < 5; ++row) {
            QWidget* cell = cellsOf(*p, row)[column];
            QVERIFY(cell->isVisible());
            QVERIFY(qAbs(cell->geometry().center().x() - p->picPlayer[row]->width() / 2) <= 1);
        }
    }

    void hidingAColumnLeavesItWhereItStood()
    {
        PanelFixture fixture;
        auto p = fixture.panel(400, 600);
        const QRect foulsTitle = p->txtTitleFouls->geometry();
        const QRect foulsCell = p->nledFouls[2]->geometry();
        const int pointsTitleLeft = p->txtTitlePoints->x();

        PanelSettings::ShowPlayerFouls = 0;
        p->UpdatePlayers();
        QVERIFY(!p->txtTitleFouls->isVisible());
        QVERIFY(!p->lblInputFouls->isVisible());
        QVERIFY(!p->txtInputFouls->isVisible());
        QVERIFY(!p->nledFouls[2]->isVisible());
        // Hidden title and input stay at their proportional place; the cells
        // are not touched at all.
        const int w = Twips::width(p.get());
        QCOMPARE(Twips::left(p->txtTitleFouls), Twips::readBack(0.59 * w));
        QCOMPARE(Twips::left(p->txtInputFouls), Twips::readBack(0.57 * w));
        QCOMPARE(p->nledFouls[2]->geometry(), foulsCell);
        QVERIFY(p->txtTitlePoints->x() < pointsTitleLeft); // the others close up

        PanelSettings::ShowPlayerFouls = 1;
        p->UpdatePlayers();
        QVERIFY(p->txtTitleFouls->isVisible() && p->nledFouls[2]->isVisible());
        QCOMPARE(p->txtTitleFouls->geometry(), foulsTitle);
        QCOMPARE(p->nledFouls[2]->geometry(), foulsCell);
    }

    void loweringThePlayerCountDestroysRowsAndGrowsTheRest()
    {
        PanelFixture fixture(columnsStore(1, 1, 1, 1, 8));
        auto p = fixture.panel(400, 700);
        QCOMPARE(int(p->picPlayer.size()), 8);
        const int oldHeight = p->picPlayer[0]->height();
        QPointer<QWidget> gone = p->nledPoints[7];

        PanelSettings::PlayerTotal = 3;
        p->UpdatePlayers();
        QCOMPARE(int(p->picPlayer.size()), 3);
        QCOMPARE(int(p->nledPoints.size()), 3);
        QVERIFY(gone.isNull());
        QVERIFY(p->picPlayer[0]->height() > oldHeight);
        QCOMPARE(p->picStats->findChildren<PictureBox*>().size(), 3);
    }

    void raisingThePlayerCountAddsRowsLikeRowZero()
    {
        PanelFixture fixture(columnsStore(1, 1, 1, 1, 2));
        auto p = fixture.panel(400, 700);
        p->nledFouls[0]->setLedType(1);
        p->nledFouls[0]->setLitColor(Qt::cyan);
        p->lblName[0]->setText("Ann");
        p->nledNumber[0]->setValue(12);

        PanelSettings::PlayerTotal = 6;
        p->UpdatePlayers();
        QCOMPARE(int(p->picPlayer.size()), 6);
        for (int row = 2; row < 6; ++row) {
            QVERIFY(p->picPlayer[row]->y() > p->picPlayer[row - 1]->y());
            QCOMPARE(p->picPlayer[row]->height(), p->picPlayer[0]->height());
            QCOMPARE(p->lblName[row]->text(), QString("Ann"));
            QCOMPARE(p->lblName[row]->font(), p->lblName[0]->font());
            QCOMPARE(p->nledFouls[row]->ledType(), 1);
            QCOMPARE(p->nledFouls[row]->litColor(), QColor(Qt::cyan));
            QCOMPARE(p->nledFouls[row]->digits(), 1);
            QCOMPARE(p->nledNumber[row]->value(), -1); // settings, not values
            QCOMPARE(p->nledNumber[row]->parentWidget(), p->picPlayer[row]);
            QVERIFY(p->nledNumber[row]->isVisible());
        }
    }

    void sizeSweepKeepsTheTableInOrder_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QByteArray>("store");
        const QByteArray all = columnsStore(1, 1, 1, 1, 15);
        QTest::newRow("0x0") << 0 << 0 << all;
        QTest::newRow("1x1") << 1 << 1 << all;
        QTest::newRow("designed") << 338 << 524 << all;
        QTest::newRow("tall narrow") << 200 << 1500 << all;
        QTest::newRow("wide short") << 1900 << 300 << all;
        QTest::newRow("60000x40000 twips") << 4000 << 2667 << all;
        QTest::newRow("no column") << 400 << 600 << columnsStore(0, 0, 0, 0, 15);
        QTest::newRow("one row") << 400 << 600 << columnsStore(1, 1, 1, 1, 1);
    }
    void sizeSweepKeepsTheTableInOrder()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QByteArray, store);
        PanelFixture fixture(store);
        auto p = fixture.panel(width, height);
        const QRect table = QRect(QPoint(), p->picStats->size());
        for (size_t row = 0; row < p->picPlayer.size(); ++row) {
            const QWidget* box = p->picPlayer[row];
            QVERIFY2(table.contains(box->geometry()) || box->height() == 0 || width < 20,
                     qPrintable(QString("row %1 outside the table").arg(row)));
            for (QWidget* cell : cellsOf(*p, int(row))) {
                if (!cell->isVisible() || cell->width() == 0 || cell->height() == 0)
                    continue;
                QVERIFY2(QRect(QPoint(), box->size()).contains(cell->geometry()),
                         qPrintable(QString("a cell of row %1 leaves its box").arg(row)));
            }
        }
        QRect previous;
        for (QWidget* title : {static_cast<QWidget*>(p->txtTitleName), static_cast<QWidget*>(p->txtTitleNumber),
                               static_cast<QWidget*>(p->txtTitleFouls), static_cast<QWidget*>(p->txtTitlePoints)}) {
            if (!title->isVisible())
                continue;
            QVERIFY(title->x() >= previous.right());
            previous = title->geometry();
        }
        QCOMPARE(p->txtInputName->geometry().bottom(), p->height() - 1);
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
