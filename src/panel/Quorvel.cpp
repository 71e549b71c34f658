#include "panel/Quorvel.h"

#include "display/NumberLED.h"
#include "display/PolyLED.h"
#include "help/HelpLauncher.h"
#include "options/frmOptions.h"
#include "panel/modColor.h"
#include "panel/modShowDigits.h"
#include "platform/modGrabKeys.h"
#include "settings/PanelSettings.h"
#include "toolkit/BgrColor.h"
#include "toolkit/FilledBox.h"
#include "toolkit/ImageControl.h"
#include "toolkit/KeyCodes.h"
#include "toolkit/LineControl.h"
#include "toolkit/PropertyBag.h"
#include "toolkit/TwipsGeometry.h"
#include "toolkit/ValueText.h"
#include "toolkit/modStretch.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <algorithm>

namespace {

const QString isHomeTeamKey = QStringLiteral("PIsHomeTeam");

QFont arial(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(bold);
    font.setPixelSize(12);
    return font;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& text, bool centredBold)
{
    auto* box = new QLineEdit(text, parent);
    box->setFont(arial(centredBold));
    if (centredBold) {
        box->setAlignment(Qt::AlignCenter);
        box->setFrame(false);
    }
    return box;
}

// A caption keeps its text a little clear of its input box where it has the
// room, and shows it whole where it has not: its width is the layout's.
void fitCaption(QLabel* label)
{
    const int room = label->width() - label->fontMetrics().horizontalAdvance(label->text());
    label->setContentsMargins(0, 0, std::clamp(room, 0, 3), 0);
}

QLabel* makeLabel(QWidget* parent, const QString& text, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setFont(arial(bold));
    return label;
}

NumberLED* makeLed(QWidget* parent, int digits)
{
    auto* led = new NumberLED(parent);
    led->setDigits(digits);
    led->setMaximum(digits == 1 ? 9 : 99);
    led->setDigitSize(40);
    return led;
}

void setColors(QWidget* w, QPalette::ColorRole backRole, const QColor& back,
               QPalette::ColorRole textRole = QPalette::NoRole, const QColor& text = {})
{
    QPalette pal = w->palette();
    pal.setColor(backRole, back);
    if (textRole != QPalette::NoRole)
        pal.setColor(textRole, text);
    if (pal != w->palette())
        w->setPalette(pal);
}

// The LED value as the edit line shows it: negative means no value.
QString ledText(const NumberLED* led)
{
    return led->value() < 0 ? QString() : ValueText::decimalText(led->value());
}

int ledValue(const QLineEdit* box)
{
    if (box->text().isEmpty())
        return -1;
    return ValueText::floorToInt16(ValueText::textToNumber(box->text()));
}

} // namespace

Quorvel::Quorvel(QWidget* parent) : QWidget(parent)
{
    createChildren();
    PanelSettings::loadAll();

    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    setAccessibleName(tr("Scoreboard panel"));

    tmrOptions.setInterval(1000);
    connect(&tmrOptions, &QTimer::timeout, this, &Quorvel::refreshOptions);
    tmrOptions.start();
}

Quorvel::~Quorvel() = default;

