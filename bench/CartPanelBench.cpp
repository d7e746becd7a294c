// The cart panel of a contract order at 100 lines of 30 copies each: the C++ work of one change as the
// rep makes it (the lines replaced, a line deleted, an edited line saved), rows, total, the cart's value and
// the submission lines included. Goal: under 2 ms each.
#include "model/AppContext.h"
#include "order/OrderCarViewController.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {
QList<Order> cartLines(int count)
{
    QList<Order> lines;
    for (int i = 0; i < count; ++i) {
        Order order;
        order.orderCustomer.kunnr = QStringLiteral("0000100101");
        order.contract2.vbeln = QStringLiteral("0040000101");
        order.orderItem.matnr = QString::number(10000000 + i);
        order.orderItem.maktx = QStringLiteral("波特蘭水泥%1號").arg(i);
        order.orderItem.inco1Bezei = QStringLiteral("送達工地");
        order.orderItem.price = 1250.5f + float(i);
        order.orderItem.orderNumber = 12.5f;
        order.orderPage = 30;
        lines.append(order);
    }
    return lines;
}
} // namespace

class CartPanelBench : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<OrderCarViewController> m_cart;

private slots:
    void init()
    {
        m_context = std::make_unique<AppContext>(AppContext::Options{m_dir.path(), nullptr, false});
        m_context->customerStruct().setCreditValue(1e12f);
        m_cart = std::make_unique<OrderCarViewController>();
        m_cart->setEnvironment({nullptr, nullptr, m_context.get()});
    }
    void cleanup()
    {
        m_cart.reset();
        m_context.reset();
    }

    // The panel's lines replaced as a whole, as an answer replaces them: 100 lines, then the 50 that an
    // answer left (the first 50 ordered), and back. The rows follow, with the total and the cart's value;
    // the draft's own derivation of the submission lines is included (unchanged orders are reused).
    void replaceLines()
    {
        const QList<Order> all = cartLines(100), left = all.mid(50);
        m_cart->rightWillOpen();
        int round = 0;
        QBENCHMARK {
            m_context->draft().setLines(++round % 2 ? left : all);
        }
        QCOMPARE(m_cart->rows().size(), m_context->draft().lines().size());
        QCOMPARE(m_cart->rows().first().orderSeq, m_context->draft().lines().first().orderSeq);
    }

    // One line deleted by swiping, from 150 lines down to 100: the mean of the 50 deletions.
    void deleteLine()
    {
        m_context->draft().setLines(cartLines(150));
        m_cart->rightWillOpen();
        m_cart->rightDidOpen();
        QElapsedTimer clock;
        qint64 total = 0;
        for (int i = 0; i < 50; ++i) {
            const QString seq = m_cart->rows().at(m_cart->rows().size() / 2).orderSeq;
            clock.start();
            m_cart->deleteLine(seq);
            total += clock.nsecsElapsed();
        }
        QCOMPARE(m_context->draft().cart().orderConfirmArray().size(), 100 * 30);
        QTest::setBenchmarkResult(qreal(total) / 50 / 1e6, QTest::WalltimeMilliseconds);
        qInfo("mean deletion: %.3f ms", double(total) / 50 / 1e6);
    }

    // An edited line (new quantity) saved into its place.
    void saveEdit()
    {
        m_context->draft().setLines(cartLines(100));
        m_cart->rightWillOpen();
        m_cart->rightDidOpen();
        int round = 0;
        QBENCHMARK {
            Order edited = m_context->draft().lines().at(50);
            edited.orderItem.orderNumber = float(++round % 7 + 1);
            m_cart->editOrderDone(edited.orderSeq, edited);
        }
        QCOMPARE(m_context->draft().cart().orderConfirmArray().size(), 100 * 30);
    }
};

QTEST_GUILESS_MAIN(CartPanelBench)
#include "CartPanelBench.moc"
