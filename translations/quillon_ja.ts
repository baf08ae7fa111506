<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AttachmentList</name>
    <message>
        <source>%1, %2</source>
        <comment>documents, pages</comment>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>1 document</source>
        <translation>1 件の書類</translation>
    </message>
    <message numerus="yes">
        <source>%n documents</source>
        <translation>
            <numerusform>%n 件の書類</numerusform>
        </translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 ページ</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n ページ</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a document&apos;s name, pages and size</comment>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>%1, reading…</source>
        <translation>%1、読み込み中…</translation>
    </message>
</context>
<context>
    <name>AttachmentPanel</name>
    <message>
        <source>Attach</source>
        <translation>添付</translation>
    </message>
    <message>
        <source>Documents (*.pdf *.tif *.tiff *.png *.jpg *.jpeg);;All files (*)</source>
        <translation>書類 (*.pdf *.tif *.tiff *.png *.jpg *.jpeg);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Not sent: %1 is still being read</source>
        <translation>送信されませんでした: %1 はまだ読み込み中です</translation>
    </message>
</context>
<context>
    <name>AttachmentStrip</name>
    <message>
        <source>Remove</source>
        <translation>取り除く</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Sends faxes and e-mail through your SMTP server and an e-mail-to-fax gateway. With no option it opens its window; with --to, --fax, --subject or --message a new fax in it; with --send it sends the fax without a window and ends: 0 when the server took it, 1 when it was refused or could not be sent, 2 for wrong use. With --wait-report it then waits for the gateway&apos;s delivery report: 0 when it says delivered, 3 when it says failed, 4 when none came in time.</source>
        <translation>SMTP サーバーと電子メール FAX ゲートウェイを通じて FAX と電子メールを送信します。オプションなしではウィンドウを開きます。--to、--fax、--subject、--message を指定するとその中に新しい FAX を作成します。--send を指定するとウィンドウなしで FAX を送信して終了します: サーバーが受け付けた場合は 0、拒否されたか送信できなかった場合は 1、使い方が誤っている場合は 2。--wait-report を指定すると、続いてゲートウェイの配信レポートを待ちます: 配信済みなら 0、失敗なら 3、時間内に届かなければ 4。</translation>
    </message>
    <message>
        <source>Send without a window, then end.</source>
        <translation>ウィンドウなしで送信して終了します。</translation>
    </message>
    <message>
        <source>The recipient&apos;s name, or an e-mail address.</source>
        <translation>受信者の名前、または電子メールアドレス。</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>The fax number, as printed.</source>
        <translation>印刷されているとおりの FAX 番号。</translation>
    </message>
    <message>
        <source>NUMBER</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>The subject.</source>
        <translation>件名。</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>テキスト</translation>
    </message>
    <message>
        <source>The message.</source>
        <translation>メッセージ。</translation>
    </message>
    <message>
        <source>The message from a file (UTF-8); - for standard input.</source>
        <translation>ファイルから読むメッセージ (UTF-8)。- で標準入力。</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>The gateway: a name from Settings&apos; list, or a gateway&apos;s domain (TPC.NET when left out).</source>
        <translation>ゲートウェイ: 設定の一覧にある名前、またはゲートウェイのドメイン (省略時は TPC.NET)。</translation>
    </message>
    <message>
        <source>With --send: wait up to MINUTES for the gateway&apos;s delivery report (read over IMAP, as Settings say).</source>
        <translation>--send と併用: ゲートウェイの配信レポートを最大 分数 分待ちます (設定に従い IMAP で読み取ります)。</translation>
    </message>
    <message>
        <source>MINUTES</source>
        <translation>分数</translation>
    </message>
    <message>
        <source>Documents to attach: PDF, TIFF, PNG or JPEG.</source>
        <translation>添付する書類: PDF、TIFF、PNG、JPEG。</translation>
    </message>
    <message>
        <source>[FILE...]</source>
        <translation>[ファイル...]</translation>
    </message>
    <message>
        <source>--wait-report takes minutes, from 1 to 2880.</source>
        <translation>--wait-report には 1 から 2880 までの分数を指定してください。</translation>
    </message>
    <message>
        <source>--wait-report goes with --send.</source>
        <translation>--wait-report は --send と一緒に使います。</translation>
    </message>
    <message>
        <source>Give --message or --message-file, not both.</source>
        <translation>--message と --message-file のどちらか一方を指定してください。</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 を読み取れません: %2</translation>
    </message>
    <message>
        <source>%1 is too long for a message, which holds at most 1 MB.</source>
        <translation>%1 はメッセージには長すぎます。メッセージは最大 1 MB です。</translation>
    </message>
    <message>
        <source>files</source>
        <comment>the name of the documents argument in --help</comment>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Try &apos;quillon --help&apos;.</source>
        <translation>'quillon --help' を参照してください。</translation>
    </message>
</context>
<context>
    <name>CredentialStore</name>
    <message>
        <source>Not sent: no password given.</source>
        <translation>送信されませんでした: パスワードが入力されていません。</translation>
    </message>
