// The entry routine: brings the application up with its one window and runs it until the window
// is closed. The start-up arguments are not read, and the exit code is always 0.
#include "Application.h"
#include "FormMain.h"

int main(int, char**) {
    // Qt gets a bare program name, so that none of its own command-line options apply.
    int argc = 1;
    char name[] = "Vellomar";
    char* argv[] = {name, nullptr};
    vellomar::TApplication application(argc, argv);
    vellomar::Application->Start(vellomar::FormMain);
    return 0;
}
