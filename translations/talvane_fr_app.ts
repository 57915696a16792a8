<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Version: 1.1.0 [Html]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Talvane ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;as ... 	Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore an earlier version…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a version the collection had before one of its saves, as a new collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export care calendar…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the care tasks that are due as an iCalendar file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share with phones…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serve the collection to phones on this network while this window is open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export tree passport…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the tree shown, its photos and its journal into one file to hand on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import tree passport…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the tree of a passport to the collection, with its photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print collection list…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the trees of the collection list as a table, one line per tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print labels…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print labels with a QR code for the trees of the collection list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print passport…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the tree shown with its photos by date and its measurements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Talvane...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help on Talvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the Talvane help page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo the last change to the collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo the change last undone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the entry shown a new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Collection list	Ctrl+L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the list of every tree of the collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Care &amp;due…	Ctrl+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List the care tasks that are overdue or due soon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Timeline…	Ctrl+T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the photos of the tree over the years, compare them and follow its growth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CAP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (read-only)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[*] - Talvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open Talvane help file &apos;Hlp\Index.htm&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An earlier version of %1 is open as a new collection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 care task written to the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 care tasks written to the calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTalvaneApp</name>
    <message>
        <source>Talvane closed before your changes to %1 were saved. Restore them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EarlierVersionsDlg</name>
    <message>
        <source>Restore an earlier version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Talvane Help</source>
        <translation>Aide de Talvane</translation>
    </message>
</context>
</TS>
