<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>AbsenceWatch</name>
    <message>
        <source>Project </source>
        <translation>Projekt </translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Quillory95</source>
        <translation>Über Quillory95</translation>
    </message>
    <message>
        <source>Away detection: no source in this session</source>
        <translation>Abwesenheitserkennung: keine Quelle in dieser Sitzung</translation>
    </message>
    <message>
        <source>Away detection: </source>
        <translation>Abwesenheitserkennung: </translation>
    </message>
    <message>
        <source>Quillory® v1.01 for Windows95</source>
        <translation>Quillory® v1.01 für Windows95</translation>
    </message>
</context>
<context>
    <name>CAwayDlg</name>
    <message>
        <source>minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>You were away from %1 to %2 (%3) while %4 was running.</source>
        <translation>Sie waren von %1 bis %2 (%3) abwesend, während %4 lief.</translation>
    </message>
    <message>
        <source>You were away from %1 to %2 (%3) while %4 were running.</source>
        <translation>Sie waren von %1 bis %2 (%3) abwesend, während %4 liefen.</translation>
    </message>
    <message>
        <source>Subtract and continue</source>
        <translation>Abziehen und weiterlaufen lassen</translation>
    </message>
    <message>
        <source>Subtract and check out</source>
        <translation>Abziehen und auschecken</translation>
    </message>
    <message>
        <source>Keep the time</source>
        <translation>Zeit behalten</translation>
    </message>
</context>
<context>
    <name>CAwayPage</name>
    <message>
        <source>Away</source>
        <translation>Abwesenheit</translation>
    </message>
    <message>
        <source>&amp;Notice when I am away while projects run</source>
        <translation>&amp;Bemerken, wenn ich abwesend bin, während Projekte laufen</translation>
    </message>
    <message>
        <source>Locking the screen, a sleeping computer or no input for a while counts as away. When you come back, Quillory asks whether the time away is to be subtracted.</source>
        <translation>Ein gesperrter Bildschirm, ein Rechner im Ruhezustand oder eine Weile ohne Eingabe gelten als Abwesenheit. Wenn Sie zurückkommen, fragt Quillory, ob die abwesende Zeit abgezogen werden soll.</translation>
    </message>
    <message>
        <source>&amp;Ask after</source>
        <translation>&amp;Fragen nach</translation>
    </message>
    <message>
        <source> minutes away</source>
        <translation> Minuten Abwesenheit</translation>
    </message>
</context>
<context>
    <name>CBillingPage</name>
    <message>
        <source>Billing</source>
        <translation>Abrechnung</translation>
    </message>
    <message>
        <source>Country code :</source>
        <translation>Ländercode:</translation>
    </message>
    <message>
        <source>VAT ID :</source>
        <translation>USt-IdNr.:</translation>
    </message>
    <message>
        <source>Tax number :</source>
        <translation>Steuernummer:</translation>
    </message>
    <message>
        <source>Registration number :</source>
        <translation>Registernummer:</translation>
    </message>
    <message>
        <source>IBAN :</source>
        <translation>IBAN:</translation>
    </message>
    <message>
        <source>BIC :</source>
        <translation>BIC:</translation>
    </message>
    <message>
        <source>Payment terms (days) :</source>
        <translation>Zahlungsziel (Tage):</translation>
    </message>
    <message>
        <source>Currency (ISO 4217) :</source>
        <translation>Währung (ISO 4217):</translation>
    </message>
    <message>
        <source>VAT exemption reason :</source>
        <translation>Grund der Steuerbefreiung:</translation>
    </message>
    <message>
        <source>Exemption code (VATEX) :</source>
        <translation>Befreiungscode (VATEX):</translation>
    </message>
    <message>
        <source>Shown on invoices when given. Payment terms of 0 days make an invoice due on its issue date; the exemption reason is printed when no sales tax is applied.</source>
        <translation>Erscheint auf Rechnungen, wenn angegeben. Ein Zahlungsziel von 0 Tagen macht eine Rechnung am Ausstellungsdatum fällig; der Befreiungsgrund wird gedruckt, wenn keine Umsatzsteuer berechnet wird.</translation>
    </message>
</context>
<context>
    <name>CChartHoursDlg</name>
    <message>
        <source>Select chart hours</source>
        <translation>Stunden des Diagramms wählen</translation>
    </message>
    <message>
        <source>Starting Hour :</source>
        <translation>Anfangsstunde:</translation>
    </message>
    <message>
        <source>Ending Hour :</source>
        <translation>Endstunde:</translation>
    </message>
</context>
<context>
    <name>CCustomerInfoDlg</name>
    <message>
        <source>Customer info</source>
        <translation>Kundendaten</translation>
    </message>
    <message>
        <source>Customer :</source>
        <translation>Kunde:</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>ZIP :</source>
        <translation>PLZ:</translation>
    </message>
    <message>
        <source>State :</source>
        <translation>Bundesland:</translation>
    </message>
    <message>
        <source>City :</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Country :</source>
        <translation>Land:</translation>
    </message>
    <message>
        <source>Phone :</source>
        <translation>Telefon:</translation>
    </message>
    <message>
        <source>Notes :</source>
        <translation>Notizen:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Country code :</source>
        <translation>Ländercode:</translation>
    </message>
    <message>
        <source>VAT ID :</source>
        <translation>USt-IdNr.:</translation>
    </message>
    <message>
        <source>E-mail :</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Buyer reference :</source>
        <translation>Käuferreferenz:</translation>
    </message>
</context>
<context>
    <name>CCustomersDlg</name>
    <message>
        <source>Customers</source>
        <translation>Kunden</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>PLZ</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Bundesland</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>New Customer</source>
        <translation>Neuer Kunde</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the selected items?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich entfernen?</translation>
    </message>
</context>
<context>
    <name>CExportDlg</name>
    <message>
        <source>Export Quillory95 data to an ASCII file</source>
        <translation>Quillory95-Daten in eine ASCII-Datei exportieren</translation>
    </message>
    <message>
        <source>File :</source>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Export data concerning...</source>
        <translation>Daten exportieren für...</translation>
    </message>
    <message>
        <source>the period...</source>
        <translation>den Zeitraum...</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Bis:</translation>
    </message>
    <message>
        <source>the project :</source>
        <translation>das Projekt:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Duration in minutes (180 instead of 03:00)</source>
        <translation>Dauer in Minuten (180 statt 03:00)</translation>
    </message>
    <message>
        <source>24-hour format (16:00 instead of 04:00 PM)</source>
        <translation>24-Stunden-Format (16:00 statt 04:00 PM)</translation>
    </message>
    <message>
        <source>Date and time in one field instead of two</source>
        <translation>Datum und Uhrzeit in einem Feld statt in zweien</translation>
    </message>
    <message>
        <source>OK</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>All Projects</source>
        <translation>Alle Projekte</translation>
    </message>
    <message>
        <source>Cannot open Projects file : </source>
        <translation>Projektdatei kann nicht geöffnet werden: </translation>
    </message>
    <message>
        <source>QL Export Files (*.txt)</source>
        <translation>QL-Exportdateien (*.txt)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Status</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Status</translation>
    </message>
    <message>
        <source>Writing the export file...</source>
        <translation>Die Exportdatei wird geschrieben...</translation>
    </message>
    <message>
        <source>Cannot create the export file : %1
