<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AttachmentList</name>
    <message>
        <source>%1, %2</source>
        <comment>documents, pages</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>1 document</source>
        <translation>1 document</translation>
    </message>
    <message numerus="yes">
        <source>%n documents</source>
        <translation>
            <numerusform>%n document</numerusform>
            <numerusform>%n documents</numerusform>
        </translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 page</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n page</numerusform>
            <numerusform>%n pages</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a document&apos;s name, pages and size</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1, reading…</source>
        <translation>%1, lecture…</translation>
    </message>
</context>
<context>
    <name>AttachmentPanel</name>
    <message>
        <source>Attach</source>
        <translation>Joindre</translation>
    </message>
    <message>
        <source>Documents (*.pdf *.tif *.tiff *.png *.jpg *.jpeg);;All files (*)</source>
        <translation>Documents (*.pdf *.tif *.tiff *.png *.jpg *.jpeg);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Not sent: %1 is still being read</source>
        <translation>Non envoyé : %1 est encore en cours de lecture</translation>
    </message>
</context>
<context>
    <name>AttachmentStrip</name>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Sends faxes and e-mail through your SMTP server and an e-mail-to-fax gateway. With no option it opens its window; with --to, --fax, --subject or --message a new fax in it; with --send it sends the fax without a window and ends: 0 when the server took it, 1 when it was refused or could not be sent, 2 for wrong use. With --wait-report it then waits for the gateway&apos;s delivery report: 0 when it says delivered, 3 when it says failed, 4 when none came in time.</source>
        <translation>Envoie des fax et des e-mails par votre serveur SMTP et une passerelle e-mail vers fax. Sans option, ouvre sa fenêtre ; avec --to, --fax, --subject ou --message, un nouveau fax dans celle-ci ; avec --send, envoie le fax sans fenêtre et se termine : 0 si le serveur l&apos;a accepté, 1 s&apos;il a été refusé ou n&apos;a pas pu être envoyé, 2 en cas de mauvaise utilisation. Avec --wait-report, attend ensuite le rapport de remise de la passerelle : 0 s&apos;il indique remis, 3 s&apos;il indique un échec, 4 si aucun n&apos;est arrivé à temps.</translation>
    </message>
    <message>
        <source>Send without a window, then end.</source>
        <translation>Envoyer sans fenêtre, puis quitter.</translation>
    </message>
    <message>
        <source>The recipient&apos;s name, or an e-mail address.</source>
        <translation>Le nom du destinataire, ou une adresse e-mail.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <source>The fax number, as printed.</source>
        <translation>Le numéro de fax, tel qu&apos;imprimé.</translation>
    </message>
    <message>
        <source>NUMBER</source>
        <translation>NUMÉRO</translation>
    </message>
    <message>
        <source>The subject.</source>
        <translation>L&apos;objet.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXTE</translation>
    </message>
    <message>
        <source>The message.</source>
        <translation>Le message.</translation>
    </message>
    <message>
        <source>The message from a file (UTF-8); - for standard input.</source>
        <translation>Le message depuis un fichier (UTF-8) ; - pour l&apos;entrée standard.</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>CHEMIN</translation>
    </message>
    <message>
        <source>The gateway: a name from Settings&apos; list, or a gateway&apos;s domain (TPC.NET when left out).</source>
        <translation>La passerelle : un nom de la liste des paramètres, ou le domaine d&apos;une passerelle (TPC.NET si omis).</translation>
    </message>
    <message>
        <source>With --send: wait up to MINUTES for the gateway&apos;s delivery report (read over IMAP, as Settings say).</source>
        <translation>Avec --send : attendre jusqu&apos;à MINUTES le rapport de remise de la passerelle (lu par IMAP, selon les paramètres).</translation>
    </message>
    <message>
        <source>MINUTES</source>
        <translation>MINUTES</translation>
    </message>
    <message>
        <source>Documents to attach: PDF, TIFF, PNG or JPEG.</source>
        <translation>Documents à joindre : PDF, TIFF, PNG ou JPEG.</translation>
    </message>
    <message>
        <source>[FILE...]</source>
        <translation>[FICHIER...]</translation>
    </message>
    <message>
        <source>--wait-report takes minutes, from 1 to 2880.</source>
        <translation>--wait-report attend des minutes, de 1 à 2880.</translation>
    </message>
    <message>
        <source>--wait-report goes with --send.</source>
        <translation>--wait-report s&apos;utilise avec --send.</translation>
    </message>
    <message>
        <source>Give --message or --message-file, not both.</source>
        <translation>Indiquez --message ou --message-file, pas les deux.</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>%1 is too long for a message, which holds at most 1 MB.</source>
        <translation>%1 est trop long pour un message, qui contient au plus 1 Mo.</translation>
    </message>
    <message>
        <source>files</source>
        <comment>the name of the documents argument in --help</comment>
        <translation>fichiers</translation>
    </message>
    <message>
        <source>Try &apos;quillon --help&apos;.</source>
        <translation>Essayez 'quillon --help'.</translation>
    </message>
</context>
<context>
    <name>CredentialStore</name>
    <message>
        <source>Not sent: no password given.</source>
        <translation>Non envoyé : aucun mot de passe donné.</translation>
    </message>
