// The Skins menu: one entry per skin folder, sub-menus per folder level, a check mark on the
// tape's skin and its folder, and "Gallery..." that opens the setup dialog's skin page.
#pragma once

#include <QMenu>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class QAction;

namespace vc {

// QAction::data() of the gallery entry (skin entries carry 0).
inline constexpr int kSkinGalleryTag = 5;

using tSkinMenuHandler = std::function<void(QAction* clicked)>;

// Rebuilds the menu from every Skin.INI below SKINS in the program folder. Each skin entry and the
// gallery entry call onClick; a skin entry's hint (status tip) is its whole stored name, which
// SkinNameOf gives back. The tape's skin and its folder carry check marks. Without any skin the
// menu is left empty and disabled.
void FillSkinMenu(QMenu& menu, const std::filesystem::path& programDir, std::string_view currentSkin,
                  const tSkinMenuHandler& onClick);

// The stored skin name (Windows-1252, "\" between parts) of a skin entry; empty for others.
std::string SkinNameOf(const QAction* action);
bool IsSkinGallery(const QAction* action);

// After a choice from the menu: clears every check mark at every depth, then checks the chosen
// entry and its folder (unless that is the menu itself).
void CheckSkinEntry(QMenu& menu, QAction* chosen);

} // namespace vc
