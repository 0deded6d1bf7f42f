<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ActionEditor</name>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Extra Parameters</source>
        <translation>Zusätzliche Parameter</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>New action</source>
        <translation>Neue Aktion</translation>
    </message>
    <message>
        <source>The quick brown fox jumps over the lazy dog.</source>
        <translation>Franz jagt im komplett verwahrlosten Taxi quer durch Bayern.</translation>
    </message>
    <message>
        <source>Status: Evaluating...</source>
        <translation>Status: Wird ausgewertet …</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>Status: </translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolgreich</translation>
    </message>
    <message>
        <source>Writing the action file failed: </source>
        <translation>Die Aktionsdatei konnte nicht geschrieben werden: </translation>
    </message>
</context>
<context>
    <name>ActionList</name>
    <message>
        <source>To lowercase</source>
        <translation>In Kleinbuchstaben</translation>
    </message>
    <message>
        <source>Converts the text to lowercase.</source>
        <translation>Wandelt den Text in Kleinbuchstaben um.</translation>
    </message>
    <message>
        <source>To uppercase</source>
        <translation>In Großbuchstaben</translation>
    </message>
    <message>
        <source>Converts the text to uppercase.</source>
        <translation>Wandelt den Text in Großbuchstaben um.</translation>
    </message>
    <message>
        <source>JSON Pretty Print</source>
        <translation>JSON formatieren</translation>
    </message>
    <message>
        <source>Formats JSON to be more human readable</source>
        <translation>Formatiert JSON, damit es besser lesbar ist</translation>
    </message>
    <message>
        <source>Stript HTML tags</source>
        <translation>HTML-Tags entfernen</translation>
    </message>
    <message>
        <source>Removes HTML tags from the text</source>
        <translation>Entfernt HTML-Tags aus dem Text</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>Aktuelle Zeit</translation>
    </message>
    <message>
        <source>Writes the current date and time</source>
        <translation>Schreibt das aktuelle Datum und die Uhrzeit</translation>
    </message>
    <message>
        <source>Generate password</source>
        <translation>Passwort erzeugen</translation>
    </message>
    <message>
        <source>Creates a random password</source>
        <translation>Erzeugt ein zufälliges Passwort</translation>
    </message>
    <message>
        <source>Hex dump</source>
        <translation>Hex-Dump</translation>
    </message>
    <message>
        <source>Creates hex dump of UTF-8 encoded string</source>
        <translation>Erstellt einen Hex-Dump der UTF-8-kodierten Zeichenkette</translation>
    </message>
    <message>
        <source>Date to Value</source>
        <translation>Datum in Zahlenwert</translation>
    </message>
    <message>
        <source>Converts the date and time to value</source>
        <translation>Wandelt Datum und Uhrzeit in einen Zahlenwert um</translation>
    </message>
    <message>
        <source>Value to Date</source>
        <translation>Zahlenwert in Datum</translation>
    </message>
    <message>
        <source>Converts the value to date and time</source>
        <translation>Wandelt den Zahlenwert in Datum und Uhrzeit um</translation>
    </message>
    <message>
        <source>Create GUID</source>
        <translation>GUID erzeugen</translation>
    </message>
    <message>
        <source>Creates a globally uniqued identifier</source>
        <translation>Erzeugt eine global eindeutige Kennung</translation>
    </message>
    <message>
        <source>Word wrap</source>
        <translation>Zeilenumbruch</translation>
    </message>
    <message>
        <source>Wraps long lines to be less than given length</source>
        <translation>Bricht lange Zeilen auf die angegebene Länge um</translation>
    </message>
    <message>
        <source>Split lines</source>
        <translation>Zeilen aufteilen</translation>
    </message>
    <message>
        <source>Splits the clipping from the separator that is most times in the text</source>
        <translation>Teilt den Eintrag am Trennzeichen auf, das im Text am häufigsten vorkommt</translation>
    </message>
    <message>
        <source>Built-in actions cannot be edited.</source>
        <translation>Eingebaute Aktionen können nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>There are errors in the action script.</source>
        <translation>Das Aktionsskript enthält Fehler.</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansehen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Remove shortcut</source>
        <translation>Tastenkombination entfernen</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Tastenkombination festlegen</translation>
    </message>
    <message>
        <source>Show in menu</source>
        <translation>Im Menü anzeigen</translation>
    </message>
    <message>
        <source>Hide from menu</source>
        <translation>Im Menü ausblenden</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the action &apos;%1&apos;?</source>
        <translation>Soll die Aktion „%1“ wirklich gelöscht werden?</translation>
    </message>
    <message>
        <source>Failed to delete the file &apos;%1&apos;.</source>
        <translation>Die Datei „%1“ konnte nicht gelöscht werden.</translation>
    </message>
