// The real DLL's editor in a host's window, driven by the requests and
// messages a host sends: opening and closing in every order, painting the
// skin, object counts over many cycles, two copies of the DLL in one process
// and parameter changes from another thread.
#include "common/fakehost.h"
#include "effect.h"
#include "framework/platform/win32/widetext.h"
#include "loadeddll.h"
#include "testskin.h"
#include "tools/vsthost/hostwindow.h"
#include "tools/vsthost/picture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Testskin::differingPixels;
constexpr int editorWidth = Testskin::width;
constexpr int editorHeight = Testskin::height;

// How many more GDI objects this process can make: one fewer for every
// object left behind. GetGuiResources tells the same on Windows, but Wine
// answers it with 0.
std::size_t creatableGdiObjects()
{
    std::vector<HRGN> probes;
    while (probes.size() < 1000000)
        if (HRGN probe = CreateRectRgn(0, 0, 1, 1))
            probes.push_back(probe);
        else
            break;
    for (HRGN probe : probes)
        DeleteObject(probe);
    return probes.size();
}

BOOL CALLBACK countWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

// The windows this thread owns, children included.
int windowsOfThisThread()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A count taken again while the window system finishes what it does after
// the program's calls have returned (Wine frees some objects of a closed
// window only when the X server answers), until it is as expected or a few
// rounds have passed.
void settle()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
    Hostwindow::pump();
}

template <class Count> auto settled(Count count, decltype(count()) expected)
{
    auto now = count();
    for (int round = 0; round < 20 && now != expected; ++round) {
        settle();
        now = count();
    }
    return now;
}

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct Editor : testing::Test {
    Loadeddll dll;
    const Picture background = Testskin::background();

    void SetUp() override
    {
        Fakehost::reset();
        ASSERT_TRUE(Testskin::write(dll));
    }

    // What the editor in host shows once it has painted.
    static Picture shown(const Hostwindow& host)
    {
        HWND editor = host.child();
        if (!editor)
            return {};
        InvalidateRect(editor, nullptr, FALSE);
        UpdateWindow(editor);
        Hostwindow::pump();
        return Picture::capture(editor);
    }
};

} // namespace

TEST_F(Editor, OpensAsAChildOfTheEditorsSizeInTheHostsWindow)
{
    Effect e(dll);
    ASSERT_TRUE(e);
    const ERect* before = e.rect();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->top, 0);
    EXPECT_EQ(before->left, 0);
    EXPECT_EQ(before->bottom, editorHeight);
    EXPECT_EQ(before->right, editorWidth);

    Hostwindow host(editorWidth, editorHeight);
    EXPECT_EQ(e.open(host), 0);
    HWND editor = host.child();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(className(editor), "fmwkwindow");
    EXPECT_EQ(GetParent(editor), host.handle());
    EXPECT_TRUE(IsWindowVisible(editor));
    RECT client = {};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, editorWidth);
    EXPECT_EQ(client.bottom, editorHeight);
    const ERect* after = e.rect();
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->bottom, editorHeight);
    EXPECT_EQ(after->right, editorWidth);

    e.closeEditor();
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ(host.child(), nullptr);
}

TEST_F(Editor, PaintsTheSkinBackgroundExactlyEveryTimeItOpens)
{
    Effect e(dll);
    Hostwindow host(editorWidth, editorHeight);
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(e.open(host), 0);
        EXPECT_EQ(differingPixels(shown(host), background), 0) << "round " << round;
        e.closeEditor();
        EXPECT_EQ(host.child(), nullptr);
    }
}

TEST_F(Editor, TwoInstancesShowTheirEditorsAtOnce)
{
    Effect first(dll), second(dll);
    Hostwindow firstHost(editorWidth, editorHeight), secondHost(editorWidth, editorHeight);
    first.open(firstHost);
    second.open(secondHost);
    ASSERT_TRUE(firstHost.child() && secondHost.child());
    EXPECT_EQ(differingPixels(shown(firstHost), background), 0);
    EXPECT_EQ(differingPixels(shown(secondHost), background), 0);
    // The window class stays while the other editor uses it.
    first.closeEditor();
    EXPECT_EQ(differingPixels(shown(secondHost), background), 0);
    first.open(firstHost);
    EXPECT_EQ(differingPixels(shown(firstHost), background), 0);
}

