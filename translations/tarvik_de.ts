<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLog</name>
    <message>
        <source>Commands run by device buttons and the View menu show here.</source>
        <translation>Hier stehen die Befehle, die Gerätetasten und das Menü „Ansicht“ ausführen.</translation>
    </message>
    <message>
        <source>%1: error: %2</source>
        <translation>%1: Fehler: %2</translation>
    </message>
    <message>
        <source>%1… (%2 characters in all)</source>
        <translation>%1… (insgesamt %2 Zeichen)</translation>
    </message>
    <message>
        <source>C&amp;lear Commands</source>
        <translation>Befehle &amp;leeren</translation>
    </message>
</context>
<context>
    <name>DevicePanel</name>
    <message>
        <source>Connected: %1</source>
        <translation>Verbunden: %1</translation>
    </message>
    <message>
        <source>Dead zone</source>
        <translation>Totzone</translation>
    </message>
    <message>
        <source>Dominant axis only</source>
        <translation>Nur die vorherrschende Achse</translation>
    </message>
    <message>
        <source>Raw</source>
        <translation>Roh</translation>
    </message>
    <message>
        <source>Switched, dead zone</source>
        <translation>Geschaltet, Totzone</translation>
    </message>
    <message>
        <source>Curve, sensitivity</source>
        <translation>Kurve, Empfindlichkeit</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>What the device sends</source>
        <translation>Was das Gerät sendet</translation>
    </message>
    <message>
        <source>With the axes that are off stilled and the dead zone taken off</source>
        <translation>Ausgeschaltete Achsen stillgelegt, die Totzone abgezogen</translation>
    </message>
    <message>
        <source>After the response curve and the sensitivity</source>
        <translation>Nach der Kennlinie und der Empfindlichkeit</translation>
    </message>
    <message>
        <source>Where the axis mapping sends it: the view&apos;s axes, each row one of them</source>
        <translation>Wohin die Achsenzuordnung es schickt: die Achsen der Ansicht, eine je Zeile</translation>
    </message>
    <message>
        <source>Strong: the view&apos;s axes after every setting. Faint: the device&apos;s raw axes.</source>
        <translation>Kräftig: die Achsen der Ansicht nach allen Einstellungen. Blass: die rohen Achsen des Geräts.</translation>
    </message>
    <message>
        <source>Lit while the button is held; the function it runs</source>
        <translation>Leuchtet, solange die Taste gedrückt ist; die Funktion, die sie ausführt</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Whether this axis of the device moves the view</source>
        <translation>Ob diese Achse des Geräts die Ansicht bewegt</translation>
    </message>
    <message>
        <source>Deflections this small count as none; larger ones start from zero at its edge</source>
        <translation>So kleine Auslenkungen zählen nicht; größere beginnen an ihrem Rand bei null</translation>
    </message>
    <message>
        <source>Only the axis pushed the most moves the view</source>
        <translation>Nur die am stärksten ausgelenkte Achse bewegt die Ansicht</translation>
    </message>
    <message>
        <source>Translation curve</source>
        <translation>Kennlinie Verschiebung</translation>
    </message>
    <message>
        <source>Rotation curve</source>
        <translation>Kennlinie Drehung</translation>
    </message>
    <message>
        <source>1 is linear; higher makes small pushes finer, a full push keeps its speed</source>
        <translation>1 ist linear; höher macht kleine Auslenkungen feiner, eine volle behält ihr Tempo</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Rotation centre</source>
        <translation>Drehzentrum</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Model&apos;s centre</source>
        <translation>Mitte des Modells</translation>
    </message>
    <message>
        <source>View&apos;s centre</source>
        <translation>Mitte der Ansicht</translation>
    </message>
    <message>
        <source>Under the pointer</source>
        <translation>Unter dem Zeiger</translation>
    </message>
    <message>
        <source>What the view turns about: the middle of what is in sight, the model&apos;s centre, the view&apos;s centre, or the model&apos;s point under the pointer as a motion starts</source>
        <translation>Worum sich die Ansicht dreht: die Mitte des Sichtbaren, die Mitte des Modells, die Mitte der Ansicht oder der Punkt des Modells unter dem Zeiger, wenn eine Bewegung beginnt</translation>
    </message>
    <message>
        <source>Lock the horizon</source>
        <translation>Horizont festhalten</translation>
    </message>
    <message>
        <source>Keep the model&apos;s up axis vertical: no roll</source>
        <translation>Die Hochachse des Modells bleibt senkrecht: kein Rollen</translation>
    </message>
    <message>
        <source>The device moves</source>
        <translation>Das Gerät bewegt</translation>
    </message>
    <message>
        <source>the model</source>
        <translation>das Modell</translation>
    </message>
    <message>
        <source>the eye</source>
        <translation>das Auge</translation>
    </message>
    <message>
        <source>Moving the eye turns every motion the other way</source>
        <translation>Das Auge zu bewegen kehrt jede Bewegung um</translation>
    </message>
