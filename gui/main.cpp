// quarnsoft: the service tool's executable.

#include "gui/ProgramRun.h"

int main(int argc, char** argv) {
    return quarn::gui::runProgram(argc, argv);
}
