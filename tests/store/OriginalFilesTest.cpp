#include "store/OriginalFiles.h"
#include "platform/DataFolder.h"
#include "store/OriginalsSweep.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

#include "tests/store/StoreTestSupport.h"
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

// The SHA-256 of "%PDF-1.4 Asha Rao", as sha256sum gives it.
constexpr const char* kPdfBytes = "%PDF-1.4 Asha Rao";
constexpr const char* kPdfSha = "50b8d1ca0fb1ca782391af2d1c10be0328c3d25d932c7cf8a5f4292e6d9481e0";

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Every file under originals/, as paths relative to it, sorted.
Texts KeptFiles() {
    Texts files;
    const fs::path folder = OriginalsFolder(DataFolder());
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

void MakeOld(const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

class Originals : public StoreTest {
protected:
    // Keeps `bytes` as the original of a new resume and stores it; the resume's ID text.
    std::string Import(const std::string& bytes, const std::string& path) {
        ResumeStore store;
        const RecordTexts texts{"Asha Rao", "2-5", "", "", "Active For Proccesing", "text of " + path};
        Fill(store, texts, "B.E.,", "", "");
        store.keptOriginal = KeepOriginal(DataFolder(), bytes, path);
        EXPECT_EQ(store.Open(), 1);
        EXPECT_EQ(store.AppendResume(), 1);
        store.Close();
        return QueryRows("SELECT max(ID) FROM [Abstract Information]")[0][0];
    }
    static OriginalsSweepResult Sweep(std::chrono::seconds age) {
        SqliteConnection bank;
        bank.Open(BankPath());
        return SweepOriginals(bank, DataFolder(), age);
    }
    static bool Delete(const std::string& id) {
        ResumeStore store;
        store.Open();
        const int result = store.DeleteResume(id);
        store.Close();
        return result == 1;
    }
};

TEST_F(Originals, AnImportKeepsItsFileByContentBesideTheBankAndNamesItInTheSameTransaction) {
    const std::string id = Import(kPdfBytes, "/home/r/CVs/Asha Rao.PDF");
    EXPECT_EQ(QueryRows("SELECT ID, Sha256, FileName, Size FROM ResumeOriginals"),
              (Rows{{id, kPdfSha, "Asha Rao.PDF", "17"}}));
    const std::string kept = std::string(kPdfSha).substr(0, 2) + "/" + kPdfSha + ".pdf";
    EXPECT_EQ(KeptFiles(), Texts{kept});
    const fs::path path = OriginalsFolder(DataFolder()) + kept;
    EXPECT_EQ(Contents(path), kPdfBytes);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read)
        << "never to be changed";

    // The same bytes again share the file; another name with another extension is another file.
    const std::string again = Import(kPdfBytes, "copy.pdf");
    const std::string asText = Import(kPdfBytes, "notes");
    EXPECT_EQ(KeptFiles(), (Texts{std::string(kPdfSha).substr(0, 2) + "/" + kPdfSha, kept}));
    EXPECT_EQ(QueryRows("SELECT count(DISTINCT Sha256) FROM ResumeOriginals"), (Rows{{"1"}}));

    // An Edit keeps the original as it was.
    ResumeStore store;
    const RecordTexts texts{"Asha R.", "5-7", "", "", "Hold", "edited"};
    Fill(store, texts, "MBA,", "", "");
    store.Open();
    ASSERT_EQ(store.UpdateResume(id), 1);
    store.Close();
    EXPECT_EQ(QueryRows("SELECT Sha256, FileName FROM ResumeOriginals WHERE ID=" + id),
              (Rows{{kPdfSha, "Asha Rao.PDF"}}));

    // A deletion drops the row at once, the file only with the last resume that names it.
    EXPECT_TRUE(Delete(id));
    EXPECT_EQ(QueryRows("SELECT count(*) FROM ResumeOriginals WHERE ID=" + id), (Rows{{"0"}}));
    EXPECT_TRUE(fs::exists(path)) << "the second resume still names it";
    EXPECT_TRUE(Delete(again));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(KeptFiles(), Texts{std::string(kPdfSha).substr(0, 2) + "/" + kPdfSha});
    EXPECT_FALSE(Delete(asText)) << "the last resume: the described result";
    EXPECT_EQ(KeptFiles(), Texts{});
    EXPECT_EQ(messages.Texts(), Texts{});
}

TEST(OriginalNames, TheExtensionIsKeptInLowerCaseWhereAViewerWouldKnowIt) {
    const std::pair<const char*, const char*> cases[] = {{"cv.pdf", ".pdf"},
                                                         {"CV.DOCX", ".docx"},
                                                         {"/a.b/cv", ""},
                                                         {".profile", ""},
                                                         {"cv.", ""},
                                                         {"cv.tar.gz", ".gz"},
                                                         {"cv.verylongext", ""},
                                                         {"cv.p df", ""},
                                                         {"cv.p\xc3\xa9", ""},
                                                         {"cv.odt/../x.TXT", ".txt"},
                                                         {"r\xc3\xa9sum\xc3\xa9.Html", ".html"}};
    for (const auto& [name, extension] : cases)
        EXPECT_EQ(OriginalExtension(name), extension) << name;
}

// A full disk, or any write the system refuses: nothing is left behind, the reason is told.
TEST_F(Originals, AFileThatCannotBeWrittenWholeLeavesNothingAndSaysWhy) {
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 4096;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN); // the system's answer is then an error, not death
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string reason;
    try {
        KeepOriginal(DataFolder(), std::string(100000, 'x'), "big.pdf");
    } catch (const OriginalFileError& error) {
        reason = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(reason,
              "the file it came from could not be kept in " + DataFolder() + "originals/: File too large");
    EXPECT_EQ(KeptFiles(), Texts{});
}

TEST_F(Originals, TheSweepRemovesOnlyOldLeftoversThatNoResumeNames) {
    const std::string named = Import("named bytes", "a.pdf");
    const OriginalFile orphan = KeepOriginal(DataFolder(), "orphan bytes", "b.pdf");
    const OriginalFile young = KeepOriginal(DataFolder(), "young bytes", "c.docx");
    const std::string folder = OriginalsFolder(DataFolder());
    const std::string partial = folder + "incoming-0123456789abcdef-1-1.partial";
    std::ofstream(partial) << "half";
    const std::string foreign = folder + std::string(orphan.sha256).substr(0, 2) + "/notes.txt";
    std::ofstream(foreign) << "someone's";
    // A row whose resume another program deleted.
    ExecuteSql("INSERT INTO ResumeOriginals (ID, Sha256, FileName, Size) VALUES (999, '" + young.sha256 +
               "', 'c.docx', 11)");
    for (const std::string& path : {OriginalPath(DataFolder(), orphan), partial, foreign})
        MakeOld(path);
    const Texts before = KeptFiles();

    OriginalsSweepResult swept = Sweep(std::chrono::seconds(60));
    EXPECT_EQ(swept.rows, 1);
    EXPECT_EQ(swept.files, 2) << "the old orphan and the old partial file";
    EXPECT_FALSE(fs::exists(OriginalPath(DataFolder(), orphan)));
    EXPECT_FALSE(fs::exists(partial));
    EXPECT_TRUE(fs::exists(foreign)) << "not of our making";
    EXPECT_TRUE(fs::exists(OriginalPath(DataFolder(), young))) << "young: an import may be naming it now";
    EXPECT_TRUE(fs::exists(folder + QueryRows("SELECT substr(Sha256,1,2) || '/' || Sha256 || '.pdf' FROM "
                                              "ResumeOriginals WHERE ID=" +
                                              named)[0][0]));
    EXPECT_EQ(KeptFiles().size(), before.size() - 2);

    swept = Sweep(std::chrono::seconds(0));
    EXPECT_EQ(swept.files, 1) << "the young one, once old enough";
    EXPECT_EQ(swept.rows, 0);
    const std::int64_t changes = [] {
        SqliteConnection bank;
        bank.Open(BankPath());
        SweepOriginals(bank, DataFolder(), std::chrono::seconds(0));
        return bank.TotalChanges();
    }();
    EXPECT_EQ(changes, 0) << "nothing left to remove: nothing written";
}

TEST_F(Originals, ABankWithoutTheTableDeletesAndSweepsAsBefore) {
    const std::string id = Append("Ann", "B.E.,");
    Append("Ravi", "B.E.,");
    ExecuteSql("DROP TABLE ResumeOriginals");
    EXPECT_TRUE(Delete(id));
    EXPECT_EQ(Sweep(std::chrono::seconds(0)).Removed(), false);
    EXPECT_EQ(messages.Texts(), Texts{});
}

} // namespace
