<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI">
<context>
    <name>ActionEditor</name>
    <message>
        <source>Details</source>
        <translation>Tiedot</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Nimi:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Kuvaus:</translation>
    </message>
    <message>
        <source>Extra Parameters</source>
        <translation>Lisäparametrit</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Syöte</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Tulos</translation>
    </message>
    <message>
        <source>New action</source>
        <translation>Uusi toiminto</translation>
    </message>
    <message>
        <source>The quick brown fox jumps over the lazy dog.</source>
        <translation>Charles Darwin jammaili Åken hevixylofonilla Qatarin yöpub Zeligissä.</translation>
    </message>
    <message>
        <source>Status: Evaluating...</source>
        <translation>Tila: arvioidaan...</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>Tila: </translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Onnistui</translation>
    </message>
    <message>
        <source>Writing the action file failed: </source>
        <translation>Toimintotiedoston kirjoittaminen epäonnistui: </translation>
    </message>
</context>
<context>
    <name>ActionList</name>
    <message>
        <source>To lowercase</source>
        <translation>Pieniksi kirjaimiksi</translation>
    </message>
    <message>
        <source>Converts the text to lowercase.</source>
        <translation>Muuntaa tekstin pieniksi kirjaimiksi.</translation>
    </message>
    <message>
        <source>To uppercase</source>
        <translation>Isoiksi kirjaimiksi</translation>
    </message>
    <message>
        <source>Converts the text to uppercase.</source>
        <translation>Muuntaa tekstin isoiksi kirjaimiksi.</translation>
    </message>
    <message>
        <source>JSON Pretty Print</source>
        <translation>JSON-muotoilu</translation>
    </message>
    <message>
        <source>Formats JSON to be more human readable</source>
        <translation>Muotoilee JSONin helpommin luettavaksi</translation>
    </message>
    <message>
        <source>Stript HTML tags</source>
        <translation>Poista HTML-tagit</translation>
    </message>
    <message>
        <source>Removes HTML tags from the text</source>
        <translation>Poistaa tekstistä HTML-tagit</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>Nykyinen aika</translation>
    </message>
    <message>
        <source>Writes the current date and time</source>
        <translation>Kirjoittaa nykyisen päivämäärän ja kellonajan</translation>
    </message>
    <message>
        <source>Generate password</source>
        <translation>Luo salasana</translation>
    </message>
    <message>
        <source>Creates a random password</source>
        <translation>Luo satunnaisen salasanan</translation>
    </message>
    <message>
        <source>Hex dump</source>
        <translation>Heksavedos</translation>
    </message>
    <message>
        <source>Creates hex dump of UTF-8 encoded string</source>
        <translation>Luo heksavedoksen UTF-8-koodatusta merkkijonosta</translation>
    </message>
    <message>
        <source>Date to Value</source>
        <translation>Päivämäärä luvuksi</translation>
    </message>
    <message>
        <source>Converts the date and time to value</source>
        <translation>Muuntaa päivämäärän ja kellonajan luvuksi</translation>
    </message>
    <message>
        <source>Value to Date</source>
        <translation>Luku päivämääräksi</translation>
    </message>
    <message>
        <source>Converts the value to date and time</source>
        <translation>Muuntaa luvun päivämääräksi ja kellonajaksi</translation>
    </message>
    <message>
        <source>Create GUID</source>
        <translation>Luo GUID</translation>
    </message>
    <message>
        <source>Creates a globally uniqued identifier</source>
        <translation>Luo maailmanlaajuisesti yksilöllisen tunnisteen</translation>
    </message>
    <message>
        <source>Word wrap</source>
        <translation>Rivitys</translation>
    </message>
    <message>
        <source>Wraps long lines to be less than given length</source>
        <translation>Rivittää pitkät rivit annettua pituutta lyhyemmiksi</translation>
    </message>
    <message>
        <source>Split lines</source>
        <translation>Jaa riveiksi</translation>
    </message>
    <message>
        <source>Splits the clipping from the separator that is most times in the text</source>
        <translation>Jakaa leikkeen tekstissä useimmin esiintyvän erottimen kohdalta</translation>
    </message>
    <message>
        <source>Built-in actions cannot be edited.</source>
        <translation>Sisäänrakennettuja toimintoja ei voi muokata.</translation>
    </message>
    <message>
        <source>There are errors in the action script.</source>
        <translation>Toiminnon skriptissä on virheitä.</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Näytä</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Muokkaa</translation>
    </message>
    <message>
        <source>Remove shortcut</source>
        <translation>Poista pikanäppäin</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Aseta pikanäppäin</translation>
    </message>
    <message>
        <source>Show in menu</source>
        <translation>Näytä valikossa</translation>
    </message>
    <message>
        <source>Hide from menu</source>
        <translation>Piilota valikosta</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Poista</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the action &apos;%1&apos;?</source>
        <translation>Haluatko varmasti poistaa toiminnon ”%1”?</translation>
    </message>
    <message>
        <source>Failed to delete the file &apos;%1&apos;.</source>
        <translation>Tiedoston ”%1” poistaminen epäonnistui.</translation>
    </message>
