<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ComboSlider</name>
    <message>
        <location filename="../../widgets/comboslider.cpp" line="+190"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>範囲: %1..%2 (増分: %3)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2</source>
        <translation>範囲: %1..%2</translation>
    </message>
</context>
<context>
    <name>DoubleComboSlider</name>
    <message>
        <location filename="../../widgets/doublecomboslider.cpp" line="+255"/>
        <source>Range: %1..%2</source>
        <translation>範囲: %1..%2</translation>
    </message>
</context>
<context>
    <name>DoubleSpinBox</name>
    <message>
        <location filename="../../widgets/doublespinbox.cpp" line="+163"/>
        <source>Range: %1..%2</source>
        <translation>範囲: %1..%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>範囲: %1..%2 (増分: %3)</translation>
    </message>
</context>
<context>
    <name>FeatureTreeINodeItem</name>
    <message>
        <location filename="../../featuretree/featuretreeinodeitem.cpp" line="+257"/>
        <source>&lt;not implemented&gt;</source>
        <translation>&lt;未実装&gt;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;not readable&gt;</source>
        <translation>&lt;読み取り不可&gt;</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&lt;not available&gt;</source>
        <translation>&lt;使用不可&gt;</translation>
    </message>
</context>
<context>
    <name>FeatureTreeModel</name>
    <message>
        <location filename="../../featuretree/featuretreemodel.cpp" line="+118"/>
        <source>%1 (disconnected)</source>
        <translation>%1 (切断)</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+5"/>
        <source>Failed to get a feature value</source>
        <translation>フィーチャー値の取得に失敗しました</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+12"/>
        <source>The camera does not answer: the value was not written.</source>
        <translation>カメラが応答しません。値は書き込まれていません。</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+4"/>
        <source>Failed to set a feature value.</source>
        <translation>フィーチャー値の設定に失敗しました。</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Feature</source>
        <translation>フィーチャー</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <location line="+187"/>
        <location line="+4"/>
        <source>Failed to get the node &apos;Root&apos; from the node map</source>
        <translation>ノードマップからノード &apos;Root&apos; を取得できませんでした</translation>
    </message>
    <message>
        <location line="+85"/>
        <source>Failed to refresh the features.</source>
        <translation>フィーチャーを更新できませんでした。</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>The camera does not answer. Its features show the last values known until it is back.</source>
        <translation>カメラが応答しません。カメラが復帰するまで、フィーチャーには最後に取得した値が表示されます。</translation>
    </message>
    <message>
        <location line="+144"/>
        <source>Failed to add the feature to the favorites.</source>
        <translation>フィーチャーをお気に入りに追加できませんでした。</translation>
    </message>
    <message>
        <location filename="../../featuretree/favoritesbranch.cpp" line="+26"/>
        <source>Favorites</source>
        <translation>お気に入り</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;h3&gt;Favorites&lt;/h3&gt;&lt;b&gt;This node contains a list of features selected by the user&lt;/b&gt;&lt;br&gt;&lt;br&gt;To add a feature, right-click the feature and choose &apos;Add to Favorites&apos; from the context menu. You can also use drag and drop to add features to your favorites.&lt;br&gt;Favorites can be moved up and down within the list as well as removed from the list by right-clicking an item and choosing the appropriate option from the context menu.</source>
        <translation>&lt;h3&gt;お気に入り&lt;/h3&gt;&lt;b&gt;このノードには、ユーザーが選択したフィーチャーの一覧が含まれます&lt;/b&gt;&lt;br&gt;&lt;br&gt;フィーチャーを追加するには、そのフィーチャーを右クリックし、コンテキストメニューから「お気に入りに追加」を選択します。ドラッグ アンド ドロップでフィーチャーをお気に入りに追加することもできます。&lt;br&gt;項目を右クリックしてコンテキストメニューから該当する操作を選択すると、お気に入りを一覧内で上下に移動したり、一覧から削除したりできます。</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Add favorites by right-clicking a feature below.</source>
        <translation>下のフィーチャーを右クリックしてお気に入りに追加します。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>To add a feature, right-click the feature and choose &apos;Add to Favorites&apos; from the context menu. You can also use drag and drop to add features to your favorites.</source>
        <translation>フィーチャーを追加するには、そのフィーチャーを右クリックし、コンテキストメニューから「お気に入りに追加」を選択します。ドラッグ アンド ドロップでフィーチャーをお気に入りに追加することもできます。</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>1 Favorite</source>
        <translation>お気に入り: 1 件</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 Favorites</source>
        <translation>お気に入り: %1 件</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 Favorite (it is unavailable for the current camera)</source>
        <translation>お気に入り: 1 件 (現在のカメラでは使用できません)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 Favorites (1 is unavailable for the current camera)</source>
        <translation>お気に入り: %1 件 (うち 1 件は現在のカメラでは使用できません)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 Favorites (%2 are unavailable for the current camera)</source>
        <translation>お気に入り: %1 件 (うち %2 件は現在のカメラでは使用できません)</translation>
    </message>
</context>
<context>
    <name>FeatureTreeView</name>
    <message>
        <location filename="../../featuretree/featuretreeview.cpp" line="+335"/>
        <source>No search results found.</source>
        <translation>検索結果が見つかりません。</translation>
    </message>
