#include "harvest/CareersSite.h"

std::string ResumePageAddress(int number) {
    return std::string("http://") + kCareersSiteDomain + kResumePagePath + std::to_string(number);
}