</context>
<context>
    <name>Delivery</name>
    <message>
        <source>busy</source>
        <translation>話し中</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>応答なし</translation>
    </message>
    <message>
        <source>not a fax machine</source>
        <translation>FAX 機ではありません</translation>
    </message>
    <message>
        <source>wrong number</source>
        <translation>番号違い</translation>
    </message>
    <message>
        <source>document refused</source>
        <translation>書類が拒否されました</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 ページ</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n ページ</numerusform>
        </translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm:ss t</source>
        <comment>the report&apos;s date</comment>
        <translation>yyyy年M月d日 HH:mm:ss t</translation>
    </message>
    <message>
        <source>unknown date</source>
        <translation>日付不明</translation>
    </message>
    <message>
        <source>an unknown sender</source>
        <translation>不明な送信者</translation>
    </message>
    <message>
        <source>none</source>
        <comment>no Message-ID</comment>
        <translation>なし</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <comment>the time of delivery</comment>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>Delivered %1, %2</source>
        <translation>配信済み %1、%2</translation>
    </message>
    <message>
        <source>Delivered %1</source>
        <comment>the time</comment>
        <translation>配信済み %1</translation>
    </message>
    <message>
        <source>Delivered %1</source>
        <comment>the pages</comment>
        <translation>配信済み、%1</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>配信済み</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>失敗: %1</translation>
    </message>
    <message>
        <source>Queued by the gateway</source>
        <translation>ゲートウェイで待機中</translation>
    </message>
    <message>
        <source>No report</source>
        <translation>レポートなし</translation>
    </message>
    <message>
        <source>Accepted by the server</source>
        <translation>サーバーが受け付けました</translation>
    </message>
    <message>
        <source>Not delivered to %1: %2</source>
        <translation>%1 に配信されませんでした: %2</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>Delivered: %1, %2.</source>
        <translation>配信済み: %1、%2。</translation>
    </message>
    <message>
        <source>Delivered: %1.</source>
        <translation>配信済み: %1。</translation>
    </message>
    <message>
        <source>Accepted by the mail server; the gateway has not reported delivery.</source>
        <translation>メールサーバーが受け付けました。ゲートウェイからの配信の報告はありません。</translation>
    </message>
    <message>
        <source>Not delivered, as stated by the gateway&apos;s report of %1 from %2 (Message-ID %3).</source>
        <translation>未配信 (%2 からの %1 付けのゲートウェイのレポートによる。Message-ID %3)。</translation>
    </message>
    <message>
        <source>Not delivered: %1, as stated by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>未配信: %1 (%3 からの %2 付けのゲートウェイのレポートによる。Message-ID %4)。</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm</source>
        <comment>the time of delivery</comment>
        <translation>yyyy年M月d日 HH:mm</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a time, then pages</comment>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>Delivered, %1, confirmed by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>配信済み、%1 (%3 からの %2 付けのゲートウェイのレポートで確認。Message-ID %4)。</translation>
    </message>
    <message>
        <source>Delivered %1, confirmed by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>配信済み %1 (%3 からの %2 付けのゲートウェイのレポートで確認。Message-ID %4)。</translation>
    </message>
    <message>
        <source>Delivered, confirmed by the gateway&apos;s report of %1 from %2 (Message-ID %3).</source>
        <translation>配信済み (%2 からの %1 付けのゲートウェイのレポートで確認。Message-ID %3)。</translation>
    </message>
    <message>
        <source>Unverified report: %1, from %2</source>
        <translation>未確認の報告: %1、差出人 %2</translation>
    </message>
</context>
<context>
    <name>DeliveryNews</name>
    <message>
        <source>Show</source>
        <translation>表示</translation>
    </message>
</context>
<context>
    <name>DeliveryWatch</name>
    <message>
        <source>cannot connect to the IMAP server</source>
        <translation>IMAP サーバーに接続できません</translation>
    </message>
    <message>
        <source>A delivery report could not be kept: %1</source>
        <translation>配信レポートを保存できませんでした: %1</translation>
    </message>
    <message>
        <source>Delivery reports cannot be read: %1.</source>
        <translation>配信レポートを読み取れません: %1。</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Not attached: %1 is not a PDF, TIFF, PNG or JPEG file</source>
        <translation>添付されませんでした: %1 は PDF、TIFF、PNG、JPEG ファイルではありません</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read: %2</source>
        <translation>添付されませんでした: %1 を読み取れません: %2</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read: it has %2 bytes before its PDF header; save it again as PDF</source>
        <translation>添付されませんでした: %1 を読み取れません: PDF ヘッダーの前に %2 バイトあります。PDF として保存し直してください</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read (damaged, or protected by a password)</source>
        <translation>添付されませんでした: %1 を読み取れません (破損しているか、パスワードで保護されています)</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read (damaged)</source>
        <translation>添付されませんでした: %1 を読み取れません (破損しています)</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 バイト</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>pages, size</comment>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 ページ</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n ページ</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Enclosure</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 を読み取れません: %2</translation>
    </message>
    <message>
        <source>%1 has changed since it was attached; attach it again</source>
        <translation>%1 は添付後に変更されました。もう一度添付してください</translation>
    </message>
    <message>
        <source>Not sent: %1 cannot be read: %2</source>
        <translation>送信されませんでした: %1 を読み取れません: %2</translation>
    </message>
    <message>
        <source>Not sent: %1 has changed since it was attached; attach it again</source>
        <translation>送信されませんでした: %1 は添付後に変更されました。もう一度添付してください</translation>
    </message>
