// talvanor-bank: backs up, checks, lists and restores the bank from the command line.
#include "tools/bank/BankCommands.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunBankCommand(std::vector<std::string>(argv + 1, argv + argc));
}
