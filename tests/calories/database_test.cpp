// The "&Database" menu of the main window: personal food groups (open, create, add, delete,
// clear, save at shutdown), deleting from the food database, and damaged group files.
#include "calories/foods/foodentry.h"
#include "platform/services/commondialog.h"
#include "program.h"

namespace {

using caltest::Food;
using caltest::Program;
namespace fs = std::filesystem;

constexpr const char* kPersonal = "All Items Personal list";
constexpr const char* kNotOnPersonal =
    "Please view a food group other than the personal food group list to use this option";

class Database : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        WriteFoods({
            Food("Sirloin", 200, "Beef", 10, 70, 0, 0, 26),  // 0
            Food("Brisket", 290, "Beef", 21, 80, 0, 0, 23),
            Food("Duck", 337, "Poultry"),  // 2
        });
        WriteFoods({Food("Oat bar", 120, kPersonal), Food("apple crisp", 180, kPersonal, 4)}, "mine.per");
        SetIni(calories::kOpenFileSection, calories::kPersonalFile, Data("mine.per").string());
    }
    std::string Group() const { return Bytes(Data("mine.per")); }
    static std::string RecordsOf(const std::vector<calories::FoodItem>& foods) {
        std::string bytes;
        for (const auto& f : foods) bytes += calories::encode(f);
        return bytes;
    }
    void ShowPersonal() { drive::Click(main().Command1); }
    std::vector<std::string> Prompts() const {
        std::vector<std::string> out;
        for (const auto& m : host.MsgBoxes()) out.push_back(m.prompt);
        return out;
    }
};

TEST_F(Database, MenuHoldsItsFourteenItemsInOrder) {
    Open();
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"mnuaddpersonal", "Add &selected food from food list to Personal food group list"},
        {"mnuHelpBar8", "-"},
        {"mnustartnew", "C&reate new Personal Food group"},
        {"mnuopenpersonal", "&Open Personal food group"},
        {"mnudeletepersonal", "D&elete entry from personal food group list"},
        {"mnuclear", "&Clear Personal food group list"},
        {"mnushowpersonal", "S&how Personal Food group list"},
        {"mnudisplay", "Se&nd Food Personal Food Group to Lumbreck for display on Hompage"},
        {"mnuHelpBar6", "-"},
        {"mnufind", "&Find food in current food group"},
        {"mnufindmore", "&Go here for more search options"},
        {"mnuHelpBar7", "-"},
        {"mnuaddmaindatabase", "&Add entry to Personal or main database"},
        {"mnudeletemaindatabase", "&Delete entry from main database"},
    };
    const auto& items = main().mnudatabase.Items();
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->Name(), expected[i].first);
        EXPECT_EQ(items[i]->Caption(), expected[i].second);
        EXPECT_TRUE(items[i]->Available()) << items[i]->Name();
        EXPECT_FALSE(items[i]->Checked()) << items[i]->Name();
    }
    EXPECT_EQ(main().mnudatabase.Caption(), "&Database");
}