</context>
<context>
    <name>ApplicationsList</name>
    <message>
        <source>Don&apos;t add copied items to history</source>
        <translation>Älä lisää kopioituja kohteita historiaan</translation>
    </message>
    <message>
        <source>Exclude from history</source>
        <translation>Jätä pois historiasta</translation>
    </message>
    <message>
        <source>Never copy images to clipboard</source>
        <translation>Älä koskaan kopioi kuvia leikepöydälle</translation>
    </message>
    <message>
        <source>Ignore images</source>
        <translation>Ohita kuvat</translation>
    </message>
    <message>
        <source>Always copy as plain text only</source>
        <translation>Kopioi aina vain pelkkänä tekstinä</translation>
    </message>
    <message>
        <source>Plain text only</source>
        <translation>Vain pelkkä teksti</translation>
    </message>
    <message>
        <source>Clear style from text</source>
        <translation>Poista tekstin muotoilu</translation>
    </message>
    <message>
        <source>Clear style</source>
        <translation>Poista muotoilu</translation>
    </message>
    <message>
        <source>Do not expand keywords</source>
        <translation>Älä laajenna avainsanoja</translation>
    </message>
    <message>
        <source>Don&apos;t expand keywords</source>
        <translation>Älä laajenna avainsanoja</translation>
    </message>
    <message>
        <source>Delay text expansion for %1 ms</source>
        <translation>Viivästä tekstin laajennusta %1 ms</translation>
    </message>
    <message>
        <source>Set text expansion delay...</source>
        <translation>Aseta tekstin laajennuksen viive...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Poista</translation>
    </message>
</context>
<context>
    <name>ClipboardListener</name>
    <message>
        <source>The copied picture (%1 x %2) was not recorded: it is larger than Kestovan can hold.</source>
        <translation>Kopioitua kuvaa (%1 x %2) ei tallennettu: se on suurempi kuin Kestovan pystyy käsittelemään.</translation>
    </message>
</context>
<context>
    <name>CopyToCache</name>
    <message>
        <source>Unsafe file name %1/%2</source>
        <translation>Vaarallinen tiedostonimi %1/%2</translation>
    </message>
    <message>
        <source>No data folder</source>
        <translation>Ei datakansiota</translation>
    </message>
    <message>
        <source>%1 is not a local file</source>
        <translation>%1 ei ole paikallinen tiedosto</translation>
    </message>
    <message>
        <source>The image cannot be written as %1</source>
        <translation>Kuvaa ei voi tallentaa muodossa %1</translation>
    </message>
</context>
<context>
    <name>CustomKeySequenceEdit</name>
    <message>
        <source>Hold Ctrl, Alt or Meta with the key; only F1 to F35 work alone.</source>
        <translation>Pidä Ctrl, Alt tai Meta painettuna näppäimen kanssa; vain F1–F35 toimivat yksinään.</translation>
    </message>
</context>
<context>
    <name>DelayDialog</name>
    <message>
        <source>Set delay</source>
        <translation>Aseta viive</translation>
    </message>
    <message>
        <source>Text expansion delay (in ms)</source>
        <translation>Tekstin laajennuksen viive (ms)</translation>
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
        <translation>Ladataan</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Peruuta</translation>
    </message>
</context>
<context>
    <name>EditDialog</name>
    <message>
        <source>Edit clipping</source>
        <translation>Muokkaa leikettä</translation>
    </message>
</context>
<context>
    <name>HeaderCarousel</name>
    <message>
        <source>Reset</source>
        <translation>Palauta</translation>
    </message>
    <message>
        <source>Show locked</source>
        <translation>Näytä lukitut</translation>
    </message>
    <message>
        <source>Show recent</source>
        <translation>Näytä viimeisimmät</translation>
    </message>
    <message>
        <source>Show &apos;%1&apos;</source>
        <translation>Näytä ”%1”</translation>
    </message>
</context>
<context>
    <name>HistoryContextMenu</name>
    <message>
        <source>Context menu</source>
        <translation>Pikavalikko</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Liitä</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>Pelkkä teksti</translation>
    </message>
    <message>
        <source>Type Text</source>
        <translation>Kirjoita teksti</translation>
    </message>
    <message>
        <source>Unstylish text</source>
        <translation>Muotoilematon teksti</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Muokkaa...</translation>
    </message>
    <message>
        <source>Paste as Image</source>
        <translation>Liitä kuvana</translation>
    </message>
    <message>
        <source>Paste as File</source>
        <translation>Liitä tiedostona</translation>
    </message>
    <message>
        <source>Extract texts</source>
        <translation>Tunnista tekstit</translation>
    </message>
    <message>
        <source>Release lock</source>
        <translation>Poista lukitus</translation>
    </message>
    <message>
        <source>Keep forever</source>
        <translation>Säilytä pysyvästi</translation>
    </message>
    <message>
        <source>Add to snippets</source>
        <translation>Lisää katkelmiin</translation>
    </message>
    <message>
        <source>Add to &apos;%1&apos;</source>
        <translation>Lisää ryhmään ”%1”</translation>
    </message>
    <message>
        <source>Run action</source>
        <translation>Suorita toiminto</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Poista</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Poista kaikki</translation>
    </message>
    <message>
        <source>Paste selected</source>
        <translation>Liitä valitut</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Yhdistä</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Käännä järjestys</translation>
    </message>
    <message>
        <source>Remove selected</source>
        <translation>Poista valitut</translation>
    </message>
    <message>
        <source>Added to snippets &apos;%1&apos;</source>
        <translation>Lisätty katkelmaryhmään ”%1”</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Toiminnon ”%1” suorittaminen epäonnistui