void Quorvel::createChildren()
{
    picStats = new FilledBox(this);
    picPlayer.push_back(new FilledBox(picStats));
    lblName.push_back(makeLabel(picPlayer[0], QStringLiteral("Name"), true));
    nledNumber.push_back(makeLed(picPlayer[0], 2));
    nledFouls.push_back(makeLed(picPlayer[0], 1));
    nledPoints.push_back(makeLed(picPlayer[0], 2));
    lblName[0]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblName[0]->setTextFormat(Qt::PlainText); // names are shown as typed
    lblName[0]->setAutoFillBackground(true);

    lblPreName = makeLabel(this, QStringLiteral("Samplenam"), true);
    Twips::setFontPoints(lblPreName, 15.75);
    Twips::setGeometry(lblPreName, 0, 0, 1695, 435);
    nledPreNumber = makeLed(this, 2);
    nledPreFouls = makeLed(this, 1);
    nledPrePoints = makeLed(this, 2);
    for (QWidget* proto :
         {static_cast<QWidget*>(lblPreName), static_cast<QWidget*>(nledPreNumber),
          static_cast<QWidget*>(nledPreFouls), static_cast<QWidget*>(nledPrePoints)})
        proto->hide();

    picTeamLogo = new FilledBox(this);
    imgTeamLogo = new ImageControl(picTeamLogo);
    txtTeamName = makeTextBox(this, QStringLiteral("Team Name"), true);
    txtTitleName = makeTextBox(this, QStringLiteral("Plyr Name"), true);
    txtTitleNumber = makeTextBox(this, QStringLiteral("Plyr #"), true);
    txtTitleFouls = makeTextBox(this, QStringLiteral("FLS"), true);
    txtTitlePoints = makeTextBox(this, QStringLiteral("PTS"), true);
    lineDivider = new LineControl(this);
    lineDivider->setBorderWidth(5);

    lblInputName = makeLabel(this, QStringLiteral("Name:"), false);
    txtInputName = makeTextBox(this, QStringLiteral("Name"), false);
    lblInputNumber = makeLabel(this, QStringLiteral("#:"), false);
    txtInputNumber = makeTextBox(this, QStringLiteral("0"), false);
    lblInputFouls = makeLabel(this, QStringLiteral("Fls:"), false);
    txtInputFouls = makeTextBox(this, QStringLiteral("0"), false);
    lblInputPoints = makeLabel(this, QStringLiteral("Pts:"), false);
    txtInputPoints = makeTextBox(this, QStringLiteral("0"), false);
    txtInputName->setMaxLength(8);
    txtInputNumber->setMaxLength(2);
    txtInputFouls->setMaxLength(1);
    txtInputPoints->setMaxLength(2);
    const std::pair<QLabel*, QLineEdit*> captions[] = {{lblInputName, txtInputName},
                                                       {lblInputNumber, txtInputNumber},
                                                       {lblInputFouls, txtInputFouls},
                                                       {lblInputPoints, txtInputPoints}};
    for (auto [label, box] : captions) {
        label->setBuddy(box);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The edit line keeps the colours it was made with, whatever the
        // panel's colours: fix them so the panel's palette does not pass on.
        QPalette own = label->palette();
        own.setColor(QPalette::Window, own.color(QPalette::Window));
        own.setColor(QPalette::WindowText, own.color(QPalette::WindowText));
        label->setPalette(own);
        label->setAutoFillBackground(true);
    }
    cmdInputChange = new QPushButton(QStringLiteral("Set"), this);
    cmdInputChange->setFont(arial(false));
    connect(cmdInputChange, &QPushButton::clicked, this, &Quorvel::applyEditLine);

    cmdOptions = new QPushButton(QStringLiteral("O"), this);
    cmdOptions->setFont(arial(false));
    cmdOptions->hide();
    connect(cmdOptions, &QPushButton::clicked, this, [] { frmOptions::Open(); });

    // Input on a child belongs to that child: nothing it ignores may reach the
    // host as the panel's own.
    for (QObject* child : children()) {
        if (auto* w = qobject_cast<QWidget*>(child))
            w->setAttribute(Qt::WA_NoMousePropagation);
    }

    for (QWidget* w : std::initializer_list<QWidget*>{txtInputName, txtInputNumber, txtInputFouls,
                                                      txtInputPoints, cmdInputChange, txtTeamName,
                                                      txtTitleName, txtTitleNumber, txtTitleFouls,
                                                      txtTitlePoints, picStats, picTeamLogo})
        routeKeys(w);
    connect(txtTeamName, &QLineEdit::textChanged, this, &Quorvel::statsChanged);
    picStats->setFocusPolicy(Qt::ClickFocus);
    picTeamLogo->setFocusPolicy(Qt::ClickFocus);
    txtTeamName->setAccessibleName(tr("Team name"));
    txtTitleName->setAccessibleName(tr("Name column title"));
    txtTitleNumber->setAccessibleName(tr("Number column title"));
    txtTitleFouls->setAccessibleName(tr("Fouls column title"));
    txtTitlePoints->setAccessibleName(tr("Points column title"));
    picTeamLogo->setAccessibleName(tr("Team picture"));
    picStats->setAccessibleName(tr("Players"));
    setTabOrder(txtInputName, txtInputNumber);
    setTabOrder(txtInputNumber, txtInputFouls);
    setTabOrder(txtInputFouls, txtInputPoints);
    setTabOrder(txtInputPoints, cmdInputChange);
    wireRow(0);
    updateRowAccessibleName(0);
}

