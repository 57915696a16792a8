<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CNewEntryDlg</name>
    <message>
        <source>New entry</source>
        <translation>Nouvelle fiche</translation>
    </message>
    <message>
        <source>&amp;Botanical name</source>
        <translation>Nom &amp;botanique</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>CTalvaneView</name>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Do you wish to update the change(s)
you made on the previous entry?</source>
        <translation>Voulez-vous mettre à jour la fiche précédente
avec les modifications apportées ?</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source> &gt; will be delete from the list !!!</source>
        <translation> &gt; sera supprimé de la liste !</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>The &amp;plant</source>
        <translation>&amp;La plante</translation>
    </message>
    <message>
        <source>Pur&amp;chase</source>
        <translation>A&amp;chat</translation>
    </message>
    <message>
        <source>&amp;Species specifics</source>
        <translation>Pa&amp;rticularités de l&apos;espèce</translation>
    </message>
    <message>
        <source>T&amp;ransformation</source>
        <translation>&amp;Transformation</translation>
    </message>
    <message>
        <source>&amp;Maintenance</source>
        <translation>E&amp;ntretien</translation>
    </message>
    <message>
        <source>Photo al&amp;bum</source>
        <translation>Album p&amp;hoto</translation>
    </message>
    <message>
        <source>&amp;Journal</source>
        <translation>&amp;Journal</translation>
    </message>
    <message>
        <source>&amp;Garden</source>
        <translation>A&amp;bri</translation>
    </message>
    <message>
        <source>Change place “%1”</source>
        <translation>Changer l&apos;emplacement «&#xa0;%1&#xa0;»</translation>
    </message>
</context>
<context>
    <name>EntryBar</name>
    <message>
        <source>Entries</source>
        <translation>Fiches</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Aj&amp;outer</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Mettre à jour</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Supprimer</translation>
    </message>
</context>
<context>
    <name>RenameEntryDlg</name>
    <message>
        <source>Rename entry</source>
        <translation>Renommer la fiche</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>TalvaneView</name>
    <message>
        <source>Please enter a name or an ID number.
Try again ...</source>
        <translation>Veuillez saisir un nom ou un numéro d&apos;identification.
Réessayez...</translation>
    </message>
    <message>
        <source>Error ...</source>
        <translation>Erreur...</translation>
    </message>
</context>
</TS>
