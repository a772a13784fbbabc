// SPDX-License-Identifier: MIT
#include "toolkit/controls.h"
#include "toolkit/appearance.h"
#include "toolkit/units.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOption>
#include <QTextOption>
#include <QValidator>

namespace tk {

namespace {
// Every control character (tab, line break...) typed or pasted becomes a blank.
class OneLine : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override
    {
        for (QChar& c : input)
            if (c.category() == QChar::Other_Control)
                c = u' ';
        return Acceptable;
    }
};
} // namespace

// --- ComboBox

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    // Typed text is never added to the list, and nothing completes it.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setFocusPolicy(Qt::StrongFocus);
    // The field is one line: tabs and line breaks pasted into it become blanks.
    setValidator(new OneLine(this));
    // Qt also "activates" an item when typed text that matches it is
    // committed by Enter or by leaving the field: that is typing, not a pick.
    connect(this, &QComboBox::activated, this, [this] {
        if (finishingEdit_ == 0)
            emit Click();
    });
}

QString ComboBox::Text() const { return currentText(); }

void ComboBox::SetText(const QString& text) { setEditText(text); }

void ComboBox::AddItem(const QString& item)
{
    const QString text = Text();
    const QSignalBlocker quiet(this);
    addItem(item);
    // The first item of an empty list would otherwise replace the text.
    if (Text() != text)
        setEditText(text);
}

void ComboBox::SetBackColor(std::uint32_t colour)
{
    QPalette p = lineEdit()->palette();
    p.setColor(QPalette::Base, OleColor(colour));
    p.setColor(QPalette::Text, TextColourOn(OleColor(colour)));
    lineEdit()->setPalette(p);
}

void ComboBox::ResetBackColor() { lineEdit()->setPalette(QPalette()); }

void ComboBox::keyPressEvent(QKeyEvent* event)
{
    const bool commits = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    finishingEdit_ += commits;
    QComboBox::keyPressEvent(event);
    finishingEdit_ -= commits;
}

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    ++finishingEdit_;
    QComboBox::focusOutEvent(event);
    --finishingEdit_;
}

void ComboBox::wheelEvent(QWheelEvent* event)
{
    // The wheel over a closed list picks nothing.
    event->ignore();
}

// --- TextBox

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
}

QString TextBox::Text() const { return toPlainText(); }

void TextBox::SetText(const QString& text) { setPlainText(text); }

void TextBox::SetLocked(bool locked)
{
    setReadOnly(locked);
    // A locked box still takes the focus and lets its text be selected.
    setTextInteractionFlags(locked ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                   : Qt::TextEditorInteraction);
}

void TextBox::SetBackColor(std::uint32_t colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, OleColor(colour));
    // A fixed background takes a fixed text colour with it: a dark desktop
    // theme's light text would vanish on the light grey, white or yellow.
    p.setColor(QPalette::Text, TextColourOn(OleColor(colour)));
    setPalette(p);
}

// --- ProgressBar

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent)
{
    connect(this, &QProgressBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void ProgressBar::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionProgressBar bar;
    initStyleOption(&bar);
    QPainter painter(this);
    QStyleOptionProgressBar option = bar;
    option.rect = style()->subElementRect(QStyle::SE_ProgressBarGroove, &bar, this);
    style()->drawControl(QStyle::CE_ProgressBarGroove, &option, &painter, this);
    option.rect = style()->subElementRect(QStyle::SE_ProgressBarContents, &bar, this);
    const qint64 range = qMax<qint64>(1, qint64(maximum()) - minimum());
    const qint64 done = qBound<qint64>(0, qint64(value()) - minimum(), range);
    const int width = int((done * option.rect.width() + range / 2) / range);
    painter.setClipRect(QRect(option.rect.topLeft(), QSize(width, option.rect.height())));
    option.progress = option.maximum;
    style()->drawControl(QStyle::CE_ProgressBarContents, &option, &painter, this);
}

// --- Frame

Frame::Frame(QWidget* parent) : QGroupBox(parent) {}

void Frame::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QString caption = title();
    // An etched line in the palette's shadow and light colours. Drawn here,
    // not by the style: styles put the line below the caption's height.
    const QRect line = rect().adjusted(0, caption.isEmpty() ? 0 : metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(line.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(line.adjusted(1, 1, 0, 0));
    if (caption.isEmpty())
        return;
    // The caption interrupts the line, on the frame's own background.
    const int gap = metrics.averageCharWidth() / 2 + 1;
    const QRect text(metrics.averageCharWidth() + 2, 0,
                     metrics.horizontalAdvance(QString(caption).remove(u'&')) + 2 * gap, metrics.height());
    painter.fillRect(text, palette().color(backgroundRole()));
    style()->drawItemText(&painter, text, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                          caption, QPalette::WindowText);
}

// --- Label

Label::Label(QWidget* parent) : QLabel(parent)
{
    // A caption is text, never markup, whatever the user typed into it.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::SetForeColor(std::uint32_t colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, OleColor(colour));
    setPalette(p);
}

void Label::paintEvent(QPaintEvent* /*event*/)
{
    // QLabel wraps at word boundaries only: a long word would run out of the box.
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QRectF(contentsRect()), text(), option);
}

// --- PictureBox

PictureBox::PictureBox(QWidget* parent) : QLabel(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = contentsRect();
    focus.backgroundColor = palette().color(backgroundRole());
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

} // namespace tk
