// The panel's layout: UpdatePlayers and the rows it creates and destroys.
#include "display/NumberLED.h"
#include "panel/Quorvel.h"
#include "panel/modShowDigits.h"
#include "settings/PanelSettings.h"
#include "toolkit/FilledBox.h"
#include "toolkit/LineControl.h"
#include "toolkit/TwipsGeometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using namespace modShowDigits;

namespace {

Columns settingsColumns()
{
    return {PanelSettings::ShowPlayerName, PanelSettings::ShowPlayerNumber,
            PanelSettings::ShowPlayerFouls, PanelSettings::ShowPlayerPoints};
}

template <typename Widget> PerColumn widths(const std::array<Widget*, 4>& controls)
{
    PerColumn result{};
    for (int c = Name; c <= Points; ++c)
        result[c] = Twips::width(controls[c]);
    return result;
}

// A caption keeps its text a little clear of its input box where it has the
// room, and shows it whole where it has not: its width is the layout's.
void fitCaption(QLabel* label)
{
    const int room = label->width() - label->fontMetrics().horizontalAdvance(label->text());
    label->setContentsMargins(0, 0, std::clamp(room, 0, 3), 0);
}

void centreIn(QWidget* cell, int rowHeight)
{
    Twips::setTop(cell, (rowHeight - Twips::height(cell)) / 2.0);
}

} // namespace

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
    const int W = Twips::width(this);
    const int H = Twips::height(this);
    const Columns shown = settingsColumns();
    layoutHeader(W);
    layoutTitles(W, shown);
    layoutEditLine(W, shown);

    // Table area between the rule and the edit line.
    Twips::setLeft(picStats, 0.02 * W);
    Twips::setTop(picStats, Twips::top(txtTitleName) + 1.4 * Twips::height(txtTitleName));
    Twips::setWidth(picStats, W - 2 * Twips::left(picStats));
    Twips::setHeight(picStats, H - Twips::top(picStats) - Twips::height(txtInputName));

    layoutRows(shown);
    update();
}

void Quorvel::layoutHeader(int W)
{
    Twips::setWidth(picTeamLogo, 0.15 * W);
    Twips::setLeft(txtTeamName, Twips::width(picTeamLogo));
    Twips::setWidth(txtTeamName, W - Twips::width(picTeamLogo));
    Twips::setFontPoints(txtTeamName, Twips::width(txtTeamName) / 200.0);
    Twips::setHeight(txtTeamName, 30 * Twips::fontPoints(txtTeamName));
    Twips::setHeight(picTeamLogo, Twips::height(txtTeamName));
}

void Quorvel::layoutTitles(int W, const Columns& shown)
{
    const qint16 titleTop = qint16(std::min(Twips::height(picTeamLogo), 32767));
    ConfigureTitle(txtTitleName, 0.0, titleTop, 0.36, 10, 290);
    ConfigureTitle(txtTitleNumber, 0.361, titleTop, 0.21, 10, 290);
    ConfigureTitle(txtTitleFouls, 0.59, titleTop, 0.18, 10, 290);
    ConfigureTitle(txtTitlePoints, 0.8, titleTop, 0.18, 10, 290);
    const std::array<QLineEdit*, 4> titles{txtTitleName, txtTitleNumber, txtTitleFouls,
                                           txtTitlePoints};
    const TitlePlaces places = placeTitles(W, widths(titles), shown);
    for (int c = Name; c <= Points; ++c) {
        if (shown.shown(c))
            Twips::setLeft(titles[c], places.lefts[c]);
        titles[c]->setVisible(shown.shown(c));
    }

    // The divider under the titles.
    const double x1 = Twips::readBack(0.03 * W);
    const double y1 = Twips::top(txtTitleName) + 1.2 * Twips::height(txtTitleName);
    lineDivider->setPoints(x1, y1, W - x1, Twips::readBack(y1));
}