</context>
<context>
    <name>FaxReport</name>
    <message>
        <source>Sender:</source>
        <translation>送信者:</translation>
    </message>
    <message>
        <source>Recipient:</source>
        <translation>受信者:</translation>
    </message>
    <message>
        <source>Fax number:</source>
        <translation>FAX 番号:</translation>
    </message>
    <message>
        <source>Gateway address:</source>
        <translation>ゲートウェイのアドレス:</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>件名:</translation>
    </message>
    <message>
        <source>Sent:</source>
        <translation>送信日時:</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm:ss t</source>
        <comment>the date and time sent</comment>
        <translation>yyyy年M月d日 HH:mm:ss t</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>サーバー:</translation>
    </message>
    <message>
        <source>Server&apos;s reply:</source>
        <translation>サーバーの応答:</translation>
    </message>
    <message>
        <source>Message-ID:</source>
        <translation>Message-ID:</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>ページ数:</translation>
    </message>
    <message>
        <source>Delivery:</source>
        <translation>配信:</translation>
    </message>
    <message>
        <source>Transmission report</source>
        <translation>送信レポート</translation>
    </message>
    <message>
        <source>The report cannot be written to %1.</source>
        <translation>レポートを %1 に書き込めません。</translation>
    </message>
    <message>
        <source>DejaVu Sans</source>
        <comment>the font: one that holds the language&apos;s script</comment>
        <translation>Noto Sans CJK JP</translation>
    </message>
    <message>
        <source>The gateway&apos;s report says:</source>
        <translation>ゲートウェイのレポートの内容:</translation>
    </message>
    <message>
        <source>Files sent:</source>
        <translation>送信したファイル:</translation>
    </message>
    <message>
        <source>none: the text was faxed</source>
        <translation>なし: 本文を FAX しました</translation>
    </message>
</context>
<context>
    <name>FaxStore</name>
    <message>
        <source>%1: %2.</source>
        <comment>what failed: why</comment>
        <translation>%1: %2。</translation>
    </message>
    <message>
        <source>Cannot recover your documents from %1 in %2</source>
        <translation>%2 の %1 から書類を復元できません</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 を読み取れません</translation>
    </message>
    <message>
        <source>%1 is not open.</source>
        <translation>%1 が開かれていません。</translation>
    </message>
    <message>
        <source>Cannot read document %1 from %2</source>
        <translation>%2 から書類 %1 を読み取れません</translation>
    </message>
    <message>
        <source>Cannot save document %1 to %2</source>
        <translation>書類 %1 を %2 に保存できません</translation>
    </message>
    <message>
        <source>Cannot save document %1 to %2; the file was left as it was</source>
        <translation>書類 %1 を %2 に保存できません。ファイルは元のままです</translation>
    </message>
    <message>
        <source>No new document can be started: the store is full at %1 documents. Delete a document to make room.</source>
        <translation>新しい書類を作成できません: 保存できる書類は %1 件までで、満杯です。書類を削除して空きを作ってください。</translation>
    </message>
    <message>
        <source>The document was not saved: no record is selected. Press New, then Save.</source>
        <translation>書類は保存されませんでした: レコードが選択されていません。「新規」を押してから「保存」を押してください。</translation>
    </message>
    <message>
        <source>Cannot remove the old %1</source>
        <translation>古いファイル %1 を削除できません</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>%1 を作成できません</translation>
    </message>
    <message>
        <source>Cannot give %1 the permissions of %2</source>
        <translation>%1 に %2 のアクセス権を設定できません</translation>
    </message>
    <message>
        <source>Cannot copy the documents to %1</source>
        <translation>書類を %1 にコピーできません</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>Cannot write %1 to disk</source>
        <translation>%1 をディスクに書き込めません</translation>
    </message>
    <message>
        <source>Cannot put %1 in place of %2</source>
        <translation>%1 を %2 と置き換えられません</translation>
    </message>
    <message>
        <source>The document was deleted, but the change may be lost if the computer stops now</source>
        <translation>書類は削除されましたが、今コンピューターが停止すると変更が失われる可能性があります</translation>
    </message>
    <message>
        <source>The document was not deleted. %1</source>
        <translation>書類は削除されませんでした。%1</translation>
    </message>
    <message>
        <source>The document was deleted, but the next one cannot be shown. %1</source>
        <translation>書類は削除されましたが、次の書類を表示できません。%1</translation>
    </message>
</context>
<context>
    <name>Instance</name>
    <message>
        <source>Quillon cannot lock its data folder %1: %2</source>
        <translation>Quillon はデータフォルダー %1 をロックできません: %2</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>Quillon is already running for %1, but does not answer.</source>
        <translation>Quillon は %1 ですでに実行中ですが、応答しません。</translation>
    </message>
