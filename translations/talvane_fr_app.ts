<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Version: 1.1.0 [Html]</source>
        <translation>Version : 1.1.0 [Html]</translation>
    </message>
    <message>
        <source>About Talvane ...</source>
        <translation>À propos de Talvane...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Nouveau	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Créer un nouveau document</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Ouvrir...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ouvrir un document existant</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Enregistrer	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Enregistrer le document actif</translation>
    </message>
    <message>
        <source>Save &amp;as ... 	Ctrl+A</source>
        <translation>Enregistrer &amp;sous... 	Ctrl+A</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Enregistrer le document actif sous un nouveau nom</translation>
    </message>
    <message>
        <source>Open a version the collection had before one of its saves, as a new collection</source>
        <translation>Ouvrir, comme nouvelle collection, une version de la collection antérieure à l&apos;un de ses enregistrements</translation>
    </message>
    <message>
        <source>Write the care tasks that are due as an iCalendar file</source>
        <translation>Écrire les soins à faire dans un fichier iCalendar</translation>
    </message>
    <message>
        <source>Serve the collection to phones on this network until sharing is stopped</source>
        <translation>Mettre la collection à la disposition des téléphones de ce réseau jusqu&apos;à l&apos;arrêt du partage</translation>
    </message>
    <message>
        <source>Write the tree shown, its photos and its journal into one file to hand on</source>
        <translation>Écrire l&apos;arbre affiché, ses photos et son journal dans un seul fichier à transmettre</translation>
    </message>
    <message>
        <source>Add the tree of a passport to the collection, with its photos</source>
        <translation>Ajouter à la collection l&apos;arbre d&apos;un passeport, avec ses photos</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Imprimer...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>Imprimer le document actif</translation>
    </message>
    <message>
        <source>Print the trees of the collection list as a table, one line per tree</source>
        <translation>Imprimer les arbres de la liste de la collection sous forme de tableau, une ligne par arbre</translation>
    </message>
    <message>
        <source>Print labels with a QR code for the trees of the collection list</source>
        <translation>Imprimer des étiquettes avec un code QR pour les arbres de la liste de la collection</translation>
    </message>
    <message>
        <source>Print the tree shown with its photos by date and its measurements</source>
        <translation>Imprimer l&apos;arbre affiché avec ses photos par date et ses mesures</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>Modifier l&apos;imprimante et les options d&apos;impression</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Quitter l&apos;application ; propose d&apos;enregistrer les documents</translation>
    </message>
    <message>
        <source>&amp;About Talvane...</source>
        <translation>À &amp;propos de Talvane...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Afficher les informations sur le programme, le numéro de version et le copyright</translation>
    </message>
    <message>
        <source>Open the Talvane help page</source>
        <translation>Ouvrir la page d&apos;aide de Talvane</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Undo the last change to the collection</source>
        <translation>Annuler la dernière modification de la collection</translation>
    </message>
    <message>
        <source>Redo the change last undone</source>
        <translation>Rétablir la dernière modification annulée</translation>
    </message>
    <message>
        <source>Give the entry shown a new name</source>
        <translation>Donner un nouveau nom à la fiche affichée</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Collection list	Ctrl+L</source>
        <translation>&amp;Liste de la collection	Ctrl+L</translation>
    </message>
    <message>
        <source>Show or hide the list of every tree of the collection</source>
        <translation>Afficher ou masquer la liste de tous les arbres de la collection</translation>
    </message>
    <message>
        <source>Care &amp;due…	Ctrl+D</source>
        <translation>&amp;Soins à faire…	Ctrl+D</translation>
    </message>
    <message>
        <source>List the care tasks that are overdue or due soon</source>
        <translation>Lister les soins en retard ou à faire bientôt</translation>
    </message>
    <message>
        <source>&amp;Timeline…	Ctrl+T</source>
        <translation>&amp;Chronologie…	Ctrl+T</translation>
    </message>
    <message>
        <source>Show the photos of the tree over the years, compare them and follow its growth</source>
        <translation>Afficher les photos de l&apos;arbre au fil des années, les comparer et suivre sa croissance</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Entries</source>
        <translation>Fiches</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>MAJ</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>DÉF</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source> (read-only)</source>
        <translation> (lecture seule)</translation>
    </message>
    <message>
        <source>[*] - Talvane</source>
        <translation>[*] - Talvane</translation>
    </message>
    <message>
        <source>Could not open Talvane help file &apos;Hlp\Index.htm&apos;</source>
        <translation>Impossible d&apos;ouvrir le fichier d&apos;aide de Talvane « Hlp\Index.htm »</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>An earlier version of %1 is open as a new collection.</source>
        <translation>Une version antérieure de %1 est ouverte comme nouvelle collection.</translation>
    </message>
    <message>
        <source>1 care task written to the calendar</source>
        <translation>1 soin écrit dans le calendrier</translation>
    </message>
    <message>
        <source>%1 care tasks written to the calendar</source>
        <translation>%1 soins écrits dans le calendrier</translation>
    </message>
    <message>
        <source>No earlier version of “%1” is kept yet: a version is kept each time the collection is saved.</source>
        <translation>Aucune version antérieure de « %1 » n&apos;est encore conservée : une version est conservée à chaque enregistrement de la collection.</translation>
    </message>
    <message>
        <source>&amp;Restore an earlier version…</source>
        <translation>&amp;Restaurer une version antérieure…</translation>
    </message>
    <message>
        <source>Export care &amp;calendar…</source>
        <translation>Exporter le &amp;calendrier des soins…</translation>
    </message>
    <message>
        <source>S&amp;hare with phones…</source>
        <translation>&amp;Partager avec les téléphones…</translation>
    </message>
    <message>
        <source>&amp;Export tree passport…</source>
        <translation>E&amp;xporter le passeport de l&apos;arbre…</translation>
    </message>
    <message>
        <source>&amp;Import tree passport…</source>
        <translation>I&amp;mporter un passeport d&apos;arbre…</translation>
    </message>
    <message>
        <source>Print co&amp;llection list…</source>
        <translation>Imprimer la &amp;liste de la collection…</translation>
    </message>
    <message>
        <source>Print la&amp;bels…</source>
        <translation>Imprimer des é&amp;tiquettes…</translation>
    </message>
    <message>
        <source>Print passpor&amp;t…</source>
        <translation>Imprimer le p&amp;asseport…</translation>
    </message>
    <message>
        <source>Print set&amp;up...</source>
        <translation>Config&amp;uration de l&apos;impression...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;Help on Talvane</source>
        <translation>&amp;Aide de Talvane</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>Re&amp;name…</source>
        <translation>Re&amp;nommer…</translation>
    </message>
    <message>
        <source>Recent &amp;File</source>
        <translation>&amp;Fichier récent</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Annuler : %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir : %1</translation>
    </message>
    <message>
        <source>Unsaved changes are not kept for recovery: %1</source>
        <translation>Les modifications non enregistrées ne sont pas conservées pour la récupération : %1</translation>
    </message>
    <message>
        <source>Talvane cannot keep your unsaved changes for recovery in %1:
%2.

Until it can, they are lost if Talvane or the computer stops before you save. Talvane keeps trying and says when it works again.</source>
        <translation>Talvane ne peut pas conserver vos modifications non enregistrées pour la récupération dans %1 :
%2.

Tant qu&apos;il ne le peut pas, elles sont perdues si Talvane ou l&apos;ordinateur s&apos;arrête avant que vous enregistriez. Talvane continue d&apos;essayer et dira quand cela fonctionne de nouveau.</translation>
    </message>
    <message>
        <source>Unsaved changes are kept for recovery again.</source>
        <translation>Les modifications non enregistrées sont de nouveau conservées pour la récupération.</translation>
    </message>
    <message>
        <source>1 picture of this tree is missing</source>
        <translation>1 image de cet arbre est introuvable</translation>
    </message>
    <message>
        <source>%1 pictures of this tree are missing</source>
        <translation>%1 images de cet arbre sont introuvables</translation>
    </message>
    <message>
        <source>Phones are sharing %1. Keep serving them in the background once the window is closed?

Talvane then goes on running: start it again to bring the window back.</source>
        <translation>Des téléphones partagent %1. Continuer à les servir en arrière-plan une fois la fenêtre fermée&#xa0;?

Talvane continue alors de tourner&#xa0;: démarrez-le de nouveau pour faire revenir la fenêtre.</translation>
    </message>
    <message>
        <source>&amp;Keep serving</source>
        <translation>&amp;Continuer à servir</translation>
    </message>
    <message>
        <source>&amp;Stop sharing</source>
        <translation>&amp;Arrêter le partage</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Log care on several trees…</source>
        <translation>&amp;Consigner un soin sur plusieurs arbres…</translation>
    </message>
    <message>
        <source>Log one care, such as a watering, on the trees selected in the list or on every tree of a place</source>
        <translation>Consigner un même soin, un arrosage par exemple, sur les arbres sélectionnés dans la liste ou sur tous les arbres d&apos;un lieu</translation>
    </message>
    <message>
        <source>&amp;Garden location…</source>
        <translation>Emplacement du &amp;jardin…</translation>
    </message>
    <message>
        <source>Say where the garden is, for its frost, heat and wire watch</source>
        <translation>Dire où est le jardin, pour surveiller gel, chaleur et ligatures</translation>
    </message>