%2</source>
        <translation>Die Exportdatei kann nicht angelegt werden: %1
%2</translation>
    </message>
    <message>
        <source>Cannot write the export file : %1
%2</source>
        <translation>Die Exportdatei kann nicht geschrieben werden: %1
%2</translation>
    </message>
    <message>
        <source>File created with success.</source>
        <translation>Die Datei wurde erfolgreich angelegt.</translation>
    </message>
</context>
<context>
    <name>CHistoryDlg</name>
    <message>
        <source>History of charges</source>
        <translation>Abrechnungsverlauf</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Filter</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Click a heading, or press Ctrl+1 to Ctrl+%1, to sort by that column.</source>
        <translation>Klicken Sie auf eine Spaltenüberschrift oder drücken Sie Strg+1 bis Strg+%1, um nach dieser Spalte zu sortieren.</translation>
    </message>
    <message>
        <source>No time frame is listed: the filter names %1, which is no longer in the projects file. Choose Filter... to change it.</source>
        <translation>Kein Zeitabschnitt wird angezeigt: Der Filter nennt %1, das nicht mehr in der Projektdatei steht. Wählen Sie Filter..., um ihn zu ändern.</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the selected items?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich entfernen?</translation>
    </message>
</context>
<context>
    <name>CHistoryFilterDlg</name>
    <message>
        <source>History Filter</source>
        <translation>Verlaufsfilter</translation>
    </message>
    <message>
        <source>Display Projects</source>
        <translation>Projekte anzeigen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Single Project</source>
        <translation>Einzelnes Projekt</translation>
    </message>
    <message>
        <source>Select :</source>
        <translation>Auswählen:</translation>
    </message>
    <message>
        <source>Display Dates</source>
        <translation>Zeitraum anzeigen</translation>
    </message>
    <message>
        <source>Period :</source>
        <translation>Zeitraum:</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Bis:</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>
The filter applies to this list only and was not saved.</source>
        <translation>
Der Filter gilt nur für diese Liste und wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>No single project selected. Please click the &apos;Select&apos; button.</source>
        <translation>Kein einzelnes Projekt ausgewählt. Bitte klicken Sie auf „Auswählen“.</translation>
    </message>
</context>
<context>
    <name>CInvoicesDlg</name>
    <message>
        <source>Invoices</source>
        <translation>Rechnungen</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Issued invoices</source>
        <translation>Ausgestellte Rechnungen</translation>
    </message>
    <message>
        <source>No invoice has been issued from this file set yet.</source>
        <translation>Aus diesem Dateisatz wurde noch keine Rechnung ausgestellt.</translation>
    </message>
    <message>
        <source>&amp;Reprint</source>
        <translation>&amp;Erneut drucken</translation>
    </message>
    <message>
        <source>To &amp;File...</source>
        <translation>In &amp;Datei...</translation>
    </message>
    <message>
        <source>E-invoice (XML)...</source>
        <translation>E-Rechnung (XML)...</translation>
    </message>
    <message>
        <source>PDF with e-invoice...</source>
        <translation>PDF mit E-Rechnung...</translation>
    </message>
    <message>
        <source>&amp;Void...</source>
        <translation>&amp;Stornieren...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>void</source>
        <translation>storniert</translation>
    </message>
    <message>
        <source>issued (bills again)</source>
        <translation>ausgestellt (rechnet erneut ab)</translation>
    </message>
    <message>
        <source>E-invoice</source>
        <translation>E-Rechnung</translation>
    </message>
    <message>
        <source>Writing the PDF file...</source>
        <translation>Die PDF-Datei wird geschrieben...</translation>
    </message>
    <message>
        <source>Void invoice</source>
        <translation>Rechnung stornieren</translation>
    </message>
    <message>
        <source>Void invoice %1? It stays listed as void, its number is never issued again, and its time frames can be invoiced again.</source>
        <translation>Rechnung %1 stornieren? Sie bleibt als storniert aufgeführt, ihre Nummer wird nie wieder vergeben, und ihre Zeitabschnitte können erneut abgerechnet werden.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;New...	Ctrl+N</source>
        <translation>&amp;Neu...	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Ein neues Dokument anlegen
Neu</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Ein vorhandenes Dokument öffnen
Öffnen</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Export data for use with other applications (spreadsheet, database, word processor, ...)</source>
        <translation>Daten zur Verwendung in anderen Anwendungen exportieren (Tabellenkalkulation, Datenbank, Textverarbeitung, ...)</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>E&amp;igenschaften...</translation>
    </message>
    <message>
        <source>Setup application, your company, invoice, ... information</source>
        <translation>Anwendung, Ihre Firma, Rechnung, ... einrichten</translation>
    </message>
    <message>
        <source>&amp;Print Gantt Chart</source>
        <translation>Gantt-Diagramm &amp;drucken</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Dr&amp;uckereinrichtung...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Die Anwendung beenden; fragt nach dem Speichern der Dokumente
Beenden</translation>
    </message>
    <message>
        <source>Check In	Ctrl+E</source>
        <translation>Einchecken	Ctrl+E</translation>
    </message>
    <message>
        <source>Check in a project
Check In</source>
        <translation>Bei einem Projekt einchecken
Einchecken</translation>
    </message>
    <message>
        <source>Check &amp;Out	Ctrl+T</source>
        <translation>&amp;Auschecken	Ctrl+T</translation>
    </message>
    <message>
        <source>Check out from a running project
Check Out</source>
        <translation>Bei einem laufenden Projekt auschecken
Auschecken</translation>
    </message>
    <message>
        <source>&amp;Pause	Ctrl+A</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>&amp;Pause	Ctrl+A</translation>
    </message>
    <message>
        <source>Pause all running projects
Pause</source>
        <translation>Alle laufenden Projekte anhalten
Pause</translation>
    </message>
    <message>
        <source>&amp;Edit Customers...	Ctrl+U</source>
        <translation>Kunden &amp;bearbeiten...	Ctrl+U</translation>
    </message>
    <message>
        <source>Add, update or delete customers
Customers</source>
        <translation>Kunden hinzufügen, ändern oder löschen
Kunden</translation>
    </message>
    <message>
        <source>&amp;Edit Projects...	Ctrl+J</source>
        <translation>Projekte &amp;bearbeiten...	Ctrl+J</translation>
    </message>
    <message>
        <source>Add, update or delete projects (and sub-projects)
