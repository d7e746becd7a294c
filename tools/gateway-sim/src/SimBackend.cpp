#include "SimBackend.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QJsonDocument>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace {

// Taiwan time: dates and times in answers are those of the supplier's servers (UTC+8, no DST).
constexpr qint64 kTaipeiOffsetMs = 8 * 3600 * 1000;

QJsonObject ok(QJsonObject data = {}, const QString &message = QStringLiteral("成功"))
{
    data.insert(QStringLiteral("returnCode"), QStringLiteral("00"));
    data.insert(QStringLiteral("returnMsg"), message);
    return data;
}

QJsonObject fail(const QString &code, const QString &message, QJsonObject data = {})
{
    data.insert(QStringLiteral("returnCode"), code);
    data.insert(QStringLiteral("returnMsg"), message);
    return data;
}

// A request value as text: strings as they are, numbers written plainly; anything else is empty.
QString str(const QJsonObject &p, const QString &key)
{
    const QJsonValue v = p.value(key);
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    return {};
}

// Keys the client always sends; an absent (or null) key is reported by name.
std::optional<QJsonObject> missing(const QJsonObject &p, const QStringList &keys)
{
    QStringList absent;
    for (const QString &key : keys) {
        if (!p.contains(key) || p.value(key).isNull() || p.value(key).isUndefined())
            absent << key;
    }
    if (absent.isEmpty())
        return std::nullopt;
    return fail(QStringLiteral("02"), QStringLiteral("缺少參數: ") + absent.join(QStringLiteral(", ")));
}

std::optional<double> number(const QString &text)
{
    bool okay = false;
    const double v = text.trimmed().toDouble(&okay);
    if (!okay || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double roundHalf(double v) { return std::round(v * 2.0) / 2.0; }

QString money(double v) { return QString::number(v, 'f', v == std::floor(v) ? 0 : 1); }

// "yyyy/MM/dd" (as the client sends dates) or eight digits.
QDate parseDate(const QString &text)
{
    QDate d = QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    return d;
}

double dateNumber(const QDate &d) { return d.year() * 10000.0 + d.month() * 100.0 + d.day(); }

QDateTime taipeiToUtc(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC).addMSecs(-kTaipeiOffsetMs);
}

QDateTime utcToTaipeiFields(const QDateTime &utc)
{
    return utc.toUTC().addMSecs(kTaipeiOffsetMs); // read its date()/time() as Taipei wall time
}

QString stripZeros(QString s)
{
    while (s.startsWith(QLatin1Char('0')))
        s.remove(0, 1);
    return s;
}

} // namespace

SimBackend::SimBackend()
{
    auto add = [this](const char *name, QJsonObject (SimBackend::*fn)(const QJsonObject &)) {
        m_gateway.insert(QString::fromLatin1(name),
                         [fn](SimBackend *self, const QJsonObject &p, const QString &) { return (self->*fn)(p); });
    };
    add("login", &SimBackend::login);
    add("modAppPwd", &SimBackend::modAppPwd);
    add("clientList", &SimBackend::clientList);
    for (const char *kind : {"inco1List", "inco2List", "transportList", "orderTypeList", "getTvstzList",
                             "getNoticeGroupUserList"}) {
        const QString k = QString::fromLatin1(kind);
        m_gateway.insert(k, [k](SimBackend *self, const QJsonObject &p, const QString &) {
            return self->infoList(k, p);
        });
    }
    add("ZSD_GET_MATNR_PRICE", &SimBackend::matnrPrice);
    add("ZBAPI_GET_CUSTOMER_CREDIT", &SimBackend::customerCredit);
    add("ZSD_GET_CUST_CONTRACT2", &SimBackend::contract2);
    add("ZSD_GET_CUST_CONTRACT1", &SimBackend::contract1);
    add("ZSD_GET_TVSTZ", &SimBackend::tvstz);
    add("ZSD_CREATE_EIP_ORDER2", &SimBackend::createOrder);
    add("ZSD_QUERY_ORDER", &SimBackend::queryOrder);
    add("sendMail", &SimBackend::sendMail);
    add("getBoardsList", &SimBackend::boardsList);
    add("deleteBoardMsg", &SimBackend::deleteBoardMsg);
    add("addBoardMsg", &SimBackend::addBoardMsg);
    add("addBoardReplyMsg", &SimBackend::addBoardReplyMsg);
    add("deleteBoardReplyMsg", &SimBackend::deleteBoardReplyMsg);
    m_gateway.insert(QStringLiteral("getBoardMsgList"), [](SimBackend *self, const QJsonObject &p, const QString &base) {
        return self->boardMsgList(p, base);
    });
    m_gateway.insert(QStringLiteral("getBoardReplyMsgList"),
                     [](SimBackend *self, const QJsonObject &p, const QString &base) {
                         return self->boardReplyMsgList(p, base);
                     });
    m_webService.insert(QStringLiteral("pushRegistration"), [](SimBackend *self, const QJsonObject &p, const QString &) {
        return self->pushRegistration(p);
    });
    m_webService.insert(QStringLiteral("userPushHistory"), [](SimBackend *self, const QJsonObject &p, const QString &) {
        return self->userPushHistory(p);
    });
}

// ---- seed and state ----

bool SimBackend::loadSeed(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("the seed is not a JSON object");
        return false;
    }
    const QJsonObject seed = doc.object();
    for (const char *key : {"salesOrgs", "accounts", "customers", "materials"}) {
        if (!seed.value(QLatin1String(key)).isArray()) {
            if (error)
                *error = QStringLiteral("the seed has no array \"%1\"").arg(QLatin1String(key));
            return false;
        }
    }
    m_seed = seed;

    m_customers.clear();
    m_customerIndex.clear();
    for (const QJsonValue &v : seed.value(QStringLiteral("customers")).toArray()) {
        const QJsonObject c = v.toObject();
        m_customerIndex.insert(c.value(QStringLiteral("kunnr")).toString(), m_customers.size());
        m_customers.append(c);
    }
    m_materials.clear();
    m_materialIndex.clear();
    for (const QJsonValue &v : seed.value(QStringLiteral("materials")).toArray()) {
        const QJsonObject o = v.toObject();
        Material m;
        m.matnr = o.value(QStringLiteral("matnr")).toString();
        m.maktx = o.value(QStringLiteral("maktx")).toString();
        m.basePrice = o.value(QStringLiteral("basePrice")).toDouble();
        m.blocked = o.value(QStringLiteral("blocked")).toString();
        for (const QJsonValue &org : o.value(QStringLiteral("vkorgs")).toArray())
            m.vkorgs << org.toString();
        m_materialIndex.insert(m.matnr, m_materials.size());
        m_materials.append(m);
    }
    generatePhotos();
    reset();
    return true;
}

