// SPDX-License-Identifier: MIT
// The few controls whose behaviour Qt's widgets do not give as the windows
// need it: an editable combo box that raises Click only when the user picks an
// item, a text box with Locked and BackColor, a label that wraps in its box and
// never reads its caption as markup, and the help part of a common dialog.
// Everything else is a plain Qt widget.
#pragma once

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QObject>
#include <QPalette>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <cstdint>

namespace tk {

// The stand-in for the compact 8-point interface font the windows were laid
// out for: Liberation Sans (Debian's fonts-liberation2) at 11 pixels, so that
// every caption fits its box. Set on the whole application by UseDefaultFont()
// and on each window by KeepDefaultFont(). Every property of it counts as set:
// a window given it keeps it whatever a platform theme or a later change of
// the application's font does (the fonts are part of the design, as the
// twips are).
// On Windows the face the layout was made for, Microsoft Sans Serif, comes
// first, Liberation Sans after it (Wine without its own fonts has only that).
#ifdef _WIN32
inline constexpr const char* DesktopFontFamily = "Microsoft Sans Serif";
#endif
inline constexpr const char* DefaultFontFamily = "Liberation Sans";
inline constexpr int DefaultFontPixels = 11;
QFont DefaultFont();
void UseDefaultFont();
void KeepDefaultFont(QWidget* window);
// A face by name at a size in points (of 96 dpi), the default family when the
// face is not installed.
QFont FontOrDefault(const QString& family, double points, bool bold);

// Black or white, whichever reads on `back`: a colour the program fixes on one
// side is never paired with the desktop theme's on the other.
QColor TextColourOn(const QColor& back);
// The classic light control colours, for a window whose texts are fixed black.
QPalette ClassicPalette();
// The same colours, each set: a widget given it keeps them instead of taking
// its parent's.
QPalette Explicit(QPalette palette);

// An icon from the resources' 16 and 32 pixel images: ":/icons/<base>-16.xpm".
QIcon IconFromResources(const QString& base);

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);

    QString Text() const;
    void SetText(const QString& text); // raises no Click
    void AddItem(const QString& item); // leaves Text as it is
    void SetBackColor(std::uint32_t colour); // of the text field
    void ResetBackColor();                   // back to the desktop's colour
    std::uint32_t BackColor() const;

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
    bool Locked() const;
    void SetLocked(bool locked);
    std::uint32_t BackColor() const;
    void SetBackColor(std::uint32_t colour);

private:
    std::uint32_t backColor_;
};

// A progress bar that repaints for every value it is given. Qt's own leaves
// out a repaint when the change is narrower than one chunk of the style
// (about 4 % of a 289-pixel bar), so most single steps would never be seen.
class ProgressBar : public QProgressBar {
public:
    explicit ProgressBar(QWidget* parent);
};

// A frame as the windows were laid out for: its caption sits on the border
// line, which runs at half the caption's height (along the top when there is
// no caption), so that controls placed near its top are inside it. Qt's group
// box puts the caption above the border instead.
class Frame : public QGroupBox {
public:
    Frame(const QString& caption, QWidget* parent);

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

// The common dialog's help: a help file, a command (3: contents), ShowHelp.
class CommonDialog : public QObject {
public:
    using QObject::QObject;
    static constexpr int cdlHelpContents = 3;
    QString HelpFile;
    int HelpCommand = 0;
    void ShowHelp() const;
};

} // namespace tk
