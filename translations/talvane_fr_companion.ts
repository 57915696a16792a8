<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>PhoneSharing</name>
    <message>
        <source>Shared with 1 phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shared with %1 phones</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShareDlg</name>
    <message>
        <source>Share with phones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pairing code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Network:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pairing address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code works for 10 minutes and pairs up to 5 phones.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phones connected:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop sharing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharing with phones could not start:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This computer only (127.0.0.1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