void SimBackend::generateLists(int customers, int materials)
{
    static const QStringList places = {QStringLiteral("台北"), QStringLiteral("新北"), QStringLiteral("桃園"),
                                       QStringLiteral("新竹"), QStringLiteral("台中"), QStringLiteral("彰化"),
                                       QStringLiteral("嘉義"), QStringLiteral("台南"), QStringLiteral("高雄"),
                                       QStringLiteral("屏東")};
    static const QStringList kinds = {QStringLiteral("營造有限公司"), QStringLiteral("建材行"),
                                      QStringLiteral("工程行"), QStringLiteral("建設股份有限公司"),
                                      QStringLiteral("土木包工業")};
    static const QStringList bzirks = {QStringLiteral("N01"), QStringLiteral("N02"), QStringLiteral("C01"),
                                       QStringLiteral("S01"), QStringLiteral("S02")};
    const QJsonArray orgs = m_seed.value(QStringLiteral("salesOrgs")).toArray();
    if (customers >= 0 && !orgs.isEmpty()) {
        m_customers.clear();
        m_customerIndex.clear();
        for (int i = 0; i < customers; ++i) {
            const QJsonObject org = orgs.at(i % orgs.size()).toObject();
            const QString kunnr = QStringLiteral("%1").arg(900000 + i, 10, 10, QLatin1Char('0'));
            QJsonObject c{{"custID", QStringLiteral("G%1").arg(i + 1, 6, 10, QLatin1Char('0'))},
                          {"kunnr", kunnr},
                          {"name1", places.at(i % places.size()) + QStringLiteral("第%1").arg(i + 1)
                                        + kinds.at((i / places.size()) % kinds.size())},
                          {"name2", ""},
                          {"city1", places.at(i % places.size()) + QStringLiteral("市")},
                          {"stceg", QStringLiteral("%1").arg(50000000 + i * 7, 8, 10, QLatin1Char('0'))},
                          {"street", QStringLiteral("中正路%1號").arg(i % 900 + 1)},
                          {"telNumber", QStringLiteral("02-2%1").arg(1000000 + i, 7, 10, QLatin1Char('0'))},
                          {"telExtens", ""},
                          {"faxNumber", ""},
                          {"faxExtens", ""},
                          {"loevm", ""},
                          {"lzone", "TW0001"},
                          {"bzirk", bzirks.at(i % bzirks.size())},
                          {"bukrs", org.value(QStringLiteral("bukrs")).toString()},
                          {"vkorg", org.value(QStringLiteral("vkorg")).toString()}};
            m_customerIndex.insert(kunnr, m_customers.size());
            m_customers.append(c);
        }
    }
    if (materials >= 0) {
        static const QStringList names = {QStringLiteral("卜特蘭水泥 散裝(噸)"), QStringLiteral("袋裝水泥 50kg"),
                                          QStringLiteral("預拌混凝土(立方公尺)"), QStringLiteral("乾拌砂漿 40kg"),
                                          QStringLiteral("碎石(立方公尺)"), QStringLiteral("石膏板(片)")};
        QStringList allOrgs;
        for (const QJsonValue &o : orgs)
            allOrgs << o.toObject().value(QStringLiteral("vkorg")).toString();
        m_materials.clear();
        m_materialIndex.clear();
        for (int i = 0; i < materials; ++i) {
            Material m;
            m.matnr = QStringLiteral("9%1").arg(i + 1, 7, 10, QLatin1Char('0'));
            m.maktx = names.at(i % names.size()) + QStringLiteral(" 規格%1").arg(i + 1);
            m.basePrice = 100 + (i * 37) % 3000;
            m.vkorgs = allOrgs;
            m_materialIndex.insert(m.matnr, m_materials.size());
            m_materials.append(m);
        }
    }
    reset();
}

void SimBackend::reset()
{
    m_accounts.clear();
    for (const QJsonValue &v : m_seed.value(QStringLiteral("accounts")).toArray()) {
        const QJsonObject o = v.toObject();
        Account a;
        a.account = o.value(QStringLiteral("account")).toString();
        a.password = o.value(QStringLiteral("password")).toString();
        a.userID = o.value(QStringLiteral("userID")).toString();
        a.userName = o.value(QStringLiteral("userName")).toString();
        a.email = o.value(QStringLiteral("email")).toString();
        a.gender = o.value(QStringLiteral("gender")).toString();
        a.headshot = o.value(QStringLiteral("headshot")).toString();
        a.vkorg = o.value(QStringLiteral("vkorg")).toString();
        for (const QJsonValue &org : o.value(QStringLiteral("customerOrgs")).toArray())
            a.customerOrgs << org.toString();
        m_accounts.append(a);
    }

    m_credits.clear();
    const QJsonObject credits = m_seed.value(QStringLiteral("credits")).toObject();
    for (const QJsonObject &c : std::as_const(m_customers)) {
        const QString kunnr = c.value(QStringLiteral("kunnr")).toString();
        const QJsonObject entry = credits.value(kunnr).toObject();
        Credit credit;
        credit.limit = entry.contains(QStringLiteral("limit")) ? entry.value(QStringLiteral("limit")).toDouble() : 5000000;
        credit.available = entry.contains(QStringLiteral("available"))
                               ? entry.value(QStringLiteral("available")).toDouble()
                               : credit.limit;
        m_credits.insert(kunnr, credit);
    }

    m_contracts.clear();
    const QDate today = taipeiToday();
    for (const QJsonValue &v : m_seed.value(QStringLiteral("contracts")).toArray()) {
        const QJsonObject o = v.toObject();
        Contract c;
        c.vbeln = o.value(QStringLiteral("vbeln")).toString();
        c.auart = o.value(QStringLiteral("auart")).toString();
        c.auarth = o.value(QStringLiteral("auarth")).toString();
        c.kunnr = o.value(QStringLiteral("kunnr")).toString();
        c.zterm = o.value(QStringLiteral("zterm")).toString();
        c.guebg = today.addDays(o.value(QStringLiteral("validFromDays")).toInt());
        c.gueen = today.addDays(o.value(QStringLiteral("validToDays")).toInt());
        for (const QJsonValue &lv : o.value(QStringLiteral("lines")).toArray()) {
            const QJsonObject l = lv.toObject();
            ContractLine line;
            line.matnr = l.value(QStringLiteral("matnr")).toString();
            line.kbetr = l.value(QStringLiteral("kbetr")).toDouble();
            line.maximum = l.value(QStringLiteral("zmeng")).toDouble();
            line.inco1 = l.value(QStringLiteral("inco1")).toString();
            line.inco2 = l.value(QStringLiteral("inco2")).toString();
            c.lines.append(line);
        }
        m_contracts.append(c);
    }

    m_orders.clear();
    m_orderResults.clear();
    const QDateTime current = now();
    for (const QJsonValue &v : m_seed.value(QStringLiteral("orders")).toArray()) {
        const QJsonObject o = v.toObject();
        PlacedOrder order;
        order.vbeln = o.value(QStringLiteral("vbeln")).toString();
        order.kunnr = o.value(QStringLiteral("kunnr")).toString();
        order.matnr = o.value(QStringLiteral("matnr")).toString();
        const Material *m = material(order.matnr);
        order.arktx = m ? m->maktx : order.matnr;
        const QJsonObject *c = customer(order.kunnr);
        order.werks = c ? c->value(QStringLiteral("vkorg")).toString() : QString();
        order.userID = o.value(QStringLiteral("userID")).toString();
        order.cmpre = o.value(QStringLiteral("cmpre")).toDouble();
        order.kwmeng = o.value(QStringLiteral("kwmeng")).toDouble();
        order.fkimg = o.value(QStringLiteral("fkimg")).toDouble();
        const QTime time = QTime::fromString(o.value(QStringLiteral("time")).toString(), QStringLiteral("HH:mm:ss"));
        order.created = taipeiToUtc(today.addDays(-o.value(QStringLiteral("daysAgo")).toInt()), time);
        if (order.created > current) // a time later today than now: keep it in the past
            order.created = current.addSecs(-600);
        m_orders.append(order);
    }
    std::stable_sort(m_orders.begin(), m_orders.end(),
                     [](const PlacedOrder &a, const PlacedOrder &b) { return a.created < b.created; });
    m_nextOrderNumber = qint64(m_seed.value(QStringLiteral("nextOrderNumber")).toDouble(10010001));

    m_boards.clear();
    m_nextPostId = 1;
    const auto postFrom = [&](const QJsonObject &o) {
        Post p;
        p.msgID = o.value(QStringLiteral("msgID")).toString();
        p.author = o.value(QStringLiteral("author")).toString();
        const QTime t = QTime::fromString(o.value(QStringLiteral("time")).toString(), QStringLiteral("HH:mm"));
        p.postTime = QStringLiteral("%1 %2").arg(today.addDays(-o.value(QStringLiteral("daysAgo")).toInt())
                                                     .toString(QStringLiteral("yyyy/MM/dd")),
                                                 t.toString(QStringLiteral("HH:mm")));
        p.content = o.value(QStringLiteral("content")).toString();
        const QString photo = o.value(QStringLiteral("photo")).toString();
        if (!photo.isEmpty() && m_seedPhotos.contains(photo))
            p.photo = m_seedPhotos.value(photo).fileName;
        return p;
    };
    for (const QJsonValue &bv : m_seed.value(QStringLiteral("boards")).toArray()) {
        const QJsonObject b = bv.toObject();
        Board board;
        board.boardID = b.value(QStringLiteral("boardID")).toString();
        board.boardName = b.value(QStringLiteral("boardName")).toString();
        for (const QJsonValue &mv : b.value(QStringLiteral("messages")).toArray()) {
            Post post = postFrom(mv.toObject());
            for (const QJsonValue &rv : mv.toObject().value(QStringLiteral("replies")).toArray())
                post.replies.append(postFrom(rv.toObject()));
            board.messages.append(post);
        }
        m_boards.append(board);
    }
    m_uploadedPhotos.clear();
    m_nextPhotoId = 1;

    m_pushTokens.clear();
    buildPushHistory();
    m_sentMails = QJsonArray();

    const QJsonObject version = m_seed.value(QStringLiteral("version")).toObject();
    m_version.state = version.value(QStringLiteral("state")).toString(QStringLiteral("none"));
    m_version.note = version.value(QStringLiteral("updateNote")).toString();
    m_version.url = version.value(QStringLiteral("updateUrl")).toString();
}

