#pragma once
#include <QAbstractButton>
#include <QPixmap>

namespace zz {

// A button that is only a picture, with its own look for hover and press.
class ImageButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit ImageButton(QWidget *parent = nullptr);

    void setPictures(const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_hover;
    QPixmap m_pressed;
};

} // namespace zz
