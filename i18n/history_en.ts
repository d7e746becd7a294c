<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source>查詢時間</source>
        <translation>Query date</translation>
    </message>
    <message>
        <source>無法查詢超過1個月</source>
        <translation>Cannot query more than 1 month</translation>
    </message>
    <message>
        <source>請重新選擇時間區間</source>
        <translation>Please choose the date range again</translation>
    </message>
    <message>
        <source>無法查詢訂單</source>
        <translation>Cannot query the orders</translation>
    </message>
    <message>
        <source>客戶</source>
        <translation>Customer</translation>
    </message>
    <message>
        <source>訂單編號</source>
        <translation>Order number</translation>
    </message>
    <message>
        <source>請選擇客戶</source>
        <translation>Choose a customer</translation>
    </message>
    <message>
        <source>請輸入訂單編號</source>
        <translation>Enter the order number</translation>
    </message>
    <message>
        <source>查詢</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>開單日期</source>
        <translation>Order date</translation>
    </message>
    <message>
        <source>營業所名稱</source>
        <translation>Sales office</translation>
    </message>
    <message>
        <source>客戶名稱</source>
        <translation>Customer name</translation>
    </message>
    <message>
        <source>客戶代號</source>
        <translation>Customer number</translation>
    </message>
    <message>
        <source>單價</source>
        <translation>Unit price</translation>
    </message>
    <message>
        <source>開單數量</source>
        <translation>Ordered quantity</translation>
    </message>
    <message>
        <source>已發數量</source>
        <translation>Shipped quantity</translation>
    </message>
    <message>
        <source>剩餘數量</source>
        <translation>Remaining quantity</translation>
    </message>
    <message>
        <source>搜尋</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>重新整理</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
</context>
</TS>
