#pragma once
// The choice of recipients of one notice-mail request ("選擇人員") from the notice group of the user's
// sales organisation, in two sections: the required persons ("請於以下人員中一定要選一位"), of whom exactly
// one is chosen (a radio choice), and the contact persons ("聯絡人員"), each chosen or not. Members of
// any other type are not listed. Saving hands the request back through done() with the chosen
// recipients, required person first, and goes back; it checks no rule itself.
#include "model/OrderStatus.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <optional>

// One listed member, whether it is chosen, and the header of its section on the first row of a section.
struct ChoiceMailRow {
    NoticeGroup member;
    bool selected = false;
    QString header;
    friend bool operator==(const ChoiceMailRow &, const ChoiceMailRow &) = default;
};

class ChoiceMailViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The required persons, then the contact persons; roles: header (the section's header on the first
    // row of each section, else empty; a section without members has none), name, mail, selected, required.
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)

public:
    explicit ChoiceMailViewController(QObject *parent = nullptr);

    void setSentMailOrderConfirm(const SentMailOrderConfirm &request) { m_request = request; }
    std::optional<SentMailOrderConfirm> sentMailOrderConfirm() const { return m_request; }
    QList<NoticeGroup> mailArray() const { return m_mailArray; }
    QList<NoticeGroup> selectArray() const { return m_selectArray; }
    ListModelBase *rows() { return &m_rows; }

    // Reads the notice group and marks as chosen the members among the request's recipients.
    void viewDidLoad() override;

    // A tap on a row: a required person becomes the one chosen; a contact person is chosen or unchosen.
    Q_INVOKABLE void selectRow(int row);
    Q_INVOKABLE void saveAction();

signals:
    void done(const SentMailOrderConfirm &request);

private:
    void addRedioMail(const NoticeGroup &member);
    void addMail(const NoticeGroup &member);
    bool isSelected(const NoticeGroup &member) const;
    void showRows();

    std::optional<SentMailOrderConfirm> m_request;
    QList<NoticeGroup> m_mailArray;
    QList<NoticeGroup> m_selectArray;
    RowListModel<ChoiceMailRow> m_rows;
};
