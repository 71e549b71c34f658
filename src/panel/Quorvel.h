#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

class ImageControl;
class LineControl;
class NumberLED;
class FilledBox;
class PropertyBag;
class QLabel;
class QLineEdit;
class QPushButton;
namespace modShowDigits {
struct Columns;
}

// The scoreboard panel of one team: a header with the team picture and name,
// column titles, one row per player with LED digits, and an edit line.
class Quorvel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool IsHomeTeam READ IsHomeTeam WRITE setIsHomeTeam)
    Q_PROPERTY(double SRatio READ SRatio WRITE setSRatio)
    Q_PROPERTY(int PlayerEdit READ PlayerEdit WRITE setPlayerEdit)

public:
    // Creation: builds the children and loads the shared settings record.
    explicit Quorvel(QWidget* parent = nullptr);
    ~Quorvel() override;

    // The host's property bag: a newly placed panel gets initProperties, a
    // saved one readProperties; writeProperties saves it.
    void initProperties();
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    // What showing the panel does; hosts that resize without hiding and
    // re-showing call it after each resize.
    void runShowSteps();

    bool IsHomeTeam() const { return m_isHomeTeam; }
    void setIsHomeTeam(bool home) { m_isHomeTeam = home; }
    double SRatio() const { return m_sRatio; }
    void setSRatio(double ratio) { m_sRatio = ratio; }
    int PlayerEdit() const { return m_playerEdit; }
    void setPlayerEdit(int index) { m_playerEdit = qint16(index); }

    void UpdatePlayers();
    void ConfigureText(QWidget* TheObj, double LeftPercent, double WidthPercent,
                       qint16 HeightDenominator, qint16 FontDenominator);
    void ConfigureTitle(QWidget* TheObj, double LeftPercent, qint16 TopStatic, double WidthPercent,
                        qint16 HeightDenominator, qint16 FontDenominator);
    void ConfigureInput(QWidget* TheObj, double LeftPercent, double WidthPercent,
                        qint16 HeightDenominator, qint16 FontDenominator);

    void PlayerClick(qint16 Index);
    void AllKeyUp(qint16 KeyCode, qint16 Shift);
    static int KeyCodeToAsci(qint16 KeyCode);
    void UpdateNumLock();
    void UpdateFormColors();

    // Children, named as in the design. Row arrays are indexed from 0; the
    // layout creates and destroys elements 1 and up.
    FilledBox* picStats;
    std::vector<FilledBox*> picPlayer;
    std::vector<QLabel*> lblName;
    std::vector<NumberLED*> nledNumber;
    std::vector<NumberLED*> nledFouls;
    std::vector<NumberLED*> nledPoints;
    QLabel* lblPreName;
    NumberLED* nledPreNumber;
    NumberLED* nledPreFouls;
    NumberLED* nledPrePoints;
    FilledBox* picTeamLogo;
    ImageControl* imgTeamLogo;
    QLineEdit* txtTeamName;
    QLineEdit* txtTitleName;
    QLineEdit* txtTitleNumber;
    QLineEdit* txtTitleFouls;
    QLineEdit* txtTitlePoints;
    LineControl* lineDivider;
    QLabel* lblInputName;
    QLabel* lblInputNumber;
    QLabel* lblInputFouls;
    QLabel* lblInputPoints;
    QLineEdit* txtInputName;
    QLineEdit* txtInputNumber;
    QLineEdit* txtInputFouls;
    QLineEdit* txtInputPoints;
    QPushButton* cmdInputChange;
    QPushButton* cmdOptions;
    QTimer tmrOptions;

signals:
    void Click();
    void DblClick();
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyPress(qint16 KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    // Not one of the panel's events: what it shows has changed (a player
    // applied, the team name edited, the settings re-applied).
    void statsChanged();
    // Not one of the panel's events either: the edit line is about to be
    // written into this row, which still holds its old values.
    void editApplying(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private slots:
    // The options refresh: one tick of tmrOptions.
    void refreshOptions();

private:
    void createChildren();
    void createRow(int index);
    void destroyRow(int index);
    void wireRow(int index);
    void routeKeys(QWidget* child);
    void AllKeyDown(qint16 KeyCode);
    void applyEditLine();
    void layoutHeader(int W);
    void layoutTitles(int W, const modShowDigits::Columns& shown);
    void layoutEditLine(int W, const modShowDigits::Columns& shown);
    void layoutRows(const modShowDigits::Columns& shown);
    void updateRowAccessibleName(int row);
    void fitLogo();
    int rowOf(QObject* child) const;
    void raiseMouse(void (Quorvel::*signal)(qint16, qint16, float, float), const QMouseEvent* event,
                    Qt::MouseButtons buttons);

    bool m_isHomeTeam = false;
    double m_sRatio = 0.0;
    qint16 m_playerEdit = 0;
    int m_keyDepth = 0;
    bool m_releaseEndsDoubleClick = false;
};
