<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>PhoneSharing</name>
    <message>
        <source>Shared with 1 phone</source>
        <translation>Partagé avec 1 téléphone</translation>
    </message>
    <message>
        <source>Shared with %1 phones</source>
        <translation>Partagé avec %1 téléphones</translation>
    </message>
    <message>
        <source>Only a collection saved in a file can be served with the window closed.</source>
        <translation>Seule une collection enregistrée dans un fichier peut être servie fenêtre fermée.</translation>
    </message>
</context>
<context>
    <name>ShareAtLogin</name>
    <message>
        <source>Talvane: %1 shared with phones</source>
        <translation>Talvane&#xa0;: %1 partagé avec les téléphones</translation>
    </message>
    <message>
        <source>Serves a bonsai collection to its paired phones in the background</source>
        <translation>Sert une collection de bonsaïs à ses téléphones associés en arrière-plan</translation>
    </message>
</context>
<context>
    <name>ShareDlg</name>
    <message>
        <source>Share with phones</source>
        <translation>Partager avec les téléphones</translation>
    </message>
    <message>
        <source>Pairing code</source>
        <translation>Code d&apos;appairage</translation>
    </message>
    <message>
        <source>&amp;Network:</source>
        <translation>&amp;Réseau :</translation>
    </message>
    <message>
        <source>Pairing address</source>
        <translation>Adresse d&apos;appairage</translation>
    </message>
    <message>
        <source>The code works for 10 minutes and pairs up to 5 phones.</source>
        <translation>Le code est valable 10 minutes et permet d&apos;appairer jusqu&apos;à 5 téléphones.</translation>
    </message>
    <message>
        <source>New &amp;code</source>
        <translation>Nouveau &amp;code</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Téléphone</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Last request</source>
        <translation>Dernière requête</translation>
    </message>
    <message>
        <source>&amp;Stop sharing</source>
        <translation>&amp;Arrêter le partage</translation>
    </message>
    <message>
        <source>Sharing with phones could not start:
%1</source>
        <translation>Le partage avec les téléphones n&apos;a pas pu démarrer :
%1</translation>
    </message>
    <message>
        <source>This computer only (127.0.0.1)</source>
        <translation>Cet ordinateur uniquement (127.0.0.1)</translation>
    </message>
    <message>
        <source>Disconnect %1</source>
        <translation>Déconnecter %1</translation>
    </message>
    <message>
        <source>Scan this code with a phone&apos;s camera, or open the address in its browser. The phone must be on the same network as this computer.</source>
        <translation>Scannez ce code avec l&apos;appareil photo d&apos;un téléphone, ou ouvrez l&apos;adresse dans son navigateur. Le téléphone doit être sur le même réseau que cet ordinateur.</translation>
    </message>
    <message>
        <source>The pages travel unencrypted over the network: share only on a home network you trust.</source>
        <translation>Les pages circulent sans chiffrement sur le réseau : ne partagez que sur un réseau domestique de confiance.</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Déconnecter</translation>
    </message>
    <message>
        <source>Programs with a &amp;token:</source>
        <translation>Programmes avec un &amp;jeton&#xa0;:</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Made</source>
        <translation>Créé le</translation>
    </message>
    <message>
        <source>Last used</source>
        <translation>Dernière utilisation</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>&amp;Revoke</source>
        <translation>Ré&amp;voquer</translation>
    </message>
    <message>
        <source>Revoke %1</source>
        <translation>Révoquer %1</translation>
    </message>
    <message>
        <source>The token could not be revoked:
%1</source>
        <translation>Le jeton n&apos;a pas pu être révoqué&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Every network</source>
        <translation>Tous les réseaux</translation>
    </message>
    <message>
        <source>Sharing could not move to %1:
%2</source>
        <translation>Le partage n&apos;a pas pu passer à %1&#xa0;:
%2</translation>
    </message>
    <message>
        <source>&amp;Paired phones:</source>
        <translation>&amp;Téléphones appairés&#xa0;:</translation>
    </message>
    <message>
        <source>Double-click or press F2 to rename the phone</source>
        <translation>Double-cliquez ou appuyez sur F2 pour renommer le téléphone</translation>
    </message>
    <message>
        <source>Unpairs the phone: to open the pages again, it must scan a new code</source>
        <translation>Désappaire le téléphone&#xa0;: pour rouvrir les pages, il devra scanner un nouveau code</translation>
    </message>
    <message>
        <source>The phone could not be disconnected:
%1</source>
        <translation>Le téléphone n&apos;a pas pu être déconnecté&#xa0;:
%1</translation>
    </message>
    <message>
        <source>The phone could not be renamed:
%1</source>
        <translation>Le téléphone n&apos;a pas pu être renommé&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Share with phones at &amp;login</source>
        <translation>Partager avec les téléphones à l&apos;&amp;ouverture de session</translation>
    </message>
    <message>
        <source>Talvane starts at login in the background and serves this collection to its paired phones, on every network or on this computer only, as chosen above</source>
        <translation>Talvane démarre en arrière-plan à l&apos;ouverture de session et sert cette collection à ses téléphones associés, sur tous les réseaux ou sur cet ordinateur seulement, comme choisi plus haut</translation>
    </message>
    <message>
        <source>Cl&amp;ose</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Sharing goes on until Stop sharing</source>
        <translation>Le partage continue jusqu&apos;à «&#xa0;Arrêter le partage&#xa0;»</translation>
    </message>
</context>
</TS>