</context>
<context>
    <name>DeviceSource</name>
    <message>
        <source>No device: spacenavd is not running</source>
        <translation>Kein Gerät: spacenavd läuft nicht</translation>
    </message>
    <message>
        <source>Unknown device</source>
        <translation>Unbekanntes Gerät</translation>
    </message>
    <message>
        <source>No device: the socket path %1 is too long</source>
        <translation>Kein Gerät: der Socket-Pfad %1 ist zu lang</translation>
    </message>
    <message>
        <source>No device: spacenavd answers in a way it never does</source>
        <translation>Kein Gerät: spacenavd antwortet, wie er es nie tut</translation>
    </message>
    <message>
        <source>No device: spacenavd closed the connection</source>
        <translation>Kein Gerät: spacenavd hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>No device: spacenavd does not answer</source>
        <translation>Kein Gerät: spacenavd antwortet nicht</translation>
    </message>
</context>
<context>
    <name>Functions</name>
    <message>
        <source>Front View</source>
        <translation>Ansicht von vorn</translation>
    </message>
    <message>
        <source>Top View</source>
        <translation>Ansicht von oben</translation>
    </message>
    <message>
        <source>Right View</source>
        <translation>Ansicht von rechts</translation>
    </message>
    <message>
        <source>Back View</source>
        <translation>Ansicht von hinten</translation>
    </message>
    <message>
        <source>Bottom View</source>
        <translation>Ansicht von unten</translation>
    </message>
    <message>
        <source>Left View</source>
        <translation>Ansicht von links</translation>
    </message>
    <message>
        <source>Isometric View</source>
        <translation>Isometrische Ansicht</translation>
    </message>
    <message>
        <source>No Action</source>
        <translation>Keine Aktion</translation>
    </message>
    <message>
        <source>Fit All</source>
        <translation>Alles einpassen</translation>
    </message>
    <message>
        <source>Fit Selection</source>
        <translation>Auswahl einpassen</translation>
    </message>
    <message>
        <source>Reset View</source>
        <translation>Ansicht zurücksetzen</translation>
    </message>
    <message>
        <source>Toggle Projection</source>
        <translation>Projektion umschalten</translation>
    </message>
    <message>
        <source>Centre on Cursor</source>
        <translation>Um den Zeiger drehen</translation>
    </message>
    <message>
        <source>Toggle Rotations</source>
        <translation>Drehungen ein/aus</translation>
    </message>
    <message>
        <source>Toggle Translations</source>
        <translation>Verschiebungen ein/aus</translation>
    </message>
    <message>
        <source>Toggle Dominant Axis</source>
        <translation>Dominante Achse ein/aus</translation>
    </message>
    <message>
        <source>Toggle Level Horizon</source>
        <translation>Waagrechter Horizont ein/aus</translation>
    </message>
    <message>
        <source>Sensitivity Up</source>
        <translation>Empfindlichkeit höher</translation>
    </message>
    <message>
        <source>Sensitivity Down</source>
        <translation>Empfindlichkeit niedriger</translation>
    </message>
    <message>
        <source>Next Profile</source>
        <translation>Nächstes Profil</translation>
    </message>
    <message>
        <source>Previous Profile</source>
        <translation>Voriges Profil</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Commands</source>
        <translation>&amp;Befehle</translation>
    </message>
    <message>
        <source>&amp;About Tarvik</source>
        <translation>&amp;Über Tarvik</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Example</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>OpenGL: %1</source>
        <translation>OpenGL: %1</translation>
    </message>
    <message>
        <source>QPainter (no OpenGL here)</source>
        <translation>QPainter (hier kein OpenGL)</translation>
    </message>
    <message>
        <source>About Tarvik</source>
        <translation>Über Tarvik</translation>
    </message>
    <message>
        <source>Tarvik with the Kestrava module %1
Qt %2
View: %3
Preferences: %4
Device: %5
Model files are read by a process of their own, in a sandbox:
%6</source>
        <translation>Tarvik mit dem Kestrava-Modul %1
Qt %2
Ansicht: %3
Einstellungen: %4
Gerät: %5
Modelldateien liest ein eigener Prozess in einer Sandbox:
%6</translation>
    </message>
