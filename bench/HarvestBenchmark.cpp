// Times the harvest's work on the UI thread: cutting and mapping one 60 KB page, and importing
// saved pages (message boxes answered at once) beside the store's own append of the same resumes.
// Usage: harvest_benchmark [pages] [repetitions]   (makes its bank in a temporary folder of its own)
#include "bench/Timing.h"
#include "harvest/DownloadWorker.h"
#include "harvest/Normalisation.h"
#include "harvest/PageExtraction.h"
#include "harvest/PageFile.h"
#include "harvest/PageImport.h"
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"
#include "store/ResumeStore.h"
#include "tools/BankSetup.h"
#include "tools/careers-site/CareersPage.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

std::string SavedPage(const std::string& served) {
    const std::string path = DataFolder() + "bench-page.txt";
    PageFileWriter writer;
    writer.Open(path);
    writer.Write(served);
    writer.Finish();
    std::string page;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    char buffer[65536];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        page.append(buffer, read);
    std::fclose(file);
    std::filesystem::remove(path);
    return page;
}

void SavePages(int count) {
    std::filesystem::create_directories(WorkingFolder());
    for (int number = 0; number < count; ++number) {
        PageFileWriter writer;
        writer.Open(SavedPagePath(number));
        writer.Write(CareersResumePage(SampleResume(number)));
        writer.Finish();
    }
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCoreApplication application(argc, argv);
    const int pages = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    SetMessageAnswerer([](const MessageRequest&) { return MessageAnswer::Ok; });
    PrepareDataFolder(DataFolder());

    // A 60 KB page: the sample resume with a long text.
    CareersResume resume = SampleResume(3);
    while (resume.text.size() < 50000)
        resume.text += "Built and ran billing, payroll and reporting systems for large clients.\n";
    const std::string page = SavedPage(CareersResumePage(resume));
    HarvestPickLists lists = LoadHarvestPickLists();
    std::vector<double> perPage;
    for (int run = 0; run < repetitions; ++run) {
        perPage.push_back(Milliseconds([&] {
                              for (int round = 0; round < 1000; ++round) {
                                  ResumePageFields fields;
                                  ExtractResumePage(page, fields);
                                  NormaliseQualifications(fields.qualification);
                                  NormaliseSpecializations(fields.specialization);
                                  NormaliseExperience(fields.experience);
                                  std::string pick = lists.qualifications;
                                  MatchPickList(fields.qualification, pick);
                                  pick = lists.specializations;
                                  MatchPickList(fields.specialization, pick);
                                  pick = lists.locations;
                                  MatchPickList(fields.location, pick);
                              }
                          }) /
                          1000);
    }
    std::printf("page of %zu characters: extraction + normalisation %.3f ms a page (target < 1 ms)\n",
                page.size(), Median(perPage));

    std::vector<double> importTimes;
    std::vector<double> appendTimes;
    for (int run = 0; run < repetitions; ++run) {
        SavePages(pages);
        importTimes.push_back(Milliseconds([&] { ImportDownloadedPages(lists); }) / pages);
        appendTimes.push_back(Milliseconds([&] {
                                  for (int number = 0; number < pages; ++number) {
                                      const CareersResume sample = SampleResume(number);
                                      ResumeStore store;
                                      store.record.name = sample.name;
                                      store.record.experience = "2-5";
                                      store.record.email = sample.email;
                                      store.record.resumeText = sample.text;
                                      store.record.organization = "Not Specified";
                                      store.record.status = "Active For Processing";
                                      store.record.qualifications = "B.E.,";
                                      store.record.specializations = "JAVA,";
                                      store.record.locations = "PUNE,";
                                      store.Open();
                                      store.AppendResume();
                                      store.Close();
                                  }
                              }) /
                              pages);
    }
    const double import = Median(importTimes);
    const double append = Median(appendTimes);
    std::printf("import of %d saved pages: %.2f ms a page; the store's append alone: %.2f ms (%.0f%% of the "
                "import)\n",
                pages, import, append, 100 * append / import);
    return 0;
}
