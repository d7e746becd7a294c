// The outbox's reader over arbitrary bytes, as a damaged or foreign document on disk would hand it.
// Properties: it never crashes; what it reads is an outbox for the account asked whose every order has
// lines, each with an identity no other line has and never "sending"; and what it reads is written and read
// back unchanged, so the outbox after a restart is the one that was saved.
#include "FuzzCheck.h"

#include "model/OutboxDocument.h"

#include <QSet>

void fuzzOne(FuzzedDataProvider &in)
{
    const QByteArray bytes = QByteArray::fromStdString(in.ConsumeRemainingBytesAsString());
    const QString account = QStringLiteral("U10023");
    QString why;
    const std::optional<OutboxContent> content = OutboxDocument::read(bytes, account, &why);
    if (!content) {
        FUZZ_CHECK(!why.isEmpty());
        return;
    }
    QSet<QString> seqs;
    for (const OutboxOrder &order : content->orders) {
        FUZZ_CHECK(!order.id.isEmpty());
        FUZZ_CHECK(!order.lines.isEmpty());
        for (const OutboxLine &line : order.lines) {
            FUZZ_CHECK(!line.line.orderSeq.isEmpty() && !line.line.rootSeq.isEmpty());
            FUZZ_CHECK(!seqs.contains(line.line.orderSeq));
            FUZZ_CHECK(line.state != OutboxLineState::sending);
            seqs.insert(line.line.orderSeq);
        }
    }
    const QByteArray written = OutboxDocument::write(*content, account);
    const std::optional<OutboxContent> again = OutboxDocument::read(written, account);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *content);
    FUZZ_CHECK(!OutboxDocument::read(written, QStringLiteral("U10024")).has_value());
}
