<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
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