void Quorvel::layoutEditLine(int W, const Columns& shown)
{
    ConfigureInput(lblInputName, 0.0, 0.11, 16, 580);
    ConfigureInput(txtInputName, 0.11, 0.21, 16, 580);
    ConfigureInput(lblInputNumber, 0.335, 0.055, 16, 580);
    ConfigureInput(txtInputNumber, 0.387, 0.08, 16, 580);
    ConfigureInput(lblInputFouls, 0.49, 0.08, 16, 580);
    ConfigureInput(txtInputFouls, 0.57, 0.055, 16, 580);
    ConfigureInput(lblInputPoints, 0.645, 0.08, 16, 580);
    ConfigureInput(txtInputPoints, 0.725, 0.08, 16, 580);
    ConfigureInput(cmdInputChange, 0.826, 0.09, 16, 580);
    const std::array<QLabel*, 4> captions{lblInputName, lblInputNumber, lblInputFouls,
                                          lblInputPoints};
    const std::array<QLineEdit*, 4> boxes{txtInputName, txtInputNumber, txtInputFouls,
                                          txtInputPoints};
    for (QLabel* caption : captions)
        fitCaption(caption);
    const EditLinePlaces places =
        placeEditLine(W, widths(captions), widths(boxes), Twips::width(cmdInputChange), shown);
    for (int c = Name; c <= Points; ++c) {
        if (shown.shown(c)) {
            Twips::setLeft(captions[c], places.captionLefts[c]);
            Twips::setLeft(boxes[c], places.boxLefts[c]);
        }
        captions[c]->setVisible(shown.shown(c));
        boxes[c]->setVisible(shown.shown(c));
    }
    Twips::setLeft(cmdInputChange, places.buttonLeft);
    cmdInputChange->setVisible(true);
}

void Quorvel::layoutRows(const Columns& shown)
{
    const int total = PanelSettings::PlayerTotal;

    // Create the missing rows, size every row box.
    for (int i = 0; i < total; ++i) {
        if (int(picPlayer.size()) - 1 < i)
            createRow(i);
        FilledBox* row = picPlayer[i];
        Twips::setLeft(row, 0);
        Twips::setWidth(row, Twips::width(picStats));
        Twips::setHeight(row, rowHeight(Twips::height(picStats), total));
        Twips::setTop(row, rowTop(i, Twips::height(picPlayer[0])));
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

    // Scale the prototype row into the row boxes, then place the cells
    // column by column.
    const Prototype proto{double(Twips::width(lblPreName)),
                          double(Twips::height(lblPreName)),
                          Twips::fontPoints(lblPreName),
                          double(Twips::width(nledPreNumber)),
                          double(Twips::height(nledPreNumber)),
                          double(Twips::width(nledPreFouls)),
                          double(Twips::width(nledPrePoints)),
                          nledPreNumber->digitSize(),
                          nledPreFouls->digitSize(),
                          nledPrePoints->digitSize()};
    const RowScale scale =
        scaleRow(proto, shown, Twips::width(picPlayer[0]), Twips::height(picPlayer[0]));
    m_sRatio = scale.sRatio;

    int cursor = scale.firstLeft;
    if (shown.shown(Name)) {
        for (int i = 0; i < total; ++i) {
            QLabel* cell = lblName[i];
            Twips::setLeft(cell, cursor);
            Twips::setWidth(cell, scale.nameWidth);
            Twips::setHeight(cell, scale.nameHeight);
            centreIn(cell, Twips::height(picPlayer[i]));
            Twips::setFontPoints(cell, scale.nameFontPoints);
            cell->setVisible(true);
        }
        cursor = nextCellLeft(cursor, Twips::width(lblName[0]), scale);
    } else {
        for (QLabel* cell : lblName)
            cell->setVisible(false);
    }
    const std::tuple<int, std::vector<NumberLED*>*, int> ledColumns[] = {
        {Number, &nledNumber, scale.numberDigitSize},
        {Fouls, &nledFouls, scale.foulsDigitSize},
        {Points, &nledPoints, scale.pointsDigitSize}};
    for (const auto& [column, cells, digitSize] : ledColumns) {
        if (!shown.shown(column)) {
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
        cursor = nextCellLeft(cursor, Twips::width((*cells)[0]), scale);
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
