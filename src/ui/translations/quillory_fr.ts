<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>AbsenceWatch</name>
    <message>
        <source>Project </source>
        <translation>Projet </translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Quillory95</source>
        <translation>À propos de Quillory95</translation>
    </message>
    <message>
        <source>Away detection: no source in this session</source>
        <translation>Détection d&apos;absence : aucune source dans cette session</translation>
    </message>
    <message>
        <source>Away detection: </source>
        <translation>Détection d&apos;absence : </translation>
    </message>
    <message>
        <source>Quillory® v1.01 for Windows95</source>
        <translation>Quillory® v1.01 pour Windows95</translation>
    </message>
</context>
<context>
    <name>CAwayDlg</name>
    <message>
        <source>minute</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>minute</translation>
    </message>
    <message>
        <source>minutes</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>minutes</translation>
    </message>
    <message>
        <source>hour</source>
        <translation>heure</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>heures</translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>You were away from %1 to %2 (%3) while %4 was running.</source>
        <translation>Vous étiez absent de %1 à %2 (%3) pendant que %4 était en cours.</translation>
    </message>
    <message>
        <source>You were away from %1 to %2 (%3) while %4 were running.</source>
        <translation>Vous étiez absent de %1 à %2 (%3) pendant que %4 étaient en cours.</translation>
    </message>
    <message>
        <source>Subtract and continue</source>
        <translation>Déduire et continuer</translation>
    </message>
    <message>
        <source>Subtract and check out</source>
        <translation>Déduire et pointer le départ</translation>
    </message>
    <message>
        <source>Keep the time</source>
        <translation>Garder le temps</translation>
    </message>
</context>
<context>
    <name>CAwayPage</name>
    <message>
        <source>Away</source>
        <translation>Absence</translation>
    </message>
    <message>
        <source>&amp;Notice when I am away while projects run</source>
        <translation>&amp;Détecter mes absences pendant que des projets sont en cours</translation>
    </message>
    <message>
        <source>Locking the screen, a sleeping computer or no input for a while counts as away. When you come back, Quillory asks whether the time away is to be subtracted.</source>
        <translation>Un écran verrouillé, un ordinateur en veille ou une période sans saisie comptent comme une absence. À votre retour, Quillory demande si le temps d&apos;absence doit être déduit.</translation>
    </message>
    <message>
        <source>&amp;Ask after</source>
        <translation>De&amp;mander après</translation>
    </message>
    <message>
        <source> minutes away</source>
        <translation> minutes d&apos;absence</translation>
    </message>
</context>
<context>
    <name>CBillingPage</name>
    <message>
        <source>Billing</source>
        <translation>Facturation</translation>
    </message>
    <message>
        <source>Country code :</source>
        <translation>Code pays :</translation>
    </message>
    <message>
        <source>VAT ID :</source>
        <translation>N° de TVA :</translation>
    </message>
    <message>
        <source>Tax number :</source>
        <translation>Numéro fiscal :</translation>
    </message>
    <message>
        <source>Registration number :</source>
        <translation>Numéro d&apos;immatriculation :</translation>
    </message>
    <message>
        <source>IBAN :</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>IBAN :</translation>
    </message>
    <message>
        <source>BIC :</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>BIC :</translation>
    </message>
    <message>
        <source>Payment terms (days) :</source>
        <translation>Délai de paiement (jours) :</translation>
    </message>
    <message>
        <source>Currency (ISO 4217) :</source>
        <translation>Devise (ISO 4217) :</translation>
    </message>
    <message>
        <source>VAT exemption reason :</source>
        <translation>Motif d&apos;exonération de TVA :</translation>
    </message>
    <message>
        <source>Exemption code (VATEX) :</source>
        <translation>Code d&apos;exonération (VATEX) :</translation>
    </message>
    <message>
        <source>Shown on invoices when given. Payment terms of 0 days make an invoice due on its issue date; the exemption reason is printed when no sales tax is applied.</source>
        <translation>Figure sur les factures lorsqu&apos;il est renseigné. Un délai de paiement de 0 jour rend la facture exigible à sa date d&apos;émission ; le motif d&apos;exonération est imprimé lorsqu&apos;aucune taxe n&apos;est appliquée.</translation>
    </message>
</context>
<context>
    <name>CChartHoursDlg</name>
    <message>
        <source>Select chart hours</source>
        <translation>Choisir les heures du diagramme</translation>
    </message>
    <message>
        <source>Starting Hour :</source>
        <translation>Heure de début :</translation>
    </message>
    <message>
        <source>Ending Hour :</source>
        <translation>Heure de fin :</translation>
    </message>
</context>
<context>
    <name>CCustomerInfoDlg</name>
    <message>
        <source>Customer info</source>
        <translation>Fiche client</translation>
    </message>
    <message>
        <source>Customer :</source>
        <translation>Client :</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>ZIP :</source>
        <translation>Code postal :</translation>
    </message>
    <message>
        <source>State :</source>
        <translation>Région :</translation>
    </message>
    <message>
        <source>City :</source>
        <translation>Ville :</translation>
    </message>
    <message>
        <source>Country :</source>
        <translation>Pays :</translation>
    </message>
    <message>
        <source>Phone :</source>
        <translation>Téléphone :</translation>
    </message>
    <message>
        <source>Notes :</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Notes :</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>OK</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Country code :</source>
        <translation>Code pays :</translation>
    </message>
    <message>
        <source>VAT ID :</source>
        <translation>N° de TVA :</translation>
    </message>
    <message>
        <source>E-mail :</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>E-mail :</translation>
    </message>
    <message>
        <source>Buyer reference :</source>
        <translation>Référence acheteur :</translation>
    </message>
</context>
<context>
    <name>CCustomersDlg</name>
    <message>
        <source>Customers</source>
        <translation>Clients</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>CP</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Région</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Téléphone</translation>
    </message>
    <message>
        <source>New Customer</source>
        <translation>Nouveau client</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the selected items?</source>
        <translation>Voulez-vous vraiment supprimer les éléments sélectionnés ?</translation>
    </message>
</context>
<context>
    <name>CExportDlg</name>
    <message>
        <source>Export Quillory95 data to an ASCII file</source>
        <translation>Exporter les données de Quillory95 vers un fichier ASCII</translation>
    </message>
    <message>
        <source>File :</source>
        <translation>Fichier :</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>Export data concerning...</source>
        <translation>Exporter les données concernant...</translation>
    </message>
    <message>
        <source>the period...</source>
        <translation>la période...</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Du :</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Au :</translation>
    </message>
    <message>
        <source>the project :</source>
        <translation>le projet :</translation>
    </message>
    <message>
        <source>Options</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Options</translation>
    </message>
    <message>
        <source>Duration in minutes (180 instead of 03:00)</source>
        <translation>Durée en minutes (180 au lieu de 03:00)</translation>
    </message>
    <message>
        <source>24-hour format (16:00 instead of 04:00 PM)</source>
        <translation>Format 24 heures (16:00 au lieu de 04:00 PM)</translation>
    </message>
    <message>
        <source>Date and time in one field instead of two</source>
        <translation>Date et heure dans un seul champ au lieu de deux</translation>
    </message>
    <message>
        <source>OK</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>All Projects</source>
        <translation>Tous les projets</translation>
    </message>
    <message>
        <source>Cannot open Projects file : </source>
        <translation>Impossible d&apos;ouvrir le fichier des projets : </translation>
    </message>
    <message>
        <source>QL Export Files (*.txt)</source>
        <translation>Fichiers d&apos;export QL (*.txt)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Writing the export file...</source>
        <translation>Écriture du fichier d&apos;export...</translation>
    </message>
    <message>
        <source>Cannot create the export file : %1