void SimBackend::generatePhotos()
{
    m_seedPhotos.clear();
    const bool jpeg = QImageWriter::supportedImageFormats().contains("jpeg");
    for (const QJsonValue &v : m_seed.value(QStringLiteral("photos")).toArray()) {
        const QJsonObject o = v.toObject();
        const QString id = o.value(QStringLiteral("id")).toString();
        const int w = std::clamp(o.value(QStringLiteral("width")).toInt(), 8, 2000);
        const int h = std::clamp(o.value(QStringLiteral("height")).toInt(), 8, 2000);
        const QJsonArray colors = o.value(QStringLiteral("colors")).toArray();
        const QColor dark(colors.at(0).toString(QStringLiteral("#404040")));
        const QColor light(colors.at(1).toString(QStringLiteral("#e0e0e0")));

        // A simple scene: sky gradient, ground and a few block "buildings", so photos differ visibly.
        QImage image(w, h, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0, light);
        sky.setColorAt(1, dark);
        painter.fillRect(image.rect(), sky);
        painter.setPen(Qt::NoPen);
        painter.setBrush(dark.darker(160));
        painter.drawRect(0, h * 3 / 4, w, h - h * 3 / 4);
        const uint hash = qHash(id);
        for (int i = 0; i < 5; ++i) {
            const int bw = w / 8 + int((hash >> (i * 3)) % uint(w / 10 + 1));
            const int bh = h / 5 + int((hash >> (i * 2)) % uint(h / 3 + 1));
            painter.setBrush(i % 2 ? dark.darker(130) : dark.lighter(120));
            painter.drawRect(i * w / 5 + w / 40, h * 3 / 4 - bh, bw, bh);
        }
        painter.setBrush(QColor(255, 240, 200));
        painter.drawEllipse(QPoint(w * 4 / 5, h / 5), w / 14 + 2, w / 14 + 2);
        painter.end();

        Photo photo;
        QBuffer buffer(&photo.bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, jpeg ? "JPEG" : "PNG", jpeg ? 85 : -1);
        photo.mimeType = jpeg ? "image/jpeg" : "image/png";
        photo.fileName = id + (jpeg ? QStringLiteral(".jpg") : QStringLiteral(".png"));
        photo.width = w;
        photo.height = h;
        m_seedPhotos.insert(id, photo);
    }
}

void SimBackend::buildPushHistory()
{
    m_pushHistory.clear();
    const QJsonObject historySeed = m_seed.value(QStringLiteral("pushHistory")).toObject();
    const int perAccount = historySeed.value(QStringLiteral("perAccount")).toInt(25);
    const QJsonArray templates = historySeed.value(QStringLiteral("templates")).toArray();
    qint64 newsId = qint64(historySeed.value(QStringLiteral("firstNewsId")).toDouble(1000));
    const QStringList plants = {QStringLiteral("桃園廠"), QStringLiteral("台北倉"), QStringLiteral("台中廠"),
                                QStringLiteral("高雄廠")};
    const QDateTime current = now();
    for (const Account &account : std::as_const(m_accounts)) {
        // Order numbers of this user's orders make the texts concrete.
        QStringList numbers;
        for (const PlacedOrder &o : std::as_const(m_orders)) {
            if (o.userID == account.userID)
                numbers << o.vbeln;
        }
        QList<PushEntry> list;
        for (int k = perAccount - 1; k >= 0 && !templates.isEmpty(); --k) { // oldest first, newest id last
            const QJsonObject t = templates.at(k % templates.size()).toObject();
            const QString vbeln = numbers.isEmpty() ? QStringLiteral("0010004401") : numbers.at(k % numbers.size());
            const QString plant = plants.at(k % plants.size());
            auto fill = [&](QString s) {
                return s.replace(QStringLiteral("{vbeln}"), vbeln).replace(QStringLiteral("{plant}"), plant);
            };
            PushEntry e;
            e.newsId = newsId++;
            e.title = fill(t.value(QStringLiteral("title")).toString());
            e.content = fill(t.value(QStringLiteral("content")).toString());
            e.type = t.value(QStringLiteral("type")).toString();
            const QDateTime at = utcToTaipeiFields(current.addSecs(-qint64(k) * 37 * 3600 - 5 * 3600));
            e.startDate = at.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
            e.endDate = at.addDays(30).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
            list.prepend(e);
        }
        m_pushHistory.insert(account.userID, list);
    }
    m_nextNewsId = newsId;
}

