<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>BrowserCamera</name>
    <message>
        <source>GenICam File</source>
        <translation>GenICam 文件</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>相机设备</translation>
    </message>
</context>
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
        <translation>
            <numerusform>%n 个匹配（其中 %1 个仅在更高级别可见）</numerusform>
        </translation>
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
        <source>Persistent IP configuration of %1</source>
        <translation>%1 的持久 IP 配置</translation>
    </message>
    <message>
        <source>Persistent IP configuration written.</source>
        <translation>已写入持久 IP 配置。</translation>
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
        <source>Opening the GenICam file %1...</source>
        <translation>正在打开 GenICam 文件 %1...</translation>
    </message>
    <message>
        <source>Opening the camera %1...</source>
        <translation>正在打开相机 %1...</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses and edits the features of the built-in emulated camera.&lt;/p&gt;</source>
        <translation>&lt;p&gt;浏览和编辑内置模拟相机的属性。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses the features of the GenICam file %1, without a device.&lt;/p&gt;</source>
        <translation>&lt;p&gt;在没有设备的情况下浏览 GenICam 文件 %1 的属性。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses and edits the features of the camera %1 %2, serial number %3, opened as %4.&lt;/p&gt;</source>
        <translation>&lt;p&gt;浏览和编辑相机 %1 %2(序列号 %3,以 %4 打开)的属性。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Feature Browser&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;%2</source>
        <translation>&lt;h3&gt;属性浏览器&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;%2</translation>
    </message>
    <message>
        <source>Settings (*.json);;All files (*)</source>
        <translation>设置 (*.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>&amp;Open Camera...</source>
        <translation>打开相机(&amp;O)...</translation>
    </message>
    <message>
        <source>Open &amp;GenICam File...</source>
        <translation>打开 GenICam 文件(&amp;G)...</translation>
    </message>
    <message>
        <source>&amp;Recent</source>
        <translation>最近使用(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Save Settings...</source>
        <translation>保存设置(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Load Settings...</source>
        <translation>加载设置(&amp;L)...</translation>
    </message>
    <message>
        <source>Save Device &amp;XML...</source>
        <translation>保存设备 XML(&amp;X)...</translation>
    </message>
    <message>
        <source>Re&amp;connect</source>
        <translation>重新连接(&amp;C)</translation>
    </message>
    <message>
        <source>Reconnect &amp;Automatically</source>
        <translation>自动重新连接(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Simulate</source>
        <translation>模拟(&amp;S)</translation>
    </message>
    <message>
        <source>Camera &amp;Gone</source>
        <translation>相机断开(&amp;G)</translation>
    </message>
    <message>
        <source>Camera &amp;Stalls</source>
        <translation>相机无响应(&amp;S)</translation>
    </message>
    <message>
        <source>Camera &amp;Back</source>
        <translation>相机恢复(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Controlled by Another Host</source>
        <translation>由其他主机控制(&amp;C)</translation>
    </message>
    <message>
        <source>Camera %1</source>
        <translation>相机 %1</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(无)</translation>
    </message>
    <message>
        <source>Open GenICam File</source>
        <translation>打开 GenICam 文件</translation>
    </message>
    <message>
        <source>GenICam files (*.xml *.zip);;All files (*)</source>
        <translation>GenICam 文件 (*.xml *.zip);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>打开相机</translation>
    </message>
    <message>
        <source>%1 could not be opened:
%2</source>
        <translation>无法打开 %1:
%2</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>保存设置</translation>
    </message>
    <message>
        <source>The settings could not be read from the camera.</source>
        <translation>无法从相机读取设置。</translation>
    </message>
    <message>
        <source>The settings were saved to %1.</source>
        <translation>设置已保存到 %1。</translation>
    </message>
    <message>
        <source>Load Settings</source>
        <translation>加载设置</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back.</source>
        <translation><numerusform>已恢复 %n 个值。</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back; some features of the file are not on this camera.</source>
        <translation><numerusform>已恢复 %n 个值;文件中的部分功能在此相机上不存在。</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back; the camera refused %1.</source>
        <translation><numerusform>已恢复 %n 个值;相机拒绝了 %1。</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n feature(s)</source>
        <translation><numerusform>%n 个功能</numerusform></translation>
    </message>
    <message>
        <source>Save Device XML</source>
        <translation>保存设备 XML</translation>
    </message>
    <message>
        <source>GenICam XML (*.xml);;All files (*)</source>
        <translation>GenICam XML (*.xml);;所有文件 (*)</translation>
    </message>
    <message>
        <source>%1 could not be written:
%2</source>
        <translation>无法写入 %1:
%2</translation>
    </message>
    <message>
        <source>The device XML was saved to %1.</source>
        <translation>设备 XML 已保存到 %1。</translation>
    </message>
    <message>
        <source>The camera has no persistent IP settings.</source>
        <translation>此相机没有永久 IP 设置。</translation>
    </message>
    <message>
        <source>Persistent IP address</source>
        <translation>永久 IP 地址</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Link-local address (LLA)</source>
        <translation>链路本地地址 (LLA)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Connected, read only: another host controls the camera</source>
        <translation>已连接,只读:另一台主机正在控制相机</translation>
    </message>
    <message>
        <source>Disconnected, reconnecting...</source>
        <translation>已断开,正在重新连接...</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已断开</translation>
    </message>
    <message>
        <source>Camera Back</source>
        <translation>相机恢复</translation>
    </message>
    <message>
        <source>The camera is back. Put back the settings that were in effect before it was lost?</source>
        <translation>相机已恢复。是否恢复断开之前的设置?</translation>
    </message>
</context>
<context>
    <name>CameraOpener</name>
    <message>
        <source>The camera could not be opened.</source>
        <translation>无法打开相机。</translation>
    </message>
</context>
<context>
    <name>OpenCameraDialog</name>
    <message>
        <source>Open Camera</source>
        <translation>打开相机</translation>
    </message>
    <message>
        <source>Vendor</source>
        <translation>厂商</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>设备 ID</translation>
    </message>
    <message>
        <source>Press Refresh to look for cameras.</source>
        <translation>按“刷新”查找相机。</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>刷新(&amp;R)</translation>
    </message>
    <message>
        <source>Looking for cameras...</source>
        <translation>正在查找相机...</translation>
    </message>
    <message numerus="yes">
        <source>%n camera(s) found.</source>
        <translation><numerusform>找到 %n 台相机。</numerusform></translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>not on this device</source>
        <translation>此设备上不存在</translation>
    </message>
    <message>
        <source>the feature cannot be written now (%1)</source>
        <translation>此功能当前无法写入 (%1)</translation>
    </message>
    <message>
        <source>not a settings file: %1 at offset %2</source>
        <translation>不是设置文件:偏移 %2 处 %1</translation>
    </message>
    <message>
        <source>not a settings file of the feature browser</source>
        <translation>不是功能浏览器的设置文件</translation>
    </message>
    <message>
        <source>the settings file was written by a newer feature browser (version %1)</source>
        <translation>此设置文件由较新的功能浏览器写入 (版本 %1)</translation>
    </message>
    <message>
        <source>the settings file has more than %1 values</source>
        <translation>设置文件的值超过 %1 个</translation>
    </message>
    <message>
        <source>entry %1 of the settings file needs a name and a text value</source>
        <translation>设置文件的第 %1 项需要名称和文本值</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1:%2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1:%2</translation>
    </message>
    <message>
        <source>%1 is too large for a settings file</source>
        <translation>%1 作为设置文件太大</translation>
    </message>
    <message>
        <source>%1: not set: %2</source>
        <translation>%1:未设置:%2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1:已跳过:%2</translation>
    </message>
    <message>
        <source>%1: saved %2, %3</source>
        <translation>%1:保存值 %2,%3</translation>
    </message>
    <message>
        <source>%1: saved %2, now %3</source>
        <translation>%1:保存值 %2,当前值 %3</translation>
    </message>
    <message>
        <source>the selector %1 is not on this device</source>
        <translation>此设备上没有选择器 %1</translation>
    </message>
</context>
</TS>