#pragma once
// The hosting player's game options, from which a game is started.
#include <QDialog>
#include <QPixmap>

class QLabel;
class QSpinBox;

namespace zz {

class GameStartDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MinPlayTo = 500;
    static constexpr int MaxPlayTo = 10000;
    static constexpr int PlayToStep = 500;
    static constexpr int DefaultPlayTo = 1000;
    static constexpr int MinTime = 60;
    static constexpr int MaxTime = 300;
    static constexpr int TimeStep = 30;
    static constexpr int DefaultTime = 120;
    static constexpr int LetterBoxCount = 3; // 3, 4 and 5 letter words

    explicit GameStartDialog(QWidget *parent = nullptr);

    // Values outside the arrows' range are pulled to the nearest end.
    int playToScore() const;
    void setPlayToScore(int score);
    int timePerTurn() const;
    void setTimePerTurn(int seconds);

    // box 1..3; 0 for any other number.
    int boxState(int box) const;
    // name "image_gt1".."image_gt3", state 0 or 1; anything else changes nothing.
    void changeBox(const QString &name, int state);
    void toggleBox(int box);

    // Refuses without a word length, else asks for the game and closes.
    void buttonStartClick();

Q_SIGNALS:
    void startRequested(int playTo, int time, bool three, bool four, bool five);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildSettings();
    void buildLetterBoxes();
    QLabel *letterBox(int box) const;
    void setBoxState(QLabel *box, int state);

    QSpinBox *m_playTo = nullptr;
    QSpinBox *m_time = nullptr;
};

} // namespace zz