</context>
<context>
    <name>ApplicationsList</name>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Exclude from history</source>
        <translation>Vom Verlauf ausschließen</translation>
    </message>
    <message>
        <source>Don&apos;t add copied items to history</source>
        <translation>Kopierte Einträge nicht in den Verlauf aufnehmen</translation>
    </message>
    <message>
        <source>Never copy images to clipboard</source>
        <translation>Niemals Bilder in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Ignore images</source>
        <translation>Bilder ignorieren</translation>
    </message>
    <message>
        <source>Always copy as plain text only</source>
        <translation>Immer nur als reinen Text kopieren</translation>
    </message>
    <message>
        <source>Plain text only</source>
        <translation>Nur reiner Text</translation>
    </message>
    <message>
        <source>Clear style from text</source>
        <translation>Formatierung aus dem Text entfernen</translation>
    </message>
    <message>
        <source>Clear style</source>
        <translation>Formatierung entfernen</translation>
    </message>
    <message>
        <source>Do not expand keywords</source>
        <translation>Kürzel nicht ersetzen</translation>
    </message>
    <message>
        <source>Don&apos;t expand keywords</source>
        <translation>Kürzel nicht ersetzen</translation>
    </message>
    <message>
        <source>Delay text expansion for %1 ms</source>
        <translation>Textersetzung um %1 ms verzögern</translation>
    </message>
    <message>
        <source>Set text expansion delay...</source>
        <translation>Verzögerung der Textersetzung festlegen …</translation>
    </message>
</context>
<context>
    <name>ClipboardListener</name>
    <message>
        <source>The copied picture (%1 x %2) was not recorded: it is larger than Kestovan can hold.</source>
        <translation>Das kopierte Bild (%1 x %2) wurde nicht aufgenommen: Es ist größer, als Kestovan verarbeiten kann.</translation>
    </message>
</context>
<context>
    <name>CopyToCache</name>
    <message>
        <source>Unsafe file name %1/%2</source>
        <translation>Unsicherer Dateiname %1/%2</translation>
    </message>
    <message>
        <source>No data folder</source>
        <translation>Kein Datenordner</translation>
    </message>
    <message>
        <source>%1 is not a local file</source>
        <translation>%1 ist keine lokale Datei</translation>
    </message>
    <message>
        <source>The image cannot be written as %1</source>
        <translation>Das Bild kann nicht als %1 geschrieben werden</translation>
    </message>
</context>
<context>
    <name>CustomKeySequenceEdit</name>
    <message>
        <source>Hold Ctrl, Alt or Meta with the key; only F1 to F35 work alone.</source>
        <translation>Halten Sie Strg, Alt oder Meta zusammen mit der Taste; nur F1 bis F35 funktionieren allein.</translation>
    </message>
</context>
<context>
    <name>DelayDialog</name>
    <message>
        <source>Set delay</source>
        <translation>Verzögerung festlegen</translation>
    </message>
    <message>
        <source>Text expansion delay (in ms)</source>
        <translation>Verzögerung der Textersetzung (in ms)</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
</context>
<context>
    <name>Downloader</name>
    <message>
        <source>Downloading</source>
        <translation>Wird heruntergeladen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>EditDialog</name>
    <message>
        <source>Edit clipping</source>
        <translation>Eintrag bearbeiten</translation>
    </message>
</context>
<context>
    <name>HeaderCarousel</name>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Show locked</source>
        <translation>Gesperrte anzeigen</translation>
    </message>
    <message>
        <source>Show recent</source>
        <translation>Neueste anzeigen</translation>
    </message>
    <message>
        <source>Show &apos;%1&apos;</source>
        <translation>„%1“ anzeigen</translation>
    </message>
