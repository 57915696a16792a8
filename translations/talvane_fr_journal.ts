<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AutostartEntry</name>
    <message>
        <source>The autostart entry %1 cannot be written: %2.</source>
        <translation>L&apos;entrée de démarrage automatique %1 ne peut pas être écrite : %2.</translation>
    </message>
    <message>
        <source>The autostart entry %1 cannot be removed: %2.</source>
        <translation>L&apos;entrée de démarrage automatique %1 ne peut pas être supprimée : %2.</translation>
    </message>
</context>
<context>
    <name>BulkCareDlg</name>
    <message>
        <source>Log care on several trees</source>
        <translation>Consigner un soin sur plusieurs arbres</translation>
    </message>
    <message>
        <source>Trees</source>
        <translation>Arbres</translation>
    </message>
    <message>
        <source>The tree &amp;selected in the list</source>
        <translation>L&apos;arbre &amp;sélectionné dans la liste</translation>
    </message>
    <message>
        <source>The %1 trees &amp;selected in the list</source>
        <translation>Les %1 arbres &amp;sélectionnés dans la liste</translation>
    </message>
    <message>
        <source>The trees &amp;at</source>
        <translation>Les arbres &amp;placés à</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Type :</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Date :</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>Te&amp;xte :</translation>
    </message>
    <message>
        <source>No tree is selected in the list, and no tree has a place.</source>
        <translation>Aucun arbre n&apos;est sélectionné dans la liste, et aucun arbre n&apos;a de lieu.</translation>
    </message>
    <message>
        <source>The date is not a day of the calendar: type it as %1.</source>
        <translation>La date n&apos;est pas un jour du calendrier&#xa0;: saisissez-la sous la forme %1.</translation>
    </message>
    <message>
        <source>2027-03-15 or %1</source>
        <translation>2027-03-15 ou %1</translation>
    </message>
</context>
<context>
    <name>CareCalendarExport</name>
    <message>
        <source>Export care calendar</source>
        <translation>Exporter le calendrier des soins</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>Fichiers iCalendar (*.ics)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>CareCalendarKeeper</name>
    <message>
        <source>The collection was saved. %1</source>
        <translation>La collection a été enregistrée. %1</translation>
    </message>
</context>
<context>
    <name>CareDueDlg</name>
    <message>
        <source>Overdue by 1 day</source>
        <translation>En retard d&apos;un jour</translation>
    </message>
    <message>
        <source>Overdue by %1 days</source>
        <translation>En retard de %1 jours</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Demain</translation>
    </message>
    <message>
        <source>In %1 days</source>
        <translation>Dans %1 jours</translation>
    </message>
    <message>
        <source>Care due</source>
        <translation>Soins à faire</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Prévu le</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>&amp;Show tree</source>
        <translation>&amp;Afficher l&apos;arbre</translation>
    </message>
    <message>
        <source>&amp;Mark done</source>
        <translation>&amp;Marquer comme fait</translation>
    </message>
    <message>
        <source>Mark done</source>
        <translation>Marquer comme fait</translation>
    </message>
    <message>
        <source>Remind me at &amp;login</source>
        <translation>Me le rappeler à l&apos;ouverture de &amp;session</translation>
    </message>
    <message>
        <source>When you log in, a notification tells which trees of this collection need care that day.</source>
        <translation>À l&apos;ouverture de votre session, une notification indique quels arbres de cette collection ont besoin de soins ce jour-là.</translation>
    </message>
    <message>
        <source>Keep a care &amp;calendar beside the collection</source>
        <translation>Tenir un &amp;calendrier des soins à côté de la collection</translation>
    </message>
    <message>
        <source>Every save also writes %1 in the collection&apos;s folder.</source>
        <translation>Chaque enregistrement écrit aussi %1 dans le dossier de la collection.</translation>
    </message>
    <message>
        <source> days</source>
        <translation> jours</translation>
    </message>
    <message>
        <source>Overdue tasks and those due in the &amp;next</source>
        <translation>&amp;Tâches en retard et tâches à faire dans les</translation>
    </message>
    <message>
        <source>Cl&amp;ose</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Remind me on my &amp;phone…</source>
        <translation>Me rappeler sur mon télé&amp;phone…</translation>
    </message>
    <message>
        <source>Each morning, the care due reaches your phone as a push notification or an e-mail.</source>
        <translation>Chaque matin, les soins à faire arrivent sur votre téléphone par une notification ou un courriel.</translation>
    </message>
    <message>
        <source>Frost %1</source>
        <translation>Gel %1</translation>
    </message>
    <message>
        <source>Heat %1</source>
        <translation>Chaleur %1</translation>
    </message>
    <message>
        <source>Wire</source>
        <translation>Ligature</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Snoo&amp;ze a week</source>
        <translation>Dans &amp;7 jours</translation>
    </message>
    <message>
        <source>Check wire</source>
        <translation>Vérifier la ligature</translation>
    </message>
    <message>
        <source>The journal of %1 was written by another program and is kept as it is.</source>
        <translation>Le journal de %1 a été écrit par un autre programme et reste tel quel.</translation>
    </message>
    <message>
        <source>Snooze wire check</source>
        <translation>Repousser la vérification de la ligature</translation>
    </message>
