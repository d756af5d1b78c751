<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CommandLog</name>
    <message>
        <source>Commands run by device buttons and the View menu show here.</source>
        <translation>Les commandes lancées par les boutons de l’appareil et le menu Affichage s’affichent ici.</translation>
    </message>
    <message>
        <source>%1: error: %2</source>
        <translation>%1&#xa0;: erreur&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1… (%2 characters in all)</source>
        <translation>%1… (%2 caractères en tout)</translation>
    </message>
    <message>
        <source>C&amp;lear Commands</source>
        <translation>&amp;Effacer les commandes</translation>
    </message>
</context>
<context>
    <name>DevicePanel</name>
    <message>
        <source>Connected: %1</source>
        <translation>Connecté&#xa0;: %1</translation>
    </message>
    <message>
        <source>Dead zone</source>
        <translation>Zone morte</translation>
    </message>
    <message>
        <source>Dominant axis only</source>
        <translation>Axe dominant seulement</translation>
    </message>
    <message>
        <source>Raw</source>
        <translation>Brut</translation>
    </message>
    <message>
        <source>Switched, dead zone</source>
        <translation>Axes, zone morte</translation>
    </message>
    <message>
        <source>Curve, sensitivity</source>
        <translation>Courbe, sensibilité</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Vue</translation>
    </message>
    <message>
        <source>What the device sends</source>
        <translation>Ce que le périphérique envoie</translation>
    </message>
    <message>
        <source>With the axes that are off stilled and the dead zone taken off</source>
        <translation>Axes désactivés mis à zéro, zone morte retirée</translation>
    </message>
    <message>
        <source>After the response curve and the sensitivity</source>
        <translation>Après la courbe de réponse et la sensibilité</translation>
    </message>
    <message>
        <source>Where the axis mapping sends it: the view&apos;s axes, each row one of them</source>
        <translation>Là où l’affectation des axes l’envoie : les axes de la vue, un par ligne</translation>
    </message>
    <message>
        <source>Strong: the view&apos;s axes after every setting. Faint: the device&apos;s raw axes.</source>
        <translation>Foncé : les axes de la vue après tous les réglages. Pâle : les axes bruts du périphérique.</translation>
    </message>
    <message>
        <source>Lit while the button is held; the function it runs</source>
        <translation>Allumé tant que le bouton est enfoncé ; la fonction qu’il lance</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Périphérique</translation>
    </message>
    <message>
        <source>Whether this axis of the device moves the view</source>
        <translation>Si cet axe du périphérique déplace la vue</translation>
    </message>
    <message>
        <source>Deflections this small count as none; larger ones start from zero at its edge</source>
        <translation>Les déplacements aussi petits ne comptent pas ; les plus grands partent de zéro à sa limite</translation>
    </message>
    <message>
        <source>Only the axis pushed the most moves the view</source>
        <translation>Seul l’axe le plus sollicité déplace la vue</translation>
    </message>
    <message>
        <source>Translation curve</source>
        <translation>Courbe des translations</translation>
    </message>
    <message>
        <source>Rotation curve</source>
        <translation>Courbe des rotations</translation>
    </message>
    <message>
        <source>1 is linear; higher makes small pushes finer, a full push keeps its speed</source>
        <translation>1 est linéaire ; plus haut rend les petits gestes plus fins, un geste complet garde sa vitesse</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Rotation centre</source>
        <translation>Centre de rotation</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Model&apos;s centre</source>
        <translation>Centre du modèle</translation>
    </message>
    <message>
        <source>View&apos;s centre</source>
        <translation>Centre de la vue</translation>
    </message>
    <message>
        <source>Under the pointer</source>
        <translation>Sous le pointeur</translation>
    </message>
    <message>
        <source>What the view turns about: the middle of what is in sight, the model&apos;s centre, the view&apos;s centre, or the model&apos;s point under the pointer as a motion starts</source>
        <translation>Ce autour de quoi la vue tourne : le milieu de ce qui est visible, le centre du modèle, le centre de la vue, ou le point du modèle sous le pointeur au début d’un mouvement</translation>
    </message>
    <message>
        <source>Lock the horizon</source>
        <translation>Bloquer l’horizon</translation>
    </message>
    <message>
        <source>Keep the model&apos;s up axis vertical: no roll</source>
        <translation>L’axe vertical du modèle reste vertical : pas de roulis</translation>
    </message>
    <message>
        <source>The device moves</source>
        <translation>Le périphérique déplace</translation>
    </message>
    <message>
        <source>the model</source>
        <translation>le modèle</translation>
    </message>
    <message>
        <source>the eye</source>
        <translation>l’œil</translation>
    </message>
    <message>
        <source>Moving the eye turns every motion the other way</source>
        <translation>Déplacer l’œil inverse chaque mouvement</translation>
    </message>