%2</source>
        <translation>Impossible de créer le fichier d&apos;export : %1
%2</translation>
    </message>
    <message>
        <source>Cannot write the export file : %1
%2</source>
        <translation>Impossible d&apos;écrire le fichier d&apos;export : %1
%2</translation>
    </message>
    <message>
        <source>File created with success.</source>
        <translation>Le fichier a été créé avec succès.</translation>
    </message>
</context>
<context>
    <name>CHistoryDlg</name>
    <message>
        <source>History of charges</source>
        <translation>Historique des honoraires</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtrer</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Click a heading, or press Ctrl+1 to Ctrl+%1, to sort by that column.</source>
        <translation>Cliquez sur un en-tête, ou appuyez sur Ctrl+1 à Ctrl+%1, pour trier selon cette colonne.</translation>
    </message>
    <message>
        <source>No time frame is listed: the filter names %1, which is no longer in the projects file. Choose Filter... to change it.</source>
        <translation>Aucune période n&apos;est listée : le filtre désigne %1, qui ne figure plus dans le fichier des projets. Choisissez Filtrer... pour le modifier.</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the selected items?</source>
        <translation>Voulez-vous vraiment supprimer les éléments sélectionnés ?</translation>
    </message>
</context>
<context>
    <name>CHistoryFilterDlg</name>
    <message>
        <source>History Filter</source>
        <translation>Filtre de l&apos;historique</translation>
    </message>
    <message>
        <source>Display Projects</source>
        <translation>Afficher les projets</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Single Project</source>
        <translation>Un seul projet</translation>
    </message>
    <message>
        <source>Select :</source>
        <translation>Choisir :</translation>
    </message>
    <message>
        <source>Display Dates</source>
        <translation>Afficher les dates</translation>
    </message>
    <message>
        <source>Period :</source>
        <translation>Période :</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Du :</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Au :</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Enregistrer les réglages</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>
The filter applies to this list only and was not saved.</source>
        <translation>
Le filtre s&apos;applique à cette liste seulement et n&apos;a pas été enregistré.</translation>
    </message>
    <message>
        <source>No single project selected. Please click the &apos;Select&apos; button.</source>
        <translation>Aucun projet sélectionné. Veuillez cliquer sur le bouton « Choisir ».</translation>
    </message>
</context>
<context>
    <name>CInvoicesDlg</name>
    <message>
        <source>Invoices</source>
        <translation>Factures</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Numéro</translation>
    </message>
    <message>
        <source>Date</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Date</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Total</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Total</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Issued invoices</source>
        <translation>Factures émises</translation>
    </message>
    <message>
        <source>No invoice has been issued from this file set yet.</source>
        <translation>Aucune facture n&apos;a encore été émise depuis ce jeu de fichiers.</translation>
    </message>
    <message>
        <source>&amp;Reprint</source>
        <translation>&amp;Réimprimer</translation>
    </message>
    <message>
        <source>To &amp;File...</source>
        <translation>Vers un &amp;fichier...</translation>
    </message>
    <message>
        <source>E-invoice (XML)...</source>
        <translation>Facture électronique (XML)...</translation>
    </message>
    <message>
        <source>PDF with e-invoice...</source>
        <translation>PDF avec facture électronique...</translation>
    </message>
    <message>
        <source>&amp;Void...</source>
        <translation>&amp;Annuler la facture...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>void</source>
        <translation>annulée</translation>
    </message>
    <message>
        <source>issued (bills again)</source>
        <translation>émise (refacture)</translation>
    </message>
    <message>
        <source>E-invoice</source>
        <translation>Facture électronique</translation>
    </message>
    <message>
        <source>Writing the PDF file...</source>
        <translation>Écriture du fichier PDF...</translation>
    </message>
    <message>
        <source>Void invoice</source>
        <translation>Annuler la facture</translation>
    </message>
    <message>
        <source>Void invoice %1? It stays listed as void, its number is never issued again, and its time frames can be invoiced again.</source>
        <translation>Annuler la facture %1 ? Elle reste listée comme annulée, son numéro n&apos;est plus jamais attribué et ses périodes peuvent être facturées à nouveau.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;New...	Ctrl+N</source>
        <translation>&amp;Nouveau...	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Créer un nouveau document
Nouveau</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Ouvrir...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Ouvrir un document existant
Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exporter...</translation>
    </message>
    <message>
        <source>Export data for use with other applications (spreadsheet, database, word processor, ...)</source>
        <translation>Exporter les données vers d&apos;autres applications (tableur, base de données, traitement de texte, ...)</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Propriétés...</translation>
    </message>
    <message>
        <source>Setup application, your company, invoice, ... information</source>
        <translation>Configurer l&apos;application, votre société, la facture, ...</translation>
    </message>
    <message>
        <source>&amp;Print Gantt Chart</source>
        <translation>&amp;Imprimer le diagramme de Gantt</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>&amp;Configuration de l&apos;impression...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Quitter l&apos;application ; propose d&apos;enregistrer les documents
Quitter</translation>
    </message>
    <message>
        <source>Check In	Ctrl+E</source>
        <translation>Pointer l&apos;arrivée	Ctrl+E</translation>
    </message>
    <message>
        <source>Check in a project
Check In</source>
        <translation>Pointer l&apos;arrivée sur un projet
Arrivée</translation>
    </message>
    <message>
        <source>Check &amp;Out	Ctrl+T</source>
        <translation>Pointer le &amp;départ	Ctrl+T</translation>
    </message>
    <message>
        <source>Check out from a running project
Check Out</source>
        <translation>Pointer le départ d&apos;un projet en cours
Départ</translation>
    </message>
    <message>
        <source>&amp;Pause	Ctrl+A</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>&amp;Pause	Ctrl+A</translation>
    </message>
    <message>
        <source>Pause all running projects
Pause</source>
        <translation>Mettre en pause tous les projets en cours
Pause</translation>
    </message>
    <message>
        <source>&amp;Edit Customers...	Ctrl+U</source>
        <translation>&amp;Modifier les clients...	Ctrl+U</translation>
    </message>
    <message>
        <source>Add, update or delete customers
Customers</source>
        <translation>Ajouter, modifier ou supprimer des clients
Clients</translation>
    </message>
    <message>
        <source>&amp;Edit Projects...	Ctrl+J</source>
        <translation>&amp;Modifier les projets...	Ctrl+J</translation>
    </message>
    <message>
        <source>Add, update or delete projects (and sub-projects)