</context>
<context>
    <name>Delivery</name>
    <message>
        <source>busy</source>
        <translation>occupé</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>pas de réponse</translation>
    </message>
    <message>
        <source>not a fax machine</source>
        <translation>pas un télécopieur</translation>
    </message>
    <message>
        <source>wrong number</source>
        <translation>numéro erroné</translation>
    </message>
    <message>
        <source>document refused</source>
        <translation>document refusé</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 page</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n page</numerusform>
            <numerusform>%n pages</numerusform>
        </translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm:ss t</source>
        <comment>the report&apos;s date</comment>
        <translation>d MMM yyyy, HH:mm:ss t</translation>
    </message>
    <message>
        <source>unknown date</source>
        <translation>date inconnue</translation>
    </message>
    <message>
        <source>an unknown sender</source>
        <translation>un expéditeur inconnu</translation>
    </message>
    <message>
        <source>none</source>
        <comment>no Message-ID</comment>
        <translation>aucun</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <comment>the time of delivery</comment>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>Delivered %1, %2</source>
        <translation>Remis à %1, %2</translation>
    </message>
    <message>
        <source>Delivered %1</source>
        <comment>the time</comment>
        <translation>Remis à %1</translation>
    </message>
    <message>
        <source>Delivered %1</source>
        <comment>the pages</comment>
        <translation>Remis, %1</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Remis</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Échec : %1</translation>
    </message>
    <message>
        <source>Queued by the gateway</source>
        <translation>En attente à la passerelle</translation>
    </message>
    <message>
        <source>No report</source>
        <translation>Aucun rapport</translation>
    </message>
    <message>
        <source>Accepted by the server</source>
        <translation>Accepté par le serveur</translation>
    </message>
    <message>
        <source>Not delivered to %1: %2</source>
        <translation>Non remis au %1 : %2</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>Delivered: %1, %2.</source>
        <translation>Remis : %1, %2.</translation>
    </message>
    <message>
        <source>Delivered: %1.</source>
        <translation>Remis : %1.</translation>
    </message>
    <message>
        <source>Accepted by the mail server; the gateway has not reported delivery.</source>
        <translation>Accepté par le serveur de messagerie ; la passerelle n&apos;a pas signalé de remise.</translation>
    </message>
    <message>
        <source>Not delivered, as stated by the gateway&apos;s report of %1 from %2 (Message-ID %3).</source>
        <translation>Non remis, selon le rapport de la passerelle du %1 de %2 (Message-ID %3).</translation>
    </message>
    <message>
        <source>Not delivered: %1, as stated by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>Non remis : %1, selon le rapport de la passerelle du %2 de %3 (Message-ID %4).</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm</source>
        <comment>the time of delivery</comment>
        <translation>d MMM yyyy, HH:mm</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a time, then pages</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Delivered, %1, confirmed by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>Remis, %1, confirmé par le rapport de la passerelle du %2 de %3 (Message-ID %4).</translation>
    </message>
    <message>
        <source>Delivered %1, confirmed by the gateway&apos;s report of %2 from %3 (Message-ID %4).</source>
        <translation>Remis le %1, confirmé par le rapport de la passerelle du %2 de %3 (Message-ID %4).</translation>
    </message>
    <message>
        <source>Delivered, confirmed by the gateway&apos;s report of %1 from %2 (Message-ID %3).</source>
        <translation>Remis, confirmé par le rapport de la passerelle du %1 de %2 (Message-ID %3).</translation>
    </message>
    <message>
        <source>Unverified report: %1, from %2</source>
        <translation>Rapport non vérifié : %1, de %2</translation>
    </message>
</context>
<context>
    <name>DeliveryNews</name>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
</context>
<context>
    <name>DeliveryWatch</name>
    <message>
        <source>cannot connect to the IMAP server</source>
        <translation>connexion au serveur IMAP impossible</translation>
    </message>
    <message>
        <source>A delivery report could not be kept: %1</source>
        <translation>Un rapport de remise n&apos;a pas pu être conservé : %1</translation>
    </message>
    <message>
        <source>Delivery reports cannot be read: %1.</source>
        <translation>Impossible de lire les rapports de remise : %1.</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Not attached: %1 is not a PDF, TIFF, PNG or JPEG file</source>
        <translation>Non joint : %1 n&apos;est pas un fichier PDF, TIFF, PNG ou JPEG</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read: %2</source>
        <translation>Non joint : impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read: it has %2 bytes before its PDF header; save it again as PDF</source>
        <translation>Non joint : impossible de lire %1 : %2 octets précèdent son en-tête PDF ; enregistrez-le à nouveau en PDF</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read (damaged, or protected by a password)</source>
        <translation>Non joint : impossible de lire %1 (endommagé, ou protégé par un mot de passe)</translation>
    </message>
    <message>
        <source>Not attached: %1 cannot be read (damaged)</source>
        <translation>Non joint : impossible de lire %1 (endommagé)</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>pages, size</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 page</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n page</numerusform>
            <numerusform>%n pages</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Enclosure</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>%1 has changed since it was attached; attach it again</source>
        <translation>%1 a changé depuis qu&apos;il a été joint ; joignez-le à nouveau</translation>
    </message>
    <message>
        <source>Not sent: %1 cannot be read: %2</source>
        <translation>Non envoyé : impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Not sent: %1 has changed since it was attached; attach it again</source>
        <translation>Non envoyé : %1 a changé depuis qu&apos;il a été joint ; joignez-le à nouveau</translation>
    </message>
