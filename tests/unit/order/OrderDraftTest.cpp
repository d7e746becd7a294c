// The order draft: what each change leaves on disk, the fates each kind of answer leaves, the guard
// across a restart, the document's name and modes, the documents as written before, the reader against
// documents it must refuse, and the screens' rows following each change.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "model/AppContext.h"
#include "order/OrderCarViewController.h"
#include "order/OrderConfirmViewController.h"
#include "ui/ZelkNavigationController.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAccount = QStringLiteral("U10023");

Order line(const QString &matnr, int pages)
{
    return sampleLine(matnr, 2720.5f, 12.125f, pages);
}

// A draft signed in as kAccount over a folder that outlives it, as the app's data folder outlives a process.
struct Drafts {
    QTemporaryDir dir;
    std::unique_ptr<OrderDraft> draft;
    Drafts() { restart(); }
    // The process ends (nothing saved on the way out) and the next one signs in.
    OrderDraft &restart()
    {
        draft.reset();
        draft = std::make_unique<OrderDraft>(dir.path(), [] { return QStringLiteral("陳志明"); });
        draft->open(kAccount);
        return *draft;
    }
    bool saved() const { return QTest::qWaitFor([this] { return draft->isSaved(); }); }
    QString path() const { return draft->documentPath(kAccount); }
};

} // namespace

class OrderDraftTest : public QObject
{
    Q_OBJECT
private slots:
    void changesAreSavedAndRestored_data() { QVERIFY(zelktest::addFixtureRows("order/draftChanges")); }
    void changesAreSavedAndRestored()
    {
        QFETCH(QJsonObject, row);
        const bool stored = row["stored"].toBool(); // a document is left, and restored after a restart
        Drafts d;
        OrderDraft &draft = *d.draft;
        const OrderCustomer customer{.kunnr = QStringLiteral("0000100101")};
        for (const QString &step : row["steps"].toVariant().toStringList()) {
            if (step == "normal" || step == "contract")
                draft.start(step == "normal" ? OrderDraft::Kind::normal : OrderDraft::Kind::contract, customer);
            else if (step == "line")
                draft.appendLine(line(QString::number(draft.lines().size()), 30));
            else if (step == "edit") {
                const Order before = draft.lines().first();
                Order edited = before;
                edited.orderItem.orderNumber = 3;
                QVERIFY(draft.editLine(before.orderSeq, edited));
                QVERIFY(draft.lines().first().orderSeq != before.orderSeq); // changed: a new line for the server
                QVERIFY(!draft.editLine(before.orderSeq, edited));
            } else if (step == "remove")
                draft.removeLine(draft.lines().first().orderSeq);
            else if (step == "failed")
                draft.setFailedSubmissionAt(1700000000.5);
            else
                draft.discard();
        }
        const OrderDraftContent content = draft.content();
        QVERIFY(d.saved());
        QCOMPARE(QFile::exists(d.path()), stored);
        d.restart();
        if (stored)
            QCOMPARE(d.draft->content(), content);
        QCOMPARE(d.draft->resumable(), stored && content.kind != OrderDraft::Kind::none);
        QCOMPARE(d.draft->cart().orderConfirmArray().size(), stored ? content.lines.size() * 30 : 0);
    }

