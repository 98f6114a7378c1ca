// zorvex-find: the outfit finder on the command line, on the catalogues of the program folder it
// lies in. Prints the best outfits as a table, or as one JSON object with --json; with --plan
// also the order to buy the best one in.
#include "base/ProgramPaths.h"
#include "finder/BuyingPlan.h"
#include "finder/Finder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char* const kUsage =
    "Usage: zorvex-find --gender male|female [options]\n"
    "\n"
    "Finds the best outfits of the program folder's catalogues: each of helmet, armor,\n"
    "goggles and accessory is an item of its list or stays empty.\n"
    "  --budget GOLD           spend at most this much (a whole number; default: no limit)\n"
    "  --min STAT=N[,...]      the outfit's STAT total must be at least N (-32768 to 50)\n"
    "  --objective efficiency  the efficiency figure (the default)\n"
    "  --objective stat:STAT   one stat total\n"
    "  --weights STAT=W[,...]  a weighted sum of the stat totals (W from -1000 to 1000)\n"
    "  --lock SLOT=NAME        keep this item in SLOT; the list's caption keeps SLOT empty\n"
    "  --empty SLOT            keep SLOT empty\n"
    "  --owned                 the gender's wardrobe items cost nothing\n"
    "  --top N                 how many outfits (1 to 1000, default 10)\n"
    "  --json                  print one JSON object instead of a table\n"
    "  --plan                  also the order to buy the best outfit in from the bare figure,\n"
    "                          with the games and hours the basic time calculator's kept\n"
    "                          figures give (JSON: \"plan\")\n"
    "STAT is one of stars, shield, delay, attack, hearts, itemdelay, shovel, shieldregen;\n"
    "SLOT one of helmet, armor, goggles, accessory. Totals are limited to 50 as the planner\n"
    "shows them. Exit status: 0 done, 1 a catalogue cannot be read, 2 bad arguments.\n";

struct Options {
    int gender = -1;
    zv::FinderRequest request;
    bool json = false;
    bool plan = false;
    bool weighted = false;
    bool objectiveGiven = false;
    std::vector<std::pair<int, std::string>> lockNames; // slot, name to check against the list
};

struct BadArgument {
    std::string text;
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

int64_t WholeNumber(const std::string& text, int64_t low, int64_t high, const std::string& what) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw BadArgument{what + " must be a whole number, not \"" + text + "\""};
    if (value < low || value > high)
        throw BadArgument{what + " must be from " + std::to_string(low) + " to " +
                          std::to_string(high)};
    return value;
}

int Stat(const std::string& name) {
    if (const auto stat = zv::FinderStatIndex(name))
        return *stat;
    throw BadArgument{"there is no stat \"" + name + "\""};
}

int Slot(const std::string& name) {
    const char* const names[] = {"helmet", "armor", "goggles", "accessory"};
    for (int slot = 0; slot < zv::kItemSlotCount; ++slot) {
        if (Lower(name) == names[slot])
            return slot;
    }
    throw BadArgument{"there is no slot \"" + name + "\""};
}

