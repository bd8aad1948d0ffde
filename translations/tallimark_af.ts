<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="af_ZA">
<context>
    <name>About</name>
    <message>
        <source>speed tests marked for typing teachers by the Tallimark developers</source>
        <translation>spoedtoetse nagesien vir tikonderwysers, deur die Tallimark-ontwikkelaars</translation>
    </message>
</context>
<context>
    <name>ClassDetails</name>
    <message>
        <source>School</source>
        <translation>Skool</translation>
    </message>
    <message>
        <source>Teacher</source>
        <translation>Onderwyser</translation>
    </message>
    <message>
        <source>Grade and class</source>
        <translation>Graad en klas</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Vak</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Toets</translation>
    </message>
    <message>
        <source>Test date</source>
        <translation>Toetsdatum</translation>
    </message>
</context>
<context>
    <name>ClassFigures</name>
    <message>
        <source>Tests marked</source>
        <translation>Toetse nagesien</translation>
    </message>
    <message>
        <source>Tests rejected</source>
        <translation>Toetse afgekeur</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Gemiddeld</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Mediaan</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Laagste</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Hoogste</translation>
    </message>
    <message>
        <source>Standard deviation (population)</source>
        <translation>Standaardafwyking (populasie)</translation>
    </message>
    <message>
        <source>Tests not marked</source>
        <translation>Toetse nie nagesien nie</translation>
    </message>
</context>
<context>
    <name>ClassPack</name>
    <message>
        <source>Learner</source>
        <translation>Leerder</translation>
    </message>
    <message>
        <source>Marked at</source>
        <translation>Nagesien op</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>Finaal</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Verandering</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Uitspraak</translation>
    </message>
    <message>
        <source>Class results: %1</source>
        <translation>Klasuitslae: %1</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Gedruk op %1</translation>
    </message>
    <message>
        <source>The marked copy could not be read: %1</source>
        <translation>Die nagesiene afskrif kon nie gelees word nie: %1</translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (vervolg)</translation>
    </message>
    <message>
        <source>Final result: %1 wpm</source>
        <translation>Finale uitslag: %1 wpm</translation>
    </message>
    <message>
        <source>Tests not marked or rejected</source>
        <translation>Afgekeurde toetse en toetse wat nie nagesien is nie</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Rede</translation>
    </message>
    <message>
        <source>Memo: %1</source>
        <translation>Memo: %1</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Bladsy %1 van %2</translation>
    </message>
    <message>
        <source>Moderator</source>
        <translation>Moderator</translation>
    </message>
    <message>
        <source>Moderator&apos;s signature</source>
        <translation>Moderator se handtekening</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
</context>
<context>
    <name>ClassResultsWindow</name>
    <message>
        <source>No class results in %1 yet: they are recorded as tests are marked.</source>
        <translation>Nog geen klasuitslae in %1 nie: hulle word aangeteken soos die toetse nagesien word.</translation>
    </message>
</context>
<context>
    <name>ClassTable</name>
    <message>
        <source>Learner</source>
        <translation>Leerder</translation>
    </message>
    <message>
        <source>Marked at</source>
        <translation>Nagesien op</translation>
    </message>
    <message>
        <source>Memo language</source>
        <translation>Memotaal</translation>
    </message>
    <message>
        <source>Keystrokes</source>
        <translation>Aanslae</translation>
    </message>
    <message>
        <source>Gross words</source>
        <translation>Bruto woorde</translation>
    </message>
    <message>
        <source>Words with errors</source>
        <translation>Woorde met foute</translation>
    </message>
    <message>
        <source>Final result</source>
        <translation>Finale uitslag</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Verandering</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Uitspraak</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Opmerkings</translation>
    </message>
</context>
<context>
    <name>ErrorMessage</name>
    <message>
        <source>Error #%1 was generated by Tallimark</source>
        <translation>Fout #%1 het in Tallimark voorgekom</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>Permission denied: %1</source>
        <translation>Toegang geweier: %1</translation>
    </message>
