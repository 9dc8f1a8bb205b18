#pragma once
// Small helpers shared by the input windows: placing controls in twips, fonts and
// colours, option buttons, key hooks on controls that are not entry fields, and the
// child windows of the main window.

#include "sheets/EntryField.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QLabel;
class QListWidget;
class QLabel;
class QPushButton;
class QRadioButton;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace tovarin {

// "ＭＳ ゴシック" (fixed pitch) and "ＭＳ Ｐゴシック" (proportional) at a point size.
QFont gothicFont(double pointSize);
QFont proportionalGothicFont(double pointSize);
// The font of every input window: "ＭＳ ゴシック" 9 pt.
QFont sheetFont();

// Dark green of the facility windows' titles.
inline QColor titleGreen() {
    return QColor(0, 64, 0);
}

// A list box whose rows are one em of its font tall, as the windows' list boxes
// are laid out for (six kinds or eight pipe sizes fit without scrolling).
QListWidget* addListBox(QWidget* parent, const char* name);

// Gives a label the size adjustSize() gives it. A plain-text label's natural size
// depends only on its text, font, style and frame, so it is measured (which shapes the
// text) once for each such combination in a run and remembered.
void fitToText(QLabel* label);

// Places a control at a position in twips; without a size it takes its natural size.
void placeTwips(QWidget* widget, int left, int top);
void placeTwips(QWidget* widget, int left, int top, int width, int height);

// A label with its text at a position in twips, named after its control name.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int left, int top);
// A unit label after a field ("m"), in the proportional Gothic of the windows' size.
// The fixed-pitch Gothic's half-width "m" is six pixels wide at 9 pt on a 96-dpi
// screen, too narrow for its three stems: smoothed, they melt into one grey block.
QLabel* addUnitLabel(QWidget* parent, const char* name, const QString& text, int left, int top);
void setTextColour(QWidget* widget, const QColor& colour);
// A decoration frame, an option button and a push button placed in twips. Enter on a
// focused push button presses it.
QFrame* addFrame(QWidget* parent, const char* name, int left, int top, int width, int height);
QRadioButton* addOption(QWidget* parent, const char* name, const QString& text, int left, int top,
                        int width, int height);
QPushButton* addButton(QWidget* parent, const char* name, const QString& text, int left, int top,
                       int width, int height);
EntryField* addEntryField(QWidget* parent, const char* name, EntryField::Input input, int left,
                          int top, int width, int height);

// Runs the handler whenever the option becomes selected, by a click or by code.
template <typename Handler>
void onSelected(QAbstractButton* option, QObject* context, Handler handler) {
    QObject::connect(option, &QAbstractButton::toggled, context, [handler](bool selected) {
        if (selected)
            handler();
    });
}

// Moves the focus to a control; an entry field has its whole text selected, also
// when its window is not active yet (right after a message box) and the arrival of
// the focus comes only with the window's activation.
void focusWholeText(QWidget* target);
// Moves the focus to an option button and selects it when it is not selected yet,
// so that its handler runs as on the user's own choice.
void focusOption(QAbstractButton* option);
// Sets an option button without running its handler. Unlike a user's click, false
// can clear the selected button of an exclusive pair, leaving neither selected.
void setCheckedSilently(QAbstractButton* option, bool checked);

// Tab into an option pair lands on its selected button, so that moving through the
// pair never leaves the focus on an unselected option.
void tabIntoSelectedOption(QButtonGroup* group);

// An option of the pair chosen with an arrow key is handled as one chosen by a click
// or Space, the handler's move of the focus included.
void arrowsChooseAsAClick(QButtonGroup* group);

// Enter (Return or keypad Enter) on the widget is swallowed and runs the action.
void onEnterKey(QWidget* widget, std::function<void()> action);
// Every key that types a character runs the action; the key then goes on as usual.
void onCharacterKey(QWidget* widget, std::function<void()> action);

// The colours the input windows and the results panel are designed in: a light
// button-face background with black text, whatever the desktop's own palette. Their
// fixed colours (black figures, the dark-green titles, light magenta for failing
// figures) stay readable only on that background.
QPalette designedPalette();
// Gives a window and everything in it the designed colours.
void useDesignedColours(QWidget* window);

// Adds a borderless child window to the main window's area at a place in twips,
// in the designed colours, and shows it. Closing the child window destroys it.
QMdiSubWindow* addChildWindow(QMdiArea* area, QWidget* child, int left, int top, int width,
                              int height);
// Keeps a child window of a main window that is never shown: a plain child of the
// area at a place in twips, without frame, colours or showing.
void keepUnseenChildWindow(QMdiArea* area, QWidget* child, int left, int top, int width,
                           int height);
// Cuts the window's controls off from the window's own slots, for its destructor: the
// controls die after the window, and their last signals must not reach it.
void disconnectControls(QWidget* window);
// Destroys a child window at once (with the frame that holds it); null is ignored.
void destroyChildWindow(QWidget* child);

} // namespace tovarin
