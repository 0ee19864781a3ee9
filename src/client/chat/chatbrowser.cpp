#include "chatbrowser.h"

#include "chatcolours.h"
#include "chattexts.h"
#include "core/names.h"
#include "smileys.h"
#include "session/wiretext.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

namespace zz {

namespace {

constexpr int StyleProperty = QTextFormat::UserProperty;
constexpr int SmileyProperty = QTextFormat::UserProperty + 1;
constexpr int LinkGapProperty = QTextFormat::UserProperty + 2;   // a link's trailing space
const QString LinkScheme = QStringLiteral("zzlink");
const QString SmileyScheme = QStringLiteral("zzsmiley");
const QColor Background(242, 240, 230);
constexpr int SideMargin = 5;
constexpr int MaxTextSize = 72;

// Every line gets room for a smiley, so lines keep one pitch.
qreal lineHeightFor(int points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    return std::max<qreal>(QFontMetricsF(font).height(), SmileySize) + 2;
}

// One chat line stays one line of the view: a line break or other control
// character from the wire would start a line that seems to be someone else's.
QString oneLine(const std::string &bytes)
{
    QString text = fromWire(bytes);
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    }
    return text;
}

QUrl smileyUrl(int index)
{
    QUrl url;
    url.setScheme(SmileyScheme);
    url.setPath(QString::number(index));
    return url;
}

} // namespace

ChatBrowser::ChatBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName(fromAscii("mainchat"));
    setAccessibleName(fromAscii(chattext::ChatViewName));
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Tab walks the links and Enter opens one, as a click does.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setContextMenuPolicy(Qt::CustomContextMenu);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, Background);
    setPalette(colours);

    setMargins();

    const QColor windowText = toQColor(colour::WindowText);
    m_styles = {{
        {toQColor(colour::Blue)},
        {toQColor(colour::Blue), true},
        {toQColor(colour::Navy), true},
        {toQColor(colour::Maroon), false, true},
        {toQColor(colour::Green), false, false, true},
        {toQColor(colour::Green), false, false, true},
        {toQColor(colour::Silver)},
        {toQColor(colour::Silver)},
        {windowText}, {windowText}, {windowText}, {windowText}, {windowText}, {windowText}, {windowText},
    }};
    m_lineHeight = lineHeightFor(m_styles[SystemStyle].points);

    connect(this, &QTextBrowser::anchorClicked, this, &ChatBrowser::anchorClicked);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ChatBrowser::refreshVisible);
}

void ChatBrowser::setMargins()
{
    QTextFrameFormat root = document()->rootFrame()->frameFormat();
    root.setLeftMargin(SideMargin);
    root.setRightMargin(SideMargin);
    root.setTopMargin(2);
    root.setBottomMargin(2);
    document()->rootFrame()->setFrameFormat(root);
}

QSize ChatBrowser::sizeHint() const
{
    return {594, 210};
}

QTextCharFormat ChatBrowser::formatOf(int style) const
{
    const Style &look = m_styles[static_cast<std::size_t>(style)];
    QTextCharFormat format;
    format.setFontFamilies({fromAscii("Arial")});
    format.setFontPointSize(look.points);
    format.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(look.italic);
    format.setFontUnderline(look.underline);
    format.setForeground(look.colour);
    format.setProperty(StyleProperty, style);
    return format;
}

void ChatBrowser::addLine(const ChatLine &line)
{
    Style look = m_styles[static_cast<std::size_t>(line.style)];
    look.colour = toQColor(line.colour);
    look.bold = true;
    setStyle(line.style, look);

    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!m_empty)
        cursor.insertBlock();
    m_empty = false;
    // Lines with and without smileys keep the same pitch.
    QTextBlockFormat block;
    block.setLineHeight(m_lineHeight, QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(block);
    cursor.block().setUserState(m_styleVersion);
    for (const ChatRun &run : line.runs) {
        switch (run.kind) {
        case ChatRun::Text:
            cursor.insertText(oneLine(run.text), formatOf(run.style));
            break;
        case ChatRun::Link: {
            QTextCharFormat format = formatOf(run.style);
            format.setAnchor(true);
            format.setAnchorHref(LinkScheme + QLatin1Char(':') + QString::number(m_linkTexts.size()));
            m_linkTexts.push_back(oneLine(run.text));
            const QString &link = m_linkTexts.back();
            qsizetype word = link.size();
            while (word > 0 && link[word - 1] == QLatin1Char(' '))
                --word;
            cursor.insertText(link.left(word), format);
            if (word < link.size()) {
                // Still part of the link, but an underlined gap looks like a typo.
                format.setFontUnderline(false);
                format.setProperty(LinkGapProperty, true);
                cursor.insertText(link.mid(word), format);
            }
            break;
        }
        case ChatRun::Smiley: {
            QTextImageFormat image;
            image.setName(smileyUrl(run.smiley).toString());
            image.setWidth(SmileySize);
            image.setHeight(SmileySize);
            image.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            image.setProperty(SmileyProperty, run.smiley);
            cursor.insertImage(image);
            break;
        }
        }
    }
    cursor.endEditBlock();
    if (!m_scrollOff)
        scrollToEnd();
    refreshVisible();
}

