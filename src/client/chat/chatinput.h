#pragma once
// mychat: the one-line chat box. It opens showing the placeholder as its real
// text, which the first key or smiley removes; Enter asks for a send.
#include <QLineEdit>

class QMenu;

namespace zz {

class ChatInput : public QLineEdit
{
    Q_OBJECT
public:
    explicit ChatInput(QWidget *parent = nullptr);

    // Appends the clipboard's text at the end, not at the caret, and leaves
    // the caret at the end with nothing selected.
    void pasteAtEnd();
    void insertSmiley(int index);
    void setTextColour(const QColor &colour);

Q_SIGNALS:
    void sendRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void removePlaceholder();
    void caretToEnd();

    QMenu *m_menu = nullptr;
};

} // namespace zz
