<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>LessonClipboard</name>
    <message>
        <source>The copied items cannot be pasted.</source>
        <translation>Die kopierten Elemente können nicht eingefügt werden.</translation>
    </message>
    <message>
        <source>The record of the last copy is missing or damaged. Nothing was changed; copy the items again.</source>
        <translation>Die Aufzeichnung des letzten Kopiervorgangs fehlt oder ist beschädigt. Es wurde nichts geändert; kopieren Sie die Elemente erneut.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The copied items no longer exist.</source>
        <translation>Die kopierten Elemente sind nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>They were pasted, cut or deleted since they were copied. Nothing was changed.</source>
        <translation>Sie wurden seit dem Kopieren eingefügt, ausgeschnitten oder gelöscht. Es wurde nichts geändert.</translation>
    </message>
</context>
<context>
    <name>LexotraceApplication</name>
    <message>
        <source>Lexotrace is already running.</source>
        <translation>Lexotrace wird bereits ausgeführt.</translation>
    </message>
    <message>
        <source>The running copy does not answer. Quit it before you start Lexotrace again.</source>
        <translation>Die laufende Instanz antwortet nicht. Beenden Sie sie, bevor Sie Lexotrace erneut starten.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Lexotrace was ended before your changes to the lessons could be saved.</source>
        <translation>Lexotrace wurde beendet, bevor Ihre Änderungen an den Lektionen gesichert werden konnten.</translation>
    </message>
    <message>
        <source>Lexotrace was ended before your changes to the rules could be saved.</source>
        <translation>Lexotrace wurde beendet, bevor Ihre Änderungen an den Regeln gesichert werden konnten.</translation>
    </message>
    <message>
        <source>They were kept in “%1”. Restore them in place of what was last saved?</source>
        <translation>Sie wurden in „%1“ aufbewahrt. Sollen sie anstelle des zuletzt Gesicherten wiederhergestellt werden?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Don’t Restore</source>
        <translation>Nicht wiederherstellen</translation>
    </message>
    <message>
        <source>The changes could not be restored.</source>
        <translation>Die Änderungen konnten nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>%1
They are still in “%2”.</source>
        <translation>%1
Sie sind weiterhin in „%2“.</translation>
    </message>
</context>
<context>
    <name>PayloadFile</name>
    <message>
        <source>The folder “%1” could not be created.</source>
        <translation>Der Ordner „%1“ konnte nicht erstellt werden.</translation>
    </message>
