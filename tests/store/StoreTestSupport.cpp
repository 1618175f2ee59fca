#include "tests/store/StoreTestSupport.h"

void Fill(ResumeStore& store, const RecordTexts& texts, const std::string& qualifications,
          const std::string& specializations, const std::string& locations) {
    store.record.name = texts.name;
    store.record.experience = texts.experience;
    store.record.email = texts.email;
    store.record.organization = texts.organization;
    store.record.status = texts.status;
    store.record.resumeText = texts.text;
    store.record.qualifications = qualifications;
    store.record.specializations = specializations;
    store.record.locations = locations;
}

std::string StoreTest::AppendRecord(const RecordTexts& texts) {
    ResumeStore store;
    Fill(store, texts, "B.E.,", "S,", "L,");
    EXPECT_EQ(store.Open(), 1);
    EXPECT_EQ(store.AppendResume(), 1);
    EXPECT_EQ(store.Close(), 1);
    return QueryRows("SELECT max(ID) FROM [Abstract Information]")[0][0];
}

std::string StoreTest::Append(const std::string& name, const std::string& qualifications,
                              const std::string& specializations, const std::string& locations,
                              const std::string& text) {
    const RecordTexts texts{name, "2-5", "someone@example.com", "Org", "Hold", text};
    ResumeStore store;
    Fill(store, texts, qualifications, specializations, locations);
    EXPECT_EQ(store.Open(), 1);
    EXPECT_EQ(store.AppendResume(), 1);
    EXPECT_EQ(store.Close(), 1);
    return QueryRows("SELECT max(ID) FROM [Abstract Information]")[0][0];
}
