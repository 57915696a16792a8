<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>PassportGiverDlg</name>
    <message>
        <source>Export tree passport</source>
        <translation>Exporter le passeport de l&apos;arbre</translation>
    </message>
    <message>
        <source>&amp;Handed on by:</source>
        <translation>&amp;Transmis par :</translation>
    </message>
    <message>
        <source>The passport holds “%1” with its photos and its journal, for whoever receives the tree to add to their collection.</source>
        <translation>Le passeport contient « %1 » avec ses photos et son journal, pour que la personne qui reçoit l&apos;arbre l&apos;ajoute à sa collection.</translation>
    </message>
</context>
<context>
    <name>PassportPages</name>
    <message>
        <source>%1: photos</source>
        <translation>%1 : photos</translation>
    </message>
    <message>
        <source>%1: measurements</source>
        <translation>%1 : mesures</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Document %1</source>
        <translation>Document %1</translation>
    </message>
    <message>
        <source> · </source>
        <translation> · </translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
</context>
<context>
    <name>TreePassportCommands</name>
    <message>
        <source>Tree passports (*.tvp)</source>
        <translation>Passeports d&apos;arbres (*.tvp)</translation>
    </message>
    <message>
        <source>Export tree passport</source>
        <translation>Exporter le passeport de l&apos;arbre</translation>
    </message>
    <message>
        <source>Talvane %1.</source>
        <translation>Talvane %1.</translation>
    </message>
    <message>
        <source>The passport was written without these pictures, which are no longer in their folders:
%1</source>
        <translation>Le passeport a été enregistré sans ces photos, qui ne sont plus dans leurs dossiers :
%1</translation>
    </message>
    <message>
        <source>The passport of “%1” is written to %2.</source>
        <translation>Le passeport de « %1 » a été enregistré dans %2.</translation>
    </message>
    <message>
        <source>The collection is open read-only: no tree can be added to it.</source>
        <translation>La collection est ouverte en lecture seule : aucun arbre ne peut y être ajouté.</translation>
    </message>
    <message>
        <source>Import tree passport</source>
        <translation>Importer un passeport d&apos;arbre</translation>
    </message>
    <message>
        <source>Import passport</source>
        <translation>Importer le passeport de</translation>
    </message>
    <message>
        <source>“%1” is added to the collection.</source>
        <translation>« %1 » a été ajouté à la collection.</translation>
    </message>
    <message>
        <source>“%1”, received from %2, is added to the collection.</source>
        <translation>« %1 », reçu de %2, a été ajouté à la collection.</translation>
    </message>
    <message>
        <source>The passport could not be printed.</source>
        <translation>Le passeport n&apos;a pas pu être imprimé.</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>facultatif</translation>
    </message>
    <message>
        <source>The collection already holds “%1”, the tree of this passport.

Update it: the journal events and pictures of the passport that it does not have yet are added to it, and what was changed here is kept.

Import a separate copy: a second tree is added, with an identifier of its own.</source>
        <translation>La collection contient déjà « %1 », l&apos;arbre de ce passeport.

Le mettre à jour&#xa0;: les événements du journal et les images du passeport qu&apos;il n&apos;a pas encore lui sont ajoutés, et ce qui a été modifié ici est conservé.

Importer une copie distincte&#xa0;: un second arbre est ajouté, avec un identifiant qui lui est propre.</translation>
    </message>
    <message>
        <source>&amp;Update the tree</source>
        <translation>&amp;Mettre à jour l&apos;arbre</translation>
    </message>
    <message>
        <source>Import a &amp;separate copy</source>
        <translation>Importer une copie &amp;distincte</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>“%1” has everything its passport holds: nothing was added.</source>
        <translation>« %1 » a déjà tout ce que contient son passeport&#xa0;: rien n&apos;a été ajouté.</translation>
    </message>
    <message>
        <source>Update from passport</source>
        <translation>Mettre à jour depuis le passeport</translation>
    </message>
    <message>
        <source>Its album had no empty place for %1 of the passport&apos;s pictures.</source>
        <translation>Son album n&apos;avait pas de place libre pour %1 des images du passeport.</translation>
    </message>
    <message>
        <source>A journal written by another program takes no events: none was added.</source>
        <translation>Un journal écrit par un autre programme ne prend pas d&apos;événements&#xa0;: aucun n&apos;a été ajouté.</translation>
    </message>
    <message>
        <source>A separate copy of “%1” is added to the collection.</source>
        <translation>Une copie distincte de « %1 » a été ajoutée à la collection.</translation>
    </message>
    <message>
        <source>“%1” is brought up to date from its passport (new events: %2, new pictures: %3).</source>
        <translation>« %1 » est mis à jour d&apos;après son passeport (nouveaux événements&#xa0;: %2, nouvelles images&#xa0;: %3).</translation>
    </message>
</context>
</TS>
