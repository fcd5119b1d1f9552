// Each deliverable's page, asked for through its effect's
// ISpecifyPropertyPages and made by the DLL: opened in the page test frame,
// and in the system's own property frame (OleCreatePropertyFrame), with a
// picture of each saved as a PNG file.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "framework/host_types.h"
#include "tests/page/support/host_frame.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/window_picture.h"
#include "tests/server/scenarios.h"
#include "tests/server/win32/deliverable_module.h"
#include "platform/com_ref.h"

namespace nuv::testing {
namespace {

struct PageFacts {
    const char* name;
    const wchar_t* effectClass;
    int templateWidth;  // dialog units
    int templateHeight;
    bool bordered;
    int powerButton;
    RECT powerButtonUnits;  // left, top, right, bottom in dialog units
    std::vector<int> controls;  // every control of the template
};

std::vector<int> Range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id) ids.push_back(id);
    return ids;
}

std::vector<int> Joined(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> ids;
    for (const auto& part : parts) ids.insert(ids.end(), part.begin(), part.end());
    return ids;
}

const PageFacts kPages[] = {
    {"NuvShiftwell", L"{5E7C05D8-1032-4CAF-A6CB-1F86E0A4AF3D}", 376, 102, false, 1019, {49, 36, 94, 78},
     Joined({Range(1002, 1010), {1019, 1020, 1023, 1025, 1036, 1037, 1038, 1039}})},
    {"NuvOndulo", L"{0AF8549C-6171-413C-B3F2-22528219FEF9}", 476, 124, false, 1018, {217, 2, 259, 17},
     Joined({Range(1004, 1027), Range(1029, 1048)})},
    {"NuvSloppet", L"{500F07AA-BBB6-40FE-9CF3-7158B8F5E940}", 388, 106, true, 1018, {50, 36, 95, 78},
     Joined({{1003}, Range(1005, 1009), {1015, 1016, 1018}, Range(1019, 1021), Range(1024, 1029), {1032}})},
    {"NuvGapkeeper", L"{64BAACC1-F425-4356-8FEF-294BBDC99514}", 399, 102, true, 1018, {50, 34, 95, 76},
     {1003, 1005, 1008, 1018, 1019, 1020, 1024, 1025, 1026, 1027, 1029}},
    {"NuvVelocurveV2", L"{B0D2C5BE-6E1A-40DD-AC44-6EA9B52B88F7}", 405, 124, false, 1018, {54, 44, 99, 86},
     Joined({{1008}, Range(1009, 1013), Range(1017, 1023)})},
    {"NuvWobbleton", L"{D029B552-195C-4090-B38C-66E7517AF394}", 411, 124, false, 1018, {45, 45, 90, 87},
     Joined({{1005, 1006, 1008, 1017, 1018, 1019}, Range(1029, 1035)})},
};

std::wstring PictureDir() { return WindowsPathOf(NUV_PICTURE_DIR); }

