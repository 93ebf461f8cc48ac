// Typed value entry on real edit boxes, the framework linked in directly:
// keys typed into the box, the box dying with its window, the fonts of many
// entries, and the folder browser closed from another thread.
#include "framework/gui/folderbrowser.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/valueinput.h"
#include "framework/gui/window.h"

#include "framework/plugin/paramset.h"
#include "tools/vsthost/hostwindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

using namespace Framework;

namespace {

class Plainwindow : public Window {
public:
    Plainwindow() : Window(120, 60) {}
    void paint(int&, int&, int&, int&) override {}
    void mouse(int&, int&, int&, bool&) override {}
};

class Rangedset : public Paramset {
public:
    double getValue(int) override { return value; }
    double getMax(int) override { return 1e9; }
    double getMin(int) override { return 0.0; }
    void setValue(double v, int, bool) override
    {
        value = v;
        ++writes;
    }
    double value = 0.5;
    int writes = 0;
};

struct Realentry : testing::Test {
    std::unique_ptr<Hostwindow> host = std::make_unique<Hostwindow>(200, 100);
    Plainwindow window;
    Pixelfont font{nullptr, 6};
    Valueinput input{36, 17, 5, 7, 12, 0, font};
    Rangedset set;
    Binding binding{&set, 0};
    Mouseevent event;
    int x = 20, y = 30;

    void SetUp() override { ASSERT_TRUE(window.open(host->handle())); }

    // Presses the widget; the edit box over the window, or null.
    HWND press()
    {
        event.code = 1;
        input.mouse(window, x, y, binding, event);
        return FindWindowExA(static_cast<HWND>(window.handle()), nullptr, "edit", nullptr);
    }
    static void type(HWND box, const std::string& text)
    {
        for (char c : text)
            SendMessageA(box, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    }
    static void key(HWND box, WPARAM virtualKey) { SendMessageA(box, WM_KEYDOWN, virtualKey, 1); }
    static std::string text(HWND box)
    {
        char buffer[64] = {};
        GetWindowTextA(box, buffer, sizeof buffer);
        return buffer;
    }
    int boxes() const
    {
        int count = 0;
        for (HWND child = nullptr;
             (child = FindWindowExA(static_cast<HWND>(window.handle()), child, "edit", nullptr)) != nullptr;)
            ++count;
        return count;
    }
};

} // namespace

TEST_F(Realentry, TypedKeysAreCommittedByEnterAndDroppedByEscape)
{
    HWND box = press();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(text(box), "0.50");
    RECT area{};
    GetWindowRect(box, &area);
    MapWindowPoints(nullptr, static_cast<HWND>(window.handle()), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 20);
    EXPECT_EQ(area.top, 30);
    EXPECT_EQ(area.right - area.left, 36);
    EXPECT_EQ(area.bottom - area.top, 17);
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & 0x50000081, 0x50000081);
    EXPECT_EQ(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), 7);
    EXPECT_EQ(SendMessageA(box, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    EXPECT_EQ(GetFocus(), box);

    type(box, "2");
    EXPECT_EQ(text(box), "2") << "the typed key replaces the selected text";
    key(box, VK_TAB);
    SetFocus(static_cast<HWND>(window.handle()));
    EXPECT_TRUE(IsWindow(box)) << "no other key and no focus change closes the box";
    key(box, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(box)) << "Escape closes it";
    EXPECT_EQ(input.entry(), nullptr);
    EXPECT_EQ(set.writes, 0);

    box = press();
    type(box, "2");
    key(box, VK_RETURN);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(input.entry(), nullptr);
    EXPECT_EQ(set.value, 2.0);
}

TEST_F(Realentry, TheLimitHoldsAndAllOfItIsCommitted)
{
    HWND box = press();
    type(box, "123456789");
    EXPECT_EQ(text(box), "1234567");
    key(box, VK_RETURN);
    EXPECT_EQ(set.value, 1234567.0);
}

TEST_F(Realentry, ASecondPressLeavesOneBox)
{
    press();
    HWND box = press();
    EXPECT_EQ(boxes(), 1);
    type(box, "0.25");
    key(box, VK_RETURN);
    EXPECT_EQ(boxes(), 0);
    EXPECT_EQ(set.value, 0.25);
}

TEST_F(Realentry, TheBoxDiesWithTheHostWindow)
{
    HWND box = press();
    ASSERT_NE(box, nullptr);
    const HGDIOBJ boxFont = reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0));
    EXPECT_EQ(GetObjectType(boxFont), static_cast<DWORD>(OBJ_FONT));
    host.reset();
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(input.entry(), nullptr) << "the widget learned of it";
    EXPECT_EQ(GetObjectType(boxFont), 0u) << "the font went with the box";
    event.code = 1;
    input.mouse(window, x, y, binding, event);
    EXPECT_EQ(input.entry(), nullptr) << "no box without a window";
    EXPECT_EQ(set.writes, 0);
    window.close();
}