</context>
<context>
    <name>Printing</name>
    <message>
        <source>The print scale must be positive.</source>
        <translation>Der Druckmaßstab muss positiv sein.</translation>
    </message>
    <message>
        <source>The page does not take margins of that size.</source>
        <translation>Ränder dieser Größe passen nicht auf die Seite.</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The printer could not start a new page.</source>
        <translation>Der Drucker konnte keine neue Seite beginnen.</translation>
    </message>
    <message>
        <source>The printer could not finish the document.</source>
        <translation>Der Drucker konnte das Dokument nicht abschließen.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>About Lexotrace</source>
        <translation>Über Lexotrace</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Learn from your own spelling mistakes: Lexotrace matches the corrections Typewarden captures against a graded spelling course.</source>
        <translation>Lernen Sie aus Ihren eigenen Rechtschreibfehlern: Lexotrace gleicht die von Typewarden erfassten Korrekturen mit einem gestuften Rechtschreibkurs ab.</translation>
    </message>
    <message>
        <source>Word %1</source>
        <translation>Wort %1</translation>
    </message>
    <message>
        <source>Bit %1</source>
        <translation>Merkstelle %1</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The rules store is not available.</source>
        <translation>Der Regelspeicher ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>The file “%1” is not an error list: it holds %2 objects.</source>
        <translation>Die Datei „%1“ ist keine Fehlerliste: Sie enthält Objekte vom Typ %2.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be found.</source>
        <translation>Die Datei „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>No store file was named.</source>
        <translation>Es wurde keine Speicherdatei angegeben.</translation>
    </message>
    <message>
        <source>This store coordinator has no store.</source>
        <translation>Dieser Speicherkoordinator hat keinen Speicher.</translation>
    </message>
    <message>
        <source>The store “%1” is read-only.</source>
        <translation>Der Speicher „%1“ ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it isn’t in the correct format.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden, da sie nicht das richtige Format hat.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened: %2</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be saved: %2</source>
        <translation>Die Datei „%1“ konnte nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ScriptEngine</name>
    <message>
        <source>The script ran longer than %1 seconds and was stopped.</source>
        <translation>Das Skript lief länger als %1 Sekunden und wurde angehalten.</translation>
    </message>
    <message>
        <source>Can&apos;t count %1.</source>
        <translation>%1 kann nicht gezählt werden.</translation>
    </message>
    <message>
        <source>Only a property of an object can be set.</source>
        <translation>Es kann nur eine Eigenschaft eines Objekts festgelegt werden.</translation>
    </message>
    <message>
        <source>Access not allowed: the program&apos;s own properties cannot be set.</source>
        <translation>Zugriff nicht erlaubt: Die eigenen Eigenschaften des Programms können nicht festgelegt werden.</translation>
    </message>
    <message>
        <source>duplicate</source>
        <translation>duplicate</translation>
    </message>
    <message>
        <source>move</source>
        <translation>move</translation>
    </message>
    <message>
        <source>move to</source>
        <translation>move to</translation>
    </message>
    <message>
        <source>Objects can be moved to one object only.</source>
        <translation>Objekte können nur in ein einziges Objekt verschoben werden.</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>delete</translation>
    </message>
    <message>
        <source>Can&apos;t get %1.</source>
        <translation>%1 kann nicht abgerufen werden.</translation>
    </message>
    <message>
        <source>Can&apos;t get the objects of %1: it is a property.</source>
        <translation>Die Objekte von %1 können nicht abgerufen werden: Das ist eine Eigenschaft.</translation>
    </message>
    <message>
        <source>An id is a text.</source>
        <translation>Eine id ist ein Text.</translation>
    </message>
    <message>
        <source>Can&apos;t get %1. Invalid index.</source>
        <translation>%1 kann nicht abgerufen werden. Ungültiger Index.</translation>
    </message>
    <message>
        <source>Can&apos;t %1 that: it is not an object.</source>
        <translation>%1 ist hier nicht möglich: Das ist kein Objekt.</translation>
    </message>
    <message>
        <source>Can&apos;t make an object at %1.</source>
        <translation>An der Stelle %1 kann kein Objekt erstellt werden.</translation>
    </message>
    <message>
        <source>Can&apos;t make an object in more than one place.</source>
        <translation>Ein Objekt kann nicht an mehreren Stellen zugleich erstellt werden.</translation>
    </message>
    <message>
        <source>Can&apos;t make an object at %1: it is not in that list.</source>
        <translation>An der Stelle %1 kann kein Objekt erstellt werden: Sie liegt nicht in dieser Liste.</translation>
    </message>
    <message>
        <source>Can&apos;t make %1 into a record.</source>
        <translation>%1 kann nicht in einen Datensatz umgewandelt werden.</translation>
    </message>
    <message>
        <source>Can&apos;t make %1 into a whole number.</source>
        <translation>%1 kann nicht in eine ganze Zahl umgewandelt werden.</translation>
    </message>
</context>
<context>
    <name>ScriptParser</name>
    <message>
        <source>the end of the script</source>
        <translation>das Ende des Skripts</translation>
    </message>
    <message>
        <source>the end of the line</source>
        <translation>das Zeilenende</translation>
    </message>
    <message>
        <source>Syntax error at line %1, column %2: expected %3 but found %4.</source>
        <translation>Syntaxfehler in Zeile %1, Spalte %2: %3 erwartet, aber %4 gefunden.</translation>
    </message>
    <message>
        <source>Syntax error at line %1, column %2: a text is not closed.</source>
        <translation>Syntaxfehler in Zeile %1, Spalte %2: Ein Text ist nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>a word, a number or a text</source>
        <translation>ein Wort, eine Zahl oder einen Text</translation>
    </message>
    <message>
        <source>a reference or a value</source>
        <translation>einen Verweis oder einen Wert</translation>
    </message>
    <message>
        <source>“%1” is not a word this program knows (line %2, column %3).</source>
        <translation>„%1“ ist kein Wort, das dieses Programm kennt (Zeile %2, Spalte %3).</translation>
    </message>
    <message>
        <source>a simpler value (lists and brackets nest %1 deep at most)</source>
        <translation>einen einfacheren Wert (Listen und Klammern lassen sich höchstens %1 Ebenen tief verschachteln)</translation>
    </message>
    <message>
        <source>a date such as &quot;2026-12-07T10:30:00Z&quot;</source>
        <translation>ein Datum wie &quot;2026-12-07T10:30:00Z&quot;</translation>
    </message>
    <message>
        <source>a property name</source>
        <translation>einen Eigenschaftsnamen</translation>
    </message>
    <message>
        <source>“,” or “}”</source>
        <translation>„,“ oder „}“</translation>
    </message>
    <message>
        <source>the name of a kind of object</source>
        <translation>den Namen einer Objektart</translation>
    </message>
    <message>
        <source>an index, “id” or “every”</source>
        <translation>einen Index, „id“ oder „every“</translation>
    </message>
