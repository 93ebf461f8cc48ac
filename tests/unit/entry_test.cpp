// The module as a host meets it: entry point, AEffect record, identity
// answers and the settings file the instance leaves behind.
#include "module/entry.h"

#include "common/effectrecord.h"
#include "common/fakehost.h"
#include "framework/platform/headless/headless.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Entry : testing::Test {
    Tempfolder dir;
    void SetUp() override { Fakehost::reset(); }

    static VstIntPtr call(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                          float opt = 0.0f)
    {
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }
    static std::string text(AEffect* e, VstInt32 opcode)
    {
        char buffer[100];
        std::memset(buffer, 'z', sizeof buffer);
        call(e, opcode, 0, 0, buffer);
        return buffer;
    }
    std::string expectedIni() const
    {
        return "skin\nRed\ndef-bank-path\n" + dir.path() + "/banks/default/\nsize\nscreen\nanalyzer\noutput\n";
    }
};

} // namespace

TEST_F(Entry, HostVersionZeroMakesNothing)
{
    Fakehost::reset(0);
    EXPECT_EQ(VSTPluginMain(Fakehost::callback), nullptr);
    ASSERT_EQ(Fakehost::calls().size(), 1u);
    EXPECT_EQ(Fakehost::calls()[0].opcode, audioMasterVersion);
    EXPECT_EQ(Fakehost::calls()[0].effect, nullptr);
    EXPECT_EQ(dir.read(Tempfolder::settings), "");
    EXPECT_EQ(VSTPluginMain(nullptr), nullptr);
}

TEST_F(Entry, EffectRecordCarriesTheFinalDescription)
{
    AEffect* e = VSTPluginMain(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    expectEffectRecord(*e);
    EXPECT_TRUE(Framework::Headless::shownErrors().empty());
    EXPECT_EQ(call(e, effClose), 1);
}

TEST_F(Entry, IdentityAnswers)
{
    AEffect* e = VSTPluginMain(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(text(e, effGetEffectName), "Vexatone");
    EXPECT_EQ(text(e, effGetProductString), "Vexatone");
    EXPECT_EQ(text(e, effGetVendorString), "Hollowbirch");
    EXPECT_EQ(call(e, effGetVendorVersion), 2);
    EXPECT_EQ(call(e, effGetVstVersion), 2400);
    EXPECT_EQ(call(e, effIdentify), 0x4E764566);
    EXPECT_EQ(call(e, effGetEffectName), 0) << "null text pointer";
    char receiveEvents[] = "receiveVstEvents", receiveMidi[] = "receiveVstMidiEvent";
    char wrongCase[] = "receivevstmidievent", empty[] = "";
    EXPECT_EQ(call(e, effCanDo, 0, 0, receiveEvents), 1);
    EXPECT_EQ(call(e, effCanDo, 0, 0, receiveMidi), 1);
    EXPECT_EQ(call(e, effCanDo, 0, 0, wrongCase), -1);
    EXPECT_EQ(call(e, effCanDo, 0, 0, empty), -1);
    EXPECT_EQ(call(e, 9999), 0);
    call(e, effClose);
}

TEST_F(Entry, CloseDestroysTheInstanceAndWritesTheSettingsFile)
{
    AEffect* e = VSTPluginMain(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    dir.write(Tempfolder::settings, "");
    EXPECT_EQ(call(e, effClose), 1);
    EXPECT_EQ(dir.read(Tempfolder::settings), expectedIni());
}

// A file of the first format keeps its values and gains the newer keys.
TEST_F(Entry, StoredSettingsSurviveALoad)
{
    const std::string stored = "skin\nBlue\ndef-bank-path\n/presets/\n";
    dir.write(Tempfolder::settings, stored);
    AEffect* e = VSTPluginMain(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    call(e, effClose);
    EXPECT_EQ(dir.read(Tempfolder::settings), stored + "size\nscreen\nanalyzer\noutput\n");
}

// The file earlier versions kept beside the module gives the user's first
// values, once, and is never written; the user's own file holds from then.
TEST_F(Entry, SettingsBesideTheModuleStartTheUsersOwn)
{
    const std::string earlier = "skin\nBlue\ndef-bank-path\n/presets/\nlater\nkept\n";
    dir.write("Vexatone.ini", earlier);
    call(VSTPluginMain(Fakehost::callback), effClose);
    EXPECT_EQ(dir.read(Tempfolder::settings),
              "skin\nBlue\ndef-bank-path\n/presets/\nsize\nscreen\nanalyzer\noutput\nlater\nkept\n");
    dir.write("Vexatone.ini", "skin\nGreen\n");
    AEffect* again = VSTPluginMain(Fakehost::callback);
    ASSERT_NE(again, nullptr);
    call(again, effClose);
    EXPECT_NE(dir.read(Tempfolder::settings).find("skin\nBlue\n"), std::string::npos);
    EXPECT_EQ(dir.read("Vexatone.ini"), "skin\nGreen\n") << "only ever read";
}

TEST_F(Entry, InstancesShareTheFileAndWriteOnlyWhatTheyChanged)
{
    dir.write(Tempfolder::settings, "skin\nFirst\ndef-bank-path\n/a/\n");
    AEffect* first = VSTPluginMain(Fakehost::callback);
    dir.write(Tempfolder::settings, "skin\nSecond\ndef-bank-path\n/b/\n");
    AEffect* second = VSTPluginMain(Fakehost::callback);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);

    call(second, effClose);
    EXPECT_EQ(dir.read(Tempfolder::settings), "skin\nSecond\ndef-bank-path\n/b/\nsize\nscreen\nanalyzer\noutput\n");
    call(first, effClose);
    EXPECT_EQ(dir.read(Tempfolder::settings), "skin\nSecond\ndef-bank-path\n/b/\nsize\nscreen\nanalyzer\noutput\n")
        << "the first instance changed nothing";
}
