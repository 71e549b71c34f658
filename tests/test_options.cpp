#include "display/PolyLED.h"
#include "options/frmOptions.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/ScriptedDialogs.h"
#include "toolkit/BgrColor.h"
#include "toolkit/FilledBox.h"
#include "toolkit/ImageControl.h"
#include "toolkit/TwipsGeometry.h"

#include <QtTest>
#include <QtWidgets>

using Facts::row;
using Facts::text;
using S = PanelSettings;

namespace {

// The record in load order of the dialog: colours as the swatches stand,
// NumLock, digit type, fields, players, pictures.
QString record()
{
    return text(S::NumColor, S::FoulsColor, S::PointsColor, S::LEDBack, S::FormBack, S::BorderColor,
                S::NumLockForce, S::LEDType, S::ShowPlayerName, S::ShowPlayerNumber,
                S::ShowPlayerFouls, S::ShowPlayerPoints, S::PlayerTotal, S::HomePic, S::VisitorPic);
}
// Unlike the defaults and the reset values in every field.
const QString fixture = "1193046 6636321 658188 2105376 8388608 65280 2 1 0 1 0 1 12  ";

void setRecord()
{
    S::NumColor = 0x123456, S::FoulsColor = 0x654321, S::PointsColor = 0x0A0B0C;
    S::LEDBack = 0x202020, S::FormBack = 0x800000, S::BorderColor = 0x00FF00;
    S::NumLockForce = 2, S::LEDType = 1, S::PlayerTotal = 12;
    S::ShowPlayerName = 0, S::ShowPlayerNumber = 1, S::ShowPlayerFouls = 0, S::ShowPlayerPoints = 1;
    S::HomePic.clear(), S::VisitorPic.clear();
    S::HomeRefreshed = S::VisitorRefreshed = true;
}

// What the dialog shows, in the record's order; then preview, label and tab.
QString shown(const frmOptions& d)
{
    QStringList s;
    for (FilledBox* p : {d.picNumC, d.picFoulsC, d.picPointsC, d.picLEDB, d.picBackC, d.picBorderC})
        s << QString::number(BgrColor::fromColor(p->backColor()));
    s << QString::number(d.numLockOptions->checkedId())
      << QString::number(d.cmbLedType->currentIndex());
    for (QCheckBox* c : {d.chkPlayerName, d.chkPlayerNum, d.chkPlayerFouls, d.chkPlayerPoints})
        s << QString::number(c->isChecked());
    s << QString::number(d.vsPlayers->value()) << d.HomePicTemp << d.VisitorPicTemp;
    return s.join(' ') +
           text("", d.pledPreview->ledType(), d.lblPlayers->text(), d.SSTab1->currentIndex());
}

// Each widget's left, top, width and height in twips, or its first `fields` of them.
QString places(std::initializer_list<const QWidget*> widgets, int fields = 4)
{
    QStringList all;
    for (const QWidget* w : widgets)
        all << text(Twips::left(w), Twips::top(w), Twips::width(w), Twips::height(w))
                   .section(' ', 0, fields - 1);
    return all.join(", ");
}

void uncheckFields(frmOptions& d)
{
    for (QCheckBox* box : {d.chkPlayerName, d.chkPlayerNum, d.chkPlayerFouls, d.chkPlayerPoints})
        box->setChecked(false);
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

    // A new store file, record, script and keyboard; the dialog loaded and shown.
    std::unique_ptr<frmOptions> fresh(bool numLockOn = false, int force = 2)
    {
        m_store = m_dir.filePath(QString("store%1.conf").arg(++m_files));
        SettingsStore::setFilePathOverride(m_store);
        m_dialogs.reset();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_numLock.reset();
        m_numLock = std::make_unique<FakeNumLock>(numLockOn ? FakeNumLock::State::On
                                                            : FakeNumLock::State::Off);
        setRecord();
        S::NumLockForce = force;
        auto d = std::make_unique<frmOptions>();
        d->Load();
        d->show();
        return d;
    }
    QString picture(const QString& name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        image.save(m_dir.filePath(name), "BMP");
        return m_dir.filePath(name);
    }
    // The record's keys as the store holds them.
    QString stored()
    {
        const SettingsStore store(S::applicationName());
        QStringList values;
        for (const char* key :
             {"ColorSettings/NumColor", "ColorSettings/FoulsColor", "ColorSettings/PointsColor",
              "ColorSettings/LEDBack", "ColorSettings/FormBack", "ColorSettings/BorderColor",
              "KeySettings/NumLockForce", "PicSettings/LEDType", "Display/ShowPlayerName",
              "Display/ShowPlayerNumber", "Display/ShowPlayerFouls", "Display/ShowPlayerPoints",
              "Display/PlayerTotal", "PicSettings/HomePic", "PicSettings/VisitorPic"})
            values << store.read(QString(key).section('/', 0, 0), QString(key).section('/', 1),
                                 "absent");
        return values.join(' ');
    }
    QString flags() { return text(S::HomeRefreshed, S::VisitorRefreshed, QFile::exists(m_store)); }

private slots:
    void cleanup()
    {
        m_dialogs.reset();
        m_numLock.reset();
        SettingsStore::setFilePathOverride({});
    }

    void dialog_data()
    {
        Facts::columns();
        auto d = fresh();
        row("window",
            text(d->width() * 15, d->height() * 15, d->minimumSize() == d->maximumSize(),
                 d->cmdOk->isDefault(), d->cmbLedType->isEditable(),
                 bool(d->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))),
            "6015 5880 true true false false");
        row("top level", places({d->cmdOk, d->cmdCancel, d->SSTab1}),
            "1860 5400 1080 375, 3060 5400 1080 375, 120 120 5775 5175");
        row("colour frames",
            places({d->fraNumFore, d->frmFoulsColor, d->frmPlayerColor, d->frmBackColor,
                    d->frmBorderColor, d->fraLedBack, d->picLEDB, d->cmdLEDB}),
            "240 720 1695 735, 2040 720 1695 735, 3840 720 1695 735, 240 1800 1695 735, "
            "2040 1800 1695 735, 3840 1800 1695 735, 120 240 615 375, 840 240 735 375");
        row("picture frames",
            places({d->Frame2, d->Frame4, d->picVisitorPicPreviewCon, d->cmdChangeVisitorPic,
                    d->cmdClearVisitorPic, d->cmdResetColors}),
            "360 2760 2415 1575, 3000 2760 2415 1575, 120 240 1215 1215, 1440 360 855 375, "
            "1440 840 855 375, 4320 4560 1215 375");
        row("other frames", places({d->Frame3, d->Frame6, d->Frame1, d->Frame9, d->cmdResetKeys}),
            "240 600 2775 1695, 3360 600 2175 1695, 240 2400 2775 1455, 3360 2400 2175 1455, "
            "4320 4560 1215 375");
        row("frame contents",
            places({d->cmbLedType, d->lblPreview, d->pledPreview, d->lblNumberOfPlayers,
                    d->lblPlayers, d->vsPlayers}),
            "120 630 1215 315, 1275 240 855 255, 1440 510 540 975, 90 660 1575 255, "
            "1800 600 375 375, 2160 600 255 375");
        row("check and option boxes (they may widen)",
            places({d->chkPlayerName, d->chkPlayerNum, d->chkPlayerFouls, d->chkPlayerPoints,
                    d->optNormal, d->optKeepOn, d->optKeepOff},
                   2),
            "360 240, 360 600, 360 960, 360 1320, 240 240, 240 600, 240 960");

        // Loading shows the record whatever the dialog showed before.
        for (int force : {2, 1, 0, 5}) {
            d = fresh(false, force);
            d->SSTab1->setCurrentIndex(1);
            d->vsPlayers->setValue(3);
            d->cmbLedType->setCurrentIndex(0);
            uncheckFields(*d);
            d->Load();
            row(qPrintable(text("load, force", force)), shown(*d),
                QString(fixture).replace(" 2 1 0", text("", force == 5 ? -1 : force, 1, 0)) +
                    " 1 12 0");
        }

        d = fresh();
        m_dialogs->setNextColor(QColor(0, 0, 255));
        d->cmdNumC->click();
        d->optKeepOn->setChecked(true);
        d->cmbLedType->setCurrentIndex(0);
        d->chkPlayerName->setChecked(true);
        d->chkPlayerNum->setChecked(false);
        d->vsPlayers->setValue(9);
        const QString home = picture("home.bmp", {40, 20});
        m_dialogs->setNextFile(home);
        d->cmdChangeHomePic->click();
        d->cmdOk->click();
        row("OK: record", record(),
            "16711680 6636321 658188 2105376 8388608 65280 1 0 1 0 0 1 9 " + home + " ");
        row("OK: store", stored(), record());
        row("OK: ends",
            text(flags(), m_numLock->sets, d->isVisible(), d->result(), m_dialogs->messages.size()),
            "false false true 1 false 1 0");

        d = fresh();
        uncheckFields(*d);
        d->vsPlayers->setValue(4);
        d->cmdOk->click();
        const PlatformDialogs::Message m = m_dialogs->messages.value(0);
        row("OK without fields",
            text(m.icon, m.buttons.toInt(), d->isVisible(), d->lblPlayers->text(), record(),
                 flags()),
            text(QMessageBox::NoIcon, int(QMessageBox::Ok), true, 4, fixture, "true true false"));
        d->chkPlayerPoints->setChecked(true);
        d->cmdOk->click();
        row("then one field",
            text(d->isVisible(), S::PlayerTotal, S::ShowPlayerPoints, S::ShowPlayerName),
            "false 4 1 0");

        const QList<QPushButton* frmOptions::*> colourButtons = {
            &frmOptions::cmdNumC, &frmOptions::cmdFoulsC, &frmOptions::cmdPointsC,
            &frmOptions::cmdLEDB, &frmOptions::cmdBackC,  &frmOptions::cmdBorderC};
        for (int i = 0; i < 6; ++i) {
            d = fresh();
            m_dialogs->setNextColor(std::nullopt); // cancelled: the swatch stays
            ((*d).*colourButtons[i])->click();
            m_dialogs->setNextColor(QColor(0x12, 0x34, 0x56));
            ((*d).*colourButtons[i])->click();
            d->cmdOk->click();
            QStringList expected = fixture.split(' ');
            expected[i] = "5649426";
            row(qPrintable(text("colour button", i)),
                text(record(), BgrColor::fromColor(m_dialogs->colorRequests.value(1))),
                text(expected.join(' '), fixture.section(' ', i, i)));
        }

        for (auto [wasOn, force, option, expected] :
             {std::tuple(false, 0, 1, "1 1"), std::tuple(true, 0, 1, "0 1"),
              std::tuple(true, 0, 2, "1 2"), std::tuple(true, 2, 0, "0 0"),
              std::tuple(false, 5, -1, "0 5")}) {
            d = fresh(wasOn, force);
            if (option >= 0)
                d->numLockOptions->button(option)->click();
            const int setsBefore = m_numLock->sets;
            d->cmdOk->click();
            row(qPrintable(text("NumLock at OK", wasOn, force, option)),
                text(setsBefore, m_numLock->sets, S::NumLockForce, stored().section(' ', 6, 6)),
                text(0, expected, QString(expected).section(' ', 1)));
        }

        // Cancel, the close box and Escape discard everything.
        for (int way : {0, 1, 2}) {
            d = fresh();
            S::HomePic = picture("old.bmp", {30, 30});
            d->Load();
            const QString before = record(), shownBefore = shown(*d);
            QVERIFY(QTest::qWaitForWindowActive(d.get()));
            const bool focus = QApplication::focusWidget() == d->cmdOk;
            m_dialogs->setNextColor(QColor(Qt::yellow));
            d->cmdBackC->click();
            m_dialogs->setNextAnswer(QMessageBox::Yes);
            d->cmdResetKeys->click();
            d->cmdClearHomePic->click();
            way == 0   ? d->cmdCancel->click()
            : way == 1 ? void(d->close())
                       : QTest::keyClick(d->cmdOk, Qt::Key_Escape);
            const QString after =
                text(d->isVisible(), d->result(), record() == before, flags(), m_numLock->sets);
            d->Load();
            row(qPrintable(text("closing way", way)), text(focus, after, shown(*d) == shownBefore),
                "true false 0 true true true false 0 true");
        }

        // Each reset sets every control it names and leaves the other tab alone.
        for (auto [colours, yes, expected] :
             {std::tuple(true, true, "33023 255 49152 0 255 16777215 2 1 0 0 0 0 12   1 12 1"),
              std::tuple(true, false,
                         "1193046 6636321 658188 2105376 8388608 65280 2 1 0 0 0 0 12   1 12 1"),
              std::tuple(false, true,
                         "1193046 6636321 658188 2105376 8388608 65280 0 0 1 1 1 1 6   0 6 1"),
              std::tuple(false, false,
                         "1193046 6636321 658188 2105376 8388608 65280 2 1 0 0 0 0 12   1 12 1")}) {
            d = fresh();
            d->SSTab1->setCurrentIndex(1);
            uncheckFields(*d);
            m_dialogs->setNextAnswer(yes ? QMessageBox::Yes : QMessageBox::No);
            (colours ? d->cmdResetColors : d->cmdResetKeys)->click();
            const PlatformDialogs::Message q = m_dialogs->messages.value(0);
            row(qPrintable(text("reset", colours ? "colours" : "settings", yes)),
                text(shown(*d), q.icon, q.buttons.toInt(), q.defaultButton, record() == fixture,
                     m_numLock->sets),
                text(expected, QMessageBox::Question, (QMessageBox::Yes | QMessageBox::No).toInt(),
                     QMessageBox::Yes, true, 0));
        }

        d = fresh();
        S::VisitorPic = picture("old.bmp", {20, 20});
        d->Load();
        const QString wide = picture("wide.bmp", {60, 20});
        m_dialogs->setNextFile(wide);
        d->cmdChangeHomePic->click();
        row("picture chosen",
            text(m_dialogs->fileFilters.value(0), d->HomePicTemp == wide,
                 d->imgHomePicPreview->width() == d->picHomePicPreviewCon->width()),
            "Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg true true");
        for (const QString& answer : {QString(), m_dir.filePath("missing.bmp"), m_dir.path()}) {
            m_dialogs->setNextFile(answer);
            d->cmdChangeVisitorPic->click();
        }
        const QRect kept = d->imgHomePicPreview->geometry();
        d->cmdClearHomePic->click();
        row("cancelled, missing or folder; cleared",
            text(d->VisitorPicTemp == S::VisitorPic, d->imgVisitorPicPreview->hasPicture(),
                 d->HomePicTemp, d->imgHomePicPreview->hasPicture(),
                 d->imgHomePicPreview->geometry() == kept),
            "true true  false true");
        d->cmdOk->click();
        row("pictures stored", text(S::HomePic, stored().section(' ', 13)),
            text("", "", S::VisitorPic));

        d = fresh();
        d->vsPlayers->setValue(0);
        const QString lowest = d->lblPlayers->text();
        d->vsPlayers->setValue(99);
        row("player count 1 to 15", text(lowest, d->lblPlayers->text()), "1 15");

        d = fresh();
        QVERIFY(QDir().mkpath(m_store)); // a folder where the file should be
        d->vsPlayers->setValue(4);
        d->cmdOk->click();
        const QString message = m_dialogs->messages.value(0).text;
        row("failed save",
            text(message.contains(S::storeFileName()), message.contains("folder"), S::PlayerTotal,
                 S::HomeRefreshed, d->isVisible()),
            "true true 4 false false");
    }
    void dialog() { Facts::check(); }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
