#include "featuretree/searchedit.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QRectF>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextOption>

SearchEdit::SearchEdit(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &SearchEdit::onTextChanged);

    // The magnifier only marks the field as a search field; it does nothing when clicked.
    m_searchAction = addAction(QIcon(QStringLiteral(":/orvikviewercomponents/Resources/searchlens_16.png")),
                               QLineEdit::TrailingPosition);
    m_searchAction->setObjectName(QStringLiteral("searchAction"));
    m_searchAction->setEnabled(false);
    m_searchAction->setVisible(true);

    m_clearAction = addAction(QIcon(QStringLiteral(":/orvikviewercomponents/Resources/cross_16.png")),
                              QLineEdit::TrailingPosition);
    m_clearAction->setObjectName(QStringLiteral("clearAction"));
    connect(m_clearAction, &QAction::triggered, this, &QLineEdit::clear);
    m_clearAction->setVisible(false);

    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid gray; border-radius: 0px; }"));
}

SearchEdit::~SearchEdit() = default;

void SearchEdit::setHintText(const QString& hintText)
{
    if (m_hintText == hintText)
        return;
    m_hintText = hintText;
    updateGeometry();
    update();
}

QSize SearchEdit::sizeHint() const
{
    const QSize hintSize = QFontMetrics(font()).boundingRect(m_hintText).size();
    // The hint's own height leaves no room for the frame and the icons (and
    // is zero without a hint); a layout keeps a line edit at its hinted
    // height, so the field would be cut.
    return QSize(hintSize.width(), qMax(hintSize.height(), QLineEdit::sizeHint().height()));
}

void SearchEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (m_clearAction->isVisible() || m_hintText.isEmpty())
        return;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));

    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    painter.setClipRect(contents, Qt::ReplaceClip);

    const int frameWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    const int textHeight = fontMetrics().height();
    QRect hintRect(contents.x() + 2 * frameWidth, contents.y() + (contents.height() - textHeight + 1) / 2 - frameWidth,
                   contents.width() - 3 * frameWidth, textHeight);
    // Leave room for the trailing icon, which is about as wide as the field is high.
    hintRect.setRight(hintRect.right() - height());

    painter.setFont(QApplication::font("QLineEdit"));
    painter.drawText(QRectF(hintRect), m_hintText, QTextOption());
}

void SearchEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    // The style sheet keeps the font it saw when it was set; setting the font
    // again hands it the new one.
    if (event->type() == QEvent::FontChange)
        setFont(font());
}

void SearchEdit::onTextChanged(const QString& text)
{
    m_searchAction->setVisible(text.isEmpty());
    m_clearAction->setVisible(!text.isEmpty());
}