void Quorvel::routeKeys(QWidget* child)
{
    child->installEventFilter(this);
}

void Quorvel::wireRow(int index)
{
    picPlayer[index]->installEventFilter(this);
    lblName[index]->installEventFilter(this);
    picPlayer[index]->setFocusPolicy(Qt::NoFocus);
    lblName[index]->setFocusPolicy(Qt::NoFocus);
    for (NumberLED* led : {nledNumber[index], nledFouls[index], nledPoints[index]}) {
        led->setFocusPolicy(Qt::ClickFocus);
        routeKeys(led);
    }
}

void Quorvel::createRow(int index)
{
    auto* row = new FilledBox(picStats);
    row->hide();
    row->setPalette(picPlayer[0]->palette());
    picPlayer.push_back(row);

    auto* name = new QLabel(lblName[0]->text());
    name->setFont(lblName[0]->font());
    name->setPalette(lblName[0]->palette());
    name->setAlignment(lblName[0]->alignment());
    name->setTextFormat(lblName[0]->textFormat());
    name->setAutoFillBackground(lblName[0]->autoFillBackground());
    lblName.push_back(name);

    auto copyLed = [](const NumberLED* original) {
        auto* led = new NumberLED;
        led->copySettingsFrom(*original);
        return led;
    };
    nledNumber.push_back(copyLed(nledNumber[0]));
    nledFouls.push_back(copyLed(nledFouls[0]));
    nledPoints.push_back(copyLed(nledPoints[0]));

    for (QWidget* cell :
         {static_cast<QWidget*>(name), static_cast<QWidget*>(nledNumber[index]),
          static_cast<QWidget*>(nledFouls[index]), static_cast<QWidget*>(nledPoints[index])}) {
        cell->hide();
        cell->setParent(row);
        cell->hide();
    }
    wireRow(index);
    updateRowAccessibleName(index);
    row->show();
}

void Quorvel::destroyRow(int index)
{
    delete lblName[index];
    delete nledNumber[index];
    delete nledFouls[index];
    delete nledPoints[index];
    delete picPlayer[index];
}

// ---- Lifecycle ------------------------------------------------------------

void Quorvel::initProperties()
{
    m_isHomeTeam = true;
}

void Quorvel::readProperties(const PropertyBag& bag)
{
    m_isHomeTeam = bag.readBool(isHomeTeamKey, true);
    txtTeamName->setText(m_isHomeTeam ? QStringLiteral("Home Team")
                                      : QStringLiteral("Visitor Team"));
}

void Quorvel::writeProperties(PropertyBag& bag) const
{
    bag.writeBool(isHomeTeamKey, m_isHomeTeam, true);
}

void Quorvel::resizeEvent(QResizeEvent*)
{
    update();
    UpdatePlayers();
    fitLogo();
}

void Quorvel::showEvent(QShowEvent*)
{
    runShowSteps();
}

void Quorvel::runShowSteps()
{
    UpdatePlayers();
    UpdateFormColors();
    UpdateNumLock();
}

void Quorvel::fitLogo()
{
    modStretch::FitPicture(imgTeamLogo, picTeamLogo,
                           m_isHomeTeam ? PanelSettings::HomePic : PanelSettings::VisitorPic);
}

// ---- Layout -----------------------------------------------------------------

void Quorvel::ConfigureText(QWidget* TheObj, double LeftPercent, double WidthPercent,
                            qint16 HeightDenominator, qint16 FontDenominator)
{
    const double w = Twips::width(this);
    Twips::setFontPoints(TheObj, w / FontDenominator);
    Twips::setWidth(TheObj, w * WidthPercent);
    Twips::setHeight(TheObj, w / HeightDenominator);
    Twips::setLeft(TheObj, w * LeftPercent);
}

void Quorvel::ConfigureTitle(QWidget* TheObj, double LeftPercent, qint16 TopStatic,
                             double WidthPercent, qint16 HeightDenominator, qint16 FontDenominator)
{
    ConfigureText(TheObj, LeftPercent, WidthPercent, HeightDenominator, FontDenominator);
    Twips::setTop(TheObj, TopStatic);
}

void Quorvel::ConfigureInput(QWidget* TheObj, double LeftPercent, double WidthPercent,
                             qint16 HeightDenominator, qint16 FontDenominator)
{
    ConfigureText(TheObj, LeftPercent, WidthPercent, HeightDenominator, FontDenominator);
    Twips::setTop(TheObj, Twips::height(this) - Twips::height(TheObj));
}