</context>
<context>
    <name>OAuthRedirectHandler</name>
    <message>
        <source>Bad request.</source>
        <translation>不正な要求です。</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>見つかりません。</translation>
    </message>
    <message>
        <source>This is not the sign-in Quillon waits for.</source>
        <translation>これは Quillon が待っているサインインではありません。</translation>
    </message>
    <message>
        <source>No sign-in came.</source>
        <translation>サインインが届きませんでした。</translation>
    </message>
    <message>
        <source>The sign-in was refused. You can close this page.</source>
        <translation>サインインは拒否されました。このページは閉じてかまいません。</translation>
    </message>
    <message>
        <source>Quillon is signed in. You can close this page.</source>
        <translation>Quillon はサインインしました。このページは閉じてかまいません。</translation>
    </message>
    <message>
        <source>the sign-in server did not answer within %1 seconds</source>
        <translation>サインインサーバーが %1 秒以内に応答しませんでした</translation>
    </message>
    <message>
        <source>the token endpoint answered %1 without JSON</source>
        <translation>トークンエンドポイントが JSON なしで %1 を返しました</translation>
    </message>
    <message>
        <source>the token endpoint answered %1 without a bearer token</source>
        <translation>トークンエンドポイントがベアラートークンなしで %1 を返しました</translation>
    </message>
</context>
<context>
    <name>OAuthSignIn</name>
    <message>
        <source>Not sent: the sign-in was refused: %1</source>
        <translation>送信されませんでした: サインインが拒否されました: %1</translation>
    </message>
    <message>
        <source>Not sent: the sign-in was refused: %1: %2</source>
        <translation>送信されませんでした: サインインが拒否されました: %1: %2</translation>
    </message>
    <message>
        <source>Not sent: the sign-in server did not answer in time.</source>
        <translation>送信されませんでした: サインインサーバーが時間内に応答しませんでした。</translation>
    </message>
    <message>
        <source>Not sent: no sign-in within 5 minutes.</source>
        <translation>送信されませんでした: 5 分以内にサインインがありませんでした。</translation>
    </message>
    <message>
        <source>Not sent: no web browser could be opened.</source>
        <translation>送信されませんでした: Web ブラウザーを開けませんでした。</translation>
    </message>
    <message>
        <source>Not sent: the sign-in failed: %1</source>
        <translation>送信されませんでした: サインインに失敗しました: %1</translation>
    </message>
    <message>
        <source>Not sent: Quillon&apos;s sign-in part cannot be loaded: %1</source>
        <translation>送信されませんでした: Quillon のサインイン部分を読み込めません: %1</translation>
    </message>
    <message>
        <source>Not sent: Quillon cannot wait for the web browser.</source>
        <translation>送信されませんでした: Quillon は Web ブラウザーを待機できません。</translation>
    </message>
    <message>
        <source>Not sent: no sign-in given.</source>
        <translation>送信されませんでした: サインインが入力されていません。</translation>
    </message>
</context>
<context>
    <name>Outbox</name>
    <message>
        <source>The previous message is still being sent.</source>
        <translation>前のメッセージをまだ送信中です。</translation>
    </message>
    <message>
        <source>Sending</source>
        <translation>送信中</translation>
    </message>
    <message>
        <source>Cannot connect to SMTP server</source>
        <translation>SMTP サーバーに接続できません</translation>
    </message>
</context>
<context>
    <name>PrintSpool</name>
    <message>
        <source>Printed documents cannot be kept in %1</source>
        <translation>印刷された書類を %1 に保存できません</translation>
    </message>
    <message>
        <source>%1 cannot be taken from the printer&apos;s folder</source>
        <translation>%1 をプリンターのフォルダーから取り出せません</translation>
    </message>
</context>
<context>
    <name>SaveQuestion</name>
    <message>
        <source>The recipient is %1 characters long; the file keeps the first %2.</source>
        <translation>受信者は %1 文字あります。ファイルには最初の %2 文字が保存されます。</translation>
    </message>
    <message>
        <source>In the recipient, %1 cannot be stored and becomes ?.</source>
        <translation>受信者の %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>In the recipient, %1 cannot be stored and become ?.</source>
        <translation>受信者の %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>The fax number is %1 characters long; the file keeps the first %2.</source>
        <translation>FAX 番号は %1 文字あります。ファイルには最初の %2 文字が保存されます。</translation>
    </message>
    <message>
        <source>In the fax number, %1 cannot be stored and becomes ?.</source>
        <translation>FAX 番号の %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>In the fax number, %1 cannot be stored and become ?.</source>
        <translation>FAX 番号の %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>The subject is %1 characters long; the file keeps the first %2.</source>
        <translation>件名は %1 文字あります。ファイルには最初の %2 文字が保存されます。</translation>
    </message>
    <message>
        <source>In the subject, %1 cannot be stored and becomes ?.</source>
        <translation>件名の %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>In the subject, %1 cannot be stored and become ?.</source>
        <translation>件名の %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>The message is %1 characters long; the file keeps the first %2.</source>
        <translation>メッセージは %1 文字あります。ファイルには最初の %2 文字が保存されます。</translation>
    </message>
    <message>
        <source>In the message, %1 cannot be stored and becomes ?.</source>
        <translation>メッセージの %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>In the message, %1 cannot be stored and become ?.</source>
        <translation>メッセージの %1 は保存できないため ? になります。</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>ほか %1 個</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <comment>the last of a list</comment>
        <translation>%1 と %2</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the items of a list</comment>
        <translation>、</translation>
    </message>
    <message>
        <source>Saving would change this document:

