#include "calories/Calories.h"

#include <filesystem>

#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/foods/Search.h"
#include "calories/foods/addfood.h"
#include "calories/goals/calcalintake.h"
#include "calories/goals/Metric.h"
#include "calories/goals/qform.h"
#include "calories/goals/weight.h"
#include "calories/period/frmCalendar.h"
#include "calories/side/calAbout.h"
#include "calories/side/email.h"
#include "platform/forms/forms.h"
#include "platform/services/desktop.h"
#include "platform/services/startup.h"

namespace calories {

Calories::Calories()
    : mainform_([this] { return std::make_unique<calmain>(*this); }),
      splash_([this] { return std::make_unique<calSplash>(*this); }),
      addfood_([this] { return std::make_unique<calories::addfood>(*this); }),
      search_([this] { return std::make_unique<calories::Search>(*this); }),
      calendar_([this] { return std::make_unique<calories::frmCalendar>(*this); }),
      email_([this] { return std::make_unique<calories::email>(*this); }) {
    forms::App().Title(std::string(kProgramTitle));
    // The help pages come with the program's data; without them the program has no help file.
    const services::HelpRequest contents{"Calories.hlp", services::HELP_INDEX, 0};
    std::error_code ec;
    if (std::filesystem::is_regular_file(services::HelpTopic(contents), ec)) forms::App().HelpFile(contents.helpFile);
}

Calories::~Calories() = default;

calmain& Calories::mainform() { return mainform_(); }
calSplash& Calories::splash() { return splash_(); }
calmain* Calories::LoadedMainform() const { return mainform_.Existing(); }
calSplash* Calories::LoadedSplash() const { return splash_.Existing(); }

// "&Ok" stays disabled while the main window loads, so the program cannot be shown half loaded
// while the splash paints its progress.
void Calories::Main() {
    folderLock_ = services::StartOnDataFolder("calories", "Vantorel", kProgramTitle,
                                              {std::string(kFoodDatabase), std::string(kPeriodLog)});
    if (!folderLock_) {
        alreadyRunning_ = true;
        return;
    }
    StartReadingAhead();
    calSplash& s = splash();
    s.Command1.Enabled(false);
    s.Show();
    s.Refresh();
    forms::DoEvents();
    forms::Load(mainform());
    if (calSplash* shown = LoadedSplash()) shown->Command1.Enabled(true);
}

calcalintake& Calories::calcalintake() { return calcalintake_(); }
weight& Calories::weight() { return weight_(); }
Metric& Calories::Metric() { return metric_(); }
qform& Calories::qform() { return qform_(); }
frmCalendar& Calories::frmCalendar() { return calendar_(); }
calAbout& Calories::calAbout() { return about_(); }
email& Calories::email() { return email_(); }

void Calories::ShowCaloricNeeds() { calcalintake().Show(); }
void Calories::ShowWeight() { weight().Show(); }
void Calories::ShowQuestions() { qform().Show(); }
void Calories::ShowMetric() { Metric().Show(); }

calories::addfood& Calories::addfood() { return addfood_(); }
calories::Search& Calories::Search() { return search_(); }
void Calories::ShowAddFood() { addfood().Show(); }
void Calories::ShowSearch() { Search().Show(); }

void Calories::PresetCaloricNeeds() {
    calories::calcalintake& goals = calcalintake();
    goals.HScroll7.Value(300);
    goals.HScroll8.Value(30);
}

}  // namespace calories