</context>
<context>
    <name>Histogram</name>
    <message>
        <source>No marked tests</source>
        <translation>Nog geen toetse nagesien nie</translation>
    </message>
    <message>
        <source>Final result (wpm), learners per 5 wpm</source>
        <translation>Finale uitslag (wpm), aantal leerders per 5 wpm</translation>
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
        <translation>Kanselleer</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nee</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Maak toe</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Stoor</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Maak oop</translation>
    </message>
</context>
<context>
    <name>SessionMessages</name>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Klaar</translation>
    </message>
    <message>
        <source>Folder already exists</source>
        <translation>Die vouer bestaan reeds</translation>
    </message>
    <message>
        <source>No speed tests in the green box...</source>
        <translation>Daar is nog geen spoedtoetse in die groen blok nie...</translation>
    </message>
    <message>
        <source>Type new foldername or click Enter to proceed </source>
        <translation>Tik ’n nuwe vouernaam, of druk Enter om voort te gaan </translation>
    </message>
    <message>
        <source>End of this marking session.<byte value="xd"/>Results have been saved in %1<byte value="xd"/></source>
        <translation>Die nasiensessie is klaar.<byte value="xd"/>Die uitslae is gestoor in %1<byte value="xd"/></translation>
    </message>
    <message>
        <source>Source Document missing, or too small...<byte value="xd"/>%1</source>
        <translation>Die memo ontbreek of is te kort...<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>The folder name is empty.<byte value="xd"/>Type the name of a folder.</source>
        <translation>Die vouernaam is leeg.<byte value="xd"/>Tik die naam van ’n vouer.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a path, not a folder name.<byte value="xd"/>Type the name of a folder only, without &quot;/&quot; or &quot;\&quot;.</source>
        <translation>&quot;%1&quot; is ’n pad, nie ’n vouernaam nie.<byte value="xd"/>Tik net die naam van ’n vouer, sonder &quot;/&quot; of &quot;\&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too long for a folder name.<byte value="xd"/>Type a shorter name.</source>
        <translation>&quot;%1&quot; is te lank vir ’n vouernaam.<byte value="xd"/>Tik ’n korter naam.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a folder name on Windows.<byte value="xd"/>Type a name without &lt; &gt; : &quot; | ? * and not ending in a dot or a blank.</source>
        <translation>&quot;%1&quot; kan nie ’n vouernaam op Windows wees nie.<byte value="xd"/>Tik ’n naam sonder &lt; &gt; : &quot; | ? * wat nie op ’n punt of ’n spasie eindig nie.</translation>
    </message>
</context>
<context>
    <name>tallimark::ClassDetailsDialog</name>
    <message>
        <source>Class Details</source>
        <translation>Klasbesonderhede</translation>
    </message>
    <message>
        <source>Printed on the cover of the class pack of %1. Entered once, kept in the folder.</source>
        <translation>Verskyn op die voorblad van die klaspakket van %1. Vul dit een keer in; dit word in die vouer bewaar.</translation>
    </message>
    <message>
        <source>&amp;School:</source>
        <translation>&amp;Skool:</translation>
    </message>
    <message>
        <source>&amp;Teacher:</source>
        <translation>&amp;Onderwyser:</translation>
    </message>
    <message>
        <source>&amp;Grade and class:</source>
        <translation>&amp;Graad en klas:</translation>
    </message>
    <message>
        <source>Su&amp;bject:</source>
        <translation>&amp;Vak:</translation>
    </message>
    <message>
        <source>Test &amp;name:</source>
        <translation>Toets&amp;naam:</translation>
    </message>
    <message>
        <source>Test &amp;date:</source>
        <translation>Toets&amp;datum:</translation>
    </message>
    <message>
        <source>e.g. 2026-03-14</source>
        <translation>bv. 2026-03-14</translation>
    </message>
