#include "options/frmOptions.h"

#include "display/PolyLED.h"
#include "platform/PlatformDialogs.h"
#include "platform/modGrabKeys.h"
#include "settings/PanelSettings.h"
#include "toolkit/BgrColor.h"
#include "toolkit/FilledBox.h"
#include "toolkit/ImageControl.h"
#include "toolkit/TwipsGeometry.h"
#include "toolkit/modStretch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <algorithm>

namespace {

const QString pictureFilter = QStringLiteral("Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg");

QPointer<frmOptions>& openDialog()
{
    static QPointer<frmOptions> dialog;
    return dialog;
}

template <typename Widget> Widget* place(Widget* widget, int left, int top, int width, int height)
{
    Twips::setGeometry(widget, left, top, width, height);
    return widget;
}

QGroupBox* frame(QWidget* parent, const QString& caption, int left, int top, int width, int height)
{
    return place(new QGroupBox(caption, parent), left, top, width, height);
}

QPushButton* button(QWidget* parent, const QString& caption, int left, int top, int width,
                    int height)
{
    return place(new QPushButton(caption, parent), left, top, width, height);
}

// A plain box has no edge of its own; a thin line just outside it keeps a
// swatch as pale as the dialog, or an empty preview, visible.
FilledBox* outlinedBox(QWidget* parent, const QString& name, int left, int top, int width,
                       int height)
{
    auto* border = new FilledBox(parent);
    border->setBackColor(parent->palette().color(QPalette::Dark));
    auto* box = place(new FilledBox(parent), left, top, width, height);
    border->setGeometry(box->geometry().adjusted(-1, -1, 1, 1));
    box->setAccessibleName(name);
    return box;
}

} // namespace

frmOptions::frmOptions(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Options"));
    // A fixed font keeps every caption inside the fixed layout, whatever the
    // desktop's font; Arial is what the layout was drawn with. The font goes
    // into the style sheet: a sheet on the dialog stops a font set on it from
    // reaching the tab pages. Frame captions sit on the frame's top line,
    // above the contents.
    setStyleSheet(
        QStringLiteral(
            "* { font-family: Arial; font-size: %1px; }"
            "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }")
            .arg(Twips::pointsToPixels(8)));
    setFixedSize(Twips::toPixels(6015), Twips::toPixels(5880));

    // Created first so that they lead the tab order.
    cmdOk = button(this, tr("&Ok"), 1867, 5400, 1080, 375);
    cmdOk->setDefault(true);
    cmdCancel = button(this, tr("&Cancel"), 3067, 5400, 1080, 375);

    SSTab1 = place(new QTabWidget(this), 120, 120, 5775, 5175);
    SSTab1->installEventFilter(this);
    SSTab1->setAccessibleName(tr("Option pages"));
    buildColorTab(addTabPage(tr("Color Controls")));
    buildOtherTab(addTabPage(tr("Other Settings")));

    // The tabs switch from the keyboard wherever the focus is, not only on
    // the tab strip.
    auto switchTab = [this](int step) {
        SSTab1->setCurrentIndex((SSTab1->currentIndex() + step + SSTab1->count()) %
                                SSTab1->count());
    };
    for (const auto& [keys, step] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this,
                [switchTab, by = step] { switchTab(by); });
    }

    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::acceptSettings);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Check and radio marks of this style are wider than the ones the layout
    // was drawn for: widen a caption box rather than cut its text. Measured
    // once the style sheet's font is in place.
    ensurePolished();
    for (QAbstractButton* box : std::initializer_list<QAbstractButton*>{
             chkPlayerName, chkPlayerNum, chkPlayerFouls, chkPlayerPoints, optNormal, optKeepOn,
             optKeepOff}) {
        box->resize(std::max(box->width(), box->sizeHint().width()), box->height());
    }
}

QWidget* frmOptions::addTabPage(const QString& caption)
{
    auto* page = new QWidget(SSTab1);
    SSTab1->addTab(page, caption);
    auto* surface = new QWidget(page);
    m_tabSurfaces.append(surface);
    page->installEventFilter(this);
    page->parentWidget()->installEventFilter(this); // the page stack
    return surface;
}