%2</translation>
    </message>
</context>
<context>
    <name>HistoryItemModel</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Kansiota %1 ei voi luoda.</translation>
    </message>
    <message>
        <source>Writing the clippings file failed: </source>
        <translation>Leiketiedoston kirjoittaminen epäonnistui: </translation>
    </message>
    <message>
        <source>Failed to read the clippings file: </source>
        <translation>Leiketiedoston lukeminen epäonnistui: </translation>
    </message>
    <message>
        <source>The clippings file was written by a newer version of Kestovan: </source>
        <translation>Leiketiedoston on kirjoittanut Kestovanin uudempi versio: </translation>
    </message>
    <message>
        <source>The clippings file is too large to load: </source>
        <translation>Leiketiedosto on liian suuri ladattavaksi: </translation>
    </message>
    <message>
        <source>Failed to parse the clippings file: </source>
        <translation>Leiketiedoston jäsentäminen epäonnistui: </translation>
    </message>
    <message>
        <source>An image clipping cannot be saved:</source>
        <translation>Kuvaleikettä ei voi tallentaa:</translation>
    </message>
    <message>
        <source>The copied text was not recorded: it would make the clippings file larger than the %1 MB Kestovan can read.</source>
        <translation>Kopioitua tekstiä ei tallennettu: leiketiedostosta tulisi suurempi kuin %1 Mt, jonka Kestovan pystyy lukemaan.</translation>
    </message>
</context>
<context>
    <name>ImageEditDialog</name>
    <message>
        <source>Edit Image</source>
        <translation>Muokkaa kuvaa</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Valitse</translation>
    </message>
    <message>
        <source>Draw arrows</source>
        <translation>Piirrä nuolia</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Nuoli</translation>
    </message>
    <message>
        <source>Draw rectangles</source>
        <translation>Piirrä suorakulmioita</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Suorakulmio</translation>
    </message>
    <message>
        <source>Draw numbers</source>
        <translation>Lisää numeroita</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Numerot</translation>
    </message>
    <message>
        <source>Tooltip</source>
        <translation>Puhekupla</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Korosta</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Rajaa</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Kumoa</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Tee uudelleen</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoomaus:</translation>
    </message>
</context>
<context>
    <name>ImageEditGraphicsView</name>
    <message>
        <source>Text</source>
        <translation>Teksti</translation>
    </message>
    <message>
        <source>Edit the text</source>
        <translation>Muokkaa tekstiä</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Muokkaa</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Poista</translation>
    </message>
    <message>
        <source>Enter the text</source>
        <translation>Kirjoita teksti</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search</source>
        <translation>Hae</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>The application is not trusted. You are not able to paste to other applications.</source>
        <translation>Sovellukseen ei luoteta. Et voi liittää muihin sovelluksiin.</translation>
    </message>
    <message>
        <source>Update for Kestovan is available:

</source>
        <translation>Kestovaniin on saatavilla päivitys:

</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Nimi: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Versio: </translation>
    </message>
    <message>
        <source>
Do you want to upgrade now?</source>
        <translation>
Haluatko päivittää nyt?</translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Clipboard Monitor</source>
        <translation>Leikepöydän valvonta</translation>
    </message>
</context>
<context>
    <name>MonitorList</name>
    <message>
        <source>+%1 bytes more</source>
        <translation>+%1 tavua lisää</translation>
    </message>
</context>
<context>
    <name>OCR</name>
    <message>
        <source>Extract texts</source>
        <translation>Tunnista tekstit</translation>
    </message>
    <message>
        <source>Failed to extract texts from the image.

</source>
        <translation>Tekstien tunnistaminen kuvasta epäonnistui.

