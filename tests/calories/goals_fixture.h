#pragma once
// The goal windows on their own, without the rest of the food diary: private folders, the test
// backend, and one holder per window as the program object keeps them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calories/goals/Metric.h"
#include "calories/goals/calcalintake.h"
#include "calories/goals/qform.h"
#include "calories/goals/weight.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "platform/testing/user.h"

namespace goalstest {

inline constexpr const char* kSection = "YourString.Something";

class GoalWindowTest : public ::testing::Test {
protected:
    // What the main window does on a first run before the window is shown.
    calories::calcalintake& FirstRun() {
        calories::calcalintake& w = intake();
        w.HScroll7.Value(300);
        w.HScroll8.Value(30);
        return w;
    }

    static std::string Ini(int n) {
        return files::GetPrivateProfileString(kSection, "Message" + std::to_string(n), "<missing>", 32768,
                                              "calories.INI");
    }
    static void SetIni(int n, const std::string& value) {
        files::WritePrivateProfileString(kSection, "Message" + std::to_string(n), value, "calories.INI");
    }
    std::string IniBytes() const { return drive::TempEnvironment::ReadFile(env.WindowsDir() / "calories.INI"); }

    static std::vector<std::string> Goals(const calories::calcalintake& w) {
        std::vector<std::string> out;
        for (auto& label : w.Label5) out.push_back(label.Caption());
        return out;
    }

    drive::TempEnvironment env;
    drive::TestHost host;
    forms::FormHolder<calories::calcalintake> intake;
    forms::FormHolder<calories::weight> weight;
    forms::FormHolder<calories::Metric> metric;
    forms::FormHolder<calories::qform> faq;
};

}  // namespace goalstest
