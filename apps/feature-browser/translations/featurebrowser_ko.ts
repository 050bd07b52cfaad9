<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ko_KR">
<context>
    <name>BrowserCamera</name>
    <message>
        <source>GenICam File</source>
        <translation>GenICam 파일</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>카메라 장치</translation>
    </message>
</context>
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
        <translation>
            <numerusform>%n개 일치 (그중 %1개는 상위 레벨에서만)</numerusform>
        </translation>
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
        <source>Persistent IP configuration of %1</source>
        <translation>%1의 고정 IP 구성</translation>
    </message>
    <message>
        <source>Persistent IP configuration written.</source>
        <translation>고정 IP 구성을 기록했습니다.</translation>
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
        <source>Opening the GenICam file %1...</source>
        <translation>GenICam 파일 %1을(를) 여는 중...</translation>
    </message>
    <message>
        <source>Opening the camera %1...</source>
        <translation>카메라 %1을(를) 여는 중...</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses and edits the features of the built-in emulated camera.&lt;/p&gt;</source>
        <translation>&lt;p&gt;내장 에뮬레이트 카메라의 피처를 탐색하고 편집합니다.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses the features of the GenICam file %1, without a device.&lt;/p&gt;</source>
        <translation>&lt;p&gt;장치 없이 GenICam 파일 %1의 피처를 탐색합니다.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Browses and edits the features of the camera %1 %2, serial number %3, opened as %4.&lt;/p&gt;</source>
        <translation>&lt;p&gt;카메라 %1 %2(일련 번호 %3, %4(으)로 연결)의 피처를 탐색하고 편집합니다.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Feature Browser&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;%2</source>
        <translation>&lt;h3&gt;피처 브라우저&lt;/h3&gt;&lt;p&gt;OrvikViewerComponents6 %1&lt;/p&gt;%2</translation>
    </message>
    <message>
        <source>Settings (*.json);;All files (*)</source>
        <translation>설정 (*.json);;모든 파일 (*)</translation>
    </message>
    <message>
        <source>&amp;Open Camera...</source>
        <translation>카메라 열기(&amp;O)...</translation>
    </message>
    <message>
        <source>Open &amp;GenICam File...</source>
        <translation>GenICam 파일 열기(&amp;G)...</translation>
    </message>
    <message>
        <source>&amp;Recent</source>
        <translation>최근 항목(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Save Settings...</source>
        <translation>설정 저장(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Load Settings...</source>
        <translation>설정 불러오기(&amp;L)...</translation>
    </message>
    <message>
        <source>Save Device &amp;XML...</source>
        <translation>장치 XML 저장(&amp;X)...</translation>
    </message>
    <message>
        <source>Re&amp;connect</source>
        <translation>다시 연결(&amp;C)</translation>
    </message>
    <message>
        <source>Reconnect &amp;Automatically</source>
        <translation>자동으로 다시 연결(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Simulate</source>
        <translation>시뮬레이션(&amp;S)</translation>
    </message>
    <message>
        <source>Camera &amp;Gone</source>
        <translation>카메라 연결 끊김(&amp;G)</translation>
    </message>
    <message>
        <source>Camera &amp;Stalls</source>
        <translation>카메라 응답 없음(&amp;S)</translation>
    </message>
    <message>
        <source>Camera &amp;Back</source>
        <translation>카메라 복귀(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Controlled by Another Host</source>
        <translation>다른 호스트가 제어 중(&amp;C)</translation>
    </message>
    <message>
        <source>Camera %1</source>
        <translation>카메라 %1</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(없음)</translation>
    </message>
    <message>
        <source>Open GenICam File</source>
        <translation>GenICam 파일 열기</translation>
    </message>
    <message>
        <source>GenICam files (*.xml *.zip);;All files (*)</source>
        <translation>GenICam 파일 (*.xml *.zip);;모든 파일 (*)</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>카메라 열기</translation>
    </message>
    <message>
        <source>%1 could not be opened:
%2</source>
        <translation>%1을(를) 열 수 없습니다:
%2</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>설정 저장</translation>
    </message>
    <message>
        <source>The settings could not be read from the camera.</source>
        <translation>카메라에서 설정을 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>The settings were saved to %1.</source>
        <translation>설정을 %1에 저장했습니다.</translation>
    </message>
    <message>
        <source>Load Settings</source>
        <translation>설정 불러오기</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back.</source>
        <translation><numerusform>값 %n개를 되돌렸습니다.</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back; some features of the file are not on this camera.</source>
        <translation><numerusform>값 %n개를 되돌렸습니다. 파일의 일부 기능은 이 카메라에 없습니다.</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) put back; the camera refused %1.</source>
        <translation><numerusform>값 %n개를 되돌렸습니다. 카메라가 %1을(를) 거부했습니다.</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n feature(s)</source>
        <translation><numerusform>기능 %n개</numerusform></translation>
    </message>
    <message>
        <source>Save Device XML</source>
        <translation>장치 XML 저장</translation>
    </message>
    <message>
        <source>GenICam XML (*.xml);;All files (*)</source>
        <translation>GenICam XML (*.xml);;모든 파일 (*)</translation>
    </message>
    <message>
        <source>%1 could not be written:
%2</source>
        <translation>%1에 쓸 수 없습니다:
%2</translation>
    </message>
    <message>
        <source>The device XML was saved to %1.</source>
        <translation>장치 XML을 %1에 저장했습니다.</translation>
    </message>
    <message>
        <source>The camera has no persistent IP settings.</source>
        <translation>이 카메라에는 고정 IP 설정이 없습니다.</translation>
    </message>
    <message>
        <source>Persistent IP address</source>
        <translation>고정 IP 주소</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Link-local address (LLA)</source>
        <translation>링크 로컬 주소 (LLA)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켜기</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>연결됨</translation>
    </message>
    <message>
        <source>Connected, read only: another host controls the camera</source>
        <translation>연결됨, 읽기 전용: 다른 호스트가 카메라를 제어하고 있습니다</translation>
    </message>
    <message>
        <source>Disconnected, reconnecting...</source>
        <translation>연결 끊김, 다시 연결하는 중...</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>연결 끊김</translation>
    </message>
    <message>
        <source>Camera Back</source>
        <translation>카메라 복귀</translation>
    </message>
    <message>
        <source>The camera is back. Put back the settings that were in effect before it was lost?</source>
        <translation>카메라가 복귀했습니다. 연결이 끊기기 전의 설정을 되돌리시겠습니까?</translation>
    </message>
</context>
<context>
    <name>CameraOpener</name>
    <message>
        <source>The camera could not be opened.</source>
        <translation>카메라를 열 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>OpenCameraDialog</name>
    <message>
        <source>Open Camera</source>
        <translation>카메라 열기</translation>
    </message>
    <message>
        <source>Vendor</source>
        <translation>제조사</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>일련 번호</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>주소</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>장치 ID</translation>
    </message>
    <message>
        <source>Press Refresh to look for cameras.</source>
        <translation>카메라를 찾으려면 [새로 고침]을 누르십시오.</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>새로 고침(&amp;R)</translation>
    </message>
    <message>
        <source>Looking for cameras...</source>
        <translation>카메라를 찾는 중...</translation>
    </message>
    <message numerus="yes">
        <source>%n camera(s) found.</source>
        <translation><numerusform>카메라 %n대를 찾았습니다.</numerusform></translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>not on this device</source>
        <translation>이 장치에 없습니다</translation>
    </message>
    <message>
        <source>the feature cannot be written now (%1)</source>
        <translation>이 기능은 지금 쓸 수 없습니다 (%1)</translation>
    </message>
    <message>
        <source>not a settings file: %1 at offset %2</source>
        <translation>설정 파일이 아닙니다: 오프셋 %2에서 %1</translation>
    </message>
    <message>
        <source>not a settings file of the feature browser</source>
        <translation>기능 브라우저의 설정 파일이 아닙니다</translation>
    </message>
    <message>
        <source>the settings file was written by a newer feature browser (version %1)</source>
        <translation>이 설정 파일은 더 새로운 기능 브라우저에서 작성되었습니다 (버전 %1)</translation>
    </message>
    <message>
        <source>the settings file has more than %1 values</source>
        <translation>설정 파일의 값이 %1개를 넘습니다</translation>
    </message>
    <message>
        <source>entry %1 of the settings file needs a name and a text value</source>
        <translation>설정 파일의 항목 %1에는 이름과 텍스트 값이 필요합니다</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1에 쓸 수 없습니다: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1을(를) 읽을 수 없습니다: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a settings file</source>
        <translation>%1은(는) 설정 파일로는 너무 큽니다</translation>
    </message>
    <message>
        <source>%1: not set: %2</source>
        <translation>%1: 설정되지 않음: %2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1: 건너뜀: %2</translation>
    </message>
    <message>
        <source>%1: saved %2, %3</source>
        <translation>%1: 저장된 값 %2, %3</translation>
    </message>
    <message>
        <source>%1: saved %2, now %3</source>
        <translation>%1: 저장된 값 %2, 현재 값 %3</translation>
    </message>
    <message>
        <source>the selector %1 is not on this device</source>
        <translation>선택기 %1이(가) 이 장치에 없습니다</translation>
    </message>
</context>
</TS>