</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 kaatui.</translation>
    </message>
    <message>
        <source>%1 ended with exit code %2.</source>
        <translation>%1 päättyi paluuarvoon %2.</translation>
    </message>
    <message>
        <source>Unable to find any texts in the image.</source>
        <translation>Kuvasta ei löytynyt tekstiä.</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.</source>
        <translation>%1 ei ole suoritettava ohjelma.</translation>
    </message>
    <message>
        <source>Kestovan requires a free tool called Tesseract OCR for the extract texts feature.</source>
        <translation>Kestovan tarvitsee tekstin tunnistamiseen ilmaisen Tesseract OCR -työkalun.</translation>
    </message>
    <message>
        <source>You can install it with your package manager, for example:</source>
        <translation>Voit asentaa sen paketinhallinnalla, esimerkiksi:</translation>
    </message>
    <message>
        <source>You can download the tool from here:</source>
        <translation>Voit ladata työkalun täältä:</translation>
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
        <translation>Paina näppäimiä</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Kumoa</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Tee &amp;uudelleen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Leikkaa</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopioi</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Liitä</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Poista</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Valitse kaikki</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failure at line %1: %2</source>
        <translation>Virhe rivillä %1: %2</translation>
    </message>
    <message>
        <source>Failure: %1</source>
        <translation>Virhe: %1</translation>
    </message>
    <message>
        <source>The action script did not finish within %1 seconds.</source>
        <translation>Toiminnon skripti ei valmistunut %1 sekunnissa.</translation>
    </message>
    <message>
        <source>The action script is not a function.</source>
        <translation>Toiminnon skripti ei ole funktio.</translation>
    </message>
    <message>
        <source>The script engine could not be loaded: %1</source>
        <translation>Skriptimoottoria ei voitu ladata: %1</translation>
    </message>
    <message>
        <source>The function %1 is missing from %2</source>
        <translation>Funktio %1 puuttuu tiedostosta %2</translation>
    </message>
    <message>
        <source>Failed to open: </source>
        <translation>Avaaminen epäonnistui: </translation>
    </message>
    <message>
        <source>Failed to parse json: </source>
        <translation>JSONin jäsentäminen epäonnistui: </translation>
    </message>
    <message>
        <source>The action has been deleted: </source>
        <translation>Toiminto on poistettu: </translation>
    </message>
    <message>
        <source>A few seconds ago</source>
        <translation>Muutama sekunti sitten</translation>
    </message>
    <message>
        <source>A minute ago</source>
        <translation>Minuutti sitten</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>%n minuutti sitten</numerusform>
            <numerusform>%n minuuttia sitten</numerusform>
        </translation>
    </message>
    <message>
        <source>An hour ago</source>
        <translation>Tunti sitten</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>%n tunti sitten</numerusform>
            <numerusform>%n tuntia sitten</numerusform>
        </translation>
    </message>
    <message>
        <source>A day ago</source>
        <translation>Päivä sitten</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>%n päivä sitten</numerusform>
            <numerusform>%n päivää sitten</numerusform>
        </translation>
    </message>
    <message>
        <source>The clippings cannot be saved; what is copied now is lost when Kestovan quits.</source>
        <translation>Leikkeitä ei voi tallentaa; nyt kopioitu katoaa, kun Kestovan suljetaan.</translation>
    </message>
    <message>
        <source>Pasting is not available</source>
        <translation>Liittäminen ei ole käytettävissä</translation>
    </message>
    <message>
        <source>Kestovan pastes into other applications with the XTEST extension of the X server, and this X server does not offer it.

Start the X server with the XTEST extension enabled to paste from Kestovan.</source>
        <translation>Kestovan liittää muihin sovelluksiin X-palvelimen XTEST-laajennuksen avulla, eikä tämä X-palvelin tarjoa sitä.

Käynnistä X-palvelin XTEST-laajennus käytössä, jotta voit liittää Kestovanista.</translation>
    </message>
    <message>
        <source>The snippets cannot be saved; changes are lost when Kestovan quits.</source>
        <translation>Katkelmia ei voi tallentaa; muutokset katoavat, kun Kestovan suljetaan.</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Toiminnon ”%1” suorittaminen epäonnistui
