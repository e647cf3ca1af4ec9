<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>ErrorBox</name>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>關於Zellipo</source>
        <translation>About Zellipo</translation>
    </message>
    <message>
        <source>貝諾維亞軟體有限公司</source>
        <translation>Belnovia Software Ltd.</translation>
    </message>
    <message>
        <source>程式設計：葉嵐舟</source>
        <translation>Programming: Ye Lanzhou</translation>
    </message>
    <message>
        <source>電話：+1 (202) 555-0143</source>
        <translation>Phone: +1 (202) 555-0143</translation>
    </message>
    <message>
        <source>傳真：+1 (202) 555-0187</source>
        <translation>Fax: +1 (202) 555-0187</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TInputNameDlg</name>
    <message>
        <source>新的記錄保持者</source>
        <translation>New Record Holder</translation>
    </message>
    <message>
        <source>恭喜！在這個等級中您是最快的。</source>
        <translation>Congratulations! You are the fastest at this level.</translation>
    </message>
    <message>
        <source>請輸入您的大名：</source>
        <translation>Please enter your name:</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>重新開始</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>更換圖片</source>
        <translation>Change Picture</translation>
    </message>
    <message>
        <source>初學者</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>中級者</source>
        <translation>Intermediate</translation>
    </message>
    <message>
        <source>進階者</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>自訂</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>音樂</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>音效</source>
        <translation>Sound Effects</translation>
    </message>
    <message>
        <source>顯示註解數字</source>
        <translation>Show Tile Numbers</translation>
    </message>
    <message>
        <source>顯示最高記錄</source>
        <translation>Show Best Times</translation>
    </message>
    <message>
        <source>暫停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>完成圖:</source>
        <translation>Goal:</translation>
    </message>
    <message>
        <source>遊戲(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>說明(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>重新開始(&amp;R)</source>
        <translation>&amp;Restart</translation>
    </message>
    <message>
        <source>更換圖檔(&amp;N)...</source>
        <translation>&amp;New Picture...</translation>
    </message>
    <message>
        <source>圖片光碟(&amp;D)...</source>
        <translation>Picture &amp;Disc...</translation>
    </message>
    <message>
        <source>初學者(&amp;1)</source>
        <translation>&amp;1 Beginner</translation>
    </message>
    <message>
        <source>中級者(&amp;2)</source>
        <translation>&amp;2 Intermediate</translation>
    </message>
    <message>
        <source>進階者(&amp;3)</source>
        <translation>&amp;3 Advanced</translation>
    </message>
    <message>
        <source>自訂(&amp;U)...</source>
        <translation>C&amp;ustom...</translation>
    </message>
    <message>
        <source>音樂(&amp;M)</source>
        <translation>&amp;Music</translation>
    </message>
    <message>
        <source>音效(&amp;S)</source>
        <translation>&amp;Sound Effects</translation>
    </message>
    <message>
        <source>顯示註解數字(&amp;T)</source>
        <translation>Show &amp;Tile Numbers</translation>
    </message>
    <message>
        <source>最高記錄(&amp;H)...</source>
        <translation>&amp;Best Times...</translation>
    </message>
    <message>
        <source>離開(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>關於Zellipo(&amp;A)...</source>
        <translation>&amp;About Zellipo...</translation>
    </message>
</context>
<context>
    <name>TRecordDlg</name>
    <message>
        <source>最高記錄</source>
        <translation>Best Times</translation>
    </message>
    <message>
        <source>初學者</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>名字：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>時間：</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>中級者</source>
        <translation>Intermediate</translation>
    </message>
    <message>
        <source>進階者</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TSelSampDlg</name>
    <message>
        <source>選擇圖片</source>
        <translation>Choose a Picture</translation>
    </message>
    <message>
        <source>離開</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>TUserDefDlg</name>
    <message>
        <source>自訂大小</source>
        <translation>Custom Size</translation>
    </message>
    <message>
        <source>水平分割:</source>
        <translation>Columns:</translation>
    </message>
    <message>
        <source>垂直分割:</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
