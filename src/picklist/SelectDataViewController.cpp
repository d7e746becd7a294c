#include "picklist/SelectDataViewController.h"

#include "ui/Storyboard.h"
#include "ui/Ui.h"

SelectDataViewController::SelectDataViewController(QObject *parent) : Screen(parent) {}

SelectDataViewDelegate *SelectDataViewController::delegate() const
{
    return m_delegateObject ? m_delegate : nullptr;
}

int SelectDataViewController::rowCount() const
{
    SelectDataViewDelegate *d = delegate();
    return d ? std::max(0, d->selectDataCount()) : 0;
}

SelectDataCell SelectDataViewController::cellAt(int row) const
{
    SelectDataViewDelegate *d = delegate();
    if (!d || row < 0 || row >= d->selectDataCount())
        return {};
    const SelectDataTexts texts = d->selectDataTexts(row);
    return {texts.title.value_or(QString()), texts.detail.value_or(QString())};
}

void SelectDataViewController::reloadData()
{
    ++m_revision;
    emit dataReloaded();
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
    Screen *screen = board ? board->instantiateInitial(QStringLiteral("SelectDataViewController")) : nullptr;
    auto *pickList = qobject_cast<SelectDataViewController *>(screen);
    if (!pickList)
        delete screen;
    return pickList;
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
    // A second tap while the pick list is leaving must not choose twice.
    if (!m_success || isBeingDismissed() || row < 0 || row >= rowCount())
        return;
    Success success = m_success;
    m_success = nullptr;
    const IndexPath indexPath{0, row};
    dismiss(true, [success, indexPath] { success(indexPath); });
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