// ---- helpers ----

QDateTime SimBackend::now() const
{
    return m_fixedNow.isValid() ? m_fixedNow.toUTC() : QDateTime::currentDateTimeUtc();
}

QDate SimBackend::taipeiToday() const { return utcToTaipeiFields(now()).date(); }

const SimBackend::Account *SimBackend::accountById(const QString &userID) const
{
    for (const Account &a : m_accounts) {
        if (!userID.isEmpty() && a.userID == userID)
            return &a;
    }
    return nullptr;
}

SimBackend::Account *SimBackend::accountById(const QString &userID)
{
    return const_cast<Account *>(std::as_const(*this).accountById(userID));
}

const QJsonObject *SimBackend::customer(const QString &kunnr) const
{
    const auto it = m_customerIndex.constFind(kunnr);
    return it == m_customerIndex.constEnd() ? nullptr : &m_customers.at(*it);
}

const SimBackend::Material *SimBackend::material(const QString &matnr) const
{
    const auto it = m_materialIndex.constFind(matnr);
    return it == m_materialIndex.constEnd() ? nullptr : &m_materials.at(*it);
}

QJsonObject SimBackend::salesOrg(const QString &vkorg) const
{
    for (const QJsonValue &v : m_seed.value(QStringLiteral("salesOrgs")).toArray()) {
        if (v.toObject().value(QStringLiteral("vkorg")).toString() == vkorg)
            return v.toObject();
    }
    return {};
}

bool SimBackend::canSee(const Account &account, const QJsonObject &c) const
{
    return account.customerOrgs.contains(c.value(QStringLiteral("vkorg")).toString());
}

QJsonObject SimBackend::person(const QString &userID) const
{
    if (const Account *a = accountById(userID))
        return {{"userName", a->userName}, {"gender", a->gender}, {"headshot", a->headshot}};
    for (const QJsonValue &v : m_seed.value(QStringLiteral("people")).toArray()) {
        if (v.toObject().value(QStringLiteral("userID")).toString() == userID)
            return v.toObject();
    }
    return {};
}

QString SimBackend::personName(const QString &userID) const
{
    return person(userID).value(QStringLiteral("userName")).toString();
}

QString SimBackend::photoUrl(const QString &base, const QString &fileName) const
{
    return fileName.isEmpty() ? QString() : base + QStringLiteral("/__sim/photos/") + fileName;
}

QJsonObject SimBackend::postJson(const Post &post, int row, const QString &base, bool withReplies) const
{
    const QJsonObject who = person(post.author);
    const QString headshotId = who.value(QStringLiteral("headshot")).toString();
    const QString headshot = m_seedPhotos.contains(headshotId) ? photoUrl(base, m_seedPhotos.value(headshotId).fileName)
                                                               : QString();
    double width = 0, height = 0;
    if (auto p = photo(post.photo)) {
        width = p->width;
        height = p->height;
    }
    QJsonObject o{{"msgID", post.msgID},
                  {"row", QString::number(row)},
                  {"userName", who.value(QStringLiteral("userName")).toString()},
                  {"postTime", post.postTime},
                  {"postContent", post.content},
                  {"postWidth", width},
                  {"postHeight", height},
                  {"photoURL", photoUrl(base, post.photo)},
                  {"headshot", headshot},
                  {"gender", who.value(QStringLiteral("gender")).toString()},
                  {"createUser", post.author},
                  {"replyTotal", withReplies ? post.replies.size() : 0}};
    QJsonArray replies;
    if (withReplies) {
        for (qsizetype i = post.replies.size() - 1; i >= 0; --i) // newest first
            replies.append(postJson(post.replies.at(i), int(post.replies.size() - i), base, false));
    }
    o.insert(QStringLiteral("replyList"), replies);
    return o;
}

SimBackend::Board *SimBackend::findBoard(const QString &boardID)
{
    for (Board &b : m_boards) {
        if (b.boardID == boardID)
            return &b;
    }
    return nullptr;
}

SimBackend::Post *SimBackend::findMessage(const QString &msgID, Board **board)
{
    for (Board &b : m_boards) {
        for (Post &p : b.messages) {
            if (p.msgID == msgID) {
                if (board)
                    *board = &b;
                return &p;
            }
        }
    }
    return nullptr;
}

std::optional<SimBackend::Photo> SimBackend::photo(const QString &fileName) const
{
    if (fileName.isEmpty())
        return std::nullopt;
    for (const auto *map : {&m_seedPhotos, &m_uploadedPhotos}) {
        for (const Photo &p : *map) {
            if (p.fileName == fileName)
                return p;
        }
    }
    return std::nullopt;
}

std::optional<QString> SimBackend::storePhoto(const QString &base64, QString *error)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty()) {
        *error = QStringLiteral("照片格式錯誤：不是有效的 Base64 內容");
        return std::nullopt;
    }
    QBuffer buffer;
    buffer.setData(decoded.decoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        *error = QStringLiteral("照片格式錯誤：無法讀取圖片");
        return std::nullopt;
    }
    Photo p;
    p.bytes = decoded.decoded;
    p.mimeType = "image/" + (format == "jpg" ? QByteArray("jpeg") : format);
    p.fileName = QStringLiteral("u%1.%2").arg(m_nextPhotoId++).arg(QString::fromLatin1(format == "jpeg" ? "jpg" : format));
    p.width = size.width();
    p.height = size.height();
    m_uploadedPhotos.insert(p.fileName, p);
    return p.fileName;
}

// ---- dispatch ----

bool SimBackend::hasGatewayOperation(const QString &apiName) const { return m_gateway.contains(apiName); }
bool SimBackend::hasWebServiceMethod(const QString &method) const { return m_webService.contains(method); }

QJsonObject SimBackend::callGateway(const QString &apiName, const QJsonObject &params, const QString &base)
{
    const auto it = m_gateway.constFind(apiName);
    if (it == m_gateway.constEnd())
        return fail(QStringLiteral("9004"), QStringLiteral("不支援的功能: ") + apiName);
    return (*it)(this, params, base);
}

QJsonObject SimBackend::callWebService(const QString &method, const QJsonObject &params)
{
    const auto it = m_webService.constFind(method);
    if (it == m_webService.constEnd())
        return fail(QStringLiteral("9004"), QStringLiteral("不支援的功能: ") + method);
    return (*it)(this, params, QString());
}

// ---- account ----

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