</context>
<context>
    <name>HistoryContextMenu</name>
    <message>
        <source>Context menu</source>
        <translation>Kontextmenü</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>Reiner Text</translation>
    </message>
    <message>
        <source>Type Text</source>
        <translation>Text tippen</translation>
    </message>
    <message>
        <source>Unstylish text</source>
        <translation>Text ohne Formatierung</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <source>Paste as Image</source>
        <translation>Als Bild einfügen</translation>
    </message>
    <message>
        <source>Paste as File</source>
        <translation>Als Datei einfügen</translation>
    </message>
    <message>
        <source>Extract texts</source>
        <translation>Texte erkennen</translation>
    </message>
    <message>
        <source>Release lock</source>
        <translation>Sperre aufheben</translation>
    </message>
    <message>
        <source>Keep forever</source>
        <translation>Für immer behalten</translation>
    </message>
    <message>
        <source>Add to snippets</source>
        <translation>Zu Textbausteinen hinzufügen</translation>
    </message>
    <message>
        <source>Add to &apos;%1&apos;</source>
        <translation>Zu „%1“ hinzufügen</translation>
    </message>
    <message>
        <source>Run action</source>
        <translation>Aktion ausführen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Paste selected</source>
        <translation>Auswahl einfügen</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenführen</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reihenfolge umkehren</translation>
    </message>
    <message>
        <source>Remove selected</source>
        <translation>Auswahl entfernen</translation>
    </message>
    <message>
        <source>Added to snippets &apos;%1&apos;</source>
        <translation>Zu den Textbausteinen „%1“ hinzugefügt</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Die Aktion „%1“ konnte nicht ausgeführt werden.
%2</translation>
    </message>
</context>
<context>
    <name>HistoryItemModel</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Writing the clippings file failed: </source>
        <translation>Die Verlaufsdatei konnte nicht geschrieben werden: </translation>
    </message>
    <message>
        <source>Failed to read the clippings file: </source>
        <translation>Die Verlaufsdatei konnte nicht gelesen werden: </translation>
    </message>
    <message>
        <source>The clippings file was written by a newer version of Kestovan: </source>
        <translation>Die Verlaufsdatei wurde von einer neueren Version von Kestovan geschrieben: </translation>
    </message>
    <message>
        <source>The clippings file is too large to load: </source>
        <translation>Die Verlaufsdatei ist zu groß zum Laden: </translation>
    </message>
    <message>
        <source>Failed to parse the clippings file: </source>
        <translation>Die Verlaufsdatei konnte nicht eingelesen werden: </translation>
    </message>
    <message>
        <source>An image clipping cannot be saved:</source>
        <translation>Ein Bildeintrag kann nicht gespeichert werden:</translation>
    </message>
    <message>
        <source>The copied text was not recorded: it would make the clippings file larger than the %1 MB Kestovan can read.</source>
        <translation>Der kopierte Text wurde nicht aufgenommen: Die Verlaufsdatei würde damit größer als die %1 MB, die Kestovan lesen kann.</translation>
    </message>
</context>
<context>
    <name>ImageEditDialog</name>
    <message>
        <source>Edit Image</source>
        <translation>Bild bearbeiten</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Draw arrows</source>
        <translation>Pfeile zeichnen</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Pfeil</translation>
    </message>
    <message>
        <source>Draw rectangles</source>
        <translation>Rechtecke zeichnen</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Draw numbers</source>
        <translation>Nummern setzen</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Nummern</translation>
    </message>
    <message>
        <source>Tooltip</source>
        <translation>Sprechblase</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Hervorheben</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Zuschneiden</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
</context>
<context>
    <name>ImageEditGraphicsView</name>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Edit the text</source>
        <translation>Text bearbeiten</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Enter the text</source>
        <translation>Text eingeben</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>The application is not trusted. You are not able to paste to other applications.</source>
        <translation>Die Anwendung ist nicht vertrauenswürdig. Sie können nicht in andere Anwendungen einfügen.</translation>
    </message>
    <message>
        <source>Update for Kestovan is available:

</source>
        <translation>Eine Aktualisierung für Kestovan ist verfügbar:

</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Name: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>
Do you want to upgrade now?</source>
        <translation>
Möchten Sie jetzt aktualisieren?</translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Clipboard Monitor</source>
        <translation>Zwischenablage-Monitor</translation>
    </message>
</context>
<context>
    <name>MonitorList</name>
    <message>
        <source>+%1 bytes more</source>
        <translation>+%1 weitere Bytes</translation>
    </message>
</context>
<context>
    <name>OCR</name>
    <message>
        <source>Extract texts</source>
        <translation>Texte erkennen</translation>
    </message>
    <message>
        <source>Failed to extract texts from the image.

</source>
        <translation>Die Texte konnten nicht aus dem Bild erkannt werden.

