<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source>新增成功</source>
        <translation>Posted</translation>
    </message>
    <message>
        <source>新增失敗</source>
        <translation>Could not post</translation>
    </message>
    <message>
        <source>請輸入想說的話</source>
        <translation>Please write something</translation>
    </message>
    <message>
        <source>刪除留言</source>
        <translation>Delete message</translation>
    </message>
    <message>
        <source>已刪除留言</source>
        <translation>Message deleted</translation>
    </message>
    <message>
        <source>無法刪除</source>
        <translation>Could not delete</translation>
    </message>
    <message>
        <source>刪除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選擇方式</source>
        <translation>Add a photo</translation>
    </message>
    <message>
        <source>拍一張照片</source>
        <translation>Take a photo</translation>
    </message>
    <message>
        <source>共%d則留言</source>
        <translation>%d replies</translation>
    </message>
    <message>
        <source>無法取得資料</source>
        <translation>Could not load data</translation>
    </message>
    <message>
        <source>送出</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>照片</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>回覆</source>
        <translation>Reply</translation>
    </message>
    <message>
        <source>移除照片</source>
        <translation>Remove photo</translation>
    </message>
    <message>
        <source>無法使用這張照片</source>
        <translation>This photo cannot be used</translation>
    </message>
    <message>
        <source>這個檔案不是圖片</source>
        <translation>The file is not an image.</translation>
    </message>
    <message>
        <source>無法讀取這個檔案</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>照片超過 4000 萬像素，請選擇較小的照片</source>
        <translation>The photo is larger than 40 megapixels. Please choose a smaller one.</translation>
    </message>
    <message>
        <source>無法確認是否已新增</source>
        <translation>Could not check whether it was posted</translation>
    </message>
    <message>
        <source>無法確認是否已刪除</source>
        <translation>Could not check whether it was deleted</translation>
    </message>
    <message>
        <source>先前送出的內容已新增，修改後的內容尚未送出</source>
        <translation>What you sent before was posted. The changed text has not been sent yet.</translation>
    </message>
</context>
</TS>
