<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CNewPictureDlg</name>
    <message>
        <source>New picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPage1</name>
    <message>
        <source>Photo album</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pictures (BMP files) must be in directory \Talvane\Album\</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMP picture format of 250x250 pixels maximum.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File invalid or file not found: Code:%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.webp *.tif *.tiff)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only *.bmp files can be use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture size is too big:
&lt; %1 &gt;
Actual size: %2x%3 [Max. 250x250]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt; %1 &gt; will be delete from the photo album !!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please confirm ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete photo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoImport</name>
    <message>
        <source>Talvane will add a copy of %1, %2 × %3 pixels, to the Album folder as %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Talvane will add a copy of %1, reduced to %2 × %3 pixels, to the Album folder as %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy of %1 cannot be written to the Album folder %2: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be added to the album: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is a limit of 5 pictures.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoSource</name>
    <message>
        <source>the file cannot be found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder, not a picture file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be opened (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a picture in a format Talvane can read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its header gives no usable picture size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it claims to be %1 × %2 pixels, more than the 64 megapixels Talvane accepts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is incomplete: it ends before the end of its picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its picture data is damaged (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
