<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source>首頁</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>留言板</source>
        <translation>Boards</translation>
    </message>
    <message>
        <source>通知</source>
        <translation>Notifications</translation>
    </message>
    <message>
        <source>更多</source>
        <translation>More</translation>
    </message>
    <message>
        <source>澤勒中國</source>
        <translation>Zelk China</translation>
    </message>
    <message>
        <source>主要功能</source>
        <translation>Main functions</translation>
    </message>
    <message>
        <source>簽核系統</source>
        <translation>Approvals</translation>
    </message>
    <message>
        <source>集團資訊</source>
        <translation>Group news</translation>
    </message>
    <message>
        <source>早安 </source>
        <translation>Good morning </translation>
    </message>
    <message>
        <source>午安 </source>
        <translation>Good afternoon </translation>
    </message>
    <message>
        <source>晚安 </source>
        <translation>Good evening </translation>
    </message>
    <message>
        <source>最新通知</source>
        <translation>Latest notification</translation>
    </message>
    <message>
        <source>留言版</source>
        <translation>Message boards</translation>
    </message>
    <message>
        <source>關於澤勒中國</source>
        <translation>About Zelk China</translation>
    </message>
    <message>
        <source>聯絡我們</source>
        <translation>Contact us</translation>
    </message>
    <message>
        <source>修改密碼</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>目前版本</source>
        <translation>Current version</translation>
    </message>
    <message>
        <source>立刻前往更新</source>
        <translation>Update now</translation>
    </message>
    <message>
        <source>登出</source>
        <translation>Sign out</translation>
    </message>
    <message>
        <source>即將登出</source>
        <translation>Signing out</translation>
    </message>
    <message>
        <source>系統即將登出</source>
        <translation>You are about to sign out.</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>郵編</source>
        <translation>Postal code</translation>
    </message>
    <message>
        <source>聯繫電話</source>
        <translation>Telephone</translation>
    </message>
    <message>
        <source>傳真</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>郵箱</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>品質服務電話</source>
        <translation>Quality service hotline</translation>
    </message>
    <message>
        <source>台北市中山區民生東路三段128號9樓</source>
        <translation>9F, No. 128, Sec. 3, Minsheng E. Rd., Zhongshan Dist., Taipei City</translation>
    </message>
    <message>
        <source>帳號</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>密碼</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>登入</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>舊密碼</source>
        <translation>Old password</translation>
    </message>
    <message>
        <source>新密碼</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>確認新密碼</source>
        <translation>Confirm new password</translation>
    </message>
    <message>
        <source>待送出訂單未能下單</source>
        <translation>A waiting order was not placed</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
</context>
</TS>
