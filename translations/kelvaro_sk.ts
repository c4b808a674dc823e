<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Texts of Qt's own buttons and dialogs that Qt's Slovak catalogue (qtbase_sk)
     lacks or gets wrong.  The program installs this catalogue after Qt's, so its
     entries are asked first.  Kept by hand: the program's sources hold none of
     these texts, so lupdate would only mark them as gone. -->
<TS version="2.1" language="sk_SK">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Uložiť</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Uložiť všetko</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otvoriť</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Áno</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Áno pre &amp;všetko</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nie</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>Nie pre všetk&amp;o</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Prerušiť</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Skúsiť znova</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorovať</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavrieť</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušiť</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Zahodiť</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomocník</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Použiť</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Nastaviť pôvodné</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Obnoviť štandardné</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Uložiť</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Zrušiť</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Zavrieť</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Zavrieť bez uloženia</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>All files (*)</source>
        <translation>Všetky súbory (*)</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Zobraziť </translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Vytvoriť nový priečinok</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>File</source>
        <translation>Súbor</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Disková jednotka</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Priečinok súborov</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Priečinok</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Neznáme</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Skratka</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>All Pages</source>
        <translation>Všetky strany</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>Nepárne strany</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>Párne strany</translation>
    </message>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>Zľava doprava, zhora nadol</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>Zľava doprava, zdola nahor</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>Sprava doľava, zhora nadol</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>Sprava doľava, zdola nahor</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>Zhora nadol, zľava doprava</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>Zhora nadol, sprava doľava</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>Zdola nahor, zľava doprava</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>Zdola nahor, sprava doľava</translation>
    </message>
    <message>
        <source>Options &apos;Pages Per Sheet&apos; and &apos;Page Set&apos; cannot be used together.
Please turn one of those options off.</source>
        <translation>Voľby „Strán na hárok“ a „Sada strán“ nie je možné použiť spolu.
Vypnite, prosím, jednu z nich.</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Nastavenia obojstrannej tlače sú v rozpore. Chcete ich opraviť?</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Rozpor v nastaveniach obojstrannej tlače</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Neplatné určenie strán</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 nemá správny tvar. Strany a rozsahy oddeľte znakom &apos;,&apos;, rozsah určte znakom &apos;-&apos; a dbajte, aby sa rozsahy neprekrývali.</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Off</source>
        <translation>Vypnutá</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Strany</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Obojstranná tlač</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Väzba na dlhšej strane</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Väzba na kratšej strane</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>Sada strán:</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Zadajte strany alebo rozsahy oddelené čiarkami. Rozsah sú dve čísla oddelené spojovníkom. Napríklad 3,5-7,9 vytlačí strany 3, 5, 6, 7 a 9.</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>Vlastnosti tlačiarne</translation>
    </message>
    <message>
        <source>Job Options</source>
        <translation>Voľby úlohy</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Rozpor v rozšírených voľbách</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Rozpor v nastavení strany</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Niektoré rozšírené voľby sú v rozpore. Chcete ich opraviť?</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Voľby nastavenia strany sú v rozpore. Chcete ich opraviť?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Rozšírené</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Niektoré voľby sú v rozpore. Opravte ich, prosím.</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>Custom</source>
        <translation>Vlastné</translation>
    </message>
    <message>
        <source>Page Layout</source>
        <translation>Rozloženie strán</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>Poradie strán:</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>Strán na hárok:</translation>
    </message>
