#include "WindowText.h"

#include "ZokText.h"

#include <array>
#include <utility>

namespace zok {

namespace {
using Pair = std::pair<const char *, const char *>; // English, French (UTF-8)

constexpr std::array<Pair, 27> kCaptions = {{
    {"&File", "&Fichier"},
    {"&Load Parameters", "&Charger les paramètres"},
    {"&Save Parameters", "&Sauvegarder les paramètres"},
    {"E&xit", "&Quitter"},
    {"&Configuration", "&Configuration"},
    {"&Serial Port", "&Port Série"},
    {"Select &Receiver", "Choix du &récepteur"},
    {"ID &Filter", "&Filtre ID"},
    {"Enable Speed &Configuration", "Activer &Configuration Vitesse"},
    {"Speed &Detection", "&Détection de vitesse"},
    {"&Monitoring", "&Monitoring"},
    {"&Tag Tracking", "&Suivi de tag"},
    {"&Radio Scan", "Scan &radio"},
    {"?", "?"},
    {"&Help", "&Aide"},
    {"&About", "À &propos"},
    {"Property Control", "Property Control"},
    {"Read", "Lecture"},
    {"Write", "Ecriture"},
    {"Firmware Version :", "Version Firmware :"},
    {"Open Serial Port", "Ouvrir le port série"},
    {"&Help", "&Aide"},
    // Fixed in French in both languages.
    {"À propos de ZOK", "À propos de ZOK"},
    {"ZOK Version 1.0", "ZOK Version 1.0"},
    {"Last change: support of the Manchester x16 radio protocol, of the minimum tag number parameter "
     "and of the parameters of commands 22 and 23.",
     "Dernière évolution : prise en charge du protocole radio Manchester x16, du paramètre nombre "
     "minimum de tags et des paramètres des commandes 22 et 23."},
    {"OK", "OK"},
    {"Serial port %1 lost: waiting for it to come back (untick Open Serial Port to stop).",
     "Port série %1 perdu : en attente de son retour (décochez Ouvrir le port série pour arrêter)."},
}};
} // namespace

QString Caption(WindowText id)
{
    const Pair &pair = kCaptions.at(static_cast<std::size_t>(id));
    return QString::fromUtf8(SelectedLanguage() == Language::French ? pair.second : pair.first);
}

} // namespace zok
