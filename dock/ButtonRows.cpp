#include "ButtonRows.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QTabWidget>

namespace {
QTabWidget* shown_settings_tabs() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* tabs = top->findChild<QTabWidget*>(QStringLiteral("tabs_"));
        if (tabs && tabs->isVisible()) {
            return tabs;
        }
    }
    return nullptr;
}
} // namespace

void bring_button_row_forward(int number) {
    QTabWidget* tabs = shown_settings_tabs();
    if (!tabs || tabs->currentWidget()->objectName() != QLatin1String("buttons_tab_")) {
        return;
    }
    auto* combo = tabs->findChild<QComboBox*>(QStringLiteral("button_%1_combo_").arg(number));
    if (!combo) {
        return;
    }
    for (QWidget* around = combo->parentWidget(); around; around = around->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(around)) {
            scroll->ensureWidgetVisible(combo);
            break;
        }
    }
    combo->setFocus(Qt::OtherFocusReason);
}