</context>
<context>
    <name>CTalvaneApp</name>
    <message>
        <source>Talvane closed before your changes to %1 were saved. Restore them?</source>
        <translation>Talvane s&apos;est fermé avant que vos modifications de %1 soient enregistrées. Voulez-vous les restaurer ?</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>A&amp;bandonner</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>&amp;Plus tard</translation>
    </message>
    <message>
        <source>Sharing with phones could not start:
%1</source>
        <translation>Le partage avec les téléphones n&apos;a pas pu démarrer :
%1</translation>
    </message>
</context>
<context>
    <name>CollectionRescue</name>
    <message>
        <source>a whole copy that a save which did not finish left beside it</source>
        <translation>une copie complète laissée à côté par un enregistrement qui ne s’est pas terminé</translation>
    </message>
    <message>
        <source>Open the &amp;copy</source>
        <translation>Ouvrir la &amp;copie</translation>
    </message>
    <message>
        <source>an earlier version, kept each time it was saved</source>
        <translation>une version précédente, conservée à chaque enregistrement</translation>
    </message>
    <message>
        <source>&amp;Earlier versions…</source>
        <translation>&amp;Versions précédentes…</translation>
    </message>
    <message>
        <source>the unsaved changes of a Talvane that closed before saving them</source>
        <translation>les modifications non enregistrées d’un Talvane fermé avant de les enregistrer</translation>
    </message>
    <message>
        <source>Restore &amp;unsaved changes</source>
        <translation>Restaurer les modifications &amp;non enregistrées</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>%1 cannot be read. Talvane can bring it back from:

- %2

What you choose is shown as unsaved changes: Save writes it over the damaged file, which is kept among the earlier versions.</source>
        <translation>%1 ne peut pas être lu. Talvane peut le retrouver à partir de :

- %2

