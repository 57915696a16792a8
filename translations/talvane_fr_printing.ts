<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>BatchPrint</name>
    <message>
        <source>cannot open the collection %1: %2</source>
        <translation>impossible d&apos;ouvrir la collection %1 : %2</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>%1 has no entry %2 (it has %3, counted from 0)</source>
        <translation>la collection %1 n&apos;a pas de fiche %2 (elle en a %3, numérotées à partir de 0)</translation>
    </message>
</context>
<context>
    <name>CPrintChoiceDlg</name>
    <message>
        <source>Print the ...</source>
        <translation>Imprimer...</translation>
    </message>
    <message>
        <source>Current &amp;selection</source>
        <translation>&amp;Sélection actuelle</translation>
    </message>
    <message>
        <source>Complete &amp;list</source>
        <translation>&amp;Liste complète</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>InventoryPages</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Filter: %1</source>
        <translation>Filtre&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>LabelSheet</name>
    <message>
        <source>A sheet needs at least one label of some width and height.</source>
        <translation>Une feuille doit comporter au moins une étiquette, de largeur et de hauteur non nulles.</translation>
    </message>
    <message>
        <source>The labels overlap: each step must be at least the label&apos;s size.</source>
        <translation>Les étiquettes se chevauchent : chaque écart doit être au moins égal à la taille de l&apos;étiquette.</translation>
    </message>
    <message>
        <source>The labels do not fit on the paper.</source>
        <translation>Les étiquettes ne tiennent pas sur le papier.</translation>
    </message>
    <message>
        <source>A4, 3 × 8 labels of 70 × 37 mm</source>
        <translation>A4, 3 × 8 étiquettes de 70 × 37 mm</translation>
    </message>
    <message>
        <source>A4, 3 × 7 labels of 70 × 42.3 mm</source>
        <translation>A4, 3 × 7 étiquettes de 70 × 42,3 mm</translation>
    </message>
    <message>
        <source>Letter, 3 × 10 labels of 2⅝ × 1 in</source>
        <translation>Lettre US, 3 × 10 étiquettes de 2⅝ × 1 po</translation>
    </message>
</context>
<context>
    <name>LabelsDlg</name>
    <message>
        <source>Print labels</source>
        <translation>Imprimer des étiquettes</translation>
    </message>
    <message>
        <source>Custom size</source>
        <translation>Taille personnalisée</translation>
    </message>
    <message>
        <source>Start at &amp;label:</source>
        <translation>&amp;Commencer à l&apos;étiquette :</translation>
    </message>
    <message>
        <source>Trees</source>
        <translation>Arbres</translation>
    </message>
    <message>
        <source>The trees &amp;selected in the collection list (none)</source>
        <translation>Les arbres &amp;sélectionnés dans la liste de la collection (aucun)</translation>
    </message>
    <message>
        <source>The tree &amp;selected in the collection list</source>
        <translation>L&apos;arbre &amp;sélectionné dans la liste de la collection</translation>
    </message>
    <message>
        <source>The %1 trees &amp;selected in the collection list</source>
        <translation>Les %1 arbres &amp;sélectionnés dans la liste de la collection</translation>
    </message>
    <message>
        <source>&amp;Every tree the collection list shows (%1)</source>
        <translation>&amp;Tous les arbres affichés dans la liste de la collection (%1)</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Imprimer…</translation>
    </message>
    <message>
        <source>The first sheet</source>
        <translation>La première feuille</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Lettre US</translation>
    </message>
    <message>
        <source>Paper:</source>
        <translation>Papier :</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Colonnes :</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Lignes :</translation>
    </message>
    <message>
        <source>Label width:</source>
        <translation>Largeur de l&apos;étiquette :</translation>
    </message>
    <message>
        <source>Label height:</source>
        <translation>Hauteur de l&apos;étiquette :</translation>
    </message>
    <message>
        <source>Left margin:</source>
        <translation>Marge gauche :</translation>
    </message>
    <message>
        <source>Top margin:</source>
        <translation>Marge supérieure :</translation>
    </message>
    <message>
        <source>From column to column:</source>
        <translation>D&apos;une colonne à l&apos;autre :</translation>
    </message>
    <message>
        <source>From row to row:</source>
        <translation>D&apos;une ligne à l&apos;autre :</translation>
    </message>
    <message>
        <source>1 sheet</source>
        <translation>1 feuille</translation>
    </message>
    <message>
        <source>%1 sheets</source>
        <translation>%1 feuilles</translation>
    </message>
    <message>
        <source>The labels before it on the first sheet are left as they are, for a sheet already partly used.</source>
        <translation>Les étiquettes qui la précèdent sur la première feuille sont laissées telles quelles, pour une feuille déjà en partie utilisée.</translation>
    </message>
    <message>
        <source>S&amp;heet:</source>
        <translation>&amp;Feuille :</translation>
    </message>
</context>
<context>
    <name>PrintProgress</name>
    <message>
        <source>Printing page %1 of %2</source>
        <translation>Impression de la page %1 sur %2</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Counting the pages…</source>
        <translation>Décompte des pages…</translation>
    </message>
</context>
<context>
    <name>ReportPages</name>
    <message>
        <source>Document %1</source>
        <translation>Document %1</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
</context>
<context>
    <name>ReportPrinting</name>
    <message>
        <source>The report could not be printed.</source>
        <translation>Le rapport n&apos;a pas pu être imprimé.</translation>
    </message>
    <message>
        <source>The collection list could not be printed.</source>
        <translation>La liste de la collection n&apos;a pas pu être imprimée.</translation>
    </message>
    <message>
        <source>The collection list shows no tree to print a label for.</source>
        <translation>La liste de la collection n&apos;affiche aucun arbre pour lequel imprimer une étiquette.</translation>
    </message>
    <message>
        <source>Identify 1 tree for its label</source>
        <translation>Attribuer un identifiant à 1 arbre pour son étiquette</translation>
    </message>
    <message>
        <source>Identify %1 trees for their labels</source>
        <translation>Attribuer un identifiant à %1 arbres pour leurs étiquettes</translation>
    </message>
    <message>
        <source>The labels could not be printed.</source>
        <translation>Les étiquettes n&apos;ont pas pu être imprimées.</translation>
    </message>
</context>
</TS>