</context>
<context>
    <name>DeviceSource</name>
    <message>
        <source>No device: spacenavd is not running</source>
        <translation>Aucun appareil&#xa0;: spacenavd n’est pas lancé</translation>
    </message>
    <message>
        <source>Unknown device</source>
        <translation>Appareil inconnu</translation>
    </message>
    <message>
        <source>No device: the socket path %1 is too long</source>
        <translation>Aucun appareil&#xa0;: le chemin du socket %1 est trop long</translation>
    </message>
    <message>
        <source>No device: spacenavd answers in a way it never does</source>
        <translation>Aucun appareil&#xa0;: spacenavd répond d’une façon qui ne lui ressemble pas</translation>
    </message>
    <message>
        <source>No device: spacenavd closed the connection</source>
        <translation>Aucun appareil&#xa0;: spacenavd a fermé la connexion</translation>
    </message>
    <message>
        <source>No device: spacenavd does not answer</source>
        <translation>Aucun appareil&#xa0;: spacenavd ne répond pas</translation>
    </message>
</context>
<context>
    <name>Functions</name>
    <message>
        <source>Front View</source>
        <translation>Vue de face</translation>
    </message>
    <message>
        <source>Top View</source>
        <translation>Vue de dessus</translation>
    </message>
    <message>
        <source>Right View</source>
        <translation>Vue de droite</translation>
    </message>
    <message>
        <source>Back View</source>
        <translation>Vue arrière</translation>
    </message>
    <message>
        <source>Bottom View</source>
        <translation>Vue de dessous</translation>
    </message>
    <message>
        <source>Left View</source>
        <translation>Vue de gauche</translation>
    </message>
    <message>
        <source>Isometric View</source>
        <translation>Vue isométrique</translation>
    </message>
    <message>
        <source>No Action</source>
        <translation>Aucune action</translation>
    </message>
    <message>
        <source>Fit All</source>
        <translation>Tout ajuster</translation>
    </message>
    <message>
        <source>Fit Selection</source>
        <translation>Ajuster la sélection</translation>
    </message>
    <message>
        <source>Reset View</source>
        <translation>Réinitialiser la vue</translation>
    </message>
    <message>
        <source>Toggle Projection</source>
        <translation>Changer de projection</translation>
    </message>
    <message>
        <source>Centre on Cursor</source>
        <translation>Tourner autour du pointeur</translation>
    </message>
    <message>
        <source>Toggle Rotations</source>
        <translation>Rotations oui/non</translation>
    </message>
    <message>
        <source>Toggle Translations</source>
        <translation>Translations oui/non</translation>
    </message>
    <message>
        <source>Toggle Dominant Axis</source>
        <translation>Axe dominant oui/non</translation>
    </message>
    <message>
        <source>Toggle Level Horizon</source>
        <translation>Horizon de niveau oui/non</translation>
    </message>
    <message>
        <source>Sensitivity Up</source>
        <translation>Sensibilité plus forte</translation>
    </message>
    <message>
        <source>Sensitivity Down</source>
        <translation>Sensibilité plus faible</translation>
    </message>
    <message>
        <source>Next Profile</source>
        <translation>Profil suivant</translation>
    </message>
    <message>
        <source>Previous Profile</source>
        <translation>Profil précédent</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Commands</source>
        <translation>&amp;Commandes</translation>
    </message>
    <message>
        <source>&amp;About Tarvik</source>
        <translation>À &amp;propos de Tarvik</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Commande</translation>
    </message>
    <message>
        <source>Example</source>
        <translation>Exemple</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>OpenGL: %1</source>
        <translation>OpenGL&#xa0;: %1</translation>
    </message>
    <message>
        <source>QPainter (no OpenGL here)</source>
        <translation>QPainter (pas d’OpenGL ici)</translation>
    </message>
    <message>
        <source>About Tarvik</source>
        <translation>À propos de Tarvik</translation>
    </message>
    <message>
        <source>Tarvik with the Kestrava module %1
Qt %2
View: %3
Preferences: %4
Device: %5
Model files are read by a process of their own, in a sandbox:
%6</source>
        <translation>Tarvik avec le module Kestrava %1
Qt %2
Vue&#xa0;: %3
Préférences&#xa0;: %4
Appareil&#xa0;: %5
Les fichiers de modèle sont lus par un processus à part, dans un bac à sable&#xa0;:
%6</translation>
    </message>
