#pragma once
// The bottom list picker of the order screens, bound to the screen that shows it: its choice is
// dropped once that screen has gone (Screen::showListPicker does not bind its picker).
#include "ui/Picker.h"
#include "ui/Screen.h"
#include "ui/Ui.h"

#include <algorithm>

// Shows `texts` starting at `current` (the first row when absent); `chosen` gets the row picked.
// Nothing shows without texts or without a Ui.
inline void showBoundListPicker(Screen *screen, const QString &title, const QStringList &texts, const QString &current,
                                std::function<void(int)> chosen)
{
    Ui *u = screen->ui();
    if (!u || texts.isEmpty())
        return;
    Picker picker;
    picker.context = screen;
    picker.title = title;
    picker.rows = texts;
    picker.initialRow = std::max(0, int(texts.indexOf(current)));
    picker.done = std::move(chosen);
    u->showPicker(picker);
}
