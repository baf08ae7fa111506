<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AttachmentList</name>
    <message>
        <source>%1, %2</source>
        <comment>documents, pages</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>1 document</source>
        <translation>1 Dokument</translation>
    </message>
    <message numerus="yes">
        <source>%n documents</source>
        <translation>
            <numerusform>%n Dokument</numerusform>
            <numerusform>%n Dokumente</numerusform>
        </translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n Seite</numerusform>
            <numerusform>%n Seiten</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a document&apos;s name, pages and size</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1, reading…</source>
        <translation>%1, wird gelesen…</translation>
    </message>
</context>
<context>
    <name>AttachmentPanel</name>
    <message>
        <source>Attach</source>
        <translation>Anhängen</translation>
    </message>
    <message>
        <source>Documents (*.pdf *.tif *.tiff *.png *.jpg *.jpeg);;All files (*)</source>
        <translation>Dokumente (*.pdf *.tif *.tiff *.png *.jpg *.jpeg);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Not sent: %1 is still being read</source>
        <translation>Nicht gesendet: %1 wird noch gelesen</translation>
    </message>
</context>
<context>
    <name>AttachmentStrip</name>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Sends faxes and e-mail through your SMTP server and an e-mail-to-fax gateway. With no option it opens its window; with --to, --fax, --subject or --message a new fax in it; with --send it sends the fax without a window and ends: 0 when the server took it, 1 when it was refused or could not be sent, 2 for wrong use. With --wait-report it then waits for the gateway&apos;s delivery report: 0 when it says delivered, 3 when it says failed, 4 when none came in time.</source>
        <translation>Sendet Faxe und E-Mails über Ihren SMTP-Server und ein E-Mail-zu-Fax-Gateway. Ohne Option öffnet es sein Fenster; mit --to, --fax, --subject oder --message ein neues Fax darin; mit --send sendet es das Fax ohne Fenster und endet: 0, wenn der Server es angenommen hat, 1, wenn es abgelehnt wurde oder nicht gesendet werden konnte, 2 bei falschem Aufruf. Mit --wait-report wartet es danach auf den Zustellbericht des Gateways: 0, wenn er zugestellt meldet, 3, wenn er fehlgeschlagen meldet, 4, wenn keiner rechtzeitig kam.</translation>
    </message>
    <message>
        <source>Send without a window, then end.</source>
        <translation>Ohne Fenster senden, dann beenden.</translation>
    </message>
    <message>
        <source>The recipient&apos;s name, or an e-mail address.</source>
        <translation>Der Name des Empfängers oder eine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>The fax number, as printed.</source>
        <translation>Die Faxnummer, wie gedruckt.</translation>
    </message>
    <message>
        <source>NUMBER</source>
        <translation>NUMMER</translation>
    </message>
    <message>
        <source>The subject.</source>
        <translation>Der Betreff.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>The message.</source>
        <translation>Die Nachricht.</translation>
    </message>
    <message>
        <source>The message from a file (UTF-8); - for standard input.</source>
        <translation>Die Nachricht aus einer Datei (UTF-8); - für die Standardeingabe.</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>PFAD</translation>
    </message>
    <message>
        <source>The gateway: a name from Settings&apos; list, or a gateway&apos;s domain (TPC.NET when left out).</source>
        <translation>Das Gateway: ein Name aus der Liste der Einstellungen oder die Domain eines Gateways (TPC.NET, wenn weggelassen).</translation>
    </message>
    <message>
        <source>With --send: wait up to MINUTES for the gateway&apos;s delivery report (read over IMAP, as Settings say).</source>
        <translation>Mit --send: bis zu MINUTEN auf den Zustellbericht des Gateways warten (über IMAP gelesen, wie in den Einstellungen angegeben).</translation>
    </message>
    <message>
        <source>MINUTES</source>
        <translation>MINUTEN</translation>
    </message>
    <message>
        <source>Documents to attach: PDF, TIFF, PNG or JPEG.</source>
        <translation>Anzuhängende Dokumente: PDF, TIFF, PNG oder JPEG.</translation>
    </message>
    <message>
        <source>[FILE...]</source>
        <translation>[DATEI...]</translation>
    </message>
    <message>
        <source>--wait-report takes minutes, from 1 to 2880.</source>
        <translation>--wait-report erwartet Minuten, von 1 bis 2880.</translation>
    </message>
    <message>
        <source>--wait-report goes with --send.</source>
        <translation>--wait-report gehört zu --send.</translation>
    </message>
    <message>
        <source>Give --message or --message-file, not both.</source>
        <translation>Geben Sie --message oder --message-file an, nicht beides.</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is too long for a message, which holds at most 1 MB.</source>
        <translation>%1 ist zu lang für eine Nachricht, die höchstens 1 MB fasst.</translation>
    </message>
    <message>
        <source>files</source>
        <comment>the name of the documents argument in --help</comment>
        <translation>dateien</translation>
    </message>
    <message>
        <source>Try &apos;quillon --help&apos;.</source>
        <translation>Siehe 'quillon --help'.</translation>
    </message>
</context>
<context>
    <name>CredentialStore</name>
    <message>
        <source>Not sent: no password given.</source>
        <translation>Nicht gesendet: kein Passwort eingegeben.</translation>
    </message>