</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 ist abgestürzt.</translation>
    </message>
    <message>
        <source>%1 ended with exit code %2.</source>
        <translation>%1 wurde mit dem Exit-Code %2 beendet.</translation>
    </message>
    <message>
        <source>Unable to find any texts in the image.</source>
        <translation>Im Bild wurde kein Text gefunden.</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.</source>
        <translation>%1 ist kein ausführbares Programm.</translation>
    </message>
    <message>
        <source>Kestovan requires a free tool called Tesseract OCR for the extract texts feature.</source>
        <translation>Kestovan benötigt für die Texterkennung das kostenlose Programm Tesseract OCR.</translation>
    </message>
    <message>
        <source>You can install it with your package manager, for example:</source>
        <translation>Sie können es mit Ihrer Paketverwaltung installieren, zum Beispiel:</translation>
    </message>
    <message>
        <source>You can download the tool from here:</source>
        <translation>Sie können das Programm hier herunterladen:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QKeySequenceEdit</name>
    <message>
        <source>Press shortcut</source>
        <translation>Tasten drücken</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Kestovan is already running!</source>
        <translation>Kestovan läuft bereits!</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Failure at line %1: %2</source>
        <translation>Fehler in Zeile %1: %2</translation>
    </message>
    <message>
        <source>Failure: %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>The action script did not finish within %1 seconds.</source>
        <translation>Das Aktionsskript wurde nicht innerhalb von %1 Sekunden fertig.</translation>
    </message>
    <message>
        <source>The action script is not a function.</source>
        <translation>Das Aktionsskript ist keine Funktion.</translation>
    </message>
    <message>
        <source>The script engine could not be loaded: %1</source>
        <translation>Die Skript-Engine konnte nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>The function %1 is missing from %2</source>
        <translation>Die Funktion %1 fehlt in %2</translation>
    </message>
    <message>
        <source>Failed to open: </source>
        <translation>Öffnen fehlgeschlagen: </translation>
    </message>
    <message>
        <source>Failed to parse json: </source>
        <translation>JSON konnte nicht gelesen werden: </translation>
    </message>
    <message>
        <source>The action has been deleted: </source>
        <translation>Die Aktion wurde gelöscht: </translation>
    </message>
    <message>
        <source>A few seconds ago</source>
        <translation>Vor wenigen Sekunden</translation>
    </message>
    <message>
        <source>A minute ago</source>
        <translation>Vor einer Minute</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>Vor %n Minute</numerusform>
            <numerusform>Vor %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>An hour ago</source>
        <translation>Vor einer Stunde</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>Vor %n Stunde</numerusform>
            <numerusform>Vor %n Stunden</numerusform>
        </translation>
    </message>
    <message>
        <source>A day ago</source>
        <translation>Vor einem Tag</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>Vor %n Tag</numerusform>
            <numerusform>Vor %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>The clippings cannot be saved; what is copied now is lost when Kestovan quits.</source>
        <translation>Der Verlauf kann nicht gespeichert werden; was jetzt kopiert wird, geht beim Beenden von Kestovan verloren.</translation>
    </message>
    <message>
        <source>Pasting is not available</source>
        <translation>Einfügen ist nicht möglich</translation>
    </message>
    <message>
        <source>Kestovan pastes into other applications with the XTEST extension of the X server, and this X server does not offer it.

Start the X server with the XTEST extension enabled to paste from Kestovan.</source>
        <translation>Kestovan fügt über die XTEST-Erweiterung des X-Servers in andere Anwendungen ein, und dieser X-Server bietet sie nicht an.

Starten Sie den X-Server mit aktivierter XTEST-Erweiterung, um aus Kestovan einzufügen.</translation>
    </message>
    <message>
        <source>The snippets cannot be saved; changes are lost when Kestovan quits.</source>
        <translation>Die Textbausteine können nicht gespeichert werden; Änderungen gehen beim Beenden von Kestovan verloren.</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Die Aktion „%1“ konnte nicht ausgeführt werden.