</context>
<context>
    <name>WordPairScripting</name>
    <message>
        <source>Access not allowed.</source>
        <translation>Zugriff nicht erlaubt.</translation>
    </message>
    <message>
        <source>A time stamp is a date.</source>
        <translation>Ein Zeitstempel ist ein Datum.</translation>
    </message>
    <message>
        <source>A spelling is a text.</source>
        <translation>Eine Schreibweise ist ein Text.</translation>
    </message>
</context>
<context>
    <name>lexotrace::AnalysisRowsModel</name>
    <message>
        <source>Correct spelling</source>
        <translation>Richtige Schreibweise</translation>
    </message>
    <message>
        <source>Misspelling</source>
        <translation>Falschschreibung</translation>
    </message>
    <message>
        <source>General rule</source>
        <translation>Allgemeine Regel</translation>
    </message>
    <message>
        <source>Lesson</source>
        <translation>Lektion</translation>
    </message>
</context>
<context>
    <name>lexotrace::AnalysisTableView</name>
    <message>
        <source>Open Lesson</source>
        <translation>Lektion öffnen</translation>
    </message>
</context>
<context>
    <name>lexotrace::AnalysisWindowController</name>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken…</translation>
    </message>
    <message>
        <source>The dragged word could not be saved in your documents folder.</source>
        <translation>Das gezogene Wort konnte nicht in Ihrem Dokumentordner gespeichert werden.</translation>
    </message>
    <message>
        <source>%1
%2

Dropping it on the lessons window still works.</source>
        <translation>%1
%2

Sie können es aber weiterhin auf dem Lektionsfenster ablegen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Your word error list is empty.</source>
        <translation>Ihre Wortfehlerliste ist leer.</translation>
    </message>
    <message>
        <source>Check to make sure you have any word errors in your Typewarden list.</source>
        <translation>Prüfen Sie, ob Ihre Typewarden-Liste Wortfehler enthält.</translation>
    </message>
</context>
<context>
    <name>lexotrace::DataSource</name>
    <message>
        <source>The store is not available.</source>
        <translation>Der Speicher ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>The %1 store could not be opened.</source>
        <translation>Der Speicher für %1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>%1

The file has been left as it is; nothing will be written to it.
%2</source>
        <translation>%1

Die Datei wurde unverändert gelassen; es wird nichts in sie geschrieben.
%2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Failed to load new core data from xml backup</source>
        <translation>Neue Daten konnten nicht aus der XML-Sicherung geladen werden</translation>
    </message>
    <message>
        <source>Could not save changes while quitting. Quit anyway?</source>
        <translation>Die Änderungen konnten beim Beenden nicht gespeichert werden. Trotzdem beenden?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>lexotrace::GeneralRuleTextView</name>
    <message>
        <source>General rule</source>
        <translation>Allgemeine Regel</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
</context>
<context>
    <name>lexotrace::LXMainAppController</name>
    <message>
        <source>&amp;Lexotrace</source>
        <translation>&amp;Lexotrace</translation>
    </message>
    <message>
        <source>&amp;About Lexotrace</source>
        <translation>Ü&amp;ber Lexotrace</translation>
    </message>
    <message>
        <source>&amp;Quit Lexotrace</source>
        <translation>Lexotrace &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation>Fenster &amp;schließen</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>Spelling Error &amp;Analysis</source>
        <translation>Rechtschreibfehler-&amp;Analyse</translation>
    </message>
    <message>
        <source>Spelling &amp;Lessons</source>
        <translation>Rechtschreib&amp;lektionen</translation>
    </message>
    <message>
        <source>Spelling &amp;Rules</source>
        <translation>Rechtschreib&amp;regeln</translation>
    </message>
    <message>
        <source>Word &amp;Bits Dictionary</source>
        <translation>&amp;Merkstellen-Wörterbuch</translation>
    </message>
