#include "StringTable.h"

namespace zok {

// Sorted by id; the lookup relies on it. Texts are kept exactly as the receivers' users know them,
// spelling included, because manuals and screenshots quote them.
const StringEntry kStringTable[] = {
    // Main window: system menu, property sheet page and rows (RX_SENSIBILITY to RX_DELTA_CHECKSUM).
    {101, "&About ZOK...", "&À propos de ZOK..."},
    {103, "Receiver Parameters", "Paramètres Lecteur"},
    {104, "Reading Threshold", "Seuil de portée en Lecture"},
    {105, "Reading Threshold", "Sensibilité du récepteur. "},
    {106, "Operating Mode", "Mode de Fonctionnement"},
    {107, "Operating Mode of the receiver", "Mode de fonctionnement du lecteur."},
    {108, "Online", "Online"},
    {109, "Contextual", "Contextuel"},
    {110, "Contextual repeat Content", "Contextuel cadencé"},
    {111, "Output Type", "Type de Sortie"},
    {112, "Output type of the receiver.", "Type de sortie du lecteur."},
    {113, "RS232", "RS232"},
    {114, "Wiegand + RS232", "Wiegand + RS232"},
    {115, "DataClock 10 char + RS232", "DataClock 10 char + RS232"},
    {116, "Tag's Radio Frame Format", "Format de la Trame Radio Tag"},
    {117, "Format of the radio frame of the Tag.", "Format de la trame radio."},
    {118, "16 bits (ID)", "16 bits (ID)"},
    {119, "24 bits (ID)", "24 bits (ID)"},
    {120, "Time delay before signaling the tag is out of range (seconds)",
     "Délai avant indication Tag hors de portée (seconde)"},
    {121, "Time delay before signaling the tag is out of range (seconds)",
     "Délai avant indication Tag hors de portée (seconde)."},
    {122, "Time delay before sending the tag list (seconds)",
     "Délai entre chaque envoi en mode Cadencé (seconde)"},
    {123, "Time delay before sending the tag list on Contextual repeat content mode.",
     "Délai avant de renvoyer la liste des tags présents en mode cadencé."},
    {124, "CRC", "CRC"},
    {125, " ", " "},

    // Main window: comment caption, message list and status bar.
    {126, "Help :", "Aide :"},
    {127, "ZOK.ini configuration file error.", "Erreur fichier configuration ZOK.ini"},
    {128, "Port %s OK", "Port %s OK"},
    {129, "ERROR %s", "ERREUR %s"},
    {130, "Receiver %.02X", "Recepteur %.02X"},
    {131, "Ready", "Prêt"},
    {132, "Reading ...", "Lecture ..."},
    {133, "Writing ...", "Ecriture ..."},
    {134, "SYNC", "SYNC"},
    {135, "#", "#"},
    {136, "Serial port closing done", "Fermeture du port série réussie"},
    {137, "Serial Port %s opening error", "Erreur à l'ouverture du port %s"},
    {138, "Select Configuration -> Serial Port", "Sélectionnez Configuration->Port Série"},
    {139, "Serial Port %s opening done", "Ouverture du port %s réussie"},
    {140, "Read OK", "Lecture OK"},
    {141, "Read Error.", "Erreur Lecture."},
    {142, "Write Error.", "Erreur Ecriture."},

    // Parameter files.
    {143, "File Access Error", "Erreur lors de l'accès au fichier"},
    {144, "Write File Error", "Erreur lors de l'écriture du fichier"},
    {145, "Reader parameters saved.", "Sauvegarde des paramètres effectuée."},
    {146, "File access error.", "Erreur lors de l'accès au fichier"},
    {147, "Reader parameters loaded.", "Chargement des paramètres effectué."},
    {148, "File content error.", "Erreur lors de l'analyse des paramètres du fichier."},

    {149, "Write OK", "Ecriture OK"},

    // Receiver scan and tag tracking.
    {150, "You must select a receiver.", "Vous devez choisir un récepteur."},
    {151, "Tag ID format error.\r\nExample: 12AB", "Erreur dans le format de l'id du tag.\r\nExemple : 12AB"},

    // Property sheet, continued.
    {152, "DataClock 13 char + RS232", "DataClock 13 char + RS232"},
    {153, "Unsupported parameter for this version.", "Paramètre non disponible pour cette version."},
    {155, "RS232 communication speed.", "Vitesse de communication RS232."},
    {156, "RS232 communication speed of the reader.", "Vitesse de communication RS232 du lecteur."},
    {157, "9600", "9600"},
    {158, "19200", "19200"},
    {159, "Tag ID transmission format.", "Format de transmission de l'ID des tags."},
    {160, "RS232 Tag ID transmission format.", "Format de transmission de l'ID des tags sur la RS232."},
    {161, "ASCII", "ASCII"},
    {162, "Binary", "binaire"},
    {163, "RS232 answer delay.", "Temporisation réponse RS232."},
    {164, "Time delay before sending the RS232 answer (milliseconds).",
     "Temporisation avant l'envoi de la réponse RS232 (millisecondes)."},
    {165, "Contextual on demand", "Contextuel à la demande"},

    // Radio scan.
    {166, "The periodicity value must be greather than 20ms.",
     "La valeur de la périodicité doit être supérieure à 20ms."},
    {167, "Can't open file ZOK.log !", "Erreur à l'ouverture du fichier ZOK.log"},

    // Property sheet, continued (RX_ENV_ALARME to RX_INTREC).
    {168, "Send alarm information on data/clock output.", "Envoi des alarmes sur la sortie data/clock"},
    {169, "Enable/disable alarm information on data/clock output.",
     "Activation/desactivation de l'envoi des alarmes sur la sortie data/clock."},
    {170, "Enabled", "Activé"},
    {171, "Disabled", "Desactivé"},
    {172, "Redundancy in contextual mode", "Redondance en mode contextuel"},
    {173, "Check RS232 link and power supply.", "Vérifiez liaison RS232 et alimentation lecteur."},
    {174, "Redundancy on tag presence in contextual mode.",
     "Redondance sur la présence du tag en mode contextuel."},
    {175, "Disabled", "Desactivée"},
    {176, "Enabled", "Activée"},
    {177, "Radio reception method", "Procédure de réception radio"},
    {178, "Radio reception method.", "Procédure de réception radio."},
    {179, "16/24 bits with CRC (HD) 433 MHz", "16/24 bits avec CRC (HD) 433 MHz"},
    {180, "16/24 bits with CRC (HD) 868 MHz", "16/24 bits avec CRC (HD) 868 MHz"},
    {181, "16 bits whitout CRC", "16 bits sans CRC"},
    {182, "24 bits whitout CRC (S)", "24 bits sans CRC (S)"},

    // ID filter.
    {183, "Reader aswer timeout Error.", "Error timeout sur la réponse du lecteur."},
    {184, "Icorrect Tag ID value.", "Valeur d'identifiant incorrecte."},

    // Write-speed warning.
    {185,
     "The speed configuration is disabled.\r\nTo enable the speed configuration check\r\nthe \"Enable Speed "
     "Configuration\" option\r\nin the Configuration menu.\r\n\r\nNote: In case you are using "
     "Ethernet\r\nReaders "
     "you must also update the\r\nspeed with the DeviceInstaller software.\r\n\r\nDo you want to continue?",
     "Le changement de la vitesse n'est pas activé.\r\nPour rendre effectif le changement de la "
     "vitesse\r\ncochez "
     "\"Activer Configuration Vitesse\" du\r\nmenu Configuration.\r\n\r\nNota: Pour les lecteurs Ethernet il "
     "est "
     "impératif\r\ndans ce cas de mettre à jour la vitesse avec\r\nl'utilitaire "
     "DeviceInstaller.\r\n\r\nContinuer "
     "l'écriture?"},

    // Property sheet, continued (RX_TRIPLUSFORT to RX_NB_TAGS_MIN).
    {186, "Send the tag with the strongest radio level. ", "Envoyer tag avec le niveau radio le plus fort."},
    {187,
     "In contextuel mode, when this parameter is enabled, only the tag with the strongest radio level "
     "present in "
     "the contextual stack is sent.",
     "En mode contextuel uniquement, lorsque ce paramètre est activé, seul le tag avec le niveau radio le "
     "plus fort "
     "présent dans la pile contextuelle est envoyé."},
    {188, "Disabled", "Desactivé"},
    {189, "Enabled", "Activé"},
    {190, "Serial port already opened.", "Port série déjà ouvert."},
    {191, "Serial port already closed.", "Port série déjà fermé."},
    {192, "RW protocol speed.", "Vitesse du protocole RW. "},
    {193,
     "RW protocol speed selection. The normal RW protocol speed must be used to read/write ILS Tags; the "
     "high speed "
     "must be used to read/write Infra-Red Tags.",
     "Sélection de la vitesse du protocole RW. La vitesse normale permet de lire/écrire les tags avec ILS; "
     "la "
     "vitesse rapide permet de lire/écrire les tags Infra-Rouge."},
    {194, "Normal (ILS)", "Normale (ILS)"},
    {195, "High (IR)", "Rapide (IR)"},
    {196, "CRC Length.", "Longueur du CRC."},
    {197, "CRC length (8 or 16 bits).", "La longueur du CRC (8 ou 16 bits). "},
    {198, "8 bits", "8 bits"},
    {199, "16 bits", "16 bits"},
    {200, "RW protocol bit length.", "Largeur de bit du protocole RW."},
    {201, "This parameter determines the RW protocol bit length. ",
     "Ce paramètre permet d'ajuster la largeur de bit du protocole RW. La précision est de 3 "
     "micro-secondes."},
    {202, "Direct Relay Monitoring.", "Commande Directe du Relais."},
    {203,
     "Direct Relay Monitoring Activation. If enabled, the relay is activated when the nomber of tags present "
     "in the "
     "contextual stack is greather than or equal to the min.",
     "Activation du mode \"Commande Directe du Relais\". Si activé, le relais sera activé lorsque le nombre "
     "de tags "
     "présents dans la pile est supérieur ou égale au nombre de tags min."},
    {204, "Disabled", "Desactivée"},
    {205, "Enabled", "Activée"},
    {206, "Temperature Filtering.", "Filtrage de la température."},
    {207, "Automatic Clearing of Contextual Stack.", "Effacement de la Pile Contextuelle."},
    {208, "Replace weakest tag in stack.", "Remplacer le tag le plus Faible."},
    {209,
     "Temperature filtering activation. If enabled, the temprature data of the received tag is masked, "
     "allowing to "
     "have the tag only once in the contextual stack even if the temperature changes.",
     "Activation du filtrage de la température. Si activé, les données de température sont masquées, ce qui "
     "permet "
     "d'avoir une seule entrée dans la pile pour chaque tag température."},
    {210,
     "Automatic Clearing of Contextual Stack activation. If enabled, the contextual stack is cleared after "
     "any stack "
     "read operations.",
     "Activation de l'ffacement automatique de Pile Contextuelle. Si activé, la pile contextuelle est "
     "effacée "
     "automatiquement après toute opération de lecture de celle-ci."},
    {211,
     "Replace weakest tag in stack activation. If enabled, the weakest tag in the stack is replaced with the "
     "received tag only if the new tag's radio level is stronger.",
     "Activation du remplacement du tag le plus Faible. Si activé, le tag le plus faible de la pile "
     "contextuelle est "
     "remplacé par un nouveau tag reçu, à condition que le niveau radio du nouveau soit supérieur."},
    {212, "Disabled", "Désactivé"},
    {213, "Enabled", "Activé"},
    {214, "Disabled", "Desactivé"},
    {215, "Enabled", "Activé"},
    {216, "Disabled", "Désactivé"},
    {217, "Enabled", "Activé"},
    {218, "Min tag number to control the relay (Direct Monitoring).",
     "Nb de tags min pour la commande directe du relais."},
    {219,
     "This parameter determines the minimun number of tags present in the contextual stack in order to "
     "activate "
     "the relay (Direct Relay Monitoring enabled).",
     "Ce paramètre détermine le nombre minimun de tags qui doivent être présents dans la pile contextuelle "
     "pour "
     "activer le relais (commande directe du relais activée)."},
    {220, "16/24 bits with CRC Manchester x16", "16/24 bits avec CRC Manchester x16"},
    {221, "38400", "38400"},
    {222, "57600", "57600"},
    {223, "115200", "115200"},

    // Main window: speed.
    {224, "Speed...", "Vitesse..."},
    {225, "Serial Port %s Speed changed to %s", "Port %s : Vitesse modifiée à %s"},

    // Comparing a parameter file with receivers, and cloning it to every receiver of the line.
    {240, "&Compare with File...", "C&omparer avec un fichier..."},
    {241, "Clone to &All Receivers...", "C&loner vers tous les récepteurs..."},
    {242, "Same", "Identique"},
    {243, "Differs", "Différent"},
    {244, "Not in the file", "Absent du fichier"},
    {245, "Not supported by this firmware", "Non géré par ce firmware"},
    {246, "Not reported by the receiver", "Non renvoyé par le récepteur"},
    {247, "Verified", "Vérifié"},
    {248, "Still different", "Toujours différent"},
    {249, "Not acknowledged", "Non acquitté"},
    {250, "Not read back", "Non relu"},
    {251, "speed configuration disabled", "configuration vitesse désactivée"},
    {252, "Parameter", "Paramètre"},
    {253, "File", "Fichier"},
    {254, "Receiver", "Récepteur"},
    {255, "Status", "État"},
    {256, "Write Ticked", "Écrire la sélection"},
    {257, "Close", "Fermer"},
    {258, "Reading the receiver...", "Lecture du récepteur..."},
    {259, "Writing the ticked parameters...", "Écriture des paramètres cochés..."},
    {260, "Reading back...", "Relecture..."},
    {261, "%s written, %s verified.", "%s écrit(s), %s vérifié(s)."},
    {262, "Scanning the line...", "Recherche des récepteurs..."},
    {263, "Address", "Adresse"},
    {264, "Firmware Version", "Version firmware"},
    {265, "Parameters Written", "Paramètres écrits"},
    {266, "Result", "Résultat"},
    {267, "Cancel", "Annuler"},
    {268, "Save as CSV...", "Enregistrer en CSV..."},
    {269, "Receiver %s (%s of %s)...", "Récepteur %s (%s sur %s)..."},
    {270, "read", "lecture"},
    {271, "write", "écriture"},
    {272, "read back", "relecture"},
    {273, "verification", "vérification"},
    {274, "Failed at %s: %s", "Échec à l'étape %s : %s"},
    {275, "Cancelled", "Annulé"},
    {276, "%s receiver(s) found, %s verified.", "%s récepteur(s) trouvé(s), %s vérifié(s)."},
    {277, "The line now runs at %s baud.", "La ligne fonctionne maintenant à %s bauds."},
    {278, "Could not write the CSV file.", "Impossible d'écrire le fichier CSV."},
    {279, "Already identical", "Déjà identique"},

    // Radio scan: level statistics since Start and the plot's time axis.
    {280, "Min: %d   Mean: %.1f   Max: %d (since Start)",
     "Min : %d   Moyenne : %.1f   Max : %d (depuis Activer)"},
    {281, "Min, mean, max: press Start", "Min, moyenne, max : appuyez sur Activer"},
    {282, "Time (s)", "Temps (s)"},
    // Radio scan: the CSV record; also the file errors of the table of tags heard.
    {283, "CSV record", "Enregistrement CSV"},
    {284, "Browse...", "Parcourir..."},
    {285, "Can't open file %1 !", "Erreur à l'ouverture du fichier %1"},
    {286, "CSV files (*.csv)", "Fichiers CSV (*.csv)"},
    {287, "Can't write file %1: %2", "Erreur à l'écriture du fichier %1 : %2"},

    // Tag tracking: table of the tags heard.
    {288, "ID", "ID"},
    {289, "Count", "Nombre"},
    {290, "First seen", "Première réception"},
    {291, "Last seen", "Dernière réception"},
    {292, "In range", "À portée"},
    {293, "Yes", "Oui"},
    {294, "No", "Non"},
    {295, "Clear", "Effacer"},
    {296, "Save as CSV...", "Enregistrer en CSV..."},
    {297, "Tags heard", "Tags entendus"},
    {298, "CSV record file", "Fichier de l'enregistrement CSV"},
    {299, "Save the tags heard", "Enregistrer les tags entendus"},

    // Command-line tool (zok-cli): help, errors, table headings.
    {300,
     "Usage: zok-cli [options] COMMAND [arguments]\n"
     "\n"
     "Commands:\n"
     "  ports                  the serial ports found\n"
     "  scan                   the receivers answering on the line\n"
     "  detect                 the receiver's line speed\n"
     "  read                   all parameters of the receiver\n"
     "  write FILE             write a parameter file, then read back and verify\n"
     "  compare FILE           the parameters that differ from a parameter file\n"
     "  tags                   tag reports as they come\n"
     "  radio                  the receiver's radio level, polled\n"
     "  filter get|set|reset   the ID filter registers\n"
     "  clone FILE             bring every receiver of the line to a parameter file\n"
     "\n"
     "Options (defaults from ZOK.ini in the current folder, which is never written):\n"
     "  --port NAME            serial port: /dev/..., COMn or a name in /dev\n"
     "  --address HH           receiver address (default 01)\n"
     "  --speed BAUD           9600 (default), 19200, 38400, 57600 or 115200\n"
     "  --wait-port S          wait up to S seconds for a missing port to appear\n"
     "  --json                 one JSON document instead of text tables\n"
     "  --lang en|fr           language of the texts\n"
     "  -q, -v                 quieter (no progress), or the line traffic on standard error\n"
     "  --trace FILE           every frame sent and received, with its time, written to FILE\n"
     "  --help, --version      this help (zok-cli COMMAND --help for a command), the version\n"
     "\n"
     "Exit status: 0 success, 1 a difference or a failed verification, 2 bad usage or a bad file,\n"
     "3 the port cannot be opened or was lost, 4 no answer (time-out).",
     "Usage : zok-cli [options] COMMANDE [arguments]\n"
     "\n"
     "Commandes :\n"
     "  ports                  les ports série trouvés\n"
     "  scan                   les récepteurs qui répondent sur la ligne\n"
     "  detect                 la vitesse de ligne du récepteur\n"
     "  read                   tous les paramètres du récepteur\n"
     "  write FICHIER          écrit un fichier de paramètres, puis relit et vérifie\n"
     "  compare FICHIER        les paramètres qui diffèrent d'un fichier de paramètres\n"
     "  tags                   les détections de tags au fil de l'eau\n"
     "  radio                  le niveau radio du récepteur, interrogé périodiquement\n"
     "  filter get|set|reset   les registres de la plage de filtrage\n"
     "  clone FICHIER          amène chaque récepteur de la ligne au fichier de paramètres\n"
     "\n"
     "Options (par défaut celles de ZOK.ini dans le dossier courant, jamais écrit) :\n"
     "  --port NOM             port série : /dev/..., COMn ou un nom dans /dev\n"
     "  --address HH           adresse du récepteur (01 par défaut)\n"
     "  --speed BAUD           9600 (par défaut), 19200, 38400, 57600 ou 115200\n"
     "  --wait-port S          attend jusqu'à S secondes qu'un port absent apparaisse\n"
     "  --json                 un document JSON au lieu des tableaux de texte\n"
     "  --lang en|fr           langue des textes\n"
     "  -q, -v                 plus discret (sans progression), ou le trafic sur la sortie d'erreur\n"
     "  --trace FICHIER        chaque trame envoyée et reçue, avec son heure, écrite dans FICHIER\n"
     "  --help, --version      cette aide (zok-cli COMMANDE --help pour une commande), la version\n"
     "\n"
     "Code de sortie : 0 succès, 1 une différence ou une vérification échouée, 2 mauvais usage ou\n"
     "mauvais fichier, 3 port impossible à ouvrir ou perdu, 4 pas de réponse (time-out)."},
    {301,
     "Usage: zok-cli ports\nLists the serial ports the system reports, as the port dialog does: the\n"
     "description and serial number of each, and the stable name the dialog keeps in ZOK.ini.",
     "Usage : zok-cli ports\nListe les ports série que le système signale, comme la boîte de choix du port "
     ":\n"
     "la description et le numéro de série de chacun, et le nom stable qu'elle garde dans ZOK.ini."},
    {302,
     "Usage: zok-cli scan [--all-speeds] [--wait MS]\n"
     "Sends the broadcast scan and lists the addresses that answer within MS milliseconds (default\n"
     "1000). --all-speeds scans at each of the five speeds. Exit status 4 when none answers.",
     "Usage : zok-cli scan [--all-speeds] [--wait MS]\n"
     "Envoie la détection générale et liste les adresses qui répondent en MS millisecondes (1000 par\n"
     "défaut). --all-speeds balaie les cinq vitesses. Code 4 si aucun ne répond."},
    {303,
     "Usage: zok-cli detect\nTries the five speeds until the receiver answers, then reads its parameters.",
     "Usage : zok-cli detect\nEssaie les cinq vitesses jusqu'à la réponse du récepteur, puis lit ses "
     "paramètres."},
    {304,
     "Usage: zok-cli read [--save FILE]\n"
     "Reads all parameters: name, wire value, text as the window shows it, supported or not, and the\n"
     "firmware version. --save writes them to a parameter file, as the window's Save does.",
     "Usage : zok-cli read [--save FICHIER]\n"
     "Lit tous les paramètres : nom, valeur sur la ligne, texte comme la fenêtre l'affiche, supporté\n"
     "ou non, et la version du firmware. --save les écrit dans un fichier de paramètres, comme la\n"
     "commande Sauver de la fenêtre."},
    {305,
     "Usage: zok-cli write FILE [--enable-speed] [--only-different]\n"
     "Writes a parameter file to the receiver with the window's rules (the speed only with\n"
     "--enable-speed), then reads back and verifies. --only-different writes only what differs.\n"
     "Exit status 1 when the verification fails.",
     "Usage : zok-cli write FICHIER [--enable-speed] [--only-different]\n"
     "Écrit un fichier de paramètres dans le récepteur selon les règles de la fenêtre (la vitesse\n"
     "seulement avec --enable-speed), puis relit et vérifie. --only-different n'écrit que les\n"
     "différences. Code 1 si la vérification échoue."},
    {306,
     "Usage: zok-cli compare FILE\nLists the parameters of the receiver that differ from the file. Exit "
     "status 0 when none, 1 otherwise.",
     "Usage : zok-cli compare FICHIER\nListe les paramètres du récepteur qui diffèrent du fichier. Code 0 si "
     "aucun, 1 sinon."},
    {307,
     "Usage: zok-cli tags [--duration S]\nPrints the tag reports as they come (time, ID, level) for S "
     "seconds, or until Ctrl+C.\nA port that goes away is awaited and reopened (a line on standard "
     "error each time); the reports go on.",
     "Usage : zok-cli tags [--duration S]\nAffiche les détections de tags (heure, ID, niveau) pendant S "
     "secondes, ou jusqu'à Ctrl+C.\nUn port qui disparaît est attendu puis rouvert (une ligne sur la "
     "sortie d'erreur à chaque fois) ; les détections continuent."},
    {308,
     "Usage: zok-cli radio [--period MS] [--duration S] [--csv FILE]\n"
     "Polls the radio level every MS milliseconds (20 or more, default 1000) for S seconds, or until\n"
     "Ctrl+C; each reading with its ISO-8601 time, also appended to FILE when given, as the radio\n"
     "dialog's CSV record (time,address,level). A port that goes away is awaited and reopened (a\n"
     "line on standard error each time); the readings go on. With --json the readings are kept\n"
     "until the end and printed as one document: give --duration for a long run.",
     "Usage : zok-cli radio [--period MS] [--duration S] [--csv FICHIER]\n"
     "Interroge le niveau radio toutes les MS millisecondes (20 ou plus, 1000 par défaut) pendant S\n"
     "secondes, ou jusqu'à Ctrl+C ; chaque mesure avec son heure ISO-8601, ajoutée aussi au fichier\n"
     "s'il est donné, comme l'enregistrement CSV de la boîte radio (time,address,level). Un port\n"
     "qui disparaît est attendu puis rouvert (une ligne sur la sortie d'erreur à chaque fois) ; les\n"
     "mesures continuent. Avec --json, les mesures sont gardées jusqu'à la fin et affichées en un\n"
     "seul document : donnez --duration pour une longue mesure."},
    {309,
     "Usage: zok-cli filter get | set START END [--alarm on|off] | reset\n"
     "Reads the ID filter window, writes it (START and END of 4 or 6 hexadecimal digits, as the\n"
     "receiver's identifiers), or resets it to the whole range; a write is read back and verified.",
     "Usage : zok-cli filter get | set DEBUT FIN [--alarm on|off] | reset\n"
     "Lit la plage de filtrage, l'écrit (DEBUT et FIN de 4 ou 6 chiffres hexadécimaux, selon les\n"
     "identifiants du récepteur) ou la remet à la plage entière ; une écriture est relue et vérifiée."},
    {310, "Unknown command: %s", "Commande inconnue : %s"},
    {311, "Option %s is not one of %s", "L'option %s n'est pas une option de %s"},
    {312, "Option %s needs a value", "L'option %s attend une valeur"},
    {313, "Bad value for %s: %s", "Valeur incorrecte pour %s : %s"},
    {314, "No serial port: give --port or SERIAL_PORT in ZOK.ini",
     "Pas de port série : donnez --port ou SERIAL_PORT dans ZOK.ini"},
    {315, "Port %s cannot be opened (code %s)", "Le port %s ne peut pas être ouvert (code %s)"},
    {316, "Port %s was lost", "Le port %s a été perdu"},
    {317, "Port %s, receiver %s: no answer to command %s (time-out)",
     "Port %s, récepteur %s : pas de réponse à la commande %s (time-out)"},
    {318, "Unexpected argument: %s", "Argument inattendu : %s"},
    {319, "File %s cannot be read", "Le fichier %s ne peut pas être lu"},
    {320, "File %s, line %s: key %s has no valid value",
     "Fichier %s, ligne %s : la clé %s n'a pas de valeur valide"},
    {321, "File %s: key %s is missing", "Fichier %s : la clé %s est absente"},
    {322, "File %s cannot be written", "Le fichier %s ne peut pas être écrit"},
    {323, "Port %s, receiver %s: %s values differ after writing",
     "Port %s, récepteur %s : %s valeurs diffèrent après l'écriture"},
    {324, "Parameter", "Paramètre"},
    {325, "Wire", "Ligne"},
    {326, "Text", "Texte"},
    {327, "Supported", "Supporté"},
    {328, "yes", "oui"},
    {329, "no", "non"},
    {330, "Firmware version", "Version du firmware"},
    {331, "Address", "Adresse"},
    {332, "Speed", "Vitesse"},
    {333, "Time", "Heure"},
    {334, "Tag ID", "ID tag"},
    {335, "Level", "Niveau"},
    {336, "Receiver", "Récepteur"},
    {337, "File", "Fichier"},
    {338, "No receiver answered", "Aucun récepteur n'a répondu"},
    {339, "No difference", "Aucune différence"},
    {340, "ID start", "ID début"},
    {341, "ID end", "ID fin"},
    {342, "Alarm filtering", "Filtrage des alarmes"},
    {343, "Identifier bits", "Bits d'identifiant"},
    {344, "%s values written and verified", "%s valeurs écrites et vérifiées"},
    {345, "No serial port found", "Aucun port série trouvé"},
    {346, "Speed found: %s baud", "Vitesse trouvée : %s bauds"},
    {347, "Saved to %s", "Enregistré dans %s"},
    {348, "Missing argument: %s", "Argument manquant : %s"},
    {349, "Nothing to write: no difference", "Rien à écrire : aucune différence"},

    // Clone and compare: what a clone left (speeds, differences), the compare's question before
    // its read replaces grid edits, and zok-cli clone.
    {350, "Speed Now (baud)", "Vitesse actuelle (bauds)"},
    {351, "Verified, %s difference(s) left (%s)", "Vérifié, %s différence(s) restante(s) (%s)"},
    {352, "%s with differences left.", "%s avec des différences restantes."},
    {353, "Now at another speed than the line's %s baud: %s.",
     "Désormais à une autre vitesse que la ligne (%s bauds) : %s."},
    {354, "%s at %s baud", "%s à %s bauds"},
    {355,
     "The grid holds changes not written to the receiver. Compare reads the receiver first and "
     "replaces them.\n\nContinue?",
     "La grille contient des modifications non écrites dans le récepteur. La comparaison relit "
     "d'abord le récepteur et les remplace.\n\nContinuer ?"},
    {356,
     "Usage: zok-cli clone FILE [--csv OUT] [--enable-speed]\n"
     "Brings every receiver of the line to a parameter file, as the window's Clone to All Receivers:\n"
     "scans at the current speed, then for each receiver found reads, writes what differs, reads\n"
     "back and verifies (the speed only with --enable-speed). --csv writes the result table as the\n"
     "window's Save as CSV does. Ctrl+C stops after the receiver in progress (exit status 130).\n"
     "Exit status 0 when every receiver found holds the file, 1 when one failed or kept a\n"
     "difference, 4 when no receiver answered the scan.",
     "Usage : zok-cli clone FICHIER [--csv SORTIE] [--enable-speed]\n"
     "Amène chaque récepteur de la ligne au fichier de paramètres, comme la commande Cloner vers\n"
     "tous les récepteurs de la fenêtre : détection à la vitesse courante, puis pour chaque\n"
     "récepteur trouvé lecture, écriture des différences, relecture et vérification (la vitesse\n"
     "seulement avec --enable-speed). --csv écrit le tableau des résultats comme la commande\n"
     "Enregistrer en CSV de la fenêtre. Ctrl+C arrête après le récepteur en cours (code 130).\n"
     "Code 0 si chaque récepteur trouvé a le fichier, 1 si l'un a échoué ou garde une différence,\n"
     "4 si aucun récepteur n'a répondu."},
    {357, "%s: %s", "%s : %s"},

    // zok-cli: Ctrl+C without its watcher.
    {380, "Ctrl+C cannot be watched (%s): it will end the command at once",
     "Ctrl+C ne peut pas être surveillé (%s) : il arrêtera la commande immédiatement"},

    // Traffic capture: the File menu's commands, their messages, and zok-cli --trace.
    {410, "Save &Traffic...", "Enregistrer le &trafic..."},
    {411, "Cop&y Selected Traffic", "Co&pier le trafic sélectionné"},
    {412, "Traffic capture (*.txt)", "Capture du trafic (*.txt)"},
    {413, "Traffic saved to %s (%s frames)", "Trafic enregistré dans %s (%s trames)"},
    {414, "The traffic could not be saved to %s:\n%s\nAny file of that name was left as it was.",
     "Le trafic n'a pas pu être enregistré dans %s :\n%s\nUn fichier de ce nom est resté tel quel."},
    {415, "Trace file %s cannot be written: %s", "Le fichier de trace %s ne peut pas être écrit : %s"},

    // Lines that come and go: waiting for a lost port, port descriptions, zok-cli's waits.
    {440, "Waiting for the port ...", "Attente du port ..."},
    {441, "Port %s lost: waiting for it to come back", "Port %s perdu : en attente de son retour"},
    {442, "Serial Port %s back, reopened at %s baud", "Port %s de retour, rouvert à %s bauds"},
    {443, "Acknowledged before the loss: %s", "Acquittés avant la perte : %s"},
    {444, "No write was acknowledged before the loss", "Aucune écriture acquittée avant la perte"},
    {445, "Serial number: %s", "Numéro de série : %s"},
    {446, "Saved as (found again after a replug):", "Enregistré sous (retrouvé après un rebranchement) :"},
    {447, "Waiting for port %s (up to %s s)", "Attente du port %s (%s s au plus)"},
    {448, "Port %s did not appear within %s s", "Le port %s n'est pas apparu en %s s"},
    {449, "Port", "Port"},
    {450, "Description", "Description"},
    {451, "Serial number", "Numéro de série"},
    {452, "Stable name", "Nom stable"},

    // Accessible names of controls that show no caption of their own (read by screen readers).
    {480, "Messages", "Messages"},
    {481, "Line traffic", "Trafic de la ligne"},
    {482, "Receivers found", "Récepteurs trouvés"},
    {483, "Seconds without reception", "Secondes sans réception"},
    {484, "Radio level over time", "Niveau radio dans le temps"},
    {485, "Parameters compared", "Paramètres comparés"},
    {486, "Results per receiver", "Résultats par récepteur"},
    {487, "Message", "Message"},

    // Network lines: port names, the device server's answers, what a raw line cannot do, the port
    // dialog's network entries.
    {500, "Port name %s: %s", "Nom de port %s : %s"},
    {501, "only tcp:// and rfc2217:// name network ports",
     "seuls tcp:// et rfc2217:// désignent des ports réseau"},
    {502, "the device server's host is missing", "l'hôte du serveur de ports manque"},
    {503, "the TCP port is missing (HOST:PORT)", "le port TCP manque (HÔTE:PORT)"},
    {504, "the TCP port must be a number from 1 to 65535", "le port TCP doit être un nombre de 1 à 65535"},
    {505, "an IPv6 address goes in brackets, as in [fe80::1]:4001",
     "une adresse IPv6 s'écrit entre crochets, comme [fe80::1]:4001"},
    {506, "the brackets hold no IPv6 address", "les crochets ne contiennent pas d'adresse IPv6"},
    {507, "a host name holds only letters, digits, '.', '-' and '_'",
     "un nom d'hôte ne contient que des lettres, des chiffres, « . », « - » et « _ »"},
    {508, "nothing may follow the TCP port", "rien ne doit suivre le port TCP"},
    {509, "Host %s is not known", "L'hôte %s est inconnu"},
    {510, "Nothing answers at %s: is the device server running, and is this its port?",
     "Rien ne répond à %s : le serveur de ports est-il en marche, et est-ce bien son port ?"},
    {511, "The device server at %s did not answer within %s s",
     "Le serveur de ports %s n'a pas répondu en %s s"},
    {512, "The device server at %s cannot be reached", "Le serveur de ports %s est injoignable"},
    {513, "The device server at %s ended the connection (is its line in use by another client?)",
     "Le serveur de ports %s a mis fin à la connexion (sa ligne est-elle utilisée par un autre client ?)"},
    {514, "The speed of a network line is set on its device server",
     "La vitesse d'une ligne réseau se règle sur son serveur de ports"},
    {515,
     "The device server at %s refused RFC 2217: the line works as a raw TCP port, at the speed set on the "
     "server",
     "Le serveur de ports %s a refusé la RFC 2217 : la ligne fonctionne comme un port TCP brut, à la vitesse "
     "réglée sur le serveur"},
    {516,
     "The device server at %s did not answer RFC 2217 within %s s: the line works as a raw TCP port, at the "
     "speed "
     "set on the server",
     "Le serveur de ports %s n'a pas répondu à la RFC 2217 en %s s : la ligne fonctionne comme un port TCP "
     "brut, "
     "à la vitesse réglée sur le serveur"},
    {517, "The device server at %s did not apply the line settings asked for",
     "Le serveur de ports %s n'a pas appliqué les réglages de ligne demandés"},
    {518, "Serial Port %s back, reopened (its speed is set on its device server)",
     "Port %s de retour, rouvert (sa vitesse se règle sur son serveur de ports)"},
    {519, "or a network port: tcp://HOST:PORT, rfc2217://HOST:PORT",
     "ou un port réseau : tcp://HÔTE:PORT, rfc2217://HÔTE:PORT"},
    {520, "Device server %s\nraw TCP: the line's speed is set on the server",
     "Serveur de ports %s\nTCP brut : la vitesse de la ligne se règle sur le serveur"},
    {521, "Device server %s\nRFC 2217: ZOK sets the line's speed",
     "Serveur de ports %s\nRFC 2217 : ZOK règle la vitesse de la ligne"},
    {522, "Port %s cannot be opened: %s", "Le port %s ne peut pas être ouvert : %s"},

    // Status bar: idle prompt and the initial texts of the main window's five panes.
    {57345, "Ready", "Prêt"},
    {57346, "Etat", "Etat"},
    {57347, "Progress", "Progression"},
    {57348, "Sync", "Sync"},
    {57349, "Port %s", "Port %s"},
    {57350, "Receiver %X", "Recepteur %X"},
};

const std::size_t kStringTableSize = sizeof kStringTable / sizeof kStringTable[0];

} // namespace zok