void frmOptions::buildColorTab(QWidget* surface)
{
    struct ColorControls
    {
        const char* caption;
        const char* name;
        int left;
        int top;
        QGroupBox** frame;
        FilledBox** swatch;
        QPushButton** change;
    };
    const ColorControls colors[] = {
        {"Player # Color:", "Player number colour", 240, 720, &fraNumFore, &picNumC, &cmdNumC},
        {"Player Fouls Color:", "Player fouls colour", 2040, 720, &frmFoulsColor, &picFoulsC,
         &cmdFoulsC},
        {"Player Points Color:", "Player points colour", 3840, 720, &frmPlayerColor, &picPointsC,
         &cmdPointsC},
        {"Back Color:", "Back colour", 240, 1800, &frmBackColor, &picBackC, &cmdBackC},
        {"Border Color:", "Border colour", 2040, 1800, &frmBorderColor, &picBorderC, &cmdBorderC},
        {"LED Background:", "LED background colour", 3840, 1800, &fraLedBack, &picLEDB, &cmdLEDB},
    };
    for (const ColorControls& c : colors) {
        QGroupBox* box = frame(surface, tr(c.caption), c.left, c.top, 1695, 735);
        FilledBox* swatch = outlinedBox(box, tr(c.name), 120, 240, 615, 375);
        QPushButton* change = button(box, tr("Change"), 840, 240, 735, 375);
        change->setAccessibleName(tr("Change %1").arg(swatch->accessibleName().toLower()));
        connect(change, &QPushButton::clicked, this, [this, swatch] { changeColor(swatch); });
        *c.frame = box;
        *c.swatch = swatch;
        *c.change = change;
    }

    struct PictureFrame
    {
        const char* caption;
        const char* name;
        int left;
        QGroupBox** frame;
        FilledBox** box;
        ImageControl** image;
        QPushButton** change;
        QPushButton** clear;
        QString* path;
    };
    const PictureFrame pictures[] = {
        {"Home Picture", "Home picture preview", 360, &Frame2, &picHomePicPreviewCon,
         &imgHomePicPreview, &cmdChangeHomePic, &cmdClearHomePic, &HomePicTemp},
        {"Visitor Picture", "Visitor picture preview", 3000, &Frame4, &picVisitorPicPreviewCon,
         &imgVisitorPicPreview, &cmdChangeVisitorPic, &cmdClearVisitorPic, &VisitorPicTemp},
    };
    for (const PictureFrame& p : pictures) {
        *p.frame = frame(surface, tr(p.caption), p.left, 2760, 2415, 1575);
        *p.box = outlinedBox(*p.frame, tr(p.name), 120, 240, 1215, 1215);
        *p.image = place(new ImageControl(*p.box), 0, 0, 900, 900);
        *p.change = button(*p.frame, tr("Change"), 1440, 360, 855, 375);
        *p.clear = button(*p.frame, tr("Clear"), 1440, 840, 855, 375);
        (*p.change)->setAccessibleName(tr("Change %1").arg(tr(p.caption).toLower()));
        (*p.clear)->setAccessibleName(tr("Clear %1").arg(tr(p.caption).toLower()));
        const PictureControls picture{p.path, *p.image, *p.box};
        m_pictures.append(picture);
        connect(*p.change, &QPushButton::clicked, this,
                [this, picture] { changePicture(picture); });
        connect(*p.clear, &QPushButton::clicked, this, [this, picture] { clearPicture(picture); });
    }

    cmdResetColors = button(surface, tr("Reset Colors"), 4320, 4560, 1215, 375);
    connect(cmdResetColors, &QPushButton::clicked, this, &frmOptions::resetColors);
}

