#include "order/CustomerCredit.h"

#include "model/AppContext.h"
#include "model/CartState.h"
#include "model/JsonRules.h"
#include "text/Localizer.h"


namespace CustomerCredit {

void getCustomerCredit(AppContext &context, QObject *caller, Completion done)
{
    const CustomerStruct &asked = context.customerStruct();
    const OrderCustomer &customer = asked.customer();
    // The figure is kept even when the caller has gone; only `done` belongs to the caller. An answer that
    // comes after another order or customer took the place of the one asked for is dropped whole: it
    // would show that customer's credit for another and let the next screen skip its own query.
    context.operations().customerCredit(
        context.signedInUserId(), customer.kunnr, customer.bukrs, &context,
        [&context, generation = asked.generation(), guard = CallerGuard(caller), done](const ApiStatus &status) {
            CustomerStruct &customerStruct = context.customerStruct();
            if (customerStruct.generation() != generation) {
                qCDebug(lcOrder, "credit answer for an earlier customer dropped");
                return;
            }
            if (status.isSuccess && status.returnJson) {
                const QJsonObject credit =
                    status.returnJson->object().value(QStringLiteral("custCredit")).toObject();
                customerStruct.setCreditValue(float(readLenientNumber(credit, QStringLiteral("pOblig"))), status.keptAt);
            }
            if (done && guard.alive())
                done(customerStruct.creditValue(), status, customerStruct.creditText());
        });
}

bool canAddOrderValue(const CustomerStruct &customer, float newAddValue)
{
    qCDebug(lcOrder, "creditValue:%f", double(customer.creditValue()));
    qCDebug(lcOrder, "nowOrderValue:%f", double(customer.nowOrderValue()));
    qCDebug(lcOrder, "newAddValue:%f", double(newAddValue));
    const float total = customer.nowOrderValue() + newAddValue;
    return total <= customer.creditValue();
}

float orderValue(const Order &order)
{
    return (order.orderItem.price * order.orderItem.orderNumber) * float(order.orderPage);
}

bool canHoldOrder(const CustomerStruct &customer, float counted, const Order &changed)
{
    return canAddOrderValue(customer, orderValue(changed) - counted);
}

Outbox::CreditCheck outboxCheck(AppContext &context)
{
    return [&context](const OutboxOrder &order, std::function<void(const Outbox::CreditVerdict &)> done) {
        float value = 0;
        for (const OutboxLine &line : order.lines) {
            if (line.state == OutboxLineState::placed)
                continue;
            value += CartState::wholeFloat(line.line.kbetr).value_or(0) * CartState::wholeFloat(line.line.kwmeng).value_or(0);
        }
        context.operations().customerCredit(
            context.outbox().account(), order.customer.kunnr, order.customer.bukrs, &context.outbox(),
            [value, done](const ApiStatus &status) {
                if (status.unreachable || status.keptAt || !status.returnJson) {
                    done({Outbox::CreditVerdict::unknown, status.message});
                    return;
                }
                if (!status.isSuccess) {
                    done({Outbox::CreditVerdict::refused, status.message});
                    return;
                }
                const QJsonObject credit = status.returnJson->object().value(QStringLiteral("custCredit")).toObject();
                const float available = float(readLenientNumber(credit, QStringLiteral("pOblig")));
                if (value <= available)
                    done({});
                else
                    done({Outbox::CreditVerdict::refused, localized(QT_TRANSLATE_NOOP("Zelk", "已超過信用額度，無法在下單"))});
            });
    };
}

} // namespace CustomerCredit
