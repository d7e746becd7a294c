// Accounts: sign-in and password change.
#include "SimAnswers.h"
#include "SimBackend.h"


using namespace sim;

QJsonObject SimBackend::login(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("user_name"), QStringLiteral("password")}))
        return *m;
    const QString name = str(p, QStringLiteral("user_name"));
    const QString password = str(p, QStringLiteral("password"));
    for (const Account &a : std::as_const(m_accounts)) {
        if (a.account == name && a.password == password) {
            const QJsonObject org = salesOrg(a.vkorg);
            return ok({{"appUserInfo", QJsonObject{{"userID", a.userID}, {"userName", a.userName}, {"email", a.email}}},
                       {"bukrs", org.value(QStringLiteral("bukrs")).toString()},
                       {"vkorg", a.vkorg},
                       {"bukrsName", org.value(QStringLiteral("bukrsName")).toString()},
                       {"vkorgName", org.value(QStringLiteral("vkorgName")).toString()}},
                      QStringLiteral("登入成功"));
        }
    }
    return fail(QStringLiteral("01"), QStringLiteral("帳號或密碼錯誤"));
}

QJsonObject SimBackend::modAppPwd(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("password"), QStringLiteral("newPassword")}))
        return *m;
    Account *a = accountById(str(p, QStringLiteral("userID")));
    if (!a)
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    if (a->password != str(p, QStringLiteral("password")))
        return fail(QStringLiteral("01"), QStringLiteral("舊密碼錯誤"));
    static const QRegularExpression digest(QStringLiteral("^[0-9a-f]{32}$"));
    const QString next = str(p, QStringLiteral("newPassword"));
    if (!digest.match(next).hasMatch())
        return fail(QStringLiteral("01"), QStringLiteral("新密碼格式錯誤"));
    a->password = next;
    return ok({}, QStringLiteral("密碼修改成功"));
}
