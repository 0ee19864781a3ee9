#pragma once
// Shows the ladder of a round's first finisher.
#include <QDialog>

class QLabel;

namespace zz {

class LadderDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int BoxCount = 20;
    static constexpr int TitleLabel = 0;
    static constexpr int CountLabel = 21;

    explicit LadderDialog(QWidget *parent = nullptr);

    // Every box shows what it earns while empty.
    void clearLabels();
    // Label 0 is the title, 1..20 the boxes, 21 the word count line; any
    // other number changes nothing.
    void addWord(int label, const QString &text);
    QLabel *correctLabel(int label) const;
    // Shows the dialog, not modal, centred on the main window.
    void showOver(const QWidget *mainWindow);
};

} // namespace zz