Projects</source>
        <translation>Ajouter, modifier ou supprimer des projets (et sous-projets)
Projets</translation>
    </message>
    <message>
        <source>Projects &amp;Pie Chart...</source>
        <translation>&amp;Graphique circulaire des projets...</translation>
    </message>
    <message>
        <source>Show a pie chart representing each project&apos;s importance
Pie Chart</source>
        <translation>Afficher un graphique circulaire de l&apos;importance de chaque projet
Graphique circulaire</translation>
    </message>
    <message>
        <source>&amp;History of charges...	Ctrl+H</source>
        <translation>&amp;Historique des honoraires...	Ctrl+H</translation>
    </message>
    <message>
        <source>View history of projects charged to your customers
History</source>
        <translation>Voir l&apos;historique des projets facturés à vos clients
Historique</translation>
    </message>
    <message>
        <source>&amp;Invoice...	Ctrl+I</source>
        <translation>&amp;Facture...	Ctrl+I</translation>
    </message>
    <message>
        <source>Invoice a customer of the time spent
Invoice</source>
        <translation>Facturer à un client le temps passé
Facture</translation>
    </message>
    <message>
        <source>I&amp;nvoices...</source>
        <translation>Fact&amp;ures...</translation>
    </message>
    <message>
        <source>List the issued invoices; reprint or void one
Invoices</source>
        <translation>Lister les factures émises ; en réimprimer ou en annuler une
Factures</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Barre d&apos;outils</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barre d&apos;é&amp;tat</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>&amp;Index</translation>
    </message>
    <message>
        <source>&amp;Using Help</source>
        <translation>&amp;Utiliser l&apos;aide</translation>
    </message>
    <message>
        <source>&amp;About Quillory95...</source>
        <translation>À &amp;propos de Quillory95...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>What&apos;s &amp;This?</source>
        <translation>&amp;Qu&apos;est-ce que c&apos;est ?</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Con&amp;trol</source>
        <translation>Con&amp;trôle</translation>
    </message>
    <message>
        <source>&amp;Customers</source>
        <translation>&amp;Clients</translation>
    </message>
    <message>
        <source>&amp;Projects</source>
        <translation>&amp;Projets</translation>
    </message>
    <message>
        <source>&amp;Reports</source>
        <translation>&amp;Rapports</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>Afficha&amp;ge</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>MAJ</translation>
    </message>
    <message>
        <source>NUM</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>DÉF</translation>
    </message>
    <message>
        <source> - Quillory</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation> - Quillory</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>For Help, press F1</source>
        <translation>Pour obtenir de l&apos;aide, appuyez sur F1</translation>
    </message>
</context>
<context>
    <name>CNewInvoiceDlg</name>
    <message>
        <source>New invoice</source>
        <translation>Nouvelle facture</translation>
    </message>
    <message>
        <source>Customer :</source>
        <translation>Client :</translation>
    </message>
    <message>
        <source>The invoice concerns the period...</source>
        <translation>La facture concerne la période...</translation>
    </message>
    <message>
        <source>from :</source>
        <translation>du :</translation>
    </message>
    <message>
        <source>to :</source>
        <translation>au :</translation>
    </message>
    <message>
        <source>Invoice #</source>
        <translation>Facture n°</translation>
    </message>
    <message>
        <source>To File...</source>
        <translation>Vers un fichier...</translation>
    </message>
    <message>
        <source>E-invoice (XML)...</source>
        <translation>Facture électronique (XML)...</translation>
    </message>
    <message>
        <source>PDF with e-invoice...</source>
        <translation>PDF avec facture électronique...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>E-invoice</source>
        <translation>Facture électronique</translation>
    </message>
    <message>
        <source>1 time frame of this period was</source>
        <translation>1 période de travail de cet intervalle a été</translation>
    </message>
    <message>
        <source>%1 time frames of this period were</source>
        <translation>%1 périodes de travail de cet intervalle ont été</translation>
    </message>
    <message>
        <source>%1 billed already, on %2 %3.
Leave them out of this invoice, or bill them again (the register records that it does)?</source>
        <translation>%1 déjà facturé(es), sur %2 %3.
Les exclure de cette facture, ou les facturer à nouveau (le registre l&apos;indique) ?</translation>
    </message>
    <message>
        <source>invoice</source>
        <translation>la facture</translation>
    </message>
    <message>
        <source>invoices</source>
        <translation>les factures</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>&amp;Exclure</translation>
    </message>
    <message>
        <source>&amp;Bill Again</source>
        <translation>&amp;Refacturer</translation>
    </message>
    <message>
        <source>Invoice numbers were issued by another window or program since this one opened: the next invoice number is now %1, not %2.
Issue this invoice as number %1?</source>
        <translation>Des numéros de facture ont été attribués par une autre fenêtre ou un autre programme depuis l&apos;ouverture de celle-ci : le prochain numéro de facture est maintenant %1, et non %2.
Émettre cette facture sous le numéro %1 ?</translation>
    </message>
</context>
<context>
    <name>CPieChartDlg</name>
    <message>
        <source>Projects Pie Chart</source>
        <translation>Graphique circulaire des projets</translation>
    </message>
    <message>
        <source>Chart Period :</source>
        <translation>Période du graphique :</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Du :</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Au :</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Adding up the time frames...</source>
        <translation>Addition des périodes de travail...</translation>
    </message>
    <message>
        <source>Projects pie chart</source>
        <translation>Graphique circulaire des projets</translation>
    </message>
    <message>
        <source>No time in this period</source>
        <translation>Aucun temps dans cette période</translation>
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
        <translation>Informations sur le projet</translation>
    </message>
    <message>
        <source>Project name :</source>
        <translation>Nom du projet :</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Customer :</source>
        <translation>Client :</translation>
    </message>
    <message>
        <source>Charges per hour ($) :</source>
        <translation>Tarif horaire ($) :</translation>
    </message>
    <message>
        <source>Memo :</source>
        <translation>Mémo :</translation>
    </message>
    <message>
        <source>Charges per hour (%1) :</source>
        <translation>Tarif horaire (%1) :</translation>
    </message>