TEST_F(Database, OpeningAGroupSavesTheCurrentOneFirstAndRemembersTheNewOne) {
    WriteFoods({Food("Trail mix", 460, kPersonal)}, "other.per");
    Open();
    ChooseGroup("Beef");
    SelectFood("Sirloin");
    drive::Click(main().Command8);  // in memory only
    EXPECT_EQ(Group().size(), 2 * calories::kFoodItemSize);

    host.AnswerFileDialog(Data("other.per").string());
    drive::ChooseMenu(main().mnuopenpersonal);
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    const auto& request = host.FileDialogs()[0].request;
    EXPECT_EQ(request.kind, services::FileDialogKind::Open);
    EXPECT_EQ(request.title, "Open");
    EXPECT_EQ(request.flags, 0x1804);
    EXPECT_EQ(request.defaultExt, "PER");
    EXPECT_EQ(request.filter, "PER files (*.per)|*.per");
    EXPECT_EQ(request.fileName, "");

    EXPECT_EQ(Group().size(), 3 * calories::kFoodItemSize) << "the group left was written before the dialog";
    EXPECT_EQ(app->personalfile, Data("other.per").string());
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), Data("other.per").string());
    EXPECT_EQ(main().Combo1.Text(), "All Items in Personal list");
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Trail mix"}));
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Database, CancellingTheOpenDialogStillSavesAndShowsTheGroup) {
    Open();
    ChooseGroup("Beef");
    SelectFood("Brisket");
    drive::Click(main().Command8);
    host.CancelFileDialog();
    drive::Click(main().Command20);  // the toolbar button opens too
    EXPECT_EQ(Group().size(), 3 * calories::kFoodItemSize);
    EXPECT_EQ(app->personalfile, Data("mine.per").string());
    EXPECT_EQ(main().Combo1.Text(), "All Items in Personal list");
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"apple crisp", "Brisket", "Oat bar"}));
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Database, CreatingAGroupMakesAnEmptyFileAndNamesIt) {
    Open();
    host.AnswerFileDialog(Data("fresh.per").string());
    drive::ChooseMenu(main().mnustartnew);
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    EXPECT_EQ(host.FileDialogs()[0].request.title, "New");
    EXPECT_EQ(host.FileDialogs()[0].request.flags, 0x2000);
    EXPECT_EQ(host.FileDialogs()[0].request.kind, services::FileDialogKind::Open);
    EXPECT_TRUE(fs::exists(Data("fresh.per")));
    EXPECT_EQ(Bytes(Data("fresh.per")), "");
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), Data("fresh.per").string());
    EXPECT_EQ(main().Combo1.Text(), "All Items in Personal list");
    EXPECT_EQ(main().List1.ListCount(), 0);

    // Its first food lands after the blank element, and shutdown writes both.
    ChooseGroup("Poultry");
    SelectFood("Duck");
    drive::Click(main().Command8);
    ASSERT_EQ(app->personaldata.size(), 2u);
    Close();
    const std::string bytes = Bytes(Data("fresh.per"));
    ASSERT_EQ(bytes.size(), 2 * calories::kFoodItemSize);
    EXPECT_EQ(bytes.substr(0, calories::kFoodItemSize), calories::encode(calories::FoodItem{}));
    EXPECT_EQ(bytes.substr(calories::kFoodItemSize),
              calories::encode(calories::PersonalFood(std::string("Duck") + std::string(36, ' '), {337, 0, 0, 0, 0, 0})));
}

TEST_F(Database, AFileThatCannotBeRecordedIsReported) {
    Open();
    // The INI cannot be written: a folder stands where it should be.
    fs::remove(env.WindowsDir() / "calories.INI");
    fs::create_directories(env.WindowsDir() / "calories.INI");
    WriteFoods({Food("Trail mix", 460, kPersonal)}, "other.per");
    host.AnswerFileDialog(Data("other.per").string());
    drive::ChooseMenu(main().mnuopenpersonal);
    ASSERT_FALSE(host.MsgBoxes().empty());
    EXPECT_EQ(host.MsgBoxes().back().prompt, "Can't open file " + Data("other.per").string());
    EXPECT_EQ(host.MsgBoxes().back().title, "Vantorel 5.0");
    EXPECT_NE(main().Combo1.Text(), "All Items in Personal list") << "the group is not shown";
    fs::remove_all(env.WindowsDir() / "calories.INI");
}

TEST_F(Database, AddingTheSelectedFoodCopiesItsShownValues) {
    Open();
    ShowPersonal();
    drive::Click(main().Command8);
    ChooseGroup("Beef");
    drive::ChooseMenu(main().mnuaddpersonal);  // nothing selected
    SelectFood("Sirloin");
    drive::Click(main().Command8);
    drive::ChooseMenu(main().mnuaddpersonal);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{kNotOnPersonal, "Please Select a food first"}));
    ASSERT_EQ(app->personaldata.size(), 4u);
    EXPECT_EQ(app->personaldata[2], app->personaldata[3]) << "added twice: two identical records";
    const calories::FoodItem& f = app->personaldata[2];
    EXPECT_EQ(f, calories::PersonalFood("Sirloin", {200, 10, 70, 0, 0, 26}));
    EXPECT_EQ(f.group.view(), vb::FixedField(kPersonal, 60));
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Brisket", "Sirloin"})) << "the list is not refilled";
    EXPECT_EQ(main().List2.ListIndex(), -1);
    ShowPersonal();
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"apple crisp", "Oat bar", "Sirloin", "Sirloin"}));
}

