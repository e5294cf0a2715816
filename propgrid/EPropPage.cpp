#include "EPropPage.h"

#include "EProperty.h"

EPropPage::EPropPage(const QString &name, int image) : m_name(name), m_image(image) {}

EPropPage::~EPropPage() = default;

EProperty *EPropPage::Append(std::unique_ptr<EProperty> row)
{
    m_rows.push_back(std::move(row));
    return m_rows.back().get();
}