// "a=1,b=2" -> {a, 1}, {b, 2}.
std::vector<std::pair<std::string, std::string>> Pairs(const std::string& text,
                                                       const std::string& option) {
    std::vector<std::pair<std::string, std::string>> pairs;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        const size_t equals = item.find('=');
        if (equals == std::string::npos)
            throw BadArgument{option + " needs NAME=VALUE, not \"" + item + "\""};
        pairs.emplace_back(item.substr(0, equals), item.substr(equals + 1));
        start = comma + 1;
    }
    return pairs;
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw BadArgument{arg + " needs a value"};
            return argv[++i];
        };
        if (arg == "--gender") {
            const std::string g = Lower(value());
            if (g != "male" && g != "female")
                throw BadArgument{"--gender is male or female"};
            o.gender = g == "male" ? 0 : 1;
        } else if (arg == "--budget") {
            o.request.Budget =
                WholeNumber(value(), 0, std::numeric_limits<int64_t>::max() / 8, "--budget");
        } else if (arg == "--min") {
            for (const auto& [stat, n] : Pairs(value(), "--min"))
                o.request.Minimums[Stat(stat)] =
                    static_cast<int>(WholeNumber(n, -32768, zv::MaxStatTotal, "--min " + stat));
        } else if (arg == "--objective") {
            const std::string goal = Lower(value());
            o.objectiveGiven = true;
            if (goal == "efficiency") {
                o.request.Goal.Kind = zv::ObjectiveKind::Efficiency;
            } else if (goal.rfind("stat:", 0) == 0) {
                o.request.Goal.Kind = zv::ObjectiveKind::Stat;
                o.request.Goal.Stat = Stat(goal.substr(5));
            } else if (goal == "weighted") {
                o.request.Goal.Kind = zv::ObjectiveKind::Weighted;
            } else {
                throw BadArgument{"--objective is efficiency, stat:STAT or weighted"};
            }
        } else if (arg == "--weights") {
            o.weighted = true;
            for (const auto& [stat, w] : Pairs(value(), "--weights"))
                o.request.Goal.Weights[Stat(stat)] =
                    static_cast<int>(WholeNumber(w, -1000, 1000, "--weights " + stat));
        } else if (arg == "--lock") {
            const std::string lock = value();
            const size_t equals = lock.find('=');
            if (equals == std::string::npos)
                throw BadArgument{"--lock needs SLOT=NAME"};
            const int slot = Slot(lock.substr(0, equals));
            o.request.Locks[slot] = {zv::LockKind::Keep, lock.substr(equals + 1)};
            o.lockNames.emplace_back(slot, lock.substr(equals + 1));
        } else if (arg == "--empty") {
            o.request.Locks[Slot(value())] = {zv::LockKind::Empty, {}};
        } else if (arg == "--owned") {
            o.request.CountOwned = true;
        } else if (arg == "--top") {
            o.request.Top = static_cast<int>(WholeNumber(value(), 1, 1000, "--top"));
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--plan") {
            o.plan = true;
        } else {
            throw BadArgument{"unknown argument \"" + arg + "\""};
        }
    }
    if (o.gender < 0)
        throw BadArgument{"--gender is needed"};
    if (o.weighted) {
        if (o.objectiveGiven && o.request.Goal.Kind != zv::ObjectiveKind::Weighted)
            throw BadArgument{"--weights goes with --objective weighted only"};
        o.request.Goal.Kind = zv::ObjectiveKind::Weighted;
    } else if (o.request.Goal.Kind == zv::ObjectiveKind::Weighted) {
        throw BadArgument{"--objective weighted needs --weights"};
    }
    return o;
}

// Catalogue texts are 8-bit; the output is UTF-8.
QString Text(const std::string& latin1) {
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

void Print(const QString& text, FILE* to = stdout) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
}

QJsonObject JsonOf(const zv::FoundOutfit& outfit) {
    const char* const keys[] = {"helmet", "armor", "goggles", "accessory"};
    QJsonObject o;
    for (int slot = 0; slot < zv::kItemSlotCount; ++slot)
        o.insert(QLatin1String(keys[slot]), Text(outfit.Names[slot]));
    o.insert(QStringLiteral("cost"), static_cast<qint64>(outfit.Cost));
    o.insert(QStringLiteral("objective"), static_cast<qint64>(outfit.Value));
    o.insert(QStringLiteral("efficiency"), static_cast<qint64>(outfit.Efficiency));
    QJsonObject totals;
    for (const zv::FinderStat& stat : zv::FinderStats)
        totals.insert(Text(std::string(stat.Name)), outfit.Totals.*stat.Total);
    o.insert(QStringLiteral("totals"), totals);
    return o;
}

