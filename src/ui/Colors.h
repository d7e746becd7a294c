#pragma once
// The application's colours.
#include <QColor>

namespace Colors {
inline QColor brandRed() { return QColor(195, 0, 28); }         // main buttons, bar buttons, selected tab
inline QColor background() { return QColor(228, 236, 241); }    // screens and navigation bar
inline QColor titleText() { return QColor(3, 15, 30); }         // navigation-bar titles
inline QColor unselectedTab() { return QColor(54, 65, 79); }    // unselected tab title and icon
inline QColor secondaryText() { return QColor(97, 97, 97); }   // details, hints and placeholders
// Result colours, drawn under white text (each at least 4.5:1 against it).
inline QColor placed() { return QColor(53, 107, 184); }          // a placed line
inline QColor refused() { return QColor(200, 51, 26); }          // a refused line
inline QColor pending() { return QColor(97, 97, 97); }           // waiting, sending or to be confirmed
inline QColor notAllPlaced() { return QColor(0, 122, 0); }       // the order query button when a line was not placed
inline QColor separator() { return QColor::fromRgbF(0.8f, 0.8f, 0.8f); } // cell borders and rules
} // namespace Colors
