#include "tests/store/StoreTestSupport.h"

std::string StoreTest::Append(const std::string& name, const std::string& qualifications,
                              const std::string& specializations, const std::string& locations,
                              const std::string& text) {
    ResumeStore store;
    store.record.name = name;
    store.record.experience = "2-5";
    store.record.email = "someone@example.com";
    store.record.organization = "Org";
    store.record.status = "Hold";
    store.record.resumeText = text;
    store.record.qualifications = qualifications;
    store.record.specializations = specializations;
    store.record.locations = locations;
    EXPECT_EQ(store.Open(), 1);
    EXPECT_EQ(store.AppendResume(), 1);
    EXPECT_EQ(store.Close(), 1);
    return QueryRows("SELECT max(ID) FROM [Abstract Information]")[0][0];
}
