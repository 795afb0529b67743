#pragma once

class QtSingleCoreApplication;
class Widget;

// The command line as a process: handed to the running copy of the program when there is
// one, carried out here without a window otherwise.
namespace CliProcess {
// True when the arguments ask for a command rather than the window.
bool wanted(int argc, char **argv);
// Runs the command line to its end and returns the exit code.
int run(int &argc, char **argv);
// Lets the window's copy carry out command lines sent to it.
void serve(QtSingleCoreApplication &app, Widget &window);
} // namespace CliProcess
