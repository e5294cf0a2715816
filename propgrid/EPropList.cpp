#include "EPropList.h"

#include "EPropPage.h"
#include "EPropertyCharString.h"
#include "EPropertyCheck.h"
#include "EPropertyCombo.h"
#include "EPropertyDir.h"
#include "EPropertyDouble.h"
#include "EPropertyFile.h"
#include "EPropertyFloat.h"
#include "EPropertyFont.h"
#include "EPropertyInt.h"
#include "EPropertySeparator.h"
#include "EPropertyTextblock.h"
#include "IPropertyHost.h"

EPropList::EPropList() = default;

EPropList::~EPropList() = default;

EProperty *EPropList::AddProperty(std::unique_ptr<EProperty> row)
{
    if (m_pages.empty()) {
        AddPage(QStringLiteral("Default"), -1);
        m_hasNamedPages = false;
    }
    row->SetLevel(m_level);
    row->SetParentHost(m_parentHosts.empty() ? nullptr : m_parentHosts.back());
    return m_pages[static_cast<size_t>(m_currentPage)]->Append(std::move(row));
}

EPropertyString *EPropList::AddString(IPropertyHost *host, const QString &name, QString *value, bool enabled)
{
    return Add(std::make_unique<EPropertyString>(host, name, value, enabled));
}

EPropertyCharString *EPropList::AddCharString(IPropertyHost *host, const QString &name, const char *value,
                                              int maxLength)
{
    return Add(std::make_unique<EPropertyCharString>(host, name, value, maxLength));
}

EPropertyDouble *EPropList::AddDouble(IPropertyHost *host, const QString &name, double *value,
                                      const QString &unit, double minimum, double maximum, bool enabled)
{
    return Add(std::make_unique<EPropertyDouble>(host, name, value, unit, enabled, minimum, maximum));
}

EPropertyFloat *EPropList::AddFloat(IPropertyHost *host, const QString &name, float *value,
                                    const QString &unit, double minimum, double maximum, bool enabled)
{
    return Add(std::make_unique<EPropertyFloat>(host, name, value, unit, enabled, minimum, maximum));
}

EPropertyInt *EPropList::AddInt(IPropertyHost *host, const QString &name, void *value, const QString &unit,
                                bool enabled, std::int64_t minimum, std::int64_t maximum)
{
    return Add(std::make_unique<EPropertyInt>(host, name, value, unit, enabled, static_cast<double>(minimum),
                                              static_cast<double>(maximum)));
}

EPropertyFont *EPropList::AddFont(IPropertyHost *host, const QString &name, QFont *value)
{
    return Add(std::make_unique<EPropertyFont>(host, name, value));
}

EPropertyColor *EPropList::AddColor(IPropertyHost *host, const QString &name, EColorRef *value, bool enabled)
{
    return Add(std::make_unique<EPropertyColor>(host, name, value, enabled));
}

EPropertyCheck *EPropList::AddCheck(IPropertyHost *host, const QString &name, bool *value, bool enabled)
{
    return Add(std::make_unique<EPropertyCheck>(host, name, value, enabled));
}

EPropertyTextblock *EPropList::AddTextblock(IPropertyHost *host, const QString &name, QString *value,
                                            bool enabled)
{
    return Add(std::make_unique<EPropertyTextblock>(host, name, value, enabled));
}

EPropertyCombo *EPropList::AddCombo(IPropertyHost *host, const QString &name, std::int32_t *value,
                                    bool enabled)
{
    return Add(std::make_unique<EPropertyCombo>(host, name, value, enabled));
}

EPropertyFile *EPropList::AddFile(IPropertyHost *host, const QString &name, QString *value,
                                  const QString &filter)
{
    return Add(std::make_unique<EPropertyFile>(host, name, value, filter));
}

EPropertySeparator *EPropList::AddSeparator(IPropertyHost *host, const QString &name)
{
    return Add(std::make_unique<EPropertySeparator>(host, name));
}

EPropertyDir *EPropList::AddDir(IPropertyHost *host, const QString &name, QString *value)
{
    return Add(std::make_unique<EPropertyDir>(host, name, value));
}

void EPropList::AddHost(IPropertyHost *parent, IPropertyHost *child)
{
    if (!parent || !child)
        return;
    m_parentHosts.push_back(parent);
    child->AppendProperties(*this);
    m_parentHosts.pop_back();
}

void EPropList::AddPage(const QString &name, int image)
{
    m_pages.push_back(std::make_unique<EPropPage>(name, image));
    m_currentPage = PageCount() - 1;
    m_hasNamedPages = true;
}

void EPropList::SetComment(const QString &comment)
{
    m_comment = comment;
}

void EPropList::Clear()
{
    m_pages.clear();
    m_currentPage = -1;
    m_hasNamedPages = false;
    m_level = 0;
    m_comment.clear();
}

EPropPage *EPropList::Page(int index) const
{
    return index >= 0 && index < PageCount() ? m_pages[static_cast<size_t>(index)].get() : nullptr;
}

void EPropList::SetCurrentPage(int index)
{
    if (m_pages.empty()) {
        m_currentPage = -1;
        return;
    }
    const int count = PageCount();
    m_currentPage = ((index % count) + count) % count;
}

int EPropList::RowCount() const
{
    const EPropPage *page = CurrentPage();
    return page ? page->RowCount() : 0;
}

EProperty *EPropList::Row(int index) const
{
    const EPropPage *page = CurrentPage();
    return page && index >= 0 && index < page->RowCount() ? page->Row(index) : nullptr;
}
