#pragma once
// What a submission answer does to the lines sent and to the cart they came from.
#include "model/Order.h"

#include <QJsonArray>

// Marks the line named by each element of the answer's "orderList", in order: "returnCode" exactly "S"
// is success, anything else (also missing) fail; "returnMsg" and "otVbeln" become the line's error and
// order number. Elements without a text "orderSeq", or naming no line, are skipped; a later element for
// the same line overwrites an earlier one. Linear in lines + answers.
void markOrderResults(QList<OrderConfirm> &lines, const QJsonArray &orderList);

// The cart after an attempt: for each cart order with a line not ordered, one order with a copy per
// such line. A line whose fate is unknown keeps its identity, so that sending it again cannot place it
// twice; a refused line gets a new one, since the server would answer its old identity with the
// refusal. The identity of an ordered line is never used again.
QList<Order> ordersLeft(const QList<OrderConfirm> &lines, const QList<Order> &cart);
