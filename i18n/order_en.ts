<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>Zelk</name>
    <message>
        <source> × </source>
        <translation> × </translation>
    </message>
    <message>
        <source>一般訂單</source>
        <translation>Normal order</translation>
    </message>
    <message>
        <source>下單失敗</source>
        <translation>Order failed</translation>
    </message>
    <message>
        <source>下單成功</source>
        <translation>Ordered</translation>
    </message>
    <message>
        <source>下單數量</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>下單數量超過上限</source>
        <translation>The quantity exceeds the maximum</translation>
    </message>
    <message>
        <source>交貨方式</source>
        <translation>Delivery method</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>單位價錢(含稅)</source>
        <translation>Unit price (incl. tax)</translation>
    </message>
    <message>
        <source>單價:</source>
        <translation>Unit price:</translation>
    </message>
    <message>
        <source>客戶:</source>
        <translation>Customer:</translation>
    </message>
    <message>
        <source>客戶編號:</source>
        <translation>Customer no.:</translation>
    </message>
    <message>
        <source>已成功發送通知</source>
        <translation>Notice sent</translation>
    </message>
    <message>
        <source>已超過信用額度，無法在下單</source>
        <translation>The credit limit is exceeded, the order cannot be placed</translation>
    </message>
    <message>
        <source>無法取得信用額度</source>
        <translation>Cannot get the credit limit</translation>
    </message>
    <message>
        <source>無法取得物料資料</source>
        <translation>Cannot get the materials</translation>
    </message>
    <message>
        <source>無法取得裝運點</source>
        <translation>Cannot get the shipping point</translation>
    </message>
    <message>
        <source>無法轉換成數字</source>
        <translation>Cannot be read as a number</translation>
    </message>
    <message>
        <source>無法辨識數字</source>
        <translation>Not a number</translation>
    </message>
    <message>
        <source>物料編號</source>
        <translation>Material no.</translation>
    </message>
    <message>
        <source>物料編號:</source>
        <translation>Material no.:</translation>
    </message>
    <message>
        <source>確認下單</source>
        <translation>Confirm order</translation>
    </message>
    <message>
        <source>裝運點</source>
        <translation>Shipping point</translation>
    </message>
    <message>
        <source>複製訂單總數  × </source>
        <translation>Copies of the order  × </translation>
    </message>
    <message>
        <source>訂單編號：</source>
        <translation>Order no.: </translation>
    </message>
    <message>
        <source>訂單類型</source>
        <translation>Order type</translation>
    </message>
    <message>
        <source>請輸入</source>
        <translation>Please enter</translation>
    </message>
    <message>
        <source>請輸入(選填)</source>
        <translation>Please enter (optional)</translation>
    </message>
    <message>
        <source>請輸入下單數量</source>
        <translation>Enter the quantity</translation>
    </message>
    <message>
        <source>請輸入完整資料</source>
        <translation>Please complete the entry</translation>
    </message>
    <message>
        <source>請輸入完整資訊</source>
        <translation>Please complete the information</translation>
    </message>
    <message>
        <source>請輸入數字</source>
        <translation>Please enter a number</translation>
    </message>
    <message>
        <source>請輸入正確的數字</source>
        <translation>Please enter a valid number</translation>
    </message>
    <message>
        <source>請輸入車船別備註</source>
        <translation>Enter a car/ship remark</translation>
    </message>
    <message>
        <source>請選擇</source>
        <translation>Please choose</translation>
    </message>
    <message>
        <source>資料錯誤請稍候再試</source>
        <translation>Data error, please try again later</translation>
    </message>
    <message>
        <source>車船別</source>
        <translation>Car/ship kind</translation>
    </message>
    <message>
        <source>車船別(備註)</source>
        <translation>Car/ship remark</translation>
    </message>
    <message>
        <source>輸入物料編號 or 物料名稱</source>
        <translation>Material no. or material name</translation>
    </message>
    <message>
        <source>輸入金額不得小於原始金額</source>
        <translation>The price may not be below the list price</translation>
    </message>
    <message>
        <source>選擇交貨方式</source>
        <translation>Choose the delivery method</translation>
    </message>
    <message>
        <source>選擇物料</source>
        <translation>Choose the material</translation>
    </message>
    <message>
        <source>選擇裝運點</source>
        <translation>Choose the shipping point</translation>
    </message>
    <message>
        <source>選擇複製份數</source>
        <translation>Choose the number of copies</translation>
    </message>
    <message>
        <source>選擇訂單類型</source>
        <translation>Choose the order type</translation>
    </message>
    <message>
        <source>選擇車船別</source>
        <translation>Choose the car/ship kind</translation>
    </message>
    <message>
        <source>金額不得低於</source>
        <translation>The price may not be below </translation>
    </message>
    <message>
        <source>銷售機構</source>
        <translation>Sales organisation</translation>
    </message>
    <message>
        <source>限制%@個字</source>
        <translation>At most %@ characters</translation>
    </message>
    <message>
        <source>下單時間過於靠近，之前的下單正在處理中，請稍待片刻並確認本次下單是否成功。</source>
        <translation>This order follows the previous one too closely; the previous order is still being processed. Please wait a moment and check whether this order was placed.</translation>
    </message>
    <message>
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>下單</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>依客戶價目表下單</source>
        <translation>Priced from the customer's price list</translation>
    </message>
    <message>
        <source>依客戶合約下單</source>
        <translation>Against a customer's contract</translation>
    </message>
    <message>
        <source>信用額度:</source>
        <translation>Credit:</translation>
    </message>
    <message>
        <source>修改訂單</source>
        <translation>Edit order</translation>
    </message>
    <message>
        <source>加入購物車</source>
        <translation>Add to cart</translation>
    </message>
    <message>
        <source>合約訂單</source>
        <translation>Contract order</translation>
    </message>
    <message>
        <source>發送通知</source>
        <translation>Send notice</translation>
    </message>
    <message>
        <source>複製訂單</source>
        <translation>Copy order</translation>
    </message>
    <message>
        <source>選擇份數</source>
        <translation>Choose copies</translation>
    </message>
    <message>
        <source>沒有可用的訂單類型</source>
        <translation>No order type is available</translation>
    </message>
    <message>
        <source>未完成的訂單</source>
        <translation>Unfinished order</translation>
    </message>
    <message>
        <source>您有一筆尚未完成的訂單，要繼續嗎？</source>
        <translation>You have an unfinished order. Continue it?</translation>
    </message>
    <message>
        <source>繼續</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>捨棄</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>訂單可能已送出</source>
        <translation>The order may have been placed</translation>
    </message>
    <message>
        <source>部分品項已送出但未收到結果，可能已經下單。捨棄前請先到訂單查詢確認。</source>
        <translation>Some lines were sent but no result arrived: they may already have been placed. Check the order query before discarding.</translation>
    </message>
    <message>
        <source>仍要捨棄</source>
        <translation>Discard anyway</translation>
    </message>
    <message>
        <source>待送出</source>
        <translation>Waiting to be sent</translation>
    </message>
    <message>
        <source>連線恢復後自動送出</source>
        <translation>Sent by itself when the connection returns</translation>
    </message>
    <message>
        <source>傳送中</source>
        <translation>Sending</translation>
    </message>
    <message>
        <source>確認中</source>
        <translation>Checking</translation>
    </message>
    <message>
        <source>已送出但未收到回覆，將再確認</source>
        <translation>Sent, but no answer came; it will be checked</translation>
    </message>
    <message>
        <source>訂單待送出</source>
        <translation>Order waiting to be sent</translation>
    </message>
    <message>
        <source>目前無法連線，訂單已存入待送出訂單，連線恢復後會自動送出。</source>
        <translation>The app cannot connect now. The order is kept in Orders to send and goes out by itself when the connection returns.</translation>
    </message>
    <message>
        <source>（待確認）</source>
        <translation> (to be confirmed)</translation>
    </message>
    <message>
        <source>待送出訂單</source>
        <translation>Orders to send</translation>
    </message>
    <message>
        <source>沒有待送出的訂單</source>
        <translation>No orders waiting to be sent</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>刪除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>尚有未完成的訂單</source>
        <translation>An order is in progress</translation>
    </message>
    <message>
        <source>請先完成或離開目前的訂單，再修改待送出訂單。</source>
        <translation>Finish or leave the order in progress before changing an order waiting to be sent.</translation>
    </message>
    <message>
        <source>無法修改</source>
        <translation>Cannot change</translation>
    </message>
    <message>
        <source>這筆訂單已開始送出，無法修改。</source>
        <translation>This order has started going out and can no longer be changed.</translation>
    </message>
    <message>
        <source>刪除待送出訂單</source>
        <translation>Delete order to send</translation>
    </message>
    <message>
        <source>這筆訂單有已送出但未收到回覆的品項，可能已經下單。請先到訂單查詢確認，再決定是否刪除。</source>
        <translation>Some lines of this order were sent without an answer and may already be placed. Check them in Order query before deleting.</translation>
    </message>
    <message>
        <source>確定要刪除這筆待送出訂單嗎？</source>
        <translation>Delete this order waiting to be sent?</translation>
    </message>
    <message>
        <source>無法刪除</source>
        <translation>Cannot delete</translation>
    </message>
    <message>
        <source>這筆訂單正在送出，請稍後再試。</source>
        <translation>This order is going out now. Try again shortly.</translation>
    </message>
</context>
</TS>