void PrintJson(const zv::FinderResult& result, const std::optional<QJsonObject>& plan) {
    QJsonArray outfits;
    for (const zv::FoundOutfit& outfit : result.Outfits)
        outfits.append(JsonOf(outfit));
    QJsonObject all;
    all.insert(QStringLiteral("outfits"), outfits);
    all.insert(QStringLiteral("examined"), static_cast<qint64>(result.Examined));
    all.insert(QStringLiteral("combinations"), static_cast<double>(result.Combinations));
    all.insert(QStringLiteral("optimal"), result.Optimal);
    all.insert(QStringLiteral("ms"), std::round(result.Milliseconds * 100) / 100);
    if (plan)
        all.insert(QStringLiteral("plan"), *plan);
    Print(QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    if (result.Outfits.empty())
        Print(Text(result.Problem) + QLatin1Char('\n'), stderr);
}

// Rows of cells in columns two blanks apart, those `left` names to the left.
void PrintColumns(const std::vector<QStringList>& rows,
                  const std::function<bool(qsizetype)>& left) {
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max(widths.size(), static_cast<size_t>(row.size())), 0);
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[static_cast<size_t>(c)] =
                std::max(widths[static_cast<size_t>(c)], row[c].size());
    }
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            const qsizetype width = widths[static_cast<size_t>(c)];
            line += left(c) ? row[c].leftJustified(width) : row[c].rightJustified(width);
            if (c + 1 < row.size())
                line += QStringLiteral("  ");
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        Print(line + QLatin1Char('\n'));
    }
}

void PrintTable(const zv::FinderResult& result, const zv::Objective& goal) {
    Print(Text(zv::FinderSummary(result)) + QLatin1Char('\n'));
    if (result.Outfits.empty())
        return;
    QStringList header{QStringLiteral("#"),         QStringLiteral("Helmet"),
                       QStringLiteral("Armor"),     QStringLiteral("Goggles"),
                       QStringLiteral("Accessory"), QStringLiteral("Cost")};
    const bool ownColumn = goal.Kind != zv::ObjectiveKind::Efficiency;
    if (ownColumn)
        header << Text(zv::ObjectiveTitle(goal));
    header << QStringLiteral("Efficiency");
    for (const zv::FinderStat& stat : zv::FinderStats)
        header << Text(std::string(stat.Name));
    std::vector<QStringList> rows{header};
    for (size_t i = 0; i < result.Outfits.size(); ++i) {
        const zv::FoundOutfit& o = result.Outfits[i];
        QStringList row{QString::number(i + 1)};
        for (const std::string& name : o.Names)
            row << Text(name);
        row << QString::number(o.Cost);
        if (ownColumn)
            row << QString::number(o.Value);
        row << QString::number(o.Efficiency);
        for (const zv::FinderStat& stat : zv::FinderStats)
            row << QString::number(o.Totals.*stat.Total);
        rows.push_back(row);
    }
    // Names to the left, numbers to the right.
    PrintColumns(rows, [](qsizetype column) { return column >= 1 && column <= 4; });
}

const char* const kSlotTitles[] = {"Helmet", "Armor", "Goggles", "Accessory"};

// The plan of the best outfit for a new figure: every item is bought, or put on when owned.
zv::BuyingPlan PlanOfBest(const zv::FinderCatalog& catalog, const zv::FoundOutfit& best,
                          const zv::FinderRequest& request) {
    zv::WornOutfit bare;
    bare.Names = catalog.Captions;
    zv::BuyingPlan plan =
        zv::PlanPurchases(catalog, best, bare, request.Goal,
                          request.CountOwned ? request.Owned : std::vector<zv::OwnedItem>{});
    zv::AddKeptEarningTimes(plan, QLocale());
    return plan;
}

void PrintPlan(const zv::BuyingPlan& plan, const zv::Objective& goal) {
    Print(QStringLiteral("\nBuying plan from the bare figure: ") +
          Text(zv::PlanSummary(plan, goal)) + QLatin1Char('\n'));
    if (!plan.Steps.empty()) {
        QStringList header{QStringLiteral("Step"),
                           QStringLiteral("Slot"),
                           QStringLiteral("Item"),
                           QStringLiteral("Price"),
                           QStringLiteral("Gold so far"),
                           Text(zv::ObjectiveTitle(goal)) + QStringLiteral(" after")};
        if (plan.HasTimes)
            header << QStringLiteral("Games") << QStringLiteral("Hours")
                   << QStringLiteral("Games so far") << QStringLiteral("Hours so far");
        std::vector<QStringList> rows{header};
        for (size_t i = 0; i < plan.Steps.size(); ++i) {
            const zv::PlanStep& step = plan.Steps[i];
            QStringList row{QString::number(i + 1),       QLatin1String(kSlotTitles[step.Slot]),
                            Text(zv::PlanStepText(step)), QString::number(step.Price),
                            QString::number(step.Gold),   QString::number(step.ValueAfter)};
            if (plan.HasTimes) {
                for (const auto& time : {step.StepTime, step.TotalTime})
                    row << Text(zv::EarningText(time, false)) << Text(zv::EarningText(time, true));
            }
            rows.push_back(row);
        }
        PrintColumns(rows, [](qsizetype column) { return column == 1 || column == 2; });
    }
    if (!plan.TimeNote.empty())
        Print(Text(plan.TimeNote) + QLatin1Char('\n'));
}

