<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ja_JP">
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
        <translation><numerusform>%n 件一致 (うち %1 件は上位レベルのみ)</numerusform></translation>
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
        <source>The transport layer has no persistent IP settings.</source>
        <translation>トランスポートレイヤーに固定 IP 設定がありません。</translation>
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
        <source>The IP configuration could not be written:
%1</source>
        <translation>IP 設定を書き込めませんでした:
%1</translation>
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
        <source>&lt;h3&gt;Feature Browser&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;&lt;p&gt;Browses and edits the features of the built-in emulated camera.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;フィーチャーブラウザー&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;&lt;p&gt;内蔵のエミュレートカメラのフィーチャーを表示・編集します。&lt;/p&gt;</translation>
    </message>
</context>
</TS>