%2</translation>
    </message>
    <message>
        <source>The network library could not be loaded: %1</source>
        <translation>Die Netzwerkbibliothek konnte nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation>Eine Kopie wurde aufbewahrt unter </translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and was not read. Kestovan starts with its default settings, and changes made now are lost when it quits.</source>
        <translation>Die Einstellungsdatei %1 ist keine gewöhnliche Datei und wurde nicht gelesen. Kestovan startet mit den Standardeinstellungen; was jetzt geändert wird, geht beim Beenden verloren.</translation>
    </message>
    <message>
        <source>The settings cannot be saved to %1; changes made now are lost when Kestovan quits.</source>
        <translation>Die Einstellungen können nicht in %1 gespeichert werden; was jetzt geändert wird, geht beim Beenden von Kestovan verloren.</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>&amp;Linkadresse kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation>Versionshinweise</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a chain of too many symbolic links</source>
        <translation>%1 ist eine Kette aus zu vielen symbolischen Links</translation>
    </message>
    <message>
        <source>stopped after %1 of %2 bytes: %3</source>
        <translation>abgebrochen nach %1 von %2 Bytes: %3</translation>
    </message>
    <message>
        <source>syncing failed: %1</source>
        <translation>das Schreiben auf den Datenträger ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>checking the size failed: %1</source>
        <translation>die Größe konnte nicht geprüft werden: %1</translation>
    </message>
    <message>
        <source>the file holds %1 of %2 bytes</source>
        <translation>die Datei enthält %1 von %2 Bytes</translation>
    </message>
    <message>
        <source>%1 cannot be opened for writing: %2</source>
        <translation>%1 kann nicht zum Schreiben geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Closing %1 failed: %2</source>
        <translation>%1 konnte nicht geschlossen werden: %2</translation>
    </message>
    <message>
        <source>Renaming %1 to %2 failed: %3</source>
        <translation>%1 konnte nicht in %2 umbenannt werden: %3</translation>
    </message>
    <message>
        <source>Refusing to replace %1 with empty content.</source>
        <translation>%1 wird nicht durch einen leeren Inhalt ersetzt.</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 ist bereits vorhanden</translation>
    </message>
    <message>
        <source>%1 cannot be opened for reading: %2</source>
        <translation>%1 kann nicht zum Lesen geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Reading %1 failed: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 ist nicht vorhanden</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 hat %2 Bytes, mehr als die %3, die eine Datendatei haben darf</translation>
    </message>
    <message>
        <source>%1 would have %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 hätte %2 Bytes, mehr als die %3, die eine Datendatei haben darf</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Textbausteine</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Start automatically</source>
        <translation>Automatisch starten</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Erste</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Zweite</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächste</translation>
    </message>
    <message>
        <source>Update check failed</source>
        <translation>Suche nach Aktualisierungen fehlgeschlagen</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>Keine Aktualisierung verfügbar</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisierung</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Aktionen</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>Always open on mouse location</source>
        <translation>Immer an der Mausposition öffnen</translation>
    </message>
    <message>
        <source>Keep last selected tab</source>
        <translation>Zuletzt gewählten Reiter beibehalten</translation>
    </message>
    <message>
        <source>Open Kestovan</source>
        <translation>Kestovan öffnen</translation>
    </message>
    <message>
        <source>Paste as plain text</source>
        <translation>Als reinen Text einfügen</translation>
    </message>
    <message>
        <source>Paste next from history</source>
        <translation>Nächsten Eintrag aus dem Verlauf einfügen</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Debugging</source>
        <translation>Fehlersuche</translation>
    </message>
    <message>
        <source>Send crash dump files for analysis</source>
        <translation>Absturzberichte zur Auswertung senden</translation>
    </message>
    <message>
        <source>Write debug log</source>
        <translation>Debug-Protokoll schreiben</translation>
    </message>
    <message>
        <source>Show File</source>
        <translation>Datei anzeigen</translation>
    </message>
    <message>
        <source>Clipboard monitor</source>
        <translation>Zwischenablage-Monitor</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Maximal</translation>
    </message>
    <message>
        <source>Items in the history</source>
        <translation>Einträge im Verlauf</translation>
    </message>
    <message>
        <source>Ignore text smaller than</source>
        <translation>Text ignorieren, der kürzer ist als</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>Ignore text larger than</source>
        <translation>Text ignorieren, der größer ist als</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>kB</translation>
    </message>
    <message>
        <source>Initial selection:</source>
        <translation>Anfangsauswahl:</translation>
    </message>
    <message>
        <source>Add images to history</source>
        <translation>Bilder in den Verlauf aufnehmen</translation>
    </message>
    <message>
        <source>Paste from history as plain text</source>
        <translation>Aus dem Verlauf als reinen Text einfügen</translation>
    </message>
    <message>
        <source>Clear history on exit</source>
        <translation>Verlauf beim Beenden leeren</translation>
    </message>
    <message>
        <source>Show compact List</source>
        <translation>Kompakte Liste anzeigen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;There are no applications.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Es gibt keine Anwendungen.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen …</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>Update check</source>
        <translation>Aktualisierungen</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>Auf Updates prüfen</translation>
    </message>
    <message>
        <source>Update now</source>
        <translation>Jetzt aktualisieren</translation>
    </message>
    <message>
        <source>Updated version is available</source>
        <translation>Eine neue Version ist verfügbar</translation>
    </message>
    <message>
        <source>Kestovan, the clipboard manager of the Morva developers.</source>
        <translation>Kestovan, der Zwischenablage-Verwalter der Morva-Entwickler.</translation>
    </message>
    <message>
        <source>Version: %1.%2&lt;br&gt;</source>
        <translation>Version: %1.%2&lt;br&gt;</translation>
    </message>
    <message>
        <source>Build on %1&lt;br&gt;&lt;br&gt;</source>
        <translation>Erstellt am %1&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Feature requests and bug reports can be sent to:&lt;br&gt;</source>
        <translation>Wünsche und Fehlerberichte können gesendet werden an:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Kestovan could not be kept from starting at login: the file %1 could not be removed.</source>
        <translation>Kestovan konnte nicht vom Start bei der Anmeldung abgehalten werden: Die Datei %1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Kestovan could not be set to start at login: the file %1 could not be written.</source>
        <translation>Kestovan konnte nicht für den Start bei der Anmeldung eingerichtet werden: Die Datei %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The size limit must be at least 1 kB: a smaller one would ignore every text. The stored number is kept.</source>
        <translation>Die Größengrenze muss mindestens 1 kB betragen: Eine kleinere würde jeden Text ignorieren. Die gespeicherte Zahl bleibt erhalten.</translation>
    </message>
    <message>
        <source>Type a number of characters. The stored number is kept.</source>
        <translation>Geben Sie eine Anzahl von Zeichen ein. Die gespeicherte Zahl bleibt erhalten.</translation>
    </message>
    <message>
        <source>Keep at least 1 item in the history: fewer would delete every clipping. The stored number is kept.</source>
        <translation>Der Verlauf muss mindestens 1 Eintrag behalten: Weniger würde alle Einträge löschen. Die gespeicherte Zahl bleibt erhalten.</translation>
    </message>
