#pragma once
// Whether the installed version may still be used: asks the version-check service at most once every
// 30 minutes, keeps the announced update (optional or forced) for the process, and asks the app layer
// to show the update alert. The toolkit is reached only through the two hooks below.
#include <QJsonDocument>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class ServiceClient;
struct RawResponse;

class VersionCheck : public QObject
{
    Q_OBJECT
    Q_PROPERTY(UpdateState updateState READ updateState NOTIFY stateChanged)
    Q_PROPERTY(QString updateNote READ updateNote NOTIFY stateChanged)
    Q_PROPERTY(bool hasUpdateUrl READ hasUpdateUrl NOTIFY stateChanged)
    Q_PROPERTY(QString versionText READ versionText CONSTANT)
public:
    enum class UpdateState { None = 0, Optional = 1, Forced = 2 };
    Q_ENUM(UpdateState)

    static constexpr double kThrottleSeconds = 1800;

    // The service's own evaluation of an answer; `code` is always "9999" and never read.
    struct Result {
        bool isSuccess = false;
        QString code = QStringLiteral("9999");
        QString message;
        std::optional<QJsonDocument> json;
    };

    explicit VersionCheck(ServiceClient &client, QObject *parent = nullptr);

    UpdateState updateState() const { return m_updateState; }
    QString updateNote() const { return m_updateNote; }
    std::optional<QUrl> updateUrl() const { return m_updateUrl; }
    bool hasUpdateUrl() const { return m_updateUrl.has_value(); }
    double lastCheckTime() const { return m_lastCheckTime; }
    bool updateAlertShown() const { return m_updateAlertShown; }

    // The short version text of the application (compiled in; tests replace it).
    QString versionText() const { return m_versionText; }
    void setVersionText(const QString &text) { m_versionText = text; }
    // Seconds since 1970; tests inject their own clock.
    void setClock(std::function<double()> now) { m_now = std::move(now); }

    // The trigger: sends a request when the last one is older than 30 minutes, then shows the alert of the
    // current state (optional: once; forced: every time).
    Q_INVOKABLE void checkForUpdate();
    // Opens the update page when its address is known; does nothing otherwise. True when it was opened.
    Q_INVOKABLE bool openUpdatePage();
    // While a forced update is announced the installed version must not be used.
    bool blocksUse() const { return m_updateState == UpdateState::Forced; }

    static Result evaluate(const RawResponse &response);
    // Only a web page may be opened as the update page (http or https with a host); any other address
    // from the answer counts as none.
    static bool isUpdatePageAddress(const QUrl &url);

    // Set by the app layer: show the alert "有新版本" with `note`; "取消" only when `cancellable`,
    // "立刻更新" runs openUpdatePage().
    std::function<void(const QString &note, bool cancellable)> showUpdateAlert;
    // Set by the app layer: asks the system to open an address, returns whether it did.
    std::function<bool(const QUrl &)> openUrl;

signals:
    void stateChanged();
    // An answer (or its failure) has been evaluated and applied.
    void checkFinished();

private:
    void sendRequest();
    void apply(const Result &result);
    void setState(UpdateState state, const QString &note, const std::optional<QUrl> &url);

    ServiceClient &m_client;
    UpdateState m_updateState = UpdateState::None;
    QString m_updateNote;
    std::optional<QUrl> m_updateUrl;
    double m_lastCheckTime = 0;
    bool m_updateAlertShown = false;
    QString m_versionText;
    std::function<double()> m_now;
};