</context>
<context>
    <name>HostMenus</name>
    <message>
        <source>Fit &amp;All</source>
        <translation>&amp;Tout ajuster</translation>
    </message>
    <message>
        <source>Fit &amp;Selection</source>
        <translation>Ajuster la &amp;sélection</translation>
    </message>
    <message>
        <source>R&amp;eset View</source>
        <translation>Réinitialiser la &amp;vue</translation>
    </message>
    <message>
        <source>Toggle &amp;Projection</source>
        <translation>Changer de &amp;projection</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>menu</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>The translation into %1 cannot be found.</source>
        <translation>La traduction «&#xa0;%1&#xa0;» est introuvable.</translation>
    </message>
    <message>
        <source>Open Model</source>
        <translation>Ouvrir un modèle</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open Model…</source>
        <translation>&amp;Ouvrir un modèle…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>F&amp;unctions</source>
        <translation>Fo&amp;nctions</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Appareil</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>All models (%1)</source>
        <translation>Tous les modèles (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un fichier &amp;récent</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Périphérique</translation>
    </message>
    <message>
        <source>&amp;Set Up…</source>
        <translation>&amp;Configurer…</translation>
    </message>
    <message>
        <source>key %1</source>
        <translation>touche %1</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
</context>
<context>
    <name>ModelLoader</name>
    <message>
        <source>Stopping the reading of %1…</source>
        <translation>Arrêt de la lecture de %1…</translation>
    </message>
    <message>
        <source>Reading %1… (Esc stops)</source>
        <translation>Lecture de %1… (Échap arrête)</translation>
    </message>
</context>
<context>
    <name>ModelView</name>
    <message>
        <source>turned</source>
        <translation>tournée</translation>
    </message>
    <message>
        <source>%1 perspective</source>
        <translation>%1, en perspective</translation>
    </message>
    <message>
        <source>%1 orthographic</source>
        <translation>%1, orthographique</translation>
    </message>
    <message>
        <source>Built-in model</source>
        <translation>Modèle intégré</translation>
    </message>
    <message>
        <source>Perspective</source>
        <translation>Perspective</translation>
    </message>
    <message>
        <source>Orthographic</source>
        <translation>Orthographique</translation>
    </message>
    <message>
        <source>%1 cannot be shown: %2</source>
        <translation>%1 ne peut pas être affiché : %2</translation>
    </message>
    <message>
        <source>1 triangle</source>
        <translation>1 triangle</translation>
    </message>
    <message>
        <source>%1 triangles</source>
        <translation>%1 triangles</translation>
    </message>
    <message>
        <source>%1 solids, %2</source>
        <translation>%1 solides, %2</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>1 part, %1 faces, %2</source>
        <translation>1 pièce, %1 faces, %2</translation>
    </message>
    <message>
        <source>%1 parts, %2 faces, %3</source>
        <translation>%1 pièces, %2 faces, %3</translation>
    </message>
    <message>
        <source>%1 (its unit: %2)</source>
        <translation>%1 (son unité&#xa0;: %2)</translation>
    </message>
</context>
<context>
    <name>ProfileBar</name>
    <message>
        <source>&amp;Profile:</source>
        <translation>&amp;Profil&#xa0;:</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profils</translation>
    </message>
    <message>
        <source>Make, rename, copy, remove, export and import profiles</source>
        <translation>Créer, renommer, copier, supprimer, exporter et importer des profils</translation>
    </message>
    <message>
        <source>&amp;New…</source>
        <translation>&amp;Nouveau…</translation>
    </message>
    <message>
        <source>&amp;Rename…</source>
        <translation>&amp;Renommer…</translation>
    </message>
    <message>
        <source>&amp;Duplicate</source>
        <translation>&amp;Dupliquer</translation>
    </message>
    <message>
        <source>De&amp;lete…</source>
        <translation>&amp;Supprimer…</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exporter…</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importer…</translation>
    </message>
</context>
<context>
    <name>ProfileChanges</name>
    <message>
        <source>Axis of the x translation</source>
        <translation>Axe de la translation x</translation>
    </message>
    <message>
        <source>Axis of the y translation</source>
        <translation>Axe de la translation y</translation>
    </message>
    <message>
        <source>Axis of the z translation</source>
        <translation>Axe de la translation z</translation>
    </message>
    <message>
        <source>Direction of the x translation</source>
        <translation>Sens de la translation x</translation>
    </message>
    <message>
        <source>Direction of the y translation</source>
        <translation>Sens de la translation y</translation>
    </message>
    <message>
        <source>Direction of the z translation</source>
        <translation>Sens de la translation z</translation>
    </message>
    <message>
        <source>Direction of the x rotation</source>
        <translation>Sens de la rotation x</translation>
    </message>
    <message>
        <source>Direction of the y rotation</source>
        <translation>Sens de la rotation y</translation>
    </message>
    <message>
        <source>Direction of the z rotation</source>
        <translation>Sens de la rotation z</translation>
    </message>
    <message>
        <source>Translation sensitivity</source>
        <translation>Sensibilité des translations</translation>
    </message>
    <message>
        <source>Rotation sensitivity</source>
        <translation>Sensibilité des rotations</translation>
    </message>
    <message>
        <source>Dead zone</source>
        <translation>Zone morte</translation>
    </message>
    <message>
        <source>Dominant axis</source>
        <translation>Axe dominant</translation>
    </message>
    <message>
        <source>Rotation centre</source>
        <translation>Centre de rotation</translation>
    </message>
    <message>
        <source>Level horizon</source>
        <translation>Horizon de niveau</translation>
    </message>
    <message>
        <source>Navigation mode</source>
        <translation>Mode de navigation</translation>
    </message>
    <message>
        <source>Translation along x</source>
        <translation>Translation selon x</translation>
    </message>
    <message>
        <source>Translation along y</source>
        <translation>Translation selon y</translation>
    </message>
    <message>
        <source>Translation along z</source>
        <translation>Translation selon z</translation>
    </message>
    <message>
        <source>Rotation about x</source>
        <translation>Rotation autour de x</translation>
    </message>
    <message>
        <source>Rotation about y</source>
        <translation>Rotation autour de y</translation>
    </message>
    <message>
        <source>Rotation about z</source>
        <translation>Rotation autour de z</translation>
    </message>
    <message>
        <source>Translation curve</source>
        <translation>Courbe des translations</translation>
    </message>
    <message>
        <source>Rotation curve</source>
        <translation>Courbe des rotations</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1&#xa0;: %2 → %3</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Bouton %1</translation>
    </message>
</context>
<context>
    <name>Profiles</name>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>&amp;Profiles</source>
        <translation>&amp;Profils</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profils</translation>
    </message>
    <message>
        <source>There is no profile “%1”.</source>
        <translation>Il n’y a pas de profil «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>The settings have changed since they were last saved. Save them to the profile “%1” before switching to “%2”?</source>
        <translation>Les réglages ont changé depuis le dernier enregistrement. Les enregistrer dans le profil «&#xa0;%1&#xa0;» avant de passer à «&#xa0;%2&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>Cannot switch to the profile “%1”: %2</source>
        <translation>Impossible de passer au profil «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Profile: %1</source>
        <translation>Profil&#xa0;: %1</translation>
    </message>
    <message>
        <source>A profile&apos;s name is 1 to 64 characters long, without control characters.</source>
        <translation>Le nom d’un profil compte de 1 à 64 caractères, sans caractère de contrôle.</translation>
    </message>
    <message>
        <source>There is a profile “%1” already.</source>
        <translation>Il y a déjà un profil «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>New Profile</source>
        <translation>Nouveau profil</translation>
    </message>
    <message>
        <source>Name of the new profile:</source>
        <translation>Nom du nouveau profil&#xa0;:</translation>
    </message>
    <message>
        <source>The settings have changed since they were last saved. Save them to the profile “%1” first?</source>
        <translation>Les réglages ont changé depuis le dernier enregistrement. Les enregistrer d’abord dans le profil «&#xa0;%1&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>Duplicate Profile</source>
        <translation>Dupliquer le profil</translation>
    </message>
    <message>
        <source>Name of the copy:</source>
        <translation>Nom de la copie&#xa0;:</translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation>%1 (copie)</translation>
    </message>
    <message>
        <source>Rename Profile</source>
        <translation>Renommer le profil</translation>
    </message>
    <message>
        <source>New name of the profile “%1”:</source>
        <translation>Nouveau nom du profil «&#xa0;%1&#xa0;»&#xa0;:</translation>
    </message>
    <message>
        <source>Delete Profile</source>
        <translation>Supprimer le profil</translation>
    </message>
    <message>
        <source>Delete the profile “%1”?</source>
        <translation>Supprimer le profil «&#xa0;%1&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>Export Profile</source>
        <translation>Exporter le profil</translation>
    </message>
    <message>
        <source>Import Profile</source>
        <translation>Importer un profil</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2</source>
        <translation>%1 ne peut pas être importé&#xa0;: %2</translation>
    </message>
    <message>
        <source>Replace the profile “%1” with the imported one? It changes:</source>
        <translation>Remplacer le profil «&#xa0;%1&#xa0;» par celui importé&#xa0;? Cela change&#xa0;:</translation>
    </message>
    <message>
        <source>Import the profile “%1”? Against the factory settings it changes:</source>
        <translation>Importer le profil «&#xa0;%1&#xa0;»&#xa0;? Par rapport aux réglages d’usine, cela change&#xa0;:</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>rien</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Remplacer</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importer</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>triangle %1 has a coordinate that is not a number</source>
        <translation>le triangle %1 a une coordonnée qui n’est pas un nombre</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>ligne %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the file ends before &quot;endsolid&quot;</source>
        <translation>le fichier se termine avant «&#xa0;endsolid&#xa0;»</translation>
    </message>
    <message>
        <source>the file ends in the middle of a triangle</source>
        <translation>le fichier se termine au milieu d’un triangle</translation>
    </message>
    <message>
        <source>it is cut short: it announces %1 triangles, which take %2 bytes, and has %3</source>
        <translation>il est tronqué&#xa0;: il annonce %1 triangles, qui occupent %2 octets, et en a %3</translation>
    </message>
    <message>
        <source>it holds no triangle</source>
        <translation>il ne contient aucun triangle</translation>
    </message>
    <message>
        <source>it is not an STL file</source>
        <translation>ce n’est pas un fichier STL</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>ce n’est pas un fichier</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>commande inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>%1: an argument is missing</source>
        <translation>%1&#xa0;: il manque un argument</translation>
    </message>
    <message>
        <source>%1: too many arguments, &quot;%2&quot; is one more</source>
        <translation>%1&#xa0;: trop d’arguments, «&#xa0;%2&#xa0;» est de trop</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not an axis: x, y or z</source>
        <translation>%1&#xa0;: «&#xa0;%2&#xa0;» n’est pas un axe&#xa0;: x, y ou z</translation>
    </message>
    <message>
        <source>%1: the factor must be above 0, not %2</source>
        <translation>%1&#xa0;: le facteur doit être supérieur à 0, pas %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number</source>
        <translation>%1&#xa0;: «&#xa0;%2&#xa0;» n’est pas un nombre</translation>
    </message>
    <message>
        <source>function</source>
        <translation>fonction</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>il ne peut pas être lu</translation>
    </message>
    <message>
        <source>it has no surface</source>
        <translation>il n’a aucune surface</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>il n’existe pas</translation>
    </message>
    <message>
        <source>it is larger than %1 GB</source>
        <translation>il dépasse %1 Go</translation>
    </message>
    <message>
        <source>it announces %1 triangles and holds %2: all %2 are read</source>
        <translation>il annonce %1 triangles et en contient %2 : les %2 sont lus</translation>
    </message>
    <message>
        <source>%1 bytes after the last triangle are not read</source>
        <translation>%1 octets après le dernier triangle ne sont pas lus</translation>
    </message>
    <message>
        <source>line %1: %2 where &quot;%3&quot; belongs</source>
        <translation>ligne %1 : %2 là où « %3 » est attendu</translation>
    </message>
    <message>
        <source>line %1: %2 is not a coordinate</source>
        <translation>ligne %1 : %2 n’est pas une coordonnée</translation>
    </message>
    <message>
        <source>The view is drawn without OpenGL, which cannot be used here: large models move slowly.</source>
        <translation>La vue est dessinée sans OpenGL, indisponible ici : les grands modèles se déplacent lentement.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>model</source>
        <translation>modèle</translation>
    </message>
    <message>
        <source>%1 cannot be shown: %2</source>
        <translation>%1 ne peut pas être affiché : %2</translation>
    </message>
    <message>
        <source>Turning about the point under the pointer</source>
        <translation>Rotation autour du point sous le pointeur</translation>
    </message>
    <message>
        <source>Nothing under the pointer: turning about the model&apos;s centre</source>
        <translation>Rien sous le pointeur : rotation autour du centre du modèle</translation>
    </message>
    <message>
        <source>Sensitivities: translations %1, rotations %2</source>
        <translation>Sensibilités : translations %1, rotations %2</translation>
    </message>
    <message>
        <source>Rotations on</source>
        <translation>Rotations activées</translation>
    </message>
    <message>
        <source>Rotations off</source>
        <translation>Rotations désactivées</translation>
    </message>
    <message>
        <source>Translations on</source>
        <translation>Translations activées</translation>
    </message>
    <message>
        <source>Translations off</source>
        <translation>Translations désactivées</translation>
    </message>
    <message>
        <source>Dominant axis only</source>
        <translation>Axe dominant seulement</translation>
    </message>
    <message>
        <source>Every axis</source>
        <translation>Tous les axes</translation>
    </message>
    <message>
        <source>Horizon locked</source>
        <translation>Horizon bloqué</translation>
    </message>
    <message>
        <source>Horizon free</source>
        <translation>Horizon libre</translation>
    </message>
    <message>
        <source>Device button %1 ignored: the device has %2 buttons.</source>
        <translation>Bouton %1 de l’appareil ignoré&#xa0;: l’appareil a %2 boutons.</translation>
    </message>
    <message>
        <source>button %1 (%2)</source>
        <translation>bouton %1 (%2)</translation>
    </message>
    <message>
        <source>function %1</source>
        <translation>fonction %1</translation>
    </message>
    <message>
        <source>NUMBER</source>
        <translation>NOMBRE</translation>
    </message>
    <message>
        <source>FACTOR</source>
        <translation>FACTEUR</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXTE</translation>
    </message>
    <message>
        <source>hello</source>
        <translation>bonjour</translation>
    </message>
    <message>
        <source>a face names a corner or a mesh that is not there</source>
        <translation>une face nomme un sommet ou un maillage qui n’existe pas</translation>
    </message>
    <message>
        <source>its nodes nest deeper than %1</source>
        <translation>ses nœuds s’imbriquent sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>the reader sent an invalid answer: %1</source>
        <translation>le lecteur a envoyé une réponse invalide&#xa0;: %1</translation>
    </message>
    <message>
        <source>it is not an answer of this version</source>
        <translation>ce n’est pas une réponse de cette version</translation>
    </message>
    <message>
        <source>it is of no known kind</source>
        <translation>elle n’est d’aucune sorte connue</translation>
    </message>
    <message>
        <source>its text is too long</source>
        <translation>son texte est trop long</translation>
    </message>
    <message>
        <source>its counts of corners and triangles do not fit together</source>
        <translation>ses nombres de sommets et de triangles ne s’accordent pas</translation>
    </message>
    <message>
        <source>its colours do not match its corners</source>
        <translation>ses couleurs ne correspondent pas à ses sommets</translation>
    </message>
    <message>
        <source>its counts of solids and triangles read do not fit together</source>
        <translation>ses nombres de solides et de triangles lus ne s’accordent pas</translation>
    </message>
    <message>
        <source>its box is not a finite one</source>
        <translation>sa boîte n’est pas finie</translation>
    </message>
    <message>
        <source>a corner lies outside the model&apos;s box</source>
        <translation>un sommet est hors de la boîte du modèle</translation>
    </message>
    <message>
        <source>a triangle names corner %1 of %2</source>
        <translation>un triangle nomme le sommet %1 sur %2</translation>
    </message>
    <message>
        <source>it is shorter than its header</source>
        <translation>elle est plus courte que son en-tête</translation>
    </message>
    <message>
        <source>its size, %1 bytes, is not what its counts need</source>
        <translation>sa taille, %1 octets, n’est pas celle que demandent ses nombres</translation>
    </message>
    <message>
        <source>a mesh cannot be read</source>
        <translation>un maillage ne peut pas être lu</translation>
    </message>
    <message>
        <source>its components nest deeper than %1</source>
        <translation>ses composants s’imbriquent sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>a component cannot be read</source>
        <translation>un composant ne peut pas être lu</translation>
    </message>
    <message>
        <source>a build item cannot be read</source>
        <translation>un élément de construction ne peut pas être lu</translation>
    </message>
    <message>
        <source>the 3MF library cannot start</source>
        <translation>la bibliothèque 3MF ne peut pas démarrer</translation>
    </message>
    <message>
        <source>a node names a node that is not there</source>
        <translation>un nœud nomme un nœud qui n’existe pas</translation>
    </message>
    <message>
        <source>its nodes nest deeper or place more than any part needs</source>
        <translation>ses nœuds s’imbriquent ou se répètent plus qu’aucune pièce n’en a besoin</translation>
    </message>
    <message>
        <source>a node names a mesh that is not there</source>
        <translation>un nœud nomme un maillage qui n’existe pas</translation>
    </message>
    <message>
        <source>its corners are not where it says</source>
        <translation>ses sommets ne sont pas où il le dit</translation>
    </message>
    <message>
        <source>its indices are not where it says</source>
        <translation>ses indices ne sont pas où il le dit</translation>
    </message>
    <message>
        <source>the CAD reader cannot be loaded: %1</source>
        <translation>le lecteur CAO ne peut pas être chargé&#xa0;: %1</translation>
    </message>
    <message>
        <source>it cannot be read as a CAD file</source>
        <translation>il ne peut pas être lu comme fichier CAO</translation>
    </message>
    <message>
        <source>its shapes cannot be read</source>
        <translation>ses formes ne peuvent pas être lues</translation>
    </message>
    <message>
        <source>it holds no shape</source>
        <translation>il ne contient aucune forme</translation>
    </message>
    <message>
        <source>its unit is not a name</source>
        <translation>son unité n’est pas un nom</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>Détail</translation>
    </message>
    <message>
        <source>Profiles (*%1)</source>
        <translation>Profils (*%1)</translation>
    </message>
</context>
<context>
    <name>QuitGuard</name>
    <message>
        <source>Unsaved Settings</source>
        <translation>Réglages non enregistrés</translation>
    </message>
    <message>
        <source>The settings have changed since they were last saved. Save them before quitting?</source>
        <translation>Les réglages ont changé depuis le dernier enregistrement. Les enregistrer avant de quitter&#xa0;?</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Les réglages n’ont pas pu être enregistrés&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ReaderProcess</name>
    <message>
        <source>the reader %1 does not answer</source>
        <translation>le lecteur %1 ne répond pas</translation>
    </message>
    <message>
        <source>the reader %1 cannot be run</source>
        <translation>le lecteur %1 ne peut pas être exécuté</translation>
    </message>
    <message>
        <source>no reader can be started: %1</source>
        <translation>aucun lecteur ne peut être lancé&#xa0;: %1</translation>
    </message>
    <message>
        <source>the reader %1 cannot be started: %2</source>
        <translation>le lecteur %1 ne peut pas être lancé&#xa0;: %2</translation>
    </message>
    <message>
        <source>a message it sent is of no known kind</source>
        <translation>un message qu’il a envoyé n’est d’aucune sorte connue</translation>
    </message>
    <message>
        <source>its memory file is not of the size it says</source>
        <translation>son fichier en mémoire n’a pas la taille annoncée</translation>
    </message>
    <message>
        <source>it is larger than any reader may make</source>
        <translation>elle est plus grande qu’aucun lecteur ne peut en faire</translation>
    </message>
    <message>
        <source>its memory file is not sealed</source>
        <translation>son fichier en mémoire n’est pas scellé</translation>
    </message>
    <message>
        <source>its memory file cannot be mapped</source>
        <translation>son fichier en mémoire ne peut pas être projeté</translation>
    </message>
    <message>
        <source>reading it takes more than the %1 s of processor time a reader may take</source>
        <translation>sa lecture prend plus que les %1 s de processeur permises à un lecteur</translation>
    </message>
    <message>
        <source>the reader was killed (SIGKILL), perhaps by the system for want of memory</source>
        <translation>le lecteur a été tué (SIGKILL), peut-être par le système faute de mémoire</translation>
    </message>
    <message>
        <source>the reader crashed on it (%1)</source>
        <translation>le lecteur a planté sur ce fichier (%1)</translation>
    </message>
    <message>
        <source>reading it needs more memory than the %1 MB a reader may take</source>
        <translation>sa lecture demande plus de mémoire que les %1 Mo permis à un lecteur</translation>
    </message>
    <message>
        <source>the reader ended without an answer (exit status %1)</source>
        <translation>le lecteur s’est terminé sans réponse (code de sortie %1)</translation>
    </message>
    <message>
        <source>the reader stopped working on it: no progress and no work for %1 s</source>
        <translation>le lecteur a cessé d’y travailler&#xa0;: ni progrès ni travail depuis %1 s</translation>
    </message>
</context>
<context>
    <name>SetupAssistant</name>
    <message>
        <source>Push the cap to the right</source>
        <translation>Poussez le capuchon vers la droite</translation>
    </message>
    <message>
        <source>Pull the cap up</source>
        <translation>Tirez le capuchon vers le haut</translation>
    </message>
    <message>
        <source>Push the cap away from you</source>
        <translation>Poussez le capuchon loin de vous</translation>
    </message>
    <message>
        <source>Twist the cap clockwise as seen from above</source>
        <translation>Tournez le capuchon dans le sens des aiguilles d’une montre, vu d’en haut</translation>
    </message>
    <message>
        <source>Tilt the cap forward</source>
        <translation>Inclinez le capuchon vers l’avant</translation>
    </message>
    <message>
        <source>Tilt it to the right</source>
        <translation>Inclinez-le vers la droite</translation>
    </message>
    <message>
        <source>Let go of the cap.</source>
        <translation>Lâchez le capuchon.</translation>
    </message>
    <message>
        <source>That was the axis of step %1: let go, and try again.</source>
        <translation>C’était l’axe de l’étape %1 : lâchez, puis recommencez.</translation>
    </message>
    <message>
        <source>Seen: %1%2. Hold it…</source>
        <translation>Vu : %1%2. Maintenez…</translation>
    </message>
    <message>
        <source>Nothing clear seen for 15 s: push further, or skip this step.</source>
        <translation>Rien de net depuis 15 s : poussez plus loin, ou passez cette étape.</translation>
    </message>
    <message>
        <source>Waiting for the motion…</source>
        <translation>En attente du mouvement…</translation>
    </message>
    <message>
        <source>Done. Apply sets the mapping found; Cancel keeps the settings as they are.</source>
        <translation>Terminé. Appliquer règle l’affectation trouvée ; Annuler laisse les réglages tels quels.</translation>
    </message>
    <message>
        <source>%1: not found, kept as it is</source>
        <translation>%1 : non trouvé, laissé tel quel</translation>
    </message>
    <message>
        <source>%1 moves the view along %2</source>
        <translation>%1 déplace la vue selon %2</translation>
    </message>
    <message>
        <source>%1, reversed</source>
        <translation>%1, inversé</translation>
    </message>
    <message>
        <source>%1 turns the view reversed</source>
        <translation>%1 tourne la vue à l’envers</translation>
    </message>
    <message>
        <source>%1 turns the view as it is</source>
        <translation>%1 tourne la vue tel quel</translation>
    </message>
    <message>
        <source>The mapping found</source>
        <translation>L’affectation trouvée</translation>
    </message>
    <message>
        <source>Step %1 of 6: %2</source>
        <translation>Étape %1 sur 6 : %2</translation>
    </message>
    <message>
        <source>Set Up the Device</source>
        <translation>Configurer le périphérique</translation>
    </message>
    <message>
        <source>Start &amp;Over</source>
        <translation>&amp;Recommencer</translation>
    </message>
    <message>
        <source>&amp;Skip This Step</source>
        <translation>&amp;Passer cette étape</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Appliquer</translation>
    </message>
</context>
<context>
    <name>StandardView</name>
    <message>
        <source>front</source>
        <translation>face</translation>
    </message>
    <message>
        <source>&amp;Front</source>
        <translation>&amp;Face</translation>
    </message>
    <message>
        <source>top</source>
        <translation>dessus</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>&amp;Dessus</translation>
    </message>
    <message>
        <source>right</source>
        <translation>droite</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>D&amp;roite</translation>
    </message>
    <message>
        <source>back</source>
        <translation>arrière</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Arrière</translation>
    </message>
    <message>
        <source>bottom</source>
        <translation>dessous</translation>
    </message>
    <message>
        <source>B&amp;ottom</source>
        <translation>Dess&amp;ous</translation>
    </message>
    <message>
        <source>left</source>
        <translation>gauche</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Gauche</translation>
    </message>
    <message>
        <source>isometric</source>
        <translation>isométrique</translation>
    </message>
    <message>
        <source>&amp;Isometric</source>
        <translation>&amp;Isométrique</translation>
    </message>
</context>
<context>
    <name>VQMotionCtrlFctEditor</name>
    <message>
        <source>The definition holds characters that cannot be stored. Only Latin-1 characters can be: please replace the others.</source>
        <translation>La définition contient des caractères qui ne peuvent pas être enregistrés. Seuls les caractères Latin-1 le peuvent&#xa0;: veuillez remplacer les autres.</translation>
    </message>
    <message>
        <source>The definition is %1 characters long; at most %2 can be stored: please shorten it.</source>
        <translation>La définition compte %1 caractères&#xa0;; au plus %2 peuvent être enregistrés&#xa0;: veuillez la raccourcir.</translation>
    </message>
</context>
<context>
    <name>VQMotionCtrlFctEditorBase</name>
    <message>
        <source>Kestrava Function Editor</source>
        <translation>Éditeur de fonctions Kestrava</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Edit the current select function. </source>
        <translation>Modifier la fonction sélectionnée. </translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Vérifier</translation>
    </message>
    <message>
        <source>Check the syntaxe of the current CLI command</source>
        <translation>Vérifier la syntaxe de la commande CLI courante</translation>
    </message>
    <message>
        <source>Validate</source>
        <translation>Valider</translation>
    </message>
    <message>
        <source>Validate and save the  new function. </source>
        <translation>Valider et enregistrer la nouvelle fonction. </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Cancel the current edition</source>
        <translation>Annuler la modification en cours</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add a new function. </source>
        <translation>Ajouter une nouvelle fonction. </translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Remove the selected function. </source>
        <translation>Supprimer la fonction sélectionnée. </translation>
    </message>
</context>
<context>
    <name>VQMotionCtrlPrefBase</name>
    <message>
        <source>clockwise about %1</source>
        <translation>sens horaire autour de %1</translation>
    </message>
    <message>
        <source>counter-clockwise about %1</source>
        <translation>sens antihoraire autour de %1</translation>
    </message>
    <message>
        <source>Motion Controler Settings</source>
        <translation>Réglages du contrôleur de mouvement</translation>
    </message>
    <message>
        <source>Translations</source>
        <translation>Translations</translation>
    </message>
    <message>
        <source>translation sensibility</source>
        <translation>sensibilité des translations</translation>
    </message>
    <message>
        <source>Change the sensibility of the motion controler for translation motions.</source>
        <translation>Modifie la sensibilité du contrôleur pour les translations.</translation>
    </message>
    <message>
        <source>Rotations</source>
        <translation>Rotations</translation>
    </message>
    <message>
        <source>rotation sensibility</source>
        <translation>sensibilité des rotations</translation>
    </message>
    <message>
        <source>Change the sensibility of the motion controler for rotation motions.</source>
        <translation>Modifie la sensibilité du contrôleur pour les rotations.</translation>
    </message>
    <message>
        <source>Restore Preferences</source>
        <translation>Recharger</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Restore Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Motions</source>
        <translation>Mouvements</translation>
    </message>
    <message>
        <source>Button functions</source>
        <translation>Fonctions des boutons</translation>
    </message>
    <message>
        <source>Edit Functions</source>
        <translation>Modifier les fonctions</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Boutons</translation>
    </message>
</context>
<context>
    <name>form_support</name>
    <message>
        <source>The settings could not be saved to %1: %2.</source>
        <translation>Les réglages n’ont pas pu être enregistrés dans %1&#xa0;: %2.</translation>
    </message>
</context>
</TS>
