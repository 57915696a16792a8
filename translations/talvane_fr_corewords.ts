<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CoreTexts</name>
    <message>
        <source>a text of 4 GiB or more cannot be stored in a collection file</source>
        <translation>un texte de 4 Gio ou plus ne peut pas être enregistré dans une collection</translation>
    </message>
    <message>
        <source>the entry count (%1) is larger than the file can hold</source>
        <translation>le nombre de fiches (%1) dépasse ce que le fichier peut contenir</translation>
    </message>
    <message>
        <source>entry %1: %2</source>
        <translation>fiche %1 : %2</translation>
    </message>
    <message>
        <source>the file ends too early</source>
        <translation>le fichier s&apos;arrête trop tôt</translation>
    </message>
    <message>
        <source>the entry class is declared a second time</source>
        <translation>la classe des fiches est déclarée une deuxième fois</translation>
    </message>
    <message>
        <source>the file does not start with the entry class &quot;CBonsaiData&quot;</source>
        <translation>le fichier ne commence pas par la classe des fiches « CBonsaiData »</translation>
    </message>
    <message>
        <source>the file uses a long object tag, which Talvane never writes</source>
        <translation>le fichier utilise une étiquette d&apos;objet longue, que Talvane n&apos;écrit jamais</translation>
    </message>
    <message>
        <source>an entry refers to an unknown class</source>
        <translation>une fiche renvoie à une classe inconnue</translation>
    </message>
    <message>
        <source>the file holds an empty object reference where an entry belongs</source>
        <translation>le fichier contient une référence d&apos;objet vide à la place d&apos;une fiche</translation>
    </message>
    <message>
        <source>the file refers back to an earlier object where an entry belongs</source>
        <translation>le fichier renvoie à un objet précédent à la place d&apos;une fiche</translation>
    </message>
    <message>
        <source>the file holds objects of class &quot;%1&quot;, not &quot;CBonsaiData&quot;</source>
        <translation>le fichier contient des objets de la classe « %1 », et non « CBonsaiData »</translation>
    </message>
    <message>
        <source>the entries have version %1 (only version 0 is known)</source>
        <translation>les fiches sont en version %1 (seule la version 0 est connue)</translation>
    </message>
    <message>
        <source>the file holds a wide-character text, which Talvane never writes</source>
        <translation>le fichier contient un texte en caractères larges, que Talvane n&apos;écrit jamais</translation>
    </message>
    <message>
        <source>a text claims %1 bytes but the file ends before them</source>
        <translation>un texte annonce %1 octets mais le fichier s&apos;arrête avant</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>il est en lecture seule</translation>
    </message>
    <message>
        <source>it is on a disk that cannot be written</source>
        <translation>il est sur un disque où l&apos;on ne peut pas écrire</translation>
    </message>
    <message>
        <source>you may not write to it</source>
        <translation>vous n&apos;avez pas le droit d&apos;y écrire</translation>
    </message>
    <message>
        <source>a link was put in place of the file %1</source>
        <translation>un lien a été mis à la place du fichier %1</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is not a valid Talvane collection (%1)</source>
        <translation>ce n&apos;est pas une collection Talvane valide (%1)</translation>
    </message>
    <message>
        <source>the path no longer leads to the file that was opened, %1, but to %2</source>
        <translation>le chemin ne mène plus au fichier ouvert, %1, mais à %2</translation>
    </message>
    <message>
        <source>it is open by %1</source>
        <translation>il est ouvert par %1</translation>
    </message>
    <message>
        <source>another program changed or replaced the file since it was opened</source>
        <translation>un autre programme a modifié ou remplacé le fichier depuis son ouverture</translation>
    </message>
    <message>
        <source>the file was moved or deleted since it was opened</source>
        <translation>le fichier a été déplacé ou supprimé depuis son ouverture</translation>
    </message>
    <message>
        <source>someone</source>
        <translation>quelqu&apos;un</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>processus %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>processus inconnu</translation>
    </message>
    <message>
        <source>%1 (%2) since %3</source>
        <translation>%1 (%2) depuis le %3</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Intérieur</translation>
    </message>
    <message>
        <source>Exterior</source>
        <translation>Extérieur</translation>
    </message>
    <message>
        <source>Seeds</source>
        <translation>Semis</translation>
    </message>
    <message>
        <source>Cuttings</source>
        <translation>Boutures</translation>
    </message>
    <message>
        <source>Layering</source>
        <translation>Marcottage</translation>
    </message>
    <message>
        <source>Grafting</source>
        <translation>Greffe</translation>
    </message>
    <message>
        <source>Nursery</source>
        <translation>Pépinière</translation>
    </message>
    <message>
        <source>Collected from the wild</source>
        <translation>Prélevé dans la nature</translation>
    </message>
    <message>
        <source>Formal upright (Chokkan)</source>
        <translation>Droit formel (Chokkan)</translation>
    </message>
    <message>
        <source>Informal upright (Moyogi)</source>
        <translation>Droit informel (Moyogi)</translation>
    </message>
    <message>
        <source>Slanting (Shakan)</source>
        <translation>Penché (Shakan)</translation>
    </message>
    <message>
        <source>Semi-Cascade (Han-Kengai)</source>
        <translation>Semi-cascade (Han-Kengai)</translation>
    </message>
    <message>
        <source>Cascade (Kengai)</source>
        <translation>Cascade (Kengai)</translation>
    </message>
    <message>
        <source>Twin trunk (Sokan)</source>
        <translation>Double tronc (Sokan)</translation>
    </message>
    <message>
        <source>Triple (Sankan)</source>
        <translation>Triple tronc (Sankan)</translation>
    </message>
    <message>
        <source>Multiple (Kabudachi)</source>
        <translation>Troncs multiples (Kabudachi)</translation>
    </message>
    <message>
        <source>Raft (Ikada)</source>
        <translation>Radeau (Ikada)</translation>
    </message>
    <message>
        <source>Group planting (Yose-ue)</source>
        <translation>Forêt (Yose-ue)</translation>
    </message>
    <message>
        <source>Broom (Hokidachi)</source>
        <translation>Balai (Hokidachi)</translation>
    </message>
    <message>
        <source>Name or ID number</source>
        <translation>Nom ou numéro</translation>
    </message>
    <message>
        <source>Botanical name</source>
        <translation>Nom botanique</translation>
    </message>
    <message>
        <source>French name</source>
        <translation>Nom français</translation>
    </message>
    <message>
        <source>English name</source>
        <translation>Nom anglais</translation>
    </message>
    <message>
        <source>Common name</source>
        <translation>Nom courant</translation>
    </message>
    <message>
        <source>Subspecies</source>
        <translation>Sous-espèce</translation>
    </message>
    <message>
        <source>Species</source>
        <translation>Espèce</translation>
    </message>
    <message>
        <source>Cultivar</source>
        <translation>Cultivar</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Plant</source>
        <translation>Plante</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>Âge</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Trunk diam.</source>
        <translation>Diam. du tronc</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>Trunk height</source>
        <translation>Haut. du tronc</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Origine</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Leaf pruning</source>
        <translation>Taille des feuilles</translation>
    </message>
    <message>
        <source>Fertilizing</source>
        <translation>Fertilisation</translation>
    </message>
    <message>
        <source>Insecticide</source>
        <translation>Insecticide</translation>
    </message>
    <message>
        <source>Pinching</source>
        <translation>Pincement</translation>
    </message>
    <message>
        <source>Repotting</source>
        <translation>Rempotage</translation>
    </message>
    <message>
        <source>Pruning</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>To do</source>
        <translation>À faire</translation>
    </message>
    <message>
        <source>Watering</source>
        <translation>Arrosage</translation>
    </message>
    <message>
        <source>Position and light</source>
        <translation>Exposition et lumière</translation>
    </message>
    <message>
        <source>Wintering and dormancy</source>
        <translation>Hivernage et dormance</translation>
    </message>
    <message>
        <source>Min. temp.</source>
        <translation>Temp. min.</translation>
    </message>
    <message>
        <source>pH</source>
        <translation>pH</translation>
    </message>
    <message>
        <source>Rust zone/
