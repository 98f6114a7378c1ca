#pragma once
// Runs the program: sets up the application object and the program folder, starts the splash
// (which opens the main window) and turns a termination request (SIGTERM, SIGINT) into an
// orderly close.
namespace zv {

int RunZorvex(int argc, char** argv);

} // namespace zv
