// Loading the seed document, generated lists for benchmarks, and the state a reset restores.
#include "SimAnswers.h"
#include "SimBackend.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QJsonDocument>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>

using namespace sim;

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
        // A time later today than now: keep it in the past, but on its own day, so that an order seeded for
        // today is today's also in the minutes after midnight.
        if (order.created > current)
            order.created = std::max(current.addSecs(-600), taipeiToUtc(today, QTime(0, 0)));
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