Projects</source>
        <translation>Projekte (und Unterprojekte) hinzufügen, ändern oder löschen
Projekte</translation>
    </message>
    <message>
        <source>Projects &amp;Pie Chart...</source>
        <translation>&amp;Kreisdiagramm der Projekte...</translation>
    </message>
    <message>
        <source>Show a pie chart representing each project&apos;s importance
Pie Chart</source>
        <translation>Ein Kreisdiagramm mit dem Anteil jedes Projekts zeigen
Kreisdiagramm</translation>
    </message>
    <message>
        <source>&amp;History of charges...	Ctrl+H</source>
        <translation>&amp;Abrechnungsverlauf...	Ctrl+H</translation>
    </message>
    <message>
        <source>View history of projects charged to your customers
History</source>
        <translation>Den Verlauf der Ihren Kunden berechneten Projekte ansehen
Verlauf</translation>
    </message>
    <message>
        <source>&amp;Invoice...	Ctrl+I</source>
        <translation>&amp;Rechnung...	Ctrl+I</translation>
    </message>
    <message>
        <source>Invoice a customer of the time spent
Invoice</source>
        <translation>Einem Kunden die aufgewendete Zeit in Rechnung stellen
Rechnung</translation>
    </message>
    <message>
        <source>I&amp;nvoices...</source>
        <translation>Rech&amp;nungen...</translation>
    </message>
    <message>
        <source>List the issued invoices; reprint or void one
Invoices</source>
        <translation>Die ausgestellten Rechnungen auflisten; eine erneut drucken oder stornieren
Rechnungen</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>&amp;Index</translation>
    </message>
    <message>
        <source>&amp;Using Help</source>
        <translation>&amp;Hilfe verwenden</translation>
    </message>
    <message>
        <source>&amp;About Quillory95...</source>
        <translation>Ü&amp;ber Quillory95...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>What&apos;s &amp;This?</source>
        <translation>&amp;Was ist das?</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Con&amp;trol</source>
        <translation>&amp;Steuerung</translation>
    </message>
    <message>
        <source>&amp;Customers</source>
        <translation>&amp;Kunden</translation>
    </message>
    <message>
        <source>&amp;Projects</source>
        <translation>&amp;Projekte</translation>
    </message>
    <message>
        <source>&amp;Reports</source>
        <translation>&amp;Berichte</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source> - Quillory</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation> - Quillory</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>For Help, press F1</source>
        <translation>Drücken Sie F1, um Hilfe zu erhalten</translation>
    </message>
</context>
<context>
    <name>CNewInvoiceDlg</name>
    <message>
        <source>New invoice</source>
        <translation>Neue Rechnung</translation>
    </message>
    <message>
        <source>Customer :</source>
        <translation>Kunde:</translation>
    </message>
    <message>
        <source>The invoice concerns the period...</source>
        <translation>Die Rechnung betrifft den Zeitraum...</translation>
    </message>
    <message>
        <source>from :</source>
        <translation>von:</translation>
    </message>
    <message>
        <source>to :</source>
        <translation>bis:</translation>
    </message>
    <message>
        <source>Invoice #</source>
        <translation>Rechnung Nr.</translation>
    </message>
    <message>
        <source>To File...</source>
        <translation>In Datei...</translation>
    </message>
    <message>
        <source>E-invoice (XML)...</source>
        <translation>E-Rechnung (XML)...</translation>
    </message>
    <message>
        <source>PDF with e-invoice...</source>
        <translation>PDF mit E-Rechnung...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>E-invoice</source>
        <translation>E-Rechnung</translation>
    </message>
    <message>
        <source>1 time frame of this period was</source>
        <translation>1 Zeitabschnitt dieses Zeitraums wurde</translation>
    </message>
    <message>
        <source>%1 time frames of this period were</source>
        <translation>%1 Zeitabschnitte dieses Zeitraums wurden</translation>
    </message>
    <message>
        <source>%1 billed already, on %2 %3.
Leave them out of this invoice, or bill them again (the register records that it does)?</source>
        <translation>%1 bereits abgerechnet, auf %2 %3.
Aus dieser Rechnung herauslassen oder erneut abrechnen (das Register vermerkt, dass sie es tut)?</translation>
    </message>
    <message>
        <source>invoice</source>
        <translation>Rechnung</translation>
    </message>
    <message>
        <source>invoices</source>
        <translation>den Rechnungen</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>&amp;Herauslassen</translation>
    </message>
    <message>
        <source>&amp;Bill Again</source>
        <translation>&amp;Erneut abrechnen</translation>
    </message>
    <message>
        <source>Invoice numbers were issued by another window or program since this one opened: the next invoice number is now %1, not %2.
Issue this invoice as number %1?</source>
        <translation>Seit dem Öffnen dieses Fensters wurden Rechnungsnummern von einem anderen Fenster oder Programm vergeben: Die nächste Rechnungsnummer ist jetzt %1, nicht %2.
Diese Rechnung als Nummer %1 ausstellen?</translation>
    </message>
</context>
<context>
    <name>CPieChartDlg</name>
    <message>
        <source>Projects Pie Chart</source>
        <translation>Kreisdiagramm der Projekte</translation>
    </message>
    <message>
        <source>Chart Period :</source>
        <translation>Zeitraum des Diagramms:</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Bis:</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Adding up the time frames...</source>
        <translation>Die Zeitabschnitte werden addiert...</translation>
    </message>
    <message>
        <source>Projects pie chart</source>
        <translation>Kreisdiagramm der Projekte</translation>
    </message>
    <message>
        <source>No time in this period</source>
        <translation>Keine Zeit in diesem Zeitraum</translation>
    </message>
    <message>
        <source>%1, %2, %3%</source>
        <translation>%1, %2, %3 %</translation>
    </message>
</context>
<context>
    <name>CProjectInfoDlg</name>
    <message>
        <source>Project information</source>
        <translation>Projektinformationen</translation>
    </message>
    <message>
        <source>Project name :</source>
        <translation>Projektname:</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Customer :</source>
        <translation>Kunde:</translation>
    </message>
    <message>
        <source>Charges per hour ($) :</source>
        <translation>Stundensatz ($):</translation>
    </message>
    <message>
        <source>Memo :</source>
        <translation>Notiz:</translation>
    </message>
    <message>
        <source>Charges per hour (%1) :</source>
        <translation>Stundensatz (%1):</translation>
    </message>
