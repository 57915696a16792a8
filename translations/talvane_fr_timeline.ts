<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CompareDlg</name>
    <message>
        <source>Compare photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;First:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Second:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Side &amp;by side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;One over the other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Divide</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GrowthChart</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoReading</name>
    <message>
        <source>No reader on this computer can open this photo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo is too large to be shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo cannot be shown: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoViewer</name>
    <message>
        <source>%1 of %2 · %3 × %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThumbnailCache</name>
    <message>
        <source>The photo is missing.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimelineActions</name>
    <message>
        <source>Add photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos (*.jpg *.jpeg *.png *.webp *.tif *.tiff *.heic *.heif *.avif *.bmp *.gif)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photos could not be added:
%1
Nothing was added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a photo to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add photos to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use in album</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimelineDlg</name>
    <message>
        <source>Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Growth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add photos…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compare…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Use in album</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeline of “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 photos, from %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · </source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
