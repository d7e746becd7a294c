<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source>無法連結伺服器，麻煩稍後再試</source>
        <translation>Cannot reach the server, please try again later</translation>
    </message>
    <message>
        <source>無法解析回覆，請稍候再試</source>
        <translation>The reply could not be read, please try again later</translation>
    </message>
    <message>
        <source>未知的錯誤，請稍候再試</source>
        <translation>Unknown error, please try again later</translation>
    </message>
    <message>
        <source>目前無法連線，且尚無離線資料（需先在連線時開啟過一次）</source>
        <translation>Offline, and nothing is kept for offline use yet (open it once while connected)</translation>
    </message>
</context>
</TS>