</context>
<context>
    <name>tallimark::ClassResultsWindow</name>
    <message>
        <source>Class Results</source>
        <translation>Klasuitslae</translation>
    </message>
    <message>
        <source>Double-click a learner, or press Enter, to open the marked copy</source>
        <translation>Dubbelklik op ’n leerder, of druk Enter, om die nagesiene afskrif oop te maak</translation>
    </message>
    <message>
        <source>Save as CSV…</source>
        <translation>Stoor as CSV…</translation>
    </message>
    <message>
        <source>Print class pack…</source>
        <translation>Druk klaspakket…</translation>
    </message>
    <message>
        <source>Export class pack as PDF…</source>
        <translation>Stoor klaspakket as PDF…</translation>
    </message>
    <message>
        <source>Class Results – %1</source>
        <translation>Klasuitslae – %1</translation>
    </message>
    <message>
        <source>Class results: %1</source>
        <translation>Klasuitslae: %1</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-lêers</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2</source>
        <translation>%1 kon nie gestoor word nie: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
    <message>
        <source>The class pack could not be printed.</source>
        <translation>Die klaspakket kon nie gedruk word nie.</translation>
    </message>
    <message>
        <source>Some marked copies could not be read:</source>
        <translation>Party nagesiene afskrifte kon nie gelees word nie:</translation>
    </message>
    <message>
        <source>PDF files</source>
        <translation>PDF-lêers</translation>
    </message>
    <message>
        <source>Save as Excel workbook…</source>
        <translation>Stoor as Excel-werkboek…</translation>
    </message>
    <message>
        <source>Excel workbooks</source>
        <translation>Excel-werkboeke</translation>
    </message>
</context>
<context>
    <name>tallimark::FileList</name>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Grootte</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Soort</translation>
    </message>
</context>
<context>
    <name>tallimark::HelpWindow</name>
    <message>
        <source>Tallimark guide</source>
        <translation>Tallimark-gids</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Soek:</translation>
    </message>
    <message>
        <source>a word in the guide, then Enter</source>
        <translation>’n woord in die gids, dan Enter</translation>
    </message>
    <message>
        <source>Not in the guide</source>
        <translation>Nie in die gids nie</translation>
    </message>
    <message>
        <source>Contents of the guide</source>
        <translation>Inhoud van die gids</translation>
    </message>
    <message>
        <source>Guide</source>
        <translation>Gids</translation>
    </message>
</context>
<context>
    <name>tallimark::LanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
    </message>