void frmOptions::buildOtherTab(QWidget* surface)
{
    Frame3 = frame(surface, tr("Statistics fields to show:"), 240, 600, 2775, 1695);
    chkPlayerName = place(new QCheckBox(tr("Player Name"), Frame3), 360, 240, 1215, 255);
    chkPlayerNum = place(new QCheckBox(tr("Player #"), Frame3), 360, 600, 1215, 255);
    chkPlayerFouls = place(new QCheckBox(tr("Player Fouls"), Frame3), 360, 960, 1215, 255);
    chkPlayerPoints = place(new QCheckBox(tr("Player Points"), Frame3), 360, 1320, 1215, 255);

    Frame6 = frame(surface, tr("Digit Type:"), 3360, 600, 2175, 1695);
    cmbLedType = place(new QComboBox(Frame6), 120, 630, 1215, 315);
    cmbLedType->addItems({tr("Lines"), tr("Dots")});
    cmbLedType->setAccessibleName(tr("Digit type"));
    lblPreview = place(new QLabel(tr("Preview:"), Frame6), 1280, 240, 855, 255);
    pledPreview = place(new PolyLED(Frame6), 1440, 510, 540, 975);
    connect(cmbLedType, &QComboBox::currentIndexChanged, this, &frmOptions::showLedType);

    Frame1 = frame(surface, tr("Misc. Options"), 240, 2400, 2775, 1455);
    lblNumberOfPlayers = place(new QLabel(tr("Number of Players:"), Frame1), 90, 660, 1575, 255);
    lblNumberOfPlayers->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblPlayers = place(new QLabel(Frame1), 1800, 600, 375, 375);
    lblPlayers->setAlignment(Qt::AlignCenter);
    lblPlayers->setAccessibleName(tr("Players"));
    vsPlayers = place(new QScrollBar(Qt::Vertical, Frame1), 2160, 600, 255, 375);
    vsPlayers->setRange(1, 15);
    vsPlayers->setSingleStep(1);
    vsPlayers->setPageStep(1);
    // Drawn with the highest count at the top, so that the upper arrow, the Up
    // key and the wheel turned up all raise the count.
    vsPlayers->setInvertedAppearance(true);
    vsPlayers->setInvertedControls(false);
    connect(vsPlayers, &QScrollBar::actionTriggered, this, &frmOptions::turnMouseStep);
    vsPlayers->setAccessibleName(tr("Number of players"));
    connect(vsPlayers, &QScrollBar::valueChanged, this, &frmOptions::showPlayerCount);

    Frame9 = frame(surface, tr("Numlock Options:"), 3360, 2400, 2175, 1455);
    optNormal = place(new QRadioButton(tr("Normal Mode"), Frame9), 240, 240, 1695, 375);
    optKeepOn = place(new QRadioButton(tr("Keep Numlock On"), Frame9), 240, 600, 1695, 375);
    optKeepOff = place(new QRadioButton(tr("Keep Numlock Off"), Frame9), 240, 960, 1695, 375);
    numLockOptions = new QButtonGroup(this);
    numLockOptions->addButton(optNormal, 0);
    numLockOptions->addButton(optKeepOn, 1);
    numLockOptions->addButton(optKeepOff, 2);

    cmdResetKeys = button(surface, tr("Reset Settings"), 4320, 4560, 1215, 375);
    connect(cmdResetKeys, &QPushButton::clicked, this, &frmOptions::resetSettings);
}

void frmOptions::Open()
{
    QPointer<frmOptions>& dialog = openDialog();
    if (dialog && dialog->isVisible()) {
        dialog->raise();
        dialog->activateWindow();
        return;
    }
    if (!dialog) {
        dialog = new frmOptions;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowModality(Qt::ApplicationModal);
    }
    dialog->Load();
    dialog->centreOnPrimaryScreen();
    dialog->exec();
}

frmOptions* frmOptions::instance()
{
    return openDialog().data();
}

