#include "order/CustomerCredit.h"

#include "model/AppContext.h"
#include "model/JsonRules.h"

#include <QPointer>

namespace CustomerCredit {

void getCustomerCredit(AppContext &context, Completion done)
{
    const OrderCustomer &customer = context.customerStruct().customer();
    const QJsonObject parameters{{QStringLiteral("userID"), context.userId().value_or(QString())},
                                 {QStringLiteral("pKunnr"), customer.kunnr},
                                 {QStringLiteral("pKkber"), customer.bukrs}};
    QPointer<AppContext> guard(&context);
    context.operations().ZBAPI_GET_CUSTOMER_CREDIT(parameters, [guard, done](const ApiStatus &status) {
        if (!guard)
            return;
        CustomerStruct &customerStruct = guard->customerStruct();
        if (status.isSuccess && status.returnJson) {
            const QJsonObject credit =
                status.returnJson->object().value(QStringLiteral("custCredit")).toObject();
            customerStruct.setCreditValue(float(readLenientNumber(credit, QStringLiteral("pOblig"))));
        }
        if (done)
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

} // namespace CustomerCredit