%1</source>
        <translation>保存するとこの書類は次のように変わります:

%1</translation>
    </message>
    <message>
        <source>Save anyway</source>
        <translation>このまま保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>ScriptSend</name>
    <message>
        <source>Not sent: the password for %1 on %2 is not in the keyring; send once from Quillon&apos;s window with &quot;Remember the password&quot; checked</source>
        <translation>送信されませんでした: %2 の %1 のパスワードがキーリングにありません。「パスワードを保存する」をオンにして Quillon のウィンドウから一度送信してください</translation>
    </message>
    <message>
        <source>Not sent: signing in to %1 needs the web browser; send once from Quillon&apos;s window with &quot;Remember the sign-in&quot; checked</source>
        <translation>送信されませんでした: %1 へのサインインには Web ブラウザーが必要です。「サインインを保存する」をオンにして Quillon のウィンドウから一度送信してください</translation>
    </message>
    <message>
        <source>No delivery report came within 1 minute.</source>
        <translation>1 分以内に配信レポートは届きませんでした。</translation>
    </message>
    <message numerus="yes">
        <source>No delivery report came within %n minutes.</source>
        <translation>
            <numerusform>%n 分以内に配信レポートは届きませんでした。</numerusform>
        </translation>
    </message>
    <message>
        <source>Not sent: start Quillon once with its window and accept its agreement first</source>
        <translation>送信されませんでした: 先に Quillon をウィンドウ付きで一度起動し、使用許諾に同意してください</translation>
    </message>
    <message>
        <source>Not sent: --wait-report needs the IMAP server in Settings and &quot;Watch for delivery reports&quot; checked</source>
        <translation>送信されませんでした: --wait-report には、設定の IMAP サーバーと「配信レポートを監視する」のオンが必要です</translation>
    </message>
</context>
<context>
    <name>SendCommand</name>
    <message>
        <source>Not sent: the fax number may hold only digits, spaces and + - . / ( )</source>
        <translation>送信されませんでした: FAX 番号に使えるのは数字、空白、+ - . / ( ) だけです</translation>
    </message>
    <message>
        <source>Unknown provider: %1</source>
        <translation>不明なプロバイダー: %1</translation>
    </message>
    <message>
        <source>Not sent: type an e-mail address in To, or a fax number</source>
        <translation>送信されませんでした: 宛先に電子メールアドレスを入力するか、FAX 番号を入力してください</translation>
    </message>
    <message>
        <source>Not sent: %1 is not an e-mail address</source>
        <translation>送信されませんでした: %1 は電子メールアドレスではありません</translation>
    </message>
    <message>
        <source>Not sent: the e-mail address in Settings is not valid</source>
        <translation>送信されませんでした: 設定の電子メールアドレスが正しくありません</translation>
    </message>
    <message>
        <source>Not sent: the SMTP Server in Settings must be host, host:port, starttls://host[:port] or smtps://host[:port]</source>
        <translation>送信されませんでした: 設定の SMTP サーバーは host、host:port、starttls://host[:port]、smtps://host[:port] のいずれかの形にしてください</translation>
    </message>
</context>
<context>
    <name>SentFolder</name>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot write the report: %1</source>
        <translation>レポートを書き込めません: %1</translation>
    </message>
    <message>
        <source>cannot keep the report: %1</source>
        <translation>レポートを保存できません: %1</translation>
    </message>
    <message>
        <source>cannot write in %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>cannot write the copy</source>
        <translation>コピーを書き込めません</translation>
    </message>
    <message>
        <source>cannot write the copy to disk</source>
        <translation>コピーをディスクに書き込めません</translation>
    </message>
    <message>
        <source>cannot put the copy into %1</source>
        <translation>コピーを %1 に置けません</translation>
    </message>
    <message>
        <source>cannot make %1: %2</source>
        <translation>%1 を作成できません: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>what failed: why</comment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SentModel</name>
    <message>
        <source>This copy cannot be read (damaged): %1</source>
        <translation>このコピーは読み取れません (破損しています): %1</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm</source>
        <comment>the date sent</comment>
        <translation>yyyy/MM/dd HH:mm</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>To</source>
        <translation>宛先</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>FAX</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>件名</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>ページ</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>応答</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>The copy was not deleted: %1.</source>
        <translation>コピーは削除されませんでした: %1。</translation>
    </message>
</context>
<context>
    <name>Shell</name>
    <message>
        <source>%1

Quillon cannot start.</source>
        <translation>%1

