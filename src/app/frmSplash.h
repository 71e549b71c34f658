#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

// The borderless start window: product name, credit line, version and two
// key hints. A click anywhere but on Help ends it for good and opens the
// scoreboards; Help opens the program's help viewer beside it.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Closes the splash and shows the home scoreboard, whose load opens the
    // visitor's first. Runs once; later calls do nothing.
    void GoScore();
    // What GoScore opens, for a start that shows no splash at all.
    static void openScoreboards();

    // Top-left corner, in pixels, on a screen with the given geometry: centred
    // across, and standing well above the middle.
    static QPoint placement(const QRect& screen);

    QFrame* frameSplash;
    QLabel* lblMadeBy;
    QLabel* lblName;
    QLabel* lblVersion;
    QLabel* lblClick;
    QLabel* Label1;
    QPushButton* cmdHelp;
    QLabel* Label2;
    QLabel* picLogo;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A label on the frame; `twips` is its rectangle in twips.
    QLabel* addLabel(const QString& name, const QString& text, const QRect& twips,
                     Qt::Alignment alignment);
    void Load();
    void showHelp();

    bool m_gone = false;
};
