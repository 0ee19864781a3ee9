#pragma once
#include "boardart.h"

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

namespace zz {

// A button that is only a picture, with its own look for hover and press.
class ImageButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit ImageButton(QWidget *parent = nullptr);

    // The pictures are asked for when the button is painted in that look, for
    // the device pixel ratio of its screen, so a button that never shows never
    // has them painted.
    using Pictures = std::function<QPixmap(board::ButtonLook, qreal dpr)>;
    void setPictures(QSize size, Pictures pictures);
    QSize sizeHint() const override;
    // The picture the button paints now; null without pictures.
    QPixmap picture() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QSize m_size;
    Pictures m_pictures;
};

} // namespace zz
