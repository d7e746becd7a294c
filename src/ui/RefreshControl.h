#pragma once
// State of a pull-to-refresh header or load-more footer, owned by the screen that lists the rows and
// drawn by RefreshHeader.qml / LoadMoreFooter.qml. The screen decides what a refresh does
// (`onRefresh`) and ends it; the view reports the user's pull. Headless tests drive it the same way.
//
//   header: idle → (pulled far enough: pulling) → (released, or beginRefreshing()) refreshing → idle
//   footer: idle → refreshing → idle, or → no more data (pulls ignored until resetNoMoreData())
#include <QtQml/qqmlregistration.h>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class RefreshControl : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(bool refreshing READ isRefreshing NOTIFY stateChanged)
    Q_PROPERTY(bool footer READ isFooter CONSTANT)
    // The localised title of the current state.
    Q_PROPERTY(QString title READ title NOTIFY stateChanged)

public:
    enum State { Idle, Pulling, Refreshing, NoMoreData };
    Q_ENUM(State)
    enum class Kind { Header, Footer };

    // Header titles: "下滑更新資料", "放開開始更新", "更新資料中". Footer titles: the control's own
    // defaults unless the screen sets others with setTitle().
    RefreshControl(Kind kind, std::function<void()> onRefresh, QObject *parent = nullptr);

    State state() const { return m_state; }
    bool isRefreshing() const { return m_state == Refreshing; }
    bool isFooter() const { return m_kind == Kind::Footer; }
    bool isNoMoreData() const { return m_state == NoMoreData; }

    // The key is the untranslated text; it is looked up when shown.
    void setTitle(State state, const QString &key);
    QString titleKey(State state) const { return m_titles.value(state); }
    QString title() const;

    // Starts a refresh and runs onRefresh, unless one is running (or a footer has no more data).
    Q_INVOKABLE void beginRefreshing();
    void endRefreshing();
    void endRefreshingWithNoMoreData();
    void resetNoMoreData();

    // ---- from the view ----
    // The pull passed (or fell back under) the distance that starts a refresh on release.
    Q_INVOKABLE void setPulledFarEnough(bool far);
    // The user let go: a header refreshes when it was pulled far enough; a footer refreshes when it
    // is idle (it was scrolled into view).
    Q_INVOKABLE void release();

signals:
    void stateChanged();

private:
    void setState(State state);

    Kind m_kind;
    std::function<void()> m_onRefresh;
    State m_state = Idle;
    QHash<int, QString> m_titles;
};