</context>
<context>
    <name>FaxReport</name>
    <message>
        <source>Sender:</source>
        <translation>Expéditeur :</translation>
    </message>
    <message>
        <source>Recipient:</source>
        <translation>Destinataire :</translation>
    </message>
    <message>
        <source>Fax number:</source>
        <translation>Numéro de fax :</translation>
    </message>
    <message>
        <source>Gateway address:</source>
        <translation>Adresse de la passerelle :</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Objet :</translation>
    </message>
    <message>
        <source>Sent:</source>
        <translation>Envoyé :</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm:ss t</source>
        <comment>the date and time sent</comment>
        <translation>d MMM yyyy, HH:mm:ss t</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Serveur :</translation>
    </message>
    <message>
        <source>Server&apos;s reply:</source>
        <translation>Réponse du serveur :</translation>
    </message>
    <message>
        <source>Message-ID:</source>
        <translation>Message-ID :</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Pages :</translation>
    </message>
    <message>
        <source>Delivery:</source>
        <translation>Remise :</translation>
    </message>
    <message>
        <source>Transmission report</source>
        <translation>Rapport d&apos;émission</translation>
    </message>
    <message>
        <source>The report cannot be written to %1.</source>
        <translation>Impossible d&apos;écrire le rapport dans %1.</translation>
    </message>
    <message>
        <source>DejaVu Sans</source>
        <comment>the font: one that holds the language&apos;s script</comment>
        <translation>DejaVu Sans</translation>
    </message>
    <message>
        <source>The gateway&apos;s report says:</source>
        <translation>Le rapport de la passerelle indique :</translation>
    </message>
    <message>
        <source>Files sent:</source>
        <translation>Fichiers envoyés :</translation>
    </message>
    <message>
        <source>none: the text was faxed</source>
        <translation>aucun : le texte a été faxé</translation>
    </message>
</context>
<context>
    <name>FaxStore</name>
    <message>
        <source>%1: %2.</source>
        <comment>what failed: why</comment>
        <translation>%1 : %2.</translation>
    </message>
    <message>
        <source>Cannot recover your documents from %1 in %2</source>
        <translation>Impossible de récupérer vos documents depuis %1 dans %2</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>Impossible de lire %1</translation>
    </message>
    <message>
        <source>%1 is not open.</source>
        <translation>%1 n&apos;est pas ouvert.</translation>
    </message>
    <message>
        <source>Cannot read document %1 from %2</source>
        <translation>Impossible de lire le document %1 depuis %2</translation>
    </message>
    <message>
        <source>Cannot save document %1 to %2</source>
        <translation>Impossible d&apos;enregistrer le document %1 dans %2</translation>
    </message>
    <message>
        <source>Cannot save document %1 to %2; the file was left as it was</source>
        <translation>Impossible d&apos;enregistrer le document %1 dans %2 ; le fichier est resté tel quel</translation>
    </message>
    <message>
        <source>No new document can be started: the store is full at %1 documents. Delete a document to make room.</source>
        <translation>Impossible de commencer un nouveau document : le stockage est plein avec %1 documents. Supprimez un document pour faire de la place.</translation>
    </message>
    <message>
        <source>The document was not saved: no record is selected. Press New, then Save.</source>
        <translation>Le document n&apos;a pas été enregistré : aucun enregistrement n&apos;est sélectionné. Cliquez sur Nouveau, puis sur Enregistrer.</translation>
    </message>
    <message>
        <source>Cannot remove the old %1</source>
        <translation>Impossible de supprimer l&apos;ancien fichier %1</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>Impossible de créer %1</translation>
    </message>
    <message>
        <source>Cannot give %1 the permissions of %2</source>
        <translation>Impossible de donner à %1 les permissions de %2</translation>
    </message>
    <message>
        <source>Cannot copy the documents to %1</source>
        <translation>Impossible de copier les documents dans %1</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>Impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>Cannot write %1 to disk</source>
        <translation>Impossible d&apos;écrire %1 sur le disque</translation>
    </message>
    <message>
        <source>Cannot put %1 in place of %2</source>
        <translation>Impossible de mettre %1 à la place de %2</translation>
    </message>
    <message>
        <source>The document was deleted, but the change may be lost if the computer stops now</source>
        <translation>Le document a été supprimé, mais la modification peut être perdue si l&apos;ordinateur s&apos;arrête maintenant</translation>
    </message>
    <message>
        <source>The document was not deleted. %1</source>
        <translation>Le document n&apos;a pas été supprimé. %1</translation>
    </message>
    <message>
        <source>The document was deleted, but the next one cannot be shown. %1</source>
        <translation>Le document a été supprimé, mais le suivant ne peut pas être affiché. %1</translation>
    </message>
</context>
<context>
    <name>Instance</name>
    <message>
        <source>Quillon cannot lock its data folder %1: %2</source>
        <translation>Quillon ne peut pas verrouiller son dossier de données %1 : %2</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>Quillon is already running for %1, but does not answer.</source>
        <translation>Quillon est déjà lancé pour %1, mais ne répond pas.</translation>
    </message>
