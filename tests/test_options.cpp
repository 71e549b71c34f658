#include "display/PolyLED.h"
#include "options/frmOptions.h"
#include "platform/Colors.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "settings/PanelSettings.h"
#include "support/FakeNumLock.h"
#include "support/ScriptedDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <memory>

namespace {

using Keys = QMap<QString, QString>;

// The store file as written on disk, "Section/Key" to text. Read as text: a
// QSettings in this process would answer from its cache.
Keys storedKeys(const QString& path)
{
    Keys keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    QString section;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            section = line.mid(1, line.indexOf(u']') - 1);
        else if (line.contains(u'='))
            keys.insert(section + u'/' + line.section(u'=', 0, 0), line.section(u'=', 1));
    }
    return keys;
}

// A record unlike the defaults, so that loading it shows.
void setRecord()
{
    PanelSettings::NumColor = 0x123456;
    PanelSettings::FoulsColor = 0x0000FF;
    PanelSettings::PointsColor = 0x00C000;
    PanelSettings::LEDBack = 0x202020;
    PanelSettings::FormBack = 0x800000;
    PanelSettings::BorderColor = 0xFFFFFF;
    PanelSettings::NumLockForce = 0;
    PanelSettings::LEDType = 1;
    PanelSettings::ShowPlayerName = 1;
    PanelSettings::ShowPlayerNumber = 0;
    PanelSettings::ShowPlayerFouls = 1;
    PanelSettings::ShowPlayerPoints = 1;
    PanelSettings::PlayerTotal = 12;
    PanelSettings::HomePic.clear();
    PanelSettings::VisitorPic.clear();
    PanelSettings::HomeRefreshed = true;
    PanelSettings::VisitorRefreshed = true;
}

struct Record
{
    qint32 colors[6];
    qint32 force;
    qint16 fields[6];
    QString home, visitor;
    bool operator==(const Record&) const = default;
};

Record record()
{
    using P = PanelSettings;
    return {{P::NumColor, P::FoulsColor, P::PointsColor, P::LEDBack, P::FormBack, P::BorderColor},
            P::NumLockForce,
            {P::LEDType, P::ShowPlayerName, P::ShowPlayerNumber, P::ShowPlayerFouls,
             P::ShowPlayerPoints, P::PlayerTotal},
            P::HomePic,
            P::VisitorPic};
}

QRect clientTwips(const QWidget* w, const QWidget* dialog)
{
    const QPoint corner = w->mapTo(dialog, QPoint(0, 0));
    return {Twips::fromPixels(corner.x()), Twips::fromPixels(corner.y()), Twips::width(w),
            Twips::height(w)};
}