%2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Näytä</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Asetukset</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Lopeta</translation>
    </message>
    <message>
        <source>Kestovan is already running!</source>
        <translation>Kestovan on jo käynnissä!</translation>
    </message>
    <message>
        <source>The network library could not be loaded: %1</source>
        <translation>Verkkokirjastoa ei voitu ladata: %1</translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation>Siitä säilytettiin kopio nimellä </translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and was not read. Kestovan starts with its default settings, and changes made now are lost when it quits.</source>
        <translation>Asetustiedosto %1 ei ole tavallinen tiedosto, eikä sitä luettu. Kestovan käynnistyy oletusasetuksin, ja nyt tehdyt muutokset katoavat, kun se suljetaan.</translation>
    </message>
    <message>
        <source>The settings cannot be saved to %1; changes made now are lost when Kestovan quits.</source>
        <translation>Asetuksia ei voi tallentaa tiedostoon %1; nyt tehdyt muutokset katoavat, kun Kestovan suljetaan.</translation>
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
        <translation>Peruuta</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sulje</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Tallenna</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Kyllä</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ei</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ohita</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Kumoa</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Tee &amp;uudelleen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Leikkaa</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopioi</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Kopioi &amp;linkin osoite</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Liitä</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Poista</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Valitse kaikki</translation>
    </message>
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation>Julkaisutiedot</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a chain of too many symbolic links</source>
        <translation>%1 on liian monen symbolisen linkin ketju</translation>
    </message>
    <message>
        <source>stopped after %1 of %2 bytes: %3</source>
        <translation>keskeytyi, kun %2 tavusta oli kirjoitettu %1: %3</translation>
    </message>
    <message>
        <source>syncing failed: %1</source>
        <translation>tietojen siirto levylle epäonnistui: %1</translation>
    </message>
    <message>
        <source>checking the size failed: %1</source>
        <translation>koon tarkistus epäonnistui: %1</translation>
    </message>
    <message>
        <source>the file holds %1 of %2 bytes</source>
        <translation>tiedostossa on %1/%2 tavua</translation>
    </message>
    <message>
        <source>%1 cannot be opened for writing: %2</source>
        <translation>Tiedostoa %1 ei voi avata kirjoittamista varten: %2</translation>
    </message>
    <message>
        <source>Closing %1 failed: %2</source>
        <translation>Tiedoston %1 sulkeminen epäonnistui: %2</translation>
    </message>
    <message>
        <source>Renaming %1 to %2 failed: %3</source>
        <translation>Tiedoston %1 nimeäminen uudelleen nimelle %2 epäonnistui: %3</translation>
    </message>
    <message>
        <source>Refusing to replace %1 with empty content.</source>
        <translation>Tiedostoa %1 ei korvata tyhjällä sisällöllä.</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>Tiedoston %1 kirjoittaminen epäonnistui: %2</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 on jo olemassa</translation>
    </message>
    <message>
        <source>%1 cannot be opened for reading: %2</source>
        <translation>Tiedostoa %1 ei voi avata lukemista varten: %2</translation>
    </message>
    <message>
        <source>Reading %1 failed: %2</source>
        <translation>Tiedoston %1 lukeminen epäonnistui: %2</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 ei ole olemassa</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ei ole tavallinen tiedosto</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 a data file may have</source>
        <translation>Tiedostossa %1 on %2 tavua, enemmän kuin datatiedostossa saa olla (%3)</translation>
    </message>
    <message>
        <source>%1 would have %2 bytes, more than the %3 a data file may have</source>
        <translation>Tiedostoon %1 tulisi %2 tavua, enemmän kuin datatiedostossa saa olla (%3)</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Asetukset</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Yleiset</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Katkelmat</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synkronointi</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Sovellukset</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Toiminnot</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Tietoja</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Sovellus</translation>
    </message>
    <message>
        <source>Start automatically</source>
        <translation>Käynnistä automaattisesti</translation>
    </message>
    <message>
        <source>Always open on mouse location</source>
        <translation>Avaa aina hiiren kohdalle</translation>
    </message>
    <message>
        <source>Keep last selected tab</source>
        <translation>Muista viimeksi valittu välilehti</translation>
    </message>
    <message>
        <source>Open Kestovan</source>
        <translation>Avaa Kestovan</translation>
    </message>
    <message>
        <source>Paste as plain text</source>
        <translation>Liitä pelkkänä tekstinä</translation>
    </message>
    <message>
        <source>Paste next from history</source>
        <translation>Liitä seuraava historiasta</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Kieli:</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Teema</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Vaalea</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Tumma</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automaattinen</translation>
    </message>
    <message>
        <source>Debugging</source>
        <translation>Vianetsintä</translation>
    </message>
    <message>
        <source>Send crash dump files for analysis</source>
        <translation>Lähetä kaatumisvedokset analysoitavaksi</translation>
    </message>
    <message>
        <source>Write debug log</source>
        <translation>Kirjoita vianetsintäloki</translation>
    </message>
    <message>
        <source>Show File</source>
        <translation>Näytä tiedosto</translation>
    </message>
    <message>
        <source>Clipboard monitor</source>
        <translation>Leikepöydän valvonta</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Näytä</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Säilytä</translation>
    </message>
    <message>
        <source>Items in the history</source>
        <translation>kohdetta historiassa</translation>
    </message>
    <message>
        <source>Ignore text smaller than</source>
        <translation>Ohita teksti, joka on lyhyempi kuin</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>merkkiä</translation>
    </message>
    <message>
        <source>Ignore text larger than</source>
        <translation>Ohita teksti, joka on suurempi kuin</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>kt</translation>
    </message>
    <message>
        <source>Initial selection:</source>
        <translation>Alkuvalinta:</translation>
    </message>
    <message>
        <source>Add images to history</source>
        <translation>Lisää kuvat historiaan</translation>
    </message>
    <message>
        <source>Paste from history as plain text</source>
        <translation>Liitä historiasta pelkkänä tekstinä</translation>
    </message>
    <message>
        <source>Clear history on exit</source>
        <translation>Tyhjennä historia lopetettaessa</translation>
    </message>
    <message>
        <source>Show compact List</source>
        <translation>Näytä tiivis luettelo</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;There are no applications.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Sovelluksia ei ole.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Lisää...</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Julkaisutiedot</translation>
    </message>
    <message>
        <source>Update check</source>
        <translation>Päivitykset</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>Tarkista päivitykset</translation>
    </message>
    <message>
        <source>Update now</source>
        <translation>Päivitä nyt</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Ensimmäinen</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Toinen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Seuraava</translation>
    </message>
    <message>
        <source>Update check failed</source>
        <translation>Päivitysten tarkistus epäonnistui</translation>
    </message>
    <message>
        <source>Updated version is available</source>
        <translation>Uusi versio on saatavilla</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>Päivityksiä ei ole saatavilla</translation>
    </message>
    <message>
        <source>Kestovan, the clipboard manager of the Morva developers.</source>
        <translation>Kestovan, Morva-kehittäjien leikepöydän hallintaohjelma.</translation>
    </message>
    <message>
        <source>Version: %1.%2&lt;br&gt;</source>
        <translation>Versio: %1.%2&lt;br&gt;</translation>
    </message>
    <message>
        <source>Build on %1&lt;br&gt;&lt;br&gt;</source>
        <translation>Koottu %1&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Feature requests and bug reports can be sent to:&lt;br&gt;</source>
        <translation>Toiveet ja vikailmoitukset voi lähettää osoitteeseen:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Kestovan could not be kept from starting at login: the file %1 could not be removed.</source>
        <translation>Kestovanin käynnistymistä kirjauduttaessa ei voitu estää: tiedostoa %1 ei voitu poistaa.</translation>
    </message>
    <message>
        <source>Kestovan could not be set to start at login: the file %1 could not be written.</source>
        <translation>Kestovania ei voitu asettaa käynnistymään kirjauduttaessa: tiedostoa %1 ei voitu kirjoittaa.</translation>
    </message>
    <message>
        <source>The size limit must be at least 1 kB: a smaller one would ignore every text. The stored number is kept.</source>
        <translation>Kokorajan on oltava vähintään 1 kt: pienempi raja ohittaisi kaikki tekstit. Tallennettu luku säilyy.</translation>
    </message>
    <message>
        <source>Type a number of characters. The stored number is kept.</source>
        <translation>Kirjoita merkkien määrä. Tallennettu luku säilyy.</translation>
    </message>
    <message>
        <source>Keep at least 1 item in the history: fewer would delete every clipping. The stored number is kept.</source>
        <translation>Historiassa on säilytettävä vähintään 1 kohde: pienempi määrä poistaisi kaikki leikkeet. Tallennettu luku säilyy.</translation>
    </message>