void Quorvel::UpdatePlayers()
{
    using modShowDigits::roundToInt;
    const int W = Twips::width(this);
    const int H = Twips::height(this);
    const modShowDigits::Columns shown{
        PanelSettings::ShowPlayerName, PanelSettings::ShowPlayerNumber,
        PanelSettings::ShowPlayerFouls, PanelSettings::ShowPlayerPoints};
    const int count = shown.count();

    // Header band.
    Twips::setWidth(picTeamLogo, 0.15 * W);
    Twips::setLeft(txtTeamName, Twips::width(picTeamLogo));
    Twips::setWidth(txtTeamName, W - Twips::width(picTeamLogo));
    Twips::setFontPoints(txtTeamName, Twips::width(txtTeamName) / 200.0);
    Twips::setHeight(txtTeamName, 30 * Twips::fontPoints(txtTeamName));
    Twips::setHeight(picTeamLogo, Twips::height(txtTeamName));

    // Column titles and their spacing.
    const qint16 titleTop = qint16(std::min(Twips::height(picTeamLogo), 32767));
    struct Column
    {
        qint16 show;
        QWidget* title;
        QLabel* caption;
        QLineEdit* input;
    };
    const Column columns[] = {
        {shown.name, txtTitleName, lblInputName, txtInputName},
        {shown.number, txtTitleNumber, lblInputNumber, txtInputNumber},
        {shown.fouls, txtTitleFouls, lblInputFouls, txtInputFouls},
        {shown.points, txtTitlePoints, lblInputPoints, txtInputPoints},
    };
    ConfigureTitle(txtTitleName, 0.0, titleTop, 0.36, 10, 290);
    ConfigureTitle(txtTitleNumber, 0.361, titleTop, 0.21, 10, 290);
    ConfigureTitle(txtTitleFouls, 0.59, titleTop, 0.18, 10, 290);
    ConfigureTitle(txtTitlePoints, 0.8, titleTop, 0.18, 10, 290);
    double usedTitles = 0;
    for (const Column& c : columns)
        usedTitles += c.show * Twips::width(c.title);
    const int gap = roundToInt((W - roundToInt(usedTitles)) / double(count + 1));
    int cursor = gap;
    for (const Column& c : columns) {
        if (c.show != 1) {
            c.title->setVisible(false);
            continue;
        }
        Twips::setLeft(c.title, cursor);
        c.title->setVisible(true);
        cursor = roundToInt(cursor + Twips::width(c.title) + gap);
    }

    // Divider under the titles.
    const double x1 = Twips::readBack(0.03 * W);
    const double y1 = Twips::top(txtTitleName) + 1.2 * Twips::height(txtTitleName);
    lineDivider->setPoints(x1, y1, W - x1, Twips::readBack(y1));

    // Edit line on the bottom edge, and its spacing.
    ConfigureInput(lblInputName, 0.0, 0.11, 16, 580);
    ConfigureInput(txtInputName, 0.11, 0.21, 16, 580);
    ConfigureInput(lblInputNumber, 0.335, 0.055, 16, 580);
    ConfigureInput(txtInputNumber, 0.387, 0.08, 16, 580);
    ConfigureInput(lblInputFouls, 0.49, 0.08, 16, 580);
    ConfigureInput(txtInputFouls, 0.57, 0.055, 16, 580);
    ConfigureInput(lblInputPoints, 0.645, 0.08, 16, 580);
    ConfigureInput(txtInputPoints, 0.725, 0.08, 16, 580);
    ConfigureInput(cmdInputChange, 0.826, 0.09, 16, 580);
    for (const Column& c : columns)
        fitCaption(c.caption);
    double usedInputs = Twips::width(cmdInputChange);
    for (const Column& c : columns)
        usedInputs += c.show * (Twips::width(c.caption) + Twips::width(c.input));
    const int gap2 = roundToInt((W - roundToInt(usedInputs)) / double(count + 2));
    cursor = gap2;
    for (const Column& c : columns) {
        if (c.show != 1) {
            c.caption->setVisible(false);
            c.input->setVisible(false);
            continue;
        }
        Twips::setLeft(c.caption, cursor);
        Twips::setLeft(c.input, cursor + Twips::width(c.caption));
        cursor = roundToInt(cursor + Twips::width(c.caption) + Twips::width(c.input) + gap2);
        c.caption->setVisible(true);
        c.input->setVisible(true);
    }
    Twips::setLeft(cmdInputChange, cursor);
    cmdInputChange->setVisible(true);

    // Table area between the rule and the edit line.
    Twips::setLeft(picStats, 0.02 * W);
    Twips::setTop(picStats, Twips::top(txtTitleName) + 1.4 * Twips::height(txtTitleName));
    Twips::setWidth(picStats, W - 2 * Twips::left(picStats));
    Twips::setHeight(picStats, H - Twips::top(picStats) - Twips::height(txtInputName));

    layoutRows();
    update();
}

