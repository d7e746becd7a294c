// The order draft's reader over arbitrary bytes, as a damaged or foreign document on disk would hand it.
// Properties: it never crashes; what it reads is a draft for the account asked, every line sendable
// (an identity, 1 to 30 copies, at most 29 kept copy identities); and what it reads is written and read
// back unchanged, so a draft read after a restart is the draft that was saved.
#include "FuzzCheck.h"

#include "model/OrderDraftDocument.h"

namespace {
void checkLine(const Order &line)
{
    FUZZ_CHECK(!line.orderSeq.isEmpty());
    FUZZ_CHECK(line.orderPage >= 1 && line.orderPage <= 30);
    FUZZ_CHECK(line.copySeqs.size() <= 29);
    FUZZ_CHECK(lineSeqs(line).size() == line.orderPage);
}
} // namespace

void fuzzOne(FuzzedDataProvider &in)
{
    const QByteArray bytes = QByteArray::fromStdString(in.ConsumeRemainingBytesAsString());
    const QString account = QStringLiteral("U10023");
    QString why;
    const std::optional<OrderDraftContent> content = OrderDraftDocument::read(bytes, account, &why);
    if (!content) {
        FUZZ_CHECK(!why.isEmpty());
        return;
    }
    checkLine(content->order);
    for (const Order &line : content->lines)
        checkLine(line);
    const QByteArray written = OrderDraftDocument::write(*content, account);
    const std::optional<OrderDraftContent> again = OrderDraftDocument::read(written, account);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *content);
    FUZZ_CHECK(!OrderDraftDocument::read(written, QStringLiteral("U10024")).has_value());
}
