#pragma once

#include "EPropertyColor.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class EPropPage;
class EProperty;
class EPropertyCharString;
class EPropertyCheck;
class EPropertyCombo;
class EPropertyDir;
class EPropertyDouble;
class EPropertyFile;
class EPropertyFloat;
class EPropertyFont;
class EPropertyInt;
class EPropertySeparator;
class EPropertyString;
class EPropertyTextblock;
class IPropertyHost;
class QFont;

// The paged list of rows that a host fills in GetProperties. Each factory builds a row over one
// of the host's variables, appends it to the current page and returns it, so the host can go on
// configuring it (SetComment, SetSize, AddItem ...). Rows and pages belong to the list.
class EPropList
{
public:
    EPropList();
    virtual ~EPropList();
    EPropList(const EPropList &) = delete;
    EPropList &operator=(const EPropList &) = delete;

    virtual EProperty *AddProperty(std::unique_ptr<EProperty> row);
    virtual EPropertyString *AddString(IPropertyHost *host, const QString &name, QString *value,
                                       bool enabled = true);
    virtual EPropertyCharString *AddCharString(IPropertyHost *host, const QString &name, const char *value,
                                               int maxLength = 0);
    virtual EPropertyDouble *AddDouble(IPropertyHost *host, const QString &name, double *value,
                                       const QString &unit, double minimum = 0, double maximum = 0,
                                       bool enabled = true);
    virtual EPropertyFloat *AddFloat(IPropertyHost *host, const QString &name, float *value,
                                     const QString &unit, double minimum = 0, double maximum = 0,
                                     bool enabled = true);
    // `value` points to an integer of 4 bytes, signed, unless the row's SetSize says otherwise.
    virtual EPropertyInt *AddInt(IPropertyHost *host, const QString &name, void *value,
                                 const QString &unit = {}, bool enabled = true, std::int64_t minimum = 0,
                                 std::int64_t maximum = 0);
    virtual EPropertyFont *AddFont(IPropertyHost *host, const QString &name, QFont *value);
    virtual EPropertyColor *AddColor(IPropertyHost *host, const QString &name, EColorRef *value,
                                     bool enabled = true);
    virtual EPropertyCheck *AddCheck(IPropertyHost *host, const QString &name, bool *value,
                                     bool enabled = true);
    virtual EPropertyTextblock *AddTextblock(IPropertyHost *host, const QString &name, QString *value,
                                             bool enabled = true);
    virtual EPropertyCombo *AddCombo(IPropertyHost *host, const QString &name, std::int32_t *value,
                                     bool enabled = true);
    virtual EPropertyFile *AddFile(IPropertyHost *host, const QString &name, QString *value,
                                   const QString &filter);
    virtual EPropertySeparator *AddSeparator(IPropertyHost *host, const QString &name);
    // Lets `child` append its rows (AppendProperties) with `parent` as their parent host.
    virtual void AddHost(IPropertyHost *parent, IPropertyHost *child);
    virtual void AddPage(const QString &name, int image = -1);
    virtual void SetComment(const QString &comment);
    virtual EPropertyDir *AddDir(IPropertyHost *host, const QString &name, QString *value);

    void Clear();
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    EPropPage *Page(int index) const;
    int CurrentPageIndex() const { return m_currentPage; }
    EPropPage *CurrentPage() const { return Page(m_currentPage); }
    // Takes `index` modulo the page count; -1 when there are no pages.
    void SetCurrentPage(int index);
    int RowCount() const;
    EProperty *Row(int index) const;
    bool HasNamedPages() const { return m_hasNamedPages; }
    const QString &Comment() const { return m_comment; }
    int Level() const { return m_level; }

private:
    template <typename Row> Row *Add(std::unique_ptr<Row> row)
    {
        Row *raw = row.get();
        AddProperty(std::move(row));
        return raw;
    }

    std::vector<std::unique_ptr<EPropPage>> m_pages;
    int m_currentPage = -1;
    bool m_hasNamedPages = false;
    int m_level = 0;
    std::vector<IPropertyHost *> m_parentHosts;
    QString m_comment;
};
