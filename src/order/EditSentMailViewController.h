#pragma once
// The details of one notice-mail request ("輸入發送資訊"): vehicle number, remark and recipients.
// Recipients are removed here (never the required person) and added through the choice screen
// (ChoiceMailViewController). Saving checks the recipient rules, hands the request back through done()
// ticked for mailing, and goes back; going back by the navigation bar saves nothing.
#include "model/OrderStatus.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <optional>

class EditSentMailViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The fields, filled from the request when the screen loads.
    Q_PROPERTY(QString carNo READ carNo WRITE setCarNo NOTIFY fieldsChanged)
    Q_PROPERTY(QString remark READ remark WRITE setRemark NOTIFY fieldsChanged)
    // The line the request is about: its order number and its material.
    Q_PROPERTY(QString orderNo READ orderNo NOTIFY requestChanged)
    Q_PROPERTY(QString lineText READ lineText NOTIFY requestChanged)
    // The recipients, roles: name, mail, required (a required person, which cannot be deleted here).
    Q_PROPERTY(ListModelBase *recipients READ recipients CONSTANT)

public:
    explicit EditSentMailViewController(QObject *parent = nullptr);

    void setSentMailOrderConfirm(const SentMailOrderConfirm &request);
    std::optional<SentMailOrderConfirm> sentMailOrderConfirm() const { return m_request; }
    // Open the choice of recipients as soon as this screen has appeared (once).
    void setShowSelectMailView(bool show) { m_showSelectMailView = show; }
    bool showSelectMailView() const { return m_showSelectMailView; }

    QString carNo() const { return m_carNo; }
    void setCarNo(const QString &text);
    QString remark() const { return m_remark; }
    void setRemark(const QString &text);
    QString orderNo() const;
    QString lineText() const;
    ListModelBase *recipients() { return &m_recipients; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    // Opens the choice of recipients ("選擇人員"); its saved choice replaces the recipients here.
    Q_INVOKABLE void selectMailAction();
    // Removes the recipient of a row; a required person is refused ("無法刪除必選人員").
    Q_INVOKABLE void deleteAction(int row);
    // Shows the request's ordered line read-only.
    Q_INVOKABLE void showOrderInfoAction();
    // Checks the recipient rules ("請選擇必選人員", "請選擇一定要選擇一位人員"), then hands the request back
    // with the fields and ticked, and goes back.
    Q_INVOKABLE void saveAction();

signals:
    void fieldsChanged();
    void requestChanged();
    void done(const SentMailOrderConfirm &request);

private:
    void refuse(const QString &title);
    void showRecipients();

    std::optional<SentMailOrderConfirm> m_request;
    bool m_showSelectMailView = false;
    QString m_carNo;
    QString m_remark;
    RowListModel<MailUser> m_recipients;
};
