#include "options/frmOptions.h"
#include "display/NumberLED.h"
#include "support/PanelFixture.h"

#include <QPushButton>
#include <QTabWidget>

#include <QAccessible>
#include <QTest>

namespace {

// Every visible control a screen reader can reach must say what it is.
QStringList unnamedControls(QWidget* top)
{
    QStringList unnamed;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(top) || w->focusPolicy() == Qt::NoFocus)
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (a && a->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QString("%1 %2").arg(w->metaObject()->className(), w->objectName());
    }
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void panelControlsAreNamed()
    {
        PanelFixture fixture;
        auto p = fixture.panel(400, 600);
        const QStringList unnamed = unnamedControls(p.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QAccessibleInterface* led = QAccessible::queryAccessibleInterface(p->nledPoints[2]);
        QCOMPARE(led->text(QAccessible::Name), QString("no value"));
    }

    void optionsControlsAreNamed()
    {
        PanelFixture fixture;
        frmOptions dialog;
        dialog.Load();
        dialog.show();
        for (int tab = 0; tab < 2; ++tab) {
            dialog.SSTab1->setCurrentIndex(tab);
            const QStringList unnamed = unnamedControls(&dialog);
            QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(dialog.cmdNumC)->text(QAccessible::Name),
                 QString("Change player number colour"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
