// Settings and presets are written whole or not at all: a full disk, a
// process killed while it writes, two processes writing at once and a link
// planted where a file goes never leave a reader a cut file or lose what
// another process wrote.
#include "framework/plugin/settingsfile.h"
#include "framework/plugin/vstfxpfileio.h"

#include "fulldisk.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>

using Framework::Settingsfile;
namespace fs = std::filesystem;

namespace {

const std::string bankPath = "/home/me/my own banks/default/";

struct Store {
    Settingsfile settings;
    explicit Store(const std::string& path) : settings(path)
    {
        settings.add("skin", "Red");
        settings.add("def-bank-path", bankPath);
        settings.add("size", "100");
        settings.add("other", "0");
        settings.load();
    }
};

// Runs body in a child process; answers its process id.
pid_t spawn(const std::function<void()>& body)
{
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    return child;
}

// The files in folder other than the lock, by name.
std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() != ".lock")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const Framework::VSTfxpfileio presets(0x6B347739, 39, 1);

} // namespace

// A write that fails on a full disk answers so, leaves the old file as it
// was and no new one; the choice waits for the next write.
TEST(Wholewrites, AFullDiskKeepsTheOldFile)
{
    Tempfolder dir;
    const std::string path = dir.file("Vexatone.ini");
    Store store(path);
    const std::string before = dir.read("Vexatone.ini");
    {
        const Fulldisk full(40);
        EXPECT_FALSE(store.settings.set("size", "200"));
        EXPECT_FALSE(presets.write("Cut", before.data(), static_cast<int>(before.size()), dir.file("Cut.fxp")));
    }
    EXPECT_EQ(dir.read("Vexatone.ini"), before);
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"Vexatone.ini", "banks"}));
    EXPECT_EQ(Store(path).settings.get("def-bank-path"), bankPath);

    EXPECT_TRUE(store.settings.set("skin", "Ivory"));
    EXPECT_EQ(Store(path).settings.get("size"), "200") << "the choice that failed to be written waited";
}

// Killed at any moment of a save, a process leaves the old settings or the
// new ones, whole, and the old preset or the new one.
TEST(Wholewrites, AKilledWriterLeavesAWholeFile)
{
    Tempfolder dir;
    const std::string path = dir.file("Vexatone.ini"), preset = dir.file("Same.fxp");
    Store(path).settings.set("size", "150");
    const std::string small(300, 'a'), large(5000, 'b');
    ASSERT_TRUE(presets.write("Same", small.data(), 300, preset));
    const std::string smallFile = dir.read("Same.fxp");
    std::mt19937 random(7);
    int wholeKills = 0;
    for (int kill = 0; kill < 300; ++kill) {
        const pid_t child = spawn([&] {
            Store store(path);
            for (int i = 0;; ++i) {
                store.settings.set("size", i % 2 ? "200" : "150");
                presets.write("Same", (i % 2 ? large : small).data(), i % 2 ? 5000 : 300, preset);
            }
        });
        usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const Store after(path);
        const std::string size = after.settings.get("size");
        ASSERT_TRUE(size == "150" || size == "200") << "kill " << kill << ": " << size;
        ASSERT_EQ(after.settings.get("def-bank-path"), bankPath) << "kill " << kill;
        const std::string file = dir.read("Same.fxp");
        ASSERT_TRUE(file == smallFile || file.size() == 5000 + 60) << "kill " << kill << ": " << file.size();
        wholeKills += size == "200";
    }
    EXPECT_GT(wholeKills, 0) << "some kills came after a write";
}

// Two processes change their own setting and save a preset of one name a
// thousand times each: every write succeeds, a reader never meets a cut or
// empty file, and each process's last choice stays.
TEST(Wholewrites, TwoProcessesWriteAtOnce)
{
    Tempfolder dir;
    const std::string path = dir.file("Vexatone.ini"), preset = dir.file("Shared.fxp");
    Store(path).settings.get("size");
    const auto writer = [&](const char* key, const std::string& bytes) {
        return spawn([&, key] {
            Store store(path);
            bool fine = true;
            for (int i = 1; i <= 1000; ++i) {
                fine = store.settings.set(key, std::to_string(i)) && fine;
                fine = presets.write(key, bytes.data(), static_cast<int>(bytes.size()), preset) && fine;
            }
            _exit(fine ? 0 : 1);
        });
    };
    const pid_t first = writer("size", std::string(400, 'x')), second = writer("other", std::string(700, 'y'));
    int reads = 0, cut = 0;
    int status[2] = {-1, -1};
    const auto running = [&](pid_t child, int& into) { return into == -1 && waitpid(child, &into, WNOHANG) == 0; };
    for (bool alive = true; alive; ++reads) {
        const Store reader(path);
        cut += reader.settings.get("def-bank-path") != bankPath;
        const std::size_t size = dir.read("Shared.fxp").size();
        cut += size != 460 && size != 760 && size != 0;
        alive = running(first, status[0]) | running(second, status[1]);
    }
    EXPECT_EQ(cut, 0) << "in " << reads << " reads";
    for (const int each : status)
        EXPECT_TRUE(WIFEXITED(each) && WEXITSTATUS(each) == 0) << "a write failed";
    const Store after(path);
    EXPECT_EQ(after.settings.get("size"), "1000");
    EXPECT_EQ(after.settings.get("other"), "1000");
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"Shared.fxp", "Vexatone.ini", "banks"}));
}

// A link planted where a file is written is replaced, never written
// through: the file it points at stays as it was.
TEST(Wholewrites, APlantedLinkIsReplacedNotFollowed)
{
    Tempfolder dir;
    dir.write("victim", "theirs");
    fs::create_symlink(dir.file("victim"), dir.file("Vexatone.ini"));
    fs::create_symlink(dir.file("victim"), dir.file("Mine.fxp"));
    Store store(dir.file("Vexatone.ini"));
    EXPECT_TRUE(store.settings.set("size", "200"));
    EXPECT_TRUE(presets.write("Mine", "abcd", 4, dir.file("Mine.fxp")));
    EXPECT_EQ(dir.read("victim"), "theirs");
    EXPECT_FALSE(fs::is_symlink(dir.file("Vexatone.ini")));
    EXPECT_FALSE(fs::is_symlink(dir.file("Mine.fxp")));
    EXPECT_EQ(Store(dir.file("Vexatone.ini")).settings.get("size"), "200");
}