void ChatBrowser::scrollToEnd()
{
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

void ChatBrowser::clearChat()
{
    document()->clear();
    setMargins();
    m_linkTexts.clear();
    m_empty = true;
}

void ChatBrowser::setTextSize(int points)
{
    // A size from a hand-edited settings file must not stall the layout.
    if (points < 1 || points > MaxTextSize)
        return;
    m_lineHeight = lineHeightFor(points);
    bool changed = false;
    for (Style &style : m_styles) {
        changed = changed || style.points != points;
        style.points = points;
    }
    if (!changed)
        return;
    ++m_styleVersion;
    restyleBlocks(document()->begin(), {});
    if (m_empty)
        return;
    QTextBlockFormat block;
    block.setLineHeight(m_lineHeight, QTextBlockFormat::FixedHeight);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (QTextBlock line = document()->begin(); line.isValid(); line = line.next()) {
        cursor.setPosition(line.position());
        cursor.mergeBlockFormat(block);
    }
    cursor.endEditBlock();
}

void ChatBrowser::setStyle(int style, const Style &look)
{
    Style &current = m_styles[static_cast<std::size_t>(style)];
    if (current.colour == look.colour && current.bold == look.bold)
        return;
    const bool widthsChange = current.bold != look.bold;
    current = look;
    ++m_styleVersion;
    // A style turns bold once, so redrawing every line then is cheap enough; a
    // colour may change with every line, so earlier lines take it as they show.
    if (widthsChange)
        restyleBlocks(document()->begin(), {});
}

// Touches only lines drawn before the last style change; a line is current
// when its block's state holds the style version.
void ChatBrowser::restyleBlocks(QTextBlock block, const QTextBlock &last)
{
    struct Range
    {
        int from, length, style;
        bool gap;
    };
    std::vector<Range> ranges;
    for (; block.isValid(); block = block.next()) {
        if (block.userState() != m_styleVersion) {
            block.setUserState(m_styleVersion);
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const QTextCharFormat format = fragment.charFormat();
                if (format.isImageFormat() || !format.hasProperty(StyleProperty))
                    continue;
                ranges.push_back({fragment.position(), fragment.length(), format.intProperty(StyleProperty),
                                  format.boolProperty(LinkGapProperty)});
            }
        }
        if (block == last)
            break;
    }
    if (ranges.empty())
        return;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const Range &range : ranges) {
        cursor.setPosition(range.from);
        cursor.setPosition(range.from + range.length, QTextCursor::KeepAnchor);
        QTextCharFormat format = formatOf(range.style);
        if (range.gap)
            format.setFontUnderline(false);
        cursor.mergeCharFormat(format);   // merging keeps a link's anchor
    }
    cursor.endEditBlock();
}

void ChatBrowser::refreshVisible()
{
    if (m_empty || m_refreshing)
        return;
    m_refreshing = true;
    const qreal top = verticalScrollBar()->value();
    restyleBlocks(blockAt(top), blockAt(top + viewport()->height()));
    m_refreshing = false;
}

// A binary search over the lines' places: the layout's own hit test walks
// every line, which a long chat cannot afford on each new line.
QTextBlock ChatBrowser::blockAt(qreal y) const
{
    const QTextDocument *doc = document();
    const QAbstractTextDocumentLayout *layout = doc->documentLayout();
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (layout->blockBoundingRect(doc->findBlockByNumber(middle)).top() <= y)
            low = middle;
        else
            high = middle - 1;
    }
    return doc->findBlockByNumber(low);
}

void ChatBrowser::resizeEvent(QResizeEvent *event)
{
    QTextBrowser::resizeEvent(event);
    refreshVisible();
}

QVariant ChatBrowser::loadResource(int type, const QUrl &name)
{
    if (type == QTextDocument::ImageResource && name.scheme() == SmileyScheme)
        return smileyImage(name.path().toInt());
    // Chat text never loads anything from elsewhere.
    return {};
}

void ChatBrowser::anchorClicked(const QUrl &url)
{
    if (url.scheme() != LinkScheme)
        return;
    bool ok = false;
    const int number = url.path().toInt(&ok);
    if (ok)
        openLink(number);
}

void ChatBrowser::openLink(int linkNumber)
{
    QString text;
    if (linkNumber >= 0 && linkNumber < linkCount())
        text = m_linkTexts[static_cast<std::size_t>(linkNumber)];
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    // Only web addresses leave the program; a "file:" or other scheme hidden in
    // a chat word must not be handed to the desktop.
    const QUrl url = QUrl::fromUserInput(text);
    const QString scheme = url.scheme().toLower();
    if (!text.isEmpty() && url.isValid() && (scheme == u"http" || scheme == u"https")) {
        // Without a browser the desktop only writes to standard error, and the
        // click would seem to do nothing.
        if (m_opener ? m_opener(url) : QDesktopServices::openUrl(url))
            return;
    } else {
        Q_EMIT linkRefused(text);
    }
    auto *box = new QMessageBox(QMessageBox::NoIcon, fromAscii(caption::Main), fromAscii(chattext::CannotOpenWebpage),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

QString ChatBrowser::plainTextOf(const QTextCursor &selection) const
{
    QString text;
    const int end = selection.selectionEnd();
    for (int at = selection.selectionStart(); at < end; ++at) {
        const QChar c = document()->characterAt(at);
        if (c == QChar::ObjectReplacementCharacter) {
            QTextCursor probe(document());
            probe.setPosition(at + 1);
            const QTextCharFormat format = probe.charFormat();
            if (format.hasProperty(SmileyProperty)) {
                text += QString::fromStdString(smileyCode(format.intProperty(SmileyProperty)));
                continue;
            }
        }
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            text += QLatin1Char('\n');
        else if (c != QChar::ObjectReplacementCharacter)
            text += c;
    }
    return text;
}

QMimeData *ChatBrowser::createMimeDataFromSelection() const
{
    // Plain text only: a paste elsewhere must not carry the chat's formats.
    auto *data = new QMimeData;
    data->setText(plainTextOf(textCursor()));
    return data;
}

void ChatBrowser::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && (event->key() == Qt::Key_C || event->key() == Qt::Key_Insert)) {
        copy();
        event->accept();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

} // namespace zz
