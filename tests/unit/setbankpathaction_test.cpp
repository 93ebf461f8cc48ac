// Picking another bank folder from the editor's menu, on the real plug-in
// with the headless folder browser.
#include "framework/gui/setbankpathaction.h"

#include "equalizer.h"
#include "framework/gui/headless/folderanswers.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>

using namespace Framework;
using Framework::Headless::Folderrequest;

namespace {

struct Bankpath : testing::Test {
    Equalizer eq;
    Setbankpathaction action{*eq.vex, eq.gui};
    std::vector<Folderrequest> requests;
    const std::string startFolder = eq.vex->bankfolder().path;
    const std::string startSetting = eq.settings.get("def-bank-path");

    ~Bankpath() override { Headless::answerFolderBrowser(nullptr); }

    // The browser answers choice to every request.
    void answer(std::optional<std::string> choice)
    {
        Headless::answerFolderBrowser([this, choice](const Folderrequest& request) {
            requests.push_back(request);
            return choice;
        });
    }
};

} // namespace

TEST_F(Bankpath, TheBrowserStartsAtTheCurrentFolder)
{
    answer(std::nullopt);
    action.execute();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "select bank folder");
    EXPECT_EQ(requests[0].preselected, startFolder);
    EXPECT_FALSE(startFolder.empty());
}

TEST_F(Bankpath, CancellingChangesNothing)
{
    eq.host.current = 5;
    const int displays = eq.host.displayUpdates;
    eq.host.automated.clear();
    answer(std::nullopt);
    action.execute();
    EXPECT_EQ(eq.vex->bankfolder().path, startFolder) << "no rescan";
    EXPECT_EQ(eq.settings.get("def-bank-path"), startSetting);
    EXPECT_EQ(eq.host.displayUpdates, displays) << "no program switch";
    EXPECT_TRUE(eq.host.automated.empty());
    EXPECT_EQ(eq.host.current, 5);
}

TEST_F(Bankpath, AnExistingFolderIsLoadedAndStored)
{
    const std::string chosen = eq.dir.path() + "/other";
    boost::filesystem::create_directory(chosen);
    answer(chosen);
    const int displays = eq.host.displayUpdates;
    action.execute();
    EXPECT_EQ(eq.vex->bankfolder().path, chosen);
    EXPECT_EQ(eq.settings.get("def-bank-path"), chosen) << "stored as chosen, without a separator added";
    EXPECT_GT(eq.host.displayUpdates, displays);
}

TEST_F(Bankpath, AMissingFolderIsScannedButNotStored)
{
    const std::string chosen = eq.dir.path() + "/missing";
    const int displays = eq.host.displayUpdates;
    eq.host.automated.clear();
    answer(chosen);
    action.execute();
    EXPECT_EQ(eq.vex->bankfolder().path, chosen) << "the bank was rescanned";
    EXPECT_FALSE(eq.host.automated.empty()) << "program 0 of the new bank was loaded";
    EXPECT_GT(eq.host.displayUpdates, displays);
    EXPECT_EQ(eq.settings.get("def-bank-path"), startSetting);
}

TEST_F(Bankpath, NothingBeforeTheFirstScan)
{
    Settingsfile settings{eq.dir.file("fresh.ini")};
    Testhost host;
    Vex fresh(settings, Equalizer::handlers(), host, eq.gui);
    const std::string setting = settings.get("def-bank-path");
    Setbankpathaction early{fresh, eq.gui};
    answer(eq.dir.path());
    early.execute();
    EXPECT_TRUE(requests.empty()) << "no browser without a current folder";
    EXPECT_TRUE(fresh.bankfolder().path.empty());
    EXPECT_EQ(settings.get("def-bank-path"), setting);
}
