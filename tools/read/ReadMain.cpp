// talvanor-read: prints the text of resume files as the text import reads them.
#include "tools/read/ReadCommand.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunReadCommand(arguments, std::cout, std::cerr);
}
