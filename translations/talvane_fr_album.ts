<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CNewPictureDlg</name>
    <message>
        <source>New picture</source>
        <translation>Nouvelle image</translation>
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
    <name>CPage1</name>
    <message>
        <source>Picture(s)</source>
        <translation>Image(s)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>The pictures (BMP files) must be in directory \Talvane\Album\</source>
        <translation>Les images (fichiers BMP) doivent se trouver dans le dossier \Talvane\Album\</translation>
    </message>
    <message>
        <source>BMP picture format of 250x250 pixels maximum.</source>
        <translation>Images au format BMP de 250x250 pixels au maximum.</translation>
    </message>
    <message>
        <source>File invalid or file not found: Code:%1, %2</source>
        <translation>Fichier non valide ou introuvable : code %1, %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.webp *.tif *.tiff)</source>
        <translation>Images (*.bmp *.jpg *.jpeg *.png *.gif *.webp *.tif *.tiff)</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <translation>Images bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Only *.bmp files can be use.</source>
        <translation>Seuls les fichiers *.bmp peuvent être utilisés.</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>The picture size is too big:
&lt; %1 &gt;
Actual size: %2x%3 [Max. 250x250]</source>
        <translation>L&apos;image est trop grande :
« %1 »
Dimensions réelles : %2x%3 [max. 250x250]</translation>
    </message>
    <message>
        <source>Add photo</source>
        <translation>Ajouter une photo</translation>
    </message>
    <message>
        <source>&lt; %1 &gt; will be delete from the photo album !!!</source>
        <translation>La photo « %1 » va être supprimée de l&apos;album photo !</translation>
    </message>
    <message>
        <source>Please confirm ...</source>
        <translation>Veuillez confirmer...</translation>
    </message>
    <message>
        <source>Delete photo</source>
        <translation>Supprimer la photo</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>Ajo&amp;uter</translation>
    </message>
    <message>
        <source>Dele&amp;te</source>
        <translation>Supprim&amp;er</translation>
    </message>
    <message>
        <source>Vie&amp;w</source>
        <translation>&amp;Voir</translation>
    </message>
</context>
<context>
    <name>PhotoImport</name>
    <message>
        <source>Talvane will add a copy of %1, %2 × %3 pixels, to the Album folder as %4.</source>
        <translation>Talvane va ajouter une copie de %1, de %2 × %3 pixels, au dossier Album sous le nom %4.</translation>
    </message>
    <message>
        <source>Talvane will add a copy of %1, reduced to %2 × %3 pixels, to the Album folder as %4.</source>
        <translation>Talvane va ajouter une copie de %1, réduite à %2 × %3 pixels, au dossier Album sous le nom %4.</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>The copy of %1 cannot be written to the Album folder %2: %3.</source>
        <translation>Impossible d&apos;écrire la copie de %1 dans le dossier Album %2 : %3.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>le dossier ne peut pas être créé</translation>
    </message>
    <message>
        <source>%1 cannot be added to the album: %2.</source>
        <translation>Impossible d&apos;ajouter %1 à l&apos;album : %2.</translation>
    </message>
    <message>
        <source>There is a limit of 5 pictures.</source>
        <translation>L&apos;album est limité à 5 images.</translation>
    </message>
</context>
<context>
    <name>PhotoSource</name>
    <message>
        <source>the file cannot be found</source>
        <translation>le fichier est introuvable</translation>
    </message>
    <message>
        <source>it is a folder, not a picture file</source>
        <translation>c&apos;est un dossier, pas un fichier image</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the file cannot be opened (%1)</source>
        <translation>le fichier ne peut pas être ouvert (%1)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>it is not a picture in a format Talvane can read</source>
        <translation>ce n&apos;est pas une image dans un format que Talvane sait lire</translation>
    </message>
    <message>
        <source>its header gives no usable picture size</source>
        <translation>son en-tête n&apos;indique aucune dimension d&apos;image utilisable</translation>
    </message>
    <message>
        <source>it claims to be %1 × %2 pixels, more than the 64 megapixels Talvane accepts</source>
        <translation>le fichier annonce %1 × %2 pixels, soit plus que les 64 mégapixels acceptés par Talvane</translation>
    </message>
    <message>
        <source>the file is incomplete: it ends before the end of its picture</source>
        <translation>le fichier est incomplet : il s&apos;arrête avant la fin de l&apos;image</translation>
    </message>
    <message>
        <source>its picture data is damaged (%1)</source>
        <translation>les données de l&apos;image sont endommagées (%1)</translation>
    </message>
    <message>
        <source>the file is larger than the %1 MB Talvane accepts</source>
        <translation>le fichier dépasse les %1 Mo acceptés par Talvane</translation>
    </message>
    <message>
        <source>it holds more pictures than Talvane accepts</source>
        <translation>il contient plus d&apos;images que Talvane n&apos;en accepte</translation>
    </message>
</context>
</TS>