</context>
<context>
    <name>lexotrace::LessonCoreDataAppDelegate</name>
    <message>
        <source>lessons</source>
        <translation>Lektionen</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>A file containing the spelling Lessons data is missing from your application resource directory. An original one will be placed there. If you have modified and exported a Lessons data file, you may wish to replace this install so that your ammended file is employed.</source>
        <translation>Im Ressourcenverzeichnis des Programms fehlt eine Datei mit den Daten der Rechtschreiblektionen. Eine Originaldatei wird dort abgelegt. Falls Sie eine Lektionsdatei geändert und exportiert haben, können Sie diese installierte Datei ersetzen, damit Ihre geänderte Datei verwendet wird.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>lexotrace::LessonWindowDelegate</name>
    <message>
        <source>Over write?</source>
        <translation>Überschreiben?</translation>
    </message>
    <message>
        <source>Your current changes will be preserved.</source>
        <translation>Ihre aktuellen Änderungen bleiben erhalten.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The lessons were saved, but their XML copy could not be written.</source>
        <translation>Die Lektionen wurden gespeichert, aber ihre XML-Kopie konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Overwrite before closing?</source>
        <translation>Vor dem Schließen überschreiben?</translation>
    </message>
</context>
<context>
    <name>lexotrace::LexotraceScriptModel</name>
    <message>
        <source>Can&apos;t get the object with id &quot;%1&quot;.</source>
        <translation>Das Objekt mit id &quot;%1&quot; kann nicht abgerufen werden.</translation>
    </message>
    <message>
        <source>There is no such list there.</source>
        <translation>Dort gibt es keine solche Liste.</translation>
    </message>
    <message>
        <source>The store is not open.</source>
        <translation>Der Speicher ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Can&apos;t get that object: it is not of that kind.</source>
        <translation>Dieses Objekt kann nicht abgerufen werden: Es ist nicht von dieser Art.</translation>
    </message>
    <message>
        <source>Lexotrace has no such property.</source>
        <translation>Lexotrace hat keine solche Eigenschaft.</translation>
    </message>
    <message>
        <source>Can&apos;t get that property of this object.</source>
        <translation>Diese Eigenschaft des Objekts kann nicht abgerufen werden.</translation>
    </message>
    <message>
        <source>Access not allowed.</source>
        <translation>Zugriff nicht erlaubt.</translation>
    </message>
    <message>
        <source>That is not a number.</source>
        <translation>Das ist keine Zahl.</translation>
    </message>
    <message>
        <source>That is not a text.</source>
        <translation>Das ist kein Text.</translation>
    </message>
    <message>
        <source>Can&apos;t create this object without a destination (e.g. level 6.)</source>
        <translation>Dieses Objekt kann nicht ohne Ziel erstellt werden (z. B. level 6.)</translation>
    </message>
    <message>
        <source>Lexotrace can&apos;t make that.</source>
        <translation>Lexotrace kann das nicht erstellen.</translation>
    </message>
    <message>
        <source>Can&apos;t make this object there: give a place such as &quot;at end of %1 of ...&quot;.</source>
        <translation>Dieses Objekt kann dort nicht erstellt werden: Geben Sie eine Stelle an, etwa &quot;at end of %1 of ...&quot;.</translation>
    </message>
    <message>
        <source>Each word bit set is a text of up to five words, each followed by its bit: &quot;cat/a/hat/a&quot;.</source>
        <translation>Jeder Eintrag in word bit sets ist ein Text aus bis zu fünf Wörtern, jeweils gefolgt von seiner Merkstelle: &quot;cat/a/hat/a&quot;.</translation>
    </message>
    <message>
        <source>The word bit sets are a list of texts.</source>
        <translation>Die Eigenschaft word bit sets ist eine Liste von Texten.</translation>
    </message>
    <message>
        <source>Lexotrace can&apos;t duplicate that.</source>
        <translation>Lexotrace kann das nicht duplizieren.</translation>
    </message>
    <message>
        <source>Lexotrace got an error</source>
        <translation>In Lexotrace ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>Can&apos;t move objects because some object doesn&apos;t exist.</source>
        <translation>Die Objekte können nicht verschoben werden, da ein Objekt nicht existiert.</translation>
    </message>
    <message>
        <source>Moving level(s) is not allowed. Try duplicating level(s) using the level number parameter.</source>
        <translation>Das Verschieben von Stufen ist nicht erlaubt. Duplizieren Sie die Stufe(n) stattdessen mit dem Parameter level number.</translation>
    </message>
    <message>
        <source>The lessons could not be saved.</source>
        <translation>Die Lektionen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Lexotrace doesn&apos;t understand that command.</source>
        <translation>Lexotrace versteht diesen Befehl nicht.</translation>
    </message>
