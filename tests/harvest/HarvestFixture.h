#pragma once

#include "tests/util/ScriptedMessages.h"
#include "tools/careers-site/CareersSiteServer.h"

#include <gtest/gtest.h>
#include <string>

// The page as the worker saves it: line breaks doubled, written through the page writer.
std::string SavedForm(const std::string& served);
// Writes a served page into the working folder as the worker would have saved it.
void SaveServedPage(int number, const std::string& served);
std::string FileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
// This process's resident memory, in KiB.
long ResidentKiB();

// A fresh bank and a local careers site, reached as the proxy so the page address keeps its host.
class CareersSiteTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CareersSiteServer site;
    ScriptedMessages messages;
};
