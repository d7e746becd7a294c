#pragma once
// One row of the order pages: its identifier, title, current value, how it is edited and the page
// action run when it is tapped.
#include <QString>

enum class EditType { none, choice, enter, enterOptional };

class OrderPage1ViewController;
// An action of the order pages (the item page's actions are cast to it: it is built on the header page).
using OrderRowAction = void (OrderPage1ViewController::*)();

struct OrderTableStruct {
    QString key;      // "orderType", "seller", "transType", … or "itemNo", "itemName", …
    QString name;     // row title
    QString subTitle; // current value; empty when nothing is chosen
    EditType editType = EditType::none;
    OrderRowAction action = nullptr; // run on a tap; null for none

    // What the row shows as its detail: the value, else the prompt of its edit type.
    QString detailText() const;
    // Required and still empty: blocks going on.
    bool isMissing() const
    {
        return (editType == EditType::choice || editType == EditType::enter) && subTitle.isEmpty();
    }

    friend bool operator==(const OrderTableStruct &, const OrderTableStruct &) = default;
};
