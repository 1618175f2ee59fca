#pragma once

class QWidget;

// The main window's search commands, each run modally over `parent`.

// "&Query Form": "Search The Resume".
void RunQueryForm(QWidget* parent);

// The Result Window on g_resultQuery (All Records sets it to every resume).
void RunResultWindow(QWidget* parent);