QJsonObject SimBackend::clientList(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID")}))
        return *m;
    const Account *a = accountById(str(p, QStringLiteral("userID")));
    if (!a)
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    QJsonArray list;
    for (const QJsonObject &c : std::as_const(m_customers)) {
        if (canSee(*a, c))
            list.append(c);
    }
    return ok({{"custList", list}});
}

QJsonObject SimBackend::infoList(const QString &kind, const QJsonObject &p)
{
    QStringList required{QStringLiteral("userID")};
    if (kind == QLatin1String("getTvstzList"))
        required << QStringLiteral("vkorg");
    if (kind == QLatin1String("getNoticeGroupUserList"))
        required << QStringLiteral("ngrName");
    if (auto m = missing(p, required))
        return *m;

    if (kind == QLatin1String("getTvstzList")) {
        const QString vkorg = str(p, QStringLiteral("vkorg"));
        QJsonArray list;
        for (const QJsonValue &v : m_seed.value(QStringLiteral("tvstzList")).toArray()) {
            const QJsonObject t = v.toObject();
            if (vkorg.isEmpty() || t.value(QStringLiteral("vkorg")).toString() == vkorg)
                list.append(QJsonObject{{"vkorg", t.value(QStringLiteral("vkorg"))},
                                        {"tvstzId", t.value(QStringLiteral("tvstzId"))},
                                        {"tvstzName", t.value(QStringLiteral("tvstzName"))}});
        }
        return ok({{"list", list}});
    }
    if (kind == QLatin1String("getNoticeGroupUserList")) {
        const QJsonArray members =
            m_seed.value(QStringLiteral("noticeGroups")).toObject().value(str(p, QStringLiteral("ngrName"))).toArray();
        return ok({{"list", members}});
    }
    return ok({{kind, m_seed.value(kind).toArray()}});
}

// ---- order entry ----

QJsonObject SimBackend::matnrPrice(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pVtweg")}))
        return *m;
    const QString vkorg = str(p, QStringLiteral("pVkorg"));
    const QString bzirk = str(p, QStringLiteral("pBzirk"));
    const QString inco1 = str(p, QStringLiteral("pInco1"));
    const QString inco2 = str(p, QStringLiteral("pInco2"));
    const QString auart = str(p, QStringLiteral("pAuart"));
    const QJsonObject factors = m_seed.value(QStringLiteral("priceFactors")).toObject();
    const double districtFactor = m_seed.value(QStringLiteral("districts")).toObject().value(bzirk).toObject()
                                      .value(QStringLiteral("factor")).toDouble(1.0);
    const double inco1Factor = factors.value(QStringLiteral("inco1")).toObject().value(inco1).toDouble(1.0);
    const double auartFactor = factors.value(QStringLiteral("auart")).toObject().value(auart).toDouble(1.0);
    const Account *a = accountById(str(p, QStringLiteral("userID")));

    QJsonArray list;
    for (const Material &m : std::as_const(m_materials)) {
        const bool sold = vkorg.isEmpty()
                              ? (!a || std::any_of(a->customerOrgs.begin(), a->customerOrgs.end(),
                                                   [&](const QString &org) { return m.vkorgs.contains(org); }))
                              : m.vkorgs.contains(vkorg);
        if (!sold)
            continue;
        list.append(QJsonObject{{"kunnr", ""},
                                {"matnr", m.matnr},
                                {"maktx", m.maktx},
                                {"zmeng", 0.0},
                                {"zterm", "NT30"},
                                {"werks", vkorg},
                                {"vstel", ""},
                                {"route", ""},
                                {"inco1", inco1},
                                {"inco2", inco2},
                                {"kbetr", roundHalf(m.basePrice * districtFactor * inco1Factor * auartFactor)},
                                {"bzirk", bzirk}});
    }
    return ok({{"matnrPriceList", list}});
}

QJsonObject SimBackend::customerCredit(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pKunnr"), QStringLiteral("pKkber")}))
        return *m;
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    if (!customer(kunnr))
        return fail(QStringLiteral("01"), QStringLiteral("查無客戶 ") + kunnr);
    const Credit credit = m_credits.value(kunnr);
    return ok({{"custCredit", QJsonObject{{"pKunnr", kunnr},
                                          {"pKkber", str(p, QStringLiteral("pKkber"))},
                                          {"pKlimk", credit.limit},
                                          {"pOblig", credit.available},
                                          {"pWaers", "TWD"}}}});
}

QJsonObject SimBackend::contract2(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pKunnr"), QStringLiteral("pGueen")}))
        return *m;
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    const QDate day = parseDate(str(p, QStringLiteral("pGueen")));
    if (!day.isValid())
        return fail(QStringLiteral("01"), QStringLiteral("日期格式錯誤: pGueen"));
    const QJsonObject *c = customer(kunnr);
    if (!c)
        return fail(QStringLiteral("01"), QStringLiteral("查無客戶 ") + kunnr);
    const QString auart = str(p, QStringLiteral("pAuart"));
    QJsonArray list;
    for (const Contract &k : std::as_const(m_contracts)) {
        if (k.kunnr != kunnr || day < k.guebg || day > k.gueen)
            continue;
        if (!auart.isEmpty() && auart != QLatin1String("*") && auart != k.auart)
            continue;
        for (const ContractLine &line : k.lines) {
            const Material *m = material(line.matnr);
            list.append(QJsonObject{{"vbeln", k.vbeln},
                                    {"auart", k.auart},
                                    {"auarth", k.auarth},
                                    {"vkorg", c->value(QStringLiteral("vkorg"))},
                                    {"kunnr", kunnr},
                                    {"name1", c->value(QStringLiteral("name1"))},
                                    {"matnr", line.matnr},
                                    {"maktx", m ? m->maktx : QString()},
                                    {"guebg", dateNumber(k.guebg)},
                                    {"gueen", dateNumber(k.gueen)},
                                    {"kbetr", line.kbetr}});
        }
    }
    return ok({{"custContract2List", list}});
}

QJsonObject SimBackend::contract1(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pVbeln")}))
        return *m;
    const QString vbeln = str(p, QStringLiteral("pVbeln"));
    for (const Contract &k : std::as_const(m_contracts)) {
        if (k.vbeln != vbeln)
            continue;
        const QJsonObject *c = customer(k.kunnr);
        const QJsonObject shipping =
            m_seed.value(QStringLiteral("customerShipping")).toObject().value(k.kunnr).toObject();
        QJsonArray list;
        for (const ContractLine &line : k.lines) {
            const Material *m = material(line.matnr);
            list.append(QJsonObject{{"kunnr", k.kunnr},
                                    {"matnr", line.matnr},
                                    {"maktx", m ? m->maktx : QString()},
                                    {"zmeng", std::max(0.0, line.maximum - line.ordered)},
                                    {"zterm", k.zterm},
                                    {"werks", c ? c->value(QStringLiteral("vkorg")).toString() : QString()},
                                    {"vstel", shipping.value(QStringLiteral("vstel")).toString()},
                                    {"route", shipping.value(QStringLiteral("route")).toString()},
                                    {"inco1", line.inco1},
                                    {"inco2", line.inco2},
                                    {"kbetr", line.kbetr},
                                    {"bzirk", c ? c->value(QStringLiteral("bzirk")).toString() : QString()}});
        }
        return ok({{"custContract1List", list}});
    }
    return fail(QStringLiteral("01"), QStringLiteral("查無合約 ") + vbeln);
}

