// The food diary on the desktop.
#include <memory>

#include "calories/Calories.h"
#include "platform/qt/qtui.h"

int main(int argc, char** argv) {
    std::unique_ptr<calories::Calories> program;
    const int code = qtui::RunProgram(argc, argv, "Vantorel 5.0", [&] {
        program = std::make_unique<calories::Calories>();
        program->Main();
    });
    return program && program->AlreadyRunning() ? 1 : code;
}
