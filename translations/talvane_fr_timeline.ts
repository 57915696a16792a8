<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CompareDlg</name>
    <message>
        <source>Compare photos</source>
        <translation>Comparer des photos</translation>
    </message>
    <message>
        <source>&amp;First:</source>
        <translation>&amp;Première :</translation>
    </message>
    <message>
        <source>&amp;Second:</source>
        <translation>&amp;Deuxième :</translation>
    </message>
    <message>
        <source>Side &amp;by side</source>
        <translation>Côte à &amp;côte</translation>
    </message>
    <message>
        <source>&amp;One over the other</source>
        <translation>&amp;Superposées</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>Séparation</translation>
    </message>
</context>
<context>
    <name>GrowthChart</name>
    <message>
        <source>No measurements yet: give an event of the journal a height, a trunk diameter, a nebari or a canopy width (Add or Edit on the Journal tab).</source>
        <translation>Pas encore de mesures : donnez à un événement du journal une hauteur, un diamètre de tronc, un nebari ou une largeur de ramure (Ajouter ou Modifier dans l&apos;onglet Journal).</translation>
    </message>
</context>
<context>
    <name>PhotoReading</name>
    <message>
        <source>No reader on this computer can open this photo.</source>
        <translation>Aucun lecteur d&apos;images de cet ordinateur ne peut ouvrir cette photo.</translation>
    </message>
    <message>
        <source>The photo is damaged.</source>
        <translation>La photo est endommagée.</translation>
    </message>
    <message>
        <source>The photo is too large to be shown.</source>
        <translation>La photo est trop grande pour être affichée.</translation>
    </message>
    <message>
        <source>The photo is missing.</source>
        <translation>La photo est introuvable.</translation>
    </message>
</context>
<context>
    <name>PhotoViewer</name>
    <message>
        <source>%1 of %2 · %3 × %4</source>
        <translation>%1 sur %2 · %3 × %4</translation>
    </message>
</context>
<context>
    <name>ThumbnailCache</name>
    <message>
        <source>The photo is missing.</source>
        <translation>La photo est introuvable.</translation>
    </message>
</context>
<context>
    <name>TimelineActions</name>
    <message>
        <source>Add photos</source>
        <translation>Ajouter des photos</translation>
    </message>
    <message>
        <source>Photos (*.jpg *.jpeg *.png *.webp *.tif *.tiff *.heic *.heif *.avif *.bmp *.gif)</source>
        <translation>Photos (*.jpg *.jpeg *.png *.webp *.tif *.tiff *.heic *.heif *.avif *.bmp *.gif)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The photos could not be added:
%1
Nothing was added.</source>
        <translation>Les photos n&apos;ont pas pu être ajoutées :
%1
Aucune n&apos;a été ajoutée.</translation>
    </message>
    <message>
        <source>Add a photo to</source>
        <translation>Ajouter une photo à</translation>
    </message>
    <message>
        <source>Add photos to</source>
        <translation>Ajouter des photos à</translation>
    </message>
    <message>
        <source>Use in album</source>
        <translation>Mettre dans l&apos;album de</translation>
    </message>
    <message>
        <source>The journal of “%1” was written by another program: it is kept as it is and photos cannot be added to it.</source>
        <translation>Le journal de « %1 » a été écrit par un autre programme : il est conservé tel quel et on ne peut pas y ajouter de photos.</translation>
    </message>
</context>
<context>
    <name>TimelineDlg</name>
    <message>
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>&amp;Photos</source>
        <translation>&amp;Photos</translation>
    </message>
    <message>
        <source>&amp;Growth</source>
        <translation>&amp;Croissance</translation>
    </message>
    <message>
        <source>&amp;Add photos…</source>
        <translation>&amp;Ajouter des photos…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Voir</translation>
    </message>
    <message>
        <source>&amp;Compare…</source>
        <translation>C&amp;omparer…</translation>
    </message>
    <message>
        <source>&amp;Use in album</source>
        <translation>&amp;Mettre dans l&apos;album</translation>
    </message>
    <message>
        <source>Timeline of “%1”</source>
        <translation>Chronologie de « %1 »</translation>
    </message>
    <message>
        <source>1 photo</source>
        <translation>1 photo</translation>
    </message>
    <message>
        <source>%1 photos, from %2 to %3</source>
        <translation>%1 photos, du %2 au %3</translation>
    </message>
    <message>
        <source>No photos yet: Add photos… puts the photos of a camera or a phone on the timeline, as they were taken.</source>
        <translation>Pas encore de photos : Ajouter des photos… place les photos d&apos;un appareil photo ou d&apos;un téléphone sur la chronologie, telles qu&apos;elles ont été prises.</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Fermer</translation>
    </message>
</context>
<context>
    <name>TimelineModel</name>
    <message>
        <source> · </source>
        <translation> · </translation>
    </message>
    <message>
        <source>taken %1</source>
        <translation>prise le %1</translation>
    </message>
</context>
</TS>