    // One order of three copies sent; `results` answers each line: S ordered, E refused, - not named,
    // or "lost" for no answer at all.
    void fatesAfterEachAnswer_data() { QVERIFY(zelktest::addFixtureRows("order/draftFates")); }
    void fatesAfterEachAnswer()
    {
        QFETCH(QJsonObject, row);
        const QStringList results = row["results"].toVariant().toStringList();
        const QHash<QChar, LineFate> named{{'U', LineFate::unknown}, {'O', LineFate::ordered}, {'R', LineFate::refused}};
        const QString fates = row["fates"].toString(); // per line: U unknown, O ordered, R refused
        const QJsonArray keptIdentity = row["keptIdentity"].toArray(); // per line: still in the cart under its identity
        const int linesLeft = row["linesLeft"].toInt();
        Drafts d;
        OrderDraft &draft = *d.draft;
        draft.setLines({line(QStringLiteral("10000101"), 3)});
        QList<OrderConfirm> sent = draft.cart().orderConfirmArray();
        QCOMPARE(draft.fate(sent.at(0).orderSeq), LineFate::notSent);
        QVERIFY(!draft.holdsLinesOfUnknownFate());
        draft.markSent(sent);
        if (results != QStringList{"lost"}) {
            for (qsizetype i = 0; i < sent.size(); ++i)
                sent[i].orderStatus = results[i] == "S" ? SapOrderStatus::success
                                      : results[i] == "E" ? SapOrderStatus::fail
                                                          : SapOrderStatus::waitToOrder;
            draft.recordAnswer(sent);
        }
        for (qsizetype i = 0; i < sent.size(); ++i)
            QCOMPARE(draft.fate(sent.at(i).orderSeq), named.value(fates.at(i)));
        QVERIFY(d.saved());
        d.restart(); // what the answer left holds after a restart too
        QStringList left;
        for (const OrderConfirm &l : d.draft->cart().orderConfirmArray())
            left << l.orderSeq;
        QCOMPARE(left.size(), linesLeft);
        for (qsizetype i = 0; i < sent.size(); ++i)
            QCOMPARE(left.contains(sent.at(i).orderSeq), keptIdentity.at(i).toBool());
        // What is left is the one order with a copy per line left: refused lines under new identities.
        QCOMPARE(d.draft->lines().size(), linesLeft ? 1 : 0);
        for (const OrderConfirm &l : d.draft->cart().orderConfirmArray()) {
            QCOMPARE(l.rootSeq, d.draft->lines().first().orderSeq);
            QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F-]{36}$")).match(l.orderSeq).hasMatch());
        }
        QCOMPARE(d.draft->holdsLinesOfUnknownFate(), fates.contains(QLatin1Char('U')));
    }

    // The last unsuccessful answer came at T; the app restarts and submits at T + `elapsed`.
    void guardHoldsAcrossRestart_data() { QVERIFY(zelktest::addFixtureRows("order/guardAcrossRestart")); }
    void guardHoldsAcrossRestart()
    {
        QFETCH(QJsonObject, row);
        const double elapsed = row["elapsed"].toDouble();
        const bool refused = row["refused"].toBool();
        QTemporaryDir dir;
        const double T = 1700000000;
        {
            AppContext before(AppContext::Options{dir.path(), nullptr, false});
            before.draft().open(kAccount);
            before.draft().setFailedSubmissionAt(T);
            QVERIFY(QTest::qWaitFor([&] { return before.draft().isSaved(); }));
        }
        AppContext after(AppContext::Options{dir.path(), nullptr, false});
        after.submissionGuard().setClock([&] { return T + elapsed; });
        QVERIFY(!after.submissionGuard().orderTimeLimitActive()); // no account signed in yet
        after.draft().open(kAccount);
        QCOMPARE(after.submissionGuard().orderTimeLimitActive(),
                 refused); // refusing: the confirmation's guard rows
    }

    // One owner-only document per account in the data folder; signing out keeps it for that account only.
    void oneOwnerOnlyDocumentPerAccount()
    {
        Drafts d;
        const OrderCustomer customer{.kunnr = QStringLiteral("0000100101")};
        d.draft->start(OrderDraft::Kind::normal, customer);
        QVERIFY(d.saved());
        QVERIFY(QRegularExpression(QStringLiteral("/orderDraft-[0-9a-f]{32}\\.json$")).match(d.path()).hasMatch());
        QCOMPARE(QFileInfo(d.path()).absolutePath(), QFileInfo(d.dir.path()).absoluteFilePath());
        QCOMPARE(int(QFile::permissions(d.path())) & 0x7077, 0x6000); // owner read and write only
        QVERIFY(d.draft->documentPath(QStringLiteral("U10024")) != d.path());
        d.draft->close();
        QVERIFY(!d.draft->resumable());
        d.draft->open(QStringLiteral("U10024"));
        QVERIFY(!d.draft->resumable());
        QVERIFY(QFile::exists(d.path()));
        d.draft->open(kAccount);
        QCOMPARE(d.draft->order().orderCustomer.kunnr, customer.kunnr);
    }

    // Documents as the app wrote them: each must read, mean what it meant, and be written back the same,
    // so a key renamed on either side fails here instead of setting every rep's saved draft aside.
    void documentsKeepTheirFormat_data() { QVERIFY(zelktest::addFixtureRows("order/draftDocuments")); }
    void documentsKeepTheirFormat()
    {
        QFETCH(QJsonObject, row);
        const QString name = row["document"].toString();
        QFile file(QString::fromLocal8Bit(qgetenv("ZELK_TEST_SOURCE_DIR")) + "/tests/data/" + name + ".json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString why;
        const std::optional<OrderDraftContent> content = OrderDraftDocument::read(file.readAll(), kAccount, &why);
        QVERIFY2(content, qPrintable(why));
        QJsonArray lines;
        for (const Order &o : content->lines)
            lines << QJsonArray{o.orderSeq, QJsonArray::fromStringList(lineSeqs(o)), o.orderItem.matnr,
                                o.orderItem.price, o.orderItem.orderNumber, o.contract2.vbeln};
        QJsonObject results;
        for (auto it = content->results.cbegin(); it != content->results.cend(); ++it)
            results.insert(it.key(), QJsonArray{int(it->fate), it->sapOrderNo, it->sapOrderError});
        const QJsonObject means{{"kind", int(content->kind)},
                                {"customer", content->order.orderCustomer.name1},
                                {"material", content->order.orderItem.maktx},
                                {"lines", lines},
                                {"results", results},
                                {"guard", content->failedSubmissionAt ? QJsonValue(*content->failedSubmissionAt) : QJsonValue()}};
        ZELK_COMPARE_JSON(means, row["means"]);
        ZELK_COMPARE_FIXTURE(QJsonDocument::fromJson(OrderDraftDocument::write(*content, kAccount)).object(), name);
    }

    // A cart of materials A, B (two copies) and C shown by the cart panel and by an open confirmation, then
    // one change of the draft (`change`; for "answer" the confirmation submits and the gateway answers
    // `answer`, "$seq<i>" naming submission line i). What the draft signals, the row changes each model
    // sends (no reload), and the rows they then draw.
    void screensFollowEachChange_data() { QVERIFY(zelktest::addFixtureRows("order/draftSignals")); }
    void screensFollowEachChange()
    {
        QFETCH(QJsonObject, row);
        AppHarness h;
        h.startSignedIn();
        auto *root = new Screen;
        h.navigator.setRootScreen(root);
        OrderDraft &draft = h.context->draft();
        QList<Order> cartLines{line(QStringLiteral("A"), 1), line(QStringLiteral("B"), 2), line(QStringLiteral("C"), 1)};
        for (Order &o : cartLines)
            o.orderItem.maktx = o.orderItem.matnr;
        draft.setLines(cartLines);
        OrderCarViewController cart;
        cart.setEnvironment({&h.ui, nullptr, h.context.get()});
        cart.viewDidLoad();
        auto *confirm = new OrderConfirmViewController;
        root->present(new ZelkNavigationController(confirm), false);
        settle();
        const QList<OrderConfirm> sent = draft.cart().orderConfirmArray();

        QJsonObject seen{{"draft", QJsonArray()}, {"cart", QJsonArray()}, {"confirm", QJsonArray()}};
        const auto note = [&seen](const char *who, const QString &what) { seen[who] = seen[who].toArray() << what; };
        const auto atLine = [=](const char *what) {
            return [=](int at) { note("draft", QStringLiteral("%1 %2").arg(what).arg(at)); };
        };
        connect(&draft, &OrderDraft::lineAdded, this, atLine("lineAdded"));
        connect(&draft, &OrderDraft::lineChanged, this, atLine("lineChanged"));
        connect(&draft, &OrderDraft::lineRemoved, this, atLine("lineRemoved"));
        connect(&draft, &OrderDraft::linesReset, this, [=] { note("draft", QStringLiteral("linesReset")); });
        connect(&draft, &OrderDraft::resultsRecorded, this,
                [=](const QStringList &seqs) { note("draft", QStringLiteral("resultsRecorded %1").arg(seqs.size())); });
        for (const auto &whoAndModel : {std::pair{"cart", cart.lines()}, {"confirm", confirm->sections()}}) {
            const char *who = whoAndModel.first;
            QAbstractItemModel *model = whoAndModel.second;
            const auto range = [=](const char *what) {
                return [=](const QModelIndex &, int first, int last) {
                    note(who, QStringLiteral("%1 %2-%3").arg(what).arg(first).arg(last));
                };
            };
            connect(model, &QAbstractItemModel::rowsInserted, this, range("inserted"));
            connect(model, &QAbstractItemModel::rowsRemoved, this, range("removed"));
            connect(model, &QAbstractItemModel::modelReset, this, [=] { note(who, QStringLiteral("reset")); });
            connect(model, &QAbstractItemModel::dataChanged, this, [=](const QModelIndex &from, const QModelIndex &to) {
                note(who, QStringLiteral("changed %1-%2").arg(from.row()).arg(to.row()));
            });
        }

        const QString change = row["change"].toString();
        if (change == "add") {
            Order added = line(QStringLiteral("D"), 1);
            added.orderItem.maktx = added.orderItem.matnr;
            draft.appendLine(added);
        } else if (change == "edit") { // B's quantity, as the editing screen saves it
            Order edited = draft.lines().at(1);
            edited.orderItem.orderNumber = 7;
            QVERIFY(draft.editLine(edited.orderSeq, edited));
        } else if (change == "remove") {
            draft.removeLine(draft.lines().at(0).orderSeq);
        } else {
            QByteArray answer = QJsonDocument(row["answer"].toObject()).toJson();
            for (qsizetype i = 0; i < sent.size(); ++i)
                answer.replace("$seq" + QByteArray::number(i), sent[i].orderSeq.toUtf8());
            QVERIFY(h.gateway.setFault(QJsonObject{
                {"operation", "ZSD_CREATE_EIP_ORDER2"}, {"mode", "reply"}, {"body", QString::fromUtf8(answer)}}));
            confirm->orderAction();
            QVERIFY(QTest::qWaitFor([&] { return !h.ui.isSpinnerShowing(); }, 5000));
        }
        seen["cartRows"] = zelktest::drawnRows(cart.lines(), {"name", "orderNumberText", "pageText"});
        seen["confirmRows"] = zelktest::drawnRows(confirm->sections(), {"name", "orderNumberText", "statusText", "messageText"});
        seen["amount"] = confirm->amountText();
        ZELK_COMPARE_JSON(seen, row["expected"]);
    }

    void unreadableDocumentsAreSetAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        OrderDraftContent content;
        content.kind = OrderDraftContent::Kind::contract;
        content.lines = {line(QStringLiteral("10000101"), 2)};
        const QJsonObject valid = QJsonDocument::fromJson(OrderDraftDocument::write(content, kAccount)).object();
        const auto with = [&](const char *key, const QJsonValue &value) {
            QJsonObject o = valid;
            o.insert(QLatin1String(key), value);
            return QJsonDocument(o).toJson();
        };
        QJsonObject badLine = valid.value("lines").toArray().at(0).toObject();
        badLine.insert("orderPage", 31);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut short") << OrderDraftDocument::write(content, kAccount).chopped(20);
        QTest::newRow("not an object") << QByteArray("[1,2]");
        QTest::newRow("a newer version") << with("version", 2);
        QTest::newRow("another account's") << with("account", "U99999");
        QTest::newRow("copies out of range") << with("lines", QJsonArray{badLine});
        QTest::newRow("an unknown fate") << with("fates", QJsonObject{{"X", "maybe"}});
        QTest::newRow("a result without a fate")
            << with("results", QJsonObject{{"X", QJsonObject{{"sapOrderNo", "0010004711"}, {"sapOrderError", ""}}}});
    }
    void unreadableDocumentsAreSetAside()
    {
        QFETCH(QByteArray, bytes);
        Drafts d;
        d.draft->close();
        QFile file(d.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^order draft set aside: ")));
        d.draft->open(kAccount);
        QVERIFY(!d.draft->resumable());
        QVERIFY(!QFile::exists(d.path()));
        QFile aside(d.path() + QStringLiteral(".unreadable"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), bytes);
    }
};

ZELK_TEST(OrderDraftTest)
#include "OrderDraftTest.moc"
