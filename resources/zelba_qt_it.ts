<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Italian for the texts of Qt's own dialogs that Qt's catalogue (qtbase_it)
     leaves in English: the printer dialog, its "Proprietà" window and the
     file chooser of "Stampa su file". Loaded after qtbase_it. -->
<TS version="2.1" language="it_IT">
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Pagine</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Specifica pagine o intervalli separati da virgole. Un intervallo è dato da due numeri separati da un trattino. Ad es.: 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Stampa fronte/retro</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Disattivata</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Rilegatura sul lato lungo</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Rilegatura sul lato corto</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Pagine indicate non valide</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 non rispetta la sintassi. Usa &apos;,&apos; per separare intervalli e pagine, &apos;-&apos; per indicare un intervallo, e fai in modo che gli intervalli non si sovrappongano.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Conflitti nella stampa fronte/retro</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Le impostazioni della stampa fronte/retro sono in conflitto. Vuoi correggerle?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Avanzate</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Alcune opzioni sono in conflitto. Correggile.</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Conflitti nell&apos;impostazione della pagina</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Alcune opzioni della pagina sono in conflitto. Vuoi correggerle?</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Conflitti nelle opzioni avanzate</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Alcune opzioni avanzate sono in conflitto. Vuoi correggerle?</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Unità</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Cartella</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Sconosciuto</translation>
    </message>
</context>
</TS>
