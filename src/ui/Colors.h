#pragma once
// The application's colours.
#include <QColor>

namespace Colors {
inline QColor brandRed() { return QColor(195, 0, 28); }         // main buttons, bar buttons, selected tab
inline QColor background() { return QColor(228, 236, 241); }    // screens and navigation bar
inline QColor titleText() { return QColor(3, 15, 30); }         // navigation-bar titles
inline QColor unselectedTab() { return QColor(54, 65, 79); }    // unselected tab title and icon
inline QColor separator() { return QColor::fromRgbF(0.8f, 0.8f, 0.8f); } // cell borders and rules
} // namespace Colors