</context>
<context>
    <name>ShortcutDialog</name>
    <message>
        <source>Enter shortcut</source>
        <translation>Tastenkombination eingeben</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Tastenkombination festlegen</translation>
    </message>
</context>
<context>
    <name>SnippetClipDialog</name>
    <message>
        <source>Choose clipping type</source>
        <translation>Art des Eintrags wählen</translation>
    </message>
    <message>
        <source>Clipping type</source>
        <translation>Art des Eintrags</translation>
    </message>
    <message>
        <source>Current clipping</source>
        <translation>Aktueller Eintrag</translation>
    </message>
    <message>
        <source>Clipping from position</source>
        <translation>Eintrag an Position</translation>
    </message>
    <message>
        <source>Clipping that matches</source>
        <translation>Passender Eintrag</translation>
    </message>
    <message>
        <source>Enter regular expression which is matched with the clipping history</source>
        <translation>Regulären Ausdruck eingeben, der mit dem Verlauf abgeglichen wird</translation>
    </message>
</context>
<context>
    <name>SnippetModel</name>
    <message>
        <source>The file holds no Kestovan snippets; nothing was imported.</source>
        <translation>Die Datei enthält keine Kestovan-Textbausteine; es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Writing the snippets file failed: </source>
        <translation>Die Textbausteindatei konnte nicht geschrieben werden: </translation>
    </message>
    <message>
        <source>Failed to read the snippets file: </source>
        <translation>Die Textbausteindatei konnte nicht gelesen werden: </translation>
    </message>
    <message>
        <source>The snippets file was written by a newer version of Kestovan: </source>
        <translation>Die Textbausteindatei wurde von einer neueren Version von Kestovan geschrieben: </translation>
    </message>
    <message>
        <source>Failed to parse the snippets file: </source>
        <translation>Die Textbausteindatei konnte nicht eingelesen werden: </translation>
    </message>
    <message>
        <source>The snippets file is too large to load: </source>
        <translation>Die Textbausteindatei ist zu groß zum Laden: </translation>
    </message>
