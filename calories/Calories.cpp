#include "calories/Calories.h"

#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "platform/forms/forms.h"

namespace calories {

Calories::Calories()
    : mainform_([this] { return std::make_unique<calmain>(*this); }),
      splash_([this] { return std::make_unique<calSplash>(*this); }) {
    forms::App().Title(std::string(kProgramTitle));
}

Calories::~Calories() = default;

calmain& Calories::mainform() { return mainform_(); }
calSplash& Calories::splash() { return splash_(); }
calmain* Calories::LoadedMainform() const { return mainform_.Existing(); }
calSplash* Calories::LoadedSplash() const { return splash_.Existing(); }

void Calories::Main() {
    calSplash& s = splash();
    s.Show();
    s.Refresh();
    forms::Load(mainform());
}

void Calories::ShowCaloricNeeds() {}
void Calories::ShowWeight() {}
void Calories::ShowQuestions() {}
void Calories::ShowMetric() {}
void Calories::PresetCaloricNeeds() {}

}  // namespace calories