Ce que vous choisissez s’affiche comme des modifications non enregistrées : Enregistrer l’écrit à la place du fichier abîmé, qui est gardé parmi les versions précédentes.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>talvane: use --remind COLLECTION.tvn...</source>
        <translation>talvane : utilisez --remind COLLECTION.tvn...</translation>
    </message>
    <message>
        <source>Talvane: the record of every tree of a bonsai collection.</source>
        <translation>Talvane : la fiche de chaque arbre d&apos;une collection de bonsaïs.</translation>
    </message>
    <message>
        <source>A collection file (.tvn) to open.</source>
        <translation>Un fichier de collection (.tvn) à ouvrir.</translation>
    </message>
    <message>
        <source>Start without the splash picture.</source>
        <translation>Démarrer sans l&apos;image d&apos;accueil.</translation>
    </message>
    <message>
        <source>Save a picture of the main window to FILE and exit.</source>
        <translation>Enregistrer une image de la fenêtre principale dans FILE et quitter.</translation>
    </message>
    <message>
        <source>Print the report of the collection to a PDF FILE and exit.</source>
        <translation>Imprimer le rapport de la collection dans un FILE PDF et quitter.</translation>
    </message>
    <message>
        <source>With --print-pdf: the entry N only (from 0).</source>
        <translation>Avec --print-pdf : la fiche N seulement (à partir de 0).</translation>
    </message>
    <message>
        <source>With --print-pdf: every entry.</source>
        <translation>Avec --print-pdf : toutes les fiches.</translation>
    </message>
    <message>
        <source>With --print-pdf: the collection list as a table, one line per tree.</source>
        <translation>Avec --print-pdf : la liste de la collection en tableau, une ligne par arbre.</translation>
    </message>
    <message>
        <source>With --inventory: only the trees in which every word of WORDS appears.</source>
        <translation>Avec --inventory : seulement les arbres où figure chaque mot de WORDS.</translation>
    </message>
    <message>
        <source>Open the Care due window once the collection is open.</source>
        <translation>Ouvrir la fenêtre Soins à faire une fois la collection ouverte.</translation>
    </message>
    <message>
        <source>talvane: use --print-pdf OUT.pdf --inventory [--find WORDS] COLLECTION.tvn</source>
        <translation>talvane : utilisez --print-pdf OUT.pdf --inventory [--find WORDS] COLLECTION.tvn</translation>
    </message>
    <message>
        <source>talvane: use --print-pdf OUT.pdf (--entry N | --all) COLLECTION.tvn</source>
        <translation>talvane : utilisez --print-pdf OUT.pdf (--entry N | --all) COLLECTION.tvn</translation>
    </message>
    <message>
        <source>talvane: %1</source>
        <translation>talvane : %1</translation>
    </message>
    <message>
        <source>Show a desktop notification of the care due today or overdue in each collection given, and exit once it is chosen or closed, or after %1 seconds.</source>
        <translation>Afficher une notification du bureau des soins à faire aujourd&apos;hui ou en retard dans chaque collection donnée, et quitter une fois qu&apos;elle est choisie ou fermée, ou au bout de %1 secondes.</translation>
    </message>
    <message>
        <source>Share the collection with its paired phones on ADDR (0.0.0.0: every network) and go on in the background, without the window.</source>
        <translation>Partager la collection avec ses téléphones associés sur ADDR (0.0.0.0&#xa0;: tous les réseaux) et continuer en arrière-plan, sans la fenêtre.</translation>
    </message>
</context>
<context>
    <name>EarlierVersionsDlg</name>
    <message>
        <source>Restore an earlier version</source>
        <translation>Restaurer une version antérieure</translation>
    </message>
    <message>
        <source>Saved over</source>
        <translation>Remplacée le</translation>
    </message>
    <message>
        <source>Trees</source>
        <translation>Arbres</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Earlier versions</source>
        <translation>Versions antérieures</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Talvane Help</source>
        <translation>Aide de Talvane</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>La&amp;ngue</translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation>Langue du &amp;système</translation>
    </message>
    <message>
        <source>Talvane will speak the language chosen the next time it starts.</source>
        <translation>Talvane parlera la langue choisie à son prochain démarrage.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
</context>
<context>
    <name>ServingInBackground</name>
    <message>
        <source>The phones could not be served in the background:
%1</source>
        <translation>Les téléphones n&apos;ont pas pu être servis en arrière-plan&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Talvane: serving %1 to the phones</source>
        <translation>Talvane&#xa0;: %1 servi aux téléphones</translation>
    </message>
    <message>
        <source>&amp;Show Talvane</source>
        <translation>&amp;Afficher Talvane</translation>
    </message>
    <message>
        <source>Stop sharing and &amp;quit</source>
        <translation>Arrêter le partage et &amp;quitter</translation>
    </message>
</context>
</TS>