void frmOptions::Load()
{
    SSTab1->setCurrentIndex(0);

    picNumC->setBackColor(BgrColor::toColor(PanelSettings::NumColor));
    picFoulsC->setBackColor(BgrColor::toColor(PanelSettings::FoulsColor));
    picPointsC->setBackColor(BgrColor::toColor(PanelSettings::PointsColor));
    picLEDB->setBackColor(BgrColor::toColor(PanelSettings::LEDBack));
    picBackC->setBackColor(BgrColor::toColor(PanelSettings::FormBack));
    picBorderC->setBackColor(BgrColor::toColor(PanelSettings::BorderColor));

    selectNumLockOption(PanelSettings::NumLockForce);

    // Neither control signals a value it already holds: update their views
    // explicitly.
    cmbLedType->setCurrentIndex(PanelSettings::LEDType == 1 ? 1 : 0);
    showLedType(cmbLedType->currentIndex());

    chkPlayerName->setChecked(PanelSettings::ShowPlayerName == 1);
    chkPlayerNum->setChecked(PanelSettings::ShowPlayerNumber == 1);
    chkPlayerFouls->setChecked(PanelSettings::ShowPlayerFouls == 1);
    chkPlayerPoints->setChecked(PanelSettings::ShowPlayerPoints == 1);

    vsPlayers->setValue(PanelSettings::PlayerTotal);
    showPlayerCount(vsPlayers->value());

    HomePicTemp = PanelSettings::HomePic;
    VisitorPicTemp = PanelSettings::VisitorPic;
    for (const PictureControls& picture : std::as_const(m_pictures)) {
        // A file gone since an earlier opening must not leave its old picture.
        picture.image->setPicture(QImage());
        Twips::setGeometry(picture.image, 0, 0, 900, 900);
        modStretch::FitPicture(picture.image, picture.box, *picture.path);
    }
}