</context>
<context>
    <name>tallimark::MainWindow</name>
    <message>
        <source>Afrikaans memo: (Oct 2013 preloaded)</source>
        <translation>Afrikaanse memo: (Okt. 2013 gelaai)</translation>
    </message>
    <message>
        <source>English memo file: (Oct 2013 preloaded)</source>
        <translation>Engelse memo: (Okt. 2013 gelaai)</translation>
    </message>
    <message>
        <source>(Any new memo must be saved as Bron.rtf or Source.rtf)</source>
        <translation>(Stoor ’n nuwe memo as Bron.rtf of Source.rtf)</translation>
    </message>
    <message>
        <source>Destination folder (where results will be saved)</source>
        <translation>Bestemmingsvouer (waar die uitslae gestoor word)</translation>
    </message>
    <message>
        <source>Search here for speed tests</source>
        <translation>Soek hier na spoedtoetse</translation>
    </message>
    <message>
        <source>Drag speed tests to green box</source>
        <translation>Sleep toetse na die groen blok</translation>
    </message>
    <message>
        <source>%v of %m tests marked</source>
        <translation>%v van %m toetse nagesien</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Kanselleer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wis</translation>
    </message>
    <message>
        <source>Click here to mark speed tests below</source>
        <translation>Klik hier om toetse hieronder na te sien</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Lêer</translation>
    </message>
    <message>
        <source>Open Marked SpeedTest</source>
        <translation>Maak nagesiene spoedtoets oop</translation>
    </message>
    <message>
        <source>Open Results</source>
        <translation>Maak uitslae oop</translation>
    </message>
    <message>
        <source>Class Results...</source>
        <translation>Klasuitslae...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Stoor as...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Druk</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Sluit &amp;af</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Oor</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hulp</translation>
    </message>
    <message>
        <source>Folders: search here for speed tests</source>
        <translation>Vouers: soek hier na spoedtoetse</translation>
    </message>
    <message>
        <source>Speed tests in the folder</source>
        <translation>Spoedtoetse in die vouer</translation>
    </message>
    <message>
        <source>Press Insert to add the selected tests to the green box</source>
        <translation>Druk Insert om die gekose toetse in die groen blok te sit</translation>
    </message>
    <message>
        <source>Green box: speed tests to mark</source>
        <translation>Groen blok: spoedtoetse om na te sien</translation>
    </message>
    <message>
        <source>Press Delete to remove the selected test</source>
        <translation>Druk Delete om die gekose toets uit te haal</translation>
    </message>
    <message>
        <source>Clear the green box</source>
        <translation>Wis die groen blok</translation>
    </message>
    <message>
        <source>Destination folder name</source>
        <translation>Naam van die bestemmingsvouer</translation>
    </message>
    <message>
        <source>Destination folder</source>
        <translation>Bestemmingsvouer</translation>
    </message>
    <message>
        <source>Mark the speed tests in the green box</source>
        <translation>Sien die spoedtoetse in die groen blok na</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Verslag</translation>
    </message>
    <message>
        <source>Close the report</source>
        <translation>Maak die verslag toe</translation>
    </message>
    <message>
        <source>File shown in the report</source>
        <translation>Lêer wat in die verslag gewys word</translation>
    </message>
    <message>
        <source>Marking progress</source>
        <translation>Vordering met nasien</translation>
    </message>
    <message>
        <source>Stop marking after the test being marked</source>
        <translation>Hou op met nasien ná die toets wat nou nagesien word</translation>
    </message>
    <message>
        <source>Afrikaans memo file</source>
        <translation>Afrikaanse memo-lêer</translation>
    </message>
    <message>
        <source>English memo file</source>
        <translation>Engelse memo-lêer</translation>
    </message>
    <message>
        <source>Stop marking and close?</source>
        <translation>Hou op met nasien en maak toe?</translation>
    </message>
    <message>
        <source>Class Results</source>
        <translation>Klasuitslae</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
    <message>
        <source>Marked speed tests</source>
        <translation>Nagesiene spoedtoetse</translation>
    </message>
    <message>
        <source>Result files</source>
        <translation>Uitslaglêers</translation>
    </message>
    <message>
        <source>&apos;Rich Text Format&apos;-Lêers (*.RTF)</source>
        <translation>Rich Text Format-lêers (*.RTF)</translation>
    </message>
    <message>
        <source>Stopping after the test being marked...</source>
        <translation>Hou op ná die toets wat nou nagesien word...</translation>
    </message>
    <message>
        <source>Class Details...</source>
        <translation>Klasbesonderhede...</translation>
    </message>
    <message>
        <source>Class Details</source>
        <translation>Klasbesonderhede</translation>
    </message>
    <message>
        <source>The class details kept in this folder could not be read, and are shown empty:
%1</source>
        <translation>Die klasbesonderhede in hierdie vouer kon nie gelees word nie en word leeg gewys:
%1</translation>
    </message>
    <message>
        <source>The class details could not be saved:
%1</source>
        <translation>Die klasbesonderhede kon nie gestoor word nie:
%1</translation>
    </message>
</context>
<context>
    <name>tallimark::SettingsMenu</name>
    <message>
        <source>Settings</source>
        <translation>Instellings</translation>
    </message>
    <message>
        <source>Final result as integer</source>
        <translation>Finale uitslag as heelgetal</translation>
    </message>
    <message>
        <source>Final result as multiple of 5</source>
        <translation>Finale uitslag as veelvoud van 5</translation>
    </message>
</context>
</TS>