TEST_F(Editor, OpenAndCloseLeaveNoObjectsBehind)
{
    Effect e(dll);
    Hostwindow host(editorWidth, editorHeight);
    // The first open starts GDI+ and loads the skin, which stay.
    e.open(host);
    shown(host);
    e.closeEditor();
    for (int round = 0; round < 4; ++round)
        settle();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const std::size_t creatable = creatableGdiObjects();
    const int windows = windowsOfThisThread();
    for (int cycle = 0; cycle < 50; ++cycle) {
        e.open(host);
        shown(host);
        e.closeEditor();
        Hostwindow::pump();
    }
    EXPECT_EQ(settled(creatableGdiObjects, creatable), creatable);
    EXPECT_EQ(settled(windowsOfThisThread, windows), windows);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
    // The editor's objects are really counted: an open editor holds some.
    e.open(host);
    EXPECT_LT(creatableGdiObjects(), creatable);
    EXPECT_EQ(windowsOfThisThread(), windows + 1);
}

TEST_F(Editor, OutOfOrderRequestsLeaveOneWorkingEditor)
{
    Effect e(dll);
    Hostwindow first(editorWidth, editorHeight), second(editorWidth, editorHeight);
    // Closing what was never opened, and opening without a window.
    EXPECT_EQ(e.closeEditor(), 0);
    EXPECT_EQ(e.call(effEditOpen, nullptr), 0);
    EXPECT_EQ(first.child(), nullptr);
    EXPECT_EQ(e.closeEditor(), 0);

    // Opening before any rectangle was asked for, then again elsewhere
    // without a close: the first window goes.
    EXPECT_EQ(e.open(first), 0);
    HWND earlier = first.child();
    ASSERT_NE(earlier, nullptr);
    EXPECT_EQ(e.open(second), 0);
    EXPECT_FALSE(IsWindow(earlier));
    EXPECT_EQ(differingPixels(shown(second), background), 0);

    // A null window closes the open editor and opens nothing.
    EXPECT_EQ(e.call(effEditOpen, nullptr), 0);
    EXPECT_EQ(second.child(), nullptr);

    // The host closes the effect with its editor open.
    e.open(first);
    earlier = first.child();
    ASSERT_NE(earlier, nullptr);
    e.close();
    EXPECT_FALSE(IsWindow(earlier));
}

TEST_F(Editor, SurvivesTheHostDestroyingItsWindowFirst)
{
    Effect e(dll);
    {
        Hostwindow doomed(editorWidth, editorHeight);
        e.open(doomed);
        ASSERT_NE(doomed.child(), nullptr);
    }
    // The editor's window went with the host's; the close must not reach
    // for it again, nor harm a window made since.
    Hostwindow bystander(editorWidth, editorHeight);
    e.closeEditor();
    EXPECT_TRUE(IsWindow(bystander.handle()));
    Hostwindow host(editorWidth, editorHeight);
    e.open(host);
    EXPECT_EQ(differingPixels(shown(host), background), 0);
}

// With one window class for the process, the second copy would run the
// first copy's window procedure, which is gone once that copy unloads.
TEST_F(Editor, TwoCopiesOfTheDllKeepTheirOwnWindows)
{
    auto other = std::make_unique<Loadeddll>("Vexatone-other.dll");
    ASSERT_TRUE(Testskin::write(*other));
    auto first = std::make_unique<Effect>(*other);
    Effect second(dll);
    ASSERT_TRUE(*first && second);
    Hostwindow firstHost(editorWidth, editorHeight), secondHost(editorWidth, editorHeight);
    (*first).open(firstHost);
    second.open(secondHost);
    EXPECT_EQ(differingPixels(shown(firstHost), background), 0);
    first.reset();
    other.reset();
    EXPECT_EQ(GetModuleHandleA("Vexatone-other.dll"), nullptr);

    HWND editor = secondHost.child();
    ASSERT_NE(editor, nullptr);
    POINT inside = {100, 80};
    ClientToScreen(editor, &inside);
    SetCursorPos(inside.x, inside.y);
    SendMessageA(editor, WM_MOUSEMOVE, 0, MAKELPARAM(100, 80));
    SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 80));
    EXPECT_EQ(GetCapture(), editor) << "a press takes the mouse capture";
    SendMessageA(editor, WM_LBUTTONUP, 0, MAKELPARAM(100, 80));
    EXPECT_EQ(GetCapture(), nullptr) << "a release gives it back";
    EXPECT_EQ(differingPixels(shown(secondHost), background), 0);
}