</context>
<context>
    <name>OAuthRedirectHandler</name>
    <message>
        <source>Bad request.</source>
        <translation>Requête incorrecte.</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Introuvable.</translation>
    </message>
    <message>
        <source>This is not the sign-in Quillon waits for.</source>
        <translation>Ce n&apos;est pas la connexion qu&apos;attend Quillon.</translation>
    </message>
    <message>
        <source>No sign-in came.</source>
        <translation>Aucune connexion n&apos;est arrivée.</translation>
    </message>
    <message>
        <source>The sign-in was refused. You can close this page.</source>
        <translation>La connexion a été refusée. Vous pouvez fermer cette page.</translation>
    </message>
    <message>
        <source>Quillon is signed in. You can close this page.</source>
        <translation>Quillon est connecté. Vous pouvez fermer cette page.</translation>
    </message>
    <message>
        <source>the sign-in server did not answer within %1 seconds</source>
        <translation>le serveur de connexion n&apos;a pas répondu en %1 secondes</translation>
    </message>
    <message>
        <source>the token endpoint answered %1 without JSON</source>
        <translation>le point de terminaison des jetons a répondu %1 sans JSON</translation>
    </message>
    <message>
        <source>the token endpoint answered %1 without a bearer token</source>
        <translation>le point de terminaison des jetons a répondu %1 sans jeton bearer</translation>
    </message>
</context>
<context>
    <name>OAuthSignIn</name>
    <message>
        <source>Not sent: the sign-in was refused: %1</source>
        <translation>Non envoyé : la connexion a été refusée : %1</translation>
    </message>
    <message>
        <source>Not sent: the sign-in was refused: %1: %2</source>
        <translation>Non envoyé : la connexion a été refusée : %1 : %2</translation>
    </message>
    <message>
        <source>Not sent: the sign-in server did not answer in time.</source>
        <translation>Non envoyé : le serveur de connexion n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <source>Not sent: no sign-in within 5 minutes.</source>
        <translation>Non envoyé : aucune connexion en 5 minutes.</translation>
    </message>
    <message>
        <source>Not sent: no web browser could be opened.</source>
        <translation>Non envoyé : aucun navigateur web n&apos;a pu être ouvert.</translation>
    </message>
    <message>
        <source>Not sent: the sign-in failed: %1</source>
        <translation>Non envoyé : la connexion a échoué : %1</translation>
    </message>
    <message>
        <source>Not sent: Quillon&apos;s sign-in part cannot be loaded: %1</source>
        <translation>Non envoyé : le module de connexion de Quillon ne peut pas être chargé : %1</translation>
    </message>
    <message>
        <source>Not sent: Quillon cannot wait for the web browser.</source>
        <translation>Non envoyé : Quillon ne peut pas attendre le navigateur web.</translation>
    </message>
    <message>
        <source>Not sent: no sign-in given.</source>
        <translation>Non envoyé : aucune connexion donnée.</translation>
    </message>
</context>
<context>
    <name>Outbox</name>
    <message>
        <source>The previous message is still being sent.</source>
        <translation>Le message précédent est encore en cours d&apos;envoi.</translation>
    </message>
    <message>
        <source>Sending</source>
        <translation>Envoi en cours</translation>
    </message>
    <message>
        <source>Cannot connect to SMTP server</source>
        <translation>Connexion au serveur SMTP impossible</translation>
    </message>
</context>
<context>
    <name>PrintSpool</name>
    <message>
        <source>Printed documents cannot be kept in %1</source>
        <translation>Les documents imprimés ne peuvent pas être conservés dans %1</translation>
    </message>
    <message>
        <source>%1 cannot be taken from the printer&apos;s folder</source>
        <translation>%1 ne peut pas être repris du dossier de l&apos;imprimante</translation>
    </message>
</context>
<context>
    <name>SaveQuestion</name>
    <message>
        <source>The recipient is %1 characters long; the file keeps the first %2.</source>
        <translation>Le destinataire compte %1 caractères ; le fichier garde les %2 premiers.</translation>
    </message>
    <message>
        <source>In the recipient, %1 cannot be stored and becomes ?.</source>
        <translation>Dans le destinataire, %1 ne peut pas être enregistré et devient ?.</translation>
    </message>
    <message>
        <source>In the recipient, %1 cannot be stored and become ?.</source>
        <translation>Dans le destinataire, %1 ne peuvent pas être enregistrés et deviennent ?.</translation>
    </message>
    <message>
        <source>The fax number is %1 characters long; the file keeps the first %2.</source>
        <translation>Le numéro de fax compte %1 caractères ; le fichier garde les %2 premiers.</translation>
    </message>
    <message>
        <source>In the fax number, %1 cannot be stored and becomes ?.</source>
        <translation>Dans le numéro de fax, %1 ne peut pas être enregistré et devient ?.</translation>
    </message>
    <message>
        <source>In the fax number, %1 cannot be stored and become ?.</source>
        <translation>Dans le numéro de fax, %1 ne peuvent pas être enregistrés et deviennent ?.</translation>
    </message>
    <message>
        <source>The subject is %1 characters long; the file keeps the first %2.</source>
        <translation>L&apos;objet compte %1 caractères ; le fichier garde les %2 premiers.</translation>
    </message>
    <message>
        <source>In the subject, %1 cannot be stored and becomes ?.</source>
        <translation>Dans l&apos;objet, %1 ne peut pas être enregistré et devient ?.</translation>
    </message>
    <message>
        <source>In the subject, %1 cannot be stored and become ?.</source>
        <translation>Dans l&apos;objet, %1 ne peuvent pas être enregistrés et deviennent ?.</translation>
    </message>
    <message>
        <source>The message is %1 characters long; the file keeps the first %2.</source>
        <translation>Le message compte %1 caractères ; le fichier garde les %2 premiers.</translation>
    </message>
    <message>
        <source>In the message, %1 cannot be stored and becomes ?.</source>
        <translation>Dans le message, %1 ne peut pas être enregistré et devient ?.</translation>
    </message>
    <message>
        <source>In the message, %1 cannot be stored and become ?.</source>
        <translation>Dans le message, %1 ne peuvent pas être enregistrés et deviennent ?.</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 de plus</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <comment>the last of a list</comment>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the items of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>Saving would change this document:

