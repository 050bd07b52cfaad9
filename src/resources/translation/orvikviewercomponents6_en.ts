<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ComboSlider</name>
    <message>
        <location filename="../../widgets/comboslider.cpp" line="+190"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>Range: %1..%2 (Increment: %3)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2</source>
        <translation>Range: %1..%2</translation>
    </message>
</context>
<context>
    <name>DoubleComboSlider</name>
    <message>
        <location filename="../../widgets/doublecomboslider.cpp" line="+255"/>
        <source>Range: %1..%2</source>
        <translation>Range: %1..%2</translation>
    </message>
</context>
<context>
    <name>DoubleSpinBox</name>
    <message>
        <location filename="../../widgets/doublespinbox.cpp" line="+163"/>
        <source>Range: %1..%2</source>
        <translation>Range: %1..%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>Range: %1..%2 (Increment: %3)</translation>
    </message>
</context>
<context>
    <name>FeatureTreeINodeItem</name>
    <message>
        <location filename="../../featuretree/featuretreeinodeitem.cpp" line="+257"/>
        <source>&lt;not implemented&gt;</source>
        <translation>&lt;not implemented&gt;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;not readable&gt;</source>
        <translation>&lt;not readable&gt;</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&lt;not available&gt;</source>
        <translation>&lt;not available&gt;</translation>
    </message>
</context>
<context>
    <name>FeatureTreeModel</name>
    <message>
        <location filename="../../featuretree/featuretreemodel.cpp" line="+118"/>
        <source>%1 (disconnected)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+5"/>
        <source>Failed to get a feature value</source>
        <translation>Failed to get a feature value</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+12"/>
        <source>The camera does not answer: the value was not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+4"/>
        <source>Failed to set a feature value.</source>
        <translation>Failed to set a feature value.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Feature</source>
        <translation>Feature</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+187"/>
        <location line="+4"/>
        <source>Failed to get the node &apos;Root&apos; from the node map</source>
        <translation>Failed to get the node &apos;Root&apos; from the node map</translation>
    </message>
    <message>
        <location line="+85"/>
        <source>Failed to refresh the features.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>The camera does not answer. Its features show the last values known until it is back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+144"/>
        <source>Failed to add the feature to the favorites.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../featuretree/favoritesbranch.cpp" line="+26"/>
        <source>Favorites</source>
        <translation>Favorites</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;h3&gt;Favorites&lt;/h3&gt;&lt;b&gt;This node contains a list of features selected by the user&lt;/b&gt;&lt;br&gt;&lt;br&gt;To add a feature, right-click the feature and choose &apos;Add to Favorites&apos; from the context menu. You can also use drag and drop to add features to your favorites.&lt;br&gt;Favorites can be moved up and down within the list as well as removed from the list by right-clicking an item and choosing the appropriate option from the context menu.</source>
        <translation>&lt;h3&gt;Favorites&lt;/h3&gt;&lt;b&gt;This node contains a list of features selected by the user&lt;/b&gt;&lt;br&gt;&lt;br&gt;To add a feature, right-click the feature and choose &apos;Add to Favorites&apos; from the context menu. You can also use drag and drop to add features to your favorites.&lt;br&gt;Favorites can be moved up and down within the list as well as removed from the list by right-clicking an item and choosing the appropriate option from the context menu.</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Add favorites by right-clicking a feature below.</source>
        <translation>Add favorites by right-clicking a feature below.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>To add a feature, right-click the feature and choose &apos;Add to Favorites&apos; from the context menu. You can also use drag and drop to add features to your favorites.</source>
        <translation>To add a feature, right-click the feature and choose &apos;Add to Favorites&apos; from the context menu. You can also use drag and drop to add features to your favorites.</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>1 Favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 Favorite (it is unavailable for the current camera)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 Favorites (1 is unavailable for the current camera)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 Favorites (%2 are unavailable for the current camera)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation type="vanished">Favorite</translation>
    </message>
    <message>
        <source>%1 %2 (%3 is unavailable for the current camera)</source>
        <translation type="vanished">%1 %2 (%3 is unavailable for the current camera)</translation>
    </message>
    <message>
        <source>%1 %2 (%3 are unavailable for the current camera)</source>
        <translation type="vanished">%1 %2 (%3 are unavailable for the current camera)</translation>
    </message>