</context>
<context>
    <name>CProjectsTreeDlg</name>
    <message>
        <source>Quillory&apos;s Projects</source>
        <translation>Projets de Quillory</translation>
    </message>
    <message>
        <source>NOTE : Click your right mouse&apos;s button to create, delete or update your projects.</source>
        <translation>REMARQUE : cliquez avec le bouton droit de la souris pour créer, supprimer ou modifier vos projets.</translation>
    </message>
    <message>
        <source>OK</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>New project</source>
        <translation>Nouveau projet</translation>
    </message>
    <message>
        <source>New sub-project</source>
        <translation>Nouveau sous-projet</translation>
    </message>
    <message>
        <source>HINT: Double-click on one project&apos;s label to select it and close this window.</source>
        <translation>ASTUCE : double-cliquez sur le nom d&apos;un projet pour le choisir et fermer cette fenêtre.</translation>
    </message>
    <message>
        <source>&amp;Create a new project</source>
        <translation>&amp;Créer un nouveau projet</translation>
    </message>
    <message>
        <source>Create a &amp;sub-project</source>
        <translation>Créer un sous-pro&amp;jet</translation>
    </message>
    <message>
        <source>&amp;Update this project</source>
        <translation>&amp;Modifier ce projet</translation>
    </message>
    <message>
        <source>&amp;Delete this project</source>
        <translation>&amp;Supprimer ce projet</translation>
    </message>
    <message>
        <source>&amp;What&apos;s This?</source>
        <translation>&amp;Qu&apos;est-ce que c&apos;est ?</translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation>Confirmation de la suppression</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected project and all its sub-projects?</source>
        <translation>Voulez-vous vraiment supprimer le projet sélectionné et tous ses sous-projets ?</translation>
    </message>
    <message>
        <source>No selection</source>
        <translation>Aucune sélection</translation>
    </message>
    <message>
        <source>You must select a project before validating by OK.</source>
        <translation>Vous devez choisir un projet avant de valider par OK.</translation>
    </message>
</context>
<context>
    <name>CPropertiesPage1</name>
    <message>
        <source>Company</source>
        <translation>Société</translation>
    </message>
    <message>
        <source>Company :</source>
        <translation>Société :</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>ZIP :</source>
        <translation>Code postal :</translation>
    </message>
    <message>
        <source>State :</source>
        <translation>Région :</translation>
    </message>
    <message>
        <source>City :</source>
        <translation>Ville :</translation>
    </message>
    <message>
        <source>Country :</source>
        <translation>Pays :</translation>
    </message>
    <message>
        <source>Phone :</source>
        <translation>Téléphone :</translation>
    </message>
</context>
<context>
    <name>CPropertiesPage2</name>
    <message>
        <source>Invoice</source>
        <translation>Facture</translation>
    </message>
    <message>
        <source>Invoice Text :</source>
        <translation>Texte de la facture :</translation>
    </message>
    <message>
        <source>Next Invoice# :</source>
        <translation>Prochain n° de facture :</translation>
    </message>
    <message>
        <source>Footer Note :</source>
        <translation>Note de bas de page :</translation>
    </message>
    <message>
        <source>Apply Sales Tax</source>
        <translation>Appliquer la taxe</translation>
    </message>
    <message>
        <source>Sales Tax text :</source>
        <translation>Libellé de la taxe :</translation>
    </message>
    <message>
        <source>Sales Tax :</source>
        <translation>Taxe :</translation>
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
        <translation>Général</translation>
    </message>
    <message>
        <source>Show tips in Gantt Chart</source>
        <translation>Afficher les info-bulles dans le diagramme de Gantt</translation>
    </message>
    <message>
        <source>Note: checking this option on some computers will slow down the system. Use only with high-performance computers.</source>
        <translation>Remarque : sur certains ordinateurs, cette option ralentit le système. À n&apos;utiliser que sur des ordinateurs performants.</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Format de date</translation>
    </message>
    <message>
        <source>American Date format (MM/DD/YYYY)</source>
        <translation>Format de date américain (MM/JJ/AAAA)</translation>
    </message>
    <message>
        <source>European Date format (DD/MM/YYYY)</source>
        <translation>Format de date européen (JJ/MM/AAAA)</translation>
    </message>
    <message>
        <source>Monetary Symbol :</source>
        <translation>Symbole monétaire :</translation>
    </message>
</context>
<context>
    <name>CPropertiesSheet</name>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Société</translation>
    </message>
    <message>
        <source>Invoice</source>
        <translation>Facture</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Billing</source>
        <translation>Facturation</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>Absence</translation>
    </message>