</context>
<context>
    <name>HostMenus</name>
    <message>
        <source>Fit &amp;All</source>
        <translation>&amp;Alles einpassen</translation>
    </message>
    <message>
        <source>Fit &amp;Selection</source>
        <translation>Au&amp;swahl einpassen</translation>
    </message>
    <message>
        <source>R&amp;eset View</source>
        <translation>Ansicht &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>Toggle &amp;Projection</source>
        <translation>&amp;Projektion umschalten</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The translation into %1 cannot be found.</source>
        <translation>Die Übersetzung „%1“ ist nicht zu finden.</translation>
    </message>
    <message>
        <source>Open Model</source>
        <translation>Modell öffnen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open Model…</source>
        <translation>Modell ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>F&amp;unctions</source>
        <translation>&amp;Funktionen</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>All models (%1)</source>
        <translation>Alle Modelle (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <source>&amp;Set Up…</source>
        <translation>&amp;Einrichten…</translation>
    </message>
    <message>
        <source>key %1</source>
        <translation>Taste %1</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
</context>
<context>
    <name>ModelLoader</name>
    <message>
        <source>Stopping the reading of %1…</source>
        <translation>Das Lesen von %1 wird abgebrochen…</translation>
    </message>
    <message>
        <source>Reading %1… (Esc stops)</source>
        <translation>%1 wird gelesen… (Esc bricht ab)</translation>
    </message>
</context>
<context>
    <name>ModelView</name>
    <message>
        <source>turned</source>
        <translation>gedreht</translation>
    </message>
    <message>
        <source>%1 perspective</source>
        <translation>%1, perspektivisch</translation>
    </message>
    <message>
        <source>%1 orthographic</source>
        <translation>%1, orthografisch</translation>
    </message>
    <message>
        <source>Built-in model</source>
        <translation>Eingebautes Modell</translation>
    </message>
    <message>
        <source>Perspective</source>
        <translation>Perspektivisch</translation>
    </message>
    <message>
        <source>Orthographic</source>
        <translation>Orthografisch</translation>
    </message>
    <message>
        <source>%1 cannot be shown: %2</source>
        <translation>%1 kann nicht angezeigt werden: %2</translation>
    </message>
    <message>
        <source>1 triangle</source>
        <translation>1 Dreieck</translation>
    </message>
    <message>
        <source>%1 triangles</source>
        <translation>%1 Dreiecke</translation>
    </message>
    <message>
        <source>%1 solids, %2</source>
        <translation>%1 Körper, %2</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>1 part, %1 faces, %2</source>
        <translation>1 Teil, %1 Flächen, %2</translation>
    </message>
    <message>
        <source>%1 parts, %2 faces, %3</source>
        <translation>%1 Teile, %2 Flächen, %3</translation>
    </message>
    <message>
        <source>%1 (its unit: %2)</source>
        <translation>%1 (ihre Einheit: %2)</translation>
    </message>
</context>
<context>
    <name>ProfileBar</name>
    <message>
        <source>&amp;Profile:</source>
        <translation>&amp;Profil:</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Make, rename, copy, remove, export and import profiles</source>
        <translation>Profile anlegen, umbenennen, kopieren, löschen, exportieren und importieren</translation>
    </message>
    <message>
        <source>&amp;New…</source>
        <translation>&amp;Neu…</translation>
    </message>
    <message>
        <source>&amp;Rename…</source>
        <translation>&amp;Umbenennen…</translation>
    </message>
    <message>
        <source>&amp;Duplicate</source>
        <translation>&amp;Duplizieren</translation>
    </message>
    <message>
        <source>De&amp;lete…</source>
        <translation>&amp;Löschen…</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren…</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren…</translation>
    </message>
</context>
<context>
    <name>ProfileChanges</name>
    <message>
        <source>Axis of the x translation</source>
        <translation>Achse der x-Verschiebung</translation>
    </message>
    <message>
        <source>Axis of the y translation</source>
        <translation>Achse der y-Verschiebung</translation>
    </message>
    <message>
        <source>Axis of the z translation</source>
        <translation>Achse der z-Verschiebung</translation>
    </message>
    <message>
        <source>Direction of the x translation</source>
        <translation>Richtung der x-Verschiebung</translation>
    </message>
    <message>
        <source>Direction of the y translation</source>
        <translation>Richtung der y-Verschiebung</translation>
    </message>
    <message>
        <source>Direction of the z translation</source>
        <translation>Richtung der z-Verschiebung</translation>
    </message>
    <message>
        <source>Direction of the x rotation</source>
        <translation>Richtung der x-Drehung</translation>
    </message>
    <message>
        <source>Direction of the y rotation</source>
        <translation>Richtung der y-Drehung</translation>
    </message>
    <message>
        <source>Direction of the z rotation</source>
        <translation>Richtung der z-Drehung</translation>
    </message>
    <message>
        <source>Translation sensitivity</source>
        <translation>Empfindlichkeit der Verschiebungen</translation>
    </message>
    <message>
        <source>Rotation sensitivity</source>
        <translation>Empfindlichkeit der Drehungen</translation>
    </message>
    <message>
        <source>Dead zone</source>
        <translation>Totzone</translation>
    </message>
    <message>
        <source>Dominant axis</source>
        <translation>Dominante Achse</translation>
    </message>
    <message>
        <source>Rotation centre</source>
        <translation>Drehzentrum</translation>
    </message>
    <message>
        <source>Level horizon</source>
        <translation>Waagrechter Horizont</translation>
    </message>
    <message>
        <source>Navigation mode</source>
        <translation>Navigationsart</translation>
    </message>
    <message>
        <source>Translation along x</source>
        <translation>Verschiebung entlang x</translation>
    </message>
    <message>
        <source>Translation along y</source>
        <translation>Verschiebung entlang y</translation>
    </message>
    <message>
        <source>Translation along z</source>
        <translation>Verschiebung entlang z</translation>
    </message>
    <message>
        <source>Rotation about x</source>
        <translation>Drehung um x</translation>
    </message>
    <message>
        <source>Rotation about y</source>
        <translation>Drehung um y</translation>
    </message>
    <message>
        <source>Rotation about z</source>
        <translation>Drehung um z</translation>
    </message>
    <message>
        <source>Translation curve</source>
        <translation>Kennlinie Verschiebung</translation>
    </message>
    <message>
        <source>Rotation curve</source>
        <translation>Kennlinie Drehung</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Taste %1</translation>
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
        <translation>&amp;Profile</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>There is no profile “%1”.</source>
        <translation>Es gibt kein Profil „%1“.</translation>
    </message>
    <message>
        <source>The settings have changed since they were last saved. Save them to the profile “%1” before switching to “%2”?</source>
        <translation>Die Einstellungen wurden seit dem letzten Speichern geändert. Im Profil „%1“ speichern, bevor zu „%2“ gewechselt wird?</translation>
    </message>
    <message>
        <source>Cannot switch to the profile “%1”: %2</source>
        <translation>Kann nicht zum Profil „%1“ wechseln: %2</translation>
    </message>
    <message>
        <source>Profile: %1</source>
        <translation>Profil: %1</translation>
    </message>
    <message>
        <source>A profile&apos;s name is 1 to 64 characters long, without control characters.</source>
        <translation>Der Name eines Profils ist 1 bis 64 Zeichen lang, ohne Steuerzeichen.</translation>
    </message>
    <message>
        <source>There is a profile “%1” already.</source>
        <translation>Es gibt schon ein Profil „%1“.</translation>
    </message>
    <message>
        <source>New Profile</source>
        <translation>Neues Profil</translation>
    </message>
    <message>
        <source>Name of the new profile:</source>
        <translation>Name des neuen Profils:</translation>
    </message>
    <message>
        <source>The settings have changed since they were last saved. Save them to the profile “%1” first?</source>
        <translation>Die Einstellungen wurden seit dem letzten Speichern geändert. Zuerst im Profil „%1“ speichern?</translation>
    </message>
    <message>
        <source>Duplicate Profile</source>
        <translation>Profil duplizieren</translation>
    </message>
    <message>
        <source>Name of the copy:</source>
        <translation>Name der Kopie:</translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation>%1 (Kopie)</translation>
    </message>
    <message>
        <source>Rename Profile</source>
        <translation>Profil umbenennen</translation>
    </message>
    <message>
        <source>New name of the profile “%1”:</source>
        <translation>Neuer Name des Profils „%1“:</translation>
    </message>
    <message>
        <source>Delete Profile</source>
        <translation>Profil löschen</translation>
    </message>
    <message>
        <source>Delete the profile “%1”?</source>
        <translation>Das Profil „%1“ löschen?</translation>
    </message>
    <message>
        <source>Export Profile</source>
        <translation>Profil exportieren</translation>
    </message>
    <message>
        <source>Import Profile</source>
        <translation>Profil importieren</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2</source>
        <translation>%1 kann nicht importiert werden: %2</translation>
    </message>
    <message>
        <source>Replace the profile “%1” with the imported one? It changes:</source>
        <translation>Das Profil „%1“ durch das importierte ersetzen? Es ändert sich:</translation>
    </message>
    <message>
        <source>Import the profile “%1”? Against the factory settings it changes:</source>
        <translation>Das Profil „%1“ importieren? Gegenüber den Werkseinstellungen ändert sich:</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>triangle %1 has a coordinate that is not a number</source>
        <translation>Dreieck %1 hat eine Koordinate, die keine Zahl ist</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the file ends before &quot;endsolid&quot;</source>
        <translation>die Datei endet vor „endsolid“</translation>
    </message>
    <message>
        <source>the file ends in the middle of a triangle</source>
        <translation>die Datei endet mitten in einem Dreieck</translation>
    </message>
    <message>
        <source>it is cut short: it announces %1 triangles, which take %2 bytes, and has %3</source>
        <translation>sie ist unvollständig: sie kündigt %1 Dreiecke an, die %2 Byte belegen, und hat %3</translation>
    </message>
    <message>
        <source>it holds no triangle</source>
        <translation>sie enthält kein Dreieck</translation>
    </message>
    <message>
        <source>it is not an STL file</source>
        <translation>sie ist keine STL-Datei</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>sie ist keine Datei</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>%1: an argument is missing</source>
        <translation>%1: ein Argument fehlt</translation>
    </message>
    <message>
        <source>%1: too many arguments, &quot;%2&quot; is one more</source>
        <translation>%1: zu viele Argumente, „%2“ ist eines zu viel</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not an axis: x, y or z</source>
        <translation>%1: „%2“ ist keine Achse: x, y oder z</translation>
    </message>
    <message>
        <source>%1: the factor must be above 0, not %2</source>
        <translation>%1: der Faktor muss größer als 0 sein, nicht %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number</source>
        <translation>%1: „%2“ ist keine Zahl</translation>
    </message>
    <message>
        <source>function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>it has no surface</source>
        <translation>sie hat keine Fläche</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>sie existiert nicht</translation>
    </message>
    <message>
        <source>it is larger than %1 GB</source>
        <translation>sie ist größer als %1 GB</translation>
    </message>
    <message>
        <source>it announces %1 triangles and holds %2: all %2 are read</source>
        <translation>sie kündigt %1 Dreiecke an und enthält %2: alle %2 werden gelesen</translation>
    </message>
    <message>
        <source>%1 bytes after the last triangle are not read</source>
        <translation>%1 Bytes nach dem letzten Dreieck werden nicht gelesen</translation>
    </message>
    <message>
        <source>line %1: %2 where &quot;%3&quot; belongs</source>
        <translation>Zeile %1: %2, wo „%3“ hingehört</translation>
    </message>
    <message>
        <source>line %1: %2 is not a coordinate</source>
        <translation>Zeile %1: %2 ist keine Koordinate</translation>
    </message>
    <message>
        <source>The view is drawn without OpenGL, which cannot be used here: large models move slowly.</source>
        <translation>Die Ansicht wird ohne OpenGL gezeichnet, das hier nicht verfügbar ist: große Modelle bewegen sich langsam.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>%1 cannot be shown: %2</source>
        <translation>%1 kann nicht angezeigt werden: %2</translation>
    </message>
    <message>
        <source>Turning about the point under the pointer</source>
        <translation>Drehung um den Punkt unter dem Zeiger</translation>
    </message>
    <message>
        <source>Nothing under the pointer: turning about the model&apos;s centre</source>
        <translation>Nichts unter dem Zeiger: Drehung um die Mitte des Modells</translation>
    </message>
    <message>
        <source>Sensitivities: translations %1, rotations %2</source>
        <translation>Empfindlichkeiten: Verschiebungen %1, Drehungen %2</translation>
    </message>
    <message>
        <source>Rotations on</source>
        <translation>Drehungen an</translation>
    </message>
    <message>
        <source>Rotations off</source>
        <translation>Drehungen aus</translation>
    </message>
    <message>
        <source>Translations on</source>
        <translation>Verschiebungen an</translation>
    </message>
    <message>
        <source>Translations off</source>
        <translation>Verschiebungen aus</translation>
    </message>
    <message>
        <source>Dominant axis only</source>
        <translation>Nur die dominante Achse</translation>
    </message>
    <message>
        <source>Every axis</source>
        <translation>Alle Achsen</translation>
    </message>
    <message>
        <source>Horizon locked</source>
        <translation>Horizont festgehalten</translation>
    </message>
    <message>
        <source>Horizon free</source>
        <translation>Horizont frei</translation>
    </message>
    <message>
        <source>Device button %1 ignored: the device has %2 buttons.</source>
        <translation>Gerätetaste %1 ignoriert: das Gerät hat %2 Tasten.</translation>
    </message>
    <message>
        <source>button %1 (%2)</source>
        <translation>Taste %1 (%2)</translation>
    </message>
    <message>
        <source>function %1</source>
        <translation>Funktion %1</translation>
    </message>
    <message>
        <source>NUMBER</source>
        <translation>ZAHL</translation>
    </message>
    <message>
        <source>FACTOR</source>
        <translation>FAKTOR</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>hello</source>
        <translation>hallo</translation>
    </message>
    <message>
        <source>a face names a corner or a mesh that is not there</source>
        <translation>eine Fläche nennt eine Ecke oder ein Netz, das es nicht gibt</translation>
    </message>
    <message>
        <source>its nodes nest deeper than %1</source>
        <translation>ihre Knoten sind tiefer als %1 verschachtelt</translation>
    </message>
    <message>
        <source>the reader sent an invalid answer: %1</source>
        <translation>der Leser hat eine ungültige Antwort geschickt: %1</translation>
    </message>
    <message>
        <source>it is not an answer of this version</source>
        <translation>sie ist keine Antwort dieser Version</translation>
    </message>
    <message>
        <source>it is of no known kind</source>
        <translation>sie ist von keiner bekannten Art</translation>
    </message>
    <message>
        <source>its text is too long</source>
        <translation>ihr Text ist zu lang</translation>
    </message>
    <message>
        <source>its counts of corners and triangles do not fit together</source>
        <translation>ihre Zahlen der Ecken und Dreiecke passen nicht zusammen</translation>
    </message>
    <message>
        <source>its colours do not match its corners</source>
        <translation>ihre Farben passen nicht zu ihren Ecken</translation>
    </message>
    <message>
        <source>its counts of solids and triangles read do not fit together</source>
        <translation>ihre Zahlen der Körper und gelesenen Dreiecke passen nicht zusammen</translation>
    </message>
    <message>
        <source>its box is not a finite one</source>
        <translation>ihr Quader ist nicht endlich</translation>
    </message>
    <message>
        <source>a corner lies outside the model&apos;s box</source>
        <translation>eine Ecke liegt außerhalb des Quaders des Modells</translation>
    </message>
    <message>
        <source>a triangle names corner %1 of %2</source>
        <translation>ein Dreieck nennt Ecke %1 von %2</translation>
    </message>
    <message>
        <source>it is shorter than its header</source>
        <translation>sie ist kürzer als ihr Kopf</translation>
    </message>
    <message>
        <source>its size, %1 bytes, is not what its counts need</source>
        <translation>ihre Größe, %1 Byte, ist nicht, was ihre Zahlen brauchen</translation>
    </message>
    <message>
        <source>a mesh cannot be read</source>
        <translation>ein Netz kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>its components nest deeper than %1</source>
        <translation>ihre Bauteile sind tiefer als %1 verschachtelt</translation>
    </message>
    <message>
        <source>a component cannot be read</source>
        <translation>ein Bauteil kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>a build item cannot be read</source>
        <translation>ein Bauelement kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the 3MF library cannot start</source>
        <translation>die 3MF-Bibliothek kann nicht starten</translation>
    </message>
    <message>
        <source>a node names a node that is not there</source>
        <translation>ein Knoten nennt einen Knoten, den es nicht gibt</translation>
    </message>
    <message>
        <source>its nodes nest deeper or place more than any part needs</source>
        <translation>ihre Knoten sind tiefer verschachtelt oder setzen mehr, als ein Teil braucht</translation>
    </message>
    <message>
        <source>a node names a mesh that is not there</source>
        <translation>ein Knoten nennt ein Netz, das es nicht gibt</translation>
    </message>
    <message>
        <source>its corners are not where it says</source>
        <translation>ihre Ecken sind nicht, wo sie sagt</translation>
    </message>
    <message>
        <source>its indices are not where it says</source>
        <translation>ihre Indizes sind nicht, wo sie sagt</translation>
    </message>
    <message>
        <source>the CAD reader cannot be loaded: %1</source>
        <translation>der CAD-Leser kann nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>it cannot be read as a CAD file</source>
        <translation>sie kann nicht als CAD-Datei gelesen werden</translation>
    </message>
    <message>
        <source>its shapes cannot be read</source>
        <translation>ihre Formen können nicht gelesen werden</translation>
    </message>
    <message>
        <source>it holds no shape</source>
        <translation>sie enthält keine Form</translation>
    </message>
    <message>
        <source>its unit is not a name</source>
        <translation>ihre Einheit ist kein Name</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>Detail</translation>
    </message>
    <message>
        <source>Profiles (*%1)</source>
        <translation>Profile (*%1)</translation>
    </message>
</context>
<context>
    <name>QuitGuard</name>
    <message>
        <source>Unsaved Settings</source>
        <translation>Ungesicherte Einstellungen</translation>
    </message>
    <message>
        <source>The settings have changed since they were last saved. Save them before quitting?</source>
        <translation>Die Einstellungen wurden seit dem letzten Speichern geändert. Vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>ReaderProcess</name>
    <message>
        <source>the reader %1 does not answer</source>
        <translation>der Leser %1 antwortet nicht</translation>
    </message>
    <message>
        <source>the reader %1 cannot be run</source>
        <translation>der Leser %1 kann nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>no reader can be started: %1</source>
        <translation>kein Leser kann gestartet werden: %1</translation>
    </message>
    <message>
        <source>the reader %1 cannot be started: %2</source>
        <translation>der Leser %1 kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>a message it sent is of no known kind</source>
        <translation>eine Nachricht, die er schickte, ist von keiner bekannten Art</translation>
    </message>
    <message>
        <source>its memory file is not of the size it says</source>
        <translation>ihre Speicherdatei hat nicht die Größe, die sie nennt</translation>
    </message>
    <message>
        <source>it is larger than any reader may make</source>
        <translation>sie ist größer, als ein Leser sie machen darf</translation>
    </message>
    <message>
        <source>its memory file is not sealed</source>
        <translation>ihre Speicherdatei ist nicht versiegelt</translation>
    </message>
    <message>
        <source>its memory file cannot be mapped</source>
        <translation>ihre Speicherdatei kann nicht eingeblendet werden</translation>
    </message>
    <message>
        <source>reading it takes more than the %1 s of processor time a reader may take</source>
        <translation>ihr Lesen braucht mehr als die %1 s Prozessorzeit, die ein Leser nehmen darf</translation>
    </message>
    <message>
        <source>the reader was killed (SIGKILL), perhaps by the system for want of memory</source>
        <translation>der Leser wurde beendet (SIGKILL), vielleicht vom System aus Mangel an Speicher</translation>
    </message>
    <message>
        <source>the reader crashed on it (%1)</source>
        <translation>der Leser ist an ihr abgestürzt (%1)</translation>
    </message>
    <message>
        <source>reading it needs more memory than the %1 MB a reader may take</source>
        <translation>ihr Lesen braucht mehr Speicher als die %1 MB, die ein Leser nehmen darf</translation>
    </message>
    <message>
        <source>the reader ended without an answer (exit status %1)</source>
        <translation>der Leser endete ohne Antwort (Exit-Status %1)</translation>
    </message>
    <message>
        <source>the reader stopped working on it: no progress and no work for %1 s</source>
        <translation>der Leser arbeitet nicht mehr an ihr: kein Fortschritt und keine Arbeit seit %1 s</translation>
    </message>
</context>
<context>
    <name>SetupAssistant</name>
    <message>
        <source>Push the cap to the right</source>
        <translation>Die Kappe nach rechts schieben</translation>
    </message>
    <message>
        <source>Pull the cap up</source>
        <translation>Die Kappe nach oben ziehen</translation>
    </message>
    <message>
        <source>Push the cap away from you</source>
        <translation>Die Kappe von sich weg schieben</translation>
    </message>
    <message>
        <source>Twist the cap clockwise as seen from above</source>
        <translation>Die Kappe von oben gesehen im Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Tilt the cap forward</source>
        <translation>Die Kappe nach vorn kippen</translation>
    </message>
    <message>
        <source>Tilt it to the right</source>
        <translation>Sie nach rechts kippen</translation>
    </message>
    <message>
        <source>Let go of the cap.</source>
        <translation>Die Kappe loslassen.</translation>
    </message>
    <message>
        <source>That was the axis of step %1: let go, and try again.</source>
        <translation>Das war die Achse von Schritt %1: loslassen und noch einmal versuchen.</translation>
    </message>
    <message>
        <source>Seen: %1%2. Hold it…</source>
        <translation>Erkannt: %1%2. Festhalten…</translation>
    </message>
    <message>
        <source>Nothing clear seen for 15 s: push further, or skip this step.</source>
        <translation>15 s lang nichts Eindeutiges erkannt: weiter auslenken oder diesen Schritt überspringen.</translation>
    </message>
    <message>
        <source>Waiting for the motion…</source>
        <translation>Warten auf die Bewegung…</translation>
    </message>
    <message>
        <source>Done. Apply sets the mapping found; Cancel keeps the settings as they are.</source>
        <translation>Fertig. Übernehmen setzt die gefundene Zuordnung; Abbrechen lässt die Einstellungen, wie sie sind.</translation>
    </message>
    <message>
        <source>%1: not found, kept as it is</source>
        <translation>%1: nicht gefunden, bleibt, wie es ist</translation>
    </message>
    <message>
        <source>%1 moves the view along %2</source>
        <translation>%1 bewegt die Ansicht entlang %2</translation>
    </message>
    <message>
        <source>%1, reversed</source>
        <translation>%1, umgekehrt</translation>
    </message>
    <message>
        <source>%1 turns the view reversed</source>
        <translation>%1 dreht die Ansicht umgekehrt</translation>
    </message>
    <message>
        <source>%1 turns the view as it is</source>
        <translation>%1 dreht die Ansicht, wie es ist</translation>
    </message>
    <message>
        <source>The mapping found</source>
        <translation>Die gefundene Zuordnung</translation>
    </message>
    <message>
        <source>Step %1 of 6: %2</source>
        <translation>Schritt %1 von 6: %2</translation>
    </message>
    <message>
        <source>Set Up the Device</source>
        <translation>Das Gerät einrichten</translation>
    </message>
    <message>
        <source>Start &amp;Over</source>
        <translation>&amp;Neu beginnen</translation>
    </message>
    <message>
        <source>&amp;Skip This Step</source>
        <translation>Diesen Schritt ü&amp;berspringen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
</context>
<context>
    <name>StandardView</name>
    <message>
        <source>front</source>
        <translation>vorne</translation>
    </message>
    <message>
        <source>&amp;Front</source>
        <translation>&amp;Vorne</translation>
    </message>
    <message>
        <source>top</source>
        <translation>oben</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>&amp;Oben</translation>
    </message>
    <message>
        <source>right</source>
        <translation>rechts</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Rechts</translation>
    </message>
    <message>
        <source>back</source>
        <translation>hinten</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Hinten</translation>
    </message>
    <message>
        <source>bottom</source>
        <translation>unten</translation>
    </message>
    <message>
        <source>B&amp;ottom</source>
        <translation>&amp;Unten</translation>
    </message>
    <message>
        <source>left</source>
        <translation>links</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Links</translation>
    </message>
    <message>
        <source>isometric</source>
        <translation>isometrisch</translation>
    </message>
    <message>
        <source>&amp;Isometric</source>
        <translation>&amp;Isometrisch</translation>
    </message>
</context>
<context>
    <name>VQMotionCtrlFctEditor</name>
    <message>
        <source>The definition holds characters that cannot be stored. Only Latin-1 characters can be: please replace the others.</source>
        <translation>Die Definition enthält Zeichen, die sich nicht speichern lassen. Nur Latin-1-Zeichen lassen sich speichern: Bitte ersetzen Sie die anderen.</translation>
    </message>
    <message>
        <source>The definition is %1 characters long; at most %2 can be stored: please shorten it.</source>
        <translation>Die Definition ist %1 Zeichen lang; höchstens %2 können gespeichert werden: bitte kürzen Sie sie.</translation>
    </message>
</context>
<context>
    <name>VQMotionCtrlFctEditorBase</name>
    <message>
        <source>Kestrava Function Editor</source>
        <translation>Kestrava-Funktionseditor</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Edit the current select function. </source>
        <translation>Die gewählte Funktion bearbeiten. </translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Check the syntaxe of the current CLI command</source>
        <translation>Die Syntax des aktuellen CLI-Befehls prüfen</translation>
    </message>
    <message>
        <source>Validate</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Validate and save the  new function. </source>
        <translation>Die neue Funktion übernehmen und speichern. </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel the current edition</source>
        <translation>Die laufende Bearbeitung abbrechen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add a new function. </source>
        <translation>Eine neue Funktion hinzufügen. </translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove the selected function. </source>
        <translation>Die gewählte Funktion entfernen. </translation>
    </message>
</context>
<context>
    <name>VQMotionCtrlPrefBase</name>
    <message>
        <source>clockwise about %1</source>
        <translation>im Uhrzeigersinn um %1</translation>
    </message>
    <message>
        <source>counter-clockwise about %1</source>
        <translation>gegen den Uhrzeigersinn um %1</translation>
    </message>
    <message>
        <source>Motion Controler Settings</source>
        <translation>Einstellungen der 3-D-Maus</translation>
    </message>
    <message>
        <source>Translations</source>
        <translation>Verschiebungen</translation>
    </message>
    <message>
        <source>translation sensibility</source>
        <translation>Empfindlichkeit der Verschiebungen</translation>
    </message>
    <message>
        <source>Change the sensibility of the motion controler for translation motions.</source>
        <translation>Ändert die Empfindlichkeit der 3-D-Maus für Verschiebungen.</translation>
    </message>
    <message>
        <source>Rotations</source>
        <translation>Drehungen</translation>
    </message>
    <message>
        <source>rotation sensibility</source>
        <translation>Empfindlichkeit der Drehungen</translation>
    </message>
    <message>
        <source>Change the sensibility of the motion controler for rotation motions.</source>
        <translation>Ändert die Empfindlichkeit der 3-D-Maus für Drehungen.</translation>
    </message>
    <message>
        <source>Restore Preferences</source>
        <translation>Gespeichertes laden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Restore Default</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Motions</source>
        <translation>Bewegungen</translation>
    </message>
    <message>
        <source>Button functions</source>
        <translation>Tastenfunktionen</translation>
    </message>
    <message>
        <source>Edit Functions</source>
        <translation>Funktionen bearbeiten</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Tasten</translation>
    </message>
</context>
<context>
    <name>form_support</name>
    <message>
        <source>The settings could not be saved to %1: %2.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden: %2.</translation>
    </message>
</context>
</TS>
