#include "display/qt/skin_menu.h"

#include "display/skin_list.h"
#include "toolkit/file_names.h"
#include "toolkit/qt/win1252_codec.h"

#include <QAction>
#include <QFile>
#include <QObject>
#include <QVariant>

namespace vc {
namespace {

// The folder or skin part an entry stands for, kept apart from its caption, which escapes "&".
constexpr const char* kPartProperty = "velocrestSkinPart";
constexpr const char* kNameProperty = "velocrestSkinName";

QString Caption(const QString& part) {
    QString caption = part;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

QAction* FindPart(QMenu& menu, const QString& part) {
    const std::string wanted = part.toStdString();
    for (QAction* action : menu.actions()) {
        const QVariant stored = action->property(kPartProperty);
        if (stored.isValid() && SameFileName(stored.toString().toStdString(), wanted)) {
            return action;
        }
    }
    return nullptr;
}

// The sub-menu of an entry, made when the entry had none (a skin folder holding further skins).
QMenu* SubMenu(QAction* action, QMenu& parent) {
    if (action->menu() == nullptr) {
        auto* sub = new QMenu(action->text(), &parent);
        action->setMenu(sub);
    }
    return action->menu();
}

void ClearChecks(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        action->setChecked(false);
        if (action->menu() != nullptr) {
            ClearChecks(*action->menu());
        }
    }
}

bool CheckPath(QMenu& menu, QAction* chosen, QAction* holder) {
    for (QAction* action : menu.actions()) {
        if (action == chosen) {
            chosen->setChecked(true);
            if (holder != nullptr) {
                holder->setChecked(true);
            }
            return true;
        }
        if (action->menu() != nullptr && CheckPath(*action->menu(), chosen, action)) {
            return true;
        }
    }
    return false;
}

void Connect(QAction* action, const tSkinMenuHandler& onClick) {
    if (action->property(kNameProperty).isValid() || !onClick) {
        return;
    }
    QObject::connect(action, &QAction::triggered, action, [action, onClick] { onClick(action); });
}

} // namespace

std::string SkinNameOf(const QAction* action) {
    if (action == nullptr) {
        return {};
    }
    const QVariant name = action->property(kNameProperty);
    return name.isValid() ? ToWin1252(name.toString()) : std::string();
}

bool IsSkinGallery(const QAction* action) {
    return action != nullptr && action->data().toInt() == kSkinGalleryTag;
}

void FillSkinMenu(QMenu& menu, const std::filesystem::path& programDir, std::string_view currentSkin,
                  const tSkinMenuHandler& onClick) {
    // clear() drops the entries but not the sub-menus made for them.
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu(); sub != nullptr && sub->parent() == &menu) {
            delete sub;
        }
    }
    menu.clear();
    const std::vector<std::string> skins = FindSkins(programDir);
    for (const std::string& skin : skins) {
        const QString name = QFile::decodeName(skin.c_str());
        // The entries from the menu down to the skin's own.
        std::vector<QAction*> path;
        QMenu* level = &menu;
        for (const std::string& stored : SplitStoredPath(skin)) {
            if (!path.empty()) {
                level = SubMenu(path.back(), *level);
            }
            const QString part = QFile::decodeName(stored.c_str());
            QAction* item = FindPart(*level, part);
            if (item == nullptr) {
                item = level->addAction(Caption(part));
                item->setProperty(kPartProperty, part);
                item->setCheckable(true);
                item->setEnabled(false);
                item->setData(0);
            }
            path.push_back(item);
        }
        if (path.empty()) {
            continue;
        }
        QAction* item = path.back();
        Connect(item, onClick);
        item->setStatusTip(name);
        item->setProperty(kNameProperty, name);
        // Every folder on the way down is enabled, not only the nearest: a disabled folder could
        // not be opened to reach a skin two levels down.
        for (QAction* step : path) {
            step->setEnabled(true);
        }
        if (SameSkinName(ToWin1252(name), currentSkin)) {
            item->setChecked(true);
            if (path.size() >= 2) {
                path[path.size() - 2]->setChecked(true);
            }
        }
    }
    menu.setEnabled(!skins.empty());
    menu.menuAction()->setEnabled(!skins.empty());
    if (skins.empty()) {
        return;
    }
    menu.addSeparator();
    QAction* gallery = menu.addAction(QStringLiteral("Gallery..."));
    gallery->setData(kSkinGalleryTag);
    if (onClick) {
        QObject::connect(gallery, &QAction::triggered, gallery, [gallery, onClick] { onClick(gallery); });
    }
}

void CheckSkinEntry(QMenu& menu, QAction* chosen) {
    ClearChecks(menu);
    if (chosen != nullptr) {
        CheckPath(menu, chosen, nullptr);
    }
}

} // namespace vc