</context>
<context>
    <name>CRecoveryDlg</name>
    <message>
        <source>&amp;Keep running</source>
        <translation>&amp;Laisser en cours</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Abandonner</translation>
    </message>
    <message>
        <source>Running projects</source>
        <translation>Projets en cours</translation>
    </message>
    <message>
        <source>Project </source>
        <translation>Projet </translation>
    </message>
    <message>
        <source>Quillory ended while these projects were running. It was last seen running at </source>
        <translation>Quillory s&apos;est arrêté pendant que ces projets étaient en cours. Il a été vu en marche pour la dernière fois à </translation>
    </message>
    <message>
        <source>Quillory ended while these projects were running, during an absence that began at </source>
        <translation>Quillory s&apos;est arrêté pendant que ces projets étaient en cours, durant une absence commencée à </translation>
    </message>
    <message>
        <source>, which is later than now, so they count up to </source>
        <translation>, ce qui est plus tard que maintenant ; ils comptent donc jusqu&apos;à </translation>
    </message>
    <message>
        <source> They were paused.</source>
        <translation> Ils étaient en pause.</translation>
    </message>
    <message>
        <source> started </source>
        <translation> commencé </translation>
    </message>
    <message>
        <source> (not in the projects file)</source>
        <translation> (absent du fichier des projets)</translation>
    </message>
    <message>
        <source> (after </source>
        <translation> (après </translation>
    </message>
    <message>
        <source> Left out, as they cannot be checked out: </source>
        <translation> Exclus, car leur départ ne peut pas être pointé : </translation>
    </message>
    <message>
        <source> Closing this window checks them out at </source>
        <translation> Fermer cette fenêtre pointe leur départ à </translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projet</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Commencé</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>&amp;Check out at </source>
        <translation>&amp;Pointer le départ à </translation>
    </message>
    <message>
        <source>The time these projects ran will not be written anywhere. Discard it?</source>
        <translation>Le temps de ces projets ne sera enregistré nulle part. L&apos;abandonner ?</translation>
    </message>
</context>
<context>
    <name>CSelectRunningDlg</name>
    <message>
        <source>Select a running project</source>
        <translation>Choisir un projet en cours</translation>
    </message>
</context>
<context>
    <name>CTessalyApp</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>CTessalyDoc</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source> - PAUSE</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation> - PAUSE</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>You must check out all your projects before creating a new file.</source>
        <translation>Vous devez pointer le départ de tous vos projets avant de créer un nouveau fichier.</translation>
    </message>
    <message>
        <source>You must check out all your projects before opening a new file.</source>
        <translation>Vous devez pointer le départ de tous vos projets avant d&apos;ouvrir un nouveau fichier.</translation>
    </message>
    <message>
        <source>You haven&apos;t checked out from your running projects. Exit anyway?</source>
        <translation>Vous n&apos;avez pas pointé le départ de vos projets en cours. Quitter quand même ?</translation>
    </message>
</context>
<context>
    <name>CTessalyView</name>
    <message>
        <source>The totals charged today, this week, this month and this year, the running projects with their time and charges, and the week chart.</source>
        <translation>Les totaux facturés aujourd&apos;hui, cette semaine, ce mois-ci et cette année, les projets en cours avec leur durée et leur montant, et le diagramme de la semaine.</translation>
    </message>
    <message>
        <source>Quillory main view</source>
        <translation>Vue principale de Quillory</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Charges</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>%1: time %2, charges %3</source>
        <translation>%1 : durée %2, montant %3</translation>
    </message>
    <message>
        <source>Total charges</source>
        <translation>Montants totaux</translation>
    </message>
    <message>
        <source>Total charges for...</source>
        <translation>Montant total pour...</translation>
    </message>
    <message>
        <source>Open or create a &apos;Quillory&apos; file</source>
        <translation>Ouvrez ou créez un fichier « Quillory »</translation>
    </message>
    <message>
        <source>Running projects</source>
        <translation>Projets en cours</translation>
    </message>
    <message>
        <source>Press the &apos;Check In&apos; button to start timing a project</source>
        <translation>« Pointer l&apos;arrivée » chronomètre un projet</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>Week chart</source>
        <translation>Diagramme de la semaine</translation>
    </message>
    <message>
        <source>Week of %1</source>
        <translation>Semaine du %1</translation>
    </message>
    <message>
        <source>(project unknown)</source>
        <translation>(projet inconnu)</translation>
    </message>
    <message>
        <source>%1, %2, %3 to %4, duration %5</source>
        <translation>%1, %2, de %3 à %4, durée %5</translation>
    </message>
</context>
<context>
    <name>CTimeFrameDlg</name>
    <message>
        <source>Time frame</source>
        <translation>Période de travail</translation>
    </message>
    <message>
        <source>Project :</source>
        <translation>Projet :</translation>
    </message>
    <message>
        <source>Date :</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Date :</translation>
    </message>
    <message>
        <source>Time :</source>
        <translation>Heure :</translation>
    </message>
    <message>
        <source>Duration :</source>
        <translation>Durée :</translation>
    </message>
</context>
<context>
    <name>CoreText</name>
    <message>
        <source>Cannot open project file : %1</source>
        <translation>Impossible d&apos;ouvrir le fichier des projets : %1</translation>
    </message>
    <message>
        <source>Cannot open CUSTOMERS file : %1</source>
        <translation>Impossible d&apos;ouvrir le fichier des CLIENTS : %1</translation>
    </message>
    <message>
        <source>Cannot open Customers file : %1</source>
        <translation>Impossible d&apos;ouvrir le fichier des clients : %1</translation>
    </message>
    <message>
        <source>Cannot open Time Frames file : %1</source>
        <translation>Impossible d&apos;ouvrir le fichier des périodes de travail : %1</translation>
    </message>
    <message>
        <source>Cannot open time frames file : %1</source>
        <translation>Impossible d&apos;ouvrir le fichier des périodes de travail : %1</translation>
    </message>
    <message>
        <source>Cannot open settings file : %1</source>
        <translation>Impossible d&apos;ouvrir le fichier des réglages : %1</translation>
    </message>
    <message>
        <source>Cannot lock file set : %1</source>
        <translation>Impossible de verrouiller le jeu de fichiers : %1</translation>
    </message>
    <message>
        <source>Cannot read billing details file : %1</source>
        <translation>Impossible de lire le fichier des données de facturation : %1</translation>
    </message>
    <message>
        <source>Cannot read customer billing details file : %1</source>
        <translation>Impossible de lire le fichier des données de facturation des clients : %1</translation>
    </message>
    <message>
        <source>Cannot read invoice register : %1</source>
        <translation>Impossible de lire le registre des factures : %1</translation>
    </message>
    <message>
        <source>Cannot read running projects file : %1</source>
        <translation>Impossible de lire le fichier des projets en cours : %1</translation>
    </message>
    <message>
        <source>Cannot write billing details file : %1</source>
        <translation>Impossible d&apos;écrire le fichier des données de facturation : %1</translation>
    </message>
    <message>
        <source>Cannot write customer billing details file : %1</source>
        <translation>Impossible d&apos;écrire le fichier des données de facturation des clients : %1</translation>
    </message>
    <message>
        <source>Cannot write history filter file : %1</source>
        <translation>Impossible d&apos;écrire le fichier du filtre de l&apos;historique : %1</translation>
    </message>
    <message>
        <source>Cannot write invoice register : %1</source>
        <translation>Impossible d&apos;écrire le registre des factures : %1</translation>
    </message>
    <message>
        <source>Cannot write running projects file : %1</source>
        <translation>Impossible d&apos;écrire le fichier des projets en cours : %1</translation>
    </message>
    <message>
        <source>Cannot write settings file : %1</source>
        <translation>Impossible d&apos;écrire le fichier des réglages : %1</translation>
    </message>
    <message>
        <source>Cannot write invoice file : %1</source>
        <translation>Impossible d&apos;écrire le fichier de facture : %1</translation>
    </message>
    <message>
        <source>Cannot write e-invoice file : %1</source>
        <translation>Impossible d&apos;écrire le fichier de facture électronique : %1</translation>
    </message>
    <message>
        <source>Cannot write PDF file : %1</source>
        <translation>Impossible d&apos;écrire le fichier PDF : %1</translation>
    </message>
    <message>
        <source>Cannot write the export file : %1</source>
        <translation>Impossible d&apos;écrire le fichier d&apos;export : %1</translation>
    </message>
    <message>
        <source>Cannot create new project. Check your disk-drive for write-protection</source>
        <translation>Impossible de créer le nouveau projet. Vérifiez que le disque n&apos;est pas protégé en écriture</translation>
    </message>
    <message>
        <source>The file set is busy in another program, try again : %1</source>
        <translation>Le jeu de fichiers est occupé par un autre programme, réessayez : %1</translation>
    </message>
    <message>
        <source>No customer id is left in %1</source>
        <translation>Plus aucun identifiant de client libre dans %1</translation>
    </message>
    <message>
        <source>No project id is left in %1</source>
        <translation>Plus aucun identifiant de projet libre dans %1</translation>
    </message>
    <message>
        <source>No invoice has the number %1</source>
        <translation>Aucune facture ne porte le numéro %1</translation>
    </message>
    <message>
        <source>Invoice %1 is void already.</source>
        <translation>La facture %1 est déjà annulée.</translation>
    </message>
    <message>
        <source>This customer is no longer in the customers file : %1</source>
        <translation>Ce client ne figure plus dans le fichier des clients : %1</translation>
    </message>
    <message>
        <source>An e-invoice is written only for an issued invoice.</source>
        <translation>Une facture électronique n&apos;est écrite que pour une facture émise.</translation>
    </message>
    <message>
        <source>An edited time frame keeps its project.</source>
        <translation>Une période de travail modifiée garde son projet.</translation>
    </message>
    <message>
        <source>The project is not running.</source>
        <translation>Le projet n&apos;est pas en cours.</translation>
    </message>
    <message>
        <source>The export file could not be written.</source>
        <translation>Le fichier d&apos;export n&apos;a pas pu être écrit.</translation>
    </message>
    <message>
        <source>The file is not XML</source>
        <translation>Le fichier n&apos;est pas du XML</translation>
    </message>
    <message>
        <source>The file is not a Cross Industry Invoice</source>
        <translation>Le fichier n&apos;est pas une Cross Industry Invoice</translation>
    </message>
    <message>
        <source>The time frame cannot end before it starts.</source>
        <translation>La période de travail ne peut pas finir avant de commencer.</translation>
    </message>
    <message>
        <source>The time frame cannot end before it starts: please enter a duration of 00:00 or more.</source>
        <translation>La période de travail ne peut pas finir avant de commencer : veuillez saisir une durée de 00:00 ou plus.</translation>
    </message>
    <message>
        <source>There is no such date: %1.</source>
        <translation>Cette date n&apos;existe pas : %1.</translation>
    </message>
    <message>
        <source>Please enter a date from 1902 to 2037: other dates cannot be stored.</source>
        <translation>Veuillez saisir une date de 1902 à 2037 : les autres dates ne peuvent pas être enregistrées.</translation>
    </message>
    <message>
        <source>Please enter the date as three numbers, day/month/year, for example 15/03/1996.</source>
        <translation>Veuillez saisir la date en trois nombres, jour/mois/année, par exemple 15/03/1996.</translation>
    </message>
    <message>
        <source>Please enter the date as three numbers, month/day/year, for example 03/15/1996.</source>
        <translation>Veuillez saisir la date en trois nombres, mois/jour/année, par exemple 03/15/1996.</translation>
    </message>
    <message>
        <source>Please enter the duration as hours:minutes, for example 01:30, with minutes below 60.</source>
        <translation>Veuillez saisir la durée en heures:minutes, par exemple 01:30, avec moins de 60 minutes.</translation>
    </message>
    <message>
        <source>Please enter the time as hours:minutes, for example 09:30, with hours below 24 and minutes below 60.</source>
        <translation>Veuillez saisir l&apos;heure en heures:minutes, par exemple 09:30, avec moins de 24 heures et moins de 60 minutes.</translation>
    </message>
    <message>
        <source>The e-invoice lacks details the standard requires:%1</source>
        <translation>Il manque à la facture électronique des informations exigées par la norme :%1</translation>
    </message>
    <message>
        <source>The invoice number is too long: it may have at most %1 characters.</source>
        <translation>Le numéro de facture est trop long : il peut compter au plus %1 caractères.</translation>
    </message>
    <message>
        <source>The project name is too long to be stored (at most 60 bytes) : %1</source>
        <translation>Le nom du projet est trop long pour être enregistré (60 octets au plus) : %1</translation>
    </message>
    <message>
        <source>The memo of project %1 is too long to be stored (at most 1000 bytes)</source>
        <translation>Le mémo du projet %1 est trop long pour être enregistré (1000 octets au plus)</translation>
    </message>
    <message>
        <source>The billing details were changed by another program since this window opened. Cancel, then open it again : %1</source>
        <translation>Les données de facturation ont été modifiées par un autre programme depuis l&apos;ouverture de cette fenêtre. Annulez, puis rouvrez-la : %1</translation>
    </message>
    <message>
        <source>The project file was changed by another program since this window opened. Cancel, then open it again : %1</source>
        <translation>Le fichier des projets a été modifié par un autre programme depuis l&apos;ouverture de cette fenêtre. Annulez, puis rouvrez-la : %1</translation>
    </message>
    <message>
        <source>The settings were changed by another program since this window opened. Cancel, then open it again : %1</source>
        <translation>Les réglages ont été modifiés par un autre programme depuis l&apos;ouverture de cette fenêtre. Annulez, puis rouvrez-la : %1</translation>
    </message>
    <message>
        <source>This customer has no time frame in the period: there is nothing to invoice.</source>
        <translation>Ce client n&apos;a aucune période de travail dans l&apos;intervalle : il n&apos;y a rien à facturer.</translation>
    </message>
    <message>
        <source>Every time frame of this period was billed already: there is nothing to invoice.</source>
        <translation>Toutes les périodes de travail de cet intervalle ont déjà été facturées : il n&apos;y a rien à facturer.</translation>
    </message>
    <message>
        <source>This Year</source>
        <translation>Cette année</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Ce mois-ci</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Cette semaine</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisée</translation>
    </message>
    <message>
        <source>Today (%1)</source>
        <translation>Aujourd&apos;hui (%1)</translation>
    </message>
    <message>
        <source>This week (%1)</source>
        <translation>Cette semaine (%1)</translation>
    </message>
    <message>
        <source>This month (%1)</source>
        <translation>Ce mois-ci (%1)</translation>
    </message>
    <message>
        <source>This year (%1)</source>
        <translation>Cette année (%1)</translation>
    </message>
    <message>
        <source>The %1 date %2 is not a date. Type three numbers separated by &quot;/&quot;, such as %3 (month/day/year).</source>
        <translation>La date %2 du champ « %1 » n&apos;est pas une date. Saisissez trois nombres séparés par « / », par exemple %3 (mois/jour/année).</translation>
    </message>
    <message>
        <source>The %1 date %2 is not a date. Type three numbers separated by &quot;/&quot;, such as %3 (day/month/year).</source>
        <translation>La date %2 du champ « %1 » n&apos;est pas une date. Saisissez trois nombres séparés par « / », par exemple %3 (jour/mois/année).</translation>
    </message>
    <message>
        <source>The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, such as %3 (month/day/year).</source>
        <translation>La date %2 du champ « %1 » est hors des dates que ce programme peut enregistrer. Saisissez une année à quatre chiffres de 1902 à 2037, par exemple %3 (mois/jour/année).</translation>
    </message>
    <message>
        <source>The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, such as %3 (day/month/year).</source>
        <translation>La date %2 du champ « %1 » est hors des dates que ce programme peut enregistrer. Saisissez une année à quatre chiffres de 1902 à 2037, par exemple %3 (jour/mois/année).</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Du</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Au</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>%1 %2: %3</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a file of the set being read</source>
        <translation>« %1 » est un fichier du jeu de fichiers en cours de lecture</translation>
    </message>
    <message>
        <source>the output was committed or discarded already</source>
        <translation>la sortie a déjà été validée ou abandonnée</translation>
    </message>
    <message>
        <source>%1 is saved but may not yet be on disk (%2)</source>
        <translation>%1 est enregistré, mais peut-être pas encore sur le disque (%2)</translation>
    </message>
    <message>
        <source>The %1 is too long to be stored (at most %2 bytes)</source>
        <translation>Le champ « %1 » est trop long pour être enregistré (%2 octets au plus)</translation>
    </message>
    <message>
        <source>The customer&apos;s %1 is too long to be stored (at most %2 bytes) : %3</source>
        <translation>Le champ « %1 » du client est trop long pour être enregistré (%2 octets au plus) : %3</translation>
    </message>
    <message>
        <source>No invoice has the number %1 in the invoice register : %2</source>
        <translation>Aucune facture ne porte le numéro %1 dans le registre des factures : %2</translation>
    </message>
    <message>
        <source>The invoice number %1 was issued already: it is in the invoice register. Give another number.</source>
        <translation>Le numéro de facture %1 a déjà été émis : il figure dans le registre des factures. Indiquez un autre numéro.</translation>
    </message>
    <message>
        <source>Select a customer for the invoice. Create one with %1 first.</source>
        <translation>Choisissez un client pour la facture. Créez-en d&apos;abord un avec « %1 ».</translation>
    </message>
    <message>
        <source>With this duration the time frame would end after January 2038, which cannot be stored.</source>
        <translation>Avec cette durée, la période de travail finirait après janvier 2038, ce qui ne peut pas être enregistré.</translation>
    </message>
    <message>
        <source>company name</source>
        <translation>nom de la société</translation>
    </message>
    <message>
        <source>company address</source>
        <translation>adresse de la société</translation>
    </message>
    <message>
        <source>city</source>
        <translation>ville</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>code postal</translation>
    </message>
    <message>
        <source>state</source>
        <translation>région</translation>
    </message>
    <message>
        <source>country</source>
        <translation>pays</translation>
    </message>
    <message>
        <source>phone</source>
        <translation>téléphone</translation>
    </message>
    <message>
        <source>invoice text</source>
        <translation>texte de la facture</translation>
    </message>
    <message>
        <source>next invoice number</source>
        <translation>numéro de la prochaine facture</translation>
    </message>
    <message>
        <source>invoice footer</source>
        <translation>pied de la facture</translation>
    </message>
    <message>
        <source>sales tax label</source>
        <translation>libellé de la taxe</translation>
    </message>
    <message>
        <source>monetary symbol</source>
        <translation>symbole monétaire</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>address</source>
        <translation>adresse</translation>
    </message>
    <message>
        <source>notes</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>notes</translation>
    </message>
    <message>
        <source>Edit Customers</source>
        <translation>Modifier les clients</translation>
    </message>
    <message>
        <source>invoice %1 is void</source>
        <translation>la facture %1 est annulée</translation>
    </message>
    <message>
        <source>no invoice has the number %1 in the invoice register</source>
        <translation>aucune facture ne porte le numéro %1 dans le registre des factures</translation>
    </message>
    <message>
        <source>the invoice number is not UTF-8 text</source>
        <translation>le numéro de facture n&apos;est pas un texte UTF-8</translation>
    </message>
</context>
<context>
    <name>DesktopPresenceMonitor</name>
    <message>
        <source>Screen lock (session bus)</source>
        <translation>Verrouillage de l&apos;écran (bus de session)</translation>
    </message>
    <message>
        <source>Suspend and resume (logind)</source>
        <translation>Mise en veille et reprise (logind)</translation>
    </message>
    <message>
        <source>Input idleness (X11)</source>
        <translation>Inactivité de la saisie (X11)</translation>
    </message>
</context>
<context>
    <name>EInvoiceFiles</name>
    <message>
        <source>Invoice </source>
        <translation>Facture </translation>
    </message>
    <message>
        <source>E-invoice (XML)</source>
        <translation>Facture électronique (XML)</translation>
    </message>
    <message>
        <source>XML files (*.xml)</source>
        <translation>Fichiers XML (*.xml)</translation>
    </message>
    <message>
        <source>PDF with e-invoice</source>
        <translation>PDF avec facture électronique</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>the invoice number</source>
        <translation>le numéro de facture</translation>
    </message>
    <message>
        <source>the seller&apos;s name</source>
        <translation>le nom du vendeur</translation>
    </message>
    <message>
        <source>the seller&apos;s country code</source>
        <translation>le code pays du vendeur</translation>
    </message>
    <message>
        <source>the seller&apos;s country code (%1 is not in the standard&apos;s list)</source>
        <translation>le code pays du vendeur (%1 ne figure pas dans la liste de la norme)</translation>
    </message>
    <message>
        <source>the seller&apos;s VAT ID or registration number</source>
        <translation>le n° de TVA ou le numéro d&apos;immatriculation du vendeur</translation>
    </message>
    <message>
        <source>the seller&apos;s VAT ID (its prefix %1 is not in the standard&apos;s list)</source>
        <translation>le n° de TVA du vendeur (son préfixe %1 ne figure pas dans la liste de la norme)</translation>
    </message>
    <message>
        <source>a sales tax rate above zero</source>
        <translation>un taux de taxe supérieur à zéro</translation>
    </message>
    <message>
        <source>the seller&apos;s VAT ID or tax number, as sales tax is applied</source>
        <translation>le n° de TVA ou le numéro fiscal du vendeur, la taxe étant appliquée</translation>
    </message>
    <message>
        <source>the reason for the VAT exemption</source>
        <translation>le motif d&apos;exonération de TVA</translation>
    </message>
    <message>
        <source>an exemption code of the VATEX list, or none (%1 is not in it)</source>
        <translation>un code d&apos;exonération de la liste VATEX, ou aucun (%1 n&apos;y figure pas)</translation>
    </message>
    <message>
        <source>the customer&apos;s name</source>
        <translation>le nom du client</translation>
    </message>
    <message>
        <source>the customer&apos;s country code</source>
        <translation>le code pays du client</translation>
    </message>
    <message>
        <source>the customer&apos;s country code (%1 is not in the standard&apos;s list)</source>
        <translation>le code pays du client (%1 ne figure pas dans la liste de la norme)</translation>
    </message>
    <message>
        <source>the customer&apos;s VAT ID (its prefix %1 is not in the standard&apos;s list)</source>
        <translation>le n° de TVA du client (son préfixe %1 ne figure pas dans la liste de la norme)</translation>
    </message>
    <message>
        <source>the currency code</source>
        <translation>le code de devise</translation>
    </message>
    <message>
        <source>the currency code (%1 is not in the standard&apos;s list)</source>
        <translation>le code de devise (%1 ne figure pas dans la liste de la norme)</translation>
    </message>
    <message>
        <source>at least one time frame to bill</source>
        <translation>au moins une période de travail à facturer</translation>
    </message>
    <message>
        <source>a name for every project billed</source>
        <translation>un nom pour chaque projet facturé</translation>
    </message>
    <message>
        <source>Reports &gt; Invoice...</source>
        <translation>Rapports &gt; Facture...</translation>
    </message>
    <message>
        <source>File &gt; Properties &gt; Company</source>
        <translation>Fichier &gt; Propriétés &gt; Société</translation>
    </message>
    <message>
        <source>File &gt; Properties &gt; Invoice</source>
        <translation>Fichier &gt; Propriétés &gt; Facture</translation>
    </message>
    <message>
        <source>File &gt; Properties &gt; Billing</source>
        <translation>Fichier &gt; Propriétés &gt; Facturation</translation>
    </message>
    <message>
        <source>Customers &gt; Edit Customers...</source>
        <translation>Clients &gt; Modifier les clients...</translation>
    </message>
    <message>
        <source>Projects &gt; Edit Projects...</source>
        <translation>Projets &gt; Modifier les projets...</translation>
    </message>
</context>
<context>
    <name>ExistingFolder</name>
    <message>
        <source>The folder %1 does not exist. Please choose a file in an existing folder.</source>
        <translation>Le dossier %1 n&apos;existe pas. Veuillez choisir un fichier dans un dossier existant.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Using Help</source>
        <translation>Utiliser l&apos;aide</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Using Help&lt;/h2&gt;&lt;p&gt;This window shows one help topic at a time. Underlined words lead to related topics: click one to read it.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Contents&lt;/b&gt; shows the overview of Quillory, the starting point of every topic.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Back&lt;/b&gt; returns to the topic you read before.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Close&lt;/b&gt; (or Escape) hides the window; the next request for help opens it again.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Help &gt; Index opens the overview at any time. In the week chart and the project tree, the &lt;b&gt;What&apos;s This?&lt;/b&gt; item of the right-click menu opens the topic about that place; in the Properties sheet, press its Help button.&lt;/p&gt;&lt;p&gt;To learn what a menu item or toolbar button does, press Shift+F1 and then click it.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Utiliser l&apos;aide&lt;/h2&gt;&lt;p&gt;Cette fenêtre affiche une rubrique d&apos;aide à la fois. Les mots soulignés mènent à des rubriques associées : cliquez sur l&apos;un d&apos;eux pour le lire.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Sommaire&lt;/b&gt; affiche la présentation de Quillory, point de départ de toutes les rubriques.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Précédent&lt;/b&gt; revient à la rubrique lue auparavant.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Fermer&lt;/b&gt; (ou Échap) masque la fenêtre ; la prochaine demande d&apos;aide la rouvre.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Aide &gt; Index ouvre la présentation à tout moment. Dans le diagramme de la semaine et l&apos;arborescence des projets, l&apos;élément &lt;b&gt;Qu&apos;est-ce que c&apos;est ?&lt;/b&gt; du menu contextuel ouvre la rubrique de cet endroit ; dans la feuille des propriétés, appuyez sur son bouton Aide.&lt;/p&gt;&lt;p&gt;Pour savoir ce que fait un élément de menu ou un bouton de la barre d&apos;outils, appuyez sur Maj+F1 puis cliquez dessus.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Quillory Help - </source>
        <translation>Aide de Quillory - </translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Project</source>
        <translation>Projet</translation>
    </message>
    <message>
        <source>Date</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Date</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Time charged</source>
        <translation>Temps facturé</translation>
    </message>
    <message>
        <source>Charges</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>Invoice</source>
        <translation>Facture</translation>
    </message>
</context>
<context>
    <name>InvoiceTextFile</name>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
</context>
<context>
    <name>MainPanelsPainter</name>
    <message>
        <source>Time</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Charges</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projet</translation>
    </message>
    <message>
        <source>Press the &apos;Check In&apos; button to start timing a project</source>
        <translation>« Pointer l&apos;arrivée » chronomètre un projet</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>Total charges for...</source>
        <translation>Montant total pour...</translation>
    </message>
    <message>
        <source>Open or create a &apos;Quillory&apos; file</source>
        <translation>Ouvrez ou créez un fichier « Quillory »</translation>
    </message>
</context>
<context>
    <name>PeriodControls</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>PrintDispatch</name>
    <message>
        <source>Preparing the pages...</source>
        <translation>Préparation des pages...</translation>
    </message>
    <message>
        <source>Export PDF...</source>
        <translation>Exporter en PDF...</translation>
    </message>
    <message>
        <source>Printing...</source>
        <translation>Impression...</translation>
    </message>
    <message>
        <source>The report was printed to the file %1.</source>
        <translation>Le rapport a été imprimé dans le fichier %1.</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>Exporter en PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Writing the PDF file...</source>
        <translation>Écriture du fichier PDF...</translation>
    </message>
    <message>
        <source>There is nothing to print: the report has no lines.</source>
        <translation>Il n&apos;y a rien à imprimer : le rapport n&apos;a aucune ligne.</translation>
    </message>
    <message>
        <source>The report could not be printed on %1.</source>
        <translation>Le rapport n&apos;a pas pu être imprimé sur %1.</translation>
    </message>
</context>
<context>
    <name>PrintSetupDialog</name>
    <message>
        <source>Print Setup</source>
        <translation>Configuration de l&apos;impression</translation>
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
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>QtFileSetDialogs</name>
    <message>
        <source>Quillory files (*.qlr)</source>
        <translation>Fichiers Quillory (*.qlr)</translation>
    </message>
</context>
<context>
    <name>ReportCommands</name>
    <message>
        <source>Writing the PDF file...</source>
        <translation>Écriture du fichier PDF...</translation>
    </message>
</context>
<context>
    <name>RunningHeldElsewhere</name>
    <message>
        <source>The running projects of %1 belong to another Quillory window. Check projects in and out there.</source>
        <translation>Les projets en cours de %1 appartiennent à une autre fenêtre de Quillory. Pointez l&apos;arrivée et le départ des projets là-bas.</translation>
    </message>
</context>
<context>
    <name>TrackingCommands</name>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>No file has been opened. Cannot load the projects file.</source>
        <translation>Aucun fichier n&apos;a été ouvert. Impossible de charger le fichier des projets.</translation>
    </message>
    <message>
        <source>Too many projects</source>
        <translation>Trop de projets</translation>
    </message>
    <message>
        <source>The limit of 5 projects being charged at the same time has been reached. Check out from a project before checking in.</source>
        <translation>La limite de 5 projets facturés en même temps est atteinte. Pointez le départ d&apos;un projet avant d&apos;en pointer l&apos;arrivée.</translation>
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
        <translation>Projet </translation>
    </message>
</context>
<context>
    <name>WeekChartInteraction</name>
    <message>
        <source>&amp;Edit Item...</source>
        <translation>&amp;Modifier l&apos;élément...</translation>
    </message>
    <message>
        <source>&amp;Delete Item</source>
        <translation>&amp;Supprimer l&apos;élément</translation>
    </message>
    <message>
        <source>&amp;Change Hours...</source>
        <translation>&amp;Changer les heures...</translation>
    </message>
    <message>
        <source>Change Gantt Chart&apos;s starting and ending hours</source>
        <translation>Changer les heures de début et de fin du diagramme de Gantt</translation>
    </message>
    <message>
        <source>&amp;Previous Week</source>
        <translation>Semaine &amp;précédente</translation>
    </message>
    <message>
        <source>View previous week</source>
        <translation>Voir la semaine précédente</translation>
    </message>
    <message>
        <source>&amp;Next Week</source>
        <translation>Semaine s&amp;uivante</translation>
    </message>
    <message>
        <source>View next week</source>
        <translation>Voir la semaine suivante</translation>
    </message>
    <message>
        <source>&amp;This Week</source>
        <translation>Ce&amp;tte semaine</translation>
    </message>
    <message>
        <source>View this week</source>
        <translation>Voir cette semaine</translation>
    </message>
    <message>
        <source>&amp;What&apos;s This?</source>
        <translation>&amp;Qu&apos;est-ce que c&apos;est ?</translation>
    </message>
    <message>
        <source>Get help about this visual item</source>
        <translation>Obtenir de l&apos;aide sur cet élément</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translatorcomment>same in this language</translatorcomment>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected item?</source>
        <translation>Voulez-vous vraiment supprimer l&apos;élément sélectionné ?</translation>
    </message>
</context>
</TS>
