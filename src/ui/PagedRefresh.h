#pragma once
// The pull-to-refresh header and load-more footer of a paged list, and the pages in flight. A header
// refresh starts a new run: a page asked for in an earlier run belongs to a list that has since been
// emptied, and is dropped when it arrives.
#include "ui/RefreshControl.h"

class PagedRefresh
{
public:
    PagedRefresh(RefreshControl *header, RefreshControl *footer) : m_header(header), m_footer(footer) {}

    // A header refresh: the pages still in flight are dropped when they arrive.
    void restart() { ++m_run; }
    // The run a page request belongs to; a page whose run is not current is dropped.
    int run() const { return m_run; }
    bool isCurrent(int run) const { return run == m_run; }

    // A page has arrived (or failed): both controls stop; after the last page the footer shows that
    // there is no more data, after any other it pages on again.
    void pageEnded(bool last)
    {
        m_header->endRefreshing();
        m_footer->endRefreshing();
        if (last)
            m_footer->endRefreshingWithNoMoreData();
        else
            m_footer->resetNoMoreData();
    }

private:
    RefreshControl *m_header;
    RefreshControl *m_footer;
    int m_run = 0;
};
