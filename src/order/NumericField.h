#pragma once
// Input rules of the order entry's text fields.
#include "ui/TextEdit.h"

#include <QString>

// Quantity and price fields: only "0123456789." may be inserted, at most one point and at most three
// digits after it; deleting is always allowed.
bool numericFieldAccepts(const QString &current, const TextEdit &edit);

// A text limited to `maxLength` characters: an edit that inserts text and would make it longer is
// refused as a whole; deleting is always allowed.
bool lengthLimitAccepts(const QString &current, const TextEdit &edit, int maxLength);