TEST_F(Database, DeletingFromThePersonalGroupWritesItAtOnce) {
    Open();
    ChooseGroup("Beef");
    SelectFood("Sirloin");
    drive::ChooseMenu(main().mnudeletepersonal);
    ShowPersonal();
    drive::ChooseMenu(main().mnudeletepersonal);  // nothing selected
    SelectFood("Oat bar");
    drive::ChooseMenu(main().mnudeletepersonal);  // unscripted: the default button, No
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Please view the Personal food List to use this option",
                                                   "Please Select a food first",
                                                   "Are you sure to want to delete this food ?"}));
    const auto& ask = host.MsgBoxes().back();
    EXPECT_EQ(ask.style, 276);
    EXPECT_EQ(ask.title, "Deleting foods from database");
    EXPECT_EQ(ask.helpFile, "DEMO.HLP");
    EXPECT_EQ(ask.context, 1000);
    EXPECT_EQ(main().List1.ListCount(), 2);
    EXPECT_FALSE(fs::exists(Data("mine.bak"))) << "No changes nothing";

    host.AnswerMsgBox(services::vbYes);
    drive::ChooseMenu(main().mnudeletepersonal);
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"apple crisp"}));
    EXPECT_EQ(main().List1.ListIndex(), -1);
    EXPECT_EQ(app->personaldata[0].deleted, 1) << "kept in memory, flagged";
    EXPECT_EQ(Group(), RecordsOf({Food("apple crisp", 180, kPersonal, 4)}));
    EXPECT_EQ(Bytes(Data("mine.bak")).size(), 2 * calories::kFoodItemSize);
}

TEST_F(Database, DeletingFromTheFoodDatabaseWritesItAtOnce) {
    Open();
    ShowPersonal();
    drive::ChooseMenu(main().mnudeletemaindatabase);
    ChooseGroup("Beef");
    drive::ChooseMenu(main().mnudeletemaindatabase);
    SelectFood("Brisket");
    host.AnswerMsgBox(services::vbNo);
    drive::ChooseMenu(main().mnudeletemaindatabase);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{kNotOnPersonal, "Please select a food first",
                                                   "Are you sure to want to delete this food ?"}));
    EXPECT_EQ(host.MsgBoxes().back().style, 276);
    EXPECT_EQ(main().List1.ListCount(), 2);

    const std::string before = Bytes(Data("fooddata.bok"));
    host.AnswerMsgBox(services::vbYes);
    drive::ChooseMenu(main().mnudeletemaindatabase);
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Sirloin"}));
    EXPECT_EQ(Bytes(Data("fooddata.bok")),
              RecordsOf({Food("Sirloin", 200, "Beef", 10, 70, 0, 0, 26), Food("Duck", 337, "Poultry")}));
    EXPECT_EQ(Bytes(Data("fooddata.bak")), before);
    EXPECT_EQ(app->fooddata.size(), 3u) << "indices stay valid until the next load";
}

TEST_F(Database, ClearingTheGroupAsksAndEmptiesItInMemory) {
    Open();
    ShowPersonal();
    drive::ChooseMenu(main().mnuclear);  // No
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Are you sure you want to clear the personal food list ?");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Vantorel");
    EXPECT_EQ(host.MsgBoxes()[0].style, 276);
    EXPECT_EQ(app->personaldata.size(), 2u);

    host.AnswerMsgBox(services::vbYes);
    drive::ChooseMenu(main().mnuclear);
    EXPECT_EQ(main().Combo1.Text(), "Beef");
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Brisket", "Sirloin"}));
    ASSERT_EQ(app->personaldata.size(), 1u);
    EXPECT_EQ(app->personaldata[0], calories::FoodItem{});
    EXPECT_EQ(Group().size(), 2 * calories::kFoodItemSize) << "nothing written yet";

    SelectFood("Brisket");
    drive::Click(main().Command8);
    EXPECT_EQ(app->personaldata.size(), 2u) << "appended after the blank element";
    Close();
    EXPECT_EQ(Group(), calories::encode(calories::FoodItem{}) +
                           calories::encode(calories::PersonalFood("Brisket", {290, 21, 80, 0, 0, 23})));
}