</context>
<context>
    <name>CProjectsTreeDlg</name>
    <message>
        <source>Quillory&apos;s Projects</source>
        <translation>Quillorys Projekte</translation>
    </message>
    <message>
        <source>NOTE : Click your right mouse&apos;s button to create, delete or update your projects.</source>
        <translation>HINWEIS: Klicken Sie mit der rechten Maustaste, um Projekte anzulegen, zu löschen oder zu ändern.</translation>
    </message>
    <message>
        <source>OK</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>New project</source>
        <translation>Neues Projekt</translation>
    </message>
    <message>
        <source>New sub-project</source>
        <translation>Neues Unterprojekt</translation>
    </message>
    <message>
        <source>HINT: Double-click on one project&apos;s label to select it and close this window.</source>
        <translation>TIPP: Doppelklicken Sie auf den Namen eines Projekts, um es auszuwählen und dieses Fenster zu schließen.</translation>
    </message>
    <message>
        <source>&amp;Create a new project</source>
        <translation>Neues Projekt &amp;anlegen</translation>
    </message>
    <message>
        <source>Create a &amp;sub-project</source>
        <translation>&amp;Unterprojekt anlegen</translation>
    </message>
    <message>
        <source>&amp;Update this project</source>
        <translation>Dieses Projekt &amp;bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete this project</source>
        <translation>Dieses Projekt &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;What&apos;s This?</source>
        <translation>&amp;Was ist das?</translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected project and all its sub-projects?</source>
        <translation>Möchten Sie das ausgewählte Projekt und alle seine Unterprojekte wirklich löschen?</translation>
    </message>
    <message>
        <source>No selection</source>
        <translation>Keine Auswahl</translation>
    </message>
    <message>
        <source>You must select a project before validating by OK.</source>
        <translation>Sie müssen ein Projekt auswählen, bevor Sie mit OK bestätigen.</translation>
    </message>
</context>
<context>
    <name>CPropertiesPage1</name>
    <message>
        <source>Company</source>
        <translation>Firma</translation>
    </message>
    <message>
        <source>Company :</source>
        <translation>Firma:</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>ZIP :</source>
        <translation>PLZ:</translation>
    </message>
    <message>
        <source>State :</source>
        <translation>Bundesland:</translation>
    </message>
    <message>
        <source>City :</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Country :</source>
        <translation>Land:</translation>
    </message>
    <message>
        <source>Phone :</source>
        <translation>Telefon:</translation>
    </message>
</context>
<context>
    <name>CPropertiesPage2</name>
    <message>
        <source>Invoice</source>
        <translation>Rechnung</translation>
    </message>
    <message>
        <source>Invoice Text :</source>
        <translation>Rechnungstext:</translation>
    </message>
    <message>
        <source>Next Invoice# :</source>
        <translation>Nächste Rechnungsnr.:</translation>
    </message>
    <message>
        <source>Footer Note :</source>
        <translation>Fußnote:</translation>
    </message>
    <message>
        <source>Apply Sales Tax</source>
        <translation>Umsatzsteuer berechnen</translation>
    </message>
    <message>
        <source>Sales Tax text :</source>
        <translation>Text der Umsatzsteuer:</translation>
    </message>
    <message>
        <source>Sales Tax :</source>
        <translation>Umsatzsteuer:</translation>
    </message>
    <message>
        <source>%</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>%</translation>
    </message>
</context>
<context>
    <name>CPropertiesPage3</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Show tips in Gantt Chart</source>
        <translation>Tipps im Gantt-Diagramm zeigen</translation>
    </message>
    <message>
        <source>Note: checking this option on some computers will slow down the system. Use only with high-performance computers.</source>
        <translation>Hinweis: Auf manchen Rechnern verlangsamt diese Option das System. Nur auf leistungsstarken Rechnern verwenden.</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Datumsformat</translation>
    </message>
    <message>
        <source>American Date format (MM/DD/YYYY)</source>
        <translation>Amerikanisches Datumsformat (MM/TT/JJJJ)</translation>
    </message>
    <message>
        <source>European Date format (DD/MM/YYYY)</source>
        <translation>Europäisches Datumsformat (TT/MM/JJJJ)</translation>
    </message>
    <message>
        <source>Monetary Symbol :</source>
        <translation>Währungssymbol:</translation>
    </message>
</context>
<context>
    <name>CPropertiesSheet</name>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Firma</translation>
    </message>
    <message>
        <source>Invoice</source>
        <translation>Rechnung</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Billing</source>
        <translation>Abrechnung</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>Abwesenheit</translation>
    </message>
