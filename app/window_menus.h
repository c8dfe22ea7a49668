#pragma once

// The menu bar of the main window: the form's menus, each item an action bound to its menu item
// (caption with its accelerator and, after a tab, its key; check mark, visibility, enabled), and
// the window's own "Ansicht" with its sizes.

#include "core/program.h"

#include <functional>
#include <vector>

class QActionGroup;
class QMenu;
class QMenuBar;

namespace ml::app {

// Copies one menu item of the form into its action.
struct MenuSync {
    const Control* item;
    std::function<void()> sync;
};

// The form's menus in the bar; a triggered action goes to `clicked` with its item. Gives the
// copy routines of every action.
std::vector<MenuSync> buildFormMenus(QMenuBar* bar, Program& program,
                                     const std::function<void(Control& item)>& clicked);
// The bar's menu of the form's menu item `name` ("Extras").
QMenu* formMenu(QMenuBar* bar, const char* name);

// "Ansicht" before "?", with "Größe" and its sizes; a chosen size goes to `chosen`.
QActionGroup* buildViewMenu(QMenuBar* bar, const std::function<void(int percent)>& chosen);
// "Ansicht" → "Sprache": the system's language, German or English; a choice goes to `chosen`
// ("", "de", "en").
QActionGroup* buildLanguageMenu(QMenuBar* bar,
                                const std::function<void(const QString& code)>& chosen);

} // namespace ml::app
