// Writes the sample food database and ingredient store from the food composition table:
//   make_sample_data foods.csv fooddata.bok Ing.dat [--report]
// --report lists how many foods each food group got.
#include <cstring>
#include <exception>
#include <iostream>
#include <map>

#include "platform/core/error.h"
#include "calories/foodgroups.h"
#include "tools/sampledata.h"

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5 || (argc == 5 && std::strcmp(argv[4], "--report") != 0)) {
        std::cerr << "usage: make_sample_data foods.csv fooddata.bok Ing.dat [--report]\n";
        return 2;
    }
    try {
        const auto rows = sampledata::ReadFoodTable(argv[1]);
        std::vector<calories::FoodItem> foods;
        std::vector<recipe::IngRecord> ingredients;
        std::map<std::string, int> perGroup;
        for (const auto& row : rows) {
            foods.push_back(sampledata::MakeFoodItem(row));
            ingredients.push_back(sampledata::MakeIngRecord(row));
            ++perGroup[row.group];
        }
        calories::WriteFoodFile(argv[2], foods);
        recipe::WriteIngFile(argv[3], ingredients);
        if (argc == 5) {
            for (auto group : calories::kFoodGroups)
                std::cout << perGroup[std::string(group)] << '\t' << group << '\n';
            std::cout << rows.size() << "\tfoods\n";
        }
    } catch (const vb::Error& e) {
        std::cerr << "make_sample_data: " << e.number << ' ' << e.description << ' ' << e.source << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "make_sample_data: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
