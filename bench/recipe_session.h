// The recipe program started on the test backend in a folder of its own and taken past its splash,
// without tips or music; the stores are written there first.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"

namespace benchdata {

struct RecipeSession {
    drive::TempEnvironment env;
    drive::TestHost host;
    std::unique_ptr<recipe::Recipe> app;

    template <class WriteStores>
    explicit RecipeSession(WriteStores write) {
        write(env.CurrentDir());
        files::SaveSetting("recipe", "Options", "Show Tips at Startup", "0");
        files::SaveSetting("recipe", "Options", "Play music at Startup", "0");
        app = std::make_unique<recipe::Recipe>();
        app->Main();
        host.Advance(1000);  // the splash's second
        host.Advance(100);   // and its closing
    }
    ~RecipeSession() {
        forms::Unload(app->Interface());
        app.reset();
        forms::ResetApplication();
    }
};

}  // namespace benchdata
