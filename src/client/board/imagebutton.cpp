#include "imagebutton.h"

#include <QPainter>

namespace zz {

ImageButton::ImageButton(QWidget *parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setPictures(const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed)
{
    m_normal = normal;
    m_hover = hover;
    m_pressed = pressed;
    update();
}

QSize ImageButton::sizeHint() const
{
    return m_normal.size();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &picture = isDown() ? m_pressed : underMouse() ? m_hover : m_normal;
    painter.drawPixmap(0, 0, picture);
}

void ImageButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    update();
}

void ImageButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    update();
}

} // namespace zz