</context>
<context>
    <name>CRecoveryDlg</name>
    <message>
        <source>&amp;Keep running</source>
        <translation>&amp;Weiterlaufen lassen</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Running projects</source>
        <translation>Laufende Projekte</translation>
    </message>
    <message>
        <source>Project </source>
        <translation>Projekt </translation>
    </message>
    <message>
        <source>Quillory ended while these projects were running. It was last seen running at </source>
        <translation>Quillory wurde beendet, während diese Projekte liefen. Zuletzt lief es um </translation>
    </message>
    <message>
        <source>Quillory ended while these projects were running, during an absence that began at </source>
        <translation>Quillory wurde beendet, während diese Projekte liefen, während einer Abwesenheit ab </translation>
    </message>
    <message>
        <source>, which is later than now, so they count up to </source>
        <translation>, was später als jetzt ist; sie zählen daher bis </translation>
    </message>
    <message>
        <source> They were paused.</source>
        <translation> Sie waren angehalten.</translation>
    </message>
    <message>
        <source> started </source>
        <translation> begonnen </translation>
    </message>
    <message>
        <source> (not in the projects file)</source>
        <translation> (nicht in der Projektdatei)</translation>
    </message>
    <message>
        <source> (after </source>
        <translation> (nach </translation>
    </message>
    <message>
        <source> Left out, as they cannot be checked out: </source>
        <translation> Ausgelassen, da sie nicht ausgecheckt werden können: </translation>
    </message>
    <message>
        <source> Closing this window checks them out at </source>
        <translation> Wenn Sie dieses Fenster schließen, werden sie ausgecheckt um </translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>&amp;Check out at </source>
        <translation>&amp;Auschecken um </translation>
    </message>
    <message>
        <source>The time these projects ran will not be written anywhere. Discard it?</source>
        <translation>Die Laufzeit dieser Projekte wird nirgends gespeichert. Verwerfen?</translation>
    </message>
</context>
<context>
    <name>CSelectRunningDlg</name>
    <message>
        <source>Select a running project</source>
        <translation>Laufendes Projekt auswählen</translation>
    </message>
</context>
<context>
    <name>CTessalyApp</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>CTessalyDoc</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source> - PAUSE</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation> - PAUSE</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>You must check out all your projects before creating a new file.</source>
        <translation>Sie müssen bei allen Projekten auschecken, bevor Sie eine neue Datei anlegen.</translation>
    </message>
    <message>
        <source>You must check out all your projects before opening a new file.</source>
        <translation>Sie müssen bei allen Projekten auschecken, bevor Sie eine neue Datei öffnen.</translation>
    </message>
    <message>
        <source>You haven&apos;t checked out from your running projects. Exit anyway?</source>
        <translation>Sie haben bei Ihren laufenden Projekten nicht ausgecheckt. Trotzdem beenden?</translation>
    </message>
</context>
<context>
    <name>CTessalyView</name>
    <message>
        <source>The totals charged today, this week, this month and this year, the running projects with their time and charges, and the week chart.</source>
        <translation>Die heute, diese Woche, diesen Monat und dieses Jahr berechneten Summen, die laufenden Projekte mit Zeit und Betrag sowie das Wochendiagramm.</translation>
    </message>
    <message>
        <source>Quillory main view</source>
        <translation>Quillory-Hauptansicht</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Charges</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>%1: time %2, charges %3</source>
        <translation>%1: Zeit %2, Betrag %3</translation>
    </message>
    <message>
        <source>Total charges</source>
        <translation>Gesamtbeträge</translation>
    </message>
    <message>
        <source>Total charges for...</source>
        <translation>Gesamtbetrag für...</translation>
    </message>
    <message>
        <source>Open or create a &apos;Quillory&apos; file</source>
        <translation>Öffnen oder erstellen Sie eine „Quillory“-Datei</translation>
    </message>
    <message>
        <source>Running projects</source>
        <translation>Laufende Projekte</translation>
    </message>
    <message>
        <source>Press the &apos;Check In&apos; button to start timing a project</source>
        <translation>„Einchecken“ startet die Zeitmessung eines Projekts</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>Week chart</source>
        <translation>Wochendiagramm</translation>
    </message>
    <message>
        <source>Week of %1</source>
        <translation>Woche vom %1</translation>
    </message>
    <message>
        <source>(project unknown)</source>
        <translation>(Projekt unbekannt)</translation>
    </message>
    <message>
        <source>%1, %2, %3 to %4, duration %5</source>
        <translation>%1, %2, %3 bis %4, Dauer %5</translation>
    </message>
</context>
<context>
    <name>CTimeFrameDlg</name>
    <message>
        <source>Time frame</source>
        <translation>Zeitabschnitt</translation>
    </message>
    <message>
        <source>Project :</source>
        <translation>Projekt:</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Time :</source>
        <translation>Uhrzeit:</translation>
    </message>
    <message>
        <source>Duration :</source>
        <translation>Dauer:</translation>
    </message>
</context>
<context>
    <name>CoreText</name>
    <message>
        <source>Cannot open project file : %1</source>
        <translation>Projektdatei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Cannot open CUSTOMERS file : %1</source>
        <translation>KUNDEN-Datei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Cannot open Customers file : %1</source>
        <translation>Kundendatei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Cannot open Time Frames file : %1</source>
        <translation>Datei der Zeitabschnitte kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Cannot open time frames file : %1</source>
        <translation>Datei der Zeitabschnitte kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Cannot open settings file : %1</source>
        <translation>Einstellungsdatei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Cannot lock file set : %1</source>
        <translation>Dateisatz kann nicht gesperrt werden: %1</translation>
    </message>
    <message>
        <source>Cannot read billing details file : %1</source>
        <translation>Datei der Abrechnungsdaten kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Cannot read customer billing details file : %1</source>
        <translation>Datei der Abrechnungsdaten der Kunden kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Cannot read invoice register : %1</source>
        <translation>Rechnungsregister kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Cannot read running projects file : %1</source>
        <translation>Datei der laufenden Projekte kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Cannot write billing details file : %1</source>
        <translation>Datei der Abrechnungsdaten kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write customer billing details file : %1</source>
        <translation>Datei der Abrechnungsdaten der Kunden kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write history filter file : %1</source>
        <translation>Datei des Verlaufsfilters kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write invoice register : %1</source>
        <translation>Rechnungsregister kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write running projects file : %1</source>
        <translation>Datei der laufenden Projekte kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write settings file : %1</source>
        <translation>Einstellungsdatei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write invoice file : %1</source>
        <translation>Rechnungsdatei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write e-invoice file : %1</source>
        <translation>E-Rechnungsdatei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write PDF file : %1</source>
        <translation>PDF-Datei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write the export file : %1</source>
        <translation>Die Exportdatei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot create new project. Check your disk-drive for write-protection</source>
        <translation>Neues Projekt kann nicht angelegt werden. Prüfen Sie, ob das Laufwerk schreibgeschützt ist</translation>
    </message>
    <message>
        <source>The file set is busy in another program, try again : %1</source>
        <translation>Der Dateisatz wird von einem anderen Programm benutzt, versuchen Sie es erneut: %1</translation>
    </message>
    <message>
        <source>No customer id is left in %1</source>
        <translation>Keine Kundennummer mehr frei in %1</translation>
    </message>
    <message>
        <source>No project id is left in %1</source>
        <translation>Keine Projektnummer mehr frei in %1</translation>
    </message>
    <message>
        <source>No invoice has the number %1</source>
        <translation>Keine Rechnung hat die Nummer %1</translation>
    </message>
    <message>
        <source>Invoice %1 is void already.</source>
        <translation>Rechnung %1 ist bereits storniert.</translation>
    </message>
    <message>
        <source>This customer is no longer in the customers file : %1</source>
        <translation>Dieser Kunde steht nicht mehr in der Kundendatei: %1</translation>
    </message>
    <message>
        <source>An e-invoice is written only for an issued invoice.</source>
        <translation>Eine E-Rechnung wird nur für eine ausgestellte Rechnung geschrieben.</translation>
    </message>
    <message>
        <source>An edited time frame keeps its project.</source>
        <translation>Ein bearbeiteter Zeitabschnitt behält sein Projekt.</translation>
    </message>
    <message>
        <source>The project is not running.</source>
        <translation>Das Projekt läuft nicht.</translation>
    </message>
    <message>
        <source>The export file could not be written.</source>
        <translation>Die Exportdatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The file is not XML</source>
        <translation>Die Datei ist kein XML</translation>
    </message>
    <message>
        <source>The file is not a Cross Industry Invoice</source>
        <translation>Die Datei ist keine Cross Industry Invoice</translation>
    </message>
    <message>
        <source>The time frame cannot end before it starts.</source>
        <translation>Der Zeitabschnitt kann nicht enden, bevor er beginnt.</translation>
    </message>
    <message>
        <source>The time frame cannot end before it starts: please enter a duration of 00:00 or more.</source>
        <translation>Der Zeitabschnitt kann nicht enden, bevor er beginnt: Bitte geben Sie eine Dauer von 00:00 oder mehr ein.</translation>
    </message>
    <message>
        <source>There is no such date: %1.</source>
        <translation>Dieses Datum gibt es nicht: %1.</translation>
    </message>
    <message>
        <source>Please enter a date from 1902 to 2037: other dates cannot be stored.</source>
        <translation>Bitte geben Sie ein Datum von 1902 bis 2037 ein: Andere Daten können nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Please enter the date as three numbers, day/month/year, for example 15/03/1996.</source>
        <translation>Bitte geben Sie das Datum als drei Zahlen ein, Tag/Monat/Jahr, zum Beispiel 15/03/1996.</translation>
    </message>
    <message>
        <source>Please enter the date as three numbers, month/day/year, for example 03/15/1996.</source>
        <translation>Bitte geben Sie das Datum als drei Zahlen ein, Monat/Tag/Jahr, zum Beispiel 03/15/1996.</translation>
    </message>
    <message>
        <source>Please enter the duration as hours:minutes, for example 01:30, with minutes below 60.</source>
        <translation>Bitte geben Sie die Dauer als Stunden:Minuten ein, zum Beispiel 01:30, mit Minuten unter 60.</translation>
    </message>
    <message>
        <source>Please enter the time as hours:minutes, for example 09:30, with hours below 24 and minutes below 60.</source>
        <translation>Bitte geben Sie die Uhrzeit als Stunden:Minuten ein, zum Beispiel 09:30, mit Stunden unter 24 und Minuten unter 60.</translation>
    </message>
    <message>
        <source>The e-invoice lacks details the standard requires:%1</source>
        <translation>Der E-Rechnung fehlen Angaben, die der Standard verlangt:%1</translation>
    </message>
    <message>
        <source>The invoice number is too long: it may have at most %1 characters.</source>
        <translation>Die Rechnungsnummer ist zu lang: Sie darf höchstens %1 Zeichen haben.</translation>
    </message>
    <message>
        <source>The project name is too long to be stored (at most 60 bytes) : %1</source>
        <translation>Der Projektname ist zu lang zum Speichern (höchstens 60 Bytes): %1</translation>
    </message>
    <message>
        <source>The memo of project %1 is too long to be stored (at most 1000 bytes)</source>
        <translation>Die Notiz des Projekts %1 ist zu lang zum Speichern (höchstens 1000 Bytes)</translation>
    </message>
    <message>
        <source>The billing details were changed by another program since this window opened. Cancel, then open it again : %1</source>
        <translation>Die Abrechnungsdaten wurden seit dem Öffnen dieses Fensters von einem anderen Programm geändert. Brechen Sie ab und öffnen Sie es erneut: %1</translation>
    </message>
    <message>
        <source>The project file was changed by another program since this window opened. Cancel, then open it again : %1</source>
        <translation>Die Projektdatei wurde seit dem Öffnen dieses Fensters von einem anderen Programm geändert. Brechen Sie ab und öffnen Sie es erneut: %1</translation>
    </message>
    <message>
        <source>The settings were changed by another program since this window opened. Cancel, then open it again : %1</source>
        <translation>Die Einstellungen wurden seit dem Öffnen dieses Fensters von einem anderen Programm geändert. Brechen Sie ab und öffnen Sie es erneut: %1</translation>
    </message>
    <message>
        <source>This customer has no time frame in the period: there is nothing to invoice.</source>
        <translation>Dieser Kunde hat im Zeitraum keinen Zeitabschnitt: Es gibt nichts abzurechnen.</translation>
    </message>
    <message>
        <source>Every time frame of this period was billed already: there is nothing to invoice.</source>
        <translation>Jeder Zeitabschnitt dieses Zeitraums wurde bereits abgerechnet: Es gibt nichts abzurechnen.</translation>
    </message>
    <message>
        <source>This Year</source>
        <translation>Dieses Jahr</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Dieser Monat</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Today (%1)</source>
        <translation>Heute (%1)</translation>
    </message>
    <message>
        <source>This week (%1)</source>
        <translation>Diese Woche (%1)</translation>
    </message>
    <message>
        <source>This month (%1)</source>
        <translation>Dieser Monat (%1)</translation>
    </message>
    <message>
        <source>This year (%1)</source>
        <translation>Dieses Jahr (%1)</translation>
    </message>
    <message>
        <source>The %1 date %2 is not a date. Type three numbers separated by &quot;/&quot;, such as %3 (month/day/year).</source>
        <translation>Das Datum %2 im Feld „%1“ ist kein Datum. Geben Sie drei durch „/“ getrennte Zahlen ein, etwa %3 (Monat/Tag/Jahr).</translation>
    </message>
    <message>
        <source>The %1 date %2 is not a date. Type three numbers separated by &quot;/&quot;, such as %3 (day/month/year).</source>
        <translation>Das Datum %2 im Feld „%1“ ist kein Datum. Geben Sie drei durch „/“ getrennte Zahlen ein, etwa %3 (Tag/Monat/Jahr).</translation>
    </message>
    <message>
        <source>The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, such as %3 (month/day/year).</source>
        <translation>Das Datum %2 im Feld „%1“ liegt außerhalb der Daten, die dieses Programm speichern kann. Geben Sie ein vierstelliges Jahr von 1902 bis 2037 ein, etwa %3 (Monat/Tag/Jahr).</translation>
    </message>
    <message>
        <source>The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, such as %3 (day/month/year).</source>
        <translation>Das Datum %2 im Feld „%1“ liegt außerhalb der Daten, die dieses Programm speichern kann. Geben Sie ein vierstelliges Jahr von 1902 bis 2037 ein, etwa %3 (Tag/Monat/Jahr).</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>%1 %2: %3</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a file of the set being read</source>
        <translation>„%1“ ist eine Datei des gelesenen Dateisatzes</translation>
    </message>
    <message>
        <source>the output was committed or discarded already</source>
        <translation>die Ausgabe wurde bereits übernommen oder verworfen</translation>
    </message>
    <message>
        <source>%1 is saved but may not yet be on disk (%2)</source>
        <translation>%1 ist gespeichert, aber vielleicht noch nicht auf dem Datenträger (%2)</translation>
    </message>
    <message>
        <source>The %1 is too long to be stored (at most %2 bytes)</source>
        <translation>Das Feld „%1“ ist zu lang zum Speichern (höchstens %2 Bytes)</translation>
    </message>
    <message>
        <source>The customer&apos;s %1 is too long to be stored (at most %2 bytes) : %3</source>
        <translation>Das Feld „%1“ des Kunden ist zu lang zum Speichern (höchstens %2 Bytes): %3</translation>
    </message>
    <message>
        <source>No invoice has the number %1 in the invoice register : %2</source>
        <translation>Keine Rechnung im Rechnungsregister hat die Nummer %1: %2</translation>
    </message>
    <message>
        <source>The invoice number %1 was issued already: it is in the invoice register. Give another number.</source>
        <translation>Die Rechnungsnummer %1 wurde bereits vergeben: Sie steht im Rechnungsregister. Geben Sie eine andere Nummer an.</translation>
    </message>
    <message>
        <source>Select a customer for the invoice. Create one with %1 first.</source>
        <translation>Wählen Sie einen Kunden für die Rechnung. Legen Sie zuerst einen mit „%1“ an.</translation>
    </message>
    <message>
        <source>With this duration the time frame would end after January 2038, which cannot be stored.</source>
        <translation>Mit dieser Dauer würde der Zeitabschnitt nach Januar 2038 enden, was nicht gespeichert werden kann.</translation>
    </message>
    <message>
        <source>company name</source>
        <translation>Firmenname</translation>
    </message>
    <message>
        <source>company address</source>
        <translation>Firmenadresse</translation>
    </message>
    <message>
        <source>city</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>PLZ</translation>
    </message>
    <message>
        <source>state</source>
        <translation>Bundesland</translation>
    </message>
    <message>
        <source>country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>invoice text</source>
        <translation>Rechnungstext</translation>
    </message>
    <message>
        <source>next invoice number</source>
        <translation>nächste Rechnungsnummer</translation>
    </message>
    <message>
        <source>invoice footer</source>
        <translation>Rechnungsfußzeile</translation>
    </message>
    <message>
        <source>sales tax label</source>
        <translation>Bezeichnung der Umsatzsteuer</translation>
    </message>
    <message>
        <source>monetary symbol</source>
        <translation>Währungssymbol</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Edit Customers</source>
        <translation>Kunden bearbeiten</translation>
    </message>
    <message>
        <source>invoice %1 is void</source>
        <translation>Rechnung %1 ist storniert</translation>
    </message>
    <message>
        <source>no invoice has the number %1 in the invoice register</source>
        <translation>keine Rechnung im Rechnungsregister hat die Nummer %1</translation>
    </message>
    <message>
        <source>the invoice number is not UTF-8 text</source>
        <translation>die Rechnungsnummer ist kein UTF-8-Text</translation>
    </message>
</context>
<context>
    <name>DesktopPresenceMonitor</name>
    <message>
        <source>Screen lock (session bus)</source>
        <translation>Bildschirmsperre (Sitzungsbus)</translation>
    </message>
    <message>
        <source>Suspend and resume (logind)</source>
        <translation>Ruhezustand und Fortsetzen (logind)</translation>
    </message>
    <message>
        <source>Input idleness (X11)</source>
        <translation>Keine Eingabe (X11)</translation>
    </message>
</context>
<context>
    <name>EInvoiceFiles</name>
    <message>
        <source>Invoice </source>
        <translation>Rechnung </translation>
    </message>
    <message>
        <source>E-invoice (XML)</source>
        <translation>E-Rechnung (XML)</translation>
    </message>
    <message>
        <source>XML files (*.xml)</source>
        <translation>XML-Dateien (*.xml)</translation>
    </message>
    <message>
        <source>PDF with e-invoice</source>
        <translation>PDF mit E-Rechnung</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>the invoice number</source>
        <translation>die Rechnungsnummer</translation>
    </message>
    <message>
        <source>the seller&apos;s name</source>
        <translation>der Name des Verkäufers</translation>
    </message>
    <message>
        <source>the seller&apos;s country code</source>
        <translation>der Ländercode des Verkäufers</translation>
    </message>
    <message>
        <source>the seller&apos;s country code (%1 is not in the standard&apos;s list)</source>
        <translation>der Ländercode des Verkäufers (%1 steht nicht in der Liste des Standards)</translation>
    </message>
    <message>
        <source>the seller&apos;s VAT ID or registration number</source>
        <translation>die USt-IdNr. oder die Registernummer des Verkäufers</translation>
    </message>
    <message>
        <source>the seller&apos;s VAT ID (its prefix %1 is not in the standard&apos;s list)</source>
        <translation>die USt-IdNr. des Verkäufers (ihr Präfix %1 steht nicht in der Liste des Standards)</translation>
    </message>
    <message>
        <source>a sales tax rate above zero</source>
        <translation>ein Umsatzsteuersatz über null</translation>
    </message>
    <message>
        <source>the seller&apos;s VAT ID or tax number, as sales tax is applied</source>
        <translation>die USt-IdNr. oder die Steuernummer des Verkäufers, da Umsatzsteuer berechnet wird</translation>
    </message>
    <message>
        <source>the reason for the VAT exemption</source>
        <translation>der Grund der Steuerbefreiung</translation>
    </message>
    <message>
        <source>an exemption code of the VATEX list, or none (%1 is not in it)</source>
        <translation>ein Befreiungscode der VATEX-Liste oder keiner (%1 steht nicht darin)</translation>
    </message>
    <message>
        <source>the customer&apos;s name</source>
        <translation>der Name des Kunden</translation>
    </message>
    <message>
        <source>the customer&apos;s country code</source>
        <translation>der Ländercode des Kunden</translation>
    </message>
    <message>
        <source>the customer&apos;s country code (%1 is not in the standard&apos;s list)</source>
        <translation>der Ländercode des Kunden (%1 steht nicht in der Liste des Standards)</translation>
    </message>
    <message>
        <source>the customer&apos;s VAT ID (its prefix %1 is not in the standard&apos;s list)</source>
        <translation>die USt-IdNr. des Kunden (ihr Präfix %1 steht nicht in der Liste des Standards)</translation>
    </message>
    <message>
        <source>the currency code</source>
        <translation>der Währungscode</translation>
    </message>
    <message>
        <source>the currency code (%1 is not in the standard&apos;s list)</source>
        <translation>der Währungscode (%1 steht nicht in der Liste des Standards)</translation>
    </message>
    <message>
        <source>at least one time frame to bill</source>
        <translation>mindestens ein abzurechnender Zeitabschnitt</translation>
    </message>
    <message>
        <source>a name for every project billed</source>
        <translation>ein Name für jedes abgerechnete Projekt</translation>
    </message>
    <message>
        <source>Reports &gt; Invoice...</source>
        <translation>Berichte &gt; Rechnung...</translation>
    </message>
    <message>
        <source>File &gt; Properties &gt; Company</source>
        <translation>Datei &gt; Eigenschaften &gt; Firma</translation>
    </message>
    <message>
        <source>File &gt; Properties &gt; Invoice</source>
        <translation>Datei &gt; Eigenschaften &gt; Rechnung</translation>
    </message>
    <message>
        <source>File &gt; Properties &gt; Billing</source>
        <translation>Datei &gt; Eigenschaften &gt; Abrechnung</translation>
    </message>
    <message>
        <source>Customers &gt; Edit Customers...</source>
        <translation>Kunden &gt; Kunden bearbeiten...</translation>
    </message>
    <message>
        <source>Projects &gt; Edit Projects...</source>
        <translation>Projekte &gt; Projekte bearbeiten...</translation>
    </message>
</context>
<context>
    <name>ExistingFolder</name>
    <message>
        <source>The folder %1 does not exist. Please choose a file in an existing folder.</source>
        <translation>Der Ordner %1 existiert nicht. Bitte wählen Sie eine Datei in einem vorhandenen Ordner.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Using Help</source>
        <translation>Hilfe verwenden</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Using Help&lt;/h2&gt;&lt;p&gt;This window shows one help topic at a time. Underlined words lead to related topics: click one to read it.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Contents&lt;/b&gt; shows the overview of Quillory, the starting point of every topic.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Back&lt;/b&gt; returns to the topic you read before.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Close&lt;/b&gt; (or Escape) hides the window; the next request for help opens it again.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Help &gt; Index opens the overview at any time. In the week chart and the project tree, the &lt;b&gt;What&apos;s This?&lt;/b&gt; item of the right-click menu opens the topic about that place; in the Properties sheet, press its Help button.&lt;/p&gt;&lt;p&gt;To learn what a menu item or toolbar button does, press Shift+F1 and then click it.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Hilfe verwenden&lt;/h2&gt;&lt;p&gt;Dieses Fenster zeigt jeweils ein Hilfethema. Unterstrichene Wörter führen zu verwandten Themen: Klicken Sie auf eines, um es zu lesen.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Inhalt&lt;/b&gt; zeigt die Übersicht über Quillory, den Ausgangspunkt aller Themen.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Zurück&lt;/b&gt; kehrt zum zuvor gelesenen Thema zurück.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Schließen&lt;/b&gt; (oder Esc) blendet das Fenster aus; die nächste Anfrage nach Hilfe öffnet es wieder.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Hilfe &gt; Index öffnet jederzeit die Übersicht. Im Wochendiagramm und im Projektbaum öffnet der Eintrag &lt;b&gt;Was ist das?&lt;/b&gt; des Kontextmenüs das Thema zu dieser Stelle; im Eigenschaftenfenster drücken Sie dessen Schaltfläche Hilfe.&lt;/p&gt;&lt;p&gt;Um zu erfahren, was ein Menüeintrag oder eine Schaltfläche der Symbolleiste tut, drücken Sie Umschalt+F1 und klicken Sie dann darauf.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Quillory Help - </source>
        <translation>Quillory-Hilfe - </translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Time charged</source>
        <translation>Berechnete Zeit</translation>
    </message>
    <message>
        <source>Charges</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>Invoice</source>
        <translation>Rechnung</translation>
    </message>
</context>
<context>
    <name>InvoiceTextFile</name>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>MainPanelsPainter</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Charges</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Press the &apos;Check In&apos; button to start timing a project</source>
        <translation>„Einchecken“ startet die Zeitmessung eines Projekts</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>Total charges for...</source>
        <translation>Gesamtbetrag für...</translation>
    </message>
    <message>
        <source>Open or create a &apos;Quillory&apos; file</source>
        <translation>Öffnen oder erstellen Sie eine „Quillory“-Datei</translation>
    </message>
</context>
<context>
    <name>PeriodControls</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>PrintDispatch</name>
    <message>
        <source>Preparing the pages...</source>
        <translation>Die Seiten werden vorbereitet...</translation>
    </message>
    <message>
        <source>Export PDF...</source>
        <translation>PDF exportieren...</translation>
    </message>
    <message>
        <source>Printing...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>The report was printed to the file %1.</source>
        <translation>Der Bericht wurde in die Datei %1 gedruckt.</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>PDF exportieren</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Writing the PDF file...</source>
        <translation>Die PDF-Datei wird geschrieben...</translation>
    </message>
    <message>
        <source>There is nothing to print: the report has no lines.</source>
        <translation>Es gibt nichts zu drucken: Der Bericht hat keine Zeilen.</translation>
    </message>
    <message>
        <source>The report could not be printed on %1.</source>
        <translation>Der Bericht konnte nicht auf %1 gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>PrintSetupDialog</name>
    <message>
        <source>Print Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>OK</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>QtFileSetDialogs</name>
    <message>
        <source>Quillory files (*.qlr)</source>
        <translation>Quillory-Dateien (*.qlr)</translation>
    </message>
</context>
<context>
    <name>ReportCommands</name>
    <message>
        <source>Writing the PDF file...</source>
        <translation>Die PDF-Datei wird geschrieben...</translation>
    </message>
</context>
<context>
    <name>RunningHeldElsewhere</name>
    <message>
        <source>The running projects of %1 belong to another Quillory window. Check projects in and out there.</source>
        <translation>Die laufenden Projekte von %1 gehören zu einem anderen Quillory-Fenster. Checken Sie Projekte dort ein und aus.</translation>
    </message>
</context>
<context>
    <name>TrackingCommands</name>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>No file has been opened. Cannot load the projects file.</source>
        <translation>Es wurde keine Datei geöffnet. Die Projektdatei kann nicht geladen werden.</translation>
    </message>
    <message>
        <source>Too many projects</source>
        <translation>Zu viele Projekte</translation>
    </message>
    <message>
        <source>The limit of 5 projects being charged at the same time has been reached. Check out from a project before checking in.</source>
        <translation>Die Grenze von 5 gleichzeitig berechneten Projekten ist erreicht. Checken Sie bei einem Projekt aus, bevor Sie einchecken.</translation>
    </message>
</context>
<context>
    <name>TrayStatus</name>
    <message>
        <source> - PAUSE</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation> - PAUSE</translation>
    </message>
    <message>
        <source>Project </source>
        <translation>Projekt </translation>
    </message>
</context>
<context>
    <name>WeekChartInteraction</name>
    <message>
        <source>&amp;Edit Item...</source>
        <translation>Eintrag &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Delete Item</source>
        <translation>Eintrag &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Change Hours...</source>
        <translation>&amp;Stunden ändern...</translation>
    </message>
    <message>
        <source>Change Gantt Chart&apos;s starting and ending hours</source>
        <translation>Anfangs- und Endstunde des Gantt-Diagramms ändern</translation>
    </message>
    <message>
        <source>&amp;Previous Week</source>
        <translation>&amp;Vorige Woche</translation>
    </message>
    <message>
        <source>View previous week</source>
        <translation>Die vorige Woche ansehen</translation>
    </message>
    <message>
        <source>&amp;Next Week</source>
        <translation>&amp;Nächste Woche</translation>
    </message>
    <message>
        <source>View next week</source>
        <translation>Die nächste Woche ansehen</translation>
    </message>
    <message>
        <source>&amp;This Week</source>
        <translation>&amp;Diese Woche</translation>
    </message>
    <message>
        <source>View this week</source>
        <translation>Diese Woche ansehen</translation>
    </message>
    <message>
        <source>&amp;What&apos;s This?</source>
        <translation>&amp;Was ist das?</translation>
    </message>
    <message>
        <source>Get help about this visual item</source>
        <translation>Hilfe zu diesem Element erhalten</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected item?</source>
        <translation>Möchten Sie den ausgewählten Eintrag wirklich löschen?</translation>
    </message>
</context>
</TS>