</context>
<context>
    <name>Delivery</name>
    <message>
        <source>busy</source>
        <translation>besetzt</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>not a fax machine</source>
        <translation>kein Faxgerät</translation>
    </message>
    <message>
        <source>wrong number</source>
        <translation>falsche Nummer</translation>
    </message>
    <message>
        <source>document refused</source>
        <translation>Dokument abgelehnt</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n Seite</numerusform>
            <numerusform>%n Seiten</numerusform>
        </translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm:ss t</source>
        <comment>the report&apos;s date</comment>
        <translation>d. MMM yyyy, HH:mm:ss t</translation>
    </message>
    <message>
        <source>unknown date</source>
        <translation>unbekannten Datum</translation>
    </message>
    <message>
        <source>an unknown sender</source>
        <translation>einem unbekannten Absender</translation>
    </message>
    <message>
        <source>none</source>
        <comment>no Message-ID</comment>
        <translation>keine</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <comment>the time of delivery</comment>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>Delivered %1, %2</source>
        <translation>Zugestellt %1, %2</translation>
    </message>
    <message>
        <source>Delivered %1</source>
        <comment>the time</comment>
        <translation>Zugestellt %1</translation>
    </message>
    <message>
        <source>Delivered %1</source>
        <comment>the pages</comment>
        <translation>Zugestellt, %1</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Zugestellt</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Queued by the gateway</source>
        <translation>Beim Gateway in der Warteschlange</translation>
    </message>
    <message>
        <source>No report</source>
        <translation>Kein Bericht</translation>
    </message>
    <message>
        <source>Accepted by the server</source>
        <translation>Vom Server angenommen</translation>
    </message>
    <message>
        <source>Not delivered to %1: %2</source>
        <translation>Nicht zugestellt an %1: %2</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>Delivered: %1, %2.</source>
        <translation>Zugestellt: %1, %2.</translation>
    </message>
    <message>
        <source>Delivered: %1.</source>
        <translation>Zugestellt: %1.</translation>
    </message>
    <message>
        <source>Accepted by the mail server; the gateway has not reported delivery.</source>
        <translation>Vom Mailserver angenommen; das Gateway hat keine Zustellung gemeldet.</translation>
    </message>
    <message>
        <source>Not delivered, as stated by the gateway&apos;s report of %1 from %2 (Message-ID %3).</source>
        <translation>Nicht zugestellt, laut Bericht des Gateways vom %1 von %2 (Message-ID %3).</translation>
    </message>
    <message>
        <source>Not delivered: %1, as stated by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>Nicht zugestellt: %1, laut Bericht des Gateways vom %2 von %3 (Message-ID %4).</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm</source>
        <comment>the time of delivery</comment>
        <translation>d. MMM yyyy, HH:mm</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a time, then pages</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Delivered, %1, confirmed by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>Zugestellt, %1, bestätigt durch den Bericht des Gateways vom %2 von %3 (Message-ID %4).</translation>
    </message>
    <message>
        <source>Delivered %1, confirmed by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>Zugestellt %1, bestätigt durch den Bericht des Gateways vom %2 von %3 (Message-ID %4).</translation>
    </message>
    <message>
        <source>Delivered, confirmed by the gateway&apos;s report of %1 from %2 (Message-ID %3).</source>
        <translation>Zugestellt, bestätigt durch den Bericht des Gateways vom %1 von %2 (Message-ID %3).</translation>
    </message>
    <message>
        <source>Unverified report: %1, from %2</source>
        <translation>Nicht bestätigter Bericht: %1, von %2</translation>
    </message>
</context>
<context>
    <name>DeliveryNews</name>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>DeliveryWatch</name>
    <message>
        <source>cannot connect to the IMAP server</source>
        <translation>keine Verbindung zum IMAP-Server möglich</translation>
    </message>
    <message>
        <source>A delivery report could not be kept: %1</source>
        <translation>Ein Zustellbericht konnte nicht aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>Delivery reports cannot be read: %1.</source>
        <translation>Zustellberichte können nicht gelesen werden: %1.</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Not attached: %1 is not a PDF, TIFF, PNG or JPEG file</source>
        <translation>Nicht angehängt: %1 ist keine PDF-, TIFF-, PNG- oder JPEG-Datei</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read: %2</source>
        <translation>Nicht angehängt: %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read: it has %2 bytes before its PDF header; save it again as PDF</source>
        <translation>Nicht angehängt: %1 kann nicht gelesen werden: vor dem PDF-Kopf stehen %2 Bytes; speichern Sie die Datei erneut als PDF</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read (damaged, or protected by a password)</source>
        <translation>Nicht angehängt: %1 kann nicht gelesen werden (beschädigt oder durch ein Passwort geschützt)</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read (damaged)</source>
        <translation>Nicht angehängt: %1 kann nicht gelesen werden (beschädigt)</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>pages, size</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n Seite</numerusform>
            <numerusform>%n Seiten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Enclosure</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 has changed since it was attached; attach it again</source>
        <translation>%1 wurde seit dem Anhängen geändert; hängen Sie die Datei erneut an</translation>
    </message>
    <message>
        <source>Not sent: %1 cannot be read: %2</source>
        <translation>Nicht gesendet: %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Not sent: %1 has changed since it was attached; attach it again</source>
        <translation>Nicht gesendet: %1 wurde seit dem Anhängen geändert; hängen Sie die Datei erneut an</translation>
    </message>
