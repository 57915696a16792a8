<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CDocument</name>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the collection &quot;%1&quot;:
%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StorableText</name>
    <message>
        <source>“%1” cannot be stored in a Talvane collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” was changed to “%2”: a Talvane collection cannot store “%1”</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
