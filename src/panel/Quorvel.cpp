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
    // A host may write rows too, announcing it like an edit: the rows' spoken
    // names follow.
    connect(this, &Quorvel::statsChanged, this, [this] {
        for (int i = 0; i < int(picPlayer.size()); ++i)
            updateRowAccessibleName(i);
    });
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
