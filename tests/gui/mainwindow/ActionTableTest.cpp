// The window's action table against a model of its rows: whatever the order
// and the batches the rows come in, each menu lists them by place; one
// update brings every state in line, and a row's command reaches the trigger.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "gui/mainwindow/ActionTable.h"

namespace vxlo {
namespace {

std::vector<std::string> Names(const QWidget& menu) {
    std::vector<std::string> names;
    for (const QAction* a : menu.actions()) names.push_back(a->isSeparator() ? "-" : a->objectName().toStdString());
    return names;
}

TEST(ActionTable, MenusListTheirRowsByPlaceAndOneUpdateSetsEveryState) {
    std::mt19937 random(20260);
    for (int round = 0; round < 20; ++round) {
        QMainWindow window;
        std::vector<std::string> triggered;
        TActionTable table(window, *window.menuBar(),
                           [&](const TActionRow& row) { triggered.push_back(row.name); });
        table.Add({TActionRow::Menu("top", "Top").In("", 20), TActionRow::Menu("first", "First").In("", 10)});
        // Rows with distinct places in two menus, one of them a submenu of
        // the other, given in a shuffled order and in two batches.
        std::map<std::string, std::vector<std::pair<int, std::string>>> model;
        std::map<std::string, bool> enabled, checked;
        std::vector<TActionRow> rows;
        std::vector<int> places(12);
        std::iota(places.begin(), places.end(), 1);
        std::shuffle(places.begin(), places.end(), random);
        for (int i = 0; i < 12; ++i) {
            const std::string menu = i % 3 == 0 ? "first" : "top";
            const std::string name = "row" + std::to_string(i);
            enabled[name] = random() % 2;
            checked[name] = random() % 2;
            TActionRow row = i == 5 ? TActionRow::Separator(menu, places[i]) : TActionRow::Command(name, "text");
            if (i == 5) {
                model[menu].push_back({places[i], "-"});
            } else {
                row.In(menu, places[i])
                    .Runs([] {})
                    .EnabledWhen([&enabled, name] { return enabled[name]; })
                    .CheckedWhen([&checked, name] { return checked[name]; });
                model[menu].push_back({places[i], name});
            }
            rows.push_back(row);
        }
        rows.push_back(TActionRow::Menu("sub", "Sub").In("top", 0));
        model["top"].push_back({0, "sub"});
        std::rotate(rows.begin(), rows.end() - 1, rows.end());  // a menu before the rows it holds
        std::shuffle(rows.begin() + 1, rows.end(), random);
        const auto half = rows.begin() + 1 + static_cast<long>(random() % (rows.size() - 1));
        table.Add(std::vector<TActionRow>(rows.begin(), half));
        table.Add(std::vector<TActionRow>(half, rows.end()));
        table.Update();

        EXPECT_EQ(Names(*window.menuBar()), (std::vector<std::string>{"", ""}));
        EXPECT_EQ(window.menuBar()->actions().at(0)->text(), "First");
        for (auto& [menu, entries] : model) {
            std::sort(entries.begin(), entries.end());
            std::vector<std::string> expected;
            for (const auto& e : entries) expected.push_back(e.second);
            EXPECT_EQ(Names(*table.Menu(menu)), expected) << "round " << round << ", menu " << menu;
        }
        for (const auto& [name, on] : enabled) {
            if (name == "row5") continue;  // the separator
            QAction* a = table.Action(name);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->isEnabled(), on) << name;
            EXPECT_EQ(a->isChecked(), checked[name]) << name;
        }
        // The state changes; one update follows it.
        for (auto& [name, on] : enabled) on = !on;
        table.Update();
        for (const auto& [name, on] : enabled) {
            if (QAction* a = table.Action(name)) {
                EXPECT_EQ(a->isEnabled(), on) << name;
            }
        }
        table.Action("row1")->setEnabled(true);
        table.Action("row1")->trigger();
        EXPECT_EQ(triggered, std::vector<std::string>{"row1"});
    }
}

TEST(ActionTable, ChoicesCheckOneAndStateOfAFileIsReadWhenItsMenuOpens) {
    QMainWindow window;
    TActionTable table(window, *window.menuBar(), [](const TActionRow& row) { row.run(); });
    int chosen = 0;
    int reads = 0;
    std::vector<TActionRow> rows = {TActionRow::Menu("menu", "Menu").In("", 1)};
    for (int i = 0; i < 3; ++i) {
        rows.push_back(TActionRow::Command("choice" + std::to_string(i), "c")
                           .In("menu", i)
                           .InGroup("g")
                           .Runs([&chosen, i] { chosen = i; })
                           .CheckedWhen([&chosen, &reads, i] { ++reads; return chosen == i; })
                           .ReadOnShow());
    }
    table.Add(rows);
    table.Update();
    EXPECT_EQ(reads, 0);  // not after every command
    table.Action("choice2")->trigger();
    EXPECT_EQ(chosen, 2);
    chosen = 1;  // changed elsewhere, as another program may change a file
    QMetaObject::invokeMethod(table.Menu("menu"), "aboutToShow");
    EXPECT_EQ(reads, 3);
    EXPECT_TRUE(table.Action("choice1")->isChecked());
    EXPECT_FALSE(table.Action("choice2")->isChecked());
}

}  // namespace
}  // namespace vxlo
