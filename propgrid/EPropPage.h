#pragma once

#include <QString>

#include <memory>
#include <vector>

class EProperty;

// One page of rows, shown as one tab when the list has named pages.
class EPropPage
{
public:
    EPropPage(const QString &name, int image);
    ~EPropPage();
    EPropPage(const EPropPage &) = delete;
    EPropPage &operator=(const EPropPage &) = delete;

    const QString &Name() const { return m_name; }
    int Image() const { return m_image; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    EProperty *Row(int index) const { return m_rows[static_cast<size_t>(index)].get(); }
    EProperty *Append(std::unique_ptr<EProperty> row);

private:
    QString m_name;
    int m_image;
    std::vector<std::unique_ptr<EProperty>> m_rows;
};