</context>
<context>
    <name>ShortcutDialog</name>
    <message>
        <source>Enter shortcut</source>
        <translation>Anna pikanäppäin</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Aseta pikanäppäin</translation>
    </message>
</context>
<context>
    <name>SnippetClipDialog</name>
    <message>
        <source>Choose clipping type</source>
        <translation>Valitse leikkeen tyyppi</translation>
    </message>
    <message>
        <source>Clipping type</source>
        <translation>Leikkeen tyyppi</translation>
    </message>
    <message>
        <source>Current clipping</source>
        <translation>Nykyinen leike</translation>
    </message>
    <message>
        <source>Clipping from position</source>
        <translation>Leike kohdasta</translation>
    </message>
    <message>
        <source>Clipping that matches</source>
        <translation>Vastaava leike</translation>
    </message>
    <message>
        <source>Enter regular expression which is matched with the clipping history</source>
        <translation>Anna säännöllinen lauseke, jota verrataan leikehistoriaan</translation>
    </message>
</context>
<context>
    <name>SnippetModel</name>
    <message>
        <source>The file holds no Kestovan snippets; nothing was imported.</source>
        <translation>Tiedostossa ei ole Kestovanin katkelmia; mitään ei tuotu.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Kansiota %1 ei voi luoda.</translation>
    </message>
    <message>
        <source>Writing the snippets file failed: </source>
        <translation>Katkelmatiedoston kirjoittaminen epäonnistui: </translation>
    </message>
    <message>
        <source>Failed to read the snippets file: </source>
        <translation>Katkelmatiedoston lukeminen epäonnistui: </translation>
    </message>
    <message>
        <source>The snippets file was written by a newer version of Kestovan: </source>
        <translation>Katkelmatiedoston on kirjoittanut Kestovanin uudempi versio: </translation>
    </message>
    <message>
        <source>Failed to parse the snippets file: </source>
        <translation>Katkelmatiedoston jäsentäminen epäonnistui: </translation>
    </message>
    <message>
        <source>The snippets file is too large to load: </source>
        <translation>Katkelmatiedosto on liian suuri ladattavaksi: </translation>
    </message>
