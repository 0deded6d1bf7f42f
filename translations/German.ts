<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation>Versionshinweise</translation>
    </message>
</context>
</TS>