</context>
<context>
    <name>SnippetsPage</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Only expand keyword after space is pressed</source>
        <translation>Kürzel erst nach einem Leerzeichen ersetzen</translation>
    </message>
    <message>
        <source>Import/Export Snippets</source>
        <translation>Textbausteine importieren/exportieren</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Textbausteine</translation>
    </message>
    <message>
        <source>Add new group</source>
        <translation>Neue Gruppe hinzufügen</translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation>Gruppe entfernen</translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation>Gruppe bearbeiten</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Add new snippet</source>
        <translation>Neuen Textbaustein hinzufügen</translation>
    </message>
    <message>
        <source>Remove snippet</source>
        <translation>Textbaustein entfernen</translation>
    </message>
    <message>
        <source>Edit snippet</source>
        <translation>Textbaustein bearbeiten</translation>
    </message>
    <message>
        <source>Move snippet to other group</source>
        <translation>Textbaustein in andere Gruppe verschieben</translation>
    </message>
    <message>
        <source>Snippet Text</source>
        <translation>Text des Textbausteins</translation>
    </message>
    <message>
        <source>The content is not visible in the list</source>
        <translation>Der Inhalt ist in der Liste nicht sichtbar</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>JSON files (*.json);;All files (*.*);</source>
        <translation>JSON-Dateien (*.json);;Alle Dateien (*.*);</translation>
    </message>
    <message>
        <source>Show content</source>
        <translation>Inhalt anzeigen</translation>
    </message>
    <message>
        <source>Hide content</source>
        <translation>Inhalt ausblenden</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Tastenkombination festlegen</translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation>Tastenkombination entfernen</translation>
    </message>
    <message>
        <source>Set expand keyword</source>
        <translation>Kürzel festlegen</translation>
    </message>
    <message>
        <source>Clear expand keyword</source>
        <translation>Kürzel entfernen</translation>
    </message>
    <message>
        <source>Set keyword</source>
        <translation>Kürzel festlegen</translation>
    </message>
    <message>
        <source>Give the keyword which will be
automatically replaced with the snippet.</source>
        <translation>Geben Sie das Kürzel ein, das automatisch
durch den Textbaustein ersetzt wird.</translation>
    </message>
    <message>
        <source>Clipping...</source>
        <translation>Eintrag …</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Cursorposition</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Save snippets</source>
        <translation>Textbausteine speichern</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>Fehler beim Exportieren</translation>
    </message>
    <message>
        <source>Failed to export the snippets to </source>
        <translation>Die Textbausteine konnten nicht exportiert werden nach </translation>
    </message>
    <message>
        <source>Load snippets</source>
        <translation>Textbausteine laden</translation>
    </message>
    <message>
        <source>Import error</source>
        <translation>Fehler beim Importieren</translation>
    </message>
    <message>
        <source>Failed to import the snippets from </source>
        <translation>Die Textbausteine konnten nicht importiert werden aus </translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation>Die Datei ist kein gültiges JSON: %1 bei Byte %2.</translation>
    </message>
</context>
<context>
    <name>Sync</name>
    <message>
        <source>Google Drive sync is not available: this build has no Google client id and secret.</source>
        <translation>Die Synchronisierung mit Google Drive ist nicht verfügbar: Dieser Build hat keine Google-Client-ID und kein Client-Geheimnis.</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>Wird synchronisiert …</translation>
    </message>
    <message>
        <source>Synchronization failed.</source>
        <translation>Synchronisierung fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Synchronization skipped a damaged file: %1</source>
        <translation>Die Synchronisierung hat eine beschädigte Datei übersprungen: %1</translation>
    </message>
    <message>
        <source>Synchronization successful.</source>
        <translation>Synchronisierung erfolgreich.</translation>
    </message>
    <message>
        <source>Google Drive sync is not available: %1</source>
        <translation>Die Synchronisierung mit Google Drive ist nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>Decryption failed for %1: the passphrases of your computers may differ.</source>
        <translation>Entschlüsselung von %1 fehlgeschlagen: Die Passphrasen Ihrer Computer unterscheiden sich möglicherweise.</translation>
    </message>
    <message>
        <source>Synchronization refused what is not encrypted while encryption is on: %1</source>
        <translation>Da die Verschlüsselung eingeschaltet ist, hat die Synchronisierung Unverschlüsseltes abgelehnt: %1</translation>
    </message>
    <message>
        <source>Synchronization is not working: the sync folder %1 cannot be found.</source>
        <translation>Die Synchronisierung funktioniert nicht: Der Synchronisierungsordner %1 wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>SyncLocalFolder</name>
    <message>
        <source>Select sync target folder</source>
        <translation>Zielordner für die Synchronisierung wählen</translation>
    </message>