Culture code</source>
        <translation>Zone de rusticité/
Code de culture</translation>
    </message>
    <message>
        <source>Soil</source>
        <translation>Substrat</translation>
    </message>
    <message>
        <source>Wiring</source>
        <translation>Ligature</translation>
    </message>
    <message>
        <source>Trimming and Pruning</source>
        <translation>Taille d&apos;entretien et de structure</translation>
    </message>
    <message>
        <source>Description (Date, age, ...)</source>
        <translation>Description (date, âge, ...)</translation>
    </message>
    <message>
        <source>New entry</source>
        <translation>Nouvelle fiche</translation>
    </message>
    <message>
        <source>The plant</source>
        <translation>La plante</translation>
    </message>
    <message>
        <source>Purchase</source>
        <translation>Achat</translation>
    </message>
    <message>
        <source>Species specifics</source>
        <translation>Particularités de l&apos;espèce</translation>
    </message>
    <message>
        <source>Transformation</source>
        <translation>Transformation</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Entretien</translation>
    </message>
    <message>
        <source>Photo album</source>
        <translation>Album photo</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Garden</source>
        <translation>Jardin</translation>
    </message>
    <message>
        <source>another program replaced the file while it was being saved</source>
        <translation>un autre programme a remplacé le fichier pendant son enregistrement</translation>
    </message>
    <message>
        <source>%1; the file as it was is kept in %2 and is put back when the collection is next opened</source>
        <translation>%1 ; le fichier tel qu’il était est gardé dans %2 et sera remis en place à la prochaine ouverture de la collection</translation>
    </message>
    <message>
        <source>%1 could not be put back as it was before a save that did not finish: %2. Its copy is kept in %3</source>
        <translation>%1 n’a pas pu être remis tel qu’il était avant un enregistrement qui ne s’est pas terminé : %2. Sa copie est gardée dans %3</translation>
    </message>
    <message>
        <source>%1 was put back as it was before a save that did not finish</source>
        <translation>%1 a été remis tel qu’il était avant un enregistrement qui ne s’est pas terminé</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>Aucun espace disponible sur le périphérique</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Quota de disque dépassé</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission non accordée</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Opération non permise</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Système de fichiers accessible en lecture seulement</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Aucun fichier ou dossier de ce nom</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>N&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Est un dossier</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Erreur d&apos;entrée/sortie</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Nom de fichier trop long</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Périphérique ou ressource occupé</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Fichier trop gros</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Trop de niveaux de liens symboliques</translation>
    </message>
    <message>
        <source>it is not a Talvane recovery file</source>
        <translation>ce n&apos;est pas un fichier de récupération Talvane</translation>
    </message>
    <message>
        <source>the texts of one entry cannot take 4 GiB or more</source>
        <translation>les textes d&apos;une fiche ne peuvent pas occuper 4 Gio ou plus</translation>
    </message>
    <message>
        <source>an entry cannot hold more texts</source>
        <translation>une fiche ne peut pas contenir plus de textes</translation>
    </message>
    <message>
        <source>Add event from phone</source>
        <translation>Ajouter un événement depuis le téléphone</translation>
    </message>
    <message>
        <source>Mark done from phone</source>
        <translation>Marquer comme fait depuis le téléphone</translation>
    </message>
    <message>
        <source>the answer holds no hourly temperatures</source>
        <translation>la réponse ne donne aucune température heure par heure</translation>
    </message>
    <message>
        <source>the answer’s “%1” is not what a forecast holds</source>
        <translation>le « %1 » de la réponse n’est pas celui d’une prévision</translation>
    </message>
    <message>
        <source>the lists of “%1” are of different lengths</source>
        <translation>les listes de « %1 » n’ont pas la même longueur</translation>
    </message>
    <message>
        <source>“%1” is not a time of day</source>
        <translation>« %1 » n’est pas une heure du jour</translation>
    </message>
    <message>
        <source>“%1” is not a day</source>
        <translation>« %1 » n’est pas un jour</translation>
    </message>
    <message>
        <source>“%1” is not a temperature</source>
        <translation>« %1 » n’est pas une température</translation>
    </message>
    <message>
        <source>the times of “%1” are out of order</source>
        <translation>les heures de « %1 » ne se suivent pas dans l’ordre</translation>
    </message>
    <message>
        <source>the answer is larger than %1 MiB</source>
        <translation>la réponse dépasse %1 Mio</translation>
    </message>
    <message>
        <source>the answer is not JSON</source>
        <translation>la réponse n’est pas du JSON</translation>
    </message>
    <message>
        <source>the server gave no forecast: %1</source>
        <translation>le serveur n’a donné aucune prévision : %1</translation>
    </message>
    <message>
        <source>the server gave no forecast</source>
        <translation>le serveur n’a donné aucune prévision</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>dimanche</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>samedi</translation>
    </message>
    <message>
        <source>Frost %1 on %2 night: 1 tree below its limit (%3)</source>
        <translation>Gel %1 dans la nuit de %2 : 1 arbre sous sa limite (%3)</translation>
    </message>
    <message>
        <source>Frost %1 on %2 night: %3 trees below their limit (%4)</source>
        <translation>Gel %1 dans la nuit de %2 : %3 arbres sous leur limite (%4)</translation>
    </message>
    <message>
        <source>Frost %1 on %2 night: 1 tree below its limit on %3 (%4)</source>
        <translation>Gel %1 dans la nuit de %2 : 1 arbre sous sa limite à l’emplacement %3 (%4)</translation>
    </message>
    <message>
        <source>Frost %1 on %2 night: %3 trees below their limit on %4 (%5)</source>
        <translation>Gel %1 dans la nuit de %2 : %3 arbres sous leur limite à l’emplacement %4 (%5)</translation>
    </message>
    <message>
        <source>Heat %1 on %2: 1 tree above its limit (%3)</source>
        <translation>Chaleur %1 %2 : 1 arbre au-dessus de sa limite (%3)</translation>
    </message>
    <message>
        <source>Heat %1 on %2: %3 trees above their limit (%4)</source>
        <translation>Chaleur %1 %2 : %3 arbres au-dessus de leur limite (%4)</translation>
    </message>
    <message>
        <source>Heat %1 on %2: 1 tree above its limit on %3 (%4)</source>
        <translation>Chaleur %1 %2 : 1 arbre au-dessus de sa limite à l’emplacement %3 (%4)</translation>
    </message>
    <message>
        <source>Heat %1 on %2: %3 trees above their limit on %4 (%5)</source>
        <translation>Chaleur %1 %2 : %3 arbres au-dessus de leur limite à l’emplacement %4 (%5)</translation>
    </message>
    <message>
        <source>Check the wire on %1: 1 warm week since it was last checked</source>
        <translation>Vérifier la ligature de %1 : 1 semaine chaude depuis la dernière vérification</translation>
    </message>
    <message>
        <source>Check the wire on %1: 1 warm week since it was wired</source>
        <translation>Vérifier la ligature de %1 : 1 semaine chaude depuis la pose</translation>
    </message>
    <message>
        <source>Check the wire on %1: %2 warm weeks since it was last checked</source>
        <translation>Vérifier la ligature de %1 : %2 semaines chaudes depuis la dernière vérification</translation>
    </message>
    <message>
        <source>Check the wire on %1: %2 warm weeks since it was wired</source>
        <translation>Vérifier la ligature de %1 : %2 semaines chaudes depuis la pose</translation>
    </message>
    <message>
        <source>Shade from heat</source>
        <translation>Ombrer contre la chaleur</translation>
    </message>
    <message>
        <source>Protect from frost</source>
        <translation>Protéger du gel</translation>
    </message>
    <message>
        <source>The latitude must lie between −90 and 90.</source>
        <translation>La latitude doit être comprise entre −90 et 90.</translation>
    </message>
    <message>
        <source>The longitude must lie between −180 and 180.</source>
        <translation>La longitude doit être comprise entre −180 et 180.</translation>
    </message>
    <message>
        <source>The garden’s location %1 cannot be read: %2</source>
        <translation>L’emplacement du jardin %1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The garden’s location %1 is damaged: set it again.</source>
        <translation>L’emplacement du jardin %1 est abîmé : indiquez-le à nouveau.</translation>
    </message>
    <message>
        <source>The garden’s location %1 cannot be written: %2</source>
        <translation>L’emplacement du jardin %1 ne peut pas être écrit : %2</translation>
    </message>
    <message>
        <source>The garden’s location %1 cannot be removed: %2</source>
        <translation>L’emplacement du jardin %1 ne peut pas être supprimé : %2</translation>
    </message>
    <message>
        <source>The kept forecast %1 cannot be read: %2</source>
        <translation>La prévision gardée %1 ne peut pas être lue : %2</translation>
    </message>
    <message>
        <source>The kept forecast %1 is damaged.</source>
        <translation>La prévision gardée %1 est abîmée.</translation>
    </message>
    <message>
        <source>The forecast cannot be kept in %1: %2</source>
        <translation>La prévision ne peut pas être gardée dans %1 : %2</translation>
    </message>
    <message>
        <source>Forecast of 1 minute ago</source>
        <translation>Prévision d’il y a 1 minute</translation>
    </message>
    <message>
        <source>Forecast of %1 minutes ago</source>
        <translation>Prévision d’il y a %1 minutes</translation>
    </message>
    <message>
        <source>Forecast of 1 hour ago</source>
        <translation>Prévision d’il y a 1 heure</translation>
    </message>
    <message>
        <source>Forecast of %1 hours ago</source>
        <translation>Prévision d’il y a %1 heures</translation>
    </message>
    <message>
        <source>Forecast of %1 days ago</source>
        <translation>Prévision d’il y a %1 jours</translation>
    </message>
    <message>
        <source>Open air</source>
        <translation>Plein air</translation>
    </message>
    <message>
        <source>Sheltered (cold frame)</source>
        <translation>Abrité (châssis froid)</translation>
    </message>
    <message>
        <source>Unheated greenhouse</source>
        <translation>Serre froide</translation>
    </message>
    <message>
        <source>Heated greenhouse</source>
        <translation>Serre chauffée</translation>
    </message>
    <message>
        <source>Indoors</source>
        <translation>Intérieur</translation>
    </message>
    <message>
        <source>Once done, it comes back %1.</source>
        <translation>Une fois fait, il revient %1.</translation>
    </message>
    <message>
        <source>The care calendar cannot be written to %1: %2.</source>
        <translation>Le calendrier des soins ne peut pas être écrit dans %1 : %2.</translation>
    </message>
    <message>
        <source>Wire removal</source>
        <translation>Retrait de la ligature</translation>
    </message>
    <message>
        <source>Defoliation</source>
        <translation>Défoliation</translation>
    </message>
    <message>
        <source>Feeding</source>
        <translation>Fertilisation</translation>
    </message>
    <message>
        <source>Treatment</source>
        <translation>Traitement</translation>
    </message>
    <message>
        <source>Protection</source>
        <translation>Protection</translation>
    </message>
    <message>
        <source>Styling</source>
        <translation>Mise en forme</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>No tree was chosen: no tree was logged.</source>
        <translation>Aucun arbre n&apos;a été choisi : aucun soin n&apos;a été consigné.</translation>
    </message>
    <message>
        <source>The collection holds no tree at position %1 (it has %2, counted from 0); no tree was logged.</source>
        <translation>La collection n&apos;a pas d&apos;arbre à la position %1 (elle en a %2, comptés à partir de 0) ; aucun soin n&apos;a été consigné.</translation>
    </message>
    <message>
        <source>The journal of “%1” was written by another program and is kept as it is; no tree was logged.</source>
        <translation>Le journal de « %1 » a été écrit par un autre programme et est conservé tel quel ; aucun soin n&apos;a été consigné.</translation>
    </message>
    <message>
        <source>January</source>
        <translation>janvier</translation>
    </message>
    <message>
        <source>February</source>
        <translation>février</translation>
    </message>
    <message>
        <source>March</source>
        <translation>mars</translation>
    </message>
    <message>
        <source>April</source>
        <translation>avril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>juin</translation>
    </message>
    <message>
        <source>July</source>
        <translation>juillet</translation>
    </message>
    <message>
        <source>August</source>
        <translation>août</translation>
    </message>
    <message>
        <source>September</source>
        <translation>septembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>octobre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>novembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>décembre</translation>
    </message>
    <message>
        <source>every day</source>
        <translation>chaque jour</translation>
    </message>
    <message>
        <source>every %1 days</source>
        <translation>tous les %1 jours</translation>
    </message>
    <message>
        <source>every week</source>
        <translation>chaque semaine</translation>
    </message>
    <message>
        <source>every %1 weeks</source>
        <translation>toutes les %1 semaines</translation>
    </message>
    <message>
        <source>every month</source>
        <translation>chaque mois</translation>
    </message>
    <message>
        <source>every %1 months</source>
        <translation>tous les %1 mois</translation>
    </message>
    <message>
        <source>every year</source>
        <translation>chaque année</translation>
    </message>
    <message>
        <source>every %1 years</source>
        <translation>tous les %1 ans</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 en %2</translation>
    </message>
    <message>
        <source>%1, %2 to %3</source>
        <translation>%1, %2 à %3</translation>
    </message>
    <message>
        <source>no care task due</source>
        <translation>aucun soin à faire</translation>
    </message>
    <message>
        <source>1 care task due</source>
        <translation>1 soin à faire</translation>
    </message>
    <message>
        <source>%1 care tasks due</source>
        <translation>%1 soins à faire</translation>
    </message>
    <message>
        <source>1 care task due in %1</source>
        <translation>1 soin à faire dans %1</translation>
    </message>
    <message>
        <source>%1 care tasks due in %2</source>
        <translation>%1 soins à faire dans %2</translation>
    </message>
    <message>
        <source>1 more task</source>
        <translation>1 autre tâche</translation>
    </message>
    <message>
        <source>%1 more tasks</source>
        <translation>%1 autres tâches</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>0 care tasks</source>
        <translation>0 soin</translation>
    </message>
    <message>
        <source>1 care task</source>
        <translation>1 soin</translation>
    </message>
    <message>
        <source>%1 care tasks</source>
        <translation>%1 soins</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 jour</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 jours</translation>
    </message>
    <message>
        <source>%1 due in the next %2</source>
        <translation>%1 à faire d&apos;ici %2</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Trunk diameter</source>
        <translation>Diamètre du tronc</translation>
    </message>
    <message>
        <source>Nebari width</source>
        <translation>Largeur du nebari</translation>
    </message>
    <message>
        <source>Canopy width</source>
        <translation>Largeur de la ramure</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>it is the collection itself</source>
        <translation>c&apos;est la collection elle-même</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Reçu</translation>
    </message>
    <message>
        <source>Received from %1</source>
        <translation>Reçu de %1</translation>
    </message>
    <message>
        <source>its manifest is not JSON</source>
        <translation>son manifeste n&apos;est pas du JSON</translation>
    </message>
    <message>
        <source>its manifest is not a JSON object</source>
        <translation>son manifeste n&apos;est pas un objet JSON</translation>
    </message>
    <message>
        <source>its manifest does not say it is a Talvane tree passport</source>
        <translation>son manifeste ne dit pas qu&apos;il s&apos;agit d&apos;un passeport d&apos;arbre Talvane</translation>
    </message>
    <message>
        <source>its manifest gives no format version</source>
        <translation>son manifeste ne donne pas de version de format</translation>
    </message>
    <message>
        <source>it is of format version %1, which this version of Talvane cannot read</source>
        <translation>il est au format de version %1, que cette version de Talvane ne sait pas lire</translation>
    </message>
    <message>
        <source>its manifest has no text &quot;%1&quot;</source>
        <translation>son manifeste n&apos;a pas de texte « %1 »</translation>
    </message>
    <message>
        <source>its manifest&apos;s &quot;giver&quot; is not a text</source>
        <translation>le « giver » de son manifeste n&apos;est pas un texte</translation>
    </message>
    <message>
        <source>its manifest has no list &quot;leftOut&quot;</source>
        <translation>son manifeste n&apos;a pas de liste « leftOut »</translation>
    </message>
    <message>
        <source>its manifest&apos;s &quot;leftOut&quot; holds something other than a text</source>
        <translation>le « leftOut » de son manifeste contient autre chose que du texte</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 octet</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2</source>
        <translation>%1 ne peut pas être importé : %2</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>ce n&apos;est pas un fichier</translation>
    </message>
    <message>
        <source>it cannot be read as a zip archive (%1)</source>
        <translation>il ne peut pas être lu comme une archive zip (%1)</translation>
    </message>
    <message>
        <source>its %1 is not a valid collection (%2)</source>
        <translation>son %1 n&apos;est pas une collection valide (%2)</translation>
    </message>
    <message>
        <source>its %1 holds %2 entries, not one</source>
        <translation>son %1 contient %2 fiches, et non une</translation>
    </message>
    <message>
        <source>it holds more than %1 files</source>
        <translation>il contient plus de %1 fichiers</translation>
    </message>
    <message>
        <source>its directory cannot be read (%1)</source>
        <translation>son répertoire ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>it holds %1 twice</source>
        <translation>il contient %1 deux fois</translation>
    </message>
    <message>
        <source>it has no %1</source>
        <translation>il n&apos;a pas de %1</translation>
    </message>
    <message>
        <source>%1 is encrypted</source>
        <translation>%1 est chiffré</translation>
    </message>
    <message>
        <source>%1 is a link, not a file</source>
        <translation>%1 est un lien, et non un fichier</translation>
    </message>
    <message>
        <source>%1 is not a plain file</source>
        <translation>%1 n&apos;est pas un simple fichier</translation>
    </message>
    <message>
        <source>%1 inflates to more than %2</source>
        <translation>%1 se décompresse en plus de %2</translation>
    </message>
    <message>
        <source>its files inflate to more than %1 in all</source>
        <translation>ses fichiers se décompressent en plus de %1 au total</translation>
    </message>
    <message>
        <source>it holds a file without a name</source>
        <translation>il contient un fichier sans nom</translation>
    </message>
    <message>
        <source>it holds %1, an absolute name</source>
        <translation>il contient %1, un nom absolu</translation>
    </message>
    <message>
        <source>it holds %1, a name with a backslash</source>
        <translation>il contient %1, un nom avec une barre oblique inversée</translation>
    </message>
    <message>
        <source>it holds %1, a name that leads out of the passport</source>
        <translation>il contient %1, un nom qui mène hors du passeport</translation>
    </message>
    <message>
        <source>it holds %1, a name that is not Windows-1252 text in UTF-8</source>
        <translation>il contient %1, un nom qui n&apos;est pas du texte Windows-1252 en UTF-8</translation>
    </message>
    <message>
        <source>it holds %1, which is not part of a tree passport</source>
        <translation>il contient %1, qui ne fait pas partie d&apos;un passeport d&apos;arbre</translation>
    </message>
    <message>
        <source>it holds %1, which its tree does not name</source>
        <translation>il contient %1, que son arbre ne nomme pas</translation>
    </message>
    <message>
        <source>its tree names %1, which it does not hold</source>
        <translation>son arbre nomme %1, qu&apos;il ne contient pas</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2)</source>
        <translation>%1 ne peut pas être lu (%2)</translation>
    </message>
    <message>
        <source>its files inflate to more than %1 times its own size</source>
        <translation>ses fichiers se décompressent en plus de %1 fois sa propre taille</translation>
    </message>
    <message>
        <source>the collection no longer holds its tree</source>
        <translation>la collection ne contient plus son arbre</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>le serveur a répondu %1</translation>
    </message>
    <message>
        <source>the server answered %1 (%2)</source>
        <translation>le serveur a répondu %1 (%2)</translation>
    </message>
    <message>
        <source>The push notification was sent to %1.</source>
        <translation>La notification a été envoyée à %1.</translation>
    </message>
    <message>
        <source>The e-mail was sent to %1.</source>
        <translation>Le courriel a été envoyé à %1.</translation>
    </message>
    <message>
        <source>The forecast could not be read from %1: %2.</source>
        <translation>La prévision n’a pas pu être lue sur %1 : %2.</translation>
    </message>
    <message>
        <source>The towns could not be looked up: %1.</source>
        <translation>Les villes n’ont pas pu être cherchées : %1.</translation>
    </message>
    <message>
        <source>The push access token</source>
        <translation>Le jeton d&apos;accès des notifications</translation>
    </message>
    <message>
        <source>The mail password</source>
        <translation>Le mot de passe du courriel</translation>
    </message>
    <message>
        <source>%1 cannot be kept: %2. It is written nowhere else: the reminders go without it.</source>
        <translation>%1 ne peut pas être gardé : %2. Il n&apos;est écrit nulle part ailleurs : les rappels s&apos;en passent.</translation>
    </message>
    <message>
        <source>1 garden alert in %1</source>
        <translation>1 alerte du jardin dans %1</translation>
    </message>
    <message>
        <source>%1 garden alerts in %2</source>
        <translation>%1 alertes du jardin dans %2</translation>
    </message>
    <message>
        <source>Talvane: a test</source>
        <translation>Talvane : un essai</translation>
    </message>
    <message>
        <source>The care due in %1 will reach you here each morning from %2:00.</source>
        <translation>Les soins à faire dans %1 vous parviendront ici chaque matin à partir de %2 h.</translation>
    </message>
    <message>
        <source>The push notification could not be sent to %1: %2.</source>
        <translation>La notification n&apos;a pas pu être envoyée à %1 : %2.</translation>
    </message>
    <message>
        <source>The e-mail could not be sent through %1: %2.</source>
        <translation>Le courriel n&apos;a pas pu être envoyé par %1 : %2.</translation>
    </message>
    <message>
        <source>The hour of the morning message is one from 0 to 23.</source>
        <translation>L&apos;heure du message du matin va de 0 à 23.</translation>
    </message>
    <message>
        <source>“%1” is not the address of an ntfy topic, such as https://ntfy.sh/my-bonsai-topic.</source>
        <translation>« %1 » n&apos;est pas l&apos;adresse d&apos;un sujet ntfy, comme https://ntfy.sh/mon-sujet-bonsai.</translation>
    </message>
    <message>
        <source>Name the mail server (SMTP) that sends the e-mail.</source>
        <translation>Indiquez le serveur de courriel (SMTP) qui envoie le courriel.</translation>
    </message>
    <message>
        <source>“%1” is not the name of a mail server.</source>
        <translation>« %1 » n&apos;est pas le nom d&apos;un serveur de courriel.</translation>
    </message>
    <message>
        <source>A port is a number from 1 to 65535.</source>
        <translation>Un port est un nombre de 1 à 65535.</translation>
    </message>
    <message>
        <source>An e-mail needs the address it comes from and the one it goes to.</source>
        <translation>Un courriel a besoin de l&apos;adresse d&apos;où il part et de celle où il va.</translation>
    </message>
    <message>
        <source>“%1” is not an e-mail address.</source>
        <translation>« %1 » n&apos;est pas une adresse de courriel.</translation>
    </message>
    <message>
        <source>The reminder settings %1 cannot be read: %2</source>
        <translation>Les réglages des rappels %1 ne peuvent pas être lus : %2</translation>
    </message>
    <message>
        <source>The reminder settings %1 are damaged: set the reminders up again.</source>
        <translation>Les réglages des rappels %1 sont abîmés : réglez les rappels à nouveau.</translation>
    </message>
    <message>
        <source>The reminder settings %1 cannot be written: %2</source>
        <translation>Les réglages des rappels %1 ne peuvent pas être écrits : %2</translation>
    </message>
    <message>
        <source>no keyring answers on this computer (%1)</source>
        <translation>aucun trousseau ne répond sur cet ordinateur (%1)</translation>
    </message>
    <message>
        <source>%1 of Talvane&apos;s reminders for %2</source>
        <translation>%1 des rappels de Talvane pour %2</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Interior/Exterior</source>
        <translation>Intérieur/Extérieur</translation>
    </message>
    <message>
        <source>Purchased</source>
        <translation>Acheté le</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>0 trees</source>
        <translation>0 arbre</translation>
    </message>
    <message>
        <source>1 tree</source>
        <translation>1 arbre</translation>
    </message>
    <message>
        <source>%1 trees</source>
        <translation>%1 arbres</translation>
    </message>
    <message>
        <source>0 of 0 trees</source>
        <translation>0 sur 0 arbre</translation>
    </message>
    <message>
        <source>%1 of 1 tree</source>
        <translation>%1 sur 1 arbre</translation>
    </message>
    <message>
        <source>%1 of %2 trees</source>
        <translation>%1 sur %2 arbres</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>%1 must be %2 of %3, not “%4”.</source>
        <translation>%1 doit être %2 parmi %3, et non « %4 ».</translation>
    </message>
    <message>
        <source>%1 must be %2 from %3 to %4, not “%5”.</source>
        <translation>%1 doit être %2 de %3 à %4, et non « %5 ».</translation>
    </message>
    <message>
        <source>an entry number</source>
        <translation>un numéro de fiche</translation>
    </message>
    <message>
        <source>&quot;%1&quot; beside the collection is not a folder.</source>
        <translation>« %1 », à côté de la collection, n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation>Ce n&apos;est pas un fichier.</translation>
    </message>
    <message>
        <source>It is larger than 1 GB.</source>
        <translation>Il dépasse 1 Go.</translation>
    </message>
    <message>
        <source>Winter</source>
        <translation>Hiver</translation>
    </message>
    <message>
        <source>Spring</source>
        <translation>Printemps</translation>
    </message>
    <message>
        <source>Summer</source>
        <translation>Été</translation>
    </message>
    <message>
        <source>Autumn</source>
        <translation>Automne</translation>
    </message>
</context>
</TS>