</context>
<context>
    <name>QPageSize</name>
    <message>
        <source>Envelope Monarch</source>
        <translation>Obálka Monarch</translation>
    </message>
    <message>
        <source>Letter Small</source>
        <translation>Letter malý</translation>
    </message>
    <message>
        <source>Envelope You 4</source>
        <translation>Obálka You 4</translation>
    </message>
    <message>
        <source>Envelope US 10</source>
        <translation>Obálka US 10</translation>
    </message>
    <message>
        <source>Envelope US 11</source>
        <translation>Obálka US 11</translation>
    </message>
    <message>
        <source>Envelope US 12</source>
        <translation>Obálka US 12</translation>
    </message>
    <message>
        <source>Envelope US 14</source>
        <translation>Obálka US 14</translation>
    </message>
    <message>
        <source>Envelope PRC 1</source>
        <translation>Obálka PRC 1</translation>
    </message>
    <message>
        <source>Envelope PRC 2</source>
        <translation>Obálka PRC 2</translation>
    </message>
    <message>
        <source>Envelope PRC 3</source>
        <translation>Obálka PRC 3</translation>
    </message>
    <message>
        <source>Envelope PRC 4</source>
        <translation>Obálka PRC 4</translation>
    </message>
    <message>
        <source>Envelope PRC 5</source>
        <translation>Obálka PRC 5</translation>
    </message>
    <message>
        <source>Envelope PRC 6</source>
        <translation>Obálka PRC 6</translation>
    </message>
    <message>
        <source>Envelope PRC 7</source>
        <translation>Obálka PRC 7</translation>
    </message>
    <message>
        <source>Envelope PRC 8</source>
        <translation>Obálka PRC 8</translation>
    </message>
    <message>
        <source>Envelope PRC 9</source>
        <translation>Obálka PRC 9</translation>
    </message>
    <message>
        <source>Envelope C65</source>
        <translation>Obálka C65</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <translation>Obálka DL</translation>
    </message>
    <message>
        <source>Envelope B4</source>
        <translation>Obálka B4</translation>
    </message>
    <message>
        <source>Envelope B5</source>
        <translation>Obálka B5</translation>
    </message>
    <message>
        <source>Envelope B6</source>
        <translation>Obálka B6</translation>
    </message>
    <message>
        <source>Envelope C0</source>
        <translation>Obálka C0</translation>
    </message>
    <message>
        <source>Envelope C1</source>
        <translation>Obálka C1</translation>
    </message>
    <message>
        <source>Envelope C2</source>
        <translation>Obálka C2</translation>
    </message>
    <message>
        <source>Envelope C3</source>
        <translation>Obálka C3</translation>
    </message>
    <message>
        <source>Envelope C4</source>
        <translation>Obálka C4</translation>
    </message>
    <message>
        <source>Envelope C5</source>
        <translation>Obálka C5</translation>
    </message>
    <message>
        <source>Envelope C6</source>
        <translation>Obálka C6</translation>
    </message>
    <message>
        <source>Envelope C7</source>
        <translation>Obálka C7</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Vlastné</translation>
    </message>
    <message>
        <source>Quarto</source>
        <translation>Kvart</translation>
    </message>
    <message>
        <source>PRC 32K Big</source>
        <translation>PRC 32K veľký</translation>
    </message>
    <message>
        <source>A4 Small</source>
        <translation>A4 malý</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>Korešpondenčný lístok</translation>
    </message>
    <message>
        <source>Envelope Invite</source>
        <translation>Obálka pozvánka</translation>
    </message>
    <message>
        <source>Envelope Chou 3</source>
        <translation>Obálka Chou 3</translation>
    </message>
    <message>
        <source>Envelope Chou 4</source>
        <translation>Obálka Chou 4</translation>
    </message>
    <message>
        <source>Fan-fold German (8.5 x 12 in)</source>
        <translation>Skladaný nemecký (8.5 x 12 in)</translation>
    </message>
    <message>
        <source>Envelope PRC 10</source>
        <translation>Obálka PRC 10</translation>
    </message>
    <message>
        <source>Envelope Kaku 2</source>
        <translation>Obálka Kaku 2</translation>
    </message>
    <message>
        <source>Envelope Kaku 3</source>
        <translation>Obálka Kaku 3</translation>
    </message>
    <message>
        <source>Envelope US 9</source>
        <translation>Obálka US 9</translation>
    </message>
    <message>
        <source>Fan-fold US (14.875 x 11 in)</source>
        <translation>Skladaný US (14.875 x 11 in)</translation>
    </message>
    <message>
        <source>Fan-fold German Legal (8.5 x 13 in)</source>
        <translation>Skladaný nemecký Legal (8.5 x 13 in)</translation>
    </message>
    <message>
        <source>Custom (%1in x %2in)</source>
        <translation>Vlastné (%1 in x %2 in)</translation>
    </message>
    <message>
        <source>Custom (%1mm x %2mm)</source>
        <translation>Vlastné (%1 mm x %2 mm)</translation>
    </message>
    <message>
        <source>Custom (%1CC x %2CC)</source>
        <translation>Vlastné (%1 CC x %2 CC)</translation>
    </message>
    <message>
        <source>Custom (%1DD x %2DD)</source>
        <translation>Vlastné (%1 DD x %2 DD)</translation>
    </message>
    <message>
        <source>Custom (%1pc x %2pc)</source>
        <translation>Vlastné (%1 pc x %2 pc)</translation>
    </message>
    <message>
        <source>Custom (%1pt x %2pt)</source>
        <translation>Vlastné (%1 pt x %2 pt)</translation>
    </message>
    <message>
        <source>Envelope Italian</source>
        <translation>Obálka talianska</translation>
    </message>
    <message>
        <source>Double Postcard</source>
        <translation>Dvojitý korešpondenčný lístok</translation>
    </message>
    <message>
        <source>Envelope Personal</source>
        <translation>Obálka osobná</translation>
    </message>
