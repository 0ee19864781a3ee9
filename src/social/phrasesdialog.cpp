#include "phrasesdialog.h"

#include "ui/tiledlook.h"
#include "core/names.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

PhrasesDialog::PhrasesDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("phrases"));
    setWindowTitle(QString::fromUtf8(caption::Phrases));
    ui::tileBackground(*this);

    auto *form = new QFormLayout;
    for (int number = 1; number <= PhraseCount; ++number) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("phrase%1").arg(number));
        edit->setMaxLength(MaxPhraseLength);
        form->addRow(QString::fromUtf8(label::PhraseButton) + QString::number(number) + QLatin1Char(':'), edit);
    }

    auto *note = new QLabel(QString::fromUtf8(label::PhraseCoolDown), this);
    auto *done = new QPushButton(QString::fromUtf8(label::Done), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &PhrasesDialog::buttonDoneClick);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(done, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit *PhrasesDialog::phraseEdit(int number) const
{
    if (number < 1 || number > PhraseCount)
        return nullptr;
    return findChild<QLineEdit *>(QStringLiteral("phrase%1").arg(number));
}

void PhrasesDialog::setPhrases(const QStringList &phrases)
{
    for (int number = 1; number <= PhraseCount; ++number)
        phraseEdit(number)->setText(phrases.value(number - 1));
}

QStringList PhrasesDialog::phrases() const
{
    QStringList texts;
    for (int number = 1; number <= PhraseCount; ++number)
        texts << phraseEdit(number)->text();
    return texts;
}

void PhrasesDialog::buttonDoneClick()
{
    Q_EMIT phrasesConfirmed(phrases());
    accept();
}

} // namespace zz
