#include "entry/EditedResume.h"

ResumeHandOver EditedResume;
