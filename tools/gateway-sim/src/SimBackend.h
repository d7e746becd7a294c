#pragma once
// The data side of the development gateway: seeded sample data plus the in-memory changes made by
// requests (orders placed, credit used, messages posted, passwords changed), and one handler per
// remote operation that answers in the shapes the client reads. Not thread-safe on its own: the
// simulator serialises every call.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class SimBackend
{
public:
    struct Photo {
        QByteArray bytes;
        QByteArray mimeType;
        QString fileName; // "p1.jpg"
        int width = 0;
        int height = 0;
    };

    SimBackend();

    // Reads a seed document; on failure the previous data stays and `error` says why.
    bool loadSeed(const QByteArray &json, QString *error);
    // Replaces the seed's customers and/or materials with generated ones (negative: keep the seed's).
    void generateLists(int customers, int materials);
    // Restores the state described by the seed (orders, credit, boards, passwords, version, history).
    void reset();

    bool hasGatewayOperation(const QString &apiName) const;
    bool hasWebServiceMethod(const QString &method) const;
    // `base` is the address the client reached us at ("http://127.0.0.1:PORT"), used for photo links.
    QJsonObject callGateway(const QString &apiName, const QJsonObject &params, const QString &base);
    QJsonObject callWebService(const QString &method, const QJsonObject &params);
    QJsonObject checkVersion(const QJsonObject &params) const;

    // Version-check answer: "none", "optional" or "forced"; note and address replace the seed's when given.
    bool setVersionState(const QString &state, const QString &note = {}, const QString &url = {});
    QString versionState() const { return m_version.state; }

    // Adds a notification at the top of an account's history ("userId" or "account", "title", "content",
    // "type"); answers with the new "newsId" or a failure.
    QJsonObject addPush(const QJsonObject &request);
    // The push tokens registered (`pushRegistration`) for the account a push request names.
    QStringList pushTokensFor(const QJsonObject &request) const;
    // Every account with registered tokens: {"<account>": ["<token>", ...]}, tokens in sorted order.
    QJsonObject pushDevices() const;

    std::optional<Photo> photo(const QString &fileName) const;
    QJsonArray sentMails() const { return m_sentMails; }
    QJsonArray placedOrders() const;
    int customerCount() const { return m_customers.size(); }
    int materialCount() const { return m_materials.size(); }

    // Day used for dates in answers; tests may pin "now" (invalid: the clock).
    void setNow(const QDateTime &now) { m_fixedNow = now; }

private:
    struct Account {
        QString account, password, userID, userName, email, gender, headshot, vkorg;
        QStringList customerOrgs;
    };
    struct Material {
        QString matnr, maktx, blocked;
        double basePrice = 0;
        QStringList vkorgs;
    };
    struct Credit {
        double limit = 0;
        double available = 0;
    };
    struct ContractLine {
        QString matnr;
        double kbetr = 0;
        double maximum = 0;
        double ordered = 0;
        QString inco1, inco2;
    };
    struct Contract {
        QString vbeln, auart, auarth, kunnr, zterm;
        QDate guebg, gueen;
        QList<ContractLine> lines;
    };
    struct PlacedOrder {
        QString vbeln, kunnr, matnr, arktx, werks, userID, orderSeq;
        double cmpre = 0, kwmeng = 0, fkimg = 0;
        QDateTime created; // UTC
    };
    struct Post {
        QString msgID, author, postTime, content, photo; // photo: file name or empty
        QList<Post> replies;                              // oldest first
    };
    struct Board {
        QString boardID, boardName;
        QList<Post> messages; // newest first
    };
    struct PushEntry {
        qint64 newsId = 0;
        QString title, content, startDate, endDate, type;
    };
    struct VersionAnswer {
        QString state = QStringLiteral("none");
        QString note, url;
    };
    using Handler = std::function<QJsonObject(SimBackend *, const QJsonObject &, const QString &)>;

    QDateTime now() const;
    QDate taipeiToday() const;
    const Account *accountById(const QString &userID) const;
    Account *accountById(const QString &userID);
    const QJsonObject *customer(const QString &kunnr) const;
    const Material *material(const QString &matnr) const;
    QJsonObject salesOrg(const QString &vkorg) const;
    bool canSee(const Account &account, const QJsonObject &customer) const;
    QString personName(const QString &userID) const;
    QJsonObject person(const QString &userID) const;
    QString photoUrl(const QString &base, const QString &fileName) const;
    QJsonObject postJson(const Post &post, int row, const QString &base, bool withReplies) const;
    Board *findBoard(const QString &boardID);
    Post *findMessage(const QString &msgID, Board **board = nullptr);
    std::optional<QJsonObject> newPost(const QJsonObject &p, QChar idPrefix, const QString &emptyMessage, Post *post);
    std::optional<QString> storePhoto(const QString &base64, QString *error);
    QJsonObject historyRow(const PlacedOrder &order) const;
    QList<PushEntry> *historyFor(const QString &userIdOrToken);
    // The userID a push request names by "account" (login account) or "userId".
    QString pushUserId(const QJsonObject &request) const;

    // Gateway operations.
    QJsonObject login(const QJsonObject &p);
    QJsonObject modAppPwd(const QJsonObject &p);
    QJsonObject clientList(const QJsonObject &p);
    QJsonObject infoList(const QString &kind, const QJsonObject &p);
    QJsonObject matnrPrice(const QJsonObject &p);
    QJsonObject customerCredit(const QJsonObject &p);
    QJsonObject contract2(const QJsonObject &p);
    QJsonObject contract1(const QJsonObject &p);
    QJsonObject tvstz(const QJsonObject &p);
    QJsonObject createOrder(const QJsonObject &p);
    QJsonObject queryOrder(const QJsonObject &p);
    QJsonObject sendMail(const QJsonObject &p);
    QJsonObject boardsList(const QJsonObject &p);
    QJsonObject boardMsgList(const QJsonObject &p, const QString &base);
    QJsonObject deleteBoardMsg(const QJsonObject &p);
    QJsonObject addBoardMsg(const QJsonObject &p);
    QJsonObject boardReplyMsgList(const QJsonObject &p, const QString &base);
    QJsonObject addBoardReplyMsg(const QJsonObject &p);
    QJsonObject deleteBoardReplyMsg(const QJsonObject &p);
    // Web-service methods.
    QJsonObject pushRegistration(const QJsonObject &p);
    QJsonObject userPushHistory(const QJsonObject &p);

    void generatePhotos();
    void buildPushHistory();

    QJsonObject m_seed;
    QHash<QString, Handler> m_gateway;
    QHash<QString, Handler> m_webService;
    QDateTime m_fixedNow;

    // Read-mostly data from the seed.
    QList<QJsonObject> m_customers;
    QHash<QString, int> m_customerIndex;
    QList<Material> m_materials;
    QHash<QString, int> m_materialIndex;
    QHash<QString, Photo> m_seedPhotos;

    // State changed by requests; rebuilt by reset().
    QList<Account> m_accounts;
    QHash<QString, Credit> m_credits;
    QList<Contract> m_contracts;
    QList<PlacedOrder> m_orders;                   // oldest first
    QHash<QString, QJsonObject> m_orderResults;    // orderSeq -> answer element of an ordered line
    qint64 m_nextOrderNumber = 10000001;
    QList<Board> m_boards;
    int m_nextPostId = 1;
    QHash<QString, Photo> m_uploadedPhotos;
    int m_nextPhotoId = 1;
    QHash<QString, QList<PushEntry>> m_pushHistory; // userID -> newest first
    QHash<QString, QString> m_pushTokens;           // token -> account name
    qint64 m_nextNewsId = 1;
    QJsonArray m_sentMails;
    VersionAnswer m_version;
};
