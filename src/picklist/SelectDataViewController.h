#pragma once
// The searchable pick list: a modal screen with a search bar, a table of rows supplied by its delegate,
// a close button and, when `showReload` is set, a reload button in its toolbar. Used to pick customers
// (order entry, order query) and priced materials.
//
// The owner sets the delegate (held weakly) and `showReload`, connects to chosen(), then presents the
// pick list. Choosing a row dismisses the pick list and, once it is gone, emits chosen() with the row.
// Every text change typed into the search bar goes to the delegate, which filters its own rows and
// calls reloadData(); so does the search text each time the pick list is about to appear, so that the
// rows offered always match the search box.
//
// The table is `rows`: a list model whose rows are the delegate's row numbers and whose roles
// (`title`, `detail`) read the delegate's texts when the view draws them, so a keystroke over a long
// list copies no text.
//
// A presented screen is deleted after its dismissal, so owners keep it through a QPointer and create a
// new one for each pick.
#include "picklist/SelectDataCell.h"
#include "picklist/SelectDataViewDelegate.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <type_traits>

class SelectDataViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // Rows of the table, roles `title` and `detail`.
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(QString searchText READ searchText NOTIFY searchTextChanged)
    Q_PROPERTY(bool showsCancelButton READ showsCancelButton NOTIFY showsCancelButtonChanged)
    // The search bar's placeholder, set by the owner ("輸入物料編號 or 物料名稱" for materials); the view
    // shows "搜尋" while it is empty.
    Q_PROPERTY(QString searchPlaceholder READ searchPlaceholder WRITE setSearchPlaceholder NOTIFY searchPlaceholderChanged)
    // Whether the toolbar offers the reload button; follows `showReload` each time before appearing.
    Q_PROPERTY(bool reloadBarItemVisible READ isReloadBarItemVisible NOTIFY reloadBarItemVisibleChanged)
    // The border of the framed area (`bgView`): 1 point, corner radius 3.
    Q_PROPERTY(QColor bgViewBorderColor READ bgViewBorderColor CONSTANT)

public:
    explicit SelectDataViewController(QObject *parent = nullptr);
    // A new pick list from the storyboard; null when there is none.
    static SelectDataViewController *instantiate(Storyboard *board);

    // The delegate is a QObject implementing SelectDataViewDelegate; it is dropped when destroyed.
    template <class T> void setDelegate(T *delegate)
    {
        static_assert(std::is_base_of_v<QObject, T> && std::is_base_of_v<SelectDataViewDelegate, T>,
                      "the delegate of a pick list is a QObject implementing SelectDataViewDelegate");
        m_delegateObject = delegate;
        m_delegate = delegate;
        // A delegate that goes takes its rows with it.
        connect(delegate, &QObject::destroyed, this, &SelectDataViewController::reloadData, Qt::UniqueConnection);
        reloadData();
    }
    SelectDataViewDelegate *delegate() const;

    bool showReload() const { return m_showReload; }
    void setShowReload(bool show) { m_showReload = show; }

    // ---- table ----
    ListModelBase *rows() { return &m_rows; }
    int rowCount() const { return m_rows.size(); }
    // The cell of `row` as the table shows it (its roles); an absent text or a row out of range is empty.
    SelectDataCell cellAt(int row) const;
    // Asks the delegate for the rows again: the count follows the delegate's, and every shown row
    // reads its texts again.
    void reloadData();

    // ---- search bar ----
    QString searchText() const { return m_searchText; }
    QString searchPlaceholder() const { return m_searchPlaceholder; }
    void setSearchPlaceholder(const QString &placeholder);
    bool showsCancelButton() const { return m_showsCancelButton; }
    void setShowsCancelButton(bool shows);
    // Empties the search bar's text without telling the delegate (owners call it after new data).
    void clearSearchText();

    // ---- view actions ----
    // The search bar began editing: its cancel button shows.
    Q_INVOKABLE void searchBarTextDidBeginEditing();
    // The user changed the search text: the delegate searches, the cancel button shows.
    Q_INVOKABLE void searchTextChangedByUser(const QString &text);
    // The keyboard's search button: editing ends, nothing else.
    Q_INVOKABLE void searchBarSearchButtonClicked();
    // The search bar's cancel button: empty text, delegate told, cancel button hidden, editing ended.
    Q_INVOKABLE void searchBarCancelButtonClicked();
    // The toolbar's reload button.
    Q_INVOKABLE void reloadActionWithSender();
    // The close button: dismiss without a choice.
    Q_INVOKABLE void clossViewAction();
    Q_INVOKABLE void endEditAction();
    // A row was chosen.
    Q_INVOKABLE void didSelectRow(int row);

    bool isReloadBarItemVisible() const { return m_reloadBarItemVisible; }
    QColor bgViewBorderColor() const { return QColor::fromRgbF(0.745f, 0.784f, 0.902f, 1.0f); }

    void viewWillAppear(bool animated) override;

signals:
    // A row was chosen; emitted once the pick list has been dismissed.
    void chosen(int row);
    void searchTextChanged();
    void searchPlaceholderChanged();
    void showsCancelButtonChanged();
    void reloadBarItemVisibleChanged();

private:
    void setSearchText(const QString &text);
    // The delegate's texts of `row`; none without a delegate or out of range.
    SelectDataTexts textsOf(int row) const;

    QPointer<QObject> m_delegateObject;
    SelectDataViewDelegate *m_delegate = nullptr;
    bool m_showReload = false;
    RowListModel<int> m_rows;
    QString m_searchText;
    QString m_searchPlaceholder;
    bool m_showsCancelButton = false;
    bool m_reloadBarItemVisible = true;
};
