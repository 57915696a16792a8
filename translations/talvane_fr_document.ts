<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CTalvaneDoc</name>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Identify</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <source>%1 “%2”</source>
        <translation>%1 « %2 »</translation>
    </message>
    <message>
        <source>%1 was changed on disk by another program.</source>
        <translation>%1 a été modifié sur le disque par un autre programme.</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recharger</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Écraser</translation>
    </message>
    <message>
        <source>Save conflict copy</source>
        <translation>Enregistrer une copie de conflit</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1 was read again: another program had changed it.</source>
        <translation>%1 a été relu : un autre programme l&apos;avait modifié.</translation>
    </message>
    <message>
        <source>Your changes were saved as %1.</source>
        <translation>Vos modifications ont été enregistrées sous %1.</translation>
    </message>
    <message>
        <source>The collection shown was saved as %1; the file changed on disk was left as it is.</source>
        <translation>La collection affichée a été enregistrée sous %1 ; le fichier modifié sur le disque a été laissé tel quel.</translation>
    </message>
    <message>
        <source>Cannot open the collection &quot;%1&quot;:
%2.</source>
        <translation>Impossible d&apos;ouvrir la collection « %1 » :
%2.</translation>
    </message>
    <message>
        <source>The unsaved changes cannot be restored:
%1.</source>
        <translation>Les modifications non enregistrées ne peuvent pas être restaurées :
%1.</translation>
    </message>
    <message>
        <source>Talvane Files (*.tvn)</source>
        <translation>Fichiers Talvane (*.tvn)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Do you wish to save this file:
</source>
        <translation>Voulez-vous enregistrer ce fichier :
</translation>
    </message>
    <message>
        <source>Do you wish to save this file before exiting:
</source>
        <translation>Voulez-vous enregistrer ce fichier avant de quitter :
</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
</context>
<context>
    <name>UndoKeepingEdits</name>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
</context>
</TS>
