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

#include <QtTest>
#include <QtWidgets>
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

    // The one message shown so far; an empty `text` leaves the text to the caller.
    void checkMessage(const QString& text, const QString& title, QMessageBox::Icon icon,
                      QMessageBox::StandardButtons buttons = QMessageBox::Ok)
    {
        QCOMPARE(m_dialogs->messages.size(), 1);
        const PlatformDialogs::Message& m = m_dialogs->messages.first();
        if (!text.isEmpty())
            QCOMPARE(m.text, text);
        QCOMPARE(m.title, title);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.buttons, buttons);
        if (icon == QMessageBox::Question)
            QCOMPARE(m.defaultButton, QMessageBox::Yes);
    }

    static QList<quint32> swatches(const frmOptions& d)
    {
        QList<quint32> bgr;
        for (PictureBox* p :
             {d.picNumC, d.picFoulsC, d.picPointsC, d.picLEDB, d.picBackC, d.picBorderC})
            bgr << Colors::toBgr(p->backColor());
        return bgr;
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

    void window()
    {
        frmOptions d;
        d.show();
        QCOMPARE(d.windowTitle(), "Options");
        QCOMPARE(d.size(), QSize(Twips::toPixels(6015), Twips::toPixels(5880)));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QCOMPARE(d.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                    Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint),
                 Qt::WindowCloseButtonHint);
        QVERIFY(!d.parentWidget());
        QCOMPARE(d.SSTab1->count(), 2);
        QCOMPARE(d.SSTab1->tabText(0) + '|' + d.SSTab1->tabText(1),
                 "Color Controls|Other Settings");
        QVERIFY(d.cmdOk->isDefault());
        QCOMPARE(d.cmdOk->text(), "&Ok");
        QCOMPARE(d.cmdCancel->text(), "&Cancel");
        QVERIFY(!d.cmbLedType->isEditable());
        QCOMPARE(d.cmbLedType->count(), 2);
        QCOMPARE(d.cmbLedType->itemText(0) + '|' + d.cmbLedType->itemText(1), "Lines|Dots");
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

    void layout()
    {
        auto d = loaded();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        struct Row
        {
            const char* name;
            QWidget* control;
            int tab;
            QRect twips;
            bool mayWiden = false;
        };
        // Read back through whole pixels; tab contents measured from the tab
        // control's corner, tab strip included.
        const Row rows[]{
            {"tab control", d->SSTab1, 0, {120, 120, 5775, 5175}},
            {"ok", d->cmdOk, 0, {1860, 5400, 1080, 375}},
            {"cancel", d->cmdCancel, 0, {3060, 5400, 1080, 375}},
            {"first frame", d->fraNumFore, 0, {360, 840, 1695, 735}},
            {"swatch", d->picNumC, 0, {480, 1080, 615, 375}},
            {"led change", d->cmdLEDB, 0, {4800, 2160, 735, 375}},
            {"preview box", d->picVisitorPicPreviewCon, 0, {3240, 3120, 1215, 1215}},
            {"preview image", d->imgVisitorPicPreview, 0, {3240, 3120, 900, 900}},
            {"clear", d->cmdClearVisitorPic, 0, {4560, 3720, 855, 375}},
            {"reset colors", d->cmdResetColors, 0, {4440, 4680, 1215, 375}},
            {"fields frame", d->Frame3, 1, {360, 720, 2775, 1695}},
            {"points box", d->chkPlayerPoints, 1, {720, 2040, 1215, 255}, true},
            {"led type", d->cmbLedType, 1, {3600, 1350, 1215, 315}},
            {"preview", d->pledPreview, 1, {4920, 1230, 540, 975}},
            {"players caption", d->lblNumberOfPlayers, 1, {450, 3180, 1575, 255}},
            {"players", d->lblPlayers, 1, {2160, 3120, 375, 375}},
            {"scroll bar", d->vsPlayers, 1, {2520, 3120, 255, 375}},
            {"keep off", d->optKeepOff, 1, {3720, 3480, 1695, 375}, true},
            {"reset keys", d->cmdResetKeys, 1, {4440, 4680, 1215, 375}},
        };
        for (const Row& row : rows) {
            d->SSTab1->setCurrentIndex(row.tab);
            QVERIFY2(row.control->isVisible(), row.name);
            QRect actual = clientTwips(row.control, d.get());
            if (row.mayWiden && actual.width() > row.twips.width())
                actual.setWidth(row.twips.width());
            QVERIFY2(actual == row.twips, qPrintable(QString("%1: %2,%3 %4x%5")
                                                         .arg(row.name)
                                                         .arg(actual.x())
                                                         .arg(actual.y())
                                                         .arg(actual.width())
                                                         .arg(actual.height())));
        }
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
        QCOMPARE(swatches(d),
                 (QList<quint32>{0x123456, 0xFF, 0xC000, 0x202020, 0x800000, 0xFFFFFF}));
        QVERIFY(d.optNormal->isChecked());
        QCOMPARE(d.cmbLedType->currentIndex(), 1);
        QCOMPARE(d.pledPreview->ledType(), 1);
        QVERIFY(d.chkPlayerName->isChecked() && !d.chkPlayerNum->isChecked());
        QVERIFY(d.chkPlayerFouls->isChecked() && d.chkPlayerPoints->isChecked());
        QCOMPARE(d.vsPlayers->value(), 12);
        QCOMPARE(d.lblPlayers->text(), "12");
        QVERIFY(d.HomePicTemp.isEmpty());
        QVERIFY(!d.imgHomePicPreview->hasPicture());
        // The preview follows the digit type chosen.
        d.cmbLedType->setCurrentIndex(0);
        QCOMPARE(d.pledPreview->ledType(), 0);
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
        checkMessage("You must select at least one statistics field.  Please go back to the "
                     "Other Settings tab and select at least one statistics field.",
                     "No Statistics Fields Selected", QMessageBox::NoIcon);
        QVERIFY(d->isVisible());
        QCOMPARE(d->SSTab1->currentIndex(), 1);
        QVERIFY(record() == before);
        QVERIFY(PanelSettings::HomeRefreshed && PanelSettings::VisitorRefreshed);
        QVERIFY(!QFile::exists(m_store));

        d->chkPlayerPoints->setChecked(true);
        d->cmdOk->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Accepted));
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
        const Record applied{{0xFF0000, 0xFF, 0xC000, 0x202020, 0x800000, 0xFFFFFF},
                             2,
                             {0, 0, 1, 1, 1, 9},
                             home,
                             {}};
        QVERIFY(record() == applied);
        QVERIFY(!PanelSettings::HomeRefreshed && !PanelSettings::VisitorRefreshed);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void colourButtonsEditTheirOwnSetting_data()
    {
        QTest::addColumn<int>("field"); // index into Record::colors
        int field = 0;
        for (const char* row : {"number", "fouls", "points", "led background", "back", "border"})
            QTest::newRow(row) << field++;
    }

    void colourButtonsEditTheirOwnSetting()
    {
        QFETCH(int, field);
        auto d = loaded();
        QPushButton* button = QList<QPushButton*>{d->cmdNumC, d->cmdFoulsC, d->cmdPointsC,
                                                  d->cmdLEDB, d->cmdBackC,  d->cmdBorderC}[field];
        Record expected = record();
        // A cancelled chooser keeps the swatch; a confirmed one changes it.
        m_dialogs->setNextColor(std::nullopt);
        button->click();
        m_dialogs->setNextColor(QColor(0x12, 0x34, 0x56));
        button->click();
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

    void closing_data()
    {
        QTest::addColumn<int>("key"); // 0 clicks Cancel, -1 closes the window
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("cancel button") << 0 << 0 << false;
        QTest::newRow("close box") << -1 << 0 << false;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << false;
        QTest::newRow("alt+c") << int(Qt::Key_C) << int(Qt::AltModifier) << false;
        // Enter presses the default button wherever the focus is.
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("alt+o") << int(Qt::Key_O) << int(Qt::AltModifier) << true;
    }

    void closing()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, accepted);
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
        d->SSTab1->tabBar()->setFocus();
        if (key == 0)
            d->cmdCancel->click();
        else if (key < 0)
            d->close();
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                            Qt::KeyboardModifiers(modifiers));
        // A mnemonic clicks its button a moment later.
        QTRY_VERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(QFile::exists(m_store), accepted);
        if (accepted)
            return;
        QVERIFY(record() == before);
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
        // Previews are drawn afresh on loading, not kept.
        QVERIFY(QFile::remove(PanelSettings::HomePic));
        d->Load();
        QVERIFY(!d->imgHomePicPreview->hasPicture());
        QCOMPARE(d->imgHomePicPreview->geometry(), QRect(0, 0, 60, 60));
    }

    void focusAndTabKeys()
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
        // Tabs switch from the keyboard wherever the focus is.
        QTest::keyClick(d->cmdOk, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d->SSTab1->currentIndex(), 1);
        QTest::keyClick(d->cmdOk, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(d->SSTab1->currentIndex(), 0);
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

    void resets_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void resets()
    {
        QFETCH(bool, yes);
        const QMessageBox::StandardButtons question = QMessageBox::Yes | QMessageBox::No;
        m_numLock.reset();
        m_numLock = std::make_unique<FakeNumLock>(FakeNumLock::State::On);
        PanelSettings::NumLockForce = 2;
        auto d = loaded();
        uncheckAllFields(*d);
        d->chkPlayerNum->setChecked(true);
        m_dialogs->setNextAnswer(yes ? QMessageBox::Yes : QMessageBox::No);
        d->cmdResetColors->click();
        checkMessage("Are you sure you want to reset the colors?", "Reset Colors",
                     QMessageBox::Question, question);
        QCOMPARE(swatches(*d),
                 (QList<quint32>{yes ? 33023u : 0x123456u, 255, 49152, yes ? 0u : 0x202020u,
                                 yes ? 255u : 0x800000u, 16777215}));
        // Each reset leaves the other tab alone.
        QVERIFY(d->chkPlayerNum->isChecked() && !d->chkPlayerName->isChecked());
        QCOMPARE(d->vsPlayers->value(), 12);
        QVERIFY(d->optKeepOff->isChecked());

        const QList<quint32> colours = swatches(*d);
        m_dialogs->messages.clear();
        m_dialogs->setNextAnswer(yes ? QMessageBox::Yes : QMessageBox::No);
        d->cmdResetKeys->click();
        checkMessage("Are you sure you want to reset these options?", "Reset these Options",
                     QMessageBox::Question, question);
        QVERIFY(d->chkPlayerNum->isChecked());
        QCOMPARE(d->chkPlayerName->isChecked() && d->chkPlayerFouls->isChecked(), yes);
        QCOMPARE(d->lblPlayers->text(), yes ? "6" : "12");
        QCOMPARE(d->optNormal->isChecked(), yes);
        QCOMPARE(d->optKeepOff->isChecked(), !yes);
        QCOMPARE(d->pledPreview->ledType(), yes ? 0 : 1);
        QCOMPARE(swatches(*d), colours);
        QCOMPARE(m_numLock->sets, 0);

        d->cmdOk->click();
        QCOMPARE(storedKeys(m_store).value("Display/PlayerTotal"), yes ? "6" : "12");
        QCOMPARE(storedKeys(m_store).value("KeySettings/NumLockForce"), yes ? "0" : "2");
        // Normal mode leaves the keyboard alone.
        QCOMPARE(m_numLock->sets, yes ? 0 : 1);
    }

    void playerCountScrollBar()
    {
        auto d = loaded();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        d->SSTab1->setCurrentIndex(1);
        QScrollBar* bar = d->vsPlayers;
        bar->setValue(0);
        QCOMPARE(d->lblPlayers->text(), "1");
        bar->setValue(99);
        QCOMPARE(d->lblPlayers->text(), "15");

        // Upper arrow, Up key and wheel turned up all raise the count by one;
        // their counterparts lower it.
        bar->setValue(7);
        const QPoint up(bar->width() / 2, 2);
        QWheelEvent wheel(QPointF(up), bar->mapToGlobal(QPointF(up)), {}, {0, 120}, Qt::NoButton,
                          {}, Qt::NoScrollPhase, false);
        const QList<std::function<void()>> steps{
            [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, up); },
            [&] {
                QTest::mouseClick(bar, Qt::LeftButton, {}, {up.x(), bar->height() - 3});
            },
            [&] { QTest::keyClick(bar, Qt::Key_Up); },
            [&] { QTest::keyClick(bar, Qt::Key_Down); },
            [&] { QApplication::sendEvent(bar, &wheel); },
        };
        for (int i = 0; i < steps.size(); ++i) {
            steps[i]();
            QCOMPARE(bar->value(), i % 2 ? 7 : 8);
            QCOMPARE(d->lblPlayers->text(), QString::number(bar->value()));
        }
    }

    void failedWriteIsReportedOnceAndStillApplies()
    {
        // A folder where the file should be.
        QVERIFY(QDir().mkpath(m_store));
        auto d = loaded();
        d->vsPlayers->setValue(4);
        d->cmdOk->click();
        checkMessage({}, "Settings Not Saved", QMessageBox::Warning);
        const QString text = m_dialogs->messages.first().text;
        QVERIFY2(text.contains(PanelSettings::storeFileName()) && text.contains("folder"),
                 qPrintable(text));
        QCOMPARE(PanelSettings::PlayerTotal, qint16(4));
        QVERIFY(!PanelSettings::HomeRefreshed && !PanelSettings::VisitorRefreshed);
        QVERIFY(!d->isVisible());
    }

    void openRunsTheOneDialogModally()
    {
        QVERIFY(!frmOptions::instance());
        for (const bool ok : {false, true}) {
            bool ran = false;
            // Checks inside the dialog's modal loop, then ends the loop
            // whatever the checks found.
            QTimer::singleShot(0, this, [&] {
                QPointer<frmOptions> d = frmOptions::instance();
                if (!d)
                    return;
                ran = true;
                [&] {
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
                    d->vsPlayers->setValue(ok ? 3 : 2);
                }();
                if (d && d->isVisible())
                    (ok ? d->cmdOk : d->cmdCancel)->click();
            });
            frmOptions::Open();
            QVERIFY(ran && !QTest::currentTestFailed());
            // Closing deleted it.
            QVERIFY(!frmOptions::instance());
            QCOMPARE(PanelSettings::PlayerTotal, qint16(ok ? 3 : 12));
            QCOMPARE(PanelSettings::HomeRefreshed, !ok);
        }
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
