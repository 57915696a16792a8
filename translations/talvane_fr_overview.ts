<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CollectionListModel</name>
    <message>
        <source>%1 in the album, %2 on the timeline</source>
        <translation>%1 dans l&apos;album, %2 dans la chronologie</translation>
    </message>
</context>
<context>
    <name>CollectionListPanel</name>
    <message>
        <source>Find trees</source>
        <translation>Rechercher des arbres</translation>
    </message>
    <message>
        <source>Collection list</source>
        <translation>Liste de la collection</translation>
    </message>
</context>
</TS>