</context>
<context>
    <name>CareDueNotice</name>
    <message>
        <source>Show care due</source>
        <translation>Afficher les soins à faire</translation>
    </message>
</context>
<context>
    <name>CareEventDlg</name>
    <message>
        <source>Care event</source>
        <translation>Événement de soin</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Date :</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Type :</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>Te&amp;xte :</translation>
    </message>
    <message>
        <source>Next step due &amp;by</source>
        <translation>Étape suivante &amp;prévue le</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>&amp;Picture:</source>
        <translation>P&amp;hoto :</translation>
    </message>
    <message>
        <source>&amp;Repeat every</source>
        <translation>&amp;Répéter tous les</translation>
    </message>
    <message>
        <source>2027-03-15 or %1</source>
        <translation>2027-03-15 ou %1</translation>
    </message>
    <message>
        <source>The event&apos;s date is not a day of the calendar: type it as %1.</source>
        <translation>La date de l&apos;événement n&apos;est pas un jour du calendrier : saisissez-la sous la forme %1.</translation>
    </message>
    <message>
        <source>The next step&apos;s date is not a day of the calendar: type it as %1.</source>
        <translation>La date de l&apos;étape suivante n&apos;est pas un jour du calendrier : saisissez-la sous la forme %1.</translation>
    </message>
    <message>
        <source>The next step cannot be due before the event&apos;s day.</source>
        <translation>L&apos;étape suivante ne peut pas être prévue avant le jour de l&apos;événement.</translation>
    </message>
    <message>
        <source>days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <source>months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>years</source>
        <translation>ans</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1 :</translation>
    </message>
    <message>
        <source>%1 unit</source>
        <translation>unité de %1</translation>
    </message>
    <message>
        <source>Repeat unit</source>
        <translation>Unité de répétition</translation>
    </message>
    <message>
        <source>only &amp;from</source>
        <translation>&amp;uniquement de</translation>
    </message>
    <message>
        <source>Further photos:</source>
        <translation>Autres photos&#xa0;:</translation>
    </message>
</context>
<context>
    <name>DateField</name>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>Pick from a calendar</source>
        <translation>Choisir dans un calendrier</translation>
    </message>
</context>
<context>
    <name>GardenWatch</name>
    <message>
        <source>Save the collection first: the garden&apos;s place is kept beside its file.</source>
        <translation>Enregistrez d&apos;abord la collection&#xa0;: l&apos;emplacement du jardin est gardé à côté de son fichier.</translation>
    </message>
    <message>
        <source>The forecast could not be read again (%1): %2</source>
        <translation>Les prévisions n&apos;ont pas pu être relues (%1)&#xa0;: %2</translation>
    </message>
    <message>
        <source>The forecast could not be read: %1</source>
        <translation>Les prévisions n&apos;ont pas pu être lues&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>%1 (1 more alert in Care due)</source>
        <translation>%1 (1 autre alerte dans Soins à faire)</translation>
    </message>
    <message>
        <source>%1 (%2 more alerts in Care due)</source>
        <translation>%1 (%2 autres alertes dans Soins à faire)</translation>
    </message>