</context>
<context>
    <name>lexotrace::RelatedWordsArrayController</name>
    <message>
        <source>Please create a unit rule for your imported word.</source>
        <translation>Bitte legen Sie eine Einheitsregel für Ihr importiertes Wort an.</translation>
    </message>
    <message>
        <source>If none of the rules showing are appropriate, you may create a new one.</source>
        <translation>Wenn keine der angezeigten Regeln passt, können Sie eine neue anlegen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellBitsTableView</name>
    <message>
        <source>Word bits</source>
        <translation>Merkstellen</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellBitsWindowController</name>
    <message>
        <source>Word Bits Dictionary</source>
        <translation>Merkstellen-Wörterbuch</translation>
    </message>
    <message>
        <source>Look up a word</source>
        <translation>Wort nachschlagen</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Wort</translation>
    </message>
    <message>
        <source>Open Lesson</source>
        <translation>Lektion öffnen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellErrorAnalysisController</name>
    <message>
        <source>Spelling Error Analysis</source>
        <translation>Rechtschreibfehler-Analyse</translation>
    </message>
    <message>
        <source>The lessons store is not available.</source>
        <translation>Der Lektionsspeicher ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>Loading the lessons and your word pairs…</source>
        <translation>Lektionen und Ihre Wortpaare werden geladen…</translation>
    </message>
    <message>
        <source>Your word error list could not be read.</source>
        <translation>Ihre Wortfehlerliste konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1

The file was left as it is.</source>
        <translation>%1

