<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>BrowserWindow</name>
    <message>
        <source>Feature Browser - %1</source>
        <translation>属性浏览器 - %1</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Copy Tree to Clipboard</source>
        <translation>将树复制到剪贴板(&amp;C)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+C</source>
        <translation>Ctrl+Shift+C</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>相机(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;IP Configuration...</source>
        <translation>IP 配置(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>刷新(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Polling</source>
        <translation>轮询(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>Show All &amp;Messages Again</source>
        <translation>重新显示所有消息(&amp;M)</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>Visibility: </source>
        <translation>用户级别：</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>初级</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>专家</translation>
    </message>
    <message>
        <source>Guru</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Invisible</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>文档</translation>
    </message>
    <message numerus="yes">
        <source>%n match(es), %1 only at a higher level</source>
        <translation><numerusform>%n 个匹配（其中 %1 个仅在更高级别可见）</numerusform></translation>
    </message>
    <message>
        <source>Copy Value</source>
        <translation>复制值</translation>
    </message>
    <message>
        <source>Copy Name</source>
        <translation>复制名称</translation>
    </message>
    <message>
        <source>IP Configuration</source>
        <translation>IP 配置</translation>
    </message>
    <message>
        <source>The transport layer has no persistent IP settings.</source>
        <translation>传输层没有持久 IP 设置。</translation>
    </message>
    <message>
        <source>Persistent IP configuration of %1</source>
        <translation>%1 的持久 IP 配置</translation>
    </message>
    <message>
        <source>Persistent IP configuration written.</source>
        <translation>已写入持久 IP 配置。</translation>
    </message>
    <message>
        <source>The IP configuration could not be written:
%1</source>
        <translation>无法写入 IP 配置：
%1</translation>
    </message>
    <message>
        <source>The feature tree was copied to the clipboard.</source>
        <translation>属性树已复制到剪贴板。</translation>
    </message>
    <message>
        <source>About Feature Browser</source>
        <translation>关于属性浏览器</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Feature Browser&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;&lt;p&gt;Browses and edits the features of the built-in emulated camera.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;属性浏览器&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;&lt;p&gt;浏览和编辑内置模拟相机的属性。&lt;/p&gt;</translation>
    </message>
</context>
</TS>