TEST_F(Editor, ParameterChangesFromAnotherThreadMeetOpeningAndClosing)
{
    Effect e(dll);
    Hostwindow host(editorWidth, editorHeight);
    std::atomic<bool> stop{false};
    std::atomic<int> changes{0};
    AEffect* effect = e.operator->();
    std::thread automation([&] {
        while (!stop) {
            for (VstInt32 i = 0; i < effect->numParams; ++i)
                effect->setParameter(effect, i, static_cast<float>(changes % 7) / 6.0f);
            ++changes;
        }
    });
    for (int cycle = 0; cycle < 100; ++cycle) {
        e.open(host);
        Hostwindow::pump();
        e.closeEditor();
    }
    stop = true;
    automation.join();
    EXPECT_GT(changes.load(), 0);
    e.open(host);
    EXPECT_EQ(differingPixels(shown(host), background), 0);
}

// A change from another thread asks the window system for nothing; the
// editor's timer hands the redraw on, and the curve shows the change.
TEST_F(Editor, ChangesFromAnotherThreadReachTheScreenWithTheTimer)
{
    Effect e(dll);
    Hostwindow host(editorWidth, editorHeight);
    e.open(host);
    const Picture before = shown(host);
    ASSERT_EQ(before.width(), editorWidth);
    std::thread([&] {
        e.set(5 * 3, 1.0f);
        e.set(5 * 3 + 3, 1.0f);
    }).join();
    const auto displayChanged = [&](const Picture& now) {
        for (int y = 6; y < 334; ++y)
            for (int x = 6; x < 750; ++x)
                if ((now.at(x, y) & 0xFFFFFF) != (before.at(x, y) & 0xFFFFFF))
                    return true;
        return false;
    };
    bool changed = false;
    for (int wait = 0; wait < 40 && !changed; ++wait) {
        Sleep(25);
        Hostwindow::pump();
        changed = displayChanged(Picture::capture(host.child()));
    }
    EXPECT_TRUE(changed);
}

// Installed in a folder whose name lies outside the ANSI code page, the
// plug-in finds its folder, its factory bank, its skin and its settings file,
// and starts without an error box (which a watcher closes and counts).
TEST_F(Editor, FindsItsFilesInAFolderNamedInAnyScript)
{
    const Loadeddll named("Vexatone.dll", u8" 音 ✓ Папка");
    const std::wstring folder = Framework::wideText(named.folder());
    CreateDirectoryW((folder + L"\\skins").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\skins\\Red").c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Framework::wideText(besideExecutable("testskin\\background.png")).c_str(),
                          (folder + L"\\skins\\Red\\background.png").c_str(), FALSE));
    std::atomic<bool> done{false};
    std::atomic<int> errorBoxes{0};
    std::thread watcher([&] {
        while (!done) {
            if (HWND box = FindWindowW(L"#32770", L"Error")) {
                ++errorBoxes;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(20);
        }
    });
    {
        Effect e(named);
        ASSERT_TRUE(e);
        char name[32] = {};
        bool factory = false;
        for (int i = 0; i < 127; ++i) {
            e->dispatcher(e.operator->(), effGetProgramNameIndexed, i, 0, name, 0.0f);
            factory = factory || std::string(name) == "Telephone";
        }
        EXPECT_TRUE(factory) << "the factory bank";
        Hostwindow host(editorWidth, editorHeight);
        ASSERT_EQ(e.open(host), 0);
        EXPECT_EQ(differingPixels(shown(host), background), 0) << "the skin";
        e.closeEditor();
    }
    done = true;
    watcher.join();
    EXPECT_EQ(errorBoxes, 0);
    EXPECT_NE(named.readFile(Loadeddll::settings).find("def-bank-path\r\n" + named.folder() + "\\banks\\default\\\r\n"),
              std::string::npos)
        << named.readFile(Loadeddll::settings);
}
