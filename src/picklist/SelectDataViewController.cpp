#include "picklist/SelectDataViewController.h"

#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QMetaMethod>

#include <numeric>

namespace {
QString textOr(const std::optional<QString> &text) { return text.value_or(QString()); }
} // namespace

SelectDataViewController::SelectDataViewController(QObject *parent)
    : Screen(parent),
      m_rows({{"title", [this](int row) { return QVariant(textOr(textsOf(row).title)); }},
              {"detail", [this](int row) { return QVariant(textOr(textsOf(row).detail)); }}},
             this)
{
}

SelectDataTexts SelectDataViewController::textsOf(int row) const
{
    SelectDataViewDelegate *d = delegate();
    if (!d || row < 0 || row >= d->selectDataCount())
        return {};
    return d->selectDataTexts(row);
}

SelectDataViewDelegate *SelectDataViewController::delegate() const
{
    return m_delegateObject ? m_delegate : nullptr;
}

SelectDataCell SelectDataViewController::cellAt(int row) const
{
    return {m_rows.value(row, "title").toString(), m_rows.value(row, "detail").toString()};
}

void SelectDataViewController::reloadData()
{
    SelectDataViewDelegate *d = delegate();
    QList<int> rows(d ? std::max(0, d->selectDataCount()) : 0);
    std::iota(rows.begin(), rows.end(), 0);
    // The row numbers stay where they were, but the delegate's texts behind them changed.
    m_rows.setRows(rows);
    m_rows.refresh();
}

void SelectDataViewController::setSearchPlaceholder(const QString &placeholder)
{
    if (m_searchPlaceholder == placeholder)
        return;
    m_searchPlaceholder = placeholder;
    emit searchPlaceholderChanged();
}

void SelectDataViewController::setShowsCancelButton(bool shows)
{
    if (m_showsCancelButton == shows)
        return;
    m_showsCancelButton = shows;
    emit showsCancelButtonChanged();
}

SelectDataViewController *SelectDataViewController::instantiate(Storyboard *board)
{
    return board ? board->instantiate<SelectDataViewController>(Scene::SelectData) : nullptr;
}

void SelectDataViewController::setSearchText(const QString &text)
{
    if (m_searchText == text)
        return;
    m_searchText = text;
    emit searchTextChanged();
}

void SelectDataViewController::clearSearchText()
{
    setSearchText(QString());
}

void SelectDataViewController::searchBarTextDidBeginEditing()
{
    setShowsCancelButton(true);
}

void SelectDataViewController::searchTextChangedByUser(const QString &text)
{
    if (text == m_searchText)
        return;
    setSearchText(text);
    if (SelectDataViewDelegate *d = delegate())
        d->selectDataSearch(this, text);
    setShowsCancelButton(true);
}

void SelectDataViewController::searchBarSearchButtonClicked()
{
    endEditAction();
}

void SelectDataViewController::searchBarCancelButtonClicked()
{
    setSearchText(QString());
    if (SelectDataViewDelegate *d = delegate())
        d->selectDataCancelSearch(this);
    setShowsCancelButton(false);
    endEditAction();
}

void SelectDataViewController::reloadActionWithSender()
{
    setSearchText(QString());
    endEditAction();
    setShowsCancelButton(false);
    if (SelectDataViewDelegate *d = delegate())
        d->selectDataReload();
}

void SelectDataViewController::clossViewAction()
{
    if (isBeingDismissed())
        return;
    dismiss(true);
}

void SelectDataViewController::endEditAction()
{
    dismissKeyboard();
}

void SelectDataViewController::didSelectRow(int row)
{
    // Nobody listening: nothing to choose for, the pick list stays. A second tap while the pick list
    // is leaving must not choose twice.
    if (!isSignalConnected(QMetaMethod::fromSignal(&SelectDataViewController::chosen)) || isBeingDismissed()
        || row < 0 || row >= rowCount())
        return;
    // The completion runs only while this pick list lives (it is deleted after it).
    dismiss(true, [this, row] { emit chosen(row); });
}

void SelectDataViewController::viewWillAppear(bool animated)
{
    Screen::viewWillAppear(animated);
    // The owner's rows may still be filtered by an earlier pick: offer what this search text selects
    // (the whole list for an empty text).
    if (SelectDataViewDelegate *d = delegate())
        d->selectDataSearch(this, m_searchText);
    if (m_reloadBarItemVisible != m_showReload) {
        m_reloadBarItemVisible = m_showReload;
        emit reloadBarItemVisibleChanged();
    }
}
