// The NuvOndulo page driven through its controls under Wine.
#include "tests/ondulo/win32/page_fixture.h"
#include "toolkit/kop_messages.h"

namespace nuv::ondulo {
namespace {

// A press sent straight to a control, as while a slider holds the mouse.
void SendPress(const kop::KopScaledControl& control, POINT at = POINT{3, 3}) {
    SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    page_test::PumpUntilIdle();
}

TEST_F(OnduloPage, IntervalsAndTheFreqModeShowTheFrequencyValue) {
    Open();
    for (int press = 0; press < 2; ++press) Click(page->intervalButtons[3]);  // "Half", pressed again
    EXPECT_TRUE(page->intervalButtons[3].Checked());
    EXPECT_EQ(effect->freeCycle, 2.0f);
    EXPECT_EQ(page->frequency.label.Caption(), L"16");
    EXPECT_EQ(pageRef->IsPageDirty(), S_OK);
    Click(page->intervalButtons[6]);
    EXPECT_EQ(page->frequency.label.Caption(), L"128");
    Click(page->freqMode);
    EXPECT_EQ(effect->useInterval, 0);
    EXPECT_EQ(page->frequency.slider.Value(), 127.0f);
    EXPECT_EQ(page->frequency.label.Caption(), L"127");
    EXPECT_FALSE(IsWindowEnabled(page->intervalButtons[0].Handle()));
    // "Interval" mid-drag: the slider's last notification must not glide the interval's cycle away.
    SendPress(page->frequency.slider, POINT{5, 20});
    SendPress(page->intervalMode);
    EXPECT_FALSE(page->frequency.slider.Dragging());
    EXPECT_EQ(effect->useInterval, 1);
    EXPECT_EQ(effect->generator.targetCycle, 16.0f);
    EXPECT_EQ(effect->generator.cycleGlideStep, 0.0f);
}

TEST_F(OnduloPage, OnlyThePulseWaveTakesAPulseWidth) {
    Open();
    Click(page->waveButtons[kPulse]);
    EXPECT_EQ(effect->generator.waveform, kPulse);
    SendPress(page->pulseWidth.slider, POINT{5, 60});
    ASSERT_TRUE(page->pulseWidth.slider.Dragging());
    SendPress(page->waveButtons[kSawtooth]);
    EXPECT_FALSE(page->pulseWidth.slider.Enabled() || page->pulseWidth.slider.Dragging());
    EXPECT_NE(GetCapture(), page->pulseWidth.slider.Handle());
    EXPECT_TRUE(page->waveButtons[kSawtooth].Checked() && !page->waveButtons[kPulse].Checked());
}

TEST_F(OnduloPage, ControllerFieldsStoreOffAndPutRefusedTextBack) {
    Open();
    const kop::KopTextEdit& field = page->controllerFields[0];
    const struct {
        const wchar_t *typed, *shown;
        std::int32_t stored;
    } entries[] = {{L"0", L"OFF", 0}, {L"12", L"12", 12}, {L"128", L"12", 12}, {L"x", L"12", 12}};
    for (const auto& entry : entries) {
        SendMessageW(field.Handle(), EM_SETSEL, 0, -1);
        page_test::TypeText(field.Handle(), entry.typed);
        page_test::PumpUntilIdle();
        EXPECT_EQ(TextOf(field), entry.shown) << entry.typed;
        EXPECT_EQ(effect->modulatedCC, entry.stored) << entry.typed;
    }
}

// Window thread, inside the field's menu loop: chooses "&Learn".
void CALLBACK ChooseLearn(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, timer);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(OnduloPage, LearnsTheNextLiveControllerAsTheMenuAsked) {
    Open();
    const kop::KopTextEdit& field = page->controllerFields[2];  // "Amplitude CC"
    SetTimer(nullptr, 0, 50, &ChooseLearn);
    SendMessageW(field.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field.Handle()), MAKELPARAM(-1, -1));
    page_test::PumpUntilIdle();
    EXPECT_EQ(effect->learnTarget, kLearnAmplitude);
    EXPECT_TRUE(field.Learning() && !page->controllerFields[0].Learning());
    nuv::testing::RunInput(*effect, {nuv::testing::Message(0xB0, 21, 100)});
    EXPECT_TRUE(page_test::PumpUntil([&] { return TextOf(field) == L"21"; }, 1000));
    EXPECT_FALSE(field.Learning());
    EXPECT_EQ(pageRef->IsPageDirty(), S_FALSE);
}

TEST_F(OnduloPage, LoadShowsAtTheNextTickAndNothingRedrawsWithoutARefreshFlag) {
    Open();
    auto stored = nuv::testing::MakeEffect<NuvMfx>();
    stored->amplitude = -30.0f;
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, nuv::testing::SavedBytes(*stored)), S_OK);
    page_test::PumpFor(250);
    EXPECT_EQ(page->amplitude.label.Caption(), L"-30");
    const std::vector<float> shown = page->waveGraph.LastCurve().levels;
    WriteLocked(effect->settingsLock, effect->amplitude, 20.0f);
    effect->generator.targetAmplitude = 20.0f;
    page_test::PumpFor(250);
    EXPECT_EQ(page->amplitude.slider.Value(), -30.0f);
    EXPECT_EQ(page->waveGraph.LastCurve().levels, shown);
}

TEST_F(OnduloPage, StoredValuesBeyondTheControlsShowAsTheEngineUsesThem) {
    effect->rateIndex = 9;
    effect->amplitude = 100.0f;
    effect->offset = -90.0f;
    effect->frequencyCC = 300;
    Open();
    EXPECT_TRUE(page->intervalButtons[6].Checked());
    EXPECT_EQ(page->frequency.label.Caption(), L"128");
    EXPECT_EQ(page->amplitude.label.Caption(), L"63");
    EXPECT_EQ(page->offset.slider.Value(), -64.0f);
    EXPECT_EQ(TextOf(page->controllerFields[1]), L"OFF");
    EXPECT_EQ(effect->rateIndex, 9);  // shown, not written back
}

TEST_F(OnduloPage, WithoutAnEffectThePanelAloneShowsAndNothingActs) {
    OpenOn(nullptr);
    Click(page->waveButtons[kPulse]);
    SendMessageW(page->Handle(), kop::WM_SLIDER_CHANGED, kAmplitudeSliderId, 5);
    const page_test::WindowPicture picture = Picture(page->waveGraph.Handle());
    EXPECT_EQ(picture.CountNot(0x04070C, RECT{0, 0, picture.Width(), picture.Height()}), 0);
    EXPECT_EQ(pageRef->IsPageDirty(), S_FALSE);
}

TEST_F(OnduloPage, APictureOfEachWaveAndTheResizeContractForEveryControl) {
    Open();
    const std::string folder = "Z:" NUV_PICTURE_DIR;
    CreateDirectoryA(folder.c_str(), nullptr);
    for (std::int32_t wave = kSine; wave <= kRandom; ++wave) {
        Click(page->waveButtons[static_cast<std::size_t>(wave)]);
        const std::wstring name = ChoiceLabel(Parameters()[kWaveformParameter], wave);
        const std::wstring path = std::wstring(folder.begin(), folder.end()) + L"/NuvOndulo_" + name + L".png";
        EXPECT_TRUE(Picture(page->Handle()).SavePng(path)) << folder;
    }
    EXPECT_EQ(page->RegisteredCount(), 44u);
    page_test::ExpectResizeContract(frame, *page);
}

}  // namespace
}  // namespace nuv::ondulo
