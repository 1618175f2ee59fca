#include "harvest/PageFile.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

std::string Saved(const std::vector<std::string>& arrivals) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("1.txt").toStdString();
    PageFileWriter writer;
    EXPECT_TRUE(writer.Open(path));
    for (const std::string& bytes : arrivals)
        EXPECT_TRUE(writer.Write(bytes));
    EXPECT_TRUE(writer.Finish());
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PageFile, DoublesEveryLineBreakAndDropsCarriageReturns) {
    const struct {
        const char* served;
        const char* saved;
    } cases[] = {
        {"one\ntwo\n", "one\r\n\r\ntwo\r\n\r\n"}, {"one\r\ntwo\r\n", "one\r\n\r\ntwo\r\n\r\n"},
        {"lone\rcr\n", "lonecr\r\n\r\n"},         {"last line open", "last line open\r\n"},
        {"a\n\nb", "a\r\n\r\n\r\n\r\nb\r\n"},     {"", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Saved({test.served}), test.saved) << test.served;
    // However the body arrives, in one piece or byte by byte, the file is the same.
    EXPECT_EQ(Saved({"on", "e\r", "\ntw", "o"}), "one\r\n\r\ntwo\r\n");
    EXPECT_EQ(Saved({std::string("zero\0byte\n", 10)}), std::string("zero\0byte\r\n\r\n", 13));
}

TEST(PageFile, CutsLongLinesIntoPiecesOf19999Characters) {
    const std::string fits(19998, 'a');
    EXPECT_EQ(Saved({fits + "\n"}), fits + "\r\n\r\n");
    const std::string full(19999, 'b');
    EXPECT_EQ(Saved({full + "\n"}), full + "\r\n" + "\r\n\r\n");
    const std::string longer(30000, 'c');
    EXPECT_EQ(Saved({longer + "\nend"}),
              std::string(19999, 'c') + "\r\n" + std::string(10001, 'c') + "\r\n\r\nend\r\n");
}

TEST(PageFile, ReportsAFileThatCannotBeOpened) {
    PageFileWriter writer;
    EXPECT_FALSE(writer.Open("/nonexistent-folder/1.txt"));
}

} // namespace
