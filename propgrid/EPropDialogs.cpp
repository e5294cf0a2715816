#include "EPropDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>

namespace {
std::optional<QString> standardOpenFile(QWidget *parent, const QString &filter)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, {}, {}, filter, nullptr, QFileDialog::DontResolveSymlinks);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> standardChooseFolder(QWidget *parent, const QString &title)
{
    const QString path = QFileDialog::getExistingDirectory(parent, title);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QColor> standardChooseColor(QWidget *parent, const QColor &initial)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

std::optional<QFont> standardChooseFont(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

int standardChooseItem(QWidget *parent, QPoint at, const QStringList &items, int checked)
{
    QMenu menu(parent);
    for (int i = 0; i < items.size(); ++i) {
        QAction *action = menu.addAction(items[i]);
        action->setData(i);
        action->setCheckable(true);
        action->setChecked(i == checked);
    }
    const QPoint topLeft(at.x() - menu.sizeHint().width() / 2, at.y());
    const QAction *picked = menu.exec(topLeft);
    return picked ? picked->data().toInt() : -1;
}
} // namespace

EPropDialogs EPropDialogs::Standard()
{
    return EPropDialogs{standardOpenFile, standardChooseFolder, standardChooseColor, standardChooseFont,
                        standardChooseItem};
}