</context>
<context>
    <name>FaxReport</name>
    <message>
        <source>Sender:</source>
        <translation>Absender:</translation>
    </message>
    <message>
        <source>Recipient:</source>
        <translation>Empfänger:</translation>
    </message>
    <message>
        <source>Fax number:</source>
        <translation>Faxnummer:</translation>
    </message>
    <message>
        <source>Gateway address:</source>
        <translation>Gateway-Adresse:</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Betreff:</translation>
    </message>
    <message>
        <source>Sent:</source>
        <translation>Gesendet:</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm:ss t</source>
        <comment>the date and time sent</comment>
        <translation>d. MMM yyyy, HH:mm:ss t</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Server&apos;s reply:</source>
        <translation>Antwort des Servers:</translation>
    </message>
    <message>
        <source>Message-ID:</source>
        <translation>Message-ID:</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Seiten:</translation>
    </message>
    <message>
        <source>Delivery:</source>
        <translation>Zustellung:</translation>
    </message>
    <message>
        <source>Transmission report</source>
        <translation>Sendebericht</translation>
    </message>
    <message>
        <source>The report cannot be written to %1.</source>
        <translation>Der Bericht kann nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>DejaVu Sans</source>
        <comment>the font: one that holds the language&apos;s script</comment>
        <translation>DejaVu Sans</translation>
    </message>
    <message>
        <source>The gateway&apos;s report says:</source>
        <translation>Der Bericht des Gateways lautet:</translation>
    </message>
    <message>
        <source>Files sent:</source>
        <translation>Gesendete Dateien:</translation>
    </message>
    <message>
        <source>none: the text was faxed</source>
        <translation>keine: der Text wurde gefaxt</translation>
    </message>
</context>
<context>
    <name>FaxStore</name>
    <message>
        <source>%1: %2.</source>
        <comment>what failed: why</comment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>Cannot recover your documents from %1 in %2</source>
        <translation>Ihre Dokumente können nicht aus %1 in %2 wiederhergestellt werden</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 is not open.</source>
        <translation>%1 ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Cannot read document %1 from %2</source>
        <translation>Dokument %1 kann nicht aus %2 gelesen werden</translation>
    </message>
    <message>
        <source>Cannot save document %1 to %2</source>
        <translation>Dokument %1 kann nicht in %2 gespeichert werden</translation>
    </message>
    <message>
        <source>Cannot save document %1 to %2; the file was left as it was</source>
        <translation>Dokument %1 kann nicht in %2 gespeichert werden; die Datei blieb unverändert</translation>
    </message>
    <message>
        <source>No new document can be started: the store is full at %1 documents. Delete a document to make room.</source>
        <translation>Es kann kein neues Dokument begonnen werden: der Speicher ist mit %1 Dokumenten voll. Löschen Sie ein Dokument, um Platz zu schaffen.</translation>
    </message>
    <message>
        <source>The document was not saved: no record is selected. Press New, then Save.</source>
        <translation>Das Dokument wurde nicht gespeichert: kein Datensatz ausgewählt. Klicken Sie auf Neu, dann auf Speichern.</translation>
    </message>
    <message>
        <source>Cannot remove the old %1</source>
        <translation>Die alte Datei %1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Cannot give %1 the permissions of %2</source>
        <translation>%1 kann nicht die Berechtigungen von %2 erhalten</translation>
    </message>
    <message>
        <source>Cannot copy the documents to %1</source>
        <translation>Die Dokumente können nicht nach %1 kopiert werden</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Cannot write %1 to disk</source>
        <translation>%1 kann nicht auf die Festplatte geschrieben werden</translation>
    </message>
    <message>
        <source>Cannot put %1 in place of %2</source>
        <translation>%1 kann nicht an die Stelle von %2 gesetzt werden</translation>
    </message>
    <message>
        <source>The document was deleted, but the change may be lost if the computer stops now</source>
        <translation>Das Dokument wurde gelöscht, aber die Änderung kann verloren gehen, wenn der Computer jetzt ausfällt</translation>
    </message>
    <message>
        <source>The document was not deleted. %1</source>
        <translation>Das Dokument wurde nicht gelöscht. %1</translation>
    </message>
    <message>
        <source>The document was deleted, but the next one cannot be shown. %1</source>
        <translation>Das Dokument wurde gelöscht, aber das nächste kann nicht angezeigt werden. %1</translation>
    </message>
</context>
<context>
    <name>Instance</name>
    <message>
        <source>Quillon cannot lock its data folder %1: %2</source>
        <translation>Quillon kann seinen Datenordner %1 nicht sperren: %2</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Quillon is already running for %1, but does not answer.</source>
        <translation>Quillon läuft bereits für %1, antwortet aber nicht.</translation>
    </message>