Quillon を起動できません。</translation>
    </message>
</context>
<context>
    <name>SignInFaces</name>
    <message>
        <source>The keyring did not take the sign-in for %1, so Quillon keeps it only until it ends.</source>
        <translation>キーリングが %1 のサインインを受け付けなかったため、Quillon は終了するまでの間だけ保持します。</translation>
    </message>
</context>
<context>
    <name>SmtpSession</name>
    <message>
        <source>SMTP Error: cannot set up a secure connection: no answer</source>
        <translation>SMTP エラー: 安全な接続を確立できません: 応答がありません</translation>
    </message>
    <message>
        <source>SMTP Error: no reply from server</source>
        <translation>SMTP エラー: サーバーから応答がありません</translation>
    </message>
    <message>
        <source>SMTP Error: the server did not finish the sign-in in time</source>
        <translation>SMTP エラー: サーバーが時間内にサインインを完了しませんでした</translation>
    </message>
    <message>
        <source>SMTP Error: cannot set up a secure connection: %1</source>
        <translation>SMTP エラー: 安全な接続を確立できません: %1</translation>
    </message>
    <message>
        <source>SMTP Error: the server&apos;s reply is too long</source>
        <translation>SMTP エラー: サーバーの応答が長すぎます</translation>
    </message>
    <message>
        <source>SMTP Error: the server does not offer encryption; nothing was sent</source>
        <translation>SMTP エラー: サーバーが暗号化に対応していません。何も送信していません</translation>
    </message>
    <message>
        <source>SMTP Error: the server sent data before encryption started</source>
        <translation>SMTP エラー: 暗号化の開始前にサーバーがデータを送信しました</translation>
    </message>
    <message>
        <source>Winsock Error</source>
        <translation>Winsock エラー</translation>
    </message>
    <message>
        <source>SMTP Error: connection closed by server</source>
        <translation>SMTP エラー: サーバーが接続を閉じました</translation>
    </message>
    <message>
        <source>Winsock Error number %1</source>
        <translation>Winsock エラー番号 %1</translation>
    </message>
    <message>
        <source>Sent OK.</source>
        <translation>送信しました。</translation>
    </message>
    <message>
        <source>SMTP Error: %1</source>
        <translation>SMTP エラー: %1</translation>
    </message>
    <message>
        <source>SMTP Error: the message is larger than the server accepts (%1 bytes)</source>
        <translation>SMTP エラー: メッセージがサーバーの受け付けるサイズ (%1 バイト) を超えています</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>送信されませんでした: %1</translation>
    </message>
    <message>
        <source>Sent OK. (no copy kept: %1)</source>
        <translation>送信しました。(コピーは保存されていません: %1)</translation>
    </message>
    <message>
        <source>Cannot connect to SMTP server</source>
        <translation>SMTP サーバーに接続できません</translation>
    </message>
    <message>
        <source>SMTP Error: the server offers no sign-in method Quillon supports (%1)</source>
        <translation>SMTP エラー: Quillon が対応するサインイン方式をサーバーが提供していません (%1)</translation>
    </message>
    <message>
        <source>the handshake failed (%1)</source>
        <translation>ハンドシェイクに失敗しました (%1)</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>Cannot open %1: it is not an ordinary file.</source>
        <translation>%1 を開けません: 通常のファイルではありません。</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>%1 を開けません: %2。</translation>
    </message>
    <message>
        <source>The settings could not be saved in %1.</source>
        <translation>設定を %1 に保存できませんでした。</translation>
    </message>
    <message>
        <source>Cannot read the settings from %1: %2.</source>
        <translation>%1 から設定を読み取れません: %2。</translation>
    </message>
    <message>
        <source>Cannot save the settings to %1: %2.</source>
        <translation>設定を %1 に保存できません: %2。</translation>
    </message>
</context>
<context>
    <name>TokenStore</name>
    <message>
        <source>Not sent: signed in as %1, not %2</source>
        <translation>送信されませんでした: %2 ではなく %1 としてサインインしています</translation>
    </message>
</context>
<context>
    <name>frmAgreement</name>
    <message>
        <source>Agreement</source>
        <translation>使用許諾</translation>
    </message>
    <message>
        <source>I agree</source>
        <translation>同意する</translation>
    </message>
    <message>
        <source>I do not agree</source>
        <translation>同意しない</translation>
    </message>
    <message>
        <source>USER LICENSE AGREEMENT</source>
        <translation>ユーザー使用許諾契約</translation>
    </message>
    <message>
        <source>This agreement is a legal agreement between you and the Quillon
corporation for the use of its fax and e-mail services.</source>
        <translation>この契約は、Quillon 社の FAX および電子メールサービスの利用について、お客様と Quillon 社との間で結ばれる法的な契約です。</translation>
    </message>
    <message>
        <source>Rights</source>
        <translation>権利</translation>
    </message>
    <message>
        <source>You may use the Quillon products and services during the terms of this
agreement.</source>
        <translation>お客様は、本契約の期間中、Quillon の製品およびサービスを利用できます。</translation>
    </message>
    <message>
        <source>Limitations</source>
        <translation>制限</translation>
    </message>
    <message>
        <source>You may not use the products or services to harm, harass or defraud
