#pragma once
// The order confirmation: the submission lines of the cart and their total; submits them
// (ZSD_CREATE_EIP_ORDER2 through the submission guard), then marks every line with its result, keeps
// in the cart only what was not ordered, and offers the next steps: order query, close (all ordered)
// or edit (some not ordered), and the notice mail when a line was ordered and recipients exist.
// The opener installs successClosure and orderQueryClosure; both run after this screen has closed.
#include "model/OrderStatus.h"
#include "services/ServiceTypes.h"
#include "ui/Screen.h"

#include <QColor>
#include <QVariantList>

#include <functional>

class OrderConfirmViewController : public Screen
{
    Q_OBJECT
    // One entry per line: {name, priceText, orderNumberText, inco1Text, allPriceText, rowCount,
    // statusText, messageText, statusColor}.
    Q_PROPERTY(QVariantList sections READ sectionsForView NOTIFY tableReloaded)
    Q_PROPERTY(QString amountText READ amountText NOTIFY tableReloaded)
    Q_PROPERTY(bool amountViewHidden READ isAmountViewHidden NOTIFY stateChanged)
    // Object names of the buttons of the button row, in order ("confirmButton", "orderQueryButton",
    // "closeButton", "editOrderButton").
    Q_PROPERTY(QStringList buttons READ buttons NOTIFY stateChanged)
    Q_PROPERTY(QColor orderQueryButtonColor READ orderQueryButtonColor NOTIFY stateChanged)
    Q_PROPERTY(bool sendMailButtonViewHidden READ isSendMailButtonViewHidden NOTIFY stateChanged)
    Q_PROPERTY(QString sendMailButtonTitle READ sendMailButtonTitle NOTIFY stateChanged)
    Q_PROPERTY(bool sendMailButtonEnabled READ isSendMailButtonEnabled NOTIFY stateChanged)

public:
    using SuccessClosure = std::function<void(bool hasFailedLines, bool editRequested, bool closeRequested)>;

    explicit OrderConfirmViewController(QObject *parent = nullptr);

    void setSuccessClosure(SuccessClosure closure) { m_successClosure = std::move(closure); }
    void setOrderQueryClosure(std::function<void()> closure) { m_orderQueryClosure = std::move(closure); }

    void viewDidLoad() override;

    QList<OrderConfirm> tableArray() const { return m_tableArray; }
    QString amountText() const { return m_amountText; }
    bool isAmountViewHidden() const { return m_amountViewHidden; }
    QStringList buttons() const { return m_buttons; }
    QColor orderQueryButtonColor() const { return m_orderQueryButtonColor; }
    bool isSendMailButtonViewHidden() const { return m_sendMailButtonViewHidden; }
    QString sendMailButtonTitle() const { return m_sendMailButtonTitle; }
    bool isSendMailButtonEnabled() const { return m_sendMailButtonEnabled; }

    // ---- table ----
    int numberOfSections() const { return int(m_tableArray.size()); }
    // 1 while the line has no result, else 2.
    int numberOfRows(int section) const;
    // Texts of the line row (OrderCartCell) of a section.
    struct CartCellTexts {
        QString nameLabel, priceLabel, orderNumberLabel, allPriceLabel, inco1Label;
    };
    CartCellTexts cartCell(int section) const;
    // Texts and background of the result row (OrderConfirmStatusCell) of a section.
    struct StatusCellTexts {
        QString statusLabel, messageLabel;
        QColor background;
    };
    StatusCellTexts statusCell(int section) const;
    Q_INVOKABLE void selectRow(int section, int row) { Q_UNUSED(section) Q_UNUSED(row) }

    // ---- actions ----
    Q_INVOKABLE void orderAction();
    Q_INVOKABLE void orderQueryAction();
    // `sender`: "closeButton", "editOrderButton" or "cancel" (the cancel bar button).
    Q_INVOKABLE void closeAction(const QString &sender);
    // Opens the notice-mail screen ("SendMailViewController" of storyboard "OrderConfirm"), handing it
    // the lines through its invokable setOrderConfirmLines(QVariant) and listening to its sentSuccess().
    Q_INVOKABLE void sentMailAction();

signals:
    void tableReloaded();
    void stateChanged();

private slots:
    void mailSent();

private:
    void handleAnswer(const ApiStatus &status);
    void afterAttempt();
    bool mailScreenAvailable() const;
    QVariantList sectionsForView() const;

    QList<OrderConfirm> m_tableArray;
    QString m_amountText;
    bool m_amountViewHidden = false;
    QStringList m_buttons;
    QColor m_orderQueryButtonColor;
    bool m_sendMailButtonViewHidden = true;
    QString m_sendMailButtonTitle;
    bool m_sendMailButtonEnabled = true;
    SuccessClosure m_successClosure;
    std::function<void()> m_orderQueryClosure;
};
