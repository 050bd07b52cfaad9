<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ko_KR">
<context>
    <name>BrowserWindow</name>
    <message>
        <source>Feature Browser - %1</source>
        <translation>피처 브라우저 - %1</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>설명</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Copy Tree to Clipboard</source>
        <translation>트리를 클립보드에 복사(&amp;C)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+C</source>
        <translation>Ctrl+Shift+C</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>종료(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>카메라(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;IP Configuration...</source>
        <translation>IP 구성(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>새로 고침(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Polling</source>
        <translation>폴링(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>정보(&amp;A)</translation>
    </message>
    <message>
        <source>Show All &amp;Messages Again</source>
        <translation>모든 메시지 다시 표시(&amp;M)</translation>
    </message>
    <message>
        <source>View</source>
        <translation>보기</translation>
    </message>
    <message>
        <source>Visibility: </source>
        <translation>사용자 레벨: </translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>초급</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>전문가</translation>
    </message>
    <message>
        <source>Guru</source>
        <translation>구루</translation>
    </message>
    <message>
        <source>Invisible</source>
        <translation>숨김</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>문서</translation>
    </message>
    <message numerus="yes">
        <source>%n match(es), %1 only at a higher level</source>
        <translation><numerusform>%n개 일치 (그중 %1개는 상위 레벨에서만)</numerusform></translation>
    </message>
    <message>
        <source>Copy Value</source>
        <translation>값 복사</translation>
    </message>
    <message>
        <source>Copy Name</source>
        <translation>이름 복사</translation>
    </message>
    <message>
        <source>IP Configuration</source>
        <translation>IP 구성</translation>
    </message>
    <message>
        <source>The transport layer has no persistent IP settings.</source>
        <translation>전송 계층에 고정 IP 설정이 없습니다.</translation>
    </message>
    <message>
        <source>Persistent IP configuration of %1</source>
        <translation>%1의 고정 IP 구성</translation>
    </message>
    <message>
        <source>Persistent IP configuration written.</source>
        <translation>고정 IP 구성을 기록했습니다.</translation>
    </message>
    <message>
        <source>The IP configuration could not be written:
%1</source>
        <translation>IP 구성을 기록할 수 없습니다:
%1</translation>
    </message>
    <message>
        <source>The feature tree was copied to the clipboard.</source>
        <translation>피처 트리를 클립보드에 복사했습니다.</translation>
    </message>
    <message>
        <source>About Feature Browser</source>
        <translation>피처 브라우저 정보</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Feature Browser&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;&lt;p&gt;Browses and edits the features of the built-in emulated camera.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;피처 브라우저&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;&lt;p&gt;내장 에뮬레이트 카메라의 피처를 탐색하고 편집합니다.&lt;/p&gt;</translation>
    </message>
</context>
</TS>