#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What screen readers see of the list window: a list whose items are the rows of the current
// page, each named by its row name with the row's value text as its value; the selected row is
// the selected, focused item. Installed once, by the first list window made.
namespace EPropAccessible {
void Install();
QAccessibleInterface *Factory(const QString &className, QObject *object);
} // namespace EPropAccessible
