// zorvex-find as a separate process, copied into a program folder of its own with a small known
// catalogue: the table, the JSON object, the options and the exit statuses.
#include "support/ProgramFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

std::string Record(const std::string& name, std::initializer_list<int> fields) {
    // Lines 4 to 12: Delay, Attack, Hearts, Shovel, Stars, Shield, ItemDelay, ShieldRegen, Cost.
    std::string text = name + "\r\npic\r\nlayer\r\n";
    for (int field : fields)
        text += std::to_string(field) + "\r\n";
    return text;
}

class FindToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path tool = zvtest::ProgramFolder::assembled() / "zorvex-find";
        if (!std::filesystem::exists(tool))
            GTEST_SKIP() << "zorvex-find is not built";
        std::filesystem::copy_file(tool, folder.file("zorvex-find"));
        //                                     De  At  He  Sh  St  Shd ID  SR  Cost
        folder.write("data/female01.dat", "Bow\r\nCrown\r\n");
        folder.write("data/female11.dat", Record("Bow", {0, 0, 0, 0, 0, 10, 0, 0, 300}) +
                                              Record("Crown", {0, 5, 0, 0, 0, 30, 0, 0, 900}));
        folder.write("data/female02.dat", "Dress\r\n");
        folder.write("data/Female12.dat", Record("Dress", {0, 0, 4, 0, 0, 20, 0, 0, 500}));
        folder.write("data/female03.dat", "Snorkel\r\n");
        folder.write("data/Female13.dat", Record("Snorkel", {-2, 3, 0, 0, 0, 0, 0, 0, 100}));
        folder.write("data/acce01.dat", "Flag\r\n");
        folder.write("data/acce11.dat", Record("Flag", {0, 0, 2, 0, 0, 0, 0, 0, 0}));
    }

    ToolRun run(const QStringList& arguments) {
        QProcess process;
        process.start(QString::fromStdString(folder.file("zorvex-find").string()), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        ToolRun r;
        r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.out = QString::fromUtf8(process.readAllStandardOutput());
        r.err = QString::fromUtf8(process.readAllStandardError());
        return r;
    }

    zvtest::ProgramFolder folder;
};

