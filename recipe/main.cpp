// The recipe program on the desktop.
#include <memory>

#include "platform/qt/qtui.h"
#include "recipe/Recipe.h"

int main(int argc, char** argv) {
    std::unique_ptr<recipe::Recipe> program;
    const int code = qtui::RunProgram(argc, argv, "Sorvella", [&] {
        program = std::make_unique<recipe::Recipe>();
        program->Main();
    });
    return program && program->AlreadyRunning() ? 1 : code;
}
