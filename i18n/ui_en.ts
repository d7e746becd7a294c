<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source>下滑更新資料</source>
        <translation>Pull down to refresh</translation>
    </message>
    <message>
        <source>放開開始更新</source>
        <translation>Release to refresh</translation>
    </message>
    <message>
        <source>更新資料中</source>
        <translation>Refreshing…</translation>
    </message>
    <message>
        <source>上滑繼續載入</source>
        <translation>Pull up to load more</translation>
    </message>
    <message>
        <source>正在更新中</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>已無資料</source>
        <translation>No more data</translation>
    </message>
    <message>
        <source>點擊或上拉載入更多</source>
        <translation>Tap or pull up to load more</translation>
    </message>
    <message>
        <source>正在載入更多的資料...</source>
        <translation>Loading more…</translation>
    </message>
    <message>
        <source>已經全部載入完畢</source>
        <translation>Everything is loaded</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>選擇照片</source>
        <translation>Choose a photo</translation>
    </message>
    <message>
        <source>重試</source>
        <translation>Retry</translation>
    </message>
</context>
</TS>