</context>
<context>
    <name>SyncLogDialog</name>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>Protokoll leeren</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save sync log</source>
        <translation>Synchronisierungsprotokoll speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*);</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*.*);</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>Failed to save the sync log to </source>
        <translation>Das Synchronisierungsprotokoll konnte nicht gespeichert werden unter </translation>
    </message>
</context>
<context>
    <name>SyncReplyPage</name>
    <message>
        <source>Authentication succeeded!</source>
        <translation>Anmeldung erfolgreich!</translation>
    </message>
    <message>
        <source>Authentication failed!</source>
        <translation>Anmeldung fehlgeschlagen!</translation>
    </message>
    <message>
        <source>You may close the browser window now.</source>
        <translation>Sie können das Browserfenster jetzt schließen.</translation>
    </message>
</context>
<context>
    <name>SyncSettings</name>
    <message>
        <source>Select where do you want to sync the data:</source>
        <translation>Wählen Sie, wohin die Daten synchronisiert werden sollen:</translation>
    </message>
    <message>
        <source>&lt;b&gt;Google Drive Sync&lt;/b&gt; stores the data to the application specific folder in your personal Google account.</source>
        <translation>&lt;b&gt;Google-Drive-Synchronisierung&lt;/b&gt; speichert die Daten im programmeigenen Ordner Ihres persönlichen Google-Kontos.</translation>
    </message>
    <message>
        <source>Sync with Google Drive</source>
        <translation>Mit Google Drive synchronisieren</translation>
    </message>
    <message>
        <source>&lt;b&gt;Local Folder Sync&lt;/b&gt; makes it possible to share the data between computers e.g. via Dropbox or network drive.</source>
        <translation>&lt;b&gt;Ordner-Synchronisierung&lt;/b&gt; teilt die Daten zwischen Computern, z. B. über Dropbox oder ein Netzlaufwerk.</translation>
    </message>
    <message>
        <source>Sync with Local Folder</source>
        <translation>Mit einem Ordner synchronisieren</translation>
    </message>
    <message>
        <source>Stop synchronizing the data</source>
        <translation>Synchronisierung beenden</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisierung</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Full Sync</source>
        <translation>Abgleichen</translation>
    </message>
    <message>
        <source>Sync status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Sync clipboard history</source>
        <translation>Verlauf synchronisieren</translation>
    </message>
    <message>
        <source>Sync snippets</source>
        <translation>Textbausteine synchronisieren</translation>
    </message>
    <message>
        <source>Sync actions</source>
        <translation>Aktionen synchronisieren</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Verschlüsselung</translation>
    </message>
    <message>
        <source>Encrypt data</source>
        <translation>Daten verschlüsseln</translation>
    </message>
    <message>
        <source>Passphrase:</source>
        <translation>Passphrase:</translation>
    </message>
    <message>
        <source>Sync Target Folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Connected Clients</source>
        <translation>Verbundene Geräte</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Keine Verbindung</translation>
    </message>
    <message>
        <source>Last success</source>
        <translation>Zuletzt erfolgreich</translation>
    </message>
    <message>
        <source>Not synchronized</source>
        <translation>Nicht synchronisiert</translation>
    </message>
    <message>
        <source>Encryption needs a passphrase.</source>
        <translation>Die Verschlüsselung braucht eine Passphrase.</translation>
    </message>
    <message>
        <source>Please authorize Kestovan to access your Google Drive on the browser.</source>
        <translation>Bitte erlauben Sie Kestovan im Browser den Zugriff auf Ihr Google Drive.</translation>
    </message>
    <message>
        <source>Please choose the sync folder.</source>
        <translation>Bitte wählen Sie den Ordner für die Synchronisierung.</translation>
    </message>
    <message>
        <source>Show log</source>
        <translation>Protokoll zeigen</translation>
    </message>
    <message>
        <source>The remote data will be overwritten with your local content. Are you sure you want to continue?</source>
        <translation>Die entfernten Daten werden mit Ihren lokalen Inhalten überschrieben. Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>All your local content will be overwritten with the remote data. Are you sure you want to continue?</source>
        <translation>Alle Ihre lokalen Inhalte werden mit den entfernten Daten überschrieben. Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>Failed to connect to the notification server.</source>
        <translation>Die Verbindung zum Benachrichtigungsserver ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>No connection to the notification server.</source>
        <translation>Keine Verbindung zum Benachrichtigungsserver.</translation>
    </message>
</context>
</TS>
