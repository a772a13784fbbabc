// SPDX-License-Identifier: MIT
// The few controls whose behaviour Qt's widgets do not give as the windows
// need it: an editable combo box that raises Click only when the user picks an
// item, a text box with Locked and BackColor, a bar that shows every step, a
// frame and a label drawn as the design has them, a picture box that shows
// its focus. Everything else is a plain Qt widget.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <cstdint>

namespace tk {

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);

    QString Text() const;
    void SetText(const QString& text); // raises no Click
    void AddItem(const QString& item); // leaves Text as it is
    void SetBackColor(std::uint32_t colour); // of the text field
    void ResetBackColor();                   // back to the desktop's colour

signals:
    // The user picked an item from the list (mouse or keyboard); Text holds it.
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int finishingEdit_ = 0;
};

class TextBox : public QPlainTextEdit {
public:
    explicit TextBox(QWidget* parent);

    QString Text() const;
    void SetText(const QString& text);
    void SetLocked(bool locked);
    void SetBackColor(std::uint32_t colour);
};

// A progress bar that repaints for every value it is given, and whose fill
// is its value's share of the bar, to the pixel: the style's fill for the
// whole bar, cut at that share. Qt's own leaves out a repaint when the change
// is narrower than one chunk of the style (about 4 % of a 289-pixel bar), and
// a style may draw a narrow fill as nothing: the classic Windows look draws
// whole chunks of several per cent each, the themed one (Wine's too)
// stretches a picture whose margins are wider than the fill.
class ProgressBar : public QProgressBar {
public:
    explicit ProgressBar(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A frame as the windows were laid out for: its caption sits on the border
// line, which runs at half the caption's height (along the top when there is
// no caption), so that controls placed near its top are inside it. Qt's group
// box puts the caption above the border instead.
class Frame : public QGroupBox {
public:
    explicit Frame(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label whose text wraps in its box: a word wider than the box breaks
// inside it, as on the desktop the windows come from; lines below are cut.
class Label : public QLabel {
public:
    explicit Label(QWidget* parent);
    void SetForeColor(std::uint32_t colour);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A picture box: a picture in a sunken frame that takes the focus with Tab
// and, having it, shows the style's focus frame (else the focus would seem
// to vanish).
class PictureBox : public QLabel {
public:
    explicit PictureBox(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tk