</context>
<context>
    <name>OAuthRedirectHandler</name>
    <message>
        <source>Bad request.</source>
        <translation>Ungültige Anfrage.</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Nicht gefunden.</translation>
    </message>
    <message>
        <source>This is not the sign-in Quillon waits for.</source>
        <translation>Dies ist nicht die Anmeldung, auf die Quillon wartet.</translation>
    </message>
    <message>
        <source>No sign-in came.</source>
        <translation>Es kam keine Anmeldung.</translation>
    </message>
    <message>
        <source>The sign-in was refused. You can close this page.</source>
        <translation>Die Anmeldung wurde abgelehnt. Sie können diese Seite schließen.</translation>
    </message>
    <message>
        <source>Quillon is signed in. You can close this page.</source>
        <translation>Quillon ist angemeldet. Sie können diese Seite schließen.</translation>
    </message>
    <message>
        <source>the sign-in server did not answer within %1 seconds</source>
        <translation>der Anmeldeserver hat nicht innerhalb von %1 Sekunden geantwortet</translation>
    </message>
    <message>
        <source>the token endpoint answered %1 without JSON</source>
        <translation>der Token-Endpunkt antwortete %1 ohne JSON</translation>
    </message>
    <message>
        <source>the token endpoint answered %1 without a bearer token</source>
        <translation>der Token-Endpunkt antwortete %1 ohne Bearer-Token</translation>
    </message>
</context>
<context>
    <name>OAuthSignIn</name>
    <message>
        <source>Not sent: the sign-in was refused: %1</source>
        <translation>Nicht gesendet: die Anmeldung wurde abgelehnt: %1</translation>
    </message>
    <message>
        <source>Not sent: the sign-in was refused: %1: %2</source>
        <translation>Nicht gesendet: die Anmeldung wurde abgelehnt: %1: %2</translation>
    </message>
    <message>
        <source>Not sent: the sign-in server did not answer in time.</source>
        <translation>Nicht gesendet: der Anmeldeserver hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>Not sent: no sign-in within 5 minutes.</source>
        <translation>Nicht gesendet: keine Anmeldung innerhalb von 5 Minuten.</translation>
    </message>
    <message>
        <source>Not sent: no web browser could be opened.</source>
        <translation>Nicht gesendet: es konnte kein Webbrowser geöffnet werden.</translation>
    </message>
    <message>
        <source>Not sent: the sign-in failed: %1</source>
        <translation>Nicht gesendet: die Anmeldung ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Not sent: Quillon&apos;s sign-in part cannot be loaded: %1</source>
        <translation>Nicht gesendet: der Anmeldeteil von Quillon kann nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Not sent: Quillon cannot wait for the web browser.</source>
        <translation>Nicht gesendet: Quillon kann nicht auf den Webbrowser warten.</translation>
    </message>
    <message>
        <source>Not sent: no sign-in given.</source>
        <translation>Nicht gesendet: keine Anmeldung angegeben.</translation>
    </message>
</context>
<context>
    <name>Outbox</name>
    <message>
        <source>The previous message is still being sent.</source>
        <translation>Die vorige Nachricht wird noch gesendet.</translation>
    </message>
    <message>
        <source>Sending</source>
        <translation>Wird gesendet</translation>
    </message>
    <message>
        <source>Cannot connect to SMTP server</source>
        <translation>Keine Verbindung zum SMTP-Server möglich</translation>
    </message>
</context>
<context>
    <name>PrintSpool</name>
    <message>
        <source>Printed documents cannot be kept in %1</source>
        <translation>Gedruckte Dokumente können nicht in %1 aufbewahrt werden</translation>
    </message>
    <message>
        <source>%1 cannot be taken from the printer&apos;s folder</source>
        <translation>%1 kann nicht aus dem Ordner des Druckers übernommen werden</translation>
    </message>
</context>
<context>
    <name>SaveQuestion</name>
    <message>
        <source>The recipient is %1 characters long; the file keeps the first %2.</source>
        <translation>Der Empfänger ist %1 Zeichen lang; die Datei behält die ersten %2.</translation>
    </message>
    <message>
        <source>In the recipient, %1 cannot be stored and becomes ?.</source>
        <translation>Im Empfänger kann %1 nicht gespeichert werden und wird zu ?.</translation>
    </message>
    <message>
        <source>In the recipient, %1 cannot be stored and become ?.</source>
        <translation>Im Empfänger können %1 nicht gespeichert werden und werden zu ?.</translation>
    </message>
    <message>
        <source>The fax number is %1 characters long; the file keeps the first %2.</source>
        <translation>Die Faxnummer ist %1 Zeichen lang; die Datei behält die ersten %2.</translation>
    </message>
    <message>
        <source>In the fax number, %1 cannot be stored and becomes ?.</source>
        <translation>In der Faxnummer kann %1 nicht gespeichert werden und wird zu ?.</translation>
    </message>
    <message>
        <source>In the fax number, %1 cannot be stored and become ?.</source>
        <translation>In der Faxnummer können %1 nicht gespeichert werden und werden zu ?.</translation>
    </message>
    <message>
        <source>The subject is %1 characters long; the file keeps the first %2.</source>
        <translation>Der Betreff ist %1 Zeichen lang; die Datei behält die ersten %2.</translation>
    </message>
    <message>
        <source>In the subject, %1 cannot be stored and becomes ?.</source>
        <translation>Im Betreff kann %1 nicht gespeichert werden und wird zu ?.</translation>
    </message>
    <message>
        <source>In the subject, %1 cannot be stored and become ?.</source>
        <translation>Im Betreff können %1 nicht gespeichert werden und werden zu ?.</translation>
    </message>
    <message>
        <source>The message is %1 characters long; the file keeps the first %2.</source>
        <translation>Die Nachricht ist %1 Zeichen lang; die Datei behält die ersten %2.</translation>
    </message>
    <message>
        <source>In the message, %1 cannot be stored and becomes ?.</source>
        <translation>In der Nachricht kann %1 nicht gespeichert werden und wird zu ?.</translation>
    </message>
    <message>
        <source>In the message, %1 cannot be stored and become ?.</source>
        <translation>In der Nachricht können %1 nicht gespeichert werden und werden zu ?.</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 weitere</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <comment>the last of a list</comment>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the items of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>Saving would change this document:

