<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>GardenLocationDlg</name>
    <message>
        <source>Garden location</source>
        <translation>Emplacement du jardin</translation>
    </message>
    <message>
        <source>The forecast of this place warns of frost and heat for the trees it holds and counts the warm weeks of their wire. It is kept on this computer beside the collection&apos;s path, and sent to nobody but the forecast server.</source>
        <translation>Les prévisions de ce lieu avertissent du gel et de la chaleur pour ses arbres et comptent les semaines chaudes de leur ligature. Il est gardé sur cet ordinateur à côté du chemin de la collection, et n&apos;est envoyé qu&apos;au serveur de prévisions.</translation>
    </message>
    <message>
        <source>L&amp;atitude:</source>
        <translation>L&amp;atitude&#xa0;:</translation>
    </message>
    <message>
        <source>Forecast &amp;server:</source>
        <translation>&amp;Serveur de prévisions&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Forget the location</source>
        <translation>&amp;Oublier l&apos;emplacement</translation>
    </message>
    <message>
        <source>&amp;Look up</source>
        <translation>&amp;Chercher</translation>
    </message>
    <message>
        <source>&amp;Town:</source>
        <translation>&amp;Ville&#xa0;:</translation>
    </message>
    <message>
        <source>Looking up…</source>
        <translation>Recherche…</translation>
    </message>
    <message>
        <source>The towns could not be looked up: %1</source>
        <translation>Les villes n&apos;ont pas pu être cherchées&#xa0;: %1</translation>
    </message>
    <message>
        <source>No town of that name was found.</source>
        <translation>Aucune ville de ce nom n&apos;a été trouvée.</translation>
    </message>
    <message>
        <source>Choose the town in the list.</source>
        <translation>Choisissez la ville dans la liste.</translation>
    </message>
    <message>
        <source>Lo&amp;ngitude:</source>
        <translation>Lo&amp;ngitude&#xa0;:</translation>
    </message>
    <message>
        <source>Town</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>Towns found</source>
        <translation>Villes trouvées</translation>
    </message>
</context>
<context>
    <name>GardenPage</name>
    <message>
        <source>Where it stands</source>
        <translation>Où il se trouve</translation>
    </message>
    <message>
        <source>Temperatures it takes in its pot</source>
        <translation>Températures qu&apos;il supporte en pot</translation>
    </message>
    <message>
        <source>Wire watch</source>
        <translation>Surveillance de la ligature</translation>
    </message>
    <message>
        <source>Wire chec&amp;ked</source>
        <translation>Ligature &amp;vérifiée</translation>
    </message>
    <message>
        <source>Snoo&amp;ze a week</source>
        <translation>Dans &amp;7 jours</translation>
    </message>
    <message>
        <source>A tree without a place is watched as in the open air.</source>
        <translation>Un arbre sans emplacement est surveillé comme en plein air.</translation>
    </message>
    <message>
        <source>Never freezes.</source>
        <translation>Ne gèle jamais.</translation>
    </message>
    <message>
        <source>Above the open air&apos;s lowest.</source>
        <translation>Au-dessus du minimum en plein air.</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>de %1 à %2</translation>
    </message>
    <message>
        <source>Its species takes %1 in a pot.</source>
        <translation>Son espèce supporte %1 en pot.</translation>
    </message>
    <message>
        <source>A tree of this kind takes %1 in a pot, unless its species is known.</source>
        <translation>Un arbre de ce genre supporte %1 en pot, à moins que son espèce soit connue.</translation>
    </message>
    <message>
        <source>No wire on this tree: the watch begins with a wiring in its journal.</source>
        <translation>Pas de ligature sur cet arbre&#xa0;: la surveillance commence avec une ligature dans son journal.</translation>
    </message>
    <message>
        <source>Wired on %1; check the wire on %2.</source>
        <translation>Ligaturé le %1&#xa0;; vérifier la ligature le %2.</translation>
    </message>
    <message>
        <source>Take out of its place</source>
        <translation>Retirer de son emplacement</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Placer</translation>
    </message>
    <message>
        <source>Set limits</source>
        <translation>Fixer les limites</translation>
    </message>
    <message>
        <source>Check wire</source>
        <translation>Vérifier la ligature</translation>
    </message>
    <message>
        <source>Snooze wire check</source>
        <translation>Repousser la vérification de la ligature</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>Emplacement&#xa0;:</translation>
    </message>
    <message>
        <source>Kind:</source>
        <translation>Genre&#xa0;:</translation>
    </message>
    <message>
        <source>Shelter:</source>
        <translation>Abri&#xa0;:</translation>
    </message>
    <message>
        <source>Shelter</source>
        <translation>Abri</translation>
    </message>
    <message>
        <source>Lowest:</source>
        <translation>Minimum&#xa0;:</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Highest:</source>
        <translation>Maximum&#xa0;:</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Give the garden&apos;s location (View, Garden location) to count the warm weeks.</source>
        <translation>Donnez l&apos;emplacement du jardin (Affichage, Emplacement du jardin) pour compter les semaines chaudes.</translation>
    </message>
    <message>
        <source>1 tree stands here</source>
        <translation>1 arbre se trouve ici</translation>
    </message>
    <message>
        <source>%1 trees stand here</source>
        <translation>%1 arbres se trouvent ici</translation>
    </message>
    <message>
        <source>1 warm week so far.</source>
        <translation>1 semaine chaude jusqu&apos;ici.</translation>
    </message>
    <message>
        <source>%1 warm weeks so far.</source>
        <translation>%1 semaines chaudes jusqu&apos;ici.</translation>
    </message>
</context>
</TS>