</context>
<context>
    <name>FeatureTreeView</name>
    <message>
        <location filename="../../featuretree/featuretreeview.cpp" line="+335"/>
        <source>No search results found.</source>
        <translation>No search results found.</translation>
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
        <translation>Add to Favorites</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ctrl+Up</source>
        <translation>Ctrl+Up</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ctrl+Down</source>
        <translation>Ctrl+Down</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Polling</source>
        <translation>Polling</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Search (%1)</source>
        <translation>Search (%1)</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>&lt;B&gt;%1 search results (%2 of them visible at higher user level)&lt;/B&gt;</source>
        <translation>&lt;B&gt;%1 search results (%2 of them visible at higher user level)&lt;/B&gt;</translation>
    </message>
</context>
<context>
    <name>FeatureTreeWidgetClass</name>
    <message>
        <location filename="../../featuretree/featuretreewidget.ui" line="+14"/>
        <source>FeatureTreeWidget</source>
        <translation>FeatureTreeWidget</translation>
    </message>
    <message>
        <location line="+92"/>
        <source>Show Unavailable Favorites</source>
        <translation>Show Unavailable Favorites</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>P&amp;olling</source>
        <translation>P&amp;olling</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Refreshes the  feature tree</source>
        <translation>Refreshes the  feature tree</translation>
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
        <translation>The minimum value is larger than the maximum value!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The minimum value is larger than the to be set node value or the maximum value is smaller than the to be set node value!</source>
        <translation>The minimum value is larger than the to be set node value or the maximum value is smaller than the to be set node value!</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Dynamic cast on pNode has gone wrong!</source>
        <translation>Dynamic cast on pNode has gone wrong!</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Range: %1..%2</source>
        <translation>Range: %1..%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>Range: %1..%2 (Increment: %3)</translation>
    </message>
</context>
<context>
    <name>FloatSliderEditor</name>
    <message>
        <location filename="../../featuretree/editors/floatslidereditor.cpp" line="+78"/>
        <location line="+144"/>
        <source>The minimum value is larger than the maximum value!</source>
        <translation>The minimum value is larger than the maximum value!</translation>
    </message>
    <message>
        <location line="-141"/>
        <location line="+144"/>
        <source>The minimum allowed value is larger than the to be set node value or the maximum allowed value is smaller than the to be set node value!</source>
        <translation>The minimum allowed value is larger than the to be set node value or the maximum allowed value is smaller than the to be set node value!</translation>
    </message>
    <message>
        <location line="-137"/>
        <location line="+142"/>
        <source>The alias increment cannot be &apos;0&apos;!</source>
        <translation>The alias increment cannot be &apos;0&apos;!</translation>
    </message>
    <message>
        <location line="-99"/>
        <source>Dynamic cast on pNode has gone wrong!</source>
        <translation>Dynamic cast on pNode has gone wrong!</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Could not retrieve an alias node on pNode</source>
        <translation>Could not retrieve an alias node on pNode</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The given range or increment information of the given pNode is not valid</source>
        <translation>The given range or increment information of the given pNode is not valid</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Range: %1..%2</source>
        <translation>Range: %1..%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation>Range: %1..%2 (Increment: %3)</translation>
    </message>
</context>
<context>
    <name>IntEditor</name>
    <message>
        <location filename="../../featuretree/editors/inteditor.cpp" line="+23"/>
        <source>&lt;not readable&gt;</source>
        <translation>&lt;not readable&gt;</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Range: 0x%1..0x%2</source>
        <translation>Range: 0x%1..0x%2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Range: %1..%2</source>
        <translation>Range: %1..%2</translation>
    </message>
</context>
<context>
    <name>IpAddressWidgetClass</name>
    <message>
        <location filename="../../widgets/ipaddresswidget.ui" line="+26"/>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Please specify an IP address.</source>
        <translation>Please specify an IP address.</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>&amp;MAC Address:</source>
        <translation>&amp;MAC Address:</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>IP &amp;Address:</source>
        <translation>IP &amp;Address:</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&amp;Subnet Mask:</source>
        <translation>&amp;Subnet Mask:</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Default &amp;Gateway:</source>
        <translation>Default &amp;Gateway:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../widgets/messageboxcheckable.cpp" line="+59"/>
        <source>&amp;Don&apos;t show this dialog again</source>
        <translation>&amp;Don&apos;t show this dialog again</translation>
    </message>
    <message>
        <location filename="../../widgets/messagereporting.cpp" line="+91"/>
        <location line="+6"/>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Unexpected exception occurred</source>
        <translation>Unexpected exception occurred</translation>
    </message>
</context>
<context>
    <name>ToolButtonEditor</name>
    <message>
        <location filename="../../featuretree/editors/toolbuttoneditor.cpp" line="+9"/>
        <source>Execute</source>
        <translation>Execute</translation>
    </message>
</context>
</TS>
