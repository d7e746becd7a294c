#pragma once
// How the state of an order line that waits in the outbox reads on screen, the same on the confirmation
// and in the outbox: its state, the line's message (the order number once placed, the server's words when
// refused) and the colour of its state row.
#include "model/OutboxDocument.h"

#include <QColor>
#include <QString>

struct OutboxStateText {
    QString state;
    QString message;
    QColor background;

    static OutboxStateText of(const OutboxLine &line);
    friend bool operator==(const OutboxStateText &, const OutboxStateText &) = default;
};
