<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CoreTexts</name>
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
</context>
</TS>