std::wstring PicturePath(const std::string& name) {
    return PictureDir() + L"\\" + std::wstring(name.begin(), name.end()) + L".png";
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

int ChildCount(HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

// The page laid out from the deliverable's own template: every control of the
// template is there, at its place in dialog units, and the page has the
// template's size.
void CheckTemplateLayout(HWND page, const PageFacts& facts) {
    for (const int id : facts.controls) EXPECT_NE(GetDlgItem(page, id), nullptr) << facts.name << " control " << id;
    EXPECT_GE(ChildCount(page), static_cast<int>(facts.controls.size()));

    RECT size{0, 0, facts.templateWidth, facts.templateHeight};
    MapDialogRect(page, &size);
    RECT client{};
    GetClientRect(page, &client);
    EXPECT_NEAR(client.right, size.right, 1) << facts.name;
    EXPECT_NEAR(client.bottom, size.bottom, 1) << facts.name;

    RECT expected = facts.powerButtonUnits;
    MapDialogRect(page, &expected);
    RECT actual{};
    GetWindowRect(GetDlgItem(page, facts.powerButton), &actual);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_NEAR(actual.left, expected.left, 1) << facts.name;
    EXPECT_NEAR(actual.top, expected.top, 1) << facts.name;
    EXPECT_NEAR(actual.right, expected.right, 1) << facts.name;
    EXPECT_NEAR(actual.bottom, expected.bottom, 1) << facts.name;
}

// A point of the background that no control of any template covers: the
// middle of the top edge (a host frame may hide the page's lower part).
std::uint32_t BackgroundSample(const page_test::WindowPicture& picture) {
    return picture.At(picture.Width() / 2, 2);
}

// Whether the picture shows the dark artwork there.
bool ShowsDarkBackground(const page_test::WindowPicture& picture) {
    const std::uint32_t sample = BackgroundSample(picture);
    const int brightness = static_cast<int>(((sample >> 16) & 255) + ((sample >> 8) & 255) + (sample & 255));
    return brightness < 3 * 110;
}

// The picture shows the painted background: dark, and not one flat colour.
void CheckPicture(const page_test::WindowPicture& picture, const std::string& file) {
    ASSERT_GT(picture.Width(), 100);
    EXPECT_TRUE(ShowsDarkBackground(picture)) << file << ": the background is not the dark artwork";
    const std::uint32_t sample = BackgroundSample(picture);
    const RECT all{0, 0, picture.Width(), picture.Height()};
    EXPECT_GT(picture.CountNot(sample, all), picture.Width() * picture.Height() / 10) << file << " is flat";
    EXPECT_TRUE(picture.SavePng(PicturePath(file))) << file;
}

class DeliverablePage : public ::testing::TestWithParam<PageFacts> {
protected:
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CreateDirectoryW(PictureDir().c_str(), nullptr);
    }
    static void TearDownTestSuite() { CoUninitialize(); }
    // Whatever a scenario made, through COM or the exports, is gone again.
    void TearDown() override {
        EXPECT_EQ(LoadedDeliverableCanUnloadNow(path), S_OK) << facts.name << " kept an object or a lock alive";
    }

    const PageFacts& facts = GetParam();
    const std::wstring path = DeliverablePath(facts.name);
    CLSID effectClass = [this] {
        CLSID id{};
        CLSIDFromString(facts.effectClass, &id);
        return id;
    }();
};

TEST_P(DeliverablePage, OpensInThePageTestFrameFromItsOwnTemplate) {
    DeliverableModule module(path);
    ASSERT_TRUE(module.Loaded());
    ComRef<IUnknown> effect(module.Create(effectClass));
    ASSERT_TRUE(effect);
    ComRef<IUnknown> made(module.Create(PageClassOf(effect.Get())));
    auto page = QueryFace<IPropertyPage>(made.Get(), IID_IPropertyPage);
    ASSERT_TRUE(page);

    page_test::HostFrame frame;
    ASSERT_EQ(frame.Open(page.Get(), effect.Get()), S_OK);
    page_test::PumpUntilIdle();
    const HWND pageWindow = GetWindow(frame.Handle(), GW_CHILD);
    ASSERT_NE(pageWindow, nullptr);
    CheckTemplateLayout(pageWindow, facts);
    auto picture = page_test::WindowPicture::Take(pageWindow);
    ASSERT_TRUE(picture.has_value());
    CheckPicture(*picture, std::string(facts.name) + "_test_frame");
    EXPECT_EQ(frame.Close(page.Get()), S_OK);
}

// What the helper thread saw of the system's property frame.
struct FrameSighting {
    std::atomic<bool> pageFound{false};
    std::atomic<bool> pagePainted{false};
    std::atomic<bool> pictureSaved{false};
    std::atomic<int> scaledPicturesSaved{0};
};

// Grows `window` (keeping its top left) to reach the screen point (right, bottom).
void GrowToReach(HWND window, LONG right, LONG bottom) {
    RECT rect{};
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, 0, 0, std::max(rect.right, right) - rect.left, std::max(rect.bottom, bottom) - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// From the watching thread: the frame's picture with its page sized to `scale` times its design size, the windows
// out to the frame grown to hold it and the frame's buttons moved below it.
bool SaveScaledPicture(HWND frame, HWND page, const PageFacts& facts, float scale, const char* suffix) {
    RECT size{0, 0, facts.templateWidth, facts.templateHeight};
    MapDialogRect(page, &size);
    AdjustWindowRectEx(&size, static_cast<DWORD>(GetWindowLongPtrW(page, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(page, GWL_EXSTYLE)));
    const LONG width = static_cast<LONG>(scale * static_cast<float>(size.right - size.left));
    const LONG height = static_cast<LONG>(scale * static_cast<float>(size.bottom - size.top));
    RECT place{};
    GetWindowRect(page, &place);
    const LONG right = place.left + width + 8;
    LONG bottom = place.top + height + 8;
    for (HWND window = GetParent(page); window != nullptr && window != frame; window = GetParent(window)) {
        GrowToReach(window, right, bottom);
    }
    const LONG buttonsTop = bottom;
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[8] = {};
        RECT rect{};
        GetWindowRect(child, &rect);
        if (GetClassNameW(child, kind, 8) == 0 || std::wstring(kind) != L"Button" || rect.top >= buttonsTop) continue;
        POINT at{rect.left, buttonsTop};
        ScreenToClient(frame, &at);
        SetWindowPos(child, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bottom = std::max(bottom, buttonsTop + (rect.bottom - rect.top) + 8);
    }
    GrowToReach(frame, right + 8, bottom + 8);
    SetWindowPos(page, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    auto picture = page_test::WindowPicture::Take(frame);
    return picture.has_value() && picture->SavePng(PicturePath(std::string(facts.name) + "_property_frame_" + suffix));
}

struct PageSearch {
    int powerButton;
    HWND found;
};

BOOL CALLBACK ConsiderPage(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<PageSearch*>(data);
    if (GetDlgItem(window, search->powerButton) == nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

// The frame's page: a window below `frame` that holds the power button.
HWND FindPage(HWND frame, int powerButton) {
    PageSearch search{powerButton, nullptr};
    EnumChildWindows(frame, &ConsiderPage, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK ConsiderFrame(HWND window, LPARAM data) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

// The property frame: a visible dialog window of `thread`.
HWND FindFrame(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, &ConsiderFrame, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The frame is modal on this thread: a second thread waits for it and its
// page, takes the picture and closes it with a posted Cancel.
TEST_P(DeliverablePage, OpensInTheSystemPropertyFrame) {
    const RegisteredDeliverable registered(path);
    ASSERT_EQ(registered.Result(), 0);
    IUnknown* effect = nullptr;
    ASSERT_EQ(CoCreateInstance(effectClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&effect)),
              S_OK);
    auto pages = QueryFace<ISpecifyPropertyPages>(effect, IID_ISpecifyPropertyPages);
    ASSERT_TRUE(pages);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);

    FrameSighting sighting;
    const DWORD mainThread = GetCurrentThreadId();
    const std::string file = std::string(facts.name) + "_property_frame";
    const int powerButton = facts.powerButton;
    std::thread watcher([this, &sighting, mainThread, file, powerButton] {
        HWND frame = nullptr;
        for (int wait = 0; wait < 200 && frame == nullptr; ++wait) {
            Sleep(50);
            frame = FindFrame(mainThread);
            if (frame != nullptr && FindPage(frame, powerButton) == nullptr) frame = nullptr;
        }
        if (frame == nullptr) return;
        const HWND page = FindPage(frame, powerButton);
        sighting.pageFound = true;
        for (int wait = 0; wait < 100 && !sighting.pagePainted; ++wait) {
            Sleep(50);
            const auto shown = page_test::WindowPicture::Take(page);
            sighting.pagePainted = shown.has_value() && ShowsDarkBackground(*shown);
        }
        auto picture = page_test::WindowPicture::Take(frame);
        sighting.pictureSaved = picture.has_value() && picture->SavePng(PicturePath(file));
        sighting.scaledPicturesSaved = SaveScaledPicture(frame, page, facts, 1.0f, "design") +
                                       SaveScaledPicture(frame, page, facts, 1.5f, "1_5x");
        PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
    });
    IUnknown* objects[] = {effect};
    const std::wstring caption = Wide(facts.name);
    const HRESULT shown = OleCreatePropertyFrame(nullptr, 10, 10, caption.c_str(), 1, objects, list.cElems,
                                                 list.pElems, 0, 0, nullptr);
    watcher.join();
    CoTaskMemFree(list.pElems);
    pages.Reset();
    effect->Release();

    EXPECT_EQ(shown, S_OK);
    EXPECT_TRUE(sighting.pageFound) << "the frame showed no page of " << facts.name;
    EXPECT_TRUE(sighting.pagePainted) << "the page in the frame shows no background";
    EXPECT_TRUE(sighting.pictureSaved) << file;
    EXPECT_EQ(sighting.scaledPicturesSaved, 2) << file;
}

INSTANTIATE_TEST_SUITE_P(Six, DeliverablePage, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<PageFacts>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nuv::testing