</context>
<context>
    <name>QCupsJobWidget</name>
    <message>
        <source>Job</source>
        <translation>Úloha</translation>
    </message>
    <message>
        <source>Job Control</source>
        <translation>Riadenie úlohy</translation>
    </message>
    <message>
        <source>Scheduled printing:</source>
        <translation>Naplánovaná tlač:</translation>
    </message>
    <message>
        <source>Print Immediately</source>
        <translation>Tlačiť ihneď</translation>
    </message>
    <message>
        <source>Hold Indefinitely</source>
        <translation>Pozdržať na neurčito</translation>
    </message>
    <message>
        <source>Day (06:00 to 17:59)</source>
        <translation>Deň (06:00 až 17:59)</translation>
    </message>
    <message>
        <source>Night (18:00 to 05:59)</source>
        <translation>Noc (18:00 až 05:59)</translation>
    </message>
    <message>
        <source>Second Shift (16:00 to 23:59)</source>
        <translation>Druhá zmena (16:00 až 23:59)</translation>
    </message>
    <message>
        <source>Third Shift (00:00 to 07:59)</source>
        <translation>Tretia zmena (00:00 až 07:59)</translation>
    </message>
    <message>
        <source>Weekend (Saturday to Sunday)</source>
        <translation>Víkend (sobota a nedeľa)</translation>
    </message>
    <message>
        <source>Specific Time</source>
        <translation>Určený čas</translation>
    </message>
    <message>
        <source>Billing information:</source>
        <translation>Údaje na vyúčtovanie:</translation>
    </message>
    <message>
        <source>Job priority:</source>
        <translation>Priorita úlohy:</translation>
    </message>
    <message>
        <source>Banner Pages</source>
        <translation>Úvodné strany</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Začiatok:</translation>
    </message>
    <message>
        <source>End:</source>
        <translation>Koniec:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Žiadne</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Štandardné</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <translation>Neutajované</translation>
    </message>
    <message>
        <source>Confidential</source>
        <translation>Dôverné</translation>
    </message>
    <message>
        <source>Classified</source>
        <translation>Utajované</translation>
    </message>
    <message>
        <source>Secret</source>
        <translation>Tajné</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <translation>Prísne tajné</translation>
    </message>
</context>
<context>
    <name>QCupsPrinterSupport</name>
    <message>
        <source>Authentication Needed</source>
        <translation>Vyžaduje sa overenie</translation>
    </message>
    <message>
        <source>Authentication needed to use %1.</source>
        <translation>Na použitie %1 sa vyžaduje overenie.</translation>
    </message>
    <message>
        <source>Authentication needed to use %1 on %2.</source>
        <translation>Na použitie %1 na %2 sa vyžaduje overenie.</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Meno používateľa:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Heslo:</translation>
    </message>
</context>
</TS>