%1</source>
        <translation>Beim Speichern würde sich dieses Dokument ändern:

%1</translation>
    </message>
    <message>
        <source>Save anyway</source>
        <translation>Trotzdem speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ScriptSend</name>
    <message>
        <source>Not sent: the password for %1 on %2 is not in the keyring; send once from Quillon&apos;s window with &quot;Remember the password&quot; checked</source>
        <translation>Nicht gesendet: das Passwort für %1 auf %2 ist nicht im Schlüsselbund; senden Sie einmal aus dem Fenster von Quillon mit aktiviertem „Passwort merken“</translation>
    </message>
    <message>
        <source>Not sent: signing in to %1 needs the web browser; send once from Quillon&apos;s window with &quot;Remember the sign-in&quot; checked</source>
        <translation>Nicht gesendet: die Anmeldung bei %1 braucht den Webbrowser; senden Sie einmal aus dem Fenster von Quillon mit aktiviertem „Anmeldung merken“</translation>
    </message>
    <message>
        <source>No delivery report came within 1 minute.</source>
        <translation>Innerhalb von 1 Minute kam kein Zustellbericht.</translation>
    </message>
    <message numerus="yes">
        <source>No delivery report came within %n minutes.</source>
        <translation>
            <numerusform>Innerhalb von %n Minute kam kein Zustellbericht.</numerusform>
            <numerusform>Innerhalb von %n Minuten kam kein Zustellbericht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not sent: start Quillon once with its window and accept its agreement first</source>
        <translation>Nicht gesendet: starten Sie Quillon zuerst einmal mit seinem Fenster und stimmen Sie der Vereinbarung zu</translation>
    </message>
    <message>
        <source>Not sent: --wait-report needs the IMAP server in Settings and &quot;Watch for delivery reports&quot; checked</source>
        <translation>Nicht gesendet: --wait-report braucht den IMAP-Server in den Einstellungen und aktiviertes „Auf Zustellberichte achten“</translation>
    </message>
</context>
<context>
    <name>SendCommand</name>
    <message>
        <source>Not sent: the fax number may hold only digits, spaces and + - . / ( )</source>
        <translation>Nicht gesendet: die Faxnummer darf nur Ziffern, Leerzeichen und + - . / ( ) enthalten</translation>
    </message>
    <message>
        <source>Unknown provider: %1</source>
        <translation>Unbekannter Anbieter: %1</translation>
    </message>
    <message>
        <source>Not sent: type an e-mail address in To, or a fax number</source>
        <translation>Nicht gesendet: geben Sie bei An eine E-Mail-Adresse oder eine Faxnummer ein</translation>
    </message>
    <message>
        <source>Not sent: %1 is not an e-mail address</source>
        <translation>Nicht gesendet: %1 ist keine E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Not sent: the e-mail address in Settings is not valid</source>
        <translation>Nicht gesendet: die E-Mail-Adresse in den Einstellungen ist ungültig</translation>
    </message>
    <message>
        <source>Not sent: the SMTP Server in Settings must be host, host:port, starttls://host[:port] or smtps://host[:port]</source>
        <translation>Nicht gesendet: der SMTP-Server in den Einstellungen muss host, host:port, starttls://host[:port] oder smtps://host[:port] sein</translation>
    </message>
</context>
<context>
    <name>SentFolder</name>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>kann nicht in %1 schreiben: %2</translation>
    </message>
    <message>
        <source>cannot write the report: %1</source>
        <translation>kann den Bericht nicht schreiben: %1</translation>
    </message>
    <message>
        <source>cannot keep the report: %1</source>
        <translation>kann den Bericht nicht aufbewahren: %1</translation>
    </message>
    <message>
        <source>cannot write in %1</source>
        <translation>kann nicht in %1 schreiben</translation>
    </message>
    <message>
        <source>cannot write the copy</source>
        <translation>kann die Kopie nicht schreiben</translation>
    </message>
    <message>
        <source>cannot write the copy to disk</source>
        <translation>kann die Kopie nicht auf die Festplatte schreiben</translation>
    </message>
    <message>
        <source>cannot put the copy into %1</source>
        <translation>kann die Kopie nicht in %1 ablegen</translation>
    </message>
    <message>
        <source>cannot make %1: %2</source>
        <translation>kann %1 nicht anlegen: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>what failed: why</comment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SentModel</name>
    <message>
        <source>This copy cannot be read (damaged): %1</source>
        <translation>Diese Kopie kann nicht gelesen werden (beschädigt): %1</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm</source>
        <comment>the date sent</comment>
        <translation>dd.MM.yyyy HH:mm</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>To</source>
        <translation>An</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>The copy was not deleted: %1.</source>
        <translation>Die Kopie wurde nicht gelöscht: %1.</translation>
    </message>
