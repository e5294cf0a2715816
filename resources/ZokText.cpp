#include "ZokText.h"

#include "StringTable.h"

#include <algorithm>
#include <atomic>

namespace zok {

namespace {
// Stands for the thread locale of the original platform: set once at start-up, read everywhere.
std::atomic<Language> g_language{Language::English};

const StringEntry *find(int id)
{
    const auto *begin = kStringTable;
    const auto *end = kStringTable + kStringTableSize;
    const auto *it = std::lower_bound(begin, end, id, [](const StringEntry &e, int v) { return e.id < v; });
    return (it != end && it->id == id) ? it : nullptr;
}
} // namespace

void SelectLanguage(Language language)
{
    g_language.store(language);
}

Language SelectedLanguage()
{
    return g_language.load();
}

QString Text(int id)
{
    return Text(id, SelectedLanguage());
}

QString Text(int id, Language language)
{
    const StringEntry *entry = find(id);
    if (!entry)
        return {};
    return QString::fromUtf8(language == Language::French ? entry->french : entry->english);
}

bool HasText(int id)
{
    const StringEntry *entry = find(id);
    return entry && entry->english && *entry->english && entry->french && *entry->french;
}

std::vector<int> TextIds()
{
    std::vector<int> ids;
    ids.reserve(kStringTableSize);
    for (std::size_t i = 0; i < kStringTableSize; ++i)
        ids.push_back(kStringTable[i].id);
    return ids;
}

} // namespace zok
