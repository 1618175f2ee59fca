#include "tests/harvest/HarvestFixture.h"

#include "harvest/DownloadWorker.h"
#include "harvest/HarvestStop.h"
#include "harvest/PageFile.h"
#include "tests/util/Bank.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return 0;
}

void SaveServedPage(int number, const std::string& served) {
    std::filesystem::create_directories(WorkingFolder());
    PageFileWriter writer;
    writer.Open(SavedPagePath(number));
    writer.Write(served);
    writer.Finish();
}

std::string SavedForm(const std::string& served) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("page.txt").toStdString();
    PageFileWriter writer;
    writer.Open(path);
    writer.Write(served);
    writer.Finish();
    return FileText(path);
}

void CareersSiteTest::SetUp() {
    FreshBank();
    HarvestStopFlag = 0;
    ASSERT_TRUE(site.Start());
    qputenv("http_proxy", site.ProxyAddress().c_str());
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
}

void CareersSiteTest::TearDown() {
    qunsetenv("http_proxy");
    HarvestStopFlag = 0;
}