</context>
<context>
    <name>Shell</name>
    <message>
        <source>%1

Quillon cannot start.</source>
        <translation>%1

Quillon kann nicht starten.</translation>
    </message>
</context>
<context>
    <name>SignInFaces</name>
    <message>
        <source>The keyring did not take the sign-in for %1, so Quillon keeps it only until it ends.</source>
        <translation>Der Schlüsselbund hat die Anmeldung für %1 nicht angenommen; Quillon behält sie daher nur bis zum Beenden.</translation>
    </message>
</context>
<context>
    <name>SmtpSession</name>
    <message>
        <source>SMTP Error: cannot set up a secure connection: no answer</source>
        <translation>SMTP-Fehler: keine sichere Verbindung möglich: keine Antwort</translation>
    </message>
    <message>
        <source>SMTP Error: no reply from server</source>
        <translation>SMTP-Fehler: keine Antwort vom Server</translation>
    </message>
    <message>
        <source>SMTP Error: the server did not finish the sign-in in time</source>
        <translation>SMTP-Fehler: der Server hat die Anmeldung nicht rechtzeitig abgeschlossen</translation>
    </message>
    <message>
        <source>SMTP Error: cannot set up a secure connection: %1</source>
        <translation>SMTP-Fehler: keine sichere Verbindung möglich: %1</translation>
    </message>
    <message>
        <source>SMTP Error: the server&apos;s reply is too long</source>
        <translation>SMTP-Fehler: die Antwort des Servers ist zu lang</translation>
    </message>
    <message>
        <source>SMTP Error: the server does not offer encryption; nothing was sent</source>
        <translation>SMTP-Fehler: der Server bietet keine Verschlüsselung an; es wurde nichts gesendet</translation>
    </message>
    <message>
        <source>SMTP Error: the server sent data before encryption started</source>
        <translation>SMTP-Fehler: der Server hat vor Beginn der Verschlüsselung Daten gesendet</translation>
    </message>
    <message>
        <source>Winsock Error</source>
        <translation>Winsock-Fehler</translation>
    </message>
    <message>
        <source>SMTP Error: connection closed by server</source>
        <translation>SMTP-Fehler: Verbindung vom Server geschlossen</translation>
    </message>
    <message>
        <source>Winsock Error number %1</source>
        <translation>Winsock-Fehler Nummer %1</translation>
    </message>
    <message>
        <source>Sent OK.</source>
        <translation>Gesendet.</translation>
    </message>
    <message>
        <source>SMTP Error: %1</source>
        <translation>SMTP-Fehler: %1</translation>
    </message>
    <message>
        <source>SMTP Error: the message is larger than the server accepts (%1 bytes)</source>
        <translation>SMTP-Fehler: die Nachricht ist größer, als der Server annimmt (%1 Bytes)</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Nicht gesendet: %1</translation>
    </message>
    <message>
        <source>Sent OK. (no copy kept: %1)</source>
        <translation>Gesendet. (keine Kopie aufbewahrt: %1)</translation>
    </message>
    <message>
        <source>Cannot connect to SMTP server</source>
        <translation>Keine Verbindung zum SMTP-Server möglich</translation>
    </message>
    <message>
        <source>SMTP Error: the server offers no sign-in method Quillon supports (%1)</source>
        <translation>SMTP-Fehler: der Server bietet kein Anmeldeverfahren an, das Quillon unterstützt (%1)</translation>
    </message>
    <message>
        <source>the handshake failed (%1)</source>
        <translation>der Handshake ist fehlgeschlagen (%1)</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>Cannot open %1: it is not an ordinary file.</source>
        <translation>%1 kann nicht geöffnet werden: es ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>%1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The settings could not be saved in %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Cannot read the settings from %1: %2.</source>
        <translation>Die Einstellungen können nicht aus %1 gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Cannot save the settings to %1: %2.</source>
        <translation>Die Einstellungen können nicht in %1 gespeichert werden: %2.</translation>
    </message>
</context>
<context>
    <name>TokenStore</name>
    <message>
        <source>Not sent: signed in as %1, not %2</source>
        <translation>Nicht gesendet: angemeldet als %1, nicht als %2</translation>
    </message>
</context>
<context>
    <name>frmAgreement</name>
    <message>
        <source>Agreement</source>
        <translation>Vereinbarung</translation>
    </message>
    <message>
        <source>I agree</source>
        <translation>Ich stimme zu</translation>
    </message>
    <message>
        <source>I do not agree</source>
        <translation>Ich stimme nicht zu</translation>
    </message>
    <message>
        <source>USER LICENSE AGREEMENT</source>
        <translation>LIZENZVEREINBARUNG FÜR BENUTZER</translation>
    </message>
    <message>
        <source>This agreement is a legal agreement between you and the Quillon
corporation for the use of its fax and e-mail services.</source>
        <translation>Diese Vereinbarung ist ein rechtsgültiger Vertrag zwischen Ihnen und der Quillon Corporation über die Nutzung ihrer Fax- und E-Mail-Dienste.</translation>
    </message>
    <message>
        <source>Rights</source>
        <translation>Rechte</translation>
    </message>
    <message>
        <source>You may use the Quillon products and services during the terms of this