QJsonObject SimBackend::tvstz(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pKunnr"), QStringLiteral("pWerks")}))
        return *m;
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    if (!customer(kunnr))
        return fail(QStringLiteral("01"), QStringLiteral("查無客戶 ") + kunnr);
    const QJsonObject shipping = m_seed.value(QStringLiteral("customerShipping")).toObject().value(kunnr).toObject();
    if (shipping.contains(QStringLiteral("error")))
        return fail(QStringLiteral("01"), shipping.value(QStringLiteral("error")).toString());
    QString vstel = shipping.value(QStringLiteral("vstel")).toString();
    QString route = shipping.value(QStringLiteral("route")).toString();
    if (vstel.isEmpty()) { // customers without an entry (generated lists) ship from their organisation's first point
        const QString vkorg = customer(kunnr)->value(QStringLiteral("vkorg")).toString();
        for (const QJsonValue &v : m_seed.value(QStringLiteral("tvstzList")).toArray()) {
            if (v.toObject().value(QStringLiteral("vkorg")).toString() == vkorg) {
                vstel = v.toObject().value(QStringLiteral("tvstzId")).toString();
                route = v.toObject().value(QStringLiteral("route")).toString();
                break;
            }
        }
    }
    return ok({{"tvstz", QJsonObject{{"vstel", vstel}, {"route", route}}}});
}

QJsonObject SimBackend::createOrder(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("eipOrder2List")}))
        return *m;
    const Account *account = accountById(str(p, QStringLiteral("userID")));
    if (!account)
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    QJsonArray lines;
    const QJsonValue listValue = p.value(QStringLiteral("eipOrder2List"));
    if (listValue.isArray()) {
        lines = listValue.toArray();
    } else if (listValue.isString()) { // tolerate the document sent as JSON text
        const QJsonDocument doc = QJsonDocument::fromJson(listValue.toString().toUtf8());
        if (!doc.isArray())
            return fail(QStringLiteral("01"), QStringLiteral("eipOrder2List 格式錯誤"));
        lines = doc.array();
    } else {
        return fail(QStringLiteral("01"), QStringLiteral("eipOrder2List 格式錯誤"));
    }
    if (lines.isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("沒有訂單資料"));

    QJsonArray results;
    for (const QJsonValue &lineValue : std::as_const(lines)) {
        const QJsonObject line = lineValue.toObject();
        const QString orderSeq = str(line, QStringLiteral("orderSeq"));
        auto refuse = [&](const QString &message) {
            results.append(QJsonObject{{"orderSeq", orderSeq}, {"returnCode", "E"}, {"returnMsg", message}, {"otVbeln", ""}});
        };
        if (orderSeq.isEmpty()) {
            refuse(QStringLiteral("缺少訂單識別碼 orderSeq"));
            continue;
        }
        // A line that was already ordered (a resend) gets its earlier answer and is not ordered again.
        if (const auto earlier = m_orderResults.constFind(orderSeq); earlier != m_orderResults.constEnd()) {
            results.append(*earlier);
            continue;
        }
        const QString kunnr = str(line, QStringLiteral("kunwe"));
        const QJsonObject *c = customer(kunnr);
        if (!c || !canSee(*account, *c)) {
            refuse(QStringLiteral("查無客戶 ") + kunnr);
            continue;
        }
        const QString matnr = str(line, QStringLiteral("matnr"));
        const Material *m = material(matnr);
        if (!m) {
            refuse(QStringLiteral("查無物料 ") + matnr);
            continue;
        }
        if (!m->blocked.isEmpty()) {
            refuse(m->blocked);
            continue;
        }
        const auto quantity = number(str(line, QStringLiteral("kwmeng")));
        if (!quantity || *quantity <= 0) {
            refuse(QStringLiteral("訂購數量必須大於 0"));
            continue;
        }
        const auto price = number(str(line, QStringLiteral("kbetr")));
        if (!price || *price < 0) {
            refuse(QStringLiteral("單價格式錯誤"));
            continue;
        }
        ContractLine *contractLine = nullptr;
        const QString vgbel = str(line, QStringLiteral("vgbel"));
        if (!vgbel.isEmpty()) {
            Contract *contract = nullptr;
            for (Contract &k : m_contracts) {
                if (k.vbeln == vgbel && k.kunnr == kunnr)
                    contract = &k;
            }
            if (!contract) {
                refuse(QStringLiteral("查無客戶 %1 的合約 %2").arg(kunnr, vgbel));
                continue;
            }
            for (ContractLine &l : contract->lines) {
                if (l.matnr == matnr)
                    contractLine = &l;
            }
            if (!contractLine) {
                refuse(QStringLiteral("合約 %1 不含物料 %2").arg(vgbel, matnr));
                continue;
            }
            const double left = contractLine->maximum - contractLine->ordered;
            if (*quantity > left + 1e-9) {
                refuse(QStringLiteral("超過合約剩餘數量（剩餘 %1）").arg(money(std::max(0.0, left))));
                continue;
            }
        }
        Credit &credit = m_credits[kunnr];
        const double value = *quantity * *price;
        if (value > credit.available + 1e-9) {
            refuse(QStringLiteral("信用額度不足（可用額度 %1 元）").arg(money(credit.available)));
            continue;
        }

        credit.available -= value;
        if (contractLine)
            contractLine->ordered += *quantity;
        PlacedOrder order;
        order.vbeln = QStringLiteral("%1").arg(m_nextOrderNumber++, 10, 10, QLatin1Char('0'));
        order.kunnr = kunnr;
        order.matnr = matnr;
        order.arktx = m->maktx;
        order.werks = str(line, QStringLiteral("plant")).isEmpty() ? c->value(QStringLiteral("vkorg")).toString()
                                                                   : str(line, QStringLiteral("plant"));
        order.userID = account->userID;
        order.orderSeq = orderSeq;
        order.cmpre = *price;
        order.kwmeng = *quantity;
        order.created = now();
        m_orders.append(order);
        const QJsonObject result{{"orderSeq", orderSeq},
                                 {"returnCode", "S"},
                                 {"returnMsg", QStringLiteral("訂單 %1 已建立").arg(order.vbeln)},
                                 {"otVbeln", order.vbeln}};
        m_orderResults.insert(orderSeq, result);
        results.append(result);
    }
    return ok({{"orderList", results}}, QStringLiteral("處理完成"));
}

