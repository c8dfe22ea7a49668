#pragma once

// Where each control of the two windows stands and how it looks: place (twips), alignment,
// character limit, tool tip, font and picture. The form model holds the state; this holds the
// design of the widgets that show it.

#include <QRect>
#include <QString>
#include <Qt>

#include <span>

namespace ml::app {

// Left, top, width, height in twips (15 twips are one pixel at 96 dots per inch).
struct Place {
    int left, top, width, height;
};

enum class Look {
    Plain,   // the window's own colours and font
    Preview, // a box of the display line's replica: bold monospace, model colour on black
    Yellow,  // yellow on black
};

enum class Picture { None, ArrowUp, ArrowDown, Banner };

struct ControlLayout {
    const char* name;
    Place place;
    Qt::Alignment align = Qt::AlignLeft;
    int maxLength = 0; // characters the operator may type; 0 for no limit
    const char* toolTip = nullptr;
    double pointSize = 0; // 0 for the look's own size
    Look look = Look::Plain;
    Picture picture = Picture::None;
    bool multiLine = false;
    bool readOnly = false;
};

// A menu entry: its parent menu (nullptr for the menu bar) and whether it carries a check mark.
struct MenuLayout {
    const char* name;
    const char* parent;
    bool checkable = false;
};

// Client area of the main window in twips.
inline constexpr int kClientWidthTwips = 7695;
inline constexpr int kClientHeightTwips = 5115;
// The sport's band below it, shown while a sport's rules apply.
inline constexpr int kSportBandTwips = 1980;
// Client area of the message window in twips.
inline constexpr int kMessageWidthTwips = 6000;
inline constexpr int kMessageHeightTwips = 4320;

// Point sizes of the preview rows and of the window's ordinary controls.
inline constexpr double kPreviewPoints = 27.75;
inline constexpr double kWindowPoints = 8.25;

std::span<const ControlLayout> mainWindowLayout();
std::span<const ControlLayout> messageWindowLayout();
// In menu order; a parent comes before its entries. `HLProgr` stands for the whole item array.
std::span<const MenuLayout> menuLayout();

// The controls the operator works with, in reading order: the Tab order. Every other control
// of the main window only shows and takes neither the focus nor typing.
std::span<const char* const> readingOrder();
// The boxes that take a number only (a player's): they type digits, and any other key acts as
// it does outside a box.
std::span<const char* const> numberBoxes();
// A menu caption with its accelerator marked ("&Datei"); captions without one stay as they are.
QString withMnemonic(const QString& name, const QString& caption);

// Twips to pixels at a scale, rounding each edge so that neighbouring controls keep their
// joins.
int pixels(int twips, double scale = 1);
QRect geometryOf(const Place& p, double scale = 1);

} // namespace ml::app
