#pragma once

#include "store/ResumeStore.h"
#include "tests/util/Bank.h"
#include "tests/util/ScriptedMessages.h"

#include <gtest/gtest.h>
#include <string>

// The scalar texts of one resume; a record borrows them, so they must outlive its operation.
struct RecordTexts {
    std::string name, experience, email, organization, status, text;
};
void Fill(ResumeStore& store, const RecordTexts& texts, const std::string& qualifications,
          const std::string& specializations, const std::string& locations);

// A fresh bank and a message script for every test.
class StoreTest : public testing::Test {
protected:
    void SetUp() override { FreshBank(); }

    // Appends one resume through a fresh store and returns its ID text.
    std::string Append(const std::string& name, const std::string& qualifications,
                       const std::string& specializations = "S,", const std::string& locations = "L,",
                       const std::string& text = "resume text");

    // Appends one resume with all its texts, qualification "B.E.", and returns its ID text.
    std::string AppendRecord(const RecordTexts& texts);

    static long Count(const std::string& table) {
        return std::stol(QueryRows("SELECT count(*) FROM " + table)[0][0]);
    }
    static Rows ListRows(const std::string& table, const std::string& id) {
        return QueryRows("SELECT * FROM " + table + " WHERE ID=" + id + " ORDER BY rowid");
    }

    ScriptedMessages messages;
};