TEST_F(Database, AGroupRoundTripsByteForByte) {
    // Foods of other groups, a negative value and Windows-1252 letters come back as they were.
    const std::string original = RecordsOf({Food("Cr\xE8me br\xFBl\xE9" "e", 330, kPersonal, -2),
                                            Food("Stew", 300, "Beef"), Food("Oat bar", 120, kPersonal)});
    drive::TempEnvironment::WriteFile(Data("mine.per"), original);
    Open();
    ShowPersonal();
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Cr\xE8me br\xFBl\xE9" "e", "Oat bar"}));
    host.CancelFileDialog();
    drive::ChooseMenu(main().mnuopenpersonal);
    EXPECT_EQ(Group(), original);
    Close();
    EXPECT_EQ(Group(), original);
}

class UnnamedGroup : public Database {
protected:
    void SetUp() override {
        Database::SetUp();
        SetIni(calories::kOpenFileSection, calories::kPersonalFile, "");
        Open();
        EXPECT_TRUE(host.MsgBoxes().empty()) << "no group named: nothing to read";
        ChooseGroup("Beef");
        SelectFood("Sirloin");
        drive::Click(main().Command8);
    }
};

TEST_F(UnnamedGroup, ShutdownAsksWhereToKeepItsFoods) {
    host.AnswerFileDialog(Data("kept").string());
    Close();
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    const auto& request = host.FileDialogs()[0].request;
    EXPECT_EQ(request.kind, services::FileDialogKind::Save);
    EXPECT_EQ(request.defaultExt, "PER");
    EXPECT_TRUE(request.flags & services::cdlOFNOverwritePrompt);
    EXPECT_EQ(Bytes(Data("kept.PER")).size(), 2 * calories::kFoodItemSize);
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), Data("kept.PER").string());
}

TEST_F(UnnamedGroup, DecliningToNameItSaysSoAndStillCloses) {
    host.CancelFileDialog();
    Close();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "The foods of your personal food group were not saved.");
    EXPECT_TRUE(host.ProgramEnded());
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), "");
}

TEST_F(UnnamedGroup, AnEmptyUnnamedGroupIsLeftAlone) {
    host.AnswerMsgBox(services::vbYes);
    drive::ChooseMenu(main().mnuclear);
    host.CancelFileDialog();
    drive::ChooseMenu(main().mnuopenpersonal);
    Close();
    ASSERT_EQ(host.FileDialogs().size(), 1u) << "only the open dialog";
    EXPECT_EQ(host.MsgBoxes().size(), 1u) << "only the question";
}

class DamagedGroup : public Database {
protected:
    void SetUp() override {
        Database::SetUp();
        calories::FoodItem control = Food("Tab\there", 10, kPersonal);
        calories::FoodItem flag = Food("Odd flag", 20, kPersonal);
        flag.deleted = 7;
        calories::FoodItem nulInside;
        nulInside.name.SetRaw(std::string("Ab\0cd", 5));
        nulInside.group = kPersonal;
        original = RecordsOf({Food("Oat bar", 120, kPersonal), control, flag, nulInside, calories::FoodItem{},
                              Food("Flan", 210, kPersonal)});
        drive::TempEnvironment::WriteFile(Data("mine.per"), original);
        Open();
    }
    std::string original;
};

TEST_F(DamagedGroup, OpensWithAMessageAndShowsWhatIsSound) {
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    const std::string& prompt = host.MsgBoxes()[0].prompt;
    EXPECT_EQ(prompt.rfind(Data("mine.per").string(), 0), 0u) << prompt;
    EXPECT_NE(prompt.find("3 records"), std::string::npos) << prompt;
    ShowPersonal();
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Flan", "Oat bar"}));
}

