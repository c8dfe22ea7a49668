#include "app/window_menus.h"

#include "app/window_layout.h"
#include "core/keys.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QHash>
#include <QMenu>
#include <QMenuBar>

namespace ml::app {

namespace {

int leafCount(const char* name) {
    int n = 0;
    for (const MenuLayout& m : menuLayout())
        n += m.parent != nullptr && qstrcmp(m.parent, name) == 0;
    return n;
}

// The caption as the menu shows it: with its accelerator and, after a tab, its key.
QString shown(const MenuItem& item, const KeyTable& table) {
    const QStringList keys = table.keysOn(item.name);
    const QString caption = withMnemonic(item.name, item.text);
    return keys.isEmpty() ? caption : caption + QLatin1Char('\t') + keyLabel(keys.first());
}

MenuSync bindAction(QAction* a, MenuItem& item, const KeyTable& keys, bool checkable, int index,
                    const std::function<void(Control&)>& clicked) {
    a->setObjectName(item.name);
    a->setCheckable(checkable);
    if (index > 0)
        a->setProperty("index", index);
    QObject::connect(a, &QAction::triggered, a, [clicked, &item] { clicked(item); });
    return {&item, [a, &item, &keys] {
                const QString text = shown(item, keys);
                if (a->text() != text)
                    a->setText(text);
                if (a->isChecked() != item.checked)
                    a->setChecked(item.checked);
                a->setVisible(item.visible);
                a->setEnabled(item.enabled);
            }};
}

} // namespace

std::vector<MenuSync> buildFormMenus(QMenuBar* bar, Program& program,
                                     const std::function<void(Control&)>& clicked) {
    std::vector<MenuSync> syncs;
    QHash<QString, QMenu*> menus;
    for (const MenuLayout& m : menuLayout()) {
        const QString name = QString::fromLatin1(m.name);
        QMenu* parent = m.parent ? menus.value(QString::fromLatin1(m.parent)) : nullptr;
        // The item array: sixteen actions all named "HLProgr", told apart by their "index"
        // property (1..16), which is also the argument of their handler.
        if (name == QLatin1String("HLProgr")) {
            for (int i = 1; i < static_cast<int>(program.form.HLProgr.size()); ++i)
                syncs.push_back(bindAction(parent->addAction(QString()), *program.form.HLProgr[i],
                                           program.keys, true, i, clicked));
            continue;
        }
        auto* item = static_cast<MenuItem*>(program.form.control(name));
        if (m.parent == nullptr || leafCount(m.name) > 0) {
            QMenu* menu = parent ? parent->addMenu(item->text) : bar->addMenu(item->text);
            menus.insert(name, menu);
            QAction* a = menu->menuAction();
            a->setObjectName(name);
            syncs.push_back({item, [a, item, &keys = program.keys] {
                                 const QString text = shown(*item, keys);
                                 if (a->text() != text)
                                     a->setText(text);
                                 a->setVisible(item->visible);
                                 a->setEnabled(item->enabled);
                             }});
            continue;
        }
        syncs.push_back(
            bindAction(parent->addAction(QString()), *item, program.keys, m.checkable, 0, clicked));
        if (item == &program.form.redo)
            parent->addSeparator();
    }
    return syncs;
}

QMenu* formMenu(QMenuBar* bar, const char* name) {
    for (QAction* a : bar->actions())
        if (a->objectName() == QLatin1String(name))
            return a->menu();
    return nullptr;
}

// "Ansicht" belongs to the window alone: the size is how the form is shown, not match state.
QActionGroup* buildViewMenu(QMenuBar* bar, const std::function<void(int)>& chosen) {
    auto* view = new QMenu(QCoreApplication::translate("ml::app::Menus", "&Ansicht"), bar);
    view->menuAction()->setObjectName(QStringLiteral("view"));
    QAction* help = nullptr;
    for (QAction* a : bar->actions())
        if (a->objectName() == QLatin1String("Help"))
            help = a;
    bar->insertMenu(help, view);
    QMenu* sizes = view->addMenu(QCoreApplication::translate("ml::app::Menus", "&Größe"));
    sizes->menuAction()->setObjectName(QStringLiteral("size"));
    auto* group = new QActionGroup(bar);
    for (int percent : kWindowScales) {
        QAction* a = sizes->addAction(QStringLiteral("%1 %").arg(percent));
        a->setObjectName(QStringLiteral("size%1").arg(percent));
        a->setCheckable(true);
        a->setData(percent);
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, a, [chosen, percent] { chosen(percent); });
    }
    return group;
}

// Each language in its own name, so that it is found whatever the texts are in now.
QActionGroup* buildLanguageMenu(QMenuBar* bar, const std::function<void(const QString&)>& chosen) {
    QMenu* languages =
        formMenu(bar, "view")->addMenu(QCoreApplication::translate("ml::app::Menus", "&Sprache"));
    languages->menuAction()->setObjectName(QStringLiteral("language"));
    auto* group = new QActionGroup(bar);
    const std::pair<QString, QString> choices[] = {
        {QString(), QCoreApplication::translate("ml::app::Menus", "Systemsprache")},
        {QStringLiteral("de"), QStringLiteral("Deutsch")},
        {QStringLiteral("en"), QStringLiteral("English")}};
    for (const auto& [code, name] : choices) {
        QAction* a = languages->addAction(name);
        a->setObjectName(QStringLiteral("language_") +
                         (code.isEmpty() ? QStringLiteral("system") : code));
        a->setCheckable(true);
        a->setData(code);
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, a, [chosen, code = code] { chosen(code); });
    }
    return group;
}

} // namespace ml::app
