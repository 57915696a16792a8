<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CNewEntryDlg</name>
    <message>
        <source>New entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Botanical name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTalvaneView</name>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you wish to update the change(s)
you made on the previous entry?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &gt; will be delete from the list !!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EntryBar</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RenameEntryDlg</name>
    <message>
        <source>Rename entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TalvaneView</name>
    <message>
        <source>Please enter a name or an ID number.
Try again ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error ...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