QJsonObject SimBackend::historyRow(const PlacedOrder &o) const
{
    const QJsonObject *c = customer(o.kunnr);
    const QJsonObject org = salesOrg(c ? c->value(QStringLiteral("vkorg")).toString() : o.werks);
    const QDateTime local = utcToTaipeiFields(o.created);
    // Date and time as the servers' clients in Taiwan encode them: the date's midnight and the time of
    // day on 1970-01-01, both as Taipei wall times in milliseconds since 1970.
    const qint64 audat = QDateTime(local.date(), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch() - kTaipeiOffsetMs;
    const qint64 erzet = qint64(local.time().msecsSinceStartOfDay()) - kTaipeiOffsetMs;
    return QJsonObject{{"bukrs", org.value(QStringLiteral("bukrs")).toString()},
                       {"name1", org.value(QStringLiteral("bukrsName")).toString()},
                       {"werks", o.werks},
                       {"name2", org.value(QStringLiteral("vkorgName")).toString()},
                       {"kunnr", o.kunnr},
                       {"name3", c ? c->value(QStringLiteral("name1")).toString() : QString()},
                       {"vbeln", o.vbeln},
                       {"audat", double(audat)},
                       {"erzet", double(erzet)},
                       {"arktx", o.arktx},
                       {"cmpre", o.cmpre},
                       {"kwmeng", o.kwmeng},
                       {"fkimg", o.fkimg},
                       {"fkimg1", std::max(0.0, o.kwmeng - o.fkimg)}};
}

QJsonObject SimBackend::queryOrder(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pBegdat"), QStringLiteral("pEnddat")}))
        return *m;
    const Account *account = accountById(str(p, QStringLiteral("userID")));
    if (!account)
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    QDate begin = QDate::fromString(str(p, QStringLiteral("pBegdat")), QStringLiteral("yyyyMMdd"));
    QDate end = QDate::fromString(str(p, QStringLiteral("pEnddat")), QStringLiteral("yyyyMMdd"));
    if (!begin.isValid() || !end.isValid())
        return fail(QStringLiteral("01"), QStringLiteral("日期格式錯誤，請以 8 碼數字 (yyyyMMdd) 傳送 pBegdat 與 pEnddat"));
    if (begin > end)
        std::swap(begin, end);
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    const QString vbeln = str(p, QStringLiteral("pVbeln")).trimmed();
    QJsonArray list;
    for (qsizetype i = m_orders.size() - 1; i >= 0; --i) { // newest first
        const PlacedOrder &o = m_orders.at(i);
        const QJsonObject *c = customer(o.kunnr);
        if (!c || !canSee(*account, *c))
            continue;
        const QDate day = utcToTaipeiFields(o.created).date();
        if (day < begin || day > end)
            continue;
        if (!kunnr.isEmpty() && o.kunnr != kunnr)
            continue;
        if (!vbeln.isEmpty() && o.vbeln != vbeln && stripZeros(o.vbeln) != stripZeros(vbeln))
            continue;
        list.append(historyRow(o));
    }
    return ok({{"orderList", list}});
}

QJsonArray SimBackend::placedOrders() const
{
    QJsonArray list;
    for (const PlacedOrder &o : m_orders) {
        QJsonObject row = historyRow(o);
        row.insert(QStringLiteral("orderSeq"), o.orderSeq);
        row.insert(QStringLiteral("userID"), o.userID);
        list.append(row);
    }
    return list;
}

QJsonObject SimBackend::sendMail(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("sendMailList")}))
        return *m;
    const QJsonArray list = p.value(QStringLiteral("sendMailList")).toArray();
    if (list.isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("沒有要發送的通知"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject item = list.at(i).toObject();
        if (item.value(QStringLiteral("mailList")).toArray().isEmpty())
            return fail(QStringLiteral("01"), QStringLiteral("第 %1 筆通知沒有收件人").arg(i + 1));
    }
    m_sentMails.append(QJsonObject{{"time", utcToTaipeiFields(now()).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))},
                                   {"sendMailList", list}});
    return ok({}, QStringLiteral("通知已發送"));
}

// ---- boards ----

QJsonObject SimBackend::boardsList(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID")}))
        return *m;
    QJsonArray list;
    for (const Board &b : std::as_const(m_boards))
        list.append(QJsonObject{{"boardID", b.boardID}, {"boardName", b.boardName}});
    return ok({{"boardList", list}});
}

QJsonObject SimBackend::boardMsgList(const QJsonObject &p, const QString &base)
{
    if (auto m = missing(p, {QStringLiteral("boardID"), QStringLiteral("startRow")}))
        return *m;
    const QString boardID = str(p, QStringLiteral("boardID"));
    const Board *board = findBoard(boardID);
    if (!board)
        return fail(QStringLiteral("01"), QStringLiteral("查無留言板 ") + boardID);
    bool okay = false;
    const int start = str(p, QStringLiteral("startRow")).toInt(&okay);
    if (!okay || start < 0)
        return fail(QStringLiteral("01"), QStringLiteral("startRow 格式錯誤"));
    const int pageSize = std::max(1, m_seed.value(QStringLiteral("pageSizes")).toObject()
                                         .value(QStringLiteral("boardMessages")).toInt(10));
    QJsonArray page;
    for (int i = start; i < board->messages.size() && i < start + pageSize; ++i)
        page.append(postJson(board->messages.at(i), i + 1, base, true));
    if (page.isEmpty()) // past the last message
        return fail(QStringLiteral("90"), QStringLiteral("已無更多資料"), {{"boardMsgList", page}});
    return ok({{"boardMsgList", page}});
}

// Checks the author, content and photo of a new message or reply and builds it (id "<idPrefix>9nnn");
// on a refusal, the answer to send instead.
std::optional<QJsonObject> SimBackend::newPost(const QJsonObject &p, QChar idPrefix, const QString &emptyMessage,
                                               Post *post)
{
    const QString userID = str(p, QStringLiteral("userID"));
    if (person(userID).isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    const QString content = str(p, QStringLiteral("postContent"));
    if (content.isEmpty())
        return fail(QStringLiteral("01"), emptyMessage);
    const QString photoText = str(p, QStringLiteral("postPhoto"));
    if (!photoText.isEmpty()) {
        QString error;
        const auto stored = storePhoto(photoText, &error);
        if (!stored)
            return fail(QStringLiteral("01"), error);
        post->photo = *stored;
    }
    post->msgID = QString(idPrefix) + QStringLiteral("9%1").arg(m_nextPostId++, 3, 10, QLatin1Char('0'));
    post->author = userID;
    post->postTime = utcToTaipeiFields(now()).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    post->content = content;
    return std::nullopt;
}

QJsonObject SimBackend::addBoardMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("boardID"), QStringLiteral("userID"), QStringLiteral("postContent"),
                             QStringLiteral("postPhoto")}))
        return *m;
    const QString boardID = str(p, QStringLiteral("boardID"));
    Board *board = findBoard(boardID);
    if (!board)
        return fail(QStringLiteral("01"), QStringLiteral("查無留言板 ") + boardID);
    Post post;
    if (auto refused = newPost(p, QLatin1Char('M'), QStringLiteral("留言內容不可為空"), &post))
        return *refused;
    board->messages.prepend(post);
    return ok({{"msgID", post.msgID}}, QStringLiteral("留言成功"));
}

