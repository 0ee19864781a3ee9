#pragma once
// The editor of the nine phrase buttons' texts.
#include <QDialog>
#include <QStringList>

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

    // Fills the boxes in order; missing entries leave a box empty.
    void setPhrases(const QStringList &phrases);
    QStringList phrases() const;

    // "Done": hands the boxes' texts over, then closes.
    void buttonDoneClick();

Q_SIGNALS:
    void phrasesConfirmed(const QStringList &phrases);
};

} // namespace zz
