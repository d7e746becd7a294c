#include "notify/PushListViewController.h"

#include "model/AppContext.h"
#include "notify/PushHistory.h"
#include "text/Localizer.h"

PushListViewController::PushListViewController(QObject *parent)
    : Screen(parent),
      m_records({{"time", [](const UserPushHistory &r) { return r.startDate; }},
                 {"title", [](const UserPushHistory &r) { return r.title; }}}),
      m_header(new RefreshControl(RefreshControl::Kind::Header, [this] { headerRefresh(); }, this)),
      m_footer(new RefreshControl(RefreshControl::Kind::Footer, [this] { footerRefresh(); }, this)),
      m_paging(m_header, m_footer)
{
    m_footer->setTitle(RefreshControl::Idle, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "上滑繼續載入")));
    m_footer->setTitle(RefreshControl::Pulling, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "上滑繼續載入")));
    m_footer->setTitle(RefreshControl::Refreshing, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "正在更新中")));
    m_footer->setTitle(RefreshControl::NoMoreData, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "已無資料")));
}

void PushListViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "通知")));
    m_footer->endRefreshingWithNoMoreData();
    m_header->beginRefreshing();
}

void PushListViewController::headerRefresh()
{
    m_paging.restart();
    m_records.setRows({});
    loadHistoryPage(QString());
}

void PushListViewController::footerRefresh()
{
    // The cursor is the last notification shown; with none (a header refresh has just emptied the
    // list) there is nothing to continue from, and the header's page decides the footer's state.
    if (m_records.size() == 0) {
        m_footer->endRefreshing();
        return;
    }
    loadHistoryPage(m_records.rows().last().newsId);
}

void PushListViewController::loadHistoryPage(const QString &lastNewsId)
{
    AppContext *ctx = context();
    if (!ctx) {
        pageArrived({});
        return;
    }
    const int run = m_paging.run();
    ctx->operations().userPushHistory(PushHistory::userId(*ctx), lastNewsId, this,
                                      [this, run](const ApiStatus &status) {
                                          if (!m_paging.isCurrent(run))
                                              return;
                                          // No alert: a failure is an empty page.
                                          pageArrived(PushHistory::page(status).value_or(QList<UserPushHistory>()));
                                      });
}

void PushListViewController::pageArrived(const QList<UserPushHistory> &page)
{
    if (lcNotify().isDebugEnabled()) {
        QStringList ids;
        for (const UserPushHistory &record : page)
            ids << record.newsId + QLatin1Char(':') + record.title;
        qCDebug(lcNotify).noquote() << "dataArray:" << ids.join(QStringLiteral(", "));
    }
    m_paging.pageEnded(page.isEmpty());
    m_records.setRows(m_records.rows() + page);
}
