<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>PassportGiverDlg</name>
    <message>
        <source>Export tree passport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Handed on by:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PassportPages</name>
    <message>
        <source>%1: photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: measurements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TreePassportCommands</name>
    <message>
        <source>Tree passports (*.tvp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export tree passport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Talvane %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The passport was written without these pictures, which are no longer in their folders:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The passport of “%1” is written to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection is open read-only: no tree can be added to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import tree passport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import passport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is added to the collection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”, received from %2, is added to the collection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The passport could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
