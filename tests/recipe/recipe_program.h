#pragma once
// A whole recipe program per test, driven through its windows with the test backend: its own
// folders, its stores written first, started like a user starts it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/safesave.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "platform/testing/user.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/ingredients/DeleteIngFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/SearchFrm.h"
#include "recipe/side/SplashFrm.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/store/grammar.h"
#include "recipe/store/ingrecord.h"

namespace recipetest {

namespace fs = std::filesystem;

inline recipe::IngRecord Ing(const std::string& name, const std::string& unit1 = "cup", float qty1 = 1,
                             const std::string& unit2 = "g", float qty2 = 240,
                             recipe::MeasureKindValue kind = recipe::kVolumeAndWeight) {
    recipe::IngRecord r;
    r.Name = name;
    r.Unit1 = unit1;
    r.Qty1 = qty1;
    r.Unit2 = unit2;
    r.Qty2 = qty2;
    r.MeasureKind = kind;
    return r;
}

// The nutrients of a record, in the record's order.
struct Facts {
    vb::Single Cal = 0, Fat = 0, SatFat = 0;
    vb::Long Chol = 0;
    vb::Single Sodium = 0, TotalCarbs = 0, Fiber = 0, Protein = 0;
};
inline recipe::IngRecord With(recipe::IngRecord r, const Facts& f) {
    r.Cal = f.Cal;
    r.Fat = f.Fat;
    r.SatFat = f.SatFat;
    r.Chol = f.Chol;
    r.Sodium = f.Sodium;
    r.TotalCarbs = f.TotalCarbs;
    r.Fiber = f.Fiber;
    r.Protein = f.Protein;
    return r;
}

// The worked example: a cup weighs 240 g.
inline recipe::IngRecord Example(const std::string& name = "Example") {
    return With(Ing(name), {.Cal = 200, .Fat = 12, .SatFat = 4.8f, .Chol = 30, .Sodium = 480, .TotalCarbs = 24,
                            .Fiber = 6, .Protein = 6});
}

// What a recipe test needs whatever backend draws the windows: its folders, the program, its
// stores and settings, the builder worked as a user does. The host comes with the fixture built on it.
class Kitchen : public ::testing::Test {
protected:
    // The program's first window, the splash; nothing else yet.
    void Start() {
        app = std::make_unique<recipe::Recipe>();
        app->Main();
    }
    // Unloads the main window (if loaded) and forgets the program. A recipe left unsaved is let go
    // without the question, which a real desktop would wait on.
    void Quit() {
        if (app) app->Changes_Saved = true;
        if (app && app->LoadedInterface()) forms::Unload(app->Interface());
        app.reset();
    }

    recipe::InterfaceFrm& main() { return app->Interface(); }
    recipe::CalcFrm& calc() { return app->CalcFrm(); }

    // --- files ---
    fs::path Data(const std::string& name) const { return env.CurrentDir() / name; }
    void WriteIngredients(const std::vector<recipe::IngRecord>& recs) {
        std::string bytes;
        for (const auto& r : recs) bytes += recipe::encode(r);
        drive::TempEnvironment::WriteFile(Data("Ing.dat"), bytes);
    }
    void WriteRecipes(const std::string& bytes) { drive::TempEnvironment::WriteFile(Data("Recipe.Dat"), bytes); }
    static std::string Bytes(const fs::path& p) { return fs::exists(p) ? files::ReadAllBytes(p) : std::string(); }
    static std::string Option(const std::string& key) { return files::GetSetting("recipe", "Options", key, "(none)"); }
    static void SetOption(const std::string& key, const std::string& value) {
        files::SaveSetting("recipe", "Options", key, value);
    }

    // --- the builder, as a user works it ---
    void Pick(const std::string& ingredient) {
        drive::DropDown(calc().IngLst2);
        drive::ChooseItem(calc().IngLst, ingredient);
    }
    // The whole part and fraction spinners.
    void Spin(int whole, int fraction) {
        drive::ScrollTo(calc().OnesVs, static_cast<vb::Integer>(whole));
        drive::ScrollTo(calc().FracVs, static_cast<vb::Integer>(fraction));
    }
    void Measure(const std::string& measure) { drive::ChooseItem(calc().MeasureLst, measure); }
    void Add() { drive::Click(calc().Addcmd); }

    // --- reading the windows ---
    static std::vector<std::string> Items(const forms::ListControl& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
        return out;
    }
    // lblCals, lblFCals, lblFg, lblFP, lblCg, lblCP, lblSg, lblSP, lblTCg, lblTCP, lblPg, lblTFg,
    // lblTFP, lblSFg, lblSFP, Label24, Label23, Label21.
    std::vector<std::string> Panel() {
        auto& c = calc();
        return {c.lblCals.Caption(), c.lblFCals.Caption(), c.lblFg.Caption(), c.lblFP.Caption(),
                c.lblCg.Caption(),   c.lblCP.Caption(),    c.lblSg.Caption(), c.lblSP.Caption(),
                c.lblTCg.Caption(),  c.lblTCP.Caption(),   c.lblPg.Caption(), c.lblTFg.Caption(),
                c.lblTFP.Caption(),  c.lblSFg.Caption(),   c.lblSFP.Caption(), c.Label24.Caption(),
                c.Label23.Caption(), c.Label21.Caption()};
    }

    drive::TempEnvironment env;
    std::unique_ptr<recipe::Recipe> app;
};

// The recipe program on the test backend.
class Program : public Kitchen {
protected:
    void TearDown() override { Quit(); }

    // Started, the main window up after the splash's second and the splash gone 100 ms later.
    void Open() {
        Start();
        host.Advance(1000);
        host.Advance(100);
    }

    // Whole part and fraction spinner values, in fractions (true) or decimals.
    void Quantity(int whole, int fraction, bool fractions = true) {
        drive::Click(calc().F_DOpt[fractions ? 0 : 1]);
        Spin(whole, fraction);
    }
    void AddLine(const std::string& ingredient, int whole, int fraction, const std::string& measure,
                 bool fractions = true) {
        Pick(ingredient);
        Quantity(whole, fraction, fractions);
        Measure(measure);
        Add();
    }
    std::vector<std::string> MsgBoxPrompts() const {
        std::vector<std::string> out;
        for (const auto& m : host.MsgBoxes()) out.push_back(m.prompt);
        return out;
    }

    drive::TestHost host;
};

}  // namespace recipetest
