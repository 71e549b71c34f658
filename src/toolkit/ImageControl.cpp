#include "toolkit/ImageControl.h"

#include <QPainter>

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {}

void ImageControl::setStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    // Turning stretch off keeps the current size; a picture loaded while it
    // is off brings its own.
    m_stretch = stretch;
    update();
}

void ImageControl::setPicture(const QImage& picture, const QSize& naturalSize)
{
    m_picture = picture;
    m_naturalSize = naturalSize.isValid() ? naturalSize : picture.size();
    m_scaled = QPixmap();
    if (!m_stretch)
        takeNaturalSize();
    update();
}

QSize ImageControl::sizeHint() const { return m_picture.isNull() ? QSize() : m_naturalSize; }

void ImageControl::takeNaturalSize()
{
    if (!m_picture.isNull())
        resize(m_naturalSize);
}

void ImageControl::resizeEvent(QResizeEvent*) { m_scaled = QPixmap(); }

void ImageControl::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return;
    const qreal dpr = devicePixelRatioF();
    const QSize target = (m_stretch ? size() : m_naturalSize) * dpr;
    if (m_scaled.isNull() || m_scaled.size() != target) {
        m_scaled = QPixmap::fromImage(
            m_picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(dpr);
    }
    QPainter(this).drawPixmap(0, 0, m_scaled);
}