void Quorvel::layoutRows()
{
    using modShowDigits::roundToInt;
    const int total = PanelSettings::PlayerTotal;

    // Create the missing rows, size every row box.
    for (int i = 0; i < total; ++i) {
        if (int(picPlayer.size()) - 1 < i)
            createRow(i);
        FilledBox* row = picPlayer[i];
        Twips::setLeft(row, 0);
        Twips::setWidth(row, Twips::width(picStats));
        Twips::setHeight(row, Twips::height(picStats) / (total * 1.1));
        Twips::setTop(row, i * 1.1 * Twips::height(picPlayer[0]));
    }
    // Destroy the surplus, cells before their row box.
    const int highest = int(picPlayer.size()) - 1;
    for (int i = total; i <= highest; ++i)
        destroyRow(i);
    if (highest >= total) {
        picPlayer.resize(total);
        lblName.resize(total);
        nledNumber.resize(total);
        nledFouls.resize(total);
        nledPoints.resize(total);
    }

    // Scale the prototype row into the row boxes.
    const modShowDigits::Prototype proto{double(Twips::width(lblPreName)),
                                         double(Twips::height(lblPreName)),
                                         Twips::fontPoints(lblPreName),
                                         double(Twips::width(nledPreNumber)),
                                         double(Twips::height(nledPreNumber)),
                                         double(Twips::width(nledPreFouls)),
                                         double(Twips::width(nledPrePoints)),
                                         nledPreNumber->digitSize(),
                                         nledPreFouls->digitSize(),
                                         nledPrePoints->digitSize()};
    const modShowDigits::Columns shown{
        PanelSettings::ShowPlayerName, PanelSettings::ShowPlayerNumber,
        PanelSettings::ShowPlayerFouls, PanelSettings::ShowPlayerPoints};
    const modShowDigits::RowScale scale = modShowDigits::scaleRow(
        proto, shown, Twips::width(picPlayer[0]), Twips::height(picPlayer[0]));
    m_sRatio = scale.sRatio;

    // The cells, column by column.
    int cursor = scale.firstLeft;
    auto centreIn = [](QWidget* cell, int rowIndexHeight) {
        Twips::setTop(cell, (rowIndexHeight - Twips::height(cell)) / 2.0);
    };
    auto advance = [&](QWidget* cellOfRow0) {
        cursor = roundToInt(cursor + Twips::width(cellOfRow0) + scale.colGap);
    };
    if (shown.name == 1) {
        for (int i = 0; i < total; ++i) {
            QLabel* cell = lblName[i];
            Twips::setLeft(cell, cursor);
            Twips::setWidth(cell, scale.nameWidth);
            Twips::setHeight(cell, scale.nameHeight);
            centreIn(cell, Twips::height(picPlayer[i]));
            Twips::setFontPoints(cell, scale.nameFontPoints);
            cell->setVisible(true);
        }
        advance(lblName[0]);
    } else {
        for (QLabel* cell : lblName)
            cell->setVisible(false);
    }
    const std::tuple<qint16, std::vector<NumberLED*>*, int> ledColumns[] = {
        {shown.number, &nledNumber, scale.numberDigitSize},
        {shown.fouls, &nledFouls, scale.foulsDigitSize},
        {shown.points, &nledPoints, scale.pointsDigitSize}};
    for (const auto& [show, cells, digitSize] : ledColumns) {
        if (show != 1) {
            for (NumberLED* cell : *cells)
                cell->setVisible(false);
            continue;
        }
        for (int i = 0; i < total; ++i) {
            NumberLED* cell = (*cells)[i];
            cell->setDigitSize(digitSize);
            Twips::setLeft(cell, cursor);
            centreIn(cell, Twips::height(picPlayer[i]));
            cell->setVisible(true);
        }
        advance((*cells)[0]);
    }
}

