<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CTalvaneDoc</name>
    <message>
        <source>Attention</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 “%2”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed on disk by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save conflict copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was read again: another program had changed it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your changes were saved as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection shown was saved as %1; the file changed on disk was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the collection &quot;%1&quot;:
%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unsaved changes cannot be restored:
%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Talvane Files (*.tvn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you wish to save this file:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you wish to save this file before exiting:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UndoKeepingEdits</name>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
