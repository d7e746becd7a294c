#pragma once
// Rules shared by the screens on which a line's quantity and copies are entered.
#include "ui/Alert.h"
#include "ui/Picker.h"

#include <QString>

#include <functional>

class QObject;

// Why a quantity entered for a material with the maximum `maximum` is refused, as the alert title:
// "請輸入下單數量" for 0 or less (the server would only refuse the line), "下單數量超過上限" above the
// maximum (compared as 32-bit floats, so a maximum of 0 refuses every quantity). Empty when accepted.
QString quantityRefusal(float quantity, double maximum);

// The picker of the number of copies, "1" to "30", opened on `pages`; `chosen` gets the number picked
// (only while `context` lives).
Picker copiesPicker(QObject *context, int pages, std::function<void(int pages)> chosen);

// The question before the lines of the cart are given up: "離開下單" / "離開後將會清空您購物車的內容，請確認。"
// with "離開", which runs `leave` (only while `context` lives), and "取消", which keeps everything.
Alert leaveOrderAlert(QObject *context, std::function<void()> leave);
