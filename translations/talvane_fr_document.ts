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
    <message>
        <source>%1 is open in Talvane on another computer: %2, %3.

If Talvane no longer has it open there (that computer stopped or lost its connection), you can take the lock over and edit it here. Otherwise open it read-only: you can still save your changes under another name with Save As.</source>
        <translation>%1 est ouvert dans Talvane sur un autre ordinateur : %2, %3.

Si Talvane ne l&apos;a plus ouvert là-bas (cet ordinateur s&apos;est arrêté ou a perdu sa connexion), vous pouvez reprendre le verrou et le modifier ici. Sinon, ouvrez-le en lecture seule : vous pourrez toujours enregistrer vos modifications sous un autre nom avec Enregistrer sous.</translation>
    </message>
    <message>
        <source>Open &amp;read-only</source>
        <translation>Ouvrir en &amp;lecture seule</translation>
    </message>
    <message>
        <source>&amp;Take over</source>
        <translation>&amp;Reprendre</translation>
    </message>
    <message>
        <source>Take the lock of %1 over from %2?

If Talvane still has the collection open on %3, both of you can save it, and the changes of one of you will be lost.</source>
        <translation>Reprendre le verrou de %1 à %2 ?

Si Talvane a encore la collection ouverte sur %3, vous pourrez l&apos;enregistrer tous les deux, et les modifications de l&apos;un de vous seront perdues.</translation>
    </message>
    <message>
        <source>The lock of %1 could not be taken over: it is held by %2.</source>
        <translation>Le verrou de %1 n&apos;a pas pu être repris : il est tenu par %2.</translation>
    </message>
    <message>
        <source>%1 is open in another Talvane: close it there first.</source>
        <translation>%1 est ouvert dans un autre Talvane : fermez-le d’abord là-bas.</translation>
    </message>
    <message>
        <source>The collection&apos;s pictures cannot be copied beside %1:
%2.</source>
        <translation>Les images de la collection ne peuvent pas être copiées à côté de %1&#xa0;:
%2.</translation>
    </message>
    <message>
        <source>Rename pictures of</source>
        <translation>Renommer les images de</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Enregistrer &amp;sous…</translation>
    </message>
    <message>
        <source>Log %1 on 1 tree</source>
        <translation>Consigner %1 sur 1 arbre</translation>
    </message>
    <message>
        <source>Log %1 on %2 trees</source>
        <translation>Consigner %1 sur %2 arbres</translation>
    </message>
</context>
<context>
    <name>CollectionLock</name>
    <message>
        <source>1 day ago</source>
        <translation>il y a 1 jour</translation>
    </message>
    <message>
        <source>%1 days ago</source>
        <translation>il y a %1 jours</translation>
    </message>
    <message>
        <source>1 hour ago</source>
        <translation>il y a 1 heure</translation>
    </message>
    <message>
        <source>%1 hours ago</source>
        <translation>il y a %1 heures</translation>
    </message>
    <message>
        <source>1 minute ago</source>
        <translation>il y a 1 minute</translation>
    </message>
    <message>
        <source>%1 minutes ago</source>
        <translation>il y a %1 minutes</translation>
    </message>
    <message>
        <source>less than a minute ago</source>
        <translation>il y a moins d&apos;une minute</translation>
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
