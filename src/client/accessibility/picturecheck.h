#pragma once
// A check box that is only a picture, as a screen reader should see it: a
// check box whose state is the picture's "state" property (1 checked, 0 not),
// toggled by the Space its widget already takes.
#include <QAccessibleWidget>

namespace zz {

// Set to true on a picture label that works as a check box.
inline constexpr char PictureCheckProperty[] = "pictureCheck";

// Tells a screen reader that the picture's check changed.
void pictureCheckChanged(QWidget *picture);

class PictureCheckAccessible : public QAccessibleWidget
{
public:
    explicit PictureCheckAccessible(QWidget *picture);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};

} // namespace zz