%1</source>
        <translation>Enregistrer modifierait ce document :

%1</translation>
    </message>
    <message>
        <source>Save anyway</source>
        <translation>Enregistrer quand même</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>ScriptSend</name>
    <message>
        <source>Not sent: the password for %1 on %2 is not in the keyring; send once from Quillon&apos;s window with &quot;Remember the password&quot; checked</source>
        <translation>Non envoyé : le mot de passe de %1 sur %2 n&apos;est pas dans le trousseau ; envoyez une fois depuis la fenêtre de Quillon en cochant « Retenir le mot de passe »</translation>
    </message>
    <message>
        <source>Not sent: signing in to %1 needs the web browser; send once from Quillon&apos;s window with &quot;Remember the sign-in&quot; checked</source>
        <translation>Non envoyé : la connexion à %1 demande le navigateur web ; envoyez une fois depuis la fenêtre de Quillon en cochant « Retenir la connexion »</translation>
    </message>
    <message>
        <source>No delivery report came within 1 minute.</source>
        <translation>Aucun rapport de remise n&apos;est arrivé en 1 minute.</translation>
    </message>
    <message numerus="yes">
        <source>No delivery report came within %n minutes.</source>
        <translation>
            <numerusform>Aucun rapport de remise n&apos;est arrivé en %n minute.</numerusform>
            <numerusform>Aucun rapport de remise n&apos;est arrivé en %n minutes.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not sent: start Quillon once with its window and accept its agreement first</source>
        <translation>Non envoyé : lancez d&apos;abord Quillon une fois avec sa fenêtre et acceptez son contrat</translation>
    </message>
    <message>
        <source>Not sent: --wait-report needs the IMAP server in Settings and &quot;Watch for delivery reports&quot; checked</source>
        <translation>Non envoyé : --wait-report demande le serveur IMAP dans les paramètres et « Surveiller les rapports de remise » coché</translation>
    </message>
</context>
<context>
    <name>SendCommand</name>
    <message>
        <source>Not sent: the fax number may hold only digits, spaces and + - . / ( )</source>
        <translation>Non envoyé : le numéro de fax ne peut contenir que des chiffres, des espaces et + - . / ( )</translation>
    </message>
    <message>
        <source>Unknown provider: %1</source>
        <translation>Fournisseur inconnu : %1</translation>
    </message>
    <message>
        <source>Not sent: type an e-mail address in To, or a fax number</source>
        <translation>Non envoyé : saisissez une adresse e-mail dans À, ou un numéro de fax</translation>
    </message>
    <message>
        <source>Not sent: %1 is not an e-mail address</source>
        <translation>Non envoyé : %1 n&apos;est pas une adresse e-mail</translation>
    </message>
    <message>
        <source>Not sent: the e-mail address in Settings is not valid</source>
        <translation>Non envoyé : l&apos;adresse e-mail des paramètres n&apos;est pas valide</translation>
    </message>
    <message>
        <source>Not sent: the SMTP Server in Settings must be host, host:port, starttls://host[:port] or smtps://host[:port]</source>
        <translation>Non envoyé : le serveur SMTP des paramètres doit être host, host:port, starttls://host[:port] ou smtps://host[:port]</translation>
    </message>
</context>
<context>
    <name>SentFolder</name>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>impossible d&apos;écrire dans %1 : %2</translation>
    </message>
    <message>
        <source>cannot write the report: %1</source>
        <translation>impossible d&apos;écrire le rapport : %1</translation>
    </message>
    <message>
        <source>cannot keep the report: %1</source>
        <translation>impossible de conserver le rapport : %1</translation>
    </message>
    <message>
        <source>cannot write in %1</source>
        <translation>impossible d&apos;écrire dans %1</translation>
    </message>
    <message>
        <source>cannot write the copy</source>
        <translation>impossible d&apos;écrire la copie</translation>
    </message>
    <message>
        <source>cannot write the copy to disk</source>
        <translation>impossible d&apos;écrire la copie sur le disque</translation>
    </message>
    <message>
        <source>cannot put the copy into %1</source>
        <translation>impossible de placer la copie dans %1</translation>
    </message>
    <message>
        <source>cannot make %1: %2</source>
        <translation>impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>what failed: why</comment>
        <translation>%1 : %2</translation>
    </message>
</context>
<context>
    <name>SentModel</name>
    <message>
        <source>This copy cannot be read (damaged): %1</source>
        <translation>Impossible de lire cette copie (endommagée) : %1</translation>
    </message>
    <message>
        <source>yyyy-MM-dd HH:mm</source>
        <comment>the date sent</comment>
        <translation>dd/MM/yyyy HH:mm</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>To</source>
        <translation>À</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Objet</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>The copy was not deleted: %1.</source>
        <translation>La copie n&apos;a pas été supprimée : %1.</translation>
    </message>
