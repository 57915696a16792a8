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
        <source>Botanical name</source>
        <translation>Nom botanique</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
</context>
<context>
    <name>EntryBar</name>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>RenameEntryDlg</name>
    <message>
        <source>Rename entry</source>
        <translation>Renommer la fiche</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
