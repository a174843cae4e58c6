#include "gui/mainwindow/ActionTable.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

TActionRow TActionRow::Command(std::string name, QString text, QString hint) {
    TActionRow row;
    row.name = std::move(name);
    row.text = std::move(text);
    row.hint = std::move(hint);
    return row;
}

TActionRow TActionRow::Menu(std::string name, QString text, QString hint) {
    TActionRow row = Command(std::move(name), std::move(text), std::move(hint));
    row.kind = EKind::Menu;
    return row;
}

TActionRow TActionRow::Separator(std::string menu, int place) {
    TActionRow row;
    row.kind = EKind::Separator;
    row.In(std::move(menu), place);
    return row;
}

TActionRow& TActionRow::In(std::string into, int at) {
    menu = std::move(into);
    place = at;
    return *this;
}

TActionRow& TActionRow::Keys(QList<QKeySequence> sequences) {
    keys = std::move(sequences);
    return *this;
}

TActionRow& TActionRow::Runs(std::function<void()> command, EDuringPractice during) {
    run = std::move(command);
    practice = during;
    return *this;
}

TActionRow& TActionRow::EnabledWhen(std::function<bool()> when) {
    enabled = std::move(when);
    return *this;
}

TActionRow& TActionRow::CheckedWhen(std::function<bool()> when) {
    checked = std::move(when);
    return *this;
}

TActionRow& TActionRow::VisibleWhen(std::function<bool()> when) {
    visible = std::move(when);
    return *this;
}

TActionRow& TActionRow::Captioned(std::function<QString()> textNow) {
    caption = std::move(textNow);
    return *this;
}

TActionRow& TActionRow::InGroup(std::string name) {
    group = std::move(name);
    return *this;
}

TActionRow& TActionRow::ReadOnShow() {
    readOnShow = true;
    return *this;
}

TActionRow& TActionRow::Adopting(QAction* action) {
    adopt = action;
    return *this;
}

TActionTable::TActionTable(QObject& owner, QMenuBar& bar, TTrigger trigger)
    : owner_(owner), bar_(bar), trigger_(std::move(trigger)) {}

void TActionTable::Place(QAction* action, const std::string& menu, int place) {
    QWidget* into = &bar_;
    if (!menu.empty()) into = menus_.at(menu);
    QAction* before = nullptr;
    for (QAction* a : into->actions()) {
        const auto it = places_.find(a);
        if (it != places_.end() && it->second > place) {
            before = a;
            break;
        }
    }
    into->insertAction(before, action);
    places_[action] = place;
}

void TActionTable::Add(std::vector<TActionRow> rows) {
    for (TActionRow& row : rows) {
        TEntry& entry = entries_.emplace_back();
        entry.row = std::move(row);
        const TActionRow& r = entry.row;
        switch (r.kind) {
        case TActionRow::EKind::Separator: {
            entry.action = new QAction(&owner_);
            entry.action->setSeparator(true);
            Place(entry.action, r.menu, r.place);
            break;
        }
        case TActionRow::EKind::Menu: {
            entry.menu = new QMenu(r.text, r.menu.empty() ? static_cast<QWidget*>(&bar_) : menus_.at(r.menu));
            entry.menu->setObjectName(QString::fromStdString(r.name));
            entry.action = entry.menu->menuAction();
            // A submenu's action carries its name too; a menu of the bar's does not.
            if (!r.menu.empty()) entry.action->setObjectName(QString::fromStdString(r.name));
            if (!r.hint.isEmpty()) entry.action->setStatusTip(r.hint);
            menus_[r.name] = entry.menu;
            Place(entry.action, r.menu, r.place);
            QObject::connect(entry.menu, &QMenu::aboutToShow, entry.menu, [this, menu = entry.menu] {
                for (const TEntry& e : entries_)
                    if (e.row.readOnShow && !e.row.menu.empty() && menus_.at(e.row.menu) == menu) UpdateEntry(e);
            });
            break;
        }
        case TActionRow::EKind::Action: {
            entry.action = r.adopt ? r.adopt : new QAction(r.text, &owner_);
            QAction* a = entry.action;
            a->setObjectName(QString::fromStdString(r.name));
            if (r.adopt) a->setText(r.text);
            if (!r.hint.isEmpty()) a->setStatusTip(LongHint(r.hint));
            if (!r.keys.isEmpty()) a->setShortcuts(r.keys);
            if (r.checked) a->setCheckable(true);
            if (!r.group.empty()) {
                QActionGroup*& group = groups_[r.group];
                if (!group) group = new QActionGroup(&owner_);
                group->addAction(a);
            }
            if (r.run) QObject::connect(a, &QAction::triggered, &owner_, [this, &r] { trigger_(r); });
            Place(a, r.menu, r.place);
            break;
        }
        }
    }
}

void TActionTable::UpdateEntry(const TEntry& entry) {
    const TActionRow& r = entry.row;
    if (r.enabled) entry.action->setEnabled(r.enabled());
    if (r.visible) entry.action->setVisible(r.visible());
    if (r.checked) entry.action->setChecked(r.checked());
    if (r.caption) {
        if (entry.menu) {
            entry.menu->setTitle(r.caption());
        } else {
            entry.action->setText(r.caption());
        }
    }
}

void TActionTable::Update() {
    for (const TEntry& entry : entries_)
        if (!entry.row.readOnShow) UpdateEntry(entry);
}

QAction* TActionTable::Action(const std::string& name) const {
    for (const TEntry& entry : entries_)
        if (entry.row.name == name) return entry.action;
    return nullptr;
}

QMenu* TActionTable::Menu(const std::string& name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

}  // namespace vxlo