// ---- Selection and editing -------------------------------------------------------

void Quorvel::PlayerClick(qint16 Index)
{
    if (Index < 0 || Index >= qint16(picPlayer.size()))
        return;
    m_playerEdit = Index;
    txtInputName->setText(lblName[Index]->text());
    txtInputNumber->setText(ledText(nledNumber[Index]));
    txtInputFouls->setText(ledText(nledFouls[Index]));
    txtInputPoints->setText(ledText(nledPoints[Index]));
}

void Quorvel::applyEditLine()
{
    const int i = m_playerEdit;
    if (i < 0 || i >= int(picPlayer.size()))
        return;
    lblName[i]->setText(txtInputName->text());
    nledNumber[i]->setValue(ledValue(txtInputNumber));
    nledFouls[i]->setValue(ledValue(txtInputFouls));
    nledPoints[i]->setValue(ledValue(txtInputPoints));
    updateRowAccessibleName(i);
    emit statsChanged();
}

void Quorvel::updateRowAccessibleName(int i)
{
    auto part = [](const QString& label, const NumberLED* led) {
        return label + u' ' + (led->value() < 0 ? tr("none") : QString::number(led->value()));
    };
    picPlayer[i]->setAccessibleName(tr("Player %1: %2, %3, %4, %5")
                                        .arg(i + 1)
                                        .arg(lblName[i]->text(), part(tr("number"), nledNumber[i]),
                                             part(tr("fouls"), nledFouls[i]),
                                             part(tr("points"), nledPoints[i])));
}

int Quorvel::rowOf(QObject* child) const
{
    for (int i = 0; i < int(picPlayer.size()); ++i) {
        if (child == picPlayer[i] || child == lblName[i] || child == nledNumber[i] ||
            child == nledFouls[i] || child == nledPoints[i])
            return i;
    }
    return -1;
}

// ---- Keys and host events --------------------------------------------------

bool Quorvel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* w = static_cast<QWidget*>(watched);
        const int row = rowOf(watched);
        if (row >= 0 && mouse->button() == Qt::LeftButton &&
            w->rect().contains(mouse->position().toPoint()))
            PlayerClick(qint16(row));
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A row box takes no focus: a key reaching it is one a display has
        // had and ignored. It ends there rather than reaching the table area
        // and being routed twice.
        if (rowOf(watched) >= 0 && qobject_cast<NumberLED*>(watched) == nullptr)
            return watched == picPlayer[rowOf(watched)];
        // A modal dialog runs inside this handler: the options refresh must
        // not destroy the row whose key is still being delivered.
        const QScopedValueRollback inKey(m_keyDepth, m_keyDepth + 1);
        const auto* key = static_cast<QKeyEvent*>(event);
        const qint16 code = qint16(KeyCodes::virtualKey(key));
        if (event->type() == QEvent::KeyRelease) {
            if (!key->isAutoRepeat())
                AllKeyUp(code, qint16(KeyCodes::shiftBits(key->modifiers())));
            break;
        }
        AllKeyDown(code);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (watched == txtInputName || watched == txtInputNumber ||
                      watched == txtInputFouls || watched == txtInputPoints))
            applyEditLine();
        break;
    }
    default:
        break;
    }
    return false; // keys and clicks always reach the control itself
}

void Quorvel::AllKeyDown(qint16 KeyCode)
{
    if (KeyCode == KeyCodes::f1)
        HelpLauncher::showLibraryHelp();
    else if (KeyCode == KeyCodes::f2)
        frmOptions::Open();
}

void Quorvel::AllKeyUp(qint16 KeyCode, qint16)
{
    if (KeyCode == KeyCodes::numLock)
        UpdateNumLock();
}

int Quorvel::KeyCodeToAsci(qint16 KeyCode)
{
    using namespace KeyCodes;
    if (KeyCode == space || KeyCode == enter || KeyCode == none)
        return KeyCode;
    if (KeyCode == equalsPlus || KeyCode == keypadPlus)
        return '+';
    if (KeyCode == minus || KeyCode == keypadMinus)
        return '-';
    if (KeyCode >= keypad0 && KeyCode <= keypad9)
        return '0' + (KeyCode - keypad0);
    if (KeyCode >= digit0 && KeyCode <= digit9)
        return '0' + (KeyCode - digit0);
    if (KeyCode == keypadDecimal || KeyCode == fullStop)
        return '.';
    return -1;
}

