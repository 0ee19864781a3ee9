#pragma once
// The editor of the nine phrase buttons' texts.
#include <QDialog>

class QLineEdit;

namespace zz {

class PhrasesDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int PhraseCount = 9;
    static constexpr int MaxPhraseLength = 50;

    explicit PhrasesDialog(QWidget *parent = nullptr);

    // number 1..9; nullptr for any other number.
    QLineEdit *phraseEdit(int number) const;
};

} // namespace zz
