<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source>備註</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>儲存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>刪除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>前往編輯</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>必選人員</source>
        <translation>required</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>收件人</source>
        <translation>Recipients</translation>
    </message>
    <message>
        <source>無法刪除必選人員</source>
        <translation>A required person cannot be removed</translation>
    </message>
    <message>
        <source>發送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>編輯</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>聯絡人員</source>
        <translation>Contacts</translation>
    </message>
    <message>
        <source>訂單資訊</source>
        <translation>Order information</translation>
    </message>
    <message>
        <source>請手動選擇人員</source>
        <translation>Please choose the recipients</translation>
    </message>
    <message>
        <source>請於以下人員中一定要選一位</source>
        <translation>Choose exactly one of these people</translation>
    </message>
    <message>
        <source>請至少選擇一筆資料</source>
        <translation>Please tick at least one line</translation>
    </message>
    <message>
        <source>請選擇一定要選擇一位人員</source>
        <translation>Please choose at least one person</translation>
    </message>
    <message>
        <source>請選擇必選人員</source>
        <translation>Please choose a required person</translation>
    </message>
    <message>
        <source>車號</source>
        <translation>Vehicle number</translation>
    </message>
    <message>
        <source>輸入發送資訊</source>
        <translation>Mail details</translation>
    </message>
    <message>
        <source>選擇</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>選擇人員</source>
        <translation>Choose recipients</translation>
    </message>
</context>
</TS>
