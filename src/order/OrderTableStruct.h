#pragma once
// One row of the order pages: its identifier, title, current value, how it is edited and the page
// action run when it is tapped.
#include <QString>

enum class EditType { none, choice, enter, enterOptional };

struct OrderTableStruct {
    QString key;      // "orderType", "seller", "transType", … or "itemNo", "itemName", …
    QString name;     // row title
    QString subTitle; // current value; empty when nothing is chosen
    EditType editType = EditType::none;
    QString action;   // name of the page's Q_INVOKABLE run on a tap; empty for none

    // What the row shows as its detail: the value, else the prompt of its edit type.
    QString detailText() const;
    // Required and still empty: blocks going on.
    bool isMissing() const
    {
        return (editType == EditType::choice || editType == EditType::enter) && subTitle.isEmpty();
    }

    friend bool operator==(const OrderTableStruct &, const OrderTableStruct &) = default;
};
