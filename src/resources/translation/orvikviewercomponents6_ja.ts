<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ComboSlider</name>
    <message>
        <location filename="../../widgets/comboslider.cpp" line="+184"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DoubleComboSlider</name>
    <message>
        <location filename="../../widgets/doublecomboslider.cpp" line="+246"/>
        <source>Range: %1..%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DoubleSpinBox</name>
    <message>
        <location filename="../../widgets/doublespinbox.cpp" line="+154"/>
        <source>Range: %1..%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FeatureTreeINodeItem</name>
    <message>
        <location filename="../../featuretree/featuretreeinodeitem.cpp" line="+257"/>
        <source>&lt;not implemented&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;not readable&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&lt;not available&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FloatEditor</name>
    <message>
        <location filename="../../featuretree/floateditor.cpp" line="+49"/>
        <source>The minimum value is larger than the maximum value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The minimum value is larger than the to be set node value or the maximum value is smaller than the to be set node value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Dynamic cast on pNode has gone wrong!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Range: %1..%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FloatSliderEditor</name>
    <message>
        <location filename="../../featuretree/floatslidereditor.cpp" line="+75"/>
        <location line="+155"/>
        <source>The minimum value is larger than the maximum value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-152"/>
        <location line="+155"/>
        <source>The minimum allowed value is larger than the to be set node value or the maximum allowed value is smaller than the to be set node value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+153"/>
        <source>The alias increment cannot be &apos;0&apos;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-99"/>
        <source>Dynamic cast on pNode has gone wrong!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Could not retrieve an alias node on pNode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The given range or increment information of the given pNode is not valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Range: %1..%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range: %1..%2 (Increment: %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntEditor</name>
    <message>
        <location filename="../../featuretree/inteditor.cpp" line="+23"/>
        <source>&lt;not readable&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Range: 0x%1..0x%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Range: %1..%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IpAddressWidgetClass</name>
    <message>
        <location filename="../../widgets/ipaddresswidget.ui" line="+26"/>
        <source>IP Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Please specify an IP address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>&amp;MAC Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>IP &amp;Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&amp;Subnet Mask:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Default &amp;Gateway:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../widgets/messageboxcheckable.cpp" line="+59"/>
        <source>&amp;Don&apos;t show this dialog again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../widgets/messagereporting.cpp" line="+75"/>
        <location line="+5"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Unexpected exception occurred</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolButtonEditor</name>
    <message>
        <location filename="../../featuretree/toolbuttoneditor.cpp" line="+9"/>
        <source>Execute</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