QJsonObject JsonOf(const zv::BuyingPlan& plan, const zv::Objective& goal) {
    const char* const keys[] = {"helmet", "armor", "goggles", "accessory"};
    // A number the calculator gave, or null: nothing to earn, not within its search, unknown.
    auto number = [](const std::optional<zv::EarningTime>& time, int32_t zv::EarningTime::*field) {
        return time && !time->Error && time->Games > 0 ? QJsonValue((*time).*field) : QJsonValue();
    };
    QJsonArray steps;
    for (const zv::PlanStep& step : plan.Steps) {
        QJsonObject o;
        o.insert(QStringLiteral("slot"), QLatin1String(keys[step.Slot]));
        o.insert(QStringLiteral("item"), Text(zv::PlanStepText(step)));
        o.insert(QStringLiteral("price"), static_cast<qint64>(step.Price));
        o.insert(QStringLiteral("gold"), static_cast<qint64>(step.Gold));
        o.insert(QStringLiteral("objective"), static_cast<qint64>(step.ValueAfter));
        o.insert(QStringLiteral("games"), number(step.StepTime, &zv::EarningTime::Games));
        o.insert(QStringLiteral("hours"), number(step.StepTime, &zv::EarningTime::Hours));
        o.insert(QStringLiteral("gamesSoFar"), number(step.TotalTime, &zv::EarningTime::Games));
        o.insert(QStringLiteral("hoursSoFar"), number(step.TotalTime, &zv::EarningTime::Hours));
        steps.append(o);
    }
    QJsonObject o;
    o.insert(QStringLiteral("summary"), Text(zv::PlanSummary(plan, goal)));
    o.insert(QStringLiteral("steps"), steps);
    o.insert(QStringLiteral("note"), Text(plan.TimeNote));
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const auto help = [](const char* arg) {
        return std::string_view(arg) == "--help" || std::string_view(arg) == "-h";
    };
    if (std::any_of(argv + 1, argv + argc, help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Options options;
    try {
        options = Parse(argc, argv);
    } catch (const BadArgument& bad) {
        std::fprintf(stderr, "zorvex-find: %s\n\n%s", bad.text.c_str(), kUsage);
        return 2;
    }

    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    zv::SetProgramFolder(ec ? std::filesystem::path(argv[0]).parent_path() : self.parent_path());
    std::string error;
    const std::optional<zv::FinderCatalog> catalog = zv::LoadFinderCatalog(options.gender, &error);
    if (!catalog) {
        std::fprintf(stderr, "zorvex-find: %s\n", error.c_str());
        return 1;
    }
    for (const auto& [slot, name] : options.lockNames) {
        const auto& items = catalog->Slots[slot];
        const bool listed =
            std::any_of(items.begin(), items.end(),
                        [&name](const zv::FinderItem& i) { return i.Name == name; });
        if (!listed && name != catalog->Captions[slot]) {
            std::fprintf(stderr, "zorvex-find: \"%s\" is not in the %s list\n\n%s", name.c_str(),
                         catalog->Captions[slot].c_str(), kUsage);
            return 2;
        }
    }
    if (options.request.CountOwned)
        options.request.Owned = zv::ReadOwnedItems(options.gender);

    const zv::FinderResult result = zv::FindOutfits(*catalog, options.request);
    const zv::Objective& goal = options.request.Goal;
    std::optional<zv::BuyingPlan> plan;
    if (options.plan && !result.Outfits.empty())
        plan = PlanOfBest(*catalog, result.Outfits.front(), options.request);
    if (options.json) {
        PrintJson(result, plan ? std::optional(JsonOf(*plan, goal)) : std::nullopt);
    } else {
        PrintTable(result, goal);
        if (plan)
            PrintPlan(*plan, goal);
    }
    return 0;
}
