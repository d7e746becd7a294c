// The reader of kept offline answers over arbitrary bytes, as a damaged or foreign document on disk would
// hand it; the first byte picks the kind. Properties: it never crashes; what it reads holds the kind's
// member with its type and a time from 1970 on; and what it reads is written and read back unchanged, and
// never for another account or key.
#include "FuzzCheck.h"

#include "model/KeptDocument.h"

#include <QJsonValue>

void fuzzOne(FuzzedDataProvider &in)
{
    static const KeptDocument::Kind kinds[] = {KeptDocument::kCustomers, KeptDocument::kPrices,
                                               KeptDocument::kCredit,    KeptDocument::kShippingPoint,
                                               KeptDocument::kContracts, KeptDocument::kContractMaterials,
                                               KeptDocument::kOpened};
    const KeptDocument::Kind &kind = kinds[in.ConsumeIntegralInRange<size_t>(0, std::size(kinds) - 1)];
    const QByteArray bytes = QByteArray::fromStdString(in.ConsumeRemainingBytesAsString());
    const QString account = QStringLiteral("U10023");
    const QJsonObject key{{QStringLiteral("kunnr"), QStringLiteral("0000100101")}};
    QString why;
    const std::optional<KeptAnswer> kept = KeptDocument::read(bytes, kind, account, key, &why);
    if (!kept) {
        FUZZ_CHECK(!why.isEmpty());
        return;
    }
    FUZZ_CHECK(kept->receivedAt >= 0);
    FUZZ_CHECK(kept->answer.size() == 1);
    const std::optional<QJsonValue> member = KeptDocument::member(kind, kept->answer);
    FUZZ_CHECK(member.has_value());
    const QByteArray written = KeptDocument::write(kind, account, key, *member, kept->receivedAt);
    const std::optional<KeptAnswer> again = KeptDocument::read(written, kind, account, key);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *kept);
    FUZZ_CHECK(!KeptDocument::read(written, kind, QStringLiteral("U10024"), key).has_value());
    FUZZ_CHECK(!KeptDocument::read(written, kind, account, QJsonObject()).has_value());
}
