<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CoreTexts</name>
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
        <source>Defoliation</source>
        <translation>Défoliation</translation>
    </message>
    <message>
        <source>Feeding</source>
        <translation>Fertilisation</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>Styling</source>
        <translation>Mise en forme</translation>
    </message>
    <message>
        <source>Treatment</source>
        <translation>Traitement</translation>
    </message>
    <message>
        <source>Wire removal</source>
        <translation>Retrait de la ligature</translation>
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
        <source>%1 of 1 tree</source>
        <translation>%1 sur 1 arbre</translation>
    </message>
    <message>
        <source>%1 of %2 trees</source>
        <translation>%1 sur %2 arbres</translation>
    </message>
    <message>
        <source>0 trees</source>
        <translation>0 arbre</translation>
    </message>
    <message>
        <source>0 of 0 trees</source>
        <translation>0 sur 0 arbre</translation>
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
</context>
</TS>