</context>
<context>
    <name>Shell</name>
    <message>
        <source>%1

Quillon cannot start.</source>
        <translation>%1

Quillon ne peut pas démarrer.</translation>
    </message>
</context>
<context>
    <name>SignInFaces</name>
    <message>
        <source>The keyring did not take the sign-in for %1, so Quillon keeps it only until it ends.</source>
        <translation>Le trousseau n&apos;a pas accepté la connexion pour %1 ; Quillon ne la garde donc que jusqu&apos;à sa fermeture.</translation>
    </message>
</context>
<context>
    <name>SmtpSession</name>
    <message>
        <source>SMTP Error: cannot set up a secure connection: no answer</source>
        <translation>Erreur SMTP : impossible d&apos;établir une connexion sécurisée : pas de réponse</translation>
    </message>
    <message>
        <source>SMTP Error: no reply from server</source>
        <translation>Erreur SMTP : pas de réponse du serveur</translation>
    </message>
    <message>
        <source>SMTP Error: the server did not finish the sign-in in time</source>
        <translation>Erreur SMTP : le serveur n&apos;a pas terminé la connexion à temps</translation>
    </message>
    <message>
        <source>SMTP Error: cannot set up a secure connection: %1</source>
        <translation>Erreur SMTP : impossible d&apos;établir une connexion sécurisée : %1</translation>
    </message>
    <message>
        <source>SMTP Error: the server&apos;s reply is too long</source>
        <translation>Erreur SMTP : la réponse du serveur est trop longue</translation>
    </message>
    <message>
        <source>SMTP Error: the server does not offer encryption; nothing was sent</source>
        <translation>Erreur SMTP : le serveur ne propose pas de chiffrement ; rien n&apos;a été envoyé</translation>
    </message>
    <message>
        <source>SMTP Error: the server sent data before encryption started</source>
        <translation>Erreur SMTP : le serveur a envoyé des données avant le début du chiffrement</translation>
    </message>
    <message>
        <source>Winsock Error</source>
        <translation>Erreur Winsock</translation>
    </message>
    <message>
        <source>SMTP Error: connection closed by server</source>
        <translation>Erreur SMTP : connexion fermée par le serveur</translation>
    </message>
    <message>
        <source>Winsock Error number %1</source>
        <translation>Erreur Winsock numéro %1</translation>
    </message>
    <message>
        <source>Sent OK.</source>
        <translation>Envoyé.</translation>
    </message>
    <message>
        <source>SMTP Error: %1</source>
        <translation>Erreur SMTP : %1</translation>
    </message>
    <message>
        <source>SMTP Error: the message is larger than the server accepts (%1 bytes)</source>
        <translation>Erreur SMTP : le message dépasse la taille acceptée par le serveur (%1 octets)</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Non envoyé : %1</translation>
    </message>
    <message>
        <source>Sent OK. (no copy kept: %1)</source>
        <translation>Envoyé. (aucune copie conservée : %1)</translation>
    </message>
    <message>
        <source>Cannot connect to SMTP server</source>
        <translation>Connexion au serveur SMTP impossible</translation>
    </message>
    <message>
        <source>SMTP Error: the server offers no sign-in method Quillon supports (%1)</source>
        <translation>Erreur SMTP : le serveur ne propose aucune méthode de connexion prise en charge par Quillon (%1)</translation>
    </message>
    <message>
        <source>the handshake failed (%1)</source>
        <translation>l&apos;établissement de la liaison a échoué (%1)</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>Cannot open %1: it is not an ordinary file.</source>
        <translation>Impossible d&apos;ouvrir %1 : ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>Impossible d&apos;ouvrir %1 : %2.</translation>
    </message>
    <message>
        <source>The settings could not be saved in %1.</source>
        <translation>Les paramètres n&apos;ont pas pu être enregistrés dans %1.</translation>
    </message>
    <message>
        <source>Cannot read the settings from %1: %2.</source>
        <translation>Impossible de lire les paramètres depuis %1 : %2.</translation>
    </message>
    <message>
        <source>Cannot save the settings to %1: %2.</source>
        <translation>Impossible d&apos;enregistrer les paramètres dans %1 : %2.</translation>
    </message>
</context>
<context>
    <name>TokenStore</name>
    <message>
        <source>Not sent: signed in as %1, not %2</source>
        <translation>Non envoyé : connecté en tant que %1, et non %2</translation>
    </message>
</context>
<context>
    <name>frmAgreement</name>
    <message>
        <source>Agreement</source>
        <translation>Contrat</translation>
    </message>
    <message>
        <source>I agree</source>
        <translation>J&apos;accepte</translation>
    </message>
    <message>
        <source>I do not agree</source>
        <translation>Je n&apos;accepte pas</translation>
    </message>
    <message>
        <source>USER LICENSE AGREEMENT</source>
        <translation>CONTRAT DE LICENCE D&apos;UTILISATION</translation>
    </message>
    <message>
        <source>This agreement is a legal agreement between you and the Quillon
corporation for the use of its fax and e-mail services.</source>
        <translation>Ce contrat est un accord juridique entre vous et la société Quillon pour l&apos;utilisation de ses services de fax et d&apos;e-mail.</translation>
    </message>
    <message>
        <source>Rights</source>
        <translation>Droits</translation>
    </message>
    <message>
        <source>You may use the Quillon products and services during the terms of this