</context>
<context>
    <name>JournalPage</name>
    <message>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Prévu le</translation>
    </message>
    <message>
        <source> ↻</source>
        <translation> ↻</translation>
    </message>
    <message>
        <source>Due %1, then %2 once done</source>
        <translation>Prévu le %1, puis %2 une fois fait</translation>
    </message>
    <message>
        <source>Unreadable</source>
        <translation>Illisible</translation>
    </message>
    <message>
        <source>This line cannot be read by this version: it is kept as it is.</source>
        <translation>Cette version ne peut pas lire cette ligne : elle est conservée telle quelle.</translation>
    </message>
    <message>
        <source>1 line of this journal cannot be read: it is kept as it is.</source>
        <translation>1 ligne de ce journal est illisible : elle est conservée telle quelle.</translation>
    </message>
    <message>
        <source>%1 lines of this journal cannot be read: they are kept as they are.</source>
        <translation>%1 lignes de ce journal sont illisibles : elles sont conservées telles quelles.</translation>
    </message>
    <message>
        <source>Delete the %1 of %2 from the journal?</source>
        <translation>Supprimer du journal l&apos;événement « %1 » du %2 ?</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>This journal was written by another program: it is kept as it is and cannot be changed here.</source>
        <translation>Ce journal a été écrit par un autre programme : il est conservé tel quel et ne peut pas être modifié ici.</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>Ajo&amp;uter</translation>
    </message>
    <message>
        <source>Ed&amp;it</source>
        <translation>Mod&amp;ifier</translation>
    </message>
    <message>
        <source>Dele&amp;te</source>
        <translation>Supprim&amp;er</translation>
    </message>
    <message>
        <source>Add ph&amp;otos…</source>
        <translation>&amp;Photos…</translation>
    </message>
    <message>
        <source>Timeli&amp;ne…</source>
        <translation>Chronolo&amp;gie…</translation>
    </message>
    <message>
        <source>height</source>
        <translation>hauteur</translation>
    </message>
    <message>
        <source>trunk</source>
        <translation>tronc</translation>
    </message>
    <message>
        <source>nebari</source>
        <translation>nebari</translation>
    </message>
    <message>
        <source>canopy</source>
        <translation>ramure</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>Mesures</translation>
    </message>
    <message>
        <source>Add event</source>
        <translation>Ajouter un événement</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Modifier un événement</translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation>Supprimer un événement</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
</context>
<context>
    <name>LoginReminders</name>
    <message>
        <source>Talvane care reminder</source>
        <translation>Rappel des soins Talvane</translation>
    </message>
    <message>
        <source>Tells at login which trees of your bonsai collections need care</source>
        <translation>Indique à l&apos;ouverture de session quels arbres de vos collections de bonsaïs ont besoin de soins</translation>
    </message>
</context>
<context>
    <name>PhoneReminderDlg</name>
    <message>
        <source>Remind me on my phone</source>
        <translation>Me rappeler sur mon téléphone</translation>
    </message>
    <message>
        <source>Push notification (ntfy)</source>
        <translation>Notification (ntfy)</translation>
    </message>
    <message>
        <source>Optional; kept in the system keyring</source>
        <translation>Facultatif&#xa0;; gardé dans le trousseau du système</translation>
    </message>
    <message>
        <source>Topic &amp;address:</source>
        <translation>Adresse du &amp;sujet&#xa0;:</translation>
    </message>
    <message>
        <source>Access to&amp;ken:</source>
        <translation>&amp;Jeton d&apos;accès&#xa0;:</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>Courriel</translation>
    </message>
    <message>
        <source>Usual</source>
        <translation>Habituel</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Kept in the system keyring</source>
        <translation>Gardé dans le trousseau du système</translation>
    </message>
    <message>
        <source>SMTP &amp;server:</source>
        <translation>Ser&amp;veur SMTP&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port&#xa0;:</translation>
    </message>
    <message>
        <source>Securit&amp;y:</source>
        <translation>Sé&amp;curité&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>&amp;Utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>&amp;Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>E&amp;xpéditeur&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>&amp;Destinataire&#xa0;:</translation>
    </message>
    <message>
        <source>Morning message from &amp;hour:</source>
        <translation>Message du matin à partir de l&apos;&amp;heure&#xa0;:</translation>
    </message>
    <message>
        <source>Se&amp;nd a test</source>
        <translation>&amp;Envoyer un essai</translation>
    </message>
    <message>
        <source>Give the address of an ntfy topic or a mail server first.</source>
        <translation>Donnez d&apos;abord l&apos;adresse d&apos;un sujet ntfy ou un serveur de courriel.</translation>
    </message>
</context>
</TS>