QWidget* control(frmOptions& d, const QString& name)
{
    const QMap<QString, QWidget*> controls{
        {"SSTab1", d.SSTab1},
        {"cmdOk", d.cmdOk},
        {"cmdCancel", d.cmdCancel},
        {"fraNumFore", d.fraNumFore},
        {"picNumC", d.picNumC},
        {"cmdLEDB", d.cmdLEDB},
        {"picVisitorPicPreviewCon", d.picVisitorPicPreviewCon},
        {"imgVisitorPicPreview", d.imgVisitorPicPreview},
        {"cmdClearVisitorPic", d.cmdClearVisitorPic},
        {"cmdResetColors", d.cmdResetColors},
        {"Frame3", d.Frame3},
        {"chkPlayerPoints", d.chkPlayerPoints},
        {"cmbLedType", d.cmbLedType},
        {"pledPreview", d.pledPreview},
        {"lblNumberOfPlayers", d.lblNumberOfPlayers},
        {"lblPlayers", d.lblPlayers},
        {"vsPlayers", d.vsPlayers},
        {"optKeepOff", d.optKeepOff},
        {"cmdResetKeys", d.cmdResetKeys},
    };
    return controls.value(name);
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    QString m_store;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<FakeNumLock> m_numLock;

    QString picture(const QString& name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString path = m_dir.filePath(name);
        image.save(path, "BMP");
        return path;
    }

    std::unique_ptr<frmOptions> loaded()
    {
        auto dialog = std::make_unique<frmOptions>();
        dialog->Load();
        dialog->show();
        return dialog;
    }

    void uncheckAllFields(frmOptions& d)
    {
        for (QCheckBox* box :
             {d.chkPlayerName, d.chkPlayerNum, d.chkPlayerFouls, d.chkPlayerPoints})
            box->setChecked(false);
    }

    void checkQuestion(const QString& text, const QString& title)
    {
        QCOMPARE(m_dialogs->messages.size(), 1);
        const PlatformDialogs::Message& m = m_dialogs->messages.first();
        QCOMPARE(m.text, text);
        QCOMPARE(m.title, title);
        QCOMPARE(m.icon, QMessageBox::Question);
        QCOMPARE(m.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m.defaultButton, QMessageBox::Yes);
    }

private slots:
    void init()
    {
        // A fresh file per case: one process's QSettings cache files by name.
        m_store = m_dir.filePath(QString("store%1.conf").arg(++m_files));
        SettingsStore::setFilePathOverride(m_store);
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_numLock = std::make_unique<FakeNumLock>();
        setRecord();
    }

    void cleanup()
    {
        m_dialogs.reset();
        m_numLock.reset();
        SettingsStore::setFilePathOverride({});
    }

    void tabsSwitchFromTheKeyboardWhereverTheFocusIs()
    {
        auto d = loaded();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        d->cmdOk->setFocus();
        QTest::keyClick(d->cmdOk, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d->SSTab1->currentIndex(), 1);
        QTest::keyClick(d->cmdOk, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(d->SSTab1->currentIndex(), 0);
    }

    void window()
    {
        frmOptions d;
        d.show();
        QCOMPARE(d.windowTitle(), "Options");
        QCOMPARE(d.size(), QSize(Twips::toPixels(6015), Twips::toPixels(5880)));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        const Qt::WindowFlags flags = d.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowContextHelpButtonHint)));
        QVERIFY(!d.parentWidget());
        QCOMPARE(d.SSTab1->count(), 2);
        QCOMPARE(d.SSTab1->tabText(0), "Color Controls");
        QCOMPARE(d.SSTab1->tabText(1), "Other Settings");
        QVERIFY(d.cmdOk->isDefault());
        QCOMPARE(d.cmdOk->text(), "&Ok");
        QCOMPARE(d.cmdCancel->text(), "&Cancel");
        QVERIFY(!d.cmbLedType->isEditable());
        QCOMPARE(d.cmbLedType->count(), 2);
        QCOMPARE(d.cmbLedType->itemText(0), "Lines");
        QCOMPARE(d.cmbLedType->itemText(1), "Dots");
        // Every caption fits its control.
        for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
            if (b->text().isEmpty())
                continue; // the tab strip's scroll arrows
            const bool fits = qobject_cast<QPushButton*>(b)
                                  ? b->fontMetrics().horizontalAdvance(b->text()) < b->width() - 8
                                  : b->sizeHint().width() <= b->width();
            QVERIFY2(fits, qPrintable(b->text()));
        }
        for (QGroupBox* frame : d.findChildren<QGroupBox*>())
            QVERIFY2(frame->minimumSizeHint().width() <= frame->width(),
                     qPrintable(frame->title()));
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("mayWiden");
        // Read back through whole pixels; tab contents measured from the tab
        // control's corner, tab strip included.
        QTest::newRow("tab control") << "SSTab1" << 0 << QRect(120, 120, 5775, 5175) << false;
        QTest::newRow("ok") << "cmdOk" << 0 << QRect(1860, 5400, 1080, 375) << false;
        QTest::newRow("cancel") << "cmdCancel" << 0 << QRect(3060, 5400, 1080, 375) << false;
        QTest::newRow("first frame") << "fraNumFore" << 0 << QRect(360, 840, 1695, 735) << false;
        QTest::newRow("swatch") << "picNumC" << 0 << QRect(480, 1080, 615, 375) << false;
        QTest::newRow("led change") << "cmdLEDB" << 0 << QRect(4800, 2160, 735, 375) << false;
        QTest::newRow("preview box")
            << "picVisitorPicPreviewCon" << 0 << QRect(3240, 3120, 1215, 1215) << false;
        QTest::newRow("preview image")
            << "imgVisitorPicPreview" << 0 << QRect(3240, 3120, 900, 900) << false;
        QTest::newRow("clear") << "cmdClearVisitorPic" << 0 << QRect(4560, 3720, 855, 375) << false;
        QTest::newRow("reset colors")
            << "cmdResetColors" << 0 << QRect(4440, 4680, 1215, 375) << false;
        QTest::newRow("fields frame") << "Frame3" << 1 << QRect(360, 720, 2775, 1695) << false;
        QTest::newRow("points box")
            << "chkPlayerPoints" << 1 << QRect(720, 2040, 1215, 255) << true;
        QTest::newRow("led type") << "cmbLedType" << 1 << QRect(3600, 1350, 1215, 315) << false;
        QTest::newRow("preview") << "pledPreview" << 1 << QRect(4920, 1230, 540, 975) << false;
        QTest::newRow("players caption")
            << "lblNumberOfPlayers" << 1 << QRect(450, 3180, 1575, 255) << false;
        QTest::newRow("players") << "lblPlayers" << 1 << QRect(2160, 3120, 375, 375) << false;
        QTest::newRow("scroll bar") << "vsPlayers" << 1 << QRect(2520, 3120, 255, 375) << false;
        QTest::newRow("keep off") << "optKeepOff" << 1 << QRect(3720, 3480, 1695, 375) << true;
        QTest::newRow("reset keys") << "cmdResetKeys" << 1 << QRect(4440, 4680, 1215, 375) << false;
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(int, tab);
        QFETCH(QRect, twips);
        QFETCH(bool, mayWiden);
        auto d = loaded();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        d->SSTab1->setCurrentIndex(tab);
        QWidget* w = control(*d, name);
        QVERIFY(w->isVisible());
        const QRect actual = clientTwips(w, d.get());
        QCOMPARE(actual.topLeft(), twips.topLeft());
        QCOMPARE(actual.height(), twips.height());
        if (mayWiden)
            QCOMPARE_GE(actual.width(), twips.width());
        else
            QCOMPARE(actual.width(), twips.width());
    }

    void loadShowsTheRecord()
    {
        frmOptions d;
        d.SSTab1->setCurrentIndex(1);
        // Values equal to the record's but views stale: loading must still
        // set the label and the preview.
        d.cmbLedType->setCurrentIndex(1);
        d.pledPreview->setLedType(0);
        d.vsPlayers->setValue(12);
        d.lblPlayers->clear();
        d.Load();
        QCOMPARE(d.SSTab1->currentIndex(), 0);
        QCOMPARE(Colors::toBgr(d.picNumC->backColor()), 0x123456u);
        QCOMPARE(Colors::toBgr(d.picFoulsC->backColor()), 0x0000FFu);
        QCOMPARE(Colors::toBgr(d.picPointsC->backColor()), 0x00C000u);
        QCOMPARE(Colors::toBgr(d.picLEDB->backColor()), 0x202020u);
        QCOMPARE(Colors::toBgr(d.picBackC->backColor()), 0x800000u);
        QCOMPARE(Colors::toBgr(d.picBorderC->backColor()), 0xFFFFFFu);
        QVERIFY(d.optNormal->isChecked());
        QCOMPARE(d.cmbLedType->currentIndex(), 1);
        QCOMPARE(d.pledPreview->ledType(), 1);
        QVERIFY(d.chkPlayerName->isChecked());
        QVERIFY(!d.chkPlayerNum->isChecked());
        QVERIFY(d.chkPlayerFouls->isChecked());
        QVERIFY(d.chkPlayerPoints->isChecked());
        QCOMPARE(d.vsPlayers->value(), 12);
        QCOMPARE(d.lblPlayers->text(), "12");
        QVERIFY(d.HomePicTemp.isEmpty());
        QVERIFY(!d.imgHomePicPreview->hasPicture());
    }

    void loadNumLockOption_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("force");
        QTest::addColumn<int>("checked");
        QTest::newRow("normal") << 2 << 0 << 0;
        QTest::newRow("keep on") << 0 << 1 << 1;
        QTest::newRow("keep off") << 1 << 2 << 2;
        QTest::newRow("unknown clears a checked option") << 1 << 5 << -1;
        QTest::newRow("negative") << 0 << -1 << -1;
    }

    void loadNumLockOption()
    {
        QFETCH(int, before);
        QFETCH(int, force);
        QFETCH(int, checked);
        frmOptions d;
        PanelSettings::NumLockForce = before;
        d.Load();
        PanelSettings::NumLockForce = force;
        d.Load();
        QCOMPARE(d.numLockOptions->checkedId(), checked);
        // Still one group afterwards.
        d.optKeepOn->setChecked(true);
        d.optNormal->setChecked(true);
        QVERIFY(!d.optKeepOn->isChecked());
    }

    void okWithoutFieldsIsRefused()
    {
        auto d = loaded();
        uncheckAllFields(*d);
        d->SSTab1->setCurrentIndex(1);
        const Record before = record();
        d->cmdOk->click();
        QCOMPARE(m_dialogs->messages.size(), 1);
        const PlatformDialogs::Message& m = m_dialogs->messages.first();
        QCOMPARE(m.text, "You must select at least one statistics field.  Please go back to the "
                         "Other Settings tab and select at least one statistics field.");
        QCOMPARE(m.title, "No Statistics Fields Selected");
        QCOMPARE(m.icon, QMessageBox::NoIcon);
        QCOMPARE(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(d->isVisible());
        QCOMPARE(d->SSTab1->currentIndex(), 1);
        QVERIFY(record() == before);
        QVERIFY(PanelSettings::HomeRefreshed && PanelSettings::VisitorRefreshed);
        QVERIFY(!QFile::exists(m_store));

        d->chkPlayerPoints->setChecked(true);
        d->cmdOk->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(storedKeys(m_store).value("Display/ShowPlayerPoints"), "1");
        QCOMPARE(storedKeys(m_store).value("Display/ShowPlayerName"), "0");
    }

    void okStoresEveryKey()
    {
        auto d = loaded();
        m_dialogs->setNextColor(QColor(0, 0, 255));
        d->cmdNumC->click();
        d->optKeepOff->setChecked(true);
        d->cmbLedType->setCurrentIndex(0);
        d->chkPlayerName->setChecked(false);
        d->chkPlayerNum->setChecked(true);
        d->vsPlayers->setValue(9);
        const QString home = picture("home.bmp", {40, 20});
        m_dialogs->setNextFile(home);
        d->cmdChangeHomePic->click();
        d->cmdOk->click();

        QCOMPARE(m_dialogs->colorRequests, QList<QColor>{Colors::fromBgr(0x123456)});
        QVERIFY(m_dialogs->messages.isEmpty());
        const Keys expected{
            {"ColorSettings/NumColor", "16711680"}, {"ColorSettings/LEDBack", "2105376"},
            {"ColorSettings/FoulsColor", "255"},    {"ColorSettings/PointsColor", "49152"},
            {"ColorSettings/FormBack", "8388608"},  {"ColorSettings/BorderColor", "16777215"},
            {"KeySettings/NumLockForce", "2"},      {"PicSettings/HomePic", home},
            {"PicSettings/VisitorPic", ""},         {"PicSettings/LEDType", "0"},
            {"Display/ShowPlayerName", "0"},        {"Display/ShowPlayerNumber", "1"},
            {"Display/ShowPlayerFouls", "1"},       {"Display/ShowPlayerPoints", "1"},
            {"Display/PlayerTotal", "9"},
        };
        QCOMPARE(storedKeys(m_store), expected);
        QCOMPARE(PanelSettings::NumColor, 16711680);
        QCOMPARE(PanelSettings::NumLockForce, 2);
        QCOMPARE(PanelSettings::LEDType, qint16(0));
        QCOMPARE(PanelSettings::ShowPlayerName, qint16(0));
        QCOMPARE(PanelSettings::PlayerTotal, qint16(9));
        QCOMPARE(PanelSettings::HomePic, home);
        QVERIFY(!PanelSettings::HomeRefreshed);
        QVERIFY(!PanelSettings::VisitorRefreshed);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void colourButtonsEditTheirOwnSetting_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("field"); // index into Record::colors
        QTest::newRow("number") << "cmdNumC" << 0;
        QTest::newRow("fouls") << "cmdFoulsC" << 1;
        QTest::newRow("points") << "cmdPointsC" << 2;
        QTest::newRow("led background") << "cmdLEDB" << 3;
        QTest::newRow("back") << "cmdBackC" << 4;
        QTest::newRow("border") << "cmdBorderC" << 5;
    }

    void colourButtonsEditTheirOwnSetting()
    {
        QFETCH(QString, button);
        QFETCH(int, field);
        auto d = loaded();
        const QMap<QString, QPushButton*> buttons{
            {"cmdNumC", d->cmdNumC}, {"cmdFoulsC", d->cmdFoulsC}, {"cmdPointsC", d->cmdPointsC},
            {"cmdLEDB", d->cmdLEDB}, {"cmdBackC", d->cmdBackC},   {"cmdBorderC", d->cmdBorderC},
        };
        Record expected = record();
        // A cancelled chooser keeps the swatch; a confirmed one changes it.
        m_dialogs->setNextColor(std::nullopt);
        buttons[button]->click();
        m_dialogs->setNextColor(QColor(0x12, 0x34, 0x56));
        buttons[button]->click();
        QCOMPARE(m_dialogs->colorRequests.size(), 2);
        QCOMPARE(Colors::toBgr(m_dialogs->colorRequests[0]), quint32(expected.colors[field]));
        QCOMPARE(m_dialogs->colorRequests[1], m_dialogs->colorRequests[0]);
        d->cmdOk->click();
        expected.colors[field] = 0x563412;
        QVERIFY(record() == expected);
    }

    void numLockAtOk_data()
    {
        QTest::addColumn<bool>("wasOn");
        QTest::addColumn<int>("force");
        QTest::addColumn<int>("option"); // -1 leaves the options as loaded
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("sets");
        QTest::addColumn<bool>("isOn");
        QTest::newRow("keep on switches on") << false << 0 << 1 << 1 << 1 << true;
        QTest::newRow("keep on, already on") << true << 0 << 1 << 1 << 0 << true;
        QTest::newRow("keep off switches off") << true << 0 << 2 << 2 << 1 << false;
        QTest::newRow("normal leaves it off") << false << 1 << 0 << 0 << 0 << false;
        QTest::newRow("normal leaves it on") << true << 2 << 0 << 0 << 0 << true;
        QTest::newRow("unknown mode kept") << false << 5 << -1 << 5 << 0 << false;
        QTest::newRow("kept keep-on reapplied") << false << 1 << -1 << 1 << 1 << true;
    }

    void numLockAtOk()
    {
        QFETCH(bool, wasOn);
        QFETCH(int, force);
        QFETCH(int, option);
        QFETCH(int, stored);
        QFETCH(int, sets);
        QFETCH(bool, isOn);
        m_numLock.reset();
        m_numLock =
            std::make_unique<FakeNumLock>(wasOn ? FakeNumLock::State::On : FakeNumLock::State::Off);
        PanelSettings::NumLockForce = force;
        auto d = loaded();
        if (option >= 0)
            d->numLockOptions->button(option)->click();
        QCOMPARE(m_numLock->sets, 0);
        d->cmdOk->click();
        QCOMPARE(PanelSettings::NumLockForce, stored);
        QCOMPARE(storedKeys(m_store).value("KeySettings/NumLockForce"), QString::number(stored));
        QCOMPARE(m_numLock->sets, sets);
        QCOMPARE(m_numLock->state() == FakeNumLock::State::On, isOn);
    }

    void closingWithoutOkDiscards_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("cancel button") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("close box") << 2;
        QTest::newRow("alt+c") << 3;
    }

    void closingWithoutOkDiscards()
    {
        QFETCH(int, how);
        PanelSettings::HomePic = picture("old.bmp", {30, 30});
        const Record before = record();
        auto d = loaded();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        m_dialogs->setNextColor(QColor(Qt::yellow));
        d->cmdBackC->click();
        d->optKeepOn->setChecked(true);
        d->cmbLedType->setCurrentIndex(0);
        d->chkPlayerFouls->setChecked(false);
        d->vsPlayers->setValue(3);
        d->cmdClearHomePic->click();
        switch (how) {
        case 0:
            d->cmdCancel->click();
            break;
        case 1:
            QTest::keyClick(d.get(), Qt::Key_Escape);
            break;
        case 2:
            d->close();
            break;
        case 3:
            QTest::keyClick(d.get(), Qt::Key_C, Qt::AltModifier);
            break;
        }
        // A mnemonic clicks its button a moment later.
        QTRY_VERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(record() == before);
        QVERIFY(!QFile::exists(m_store));
        QVERIFY(PanelSettings::HomeRefreshed && PanelSettings::VisitorRefreshed);
        QCOMPARE(m_numLock->sets, 0);

        // The next opening starts from the record again.
        d->Load();
        QCOMPARE(Colors::toBgr(d->picBackC->backColor()), 0x800000u);
        QVERIFY(d->optNormal->isChecked());
        QCOMPARE(d->cmbLedType->currentIndex(), 1);
        QVERIFY(d->chkPlayerFouls->isChecked());
        QCOMPARE(d->lblPlayers->text(), "12");
        QCOMPARE(d->HomePicTemp, PanelSettings::HomePic);
        QVERIFY(d->imgHomePicPreview->hasPicture());
    }

    void keyboardOk_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("alt+o") << int(Qt::Key_O) << int(Qt::AltModifier);
    }

    void keyboardOk()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        auto d = loaded();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        // Enter presses the default button wherever the focus is.
        d->SSTab1->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(QFile::exists(m_store));
    }

    void focusGoesToOkOnActivation()
    {
        auto d = loaded();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QCOMPARE(QApplication::focusWidget(), d->cmdOk);
        d->cmdCancel->setFocus();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QCOMPARE(QApplication::focusWidget(), d->cmdOk);
        // Tab order starts at OK.
        QCOMPARE(d->cmdOk->nextInFocusChain(), d->cmdCancel);
    }

    void pictures()
    {
        const QString old = picture("old.bmp", {20, 20});
        PanelSettings::VisitorPic = old;
        auto d = loaded();
        QVERIFY(d->imgVisitorPicPreview->hasPicture());

        const QString home = picture("wide.bmp", {60, 20});
        m_dialogs->setNextFile(home);
        d->cmdChangeHomePic->click();
        QCOMPARE(m_dialogs->fileFilters,
                 QStringList{"Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"});
        QCOMPARE(d->HomePicTemp, home);
        QVERIFY(d->imgHomePicPreview->hasPicture());
        QCOMPARE(d->imgHomePicPreview->width(), d->picHomePicPreviewCon->width());
        QCOMPARE_LT(d->imgHomePicPreview->height(), d->picHomePicPreviewCon->height());

        // Cancelled, gone or a folder: nothing changes.
        for (const QString& answer : {QString(), m_dir.filePath("missing.bmp"), m_dir.path()}) {
            m_dialogs->setNextFile(answer);
            d->cmdChangeVisitorPic->click();
            QCOMPARE(d->VisitorPicTemp, old);
            QVERIFY(d->imgVisitorPicPreview->hasPicture());
        }

        const QRect kept = d->imgHomePicPreview->geometry();
        d->cmdClearHomePic->click();
        QVERIFY(d->HomePicTemp.isEmpty());
        QVERIFY(!d->imgHomePicPreview->hasPicture());
        QCOMPARE(d->imgHomePicPreview->geometry(), kept);

        d->cmdOk->click();
        QVERIFY(PanelSettings::HomePic.isEmpty());
        QCOMPARE(PanelSettings::VisitorPic, old);
        QCOMPARE(storedKeys(m_store).value("PicSettings/HomePic", "absent"), QString());
    }

    void previewsAreDrawnAfreshOnLoad()
    {
        const QString path = picture("gone.bmp", {20, 20});
        PanelSettings::HomePic = path;
        auto d = loaded();
        QVERIFY(d->imgHomePicPreview->hasPicture());
        QVERIFY(QFile::remove(path));
        d->Load();
        QVERIFY(!d->imgHomePicPreview->hasPicture());
        QCOMPARE(d->imgHomePicPreview->geometry(), QRect(0, 0, 60, 60));
    }

    void resetColors_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("yes") << QMessageBox::Yes;
        QTest::newRow("no") << QMessageBox::No;
    }

    void resetColors()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        auto d = loaded();
        uncheckAllFields(*d);
        d->chkPlayerNum->setChecked(true);
        m_dialogs->setNextAnswer(answer);
        d->cmdResetColors->click();
        checkQuestion("Are you sure you want to reset the colors?", "Reset Colors");
        const bool yes = answer == QMessageBox::Yes;
        const QList<std::pair<PictureBox*, quint32>> swatches{
            {d->picNumC, yes ? 33023 : 0x123456},
            {d->picLEDB, yes ? 0 : 0x202020},
            {d->picFoulsC, 255},
            {d->picPointsC, 49152},
            {d->picBackC, yes ? 255 : 0x800000},
            {d->picBorderC, 16777215},
        };
        for (const auto& [swatch, bgr] : swatches)
            QCOMPARE(Colors::toBgr(swatch->backColor()), bgr);
        // The other tab is left alone.
        QVERIFY(d->chkPlayerNum->isChecked() && !d->chkPlayerName->isChecked());
        QCOMPARE(d->vsPlayers->value(), 12);
    }

    void resetSettings_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("yes") << QMessageBox::Yes;
        QTest::newRow("no") << QMessageBox::No;
    }

    void resetSettings()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        m_numLock.reset();
        m_numLock = std::make_unique<FakeNumLock>(FakeNumLock::State::On);
        PanelSettings::NumLockForce = 2;
        auto d = loaded();
        const QColor back = d->picBackC->backColor();
        m_dialogs->setNextAnswer(answer);
        d->cmdResetKeys->click();
        checkQuestion("Are you sure you want to reset these options?", "Reset these Options");
        const bool yes = answer == QMessageBox::Yes;
        QCOMPARE(d->chkPlayerNum->isChecked(), yes);
        QVERIFY(d->chkPlayerName->isChecked() && d->chkPlayerFouls->isChecked());
        QCOMPARE(d->lblPlayers->text(), yes ? "6" : "12");
        QCOMPARE(d->optNormal->isChecked(), yes);
        QCOMPARE(d->optKeepOff->isChecked(), !yes);
        QCOMPARE(d->pledPreview->ledType(), yes ? 0 : 1);
        QCOMPARE(d->picBackC->backColor(), back);
        QCOMPARE(m_numLock->sets, 0);

        d->cmdOk->click();
        QCOMPARE(storedKeys(m_store).value("Display/PlayerTotal"), yes ? "6" : "12");
        QCOMPARE(storedKeys(m_store).value("KeySettings/NumLockForce"), yes ? "0" : "2");
        // Normal mode leaves the keyboard alone.
        QCOMPARE(m_numLock->sets, yes ? 0 : 1);
    }

    void digitTypeShowsInPreview()
    {
        auto d = loaded();
        d->cmbLedType->setCurrentIndex(0);
        QCOMPARE(d->pledPreview->ledType(), 0);
        d->cmbLedType->setCurrentIndex(1);
        QCOMPARE(d->pledPreview->ledType(), 1);
        d->cmdCancel->click();
        QCOMPARE(PanelSettings::LEDType, qint16(1));
    }

    void playerCountScrollBar()
    {
        auto d = loaded();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        d->SSTab1->setCurrentIndex(1);
        QScrollBar* bar = d->vsPlayers;
        bar->setValue(0);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(d->lblPlayers->text(), "1");
        bar->setValue(99);
        QCOMPARE(bar->value(), 15);
        QCOMPARE(d->lblPlayers->text(), "15");

        // Upper arrow, Up key and wheel turned up all raise the count by one;
        // their counterparts lower it.
        bar->setValue(7);
        const QPoint up(bar->width() / 2, 2);
        const QPoint down(bar->width() / 2, bar->height() - 3);
        QTest::mouseClick(bar, Qt::LeftButton, {}, up);
        QCOMPARE(bar->value(), 8);
        QCOMPARE(d->lblPlayers->text(), "8");
        QTest::mouseClick(bar, Qt::LeftButton, {}, down);
        QCOMPARE(bar->value(), 7);
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(bar->value(), 8);
        QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(bar->value(), 7);
        QWheelEvent wheel(QPointF(up), bar->mapToGlobal(QPointF(up)), {}, {0, 120}, Qt::NoButton,
                          {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
        QCOMPARE(bar->value(), 8);
    }

    void failedWriteIsReportedOnceAndStillApplies()
    {
        // A folder where the file should be.
        QVERIFY(QDir().mkpath(m_store));
        auto d = loaded();
        d->vsPlayers->setValue(4);
        d->cmdOk->click();
        QCOMPARE(m_dialogs->messages.size(), 1);
        const PlatformDialogs::Message& m = m_dialogs->messages.first();
        QCOMPARE(m.title, "Settings Not Saved");
        QCOMPARE(m.icon, QMessageBox::Warning);
        QCOMPARE(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(m.text.contains(PanelSettings::storeFileName()), qPrintable(m.text));
        QVERIFY2(m.text.contains("folder"), qPrintable(m.text));
        QCOMPARE(PanelSettings::PlayerTotal, qint16(4));
        QVERIFY(!PanelSettings::HomeRefreshed && !PanelSettings::VisitorRefreshed);
        QVERIFY(!d->isVisible());
    }

    void openRunsTheOneDialogModally()
    {
        QVERIFY(!frmOptions::instance());
        // Runs `check` inside the dialog's modal loop, then ends the loop
        // with `button`, whatever the check found.
        auto whileOpen = [this](const std::function<void(frmOptions*)>& check,
                                QPushButton* frmOptions::*button) {
            bool ran = false;
            QTimer::singleShot(0, this, [&] {
                QPointer<frmOptions> d = frmOptions::instance();
                if (!d)
                    return;
                ran = true;
                check(d);
                if (d && d->isVisible())
                    ((*d).*button)->click();
            });
            frmOptions::Open();
            return ran;
        };

        frmOptions* first = nullptr;
        QVERIFY(whileOpen(
            [&](frmOptions* d) {
                first = d;
                QVERIFY(d->isVisible());
                QVERIFY(!d->parentWidget());
                QCOMPARE(d->windowModality(), Qt::ApplicationModal);
                QCOMPARE(d->lblPlayers->text(), "12");
                const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
                const QPoint offCentre = d->frameGeometry().center() - screen.center();
                QVERIFY(offCentre.manhattanLength() <= 4);
                // Asking again while it is open runs no second dialog.
                frmOptions::Open();
                QCOMPARE(frmOptions::instance(), d);
                d->vsPlayers->setValue(2);
            },
            &frmOptions::cmdCancel));
        QVERIFY(!QTest::currentTestFailed());
        // Closing deleted it.
        QVERIFY(!frmOptions::instance());
        QCOMPARE(PanelSettings::PlayerTotal, qint16(12));

        QVERIFY(whileOpen(
            [&](frmOptions* d) {
                QCOMPARE(d->lblPlayers->text(), "12");
                d->vsPlayers->setValue(3);
            },
            &frmOptions::cmdOk));
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(PanelSettings::PlayerTotal, qint16(3));
        QVERIFY(!PanelSettings::HomeRefreshed);
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