Die Datei wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellLessonsWindowController</name>
    <message>
        <source>Spelling Lessons</source>
        <translation>Rechtschreiblektionen</translation>
    </message>
    <message>
        <source>Orthova lessons</source>
        <translation>Orthova-Lektionen</translation>
    </message>
    <message>
        <source>Your import file will over-write current lesson data. Are you sure you wish to proceed?</source>
        <translation>Ihre Importdatei überschreibt die aktuellen Lektionsdaten. Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>No lessons file has been exported yet: export the lessons once, edit that file, then import it.</source>
        <translation>Es wurde noch keine Lektionsdatei exportiert: Exportieren Sie die Lektionen einmal, bearbeiten Sie diese Datei und importieren Sie sie dann.</translation>
    </message>
    <message>
        <source>The file “%1” holds no lessons.</source>
        <translation>Die Datei „%1“ enthält keine Lektionen.</translation>
    </message>
    <message>
        <source>The lessons are left as they were.</source>
        <translation>Die Lektionen bleiben unverändert.</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Add level</source>
        <translation>Stufe hinzufügen</translation>
    </message>
    <message>
        <source>Remove level</source>
        <translation>Stufe entfernen</translation>
    </message>
    <message>
        <source>Insert unit</source>
        <translation>Einheit einfügen</translation>
    </message>
    <message>
        <source>Remove unit</source>
        <translation>Einheit entfernen</translation>
    </message>
    <message>
        <source>Rule code</source>
        <translation>Regelcode</translation>
    </message>
    <message>
        <source>General rule</source>
        <translation>Allgemeine Regel</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Abschnitt</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>Abschnitte</translation>
    </message>
    <message>
        <source>Related words</source>
        <translation>Verwandte Wörter</translation>
    </message>
    <message>
        <source>Insert section</source>
        <translation>Abschnitt einfügen</translation>
    </message>
    <message>
        <source>Remove section</source>
        <translation>Abschnitt entfernen</translation>
    </message>
    <message>
        <source>Insert row</source>
        <translation>Zeile einfügen</translation>
    </message>
    <message>
        <source>Remove row</source>
        <translation>Zeile entfernen</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Export Lessons…</source>
        <translation>Lektionen exportieren…</translation>
    </message>
    <message>
        <source>Import Lessons…</source>
        <translation>Lektionen importieren…</translation>
    </message>
    <message>
        <source>Print Lesson…</source>
        <translation>Lektion drucken…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
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
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Edit lesson</source>
        <translation>Lektion bearbeiten</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellRuleCoreDataAppDelegate</name>
    <message>
        <source>rules</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>A file containing the spelling rules is missing from your application resource directory. An original one will be placed there. If you have modified and exported a rules file, you may wish to replace this install so that your ammended file is employed.</source>
        <translation>Im Ressourcenverzeichnis des Programms fehlt eine Datei mit den Rechtschreibregeln. Eine Originaldatei wird dort abgelegt. Falls Sie eine Regeldatei geändert und exportiert haben, können Sie diese installierte Datei ersetzen, damit Ihre geänderte Datei verwendet wird.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellRulesTableView</name>
    <message>
        <source>Rules</source>
        <translation>Regeln</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellRulesWindowController</name>
    <message>
        <source>Spelling Rules</source>
        <translation>Rechtschreibregeln</translation>
    </message>
    <message>
        <source>Orthova rules</source>
        <translation>Orthova-Regeln</translation>
    </message>
    <message>
        <source>Exporting rules...</source>
        <translation>Regeln werden exportiert...</translation>
    </message>
    <message>
        <source>Your import file will over-write your current Rules data. Are you sure you wish to proceed?</source>
        <translation>Ihre Importdatei überschreibt Ihre aktuellen Regeldaten. Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>No rules file has been exported yet: export the rules once, edit that file, then import it.</source>
        <translation>Es wurde noch keine Regeldatei exportiert: Exportieren Sie die Regeln einmal, bearbeiten Sie diese Datei und importieren Sie sie dann.</translation>
    </message>
    <message>
        <source>The file “%1” holds no rules.</source>
        <translation>Die Datei „%1“ enthält keine Regeln.</translation>
    </message>
    <message>
        <source>The rules are left as they were.</source>
        <translation>Die Regeln bleiben unverändert.</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Lessons</source>
        <translation>Lektionen</translation>
    </message>
    <message>
        <source>Lessons of the rule</source>
        <translation>Lektionen zu dieser Regel</translation>
    </message>
    <message>
        <source>Add rule</source>
        <translation>Regel hinzufügen</translation>
    </message>
    <message>
        <source>Delete rule</source>
        <translation>Regel löschen</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Export Rules…</source>
        <translation>Regeln exportieren…</translation>
    </message>
    <message>
        <source>Import Rules…</source>
        <translation>Regeln importieren…</translation>
    </message>
    <message>
        <source>Print Rules…</source>
        <translation>Regeln drucken…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
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
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>lexotrace::SpellRulesWindowDelegate</name>
    <message>
        <source>Over write?</source>
        <translation>Überschreiben?</translation>
    </message>
    <message>
        <source>Requesting user&apos;s permission to destroy old data by saving the new data.</source>
        <translation>Beim Speichern der neuen Daten werden die alten Daten überschrieben.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The rules could not be printed.</source>
        <translation>Die Regeln konnten nicht gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>lexotrace::UnitsArrayController</name>
    <message>
        <source>There is no lessons store.</source>
        <translation>Es gibt keinen Lektionsspeicher.</translation>
    </message>
</context>
<context>
    <name>lexotrace::XmlExchange</name>
    <message>
        <source>The file could not be written.</source>
        <translation>Die Datei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>platform::ObjectContext</name>
    <message>
        <source>This store coordinator has no store.</source>
        <translation>Dieser Speicherkoordinator hat keinen Speicher.</translation>
    </message>
    <message>
        <source>The entity “%1” is not in the model.</source>
        <translation>Die Entität „%1“ ist nicht im Modell enthalten.</translation>
    </message>
    <message>
        <source>No object with the ID %1.</source>
        <translation>Kein Objekt mit der ID %1.</translation>
    </message>
    <message>
        <source>The store “%1” has no numbers left for new objects.</source>
        <translation>Der Speicher „%1“ hat keine Nummern mehr für neue Objekte.</translation>
    </message>
</context>
<context>
    <name>platform::WindowController</name>
    <message>
        <source>Window</source>
        <translation>Fenster</translation>
    </message>