</context>
<context>
    <name>SnippetsPage</name>
    <message>
        <source>Settings</source>
        <translation>Asetukset</translation>
    </message>
    <message>
        <source>Only expand keyword after space is pressed</source>
        <translation>Laajenna avainsana vasta välilyönnin jälkeen</translation>
    </message>
    <message>
        <source>Import/Export Snippets</source>
        <translation>Tuo/vie katkelmat</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Tuo</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Vie</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Katkelmat</translation>
    </message>
    <message>
        <source>Add new group</source>
        <translation>Lisää uusi ryhmä</translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation>Poista ryhmä</translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation>Muokkaa ryhmää</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Siirrä ylös</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Siirrä alas</translation>
    </message>
    <message>
        <source>Add new snippet</source>
        <translation>Lisää uusi katkelma</translation>
    </message>
    <message>
        <source>Remove snippet</source>
        <translation>Poista katkelma</translation>
    </message>
    <message>
        <source>Edit snippet</source>
        <translation>Muokkaa katkelmaa</translation>
    </message>
    <message>
        <source>Move snippet to other group</source>
        <translation>Siirrä katkelma toiseen ryhmään</translation>
    </message>
    <message>
        <source>Snippet Text</source>
        <translation>Katkelman teksti</translation>
    </message>
    <message>
        <source>The content is not visible in the list</source>
        <translation>Sisältö ei näy luettelossa</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Lisää</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Valinnat</translation>
    </message>
    <message>
        <source>JSON files (*.json);;All files (*.*);</source>
        <translation>JSON-tiedostot (*.json);;Kaikki tiedostot (*.*);</translation>
    </message>
    <message>
        <source>Show content</source>
        <translation>Näytä sisältö</translation>
    </message>
    <message>
        <source>Hide content</source>
        <translation>Piilota sisältö</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Aseta pikanäppäin</translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation>Tyhjennä pikanäppäin</translation>
    </message>
    <message>
        <source>Set expand keyword</source>
        <translation>Aseta laajennettava avainsana</translation>
    </message>
    <message>
        <source>Clear expand keyword</source>
        <translation>Tyhjennä laajennettava avainsana</translation>
    </message>
    <message>
        <source>Set keyword</source>
        <translation>Aseta avainsana</translation>
    </message>
    <message>
        <source>Give the keyword which will be
automatically replaced with the snippet.</source>
        <translation>Anna avainsana, joka korvataan
automaattisesti katkelmalla.</translation>
    </message>
    <message>
        <source>Clipping...</source>
        <translation>Leike...</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Kohdistimen paikka</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Toiminto</translation>
    </message>
    <message>
        <source>Save snippets</source>
        <translation>Tallenna katkelmat</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>Vientivirhe</translation>
    </message>
    <message>
        <source>Failed to export the snippets to </source>
        <translation>Katkelmien vienti epäonnistui kohteeseen </translation>
    </message>
    <message>
        <source>Load snippets</source>
        <translation>Lataa katkelmat</translation>
    </message>
    <message>
        <source>Import error</source>
        <translation>Tuontivirhe</translation>
    </message>
    <message>
        <source>Failed to import the snippets from </source>
        <translation>Katkelmien tuonti epäonnistui kohteesta </translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation>Tiedosto ei ole kelvollista JSONia: %1 tavun %2 kohdalla.</translation>
    </message>
</context>
<context>
    <name>Sync</name>
    <message>
        <source>Google Drive sync is not available: this build has no Google client id and secret.</source>
        <translation>Google Drive -synkronointi ei ole käytettävissä: tässä koontiversiossa ei ole Googlen asiakastunnusta ja -salaisuutta.</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>Synkronoidaan...</translation>
    </message>
    <message>
        <source>Synchronization failed.</source>
        <translation>Synkronointi epäonnistui.</translation>
    </message>
    <message>
        <source>Synchronization skipped a damaged file: %1</source>
        <translation>Synkronointi ohitti vioittuneen tiedoston: %1</translation>
    </message>
    <message>
        <source>Synchronization successful.</source>
        <translation>Synkronointi onnistui.</translation>
    </message>
    <message>
        <source>Google Drive sync is not available: %1</source>
        <translation>Google Drive -synkronointi ei ole käytettävissä: %1</translation>
    </message>
    <message>
        <source>Decryption failed for %1: the passphrases of your computers may differ.</source>
        <translation>Salauksen purku epäonnistui: %1. Tietokoneidesi salalauseet voivat olla erilaiset.</translation>
    </message>
    <message>
        <source>Synchronization refused what is not encrypted while encryption is on: %1</source>
        <translation>Salaus on käytössä, joten synkronointi hylkäsi salaamattoman sisällön: %1</translation>
    </message>
    <message>
        <source>Synchronization is not working: the sync folder %1 cannot be found.</source>
        <translation>Synkronointi ei toimi: synkronointikansiota %1 ei löydy.</translation>
    </message>
</context>
<context>
    <name>SyncLocalFolder</name>
    <message>
        <source>Select sync target folder</source>
        <translation>Valitse synkronoinnin kohdekansio</translation>
    </message>
