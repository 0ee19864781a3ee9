#include "imagebutton.h"

#include <QPainter>

#include <utility>

namespace zz {

ImageButton::ImageButton(QWidget *parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setPictures(QSize size, Pictures pictures)
{
    m_size = size;
    m_pictures = std::move(pictures);
    update();
}

QSize ImageButton::sizeHint() const
{
    return m_size;
}

QPixmap ImageButton::picture() const
{
    if (!m_pictures)
        return {};
    using board::ButtonLook;
    const ButtonLook look = isDown() ? ButtonLook::Pressed : underMouse() ? ButtonLook::Hover : ButtonLook::Normal;
    return m_pictures(look, devicePixelRatioF());
}

void ImageButton::paintEvent(QPaintEvent *)
{
    if (!m_pictures)
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture());
    // Only a button given a focus policy ever has the focus; the mark shows where Space goes.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
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
