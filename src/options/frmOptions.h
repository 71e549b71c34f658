#pragma once

#include <QDialog>
#include <QString>

class ImageControl;
class FilledBox;
class PolyLED;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

// The options dialog. It edits copies of the settings record held in its own
// controls; only OK moves them into the record and the per-user store and
// tells both panels to refresh. Cancel, Esc and the close box drop them.
//
// Every control sits at its designed place in twips. Controls on a tab page
// are placed relative to the tab control's own top-left corner, tab strip
// included, as the layout was drawn.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions(QWidget* parent = nullptr);

    // Opens the one dialog of the process: creates it when there is none,
    // loads it from the record, centres it on the primary screen and runs it
    // application-modal without a parent. Returns once it has closed (it is
    // then deleted). Called while it is already open, it only raises it.
    static void Open();
    // The dialog Open() is running, or nullptr.
    static frmOptions* instance();

    // Sets every control from the record in memory (never from the store):
    // first tab, swatches, NumLock option (none for an unknown mode), digit
    // type and preview, statistic columns, player count and its label, and
    // both picture previews drawn afresh.
    void Load();

    QTabWidget* SSTab1;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    // Tab "Color Controls".
    QGroupBox* fraNumFore;
    FilledBox* picNumC;
    QPushButton* cmdNumC;
    QGroupBox* frmFoulsColor;
    FilledBox* picFoulsC;
    QPushButton* cmdFoulsC;
    QGroupBox* frmPlayerColor;
    FilledBox* picPointsC;
    QPushButton* cmdPointsC;
    QGroupBox* frmBackColor;
    FilledBox* picBackC;
    QPushButton* cmdBackC;
    QGroupBox* frmBorderColor;
    FilledBox* picBorderC;
    QPushButton* cmdBorderC;
    QGroupBox* fraLedBack;
    FilledBox* picLEDB;
    QPushButton* cmdLEDB;

    QGroupBox* Frame2;
    FilledBox* picHomePicPreviewCon;
    ImageControl* imgHomePicPreview;
    QPushButton* cmdChangeHomePic;
    QPushButton* cmdClearHomePic;
    QGroupBox* Frame4;
    FilledBox* picVisitorPicPreviewCon;
    ImageControl* imgVisitorPicPreview;
    QPushButton* cmdChangeVisitorPic;
    QPushButton* cmdClearVisitorPic;

    QPushButton* cmdResetColors;

    // Tab "Other Settings".
    QGroupBox* Frame3;
    QCheckBox* chkPlayerName;
    QCheckBox* chkPlayerNum;
    QCheckBox* chkPlayerFouls;
    QCheckBox* chkPlayerPoints;

    QGroupBox* Frame6;
    QComboBox* cmbLedType;
    QLabel* lblPreview;
    PolyLED* pledPreview;

    QGroupBox* Frame1;
    QLabel* lblNumberOfPlayers;
    QLabel* lblPlayers;
    QScrollBar* vsPlayers;

    QGroupBox* Frame9;
    QRadioButton* optNormal;
    QRadioButton* optKeepOn;
    QRadioButton* optKeepOff;
    QButtonGroup* numLockOptions; // ids are the NumLockForce values

    QPushButton* cmdResetKeys;

    // Pending picture paths; empty for none.
    QString HomePicTemp;
    QString VisitorPicTemp;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PictureControls
    {
        QString* path;
        ImageControl* image;
        FilledBox* box;
    };

    void buildColorTab(QWidget* surface);
    void buildOtherTab(QWidget* surface);
    QWidget* addTabPage(const QString& caption);
    void alignTabSurfaces();

    void acceptSettings();
    void changeColor(FilledBox* swatch);
    void changePicture(const PictureControls& picture);
    void clearPicture(const PictureControls& picture);
    void resetColors();
    void resetSettings();
    void showLedType(int index);
    void showPlayerCount(int count);
    void turnMouseStep(int action);
    void selectNumLockOption(int force);
    void centreOnPrimaryScreen();

    // Each tab page holds one surface the size of the whole tab control,
    // shifted so that its origin is the tab control's corner.
    QList<QWidget*> m_tabSurfaces;
    QList<PictureControls> m_pictures; // home, then visitor
};
