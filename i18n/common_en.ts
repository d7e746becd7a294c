<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source>訂單創建</source>
        <translation>Create order</translation>
    </message>
    <message>
        <source>訂單查詢</source>
        <translation>Order query</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>無法取得客戶資料</source>
        <translation>Cannot get the customer data</translation>
    </message>
    <message>
        <source>請稍候在試</source>
        <translation>Please try again later</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>品項</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>關閉</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>選擇客戶</source>
        <translation>Choose the customer</translation>
    </message>
    <message>
        <source>離線資料 · 剛剛</source>
        <translation>Offline data · just now</translation>
    </message>
    <message>
        <source>離線資料 · %d 分鐘前</source>
        <translation>Offline data · %d min ago</translation>
    </message>
    <message>
        <source>離線資料 · %d 小時前</source>
        <translation>Offline data · %d h ago</translation>
    </message>
    <message>
        <source>離線資料 · %d 天前</source>
        <translation>Offline data · %d d ago</translation>
    </message>
    <message>
        <source>無法連線</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source> · </source>
        <translation> · </translation>
    </message>
</context>
</TS>
