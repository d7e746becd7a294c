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
        <translation>Cannot delete</translation>
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
    <message>
        <source>備註</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>儲存</source>
        <translation>Save</translation>
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
        <translation>Priced from the customer&apos;s price list</translation>
    </message>
    <message>
        <source>依客戶合約下單</source>
        <translation>Against a customer&apos;s contract</translation>
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
        <source>這筆訂單正在送出，請稍後再試。</source>
        <translation>This order is going out now. Try again shortly.</translation>
    </message>
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
    <message>
        <source>新增留言</source>
        <translation>New message</translation>
    </message>
    <message>
        <source>無法取得合同清單</source>
        <translation>Cannot get the contract list</translation>
    </message>
    <message>
        <source>¥</source>
        <translation>¥</translation>
    </message>
    <message>
        <source>訂單編輯</source>
        <translation>Edit order</translation>
    </message>
    <message>
        <source>物料名稱</source>
        <translation>Material name</translation>
    </message>
    <message>
        <source>合同編號</source>
        <translation>Contract no.</translation>
    </message>
    <message>
        <source>選擇品種</source>
        <translation>Choose the material</translation>
    </message>
    <message>
        <source>無法取得物料清單</source>
        <translation>Cannot get the material list</translation>
    </message>
    <message>
        <source>購物車</source>
        <translation>Cart</translation>
    </message>
    <message>
        <source>沒有物料</source>
        <translation>No materials</translation>
    </message>
    <message>
        <source>離開下單</source>
        <translation>Leave the order</translation>
    </message>
    <message>
        <source>離開後將會清空您購物車的內容，請確認。</source>
        <translation>Leaving empties your cart. Please confirm.</translation>
    </message>
    <message>
        <source>離開</source>
        <translation>Leave</translation>
    </message>
    <message numerus="yes">
        <source>共%n則留言</source>
        <translation>
            <numerusform>%n reply</numerusform>
            <numerusform>%n replies</numerusform>
        </translation>
    </message>
</context>
</TS>