agreement.</source>
        <translation>Vous pouvez utiliser les produits et services Quillon pendant la durée du présent contrat.</translation>
    </message>
    <message>
        <source>Limitations</source>
        <translation>Restrictions</translation>
    </message>
    <message>
        <source>You may not use the products or services to harm, harass or defraud
anyone, nor to send material you have no right to send.
You may not reverse engineer, decompile or disassemble the products.
You may not resell or sublicense the products or services. </source>
        <translation>Vous ne pouvez pas utiliser les produits ou services pour nuire à quiconque, le harceler ou l&apos;escroquer, ni pour envoyer des contenus que vous n&apos;avez pas le droit d&apos;envoyer.
Vous ne pouvez pas rétroconcevoir, décompiler ou désassembler les produits.
Vous ne pouvez pas revendre ni sous-licencier les produits ou services. </translation>
    </message>
    <message>
        <source>Terms</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>You may use the services during the terms you have paid for in advance.</source>
        <translation>Vous pouvez utiliser les services pendant les durées que vous avez payées d&apos;avance.</translation>
    </message>
    <message>
        <source>Copyrights</source>
        <translation>Droits d&apos;auteur</translation>
    </message>
    <message>
        <source>All title and intellectual property rights in and to the products and
their accompanying materials are owned by the Quillon corporation.</source>
        <translation>Tous les titres et droits de propriété intellectuelle sur les produits et leurs documents d&apos;accompagnement appartiennent à la société Quillon.</translation>
    </message>
    <message>
        <source>Limitation of Liability</source>
        <translation>Limitation de responsabilité</translation>
    </message>
    <message>
        <source>To the maximum extent permitted by applicable law, in no event shall the Quillon corporation or its suppliers be liable for any special, incidental, indirect or consequential damages whatsoever, including without limitation damages for loss of business profits, business interruption, loss of business information or any other pecuniary loss, arising out of the use of or inability to use the products or services, even if the Quillon corporation has been advised of the possibility of such damages.</source>
        <translation>Dans toute la mesure permise par la loi applicable, la société Quillon ou ses fournisseurs ne pourront en aucun cas être tenus responsables de quelque dommage spécial, accessoire, indirect ou consécutif que ce soit, y compris, sans limitation, les pertes de bénéfices, interruptions d&apos;activité, pertes d&apos;informations commerciales ou toute autre perte pécuniaire, découlant de l&apos;utilisation ou de l&apos;impossibilité d&apos;utiliser les produits ou services, même si la société Quillon a été informée de la possibilité de tels dommages.</translation>
    </message>
    <message>
        <source>Your agreement could not be recorded in %1: %2. You will be asked again at the next start.</source>
        <translation>Votre acceptation n&apos;a pas pu être enregistrée dans %1 : %2. Elle vous sera redemandée au prochain démarrage.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Printed: %1</source>
        <translation>Imprimé : %1</translation>
    </message>
    <message>
        <source>The fax cannot be sent again: no temporary folder for its documents (%1)</source>
        <translation>Impossible de renvoyer le fax : pas de dossier temporaire pour ses documents (%1)</translation>
    </message>
    <message>
        <source>The documents of this fax cannot be written to %1.</source>
        <translation>Impossible d&apos;écrire les documents de ce fax dans %1.</translation>
    </message>
    <message>
        <source>About Quillon</source>
        <translation>À propos de Quillon</translation>
    </message>
    <message>
        <source>Quillon %1

Sends faxes and e-mail through your SMTP server and an e-mail-to-fax gateway.

Your documents and settings are kept in %2</source>
        <translation>Quillon %1

Envoie des fax et des e-mails par votre serveur SMTP et une passerelle e-mail vers fax.

Vos documents et paramètres sont conservés dans %2</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>À :</translation>
    </message>
    <message>
        <source>Fax:</source>
        <translation>Fax :</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Objet</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Attach...</source>
        <translation>Joindre...</translation>
    </message>
    <message>
        <source>Sent...</source>
        <translation>Envoyés...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>frmSent</name>
    <message>
        <source>Sent</source>
        <translation>Envoyés</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Renvoyer</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Rapport</translation>
    </message>
    <message>
        <source>%1 (report from %2)</source>
        <translation>%1 (rapport de %2)</translation>
    </message>
    <message>
        <source>The documents of this copy cannot be shown: no temporary folder (%1)</source>
        <translation>Impossible d&apos;afficher les documents de cette copie : pas de dossier temporaire (%1)</translation>
    </message>
    <message>
        <source>This copy cannot be read: %1</source>
        <translation>Impossible de lire cette copie : %1</translation>
    </message>
    <message>
        <source>This copy cannot be read (damaged).</source>
        <translation>Impossible de lire cette copie (endommagée).</translation>
    </message>
    <message>
        <source>Delete the copy of this fax?</source>
        <translation>Supprimer la copie de ce fax ?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The documents are still being read.</source>
        <translation>Les documents sont encore en cours de lecture.</translation>
    </message>
    <message>
        <source>Fax report %1.pdf</source>
        <translation>Rapport de fax %1.pdf</translation>
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
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>SMTP Server</source>
        <translation>Serveur SMTP</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>IFS Provider</source>
        <translation>Fournisseur IFS</translation>
    </message>
    <message>
        <source>Activation Cod</source>
        <translation>Code d&apos;activation</translation>
    </message>
    <message>
        <source>IMAP Server</source>
        <translation>Serveur IMAP</translation>
    </message>
    <message>
        <source>Watch for delivery reports</source>
        <translation>Surveiller les rapports de remise</translation>
    </message>
