<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>BatchPrint</name>
    <message>
        <source>cannot open the collection %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no entry %2 (it has %3, counted from 0)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPrintChoiceDlg</name>
    <message>
        <source>Print the ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InventoryPages</name>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LabelSheet</name>
    <message>
        <source>A sheet needs at least one label of some width and height.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels overlap: each step must be at least the label&apos;s size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels do not fit on the paper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4, 3 × 8 labels of 70 × 37 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4, 3 × 7 labels of 70 × 42.3 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Letter, 3 × 10 labels of 2⅝ × 1 in</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LabelsDlg</name>
    <message>
        <source>Print labels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sheet:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start at &amp;label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trees &amp;selected in the collection list (none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tree &amp;selected in the collection list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 trees &amp;selected in the collection list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Every tree the collection list shows (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Letter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left margin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top margin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From column to column:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From row to row:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sheets</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintProgress</name>
    <message>
        <source>Printing page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPages</name>
    <message>
        <source>Document %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPrinting</name>
    <message>
        <source>The report could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection list could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection list shows no tree to print a label for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identify 1 tree for its label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identify %1 trees for their labels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
