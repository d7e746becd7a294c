#pragma once
// The offer to continue the order draft, made where order entry can start (the home screen after
// sign-in, the order-type screen): "未完成的訂單" with "繼續" and "捨棄". Giving up lines that went out
// without an answer asks once more, since they may already have been placed, and points to the order
// query ("訂單可能已送出": "訂單查詢", "仍要捨棄", "取消" back to the offer).
#include <functional>

class Screen;

namespace ResumeOffer {

// Whether the signed-in account's draft is worth offering: it has lines or a chosen customer.
bool due(Screen *screen);
// Shows the offer over `screen`: "繼續" runs `resume`, "訂單查詢" runs `orderQuery` (the draft stays), a
// discard empties the draft. Handlers run only while `screen` lives.
void show(Screen *screen, std::function<void()> resume, std::function<void()> orderQuery);

} // namespace ResumeOffer