anyone, nor to send material you have no right to send.
You may not reverse engineer, decompile or disassemble the products.
You may not resell or sublicense the products or services. </source>
        <translation>製品またはサービスを、他人を害し、嫌がらせをし、または欺くために使用すること、送信する権利のない資料を送信することはできません。
製品をリバースエンジニアリング、逆コンパイル、逆アセンブルすることはできません。
製品またはサービスを再販売またはサブライセンスすることはできません。</translation>
    </message>
    <message>
        <source>Terms</source>
        <translation>期間</translation>
    </message>
    <message>
        <source>You may use the services during the terms you have paid for in advance.</source>
        <translation>お客様は、前払いした期間中サービスを利用できます。</translation>
    </message>
    <message>
        <source>Copyrights</source>
        <translation>著作権</translation>
    </message>
    <message>
        <source>All title and intellectual property rights in and to the products and
their accompanying materials are owned by the Quillon corporation.</source>
        <translation>製品および付属資料に関するすべての権原および知的財産権は、Quillon 社が所有します。</translation>
    </message>
    <message>
        <source>Limitation of Liability</source>
        <translation>責任の制限</translation>
    </message>
    <message>
        <source>To the maximum extent permitted by applicable law, in no event shall the Quillon corporation or its suppliers be liable for any special, incidental, indirect or consequential damages whatsoever, including without limitation damages for loss of business profits, business interruption, loss of business information or any other pecuniary loss, arising out of the use of or inability to use the products or services, even if the Quillon corporation has been advised of the possibility of such damages.</source>
        <translation>適用法で認められる最大限の範囲で、Quillon 社およびその供給者は、製品またはサービスの使用または使用不能から生じるいかなる特別損害、付随的損害、間接損害または結果的損害 (逸失利益、事業の中断、事業情報の喪失その他の金銭的損失を含みますが、これらに限りません) についても、Quillon 社がそのような損害の可能性を知らされていた場合であっても、一切責任を負いません。</translation>
    </message>
    <message>
        <source>Your agreement could not be recorded in %1: %2. You will be asked again at the next start.</source>
        <translation>同意を %1 に記録できませんでした: %2。次回の起動時にもう一度確認します。</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Printed: %1</source>
        <translation>印刷: %1</translation>
    </message>
    <message>
        <source>The fax cannot be sent again: no temporary folder for its documents (%1)</source>
        <translation>FAX を再送信できません: 書類用の一時フォルダーがありません (%1)</translation>
    </message>
    <message>
        <source>The documents of this fax cannot be written to %1.</source>
        <translation>この FAX の書類を %1 に書き込めません。</translation>
    </message>
    <message>
        <source>About Quillon</source>
        <translation>Quillon について</translation>
    </message>
    <message>
        <source>Quillon %1

Sends faxes and e-mail through your SMTP server and an e-mail-to-fax gateway.

Your documents and settings are kept in %2</source>
        <translation>Quillon %1

SMTP サーバーと電子メール FAX ゲートウェイを通じて FAX と電子メールを送信します。

書類と設定は %2 に保存されます</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>宛先:</translation>
    </message>
    <message>
        <source>Fax:</source>
        <translation>FAX:</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>件名</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>メニュー</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Attach...</source>
        <translation>添付...</translation>
    </message>
    <message>
        <source>Sent...</source>
        <translation>送信済み...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>frmSent</name>
    <message>
        <source>Sent</source>
        <translation>送信済み</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>再送信</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>レポート</translation>
    </message>
    <message>
        <source>%1 (report from %2)</source>
        <translation>%1 (%2 からのレポート)</translation>
    </message>
    <message>
        <source>The documents of this copy cannot be shown: no temporary folder (%1)</source>
        <translation>このコピーの書類を表示できません: 一時フォルダーがありません (%1)</translation>
    </message>
    <message>
        <source>This copy cannot be read: %1</source>
        <translation>このコピーは読み取れません: %1</translation>
    </message>
    <message>
        <source>This copy cannot be read (damaged).</source>
        <translation>このコピーは読み取れません (破損しています)。</translation>
    </message>
    <message>
        <source>Delete the copy of this fax?</source>
        <translation>この FAX のコピーを削除しますか?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>The documents are still being read.</source>
        <translation>書類をまだ読み込み中です。</translation>
    </message>
    <message>
        <source>Fax report %1.pdf</source>
        <translation>FAX レポート %1.pdf</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>SMTP Server</source>
        <translation>SMTP サーバー</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>電子メール</translation>
    </message>
    <message>
        <source>IFS Provider</source>
        <translation>IFS プロバイダー</translation>
    </message>
    <message>
        <source>Activation Cod</source>
        <translation>アクティベーションコード</translation>
    </message>
    <message>
        <source>IMAP Server</source>
        <translation>IMAP サーバー</translation>
    </message>
    <message>
        <source>Watch for delivery reports</source>
        <translation>配信レポートを監視する</translation>
    </message>
