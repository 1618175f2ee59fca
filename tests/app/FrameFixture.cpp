#include "tests/app/FrameFixture.h"

#include "search/ResultQuery.h"

void RecordingFrame::OpenResultWindow() {
    queryWhenResultsOpened = g_resultQuery;
}
