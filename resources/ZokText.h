#pragma once

#include <QString>

#include <vector>

// The program's string table: every user-visible text, in English and French, by numeric id.
namespace zok {

enum class Language { English, French };

// Chosen once at start-up from the settings; every later lookup uses it.
void SelectLanguage(Language language);
Language SelectedLanguage();

// The text of `id` in the selected language (or the given one); an unknown id gives an empty text.
QString Text(int id);
QString Text(int id, Language language);

// True when `id` has both an English and a French text.
bool HasText(int id);

// Every id of the table, in ascending order.
std::vector<int> TextIds();

} // namespace zok
