#include "ui/RefreshControl.h"

#include "text/Localizer.h"

RefreshControl::RefreshControl(Kind kind, std::function<void()> onRefresh, QObject *parent)
    : QObject(parent), m_kind(kind), m_onRefresh(std::move(onRefresh))
{
    if (kind == Kind::Header) {
        m_titles = {{Idle, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "下滑更新資料"))},
                    {Pulling, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "放開開始更新"))},
                    {Refreshing, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "更新資料中"))}};
    } else {
        m_titles = {{Idle, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "點擊或上拉載入更多"))},
                    {Pulling, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "點擊或上拉載入更多"))},
                    {Refreshing, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "正在載入更多的資料..."))},
                    {NoMoreData, QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "已經全部載入完畢"))}};
    }
}

void RefreshControl::setTitle(State state, const QString &key)
{
    m_titles[state] = key;
    if (state == m_state)
        emit stateChanged();
}

QString RefreshControl::title() const { return localized(m_titles.value(m_state)); }

void RefreshControl::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void RefreshControl::beginRefreshing()
{
    if (m_state == Refreshing || m_state == NoMoreData)
        return;
    setState(Refreshing);
    if (m_onRefresh)
        m_onRefresh();
}

void RefreshControl::endRefreshing()
{
    if (m_state == Refreshing || m_state == Pulling)
        setState(Idle);
}

void RefreshControl::endRefreshingWithNoMoreData()
{
    if (m_kind == Kind::Footer)
        setState(NoMoreData);
    else
        endRefreshing();
}

void RefreshControl::resetNoMoreData()
{
    if (m_state == NoMoreData)
        setState(Idle);
}

void RefreshControl::setPulledFarEnough(bool far)
{
    if (m_state == Idle && far)
        setState(Pulling);
    else if (m_state == Pulling && !far)
        setState(Idle);
}

void RefreshControl::release()
{
    if (m_state == Pulling || (m_kind == Kind::Footer && m_state == Idle))
        beginRefreshing();
}
