#pragma once
// The customer's credit: the query that refreshes CustomerStruct's credit figure, and the check that
// keeps an order within it.
#include "model/Order.h"
#include "model/Outbox.h"
#include "services/ServiceTypes.h"

#include <QString>

#include <functional>

class AppContext;
class QObject;
class CustomerStruct;

namespace CustomerCredit {

// (creditValue after the reply, the service result, the credit text)
using Completion = std::function<void(float creditValue, const ApiStatus &status, const QString &creditText)>;

// Asks ZBAPI_GET_CUSTOMER_CREDIT for the current customer. On success the credit becomes "pOblig" of
// "custCredit" (lenient number, 0 when missing) and the credit text follows it; on failure
// the credit is unchanged (either only while the AppContext lives). `done` runs on the main thread
// either way, and only while `caller` lives (always when it is null). An answer that arrives after a new
// order or another customer has replaced the one asked for changes nothing and runs nothing.
void getCustomerCredit(AppContext &context, QObject *caller, Completion done);

// Whether an order may grow by `newAddValue`: nowOrderValue + newAddValue ≤ creditValue in 32-bit floats.
bool canAddOrderValue(const CustomerStruct &customer, float newAddValue);

// What an order is worth to the credit: (price × quantity) × copies, in 32-bit floats in that order.
float orderValue(const Order &order);

// The rule of every change to an order: the cart's value (nowOrderValue), less what it already counts
// for this order (`counted`: the line as the cart holds it, or 0 for an order not in the cart yet),
// plus the changed order's value, stays within the credit. Measured against the order as counted, not
// against the last edit, so that successive small raises cannot add up past the credit.
bool canHoldOrder(const CustomerStruct &customer, float counted, const Order &changed);

// The outbox's check before it sends an order: a fresh credit answer for the order's customer must cover
// the lines still to send (price × quantity of each, in 32-bit floats). A refusal by the server refuses
// the order with its message; no answer, or only the one kept for working offline, leaves it waiting.
Outbox::CreditCheck outboxCheck(AppContext &context);

} // namespace CustomerCredit
