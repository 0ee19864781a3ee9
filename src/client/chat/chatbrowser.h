#pragma once
// mainchat: the chat view. Lines arrive as parsed runs and are drawn with text
// formats, never as markup; each seat's lines share one style that changes as
// its lines arrive.
#include "core/chatline.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCharFormat>

#include <array>
#include <functional>
#include <vector>

class QMimeData;

namespace zz {

class ChatBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    // Hands a checked http or https address to the desktop, false when
    // nothing there could open it; replaceable in tests.
    using LinkOpener = std::function<bool(const QUrl &)>;

    explicit ChatBrowser(QWidget *parent = nullptr);

    void addLine(const ChatLine &line);
    void clearChat();

    void setTextSize(int points);
    int textSize() const { return m_styles[SystemStyle].points; }

    void setScrollOff(bool off) { m_scrollOff = off; }
    bool scrollOff() const { return m_scrollOff; }

    // Opens the link drawn as number linkNumber (0 = first link since the last
    // clear); an address that is not http or https, or one the desktop has
    // no browser for, gets a message box.
    void openLink(int linkNumber);
    void setLinkOpener(LinkOpener opener) { m_opener = std::move(opener); }
    int linkCount() const { return static_cast<int>(m_linkTexts.size()); }

    // The document's text with smileys written as their codes.
    QString plainTextOf(const QTextCursor &selection) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void linkRefused(const QString &linkText);

protected:
    QVariant loadResource(int type, const QUrl &name) override;
    QMimeData *createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Style
    {
        QColor colour;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int points = 10;
    };

    void setMargins();
    QTextCharFormat formatOf(int style) const;
    void setStyle(int style, const Style &look);
    void restyleBlocks(QTextBlock from, const QTextBlock &last);
    void refreshVisible();
    QTextBlock blockAt(qreal y) const;
    void anchorClicked(const QUrl &url);
    void scrollToEnd();

    std::array<Style, ChatStyleCount> m_styles{};
    // The view's links in display order, each with its own text, so a click
    // finds the right address after a clear or any number of links.
    std::vector<QString> m_linkTexts;
    LinkOpener m_opener;
    qreal m_lineHeight = 0;
    int m_styleVersion = 0;   // raised by every style change
    bool m_refreshing = false;
    bool m_scrollOff = false;
    bool m_empty = true;
};

} // namespace zz