QJsonObject SimBackend::deleteBoardMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("msgID"), QStringLiteral("userID")}))
        return *m;
    Board *board = nullptr;
    const Post *post = findMessage(str(p, QStringLiteral("msgID")), &board);
    if (!post)
        return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
    if (post->author != str(p, QStringLiteral("userID")))
        return fail(QStringLiteral("03"), QStringLiteral("只能刪除自己的留言"));
    const QString id = post->msgID;
    board->messages.removeIf([&](const Post &x) { return x.msgID == id; });
    return ok({}, QStringLiteral("留言已刪除"));
}

QJsonObject SimBackend::boardReplyMsgList(const QJsonObject &p, const QString &base)
{
    if (auto m = missing(p, {QStringLiteral("msgID")}))
        return *m;
    const Post *post = findMessage(str(p, QStringLiteral("msgID")));
    if (!post)
        return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
    QJsonArray list;
    for (qsizetype i = 0; i < post->replies.size(); ++i) // oldest first: the newest ends the list
        list.append(postJson(post->replies.at(i), int(i + 1), base, false));
    if (list.isEmpty())
        return fail(QStringLiteral("90"), QStringLiteral("尚無回覆"), {{"boardReplyMsgList", list}, {"replyTotal", 0}});
    return ok({{"boardReplyMsgList", list}, {"replyTotal", int(list.size())}});
}

QJsonObject SimBackend::addBoardReplyMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("msgID"), QStringLiteral("userID"), QStringLiteral("postContent"),
                             QStringLiteral("postPhoto")}))
        return *m;
    Post *post = findMessage(str(p, QStringLiteral("msgID")));
    if (!post)
        return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
    Post reply;
    if (auto refused = newPost(p, QLatin1Char('R'), QStringLiteral("回覆內容不可為空"), &reply))
        return *refused;
    post->replies.append(reply);
    return ok({{"msgID", reply.msgID}}, QStringLiteral("回覆成功"));
}

QJsonObject SimBackend::deleteBoardReplyMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("remsgID"), QStringLiteral("userID")}))
        return *m;
    const QString id = str(p, QStringLiteral("remsgID"));
    for (Board &b : m_boards) {
        for (Post &message : b.messages) {
            for (qsizetype i = 0; i < message.replies.size(); ++i) {
                if (message.replies.at(i).msgID != id)
                    continue;
                if (message.replies.at(i).author != str(p, QStringLiteral("userID")))
                    return fail(QStringLiteral("03"), QStringLiteral("只能刪除自己的留言"));
                message.replies.removeAt(i);
                return ok({}, QStringLiteral("留言已刪除"));
            }
        }
    }
    return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
}

// ---- notifications ----

QList<SimBackend::PushEntry> *SimBackend::historyFor(const QString &userIdOrToken)
{
    if (userIdOrToken.isEmpty())
        return nullptr;
    if (m_pushHistory.contains(userIdOrToken))
        return &m_pushHistory[userIdOrToken];
    // A device without a signed-in user asks with its push token: the account it registered under.
    const QString account = m_pushTokens.value(userIdOrToken);
    for (const Account &a : std::as_const(m_accounts)) {
        if (!account.isEmpty() && a.account == account && m_pushHistory.contains(a.userID))
            return &m_pushHistory[a.userID];
    }
    return nullptr;
}

QJsonObject SimBackend::pushRegistration(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("token"), QStringLiteral("userId"), QStringLiteral("os")}))
        return *m;
    const QString token = str(p, QStringLiteral("token"));
    if (token.isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("token 不可為空"));
    m_pushTokens.insert(token, str(p, QStringLiteral("userId")));
    return ok({}, QStringLiteral("註冊成功"));
}

QJsonObject SimBackend::userPushHistory(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userId"), QStringLiteral("lastNewsId")}))
        return *m;
    QJsonArray page;
    const QList<PushEntry> *history = historyFor(str(p, QStringLiteral("userId")));
    const int pageSize =
        std::max(1, m_seed.value(QStringLiteral("pushHistory")).toObject().value(QStringLiteral("pageSize")).toInt(10));
    if (history) {
        const QString last = str(p, QStringLiteral("lastNewsId"));
        qsizetype start = 0;
        if (!last.isEmpty()) {
            start = history->size(); // an unknown cursor gives an empty page
            for (qsizetype i = 0; i < history->size(); ++i) {
                if (QString::number(history->at(i).newsId) == last) {
                    start = i + 1;
                    break;
                }
            }
        }
        for (qsizetype i = start; i < history->size() && page.size() < pageSize; ++i) {
            const PushEntry &e = history->at(i);
            page.append(QJsonObject{{"newsId", QString::number(e.newsId)},
                                    {"content", e.content},
                                    {"endDate", e.endDate},
                                    {"startDate", e.startDate},
                                    {"title", e.title},
                                    {"sourceId", "ZELK_PROD"},
                                    {"uploadImage", ""},
                                    {"type", e.type}});
        }
    }
    return ok({{"pushList", page}});
}

QJsonObject SimBackend::addPush(const QJsonObject &request)
{
    QString userID = str(request, QStringLiteral("userId"));
    const QString accountName = str(request, QStringLiteral("account"));
    for (const Account &a : std::as_const(m_accounts)) {
        if (!accountName.isEmpty() && a.account == accountName)
            userID = a.userID;
    }
    if (!m_pushHistory.contains(userID))
        return fail(QStringLiteral("01"), QStringLiteral("查無帳號: ") + (userID.isEmpty() ? accountName : userID));
    PushEntry e;
    e.newsId = m_nextNewsId++;
    e.title = str(request, QStringLiteral("title"));
    e.content = str(request, QStringLiteral("content"));
    e.type = request.contains(QStringLiteral("type")) ? str(request, QStringLiteral("type")) : QStringLiteral("3");
    const QDateTime at = utcToTaipeiFields(now());
    e.startDate = at.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    e.endDate = at.addDays(30).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    m_pushHistory[userID].prepend(e);
    return ok({{"newsId", QString::number(e.newsId)}});
}

// ---- version check ----

bool SimBackend::setVersionState(const QString &state, const QString &note, const QString &url)
{
    if (state != QLatin1String("none") && state != QLatin1String("optional") && state != QLatin1String("forced"))
        return false;
    m_version.state = state;
    if (!note.isNull())
        m_version.note = note;
    if (!url.isNull())
        m_version.url = url;
    return true;
}

QJsonObject SimBackend::checkVersion(const QJsonObject &params) const
{
    Q_UNUSED(params);
    const QJsonObject versions{{"updateNote", m_version.note}, {"updateUrl", m_version.url}};
    if (m_version.state == QLatin1String("forced"))
        return {{"returnCode", "0023"}, {"returnMessage", "此版本已停止使用，請立即更新"}, {"versions", versions}};
    if (m_version.state == QLatin1String("optional"))
        return {{"returnCode", "0022"}, {"returnMessage", "有新版本可供更新"}, {"versions", versions}};
    return {{"returnCode", "00"}, {"returnMessage", "已是最新版本"}};
}
