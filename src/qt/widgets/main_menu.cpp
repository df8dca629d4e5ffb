#include "qt/widgets/main_menu.h"

#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <map>
#include <string>

#include "core/shell/commands.h"
#include "qt/widgets/qt_host.h"

namespace mirovale {
namespace {

bool isCheckable(std::uint16_t id) {
    const auto has = [id](const auto& items) {
        return std::find(std::begin(items), std::end(items), id) != std::end(items);
    };
    return has(kTaskItems) || has(kSeriesTypeItems);
}

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void buildMainMenu(QMenuBar& bar, QtHost& host,
                   const std::function<void(std::uint16_t)>& trigger) {
    std::map<std::string_view, QMenu*> popups;
    std::map<std::string_view, QMenu*> subPopups;
    for (const MenuItem& item : menuItems()) {
        QMenu*& popup = popups[item.popup];
        if (!popup) popup = bar.addMenu(qtText(item.popup));
        QMenu* menu = popup;
        if (!item.subPopup.empty()) {
            QMenu*& sub = subPopups[item.subPopup];
            if (!sub) sub = popup->addMenu(qtText(item.subPopup));
            menu = sub;
        }
        QAction* action = menu->addAction(qtText(item.text));
        action->setObjectName(QStringLiteral("command%1").arg(item.id));
        action->setCheckable(isCheckable(item.id));
        host.addMenuAction(item.id, *action);
        const std::uint16_t id = item.id;
        QObject::connect(action, &QAction::triggered, &bar, [&host, trigger, id] {
            host.restoreCheck(id);
            trigger(id);
        });
    }
}

}  // namespace mirovale