void frmOptions::selectNumLockOption(int force)
{
    if (QAbstractButton* option = numLockOptions->button(force)) {
        option->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last checked button.
    numLockOptions->setExclusive(false);
    for (QAbstractButton* option : numLockOptions->buttons())
        option->setChecked(false);
    numLockOptions->setExclusive(true);
}

void frmOptions::acceptSettings()
{
    const int shown = int(chkPlayerName->isChecked()) + int(chkPlayerNum->isChecked()) +
                      int(chkPlayerFouls->isChecked()) + int(chkPlayerPoints->isChecked());
    if (shown < 1) {
        PlatformDialogs::instance().message(
            this, {tr("You must select at least one statistics field.  Please go back to the "
                      "Other Settings tab and select at least one statistics field."),
                   tr("No Statistics Fields Selected"), QMessageBox::NoIcon, QMessageBox::Ok});
        return;
    }

    PanelSettings::NumColor = BgrColor::fromColor(picNumC->backColor());
    PanelSettings::LEDBack = BgrColor::fromColor(picLEDB->backColor());
    PanelSettings::FoulsColor = BgrColor::fromColor(picFoulsC->backColor());
    PanelSettings::PointsColor = BgrColor::fromColor(picPointsC->backColor());
    PanelSettings::FormBack = BgrColor::fromColor(picBackC->backColor());
    PanelSettings::BorderColor = BgrColor::fromColor(picBorderC->backColor());

    // With no option selected the mode is one the dialog cannot show; it is kept.
    const int force = numLockOptions->checkedId();
    if (force >= 0)
        PanelSettings::NumLockForce = force;
    modGrabKeys::applyNumLockForce(force);

    PanelSettings::HomePic = HomePicTemp;
    PanelSettings::VisitorPic = VisitorPicTemp;
    PanelSettings::LEDType = qint16(cmbLedType->currentIndex());

    PanelSettings::ShowPlayerName = chkPlayerName->isChecked() ? 1 : 0;
    PanelSettings::ShowPlayerNumber = chkPlayerNum->isChecked() ? 1 : 0;
    PanelSettings::ShowPlayerFouls = chkPlayerFouls->isChecked() ? 1 : 0;
    PanelSettings::ShowPlayerPoints = chkPlayerPoints->isChecked() ? 1 : 0;
    PanelSettings::PlayerTotal = qint16(vsPlayers->value());

    const std::optional<QString> failure = PanelSettings::saveAll();

    // The new settings apply whether or not they reached the store.
    PanelSettings::HomeRefreshed = false;
    PanelSettings::VisitorRefreshed = false;

    if (failure) {
        PlatformDialogs::instance().message(
            this, {tr("The settings could not be saved to the file\n%1\n(%2).\n\n"
                      "They stay in force until the program is closed.")
                       .arg(PanelSettings::storeFileName(), *failure),
                   tr("Settings Not Saved"), QMessageBox::Warning, QMessageBox::Ok});
    }
    accept();
}

void frmOptions::changeColor(FilledBox* swatch)
{
    if (const std::optional<QColor> chosen =
            PlatformDialogs::instance().chooseColor(this, swatch->backColor()))
        swatch->setBackColor(BgrColor::toColor(BgrColor::fromColor(*chosen)));
}

void frmOptions::changePicture(const PictureControls& picture)
{
    const QString path = PlatformDialogs::instance().openFile(this, pictureFilter);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    *picture.path = path;
    modStretch::FitPicture(picture.image, picture.box, path);
}

void frmOptions::clearPicture(const PictureControls& picture)
{
    picture.image->setPicture(QImage());
    picture.path->clear();
}

void frmOptions::resetColors()
{
    const auto answer = PlatformDialogs::instance().message(
        this, {tr("Are you sure you want to reset the colors?"), tr("Reset Colors"),
               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
    if (answer != QMessageBox::Yes)
        return;
    picNumC->setBackColor(BgrColor::toColor(PanelSettings::defaultNumColor));
    picLEDB->setBackColor(BgrColor::toColor(PanelSettings::defaultLEDBack));
    picFoulsC->setBackColor(BgrColor::toColor(PanelSettings::defaultFoulsColor));
    picPointsC->setBackColor(BgrColor::toColor(PanelSettings::defaultPointsColor));
    picBackC->setBackColor(BgrColor::toColor(PanelSettings::defaultFormBack));
    picBorderC->setBackColor(BgrColor::toColor(PanelSettings::defaultBorderColor));
}

void frmOptions::resetSettings()
{
    const auto answer = PlatformDialogs::instance().message(
        this, {tr("Are you sure you want to reset these options?"), tr("Reset these Options"),
               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
    if (answer != QMessageBox::Yes)
        return;
    chkPlayerName->setChecked(true);
    chkPlayerNum->setChecked(true);
    chkPlayerFouls->setChecked(true);
    chkPlayerPoints->setChecked(true);
    vsPlayers->setValue(6);
    optNormal->setChecked(true);
    cmbLedType->setCurrentIndex(0);
}

void frmOptions::turnMouseStep(int action)
{
    // Qt's scroll bar keeps the direction of its arrows and trough when it is
    // drawn upside down: the upper arrow would lower the count. Keys and the
    // wheel already go the right way; only steps taken by the mouse are turned.
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        return;
    int step = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        step = -vsPlayers->singleStep();
        break;
    case QAbstractSlider::SliderSingleStepSub:
        step = vsPlayers->singleStep();
        break;
    case QAbstractSlider::SliderPageStepAdd:
        step = -vsPlayers->pageStep();
        break;
    case QAbstractSlider::SliderPageStepSub:
        step = vsPlayers->pageStep();
        break;
    default:
        return;
    }
    vsPlayers->setSliderPosition(vsPlayers->value() + step);
}

void frmOptions::showLedType(int index)
{
    pledPreview->setLedType(index);
}

void frmOptions::showPlayerCount(int count)
{
    lblPlayers->setText(QString::number(count));
}

void frmOptions::centreOnPrimaryScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area(QPoint(), size());
    area.moveCenter(screen->availableGeometry().center());
    move(area.topLeft());
}

void frmOptions::alignTabSurfaces()
{
    for (QWidget* surface : std::as_const(m_tabSurfaces)) {
        const QPoint pageCorner = surface->parentWidget()->mapTo(SSTab1, QPoint(0, 0));
        surface->setGeometry(QRect(-pageCorner, SSTab1->size()));
    }
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        alignTabSurfaces();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool frmOptions::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        cmdOk->setFocus(Qt::ActiveWindowFocusReason);
    return QDialog::event(event);
}

void frmOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    cmdOk->setFocus(Qt::OtherFocusReason);
}