// Unchanged, or cleared (nothing left to keep), it is not written over and no dialog asks.
TEST_F(DamagedGroup, IsNotWrittenOverUnchangedOrCleared) {
    for (const bool cleared : {false, true}) {
        SCOPED_TRACE(cleared ? "cleared" : "unchanged");
        if (cleared) {
            Open();
            host.AnswerMsgBox(services::vbYes);
            drive::ChooseMenu(main().mnuclear);
        }
        Close();
        EXPECT_EQ(Group(), original);
        EXPECT_TRUE(host.FileDialogs().empty());
    }
}

TEST_F(DamagedGroup, ItsChangesGoToANewFile) {
    ChooseGroup("Poultry");
    SelectFood("Duck");
    drive::Click(main().Command8);
    host.AnswerFileDialog(Data("mine.per").string());  // the damaged file itself is refused
    host.AnswerFileDialog(Data("rescued.per").string());
    Close();
    EXPECT_EQ(Group(), original);
    ASSERT_EQ(host.FileDialogs().size(), 2u);
    EXPECT_EQ(host.MsgBoxes().back().prompt,
              Data("mine.per").string() + " is damaged and is not written over. Please choose another file.");
    EXPECT_EQ(Bytes(Data("rescued.per")),
              RecordsOf({Food("Oat bar", 120, kPersonal), calories::FoodItem{}, Food("Flan", 210, kPersonal),
                         calories::PersonalFood("Duck", {337, 0, 0, 0, 0, 0})}));
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), Data("rescued.per").string());
}

TEST_F(DamagedGroup, APersonalDeleteDoesNotWriteOverIt) {
    ShowPersonal();
    SelectFood("Flan");
    host.AnswerMsgBox(services::vbYes);
    host.CancelFileDialog();
    drive::ChooseMenu(main().mnudeletepersonal);
    EXPECT_EQ(Group(), original);
    EXPECT_EQ(host.MsgBoxes().back().prompt, "The foods of your personal food group were not saved.");
}

TEST(StripNameFromDirName, GivesTheNameBehindTheLastSeparator) {
    const struct {
        const char* path;
        const char* name;
    } rows[] = {
        {"Mine.per", "Mine.per"},
        {"D:\\Diet\\Mine.per", "Mine.per"},
        {"C:\\a\\b\\c\\Lunch.per", "Lunch.per"},
        {"/home/me/diet/mine.per", "mine.per"},
        {"C:\\mixed/folders\\x.per", "x.per"},
        {"", ""},
        {"D:\\Diet\\", "D:\\Diet\\"},
        {"/", "/"},
    };
    for (const auto& r : rows) EXPECT_EQ(calories::StripNameFromDirName(r.path), r.name) << r.path;
}

TEST(IsSoundFood, TellsRecordsThisProgramWritesFromForeignOnes) {
    auto raw = [](std::string name, std::string group, vb::Integer deleted = 0) {
        calories::FoodItem f;
        f.name.SetRaw(name);
        f.group.SetRaw(group);
        f.deleted = deleted;
        return f;
    };
    const std::string padded = std::string("Oat bar") + std::string(33, ' ');
    const struct {
        const char* what;
        calories::FoodItem food;
        bool sound;
    } rows[] = {
        {"a record the program wrote", calories::PersonalFood("Oat bar", {1, 2, 3, 4, 5, 6}), true},
        {"the blank element", calories::FoodItem{}, true},
        {"deleted", raw(padded, kPersonal, 1), true},
        {"NUL-ended texts", raw("Oat bar", "Beef"), true},
        {"Windows-1252 letters", raw("Cr\xE8me", "Beef"), true},
        {"a control character", raw("Oat\x01" "bar", kPersonal), false},
        {"a line break in the group", raw(padded, "Beef\r\n"), false},
        {"text after a NUL", raw(std::string("Oat\0bar", 7), kPersonal), false},
        {"a strange deleted flag", raw(padded, kPersonal, 2), false},
        {"a negative deleted flag", raw(padded, kPersonal, -1), false},
    };
    for (const auto& r : rows) EXPECT_EQ(calories::IsSoundFood(r.food), r.sound) << r.what;
}

}  // namespace
