#pragma once
// What the owner of a searchable pick list supplies: its rows, and its answers to searching and
// reloading. The pick list holds its delegate weakly (see SelectDataViewController::setDelegate).
#include <QString>

#include <optional>

class SelectDataViewController;

// The two texts of one row; an absent text is shown empty.
struct SelectDataTexts {
    std::optional<QString> title;
    std::optional<QString> detail;
};

class SelectDataViewDelegate
{
public:
    virtual ~SelectDataViewDelegate() = default;

    // Number of rows offered now.
    virtual int selectDataCount() = 0;
    // Texts of row `row` (0 ≤ row < selectDataCount()).
    virtual SelectDataTexts selectDataTexts(int row) = 0;
    // The search text changed (typed by the user). The delegate filters its rows and calls
    // pickList->reloadData().
    virtual void selectDataSearch(SelectDataViewController *pickList, const QString &text) = 0;
    // The search was cancelled: the text is empty again.
    virtual void selectDataCancelSearch(SelectDataViewController *pickList) = 0;
    // The user asked for the data to be fetched again.
    virtual void selectDataReload() = 0;
};