agreement.</source>
        <translation>Sie dürfen die Produkte und Dienste von Quillon während der Laufzeit dieser Vereinbarung nutzen.</translation>
    </message>
    <message>
        <source>Limitations</source>
        <translation>Einschränkungen</translation>
    </message>
    <message>
        <source>You may not use the products or services to harm, harass or defraud
anyone, nor to send material you have no right to send.
You may not reverse engineer, decompile or disassemble the products.
You may not resell or sublicense the products or services. </source>
        <translation>Sie dürfen die Produkte oder Dienste nicht nutzen, um jemandem zu schaden, jemanden zu belästigen oder zu betrügen, noch um Material zu senden, zu dessen Versand Sie nicht berechtigt sind.
Sie dürfen die Produkte nicht zurückentwickeln, dekompilieren oder disassemblieren.
Sie dürfen die Produkte oder Dienste nicht weiterverkaufen oder unterlizenzieren. </translation>
    </message>
    <message>
        <source>Terms</source>
        <translation>Laufzeit</translation>
    </message>
    <message>
        <source>You may use the services during the terms you have paid for in advance.</source>
        <translation>Sie dürfen die Dienste während der im Voraus bezahlten Laufzeit nutzen.</translation>
    </message>
    <message>
        <source>Copyrights</source>
        <translation>Urheberrechte</translation>
    </message>
    <message>
        <source>All title and intellectual property rights in and to the products and
their accompanying materials are owned by the Quillon corporation.</source>
        <translation>Alle Eigentums- und geistigen Eigentumsrechte an den Produkten und den begleitenden Materialien liegen bei der Quillon Corporation.</translation>
    </message>
    <message>
        <source>Limitation of Liability</source>
        <translation>Haftungsbeschränkung</translation>
    </message>
    <message>
        <source>To the maximum extent permitted by applicable law, in no event shall the Quillon corporation or its suppliers be liable for any special, incidental, indirect or consequential damages whatsoever, including without limitation damages for loss of business profits, business interruption, loss of business information or any other pecuniary loss, arising out of the use of or inability to use the products or services, even if the Quillon corporation has been advised of the possibility of such damages.</source>
        <translation>Soweit nach geltendem Recht zulässig, haften die Quillon Corporation und ihre Lieferanten in keinem Fall für besondere, zufällige, indirekte oder Folgeschäden jeglicher Art, einschließlich, aber nicht beschränkt auf entgangenen Gewinn, Betriebsunterbrechung, Verlust von Geschäftsinformationen oder sonstige Vermögensschäden, die aus der Nutzung oder der Unmöglichkeit der Nutzung der Produkte oder Dienste entstehen, selbst wenn die Quillon Corporation auf die Möglichkeit solcher Schäden hingewiesen wurde.</translation>
    </message>
    <message>
        <source>Your agreement could not be recorded in %1: %2. You will be asked again at the next start.</source>
        <translation>Ihre Zustimmung konnte nicht in %1 festgehalten werden: %2. Sie werden beim nächsten Start erneut gefragt.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Printed: %1</source>
        <translation>Gedruckt: %1</translation>
    </message>
    <message>
        <source>The fax cannot be sent again: no temporary folder for its documents (%1)</source>
        <translation>Das Fax kann nicht erneut gesendet werden: kein temporärer Ordner für seine Dokumente (%1)</translation>
    </message>
    <message>
        <source>The documents of this fax cannot be written to %1.</source>
        <translation>Die Dokumente dieses Faxes können nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>About Quillon</source>
        <translation>Über Quillon</translation>
    </message>
    <message>
        <source>Quillon %1

Sends faxes and e-mail through your SMTP server and an e-mail-to-fax gateway.

Your documents and settings are kept in %2</source>
        <translation>Quillon %1

Sendet Faxe und E-Mails über Ihren SMTP-Server und ein E-Mail-zu-Fax-Gateway.

Ihre Dokumente und Einstellungen werden in %2 aufbewahrt</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>An:</translation>
    </message>
    <message>
        <source>Fax:</source>
        <translation>Fax:</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Attach...</source>
        <translation>Anhängen...</translation>
    </message>
    <message>
        <source>Sent...</source>
        <translation>Gesendet...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>frmSent</name>
    <message>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Erneut senden</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>%1 (report from %2)</source>
        <translation>%1 (Bericht von %2)</translation>
    </message>
    <message>
        <source>The documents of this copy cannot be shown: no temporary folder (%1)</source>
        <translation>Die Dokumente dieser Kopie können nicht angezeigt werden: kein temporärer Ordner (%1)</translation>
    </message>
    <message>
        <source>This copy cannot be read: %1</source>
        <translation>Diese Kopie kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>This copy cannot be read (damaged).</source>
        <translation>Diese Kopie kann nicht gelesen werden (beschädigt).</translation>
    </message>
    <message>
        <source>Delete the copy of this fax?</source>
        <translation>Die Kopie dieses Faxes löschen?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The documents are still being read.</source>
        <translation>Die Dokumente werden noch gelesen.</translation>
    </message>
    <message>
        <source>Fax report %1.pdf</source>
        <translation>Faxbericht %1.pdf</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>SMTP Server</source>
        <translation>SMTP-Server</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>IFS Provider</source>
        <translation>IFS-Anbieter</translation>
    </message>
    <message>
        <source>Activation Cod</source>
        <translation>Aktivierungscode</translation>
    </message>
    <message>
        <source>IMAP Server</source>
        <translation>IMAP-Server</translation>
    </message>
    <message>
        <source>Watch for delivery reports</source>
        <translation>Auf Zustellberichte achten</translation>
    </message>