</context>
<context>
    <name>typewarden::ComparisonScript</name>
    <message>
        <source>A resource to run Typewarden needs to be installed in your private scripts folder.</source>
        <translation>Eine Ressource, die Typewarden zum Ausführen benötigt, muss in Ihrem privaten Skriptordner installiert werden.</translation>
    </message>
    <message>
        <source>May I open this folder to assist installation?</source>
        <translation>Soll dieser Ordner geöffnet werden, um die Installation zu erleichtern?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Please click &apos;Select&apos; to install in this &apos;%1&apos; folder</source>
        <translation>Klicken Sie bitte auf &apos;Auswählen&apos;, um im Ordner &apos;%1&apos; zu installieren</translation>
    </message>
    <message>
        <source>Script Installed</source>
        <translation>Skript installiert</translation>
    </message>
    <message>
        <source>The Automation script was installed successfully.</source>
        <translation>Das Automatisierungsskript wurde erfolgreich installiert.</translation>
    </message>
</context>
<context>
    <name>typewarden::PreferencesWindowController</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Launch Typewarden at login</source>
        <translation>Typewarden bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Show the list window at start-up</source>
        <translation>Listenfenster beim Start anzeigen</translation>
    </message>
    <message>
        <source>Beep when a correction is captured</source>
        <translation>Signalton beim Erfassen einer Korrektur</translation>
    </message>
    <message>
        <source>Keep typed corrections without confirmation</source>
        <translation>Getippte Korrekturen ohne Bestätigung übernehmen</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Watch TextEdit</source>
        <translation>TextEdit überwachen</translation>
    </message>
    <message>
        <source>Text editors such as gedit, Kate or Mousepad</source>
        <translation>Texteditoren wie gedit, Kate oder Mousepad</translation>
    </message>
    <message>
        <source>Watch Pages</source>
        <translation>Pages überwachen</translation>
    </message>
    <message>
        <source>Word processors such as LibreOffice Writer or AbiWord</source>
        <translation>Textverarbeitungen wie LibreOffice Writer oder AbiWord</translation>
    </message>
</context>
<context>
    <name>typewarden::TypewardenAppDelegate</name>
    <message>
        <source>Your unsaved corrections were kept in a separate file.</source>
        <translation>Ihre nicht gespeicherten Korrekturen wurden in einer separaten Datei aufbewahrt.</translation>
    </message>
    <message>
        <source>The word list could not be saved. The corrections captured since the last save are in:
%1</source>
        <translation>Die Wortliste konnte nicht gespeichert werden. Die seit dem letzten Speichern erfassten Korrekturen befinden sich in:
%1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The assistant application, Lexotrace can not be reached.</source>
        <translation>Das Hilfsprogramm Lexotrace ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>May I open website that provides you access to the downloadable application?</source>
        <translation>Soll die Website geöffnet werden, auf der Sie das Programm herunterladen können?</translation>
    </message>
</context>
<context>
    <name>typewarden::TypewardenImportDelegate</name>
    <message>
        <source>Exported error list</source>
        <translation>Exportierte Fehlerliste</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be found.</source>
        <translation>Die Datei „%1“ wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>typewarden::TypewardenModel</name>
    <message>
        <source>No path is set for the word-pair store.</source>
        <translation>Für den Wortpaarspeicher ist kein Pfad festgelegt.</translation>
    </message>
    <message>
        <source>The folder of the word-pair store “%1” does not exist.</source>
        <translation>Der Ordner des Wortpaarspeichers „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>Corrections cannot be kept until the list can be opened: check the list&apos;s location in Typewarden&apos;s preferences, then start Typewarden again.</source>
        <translation>Korrekturen können erst aufbewahrt werden, wenn sich die Liste öffnen lässt: Prüfen Sie den Speicherort der Liste in den Einstellungen von Typewarden und starten Sie Typewarden dann erneut.</translation>
    </message>
    <message>
        <source>The list is left as it is. The corrections captured from now on are kept in “%1”, from which they can be imported once the list opens again: check the list&apos;s location in Typewarden&apos;s preferences, then start Typewarden again.</source>
        <translation>Die Liste bleibt unverändert. Ab jetzt erfasste Korrekturen werden in „%1“ aufbewahrt und können von dort importiert werden, sobald sich die Liste wieder öffnen lässt: Prüfen Sie den Speicherort der Liste in den Einstellungen von Typewarden und starten Sie Typewarden dann erneut.</translation>
    </message>
    <message>
        <source>Typewarden cannot open its word list.</source>
        <translation>Typewarden kann seine Wortliste nicht öffnen.</translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation>%1

%2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The word pairs could not be saved.</source>
        <translation>Die Wortpaare konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>%1

The new pairs are kept and will be saved at the next save. If Typewarden quits before then, they are written to a separate file beside the list, from which they can be imported.</source>
        <translation>%1

