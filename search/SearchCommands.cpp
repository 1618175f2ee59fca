#include "search/SearchCommands.h"

#include "platform/ModalRun.h"
#include "search/ResultDialog.h"
#include "search/SearchDialog.h"

void RunQueryForm(QWidget* parent) {
    SearchDialog form(parent);
    RunModal(form);
}

void RunResultWindow(QWidget* parent) {
    ResultDialog results(parent);
    RunModal(results);
}
