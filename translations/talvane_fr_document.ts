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
    <message>
        <source>%1 is open read-only: another Talvane is editing it.
Save your changes under another name with Save As.</source>
        <translation>%1 est ouvert en lecture seule : un autre Talvane le modifie.
Enregistrez vos modifications sous un autre nom avec Enregistrer sous.</translation>
    </message>
    <message>
        <source>%1 is already open in Talvane: %2.

Open it read-only? You can still save your changes under another name with Save As.</source>
        <translation>%1 est déjà ouvert dans Talvane : %2.

L&apos;ouvrir en lecture seule ? Vous pourrez toujours enregistrer vos modifications sous un autre nom avec Enregistrer sous.</translation>
    </message>
    <message>
        <source>%1 was changed by another program since Talvane opened or last saved it.

Reload: show the file as it is now (your unsaved changes are offered for a conflict copy first).
Overwrite: replace it with the collection shown here.
Save conflict copy: save the collection shown here beside it as %2, and leave the file as it is.</source>
        <translation>%1 a été modifié par un autre programme depuis que Talvane l&apos;a ouvert ou enregistré.

Recharger : afficher le fichier tel qu&apos;il est maintenant (vos modifications non enregistrées vous sont d&apos;abord proposées en copie de conflit).
Écraser : le remplacer par la collection affichée ici.
Enregistrer une copie de conflit : enregistrer la collection affichée ici à côté de lui sous le nom %2, et laisser le fichier tel qu&apos;il est.</translation>
    </message>
    <message>
        <source>Save your unsaved changes as %1 beside the collection before it is read again?</source>
        <translation>Enregistrer vos modifications non enregistrées sous %1 à côté de la collection avant de la relire ?</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Recharger</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>É&amp;craser</translation>
    </message>
    <message>
        <source>&amp;Save conflict copy</source>
        <translation>&amp;Enregistrer une copie de conflit</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
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
