#pragma once
// The bottom pick list and the date picker dialog. Exactly one of done/cancel is called, once, and only
// while the context (when set) lives.
#include "services/CallerGuard.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

struct Picker {
    QString title;
    QStringList rows;
    int initialRow = 0;
    std::function<void(int row)> done;
    std::function<void()> cancel;
    CallerGuard context;
};

struct DatePicker {
    QString title;
    QDate initialDate; // today when invalid
    QDate minimumDate; // no limit when invalid
    QDate maximumDate; // no limit when invalid
    std::function<void(const QDate &date)> done;
    std::function<void()> cancel;
    CallerGuard context;
};
