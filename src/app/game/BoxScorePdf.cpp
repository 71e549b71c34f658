// The box score's printed page.
#include "app/game/BoxScore.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BoxScore", text);
}

QString shown(int value)
{
    return value < 0 ? QString() : QString::number(value);
}

// Where the columns end, as shares of the page's width: Name, Number, Fouls,
// Points, in the scoreboard's order.
constexpr double columnEnds[] = {0.46, 0.64, 0.82, 1.0};
// The tallest a line is, in device pixels at 300 dpi (about 7 mm).
constexpr int tallestLine = 80;

class Page
{
public:
    Page(QPainter& painter, int width, int lineHeight)
        : m_painter(painter), m_width(width), m_line(lineHeight)
    {
    }

    void text(const QString& text, double size, bool bold, Qt::Alignment alignment = Qt::AlignLeft)
    {
        setFont(size, bold);
        m_painter.drawText(QRect(0, m_top, m_width, m_line), alignment | Qt::AlignVCenter, text);
        m_top += m_line;
    }

    void row(const QStringList& cells, bool bold)
    {
        setFont(0.5, bold);
        const int pad = m_line / 4;
        int left = 0;
        for (int c = 0; c < 4; ++c) {
            const int right = int(columnEnds[c] * m_width);
            m_painter.drawText(QRect(left + pad, m_top, right - left - 2 * pad, m_line),
                               (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                               cells.value(c));
            left = right;
        }
        m_top += m_line;
    }

    void rule() { m_painter.drawLine(0, m_top, m_width, m_top); }
    void skip(double lines) { m_top += int(lines * m_line); }

private:
    void setFont(double size, bool bold)
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(qMax(1, int(size * m_line)));
        font.setBold(bold);
        m_painter.setFont(font);
    }

    QPainter& m_painter;
    int m_width;
    int m_line;
    int m_top = 0;
};

void drawTeam(Page& page, const QString& heading, const TeamRecord& team)
{
    page.text(heading.arg(team.name), 0.6, true);
    page.row({tr("Name"), tr("Number"), tr("Fouls"), tr("Points")}, true);
    page.rule();
    for (const PlayerRow& p : team.players)
        page.row({p.name, shown(p.number), shown(p.fouls), shown(p.points)}, false);
    const BoxScore::Totals sum = BoxScore::totals(team);
    page.rule();
    page.row({BoxScore::totalLabel(), {}, QString::number(sum.fouls), QString::number(sum.points)},
             true);
    page.skip(1);
}

} // namespace

namespace BoxScore {

bool writePdf(const GameRecord& game, const QDateTime& when, QIODevice* device)
{
    const QString title = tr("%1 vs %2").arg(game.home.name, game.visitor.name);
    QPdfWriter pdf(device);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Tallyvane"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    // Title and date, and for each team a heading, the column titles, its
    // rows, its total and a gap, and the signatures: all on one page.
    const int lines =
        3 + 4 + int(game.home.players.size()) + 4 + int(game.visitor.players.size()) + 3;
    Page page(painter, pdf.width(), qMin(tallestLine, pdf.height() / lines));
    page.text(title, 0.8, true, Qt::AlignHCenter);
    page.text(tr("Box score, %1").arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm"))), 0.5,
              false, Qt::AlignHCenter);
    page.skip(1);
    drawTeam(page, tr("Home: %1"), game.home);
    drawTeam(page, tr("Visitor: %1"), game.visitor);
    page.skip(1);
    page.text(tr("Scorer: ____________________      Referee: ____________________"), 0.5, false);
    return painter.end();
}

} // namespace BoxScore
