<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ja_JP">
<context>
    <name>BrowserCamera</name>
    <message>
        <source>GenICam File</source>
        <translation>GenICam ファイル</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>カメラデバイス</translation>
    </message>
</context>
<context>
    <name>BrowserWindow</name>
    <message>
        <source>Feature Browser - %1</source>
        <translation>フィーチャーブラウザー - %1</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Copy Tree to Clipboard</source>
        <translation>ツリーをクリップボードにコピー(&amp;C)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+C</source>
        <translation>Ctrl+Shift+C</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>カメラ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;IP Configuration...</source>
        <translation>IP 設定(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>更新(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Polling</source>
        <translation>ポーリング(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>Show All &amp;Messages Again</source>
        <translation>すべてのメッセージを再表示(&amp;M)</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Visibility: </source>
        <translation>ユーザーレベル: </translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>ビギナー</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>エキスパート</translation>
    </message>
    <message>
        <source>Guru</source>
        <translation>グル</translation>
    </message>
    <message>
        <source>Invisible</source>
        <translation>非表示</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>ドキュメント</translation>
    </message>
    <message numerus="yes">
        <source>%n match(es), %1 only at a higher level</source>
        <translation>
            <numerusform>%n 件一致 (うち %1 件は上位レベルのみ)</numerusform>
        </translation>
    </message>
    <message>
        <source>Copy Value</source>
        <translation>値をコピー</translation>
    </message>
    <message>
        <source>Copy Name</source>
        <translation>名前をコピー</translation>
    </message>
    <message>
        <source>IP Configuration</source>
        <translation>IP 設定</translation>
    </message>
    <message>
        <source>Persistent IP configuration of %1</source>
        <translation>%1 の固定 IP 設定</translation>
    </message>
    <message>
        <source>Persistent IP configuration written.</source>
        <translation>固定 IP 設定を書き込みました。</translation>
    </message>
    <message>
        <source>The feature tree was copied to the clipboard.</source>
        <translation>フィーチャーツリーをクリップボードにコピーしました。</translation>
    </message>
    <message>
        <source>About Feature Browser</source>
        <translation>フィーチャーブラウザーについて</translation>
    </message>
    <message>
        <source>Opening the GenICam file %1...</source>
        <translation>GenICam ファイル %1 を開いています...</translation>
    </message>
    <message>
        <source>Opening the camera %1...</source>
        <translation>カメラ %1 を開いています...</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses and edits the features of the built-in emulated camera.&lt;/p&gt;</source>
        <translation>&lt;p&gt;内蔵のエミュレートカメラのフィーチャーを表示・編集します。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses the features of the GenICam file %1, without a device.&lt;/p&gt;</source>
        <translation>&lt;p&gt;GenICam ファイル %1 のフィーチャーをデバイスなしで表示します。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses and edits the features of the camera %1 %2, serial number %3, opened as %4.&lt;/p&gt;</source>
        <translation>&lt;p&gt;カメラ %1 %2 (シリアル番号 %3、%4 として接続) のフィーチャーを表示・編集します。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Feature Browser&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;%2</source>
        <translation>&lt;h3&gt;フィーチャーブラウザー&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;%2</translation>
    </message>
    <message>
        <source>Settings (*.json);;All files (*)</source>
        <translation>設定 (*.json);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>&amp;Open Camera...</source>
        <translation>カメラを開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Open &amp;GenICam File...</source>
        <translation>GenICam ファイルを開く(&amp;G)...</translation>
    </message>
    <message>
        <source>&amp;Recent</source>
        <translation>最近使ったもの(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Save Settings...</source>
        <translation>設定を保存(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Load Settings...</source>
        <translation>設定を読み込む(&amp;L)...</translation>
    </message>
    <message>
        <source>Save Device &amp;XML...</source>
        <translation>デバイス XML を保存(&amp;X)...</translation>
    </message>
    <message>
        <source>Re&amp;connect</source>
        <translation>再接続(&amp;C)</translation>
    </message>
    <message>
        <source>Reconnect &amp;Automatically</source>
        <translation>自動的に再接続(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Simulate</source>
        <translation>シミュレート(&amp;S)</translation>
    </message>
    <message>
        <source>Camera &amp;Gone</source>
        <translation>カメラ切断(&amp;G)</translation>
    </message>
    <message>
        <source>Camera &amp;Stalls</source>
        <translation>カメラ応答なし(&amp;S)</translation>
    </message>
    <message>
        <source>Camera &amp;Back</source>
        <translation>カメラ復帰(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Controlled by Another Host</source>
        <translation>別のホストが制御中(&amp;C)</translation>
    </message>
    <message>
        <source>Camera %1</source>
        <translation>カメラ %1</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>Open GenICam File</source>
        <translation>GenICam ファイルを開く</translation>
    </message>
    <message>
        <source>GenICam files (*.xml *.zip);;All files (*)</source>
        <translation>GenICam ファイル (*.xml *.zip);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>カメラを開く</translation>
    </message>
    <message>
        <source>%1 could not be opened:
%2</source>
        <translation>%1 を開けませんでした:
%2</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>設定を保存</translation>
    </message>
    <message>
        <source>The settings could not be read from the camera.</source>
        <translation>カメラから設定を読み取れませんでした。</translation>
    </message>
    <message>
        <source>The settings were saved to %1.</source>
        <translation>設定を %1 に保存しました。</translation>
    </message>
    <message>
        <source>Load Settings</source>
        <translation>設定を読み込む</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back.</source>
        <translation><numerusform>%n 個の値を戻しました。</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back; some features of the file are not on this camera.</source>
        <translation><numerusform>%n 個の値を戻しました。ファイルの一部のフィーチャーはこのカメラにありません。</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back; the camera refused %1.</source>
        <translation><numerusform>%n 個の値を戻しました。カメラは %1 を拒否しました。</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n feature(s)</source>
        <translation><numerusform>%n 個のフィーチャー</numerusform></translation>
    </message>
    <message>
        <source>Save Device XML</source>
        <translation>デバイス XML を保存</translation>
    </message>
    <message>
        <source>GenICam XML (*.xml);;All files (*)</source>
        <translation>GenICam XML (*.xml);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>%1 could not be written:
%2</source>
        <translation>%1 に書き込めませんでした:
%2</translation>
    </message>
    <message>
        <source>The device XML was saved to %1.</source>
        <translation>デバイス XML を %1 に保存しました。</translation>
    </message>
    <message>
        <source>The camera has no persistent IP settings.</source>
        <translation>このカメラには固定 IP 設定がありません。</translation>
    </message>
    <message>
        <source>Persistent IP address</source>
        <translation>固定 IP アドレス</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Link-local address (LLA)</source>
        <translation>リンクローカルアドレス (LLA)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>接続済み</translation>
    </message>
    <message>
        <source>Connected, read only: another host controls the camera</source>
        <translation>接続済み、読み取り専用: 別のホストがカメラを制御しています</translation>
    </message>
    <message>
        <source>Disconnected, reconnecting...</source>
        <translation>切断、再接続中...</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Camera Back</source>
        <translation>カメラ復帰</translation>
    </message>
    <message>
        <source>The camera is back. Put back the settings that were in effect before it was lost?</source>
        <translation>カメラが復帰しました。切断前の設定を戻しますか?</translation>
    </message>
</context>
<context>
    <name>CameraOpener</name>
    <message>
        <source>The camera could not be opened.</source>
        <translation>カメラを開けませんでした。</translation>
    </message>
</context>
<context>
    <name>OpenCameraDialog</name>
    <message>
        <source>Open Camera</source>
        <translation>カメラを開く</translation>
    </message>
    <message>
        <source>Vendor</source>
        <translation>ベンダー</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>モデル</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>アドレス</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>デバイス ID</translation>
    </message>
    <message>
        <source>Press Refresh to look for cameras.</source>
        <translation>カメラを探すには [更新] を押してください。</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>更新(&amp;R)</translation>
    </message>
    <message>
        <source>Looking for cameras...</source>
        <translation>カメラを探しています...</translation>
    </message>
    <message numerus="yes">
        <source>%n camera(s) found.</source>
        <translation><numerusform>%n 台のカメラが見つかりました。</numerusform></translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>not on this device</source>
        <translation>このデバイスにありません</translation>
    </message>
    <message>
        <source>the feature cannot be written now (%1)</source>
        <translation>このフィーチャーは現在書き込めません (%1)</translation>
    </message>
    <message>
        <source>not a settings file: %1 at offset %2</source>
        <translation>設定ファイルではありません: オフセット %2 で %1</translation>
    </message>
    <message>
        <source>not a settings file of the feature browser</source>
        <translation>フィーチャーブラウザーの設定ファイルではありません</translation>
    </message>
    <message>
        <source>the settings file was written by a newer feature browser (version %1)</source>
        <translation>この設定ファイルは新しいフィーチャーブラウザーで書かれています (バージョン %1)</translation>
    </message>
    <message>
        <source>the settings file has more than %1 values</source>
        <translation>設定ファイルの値が %1 個を超えています</translation>
    </message>
    <message>
        <source>entry %1 of the settings file needs a name and a text value</source>
        <translation>設定ファイルの項目 %1 には名前とテキストの値が必要です</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 を読み取れません: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a settings file</source>
        <translation>%1 は設定ファイルとしては大きすぎます</translation>
    </message>
    <message>
        <source>%1: not set: %2</source>
        <translation>%1: 設定されませんでした: %2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1: スキップ: %2</translation>
    </message>
    <message>
        <source>%1: saved %2, %3</source>
        <translation>%1: 保存値 %2、%3</translation>
    </message>
    <message>
        <source>%1: saved %2, now %3</source>
        <translation>%1: 保存値 %2、現在値 %3</translation>
    </message>
    <message>
        <source>the selector %1 is not on this device</source>
        <translation>セレクター %1 はこのデバイスにありません</translation>
    </message>
</context>
</TS>