</context>
<context>
    <name>frmSignIn</name>
    <message>
        <source>Sign in</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Sign in to %1:</source>
        <translation>Connexion à %1 :</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Remember the password</source>
        <translation>Retenir le mot de passe</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Sign in to %1 in your web browser.</source>
        <translation>Connectez-vous à %1 dans votre navigateur web.</translation>
    </message>
    <message>
        <source>Remember the sign-in</source>
        <translation>Retenir la connexion</translation>
    </message>
    <message>
        <source>Open the browser</source>
        <translation>Ouvrir le navigateur</translation>
    </message>
    <message>
        <source>Waiting for your web browser…</source>
        <translation>En attente de votre navigateur web…</translation>
    </message>
    <message>
        <source>No keyring available: the password is kept until Quillon ends</source>
        <translation>Aucun trousseau disponible : le mot de passe est gardé jusqu&apos;à la fermeture de Quillon</translation>
    </message>
    <message>
        <source>No keyring available: the sign-in is kept until Quillon ends</source>
        <translation>Aucun trousseau disponible : la connexion est gardée jusqu&apos;à la fermeture de Quillon</translation>
    </message>
    <message>
        <source>Not sent: no sign-in given.</source>
        <translation>Non envoyé : aucune connexion donnée.</translation>
    </message>
</context>
<context>
    <name>imap::Session</name>
    <message>
        <source>the IMAP server did not answer in time</source>
        <translation>le serveur IMAP n&apos;a pas répondu à temps</translation>
    </message>
    <message>
        <source>the IMAP server closed the connection</source>
        <translation>le serveur IMAP a fermé la connexion</translation>
    </message>
    <message>
        <source>cannot reach the IMAP server: %1</source>
        <translation>impossible de joindre le serveur IMAP : %1</translation>
    </message>
    <message>
        <source>cannot set up a secure connection to the IMAP server: %1</source>
        <translation>impossible d&apos;établir une connexion sécurisée avec le serveur IMAP : %1</translation>
    </message>
    <message>
        <source>the IMAP server sent data before the connection was secure</source>
        <translation>le serveur IMAP a envoyé des données avant que la connexion soit sécurisée</translation>
    </message>
    <message>
        <source>the IMAP server sent a response Quillon cannot read</source>
        <translation>le serveur IMAP a envoyé une réponse que Quillon ne sait pas lire</translation>
    </message>
    <message>
        <source>the IMAP server sent a response too long to read</source>
        <translation>le serveur IMAP a envoyé une réponse trop longue pour être lue</translation>
    </message>
    <message>
        <source>the IMAP server asked for more than Quillon sent</source>
        <translation>le serveur IMAP a demandé plus que ce que Quillon a envoyé</translation>
    </message>
    <message>
        <source>the IMAP server answered a command Quillon did not send</source>
        <translation>le serveur IMAP a répondu à une commande que Quillon n&apos;a pas envoyée</translation>
    </message>
    <message>
        <source>the IMAP server ended the session: %1</source>
        <translation>le serveur IMAP a mis fin à la session : %1</translation>
    </message>
    <message>
        <source>the IMAP server would not open the inbox: %1</source>
        <translation>le serveur IMAP n&apos;a pas voulu ouvrir la boîte de réception : %1</translation>
    </message>
    <message>
        <source>the IMAP server could not search the inbox: %1</source>
        <translation>le serveur IMAP n&apos;a pas pu chercher dans la boîte de réception : %1</translation>
    </message>
    <message>
        <source>the IMAP server could not fetch a message: %1</source>
        <translation>le serveur IMAP n&apos;a pas pu récupérer un message : %1</translation>
    </message>
    <message>
        <source>the IMAP server ended IDLE: %1</source>
        <translation>le serveur IMAP a mis fin à IDLE : %1</translation>
    </message>
    <message>
        <source>the IMAP server did not greet as expected: %1</source>
        <translation>le serveur IMAP n&apos;a pas salué comme prévu : %1</translation>
    </message>
    <message>
        <source>the IMAP server did not say what it offers</source>
        <translation>le serveur IMAP n&apos;a pas indiqué ce qu&apos;il propose</translation>
    </message>
    <message>
        <source>the IMAP server does not offer encryption (STARTTLS), so Quillon will not sign in to it</source>
        <translation>le serveur IMAP ne propose pas de chiffrement (STARTTLS), Quillon ne s&apos;y connectera donc pas</translation>
    </message>
    <message>
        <source>the IMAP server refused to encrypt the connection</source>
        <translation>le serveur IMAP a refusé de chiffrer la connexion</translation>
    </message>
    <message>
        <source>no sign-in for the IMAP server</source>
        <translation>aucune connexion pour le serveur IMAP</translation>
    </message>
    <message>
        <source>the IMAP server offers no sign-in Quillon can use</source>
        <translation>le serveur IMAP ne propose aucune connexion utilisable par Quillon</translation>
    </message>
    <message>
        <source>the IMAP server refused the sign-in: %1</source>
        <translation>le serveur IMAP a refusé la connexion : %1</translation>
    </message>
    <message>
        <source>the IMAP server answered before it greeted</source>
        <translation>le serveur IMAP a répondu avant de saluer</translation>
    </message>
</context>
</TS>