</context>
<context>
    <name>frmSignIn</name>
    <message>
        <source>Sign in</source>
        <translation>サインイン</translation>
    </message>
    <message>
        <source>Sign in to %1:</source>
        <translation>%1 にサインイン:</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Remember the password</source>
        <translation>パスワードを保存する</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Sign in to %1 in your web browser.</source>
        <translation>Web ブラウザーで %1 にサインインしてください。</translation>
    </message>
    <message>
        <source>Remember the sign-in</source>
        <translation>サインインを保存する</translation>
    </message>
    <message>
        <source>Open the browser</source>
        <translation>ブラウザーを開く</translation>
    </message>
    <message>
        <source>Waiting for your web browser…</source>
        <translation>Web ブラウザーを待っています…</translation>
    </message>
    <message>
        <source>No keyring available: the password is kept until Quillon ends</source>
        <translation>キーリングがありません: パスワードは Quillon の終了まで保持されます</translation>
    </message>
    <message>
        <source>No keyring available: the sign-in is kept until Quillon ends</source>
        <translation>キーリングがありません: サインインは Quillon の終了まで保持されます</translation>
    </message>
    <message>
        <source>Not sent: no sign-in given.</source>
        <translation>送信されませんでした: サインインが入力されていません。</translation>
    </message>
</context>
<context>
    <name>imap::Session</name>
    <message>
        <source>the IMAP server did not answer in time</source>
        <translation>IMAP サーバーが時間内に応答しませんでした</translation>
    </message>
    <message>
        <source>the IMAP server closed the connection</source>
        <translation>IMAP サーバーが接続を閉じました</translation>
    </message>
    <message>
        <source>cannot reach the IMAP server: %1</source>
        <translation>IMAP サーバーに接続できません: %1</translation>
    </message>
    <message>
        <source>cannot set up a secure connection to the IMAP server: %1</source>
        <translation>IMAP サーバーとの安全な接続を確立できません: %1</translation>
    </message>
    <message>
        <source>the IMAP server sent data before the connection was secure</source>
        <translation>接続が安全になる前に IMAP サーバーがデータを送信しました</translation>
    </message>
    <message>
        <source>the IMAP server sent a response Quillon cannot read</source>
        <translation>IMAP サーバーが Quillon の読めない応答を送信しました</translation>
    </message>
    <message>
        <source>the IMAP server sent a response too long to read</source>
        <translation>IMAP サーバーの応答が長すぎて読み取れません</translation>
    </message>
    <message>
        <source>the IMAP server asked for more than Quillon sent</source>
        <translation>IMAP サーバーが Quillon の送信した以上のものを求めました</translation>
    </message>
    <message>
        <source>the IMAP server answered a command Quillon did not send</source>
        <translation>IMAP サーバーが Quillon の送信していないコマンドに応答しました</translation>
    </message>
    <message>
        <source>the IMAP server ended the session: %1</source>
        <translation>IMAP サーバーがセッションを終了しました: %1</translation>
    </message>
    <message>
        <source>the IMAP server would not open the inbox: %1</source>
        <translation>IMAP サーバーが受信トレイを開きませんでした: %1</translation>
    </message>
    <message>
        <source>the IMAP server could not search the inbox: %1</source>
        <translation>IMAP サーバーが受信トレイを検索できませんでした: %1</translation>
    </message>
    <message>
        <source>the IMAP server could not fetch a message: %1</source>
        <translation>IMAP サーバーがメッセージを取得できませんでした: %1</translation>
    </message>
    <message>
        <source>the IMAP server ended IDLE: %1</source>
        <translation>IMAP サーバーが IDLE を終了しました: %1</translation>
    </message>
    <message>
        <source>the IMAP server did not greet as expected: %1</source>
        <translation>IMAP サーバーの最初の応答が想定と異なります: %1</translation>
    </message>
    <message>
        <source>the IMAP server did not say what it offers</source>
        <translation>IMAP サーバーが対応機能を示しませんでした</translation>
    </message>
    <message>
        <source>the IMAP server does not offer encryption (STARTTLS), so Quillon will not sign in to it</source>
        <translation>IMAP サーバーが暗号化 (STARTTLS) に対応していないため、Quillon はサインインしません</translation>
    </message>
    <message>
        <source>the IMAP server refused to encrypt the connection</source>
        <translation>IMAP サーバーが接続の暗号化を拒否しました</translation>
    </message>
    <message>
        <source>no sign-in for the IMAP server</source>
        <translation>IMAP サーバーのサインイン情報がありません</translation>
    </message>
    <message>
        <source>the IMAP server offers no sign-in Quillon can use</source>
        <translation>IMAP サーバーが Quillon の使えるサインイン方式を提供していません</translation>
    </message>
    <message>
        <source>the IMAP server refused the sign-in: %1</source>
        <translation>IMAP サーバーがサインインを拒否しました: %1</translation>
    </message>
    <message>
        <source>the IMAP server answered before it greeted</source>
        <translation>IMAP サーバーが挨拶の前に応答しました</translation>
    </message>
</context>
</TS>
