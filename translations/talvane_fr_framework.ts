<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CDocument</name>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>Cannot open the collection &quot;%1&quot;:
%2.</source>
        <translation>Impossible d&apos;ouvrir la collection « %1 » :
%2.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Voulez-vous enregistrer les modifications de %1 ?</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Cannot save the collection to &quot;%1&quot;:
%2.
The file on disk was not changed.</source>
        <translation>Impossible d&apos;enregistrer la collection dans « %1 » :
%2.
Le fichier sur le disque n&apos;a pas été modifié.</translation>
    </message>
</context>
<context>
    <name>StandardButtons</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
</context>
<context>
    <name>StorableText</name>
    <message>
        <source>“%1” cannot be stored in a Talvane collection</source>
        <translation>« %1 » ne peut pas être enregistré dans une collection Talvane</translation>
    </message>
    <message>
        <source>“%1” was changed to “%2”: a Talvane collection cannot store “%1”</source>
        <translation>« %1 » a été remplacé par « %2 » : une collection Talvane ne peut pas enregistrer « %1 »</translation>
    </message>
</context>
</TS>