void Quorvel::raiseMouse(void (Quorvel::*signal)(qint16, qint16, float, float),
                         const QMouseEvent* event, Qt::MouseButtons buttons)
{
    const QPointF p = event->position();
    emit(this->*signal)(qint16(KeyCodes::buttonBits(buttons)),
                        qint16(KeyCodes::shiftBits(event->modifiers())),
                        float(p.x() * Twips::perPixel), float(p.y() * Twips::perPixel));
}

void Quorvel::mousePressEvent(QMouseEvent* event)
{
    m_releaseEndsDoubleClick = false;
    raiseMouse(&Quorvel::MouseDown, event, event->button());
}

void Quorvel::mouseReleaseEvent(QMouseEvent* event)
{
    raiseMouse(&Quorvel::MouseUp, event, event->button());
    // The release that ends a double click is no click of its own.
    if (!std::exchange(m_releaseEndsDoubleClick, false) &&
        rect().contains(event->position().toPoint()))
        emit Click();
}

void Quorvel::mouseDoubleClickEvent(QMouseEvent*)
{
    m_releaseEndsDoubleClick = true;
    emit DblClick();
}

void Quorvel::mouseMoveEvent(QMouseEvent* event)
{
    raiseMouse(&Quorvel::MouseMove, event, event->buttons());
}

void Quorvel::keyPressEvent(QKeyEvent* event)
{
    // Keys a focused child ignores come up here; only the panel's own count.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    emit KeyDown(qint16(KeyCodes::virtualKey(event)),
                 qint16(KeyCodes::shiftBits(event->modifiers())));
    if (!event->text().isEmpty())
        emit KeyPress(qint16(event->text().at(0).unicode()));
}

void Quorvel::keyReleaseEvent(QKeyEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    // A held key repeats its press only: the host hears of the release once.
    if (event->isAutoRepeat())
        return;
    emit KeyUp(qint16(KeyCodes::virtualKey(event)),
               qint16(KeyCodes::shiftBits(event->modifiers())));
}

// ---- NumLock, colours and the options refresh -------------------------------------

void Quorvel::UpdateNumLock()
{
    modGrabKeys::applyNumLockForce(PanelSettings::NumLockForce);
}

void Quorvel::UpdateFormColors()
{
    const QColor formBack = BgrColor::toColor(PanelSettings::FormBack);
    const QColor border = BgrColor::toColor(PanelSettings::BorderColor);
    const QColor ledBack = BgrColor::toColor(PanelSettings::LEDBack);

    setColors(this, QPalette::Window, formBack);
    picStats->setBackColor(formBack);
    picTeamLogo->setBackColor(formBack);
    for (QLineEdit* box :
         {txtTeamName, txtTitleName, txtTitleNumber, txtTitleFouls, txtTitlePoints})
        setColors(box, QPalette::Base, formBack, QPalette::Text, border);
    lineDivider->setBorderColor(border);
    for (FilledBox* row : picPlayer)
        row->setBackColor(ledBack);
    for (QLabel* name : lblName)
        setColors(name, QPalette::Window, ledBack, QPalette::WindowText, border);
    modColor::ColorLeds(nledNumber, PanelSettings::NumColor);
    modColor::ColorLeds(nledFouls, PanelSettings::FoulsColor);
    modColor::ColorLeds(nledPoints, PanelSettings::PointsColor);
}

void Quorvel::refreshOptions()
{
    bool& refreshed = m_isHomeTeam ? PanelSettings::HomeRefreshed : PanelSettings::VisitorRefreshed;
    if (refreshed || m_keyDepth > 0)
        return; // inside a key's handler: the next tick refreshes
    UpdateFormColors();
    UpdateNumLock();
    UpdatePlayers();
    for (NumberLED* led : findChildren<NumberLED*>())
        led->setLedType(PanelSettings::LEDType);
    for (PolyLED* led : findChildren<PolyLED*>())
        led->setLedType(PanelSettings::LEDType);
    fitLogo();
    refreshed = true;
    emit statsChanged();
}
