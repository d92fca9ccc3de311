<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi_IN">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>स्वास्थ्य चेतावनी</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>चेतावनी</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>ड्राइव का स्वास्थ्य गिर रहा है और इससे स्थायी क्षति हो सकती है। डेटा हानि से बचने के लिए, ख़राब हो रही स्टोरेज ड्राइव का क्लोन बनाएँ।</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>फिर से न दिखाएँ</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>ख़राब हो रही ड्राइव से डेटा पुनर्प्राप्त करने के लिए, &apos;डेटा&#xa0;पुनर्प्राप्त&#xa0;करें&apos; बटन पर क्लिक करें।</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>ड्राइव क्लोन करें</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>डेटा पुनर्प्राप्त करें</translation>
    </message>
</context>
<context>
    <name>HealthWarningDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>अनदेखा करें</translation>
    </message>
</context>
<context>
    <name>PerformanceWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Performance Warning</source>
        <translation>प्रदर्शन चेतावनी</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>चेतावनी</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>ड्राइव का प्रदर्शन गिर रहा है और इससे स्थायी क्षति हो सकती है। डेटा हानि से बचने के लिए, स्टोरेज ड्राइव का क्लोन बनाएँ।</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>फिर से न दिखाएँ</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>ख़राब हो रही ड्राइव से डेटा पुनर्प्राप्त करने के लिए, &apos;डेटा&#xa0;पुनर्प्राप्त&#xa0;करें&apos; बटन पर क्लिक करें।</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>ड्राइव क्लोन करें</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>डेटा पुनर्प्राप्त करें</translation>
    </message>
</context>
<context>
    <name>PerformanceWarningDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>अनदेखा करें</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>बाहर निकलें</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>तापमान: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>स्वास्थ्य: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>प्रदर्शन: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>पार्टीशन: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>S.M.A.R.T निगरानी रोकें</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor खोलें</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>ड्राइव: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>ड्राइव नहीं पढ़ी गईं: अस्थायी फ़ोल्डर अनुपयोगी है।</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>ड्राइव पढ़ने के लिए व्यवस्थापक अधिकार चाहिए।</translation>
    </message>
</context>
<context>
    <name>ShutDownWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Temperature of your storage drive has reached the shut down value.To avoid any permanent damage, shutdown the system immediately.</source>
        <translation>आपकी स्टोरेज ड्राइव का तापमान शटडाउन तापमान तक पहुँच गया है। स्थायी क्षति से बचने के लिए, सिस्टम को तुरंत शट डाउन करें।</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>शटडाउन चेतावनी</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>चेतावनी</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>शटडाउन चेतावनी</translation>
    </message>
</context>
<context>
    <name>SmartShutdownDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>अनदेखा करें</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>शट डाउन करें</translation>
    </message>
</context>
<context>
    <name>SmartWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Temperature of your storage drive has exceeded the set threshold value.To avoid any permanent damage, it is recommended to shutdown the system.</source>
        <translation>आपकी स्टोरेज ड्राइव का तापमान निर्धारित सीमा से अधिक हो गया है। स्थायी क्षति से बचने के लिए, सिस्टम को शट डाउन करने की सलाह दी जाती है।</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>SMART चेतावनी</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>चेतावनी</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>फिर से न दिखाएँ</translation>
    </message>
</context>
<context>
    <name>SmartWarningDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>अनदेखा करें</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>शट डाउन करें</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>फ़ॉर्म</translation>
    </message>
</context>
</TS>
