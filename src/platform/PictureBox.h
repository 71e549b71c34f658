#pragma once

#include <QColor>
#include <QWidget>

// A plain container that fills itself with its background colour.
class PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    explicit PictureBox(QWidget* parent = nullptr);

    QColor backColor() const;
    void setBackColor(const QColor& color);
};