</context>
<context>
    <name>FeatureTreeWidget</name>
    <message>
        <location filename="../../featuretree/featuretreewidget.cpp" line="+81"/>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add to Favorites</source>
        <translation>お気に入りに追加</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ctrl+Up</source>
        <translation>Ctrl+Up</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Up</source>
        <translation>上へ移動</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ctrl+Down</source>
        <translation>Ctrl+Down</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Down</source>
        <translation>下へ移動</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Polling</source>
        <translation>ポーリング</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Search (%1)</source>
        <translation>検索 (%1)</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>&lt;B&gt;%1 search results (%2 of them visible at higher user level)&lt;/B&gt;</source>
        <translation>&lt;B&gt;検索結果 %1 件 (うち %2 件はより上位のユーザーレベルで表示)&lt;/B&gt;</translation>
    </message>
</context>
<context>
    <name>FeatureTreeWidgetClass</name>
    <message>
        <location filename="../../featuretree/featuretreewidget.ui" line="+14"/>
        <source>FeatureTreeWidget</source>
        <translation>フィーチャーツリー</translation>
    </message>
    <message>
        <location line="+92"/>
        <source>Show Unavailable Favorites</source>
        <translation>使用できないお気に入りを表示</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>P&amp;olling</source>
        <translation>ポーリング(&amp;O)</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Refresh</source>
        <translation>更新</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Refreshes the  feature tree</source>
        <translation>フィーチャーツリーを更新します</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>F5</source>
        <translation>F5</translation>
    </message>
</context>
<context>
    <name>FloatEditor</name>
    <message>
        <location filename="../../featuretree/editors/floateditor.cpp" line="+52"/>
        <source>The minimum value is larger than the maximum value!</source>
        <translation>最小値が最大値より大きくなっています!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The minimum value is larger than the to be set node value or the maximum value is smaller than the to be set node value!</source>
        <translation>最小値が設定しようとしたノード値より大きいか、最大値が設定しようとしたノード値より小さくなっています!</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Dynamic cast on pNode has gone wrong!</source>
        <translation>pNode の動的キャストに失敗しました!</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Range: %1..%2</source>
        <translation>範囲: %1..%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>範囲: %1..%2 (増分: %3)</translation>
    </message>
</context>
<context>
    <name>FloatSliderEditor</name>
    <message>
        <location filename="../../featuretree/editors/floatslidereditor.cpp" line="+78"/>
        <location line="+144"/>
        <source>The minimum value is larger than the maximum value!</source>
        <translation>最小値が最大値より大きくなっています!</translation>
    </message>
    <message>
        <location line="-141"/>
        <location line="+144"/>
        <source>The minimum allowed value is larger than the to be set node value or the maximum allowed value is smaller than the to be set node value!</source>
        <translation>許容最小値が設定しようとしたノード値より大きいか、許容最大値が設定しようとしたノード値より小さくなっています!</translation>
    </message>
    <message>
        <location line="-137"/>
        <location line="+142"/>
        <source>The alias increment cannot be &apos;0&apos;!</source>
        <translation>エイリアスの増分を &apos;0&apos; にすることはできません!</translation>
    </message>
    <message>
        <location line="-99"/>
        <source>Dynamic cast on pNode has gone wrong!</source>
        <translation>pNode の動的キャストに失敗しました!</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Could not retrieve an alias node on pNode</source>
        <translation>pNode のエイリアスノードを取得できませんでした</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The given range or increment information of the given pNode is not valid</source>
        <translation>指定された pNode の範囲または増分の情報が無効です</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Range: %1..%2</source>
        <translation>範囲: %1..%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>範囲: %1..%2 (増分: %3)</translation>
    </message>
</context>
<context>
    <name>IntEditor</name>
    <message>
        <location filename="../../featuretree/editors/inteditor.cpp" line="+23"/>
        <source>&lt;not readable&gt;</source>
        <translation>&lt;読み取り不可&gt;</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Range: 0x%1..0x%2</source>
        <translation>範囲: 0x%1..0x%2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Range: %1..%2</source>
        <translation>範囲: %1..%2</translation>
    </message>
</context>
<context>
    <name>IpAddressWidgetClass</name>
    <message>
        <location filename="../../widgets/ipaddresswidget.ui" line="+26"/>
        <source>IP Address</source>
        <translation>IP アドレス</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Please specify an IP address.</source>
        <translation>IP アドレスを指定してください。</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>&amp;MAC Address:</source>
        <translation>MAC アドレス(&amp;M):</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>IP &amp;Address:</source>
        <translation>IP アドレス(&amp;A):</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&amp;Subnet Mask:</source>
        <translation>サブネットマスク(&amp;S):</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Default &amp;Gateway:</source>
        <translation>デフォルトゲートウェイ(&amp;G):</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../widgets/messageboxcheckable.cpp" line="+59"/>
        <source>&amp;Don&apos;t show this dialog again</source>
        <translation>今後このダイアログを表示しない(&amp;D)</translation>
    </message>
    <message>
        <location filename="../../widgets/messagereporting.cpp" line="+91"/>
        <location line="+6"/>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Unexpected exception occurred</source>
        <translation>予期しない例外が発生しました</translation>
    </message>
</context>
<context>
    <name>ToolButtonEditor</name>
    <message>
        <location filename="../../featuretree/editors/toolbuttoneditor.cpp" line="+9"/>
        <source>Execute</source>
        <translation>実行</translation>
    </message>
</context>
</TS>
