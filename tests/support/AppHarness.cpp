#include "AppHarness.h"

#include "app/ScreenRegistry.h"

AppUnderTest::AppUnderTest(Ui &ui, Navigator &navigator, bool useKeychain, const GatewaySimulator::Options &gateway)
    : gateway(gateway), m_ui(ui), m_navigator(navigator), m_useKeychain(useKeychain)
{
    Localizer::instance().load({QStringLiteral("zh-TW")});
    storyboard.setUi(&ui);
    openContext();
    registerScreens(storyboard);
}

void AppUnderTest::openContext()
{
    context = std::make_unique<AppContext>(AppContext::Options{dir.path(), nullptr, m_useKeychain});
    storyboard.setContext(context.get());
    m_navigator.setEnvironment({&m_ui, &storyboard, context.get()});
    m_storesOpen = false;
}

AppUnderTest::~AppUnderTest()
{
    // Screens go before the holders they use.
    m_navigator.setRootScreen(nullptr);
    settle();
}

void AppUnderTest::restartAfterHardEnd()
{
    m_navigator.setRootScreen(nullptr);
    settle();
    delegate.reset();
    openContext();
}

bool AppUnderTest::launch()
{
    m_storesOpen = true;
    delegate = std::make_unique<AppDelegate>(*context, m_ui, storyboard, m_navigator);
    bool ready = false;
    delegate->didFinishLaunching([&ready] { ready = true; });
    if (!QTest::qWaitFor([&] { return ready; }, 5000))
        return false;
    settle();
    return login() != nullptr;
}

void AppUnderTest::openStores()
{
    if (!m_storesOpen)
        context->start();
    m_storesOpen = true;
}

void AppUnderTest::startSignedIn()
{
    openStores();
    SecureStore &secure = context->secureStore();
    secure.setValue(QStringLiteral("userId"), QStringLiteral("U10023"));
    secure.setValue(QStringLiteral("userName"), QStringLiteral("陳志明"));
    secure.setValue(QStringLiteral("userAccount"), QStringLiteral("demo"));
    context->userInfo().bukrs = QStringLiteral("1000");
    context->userInfo().bukrsName = QStringLiteral("澤勒建材股份有限公司");
    context->userInfo().vkorg = QStringLiteral("1100");
    context->userInfo().email = QStringLiteral("chihming.chen@zelk-supply.com.tw");
}

TabBarController *AppUnderTest::tabs() const
{
    const auto presented = m_navigator.presentedScreens();
    return presented.isEmpty() ? nullptr : qobject_cast<TabBarController *>(presented.last());
}

bool AppHarness::signIn(const QString &account, const QString &password)
{
    if (!login())
        return false;
    login()->setUserName(account);
    login()->setPassword(password);
    login()->loginAction();
    if (!QTest::qWaitFor([this] { return tabs() != nullptr && !ui.isSpinnerShowing(); }, 5000))
        return false;
    settle();
    return true;
}

MoreViewController *AppHarness::openMore()
{
    if (!tabs())
        return nullptr;
    tabs()->setSelectedIndex(3);
    settle();
    return tabRoot<MoreViewController>(3);
}

bool AppHarness::signOut()
{
    auto *more = openMore();
    if (!more)
        return false;
    more->selectRow(4); // 登出
    return ui.pressAlertButton(QStringLiteral("登出")) &&
           QTest::qWaitFor([this] { return navigator.presentedScreens().isEmpty(); }, 5000);
}

ChangePasswordViewController *AppHarness::openPasswordChange()
{
    auto *more = launch() && signIn() ? openMore() : nullptr;
    if (!more)
        return nullptr;
    more->selectRow(2); // 修改密碼
    settle();
    return qobject_cast<ChangePasswordViewController *>(more->navigationController()->topViewController());
}

Order sampleLine(const QString &matnr, float price, float quantity, int pages)
{
    Order o;
    o.orderCustomer = {.kunnr = QStringLiteral("0000100101"), .name1 = QStringLiteral("大安營造股份有限公司")};
    o.contract2 = {.auarth = QStringLiteral("ZOR"), .vkorg = QStringLiteral("1100")};
    o.inco1 = Inco1{QStringLiteral("DAP"), QStringLiteral("送達工地")};
    o.orderItem = {.matnr = matnr, .maktx = QStringLiteral("物料") + matnr, .price = price, .orderNumber = quantity};
    o.orderPage = pages;
    return o;
}
