#pragma once

#include "entry/EditedResume.h"
#include "entry/SelectedValueLists.h"
#include "store/ResumeStore.h"
#include "tests/util/Bank.h"
#include "tests/util/ScriptedMessages.h"

#include <QListWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A fresh bank and empty hand-over blocks for every test.
class EntryTest : public testing::Test {
protected:
    void SetUp() override {
        FreshBank();
        SelectedValueLists.Clear();
        EditedResume = ResumeHandOver{};
    }
    void TearDown() override {
        SelectedValueLists.Clear();
        EditedResume = ResumeHandOver{};
    }

    static void SetPickList(PickListKind kind, const std::string& text) {
        ResumeStore store;
        ASSERT_EQ(store.Open(), 1);
        ASSERT_EQ(store.SavePickList(kind, text), 1);
        ASSERT_EQ(store.Close(), 1);
    }

    static std::string PickList(PickListKind kind) {
        std::string lists[3];
        ResumeStore store;
        EXPECT_EQ(store.Open(), 1);
        store.LoadPickList(lists[0], lists[1], lists[2]);
        store.Close();
        return lists[static_cast<int>(kind) - 1];
    }

    static std::vector<std::string> Items(const QListWidget* list) {
        std::vector<std::string> items;
        for (int row = 0; row < list->count(); ++row)
            items.push_back(list->item(row)->text().toStdString());
        return items;
    }

    static std::vector<std::string> SelectedItems(const QListWidget* list) {
        std::vector<std::string> items;
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->isSelected())
                items.push_back(list->item(row)->text().toStdString());
        }
        return items;
    }

    // The values of one list table for one resume, in the order they were written.
    static std::vector<std::string> ListRows(const std::string& table, const std::string& column,
                                             const std::string& id) {
        std::vector<std::string> values;
        for (const auto& row :
             QueryRows("SELECT " + column + " FROM " + table + " WHERE ID=" + id + " ORDER BY rowid"))
            values.push_back(row.at(0));
        return values;
    }

    ScriptedMessages messages;
};

using Texts = std::vector<std::string>;
