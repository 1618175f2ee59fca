// talvanor-careers-site: a careers site of our own on 127.0.0.1, to watch the harvest work.
// Usage: talvanor-careers-site [record count [milliseconds a page]]
//        talvanor-careers-site --page N     prints the page of number N as the site serves it
//   then ask for its pages through it as a proxy (http_proxy=http://127.0.0.1:<port>), as the
//   harvest does, so the page address keeps its host.
#include "tools/careers-site/CareersPage.h"
#include "tools/careers-site/CareersSiteServer.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t g_stop = 0;
}

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--page") {
        std::fputs(CareersResumePage(SampleResume(std::atoi(argv[2]))).c_str(), stdout);
        return 0;
    }
    CareersSiteServer site;
    if (argc > 1)
        site.SetRecordCount(std::atoi(argv[1]));
    site.SetDelayMilliseconds(argc > 2 ? std::atoi(argv[2]) : 400);
    if (!site.Start()) {
        std::fprintf(stderr, "talvanor-careers-site: no free port on 127.0.0.1\n");
        return 1;
    }
    std::printf("Serving the careers site; ask for its pages through the proxy %s\n",
                site.ProxyAddress().c_str());
    std::fflush(stdout);
    std::signal(SIGINT, [](int) { g_stop = 1; });
    std::signal(SIGTERM, [](int) { g_stop = 1; });
    while (!g_stop)
        pause();
    return 0;
}