</context>
<context>
    <name>frmSignIn</name>
    <message>
        <source>Sign in</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Sign in to %1:</source>
        <translation>Bei %1 anmelden:</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Remember the password</source>
        <translation>Passwort merken</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Sign in to %1 in your web browser.</source>
        <translation>Melden Sie sich im Webbrowser bei %1 an.</translation>
    </message>
    <message>
        <source>Remember the sign-in</source>
        <translation>Anmeldung merken</translation>
    </message>
    <message>
        <source>Open the browser</source>
        <translation>Browser öffnen</translation>
    </message>
    <message>
        <source>Waiting for your web browser…</source>
        <translation>Warten auf Ihren Webbrowser…</translation>
    </message>
    <message>
        <source>No keyring available: the password is kept until Quillon ends</source>
        <translation>Kein Schlüsselbund verfügbar: das Passwort wird bis zum Beenden von Quillon behalten</translation>
    </message>
    <message>
        <source>No keyring available: the sign-in is kept until Quillon ends</source>
        <translation>Kein Schlüsselbund verfügbar: die Anmeldung wird bis zum Beenden von Quillon behalten</translation>
    </message>
    <message>
        <source>Not sent: no sign-in given.</source>
        <translation>Nicht gesendet: keine Anmeldung angegeben.</translation>
    </message>
</context>
<context>
    <name>imap::Session</name>
    <message>
        <source>the IMAP server did not answer in time</source>
        <translation>der IMAP-Server hat nicht rechtzeitig geantwortet</translation>
    </message>
    <message>
        <source>the IMAP server closed the connection</source>
        <translation>der IMAP-Server hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>cannot reach the IMAP server: %1</source>
        <translation>der IMAP-Server ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>cannot set up a secure connection to the IMAP server: %1</source>
        <translation>keine sichere Verbindung zum IMAP-Server möglich: %1</translation>
    </message>
    <message>
        <source>the IMAP server sent data before the connection was secure</source>
        <translation>der IMAP-Server hat Daten gesendet, bevor die Verbindung sicher war</translation>
    </message>
    <message>
        <source>the IMAP server sent a response Quillon cannot read</source>
        <translation>der IMAP-Server hat eine Antwort gesendet, die Quillon nicht lesen kann</translation>
    </message>
    <message>
        <source>the IMAP server sent a response too long to read</source>
        <translation>der IMAP-Server hat eine zu lange Antwort gesendet</translation>
    </message>
    <message>
        <source>the IMAP server asked for more than Quillon sent</source>
        <translation>der IMAP-Server hat mehr verlangt, als Quillon gesendet hat</translation>
    </message>
    <message>
        <source>the IMAP server answered a command Quillon did not send</source>
        <translation>der IMAP-Server hat auf einen Befehl geantwortet, den Quillon nicht gesendet hat</translation>
    </message>
    <message>
        <source>the IMAP server ended the session: %1</source>
        <translation>der IMAP-Server hat die Sitzung beendet: %1</translation>
    </message>
    <message>
        <source>the IMAP server would not open the inbox: %1</source>
        <translation>der IMAP-Server wollte den Posteingang nicht öffnen: %1</translation>
    </message>
    <message>
        <source>the IMAP server could not search the inbox: %1</source>
        <translation>der IMAP-Server konnte den Posteingang nicht durchsuchen: %1</translation>
    </message>
    <message>
        <source>the IMAP server could not fetch a message: %1</source>
        <translation>der IMAP-Server konnte eine Nachricht nicht abrufen: %1</translation>
    </message>
    <message>
        <source>the IMAP server ended IDLE: %1</source>
        <translation>der IMAP-Server hat IDLE beendet: %1</translation>
    </message>
    <message>
        <source>the IMAP server did not greet as expected: %1</source>
        <translation>der IMAP-Server hat nicht wie erwartet begrüßt: %1</translation>
    </message>
    <message>
        <source>the IMAP server did not say what it offers</source>
        <translation>der IMAP-Server hat nicht gesagt, was er anbietet</translation>
    </message>
    <message>
        <source>the IMAP server does not offer encryption (STARTTLS), so Quillon will not sign in to it</source>
        <translation>der IMAP-Server bietet keine Verschlüsselung (STARTTLS) an; Quillon meldet sich daher nicht an</translation>
    </message>
    <message>
        <source>the IMAP server refused to encrypt the connection</source>
        <translation>der IMAP-Server hat die Verschlüsselung der Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>no sign-in for the IMAP server</source>
        <translation>keine Anmeldung für den IMAP-Server</translation>
    </message>
    <message>
        <source>the IMAP server offers no sign-in Quillon can use</source>
        <translation>der IMAP-Server bietet keine Anmeldung an, die Quillon nutzen kann</translation>
    </message>
    <message>
        <source>the IMAP server refused the sign-in: %1</source>
        <translation>der IMAP-Server hat die Anmeldung abgelehnt: %1</translation>
    </message>
    <message>
        <source>the IMAP server answered before it greeted</source>
        <translation>der IMAP-Server hat vor seiner Begrüßung geantwortet</translation>
    </message>
</context>
</TS>