Die neuen Paare bleiben erhalten und werden beim nächsten Speichern gesichert. Wird Typewarden vorher beendet, werden sie in eine separate Datei neben der Liste geschrieben, aus der sie importiert werden können.</translation>
    </message>
    <message>
        <source>The folder does not exist.</source>
        <translation>Der Ordner existiert nicht.</translation>
    </message>
    <message>
        <source>No free file name for the pairs.</source>
        <translation>Kein freier Dateiname für die Paare.</translation>
    </message>
</context>
<context>
    <name>typewarden::TypewardenScriptModel</name>
    <message>
        <source>Word pairs belong to the application only.</source>
        <translation>Wortpaare gehören ausschließlich zum Programm.</translation>
    </message>
    <message>
        <source>Can&apos;t get word pair id &quot;%1&quot;.</source>
        <translation>Das Wortpaar mit id &quot;%1&quot; kann nicht abgerufen werden.</translation>
    </message>
    <message>
        <source>Typewarden has no such property.</source>
        <translation>Typewarden hat keine solche Eigenschaft.</translation>
    </message>
    <message>
        <source>A word pair has no such property.</source>
        <translation>Ein Wortpaar hat keine solche Eigenschaft.</translation>
    </message>
    <message>
        <source>Typewarden can make word pairs only.</source>
        <translation>Typewarden kann nur Wortpaare erstellen.</translation>
    </message>
    <message>
        <source>&apos;word pair&apos; requires 3 items: 1) a misspelled word, 2) an incorrect spelled word, and 3) a date (e.g. current date).</source>
        <translation>&apos;word pair&apos; erfordert 3 Angaben: 1) ein falsch geschriebenes Wort, 2) das richtig geschriebene Wort und 3) ein Datum (z. B. current date).</translation>
    </message>
    <message>
        <source>Typewarden can duplicate word pairs only.</source>
        <translation>Typewarden kann nur Wortpaare duplizieren.</translation>
    </message>
    <message>
        <source>Typewarden got an error</source>
        <translation>In Typewarden ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>Can&apos;t move objects because some object doesn&apos;t exist.</source>
        <translation>Die Objekte können nicht verschoben werden, da ein Objekt nicht existiert.</translation>
    </message>
    <message>
        <source>Word pairs can&apos;t be moved.</source>
        <translation>Wortpaare können nicht verschoben werden.</translation>
    </message>
    <message>
        <source>Unable to save spell bits data.</source>
        <translation>Die Rechtschreibdaten konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Typewarden doesn&apos;t understand that command.</source>
        <translation>Typewarden versteht diesen Befehl nicht.</translation>
    </message>
</context>
<context>
    <name>typewarden::TypewardenWindowController</name>
    <message>
        <source>Typewarden</source>
        <translation>Typewarden</translation>
    </message>
    <message>
        <source>Expand or collapse the list</source>
        <translation>Liste auf- oder zuklappen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Delete the selected pairs</source>
        <translation>Ausgewählte Paare löschen</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>Import Last Export</source>
        <translation>Letzten Export importieren</translation>
    </message>
    <message>
        <source>Open List Window</source>
        <translation>Listenfenster öffnen</translation>
    </message>
    <message>
        <source>Close List Window</source>
        <translation>Listenfenster schließen</translation>
    </message>
    <message>
        <source>Expand List</source>
        <translation>Liste aufklappen</translation>
    </message>
    <message>
        <source>Collapse List</source>
        <translation>Liste zuklappen</translation>
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
        <source>Preferences…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Install Comparison Script…</source>
        <translation>Vergleichsskript installieren…</translation>
    </message>
    <message>
        <source>Launch Lexotrace</source>
        <translation>Lexotrace starten</translation>
    </message>
    <message>
        <source>Quit Typewarden</source>
        <translation>Typewarden beenden</translation>
    </message>
    <message>
        <source>Over write?</source>
        <translation>Überschreiben?</translation>
    </message>
    <message>
        <source>This will over-write your current spelling list data. Are you sure you wish to proceed?</source>
        <translation>Dadurch werden die aktuellen Daten Ihrer Rechtschreibliste überschrieben. Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>typewarden::WordPairArrayController</name>
    <message>
        <source>Correct</source>
        <translation>Richtig</translation>
    </message>
    <message>
        <source>Misspelt</source>
        <translation>Falsch geschrieben</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
</context>
</TS>