</context>
<context>
    <name>SyncLogDialog</name>
    <message>
        <source>Filter</source>
        <translation>Suodata</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Vie</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>Tyhjennä loki</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save sync log</source>
        <translation>Tallenna synkronointiloki</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*);</source>
        <translation>Tekstitiedostot (*.txt);;Kaikki tiedostot (*.*);</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>Tallennusvirhe</translation>
    </message>
    <message>
        <source>Failed to save the sync log to </source>
        <translation>Synkronointilokin tallennus epäonnistui kohteeseen </translation>
    </message>
</context>
<context>
    <name>SyncReplyPage</name>
    <message>
        <source>Authentication succeeded!</source>
        <translation>Tunnistautuminen onnistui!</translation>
    </message>
    <message>
        <source>Authentication failed!</source>
        <translation>Tunnistautuminen epäonnistui!</translation>
    </message>
    <message>
        <source>You may close the browser window now.</source>
        <translation>Voit nyt sulkea selainikkunan.</translation>
    </message>
</context>
<context>
    <name>SyncSettings</name>
    <message>
        <source>Select where do you want to sync the data:</source>
        <translation>Valitse, minne tiedot synkronoidaan:</translation>
    </message>
    <message>
        <source>&lt;b&gt;Google Drive Sync&lt;/b&gt; stores the data to the application specific folder in your personal Google account.</source>
        <translation>&lt;b&gt;Google Drive -synkronointi&lt;/b&gt; tallentaa tiedot sovelluksen omaan kansioon henkilökohtaisella Google-tililläsi.</translation>
    </message>
    <message>
        <source>Sync with Google Drive</source>
        <translation>Synkronoi Google Driveen</translation>
    </message>
    <message>
        <source>&lt;b&gt;Local Folder Sync&lt;/b&gt; makes it possible to share the data between computers e.g. via Dropbox or network drive.</source>
        <translation>&lt;b&gt;Kansiosynkronointi&lt;/b&gt; jakaa tiedot tietokoneiden välillä esimerkiksi Dropboxin tai verkkolevyn kautta.</translation>
    </message>
    <message>
        <source>Sync with Local Folder</source>
        <translation>Synkronoi kansioon</translation>
    </message>
    <message>
        <source>Stop synchronizing the data</source>
        <translation>Lopeta tietojen synkronointi</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synkronointi</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Lähetä</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Lataa</translation>
    </message>
    <message>
        <source>Full Sync</source>
        <translation>Täysi synkronointi</translation>
    </message>
    <message>
        <source>Sync status:</source>
        <translation>Tila:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Asetukset</translation>
    </message>
    <message>
        <source>Sync clipboard history</source>
        <translation>Synkronoi leikepöydän historia</translation>
    </message>
    <message>
        <source>Sync snippets</source>
        <translation>Synkronoi katkelmat</translation>
    </message>
    <message>
        <source>Sync actions</source>
        <translation>Synkronoi toiminnot</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Salaus</translation>
    </message>
    <message>
        <source>Encrypt data</source>
        <translation>Salaa tiedot</translation>
    </message>
    <message>
        <source>Passphrase:</source>
        <translation>Salalause:</translation>
    </message>
    <message>
        <source>Sync Target Folder</source>
        <translation>Synkronointikansio</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Selaa</translation>
    </message>
    <message>
        <source>Connected Clients</source>
        <translation>Yhdistetyt laitteet</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Ei yhteyttä</translation>
    </message>
    <message>
        <source>Last success</source>
        <translation>Viimeksi onnistunut</translation>
    </message>
    <message>
        <source>Not synchronized</source>
        <translation>Ei synkronoitu</translation>
    </message>
    <message>
        <source>Encryption needs a passphrase.</source>
        <translation>Salaus tarvitsee salalauseen.</translation>
    </message>
    <message>
        <source>Please authorize Kestovan to access your Google Drive on the browser.</source>
        <translation>Salli selaimessa Kestovanin käyttää Google Driveasi.</translation>
    </message>
    <message>
        <source>Please choose the sync folder.</source>
        <translation>Valitse synkronointikansio.</translation>
    </message>
    <message>
        <source>Show log</source>
        <translation>Näytä loki</translation>
    </message>
    <message>
        <source>The remote data will be overwritten with your local content. Are you sure you want to continue?</source>
        <translation>Etätiedot korvataan paikallisella sisällölläsi. Haluatko varmasti jatkaa?</translation>
    </message>
    <message>
        <source>All your local content will be overwritten with the remote data. Are you sure you want to continue?</source>
        <translation>Kaikki paikallinen sisältösi korvataan etätiedoilla. Haluatko varmasti jatkaa?</translation>
    </message>
    <message>
        <source>Failed to connect to the notification server.</source>
        <translation>Yhteys ilmoituspalvelimeen epäonnistui.</translation>
    </message>
    <message>
        <source>No connection to the notification server.</source>
        <translation>Ei yhteyttä ilmoituspalvelimeen.</translation>
    </message>
</context>
</TS>
