#pragma once

#include <QColor>
#include <QWidget>

// A plain container that fills itself with its background colour.
class FilledBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    explicit FilledBox(QWidget* parent = nullptr);

    QColor backColor() const;
    void setBackColor(const QColor& color);
};
