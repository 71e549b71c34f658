// The yardstick for Tallyvane's start-up: the least a Qt Widgets program does
// to put two small windows on screen, each filled with one colour so that a
// probe can tell when it has been painted. With the argument "text" each
// window also shows a label and an edit box, the focused one blinking: the
// least a program that shows text pays (fontconfig, a font, an input method).
#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>
#include <array>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool text = QCoreApplication::arguments().contains(QStringLiteral("text"));
    struct Window
    {
        const char* title;
        QColor colour;
    };
    const std::array<Window, 2> looks{{{"Minimal 1", Qt::red}, {"Minimal 2", Qt::blue}}};
    std::array<QWidget, 2> windows;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        QPalette palette;
        palette.setColor(QPalette::Window, looks[i].colour);
        windows[i].setPalette(palette);
        windows[i].setAutoFillBackground(true);
        windows[i].setWindowTitle(QString::fromLatin1(looks[i].title));
        windows[i].resize(200, 150);
        if (text) {
            (new QLabel(QStringLiteral("Team Name"), &windows[i]))->move(10, 10);
            auto* box = new QLineEdit(QStringLiteral("Name"), &windows[i]);
            box->move(10, 110);
            box->setFocus();
        }
        windows[i].show();
    }
    return QApplication::exec();
}
