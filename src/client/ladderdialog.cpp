#include "ladderdialog.h"

#include "client/board/boardart.h"
#include "ui/tiledlook.h"
#include "client/board/boardrules.h"
#include "core/names.h"

#include <QLabel>
#include <QPushButton>

namespace zz {

namespace {

constexpr int Columns[] = {18, 122, 226, 330, 434};
constexpr int Rows[] = {53, 77, 101, 125};
constexpr int BoxWidth = 84;
constexpr int BoxHeight = 24;
constexpr int EmptySize = 10;
constexpr int WordSize = 16;

// An empty box shows what it earns.
QString emptyBoxHint(int box) { return QStringLiteral("+%1").arg(board::emptyBoxValue(box)); }

void setPointSize(QLabel *label, int size)
{
    QFont font = label->font();
    font.setPointSize(size);
    label->setFont(font);
}

} // namespace

LadderDialog::LadderDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("correct"));
    setWindowTitle(QString::fromUtf8(caption::Correct));
    ui::tileBackground(*this);
    setModal(false);
    setFixedSize(536, 200);

    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("label_correct0"));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 8, width(), 20);

    for (int box = 1; box <= BoxCount; ++box) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("label_correct%1").arg(box));
        label->setAlignment(Qt::AlignCenter);
        label->setToolTip(emptyBoxHint(box));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setGeometry(Columns[(box - 1) % 5], Rows[(box - 1) / 5], BoxWidth, BoxHeight);
    }

    auto *count = new QLabel(this);
    count->setObjectName(QStringLiteral("label_correct21"));
    count->setAlignment(Qt::AlignCenter);
    count->setGeometry(12, 31, width() - 24, 18);

    // The title holds a player's name and the boxes the host's words: never markup.
    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);

    auto *done = new QPushButton(QString::fromUtf8(label::Done), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry((width() - 80) / 2, 160, 80, 28);
    connect(done, &QPushButton::clicked, this, &QWidget::hide);

    clearLabels();
}

QLabel *LadderDialog::correctLabel(int label) const
{
    if (label < TitleLabel || label > CountLabel)
        return nullptr;
    return findChild<QLabel *>(QStringLiteral("label_correct%1").arg(label));
}

void LadderDialog::clearLabels()
{
    for (int box = 1; box <= BoxCount; ++box) {
        QLabel *label = correctLabel(box);
        setPointSize(label, EmptySize);
        label->setText(label->toolTip());
    }
}

void LadderDialog::addWord(int label, const QString &text)
{
    QLabel *target = correctLabel(label);
    if (!target)
        return;
    target->setText(text.toUpper());
    if (label != TitleLabel && label != CountLabel)
        setPointSize(target, WordSize);
}

void LadderDialog::showOver(const QWidget *mainWindow)
{
    if (mainWindow)
        move(mainWindow->geometry().center() - rect().center());
    show();
    raise();
}

} // namespace zz
