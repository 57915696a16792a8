<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>PhonePages</name>
    <message>
        <source>en</source>
        <translation>fr</translation>
    </message>
    <message>
        <source>The collection is no longer shared from the desktop.</source>
        <translation>La collection n&apos;est plus partagée depuis l&apos;ordinateur.</translation>
    </message>
    <message>
        <source>This tree is no longer in the collection: it was deleted or changed on the desktop.</source>
        <translation>Cet arbre n&apos;est plus dans la collection : il a été supprimé ou modifié sur l&apos;ordinateur.</translation>
    </message>
    <message>
        <source>“%1” must be a whole number.</source>
        <translation>« %1 » doit être un nombre entier.</translation>
    </message>
    <message>
        <source>“%1” was changed to “%2”: a Talvane collection cannot store “%1”</source>
        <translation>« %1 » a été remplacé par « %2 » : une collection Talvane ne peut pas enregistrer « %1 »</translation>
    </message>
    <message>
        <source>The form could not be read. Nothing was changed.</source>
        <translation>Le formulaire n&apos;a pas pu être lu. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The desktop has no room for the photos. Nothing was changed.</source>
        <translation>L&apos;ordinateur n&apos;a pas de place pour les photos. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>%1 Nothing was changed.</source>
        <translation>%1 Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>%1 logged on 1 tree</source>
        <translation>%1 : noté sur 1 arbre</translation>
    </message>
    <message>
        <source>%1 logged on %2 trees</source>
        <translation>%1 : noté sur %2 arbres</translation>
    </message>
    <message>
        <source>The form names no task.</source>
        <translation>Le formulaire ne désigne aucune tâche.</translation>
    </message>
    <message>
        <source>This form is out of date or did not come from Talvane. Open the page again.</source>
        <translation>Ce formulaire est périmé ou ne vient pas de Talvane. Rouvrez la page.</translation>
    </message>
    <message>
        <source>No QR code can be read in the photo. Take it again with the whole code in the picture, in focus and well lit.</source>
        <translation>Aucun code QR ne peut être lu sur la photo. Reprenez-la avec tout le code dans l&apos;image, net et bien éclairé.</translation>
    </message>
    <message>
        <source>The label is of a tree that is not in this collection.</source>
        <translation>L&apos;étiquette est celle d&apos;un arbre qui n&apos;est pas dans cette collection.</translation>
    </message>
    <message>
        <source>The QR code in the photo is not a Talvane label.</source>
        <translation>Le code QR de la photo n&apos;est pas une étiquette Talvane.</translation>
    </message>
    <message>
        <source>“size” must be a number of pixels from %1 to %2.</source>
        <translation>« size » doit être un nombre de pixels de %1 à %2.</translation>
    </message>
    <message>
        <source>This picture cannot be shown.</source>
        <translation>Cette image ne peut pas être affichée.</translation>
    </message>
    <message>
        <source>This phone is not paired with Talvane. On the desktop, choose File, Share with phones, and scan the code it shows.</source>
        <translation>Ce téléphone n&apos;est pas appairé avec Talvane. Sur l&apos;ordinateur, choisissez Fichier, Partager avec les téléphones, puis scannez le code affiché.</translation>
    </message>
    <message>
        <source>Cannot listen on %1: the address is not this machine&apos;s, or the port is taken.</source>
        <translation>Impossible d&apos;écouter sur %1 : l&apos;adresse n&apos;est pas celle de cette machine, ou le port est pris.</translation>
    </message>
    <message>
        <source>There is nothing at this address.</source>
        <translation>Il n&apos;y a rien à cette adresse.</translation>
    </message>
    <message>
        <source>The request cannot be answered.</source>
        <translation>La demande ne peut pas recevoir de réponse.</translation>
    </message>
    <message>
        <source>The desktop could not answer: %1.</source>
        <translation>L&apos;ordinateur n&apos;a pas pu répondre : %1.</translation>
    </message>
    <message>
        <source>This request came from another site. Nothing was changed.</source>
        <translation>Cette demande vient d&apos;un autre site. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The form came without its length. Nothing was changed.</source>
        <translation>Le formulaire est arrivé sans sa longueur. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>At most 30 photos of up to 40 MB each can be sent at once. Nothing was changed.</source>
        <translation>On peut envoyer au plus 30 photos à la fois, de 40 Mo chacune au maximum. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The photo of the label is larger than 20 MB: take it again at a smaller size.</source>
        <translation>La photo de l&apos;étiquette dépasse 20 Mo : reprenez-la en plus petite taille.</translation>
    </message>
    <message>
        <source>The form is too large. Nothing was changed.</source>
        <translation>Le formulaire est trop volumineux. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The collection could not be written: %1. Nothing was changed.</source>
        <translation>La collection n&apos;a pas pu être écrite : %1. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>A program&apos;s name must be UTF-8 text.</source>
        <translation>Le nom d&apos;un programme doit être un texte UTF-8.</translation>
    </message>
    <message>
        <source>A program&apos;s name cannot be empty.</source>
        <translation>Le nom d&apos;un programme ne peut pas être vide.</translation>
    </message>
    <message>
        <source>A program&apos;s name is at most %1 characters long.</source>
        <translation>Le nom d&apos;un programme compte au plus %1 caractères.</translation>
    </message>
    <message>
        <source>A program&apos;s name cannot hold line breaks, tabs or other control characters.</source>
        <translation>Le nom d&apos;un programme ne peut contenir ni saut de ligne, ni tabulation, ni autre caractère de contrôle.</translation>
    </message>
    <message>
        <source>A phone&apos;s name must be UTF-8 text.</source>
        <translation>Le nom d&apos;un téléphone doit être un texte UTF-8.</translation>
    </message>
    <message>
        <source>A phone&apos;s name cannot be empty.</source>
        <translation>Le nom d&apos;un téléphone ne peut pas être vide.</translation>
    </message>
    <message>
        <source>A phone&apos;s name is at most %1 characters long.</source>
        <translation>Le nom d&apos;un téléphone compte au plus %1 caractères.</translation>
    </message>
    <message>
        <source>A phone&apos;s name cannot hold line breaks, tabs or other control characters.</source>
        <translation>Le nom d&apos;un téléphone ne peut contenir ni saut de ligne, ni tabulation, ni autre caractère de contrôle.</translation>
    </message>
    <message>
        <source>The photo cannot be read: Talvane reads labels from JPEG and PNG photos.</source>
        <translation>La photo ne peut pas être lue : Talvane lit les étiquettes sur des photos JPEG et PNG.</translation>
    </message>
    <message>
        <source>The photo is larger than 50 megapixels: take it again at a smaller size.</source>
        <translation>La photo dépasse 50 mégapixels : reprenez-la en plus petite taille.</translation>
    </message>
    <message>
        <source>This pairing address is no longer valid: it was used too often or is too old. Scan the code that Talvane shows now.</source>
        <translation>Cette adresse d&apos;appairage n&apos;est plus valable : elle a servi trop souvent ou elle est trop ancienne. Scannez le code que Talvane affiche maintenant.</translation>
    </message>
    <message>
        <source>No phone named “%1” is paired.</source>
        <translation>Aucun téléphone nommé « %1 » n&apos;est appairé.</translation>
    </message>
    <message>
        <source>A phone named “%1” is already paired.</source>
        <translation>Un téléphone nommé « %1 » est déjà appairé.</translation>
    </message>
    <message>
        <source>The phones file %1 cannot be read: %2</source>
        <translation>Le fichier des téléphones %1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The phones file %1 is damaged, so no phone is paired by it. It was left as it is: remove it to pair the phones again.</source>
        <translation>Le fichier des téléphones %1 est endommagé ; aucun téléphone n&apos;est appairé par lui. Il a été laissé tel quel : supprimez-le pour appairer à nouveau les téléphones.</translation>
    </message>
    <message>
        <source>The phones file %1 cannot be written: %2</source>
        <translation>Le fichier des téléphones %1 ne peut pas être écrit : %2</translation>
    </message>
    <message>
        <source>This tree is no longer in the collection: it was deleted or changed on the desktop. Nothing was changed.</source>
        <translation>Cet arbre n&apos;est plus dans la collection : il a été supprimé ou modifié sur l&apos;ordinateur. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The journal of “%1” was written by another program: it is kept as it is and cannot be changed from the phone. Nothing was changed.</source>
        <translation>Le journal de « %1 » a été écrit par un autre programme : il est gardé tel quel et ne peut pas être modifié depuis le téléphone. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The photos could not be added: %1. Nothing was changed.</source>
        <translation>Les photos n&apos;ont pas pu être ajoutées : %1. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>This task was changed or done on the desktop since the page was shown. Nothing was changed.</source>
        <translation>Cette tâche a été modifiée ou faite sur l&apos;ordinateur depuis l&apos;affichage de la page. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The collection was closed on the desktop. Nothing was changed.</source>
        <translation>La collection a été fermée sur l&apos;ordinateur. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>No tree stands at this place: it was renamed or emptied on the desktop. Nothing was changed.</source>
        <translation>Aucun arbre ne se trouve à cet emplacement : il a été renommé ou vidé sur l&apos;ordinateur. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The collection is open read-only on the computer; close the other window first</source>
        <translation>La collection est ouverte en lecture seule sur l&apos;ordinateur ; fermez d&apos;abord l&apos;autre fenêtre</translation>
    </message>
    <message>
        <source>%1: “%2” is not an amount. Type a number such as 42 or 3.5.</source>
        <translation>%1 : « %2 » n&apos;est pas une quantité. Tapez un nombre comme 42 ou 3,5.</translation>
    </message>
    <message>
        <source>%1: choose a unit.</source>
        <translation>%1 : choisissez une unité.</translation>
    </message>
    <message>
        <source>“%1” cannot be stored in a Talvane collection: write it another way.</source>
        <translation>« %1 » ne peut pas être enregistré dans une collection Talvane : écrivez-le autrement.</translation>
    </message>
    <message>
        <source>The text is too long: at most %1 characters.</source>
        <translation>Le texte est trop long : %1 caractères au plus.</translation>
    </message>
    <message>
        <source>Choose the kind of care.</source>
        <translation>Choisissez le type de soin.</translation>
    </message>
    <message>
        <source>The date is not a date of the calendar.</source>
        <translation>La date n&apos;est pas une date du calendrier.</translation>
    </message>
    <message>
        <source>The date is after today (%1).</source>
        <translation>La date est postérieure à aujourd&apos;hui (%1).</translation>
    </message>
    <message>
        <source>The due date is not a date of the calendar.</source>
        <translation>La date prévue n&apos;est pas une date du calendrier.</translation>
    </message>
    <message>
        <source>The due date is before today (%1).</source>
        <translation>La date prévue est antérieure à aujourd&apos;hui (%1).</translation>
    </message>
    <message>
        <source>“%1” is not a repeat: write it as 2w, 3m or 1y.</source>
        <translation>« %1 » n&apos;est pas une répétition : écrivez-la comme 2w, 3m ou 1y.</translation>
    </message>
    <message>
        <source>A repeat needs a due date.</source>
        <translation>Une répétition demande une date prévue.</translation>
    </message>
    <message>
        <source>A field of the form is too long. Nothing was changed.</source>
        <translation>Un champ du formulaire est trop long. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The tokens file %1 cannot be written: %2</source>
        <translation>Le fichier des jetons %1 ne peut pas être écrit : %2</translation>
    </message>
    <message>
        <source>A program named “%1” already has a token.</source>
        <translation>Un programme nommé « %1 » a déjà un jeton.</translation>
    </message>
    <message>
        <source>The tokens file %1 cannot be read: %2</source>
        <translation>Le fichier des jetons %1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The tokens file %1 is damaged, so none of its tokens works. It was left as it is: remove it to make new tokens.</source>
        <translation>Le fichier des jetons %1 est endommagé ; aucun de ses jetons ne fonctionne. Il a été laissé tel quel : supprimez-le pour créer de nouveaux jetons.</translation>
    </message>
    <message>
        <source>The Idempotency-Key header is not 8 to 64 letters, digits and hyphens. Nothing was changed.</source>
        <translation>L&apos;en-tête Idempotency-Key n&apos;est pas fait de 8 à 64 lettres, chiffres et tirets. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>This form is out of date or did not come from Talvane. Open the page again; nothing was changed.</source>
        <translation>Ce formulaire est périmé ou ne vient pas de Talvane. Rouvrez la page ; rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>This form was sent before: nothing was changed again.</source>
        <translation>Ce formulaire a déjà été envoyé : rien n&apos;a été modifié une seconde fois.</translation>
    </message>
    <message>
        <source>At most %1 photos can be sent at once. Nothing was changed.</source>
        <translation>Au plus %1 photos peuvent être envoyées à la fois. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The form has too many fields. Nothing was changed.</source>
        <translation>Le formulaire a trop de champs. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>“%1” is larger than %2 MB. Nothing was changed.</source>
        <translation>« %1 » dépasse %2 Mo. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>“%1” is not a photo: Talvane takes JPEG, PNG, WebP, GIF, TIFF and HEIC photos. Nothing was changed.</source>
        <translation>« %1 » n&apos;est pas une photo : Talvane accepte les photos JPEG, PNG, WebP, GIF, TIFF et HEIC. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The desktop did not answer. Check that the phone is on the same network as the desktop, then try again.</source>
        <translation>L&apos;ordinateur n&apos;a pas répondu. Vérifiez que le téléphone est sur le même réseau que l&apos;ordinateur, puis réessayez.</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>Kept in Talvane on the computer — not yet saved</source>
        <translation>Gardé dans Talvane sur l&apos;ordinateur — pas encore enregistré</translation>
    </message>
    <message>
        <source>Trees</source>
        <translation>Arbres</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>Emplacements</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>À faire</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Envoyer à nouveau</translation>
    </message>
    <message>
        <source>The desktop did not answer. Everything entered is kept: check that the phone is on the same network as the desktop, then send it again.</source>
        <translation>L&apos;ordinateur n&apos;a pas répondu. Tout ce qui a été saisi est gardé : vérifiez que le téléphone est sur le même réseau que l&apos;ordinateur, puis envoyez-le à nouveau.</translation>
    </message>
    <message>
        <source>Tree not found</source>
        <translation>Arbre introuvable</translation>
    </message>
    <message>
        <source>Not shared</source>
        <translation>Non partagée</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Une erreur s&apos;est produite</translation>
    </message>
    <message>
        <source>Due today</source>
        <translation>À faire aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Overdue since %1</source>
        <translation>En retard depuis le %1</translation>
    </message>
    <message>
        <source>Due %1</source>
        <translation>Prévu le %1</translation>
    </message>
    <message>
        <source>%1, then %2</source>
        <translation>%1, puis %2</translation>
    </message>
    <message>
        <source>Mark done</source>
        <translation>Marquer comme fait</translation>
    </message>
    <message>
        <source>Garden alerts</source>
        <translation>Alertes du jardin</translation>
    </message>
    <message>
        <source>%1 due</source>
        <translation>%1 à faire</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédente</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivante</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Scan a label: take a photo of its QR code</source>
        <translation>Scanner une étiquette : prenez son code QR en photo</translation>
    </message>
    <message>
        <source>Name, species or label code</source>
        <translation>Nom, espèce ou code d&apos;étiquette</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Chercher</translation>
    </message>
    <message>
        <source>Latest measurements</source>
        <translation>Dernières mesures</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>This tree&apos;s journal was written by another program and is not shown.</source>
        <translation>Le journal de cet arbre a été écrit par un autre programme et n&apos;est pas affiché.</translation>
    </message>
    <message>
        <source>No care recorded yet.</source>
        <translation>Aucun soin noté pour l&apos;instant.</translation>
    </message>
    <message>
        <source>Next step due %1</source>
        <translation>Étape suivante prévue le %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Log care</source>
        <translation>Noter un soin</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Winter %1</source>
        <translation>Hiver %1</translation>
    </message>
    <message>
        <source>Spring %1</source>
        <translation>Printemps %1</translation>
    </message>
    <message>
        <source>Summer %1</source>
        <translation>Été %1</translation>
    </message>
    <message>
        <source>Autumn %1</source>
        <translation>Automne %1</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Chronologie</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Taken %1</source>
        <translation>Prise le %1</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unité</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>Ne se répète pas</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Toutes les semaines</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Toutes les %1 semaines</translation>
    </message>
    <message>
        <source>Every month</source>
        <translation>Tous les mois</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Tous les %1 mois</translation>
    </message>
    <message>
        <source>Every year</source>
        <translation>Tous les ans</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Tous les %1 ans</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type de soin</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Next step due (optional)</source>
        <translation>Date de l&apos;étape suivante (facultatif)</translation>
    </message>
    <message>
        <source>Then repeat</source>
        <translation>Puis répéter</translation>
    </message>
    <message>
        <source>Measurements (optional)</source>
        <translation>Mesures (facultatif)</translation>
    </message>
    <message>
        <source>Take a photo (optional)</source>
        <translation>Prendre une photo (facultatif)</translation>
    </message>
    <message>
        <source>Or choose photos</source>
        <translation>Ou choisir des photos</translation>
    </message>
    <message>
        <source>Add photos to the timeline by their dates</source>
        <translation>Ajouter les photos à la chronologie à leurs dates</translation>
    </message>
    <message>
        <source>Log care for this place</source>
        <translation>Noter un soin pour cet emplacement</translation>
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
        <source>No tree has a place yet: give them their places on the Garden tab of Talvane on the computer.</source>
        <translation>Aucun arbre n&apos;a encore d&apos;emplacement : donnez-leur le leur dans l&apos;onglet Jardin de Talvane sur l&apos;ordinateur.</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>A calendar that subscribes stays up to date while the collection is shared.</source>
        <translation>Un calendrier abonné reste à jour tant que la collection est partagée.</translation>
    </message>
    <message>
        <source>Subscribe to the care calendar</source>
        <translation>S&apos;abonner au calendrier des soins</translation>
    </message>
</context>
</TS>