TEST_F(Realentry, EveryBoxFreesItsFont)
{
    for (int n = 0; n < 50; ++n) {
        HWND box = press();
        ASSERT_NE(box, nullptr);
        const HGDIOBJ boxFont = reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0));
        ASSERT_EQ(GetObjectType(boxFont), static_cast<DWORD>(OBJ_FONT));
        type(box, std::to_string(n));
        key(box, VK_RETURN);
        ASSERT_EQ(GetObjectType(boxFont), 0u) << "entry " << n;
    }
    EXPECT_EQ(set.value, 49.0);

    HWND replaced = press();
    const HGDIOBJ replacedFont = reinterpret_cast<HGDIOBJ>(SendMessageA(replaced, WM_GETFONT, 0, 0));
    HWND kept = press();
    EXPECT_EQ(GetObjectType(replacedFont), 0u) << "a replaced box";
    HGDIOBJ goneFont = nullptr;
    {
        Valueinput gone{36, 17, 5, 7, 12, 0, font};
        event.code = 1;
        gone.mouse(window, x, y, binding, event);
        HWND parent = static_cast<HWND>(window.handle());
        HWND box = FindWindowExA(parent, nullptr, "edit", nullptr);
        if (box == kept)
            box = FindWindowExA(parent, box, "edit", nullptr);
        goneFont = reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0));
        EXPECT_EQ(GetObjectType(goneFont), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(goneFont), 0u) << "the box of a deleted widget";
}

namespace {

// Presses a button of the dialog that the test's thread shows, from another
// thread, once it shows; after a deadline it cancels whatever dialog shows,
// so the modal loop always ends.
class Dialogpresser {
public:
    explicit Dialogpresser(int button)
        : thread([this, button, owner = GetCurrentThreadId()] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
              while (!stop && std::chrono::steady_clock::now() < deadline) {
                  if (HWND dialog = shownDialog(owner)) {
                      // Let the dialog finish its start, preselection included.
                      std::this_thread::sleep_for(std::chrono::milliseconds(500));
                      PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
              if (HWND dialog = shownDialog(owner))
                  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
          })
    {
    }
    ~Dialogpresser()
    {
        stop = true;
        thread.join();
    }

private:
    static BOOL CALLBACK takeDialog(HWND window, LPARAM result)
    {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    // A visible dialog window of thread, or null.
    static HWND shownDialog(DWORD thread)
    {
        HWND found = nullptr;
        EnumThreadWindows(thread, takeDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::atomic<bool> stop{false};
    std::thread thread;
};

} // namespace

TEST_F(Realentry, TheFolderBrowserStartsAtTheGivenFolder)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string preselected = folder;
    if (!preselected.empty() && preselected.back() == '\\')
        preselected.pop_back();
    // The modal dialog answers before chooseFolder returns.
    std::optional<std::string> chosen;
    bool answered = false;
    const auto take = [&](const std::optional<std::string>& answer) {
        chosen = answer;
        answered = true;
    };
    {
        Dialogpresser ok(IDOK);
        chooseFolder(window, "select bank folder", preselected, take);
    }
    ASSERT_TRUE(answered);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(lstrcmpiA(chosen->c_str(), preselected.c_str()), 0)
        << *chosen << ": OK takes the preselected folder " << preselected;

    answered = false;
    Dialogpresser cancel(IDCANCEL);
    chooseFolder(window, "select bank folder", preselected, take);
    EXPECT_TRUE(answered);
    EXPECT_FALSE(chosen.has_value());
}