TEST_F(FindToolTest, PrintsTheBestOutfitsAsATable) {
    const ToolRun r =
        run({QStringLiteral("--gender"), QStringLiteral("female"), QStringLiteral("--budget"),
             QStringLiteral("1000"), QStringLiteral("--top"), QStringLiteral("3")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Best of 24 outfits, proven optimal, ")))
        << lines[0].toStdString();
    // Crown, Snorkel and Flag: Shield 30 gives 42.857, plus Attack 8 and Hearts 2.
    const QString expected = QStringLiteral(
        "#  Helmet  Armor  Goggles  Accessory    Cost  Efficiency  Stars  Shield  Delay  Attack  "
        "Hearts  ItemDelay  Shovel  ShieldRegen\n"
        "1  Crown   Armor  Snorkel  Flag         1000          53      0      30     -2       8  "
        "     2          0       0            0\n"
        "2  Bow     Dress  Snorkel  Flag          900          52      0      30     -2       3  "
        "     6          0       0            0\n"
        "3  Crown   Armor  Snorkel  Accessories  1000          51      0      30     -2       8  "
        "     0          0       0            0");
    EXPECT_EQ(lines.mid(1, 4).join(QLatin1Char('\n')).toStdString(), expected.toStdString());
    EXPECT_EQ(lines[5], QString());
}

TEST_F(FindToolTest, JsonCarriesTheOutfitsTheProofAndTheTime) {
    const ToolRun r = run({QStringLiteral("--gender"), QStringLiteral("female"),
                           QStringLiteral("--objective"), QStringLiteral("stat:attack"),
                           QStringLiteral("--json"), QStringLiteral("--top"), QStringLiteral("2")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    const QJsonObject all = doc.object();
    EXPECT_TRUE(all.value(QStringLiteral("optimal")).toBool());
    EXPECT_TRUE(all.value(QStringLiteral("examined")).isDouble());
    EXPECT_GE(all.value(QStringLiteral("ms")).toDouble(-1), 0);
    const QJsonArray outfits = all.value(QStringLiteral("outfits")).toArray();
    ASSERT_EQ(outfits.size(), 2);
    const QJsonObject best = outfits[0].toObject();
    EXPECT_EQ(best.value(QStringLiteral("helmet")).toString(), QStringLiteral("Crown"));
    EXPECT_EQ(best.value(QStringLiteral("armor")).toString(), QStringLiteral("Armor"))
        << "an empty slot gives its caption";
    EXPECT_EQ(best.value(QStringLiteral("goggles")).toString(), QStringLiteral("Snorkel"));
    EXPECT_EQ(best.value(QStringLiteral("accessory")).toString(), QStringLiteral("Accessories"));
    EXPECT_EQ(best.value(QStringLiteral("cost")).toInt(), 1000);
    EXPECT_EQ(best.value(QStringLiteral("objective")).toInt(), 8);
    EXPECT_EQ(best.value(QStringLiteral("efficiency")).toInt(), 51); // 42.857 + 8
    const QJsonObject totals = best.value(QStringLiteral("totals")).toObject();
    EXPECT_EQ(totals.size(), 8);
    EXPECT_EQ(totals.value(QStringLiteral("Attack")).toInt(), 8);
    EXPECT_EQ(totals.value(QStringLiteral("Delay")).toInt(), -2);
    EXPECT_EQ(totals.value(QStringLiteral("ShieldRegen")).toInt(), 0);
    EXPECT_EQ(outfits[1].toObject().value(QStringLiteral("accessory")).toString(),
              QStringLiteral("Flag"))
        << "as good and as cheap, but later in the list";
}

TEST_F(FindToolTest, LocksWeightsAndTheWardrobe) {
    folder.write("data/wardrobe02.dat", "Crown\r\n");
    folder.write("data/wardrobe12.dat", " 1 \r\n");
    const QStringList base{QStringLiteral("--gender"), QStringLiteral("female"),
                           QStringLiteral("--budget"), QStringLiteral("500"),
                           QStringLiteral("--json"),   QStringLiteral("--top"),
                           QStringLiteral("1")};
    auto best = [&](const QStringList& more) {
        const ToolRun r = run(base + more);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8())
            .object()
            .value(QStringLiteral("outfits"))
            .toArray()[0]
            .toObject();
    };
    const QJsonObject plain = best({});
    EXPECT_EQ(plain.value(QStringLiteral("helmet")).toString(), QStringLiteral("Helmets"));
    EXPECT_EQ(plain.value(QStringLiteral("armor")).toString(), QStringLiteral("Dress"));
    const QJsonObject owned = best({QStringLiteral("--owned")});
    EXPECT_EQ(owned.value(QStringLiteral("helmet")).toString(), QStringLiteral("Crown"));
    EXPECT_EQ(owned.value(QStringLiteral("cost")).toInt(), 500) << "the crown is owned";
    const QJsonObject kept = best({QStringLiteral("--lock"), QStringLiteral("armor=Armor"),
                                   QStringLiteral("--lock"), QStringLiteral("goggles=Snorkel")});
    EXPECT_EQ(kept.value(QStringLiteral("helmet")).toString(), QStringLiteral("Bow"));
    EXPECT_EQ(kept.value(QStringLiteral("armor")).toString(), QStringLiteral("Armor"));
    EXPECT_EQ(kept.value(QStringLiteral("goggles")).toString(), QStringLiteral("Snorkel"));
    const QJsonObject weighted =
        best({QStringLiteral("--weights"), QStringLiteral("hearts=3,delay=1")});
    EXPECT_EQ(weighted.value(QStringLiteral("armor")).toString(), QStringLiteral("Dress"));
    EXPECT_EQ(weighted.value(QStringLiteral("goggles")).toString(), QStringLiteral("Goggles"));
    EXPECT_EQ(weighted.value(QStringLiteral("objective")).toInt(), 18);
}

TEST_F(FindToolTest, PlansTheBestOutfitsPurchasesWithTheCalculatorsFigures) {
    folder.write("data/settings.ini", "[Time Calculator]\r\nSaveLoad=1\r\nGameTime=10\r\n"
                                      "WinRate=50\r\nGoldPerWin=100\r\nGoldPerLoss=50\r\n");
    const QStringList arguments{QStringLiteral("--gender"), QStringLiteral("female"),
                                QStringLiteral("--budget"), QStringLiteral("1000"),
                                QStringLiteral("--top"),    QStringLiteral("1"),
                                QStringLiteral("--plan")};
    const ToolRun r = run(arguments);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    // The free flag first, then the crown (48 for 900 gold) before the snorkel (3 for 100); at
    // 75 gold a game of 10 minutes.
    const QString plan = QStringLiteral(
        "\nBuying plan from the bare figure: 3 steps, 1,000 gold in all: Efficiency from 0 to "
        "53.\n"
        "Step  Slot       Item     Price  Gold so far  Efficiency after  Games  Hours  Games so "
        "far  Hours so far\n"
        "   1  Accessory  Flag         0            0                 2\n"
        "   2  Helmet     Crown      900          900                50     13      2            "
        "13             2\n"
        "   3  Goggles    Snorkel    100         1000                53      2      0            "
        "14             2\n");
    EXPECT_TRUE(r.out.endsWith(plan)) << r.out.toStdString();

    const ToolRun json = run(arguments + QStringList{QStringLiteral("--json")});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject all = QJsonDocument::fromJson(json.out.toUtf8()).object();
    const QJsonArray steps =
        all.value(QStringLiteral("plan")).toObject().value(QStringLiteral("steps")).toArray();
    ASSERT_EQ(steps.size(), 3) << json.out.toStdString();
    EXPECT_EQ(steps[0].toObject().value(QStringLiteral("games")), QJsonValue())
        << "nothing to earn";
    const QJsonObject last = steps[2].toObject();
    EXPECT_EQ(last.value(QStringLiteral("item")).toString(), QStringLiteral("Snorkel"));
    EXPECT_EQ(last.value(QStringLiteral("gold")).toInt(), 1000);
    EXPECT_EQ(last.value(QStringLiteral("gamesSoFar")).toInt(), 14);
}

TEST_F(FindToolTest, NoOutfitIsSaidInWords) {
    const ToolRun r = run({QStringLiteral("--gender"), QStringLiteral("female"),
                           QStringLiteral("--min"), QStringLiteral("attack=9")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("No outfit meets these minimums.\n"));
}

TEST_F(FindToolTest, BadArgumentsGiveTheUsageAndStatusTwo) {
    const QStringList bad[] = {
        {},
        {QStringLiteral("--gender"), QStringLiteral("other")},
        {QStringLiteral("--gender"), QStringLiteral("male"), QStringLiteral("--budget"),
         QStringLiteral("12.5")},
        {QStringLiteral("--gender"), QStringLiteral("male"), QStringLiteral("--budget"),
         QStringLiteral("-1")},
        {QStringLiteral("--gender"), QStringLiteral("male"), QStringLiteral("--min"),
         QStringLiteral("attack=51")},
        {QStringLiteral("--gender"), QStringLiteral("male"), QStringLiteral("--min"),
         QStringLiteral("luck=5")},
        {QStringLiteral("--gender"), QStringLiteral("male"), QStringLiteral("--objective"),
         QStringLiteral("weighted")},
        {QStringLiteral("--gender"), QStringLiteral("male"), QStringLiteral("--top"),
         QStringLiteral("0")},
        {QStringLiteral("--gender"), QStringLiteral("female"), QStringLiteral("--lock"),
         QStringLiteral("helmet=Tiara")},
        {QStringLiteral("--gender"), QStringLiteral("male"), QStringLiteral("--frobnicate")},
    };
    for (const QStringList& arguments : bad) {
        const ToolRun r = run(arguments);
        EXPECT_EQ(r.status, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("Usage: zorvex-find"))) << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
    }
    const ToolRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: zorvex-find")));
}

TEST_F(FindToolTest, AMissingCatalogueIsNamedWithStatusOne) {
    std::filesystem::remove(folder.file("data/Female13.dat"));
    const ToolRun r = run({QStringLiteral("--gender"), QStringLiteral("female")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Female13.dat"))) << r.err.toStdString();
    EXPECT_EQ(r.out, QString());
}

} // namespace
