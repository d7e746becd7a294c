#include "history/OrderHistroyCell.h"

#include "model/NumberText.h"

OrderHistroyCell OrderHistroyCell::from(const OrderHistroy &record)
{
    return {record.audat, record.name3, record.arktx, numberText(record.kwmeng), numberText(record.fkimg1)};
}
