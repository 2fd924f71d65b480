#pragma once

#include <functional>

class CCorvessaApp;

// The corvessa program from start to end: the application object, start-up, the event loop and exit.
// whenRunning, when given, is called once start-up has shown the main window and before the event loop starts;
// a program that checks corvessa's windows uses it to schedule its walk through them.
int CorvessaMain(int argc, char *argv[], const std::function<void(CCorvessaApp &)> &whenRunning = {});
